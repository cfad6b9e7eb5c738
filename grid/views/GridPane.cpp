#include "grid/views/GridPane.h"

#include "common/base/TextFile.h"
#include "framework/core/DC.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridArray.h"
#include "grid/model/GridColors.h"
#include "grid/model/PaneStyle.h"
#include "grid/views/Grid.h"
#include "grid/views/GridRichWnd.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <limits>

using fw::CDC;
using fw::CRect;
using fw::CSize;

FW_IMPLEMENT_DYNAMIC(CZELGridPane, CZELGridObject)

namespace {

int32_t ClampPixels(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min() / 2,
                                                    std::numeric_limits<int32_t>::max() / 2));
}

} // namespace

CZELGridPane::CZELGridPane()
{
    m_selPen.CreatePen(fw::PS_SOLID, 3, 0xFFFFFF);
    m_selBrush.CreateSolidBrush(0xFFFFFF);
}

CZELGridPane::~CZELGridPane()
{
    m_pEditor.reset();
    DestroyWidgetNow();
}

CZELPaneStyle* CZELGridPane::SetPaneStyle(CZELPaneStyle* style)
{
    CZELPaneStyle* old = m_pStyle;
    m_pStyle = style;
    return old;
}

// --- callbacks of the base pane ------------------------------------------------------

void CZELGridPane::DrawCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (GetCellText(text, cell.m_nCol, cell.m_nRow, 1))
        cell.DrawText(text);
}

bool CZELGridPane::GetEditText(int32_t, int32_t, fw::CString& text)
{
    text = "grid";
    return true;
}

fw::CWnd* CZELGridPane::GetFocusWindow()
{
    return m_pGrid ? m_pGrid->GetFocusWindow() : nullptr;
}

void CZELGridPane::GetCellFormat(CellFormat& format, int32_t, int32_t)
{
    if (m_pStyle)
        format = m_pStyle->m_format;
}

// --- geometry ------------------------------------------------------------------------------

void CZELGridPane::GetCounts(int32_t& cols, int32_t& rows) const
{
    cols = ColumnCount();
    rows = RowCount();
}

int32_t CZELGridPane::RowCount() const
{
    if (!m_pStyle || !m_pStyle->m_pRowHeights)
        return 0;
    return std::min(m_pStyle->m_nRows, m_pStyle->m_pRowHeights->GetSize());
}

int32_t CZELGridPane::ColumnCount() const
{
    if (!m_pStyle || !m_pStyle->m_pColWidths)
        return 0;
    return std::min(m_pStyle->m_nCols, m_pStyle->m_pColWidths->GetSize());
}

int32_t CZELGridPane::GetRowHeight(int32_t row) const
{
    // Rows outside the table have no height: an empty table, or a top row
    // of -1, must not reach a per-line array outside its lines.
    if (row < 0 || row >= RowCount())
        return 0;
    return m_pStyle->m_pRowHeights->GetAt(row);
}

int32_t CZELGridPane::GetColumnWidth(int32_t col) const
{
    if (col < 0 || col >= ColumnCount())
        return 0;
    return m_pStyle->m_pColWidths->GetAt(col);
}

void CZELGridPane::SetRowHeights(int32_t first, int32_t size, int32_t count)
{
    first = std::max(first, 0);
    count = std::min(count, RowCount() - first);
    if (m_pStyle && count > 0)
        m_pStyle->SetRowHeights(first, size, count);
}

void CZELGridPane::SetColumnWidths(int32_t first, int32_t size, int32_t count)
{
    first = std::max(first, 0);
    count = std::min(count, ColumnCount() - first);
    if (m_pStyle && count > 0)
        m_pStyle->SetColumnWidths(first, size, count);
}

int64_t CZELGridPane::RowSpan(int32_t first, int32_t count) const
{
    const int32_t begin = std::max(first, 0);
    const int32_t end = std::min<int64_t>(int64_t(first) + std::max(count, 0), RowCount());
    if (end <= begin)
        return 0;
    return m_pStyle->m_pRowHeights->GetTotal(begin, end - begin);
}

int64_t CZELGridPane::ColumnSpan(int32_t first, int32_t count) const
{
    const int32_t begin = std::max(first, 0);
    const int32_t end = std::min<int64_t>(int64_t(first) + std::max(count, 0), ColumnCount());
    if (end <= begin)
        return 0;
    return m_pStyle->m_pColWidths->GetTotal(begin, end - begin);
}

int32_t CZELGridPane::GetRowOffset(int32_t row) const
{
    const int32_t top = std::max(m_nTopRow, 0);
    if (row < top)
        return ClampPixels(-RowSpan(row, top - row));
    return ClampPixels(RowSpan(top, row - top));
}

int32_t CZELGridPane::GetColumnOffset(int32_t col) const
{
    const int32_t left = std::max(m_nLeftCol, 0);
    if (col < left)
        return ClampPixels(-ColumnSpan(col, left - col));
    return ClampPixels(ColumnSpan(left, col - left));
}

CRect CZELGridPane::GetCellRect(const CCellRange& range) const
{
    return CRect(GetColumnOffset(range.left), GetRowOffset(range.top),
                 GetColumnOffset(range.right) + GetColumnWidth(range.right),
                 GetRowOffset(range.bottom) + GetRowHeight(range.bottom));
}

CSize CZELGridPane::ClientSize() const
{
    if (m_bPrinting)
        return m_rcPrint.Size();
    const CRect rc = GetClientRect();
    return rc.Size();
}

int32_t CZELGridPane::CountVisibleColumns(int32_t start, bool wholeOnly) const
{
    int64_t remaining = ClientSize().cx;
    int32_t n = 0;
    const int32_t cols = ColumnCount();
    for (int32_t c = std::max(start, 0); c < cols && remaining > 0; ++c, ++n)
        remaining -= GetColumnWidth(c);
    if (remaining < 0 && wholeOnly && n > 1)
        --n;
    return n;
}

int32_t CZELGridPane::CountVisibleRows(int32_t start, bool wholeOnly) const
{
    int64_t remaining = ClientSize().cy;
    int32_t n = 0;
    const int32_t rows = RowCount();
    for (int32_t r = std::max(start, 0); r < rows && remaining > 0; ++r, ++n)
        remaining -= GetRowHeight(r);
    if (remaining < 0 && wholeOnly && n > 1)
        --n;
    return n;
}

void CZELGridPane::GetVisibleCounts(int32_t& cols, int32_t& rows) const
{
    cols = CountVisibleColumns(m_nLeftCol, false);
    rows = CountVisibleRows(m_nTopRow, false);
}

CSize CZELGridPane::GetVisibleExtent() const
{
    if (!m_bVisible || !m_pStyle)
        return CSize();
    int32_t cols = 0;
    int32_t rows = 0;
    GetVisibleCounts(cols, rows);
    const int64_t width = m_nLeftCol < 0 ? 0 : ColumnSpan(m_nLeftCol, cols);
    const int64_t height = m_nTopRow < 0 ? 0 : RowSpan(m_nTopRow, rows);
    return CSize(ClampPixels(width), ClampPixels(height));
}

CSize CZELGridPane::GetTotalExtent() const
{
    return CSize(ClampPixels(ColumnSpan(0, ColumnCount())), ClampPixels(RowSpan(0, RowCount())));
}

CSize CZELGridPane::GetCellAreaSize() const
{
    const CSize visible = GetVisibleExtent();
    const CSize client = ClientSize();
    return CSize(std::min(visible.cx, client.cx), std::min(visible.cy, client.cy));
}

CCellRange CZELGridPane::GetCellsInRect(const CRect& rect, int32_t startCol, int32_t startRow, bool printing) const
{
    CCellRange range;
    if (rect.IsRectEmpty() || startCol < 0 || startRow < 0)
        return range;
    auto scan = [&](int32_t start, int32_t count, int lo, int hi, auto size, int32_t& first, int32_t& last) {
        int64_t edge = 0;
        first = -1;
        last = -1;
        for (int32_t i = start; i < count; ++i) {
            edge += size(i);
            if (first < 0 && edge >= lo)
                first = i;
            if (first >= 0 && edge > hi) {
                last = i;
                if (printing && last != first)
                    --last;
                return;
            }
        }
        if (first >= 0)
            last = count - 1;
    };
    int32_t firstCol = -1, lastCol = -1, firstRow = -1, lastRow = -1;
    scan(startCol, ColumnCount(), rect.left, rect.right, [this](int32_t c) { return GetColumnWidth(c); }, firstCol,
         lastCol);
    scan(startRow, RowCount(), rect.top, rect.bottom, [this](int32_t r) { return GetRowHeight(r); }, firstRow,
         lastRow);
    if (firstCol < 0 || firstRow < 0)
        return range;
    return {firstRow, firstCol, lastRow, lastCol};
}

void CZELGridPane::ExpandRectToColumns(CRect& rect, int32_t col, int32_t first, int32_t last) const
{
    rect.left -= ClampPixels(ColumnSpan(first, col - first));
    rect.right += ClampPixels(ColumnSpan(col + 1, last - col));
}

void CZELGridPane::ExpandRectToRows(CRect& rect, int32_t row, int32_t first, int32_t last) const
{
    rect.top -= ClampPixels(RowSpan(first, row - first));
    rect.bottom += ClampPixels(RowSpan(row + 1, last - row));
}

int CZELGridPane::GetCellPosition(int32_t row, int32_t col) const
{
    int pos = 0;
    const CSize client = ClientSize();
    const int32_t left = std::max(m_nLeftCol, 0);
    const int32_t top = std::max(m_nTopRow, 0);
    if (col < left)
        pos |= kCellLeft;
    else if (col - left > CountVisibleColumns(left, false)
             || GetColumnOffset(col) + GetColumnWidth(col) > client.cx)
        pos |= kCellRight;
    if (row < top)
        pos |= kCellAbove;
    else if (row - top > CountVisibleRows(top, false) || GetRowOffset(row) + GetRowHeight(row) > client.cy)
        pos |= kCellBelow;
    return pos;
}

// --- scrolling --------------------------------------------------------------------------------

void CZELGridPane::ScrollTo(int32_t leftCol, int32_t topRow)
{
    m_nLeftCol = leftCol;
    m_nTopRow = topRow;
    if (m_bEditing)
        MoveEditorWithCells(leftCol, topRow);
}

CCellIndices CZELGridPane::ComputeVisibleOrigin(int32_t row, int32_t col) const
{
    const int pos = GetCellPosition(row, col);
    CCellIndices origin{std::max(m_nTopRow, 0), std::max(m_nLeftCol, 0)};
    if (pos & kCellAbove)
        origin.row = row;
    else if (pos & kCellBelow)
        origin.row = std::clamp(row + 2 - CountVisibleRows(origin.row, false), 0, std::max(row, 0));
    if (pos & kCellLeft)
        origin.col = col;
    else if (pos & kCellRight)
        origin.col = std::clamp(col + 2 - CountVisibleColumns(origin.col, false), 0, std::max(col, 0));
    origin.row = std::min(origin.row, std::max(RowCount() - 1, 0));
    origin.col = std::min(origin.col, std::max(ColumnCount() - 1, 0));
    // Lines of unequal size: step until the cell's far edge shows.
    const CSize client = ClientSize();
    while (origin.row < row && RowSpan(origin.row, row - origin.row + 1) > client.cy)
        ++origin.row;
    while (origin.col < col && ColumnSpan(origin.col, col - origin.col + 1) > client.cx)
        ++origin.col;
    return origin;
}

void CZELGridPane::EnsureVisible(int32_t row, int32_t col, bool repaint)
{
    const CCellIndices origin = ComputeVisibleOrigin(row, col);
    ScrollTo(origin.col, origin.row);
    if (repaint) {
        Invalidate(true);
        RepaintNow();
    }
}

// --- selection ------------------------------------------------------------------------------------

bool CZELGridPane::GetCurrentRange(CCellRange& range) const
{
    const uint32_t flags = m_pStyle ? m_pStyle->m_nSelFlags : 0;
    if (flags == 0)
        return false;
    if (flags & kSelectColumns)
        range = {0, m_current.col, std::max(RowCount() - 1, 0), m_current.col};
    else if (flags & kSelectRows)
        range = {m_current.row, 0, m_current.row, std::max(ColumnCount() - 1, 0)};
    else
        range = CCellRange::Cell(m_current);
    return true;
}

namespace {

// The parts of `a` outside `b`.
std::vector<CCellRange> Subtract(const CCellRange& a, const CCellRange& b)
{
    if (!a.IsValid())
        return {};
    const CCellRange i{std::max(a.top, b.top), std::max(a.left, b.left), std::min(a.bottom, b.bottom),
                       std::min(a.right, b.right)};
    if (!b.IsValid() || !i.IsValid())
        return {a};
    std::vector<CCellRange> parts;
    if (a.top < i.top)
        parts.push_back({a.top, a.left, i.top - 1, a.right});
    if (i.bottom < a.bottom)
        parts.push_back({i.bottom + 1, a.left, a.bottom, a.right});
    if (a.left < i.left)
        parts.push_back({i.top, a.left, i.bottom, i.left - 1});
    if (i.right < a.right)
        parts.push_back({i.top, i.right + 1, i.bottom, a.right});
    return parts;
}

} // namespace

void CZELGridPane::SetSelectionRange(const CCellRange& range, bool keepUnchanged)
{
    const bool single = range.IsValid() && range.top == range.bottom && range.left == range.right;
    if (keepUnchanged && !single && m_selection.IsValid() && range.IsValid()) {
        for (const CCellRange& part : Subtract(range, m_selection))
            InvalidateRange(part);
        for (const CCellRange& part : Subtract(m_selection, range))
            InvalidateRange(part);
    } else {
        InvalidateRange(range);
        InvalidateRange(m_selection);
    }
    m_selection = range;
}

void CZELGridPane::SetSelection(const CCellRange& range, bool repaintNow)
{
    CCellRange ordered = range;
    if (ordered.top > ordered.bottom)
        std::swap(ordered.top, ordered.bottom);
    if (ordered.left > ordered.right)
        std::swap(ordered.left, ordered.right);
    SetSelectionRange(ordered, true);
    if (repaintNow)
        RepaintNow();
}

void CZELGridPane::ResetSelection()
{
    m_current = {0, 0};
    m_end = {0, 0};
    m_selection = CCellRange::Cell({0, 0});
}

void CZELGridPane::PlaceCurrentCell(CCellIndices cell)
{
    InvalidateCell(m_current);
    m_current = cell;
    m_end = cell;
    InvalidateCell(cell);
}

void CZELGridPane::SetCurrentCell(CCellIndices cell)
{
    EndEdit(0);
    PlaceCurrentCell(cell);
    OnCurrentCellSet(cell);
}

// --- invalidation ------------------------------------------------------------------------------------

CRect CZELGridPane::RangePixels(const CCellRange& range) const
{
    return GetCellRect(range);
}

void CZELGridPane::InvalidateRange(const CCellRange& range)
{
    if (!range.IsValid() || !Widget() || !m_pStyle)
        return;
    CRect rect = RangePixels(range);
    rect = CRect(rect.left - 1, std::max(rect.top - 1, 0), rect.right + 2, rect.bottom + 2);
    CRect clipped;
    if (clipped.IntersectRect(rect, GetClientRect()))
        InvalidateRect(&clipped, false);
}

void CZELGridPane::InvalidateRangeCells(const CCellRange& range)
{
    if (!range.IsValid() || !Widget() || !m_pStyle)
        return;
    int32_t visCols = 0;
    int32_t visRows = 0;
    GetVisibleCounts(visCols, visRows);
    const int32_t top = std::max(range.top, m_nTopRow);
    const int32_t bottom = std::min(range.bottom, m_nTopRow + visRows);
    const int32_t left = std::max(range.left, m_nLeftCol);
    const int32_t right = std::min(range.right, m_nLeftCol + visCols);
    for (int32_t r = top; r <= bottom; ++r)
        for (int32_t c = left; c <= right; ++c) {
            const CRect cell = GetCellRect(CCellRange::Cell({r, c}));
            CRect inner(cell.left + 1, cell.top + 1, cell.right - 1, cell.bottom - 1);
            InvalidateRect(&inner, false);
        }
}

void CZELGridPane::InvalidateColumns(int32_t first, int32_t last)
{
    int32_t visCols = 0;
    int32_t visRows = 0;
    GetVisibleCounts(visCols, visRows);
    InvalidateRangeCells({m_nTopRow, first, m_nTopRow + visRows, last});
}

void CZELGridPane::InvalidateRows(int32_t first, int32_t last)
{
    int32_t visCols = 0;
    int32_t visRows = 0;
    GetVisibleCounts(visCols, visRows);
    InvalidateRangeCells({first, m_nLeftCol, last, m_nLeftCol + visCols});
}

void CZELGridPane::InvalidateCell(CCellIndices cell)
{
    if (cell.IsValid())
        InvalidateRange(CCellRange::Cell(cell));
}

void CZELGridPane::RepaintNow()
{
    if (QWidget* w = Widget())
        w->repaint();
}

// --- painting -------------------------------------------------------------------------------------------

void CZELGridPane::SetPrintArea(int x, int y, int width, int height)
{
    m_rcPrint = CRect(x, y, x + width, y + height);
}

void CZELGridPane::PrepareDC(CDC& dc)
{
    if (dc.IsPrinting())
        PreparePrinting(dc, m_rcPrint.TopLeft());
    m_rcPainted = GetClientRect();
    m_bPainted = true;
}

void CZELGridPane::EraseBackground(CDC& dc)
{
    if (!m_pStyle)
        return;
    const CSize extent = GetVisibleExtent();
    const CRect client = GetClientRect();
    const fw::COLORREF color = GridLineColorOn(kGridWindowColor);
    if (extent.cx < client.right)
        dc.FillSolidRect(CRect(extent.cx, 0, client.right, client.bottom), color);
    if (extent.cy < client.bottom)
        dc.FillSolidRect(CRect(0, extent.cy, std::min(extent.cx, client.right), client.bottom), color);
}

void CZELGridPane::PaintArea(CDC& dc, const CRect& area)
{
    if (!m_pStyle) {
        dc.FillSolidRect(area, GridLineColorOn(kGridWindowColor));
        return;
    }
    EraseBackground(dc);
    Paint(dc, m_nLeftCol, m_nTopRow);
}

void CZELGridPane::Paint(CDC& dc, int32_t leftCol, int32_t topRow)
{
    if (!m_pStyle)
        return;
    const bool printing = dc.IsPrinting();
    m_bPrinting = printing;
    const int saved = dc.SaveDC();
    PrepareDC(dc);
    CRect area;
    if (printing)
        area = CRect(0, 0, m_rcPrint.Width(), m_rcPrint.Height());
    else
        dc.GetClipBox(&area);
    const CCellRange range = GetCellsInRect(area, leftCol, topRow, printing);
    if (!range.IsValid() || !m_bVisible) {
        dc.RestoreDC(saved);
        RestoreDC(dc);
        m_bPrinting = false;
        return;
    }
    const CZELPaneStyle& st = *m_pStyle;
    fw::COLORREF back = st.m_crBack;
    fw::COLORREF vertColor = st.m_crVertLine;
    fw::COLORREF horzColor = st.m_crHorzLine;
    int vertStyle = st.m_nVertPenStyle;
    int horzStyle = st.m_nHorzPenStyle;
    if (st.m_bSysColors) {
        back = printing ? 0xFFFFFF : kGridWindowColor;
        const fw::COLORREF line = printing ? 0x000000 : GridLineColorOn(kGridWindowColor);
        vertColor = horzColor = line;
        vertStyle = horzStyle = fw::PS_SOLID;
    }
    if (!st.m_bVertLines)
        vertColor = back;
    if (!st.m_bHorzLines)
        horzColor = back;

    dc.SetBkMode(fw::TRANSPARENT);
    fw::CBrush backBrush(back);
    dc.SelectObject(&backBrush);
    dc.SetBkColor(back);

    CSize extent;
    if (printing) {
        extent.cx = static_cast<int32_t>(std::min<int64_t>(ColumnSpan(range.left, range.Cols()), m_rcPrint.Width()));
        extent.cy = static_cast<int32_t>(std::min<int64_t>(RowSpan(range.top, range.Rows()), m_rcPrint.Height()));
    } else {
        extent = GetVisibleExtent();
        dc.IntersectClipRect(0, 0, extent.cx + 1, extent.cy + 1);
    }

    // Cells whose owner has nothing to draw still show the background.
    CRect cells;
    if (cells.IntersectRect(area, CRect(0, 0, extent.cx, extent.cy)))
        dc.FillRect(cells, &backBrush);

    if (st.m_bHorzLines && !st.m_bVertLines) {
        DrawVerticalLines(dc, leftCol, range, extent.cx, extent.cy, vertColor, vertStyle);
        DrawHorizontalLines(dc, topRow, range, extent.cx, extent.cy, horzColor, horzStyle);
    } else {
        DrawHorizontalLines(dc, topRow, range, extent.cx, extent.cy, horzColor, horzStyle);
        DrawVerticalLines(dc, leftCol, range, extent.cx, extent.cy, vertColor, vertStyle);
    }
    m_rcKeep = CRect();
    DrawCells(dc, range, leftCol, topRow, extent);
    if (m_bFrame) {
        fw::CPen frame(fw::PS_SOLID, 0, 0);
        fw::CPen* old = dc.SelectObject(&frame);
        dc.MoveTo(0, 0);
        dc.LineTo(0, extent.cy);
        dc.LineTo(extent.cx, extent.cy);
        dc.LineTo(extent.cx, 0);
        dc.LineTo(0, 0);
        dc.SelectObject(old);
    }
    if (!printing && st.m_nSelFlags != 0 && m_selection.IsValid()) {
        const CCellRange shown{std::max(std::max(range.top - 1, 0), m_selection.top),
                               std::max(std::max(range.left - 1, 0), m_selection.left),
                               std::min(range.bottom + 1, m_selection.bottom),
                               std::min(range.right + 1, m_selection.right)};
        const bool focusOnly = (st.m_nSelFlags & kSelectFocusOnly) != 0;
        if (shown.IsValid() && !(focusOnly && !HasFocus()))
            DrawSelection(dc, CRect(1, 1, extent.cx, extent.cy));
    }
    dc.RestoreDC(saved);
    RestoreDC(dc);
    m_bPrinting = false;
}

void CZELGridPane::DrawHorizontalLines(CDC& dc, int32_t topRow, const CCellRange& range, int width, int height,
                                       fw::COLORREF color, int penStyle)
{
    fw::CPen pen(static_cast<uint32_t>(penStyle), 0, color);
    fw::CPen* old = dc.SelectObject(&pen);
    int64_t y = RowSpan(topRow, range.top - topRow);
    dc.MoveTo(0, static_cast<int>(y));
    dc.LineTo(width, static_cast<int>(y));
    for (int32_t r = range.top; r < range.bottom; ++r) {
        y += GetRowHeight(r);
        if (y > height)
            break;
        dc.MoveTo(0, static_cast<int>(y));
        dc.LineTo(width, static_cast<int>(y));
    }
    dc.SelectObject(old);
}

void CZELGridPane::DrawVerticalLines(CDC& dc, int32_t leftCol, const CCellRange& range, int width, int height,
                                     fw::COLORREF color, int penStyle)
{
    fw::CPen pen(static_cast<uint32_t>(penStyle), 0, color);
    fw::CPen* old = dc.SelectObject(&pen);
    int64_t x = ColumnSpan(leftCol, range.left - leftCol);
    dc.MoveTo(static_cast<int>(x), 0);
    dc.LineTo(static_cast<int>(x), height);
    for (int32_t c = range.left; c < range.right; ++c) {
        x += GetColumnWidth(c);
        if (x > width)
            break;
        dc.MoveTo(static_cast<int>(x), 0);
        dc.LineTo(static_cast<int>(x), height);
    }
    dc.SelectObject(old);
}

bool CZELGridPane::HasFocus() const
{
    return const_cast<CZELGridPane*>(this)->GetFocusWindow() == this;
}

void CZELGridPane::DrawCells(CDC& dc, const CCellRange& range, int32_t originCol, int32_t originRow, CSize extent)
{
    CZELDrawCell cell;
    cell.m_format = m_pStyle->m_format;
    cell.m_nCtrlId = GetDlgCtrlID();
    cell.m_pDC = &dc;
    fw::CFont font;
    font.CreatePointFontIndirect(cell.m_format.lf);
    fw::CFont* oldFont = dc.SelectObject(&font);
    if (cell.m_format.bSysTextColor) {
        cell.m_format.crText = kGridWindowTextColor;
        cell.m_format.nFlags &= ~static_cast<uint32_t>(kCellFillBack);
    }
    const fw::COLORREF oldText = dc.SetTextColor(cell.m_format.crText);
    const bool focused = HasFocus();
    const CellFormat paneFormat = cell.m_format;

    int64_t x = ColumnSpan(originCol, range.left - originCol);
    const int64_t y0 = RowSpan(originRow, range.top - originRow);
    for (int32_t c = range.left; c <= range.right && x < extent.cx; ++c) {
        const int64_t right = std::min<int64_t>(x + GetColumnWidth(c), extent.cx);
        int64_t y = y0;
        for (int32_t r = range.top; r <= range.bottom; ++r) {
            if (y >= extent.cy)
                break;
            const int64_t bottom = std::min<int64_t>(y + GetRowHeight(r), extent.cy);
            cell.m_format = paneFormat;
            GetCellFormatForDrawing(cell.m_format, c, r);
            cell.m_rcCell = CRect(int(x), int(y), int(right), int(bottom));
            cell.m_rcText = CRect(int(x) + 1, int(y) + 1, int(right), int(bottom));
            cell.m_nCol = c;
            cell.m_nRow = r;
            cell.m_nArrowKind = kArrowDown;
            cell.m_nState = m_selection.Contains(r, c) ? uint32_t(kCellSelected) : 0u;
            if (focused && m_current.row == r && m_current.col == c)
                cell.m_nState |= kCellCurrentFocused;
            cell.m_rcKeep = CRect();
            DrawCell(cell);
            if (!cell.m_rcKeep.IsRectEmpty())
                m_rcKeep = cell.m_rcKeep;
            y = bottom;
        }
        x = right;
    }
    dc.SelectObject(oldFont);
    dc.SetTextColor(oldText);
}

void CZELGridPane::DrawSelection(CDC& dc, const CRect& frameInside)
{
    int32_t visCols = 0;
    int32_t visRows = 0;
    GetVisibleCounts(visCols, visRows);
    const CCellRange limited{std::max(m_selection.top, m_nTopRow), std::max(m_selection.left, m_nLeftCol),
                             std::min(m_selection.bottom, m_nTopRow + visRows),
                             std::min(m_selection.right, m_nLeftCol + visCols)};
    if (!limited.IsValid())
        return;
    CRect rect = GetCellRect(limited);
    rect.right += 1;
    rect.bottom += 1;
    CRect clip;
    dc.GetClipBox(&clip);
    if (rect.left < clip.left && rect.top < clip.top && rect.right > clip.right && rect.bottom > clip.bottom)
        rect = clip;
    CRect inside;
    if (!inside.IntersectRect(rect, frameInside))
        return;
    // The inside of the current cell keeps its look; the rest is inverted.
    std::vector<CRect> parts;
    CRect hole;
    if (!m_rcKeep.IsRectEmpty() && hole.IntersectRect(inside, m_rcKeep)) {
        if (inside.top < hole.top)
            parts.emplace_back(inside.left, inside.top, inside.right, hole.top);
        if (hole.bottom < inside.bottom)
            parts.emplace_back(inside.left, hole.bottom, inside.right, inside.bottom);
        if (inside.left < hole.left)
            parts.emplace_back(inside.left, hole.top, hole.left, hole.bottom);
        if (hole.right < inside.right)
            parts.emplace_back(hole.right, hole.top, inside.right, hole.bottom);
    } else {
        parts.push_back(inside);
    }
    const int oldRop = dc.SetROP2(fw::R2_XORPEN);
    for (const CRect& part : parts)
        dc.FillRect(part, &m_selBrush);
    dc.SetROP2(oldRop);
}

// --- text export -------------------------------------------------------------------------------------------

bool CZELGridPane::AppendRowText(fw::CString& text, int32_t row, char sep, bool first, int context,
                                 int32_t firstCol, int32_t endCol)
{
    const int32_t cols = ColumnCount();
    const int32_t end = std::min(endCol, cols);
    if (row >= RowCount()) {
        const int n = first ? end - firstCol - 1 : 1;
        for (int i = 0; i < n; ++i)
            text += sep;
        return first;
    }
    for (int32_t c = firstCol; c < end; ++c) {
        fw::CString cellText;
        if (!GetCellText(cellText, c, row, context))
            continue;
        if (!first)
            text += sep;
        first = false;
        text += sep == ',' ? CTextFile::MakeCsvField(cellText) : cellText;
    }
    return first;
}
