#include "project/views/FuncDlg.h"

#include "common/formula/CalcFunctionTable.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

#include <cstdio>

FW_IMPLEMENT_DYNAMIC(CFuncDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CFuncDlg, fw::CDialog)
    FW_ON_LBN_SELCHANGE(CFuncDlg::kIdList, &CFuncDlg::OnSelChangeFunction)
    FW_ON_LBN_DBLCLK(CFuncDlg::kIdList, &CFuncDlg::OnDblClkFunction)
FW_END_COMMANDS

void CFuncDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("関数");
    b.Static(static_cast<int>(fw::IDC_STATIC), "関数名一覧");
    b.Row();
    b.List(kIdList);
    b.Row();
    b.Static(kIdDescription, "");
    b.Row();
    b.Static(kIdSyntax, "");
    b.Static(static_cast<int>(fw::IDC_STATIC), "引数：");
    b.Static(kIdArguments, "");
    b.Row();
    b.Static(kIdUsage, "");
    b.Row();
    b.OkCancel("OK", "キャンセル");
}

bool CFuncDlg::OnInitDialog()
{
    auto* list = GetDlgItemAs<fw::CListBox>(kIdList);
    tagCALCFUNC entry{};
    for (int n = 0; n < kCalcFunctionCount && GetCalcFunctionEntry(n, entry); ++n) {
        if (entry.picker == 0)
            continue;
        const int item = list->AddString(fw::CString(entry.keyword) + "()");
        list->SetItemData(item, static_cast<uintptr_t>(n));
    }
    UpdateData(false);
    OnSelChangeFunction();
    return true;
}

void CFuncDlg::DoDataExchange(fw::CDataExchange* dx)
{
    int select = m_nSelect;
    fw::DDX_LBIndex(dx, kIdList, select);
    m_nSelect = select;
}

void CFuncDlg::OnSelChangeFunction()
{
    auto* list = GetDlgItemAs<fw::CListBox>(kIdList);
    const int item = list ? list->GetCurSel() : fw::LB_ERR;
    if (item == fw::LB_ERR)
        return;
    m_nSelect = item;
    list->GetText(item, m_strFunction);
    const int n = static_cast<int>(list->GetItemData(item));
    tagCALCFUNC entry{};
    if (!GetCalcFunctionEntry(n, entry))
        return;
    // The help text holds the description and the usage, split at the first comma.
    const fw::CString help = fw::LoadStringText(kCalcFunctionHelpBaseId + static_cast<unsigned>(n));
    const int comma = help.Find(',');
    SetDlgItemText(kIdDescription, comma < 0 ? help : help.Left(comma));
    SetDlgItemText(kIdUsage, comma < 0 ? fw::CString() : help.Mid(comma + 1));
    SetDlgItemText(kIdSyntax, fw::CString(entry.usage));
    char count[16];
    std::snprintf(count, sizeof count, "%d", static_cast<int>(entry.arguments));
    SetDlgItemText(kIdArguments, fw::CString(count));
}

void CFuncDlg::OnDblClkFunction()
{
    OnOK();
}
