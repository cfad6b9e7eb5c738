#include "grid/views/WHsetDlg.h"

#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "grid/views/Grid.h"
#include "grid/views/GridPane.h"

#include <QLineEdit>

#include <algorithm>
#include <cmath>

FW_IMPLEMENT_DYNAMIC(CWHsetDlg, fw::CDialog)

CWHsetDlg::CWHsetDlg(fw::CWnd* pane, fw::CWnd* parent) : fw::CDialog(kTemplateId, parent), m_pWnd(pane)
{
}

int CWHsetDlg::PixelsToHundredthsMm(int pixels)
{
    return static_cast<int>(std::lround(pixels * 2540.0 / ScreenDpi()));
}

int CWHsetDlg::HundredthsMmToPixels(int units)
{
    return static_cast<int>(std::lround(units * static_cast<double>(ScreenDpi()) / 2540.0));
}

void CWHsetDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("設定");
    b.Edit(kIdValue);
    b.Static(static_cast<int>(fw::IDC_STATIC), "mm");
    b.OkCancel("OK", "キャンセル");
}

bool CWHsetDlg::OnInitDialog()
{
    SetWindowText(m_bColumns ? "幅の設定" : "高さの設定");
    if (auto* pane = dynamic_cast<CZELGridPane*>(m_pWnd)) {
        const CCellIndices cell = pane->GetCurrentCell();
        const int pixels = m_bColumns ? pane->GetColumnWidth(cell.col) : pane->GetRowHeight(cell.row);
        m_fValue = static_cast<float>(PixelsToHundredthsMm(pixels) / 100.0);
    }
    UpdateData(false);
    if (auto* edit = GetDlgItemAs<fw::CEdit>(kIdValue))
        if (auto* line = qobject_cast<QLineEdit*>(edit->Widget())) {
            line->setFocus();
            line->selectAll();
        }
    return false;
}

void CWHsetDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Text(dx, kIdValue, m_fValue);
    fw::DDV_MinMaxFloat(dx, m_fValue, 0.0f, 32000.0f);
}

int CWHsetDlg::DoModal()
{
    const int result = fw::CDialog::DoModal();
    if (result == fw::IDOK)
        Apply();
    return result;
}

void CWHsetDlg::Apply()
{
    auto* pane = dynamic_cast<CZELGridPane*>(m_pWnd);
    if (!pane)
        return;
    CCellRange sel = pane->GetSelection();
    const int32_t first = m_bColumns ? std::max(sel.left, 0) : std::max(sel.top, 0);
    int32_t last = m_bColumns ? sel.right : sel.bottom;
    if (last < 0)
        last = (m_bColumns ? pane->ColumnCount() : pane->RowCount()) - 1;
    pane->NotifyGrid(m_bColumns ? kChangeColumnWidths : kChangeRowHeights, 0);
    const int pixels = HundredthsMmToPixels(static_cast<int>(m_fValue * 100.0f));
    if (m_bColumns)
        pane->SetColumnWidths(first, pixels, last - first + 1);
    else
        pane->SetRowHeights(first, pixels, last - first + 1);
    if (CZELGrid* grid = pane->GetGrid()) {
        grid->RecalcLayout(false);
        grid->RedrawPanes();
    }
}
