// The list-graph dialogs driven by control id: choices from the cells'
// menus, typed cells, the axis switch, and OK storing into the list.

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphListObj.h"
#include "chart/model/ListGraphClasses.h"
#include "chart/views/ListGraphDialogsImpl.h"
#include "chart/views/ListGraphDlgs.h"
#include "chart/views/ListGraphGrids.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/ServiceSlot.h"
#include "framework/ui/CommonControls.h"
#include "framework/ui/Menu.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

void AddSeries(CListGraphDraw& row, int channel)
{
    CGraphParamArray* series = row.AddSeries(true);
    auto* x = new CFltDataTank;
    auto* y = new CFltDataTank;
    y->SetName(fw::Format("ch%d", channel));
    x->SetValue(0, 0);
    y->SetValue(0, 0);
    series->AppendItem(0, 0, x);
    series->AppendItem(0, channel, y);
    ReleaseTank(x);
    ReleaseTank(y);
}

class ListGraphDlgs : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
        list.ShapeRows({true, false, true});
        AddSeries(*list.GetRow(0), 0);
        AddSeries(*list.GetRow(2), 500);
        for (int r : {0, 2})
            list.GetRow(r)->SetDefaultAxisTitles();
        list.RebuildAxes();
    }
    void TearDown() override { fw::CMenu::SetTrackHook({}); }

    // The grid's row `row` selected, the choice `command` made from its menu.
    template <class Grid> void Choose(Grid& grid, int row, int col, unsigned command)
    {
        grid.SetSelection({row, col, row, col}, {row, col}, {row, col}, false);
        fw::CMenu::SetTrackHook([command](fw::CMenu&) { return command; });
        grid.OnDropDown(col, row, {0, 0});
    }

    fw::test::ScriptedDialogs dialogs;
    CListGraphDialogs impl;
    fw::ScopedInstall<IListGraphDialogs> installed{impl};
    CGraphListObj list;
};

TEST_F(ListGraphDlgs, DrawMethodChosenForTheSecondGridRowReachesListRowTwo)
{
    dialogs.On(CGraphListDrawTypeDlg::kTemplateId, [this](fw::CDialog& d) {
        auto& dlg = static_cast<CGraphListDrawTypeDlg&>(d);
        fw::CString text;
        dlg.Grid()->GetRowHeaderText(text, 0, 1, 0);
        EXPECT_EQ(text, "ch500");
        Choose(*dlg.Grid(), 1, 0, listgraphcmd::kSteps);
        dlg.Grid()->GetSheetText(text, 0, 1, 0);
        EXPECT_EQ(text, "水平線垂直線で結ぶ");
        dlg.OnOK();
        return 0;
    });
    EXPECT_TRUE(list.EditDrawTypes());
    EXPECT_EQ(list.GetRow(2)->GetSeries(0)->GetStyle().drawType, 1);
    EXPECT_EQ(list.GetRow(0)->GetSeries(0)->GetStyle().drawType, 0);
}

TEST_F(ListGraphDlgs, TypedTitleTurnsItsAutomaticLabelOffAndCancelKeepsTheList)
{
    dialogs.On(CGraphListLabelDlg::kTemplateId, [](fw::CDialog& d) {
        auto& dlg = static_cast<CGraphListLabelDlg&>(d);
        fw::CString text;
        dlg.Grid()->GetRowHeaderText(text, 0, 1, 0);
        EXPECT_EQ(text, "NO1");
        dlg.Grid()->GetSheetText(text, 3, 1, 0);
        EXPECT_EQ(text, "ON");
        EXPECT_TRUE(dlg.Grid()->SetSheetText(1, 4, "Pressure", 1));
        dlg.Grid()->GetSheetText(text, 3, 1, 0);
        EXPECT_EQ(text, "OFF");
        dlg.OnOK();
        return 0;
    });
    EXPECT_TRUE(list.EditLabels());
    EXPECT_EQ(list.GetRow(2)->m_yTitleFromSeries, 0);
    EXPECT_EQ(list.GetRow(2)->GetAxisTitle('Y')->Text(), "Pressure");
    EXPECT_EQ(list.GetRow(0)->m_yTitleFromSeries, 1);

    dialogs.On(CGraphListLabelDlg::kTemplateId, [](fw::CDialog& d) {
        static_cast<CGraphListLabelDlg&>(d).Grid()->SetSheetText(0, 1, "lost", 1);
        d.OnCancel();
        return 0;
    });
    EXPECT_FALSE(list.EditLabels());
    EXPECT_NE(list.GetRow(0)->GetAxisTitle('X')->Text(), "lost");
}

TEST_F(ListGraphDlgs, ScalesSwitchAxesAndStoreTheDialogsOnValue)
{
    dialogs.On(CGraphListScaleDlg::kTemplateId, [this](fw::CDialog& d) {
        auto& dlg = static_cast<CGraphListScaleDlg&>(d);
        fw::CString text;
        dlg.Grid()->GetColumnHeaderText(text, 1, 0, 0);
        EXPECT_EQ(text, "左端値");
        // Typing the X minimum switches X auto-scale off for that row.
        EXPECT_TRUE(dlg.Grid()->SetSheetText(0, 1, "5", 1));
        dlg.Grid()->GetSheetText(text, 0, 0, 0);
        EXPECT_EQ(text, "OFF");
        dlg.SelectAxis(1);
        dlg.Grid()->GetColumnHeaderText(text, 1, 0, 0);
        EXPECT_EQ(text, "下端値");
        Choose(*dlg.Grid(), 1, 0, listgraphcmd::kOn);
        Choose(*dlg.Grid(), 1, 5, listgraphcmd::kFormatFixed);
        EXPECT_FALSE(dlg.Grid()->SetSheetText(1, 5, "fix", 1)) << "choices are matched exactly";
        dlg.OnOK();
        return 0;
    });
    EXPECT_TRUE(list.EditScales());
    EXPECT_EQ(list.GetRow(0)->Scale().m_x.autoMode, 0);
    EXPECT_EQ(list.GetRow(0)->Scale().m_x.minimum, 5.0);
    EXPECT_EQ(list.GetRow(2)->Scale().m_y.autoMode, 2) << "ON from this dialog follows the selection";
    tLabelFormat format;
    list.GetRow(2)->GetTickLabels('Y')->GetLabelFormat(format);
    EXPECT_EQ(format.kind, 1);
}

} // namespace
