// Drop-down buttons of a tool bar: the arrow asks the frame for its menu
// with the button's id and rectangle, the button itself stays a command.

#include "framework/ui/CmdUI.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/ToolBar.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace fw;

constexpr unsigned kGroup = 32782;
constexpr unsigned kPlain = 32780;

class DropDownFrame : public CFrameWnd, public IToolBarDropDown {
    FW_DECLARE_COMMANDS()
public:
    void OnToolbarDropDown(CToolBar& bar, unsigned id, const CRect& button) override
    {
        events.push_back("drop " + std::to_string(id));
        lastBar = &bar;
        lastRect = button;
    }
    void OnGroup() { events.push_back("command"); }
    void OnPlain() { events.push_back("plain"); }

    CToolBar bar;
    std::vector<std::string> events;
    CToolBar* lastBar = nullptr;
    CRect lastRect;
};

FW_BEGIN_COMMANDS(DropDownFrame, CFrameWnd)
    FW_ON_COMMAND(kGroup, &DropDownFrame::OnGroup)
    FW_ON_COMMAND(kPlain, &DropDownFrame::OnPlain)
FW_END_COMMANDS

class ToolBarDropDown : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Create("frame"));
        ASSERT_TRUE(bar.Create(&frame));
        const unsigned ids[] = {kPlain, 0, kGroup};
        bar.SetButtons(ids, 3);
        bar.SetButtonStyle(bar.CommandToIndex(kGroup), TBBS_DROPDOWN);
        frame.MainWindow()->resize(400, 200);
        frame.ShowWindow(SW_SHOW);
        frame.UpdateControlBars();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        uitest::RunDeferredDeletes();
    }
    QToolButton* Button(unsigned id) const
    {
        return qobject_cast<QToolButton*>(bar.Bar()->widgetForAction(bar.ActionOf(id)));
    }
    // A left click at `at` inside the button, as the window system sends it.
    static void Click(QToolButton* button, QPoint at)
    {
        const QPointF local(at);
        const QPointF global(button->mapToGlobal(at));
        QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(button, &release);
    }

    // A frame deletes itself when its window goes.
    DropDownFrame& frame = *new DropDownFrame;
    CToolBar& bar = frame.bar;
};

TEST_F(ToolBarDropDown, OnlyDropDownButtonsShowTheArrow)
{
    EXPECT_TRUE(bar.HasDropDownArrow(kGroup));
    EXPECT_FALSE(bar.HasDropDownArrow(kPlain));
    bar.SetButtonStyle(bar.CommandToIndex(kGroup), TBBS_BUTTON);
    EXPECT_FALSE(bar.HasDropDownArrow(kGroup));
}

TEST_F(ToolBarDropDown, TheArrowAsksTheFrameWithTheButtonsIdAndRectangle)
{
    QToolButton* button = Button(kGroup);
    ASSERT_NE(button, nullptr);
    Click(button, QPoint(button->width() - 3, button->height() / 2));
    ASSERT_EQ(frame.events, std::vector<std::string>{"drop 32782"});
    EXPECT_EQ(frame.lastBar, &bar);
    const QPoint corner = button->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(frame.lastRect.left, corner.x());
    EXPECT_EQ(frame.lastRect.top, corner.y());
    EXPECT_EQ(frame.lastRect.bottom - frame.lastRect.top, button->height());
    EXPECT_EQ(frame.lastRect.right - frame.lastRect.left, button->width());
}

TEST_F(ToolBarDropDown, TheButtonBesideTheArrowStaysACommand)
{
    QToolButton* button = Button(kGroup);
    ASSERT_NE(button, nullptr);
    Click(button, QPoint(4, button->height() / 2));
    EXPECT_EQ(frame.events, std::vector<std::string>{"command"});
}

TEST_F(ToolBarDropDown, RebuiltButtonsKeepTheirArrowsAndADisabledArrowIsDead)
{
    const unsigned ids[] = {kGroup, kPlain};
    bar.SetButtons(ids, 2);
    bar.SetButtonStyle(0, TBBS_DROPDOWN);
    frame.UpdateControlBars();
    EXPECT_TRUE(bar.HasDropDownArrow(kGroup));
    bar.ActionOf(kGroup)->setEnabled(false);
    bar.PressDropDown(kGroup);
    EXPECT_TRUE(frame.events.empty());
    bar.ActionOf(kGroup)->setEnabled(true);
    bar.PressDropDown(kGroup);
    EXPECT_EQ(frame.events, std::vector<std::string>{"drop 32782"});
}

TEST_F(ToolBarDropDown, ARightClickOnTheBarOffersNoNamelessMenu)
{
    QToolButton* button = Button(kGroup);
    ASSERT_NE(button, nullptr);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), button->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(button, &event);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

} // namespace
