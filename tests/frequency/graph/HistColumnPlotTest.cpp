// The frequency graphs' column plots and drawer: columns fill their slice
// on either side of 0, logarithmic counts stand in decades, oblique rows
// leave gaps for empty slices, and the axes scale to the counts.
#ifdef KIV_FREQUENCY_VIEWS

#include "chart/model/GrRecord.h"
#include "chart/model/ChartClasses.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/OGPRecord.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/File.h"
#include "framework/core/RecordingSink.h"
#include "frequency/graph/HistColumnPlot.h"
#include "frequency/graph/HistGraphDraw.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Values {
public:
    explicit Values(std::vector<double> values) : m_values(std::move(values))
    {
        m_poter.Init(FW_RUNTIME_CLASS(CZELDoublePtr), m_values.data(), 0, static_cast<int>(m_values.size()), nullptr);
    }
    CZELDataPoter* get() { return &m_poter; }
    int size() const { return static_cast<int>(m_values.size()); }

private:
    std::vector<double> m_values;
    CZELDblDataPoter m_poter;
};

OGPRecord Record(fw::CRect plot, double x0, double x1, double y0, double y1)
{
    OGPRecord rec;
    GrInitRecord(&rec);
    GrSetPlotRect(plot.left, plot.top, plot.right, plot.bottom, &rec);
    GrSetXRange(x0, x1, &rec);
    GrSetYRange(y0, y1, &rec);
    return rec;
}

std::vector<std::string> Logged(const fw::RecordingSink& sink, const char* kind)
{
    std::vector<std::string> out;
    const std::string prefix = std::string(kind) + " ";
    for (const std::string& line : sink.Log())
        if (line.rfind(prefix, 0) == 0)
            out.push_back(line.substr(prefix.size(), line.find(' ', prefix.size()) - prefix.size()));
    return out;
}

TEST(HistColumnPlot, FlatColumnsFillTheirSliceOnEitherSideOfZero)
{
    struct Row {
        const char* name;
        std::vector<double> x, counts;
        std::vector<std::string> rects;
    } rows[] = {
        {"both sides", {-200, -100, 100, 200}, {1, 2, 3, 4},
         {"0,75,101,100", "100,50,201,100", "200,25,301,100", "300,0,401,100"}},
        {"plus side only", {100, 200}, {1, 2}, {"200,75,301,100", "300,50,401,100"}},
        {"minus side only", {-200, -100}, {1, 2}, {"0,75,101,100", "100,50,201,100"}},
        {"one value", {100}, {4}, {"200,0,301,100"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        OGPRecord rec = Record({0, 0, 400, 100}, -200, 200, 0, 4);
        Values xs(r.x), ys(r.counts);
        CHistColumnPlot plot;
        plot.DrawColumns(dc, xs.size(), xs.get(), ys.get(), &rec);
        EXPECT_EQ(Logged(sink, "rect"), r.rects);
    }
}

TEST(HistColumnPlot, LogarithmicCountsStandInDecadesAndZeroAtTheBottom)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    OGPRecord rec = Record({0, 0, 400, 400}, 0, 400, 0.1, 1000);
    Values xs({100, 200, 300, 400}), ys({0, 1, 10, 100});
    CHistLogColumnPlot plot;
    plot.DrawColumns(dc, xs.size(), xs.get(), ys.get(), &rec);
    EXPECT_EQ(Logged(sink, "rect"),
              (std::vector<std::string>{"0,400,101,400", "100,300,201,400", "200,200,301,400", "300,100,401,400"}));
    // The record's range is the caller's again.
    EXPECT_DOUBLE_EQ(rec.m_yMin, 0.1);
    EXPECT_DOUBLE_EQ(rec.m_yMax, 1000);
}

TEST(HistColumnPlot, ObliqueRowLeavesGapsAndCutsTallColumnsAtTheWall)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    OGPRecord rec = Record({0, 0, 400, 300}, 0, 400, 0, 10);
    Values xs({0, 100, 200, 300}), ys({3, 0, 50, 2});
    CHistColumnPlot plot;
    plot.m_b3D = 1;
    plot.m_zMin = 0;
    plot.m_zMax = 10;
    plot.m_depthFront = 0;
    plot.m_depthBack = 5;
    plot.DrawColumns3D(dc, xs.size(), xs.get(), ys.get(), &rec);
    // Three boxes of three faces each; the empty slice leaves a gap.
    EXPECT_EQ(Logged(sink, "rect").size(), 3u);
    EXPECT_EQ(Logged(sink, "polygon").size(), 6u);
    // The depth runs from the back wall (0, 0) to the front face.
    EXPECT_EQ(plot.DepthOffset(10), fw::CPoint(0, 0));
    EXPECT_EQ(plot.DepthOffset(0), fw::CPoint(-100, 99));
    EXPECT_THROW(plot.DepthOffset(HUGE_VAL), fw::CException);
}

TEST(HistColumnPlot, WallAndFloorClipping)
{
    CHistColumnPlot plot;
    const fw::CRect wall(100, 0, 400, 200);
    struct Row {
        const char* name;
        fw::CRect rect;
        int flags;
        fw::CRect clipped;
    } rows[] = {
        {"inside", {150, 50, 200, 150}, 0, {150, 50, 200, 150}},
        {"above the wall", {150, -50, 200, 150}, CHistColumnPlot::kCutTop, {150, 0, 200, 150}},
        {"over the right edge", {350, 50, 450, 150}, CHistColumnPlot::kCutRight, {350, 50, 400, 150}},
        {"left of the wall", {0, 50, 90, 150}, -1, {0, 50, 90, 150}},
    };
    for (const Row& r : rows) {
        fw::CRect rect = r.rect;
        EXPECT_EQ(plot.ClipToWall(rect, wall), r.flags) << r.name;
        if (r.flags >= 0) {
            EXPECT_EQ(rect, r.clipped) << r.name;
        }
    }
}

class HistGraphDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterChartClasses();
        RegisterGraphClasses();
        fw::RegisterClass(FW_RUNTIME_CLASS(CHistGraphDraw));
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

    CHistGraphDraw draw;
};

TEST_F(HistGraphDrawTest, AxesScaleToTheCountsAndOnePastTheLastEdge)
{
    AddSeries({-1000, -500, 500, 1000}, {1, 7, 0, 3});
    EXPECT_TRUE(draw.AutoScale());
    EXPECT_DOUBLE_EQ(draw.Scale().m_y.minimum, 0);
    EXPECT_DOUBLE_EQ(draw.Scale().m_y.maximum, 8);
    EXPECT_DOUBLE_EQ(draw.Scale().m_y.step, 2);
    EXPECT_DOUBLE_EQ(draw.Scale().m_x.minimum, -1000);
    EXPECT_DOUBLE_EQ(draw.Scale().m_x.maximum, 1500);
    EXPECT_DOUBLE_EQ(draw.Scale().m_x.step, 500);
}

TEST_F(HistGraphDrawTest, EmptyCountsKeepALinearAxisAndGiveALogarithmicOneTwoDecades)
{
    AddSeries({100, 200}, {0, 0});
    draw.SetAxisRange('Y', 0, 50, 10, 5);
    draw.AutoScaleAxis('Y', false, false);
    EXPECT_DOUBLE_EQ(draw.Scale().m_y.maximum, 50);
    CHistGraphDraw empty;
    empty.SetGraphType(CHistGraphDraw::kLogType);
    empty.Scale().m_scaleType = GrScaleRec::kLogY;
    empty.AutoScaleAxis('Y', false, false);
    EXPECT_DOUBLE_EQ(empty.Scale().m_y.minimum, 0.1);
    EXPECT_DOUBLE_EQ(empty.Scale().m_y.maximum, 10);
}

TEST_F(HistGraphDrawTest, GraphTypeChoosesTheColumnPlotAndTheRecordKeepsItsTag)
{
    draw.CreatePlot();
    EXPECT_EQ(dynamic_cast<CHistLogColumnPlot*>(draw.GetColumnPlot()), nullptr);
    draw.SetGraphType(CHistGraphDraw::kLogType);
    draw.CreatePlot();
    EXPECT_NE(dynamic_cast<CHistLogColumnPlot*>(draw.GetColumnPlot()), nullptr);

    const auto bytes = kivtest::StoreBody(draw);
    ASSERT_GE(bytes.size(), 13u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 13), "<HISTGRAPHEX>");
    CHistGraphDraw loaded;
    kivtest::LoadBody(loaded, bytes);
    EXPECT_EQ(loaded.Info().m_graphType, CHistGraphDraw::kLogType);
    EXPECT_NE(dynamic_cast<CHistLogColumnPlot*>(loaded.GetColumnPlot()), nullptr);
}

} // namespace

#endif
