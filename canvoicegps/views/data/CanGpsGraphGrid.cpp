#include "canvoicegps/views/data/CanGpsGraphGrid.h"

#include "chart/model/GraphTimeListObj.h"
#include "data/views/KivDataGraphView.h"
#include "framework/ui/FrameWnd.h"

#include <memory>

namespace {

constexpr int32_t kColGraph = 0;
constexpr unsigned kVkLeft = 0x25;
constexpr unsigned kVkDown = 0x28;

} // namespace

int32_t CCanGraphGridPane::GraphRowCount() const
{
    CGraphTimeListObj* graph = m_pOwner ? m_pOwner->GetGraphList() : nullptr;
    return graph ? graph->GetRowCount() : 0;
}

void CCanGraphGridPane::OnLButtonDown(unsigned flags, fw::CPoint point)
{
    if (m_pOwner)
        if (fw::CFrameWnd* frame = m_pOwner->GetParentFrame(); frame && frame->GetActiveView() != m_pOwner)
            frame->SetActiveView(m_pOwner);
    int32_t col = -1;
    int32_t row = -1;
    if (GetActiveTool() == 0 && HitTestCell(point, col, row) == kHitCell && col == kColGraph &&
        row >= GraphRowCount())
        return;
    CKivDataGraphGridPane::OnLButtonDown(flags, point);
}

void CCanGraphGridPane::OnKeyDown(unsigned key, unsigned repeat, unsigned flags)
{
    if (GetActiveTool() == 0 && key >= kVkLeft && key <= kVkDown && GraphRowCount() == 0)
        return;
    CKivDataGraphGridPane::OnKeyDown(key, repeat, flags);
}

void CCanGraphGridPane::OnSetFocus()
{
    CKivDataGraphGridPane::OnSetFocus();
    if (m_pOwner)
        m_pOwner->Invalidate();
}

void CCanGraphGridPane::OnKillFocus()
{
    CKivDataGraphGridPane::OnKillFocus();
    if (m_pOwner)
        m_pOwner->Invalidate();
}

namespace {

template <class Pane>
std::unique_ptr<Pane> MakePane(CZELGrid* grid, CKivDataGraphView* view)
{
    auto pane = std::make_unique<Pane>(view);
    pane->SetGrid(grid);
    return pane;
}

} // namespace

CCanGraphGrid::CCanGraphGrid(CKivDataGraphView* view) : CKivDataGraphGrid(view)
{
    m_panes[kIndexSheet] = MakePane<CCanGraphGridPane>(this, view);
}

CGpsGraphGrid::CGpsGraphGrid(CKivDataGraphView* view) : CKivDataGraphGrid(view)
{
    m_panes[kIndexSheet] = MakePane<CGpsGraphGridPane>(this, view);
}
