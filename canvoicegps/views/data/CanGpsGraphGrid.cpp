#include "canvoicegps/views/data/CanGpsGraphGrid.h"

#include "data/views/KivDataGraphView.h"
#include "framework/ui/FrameWnd.h"

#include <memory>

void CCanGraphGridPane::OnLButtonDown(unsigned flags, fw::CPoint point)
{
    if (m_pOwner)
        if (fw::CFrameWnd* frame = m_pOwner->GetParentFrame(); frame && frame->GetActiveView() != m_pOwner)
            frame->SetActiveView(m_pOwner);
    CKivDataGraphGridPane::OnLButtonDown(flags, point);
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
