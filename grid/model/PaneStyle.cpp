#include "grid/model/PaneStyle.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "grid/model/GridArray.h"
#include "grid/model/GridColors.h"

#include <algorithm>

FW_IMPLEMENT_SERIAL(CZELPaneStyle, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

CZELPaneStyle::CZELPaneStyle()
{
    m_format.nFlags = kPaneDefaultCellFlags;
    SetDefaultLogFont(&m_format.lf, true, 0);
    m_format.lf.lfHeight = 120;
    m_format.bSysTextColor = 0;
    m_format.crText = 9;
    m_format.crBack = kGridButtonFaceColor;
    m_format.nAlign = kAlignLeft | kAlignTop;
}

void CZELPaneStyle::SetColumnWidths(int32_t first, int32_t size, int32_t count)
{
    if (!m_pColWidths)
        return;
    for (int32_t i = 0; i < count; ++i)
        m_pColWidths->SetAt(first + i, size);
}

void CZELPaneStyle::SetRowHeights(int32_t first, int32_t size, int32_t count)
{
    if (!m_pRowHeights)
        return;
    for (int32_t i = 0; i < count; ++i)
        m_pRowHeights->SetAt(first + i, size);
}

int32_t CZELPaneStyle::GetColumnWidth(int32_t col) const
{
    return m_pColWidths ? m_pColWidths->GetAt(col) : 0;
}

int32_t CZELPaneStyle::GetRowHeight(int32_t row) const
{
    return m_pRowHeights ? m_pRowHeights->GetAt(row) : 0;
}

void CZELPaneStyle::Assign(const CZELPaneStyle& other)
{
    m_bVertLines = other.m_bVertLines;
    m_bHorzLines = other.m_bHorzLines;
    m_bSysColors = other.m_bSysColors;
    m_bRowResize = other.m_bRowResize;
    m_bColResize = other.m_bColResize;
    m_bSelectable = other.m_bSelectable;
    m_bGridTracker = other.m_bGridTracker;
    m_nSelFlags = other.m_nSelFlags;
    m_crVertLine = other.m_crVertLine;
    m_crHorzLine = other.m_crHorzLine;
    m_crBack = other.m_crBack;
    m_nRows = other.m_nRows;
    m_nCols = other.m_nCols;
    m_pRowHeights = other.m_pRowHeights;
    m_pColWidths = other.m_pColWidths;
}

void CZELPaneStyle::InsertColumns(int32_t at, int32_t width, int32_t count)
{
    if (count <= 0)
        return;
    m_nCols += count;
    if (m_pColWidths)
        m_pColWidths->InsertAt(at, width, count);
}

void CZELPaneStyle::RemoveColumns(int32_t at, int32_t count)
{
    if (count <= 0)
        return;
    m_nCols = std::max(0, m_nCols - count);
    if (m_pColWidths)
        m_pColWidths->RemoveAt(at, count);
}

bool CZELPaneStyle::ToggleReadOnly()
{
    m_bReadOnly = !m_bReadOnly;
    return m_bReadOnly;
}

namespace {

void FitArray(CZELGridArray* array, int32_t count, int32_t size)
{
    if (!array)
        return;
    const int32_t old = array->GetSize();
    array->SetSize(count);
    // Lines that existed keep their sizes; only new ones take the default.
    if (!array->IsUniform())
        for (int32_t i = old; i < count; ++i)
            array->SetAt(i, size);
    else if (old < count)
        array->SetAt(0, size);
}

} // namespace

void CZELPaneStyle::Resize(int32_t cols, int32_t rows, int32_t colWidth, int32_t rowHeight)
{
    m_nCols = std::max(cols, 0);
    m_nRows = std::max(rows, 0);
    FitArray(m_pRowHeights, m_nRows, rowHeight);
    FitArray(m_pColWidths, m_nCols, colWidth);
}

void CZELPaneStyle::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_bVertLines << m_bHorzLines << m_bSysColors << m_bRowResize << m_bColResize << m_bSelectable
           << m_bGridTracker << m_nSelFlags << m_crVertLine << m_crHorzLine << m_crBack << m_nRows << m_nCols;
        ar << m_format.nFlags << m_format.bSysTextColor << m_format.crText << m_format.crBack << m_format.nAlign;
    } else {
        int32_t rows = 0;
        int32_t cols = 0;
        ar >> m_bVertLines >> m_bHorzLines >> m_bSysColors >> m_bRowResize >> m_bColResize >> m_bSelectable
           >> m_bGridTracker >> m_nSelFlags >> m_crVertLine >> m_crHorzLine >> m_crBack >> rows >> cols;
        // A negative count can only come from a damaged file.
        if (rows < 0 || cols < 0)
            fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
        m_nRows = rows;
        m_nCols = cols;
        ar >> m_format.nFlags >> m_format.bSysTextColor >> m_format.crText >> m_format.crBack >> m_format.nAlign;
    }
    SerializeLogFont(ar, m_format.lf);
}
