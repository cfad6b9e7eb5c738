#include "frequency/views/HistDataViewBase.h"

#include "docview/controls/ContextMenus.h"
#include "framework/core/DC.h"
#include "framework/ui/CmdUI.h"
#include "frequency/document/HistDoc.h"
#include "frequency/views/HistFrame.h"
#include "frequency/views/HistViewIds.h"
#include "grid/model/GridColors.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"

#include <algorithm>

FW_IMPLEMENT_DYNAMIC(CHistDataViewBase, CDocTableView)

using namespace histview;

FW_BEGIN_COMMANDS(CHistDataViewBase, CDocTableView)
    FW_ON_COMMAND(kIdEditLock, &CHistDataViewBase::OnEditLock)
    FW_ON_UPDATE(kIdEditLock, &CHistDataViewBase::OnUpdateEditLock)
FW_END_COMMANDS

CHistDataViewBase::CHistDataViewBase() = default;

CHistDataViewBase::~CHistDataViewBase() = default;

CHistDoc* CHistDataViewBase::GetHistDoc() const { return dynamic_cast<CHistDoc*>(GetDocument()); }

CHistFrame* CHistDataViewBase::GetHistFrame() const { return dynamic_cast<CHistFrame*>(GetParentFrame()); }

void CHistDataViewBase::SetGridStyle(CZELGridStyle* style)
{
    if (style) {
        for (int pane = kPaneCorner; pane <= kPaneSheet; ++pane)
            style->GetPane(pane).m_crBack = kGridButtonFaceColor;
    }
    CZELSpredView::SetGridStyle(style);
}

void CHistDataViewBase::GetFrameLines(std::vector<fw::CString>& lines, char sep)
{
    fw::CString info;
    if (CHistFrame* frame = GetHistFrame())
        frame->GetInfoText(info, sep);
    lines.push_back(info);
}

// ---- view ------------------------------------------------------------------------------------

void CHistDataViewBase::OnUpdate(fw::CView*, intptr_t hint, fw::CObject*)
{
    CZELViewGrid* grid = GetGrid();
    switch (hint) {
    case kHintRepaint:
        Invalidate();
        if (grid && grid->GetStyle())
            grid->RedrawPanes();
        break;
    case kHintTitleChanged:
        if (CHistFrame* frame = GetHistFrame(); frame && Widget() && Widget()->isVisible()) {
            frame->UpdateTitleField();
            frame->UpdateTimes();
        } else if (grid && grid->GetStyle()) {
            grid->RedrawPanes();
        }
        break;
    case kHintDataChanged:
        if (grid && grid->GetStyle())
            grid->RedrawPanes();
        break;
    case kHintPaneMetrics:
        if (grid)
            grid->ResetPaneMetrics();
        break;
    default:
        break;
    }
}

int CHistDataViewBase::GetPrintPageCount(fw::CDC& dc)
{
    const int32_t lastRow = std::max(SheetRowCount() - 1, 0);
    const int32_t lastCol = std::max(SheetColumnCount() - 1, 0);
    return GetGrid()->CountPrintPages(dc, m_rcPrint, true, lastRow, lastCol, false);
}

void CHistDataViewBase::OnContextMenu(fw::CWnd*, fw::CPoint point)
{
    if (m_nContextMenuId > 0)
        appctl::TrackControlMenu(static_cast<unsigned>(m_nContextMenuId), *this, point);
}

void CHistDataViewBase::OnEditLock()
{
    CHistDoc* doc = GetHistDoc();
    if (!doc)
        return;
    doc->ToggleEditLock();
    if (CHistFrame* frame = GetHistFrame())
        frame->Bar().SetTitleReadOnly(doc->IsEditLocked());
    doc->SetModifiedFlag(true);
}

void CHistDataViewBase::OnUpdateEditLock(fw::CCmdUI* ui)
{
    CHistDoc* doc = GetHistDoc();
    ui->Enable(true);
    ui->SetCheck(doc && doc->IsEditLocked() ? 1 : 0);
}

