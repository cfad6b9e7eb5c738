#include "grid/model/GridStyle.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "grid/model/GridArray.h"
#include "grid/model/GridColors.h"
#include "grid/model/GridStyleClient.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

FW_IMPLEMENT_SERIAL(CZELGridStyle, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

namespace {

int32_t Magnitude(int32_t size)
{
    return size == INT32_MIN ? INT32_MAX : std::abs(size);
}

} // namespace

CZELGridStyle::CZELGridStyle()
{
    m_grids.reserve(10);
    ResetDefaults();
}

CZELGridStyle::~CZELGridStyle()
{
    // A grid drops the style by detaching itself, which changes the list.
    const std::vector<IGridStyleClient*> grids = m_grids;
    for (IGridStyleClient* grid : grids)
        grid->DropStyle();
    m_grids.clear();
    DeleteArrays();
}

void CZELGridStyle::DeleteArrays()
{
    for (CZELPaneStyle* pane : {&m_corner, &m_colHeader, &m_rowHeader, &m_sheet}) {
        pane->m_pRowHeights = nullptr;
        pane->m_pColWidths = nullptr;
    }
    for (CZELGridArray*& array : m_arrays) {
        delete array;
        array = nullptr;
    }
}

CZELPaneStyle& CZELGridStyle::GetPane(int pane)
{
    switch (pane) {
    case kPaneCorner: return m_corner;
    case kPaneColumnHeader: return m_colHeader;
    case kPaneRowHeader: return m_rowHeader;
    case kPaneSheet: return m_sheet;
    default: fw::ThrowInvalidArgException();
    }
}

const CZELPaneStyle& CZELGridStyle::GetPane(int pane) const
{
    return const_cast<CZELGridStyle*>(this)->GetPane(pane);
}

void CZELGridStyle::Assign(const CZELGridStyle& other)
{
    m_nSheetRowHeight = other.m_nSheetRowHeight;
    m_nSheetColWidth = other.m_nSheetColWidth;
    m_nRowHeaderColWidth = other.m_nRowHeaderColWidth;
    m_nColHeaderRowHeight = other.m_nColHeaderRowHeight;
    m_nCornerRowHeight = other.m_nCornerRowHeight;
    m_nCornerColWidth = other.m_nCornerColWidth;
    m_nMode = other.m_nMode;
}

bool CZELGridStyle::ArraysEqual(const CZELGridArray* a, const CZELGridArray* b)
{
    const int32_t count = a ? a->GetSize() : 0;
    if (count != (b ? b->GetSize() : 0))
        return false;
    if (count == 0)
        return true;
    if (a->IsUniform() && b->IsUniform())
        return a->GetAt(0) == b->GetAt(0);
    for (int32_t i = 0; i < count; ++i)
        if (a->GetAt(i) != b->GetAt(i))
            return false;
    return true;
}

bool CZELGridStyle::IsEqual(const CZELGridStyle& other) const
{
    if (this == &other)
        return true;
    if (m_nSheetRowHeight != other.m_nSheetRowHeight || m_nSheetColWidth != other.m_nSheetColWidth
        || m_nRowHeaderColWidth != other.m_nRowHeaderColWidth || m_nColHeaderRowHeight != other.m_nColHeaderRowHeight
        || m_nCornerRowHeight != other.m_nCornerRowHeight || m_nCornerColWidth != other.m_nCornerColWidth
        || m_nMode != other.m_nMode)
        return false;
    for (size_t i = 0; i < m_arrays.size(); ++i)
        if (!ArraysEqual(m_arrays[i], other.m_arrays[i]))
            return false;
    return true;
}

void CZELGridStyle::ResetDefaults()
{
    m_nSheetRowHeight = m_nSheetColWidth = m_nRowHeaderColWidth = 0;
    m_nColHeaderRowHeight = m_nCornerRowHeight = m_nCornerColWidth = 0;
    m_nMode = kDefaultGridMode;
    DeleteArrays();

    m_corner.m_bSysColors = 0;
    m_corner.m_nSelFlags = 0;
    m_colHeader.m_bSysColors = 0;
    m_colHeader.m_bColResize = 1;
    m_colHeader.m_nSelFlags = kSelectColumns;
    m_rowHeader.m_bSysColors = 0;
    m_rowHeader.m_bRowResize = 1;
    m_rowHeader.m_nSelFlags = kSelectRows;
    m_sheet.m_crBack = kGridWindowColor;
    m_sheet.m_crVertLine = GridLineColorOn(kGridWindowColor);
    m_sheet.m_crHorzLine = GridLineColorOn(kGridWindowColor);
    m_sheet.m_bEditOnDblClk = 1;
    m_sheet.m_format.bSysTextColor = 1;
    m_bModified = 0;
}

void CZELGridStyle::GetSheetSize(SheetSize& out) const
{
    out.cols = m_sheet.m_nCols;
    out.rows = m_sheet.m_nRows;
}

CZELGridArray* CZELGridStyle::EnsureArray(ArrayIndex which, int32_t defaultSize)
{
    CZELGridArray*& array = m_arrays[which];
    if (!array) {
        if (defaultSize > 0)
            array = new CZELGridRealArray;
        else
            array = new CZELGridSameArray(Magnitude(defaultSize), 0);
    }
    return array;
}

void CZELGridStyle::ApplySizes()
{
    m_corner.m_pRowHeights = EnsureArray(kCornerRowHeights, m_nCornerRowHeight);
    m_corner.m_pColWidths = EnsureArray(kCornerColWidths, m_nCornerColWidth);
    m_colHeader.m_pRowHeights = EnsureArray(kColHeaderRowHeights, m_nColHeaderRowHeight);
    m_colHeader.m_pColWidths = EnsureArray(kColWidths, m_nSheetColWidth);
    m_rowHeader.m_pRowHeights = EnsureArray(kRowHeights, m_nSheetRowHeight);
    m_rowHeader.m_pColWidths = EnsureArray(kRowHeaderColWidths, m_nRowHeaderColWidth);
    m_sheet.m_pRowHeights = m_arrays[kRowHeights];
    m_sheet.m_pColWidths = m_arrays[kColWidths];

    m_sheet.Resize(m_sheet.m_nCols, m_sheet.m_nRows, Magnitude(m_nSheetColWidth), Magnitude(m_nSheetRowHeight));
    m_corner.Resize(m_corner.m_nCols, m_corner.m_nRows, Magnitude(m_nCornerColWidth), Magnitude(m_nCornerRowHeight));
    m_rowHeader.Resize(m_rowHeader.m_nCols, m_rowHeader.m_nRows, Magnitude(m_nRowHeaderColWidth),
                       Magnitude(m_nSheetRowHeight));
    m_colHeader.Resize(m_colHeader.m_nCols, m_colHeader.m_nRows, Magnitude(m_nSheetColWidth),
                       Magnitude(m_nColHeaderRowHeight));
}

void CZELGridStyle::InsertColumns(int32_t at, int32_t width, int32_t count)
{
    if (width == -1)
        width = Magnitude(m_nSheetColWidth);
    m_sheet.InsertColumns(at, width, count);
    m_colHeader.m_nCols = m_sheet.m_nCols;
    for (IGridStyleClient* grid : m_grids) {
        CCellIndices cur = grid->GetStyleCurrentCell();
        if (cur.col >= at)
            cur.col += count;
        grid->SetStyleSelection(CCellRange::Cell(cur), cur, cur);
    }
}

void CZELGridStyle::RemoveColumns(int32_t at, int32_t count)
{
    for (IGridStyleClient* grid : m_grids) {
        CCellIndices cur = grid->GetStyleCurrentCell();
        if (cur.col >= m_sheet.m_nCols - count)
            cur.col = m_sheet.m_nCols - count - 1;
        grid->SetStyleSelection(CCellRange::Cell(cur), cur, cur);
    }
    m_sheet.RemoveColumns(at, count);
    m_colHeader.m_nCols = m_sheet.m_nCols;
    const int32_t cols = m_sheet.m_nCols;
    for (IGridStyleClient* grid : m_grids) {
        CCellIndices topLeft = grid->GetStyleTopLeft();
        if (topLeft.col >= cols)
            topLeft.col = cols < 2 ? 0 : cols - 1;
        grid->ScrollStyleTo(topLeft);
    }
}

void CZELGridStyle::SetSizes(ArrayIndex which, int32_t first, int32_t size, int32_t count)
{
    CZELGridArray* array = m_arrays[which];
    if (!array)
        return;
    for (int32_t i = first; i < first + count; ++i)
        array->SetAt(i, size);
}

void CZELGridStyle::SetCornerColumnWidths(int32_t first, int32_t size, int32_t count)
{
    SetSizes(kCornerColWidths, first, size, count);
}

void CZELGridStyle::SetCornerRowHeights(int32_t first, int32_t size, int32_t count)
{
    SetSizes(kCornerRowHeights, first, size, count);
}

void CZELGridStyle::SetColumnHeaderRowHeights(int32_t first, int32_t size, int32_t count)
{
    SetSizes(kColHeaderRowHeights, first, size, count);
}

void CZELGridStyle::SetRowHeaderColumnWidths(int32_t first, int32_t size, int32_t count)
{
    SetSizes(kRowHeaderColWidths, first, size, count);
}

void CZELGridStyle::SetRowHeights(int32_t first, int32_t size, int32_t count)
{
    SetSizes(kRowHeights, first, size, count);
}

void CZELGridStyle::SetColumnWidths(int32_t first, int32_t size, int32_t count)
{
    SetSizes(kColWidths, first, size, count);
}

bool CZELGridStyle::ToggleReadOnly()
{
    m_sheet.ToggleReadOnly();
    m_corner.ToggleReadOnly();
    m_colHeader.ToggleReadOnly();
    return m_rowHeader.ToggleReadOnly();
}

void CZELGridStyle::SetDimensions(int32_t cornerCols, int32_t cornerRows, int32_t rowHeaderCols,
                                  int32_t colHeaderRows, int32_t sheetCols, int32_t sheetRows)
{
    m_corner.m_nCols = cornerCols;
    m_corner.m_nRows = cornerRows;
    m_rowHeader.m_nCols = rowHeaderCols;
    m_rowHeader.m_nRows = sheetRows;
    m_colHeader.m_nRows = colHeaderRows;
    m_colHeader.m_nCols = sheetCols;
    m_sheet.m_nCols = sheetCols;
    m_sheet.m_nRows = sheetRows;
}

void CZELGridStyle::SetDefaultSizes(int32_t cornerColWidth, int32_t cornerRowHeight, int32_t rowHeaderColWidth,
                                    int32_t colHeaderRowHeight, int32_t sheetColWidth, int32_t sheetRowHeight)
{
    m_nCornerColWidth = cornerColWidth;
    m_nCornerRowHeight = cornerRowHeight;
    m_nRowHeaderColWidth = rowHeaderColWidth;
    m_nColHeaderRowHeight = colHeaderRowHeight;
    m_nSheetColWidth = sheetColWidth;
    m_nSheetRowHeight = sheetRowHeight;
}

int32_t CZELGridStyle::SetMode(int32_t mode)
{
    const int32_t old = m_nMode;
    m_nMode = mode;
    return old;
}

void CZELGridStyle::AttachGrid(IGridStyleClient* grid)
{
    if (grid && std::find(m_grids.begin(), m_grids.end(), grid) == m_grids.end())
        m_grids.push_back(grid);
}

void CZELGridStyle::DetachGrid(IGridStyleClient* grid)
{
    auto it = std::find(m_grids.begin(), m_grids.end(), grid);
    if (it != m_grids.end())
        m_grids.erase(it);
}

void CZELGridStyle::RedrawGrids(const IGridStyleClient* except)
{
    const std::vector<IGridStyleClient*> grids = m_grids;
    for (IGridStyleClient* grid : grids)
        if (grid != except)
            grid->RedrawStyleNow();
}

void CZELGridStyle::SetRowCount(int32_t n)
{
    n = std::max(n, 0);
    for (IGridStyleClient* grid : m_grids) {
        CCellIndices cur = grid->GetStyleCurrentCell();
        CCellRange sel = grid->GetStyleSelection();
        cur.row = std::min(cur.row, n - 1);
        sel.top = std::min(sel.top, n - 1);
        sel.bottom = std::min(sel.bottom, n - 1);
        grid->SetStyleSelection(sel, cur, cur);
    }
    m_rowHeader.m_nRows = n;
    m_sheet.m_nRows = n;
    ApplySizes();
    for (IGridStyleClient* grid : m_grids) {
        CCellIndices topLeft = grid->GetStyleTopLeft();
        topLeft.row = std::min(topLeft.row, n - 1);
        grid->ScrollStyleTo(topLeft);
    }
}

void CZELGridStyle::SetColumnCount(int32_t n)
{
    n = std::max(n, 0);
    for (IGridStyleClient* grid : m_grids) {
        CCellIndices cur = grid->GetStyleCurrentCell();
        cur.col = std::min(cur.col, n - 1);
        grid->SetStyleSelection(CCellRange::Cell(cur), cur, cur);
    }
    m_colHeader.m_nCols = n;
    m_sheet.m_nCols = n;
    ApplySizes();
    for (IGridStyleClient* grid : m_grids) {
        CCellIndices topLeft = grid->GetStyleTopLeft();
        if (topLeft.col > n - 1)
            topLeft.col = std::max(n - 1, 0);
        grid->ScrollStyleTo(topLeft);
        grid->SetStyleSelection(CCellRange::Cell(topLeft), topLeft, topLeft);
    }
}

void CZELGridStyle::SetHeaderColumnCount(int32_t n)
{
    n = std::max(n, 0);
    for (IGridStyleClient* grid : m_grids) {
        CCellIndices cur = grid->GetStyleCurrentCell();
        cur.col = std::min(cur.col, n - 1);
        grid->SetStyleSelection(CCellRange::Cell(cur), cur, cur);
    }
    m_corner.m_nCols = n;
    m_rowHeader.m_nCols = n;
    ApplySizes();
}

void CZELGridStyle::CheckGrowth(const std::array<CZELGridArray*, kArrayCount>& arrays) const
{
    // The line counts come from the pane styles; a per-line array grown far
    // beyond what the file holds would allocate memory the file never
    // described, so such a count is damage.
    const struct {
        ArrayIndex which;
        int32_t lines;
        int32_t defaultSize;
    } fits[] = {
        {kRowHeights, std::max(m_sheet.m_nRows, m_rowHeader.m_nRows), m_nSheetRowHeight},
        {kColWidths, std::max(m_sheet.m_nCols, m_colHeader.m_nCols), m_nSheetColWidth},
        {kCornerRowHeights, m_corner.m_nRows, m_nCornerRowHeight},
        {kCornerColWidths, m_corner.m_nCols, m_nCornerColWidth},
        {kColHeaderRowHeights, m_colHeader.m_nRows, m_nColHeaderRowHeight},
        {kRowHeaderColWidths, m_rowHeader.m_nCols, m_nRowHeaderColWidth},
    };
    for (const auto& fit : fits) {
        const CZELGridArray* array = arrays[fit.which];
        const bool perLine = array ? !array->IsUniform() : fit.defaultSize > 0;
        const int32_t held = array ? array->GetSize() : 0;
        if (perLine && fit.lines > held && fit.lines - held > kMaxGrownLines)
            fw::ThrowArchiveException(fw::CArchiveException::genericException);
    }
}

void CZELGridStyle::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nSheetRowHeight << m_nSheetColWidth << m_nRowHeaderColWidth << m_nColHeaderRowHeight
           << m_nCornerRowHeight << m_nCornerColWidth << m_nMode;
        for (CZELGridArray* array : m_arrays)
            ar.WriteObject(array);
        for (CZELPaneStyle* pane : {&m_corner, &m_colHeader, &m_rowHeader, &m_sheet})
            pane->Serialize(ar);
        return;
    }
    ar.GetObjectSchema(); // every stored version has this form
    ar >> m_nSheetRowHeight >> m_nSheetColWidth >> m_nRowHeaderColWidth >> m_nColHeaderRowHeight
        >> m_nCornerRowHeight >> m_nCornerColWidth >> m_nMode;
    std::array<std::unique_ptr<CZELGridArray>, kArrayCount> read;
    for (auto& array : read)
        array.reset(static_cast<CZELGridArray*>(ar.ReadOwnedObject(&CZELGridArray::s_runtimeClass)));
    DeleteArrays();
    for (size_t i = 0; i < read.size(); ++i)
        m_arrays[i] = read[i].release();
    for (CZELPaneStyle* pane : {&m_corner, &m_colHeader, &m_rowHeader, &m_sheet})
        pane->Serialize(ar);
    CheckGrowth(m_arrays);
    ApplySizes();
}

fw::CArchive& ReadGridStyle(fw::CArchive& ar, CZELGridStyle*& style)
{
    style = static_cast<CZELGridStyle*>(ar.ReadOwnedObject(&CZELGridStyle::s_runtimeClass));
    return ar;
}
