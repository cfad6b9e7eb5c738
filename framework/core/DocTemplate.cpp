#include "framework/core/DocTemplate.h"

#include "framework/core/DocManager.h"
#include "framework/core/Document.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

#include <algorithm>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(unsigned resourceId, const CRuntimeClass* documentClass, const CRuntimeClass* frameClass,
                           const CRuntimeClass* viewClass, bool filterOnly)
    : m_nIDResource(resourceId),
      m_pDocClass(documentClass),
      m_pFrameClass(frameClass),
      m_pViewClass(viewClass),
      m_bFilterOnly(filterOnly),
      m_strDocStrings(LoadStringText(resourceId))
{
}

CDocTemplate::~CDocTemplate()
{
    for (CDocument* d : m_docs)
        d->m_pDocTemplate = nullptr;
}

bool CDocTemplate::GetDocString(CString& out, DocStringIndex index) const
{
    return CString::ExtractSubString(out, m_strDocStrings.c_str(), static_cast<int>(index), '\n') && !out.IsEmpty();
}

std::vector<CString> CDocTemplate::GetFilterExtensions() const
{
    std::vector<CString> exts;
    CString field;
    if (!GetDocString(field, filterExt))
        return exts;
    for (int i = 0;; ++i) {
        CString ext;
        if (!CString::ExtractSubString(ext, field.c_str(), i, ';'))
            break;
        ext.Trim();
        if (!ext.IsEmpty())
            exts.push_back(ext[0] == '.' ? ext : CString(".") + ext);
    }
    return exts;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(const CString& path, CDocument*& match)
{
    match = nullptr;
    for (CDocument* d : m_docs) {
        if (d->GetPathName() == path) {
            match = d;
            return yesAlreadyOpen;
        }
    }
    if (m_bFilterOnly)
        return maybeAttemptForeign;
    const CString name = fs::FileNameOf(path);
    const int dot = name.ReverseFind('.');
    if (dot >= 0) {
        const CString ext = name.Mid(dot);
        for (const CString& e : GetFilterExtensions()) {
            if (ext.CompareNoCase(e) == 0)
                return yesAttemptNative;
        }
    }
    return maybeAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (!m_pDocClass || !m_pDocClass->create)
        return nullptr;
    CObject* object = m_pDocClass->CreateObject();
    auto* document = dynamic_cast<CDocument*>(object);
    if (!document) {
        delete object;
        return nullptr;
    }
    AddDocument(document);
    return document;
}

void CDocTemplate::SetDefaultTitle(CDocument* document)
{
    CString name;
    if (!GetDocString(name, docName))
        name = "Untitled";
    document->SetTitle(name + CString(std::to_string(m_nUntitledCount + 1)));
}

CDocument* CDocTemplate::OpenDocumentFile(const CString& path, bool makeVisible)
{
    CDocument* document = CreateNewDocument();
    if (!document)
        return nullptr;
    // The windows may be destroyed on the way; the document must stay.
    const bool autoDelete = document->m_bAutoDelete;
    document->m_bAutoDelete = false;
    const bool windows = CreateWindows(document, makeVisible);
    document->m_bAutoDelete = autoDelete;
    if (!windows) {
        delete document;
        return nullptr;
    }
    if (!makeVisible)
        document->m_bEmbedded = true;

    bool ok;
    if (path.IsEmpty()) {
        SetDefaultTitle(document);
        ok = document->OnNewDocument();
        if (ok)
            ++m_nUntitledCount;
    } else {
        CWaitCursor wait;
        ok = document->OnOpenDocument(path);
        if (ok)
            document->SetPathName(path);
    }
    if (!ok) {
        document->m_bAutoDelete = false;
        DestroyWindows(document);
        delete document;
        return nullptr;
    }
    InitialUpdate(document, makeVisible);
    return document;
}

void CDocTemplate::AddDocument(CDocument* document)
{
    if (document->m_pDocTemplate && document->m_pDocTemplate != this)
        document->m_pDocTemplate->RemoveDocument(document);
    document->m_pDocTemplate = this;
    if (std::find(m_docs.begin(), m_docs.end(), document) == m_docs.end())
        m_docs.push_back(document);
}

void CDocTemplate::RemoveDocument(CDocument* document)
{
    std::erase(m_docs, document);
    if (document->m_pDocTemplate == this)
        document->m_pDocTemplate = nullptr;
}

POSITION CDocTemplate::GetFirstDocPosition() const
{
    return m_docs.empty() ? nullptr : reinterpret_cast<POSITION>(uintptr_t{1});
}

CDocument* CDocTemplate::GetNextDoc(POSITION& pos) const
{
    const size_t index = reinterpret_cast<uintptr_t>(pos) - 1;
    CDocument* document = index < m_docs.size() ? m_docs[index] : nullptr;
    pos = index + 1 < m_docs.size() ? reinterpret_cast<POSITION>(uintptr_t{index + 2}) : nullptr;
    return document;
}

bool CDocTemplate::SaveAllModified()
{
    for (CDocument* d : std::vector<CDocument*>(m_docs)) {
        if (!d->SaveModified())
            return false;
    }
    return true;
}

void CDocTemplate::CloseAllDocuments(bool)
{
    // Each close removes the document from the list.
    while (!m_docs.empty()) {
        CDocument* d = m_docs.back();
        const size_t before = m_docs.size();
        d->OnCloseDocument();
        if (m_docs.size() == before)  // a document that stays (no auto-delete) leaves the list
            RemoveDocument(d);
    }
}

bool CDocTemplate::OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info)
{
    return CCmdTarget::OnCmdMsg(id, code, ui, info);
}

bool CDocTemplate::CreateWindows(CDocument*, bool)
{
    return true;
}

void CDocTemplate::DestroyWindows(CDocument*)
{
}

void CDocTemplate::InitialUpdate(CDocument*, bool)
{
}

} // namespace fw
