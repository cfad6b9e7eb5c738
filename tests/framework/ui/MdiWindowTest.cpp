// Child windows of the MDI frame: where a new one opens, the window
// commands, the list of open windows and the window keys.

#include "framework/core/StandardCommands.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/MdiLayout.h"
#include "framework/ui/Menu.h"
#include "tests/framework/ui/UiTestClasses.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace fw;
using namespace uitest;

struct NewChildCase {
    const char* name;
    QSize area;
    int index;
    QRect expected;
};

TEST(MdiLayout, ANewChildTakesThreeQuartersAndStepsDownTheCascade)
{
    const NewChildCase cases[] = {
        {"first", {800, 600}, 0, {0, 0, 600, 450}},
        {"third", {800, 600}, 2, {50, 50, 600, 450}},
        // 150 pixels of room down: steps 0..6 fit, the eighth starts over.
        {"wraps", {800, 600}, 7, {0, 0, 600, 450}},
        {"tiny area", {2, 2}, 3, {0, 0, 1, 1}},
    };
    for (const NewChildCase& c : cases)
        EXPECT_EQ(NewMdiChildRect(c.area, c.index, 25), c.expected) << c.name;
}

struct TileCase {
    const char* name;
    int count;
    bool horizontal;
    std::vector<QRect> expected;
};

TEST(MdiLayout, TilingStacksUpToThreeWindowsThenMakesAGrid)
{
    const QSize area(600, 400);
    const TileCase cases[] = {
        {"one fills", 1, true, {{0, 0, 600, 400}}},
        {"two horizontal", 2, true, {{0, 0, 600, 200}, {0, 200, 600, 200}}},
        {"two vertical", 2, false, {{0, 0, 300, 400}, {300, 0, 300, 400}}},
        {"four horizontal", 4, true, {{0, 0, 300, 200}, {0, 200, 300, 200}, {300, 0, 300, 200}, {300, 200, 300, 200}}},
        {"five horizontal: the second column takes three", 5, true,
         {{0, 0, 300, 200}, {0, 200, 300, 200}, {300, 0, 300, 133}, {300, 133, 300, 133}, {300, 266, 300, 134}}},
    };
    for (const TileCase& c : cases)
        EXPECT_EQ(TileMdiChildRects(area, c.count, c.horizontal), c.expected) << c.name;
}

class MdiWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = app.MakeMainFrame();
        main->Widget()->resize(1000, 800);
        main->ShowWindow(SW_SHOW);
        QApplication::processEvents();
    }
    void TearDown() override
    {
        app.CloseAllDocuments(true);
        RunDeferredDeletes();
        delete main;
        RunDeferredDeletes();
        EXPECT_EQ(services.prompt.Problems(), "");
    }
    CMDIChildWnd* OpenNew()
    {
        app.notes->OpenDocumentFile(CString());
        return main->MDIGetActive();
    }
    QSize Area() const { return main->MdiArea()->viewport()->size(); }
    int Step() const
    {
        const QStyle* style = main->MdiArea()->style();
        return style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, main->MdiArea()) +
               style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, main->MdiArea());
    }
    // The popup of the window commands, as the frame shows it.
    QMenu* ShowWindowPopup(CMenu& popup)
    {
        popup.CreatePopupMenu();
        popup.AppendMenu(MF_STRING, ID_WINDOW_NEW, "新しいウィンドウを開く(&N)");
        popup.AppendMenu(MF_STRING, ID_WINDOW_CASCADE, "重ねて表示(&C)");
        popup.AppendMenu(MF_STRING, ID_WINDOW_TILE_HORZ, "並べて表示(&T)");
        main->OnInitMenuPopup(&popup, 0, false);
        return popup.Menu();
    }

    test::ServiceScope services;
    TestApp app;
    MainFrame* main = nullptr;
};

TEST_F(MdiWindows, NewChildrenOpenCascadedAtThreeQuartersOfTheArea)
{
    CMDIChildWnd* first = OpenNew();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->SubWindow()->geometry(), NewMdiChildRect(Area(), 0, Step()));
    EXPECT_EQ(first->SubWindow()->width(), Area().width() * 3 / 4);
    CMDIChildWnd* second = OpenNew();
    EXPECT_EQ(second->SubWindow()->geometry(), NewMdiChildRect(Area(), 1, Step()));
    // While the active child is maximised the next one opens maximised.
    second->SubWindow()->showMaximized();
    CMDIChildWnd* third = OpenNew();
    EXPECT_TRUE(third->SubWindow()->isMaximized());
}

TEST_F(MdiWindows, ARememberedPlacementWinsOverTheCascade)
{
    CDocument* doc = app.notes->OpenDocumentFile(CString(), false);
    ASSERT_NE(doc, nullptr);
    POSITION pos = doc->GetFirstViewPosition();
    CFrameWnd* frame = doc->GetNextView(pos)->GetParentFrame();
    WINDOWPLACEMENT wp;
    wp.rcNormalPosition = CRect(40, 30, 440, 330);
    frame->SetWindowPlacement(&wp);
    frame->ActivateFrame();
    EXPECT_EQ(static_cast<CMDIChildWnd*>(frame)->SubWindow()->geometry(), QRect(40, 30, 400, 300));
}

TEST_F(MdiWindows, WindowCommandsArrangeTheChildren)
{
    CMDIChildWnd* a = OpenNew();
    CMDIChildWnd* b = OpenNew();
    main->ExecuteCommand(ID_WINDOW_TILE_VERT);
    const std::vector<QRect> side = TileMdiChildRects(Area(), 2, false);
    EXPECT_EQ(a->SubWindow()->geometry(), side[0]);
    EXPECT_EQ(b->SubWindow()->geometry(), side[1]);
    main->ExecuteCommand(ID_WINDOW_TILE_HORZ);
    const std::vector<QRect> stacked = TileMdiChildRects(Area(), 2, true);
    EXPECT_EQ(a->SubWindow()->geometry(), stacked[0]);
    EXPECT_EQ(b->SubWindow()->geometry(), stacked[1]);
    b->SubWindow()->showMaximized();
    main->ExecuteCommand(ID_WINDOW_CASCADE);
    EXPECT_FALSE(b->SubWindow()->isMaximized());
    EXPECT_EQ(a->SubWindow()->geometry(), NewMdiChildRect(Area(), 0, Step()));
    EXPECT_EQ(b->SubWindow()->geometry(), NewMdiChildRect(Area(), 1, Step()));
    // Minimised windows line up along the bottom.
    a->SubWindow()->showMinimized();
    b->SubWindow()->showMinimized();
    main->ExecuteCommand(ID_WINDOW_ARRANGE);
    EXPECT_EQ(a->SubWindow()->geometry().bottom(), Area().height() - 1);
    EXPECT_EQ(a->SubWindow()->x(), 0);
    EXPECT_EQ(b->SubWindow()->x(), a->SubWindow()->width());
}

TEST_F(MdiWindows, NewWindowOpensASecondFrameOnTheActiveDocument)
{
    CMDIChildWnd* first = OpenNew();
    CDocument* doc = first->GetActiveDocument();
    main->ExecuteCommand(ID_WINDOW_NEW);
    ASSERT_EQ(main->Children().size(), 2u);
    EXPECT_NE(main->MDIGetActive(), first);
    EXPECT_EQ(main->MDIGetActive()->GetActiveDocument(), doc);
    EXPECT_EQ(doc->GetViewCount(), 2u);
}

TEST_F(MdiWindows, ThePopupOfTheWindowCommandsListsTheOpenWindows)
{
    OpenNew();
    OpenNew();
    CMenu popup;
    QMenu* menu = ShowWindowPopup(popup);
    std::vector<QString> texts;
    std::vector<bool> checked;
    for (QAction* a : menu->actions()) {
        texts.push_back(a->isSeparator() ? QString("-") : a->text());
        checked.push_back(a->isChecked());
    }
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[3], "-");
    EXPECT_EQ(texts[4], "&1 ノート1");
    EXPECT_EQ(texts[5], "&2 ノート2");
    EXPECT_EQ(CMenu::CommandOf(menu->actions()[4]), AFX_IDM_FIRST_MDICHILD);
    EXPECT_FALSE(checked[4]);
    EXPECT_TRUE(checked[5]) << "the active window";
    EXPECT_TRUE(menu->actions()[4]->isEnabled());

    // Choosing the first entry activates it; the list is rebuilt, not added to.
    main->ExecuteCommand(CMenu::CommandOf(menu->actions()[4]));
    EXPECT_EQ(main->MDIGetActive(), main->Children()[0]);
    main->OnInitMenuPopup(&popup, 0, false);
    ASSERT_EQ(menu->actions().size(), 6);
    EXPECT_TRUE(menu->actions()[4]->isChecked());

    // With no window left the list goes, separator and all.
    app.CloseAllDocuments(false);
    RunDeferredDeletes();
    main->OnInitMenuPopup(&popup, 0, false);
    EXPECT_EQ(menu->actions().size(), 3);
}

TEST_F(MdiWindows, ControlKeysCloseAndCycleTheChildren)
{
    CMDIChildWnd* a = OpenNew();
    CMDIChildWnd* b = OpenNew();
    CMDIChildWnd* c = OpenNew();
    QApplication::setActiveWindow(main->Widget());
    QWidget* target = main->Widget();
    ASSERT_EQ(main->MDIGetActive(), c);
    QTest::keyClick(target, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(main->MDIGetActive(), a) << "Ctrl+Tab goes round to the first";
    QTest::keyClick(target, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(main->MDIGetActive(), c);
    QTest::keyClick(target, Qt::Key_F4, Qt::ControlModifier);
    RunQueued();
    EXPECT_EQ(main->Children().size(), 2u);
    EXPECT_EQ(app.notes->GetDocumentCount(), 2u);
    (void)b;
}

} // namespace
