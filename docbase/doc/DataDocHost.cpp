#include "docbase/doc/DataDocHost.h"

#include "docbase/doc/UpdateHints.h"
#include "docbase/doc/ZELDataDoc.h"
#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"

#include <vector>

namespace {

IDataDocHost* g_host = nullptr;

CDataDocHost& DefaultHost()
{
    static CDataDocHost host;
    return host;
}

// The documents of one template are all of one class: the walk of a
// template ends at its first document of another kind.
template <class T, class F> void ForEachDocumentOf(fw::CDocManager* manager, F&& f)
{
    if (!manager)
        return;
    std::vector<fw::CDocTemplate*> templates;
    for (fw::POSITION tp = manager->GetFirstDocTemplatePosition(); tp;)
        templates.push_back(manager->GetNextDocTemplate(tp));
    for (fw::CDocTemplate* t : templates) {
        std::vector<fw::CDocument*> docs;
        for (fw::POSITION dp = t->GetFirstDocPosition(); dp;)
            docs.push_back(t->GetNextDoc(dp));
        for (fw::CDocument* d : docs) {
            T* typed = dynamic_cast<T*>(d);
            if (!typed)
                break;
            if (f(*typed))
                return;
        }
    }
}

} // namespace

IDataDocHost& DataDocHost()
{
    return g_host ? *g_host : DefaultHost();
}

IDataDocHost* InstallDataDocHost(IDataDocHost* host)
{
    IDataDocHost* old = g_host;
    g_host = host;
    return old;
}

bool CDataDocHost::IsPathOpenElsewhere(fw::CDocument* document, const fw::CString& path, bool notify)
{
    const fw::CString full = fw::CDocManager::NormalizePath(path);
    if (full.IsEmpty())
        return false;
    fw::CDocTemplate* tmpl = document ? document->GetDocTemplate() : nullptr;
    if (!tmpl)
        return true;
    for (fw::POSITION pos = tmpl->GetFirstDocPosition(); pos;) {
        fw::CDocument* other = tmpl->GetNextDoc(pos);
        if (other != document && other->GetPathName() == full) {
            if (notify)
                OnPathAlreadyOpen(other);
            return false;
        }
    }
    return true;
}

void CDataDocHost::UpdateAllGraphDocs(intptr_t hint, fw::CObject* hintObject)
{
    ForEachDocumentOf<IGraphPageDoc>(m_pManager, [&](IGraphPageDoc& page) {
        page.DispatchUpdate(hint, hintObject);
        return false;
    });
}

CZELDataDoc* CDataDocHost::FindDocument(const CDocIdent& ident) const
{
    CZELDataDoc* found = nullptr;
    ForEachDocumentOf<CZELDataDoc>(m_pManager, [&](CZELDataDoc& doc) {
        if (doc.GetDocIdent() == ident)
            found = &doc;
        return found != nullptr;
    });
    return found;
}

void CDataDocHost::SendDataDocsToGraphDoc(IGraphPageDoc& page) const
{
    ForEachDocumentOf<CZELDataDoc>(m_pManager, [&](CZELDataDoc& doc) {
        CUpdateDataDoc hint(&doc);
        page.DispatchUpdate(kHintDataDocOpened, &hint);
        return false;
    });
}
