#include "app/shell/PrintOptionDlg.h"

#include "app/shell/ShellIds.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

#include <QDialog>

FW_IMPLEMENT_DYNAMIC(CPrintOptionDlg, fw::CDialog)

CPrintOptionDlg::CPrintOptionDlg(fw::CWnd* parent) : fw::CDialog(IDD_PRINT_OPTION, parent)
{
}

void CPrintOptionDlg::BuildControls(fw::DialogBuilder& b)
{
    b.Group("設定・計測データリスト");
    b.Static(static_cast<int>(fw::IDC_STATIC), "ページの印刷順：");
    b.Row();
    b.Radio(IDC_TOP_TO_BOTTOM, "上から下", true);
    b.Radio(IDC_LEFT_TO_RIGHT, "左から右");
    b.EndGroup();
    b.Row();
    b.Group("グラフ");
    b.Check(IDC_PAPER_SIZE, "用紙サイズで印刷");
    b.EndGroup();
    b.OkCancel();
}

bool CPrintOptionDlg::OnInitDialog()
{
    if (QDialog* dialog = Dialog())
        dialog->setWindowTitle(QStringLiteral("印刷オプション"));
    return fw::CDialog::OnInitDialog();
}

void CPrintOptionDlg::DoDataExchange(fw::CDataExchange* dx)
{
    int order = m_options.pageOrder;
    int paper = m_options.paperSize;
    fw::DDX_Radio(dx, IDC_TOP_TO_BOTTOM, order);
    fw::DDX_Check(dx, IDC_PAPER_SIZE, paper);
    m_options.pageOrder = order;
    m_options.paperSize = paper;
}
