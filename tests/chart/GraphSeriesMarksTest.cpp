#include "chart/model/ChartClasses.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/KivGraphDraw.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Starting(const std::vector<std::string>& log, const std::string& prefix)
{
    std::vector<std::string> out;
    for (const std::string& line : log)
        if (line.rfind(prefix, 0) == 0)
            out.push_back(line);
    return out;
}

class GraphSeriesMarks : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterChartClasses();
        RegisterGraphClasses();
        CGraphParamArray* series = graph.AddSeries(true);
        auto* tx = new CFltDataTank;
        auto* ty = new CFltDataTank;
        for (int i = 0; i < 5; ++i) {
            tx->SetValue(i, i);
            ty->SetValue(i, i % 2 ? 8 : 2);
        }
        series->AppendItem(0, 0, tx);
        series->AppendItem(0, 1, ty);
        ReleaseTank(tx);
        ReleaseTank(ty);
        series->SetDrawRange(0, 4);
        tSeriesStyle style = series->GetStyle();
        style.symbolType = 5;
        style.symbolSize = 2;
        style.symbolColor = 3;
        style.fillColor = 4;
        style.lineColor = 1;
        series->SetStyle(style);
        graph.AutoScale();
        graph.FitPlotRect(dc, rect);
        graph.CreatePlot();
        sink.Clear();
    }
    fw::RecordingSink sink;
    fw::CDC dc{&sink};
    CKivGraphDraw graph;
    const fw::CRect rect{0, 0, 1000, 800};
};

TEST_F(GraphSeriesMarks, AreaUnderTheLineAndSymbolsOverIt)
{
    graph.m_fill = 1;
    graph.DrawAllSeries(dc, rect);
    const auto& log = sink.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(0u, log.front().rfind("polygon", 0)) << "the area first";
    EXPECT_NE(std::string::npos, log.front().find("brush=solid #FFFF00")) << "in the fill colour";
    EXPECT_EQ(1u, Starting(log, "polyline").size());
    const auto symbols = Starting(log, "rect");
    ASSERT_EQ(5u, symbols.size());
    EXPECT_NE(std::string::npos, symbols[0].find("pen=solid 1 #0000FF")) << symbols[0];
    EXPECT_NE(std::string::npos, symbols[0].find("brush=solid #FFFF00")) << symbols[0];
    const auto line = std::find_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("polyline", 0) == 0; });
    const auto symbol = std::find_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("rect", 0) == 0; });
    EXPECT_LT(line, symbol) << "the symbols over the line";

    graph.m_fill = 0;
    sink.Clear();
    graph.DrawAllSeries(dc, rect);
    EXPECT_TRUE(Starting(sink.Log(), "polygon").empty()) << "no area while the graph's fill flag is 0";
}

TEST_F(GraphSeriesMarks, RegressionCurveIsThePolynomialThroughItsPoints)
{
    tRegressionSettings settings;
    settings.degree = 1;
    settings.curvePoints = 4;
    settings.color = 2;
    graph.SetRegression(settings);
    graph.ComputeRegression();
    graph.DrawRegression(dc, rect);
    // Four intervals: a start pixel and four lines in the curve colour.
    EXPECT_EQ(1u, Starting(sink.Log(), "pixel").size());
    const auto lines = Starting(sink.Log(), "line");
    ASSERT_EQ(4u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("#00FF00"));
}

} // namespace
