#include "app/shell/StartUpDlg.h"

#include "app/shell/ShellIds.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/RecentFileList.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"

#include <QDialog>
#include <QTextBrowser>

#include <sys/stat.h>

#include <ctime>

FW_IMPLEMENT_DYNAMIC(CStartUpDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CStartUpDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CStartUpDlg::IDC_OPEN_PROJECT, &CStartUpDlg::OnOpenProject)
FW_END_COMMANDS

namespace {

// File names are data, never markup.
fw::CString EscapeHtml(const fw::CString& text)
{
    fw::CString out;
    for (char c : text.view()) {
        switch (c) {
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&': out += "&amp;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out.str().push_back(c); break;
        }
    }
    return out;
}

fw::CString LocalTimeText(time_t when)
{
    struct tm local {};
    localtime_r(&when, &local);
    char buffer[64];
    const fw::CString pattern = fw::LoadStringText(IDS_RECENT_TIME_FORMAT);
    const size_t n = std::strftime(buffer, sizeof buffer, pattern.c_str(), &local);
    return fw::CString(std::string(buffer, n));
}

// The recent-file table's own widget: links carry the list index.
class CFileListWnd final : public fw::CWnd {
public:
    explicit CFileListWnd(CStartUpDlg& page)
    {
        auto* browser = new QTextBrowser;
        browser->setOpenLinks(false);
        browser->setMinimumSize(480, 160);
        QObject::connect(browser, &QTextBrowser::anchorClicked, browser, [this, &page](const QUrl& url) {
            bool ok = false;
            const int index = url.toString().toInt(&ok);
            Guard([&] { page.OnFileClicked(ok ? index : -1); });
        });
        Attach(browser);
    }
};

} // namespace

std::vector<RecentFileRow> ExistingRecentFiles(const fw::CRecentFileList& list)
{
    std::vector<RecentFileRow> rows;
    for (int i = 0; i < list.GetCount(); ++i) {
        const fw::CString& path = list[i];
        struct stat info {};
        if (path.IsEmpty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        rows.push_back({i, fw::fs::FileNameOf(path), LocalTimeText(info.st_mtime)});
    }
    return rows;
}

fw::CString BuildRecentFileTable(const std::vector<RecentFileRow>& rows, const fw::CString& faceName)
{
    const fw::CString face = EscapeHtml(faceName);
    fw::CString html = fw::Format(
        "<TABLE border=1 cols=2 width=100%%>\n<THEAD><TR><TD width=\"250\"><FONT face=\"%s\" size=\"2\">%s</FONT></TD>"
        "<TD width=\"150\"><FONT face=\"%s\" size=\"2\">%s</FONT></TD></TR></THEAD>",
        face, fw::LoadStringText(IDS_NAME_HEADING), face, fw::LoadStringText(IDS_MODIFIED_HEADING));
    for (const RecentFileRow& row : rows) {
        html += fw::Format("<TR><TD width=\"200\"><FONT face=\"%s\" size=\"2\"><SPAN id=\"%d\" class=\"file\">"
                           "<A href=\"%d\">%s</A></SPAN></FONT></TD><TD><FONT face=\"%s\" size=\"2\">%s</FONT></TD></TR>",
                           face, row.index, row.index, EscapeHtml(row.name), face, EscapeHtml(row.modified));
    }
    html += "</TABLE>";
    return html;
}

CStartUpDlg::CStartUpDlg(const fw::CRecentFileList& recentFiles, fw::CWnd* parent)
    : fw::CDialog(IDD_STARTUP, parent), m_recentFiles(recentFiles)
{
}

void CStartUpDlg::BuildControls(fw::DialogBuilder& b)
{
    b.Button(fw::IDOK, "新しい計測プロジェクト作成", true);
    b.Row();
    b.Button(IDC_OPEN_PROJECT, "ファイルを開く");
    b.Row();
    b.Group("既存の計測プロジェクト");
    b.Custom(IDC_FILE_LIST, std::make_unique<CFileListWnd>(*this));
    b.Row();
    b.Check(IDC_STARTUP_GRAPHS, "StartUpのグラフを同時に開く");
    b.EndGroup();
    b.Row();
    b.Button(fw::IDCANCEL, "閉じる");
}

bool CStartUpDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    if (QDialog* dialog = Dialog())
        dialog->setWindowTitle(QStringLiteral("スタートアップ"));
    FillFileList();
    return true;
}

void CStartUpDlg::FillFileList()
{
    fw::CWaitCursor wait;
    const QDialog* dialog = Dialog();
    const fw::CString face = dialog ? fw::CString(dialog->font().family().toStdString()) : fw::CString();
    m_tableHtml = BuildRecentFileTable(ExistingRecentFiles(m_recentFiles), face);
    if (auto* list = GetDlgItem(IDC_FILE_LIST)) {
        if (auto* browser = qobject_cast<QTextBrowser*>(list->Widget()))
            browser->setHtml(QString::fromStdString(m_tableHtml.str()));
    }
}

void CStartUpDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Check(dx, IDC_STARTUP_GRAPHS, m_bStartUp);
}

void CStartUpDlg::OnCancel()
{
    UpdateData(true);
    fw::CDialog::OnCancel();
}

void CStartUpDlg::OnOpenProject()
{
    UpdateData(true);
    m_strPath.Empty();
    EndDialog(kResultOpen);
}

void CStartUpDlg::OnFileClicked(int index)
{
    if (index < 0 || index >= m_recentFiles.GetCount())
        fw::ThrowInvalidArgException();
    UpdateData(true);
    m_strPath = m_recentFiles[index];
    EndDialog(kResultOpen);
}
