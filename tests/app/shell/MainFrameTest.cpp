#include "app/shell/CfStatusBtn.h"
#include "app/shell/MainFrame.h"
#include "app/shell/ProgramImages.h"
#include "app/shell/MainFrameTexts.h"
#include "app/shell/ShellIds.h"
#include "docbase/resources/ProgramMenus.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/DateTime.h"
#include "framework/core/MenuResource.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/Menu.h"
#include "framework/ui/WinApp.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

using fw::CString;

constexpr double kSecond = 1.0 / 86400.0;

TEST(DurationText, SecondsRoundToTheNearestWholeSecond)
{
    struct Row { const char* name; double seconds; const char* text; };
    const Row rows[] = {
        {"zero", 0.0, "0:00:00"},
        {"just_under_an_hour", 3599.6, "1:00:00"},
        {"rounds_down", 3599.4, "0:59:59"},
        {"long_run", 27 * 3600 + 5 * 60 + 7, "27:05:07"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(FormatDuration(r.seconds * kSecond), r.text);
    }
}

class MainFrameBars : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterProgramMenus();
        frame = new CMainFrame;
        ASSERT_TRUE(frame->LoadFrame(kIdrMainFrame));
    }
    void TearDown() override
    {
        delete frame;
        uitest::RunDeferredDeletes();
    }
    CString BarText(int id) { return frame->DialogBar().GetDlgItemText(id); }

    fw::test::ServiceScope services;
    CMainFrame* frame = nullptr;
};

TEST_F(MainFrameBars, TheFrameHasItsToolBarMeasurementBarAndStatusBar)
{
    EXPECT_EQ(frame->GetWindowText(), "KIV-5400");
    EXPECT_GT(frame->ToolBar().GetCount(), 0);
    EXPECT_EQ(frame->DialogBar().GetDlgCtrlID(), 59397);
    EXPECT_EQ(frame->StatusBar().GetCount(), 1);
    ASSERT_NE(frame->CfStatusButton(), nullptr);
    EXPECT_EQ(BarText(IDC_TRIGGER_TIMES), "");
    EXPECT_EQ(BarText(IDC_CF_STATUS), "") << "no free space known yet";
}

TEST_F(MainFrameBars, TriggerTimesModeAndCounts)
{
    fw::COleDateTime start;
    fw::COleDateTime end;
    ASSERT_TRUE(fw::FieldsToOleDate(2026, 3, 4, 5, 6, 7, start.m_dt));
    ASSERT_TRUE(fw::FieldsToOleDate(2026, 3, 4, 6, 6, 7, end.m_dt));
    struct Names : IMeasureModeNames {
        fw::CString Caption(int mode) override { return fw::Format("mode%d", mode); }
    } names;
    fw::ScopedInstall<IMeasureModeNames> installedNames(names);

    frame->UpdateTriggerStatus(start.m_dt, end.m_dt, 1);
    EXPECT_EQ(BarText(IDC_TRIGGER_TIMES), "03/04 05:06:07 - 03/04 06:06:07");
    EXPECT_EQ(BarText(IDC_MEASURE_MODE), "mode1");
    EXPECT_EQ(frame->GetPlannedDuration(), "1:00:00");
    frame->ShowElapsedTime(start.m_dt, 3599.6 * kSecond, false);
    EXPECT_EQ(BarText(IDC_COUNT_OR_ELAPSED), "1:00:00(書き込み中)") << "the planned end is reached";
    frame->ShowElapsedTime(start.m_dt, 1800 * kSecond, false);
    EXPECT_EQ(BarText(IDC_COUNT_OR_ELAPSED), "0:30:00");

    // Without an end time only the start shows, and the suffix never comes
    // by itself.
    frame->UpdateTriggerStatus(start.m_dt, 0.0, 9);
    EXPECT_EQ(BarText(IDC_TRIGGER_TIMES), "03/04 05:06:07");
    EXPECT_EQ(BarText(IDC_MEASURE_MODE), "");
    frame->ShowElapsedTime(start.m_dt, 7200 * kSecond, false);
    EXPECT_EQ(BarText(IDC_COUNT_OR_ELAPSED), "2:00:00");
    frame->ShowElapsedTime(start.m_dt, 7200 * kSecond, true);
    EXPECT_EQ(BarText(IDC_COUNT_OR_ELAPSED), "2:00:00(書き込み中)");

    frame->ShowRecordCount(1234, true);
    EXPECT_EQ(BarText(IDC_COUNT_OR_ELAPSED), "1234(書き込み中)");
    frame->ShowWaitingText(true);
    EXPECT_EQ(BarText(IDC_COUNT_OR_ELAPSED), "計測待機中");
    frame->ResetDialogBar();
    EXPECT_EQ(BarText(IDC_TRIGGER_TIMES), "");
    EXPECT_EQ(BarText(IDC_COUNT_OR_ELAPSED), "");
}

TEST_F(MainFrameBars, TheCardButtonShowsStateInColourAndRepaintsOnlyOnChange)
{
    CCfStatusBtn& button = *frame->CfStatusButton();
    const int before = button.GetPaintCount();
    button.SetStatus(50, 10);
    EXPECT_EQ(button.GetFaceColor(), CCfStatusBtn::kYellow);
    EXPECT_EQ(button.GetWindowText(), "CFカードが入っていません");
    button.SetStatus(50, 10);
    EXPECT_EQ(button.GetPaintCount(), before + 1) << "the same values are not shown again";
    button.SetStatus(0, 37);
    EXPECT_EQ(button.GetWindowText(), "37%");
    EXPECT_EQ(button.GetFaceColor(), CCfStatusBtn::kButtonFace);
    button.SetStatus(51, 37);
    EXPECT_EQ(button.GetFaceColor(), CCfStatusBtn::kRed);
}

// Every button has a picture, the locked bar looks different, and the page
// buttons have their normal and hot pictures.
TEST_F(MainFrameBars, TheToolBarsShowTheirPicturesAndTheLock)
{
    const fw::CToolBar& bar = frame->ToolBar();
    for (int i = 0; i < bar.GetCount(); ++i) {
        const unsigned id = bar.GetItemID(i);
        if (id != 0) {
            EXPECT_FALSE(bar.ActionOf(id)->icon().isNull()) << id;
        }
    }
    auto picture = [](unsigned bitmap, int index) { return ToolbarImage(bitmap, index).pixmap(22, 22).toImage(); };
    EXPECT_NE(picture(kIdrEditLockedToolbar, 2), picture(kIdrMainFrame, 2));
    EXPECT_EQ(picture(kIdrEditLockedToolbar, 0), picture(kIdrMainFrame, 0));
    for (int i = 0; i <= 10; ++i) {
        if (i == 7 || i == 9)
            continue;
        SCOPED_TRACE(i);
        EXPECT_FALSE(ToolbarImage(kIdrPageButtons, i).isNull());
        EXPECT_NE(picture(kIdrPageButtonsHot, i), picture(kIdrPageButtons, i));
    }
}

TEST_F(MainFrameBars, EditLockSwapsTheToolBarOnlyOnChange)
{
    std::vector<unsigned> loaded;
    fw::CToolBar::SetImageProvider([&](unsigned bitmap, int) {
        loaded.push_back(bitmap);
        return QIcon();
    });
    frame->SetEditLockToolbar(false);
    EXPECT_TRUE(loaded.empty());
    frame->SetEditLockToolbar(true);
    ASSERT_FALSE(loaded.empty());
    EXPECT_EQ(loaded.back(), kIdrEditLockedToolbar);
    frame->SetEditLockToolbar(false);
    EXPECT_EQ(loaded.back(), kIdrMainFrame);
    fw::CToolBar::SetImageProvider(nullptr);
}

} // namespace

namespace {

TEST_F(MainFrameBars, TheFormatAndUnitItemsBecomeTheirPopups)
{
    using M = fw::MenuResource;
    fw::CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(M::Popup("", {M::Popup("データ", {M::Item("ﾌｫｰﾏｯﾄ", ID_NUMBER_FORMAT),
                                                                   M::Item("単位", ID_UNIT_MENU), M::Item("x", 7)})})));
    fw::CMenu* popup = menu.GetSubMenu(0);
    frame->OnInitMenu(&menu);
    ASSERT_EQ(popup->GetMenuItemCount(), 3);
    EXPECT_EQ(popup->GetMenuString(0, fw::MF_BYPOSITION), "ﾌｫｰﾏｯﾄ");
    ASSERT_NE(popup->GetSubMenu(0), nullptr);
    EXPECT_EQ(popup->GetSubMenu(0)->GetMenuItemCount(), static_cast<int>(CDataFormat::DefaultMenuItems().size()));
    EXPECT_EQ(popup->GetMenuString(1, fw::MF_BYPOSITION), "単位");
    ASSERT_NE(popup->GetSubMenu(1), nullptr);
    EXPECT_EQ(popup->GetSubMenu(1)->GetMenuItemCount(), 41);
    frame->OnInitMenu(&menu);
    EXPECT_EQ(popup->GetMenuItemCount(), 3) << "a second pass changes nothing";
    EXPECT_EQ(&MainFormatTable(), &frame->GetDataFormat());
}

} // namespace
