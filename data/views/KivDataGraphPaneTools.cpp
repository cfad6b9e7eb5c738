// The marker tool on the graph column: the pane hands it the mouse while
// marker selection is on, and selects or activates the drawn markers the
// tool names in a cell's own coordinates.

#include "data/views/KivDataGraphGrid.h"

#include "chart/model/DrawMarkerList.h"
#include "data/model/KivDataDoc.h"
#include "data/views/KivDataGraphView.h"
#include "framework/core/DC.h"
#include "framework/core/Gdi.h"

namespace {

constexpr int32_t kColGraph = 0;

} // namespace

CGraphListTool* CKivDataGraphGridPane::ActiveTool() const
{
    return m_nActiveTool ? CGraphListTool::FindTool(m_nActiveTool) : nullptr;
}

void CKivDataGraphGridPane::OnLButtonDblClk(unsigned flags, fw::CPoint point)
{
    if (CGraphListTool* tool = ActiveTool()) {
        tool->OnLButtonDblClk(*this, flags, point);
        return;
    }
    // Without a tool a double click on the graphs does nothing.
}

int CKivDataGraphGridPane::HitTestCell(fw::CPoint point, int32_t& col, int32_t& row)
{
    const int zone = HitTest(point.x, point.y);
    if (zone == kHitCell) {
        col = GetHitCell().col;
        row = GetHitCell().row;
    }
    return zone;
}

fw::CRect CKivDataGraphGridPane::GetToolCellRect(int32_t col, int32_t row) const
{
    return GetCellRect(CCellRange::Cell({row, col}));
}

void CKivDataGraphGridPane::ShowRubberBand(const fw::CRect& band)
{
    fw::CRect dirty = m_rcBand;
    m_rcBand = band.IsRectEmpty() ? fw::CRect() : band;
    if (dirty.IsRectEmpty())
        dirty = m_rcBand;
    else if (!m_rcBand.IsRectEmpty())
        dirty.UnionRect(dirty, m_rcBand);
    dirty.InflateRect(1, 1);
    InvalidateRect(&dirty, false);
}

void CKivDataGraphGridPane::PaintArea(fw::CDC& dc, const fw::CRect& area)
{
    CZELGridPaneSheet::PaintArea(dc, area);
    if (m_rcBand.IsRectEmpty())
        return;
    // Painted last, over the cells, instead of inverting them.
    static fw::CPen dotted(fw::PS_DOT, 1, fw::RGB(0, 0, 0));
    const int saved = dc.SaveDC();
    dc.SelectObject(&dotted);
    dc.SelectStockObject(fw::NULL_BRUSH);
    dc.Rectangle(m_rcBand);
    dc.RestoreDC(saved);
}

void CKivDataGraphGridPane::SelectMarkersInRect(int x1, int y1, int x2, int y2, bool add)
{
    CDrawMarkerList* markers = m_pView ? m_pView->GetMarkerList() : nullptr;
    if (!markers)
        return;
    if (!add)
        markers->ClearSelection();
    if (x1 == x2 && y1 == y2)
        markers->SelectAt({x1, y1}, add);
    else
        markers->SelectInRect({x1, y1, x2, y2}, add);
    m_pGrid->InvalidateColumns(kIndexSheet, kColGraph, kColGraph);
    if (CKivDataDoc* doc = m_pView->GetDataDoc())
        doc->UpdateAllViews(m_pView, CKivDataGraphView::kHintMarkerSelection, markers);
}

void CKivDataGraphGridPane::HitMarkers(int x, int y)
{
    if (CDrawMarkerList* markers = m_pView ? m_pView->GetMarkerList() : nullptr)
        markers->ActivateAt({x, y});
}
