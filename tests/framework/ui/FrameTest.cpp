#include "framework/core/testing/ScriptedFileDialogs.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/DialogBar.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/Menu.h"
#include "framework/ui/QtServices.h"
#include "framework/ui/SplitterWnd.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/ToolBar.h"
#include "tests/framework/ui/UiTestClasses.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace fw;
using namespace uitest;

class Frames : public ::testing::Test {
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
        EXPECT_EQ(dialogs.Problems(), "");
    }
    NoteDoc* OpenNew()
    {
        auto* doc = dynamic_cast<NoteDoc*>(app.notes->OpenDocumentFile(CString()));
        Log().clear();
        return doc;
    }
    std::vector<QString> MenuBarTitles() const
    {
        std::vector<QString> titles;
        for (QAction* a : main->MainWindow()->menuBar()->actions())
            titles.push_back(a->text());
        return titles;
    }
    QMenu* BarMenu(int index) const { return main->MainWindow()->menuBar()->actions().at(index)->menu(); }
    static QAction* ItemOf(QMenu* menu, unsigned id)
    {
        for (QAction* a : menu->actions()) {
            if (CMenu::CommandOf(a) == id)
                return a;
        }
        return nullptr;
    }

    test::ServiceScope services;
    test::ScriptedFileDialogs dialogs;
    kivtest::TempDir dir;
    TestApp app;
    MainFrame* main = nullptr;
};

TEST_F(Frames, CommandsRouteViewDocumentTemplateChildMainApplication)
{
    OpenNew();
    struct Row { const char* name; unsigned id; const char* handledBy; };
    const Row rows[] = {
        {"view_first", ID_EVERYWHERE, "view"},
        {"document", ID_DOC_ONLY, "doc only"},
        {"template", ID_TEMPLATE_ONLY, "template only"},
        {"child_frame", ID_CHILD_ONLY, "child only"},
        {"main_frame", ID_MAIN_ONLY, "main only"},
        {"application", ID_APP_ABOUT, "app about"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Log().clear();
        EXPECT_TRUE(main->OnCmdMsg(r.id, CN_COMMAND, nullptr));
        EXPECT_EQ(Log(), std::vector<std::string>{r.handledBy});
    }
    EXPECT_FALSE(main->OnCmdMsg(ID_NOBODY, CN_COMMAND, nullptr));
}

TEST_F(Frames, WithoutDocumentsTheRouteSkipsViewAndDocument)
{
    EXPECT_TRUE(main->OnCmdMsg(ID_EVERYWHERE, CN_COMMAND, nullptr));
    EXPECT_EQ(Log(), std::vector<std::string>{"main"});
}

TEST_F(Frames, TheActiveChildsMenuReplacesTheMainMenu)
{
    EXPECT_EQ(MenuBarTitles(), (std::vector<QString>{"ファイル(&F)", "ヘルプ(&H)"}));
    NoteDoc* doc = OpenNew();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(MenuBarTitles(), (std::vector<QString>{"ファイル(&F)", "編集(&E)", "ヘルプ(&H)"}));
    doc->OnCloseDocument();
    RunDeferredDeletes();
    EXPECT_EQ(MenuBarTitles(), (std::vector<QString>{"ファイル(&F)", "ヘルプ(&H)"}));
}

TEST_F(Frames, PopupUpdatePassEnablesChecksAndDisablesItemsWithoutHandler)
{
    OpenNew();
    QMenu* edit = BarMenu(1);
    ASSERT_NE(edit, nullptr);
    emit edit->aboutToShow();
    EXPECT_TRUE(ItemOf(edit, ID_EDIT_COPY)->isEnabled());
    EXPECT_TRUE(ItemOf(edit, ID_SPECIAL)->isChecked());
    EXPECT_FALSE(ItemOf(edit, ID_NOBODY)->isEnabled()) << "a command with no handler is disabled";
    QMenu* sub = edit->actions().at(3)->menu();
    ASSERT_NE(sub, nullptr);
    emit sub->aboutToShow();
    EXPECT_TRUE(ItemOf(sub, ID_DOC_ONLY)->isEnabled());
    EXPECT_TRUE(Log().empty()) << "updates never run commands";
}

TEST_F(Frames, ChoosingAMenuItemRunsItsCommand)
{
    OpenNew();
    QMenu* edit = BarMenu(1);
    ItemOf(edit, ID_EDIT_COPY)->trigger();
    ItemOf(BarMenu(2), ID_APP_ABOUT)->trigger();
    EXPECT_EQ(Log(), (std::vector<std::string>{"view copy", "app about"}));
}

TEST_F(Frames, CaptionsKeepMnemonicsAndTurnTheTabPartIntoAShortcut)
{
    QAction* open = ItemOf(BarMenu(0), ID_FILE_OPEN);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), "開く(&O)...");
    EXPECT_EQ(open->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(main->GetMenu()->GetMenuString(ID_FILE_OPEN, MF_BYCOMMAND), "開く(&O)...\tCtrl+O");
}

TEST_F(Frames, ClosingTheLastFrameClosesAnUnmodifiedDocument)
{
    NoteDoc* doc = OpenNew();
    auto* child = dynamic_cast<NoteChild*>(main->MDIGetActive());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetActiveDocument(), doc);
    child->OnClose();
    RunDeferredDeletes();
    EXPECT_EQ(app.notes->GetDocumentCount(), 0u);
    EXPECT_EQ(main->MDIGetActive(), nullptr);
}

TEST_F(Frames, ClosingAModifiedDocumentAsksAndCancelKeepsIt)
{
    NoteDoc* doc = OpenNew();
    doc->SetModifiedFlag();
    services.prompt.Expect(kIdpAskToSave, IDCANCEL);
    main->MDIGetActive()->OnClose();
    RunDeferredDeletes();
    EXPECT_EQ(app.notes->GetDocumentCount(), 1u);
    EXPECT_NE(main->MDIGetActive(), nullptr);
    services.prompt.Expect(kIdpAskToSave, IDNO);
    main->MDIGetActive()->OnClose();
    RunDeferredDeletes();
    EXPECT_EQ(app.notes->GetDocumentCount(), 0u);
}

TEST_F(Frames, ASecondFrameOnADocumentNumbersTheTitles)
{
    NoteDoc* doc = OpenNew();
    CFrameWnd* second = app.notes->CreateNewFrame(doc);
    ASSERT_NE(second, nullptr);
    app.notes->InitialUpdateFrame(second, doc);
    std::vector<QString> titles;
    for (CMDIChildWnd* child : main->Children())
        titles.push_back(child->SubWindow()->windowTitle());
    EXPECT_EQ(titles, (std::vector<QString>{"ノート1:1", "ノート1:2"}));
    EXPECT_EQ(doc->GetViewCount(), 2u);
    // Closing one of two frames leaves the document open.
    second->OnClose();
    RunDeferredDeletes();
    EXPECT_EQ(app.notes->GetDocumentCount(), 1u);
    EXPECT_EQ(doc->GetViewCount(), 1u);
}

TEST_F(Frames, ViewsHearTheirDocumentsHints)
{
    NoteDoc* doc = OpenNew();
    doc->UpdateAllViews(nullptr, 15);
    EXPECT_EQ(Log(), std::vector<std::string>{"view update 15"});
}

TEST_F(Frames, SavedAndReopenedThroughTheApplication)
{
    NoteDoc* doc = OpenNew();
    doc->text = "計測データ";
    const CString path((dir / "n.note").string());
    ASSERT_TRUE(doc->DoSave(path));
    doc->OnCloseDocument();
    RunDeferredDeletes();
    auto* again = dynamic_cast<NoteDoc*>(app.OpenDocumentFile(path));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->text, "計測データ");
    ASSERT_NE(main->MDIGetActive(), nullptr);
    EXPECT_EQ(main->MDIGetActive()->SubWindow()->windowTitle(), "n.note");
    EXPECT_EQ(app.m_pDocManager->RecentFiles()[0], path);
}

TEST_F(Frames, HiddenOpenMakesHiddenWindows)
{
    NoteDoc* doc = OpenNew();
    const CString path((dir / "h.note").string());
    ASSERT_TRUE(doc->DoSave(path));
    doc->OnCloseDocument();
    RunDeferredDeletes();
    CDocument* hidden = app.m_pDocManager->OpenDocumentFile(path, false);
    ASSERT_NE(hidden, nullptr);
    ASSERT_EQ(hidden->GetViewCount(), 1u);
    POSITION pos = hidden->GetFirstViewPosition();
    CView* view = hidden->GetNextView(pos);
    ASSERT_NE(view->GetParentFrame(), nullptr);
    EXPECT_FALSE(view->GetParentFrame()->Widget()->isVisible());
}

TEST_F(Frames, ToolBarFollowsTheRouteAndRunsCommands)
{
    CToolBar bar;
    bar.Create(main);
    const unsigned buttons[] = {ID_FILE_NEW, 0, ID_EDIT_COPY, ID_NOBODY};
    bar.SetButtons(buttons, 4);
    main->UpdateControlBars();
    EXPECT_TRUE(bar.ActionOf(ID_FILE_NEW)->isEnabled());
    EXPECT_FALSE(bar.ActionOf(ID_EDIT_COPY)->isEnabled()) << "no view is open yet";
    OpenNew();
    main->UpdateControlBars();
    EXPECT_TRUE(bar.ActionOf(ID_EDIT_COPY)->isEnabled());
    EXPECT_FALSE(bar.ActionOf(ID_NOBODY)->isEnabled());
    bar.PressButton(ID_EDIT_COPY);
    EXPECT_EQ(Log(), std::vector<std::string>{"view copy"});
}

TEST_F(Frames, StatusBarPanesAndMessageText)
{
    CStatusBar status;
    status.Create(main);
    const unsigned panes[] = {ID_SEPARATOR, ID_SPECIAL};
    status.SetIndicators(panes, 2);
    main->SetMessageText(CString("計測中"));
    EXPECT_EQ(status.GetPaneText(0), "計測中");
    EXPECT_EQ(status.CommandToIndex(ID_SPECIAL), 1);
    EXPECT_EQ(main->GetStatusBar(), &status);
}

// The status line of long operations: a text set on the GUI thread or on a
// worker shows, and the line is back at the idle text when the operation
// clears it, without waiting for the next paint.
TEST_F(Frames, StatusTextsEndAtTheIdleText)
{
    CStatusBar status;
    status.Create(main);
    const unsigned panes[] = {ID_SEPARATOR};
    status.SetIndicators(panes, 1);
    QtStatus line;
    IStatus* old = InstallStatus(&line);
    Status().SetText("LOAD-Aを読み込み中");
    EXPECT_EQ(status.GetPaneText(0), "LOAD-Aを読み込み中");
    Status().Clear();
    EXPECT_EQ(status.GetPaneText(0), "レディ");

    std::thread worker([] {
        Status().SetText("LOAD-Bを読み込み中");
        Status().Clear();
    });
    worker.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(status.GetPaneText(0), "レディ");
    InstallStatus(old);
}

TEST_F(Frames, DialogBarControlsAreFoundByIdAndFollowTheRoute)
{
    CDialogBar bar;
    bar.Create(main, [](DialogBuilder& b) {
        b.Static(1279, "");
        b.Static(1280, "");
        b.Button(1306, "");
        b.Button(ID_EDIT_COPY, "copy");
    });
    main->UpdateControlBars();
    EXPECT_FALSE(bar.GetDlgItem(1306)->IsWindowEnabled()) << "a button without a handler";
    EXPECT_TRUE(bar.GetDlgItem(1279)->IsWindowEnabled()) << "texts are not disabled";
    bar.SetDlgItemText(1280, "計測待機中");
    EXPECT_EQ(bar.GetDlgItemText(1280), "計測待機中");
    OpenNew();
    main->UpdateControlBars();
    ASSERT_TRUE(bar.GetDlgItem(ID_EDIT_COPY)->IsWindowEnabled());
    bar.GetDlgItemAs<CButton>(ID_EDIT_COPY)->Click();
    EXPECT_EQ(Log(), std::vector<std::string>{"view copy"});
    EXPECT_EQ(main->GetControlBar(AFX_IDW_DIALOGBAR), &bar);
}

} // namespace

namespace {

using namespace fw;
using namespace uitest;

// A frame that shows its document in two panes side by side.
class SplitChild : public CMDIChildWnd {
    FW_DECLARE_DYNCREATE(SplitChild)
public:
    bool OnCreateClient(CDocument* document, const CRuntimeClass* viewClass) override
    {
        return splitter.CreateStatic(this, 1, 2) && splitter.CreateView(0, 0, viewClass, CSize(120, 0), document) &&
               splitter.CreateView(0, 1, viewClass, CSize(), document);
    }
    CSplitterWnd splitter;
};
FW_IMPLEMENT_DYNCREATE(SplitChild, CMDIChildWnd)

TEST(Splitter, AFrameCanMakeSeveralViewsOfItsDocument)
{
    test::ServiceScope services;
    TestApp app;
    MainFrame* main = app.MakeMainFrame();
    auto* split = new CMultiDocTemplate(kNoteTemplate, FW_RUNTIME_CLASS(NoteDoc), FW_RUNTIME_CLASS(SplitChild),
                                        FW_RUNTIME_CLASS(NoteView));
    split->SetDocStrings("\nノート\nノート\nノート(*.note)\n.note\nTest.Note\n");
    app.AddDocTemplate(split);
    CDocument* doc = split->OpenDocumentFile(CString());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetViewCount(), 2u);
    auto* child = dynamic_cast<SplitChild*>(main->MDIGetActive());
    ASSERT_NE(child, nullptr);
    CWnd* left = child->splitter.GetPane(0, 0);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(child->splitter.GetDlgItem(child->splitter.IdFromRowCol(0, 1)), child->splitter.GetPane(0, 1));
    EXPECT_EQ(child->splitter.IdFromRowCol(0, 1), 0xE901);
    EXPECT_EQ(static_cast<CView*>(left)->GetParentFrame(), child);
    EXPECT_EQ(child->GetActiveView(), left) << "the first pane is active";
    // Each view stands in its own column, with no empty pane left over.
    auto* row = qobject_cast<QSplitter*>(static_cast<QSplitter*>(child->splitter.Widget())->widget(0));
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->count(), 2);
    EXPECT_EQ(row->widget(0), left->Widget());
    EXPECT_EQ(row->widget(1), child->splitter.GetPane(0, 1)->Widget());
    Log().clear();
    doc->UpdateAllViews(nullptr, 7);
    EXPECT_EQ(Log(), (std::vector<std::string>{"view update 7", "view update 7"}));
    app.CloseAllDocuments(true);
    RunDeferredDeletes();
    delete main;
    RunDeferredDeletes();
}

} // namespace

namespace {

// A view made inside a window that had no frame yet and taken in by a frame
// afterwards still leaves that frame when it dies: the frame never keeps a
// view that is gone.
TEST(Frames2, AViewTakenInLateLeavesItsFrameWhenItDies)
{
    test::ServiceScope services;
    TestApp app;
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create("frame"));
    QWidget holder;
    auto* view = new NoteView;
    view->Create(&holder, nullptr);
    ASSERT_EQ(view->GetParentFrame(), nullptr);
    frame->AttachView(view);
    frame->SetActiveView(view);
    ASSERT_EQ(frame->GetActiveView(), view);
    delete view;
    EXPECT_EQ(frame->GetActiveView(), nullptr);
    frame->DestroyWindow();
    RunDeferredDeletes();
}

} // namespace
