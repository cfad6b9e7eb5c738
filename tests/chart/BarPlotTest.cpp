#include "chart/model/BarPlot.h"
#include "chart/model/ColumnPlot.h"
#include "chart/model/GrDraw.h"
#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/SeriesStyle.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/Exceptions.h"
#include "framework/core/RecordingSink.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

class FloatValues {
public:
    explicit FloatValues(std::vector<float> values) : m_values(std::move(values))
    {
        m_poter.Init(FW_RUNTIME_CLASS(CZELFloatPtr), m_values.data(), 0, static_cast<int>(m_values.size()),
                     nullptr);
    }
    CZELDataPoter* get() { return &m_poter; }
    int size() const { return static_cast<int>(m_values.size()); }

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

std::string Hex(fw::COLORREF c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", fw::GetRValue(c), fw::GetGValue(c), fw::GetBValue(c));
    return buf;
}

// The rectangles drawn, as "l,t,r,b".
std::vector<std::string> Rects(const fw::RecordingSink& sink)
{
    std::vector<std::string> out;
    for (const std::string& line : sink.Log())
        if (line.rfind("rect ", 0) == 0)
            out.push_back(line.substr(5, line.find(' ', 5) - 5));
    return out;
}

// ------------------------------------------------------------ columns

TEST(ColumnPlot, ColumnsStandOnTheZeroLineAndEndAtTheFrame)
{
    struct Row {
        const char* name;
        float x, y;
        std::vector<std::string> rects;
    };
    const Row rows[] = {
        {"inside", 5, 50, {"40,50,60,100"}},
        {"cut at the top", 5, 140, {"40,0,60,100"}},
        {"below zero, flat at the bottom", 5, -20, {"40,100,60,100"}},
        {"right of the X range", 12, 50, {}},
        {"on the X maximum", 10, 50, {"90,50,110,100"}},
        {"y not finite", 5, kNaN, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        FloatValues xs({r.x});
        FloatValues ys({r.y});
        OGPRecord rec = Record({0, 0, 100, 100}, 0, 10, 0, 100);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        CColumnPlot plot;
        plot.DrawBars(dc, 1, xs.get(), ys.get(), &rec);
        EXPECT_EQ(r.rects, Rects(sink));
        EXPECT_FALSE(GrHasError(&rec));
    }
}

TEST(ColumnPlot, OutlinedInTheOutlineColourAndFilledInTheSeriesColour)
{
    FloatValues xs({2, 8});
    FloatValues ys({30, -30});
    // Zero in the middle of a reversed X range, which still holds both.
    OGPRecord rec = Record({0, 0, 100, 100}, 10, 0, -50, 50);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CColumnPlot plot;
    tSeriesStyle style;
    style.symbolSize = 4;
    style.fill = 1;
    plot.ApplyAttributes(style);
    EXPECT_EQ(8, plot.GetBarWidth()) << "twice the symbol size";
    plot.SetColor(4);
    plot.SetOutlineColor(1);
    plot.DrawBars(dc, 2, xs.get(), ys.get(), &rec);
    const std::vector<std::string> want = {"76,20,84,50", "16,50,24,80"};
    EXPECT_EQ(want, Rects(sink));
    std::string first;
    for (const std::string& line : sink.Log())
        if (line.rfind("rect ", 0) == 0 && first.empty())
            first = line;
    EXPECT_NE(std::string::npos, first.find("pen=solid 1 " + Hex(GrGetColor(1)))) << first;
    EXPECT_NE(std::string::npos, first.find("brush=solid " + Hex(GrGetColor(4)))) << first;
    EXPECT_FALSE(dc.HasClip());
}

} // namespace

namespace {

TEST(ColumnPlot, FloatingColumnsAndLevelMarks)
{
    FloatValues xs({2, 5, 12, 8});
    FloatValues lows({10, 70, 10, kNaN});
    FloatValues highs({40, 20, 40, 50});
    OGPRecord rec = Record({0, 0, 100, 100}, 0, 10, 0, 100);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CColumnPlot plot;
    plot.SetBarWidth(9);
    plot.DrawFloatingBars(dc, 4, xs.get(), lows.get(), highs.get(), &rec);
    // Half of 9 is 4; the lower end one pixel longer; x = 12 lies outside.
    const std::vector<std::string> want = {"16,60,24,91", "46,30,54,81"};
    EXPECT_EQ(want, Rects(sink));

    fw::RecordingSink marks;
    fw::CDC markDc(&marks);
    plot.DrawLevelMark(markDc, &rec, 5, 25, 2, 0);
    plot.DrawLevelMark(markDc, &rec, 11, 25, 2, 0);
    std::vector<std::string> lines;
    for (const std::string& line : marks.Log())
        if (line.rfind("line ", 0) == 0)
            lines.push_back(line.substr(0, line.find(" clip=")));
    ASSERT_EQ(1u, lines.size()) << "a mark outside the X range is left out";
    EXPECT_EQ("line 46,75 54,75 pen=solid 1 " + Hex(GrGetColor(2)), lines[0]);
}

TEST(ColumnPlot, ColumnsFromArraysSetUnsetRangesAndSkipUnmappablePoints)
{
    const float xs[] = {0, 1, 2, 4};
    const float y1s[] = {0, 1e30f, 10, 5};
    const float y2s[] = {10, 5, 20, 0};
    OGPRecord rec;
    GrInitRecord(&rec);
    GrSetPlotRect(0, 0, 100, 100, &rec);
    GrSetYRange(0, 20, &rec);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CColumnPlot plot;
    plot.DrawBarArray(dc, 4, xs, y1s, y2s, &rec);
    EXPECT_DOUBLE_EQ(0.0, rec.m_xMin) << "X from the values";
    EXPECT_DOUBLE_EQ(4.0, rec.m_xMax);
    EXPECT_DOUBLE_EQ(20.0, rec.m_yMax) << "a set Y range stays";
    // 1e30 lies far beyond the 16-bit range: that column is left out.
    const std::vector<std::string> want = {"-10,50,10,100", "40,0,60,50", "90,75,110,100"};
    EXPECT_EQ(want, Rects(sink));
    EXPECT_FALSE(GrHasError(&rec));

    OGPRecord unset;
    GrInitRecord(&unset);
    GrSetPlotRect(0, 0, 100, 100, &unset);
    fw::RecordingSink none;
    fw::CDC noneDc(&none);
    plot.DrawBarArray(noneDc, 4, xs, y1s, y2s, &unset);
    EXPECT_DOUBLE_EQ(0.0, unset.m_yMin) << "Y the union of both arrays";
    EXPECT_DOUBLE_EQ(1e30f, unset.m_yMax);
    plot.DrawBarArray(noneDc, 0, xs, y1s, y2s, &unset);
}

// ------------------------------------------------------------ bars

TEST(BarPlot, BarsStandOnTheYAxis)
{
    struct Row {
        const char* name;
        float x, y;
        std::vector<std::string> rects;
    };
    // X -5 to 5 and Y 0 to 10 on (0, 0, 100, 100): x = 0 lies at 50.
    const Row rows[] = {
        {"negative, to the zero line", -3, 2, {"20,70,50,90"}},
        {"positive", 4, 5, {"50,40,90,60"}},
        {"cut at the right edge", 9, 5, {"50,40,100,60"}},
        {"above the Y range", 2, 11, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        FloatValues xs({r.x});
        FloatValues ys({r.y});
        OGPRecord rec = Record({0, 0, 100, 100}, -5, 5, 0, 10);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        CBarPlot plot;
        plot.DrawBars(dc, 1, xs.get(), ys.get(), &rec);
        EXPECT_EQ(r.rects, Rects(sink));
    }
}

TEST(BarPlot, BarsFromArrays)
{
    const float x1s[] = {-5, 0};
    const float x2s[] = {0, 5};
    const float ys[] = {2, 8};
    OGPRecord rec;
    GrInitRecord(&rec);
    GrSetPlotRect(0, 0, 100, 100, &rec);
    GrSetYRange(0, 10, &rec);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CBarPlot plot;
    plot.SetBarWidth(10);
    plot.DrawBarArray(dc, 2, x1s, x2s, ys, &rec);
    EXPECT_DOUBLE_EQ(-5.0, rec.m_xMin) << "X the union of both arrays";
    EXPECT_DOUBLE_EQ(5.0, rec.m_xMax);
    const std::vector<std::string> want = {"0,75,50,85", "50,15,100,25"};
    EXPECT_EQ(want, Rects(sink));
}

TEST(BoxPlot, WithoutRangesNothingIsDrawn)
{
    FloatValues xs({5});
    FloatValues ys({50});
    OGPRecord rec;
    GrInitRecord(&rec);
    GrSetPlotRect(0, 0, 100, 100, &rec);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CColumnPlot column;
    column.DrawBars(dc, 1, xs.get(), ys.get(), &rec);
    GrSetXRange(5, 5, &rec);
    GrSetYRange(0, 100, &rec);
    column.DrawBars(dc, 1, xs.get(), ys.get(), &rec);
    EXPECT_EQ(kGrErrEmptyXRange, rec.m_errorCode);
    EXPECT_TRUE(Rects(sink).empty());
    EXPECT_FALSE(dc.HasClip());
}

} // namespace

#include "chart/model/GraphDraw.h"

namespace {

TEST(BarGraph, DrawerDrawsColumnsAndBarsInTheSeriesColours)
{
    struct Row {
        int type;
        const char* name;
        std::vector<std::string> rects;
    };
    // X and Y 0 to 10 on (0, 0, 100, 100); symbol size 3 gives a width of 6.
    const Row rows[] = {{6, "columns", {"17,60,23,100"}},
                        {33, "distribution columns", {"17,60,23,100"}},
                        {8, "bars", {"0,57,20,63"}},
                        {34, "distribution bars", {"0,57,20,63"}},
                        {1, "a line graph draws no bars", {}}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CGraphDraw graph;
        graph.SetGraphType(static_cast<int16_t>(r.type));
        OGPRecord& rec = graph.Record();
        GrInitRecord(&rec);
        GrSetPlotRect(0, 0, 100, 100, &rec);
        GrSetXRange(0, 10, &rec);
        GrSetYRange(0, 10, &rec);
        tSeriesStyle style;
        style.symbolSize = 3;
        style.fillColor = 4;
        style.lineColor = 1;
        style.linePattern = 0;
        FloatValues xs({2});
        FloatValues ys({4});
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        graph.DrawSeriesData(dc, style, xs.get(), ys.get(), true);
        EXPECT_EQ(r.rects, Rects(sink));
        for (const std::string& line : sink.Log())
            if (line.rfind("rect ", 0) == 0) {
                EXPECT_NE(std::string::npos, line.find("pen=solid 1 " + Hex(GrGetColor(1)))) << line;
                EXPECT_NE(std::string::npos, line.find("brush=solid " + Hex(GrGetColor(4)))) << line;
            }
    }
}

} // namespace
