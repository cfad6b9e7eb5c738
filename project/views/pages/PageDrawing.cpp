#include "project/views/pages/PageDrawing.h"

#include "framework/core/DC.h"
#include "framework/core/Gdi.h"
#include "grid/model/DrawCell.h"
#include "grid/views/GridPane.h"

namespace prjpage {

void DrawMergedHeader(CZELDrawCell& cell, const CZELGridPane* pane, int32_t first, int32_t last,
                      const fw::CString& text, int32_t printRight)
{
    DrawMergedBlock(cell, pane, first, last, cell.m_nRow, cell.m_nRow, text, printRight);
}

void DrawMergedBlock(CZELDrawCell& cell, const CZELGridPane* pane, int32_t first, int32_t last, int32_t firstRow,
                     int32_t lastRow, const fw::CString& text, int32_t printRight, int32_t weight, bool edges)
{
    const int32_t col = cell.m_nCol;
    const int32_t row = cell.m_nRow;
    const fw::CRect own = cell.m_rcCell;
    int32_t before = 0;
    int32_t after = 0;
    int32_t above = 0;
    int32_t below = 0;
    if (pane) {
        for (int32_t c = first; c < col; ++c)
            before += pane->GetColumnWidth(c);
        for (int32_t c = col + 1; c <= last; ++c)
            after += pane->GetColumnWidth(c);
        for (int32_t r = firstRow; r < row; ++r)
            above += pane->GetRowHeight(r);
        for (int32_t r = row + 1; r <= lastRow; ++r)
            below += pane->GetRowHeight(r);
    }
    fw::CRect wide = own;
    wide.left -= before;
    wide.right += after;
    wide.top -= above;
    wide.bottom += below;
    const bool printing = cell.m_pDC && cell.m_pDC->IsPrinting();
    CellFormat format = cell.m_format;
    if (printing) {
        format.nFlags |= kCellFillBack;
        format.crBack = fw::RGB(255, 255, 255);
        if (printRight > 0 && wide.right > printRight)
            wide.right = own.right;
        if (wide.left < 0)
            wide.left = 0;
    }
    const fw::CRect textOwn = cell.m_rcText;
    cell.m_rcText = fw::CRect(wide.left + (textOwn.left - own.left), wide.top + (textOwn.top - own.top),
                              wide.right - (own.right - textOwn.right), wide.bottom - (own.bottom - textOwn.bottom));
    cell.m_rcCell = wide;
    const bool heavy = weight > 0;
    if (heavy) {
        format.nFlags |= kCellUseFont;
        format.lf.lfWeight = weight;
    }
    cell.DrawText(text, printing || heavy ? &format : nullptr);
    if (edges)
        DrawHeaderEdges(cell);
    cell.m_rcCell = own;
    cell.m_rcText = textOwn;
}

void DrawTwoRowHeader(CZELDrawCell& cell, const CZELGridPane* pane, const HeaderColumn* columns, int32_t count,
                      int32_t printRight, int32_t weight)
{
    const int32_t col = cell.m_nCol;
    if (col < 0 || col >= count || cell.m_nRow < 0 || cell.m_nRow > 1)
        return;
    const HeaderColumn& c = columns[col];
    if (!c.lower) {
        DrawMergedBlock(cell, pane, col, col, 0, 1, c.upper ? c.upper : "", printRight, weight);
        return;
    }
    if (cell.m_nRow == 1) {
        DrawMergedBlock(cell, pane, col, col, 1, 1, c.lower, printRight, weight);
        return;
    }
    int32_t first = col;
    while (first > 0 && !columns[first].upper)
        --first;
    int32_t last = col;
    while (last + 1 < count && !columns[last + 1].upper)
        ++last;
    DrawMergedBlock(cell, pane, first, last, 0, 0, columns[first].upper ? columns[first].upper : "", printRight, weight);
}

void DrawHeaderEdges(CZELDrawCell& cell)
{
    if (!cell.m_pDC)
        return;
    fw::CDC& dc = *cell.m_pDC;
    fw::CPen pen(fw::PS_SOLID, 0, fw::RGB(0, 0, 0));
    fw::CPen* old = dc.SelectObject(&pen);
    const fw::CRect& r = cell.m_rcCell;
    dc.MoveTo(r.left, r.bottom);
    dc.LineTo(r.left, r.top);
    dc.LineTo(r.right, r.top);
    dc.SelectObject(old);
}

} // namespace prjpage
