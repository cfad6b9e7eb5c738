// The oblique layout of the frequency graph drawer: the box frame, grid
// lines on the back wall, floor and left wall, depth lines and labels, and
// elements that follow the count axis between linear and logarithmic.
#ifdef KIV_FREQUENCY_VIEWS

#include "chart/model/ChartClasses.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/Oblique3D.h"
#include "common/tank/DblDataTank.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "frequency/graph/HistGraphDraw.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Line {
    int x0, y0, x1, y1;
};

std::vector<Line> Lines(const fw::RecordingSink& sink)
{
    std::vector<Line> out;
    for (const std::string& text : sink.Log()) {
        Line l{};
        if (std::sscanf(text.c_str(), "line %d,%d %d,%d", &l.x0, &l.y0, &l.x1, &l.y1) == 4)
            out.push_back(l);
    }
    return out;
}

int CountStarting(const fw::RecordingSink& sink, const char* prefix)
{
    int n = 0;
    for (const std::string& text : sink.Log())
        n += text.rfind(prefix, 0) == 0;
    return n;
}

class HistObliqueAxesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterChartClasses();
        RegisterGraphClasses();
        fw::RegisterClass(FW_RUNTIME_CLASS(CHistGraphDraw));
        // Two rows of a FROM/TO table: slice edges 0..400 in steps of 100.
        for (int row = 0; row < 2; ++row)
            AddSeries({0, 100, 200, 300}, {1.0 + row, 2, 3, 4});
        draw.SetXAxisKind(CHistGraphDraw::kObliqueLayout);
        draw.CreatePlot();
        draw.AutoScale();
        draw.SetPlotRect(kPlot);
    }

    void AddSeries(std::vector<double> x, std::vector<double> counts)
    {
        CGraphParamArray* series = draw.AddSeries(false);
        auto* tx = new CDblDataTank;
        auto* ty = new CDblDataTank;
        for (size_t i = 0; i < x.size(); ++i) {
            tx->SetValue(static_cast<int>(i), x[i]);
            ty->SetValue(static_cast<int>(i), counts[i]);
        }
        series->AppendItem(0, 0, tx);
        series->AppendItem(0, 1, ty);
        series->SetDrawRange(0, static_cast<int>(x.size()) - 1);
        ReleaseTank(tx);
        ReleaseTank(ty);
    }

    static constexpr fw::CRect kPlot{100, 100, 500, 400};
    CHistGraphDraw draw;
};

TEST_F(HistObliqueAxesTest, ObliqueLayoutTakesTheBoxElementsAndTheFlatOneGivesThemBack)
{
    EXPECT_NE(dynamic_cast<CPlotFrame3D*>(draw.GetPlotFrame()), nullptr);
    EXPECT_NE(dynamic_cast<CXGridLine3D*>(draw.GetGridLines('X')), nullptr);
    EXPECT_NE(dynamic_cast<CYGridLine3D*>(draw.GetGridLines('Y')), nullptr);
    EXPECT_NE(dynamic_cast<CTickXMark3D*>(draw.GetTickMarks('X')), nullptr);
    EXPECT_NE(dynamic_cast<CTickXLabel3D*>(draw.GetTickLabels('X')), nullptr);
    EXPECT_NE(dynamic_cast<CXGridLine3D*>(draw.GetDepthGridLines()), nullptr);
    EXPECT_NE(dynamic_cast<CTickXMark3D*>(draw.GetDepthTickMarks()), nullptr);
    EXPECT_NE(dynamic_cast<CTickXLabel3D*>(draw.GetDepthTickLabels()), nullptr);

    // Logarithmic counts: the left-wall-capable logarithmic Y lines.
    draw.Scale().m_scaleType = GrScaleRec::kLogY;
    draw.SetGraphType(CHistGraphDraw::kLogType);
    draw.CreatePlot();
    EXPECT_NE(dynamic_cast<CYLogGridLine3D*>(draw.GetGridLines('Y')), nullptr);
    draw.Scale().m_scaleType = GrScaleRec::kLinear;
    draw.SetGraphType(CHistGraphDraw::kLinearType);
    draw.CreatePlot();
    EXPECT_EQ(dynamic_cast<CYLogGridLine3D*>(draw.GetGridLines('Y')), nullptr);
    EXPECT_NE(dynamic_cast<CYGridLine3D*>(draw.GetGridLines('Y')), nullptr);

    draw.SetXAxisKind(CHistGraphDraw::kFlatLayout);
    draw.CreatePlot();
    EXPECT_EQ(dynamic_cast<CPlotFrame3D*>(draw.GetPlotFrame()), nullptr);
    ASSERT_NE(draw.GetPlotFrame(), nullptr);
}

TEST_F(HistObliqueAxesTest, DepthAxisScalesToTheSliceEdgesAndIsStored)
{
    // X data 0..300 give 0..301, which the 1-2-5 scale rounds outward.
    EXPECT_DOUBLE_EQ(draw.ZMin(), draw.Scale().m_x.minimum);
    EXPECT_DOUBLE_EQ(draw.ZMax(), draw.Scale().m_x.maximum);
    EXPECT_LT(draw.ZMin(), draw.ZMax());
    const auto bytes = kivtest::StoreBody(draw);
    CHistGraphDraw loaded;
    kivtest::LoadBody(loaded, bytes);
    EXPECT_DOUBLE_EQ(loaded.ZMin(), draw.ZMin());
    EXPECT_DOUBLE_EQ(loaded.ZMax(), draw.ZMax());
    EXPECT_NE(dynamic_cast<CPlotFrame3D*>(loaded.GetPlotFrame()), nullptr);
}

TEST_F(HistObliqueAxesTest, GridLinesStandOnTheBackWallTheFloorAndTheLeftWall)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    draw.DrawGrid(dc, kPlot);
    const fw::CRect back = CHistGraphDraw::BackWall(kPlot);
    const int w4 = kPlot.Width() / 4;
    const int h3 = kPlot.Height() / 3;
    int onBackWall = 0, onFloor = 0, onLeftWall = 0, depthAcrossFloor = 0;
    for (const Line& l : Lines(sink)) {
        // Vertical X lines and level Y lines inside the back wall.
        if ((l.x0 == l.x1 && l.y0 == back.bottom && l.y1 == back.top) ||
            (l.y0 == l.y1 && l.x0 == back.left && l.x1 == back.right))
            ++onBackWall;
        // X lines from the front edge of the floor to the back wall.
        else if (l.y0 == kPlot.bottom && l.y1 == kPlot.bottom - h3 + 1 && l.x1 - l.x0 == w4)
            ++onFloor;
        // Y lines rising across the left wall toward the back.
        else if (l.x0 == kPlot.left && l.x1 == kPlot.left + w4 && l.y0 - l.y1 == h3)
            ++onLeftWall;
        // Depth lines level across the floor.
        else if (l.y0 == l.y1 && l.y0 > back.bottom && l.y0 <= kPlot.bottom)
            ++depthAcrossFloor;
    }
    EXPECT_GT(onBackWall, 0);
    EXPECT_GT(onFloor, 0);
    EXPECT_GT(onLeftWall, 0);
    EXPECT_GT(depthAcrossFloor, 0);
    // The frame is the box, drawn once over the whole plot rectangle.
    EXPECT_EQ(CountStarting(sink, "polyline"), 1);
    // The record is the plot's again afterwards.
    EXPECT_EQ(draw.Record().m_plotRect, kPlot);
    EXPECT_DOUBLE_EQ(draw.Record().m_xMin, draw.Scale().m_x.minimum);
    EXPECT_DOUBLE_EQ(draw.Record().m_yMax, draw.Scale().m_y.maximum);
}

TEST_F(HistObliqueAxesTest, DepthLabelsFollowTheFloorsRightEdgeBelowTheBackWall)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    draw.DrawLabels(dc, kPlot);
    const fw::CRect front = CHistGraphDraw::FrontFace(kPlot);
    int rightOfFront = 0;
    for (const std::string& text : sink.Log()) {
        int x = 0, y = 0;
        if (std::sscanf(text.c_str(), "text %d,%d", &x, &y) == 2 && x > front.right && y > kPlot.top)
            ++rightOfFront;
    }
    EXPECT_GT(rightOfFront, 0);

    // The flat layout draws no depth labels.
    draw.SetXAxisKind(CHistGraphDraw::kFlatLayout);
    draw.CreatePlot();
    draw.SetPlotRect(kPlot);
    fw::RecordingSink flat;
    fw::CDC flatDc(&flat);
    draw.DrawLabels(flatDc, kPlot);
    for (const std::string& text : flat.Log()) {
        int x = 0, y = 0;
        if (std::sscanf(text.c_str(), "text %d,%d", &x, &y) == 2) {
            EXPECT_LE(x, kPlot.right) << text;
        }
    }
}

} // namespace

#endif
