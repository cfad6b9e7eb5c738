#include "chart/model/GrRecord.h"
#include "chart/model/LinearPlot.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/PlotZones.h"
#include "chart/model/TextEnvirons.h"
#include "common/cache/CacheClasses.h"
#include "common/cache/CacheTanks.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/RecordingSink.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// Float values read through float cursors; `start` is the tank index of
// the first of them.
class FloatValues {
public:
    explicit FloatValues(std::vector<float> values, int start = 0) : m_values(std::move(values))
    {
        m_poter.Init(FW_RUNTIME_CLASS(CZELFloatPtr), m_values.data(), start, static_cast<int>(m_values.size()),
                     nullptr);
    }
    CZELDataPoter* get() { return &m_poter; }

private:
    std::vector<float> m_values;
    CZELFltDataPoter m_poter;
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

// The log lines that start with `prefix`, cut before the pen and brush.
std::vector<std::string> Lines(const fw::RecordingSink& sink, const std::string& prefix)
{
    std::vector<std::string> out;
    for (const std::string& line : sink.Log())
        if (line.rfind(prefix, 0) == 0)
            out.push_back(line.substr(0, line.find(" pen=")));
    return out;
}

// Data and device coincide in x; device y = 100 - data y.
struct PlotFixture : ::testing::Test {
    fw::RecordingSink sink;
    fw::CDC dc{&sink};
    OGPRecord rec = Record({0, 0, 1000, 100}, 0, 1000, 0, 100);
    CLinearPlot plot;
};

// ------------------------------------------------------------ symbols

using LinePlotSymbols = PlotFixture;

TEST_F(LinePlotSymbols, IntervalCountsTankIndicesNotDrawnPositions)
{
    struct Row {
        const char* name;
        int16_t interval;
        std::vector<std::string> rects;
    };
    // Samples 95..124 at x = their index; symbol 5 is a rectangle of twice the half size.
    std::vector<std::string> every;
    for (int i = 95; i < 125; ++i)
        every.push_back("rect " + std::to_string(i - 2) + ",48," + std::to_string(i + 2) + ",52");
    const Row rows[] = {
        {"every tenth", 10, {"rect 98,48,102,52", "rect 108,48,112,52", "rect 118,48,122,52"}},
        {"interval 0", 0, every},
        {"interval 1", 1, every},
    };
    std::vector<float> xs, ys;
    for (int i = 95; i < 125; ++i) {
        xs.push_back(static_cast<float>(i));
        ys.push_back(50.0f);
    }
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        FloatValues x(xs, 95), y(ys, 95);
        plot.SetSymbolType(5);
        plot.SetSymbolSize(2);
        plot.SetSymbolInterval(r.interval);
        sink.Clear();
        plot.DrawSymbols(dc, x.get(), y.get(), &rec);
        EXPECT_EQ(r.rects, Lines(sink, "rect"));
    }
}

TEST_F(LinePlotSymbols, SeriesSymbolsScaleWithTheLineWidthFactorArraySymbolsDoNot)
{
    plot.SetSymbolType(5);
    plot.SetSymbolSize(3);
    rec.m_lineWidthFactor = 4;
    FloatValues x({100}), y({50});
    plot.DrawSymbols(dc, x.get(), y.get(), &rec);
    EXPECT_EQ(std::vector<std::string>{"rect 88,38,112,62"}, Lines(sink, "rect"));

    sink.Clear();
    // The right edge lies outside; a point that is not finite is skipped.
    const float ax[] = {100, 1000, kNaN, 200};
    const float ay[] = {50, 50, 50, 100};
    plot.DrawSymbolArray(dc, 4, ax, ay, &rec);
    EXPECT_EQ((std::vector<std::string>{"rect 97,47,103,53", "rect 197,-3,203,3"}), Lines(sink, "rect"));
}

TEST_F(LinePlotSymbols, UnusablePointsAreSkippedAndTheContextIsRestored)
{
    plot.SetSymbolType(5);
    plot.SetSymbolSize(1);
    // Not finite, then beyond the 16-bit device range.
    FloatValues x({10, kNaN, 1e7f, 30}), y({50, 50, 50, 50});
    const int level = dc.SaveDC();
    plot.DrawSymbols(dc, x.get(), y.get(), &rec);
    EXPECT_EQ((std::vector<std::string>{"rect 9,49,11,51", "rect 29,49,31,51"}), Lines(sink, "rect"));
    for (const std::string& line : sink.Log())
        EXPECT_NE(std::string::npos, line.find("clip=0,0,1001,101")) << line;
    EXPECT_FALSE(dc.HasClip());
    EXPECT_EQ(level + 1, dc.SaveDC());
}

// ------------------------------------------------------------ array lines

using LinePlotArrayLine = PlotFixture;

TEST_F(LinePlotArrayLine, SegmentsAreClippedToThePlotRectangle)
{
    OGPRecord small = Record({0, 0, 100, 100}, 0, 100, 0, 100);
    struct Row {
        const char* name;
        std::vector<float> xs, ys;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"both inside", {10, 20}, {50, 60}, {"line 10,50 20,40"}},
        {"from above into the box", {0, 5}, {110, 90}, {"line 5,10 3,0"}},
        {"out through the top", {5, 0}, {90, 110}, {"line 5,10 3,0"}},
        {"across from left to right", {-10, 110}, {50, 50}, {"line 0,50 100,50"}},
        {"both above", {10, 20}, {120, 130}, {}},
        {"on the right edge", {100, 50}, {50, 50}, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        sink.Clear();
        plot.DrawLineArray(dc, static_cast<int>(r.xs.size()), r.xs.data(), r.ys.data(), &small);
        EXPECT_EQ(r.lines, Lines(sink, "line"));
        EXPECT_FALSE(GrHasError(&small));
    }
}

TEST_F(LinePlotArrayLine, WideLinesShiftByHalfTheirSizeAndAMappingErrorStopsAtItsIndex)
{
    OGPRecord small = Record({0, 0, 100, 100}, 0, 100, 0, 100);
    plot.SetLineSize(3, 5);
    const float xs[] = {10, 20, 1e9f, 40};
    const float ys[] = {50, 50, 50, 50};
    plot.DrawLineArray(dc, 4, xs, ys, &small);
    EXPECT_EQ(std::vector<std::string>{"line 9,48 19,48"}, Lines(sink, "line"));
    EXPECT_EQ(8, small.m_errorCode);
    EXPECT_EQ(2, small.m_errorIndex);

    sink.Clear();
    plot.DrawLineArray(dc, 0, xs, ys, &small);
    EXPECT_TRUE(sink.Log().empty()) << "an empty array draws nothing and reads nothing";
}

TEST_F(LinePlotArrayLine, RangesComeFromTheDataWhenNoneIsSet)
{
    OGPRecord bare;
    GrInitRecord(&bare);
    GrSetPlotRect(0, 0, 100, 100, &bare);
    const float xs[] = {2, 4};
    const float ys[] = {10, 20};
    plot.DrawLineArray(dc, 2, xs, ys, &bare);
    EXPECT_DOUBLE_EQ(2.0, bare.m_xMin);
    EXPECT_DOUBLE_EQ(4.0, bare.m_xMax);
    EXPECT_DOUBLE_EQ(20.0, bare.m_yMax);
    // The last point lands on the excluded right edge.
    EXPECT_TRUE(Lines(sink, "line").empty());
}

TEST(PlotZones, ZonesCrossingsAndClampedPoints)
{
    const fw::CRect box(0, 0, 100, 100);
    struct Row {
        const char* name;
        fw::CPoint p;
        int zone;
        fw::CPoint clamp;
    };
    const Row rows[] = {
        {"inside", {50, 50}, 0, {50, 50}},     {"on the corner", {100, 100}, 0, {100, 100}},
        {"above", {50, -5}, 1, {50, 0}},       {"above right", {105, -5}, 2, {100, 0}},
        {"right", {105, 50}, 3, {100, 50}},    {"below right", {105, 105}, 4, {100, 100}},
        {"below", {50, 105}, 5, {50, 100}},    {"below left", {-5, 105}, 6, {0, 100}},
        {"left", {-5, 50}, 7, {0, 50}},        {"above left", {-5, -5}, 8, {0, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.zone, PlotZoneOf(box, r.p));
        EXPECT_EQ(r.clamp, PlotZoneClamp(box, r.zone, r.p));
    }
    fw::CPoint out;
    // Above right: the top edge is tried first, then the right edge.
    ASSERT_TRUE(PlotZoneCrossing(box, 2, {110, -10}, {50, 50}, out));
    EXPECT_EQ(fw::CPoint(100, 0), out);
    ASSERT_TRUE(PlotZoneCrossing(box, 2, {120, -2}, {20, 48}, out));
    EXPECT_EQ(fw::CPoint(116, 0), out) << "the first edge line crossed is taken, even beside the box";
    ASSERT_TRUE(PlotZoneCrossing(box, 2, {120, 10}, {20, 60}, out));
    EXPECT_EQ(fw::CPoint(100, 20), out) << "no top crossing: the right edge";
    EXPECT_FALSE(PlotZoneCrossing(box, 1, {50, -10}, {60, 0}, out)) << "an end on the edge is no crossing";
    EXPECT_FALSE(PlotZoneCrossing(box, 0, {50, 50}, {60, 60}, out));
}

// ------------------------------------------------------------ filled areas

using LinePlotFilledArea = PlotFixture;

TEST_F(LinePlotFilledArea, OnePolygonDownToTheBottomWithNoClipLeftBehind)
{
    const std::string expected = "polygon 10,50 20,40 30,50 30,100 10,100 10,50 alternate";
    struct Row {
        const char* name;
        std::vector<float> xs;
        double factor, origin;
    };
    // The ends of a time axis map as the line does.
    const Row rows[] = {{"plain", {10, 20, 30}, 0.0, 0.0}, {"time axis", {1010, 1020, 1030}, 1.0, 1000.0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CLinearPlot area;
        area.SetColor(1);
        area.SetLineSize(3, 3);
        area.SetLinePattern(0xF0F0);
        area.SetXTransform(r.factor, r.origin);
        FloatValues x(r.xs), y({50, 60, 50});
        sink.Clear();
        area.DrawFilledArea(dc, x.get(), y.get(), &rec);
        const auto polygons = Lines(sink, "polygon");
        ASSERT_EQ(1u, polygons.size());
        EXPECT_EQ(expected, polygons[0]);
        EXPECT_NE(std::string::npos, sink.Log()[0].find("pen=null"));
        EXPECT_NE(std::string::npos, sink.Log()[0].find("brush=solid #FF0000 clip=0,0,1001,101"));
        EXPECT_EQ(1u, sink.Log().size()) << "no line of its own";
        EXPECT_FALSE(dc.HasClip());
        int16_t w = 0, h = 0;
        area.GetLineSize(w, h);
        EXPECT_EQ(3, w);
        uint16_t pattern = 0;
        area.GetLinePattern(pattern);
        EXPECT_EQ(0xF0F0, pattern);
    }
}

TEST_F(LinePlotFilledArea, AnUnmappableRecordOrLastPoint)
{
    FloatValues x({10, 20, 30}), y({50, 60, 50});
    OGPRecord empty = Record({0, 0, 0, 0}, 0, 1000, 0, 100);
    plot.DrawFilledArea(dc, x.get(), y.get(), &empty);
    EXPECT_TRUE(sink.Log().empty());
    EXPECT_EQ(12, empty.m_errorCode);

    // A last value that is not finite only loses its line to the bottom.
    FloatValues x2({10, 20, 30}), y2({50, 60, kNaN});
    sink.Clear();
    plot.DrawFilledArea(dc, x2.get(), y2.get(), &rec);
    EXPECT_EQ(std::vector<std::string>{"polygon 10,50 20,40 10,100 10,50 alternate"}, Lines(sink, "polygon"));
    EXPECT_FALSE(GrHasError(&rec));
}

TEST_F(LinePlotFilledArea, ArrayOutlineIsClampedToThePlotAndFilledWithTheCallersBrush)
{
    OGPRecord small = Record({0, 0, 100, 100}, 0, 100, 0, 100);
    fw::CBrush blue(fw::RGB(0, 0, 255));
    dc.SelectObject(&blue);
    // Up through the top edge, along above it, and down again.
    const float xs[] = {10, 30, 50, 70};
    const float ys[] = {50, 120, 120, 50};
    plot.DrawFilledArray(dc, 4, xs, ys, &small);
    EXPECT_EQ(std::vector<std::string>{"polygon 10,100 10,50 24,0 30,0 50,0 56,0 70,50 70,100 10,100 alternate"},
              Lines(sink, "polygon"));
    EXPECT_NE(std::string::npos, sink.Log().back().find("pen=null"));
    EXPECT_NE(std::string::npos, sink.Log().back().find("brush=solid #0000FF"));
    EXPECT_EQ(std::string::npos, sink.Log().back().find("clip="));

    // A point that cannot be mapped ends the outline unfilled.
    sink.Clear();
    const float bad[] = {10, 30, 1e9f};
    plot.DrawFilledArray(dc, 3, bad, ys, &small);
    EXPECT_TRUE(sink.Log().empty());
    EXPECT_EQ(2, small.m_errorIndex);
}

// ------------------------------------------------------------ curves and annotations

using LinePlotCurves = PlotFixture;

TEST_F(LinePlotCurves, PolynomialRunsThroughStepsPlusOnePoints)
{
    OGPRecord unit = Record({0, 0, 100, 100}, 0, 1, 0, 4);
    const double c[] = {1, 2};
    plot.DrawPolynomial(dc, 1, c, 4, 0.0, 1.0, &unit);
    EXPECT_EQ(std::vector<std::string>{"pixel 0,75 #000000 clip=0,0,101,101"}, Lines(sink, "pixel"));
    EXPECT_EQ((std::vector<std::string>{"line 0,75 25,63", "line 25,63 50,50", "line 50,50 75,38",
                                        "line 75,38 100,25"}),
              Lines(sink, "line"));

    sink.Clear();
    plot.DrawPolynomial(dc, 0, c, 4, 0.0, 1.0, &unit);
    EXPECT_TRUE(sink.Log().empty()) << "degree 0 draws nothing";
}

TEST_F(LinePlotCurves, PolynomialBreaksWhereItLeavesTheDeviceRange)
{
    OGPRecord unit = Record({0, 0, 100, 100}, 0, 4, 0, 4);
    // y = 1e6 x^2: x = 0 maps, x = 1 to 4 lie far beyond 32767 device units.
    const double c[] = {0, 0, 1e6};
    plot.DrawPolynomial(dc, 2, c, 4, 0.0, 4.0, &unit);
    EXPECT_EQ(1u, Lines(sink, "pixel").size());
    EXPECT_TRUE(Lines(sink, "line").empty());
    const double d[] = {0, 0, 1e-3};
    sink.Clear();
    plot.DrawPolynomial(dc, 2, d, 2, -1e4, 1e4, &unit);
    // Only the middle point maps: each end stands alone as a break.
    EXPECT_EQ(1u, Lines(sink, "pixel").size());
}

TEST_F(LinePlotCurves, TextSitsTwoUnitsRightAndAboveItsPoint)
{
    tTextAttributes attributes;
    attributes.font.lfHeight = 90;
    attributes.bkMode = fw::TRANSPARENT;
    attributes.align = fw::TA_BOTTOM | fw::TA_LEFT;
    plot.DrawTextAt(dc, 100, 50, fw::CString("peak"), attributes, &rec);
    const auto texts = Lines(sink, "text");
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].rfind("text 102,48 \"peak\" bottom|left", 0)) << texts[0];
    EXPECT_EQ(std::string::npos, texts[0].find("bk=")) << "transparent background";
    EXPECT_EQ(fw::OPAQUE, dc.GetBkMode());
    EXPECT_EQ(unsigned(fw::TA_TOP | fw::TA_LEFT), dc.GetTextAlign());

    sink.Clear();
    plot.DrawTextAt(dc, HUGE_VAL, 50, fw::CString("x"), attributes, &rec);
    EXPECT_TRUE(sink.Log().empty());
}

TEST_F(LinePlotCurves, SegmentAndBoxBetweenDataPoints)
{
    plot.SetColor(1);
    plot.DrawSegment(dc, 10, 90, 30, 70, &rec, 1);
    ASSERT_EQ(1u, Lines(sink, "line").size());
    EXPECT_EQ("line 10,10 30,30", Lines(sink, "line")[0]);
    EXPECT_NE(std::string::npos, sink.Log().back().find("#000000")) << "a black pen";
    EXPECT_NE(std::string::npos, sink.Log().back().find("[1,1]")) << "dashed by the pen type";

    sink.Clear();
    plot.DrawBox(dc, 10, 30, 90, 70, &rec);
    EXPECT_EQ((std::vector<std::string>{"line 9,9 9,30", "line 9,30 31,30", "line 31,30 31,9", "line 31,9 9,9"}),
              Lines(sink, "line"));
    EXPECT_NE(std::string::npos, sink.Log().back().find("#FF0000")) << "the series pen";

    sink.Clear();
    plot.DrawBox(dc, 10, 30, kNaN, 70, &rec);
    plot.DrawSegment(dc, 10, 90, HUGE_VAL, 70, &rec, 1);
    EXPECT_TRUE(sink.Log().empty());
}

} // namespace
