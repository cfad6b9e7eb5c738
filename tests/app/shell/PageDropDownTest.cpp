// The project window as the program composes it: each group button's arrow
// drops the menu of its pages (filled and trimmed by the main window's
// popup pass), and every page in it opens from there.

#include "tests/app/shell/ShellFixture.h"

#include "app/shell/MainFrame.h"
#include "app/shell/ShellIds.h"
#include "framework/ui/Menu.h"
#include "project/views/ProjectFrame.h"
#include "tests/support/link/SystemTestSupport.h"

#include <QAction>
#include <QMenu>

namespace shelltest {
namespace {

struct GroupCase {
    const char* name;
    unsigned group;
    std::vector<unsigned> pages;
};

// What each drop-down offers once the program's removals are made.
const GroupCase kProjectGroups[] = {
    {"channels", prjcmd::kGroupChannel, {32786, 32787, 32788, 33338}},
    {"settings", prjcmd::kGroupSetting, {32790, 32791}},
    {"data", prjcmd::kGroupData, {32795, 32796}},
    {"history", prjcmd::kGroupHistory, {32917, 32918, 32919, 33298}},
    {"can", prjcmd::kGroupCan, {33295, 33296}},
};

struct DroppedItem {
    unsigned id;
    std::string caption;
    bool enabled;
};

class PageDropDowns : public ShellTest {
protected:
    void TearDown() override
    {
        fw::CMenu::SetTrackHook(nullptr);
        ShellTest::TearDown();
    }
    // A project whose control unit holds output, digital and CAN units.
    CProjectFrame* NewProject()
    {
        UnregisterProjectType();
        if (!Start())
            return nullptr;
        app.Settings().m_meterInterfacePrf = systest::Profile({systest::Types({1, 3, 7, 8})});
        app.CloseAllDocuments(false);
        app.OnFileNew();
        auto* main = dynamic_cast<CMainFrame*>(app.GetMainWnd());
        return main ? dynamic_cast<CProjectFrame*>(main->MDIGetActive()) : nullptr;
    }
    // Drops the group's menu, notes its items and chooses `choice` (0: none).
    std::vector<DroppedItem> Drop(CProjectFrame* frame, unsigned group, unsigned choice = 0)
    {
        std::vector<DroppedItem> items;
        fw::CMenu::SetTrackHook([&](fw::CMenu& menu) -> unsigned {
            for (QAction* a : menu.Menu()->actions())
                if (!a->isSeparator())
                    items.push_back({fw::CMenu::CommandOf(a), a->text().toStdString(), a->isEnabled()});
            return choice;
        });
        frame->PageToolBar().PressDropDown(group);
        fw::CMenu::SetTrackHook(nullptr);
        return items;
    }
};

TEST_F(PageDropDowns, EveryGroupArrowOffersItsPagesWithTheirCaptions)
{
    CProjectFrame* frame = NewProject();
    ASSERT_NE(frame, nullptr);
    for (const GroupCase& c : kProjectGroups) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(frame->PageToolBar().HasDropDownArrow(c.group));
        std::vector<unsigned> ids;
        for (const DroppedItem& item : Drop(frame, c.group)) {
            ids.push_back(item.id);
            EXPECT_EQ(item.caption, frame->PageCaption(item.id).str()) << item.id;
            EXPECT_TRUE(item.enabled) << item.id;
        }
        EXPECT_EQ(ids, c.pages);
    }
}

TEST_F(PageDropDowns, EveryPageOpensFromItsDropDown)
{
    CProjectFrame* frame = NewProject();
    ASSERT_NE(frame, nullptr);
    for (const GroupCase& c : kProjectGroups) {
        for (unsigned page : c.pages) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(page));
            Drop(frame, c.group, page);
            EXPECT_EQ(frame->GetShownPageId(), page);
            EXPECT_EQ(frame->GetCurrentGroup(), c.group);
            ASSERT_NE(frame->VisiblePage(), nullptr);
            EXPECT_EQ(frame->VisiblePage()->GetDlgCtrlID(), fw::AFX_IDW_PANE_FIRST);
            const std::string title = frame->GetWindowText().str();
            EXPECT_NE(title.find(" - (" + frame->PageCaption(page).str() + ")"), std::string::npos) << title;
            // The group's button now brings this page back.
            frame->PageToolBar().PressButton(prjcmd::kGroupChannel);
            frame->PageToolBar().PressButton(c.group);
            EXPECT_EQ(frame->GetShownPageId(), page);
        }
    }
}

TEST_F(PageDropDowns, ASecondWindowOfTheProjectNumbersItsTitle)
{
    CProjectFrame* frame = NewProject();
    ASSERT_NE(frame, nullptr);
    app.GetMainWnd()->DoCommand(ID_WINDOW_NEW);
    auto* main = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    auto* second = dynamic_cast<CProjectFrame*>(main->MDIGetActive());
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, frame);
    EXPECT_EQ(frame->WindowNumber(), 1);
    EXPECT_EQ(second->WindowNumber(), 2);
    const std::string title = second->GetWindowText().str();
    EXPECT_NE(title.find(":2 - ("), std::string::npos) << title;
    EXPECT_NE(frame->GetWindowText().str().find(":1 - ("), std::string::npos) << frame->GetWindowText().str();
}

} // namespace
} // namespace shelltest
