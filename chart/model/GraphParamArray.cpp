#include "chart/model/GraphParamArray.h"

#include "chart/model/ChartArchiveTags.h"
#include "chart/model/GraphDocumentLookup.h"
#include "chart/model/GraphUpdateHints.h"
#include "common/base/ArchiveTags.h"
#include "common/tank/DataTankList.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

FW_IMPLEMENT_SERIAL(CGraphParamArray, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

CGraphParamArray::CGraphParamArray()
    : m_tanks(std::make_unique<CGraphDataTankAr>()), m_samples(std::make_unique<fw::CArray<int32_t>>())
{
}

CGraphParamArray::~CGraphParamArray() = default;

void CGraphParamArray::SetSource(const tSeriesSource& source)
{
    m_sourcePath = source.path;
    m_sourceDoc = source.document;
    m_sampleOffset = source.sampleOffset;
    m_nameKind = source.nameKind;
}

void CGraphParamArray::SetDrawType(int16_t type)
{
    m_style.drawType = type;
    m_hasDrawType = 1;
}

// --- items -----------------------------------------------------------------

void CGraphParamArray::SetItem(int index, int32_t key, int32_t tankIndex, CDataTankObject* tank, bool addRef)
{
    m_tanks->SetItem(index, key, tankIndex, tank, addRef);
}

void CGraphParamArray::AddTankToList(CDataTankObject* tank)
{
    m_tanks->GetList()->AddTank(tank, false);
}

bool CGraphParamArray::ReplaceItemIfSame(int index, int32_t key, int32_t tankIndex, CDataTankObject* tank,
                                         bool addRef)
{
    if (index < 0 || index >= m_tanks->GetSize())
        fw::ThrowInvalidArgException();
    const tDataTankParam& param = m_tanks->GetAt(index);
    if (param.first != key || param.second != tankIndex)
        return false;
    m_tanks->SetItem(index, key, tankIndex, tank, addRef);
    return true;
}

CDataTankObject* CGraphParamArray::GetItemTank(int index) const
{
    return m_tanks ? m_tanks->GetTank(index) : nullptr;
}

void CGraphParamArray::SetFirstItem(int32_t key, int32_t tankIndex, CDataTankObject* tank, int size)
{
    m_tanks->SetItem(0, key, tankIndex, tank, true);
    m_positionTank.SetSize(size, true);
    m_valueTank.SetSize(size, true);
}

void CGraphParamArray::AppendItem(int32_t key, int32_t tankIndex, CDataTankObject* tank)
{
    m_tanks->AppendItem(key, tankIndex, tank, true);
}

int CGraphParamArray::GetLastItem() const
{
    return GetItemCount() - 1;
}

int CGraphParamArray::GetShorterLastIndex() const
{
    CDataTankObject* x = GetItemTank(0);
    CDataTankObject* y = GetItemTank(1);
    if (!x || !y)
        return -1;
    return std::min(x->GetDataCount(), y->GetDataCount()) - 1;
}

// --- names -----------------------------------------------------------------

void CGraphParamArray::RebuildName()
{
    fw::CString name;
    bool made = false;
    switch (m_nameKind) {
    case kNameFirstTwo:
        made = NameFromFirstTwo(name);
        break;
    case kNameSortedRange:
        made = NameFromSortedRange(name);
        break;
    case 2:
    case 3:
        made = NameFromTank1(m_nameKind, name);
        break;
    default:
        break;
    }
    if (made)
        m_name = name;
}

bool CGraphParamArray::NameFromFirstTwo(fw::CString& out) const
{
    CDataTankObject* x = GetItemTank(0);
    CDataTankObject* y = GetItemTank(1);
    if (!x || !y)
        return false;
    out.Format("%s - %s", x->GetName(), y->GetName());
    return true;
}

bool CGraphParamArray::NameFromTank1(int kind, fw::CString& out) const
{
    CDataTankObject* tank = GetItemTank(1);
    if (!tank)
        return false;
    out = tank->GetName();
    return true;
}

bool CGraphParamArray::NameFromSortedRange(fw::CString& out) const
{
    CDataTankObject* first = GetItemTank(1);
    CDataTankObject* last = GetItemTank(GetLastItem());
    if (!first || !last || GetLastItem() < 1)
        return false;
    out.Format("%s : %s", first->GetName(), last->GetName());
    return true;
}

// --- updates ---------------------------------------------------------------

bool CGraphParamArray::SetSourcePath(const CDocIdent& newDoc, const CDocIdent& oldDoc, const fw::CString& path)
{
    if (m_sourceDoc != oldDoc)
        return false;
    m_sourceDoc = newDoc;
    m_sourcePath = path;
    return true;
}

namespace {

// Whether every item of `key` finds a tank at its index in `tanks`.
bool ItemsFindTanks(const CGraphDataTankAr& items, int32_t key, const CDataTankList* tanks)
{
    for (int i = 0; i < items.GetSize(); ++i) {
        const tDataTankParam& param = items.GetAt(i);
        if (param.first != key)
            continue;
        if (!tanks || !tanks->GetObjectAt(param.second))
            return false;
    }
    return true;
}

} // namespace

bool CGraphParamArray::Attach(const CDocIdent& newDoc, const CDocIdent& oldDoc, const fw::CString& path,
                              int32_t xKey, CDataTankList* xTanks, int32_t yKey, CDataTankList* yTanks, bool rename)
{
    if (m_sourceDoc != oldDoc)
        return false;
    if (!ItemsFindTanks(*m_tanks, xKey, xTanks) || !ItemsFindTanks(*m_tanks, yKey, yTanks))
        return false;
    SetSourcePath(newDoc, oldDoc, path);
    Rename(path, newDoc, xKey, xTanks, yKey, yTanks);
    if (rename)
        RebuildName();
    return true;
}

bool CGraphParamArray::Rename(const fw::CString& path, const CDocIdent& doc, int32_t xKey, CDataTankList* xTanks,
                              int32_t yKey, CDataTankList* yTanks)
{
    if (m_sourceDoc != doc)
        return false;
    m_sourcePath = path;
    bool changed = false;
    for (int i = 0; i < m_tanks->GetSize(); ++i) {
        const tDataTankParam param = m_tanks->GetAt(i);
        CDataTankList* list = param.first == xKey ? xTanks : param.first == yKey ? yTanks : nullptr;
        CDataTankObject* tank = list ? list->GetObjectAt(param.second) : nullptr;
        if (tank && ReplaceItemIfSame(i, param.first, param.second, tank, true))
            changed = true;
    }
    return changed;
}

bool CGraphParamArray::ApplyUpdate(int kind, const fw::CObject* info)
{
    if (!info)
        return false;
    switch (kind) {
    case kGraphUpdatePath: {
        const auto* hint = static_cast<const CUpdateGraph*>(info);
        return SetSourcePath(hint->m_secondDoc, hint->m_firstDoc, hint->m_path);
    }
    case kGraphUpdateRebind: {
        const auto* hint = static_cast<const CUpdateGraph*>(info);
        return Rename(hint->m_path, hint->m_secondDoc, hint->m_firstKey, hint->m_firstTanks, hint->m_secondKey,
                      hint->m_secondTanks);
    }
    case kGraphUpdateStep: {
        const auto* hint = static_cast<const CUpdateGraphStep*>(info);
        if (hint->m_doc != m_sourceDoc)
            return false;
        SetSampleRange(hint->m_doc, hint->m_first, hint->m_second);
        return true;
    }
    case kGraphUpdateAttach: {
        const auto* hint = static_cast<const CUpdateGraph*>(info);
        return Attach(hint->m_secondDoc, hint->m_firstDoc, hint->m_path, hint->m_firstKey, hint->m_firstTanks,
                      hint->m_secondKey, hint->m_secondTanks, hint->m_flag != 0);
    }
    case kGraphUpdateInsert:
    case kGraphUpdateDelete: {
        const auto* hint = static_cast<const CUpdateGraphStep*>(info);
        if (hint->m_doc != m_sourceDoc)
            return false;
        ShiftItems(kind, info);
        return true;
    }
    case kGraphUpdateSelect: {
        const auto* hint = static_cast<const CUpdateGraphStep*>(info);
        m_docFlag = hint->m_doc == m_sourceDoc && !hint->m_doc.IsNone() ? 1 : 0;
        if (!m_docFlag || !m_select)
            return false;
        SetSampleRange(hint->m_doc, hint->m_first, hint->m_second);
        return true;
    }
    case kGraphUpdateAsk:
        return static_cast<const CUpdateGraph*>(info)->m_secondDoc == m_sourceDoc;
    default:
        return false;
    }
}

void CGraphParamArray::ShiftItems(int kind, const fw::CObject* info)
{
    const auto* hint = static_cast<const CUpdateGraphInsertDelete*>(info);
    if (hint->m_doc != m_sourceDoc)
        return;
    const int a = hint->m_first;
    const int b = hint->m_second;
    const int span = b - a + 1;
    for (int i = 0; i < m_tanks->GetSize(); ++i) {
        tDataTankParam param = m_tanks->GetAt(i);
        if (param.first != hint->m_key)
            continue;
        if (kind == kGraphUpdateInsert && param.second >= a)
            param.second += span;
        else if (kind == kGraphUpdateDelete && param.second > b)
            param.second -= span;
        CDataTankObject* tank = hint->m_object ? hint->m_object->GetObjectAt(param.second) : nullptr;
        if (tank)
            m_tanks->SetItem(i, param.first, param.second, tank, true);
        else
            m_tanks->SetAt(i, param);
    }
}

void CGraphParamArray::SetSampleRange(const CDocIdent& doc, int first, int last)
{
    if (doc != m_sourceDoc)
        return;
    if (!IsDistribution()) {
        SetDrawRange(first, last);
        return;
    }
    m_samples->RemoveAll();
    for (int i = first; i <= last; ++i) {
        if (m_redraw || m_samples->IsEmpty())
            m_samples->Add(i);
        else
            m_samples->SetAt(m_samples->GetSize() - 1, i);
    }
}

void CGraphParamArray::MarkDocument(const fw::CDocument* document)
{
    m_docFlag = document && FindGraphDocument(m_sourceDoc) == document ? 1 : 0;
}

void CGraphParamArray::SelectDocumentData(const fw::CDocument* document, int index)
{
    MarkDocument(document);
    if (m_docFlag && m_select)
        AddSampleIndex(false, index);
}

// --- sample indexes --------------------------------------------------------

void CGraphParamArray::AddSampleIndex(bool replace, int index)
{
    if (!IsDistribution()) {
        SetSampleIndex(1, index);
        return;
    }
    if (replace) {
        if (!m_redraw)
            return;
        if (m_samples->IsEmpty())
            m_samples->Add(index);
        else
            m_samples->SetAt(m_samples->GetSize() - 1, index);
        return;
    }
    if (m_redraw || m_samples->IsEmpty())
        m_samples->Add(index);
    else
        m_samples->SetAt(m_samples->GetSize() - 1, index);
}

void CGraphParamArray::InsertSampleIndex(int position, int index)
{
    if (position < 0)
        fw::ThrowInvalidArgException();
    m_samples->InsertAt(position, index);
}

void CGraphParamArray::SetSampleIndex(int position, int index)
{
    if (position < 0)
        fw::ThrowInvalidArgException();
    m_samples->SetAtGrow(position, index);
}

int CGraphParamArray::GetLastSamplePosition() const
{
    return m_samples ? m_samples->GetSize() - 1 : -1;
}

void CGraphParamArray::SetDrawRange(int first, int last)
{
    if (m_samples->GetSize() <= 1) {
        m_samples->InsertAt(0, first);
        m_samples->InsertAt(1, last);
    } else {
        m_samples->SetAt(0, first);
        m_samples->SetAt(1, last);
    }
}

int CGraphParamArray::GetSampleIndex(int position) const
{
    if (!m_samples || position < 0 || position >= m_samples->GetSize())
        return -1;
    return m_samples->GetAt(position);
}

int CGraphParamArray::GetFirstUsableIndex() const
{
    if (!m_samples || m_samples->IsEmpty())
        return 0;
    if (m_graphType == 8 || IsDistribution()) {
        if (GetItemTank(0) && GetItemTank(1))
            return GetShorterLastIndex() < 0 ? -1 : 0;
        return GetSampleIndex(0);
    }
    const int first = GetSampleIndex(0);
    if (first == 0 && std::min(GetShorterLastIndex(), GetSampleIndex(1)) < 0)
        return -1;
    return first;
}

int CGraphParamArray::GetUsableCount() const
{
    const int first = std::max(GetSampleIndex(0), 0);
    const int last = std::min(GetSampleIndex(1), GetShorterLastIndex());
    if (last < 0 || last < first)
        return 0;
    return last - first + 1;
}

// --- archive ---------------------------------------------------------------

void CGraphParamArray::Serialize(fw::CArchive& ar)
{
    m_sourceDoc.Serialize(ar);
    int16_t* const styleValues[] = {&m_style.lineWidth,  &m_style.lineHeight, &m_style.fill,
                                    reinterpret_cast<int16_t*>(&m_style.linePattern),
                                    &m_style.symbolSize, &m_style.symbolType, &m_style.lineColor,
                                    &m_style.symbolColor, &m_style.fillColor, &m_style.symbolInterval};
    if (ar.IsStoring()) {
        ar << m_sourcePath << m_sampleOffset << m_nameKind;
        for (int16_t* v : styleValues)
            ar << *v;
        ar << m_graphType << m_mark << m_name << m_sortKind << m_redraw << m_select;
        if (m_hasDrawType) {
            WriteArchiveTag(ar, kDrawTypeTag);
            ar << m_style.drawType;
        }
        m_tanks->Serialize(ar);
        m_samples->Serialize(ar);
        return;
    }
    ar >> m_sourcePath >> m_sampleOffset >> m_nameKind;
    for (int16_t* v : styleValues)
        ar >> *v;
    ar >> m_graphType >> m_mark >> m_name >> m_sortKind >> m_redraw >> m_select;
    if (PeekArchiveTag(ar, kDrawTypeTag)) {
        m_hasDrawType = 1;
        ar >> m_style.drawType;
    }
    m_tanks = std::make_unique<CGraphDataTankAr>();
    m_samples = std::make_unique<fw::CArray<int32_t>>();
    m_tanks->Serialize(ar);
    m_samples->Serialize(ar);
}
