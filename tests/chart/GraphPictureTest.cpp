#include "chart/model/ChartClasses.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/KivGraphDraw.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

CGraphParamArray* AddLine(CGraphSetting& graph, const std::vector<double>& x, const std::vector<double>& y)
{
    CGraphParamArray* series = graph.AddSeries(true);
    auto* tx = new CFltDataTank;
    auto* ty = new CFltDataTank;
    for (size_t i = 0; i < x.size(); ++i)
        tx->SetValue(static_cast<int>(i), x[i]);
    for (size_t i = 0; i < y.size(); ++i)
        ty->SetValue(static_cast<int>(i), y[i]);
    series->AppendItem(0, 0, tx);
    series->AppendItem(0, 1, ty);
    ReleaseTank(tx);
    ReleaseTank(ty);
    series->SetDrawRange(0, static_cast<int>(x.size()) - 1);
    return series;
}

size_t CountWith(const std::vector<std::string>& log, const std::string& word)
{
    return static_cast<size_t>(std::count_if(log.begin(), log.end(), [&](const std::string& line) {
        return line.find(word) != std::string::npos;
    }));
}

class GraphPicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterChartClasses();
        RegisterGraphClasses();
        graph.SetDefaultAxisTitles();
    }
    // Auto-scales, fits and draws the graph into a 1000 x 800 rectangle.
    void Draw()
    {
        graph.AutoScale();
        graph.FitPlotRect(dc, rect);
        graph.CreatePlot();
        sink.Clear();
        graph.DrawGraph(dc, rect);
    }
    fw::RecordingSink sink;
    fw::CDC dc{&sink};
    CKivGraphDraw graph;
    const fw::CRect rect{0, 0, 1000, 800};
};

TEST_F(GraphPicture, WholeGraphDrawsAxesSeriesAndTitles)
{
    AddLine(graph, {0, 1, 2, 3, 4}, {0.3, 9.7, 5, 2, 7});
    Draw();
    const auto& log = sink.Log();
    EXPECT_GE(CountWith(log, "polyline"), 1u) << "the series";
    EXPECT_GE(CountWith(log, "X-Axis"), 1u);
    EXPECT_GE(CountWith(log, "Y-Axis"), 1u);
    EXPECT_DOUBLE_EQ(graph.Scale().m_y.minimum, 0);
    EXPECT_DOUBLE_EQ(graph.Scale().m_y.maximum, 10);
    EXPECT_DOUBLE_EQ(graph.Scale().m_y.step, 2);
    EXPECT_EQ(graph.Record().m_errorCode, 0);
    // The labels and titles fill the graph rectangle after the fit.
    fw::CRect inGraph;
    graph.GetPlotExtentInGraph(dc, inGraph);
    EXPECT_GE(inGraph.left, 0);
    EXPECT_GE(inGraph.top, 0);
    EXPECT_LE(inGraph.right, 0);
    EXPECT_LE(inGraph.bottom, 0);
}

TEST_F(GraphPicture, WithoutAxesNoTickLabelsButTitles)
{
    AddLine(graph, {0, 1, 2}, {1, 2, 3});
    Draw();
    const size_t textsWithAxes = CountWith(sink.Log(), "text ");
    graph.Info().m_showAxes = 0;
    sink.Clear();
    graph.DrawGraph(dc, rect);
    const size_t textsWithout = CountWith(sink.Log(), "text ");
    EXPECT_LT(textsWithout, textsWithAxes);
    EXPECT_GE(CountWith(sink.Log(), "X-Axis"), 1u) << "titles are drawn whatever the axes";
}

TEST_F(GraphPicture, TimeGraphTakesTheFirstDrawnValueAsOrigin)
{
    graph.SetGraphType(10);
    graph.SetXAxisKind(GDataInfoRec::kTimeAxis);
    graph.Scale().m_timeDivisor = 86400;
    graph.Scale().m_timeOrigin = 0;
    graph.Scale().m_x.autoMode = 0;
    graph.SetAxisRange('X', 0, 10, 2, 5);
    AddLine(graph, {45000.25, 45000.25 + 5.0 / 86400}, {1, 2});
    graph.CreatePlot();
    graph.FitPlotRect(dc, rect);
    graph.DrawAllSeries(dc, rect);
    EXPECT_DOUBLE_EQ(graph.Scale().m_timeOrigin, static_cast<double>(static_cast<float>(45000.25)));
}

TEST_F(GraphPicture, RegressionCurveOnlyOnLineGraphs)
{
    AddLine(graph, {0, 1, 2, 3}, {1, 3, 5, 7});
    tRegressionSettings settings;
    settings.degree = 1;
    settings.curvePoints = 20;
    settings.color = 4;
    graph.SetRegression(settings);
    graph.ComputeRegression();
    Draw();
    const size_t lines = CountWith(sink.Log(), "line ");

    graph.SetGraphType(5);
    graph.CreatePlot();
    sink.Clear();
    graph.DrawRegression(dc, rect);
    EXPECT_TRUE(sink.Log().empty()) << "no curve on a dB graph";

    graph.SetGraphType(1);
    graph.CreatePlot();
    tRegressionSettings none = settings;
    none.curvePoints = 0;
    graph.SetRegression(none);
    graph.ComputeRegression();
    sink.Clear();
    graph.DrawRegression(dc, rect);
    EXPECT_TRUE(sink.Log().empty()) << "0 curve points draw nothing";
    EXPECT_GE(lines, 2u) << "series and curve";
}

TEST_F(GraphPicture, LegendSampleDrawsTheLineAcrossTheMiddle)
{
    graph.CreatePlot();
    CGraphParamArray* series = AddLine(graph, {0}, {0});
    tSeriesStyle style = series->GetStyle();
    style.symbolType = 0;
    series->SetStyle(style);
    sink.Clear();
    graph.DrawLegendSample(dc, *series, rect, fw::CRect(100, 100, 200, 120));
    ASSERT_EQ(CountWith(sink.Log(), "polyline"), 1u);
    EXPECT_NE(sink.Log()[0].find("100,110 200,110"), std::string::npos) << sink.Log()[0];

    style.linePattern = 0;
    style.symbolType = 2;
    series->SetStyle(style);
    sink.Clear();
    graph.DrawLegendSample(dc, *series, rect, fw::CRect(100, 100, 200, 120));
    EXPECT_EQ(CountWith(sink.Log(), "polyline"), 0u);
    EXPECT_FALSE(sink.Log().empty()) << "the symbol";
}

TEST_F(GraphPicture, UnknownTypeDrawsAxesAndFrameButNoSeries)
{
    graph.SetGraphType(7);
    AddLine(graph, {0, 1, 2}, {1, 2, 3});
    Draw();
    EXPECT_EQ(graph.GetSeriesPlot(), nullptr);
    EXPECT_EQ(CountWith(sink.Log(), "polyline"), 0u);
    EXPECT_EQ(CountWith(sink.Log(), "rect "), 1u) << "the frame";
}

TEST_F(GraphPicture, TimeUnitTextFollowsIntoTheXTitle)
{
    graph.m_xTitleFromSeries = 0;
    graph.SetAxisTitle('X', "Time", "Day");
    graph.CreatePlot();
    graph.SetTimeUnit(CGraphSetting::kUnitMinutes);
    fw::CString title, unit;
    tTextAttributes attributes;
    int16_t side = 0;
    int colour = 0;
    graph.GetAxisTitle('X')->GetLabel(title, unit, attributes, side, colour);
    EXPECT_EQ(unit, "Min.");
    graph.SetTimeUnit(5);
    graph.GetAxisTitle('X')->GetLabel(title, unit, attributes, side, colour);
    EXPECT_EQ(unit, "") << "an unknown unit empties the unit text";
    EXPECT_EQ(graph.Scale().m_timeDivisor, 1440);
}

TEST_F(GraphPicture, CategoryLabelIsCentredBelowTheFrame)
{
    graph.SetAxisRange('X', 0, 4, 1, 1);
    graph.CreatePlot();
    graph.SetPlotRect(fw::CRect(0, 0, 400, 300));
    const fw::CSize size = dc.GetTextExtent("Mon");
    fw::CRect out;
    graph.MeasureCategoryLabel(dc, 2, "Mon", 5, out);
    EXPECT_EQ(out.left, 200 - size.cx / 2);
    EXPECT_EQ(out.Width(), size.cx);
    EXPECT_EQ(out.top, 300 + size.cy + 5);
    EXPECT_EQ(out.Height(), size.cy);
}

TEST_F(GraphPicture, TitlesAndTickLabelsTravelThroughTheArchive)
{
    AddLine(graph, {0, 1, 2}, {1, 2, 3});
    graph.CreatePlot();
    const kivtest::Bytes bytes = kivtest::StoreBody(graph);
    CKivGraphDraw back;
    kivtest::LoadBody(back, bytes);
    ASSERT_NE(back.GetAxisTitle('X'), nullptr);
    ASSERT_NE(back.GetTickLabels('Y'), nullptr);
    EXPECT_TRUE(back.GetAxisTitle('X')->IsKindOf(FW_RUNTIME_CLASS(CXPlotLabel)));
    EXPECT_EQ(kivtest::Hex(bytes), kivtest::Hex(kivtest::StoreBody(back)));
}

} // namespace
