#include "docview/controls/ZELEdit.h"

#include "docview/controls/ContextMenus.h"
#include "framework/core/Clipboard.h"
#include "framework/core/CmdTarget.h"

#include <QLineEdit>

FW_IMPLEMENT_DYNAMIC(CZELEdit, fw::CEdit)

CZELEdit::CZELEdit()
{
    appctl::RouteContextMenu(Line(), [this](fw::CPoint at) { OnContextMenu(this, at); });
}

void CZELEdit::UpdateCopyCut(fw::CCmdUI* ui)
{
    int start = 0, end = 0;
    GetSel(start, end);
    ui->Enable(start != end);
}

void CZELEdit::UpdateSelectAll(fw::CCmdUI* ui)
{
    int start = 0, end = 0;
    GetSel(start, end);
    const int length = Line() ? static_cast<int>(Line()->text().size()) : 0;
    ui->Enable(!(start == 0 && end == length));
}

void CZELEdit::UpdatePaste(fw::CCmdUI* ui)
{
    ui->Enable(fw::Clipboard().HasText());
}

void CZELEdit::OnContextMenu(fw::CWnd*, fw::CPoint point)
{
    appctl::TrackControlMenu(m_nMenuId, *this, point);
}
