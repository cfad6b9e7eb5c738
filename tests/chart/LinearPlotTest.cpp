#include "chart/model/GrRecord.h"
#include "chart/model/LinearPlot.h"
#include "chart/model/OGPRecord.h"
#include "common/cache/CacheClasses.h"
#include "common/cache/CacheTanks.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/RecordingSink.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// An accessor over a plain array of floats, read through float cursors.
class FloatValues {
public:
    explicit FloatValues(std::vector<float> values) : m_values(std::move(values))
    {
        m_poter.Init(FW_RUNTIME_CLASS(CZELFloatPtr), m_values.data(), 0, static_cast<int>(m_values.size()),
                     nullptr);
    }
    CZELDataPoter* get() { return &m_poter; }

private:
    std::vector<float> m_values;
    CZELFltDataPoter m_poter;
};

std::vector<float> Range(int n)
{
    std::vector<float> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<size_t>(i)] = static_cast<float>(i);
    return v;
}

OGPRecord Record(fw::CRect plot, double x0, double x1, double y0, double y1)
{
    OGPRecord rec;
    GrInitRecord(&rec);
    GrSetPlotRect(plot.left, plot.top, plot.right, plot.bottom, &rec);
    GrSetXRange(x0, x1, &rec);
    GrSetYRange(y0, y1, &rec);
    return rec;
}

std::vector<fw::CPoint> PointsOf(const std::string& line)
{
    std::vector<fw::CPoint> pts;
    std::istringstream in(line);
    std::string word;
    in >> word;
    while (in >> word) {
        const size_t comma = word.find(',');
        if (comma == std::string::npos || word.find('=') != std::string::npos)
            break;
        pts.emplace_back(std::stoi(word.substr(0, comma)), std::stoi(word.substr(comma + 1)));
    }
    return pts;
}

std::vector<std::vector<fw::CPoint>> Polylines(const fw::RecordingSink& sink)
{
    std::vector<std::vector<fw::CPoint>> out;
    for (const std::string& line : sink.Log())
        if (line.rfind("polyline", 0) == 0)
            out.push_back(PointsOf(line));
    return out;
}

std::vector<std::string> Lines(const fw::RecordingSink& sink, const std::string& prefix)
{
    std::vector<std::string> out;
    for (const std::string& line : sink.Log())
        if (line.rfind(prefix, 0) == 0)
            out.push_back(line.substr(0, line.find(" pen=")));
    return out;
}

// ------------------------------------------------------------ mapping

TEST(PlotMapping, DataAndDeviceMapBothWays)
{
    OGPRecord rec = Record({100, 50, 500, 350}, 0, 10, 0, 100);
    CLinearPlot plot;
    struct Row { const char* name; double x, y; int dx, dy; };
    const Row rows[] = {{"origin", 0, 0, 100, 350}, {"maxima", 10, 100, 500, 50}, {"middle", 5, 50, 300, 200},
                        {"outside", -5, 150, -100, -100}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        int32_t x = 0, y = 0;
        plot.DataToDevice(r.x, r.y, x, y, &rec);
        EXPECT_EQ(r.dx, x);
        EXPECT_EQ(r.dy, y);
        int16_t sx = 0, sy = 0;
        EXPECT_FALSE(plot.DataToDeviceShort(r.x, r.y, sx, sy, &rec));
        EXPECT_EQ(r.dx, sx);
        EXPECT_EQ(r.dy, sy);
    }
    double x = 0, y = 0;
    plot.DeviceToData(300, 200, x, y, &rec);
    EXPECT_DOUBLE_EQ(5.0, x);
    EXPECT_DOUBLE_EQ(50.0, y);
    plot.DeviceToData(100, 50, x, y, &rec);
    EXPECT_DOUBLE_EQ(0.0, x);
    EXPECT_DOUBLE_EQ(100.0, y);
}

TEST(PlotMapping, ProblemsAreRecordedNotThrown)
{
    CLinearPlot plot;
    OGPRecord rec = Record({100, 50, 500, 350}, 0, 10, 0, 100);
    rec.m_xRangeSet = 0;
    int32_t x = -1, y = -1;
    plot.DataToDevice(5, 5, x, y, &rec);
    EXPECT_EQ(-1, x) << "no range, no output";
    EXPECT_EQ(0, rec.m_errorCode) << "and no error";

    rec = Record({100, 50, 500, 350}, 3, 3, 0, 100);
    plot.DataToDevice(5, 5, x, y, &rec);
    EXPECT_EQ(kGrErrEmptyXRange, rec.m_errorCode);
    EXPECT_EQ(0, rec.m_errorIndex);

    rec = Record({0, 0, 400, 300}, 0, 10, 0, 100);
    plot.DataToDevice(1000, 5, x, y, &rec);
    EXPECT_EQ(kGrErrCoord, rec.m_errorCode) << "x maps to 40000";
    EXPECT_EQ(1, rec.m_errorIndex);

    rec = Record({80, 80, 20, 20}, 0, 10, 0, 100);
    plot.PrepareMapping(&rec);
    EXPECT_EQ(kGrErrPlotRect, rec.m_errorCode);

    plot.SetColor(16);
    EXPECT_EQ(0u, plot.GetColorRef());
    plot.SetColor(1);
    EXPECT_EQ(fw::RGB(255, 0, 0), plot.GetColorRef());
}

TEST(PlotMapping, DrawingPassLeavesTheContextAsItFoundIt)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    OGPRecord rec = Record({100, 50, 500, 350}, 0, 10, 0, 100);
    rec.m_clipRect = {0, 0, 300, 1000};
    rec.m_errorCode = 5;
    CLinearPlot plot;
    plot.SetColor(3);
    plot.SetLineSize(2, 1);
    plot.BeginDraw(dc, &rec);
    EXPECT_EQ(0, rec.m_errorCode);
    EXPECT_EQ(fw::CRect(100, 50, 301, 351), dc.DeviceClip()) << "plot rectangle within the clip rectangle";
    EXPECT_EQ(2, dc.GetCurrentPen().Width());
    EXPECT_EQ(fw::RGB(0, 0, 255), dc.GetCurrentPen().Color());
    plot.EndDraw(dc);
    EXPECT_FALSE(dc.HasClip()) << "no clip leaks into what is drawn next";
    EXPECT_EQ(0, dc.GetCurrentPen().Width());
}

// ------------------------------------------------------------ line plot

TEST(LinearPlot, SolidLineGoesOutInJoinedBatches)
{
    FloatValues xs(Range(1200));
    FloatValues ys(Range(1200));
    OGPRecord rec = Record({0, 0, 1199, 1199}, 0, 1199, 0, 1199);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CLinearPlot plot;
    plot.DrawSeries(dc, xs.get(), ys.get(), &rec, 1);
    const auto lines = Polylines(sink);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(500u, lines[0].size());
    EXPECT_EQ(501u, lines[1].size());
    EXPECT_EQ(201u, lines[2].size());
    EXPECT_EQ(lines[0].back(), lines[1].front());
    EXPECT_EQ(lines[1].back(), lines[2].front());
    EXPECT_EQ(fw::CPoint(0, 1199), lines[0].front());
    EXPECT_EQ(fw::CPoint(1199, 0), lines[2].back());
    EXPECT_FALSE(dc.HasClip());
}

TEST(LinearPlot, ValuesThatAreNotFiniteBreakTheLine)
{
    struct Row {
        const char* name;
        std::vector<float> ys;
        int16_t drawType;
        std::vector<std::string> log;
    };
    const Row rows[] = {
        {"gap", {1, 2, kNaN, 4, 5}, 0, {"polyline 0,90 10,80", "polyline 30,60 40,50"}},
        {"gap_in_steps", {1, 2, kNaN, 4, 5}, 1, {"polyline 0,90 10,90 10,80", "polyline 30,60 40,60 40,50"}},
        {"lone_point_is_a_pixel", {kNaN, 3, kNaN, kNaN, kNaN}, 0, {"pixel 10,70 #FF0000"}},
        {"far_point_breaks_like_nan", {1, 2, 4000, 4, 5}, 0, {"polyline 0,90 10,80", "polyline 30,60 40,50"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        FloatValues xs(Range(5));
        FloatValues ys(r.ys);
        OGPRecord rec = Record({0, 0, 100, 100}, 0, 10, 0, 10);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        CLinearPlot plot;
        plot.SetColor(1);
        plot.SetDrawType(r.drawType);
        plot.DrawSeries(dc, xs.get(), ys.get(), &rec, 1);
        std::vector<std::string> got;
        for (const std::string& line : sink.Log())
            got.push_back(line.substr(0, std::min(line.find(" pen="), line.find(" clip="))));
        EXPECT_EQ(r.log, got);
        EXPECT_EQ(0, rec.m_errorCode);
    }
}

TEST(LinearPlot, BatchEndingInAGapDoesNotJoinTheNextBatch)
{
    std::vector<float> ys(700, 5.0f);
    for (int i = 480; i < 500; ++i)
        ys[static_cast<size_t>(i)] = kNaN;
    FloatValues xs(Range(700));
    FloatValues yv(ys);
    OGPRecord rec = Record({0, 0, 699, 100}, 0, 699, 0, 10);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CLinearPlot plot;
    plot.DrawSeries(dc, xs.get(), yv.get(), &rec, 1);
    const auto lines = Polylines(sink);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(fw::CPoint(479, 50), lines[0].back());
    EXPECT_EQ(fw::CPoint(500, 50), lines[1].front()) << "the second batch starts after the gap";
}

TEST(LinearPlot, RunTableOfPatterns)
{
    struct Row { const char* name; uint16_t pattern; std::vector<int32_t> runs; };
    const Row rows[] = {
        {"halves", 0xFF00, {7, 9}},
        {"gap_first", 0x0FFF, {0, 5, 11}},
        {"solid", 0xFFFF, {15}},
        {"every_bit_changes", 0x5555, {0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CLinearPlot plot;
        plot.SetLinePattern(r.pattern);
        EXPECT_EQ(r.runs, std::vector<int32_t>(plot.RunTable(), plot.RunTable() + plot.RunCount()));
    }

    CLinearPlot plot;
    plot.SetLinePattern(0xF0F0);
    FloatValues xs(Range(2));
    FloatValues ys(Range(2));
    OGPRecord rec = Record({0, 0, 100, 100}, 0, 1, 0, 1);
    rec.m_lineWidthFactor = 2;
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    plot.DrawSeries(dc, xs.get(), ys.get(), &rec, 1);
    EXPECT_EQ((std::vector<int32_t>{7, 10, 7, 10}), std::vector<int32_t>(plot.RunTable(), plot.RunTable() + 4));
    plot.DrawSeries(dc, xs.get(), ys.get(), &rec, 1);
    EXPECT_EQ(7, plot.RunTable()[0]) << "a second call does not stretch again";
}

TEST(LinearPlot, DashesFollowThePatternAcrossSegments)
{
    // Points every 10 units along x: 0, 10, 20, 30.
    FloatValues xs(Range(4));
    FloatValues ys({0, 0, 0, 0});
    OGPRecord rec = Record({0, 0, 30, 100}, 0, 3, -1, 1);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CLinearPlot plot;
    plot.SetLinePattern(0xFF00);
    plot.DrawSeries(dc, xs.get(), ys.get(), &rec, 1);
    // A run still drawn at the end of a segment goes out to one step past
    // it, and the next segment goes on from the joining point.
    const std::vector<std::string> want = {"line 0,50 8,50", "line 16,50 21,50", "line 20,50 24,50"};
    EXPECT_EQ(want, Lines(sink, "line"));

    struct Row { const char* name; uint16_t pattern; std::vector<std::string> lines; };
    const Row rows[] = {
        {"gap_first_and_last_bit_set", 0x0FFF, {"line 4,50 11,50", "line 10,50 16,50", "line 20,50 21,50", "line 20,50 31,50"}},
        {"drawn_at_both_ends", 0xF00F, {"line 0,50 4,50", "line 12,50 20,50", "line 28,50 31,50"}},
        {"alternating", 0x5555, {"line 1,50 2,50", "line 3,50 4,50"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fw::RecordingSink s;
        fw::CDC d(&s);
        CLinearPlot p;
        p.SetLinePattern(r.pattern);
        FloatValues x4(Range(4));
        FloatValues y4({0, 0, 0, 0});
        p.DrawSeries(d, x4.get(), y4.get(), &rec, 1);
        auto got = Lines(s, "line");
        if (r.pattern == 0x5555 && got.size() > 2)
            got.resize(2); // one pixel every other step: the first two tell
        EXPECT_EQ(r.lines, got);
    }
}

TEST(LinearPlot, DashedLineContinuesFromOneCallToTheNext)
{
    const std::vector<float> ys = {0, 3, 1, 4, 1, 5, 9, 2};
    OGPRecord rec = Record({0, 0, 700, 900}, 0, 7, 0, 9);
    auto draw = [&](CLinearPlot& plot, fw::CDC& dc, int first, int count, int restart) {
        std::vector<float> x, y;
        for (int i = first; i < first + count; ++i) {
            x.push_back(static_cast<float>(i));
            y.push_back(ys[static_cast<size_t>(i)]);
        }
        FloatValues xv(x), yv(y);
        plot.DrawSeries(dc, xv.get(), yv.get(), &rec, restart);
    };
    fw::RecordingSink whole;
    {
        fw::CDC dc(&whole);
        CLinearPlot plot;
        plot.SetLinePattern(0xF0F0);
        draw(plot, dc, 0, 8, 1);
    }
    fw::RecordingSink halves;
    {
        fw::CDC dc(&halves);
        CLinearPlot plot;
        plot.SetLinePattern(0xF0F0);
        draw(plot, dc, 0, 4, 1);
        plot.SetLinePattern(0xF0F0);
        draw(plot, dc, 3, 5, 0);
    }
    // The second call repeats the joining point, which adds nothing.
    EXPECT_EQ(Lines(whole, "line"), Lines(halves, "line"));

    fw::RecordingSink restarted;
    {
        fw::CDC dc(&restarted);
        CLinearPlot plot;
        plot.SetLinePattern(0xF0F0);
        draw(plot, dc, 0, 4, 1);
        draw(plot, dc, 4, 4, 1);
    }
    EXPECT_NE(Lines(whole, "line"), Lines(restarted, "line"));
}

// The pixels of a polyline, both ends of every segment included.
std::set<std::pair<int, int>> Pixels(const std::vector<std::vector<fw::CPoint>>& lines)
{
    std::set<std::pair<int, int>> px;
    for (const auto& pts : lines) {
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            const fw::CPoint a = pts[i], b = pts[i + 1];
            const int n = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
            for (int k = 0; k <= n; ++k) {
                const double t = n ? double(k) / n : 0.0;
                px.emplace(static_cast<int>(std::lround(a.x + t * (b.x - a.x))),
                           static_cast<int>(std::lround(a.y + t * (b.y - a.y))));
            }
        }
    }
    return px;
}

TEST(LinearPlot, LongSeriesDrawsThePixelsOfTheFullLineFromFourPointsAColumn)
{
    const int n = 40000;
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0.0f, 1.0f);
    std::vector<float> ys(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        ys[static_cast<size_t>(i)] = std::sin(i * 0.001f) * 5.0f + noise(random);
    ys[20000] = kNaN;
    FloatValues xs(Range(n));
    FloatValues yv(ys);
    OGPRecord rec = Record({10, 10, 210, 310}, 0, n - 1, -10, 10);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CLinearPlot plot;
    plot.DrawSeries(dc, xs.get(), yv.get(), &rec, 1);
    const auto drawn = Polylines(sink);
    size_t vertices = 0;
    for (const auto& line : drawn)
        vertices += line.size();
    EXPECT_LT(vertices, 201u * 4 * 2) << "bounded by the width, not the count";

    // The full line, point by point, with the same mapping and the same break.
    std::vector<std::vector<fw::CPoint>> full(1);
    for (int i = 0; i < n; ++i) {
        const float y = ys[static_cast<size_t>(i)];
        if (std::isnan(y)) {
            full.emplace_back();
            continue;
        }
        const double dx = plot.XScale() * i + plot.XOffset();
        const double dy = plot.YOffset() - plot.YScale() * y;
        full.back().emplace_back(GrRound(dx), GrRound(dy));
    }
    EXPECT_EQ(Pixels(full), Pixels(drawn));
}

TEST(LinearPlot, CachedChannelDrawsAsTheSameValuesInMemory)
{
    kivtest::TempDir dir;
    SetCacheTankFolder(dir.Path().string());
    const int n = 5000;
    std::vector<float> ys(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        ys[static_cast<size_t>(i)] = static_cast<float>((i * 37) % 101);
    ys[2500] = kNaN;
    CCacheFltDataTank tank;
    ASSERT_TRUE(tank.CreateCacheFile());
    for (int i = 0; i < n; ++i)
        tank.SetValue(i, ys[static_cast<size_t>(i)]);
    tank.CloseCacheFile();

    auto draw = [&](CZELDataPoter* yv) {
        FloatValues xs(Range(n));
        OGPRecord rec = Record({0, 0, n - 1, 1000}, 0, n - 1, 0, 100);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        CLinearPlot plot;
        plot.DrawSeries(dc, xs.get(), yv, &rec, 1);
        return sink.Log();
    };
    FloatValues inMemory(ys);
    std::unique_ptr<CZELDataPoter> cached(tank.CreatePoter(0, n));
    ASSERT_NE(nullptr, cached);
    const auto want = draw(inMemory.get());
    EXPECT_EQ(want, draw(cached.get()));
    EXPECT_GE(want.size(), 10u) << "ten batches, one broken by the gap";
}

TEST(LinearPlot, TimeAxisTransformsXAndDashedStepsTurnAtEachPoint)
{
    // Dates in days drawn against seconds from an origin.
    FloatValues xs({45000.0f, 45000.5f, 45001.0f});
    FloatValues ys({0, 10, 0});
    OGPRecord rec = Record({0, 0, 864, 100}, 0, 86400, 0, 10);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CLinearPlot plot;
    plot.SetXTransform(86400.0, 45000.0);
    plot.DrawSeries(dc, xs.get(), ys.get(), &rec, 1);
    const auto lines = Polylines(sink);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ((std::vector<fw::CPoint>{{0, 100}, {432, 0}, {864, 100}}), lines[0]);

    FloatValues sx(Range(3));
    FloatValues sy({0, 10, 0});
    OGPRecord steps = Record({0, 0, 20, 100}, 0, 2, 0, 10);
    fw::RecordingSink dashed;
    fw::CDC dd(&dashed);
    CLinearPlot stepPlot;
    stepPlot.SetDrawType(1);
    stepPlot.SetLinePattern(0xFFF0);
    stepPlot.DrawSeries(dd, sx.get(), sy.get(), &steps, 1);
    // Along y 100 to x 10, up to y 0, along to x 20, down to y 100: twelve
    // steps drawn of every sixteen, the phase running on around the corners.
    const std::vector<std::string> want = {
        "line 0,100 11,100", "line 10,100 10,98", "line 10,94 10,82", "line 10,78 10,66",
        "line 10,62 10,50",  "line 10,46 10,34",  "line 10,30 10,18", "line 10,14 10,2",
        "line 12,0 21,0",    "line 20,0 20,4",    "line 20,8 20,20",  "line 20,24 20,36",
        "line 20,40 20,52",  "line 20,56 20,68",  "line 20,72 20,84", "line 20,88 20,100",
    };
    EXPECT_EQ(want, Lines(dashed, "line"));
}

TEST(LinearPlot, EmptyMarkersOfIntegerChannelsBreakTheLineLikeNaN)
{
    std::vector<int16_t> values = {1, 2, -32768, 4, 5};
    CZELShortDataPoter ys;
    ys.Init(FW_RUNTIME_CLASS(CZELShortPtr), values.data(), 0, 5, nullptr);
    FloatValues xs(Range(5));
    OGPRecord rec = Record({0, 0, 100, 100}, 0, 10, 0, 10);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CLinearPlot plot;
    plot.DrawSeries(dc, xs.get(), &ys, &rec, 1);
    const auto lines = Polylines(sink);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ((std::vector<fw::CPoint>{{0, 90}, {10, 80}}), lines[0]);
    EXPECT_EQ((std::vector<fw::CPoint>{{30, 60}, {40, 50}}), lines[1]);
}

} // namespace
