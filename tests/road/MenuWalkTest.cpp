// Every menu and tool-bar button of each window type in the running
// program: after each popup's own update pass (as when the user opens it),
// an enabled item must reach a handler along the command route, and no
// item may be blank. Items that stay disabled for want of any handler are
// listed as dead (a placeholder left behind looks like that).

#include "tests/road/RoadDriver.h"
#include "tests/road/RoadFiles.h"
#include "tests/road/RoadRun.h"

#include "framework/core/CmdTarget.h"
#include "framework/ui/MDIFrameWnd.h"
#include "framework/ui/Menu.h"
#include "framework/ui/ToolBar.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace road {
namespace {

struct Findings {
    QStringList offenders;  // enabled without a handler, blank, empty
    QStringList dead;       // disabled without a handler
};

bool Routed(fw::CFrameWnd* frame, unsigned id)
{
    fw::CmdHandlerInfo info;
    return frame->OnCmdMsg(id, fw::CN_COMMAND, nullptr, &info);
}

void WalkMenu(QMenu* menu, const QString& path, fw::CFrameWnd* frame, Findings& found)
{
    fw::RunMenuAboutToShow(menu);
    int shown = 0;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        ++shown;
        const QString where = path + " > " + a->text();
        if (PlainCaption(a->text()).isEmpty())
            found.offenders << where + ": an item without caption";
        if (a->menu()) {
            WalkMenu(a->menu(), where, frame, found);
            continue;
        }
        const unsigned id = fw::CMenu::CommandOf(a);
        if (id == 0 || Routed(frame, id))
            continue;
        (a->isEnabled() ? found.offenders : found.dead) << where + QString(" (%1)").arg(id);
    }
    if (shown == 0)
        found.offenders << path + ": an empty menu";
}

void WalkBars(fw::CFrameWnd* frame, const QString& where, Findings& found)
{
    for (fw::CControlBar* bar : frame->ControlBars()) {
        auto* tools = dynamic_cast<fw::CToolBar*>(bar);
        if (!tools)
            continue;
        fw::CFrameWnd* owner = tools->GetOwnerFrame() ? tools->GetOwnerFrame() : frame;
        tools->OnUpdateCmdUI(owner, true);
        for (int i = 0; i < tools->GetCount(); ++i) {
            const unsigned id = tools->GetItemID(i);
            QAction* a = id ? tools->ActionOf(id) : nullptr;
            if (!a || !a->isVisible() || Routed(owner, id))
                continue;
            (a->isEnabled() ? found.offenders : found.dead)
                << where + QString(" tool bar button %1 \"%2\"").arg(id).arg(a->toolTip());
        }
    }
}

Findings Walk()
{
    return OnGui([] {
        Findings found;
        fw::CMDIFrameWnd* main = MainFrame();
        if (!main || !main->MainWindow()) {
            found.offenders << "no main window";
            return found;
        }
        for (QAction* top : main->MainWindow()->menuBar()->actions())
            if (top->menu() && top->isVisible())
                WalkMenu(top->menu(), top->text(), main, found);
        WalkBars(main, "main window", found);
        if (fw::CMDIChildWnd* child = main->MDIGetActive())
            WalkBars(child, "document window", found);
        return found;
    }, 60);
}

void ExpectAllHandled(const char* window)
{
    const Findings found = Walk();
    for (const QString& d : found.dead)
        std::printf("[walk] %s window, dead item: %s\n", window, d.toStdString().c_str());
    EXPECT_TRUE(found.offenders.isEmpty()) << "with the " << window << " window active:\n  "
                                           << found.offenders.join("\n  ").toStdString();
}

TEST(MenuWalk, ProjectAndGraphWindows)
{
    const int code = RunRoad({"--no-start-page"}, [] {
        if (!WaitFor([] { return ActiveChildClass() == "CProjectFrame"; }, 30, "the new project window"))
            return;
        ExpectAllHandled("project");
        if (!ChooseMenu({"グラフ", "白紙フォーム"}))
            return;
        if (WaitFor([] { return ChildCount() == 2 && ActiveChildClass() == "CGraphViewFrame"; }, 20, "the blank graph form"))
            ExpectAllHandled("graph");
    });
    EXPECT_EQ(code, 0) << "exit code";
}

TEST(MenuWalk, DataWindow)
{
    const std::string file = HomeFolder() + "/walk-data.kivd";
    ASSERT_TRUE(MakeDataFile(file));
    const int code = RunRoad({file}, [] {
        if (WaitFor([] { return ActiveChildClass() == "CKivDataFrame"; }, 30, "the data window"))
            ExpectAllHandled("data");
    });
    EXPECT_EQ(code, 0) << "exit code";
}

TEST(MenuWalk, FrequencyWindow)
{
    const std::string file = MakeFrequencyFile(HomeFolder());
    ASSERT_FALSE(file.empty());
    const int code = RunRoad({file}, [] {
        if (WaitFor([] { return ActiveChildClass() == "CHistFrame"; }, 30, "the frequency window"))
            ExpectAllHandled("frequency");
    });
    EXPECT_EQ(code, 0) << "exit code";
}

TEST(MenuWalk, NoWindow)
{
    const int code = RunRoad({"--no-start-page"}, [] {
        if (!WaitFor([] { return ChildCount() == 1; }, 30, "the new project window"))
            return;
        Click(ChildTitlePoint());
        Key("ctrl+F4");
        if (WaitFor([] { return ChildCount() == 0; }, 10, "Ctrl+F4 to close the project window"))
            ExpectAllHandled("no document");
    });
    EXPECT_EQ(code, 0) << "exit code";
}

} // namespace
} // namespace road
