#include "canvoicegps/views/data/CanGpsGraphGrid.h"

#include "data/views/KivDataGraphView.h"
#include "framework/ui/FrameWnd.h"

#include <memory>

void CCanGpsGraphGridPane::OnLButtonDown(unsigned flags, fw::CPoint point)
{
    if (m_pOwner)
        if (fw::CFrameWnd* frame = m_pOwner->GetParentFrame(); frame && frame->GetActiveView() != m_pOwner)
            frame->SetActiveView(m_pOwner);
    CKivDataGraphGridPane::OnLButtonDown(flags, point);
}

void CCanGpsGraphGridPane::OnSetFocus()
{
    CKivDataGraphGridPane::OnSetFocus();
    if (m_pOwner)
        m_pOwner->Invalidate();
}

void CCanGpsGraphGridPane::OnKillFocus()
{
    CKivDataGraphGridPane::OnKillFocus();
    if (m_pOwner)
        m_pOwner->Invalidate();
}

CCanGpsGraphGrid::CCanGpsGraphGrid(CKivDataGraphView* view) : CKivDataGraphGrid(view)
{
    auto pane = std::make_unique<CCanGpsGraphGridPane>(view);
    pane->SetGrid(this);
    pane->SetView(view);
    m_panes[kIndexSheet] = std::move(pane);
}
