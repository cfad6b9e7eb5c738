#include "docview/dialogs/DtgStartDlg.h"

#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DialogBuilder.h"

FW_IMPLEMENT_DYNAMIC(CDtgStartDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CDtgStartDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CDtgStartDlg::kIdContinuous, &CDtgStartDlg::OnContinuous)
FW_END_COMMANDS

CDtgStartDlg::CDtgStartDlg(fw::CWnd* parent) : fw::CDialog(kTemplateId, parent)
{
}

void CDtgStartDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("データトリガ計測");
    b.Static(static_cast<int>(fw::IDC_STATIC), "データトリガ計測を連続して実行しますか？");
    b.Row();
    b.Static(kIdConditions, "");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "\t測定器のバージョンが2.2A以上\n\t測定器がCFカードに記録可能");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC),
             "条件を満たしている場合は、計測パネルを閉じても測定器は自動的に計測待機状態に戻ります。");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "「連続」を実行すると1回の測定終了後に再び測定待機状態になります。");
    b.Row();
    b.Button(fw::IDOK, "1回", true);
    b.Button(kIdContinuous, "連続");
    b.Button(fw::IDCANCEL, "キャンセル");
}

bool CDtgStartDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    SetDlgItemText(kIdConditions, fw::LoadStringText(m_bConditionsMet ? kMsgConditionsMet : kMsgConditionsNotMet));
    return true;
}

void CDtgStartDlg::OnContinuous()
{
    EndDialog(kIdContinuous);
}
