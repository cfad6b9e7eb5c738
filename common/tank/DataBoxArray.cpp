#include "common/tank/DataBoxArray.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <algorithm>

FW_IMPLEMENT_SERIAL(CDataBoxArray, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

CDataBoxArray::CDataBoxArray() = default;

CDataBoxArray::~CDataBoxArray() { DeleteBoxes(); }

void CDataBoxArray::DeleteBoxes()
{
    if (!m_boxes)
        return;
    for (int i = 0; i < m_boxes->GetSize(); ++i)
        delete m_boxes->GetAt(i);
    m_boxes.reset();
}

void CDataBoxArray::AddBox(CDataBoxPropaty* box)
{
    if (!m_boxes)
        m_boxes = std::make_unique<BoxList>();
    m_boxes->Add(box);
}

CDataBoxPropaty* CDataBoxArray::GetBox(int index) const
{
    if (!m_boxes || index < 0 || index >= m_boxes->GetSize())
        return nullptr;
    return m_boxes->GetAt(index);
}

void CDataBoxArray::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        const int n = GetBoxCount();
        ar.WriteCount(static_cast<uint64_t>(n));
        for (int i = 0; i < n; ++i)
            ar.WriteObject(m_boxes->GetAt(i));
        ar << m_totalRows;
        return;
    }

    DeleteBoxes();
    m_boxes = std::make_unique<BoxList>();
    const uint64_t n = ar.ReadCount(sizeof(uint16_t));
    for (uint64_t i = 0; i < n; ++i) {
        // The set owns its boxes: one listed twice would be deleted twice.
        auto* box = static_cast<CDataBoxPropaty*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CDataBoxPropaty)));
        m_boxes->Add(box);
    }
    int32_t totalRows = 0;
    ar >> totalRows;
    // Every row is a row of a box read above, and the row map names a row
    // within its box in 16 bits; a larger count is damage, not a map to
    // allocate.
    constexpr int32_t kMostRowsOfABox = 0x8000;
    int64_t filled = 0;
    for (int b = 0; b < GetBoxCount(); ++b) {
        const CDataBoxPropaty* box = m_boxes->GetAt(b);
        if (!box)
            continue;
        if (box->GetRowCount() < 0 || box->GetRowCount() > kMostRowsOfABox)
            fw::ThrowArchiveException(fw::CArchiveException::badIndex, ar.m_strFileName);
        filled += box->GetRowCount();
    }
    if (totalRows < 0 || totalRows > filled)
        fw::ThrowArchiveException(fw::CArchiveException::badIndex, ar.m_strFileName);
    m_totalRows = totalRows;
    RebuildChannelMap();
}

void CDataBoxArray::RebuildChannelMap()
{
    fw::CArray<tagBOXCH, tagBOXCH&> map;
    const int total = std::max(m_totalRows, 0);
    // Rows the boxes do not fill name no box, so that a cell access there
    // is refused instead of landing in box 0.
    map.SetSize(total);
    for (int r = 0; r < total; ++r)
        map[r] = tagBOXCH{-1, -1};
    int next = 0;
    for (int b = 0; b < GetBoxCount(); ++b) {
        CDataBoxPropaty* box = m_boxes->GetAt(b);
        const int rows = box ? box->GetRowCount() : 0;
        for (int k = 0; k < rows; ++k) {
            if (next >= total)
                fw::ThrowInvalidArgException();
            map[next++] = tagBOXCH{static_cast<int16_t>(b), static_cast<int16_t>(k)};
        }
    }
    m_rowMap.Copy(map);
}

CDataBoxPropaty* CDataBoxArray::BoxOfRow(int row, int& rowInBox) const
{
    if (row < 0 || row >= m_rowMap.GetSize())
        fw::ThrowInvalidArgException();
    const tagBOXCH& entry = m_rowMap.GetAt(row);
    CDataBoxPropaty* box = GetBox(entry.box);
    if (!box)
        fw::ThrowInvalidArgException();
    rowInBox = entry.ch;
    return box;
}

bool CDataBoxArray::SetChannelText(int row, int column, const fw::CString& text)
{
    int k;
    return BoxOfRow(row, k)->SetCellText(k, column, text);
}

bool CDataBoxArray::SetChannelValue(int row, int column, double value)
{
    int k;
    return BoxOfRow(row, k)->SetCellValue(k, column, value);
}

bool CDataBoxArray::BuildFromSystem(CBoxArray*) { return false; }

void CDataBoxArray::GetChannelText(int row, int column, fw::CString& text)
{
    int k;
    BoxOfRow(row, k)->GetCellText(k, column, text);
}

double CDataBoxArray::GetChannelValue(int row, int column)
{
    int k;
    return BoxOfRow(row, k)->GetCellValue(k, column);
}
