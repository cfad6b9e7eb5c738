#include "docview/dialogs/StartFreerunDlg.h"

#include "framework/core/Services.h"
#include "framework/ui/DialogBuilder.h"

FW_IMPLEMENT_DYNAMIC(CStartFreerunDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CStartFreerunDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CStartFreerunDlg::kIdStart, &CStartFreerunDlg::OnStart)
    FW_ON_BN_CLICKED(CStartFreerunDlg::kIdWait, &CStartFreerunDlg::OnWait)
FW_END_COMMANDS

CStartFreerunDlg::CStartFreerunDlg(fw::CWnd* parent) : fw::CDialog(kTemplateId, parent)
{
}

void CStartFreerunDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("フリーラン計測の開始");
    b.Static(static_cast<int>(fw::IDC_STATIC),
             "開始をクリックするとフリーラン計測を開始します。\n"
             "待機をクリックすると計測パネルの計測開始をクリックするまでフリーラン計測は開始されません。");
    b.Row();
    b.Button(kIdStart, "開始", true);
    b.Button(kIdWait, "待機");
    b.Button(fw::IDCANCEL, "キャンセル");
}

void CStartFreerunDlg::OnStart()
{
    EndDialog(kIdStart);
}

void CStartFreerunDlg::OnWait()
{
    EndDialog(kIdWait);
}
