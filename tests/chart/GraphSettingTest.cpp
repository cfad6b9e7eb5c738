#include "chart/model/GraphSetting.h"
#include "chart/model/GraphClasses.h"
#include "common/tank/FltDataTank.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

using kivtest::Bytes;

// Appends a line series over x and y to the graph, drawing samples first..last.
CGraphParamArray* AddLine(CGraphSetting& graph, const std::vector<double>& x, const std::vector<double>& y,
                          int first, int last)
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
    series->SetDrawRange(first, last);
    return series;
}

void ExpectAxis(const GrScaleRec::Axis& a, double min, double max, double step, const char* what)
{
    EXPECT_DOUBLE_EQ(a.minimum, min) << what;
    EXPECT_DOUBLE_EQ(a.maximum, max) << what;
    EXPECT_DOUBLE_EQ(a.step, step) << what;
}

class GraphSetting : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
    }
    CGraphSetting graph;
};

TEST_F(GraphSetting, NewGraphHasTheDefaults)
{
    EXPECT_EQ(graph.Info().m_graphType, 1);
    ExpectAxis(graph.Scale().m_x, 0, 10, 5, "X");
    ExpectAxis(graph.Scale().m_y, 0, 10, 5, "Y");
    EXPECT_EQ(graph.Scale().m_x.subdivisions, 5);
    EXPECT_EQ(graph.Scale().m_x.autoMode, 1);
    EXPECT_EQ(graph.Scale().m_timeDivisor, 1);
    EXPECT_EQ(graph.GetTimeUnit(), CGraphSetting::kUnitDays);
    EXPECT_EQ(graph.m_color, 0xFFFFFFu);
    EXPECT_EQ(graph.GetSeriesCount(), 0);
}

TEST_F(GraphSetting, TimeUnitsAndLogAxes)
{
    graph.SetTimeUnit(CGraphSetting::kUnitMinutes);
    EXPECT_EQ(graph.Scale().m_timeDivisor, 1440);
    graph.SetTimeUnit(5);
    EXPECT_EQ(graph.Scale().m_timeDivisor, 1440) << "an unknown unit keeps the divisor";
    graph.Scale().m_timeDivisor = 7;
    EXPECT_EQ(graph.GetTimeUnit(), 0);

    graph.Scale().m_scaleType = GrScaleRec::kLogX;
    EXPECT_TRUE(graph.IsLogAxis('X'));
    EXPECT_FALSE(graph.IsLogAxis('Y'));
    graph.Scale().m_scaleType = GrScaleRec::kLogXY;
    EXPECT_TRUE(graph.IsLogAxis('Y'));

    graph.SetOption(33, true);
    EXPECT_TRUE(graph.TestOption(1)) << "bits taken modulo 32";
    EXPECT_DOUBLE_EQ(GrPowInt(2, 10), 1024);
    EXPECT_DOUBLE_EQ(GrPowInt(10, -3), 0.001);
    EXPECT_DOUBLE_EQ(GrPowInt(3, 0), 1);
}

TEST_F(GraphSetting, ExpandOnlyAutoScaleChangesOnlyForDataOutside)
{
    graph.Scale().m_y = GrScaleRec::Axis{1, 0, 10, 2, 5};
    CGraphParamArray* s = AddLine(graph, {0, 1, 2}, {1, 5, 9}, 0, 2);
    s->SetLastDrawnIndex(0);
    EXPECT_FALSE(graph.AutoScaleAxis('Y', true, false));
    ExpectAxis(graph.Scale().m_y, 0, 10, 2, "inside: unchanged");

    s->SetLastDrawnIndex(-1);
    CGraphSetting other;
    other.Scale().m_y = GrScaleRec::Axis{1, 0, 10, 2, 5};
    AddLine(other, {0, 1, 2, 3}, {1, 5, 9, 23}, 0, 3);
    EXPECT_TRUE(other.AutoScaleAxis('Y', true, false));
    EXPECT_DOUBLE_EQ(other.Scale().m_y.minimum, 0);
    EXPECT_GE(other.Scale().m_y.maximum, 23);
}

TEST_F(GraphSetting, EqualDataGiveAFixedSpan)
{
    struct Row {
        const char* name;
        double value;
        int16_t scaleType;
        double min, max, step;
    };
    const Row rows[] = {
        {"linear 3", 3, GrScaleRec::kLinear, 3, 13, 2},
        {"linear 0 keeps the range", 0, GrScaleRec::kLinear, 0, 10, 5},
        {"logarithmic 3", 3, GrScaleRec::kLogY, 1, 10, 0.1},
    };
    for (const auto& row : rows) {
        CGraphSetting g;
        g.Scale().m_scaleType = row.scaleType;
        AddLine(g, {0, 1}, {row.value, row.value}, 0, 1);
        g.AutoScaleAxis('Y', false, false);
        ExpectAxis(g.Scale().m_y, row.min, row.max, row.step, row.name);
    }
}

TEST_F(GraphSetting, WithoutDataALinearAxisKeepsItsRangeAndALogAxisGetsADecade)
{
    graph.AddSeries(true);
    graph.AutoScale();
    ExpectAxis(graph.Scale().m_y, 0, 10, 5, "linear");
    graph.Scale().m_scaleType = GrScaleRec::kLogY;
    graph.AutoScaleAxis('Y', false, false);
    ExpectAxis(graph.Scale().m_y, 1, 10, 0.1, "log");
}

TEST_F(GraphSetting, TimeAxisTakesItsOriginAndConvertsTheRange)
{
    graph.SetXAxisKind(GDataInfoRec::kTimeAxis);
    graph.Scale().m_timeDivisor = 0;
    graph.Scale().m_timeOrigin = 0;
    // Half an hour of data, in days.
    const double start = 45000.0;
    AddLine(graph, {start, start + 0.5 / 24}, {1, 2}, 0, 1);
    graph.AutoScaleAxis('X', false, false);
    EXPECT_EQ(graph.GetTimeUnit(), CGraphSetting::kUnitSeconds);
    EXPECT_DOUBLE_EQ(graph.Scale().m_timeOrigin, start);
    EXPECT_DOUBLE_EQ(graph.Scale().m_x.minimum, 0);
    EXPECT_GE(graph.Scale().m_x.maximum, 1800);
    EXPECT_LE(graph.Scale().m_x.maximum, 2000) << "seconds, not days";
}

TEST_F(GraphSetting, StoringWithoutRegressionEndsWithFourZeroBytes)
{
    const Bytes bytes = kivtest::StoreBody(graph);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(Bytes(bytes.end() - 4, bytes.end()), (Bytes{0, 0, 0, 0}));

    tRegressionSettings settings;
    settings.degree = 2;
    settings.color = 3;
    graph.SetRegression(settings);
    AddLine(graph, {0, 1}, {2, 3}, 0, 1);
    const Bytes with = kivtest::StoreBody(graph);
    ASSERT_GE(with.size(), 140u);
    EXPECT_EQ(Bytes(with.end() - 140, with.end() - 136), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(with[with.size() - 136 + 4], 2) << "the degree at offset 4";

    CGraphSetting back;
    kivtest::LoadBody(back, with);
    tRegressionSettings got;
    ASSERT_TRUE(back.GetRegression(got));
    EXPECT_EQ(got.color, 3);
    EXPECT_EQ(back.GetSeriesCount(), 1);
    EXPECT_EQ(kivtest::Hex(with), kivtest::Hex(kivtest::StoreBody(back)));
}

TEST_F(GraphSetting, RegressionOfAStraightLineWithSquaredCorrelation)
{
    AddLine(graph, {0, 1, 2, 3}, {1, 3, 5, 7}, 0, 3);
    tRegressionSettings settings;
    settings.degree = 1;
    settings.square = 1;
    settings.recompute = 1;
    graph.SetRegression(settings);
    EXPECT_TRUE(graph.IsRegressionDirty());
    ASSERT_TRUE(graph.ComputeRegression());
    tRegressionSettings got;
    ASSERT_TRUE(graph.GetRegression(got));
    EXPECT_EQ(got.recompute, 0);
    EXPECT_EQ(got.invalid, 0);
    EXPECT_NEAR(got.coefficients[0], 1, 1e-12);
    EXPECT_NEAR(got.coefficients[1], 2, 1e-12);
    EXPECT_NEAR(got.correlation, 1, 1e-12);
    double atOffset = 0;
    std::memcpy(&atOffset, reinterpret_cast<const uint8_t*>(&got) + 104, 8);
    EXPECT_NEAR(atOffset, 1, 1e-12);
    EXPECT_EQ(got.xMin, 0);
    EXPECT_EQ(got.xMax, 3);
}

TEST_F(GraphSetting, RegressionOfOnePointIsInvalid)
{
    AddLine(graph, {0, 1}, {1, 3}, 0, 0);
    graph.SetRegression(tRegressionSettings{});
    ASSERT_TRUE(graph.ComputeRegression());
    tRegressionSettings got;
    graph.GetRegression(got);
    EXPECT_EQ(got.invalid, 1);
    CGraphSetting none;
    EXPECT_FALSE(none.ComputeRegression()) << "no settings, no fit";
}

TEST_F(GraphSetting, LiveRegressionTakesEverySampleThatArrived)
{
    // y = 2x + 1 up to index 3, then a poll brings three samples at once,
    // two of them off the line.
    CGraphParamArray* s = AddLine(graph, {0, 1, 2, 3, 4, 5, 6}, {1, 3, 5, 7, 100, -100, 13}, 0, 3);
    tRegressionSettings settings;
    settings.degree = 1;
    graph.SetRegression(settings);
    graph.ComputeRegression();
    s->SetDrawRange(0, 6);
    ASSERT_TRUE(graph.UpdateRegression());
    EXPECT_EQ(graph.GetRegress()->GetPointCount(), 7u) << "every new sample, not only the newest";
    tRegressionSettings got;
    graph.GetRegression(got);
    CRegress full;
    full.SetDegree(1);
    const double xs[] = {0, 1, 2, 3, 4, 5, 6}, ys[] = {1, 3, 5, 7, 100, -100, 13};
    for (int i = 0; i < 7; ++i)
        full.AddPoint(xs[i], ys[i]);
    double c[2];
    full.Solve(c);
    EXPECT_NEAR(got.coefficients[0], c[0], 1e-9);
    EXPECT_NEAR(got.coefficients[1], c[1], 1e-9);
    EXPECT_EQ(got.xMax, 6);
    CGraphSetting whole;
    AddLine(whole, {0, 1, 2, 3, 4, 5, 6}, {1, 3, 5, 7, 100, -100, 13}, 0, 6);
    whole.SetRegression(settings);
    whole.ComputeRegression();
    tRegressionSettings fresh;
    whole.GetRegression(fresh);
    EXPECT_NEAR(got.correlation, fresh.correlation, 1e-9) << "the live correlation equals a fresh fit's";
    // A second update without new samples adds nothing.
    graph.UpdateRegression();
    EXPECT_EQ(graph.GetRegress()->GetPointCount(), 7u);
}

} // namespace
