#include "chart/model/GraphClasses.h"
#include "chart/model/GraphTimeListObj.h"
#include "chart/model/ListGraphClasses.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/core/RecordingSink.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// A time list of one row: a channel sampled every 0.1 s, 21 samples.
class TimeListGraph : public ::testing::Test {
protected:
    static constexpr int kSamples = 21;

    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
        list.AppendRow(list.CreateRow());
        auto* time = new CTimeDataTank;
        time->SetInterval(0.1);
        time->SetDataCount(kSamples);
        auto* y = new CFltDataTank;
        for (int i = 0; i < kSamples; ++i)
            y->SetValue(i, std::sin(i * 0.3));
        CGraphParamArray* series = Row().AddSeries(true);
        series->AppendItem(0, 0, time);
        series->AppendItem(0, 1, y);
        ReleaseTank(time);
        ReleaseTank(y);
        series->SetDrawRange(0, kSamples - 1);
        list.Recalculate(true);
    }

    CTimeListGraphDraw& Row() { return *dynamic_cast<CTimeListGraphDraw*>(list.GetRow(0)); }
    // The time in the middle of a sample's interval.
    static double Mid(int sample) { return sample * 0.1 + 0.05; }

    CGraphTimeListObj list;
};

TEST_F(TimeListGraph, FixedXScaleDrawsTheSamplesItShows)
{
    Row().Scale().m_x.autoMode = 0;
    Row().Scale().m_x.minimum = 0.25;
    Row().Scale().m_x.maximum = 0.95;
    list.ApplyScaleToSampleWindows();
    EXPECT_EQ(Row().GetSeries(0)->GetSampleIndex(0), 2);
    EXPECT_EQ(Row().GetSeries(0)->GetSampleIndex(1), 10);

    Row().Scale().m_x.maximum = 50;
    list.ApplyScaleToSampleWindows();
    EXPECT_EQ(Row().GetSeries(0)->GetSampleIndex(1), kSamples - 1) << "cut to the last sample";

    Row().Scale().m_x.autoMode = 2;
    list.ApplyScaleToSampleWindows();
    EXPECT_EQ(Row().GetSeries(0)->GetSampleIndex(0), 0);
    EXPECT_EQ(Row().GetSeries(0)->GetSampleIndex(1), kSamples - 1);
}

TEST_F(TimeListGraph, TimesBecomeSamplesWithinTheRecord)
{
    struct Case {
        const char* name;
        double time;
        int sample;
    };
    const Case cases[] = {
        {"before the first", -3.0, 0},
        {"inside", Mid(7), 7},
        {"beyond the last", 99.0, kSamples - 1},
        {"no time", HUGE_VAL, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list.TimeToSample(0, c.time), c.sample) << c.name;
        const double snapped = list.SnapTime(0, c.time);
        if (c.sample < 0)
            EXPECT_EQ(snapped, HUGE_VAL) << c.name;
        else
            EXPECT_DOUBLE_EQ(snapped, c.sample * 0.1) << c.name;
    }
    EXPECT_DOUBLE_EQ(list.SampleToTime(4), 0.4);
    fw::CString text;
    list.RowTimeTank(0)->GetValueText(4, text, true);
    EXPECT_FALSE(text.IsEmpty());
    EXPECT_EQ(list.GetSampleText(4), text) << "the time tank's own text";
    EXPECT_EQ(list.GetSampleText(-1), fw::CString());
    EXPECT_EQ(list.SampleToTime(-1), HUGE_VAL);
    EXPECT_EQ(list.ClampSample(-5), 0);
    EXPECT_EQ(list.ClampSample(500), kSamples - 1);
    EXPECT_THROW(list.TimeToSample(1, 0.0), fw::CInvalidArgException);
    CGraphTimeListObj none;
    EXPECT_THROW(none.ClampSample(3), fw::CInvalidArgException);
    EXPECT_EQ(none.SampleToTime(3), HUGE_VAL);
    EXPECT_EQ(none.GetSampleText(3), fw::CString());
}

TEST_F(TimeListGraph, NearerEdgeMovesTheStartOrTheEnd)
{
    struct Case {
        const char* name;
        int sample;
        int edge;
        int32_t start;
        int32_t end;
    };
    const Case cases[] = {
        {"before the middle", 14, 1, 14, 20},
        {"at the middle", 15, 2, 10, 15},
        {"after the end", 25, 2, 10, kSamples - 1},
        {"before the start", 8, 1, 8, 20},
    };
    for (const Case& c : cases) {
        list.SetSelection(10, 20);
        EXPECT_EQ(list.SetSelectionEdge(CGraphTimeListObj::kNearerEdge, Mid(c.sample)), c.edge) << c.name;
        int32_t start = 0, end = 0;
        list.GetSelection(start, end);
        EXPECT_EQ(start, c.start) << c.name;
        EXPECT_EQ(end, c.end) << c.name;
    }
}

TEST_F(TimeListGraph, BothEdgesOnOneSampleAndNoTimeClears)
{
    int32_t start = 0, end = 0;
    list.ClearSelection();
    EXPECT_EQ(list.SetSelectionEdge(CGraphTimeListObj::kNearerEdge, Mid(6)), -1);
    list.GetSelection(start, end);
    EXPECT_EQ(start, 6);
    EXPECT_EQ(end, 6);

    list.SetSelection(2, 12);
    EXPECT_EQ(list.SetSelectionEdge(CGraphTimeListObj::kBothEdges, Mid(9)), -1);
    list.GetSelection(start, end);
    EXPECT_EQ(start, 9);
    EXPECT_EQ(end, 9);

    EXPECT_EQ(list.SetSelectionEdge(CGraphTimeListObj::kEndEdge, Mid(3)), 2);
    list.NormalizeSelection();
    list.GetSelection(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 9);

    EXPECT_EQ(list.SetSelectionEdge(CGraphTimeListObj::kStartEdge, HUGE_VAL), 0);
    list.GetSelection(start, end);
    EXPECT_EQ(start, -1);
    EXPECT_EQ(end, -1);
}

TEST_F(TimeListGraph, ConstantDataGetAWidenedRange)
{
    Row().ApplyNiceRange('Y', 0, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(Row().Scale().m_y.minimum, -1);
    EXPECT_DOUBLE_EQ(Row().Scale().m_y.maximum, 1);
    EXPECT_DOUBLE_EQ(Row().Scale().m_y.step, 2);
    Row().ApplyNiceRange('Y', 1, 3.0, 3.0);
    EXPECT_DOUBLE_EQ(Row().Scale().m_y.minimum, 1);
    EXPECT_DOUBLE_EQ(Row().Scale().m_y.maximum, 10);
}

TEST(RectTimeTracker, HandlesBeyondThePlotAreTakenAway)
{
    struct Case {
        const char* name;
        fw::CRect rect;
        unsigned mask;
    };
    const Case cases[] = {
        {"inside", {20, 0, 60, 10}, 15},
        {"left edge outside", {5, 0, 60, 10}, 2 | 4},
        {"right edge outside", {20, 0, 200, 10}, 1 | 8},
        {"right edge one past the plot", {20, 0, 101, 10}, 15},
    };
    for (const Case& c : cases) {
        CRectTimeTracker tracker(c.rect);
        tracker.LimitHandles(10, 100);
        EXPECT_EQ(tracker.GetHandleMask(), c.mask) << c.name;
    }
}

class TimeListDrawing : public TimeListGraph {
protected:
    void SetUp() override
    {
        TimeListGraph::SetUp();
        list.DrawRowPart(dc, fw::CRect(0, 0, 400, 120), 0, CGraphListObj::kFitAndDraw);
        sink.Clear();
        plot = Row().Record().m_plotRect;
    }
    std::vector<std::string> Lines(const std::string& start) const
    {
        std::vector<std::string> out;
        for (const std::string& line : sink.Log())
            if (line.rfind(start, 0) == 0)
                out.push_back(line);
        return out;
    }

    fw::RecordingSink sink;
    fw::CDC dc{&sink};
    fw::CRect plot;
};

TEST_F(TimeListDrawing, SelectionIsABandWithItsTrackerFrame)
{
    ASSERT_GT(plot.Width(), 50);
    list.SetSelection(5, 10);
    list.DrawSelection(dc, 0, false);
    const auto rects = Lines("rect ");
    ASSERT_EQ(rects.size(), 2u) << "the band and the tracker frame";
    EXPECT_EQ(Lines("fill ").size(), 4u) << "the four corner handles";

    sink.Clear();
    list.SetSelection(-1, 10);
    list.DrawSelection(dc, 0, false);
    EXPECT_TRUE(sink.Log().empty()) << "a negative start draws no band";

    fw::RecordingSink printer(2000, 2000, 600, true);
    fw::CDC paper(&printer);
    list.SetSelection(5, 10);
    list.DrawSelection(paper, 0, false);
    EXPECT_TRUE(printer.Log().empty()) << "the band is never printed";
}

TEST_F(TimeListDrawing, CursorMarksFollowTheBandWhenAsked)
{
    list.SetSelection(5, 10);
    list.DrawSelection(dc, 0, false);
    const size_t bandOnly = sink.Log().size();
    sink.Clear();
    list.DrawSelection(dc, 0, true);
    EXPECT_GT(sink.Log().size(), bandOnly) << "a mark at each cursor";
    sink.Clear();
    list.SetSelection(-1, -1);
    list.DrawSelection(dc, 0, true);
    EXPECT_TRUE(sink.Log().empty()) << "no cursor, no mark";
}

TEST_F(TimeListDrawing, BandStartingLeftOfThePlotShowsOnlyItsRightHandles)
{
    Row().Scale().m_x.autoMode = 0;
    Row().SetAxisRange('X', 0.5, 1.5, 0.5, 2);
    Row().CreatePlot();
    list.SetSelection(1, 10);
    list.DrawSelection(dc, 0, false);
    EXPECT_EQ(Lines("fill ").size(), 2u);
}

TEST_F(TimeListDrawing, HitTestAgainstTheBand)
{
    const fw::CPoint inside((plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2);
    const fw::CPoint outside(plot.right + 30, plot.bottom + 30);
    list.ClearSelection();
    EXPECT_EQ(list.HitTestSelection(0, inside), TrackerHit::kInside) << "nothing selected";
    EXPECT_EQ(list.HitTestSelection(0, outside), TrackerHit::kNothing);

    list.SetSelection(2, 4);
    fw::CRect band;
    ASSERT_TRUE(Row().TimeRangeToRect(band, 0.2, 0.4));
    const fw::CPoint farFromBand(plot.right - 2, (plot.top + plot.bottom) / 2);
    ASSERT_GT(farFromBand.x, band.right + 10);
    EXPECT_EQ(list.HitTestSelection(0, farFromBand), TrackerHit::kInside);
    EXPECT_EQ(list.HitTestSelection(0, fw::CPoint(band.left - 3, band.top - 3)), TrackerHit::kTopLeft);
    EXPECT_EQ(list.HitTestSelection(0, fw::CPoint(band.right + 3, band.bottom + 3)), TrackerHit::kBottomRight);
    EXPECT_THROW(list.HitTestSelection(3, inside), fw::CInvalidArgException);
}

TEST_F(TimeListDrawing, PointsMapToTheSampleUnderThem)
{
    int32_t x = 0, y = 0;
    Row().GetSeriesPlot()->DataToDevice(0.7, 0.0, x, y, &Row().Record());
    EXPECT_DOUBLE_EQ(list.TimeAtPoint(0, x, y), 0.7);
    EXPECT_DOUBLE_EQ(list.TimeAtPoint(0, plot.left - 50, y), 0.0) << "kept within the plot";
}

} // namespace
