#include "graphdoc/views/DrawTextDlg.h"

#include "framework/ui/Controls.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

#include <QDialog>

FW_IMPLEMENT_DYNAMIC(CDrawTextDlg, fw::CDialog)

CDrawTextDlg::CDrawTextDlg(fw::CWnd* parent) : fw::CDialog(IDD, parent)
{
}

void CDrawTextDlg::BuildControls(fw::DialogBuilder& b)
{
    b.Edit(IDC_TEXT);
    b.Row();
    b.Check(IDC_VERTICAL, "90°回転");
    b.OkCancel();
}

bool CDrawTextDlg::OnInitDialog()
{
    if (QDialog* dialog = Dialog())
        dialog->setWindowTitle(QStringLiteral("テキスト編集"));
    fw::CDialog::OnInitDialog();
    if (fw::CWnd* check = GetDlgItem(IDC_VERTICAL))
        check->EnableWindow(m_bRotationAllowed != 0);
    if (fw::CWnd* edit = GetDlgItem(IDC_TEXT))
        edit->SetFocus();
    return false;
}

void CDrawTextDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Text(dx, IDC_TEXT, m_strText);
    fw::DDX_Check(dx, IDC_VERTICAL, m_bVertical);
}
