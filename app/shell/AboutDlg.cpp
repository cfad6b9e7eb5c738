#include "app/shell/AboutDlg.h"

#include "app/shell/ProgramImages.h"
#include "app/shell/ShellIds.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/WinApp.h"

#include <QDialog>
#include <QLabel>

FW_IMPLEMENT_DYNAMIC(CAboutDlg, fw::CDialog)

namespace {

fw::CString MainWindowTitle()
{
    fw::CWnd* main = fw::AfxGetMainWnd();
    const fw::CString title = main ? main->GetWindowText() : fw::CString();
    return title.IsEmpty() ? fw::LoadStringText(fw::kIdsAppTitle) : title;
}

} // namespace

CAboutDlg::CAboutDlg(fw::CWnd* parent) : fw::CDialog(IDD_ABOUTBOX, parent)
{
}

fw::CString CAboutDlg::AboutText(const fw::CString& title)
{
    return fw::Format("%s \n\tVer.%s \n\n%s ", title, kProgramVersion, kProgramCopyright);
}

void CAboutDlg::BuildControls(fw::DialogBuilder& b)
{
    b.Static(IDC_ABOUT_ICON, "");
    b.Static(IDC_ABOUT_TEXT, "");
    b.Row();
    b.Button(fw::IDOK, "OK", true);
}

bool CAboutDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    const fw::CString title = MainWindowTitle();
    SetDlgItemText(IDC_ABOUT_TEXT, AboutText(title));
    if (auto* icon = GetDlgItemAs<fw::CStatic>(IDC_ABOUT_ICON); icon && icon->Label())
        icon->Label()->setPixmap(ProgramIconPixmap(kIconSize));
    if (QDialog* dialog = Dialog())
        dialog->setWindowTitle(QString::fromStdString(fw::Format(fw::LoadStringText(IDS_ABOUT_CAPTION), title).str()));
    return true;
}
