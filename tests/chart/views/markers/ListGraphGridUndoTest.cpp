// One step of undo in the list-graph dialogs' grids, run by command id:
// a second undo brings the change back; a choice restores only the
// current cell's column; clearing empties the selection.

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphListObj.h"
#include "chart/model/ListGraphClasses.h"
#include "chart/views/ListGraphDialogsImpl.h"
#include "chart/views/ListGraphDlgs.h"
#include "chart/views/ListGraphGrids.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/Format.h"
#include "framework/core/ServiceSlot.h"
#include "framework/ui/Menu.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned kUndo = 57643;
constexpr unsigned kClear = 57632;

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

class ListGraphGridUndo : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
        list.ShapeRows({true, true});
        AddSeries(*list.GetRow(0), 0);
        AddSeries(*list.GetRow(1), 1);
        for (int r : {0, 1})
            list.GetRow(r)->SetDefaultAxisTitles();
        list.RebuildAxes();
    }
    void TearDown() override { fw::CMenu::SetTrackHook({}); }

    static fw::CString Text(CZELGrid& grid, int row, int col)
    {
        fw::CString text;
        grid.GetSheetText(text, col, row, 0);
        return text;
    }
    static void Select(CZELGrid& grid, CCellRange range, CCellIndices current)
    {
        grid.SetSelection(range, current, current, false);
    }

    fw::test::ScriptedDialogs dialogs;
    CListGraphDialogs impl;
    fw::ScopedInstall<IListGraphDialogs> installed{impl};
    CGraphListObj list;
};

TEST_F(ListGraphGridUndo, ATypedTitleIsUndoneAndRedone)
{
    dialogs.On(CGraphListLabelDlg::kTemplateId, [](fw::CDialog& d) {
        auto& dlg = static_cast<CGraphListLabelDlg&>(d);
        CGraphListLabelGrid& grid = *dlg.Grid();
        EXPECT_FALSE(grid.CanUndo());
        const fw::CString before = Text(grid, 0, 1);
        Select(grid, {0, 1, 0, 1}, {0, 1});
        grid.RecordUndo(grid.GetSheetPane(), kChangeEdit, nullptr);
        EXPECT_TRUE(grid.SetSheetText(0, 1, "Force", 1));
        EXPECT_TRUE(grid.CanUndo());
        dlg.OnCmdMsg(kUndo, fw::CN_COMMAND, nullptr);
        EXPECT_EQ(Text(grid, 0, 1), before);
        dlg.OnCmdMsg(kUndo, fw::CN_COMMAND, nullptr);
        EXPECT_EQ(Text(grid, 0, 1), "Force") << "a second undo redoes";
        return 0;
    });
    EXPECT_FALSE(list.EditLabels());
}

TEST_F(ListGraphGridUndo, UndoOfAChoiceRestoresOnlyTheCurrentCellsColumnAndClearEmptiesTheSelection)
{
    dialogs.On(CGraphListLabelDlg::kTemplateId, [](fw::CDialog& d) {
        auto& dlg = static_cast<CGraphListLabelDlg&>(d);
        CGraphListLabelGrid& grid = *dlg.Grid();
        CDataTankObject* xAuto = grid.Table().Column(0);
        CDataTankObject* yAuto = grid.Table().Column(3);
        xAuto->SetValue(0, 0);
        xAuto->SetValue(1, 0);
        yAuto->SetValue(0, 0);
        Select(grid, {0, 0, 1, 3}, {0, 3});
        grid.Choose(listgraphcmd::kOn);
        EXPECT_EQ(xAuto->GetValue(1), 1.0);
        EXPECT_EQ(yAuto->GetValue(0), 1.0);
        dlg.OnCmdMsg(kUndo, fw::CN_COMMAND, nullptr);
        EXPECT_EQ(yAuto->GetValue(0), 0.0) << "the current cell's column comes back";
        EXPECT_EQ(xAuto->GetValue(1), 1.0) << "the other column keeps the choice";

        grid.SetSheetText(0, 2, "N", 1);
        grid.SetSheetText(1, 2, "kN", 1);
        Select(grid, {0, 2, 1, 2}, {0, 2});
        dlg.OnCmdMsg(kClear, fw::CN_COMMAND, nullptr);
        EXPECT_EQ(Text(grid, 0, 2), "");
        EXPECT_EQ(Text(grid, 1, 2), "");
        dlg.OnCmdMsg(kUndo, fw::CN_COMMAND, nullptr);
        EXPECT_EQ(Text(grid, 0, 2), "N") << "clearing is undone";
        EXPECT_EQ(Text(grid, 1, 2), "kN");
        return 0;
    });
    EXPECT_FALSE(list.EditLabels());
}

TEST_F(ListGraphGridUndo, ScaleUndoShowsTheAxisItWasTakenOn)
{
    dialogs.On(CGraphListScaleDlg::kTemplateId, [](fw::CDialog& d) {
        auto& dlg = static_cast<CGraphListScaleDlg&>(d);
        CScaleGrid& grid = *dlg.Grid();
        dlg.SelectAxis(1);
        Select(grid, {0, 1, 0, 1}, {0, 1});
        grid.RecordUndo(grid.GetSheetPane(), kChangeEdit, nullptr);
        const fw::CString before = Text(grid, 0, 1);
        EXPECT_TRUE(grid.SetSheetText(0, 1, "-7", 1));
        dlg.SelectAxis(0);
        dlg.OnCmdMsg(kUndo, fw::CN_COMMAND, nullptr);
        EXPECT_EQ(grid.Table().GetOffset(), CGraphListScaleTable::kColumnsPerAxis) << "back on the Y axis";
        EXPECT_EQ(Text(grid, 0, 1), before);
        return 0;
    });
    EXPECT_FALSE(list.EditScales());
}

} // namespace
