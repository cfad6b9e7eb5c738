// The grid and plot-line dialogs of a list graph: what the dialog is given,
// and what the list does with its answer, row by row.

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphListObj.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/ListGraphClasses.h"
#include "chart/model/ListGraphDialogs.h"
#include "chart/model/PlotFrame.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/Format.h"
#include "framework/core/ServiceSlot.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

// Records what the dialogs are shown and answers as told, after letting
// the "user" change the record.
class RecordingDialogs : public IListGraphDialogs {
public:
    bool EditLabels(CGraphListObj&) override { return false; }
    bool EditScales(CGraphListObj&) override { return false; }
    bool EditDrawTypes(CGraphListObj&) override { return false; }
    bool EditGridLines(GrFrameRec& frame) override
    {
        ++gridRuns;
        shownFrame = frame;
        if (editFrame)
            editFrame(frame);
        return confirm;
    }
    bool EditPlotLines(tSeriesStyle& style) override
    {
        ++plotRuns;
        shownStyle = style;
        if (editStyle)
            editStyle(style);
        return confirm;
    }

    bool confirm = true;
    int gridRuns = 0;
    int plotRuns = 0;
    GrFrameRec shownFrame;
    tSeriesStyle shownStyle;
    std::function<void(GrFrameRec&)> editFrame;
    std::function<void(tSeriesStyle&)> editStyle;
};

void AddSeries(CListGraphDraw& row, int channel)
{
    CGraphParamArray* series = row.AddSeries(true);
    auto* x = new CFltDataTank;
    auto* y = new CFltDataTank;
    y->SetName(fw::Format("ch%d", channel));
    for (int i = 0; i < 3; ++i) {
        x->SetValue(i, i);
        y->SetValue(i, i * 2.0);
    }
    series->AppendItem(0, 0, x);
    series->AppendItem(0, channel, y);
    ReleaseTank(x);
    ReleaseTank(y);
}

bool SameStyle(const tSeriesStyle& a, const tSeriesStyle& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Every one of the twelve values differs from the defaults.
tSeriesStyle ChosenStyle()
{
    tSeriesStyle s;
    s.lineWidth = 3;
    s.lineHeight = 3;
    s.fill = 5;
    s.symbolSize = 7;
    s.symbolType = 9;
    s.reserved = 11;
    s.linePattern = 0xCCCC;
    s.symbolInterval = 13;
    s.lineColor = 4;
    s.symbolColor = 6;
    s.fillColor = 8;
    s.drawType = 1;
    return s;
}

class ListGraphLineDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
        // Row 1 is empty; row 2 has two series, of which only the first
        // takes the list's style.
        list.ShapeRows({true, false, true});
        AddSeries(*list.GetRow(0), 0);
        AddSeries(*list.GetRow(2), 500);
        AddSeries(*list.GetRow(2), 501);
        list.RebuildAxes();
        secondSeries = list.GetRow(2)->GetSeries(1)->GetStyle();
    }

    RecordingDialogs dialogs;
    fw::ScopedInstall<IListGraphDialogs> installed{dialogs};
    CGraphListObj list;
    tSeriesStyle secondSeries;
};

TEST_F(ListGraphLineDialogs, GridLinesGoToEveryRowAndRebuildItsFrame)
{
    dialogs.editFrame = [](GrFrameRec& f) {
        f.m_frameWidth = 5;
        f.m_gridMajorColor = 3;
        f.m_yTickSide = GrFrameRec::kSideBoth;
    };
    const int16_t majorColorBefore = list.m_frame.m_gridMajorColor;
    ASSERT_TRUE(list.EditGridLines());
    EXPECT_EQ(dialogs.shownFrame.m_gridMajorColor, majorColorBefore) << "the dialog starts from the list's record";
    EXPECT_EQ(list.m_frame.m_frameWidth, 5);
    for (int row : {0, 2}) {
        SCOPED_TRACE(row);
        CListGraphDraw* draw = list.GetRow(row);
        EXPECT_EQ(draw->Frame().m_frameWidth, 5);
        EXPECT_EQ(draw->Frame().m_gridMajorColor, 3);
        EXPECT_EQ(draw->Frame().m_yTickSide, GrFrameRec::kSideBoth);
        ASSERT_NE(draw->GetPlotFrame(), nullptr);
        EXPECT_EQ(draw->GetPlotFrame()->GetFrameWidth(), 5) << "the axes are built from the new record";
    }
    EXPECT_EQ(list.GetRow(1), nullptr) << "an empty row stays empty";
}

TEST_F(ListGraphLineDialogs, RowsAddedLaterTakeTheEditedFrame)
{
    dialogs.editFrame = [](GrFrameRec& f) { f.m_tickColor = 9; };
    ASSERT_TRUE(list.EditGridLines());
    list.ShapeRows({true, true, true, true});
    EXPECT_EQ(list.GetRow(3)->Frame().m_tickColor, 9);
}

TEST_F(ListGraphLineDialogs, PlotLinesCopyAllTwelveValuesIntoEachRowsFirstSeries)
{
    const tSeriesStyle chosen = ChosenStyle();
    const tSeriesStyle before = list.m_style;
    dialogs.editStyle = [&](tSeriesStyle& s) { s = chosen; };
    ASSERT_TRUE(list.EditPlotLines());
    EXPECT_TRUE(SameStyle(dialogs.shownStyle, before)) << "the dialog starts from the list's style";
    EXPECT_TRUE(SameStyle(list.m_style, chosen));
    for (int row : {0, 2}) {
        SCOPED_TRACE(row);
        const tSeriesStyle& got = list.GetRow(row)->GetSeries(0)->GetStyle();
        EXPECT_TRUE(SameStyle(got, chosen));
        EXPECT_EQ(got.drawType, 1) << "the draw type comes along";
        EXPECT_EQ(got.reserved, 11);
    }
    EXPECT_TRUE(SameStyle(list.GetRow(2)->GetSeries(1)->GetStyle(), secondSeries)) << "only the first series";
}

TEST_F(ListGraphLineDialogs, ACancelledDialogChangesNothing)
{
    dialogs.confirm = false;
    dialogs.editFrame = [](GrFrameRec& f) { f.m_frameWidth = 7; };
    dialogs.editStyle = [](tSeriesStyle& s) { s.lineColor = 12; };
    const tSeriesStyle rowStyle = list.GetRow(0)->GetSeries(0)->GetStyle();
    const int16_t width = list.m_frame.m_frameWidth;
    EXPECT_FALSE(list.EditGridLines());
    EXPECT_FALSE(list.EditPlotLines());
    EXPECT_EQ(dialogs.gridRuns, 1);
    EXPECT_EQ(dialogs.plotRuns, 1);
    EXPECT_EQ(list.m_frame.m_frameWidth, width);
    EXPECT_EQ(list.GetRow(0)->Frame().m_frameWidth, width);
    EXPECT_NE(list.m_style.lineColor, 12);
    EXPECT_TRUE(SameStyle(list.GetRow(0)->GetSeries(0)->GetStyle(), rowStyle));
}

TEST(ListGraphLineDialogsAbsent, WithoutDialogsNothingIsConfirmed)
{
    CGraphListObj list;
    EXPECT_FALSE(list.EditGridLines());
    EXPECT_FALSE(list.EditPlotLines());
}

} // namespace
