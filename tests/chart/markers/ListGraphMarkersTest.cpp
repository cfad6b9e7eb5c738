#include "chart/model/ChartClasses.h"
#include "chart/model/DrawMarkerList.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/GraphTimeListObj.h"
#include "chart/model/ListGraphClasses.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/core/RecordingSink.h"
#include "instrument/system/MarkerList.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// One row of 21 samples every 0.1 s (value = sample, NaN at sample 4)
// showing 0.5 s to 1.5 s, and marks at samples 2, 4, 10 and 30.
class ListGraphMarkers : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
        list.AppendRow(list.CreateRow());
        list.AppendRow(nullptr);
        auto* time = new CTimeDataTank;
        time->SetInterval(0.1);
        time->SetDataCount(21);
        auto* y = new CFltDataTank;
        for (int i = 0; i < 21; ++i)
            y->SetValue(i, i == 4 ? NAN : i);
        CGraphParamArray* series = Row().AddSeries(true);
        series->AppendItem(0, 0, time);
        series->AppendItem(0, 1, y);
        ReleaseTank(time);
        ReleaseTank(y);
        series->SetDrawRange(0, 20);
        list.Recalculate(true);
        Row().Scale().m_x.autoMode = 0;
        Row().SetAxisRange('X', 0.5, 1.5, 0.5, 2);
        Row().SetAxisRange('Y', 0, 20, 5, 1);
        Row().CreatePlot();
        list.DrawRowPart(dc, fw::CRect(0, 0, 400, 120), 0, CGraphListObj::kFitAndDraw);
        sink.Clear();
        plot = Row().Record().m_plotRect;
        for (int32_t s : {2, 4, 10, 30}) {
            marks.AddTail(new CMarkerObj(fw::COleDateTime(45322.5 + s), s));
            drawn.AddTail(new CDrawGraphMarker(marks.GetTail()));
        }
    }

    CTimeListGraphDraw& Row() { return *dynamic_cast<CTimeListGraphDraw*>(list.GetRow(0)); }
    CDrawMarker* Marker(int i) const { return drawn.GetAt(drawn.FindIndex(i)); }

    CGraphTimeListObj list;
    fw::RecordingSink sink;
    fw::CDC dc{&sink};
    fw::CRect plot;
    CMarkerList marks;
    CDrawMarkerList drawn;
};

TEST_F(ListGraphMarkers, MarkersStandOnTheirSamplesAndOnlyThoseInTheXRangeShow)
{
    ASSERT_GT(plot.Width(), 100);
    list.DrawMarkers(dc, 0, drawn);
    EXPECT_FALSE(Marker(0)->IsPlaced()) << "0.2 s lies left of the plot";
    EXPECT_FALSE(Marker(3)->IsPlaced()) << "sample 30 is beyond the data";
    EXPECT_FALSE(Marker(1)->IsPlaced()) << "0.4 s lies left of the plot too";
    ASSERT_TRUE(Marker(2)->IsPlaced());
    const fw::CPoint ten = Marker(2)->GetPosition();
    EXPECT_NEAR(ten.x, (plot.left + plot.right) / 2.0, 1.5) << "1.0 s is the middle of 0.5..1.5";
    EXPECT_NEAR(ten.y, (plot.top + plot.bottom) / 2.0, 1.5) << "10 is the middle of 0..20";
    EXPECT_EQ(Marker(2)->GetHitRect(), fw::CRect(ten.x - 4, plot.top - 8, ten.x + 4, plot.top));
    int triangles = 0;
    for (const std::string& line : sink.Log())
        triangles += line.rfind("polygon ", 0) == 0 ? 1 : 0;
    EXPECT_EQ(triangles, 1);
    EXPECT_FALSE(drawn.SelectAt({-1000, -1000}, false));
}

TEST_F(ListGraphMarkers, AMarkOnAMissingValueStandsAtTheTopOfTheYRange)
{
    Row().SetAxisRange('X', 0.0, 2.0, 0.5, 2);
    Row().CreatePlot();
    list.DrawMarkers(dc, 0, drawn);
    ASSERT_TRUE(Marker(1)->IsPlaced());
    EXPECT_NEAR(Marker(1)->GetPosition().y, plot.top, 1.0);
    EXPECT_NEAR(Marker(0)->GetPosition().y, plot.bottom - plot.Height() / 10.0, 1.5) << "value 2 of 0..20";
}

TEST_F(ListGraphMarkers, EmptyRowsDrawNothingAndRowsOutsideAreRefused)
{
    list.DrawMarkers(dc, 1, drawn);
    EXPECT_TRUE(sink.Log().empty());
    EXPECT_FALSE(Marker(2)->IsPlaced());
    EXPECT_THROW(list.DrawMarkers(dc, 2, drawn), fw::CInvalidArgException);
}

} // namespace
