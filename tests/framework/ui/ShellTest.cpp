#include "framework/core/CommandLineInfo.h"
#include "framework/core/testing/ScriptedFileDialogs.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/Menu.h"
#include "framework/ui/MiniFrameWnd.h"
#include "tests/framework/ui/UiTestClasses.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

using namespace fw;
using namespace uitest;

TEST(CommandLine, FileSwitchesAndPrint)
{
    struct Row { const char* name; std::vector<const char*> args; CCommandLineInfo::ShellCommand cmd; const char* file; bool noStart; };
    const Row rows[] = {
        {"nothing_makes_a_new_document", {"kiv"}, CCommandLineInfo::FileNew, "", false},
        {"a_file_opens", {"kiv", "/data/a.kivp"}, CCommandLineInfo::FileOpen, "/data/a.kivp", false},
        {"print_switch", {"kiv", "--print", "/data/b.kivg"}, CCommandLineInfo::FilePrint, "/data/b.kivg", false},
        {"test_switch_and_unknown", {"kiv", "--no-start-page", "--verbose"}, CCommandLineInfo::FileNew, "", true},
        {"first_file_wins", {"kiv", "x.kivd", "y.kivd"}, CCommandLineInfo::FileOpen, "x.kivd", false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CCommandLineInfo info;
        info.Parse(static_cast<int>(r.args.size()), r.args.data());
        EXPECT_EQ(info.m_nShellCommand, r.cmd);
        EXPECT_EQ(info.m_strFileName, r.file);
        EXPECT_EQ(info.m_bNoStartPage, r.noStart);
    }
}

class Shell : public ::testing::Test {
protected:
    void SetUp() override
    {
        Log().clear();
        main = app.MakeMainFrame();
        app.m_pDocManager->RecentFiles() = CRecentFileList(4);
    }
    void TearDown() override
    {
        app.CloseAllDocuments(true);
        RunDeferredDeletes();
        delete main;
        RunDeferredDeletes();
        EXPECT_EQ(services.prompt.Problems(), "");
    }
    CString SavedNote(const char* name)
    {
        auto* doc = dynamic_cast<NoteDoc*>(app.notes->OpenDocumentFile(CString()));
        const CString path((dir / name).string());
        EXPECT_TRUE(doc->DoSave(path));
        doc->OnCloseDocument();
        RunDeferredDeletes();
        return path;
    }

    test::ServiceScope services;
    kivtest::TempDir dir;
    TestApp app;
    MainFrame* main = nullptr;
};

TEST_F(Shell, ShellCommandsOpenOrCreate)
{
    const CString path = SavedNote("a.note");
    CCommandLineInfo open;
    open.m_nShellCommand = CCommandLineInfo::FileOpen;
    open.m_strFileName = path;
    EXPECT_TRUE(app.ProcessShellCommand(open));
    EXPECT_EQ(app.notes->GetDocumentCount(), 1u);
    CCommandLineInfo fresh;
    EXPECT_TRUE(app.ProcessShellCommand(fresh));
    EXPECT_EQ(app.notes->GetDocumentCount(), 2u);
    CCommandLineInfo missing;
    missing.m_nShellCommand = CCommandLineInfo::FileOpen;
    missing.m_strFileName = CString((dir / "missing.note").string());
    services.prompt.Expect(kIdpInvalidFileName, IDOK);
    EXPECT_FALSE(app.ProcessShellCommand(missing));
}

TEST_F(Shell, PrintFromTheCommandLineClosesTheDocumentAndEnds)
{
    const CString path = SavedNote("p.note");
    CCommandLineInfo print;
    print.m_nShellCommand = CCommandLineInfo::FilePrint;
    print.m_strFileName = path;
    EXPECT_FALSE(app.ProcessShellCommand(print)) << "the program has done its work";
    RunDeferredDeletes();
    EXPECT_EQ(app.notes->GetDocumentCount(), 0u);
}

TEST_F(Shell, TheFileMenuListsRecentFiles)
{
    QMenu* file = main->MainWindow()->menuBar()->actions().at(0)->menu();
    auto captions = [&] {
        std::vector<QString> out;
        for (QAction* a : file->actions())
            if (!a->isSeparator())
                out.push_back(a->text() + (a->isEnabled() ? "" : " (gray)"));
        return out;
    };
    emit file->aboutToShow();
    EXPECT_EQ(captions(), (std::vector<QString>{"新規作成(&N)", "開く(&O)...", "最近使ったファイル (gray)", "終了(&X)"}));
    const CString a = SavedNote("a.note");
    const CString b = SavedNote("b.note");
    emit file->aboutToShow();
    EXPECT_EQ(captions(), (std::vector<QString>{"新規作成(&N)", "開く(&O)...", "&1 b.note", "&2 a.note", "終了(&X)"}));
    // Choosing an entry opens its file.
    for (QAction* act : file->actions()) {
        if (act->text() == "&2 a.note")
            act->trigger();
    }
    ASSERT_EQ(app.notes->GetDocumentCount(), 1u);
    POSITION pos = app.notes->GetFirstDocPosition();
    EXPECT_EQ(app.notes->GetNextDoc(pos)->GetPathName(), a);
}

class Panel : public CMiniFrameWnd {
public:
    void OnClose() override
    {
        ++closes;
        ShowWindow(SW_HIDE);  // panels hide; they are made once
    }
    int closes = 0;
};

TEST_F(Shell, AMiniFrameAsksItsOwnerlessCloseHandler)
{
    auto* panel = new Panel;
    ASSERT_TRUE(panel->CreateMini("モニタパネル", main, CRect(0, 0, 100, 100)));
    EXPECT_FALSE(panel->IsWindowVisible());
    EXPECT_EQ(panel->GetParentFrame(), main);
    panel->ShowWindow(SW_SHOW);
    panel->Widget()->close();
    RunQueued();
    EXPECT_EQ(panel->closes, 1);
    EXPECT_FALSE(panel->IsWindowVisible());
    panel->DestroyWindow();
    RunDeferredDeletes();
}

} // namespace
