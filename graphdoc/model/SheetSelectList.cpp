#include "graphdoc/model/SheetSelectList.h"

#include "chart/model/GraphParamArray.h"
#include "docbase/doc/KivDocBase.h"
#include "graphdoc/model/DrawGraphObj.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/GraphViewDoc.h"

namespace {

constexpr unsigned kProjectTemplate = 129;
constexpr unsigned kDataTemplate = 130;
constexpr unsigned kFrequencyTemplate = 132;

} // namespace

std::vector<unsigned> CSheetSelectList::Templates(bool projectOnly) const
{
    if (projectOnly)
        return {kProjectTemplate};
    return {kProjectTemplate, m_dataDocs ? kDataTemplate : kFrequencyTemplate};
}

CKivDocBase* CSheetSelectList::FindOpen(const CDocIdent& ident) const
{
    if (ident.IsNone())
        return nullptr;
    for (unsigned id : Templates(false)) {
        std::vector<CKivDocBase*> documents;
        if (!GraphPageHost().DocumentsOfTemplate(id, documents))
            continue;
        for (CKivDocBase* doc : documents) {
            if (doc->GetDocIdent() == ident)
                return doc;
        }
    }
    return nullptr;
}

bool CSheetSelectList::FillDocuments(CKivDocBase** out, const CDocIdent& ident, const fw::CString& name,
                                     bool projectOnly, int firstTemplate)
{
    m_items.clear();
    m_selected = -1;
    if (out)
        *out = nullptr;
    bool matched = false;
    const std::vector<unsigned> templates = Templates(projectOnly);
    for (size_t t = static_cast<size_t>(std::max(firstTemplate, 0)); t < templates.size(); ++t) {
        std::vector<CKivDocBase*> documents;
        if (!GraphPageHost().DocumentsOfTemplate(templates[t], documents))
            return false;
        for (CKivDocBase* doc : documents) {
            m_items.push_back({doc->GetTitle(), doc->GetDocIdent()});
            if (!ident.IsNone() && doc->GetDocIdent() == ident) {
                if (out)
                    *out = doc;
                m_selected = static_cast<int>(m_items.size()) - 1;
                matched = true;
            }
        }
    }
    if (!matched && !ident.IsNone()) {
        m_items.push_back({name, ident});
        m_selected = static_cast<int>(m_items.size()) - 1;
    }
    return true;
}

bool CSheetSelectList::AddDocument(const CDocIdent& ident, const fw::CString& name)
{
    if (FindItem(ident) >= 0)
        return true;
    if (CKivDocBase* doc = FindOpen(ident)) {
        m_items.push_back({doc->GetTitle(), ident});
        return true;
    }
    if (ident.IsNone())
        return false;
    m_items.push_back({name, ident});
    return true;
}

bool CSheetSelectList::AddPageSources(const CGraphViewDoc& page)
{
    for (CDrawObj* object : page.GetObjects()) {
        auto* measured = dynamic_cast<CDrawMeasObj*>(object);
        if (!measured)
            continue;
        if (const CDataMeasPrf* source = measured->GetDataSource()) {
            if (!AddDocument(source->m_docIdent, source->m_strTitle))
                return false;
            continue;
        }
        auto* graph = dynamic_cast<CDrawGraphObj*>(measured);
        if (!graph)
            continue;
        for (int i = 0; i < graph->Draw().GetSeriesCount(); ++i) {
            const CGraphParamArray* series = graph->Draw().GetSeries(i);
            if (series && !AddDocument(series->GetSourceDocument(), series->GetSourcePath()))
                return false;
        }
    }
    return true;
}

bool CSheetSelectList::SelectDocument(const CDocIdent& ident)
{
    const int index = FindItem(ident);
    if (index >= 0 && index == m_selected)
        return false;
    if (index >= 0)
        m_selected = index;
    return true;
}

int CSheetSelectList::FindItem(const CDocIdent& ident) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].ident == ident)
            return static_cast<int>(i);
    }
    return -1;
}

bool CSheetSelectList::IsOpen(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_items.size())
        return false;
    return FindOpen(m_items[static_cast<size_t>(index)].ident) != nullptr;
}

const CDocIdent* CSheetSelectList::SelectedIdent() const
{
    if (m_selected < 0 || static_cast<size_t>(m_selected) >= m_items.size())
        return nullptr;
    return &m_items[static_cast<size_t>(m_selected)].ident;
}
