// The set-up commands of every project page (control units and A/D
// settings) and the channel menus of the voltage-output page, captioned
// with the control unit's channel names.

#include "tests/project/views/ProjectWindowFixture.h"

#include "docbase/resources/ProgramMenus.h"
#include "docview/instrumentdlg/ADSetDlg.h"
#include "docview/instrumentdlg/SelectMeterDlg.h"
#include "framework/ui/Menu.h"
#include "project/views/PrjAmpOutView.h"
#include "project/views/ProjectAdDialog.h"

namespace prjview {
namespace {

class SetupCommandsTest : public ProjectWindowFixture {
protected:
    void SetUp() override
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        page = ChannelPage(doc);
        ASSERT_NE(page, nullptr);
    }
    bool Enabled(unsigned id)
    {
        fw::CCmdUI ui(id);
        page->OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
        return ui.m_bEnabled;
    }

    CKIV5980Doc* doc = nullptr;
    CProjectBaseView* page = nullptr;
    CProjectAdDialog adDialog;
    fw::ScopedInstall<IProjectAdDialog> installAd{adDialog};
};

TEST_F(SetupCommandsTest, SetUpCommandsNeedAnUnlockedProjectThatNoPanelWorksOn)
{
    struct Row {
        const char* name;
        bool locked, measuring, enabled;
    } rows[] = {
        {"free", false, false, true},
        {"locked", true, false, false},
        {"panel works on it", false, true, false},
    };
    for (const Row& row : rows) {
        if (doc->IsEditLocked() != row.locked)
            page->OnEditLock();
        projectHost.measuring = row.measuring;
        EXPECT_EQ(Enabled(CProjectBaseView::kIdMeterSetup), row.enabled) << row.name;
        EXPECT_EQ(Enabled(CProjectBaseView::kIdAdSetup), row.enabled) << row.name;
    }
}

TEST_F(SetupCommandsTest, TheAdDialogShowsTheProjectsSettingsAndOkAppliesThemEverywhere)
{
    const CADSetPrf before = doc->GetBoxArray().GetADSet();
    int shownCount = -1;
    double shownClock = -1;
    uiDialogs.On(CADSetDlg::kTemplateId, [&](fw::CDialog& d) {
        auto& dlg = static_cast<CADSetDlg&>(d);
        shownCount = dlg.m_nDataCount;
        shownClock = dlg.m_dClock;
        dlg.m_nDataCount = before.m_nNum + 1000;
        return fw::IDOK;
    });
    FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdAdSetup);
    EXPECT_EQ(shownCount, before.m_nNum);
    EXPECT_EQ(shownClock, before.m_dClk);
    EXPECT_EQ(doc->GetBoxArray().GetADSet().m_nNum, before.m_nNum + 1000);
    EXPECT_EQ(projectHost.adSet.m_nNum, before.m_nNum + 1000) << "the program's defaults follow";
    EXPECT_TRUE(doc->IsModified());

    // Cancelled: nothing changes.
    uiDialogs.On(CADSetDlg::kTemplateId, [&](fw::CDialog& d) {
        static_cast<CADSetDlg&>(d).m_nDataCount = 7;
        return fw::IDCANCEL;
    });
    FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdAdSetup);
    EXPECT_EQ(doc->GetBoxArray().GetADSet().m_nNum, before.m_nNum + 1000);
}

TEST_F(SetupCommandsTest, APresetCountIsOfferedAsAlreadyChanged)
{
    int shownCount = -1;
    int changed = -1;
    uiDialogs.On(CADSetDlg::kTemplateId, [&](fw::CDialog& d) {
        auto& dlg = static_cast<CADSetDlg&>(d);
        shownCount = dlg.m_nDataCount;
        changed = dlg.m_bChanged;
        return fw::IDCANCEL;
    });
    EXPECT_EQ(doc->ShowADSetDialog(0, 4321, 0.0, 0), fw::IDCANCEL);
    EXPECT_EQ(shownCount, 4321);
    EXPECT_EQ(changed, 1);
}

TEST_F(SetupCommandsTest, TheMeterDialogEditsACopyOfTheProjectsConnection)
{
    RegisterProgramMenus();  // the dialog's unit grid
    bool sameProfile = false;
    uiDialogs.On(CSelectMeterDlg::kTemplateId, [&](fw::CDialog& d) {
        auto& dlg = static_cast<CSelectMeterDlg&>(d);
        sameProfile = dlg.m_prf.IsEqual(doc->GetBoxArray().GetProfile());
        return fw::IDCANCEL;
    });
    doc->SetModifiedFlag(false);
    FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdMeterSetup);
    EXPECT_TRUE(sameProfile);
    EXPECT_FALSE(doc->IsModified());
}

class OutputMenusTest : public ProjectWindowFixture {
protected:
    void SetUp() override
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        FrameOf(doc)->OnPageCommand(prjcmd::kPageOutput);
        page = dynamic_cast<CPrjAmpOutView*>(FrameOf(doc)->GetActiveView());
        ASSERT_NE(page, nullptr);
        page->GetGrid()->SetSelection({0, 0, 0, 0}, {0, 0}, {0, 0}, false);
    }
    // Opens the cell's menu; each top-level caption, and of the submenu
    // at `sub` (when >= 0) its first slot's captions; `pick` is chosen.
    void Open(int col, int sub, unsigned pick)
    {
        fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
            for (int i = 0; i < popup.GetMenuItemCount(); ++i)
                top.push_back(popup.GetMenuString(static_cast<unsigned>(i), fw::MF_BYPOSITION).str());
            fw::CMenu* units = sub >= 0 ? popup.GetSubMenu(sub) : nullptr;
            fw::CMenu* first = units ? units->GetSubMenu(0) : nullptr;
            if (first)
                for (int i = 0; i < first->GetMenuItemCount(); ++i)
                    firstSlot.push_back(first->GetMenuString(static_cast<unsigned>(i), fw::MF_BYPOSITION).str());
            return pick;
        });
        page->OnDropDown(col, 0, {});
        fw::CMenu::SetTrackHook(nullptr);
    }

    CKIV5980Doc* doc = nullptr;
    CPrjAmpOutView* page = nullptr;
    std::vector<std::string> top;
    std::vector<std::string> firstSlot;
};

TEST_F(OutputMenusTest, TheChannelMenuNamesTheControlUnitsChannelsAndSetsTheChosenOne)
{
    CBoxArray& system = doc->GetBoxArray();
    ASSERT_TRUE(system.SetChannelText(0, 1000, "STRAIN-A"));
    ASSERT_TRUE(system.SetChannelText(1, 1000, "STRAIN-B"));
    fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
        for (int i = 0; i < popup.GetMenuItemCount(); ++i)
            top.push_back(popup.GetMenuString(static_cast<unsigned>(i), fw::MF_BYPOSITION).str());
        if (fw::CMenu* first = popup.GetSubMenu(1))
            for (int i = 0; i < first->GetMenuItemCount(); ++i)
                firstSlot.push_back(first->GetMenuString(static_cast<unsigned>(i), fw::MF_BYPOSITION).str());
        return CPrjAmpOutView::kIdIn1First + 1;
    });
    page->OnDropDown(0, 0, {});
    fw::CMenu::SetTrackHook(nullptr);
    ASSERT_GE(top.size(), 2u);
    EXPECT_EQ(top[0], "OFF");
    EXPECT_LT(top.size(), 11u) << "slots without input units are left out";
    ASSERT_EQ(firstSlot.size(), 8u);
    EXPECT_EQ(firstSlot[0], "STRAIN-A");
    EXPECT_EQ(firstSlot[1], "STRAIN-B");
    EXPECT_EQ(system.GetChannelValue(page->RowOffset(), 23), 2) << "the chosen channel reaches the output";
}

TEST_F(OutputMenusTest, TheSignedMenusCarryTheNamesToo)
{
    ASSERT_TRUE(doc->GetBoxArray().SetChannelText(0, 1000, "LOAD"));
    Open(1, 1, 0);
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(top[1], " +");
    EXPECT_EQ(top[2], " -");
    ASSERT_FALSE(firstSlot.empty());
    EXPECT_EQ(firstSlot[0], "LOAD");
}

TEST_F(OutputMenusTest, TheVoltageColumnOffersTheOutputVoltages)
{
    Open(4, -1, CPrjAmpOutView::kIdVoltageFirst + 1);
    EXPECT_EQ(top, (std::vector<std::string>{"±5V", "±10V", "0 - +5V"}));
}

} // namespace
} // namespace prjview
