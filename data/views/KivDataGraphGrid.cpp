#include "data/views/KivDataGraphGrid.h"

#include "chart/model/GraphTimeListObj.h"
#include "data/views/KivDataGraphView.h"
#include "framework/core/Exceptions.h"

#include <cmath>

FW_IMPLEMENT_DYNAMIC(CKivDataGraphGridPane, CZELGridPaneSheet)
FW_IMPLEMENT_DYNAMIC(CKivDataGraphGrid, CZELViewGrid)

namespace {

constexpr unsigned kVkLeft = 0x25;
constexpr unsigned kVkDown = 0x28;
constexpr int32_t kColGraph = 0;

} // namespace

CKivDataGraphGrid::CKivDataGraphGrid(CKivDataGraphView* view) : CZELViewGrid(view)
{
    if (!m_panes[kIndexSheet])
        fw::ThrowInvalidArgException();
    auto pane = std::make_unique<CKivDataGraphGridPane>();
    pane->SetGrid(this);
    pane->SetView(view);
    m_panes[kIndexSheet] = std::move(pane);
}

CKivDataGraphGridPane* CKivDataGraphGrid::GraphPane() const
{
    return dynamic_cast<CKivDataGraphGridPane*>(GetSheetPane());
}

void CKivDataGraphGridPane::OnLButtonDown(unsigned flags, fw::CPoint point)
{
    if (CGraphListTool* tool = ActiveTool()) {
        tool->OnLButtonDown(*this, flags, point);
        return;
    }
    const int hit = HitTest(point.x, point.y);
    if (!m_pView || hit != kHitCell) {
        // Header borders are still dragged as in any grid.
        CZELGridPaneSheet::OnLButtonDown(flags, point);
        return;
    }
    SetFocus();
    const CCellIndices cell = GetHitCell();
    if (cell.col != kColGraph)
        return;
    const fw::CRect rect = GetCellRect(CCellRange::Cell(cell));
    m_nDragEdge = m_pView->ClickCursor(cell.row, fw::CPoint(point.x - rect.left, point.y - rect.top),
                                       (flags & fw::MK_SHIFT) != 0);
    m_nTrack = kDragging;
}

void CKivDataGraphGridPane::OnMouseMove(unsigned flags, fw::CPoint point)
{
    if (CGraphListTool* tool = ActiveTool()) {
        tool->OnMouseMove(*this, flags, point);
        return;
    }
    if (m_nTrack != kDragging || !m_pView) {
        CZELGridPaneSheet::OnMouseMove(flags, point);
        return;
    }
    // A click outside the plot cleared the cursors: the press drags none.
    if (m_nDragEdge == CKivDataGraphView::kNoDrag)
        return;
    if (HitTest(point.x, point.y) != kHitCell)
        return;
    CGraphTimeListObj* graph = m_pView->GetGraphList();
    if (!graph)
        return;
    const fw::CRect rect = GetCellRect(CCellRange::Cell(GetHitCell()));
    const double time = graph->TimeAtPoint(GetHitCell().row, point.x - rect.left, point.y - rect.top);
    if (time == HUGE_VAL)
        return;
    const int edge = graph->SetSelectionEdge(m_nDragEdge, time);
    if (edge == CGraphTimeListObj::kStartEdge || edge == CGraphTimeListObj::kEndEdge)
        m_nDragEdge = edge;
    m_pView->RedrawCursorColumns();
}

void CKivDataGraphGridPane::OnLButtonUp(unsigned flags, fw::CPoint point)
{
    if (CGraphListTool* tool = ActiveTool()) {
        if (m_pView)
            m_pView->LayOutMarkers(CGraphListTool::Tracking().row);
        tool->OnLButtonUp(*this, flags, point);
        return;
    }
    if (m_nTrack == kDragging) {
        m_nTrack = kIdle;
        if (m_pView)
            if (CGraphTimeListObj* graph = m_pView->GetGraphList())
                graph->NormalizeSelection();
        return;
    }
    CZELGridPaneSheet::OnLButtonUp(flags, point);
}

void CKivDataGraphGridPane::OnKeyDown(unsigned key, unsigned repeat, unsigned flags)
{
    if (CGraphListTool* tool = ActiveTool()) {
        tool->OnKeyDown(*this, key, repeat, flags);
        return;
    }
    if (m_pView && key >= kVkLeft && key <= kVkDown && m_pView->MoveCursorByKey(key))
        return;
    CZELGridPaneSheet::OnKeyDown(key, repeat, flags);
}
