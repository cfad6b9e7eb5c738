#include "app/shell/StartUpDlg.h"
#include "framework/core/Exceptions.h"
#include "framework/core/RecentFileList.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/Controls.h"
#include "tests/app/shell/ShellFixture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTextBrowser>

#include <sys/stat.h>
#include <utime.h>

namespace shelltest {
namespace {

using fw::CString;

constexpr const char* kHeader =
    "<TABLE border=1 cols=2 width=100%>\n<THEAD><TR><TD width=\"250\"><FONT face=\"F\" size=\"2\">名前</FONT></TD>"
    "<TD width=\"150\"><FONT face=\"F\" size=\"2\">更新日時</FONT></TD></TR></THEAD>";

// 2026-03-04 05:06:07 in Japan.
constexpr time_t kModified = 1772568367;

std::string Touch(const std::filesystem::path& path)
{
    const std::string file = WriteFile(path);
    struct utimbuf times {kModified, kModified};
    utime(file.c_str(), &times);
    return file;
}

TEST(StartPageTable, AnEmptyListShowsOnlyTheHeader)
{
    EXPECT_EQ(BuildRecentFileTable({}, "F"), CString(kHeader) + "</TABLE>");
}

TEST(StartPageTable, RowsKeepTheirListIndexAndNamesAreEscaped)
{
    kivtest::TempDir dir;
    fw::CRecentFileList list(4);
    const std::string odd = Touch(dir / "<b>R&D \"1\".kivp");
    const std::string gone = (dir / "gone.kivp").string();
    const std::string plain = Touch(dir / "plain.kivd");
    list.Add(plain);
    list.Add(gone);
    list.Add(odd);  // the list is newest first: odd, gone, plain

    const std::vector<RecentFileRow> rows = ExistingRecentFiles(list);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].index, 0);
    EXPECT_EQ(rows[1].index, 2) << "a missing file does not shift the links";
    EXPECT_EQ(rows[1].modified, "2026/03/04 05:06:07");

    const CString html = BuildRecentFileTable(rows, "F");
    EXPECT_NE(html.Find("<A href=\"0\">&lt;b&gt;R&amp;D &quot;1&quot;.kivp</A>"), -1) << html.str();
    EXPECT_NE(html.Find("<SPAN id=\"2\" class=\"file\"><A href=\"2\">plain.kivd</A>"), -1) << html.str();
    EXPECT_EQ(html.Find("<b>"), -1);
    EXPECT_EQ(html.Find("gone"), -1);
}

class StartPage : public ::testing::Test {
protected:
    fw::test::ServiceScope services;
    kivtest::TempDir dir;
    fw::CRecentFileList list{4};
};

TEST_F(StartPage, TheShownPageListsTheExistingRecentFiles)
{
    list.Add(Touch(dir / "a.kivp"));
    CStartUpDlg page(list);
    page.EnsureBuilt();
    page.InitDialog();
    auto* browser = qobject_cast<QTextBrowser*>(page.GetDlgItem(CStartUpDlg::IDC_FILE_LIST)->Widget());
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->toPlainText().contains("a.kivp"));
    EXPECT_TRUE(browser->toPlainText().contains("2026/03/04 05:06:07"));
    EXPECT_EQ(page.GetDlgItemAs<fw::CButton>(CStartUpDlg::IDC_STARTUP_GRAPHS)->GetCheck(), 1);

    // Reloading is no key of this page: F5 leaves the table and the page.
    const QString before = browser->toHtml();
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QCoreApplication::sendEvent(browser, &f5);
    EXPECT_EQ(browser->toHtml(), before);
    EXPECT_FALSE(page.IsEnded());
}

TEST_F(StartPage, ClicksEndThePageWithTheirResults)
{
    list.Add(Touch(dir / "b.kivp"));
    list.Add(Touch(dir / "a.kivp"));
    {
        CStartUpDlg page(list);
        page.EnsureBuilt();
        page.InitDialog();
        page.OnFileClicked(1);
        EXPECT_EQ(page.GetResult(), CStartUpDlg::kResultOpen);
        EXPECT_EQ(page.m_strPath, list[1]);
    }
    {
        CStartUpDlg page(list);
        page.EnsureBuilt();
        page.InitDialog();
        page.GetDlgItemAs<fw::CButton>(CStartUpDlg::IDC_OPEN_PROJECT)->Click();
        EXPECT_EQ(page.GetResult(), CStartUpDlg::kResultOpen);
        EXPECT_TRUE(page.m_strPath.IsEmpty()) << "the caller shows the open dialog";
    }
    {
        CStartUpDlg page(list);
        page.EnsureBuilt();
        page.InitDialog();
        EXPECT_THROW(page.OnFileClicked(2), fw::CInvalidArgException);
        EXPECT_THROW(page.OnFileClicked(-1), fw::CInvalidArgException);
        EXPECT_FALSE(page.IsEnded());
    }
}

} // namespace
} // namespace shelltest
