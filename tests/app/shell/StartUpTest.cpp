#include "app/shell/DummyDocTemplate.h"
#include "app/shell/MainFrame.h"
#include "app/shell/ShellIds.h"
#include "app/shell/StartUpDlg.h"
#include "framework/core/MenuResource.h"
#include "framework/core/Profile.h"
#include "framework/ui/Controls.h"
#include "framework/ui/InstanceLock.h"
#include "framework/ui/Menu.h"
#include "framework/ui/PrintDialogs.h"
#include "framework/ui/testing/ScriptedPrintDialogs.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMainWindow>
#include <QMimeData>
#include <QPrinter>
#include <QUrl>
#include <QMenuBar>

#include <filesystem>

namespace shelltest {
namespace {

using fw::CString;
namespace fs = std::filesystem;

std::vector<QString> MenuBarTitles(CMainFrame* frame)
{
    std::vector<QString> titles;
    for (QAction* a : frame->MainWindow()->menuBar()->actions())
        titles.push_back(a->text());
    return titles;
}

TEST_F(ShellTest, ASecondInstanceEndsSilentlyBeforeTouchingTheProfile)
{
    fs::create_directories(DataFolder());
    fw::InstanceLock first;
    ASSERT_TRUE(first.Acquire((DataFolder() / "KIV5980.lock").string()));

    EXPECT_FALSE(Start());
    EXPECT_EQ(app.GetMainWnd(), nullptr);
    EXPECT_FALSE(fs::exists(ProfileFile())) << "the profile was touched";
    EXPECT_TRUE(services.prompt.Prompts().empty());
    EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(ShellTest, StartUpPreparesDataFolderProfileTemplatesAndTheMaximisedMainFrame)
{
    const fs::path data = DataFolder();
    for (const char* name : {"~WW1A2B.tmp", "~ww0001.TMP", "keep.tmp", "~WX0001.tmp"})
        WriteFile(data / name);
    SeedRecentFiles({"/nowhere/a.kivp", "/nowhere/b.kivd", "/nowhere/c.kivg", "/nowhere/d.kivh"});

    ASSERT_TRUE(Start());

    EXPECT_EQ(app.GetDataFolder(), CString(data.string()));
    EXPECT_FALSE(fs::exists(data / "~WW1A2B.tmp"));
    EXPECT_FALSE(fs::exists(data / "~ww0001.TMP"));
    EXPECT_TRUE(fs::exists(data / "keep.tmp"));
    EXPECT_TRUE(fs::exists(data / "~WX0001.tmp"));
    EXPECT_EQ(app.m_pDocManager->RecentFiles().GetCount(), 4);

    fw::POSITION pos = app.m_pDocManager->GetFirstDocTemplatePosition();
    ASSERT_NE(pos, nullptr);
    EXPECT_NE(dynamic_cast<CDummyDocTemplate*>(app.m_pDocManager->GetNextDocTemplate(pos)), nullptr)
        << "the combined filter comes first";
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(app.m_pDocManager->GetNextDocTemplate(pos)->GetResourceId(), kIdrProjectType);
    EXPECT_EQ(app.GetNewDocTemplateId(), kIdrProjectType);

    auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetWindowText(), "KIV-5400");
    EXPECT_TRUE(frame->MainWindow()->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(OpenDocumentCount(), 1) << "without a file the shell command makes a new project";
    app.CloseAllDocuments(false);
    uitest::RunDeferredDeletes();
    EXPECT_EQ(MenuBarTitles(frame), (std::vector<QString>{"ファイル(&F)", "表示(&V)", "ヘルプ(&H)"}));
}

TEST_F(ShellTest, ShutDownSavesTheSettingsInOrderThenTheRecentFilesAndFreesTheLock)
{
    ASSERT_TRUE(Start());
    fw::CProfile before(ProfileFile());
    EXPECT_TRUE(before.Sections().empty()) << "start-up only reads the profile";
    app.AddToRecentFileList("/data/x.kivp");

    EXPECT_EQ(Stop(), 0);

    fw::CProfile written(ProfileFile());
    EXPECT_EQ(written.Sections(), (std::vector<std::string>{"METER", "ADSET", "MONITER", "PANEL", "ARARM", "Recent File List"}));
    EXPECT_EQ(written.Keys("ARARM").back(), "AUTORESET");
    EXPECT_EQ(written.GetProfileString("Recent File List", "File1"), "/data/x.kivp");
    fw::InstanceLock next;
    EXPECT_TRUE(next.Acquire((DataFolder() / "KIV5980.lock").string())) << "the lock went with the program";
}

TEST_F(ShellTest, AFileOnTheCommandLineOpensWithoutTheStartPage)
{
    const std::string file = WriteFile(dir / "work" / "plan.kivp");
    ASSERT_TRUE(Start({file}));
    EXPECT_TRUE(dialogs.Shown().empty());
    ASSERT_EQ(OpenDocumentCount(), 1);
    EXPECT_EQ(app.m_pDocManager->RecentFiles()[0], CString(file));
}

TEST_F(ShellTest, APrintRequestPrintsTheFileClosesItAndEnds)
{
    const std::string file = WriteFile(dir / "work" / "plan.kivp");
    fw::test::ScriptedPrintDialogs printDialogs;
    const std::filesystem::path pdf = dir / "printed.pdf";
    fw::AppPrinter().setOutputFileName(QString::fromStdString(pdf.string()));
    EXPECT_FALSE(Start({"/p", file})) << "the program ends after printing";
    EXPECT_TRUE(dialogs.Shown().empty()) << "no start page";
    EXPECT_EQ(printDialogs.printCalls, 0) << "printed without asking";
    EXPECT_EQ(OpenDocumentCount(), 0) << "the printed file is closed again";
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_GT(std::filesystem::file_size(pdf), 0u);
}

TEST_F(ShellTest, TheSharedPopupsReplaceThePlaceholdersOfEveryDocumentMenu)
{
    ASSERT_TRUE(Start());
    const fw::MenuResource* menu = fw::FindMenuResource(kIdrProjectType);
    ASSERT_NE(menu, nullptr);
    std::vector<std::string> captions;
    for (const fw::MenuResource& item : menu->children) {
        EXPECT_NE(item.command, ID_GRAPH_PLACEHOLDER);
        EXPECT_NE(item.command, ID_KEISOKU_PLACEHOLDER);
        captions.push_back(item.caption.str());
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"ファイル(&F)", "編集(&E)", "表示(&V)", "計測プロジェクト(&P)",
                                                  "グラフ(&G)", "計測(&M)", "ウィンドウ(&W)", "ヘルプ(&H)"}));
    EXPECT_TRUE(menu->children[4].IsPopup());

    // The new project's frame shows the spliced menu.
    auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    EXPECT_EQ(MenuBarTitles(frame), (std::vector<QString>{"ファイル(&F)", "編集(&E)", "表示(&V)",
                                                          "計測プロジェクト(&P)", "グラフ(&G)", "計測(&M)",
                                                          "ウィンドウ(&W)", "ヘルプ(&H)"}));
}

TEST_F(ShellTest, FilesDroppedOnTheMainWindowOpen)
{
    ASSERT_TRUE(Start());
    app.CloseAllDocuments(false);
    uitest::RunDeferredDeletes();
    const std::string file = WriteFile(dir / "work" / "dropped.kivp");
    auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame->MainWindow(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame->MainWindow(), &drop);
    ASSERT_EQ(OpenDocumentCount(), 1);
    EXPECT_EQ(app.m_pDocManager->RecentFiles()[0], CString(file));
}

TEST_F(ShellTest, TheOpenDialogsCheckBoxIsTheStartUpGraphsFlag)
{
    ASSERT_TRUE(Start());
    const std::string file = WriteFile(dir / "work" / "any.kivp");
    files.Cancel(fw::test::ScriptedFileDialogs::Kind::open);
    files.AnswerOpen(file, false);
    app.DoCommand(fw::ID_FILE_OPEN);
    EXPECT_EQ(app.m_bOpenStartUpGraphs, 1) << "cancel leaves the flag";
    app.DoCommand(fw::ID_FILE_OPEN);
    EXPECT_EQ(app.m_bOpenStartUpGraphs, 0);
    ASSERT_EQ(files.Requests().size(), 2u);
    EXPECT_EQ(files.Requests()[1].request.extraCheckId, 1266);
    EXPECT_TRUE(files.Requests()[1].request.extraCheckState);
    EXPECT_EQ(files.Requests()[1].request.filters.at(0).name, "KIV-5400ファイル(*.*)");
}

struct StartPageCase {
    const char* name;
    int result;             // how the script ends the page
    int clickIndex;         // for a recent-file click
    bool openDialogAnswer;  // for the open-file dialog
    int documents;          // open afterwards
};

class StartPageResults : public ShellTest, public ::testing::WithParamInterface<StartPageCase> {};

TEST_P(StartPageResults, ThePagesResultDecidesWhatOpens)
{
    const StartPageCase& c = GetParam();
    const std::string recent0 = WriteFile(dir / "work" / "first.kivp");
    const std::string recent2 = WriteFile(dir / "work" / "third.kivp");
    SeedRecentFiles({recent0, (dir / "work" / "gone.kivp").string(), recent2});
    const std::string picked = WriteFile(dir / "work" / "picked.kivp");
    if (c.result == CStartUpDlg::kResultOpen && c.clickIndex < 0) {
        if (c.openDialogAnswer)
            files.AnswerOpen(picked);
        else
            files.Cancel(fw::test::ScriptedFileDialogs::Kind::open);
    }

    dialogs.On(IDD_STARTUP, [&](fw::CDialog& d) {
        auto& page = dynamic_cast<CStartUpDlg&>(d);
        auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
        EXPECT_TRUE(frame && (frame->MainWindow()->windowState() & Qt::WindowMaximized))
            << "the page opens over the maximised main window";
        EXPECT_EQ(page.m_bStartUp, 1);
        page.GetDlgItemAs<fw::CButton>(CStartUpDlg::IDC_STARTUP_GRAPHS)->SetCheck(0);
        if (c.result == fw::IDOK)
            page.OnOK();
        else if (c.result == fw::IDCANCEL)
            page.OnCancel();
        else if (c.clickIndex >= 0)
            page.OnFileClicked(c.clickIndex);
        else
            page.OnOpenProject();
        return page.GetResult();
    });

    ASSERT_TRUE(Start({}));
    EXPECT_EQ(dialogs.Shown(), std::vector<unsigned>{IDD_STARTUP});
    EXPECT_EQ(app.m_bOpenStartUpGraphs, 0) << "the check box goes back in every case";
    EXPECT_EQ(OpenDocumentCount(), c.documents);
    if (c.clickIndex == 2) {
        EXPECT_EQ(app.m_pDocManager->RecentFiles()[0], CString(recent2));
    }
}

INSTANTIATE_TEST_SUITE_P(Shell, StartPageResults, ::testing::Values(
    StartPageCase{"closed", fw::IDCANCEL, -1, false, 0},
    StartPageCase{"new_project", fw::IDOK, -1, false, 1},
    StartPageCase{"recent_file_after_a_missing_one", CStartUpDlg::kResultOpen, 2, false, 1},
    StartPageCase{"open_dialog_confirmed", CStartUpDlg::kResultOpen, -1, true, 1},
    StartPageCase{"open_dialog_cancelled", CStartUpDlg::kResultOpen, -1, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace shelltest
