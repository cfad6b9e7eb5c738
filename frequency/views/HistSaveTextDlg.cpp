#include "frequency/views/HistSaveTextDlg.h"

#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

FW_IMPLEMENT_DYNAMIC(CHistSaveTextDlg, fw::CDialog)

CHistSaveTextDlg::CHistSaveTextDlg(fw::CWnd* parent) : fw::CDialog(kTemplateId, parent) {}

void CHistSaveTextDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("頻度データのテキスト保存");
    b.Radio(kIdAnalysisList, "頻度解析一覧を保存", true);
    b.Radio(kIdShownCounts, "表示しているカウントデータを保存");
    b.Radio(kIdAllCounts, "全てのカウントデータを保存");
    b.Row();
    b.OkCancel();
}

void CHistSaveTextDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Radio(dx, kIdAnalysisList, m_choice);
}
