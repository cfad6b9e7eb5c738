#include "chart/model/DBPlot.h"
#include "chart/model/GrRecord.h"
#include "chart/model/LogLogPlot.h"
#include "chart/model/OGPRecord.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/RecordingSink.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

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

OGPRecord Record(fw::CRect plot, double x0, double x1, double y0, double y1)
{
    OGPRecord rec;
    GrInitRecord(&rec);
    GrSetPlotRect(plot.left, plot.top, plot.right, plot.bottom, &rec);
    GrSetXRange(x0, x1, &rec);
    GrSetYRange(y0, y1, &rec);
    return rec;
}

// Every point of the polylines drawn, in order.
std::vector<fw::CPoint> DrawnPoints(const fw::RecordingSink& sink)
{
    std::vector<fw::CPoint> pts;
    for (const std::string& line : sink.Log()) {
        if (line.rfind("polyline", 0) != 0)
            continue;
        std::istringstream in(line);
        std::string word;
        in >> word;
        while (in >> word) {
            const size_t comma = word.find(',');
            if (comma == std::string::npos || word.find('=') != std::string::npos)
                break;
            pts.emplace_back(std::stoi(word.substr(0, comma)), std::stoi(word.substr(comma + 1)));
        }
    }
    return pts;
}

void ExpectRanges(const OGPRecord& rec, double x0, double x1, double y0, double y1)
{
    EXPECT_DOUBLE_EQ(x0, rec.m_xMin);
    EXPECT_DOUBLE_EQ(x1, rec.m_xMax);
    EXPECT_DOUBLE_EQ(y0, rec.m_yMin);
    EXPECT_DOUBLE_EQ(y1, rec.m_yMax);
}

// ------------------------------------------------------------ logarithmic axes

TEST(LogPlot, MapsBothWaysAndLeavesTheRangesInDataUnits)
{
    OGPRecord rec = Record({0, 0, 300, 300}, 1, 1000, 1, 1000);
    CLogLogPlot plot;
    int32_t x = 0, y = 0;
    plot.DataToDevice(10, 100, x, y, &rec);
    EXPECT_EQ(100, x);
    EXPECT_EQ(100, y);
    ExpectRanges(rec, 1, 1000, 1, 1000);
    double dx = 0, dy = 0;
    plot.DeviceToData(200, 200, dx, dy, &rec);
    EXPECT_NEAR(100.0, dx, 1e-9);
    EXPECT_NEAR(10.0, dy, 1e-9);
    ExpectRanges(rec, 1, 1000, 1, 1000);
    EXPECT_FALSE(GrHasError(&rec));
}

TEST(LogPlot, EachPlotTakesTheLogarithmOfItsOwnAxes)
{
    struct Row {
        const char* name;
        CLogAxesPlot* plot;
        double x, y;
        int dx, dy;
    };
    CLogLogPlot logLog;
    CSemiLogXPlot semiX;
    CSemiLogYPlot semiY;
    // X and Y 1 to 100 on a 200 by 200 rectangle: the linear midpoint is
    // 50.5, the logarithmic one 10.
    const Row rows[] = {{"log-log", &logLog, 10, 10, 100, 100},
                        {"log X", &semiX, 10, 50.5, 100, 100},
                        {"log Y", &semiY, 50.5, 10, 100, 100},
                        {"log X at the top", &semiX, 100, 100, 200, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        OGPRecord rec = Record({0, 0, 200, 200}, 1, 100, 1, 100);
        int32_t x = 0, y = 0;
        r.plot->DataToDevice(r.x, r.y, x, y, &rec);
        EXPECT_EQ(r.dx, x);
        EXPECT_EQ(r.dy, y);
        double bx = 0, by = 0;
        r.plot->DeviceToData(r.dx, r.dy, bx, by, &rec);
        EXPECT_NEAR(r.x, bx, 1e-9);
        EXPECT_NEAR(r.y, by, 1e-9);
        ExpectRanges(rec, 1, 100, 1, 100);
    }
}

TEST(LogPlot, DrawsTheSeriesOnTheLogarithmicAxes)
{
    FloatValues xs({1, 10, 100, 1000});
    FloatValues ys({1000, 100, 10, 1});
    OGPRecord rec = Record({0, 0, 300, 300}, 1, 1000, 1, 1000);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CLogLogPlot plot;
    plot.DrawSeries(dc, xs.get(), ys.get(), &rec, 1);
    const std::vector<fw::CPoint> want = {{0, 0}, {100, 100}, {200, 200}, {300, 300}};
    EXPECT_EQ(want, DrawnPoints(sink));
    ExpectRanges(rec, 1, 1000, 1, 1000);
}

TEST(LogPlot, ZeroAndNegativeValuesBreakTheLine)
{
    FloatValues xs({1, 10, 100, 1000, 10000});
    FloatValues ys({1, 10, 0, -5, 100});
    OGPRecord rec = Record({0, 0, 400, 400}, 1, 10000, 1, 10000);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CLogLogPlot plot;
    plot.DrawSeries(dc, xs.get(), ys.get(), &rec, 1);
    std::vector<std::string> drawn;
    for (const std::string& line : sink.Log())
        if (line.rfind("polyline", 0) == 0 || line.rfind("pixel", 0) == 0)
            drawn.push_back(line.substr(0, line.find(" pen=")));
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ("polyline 0,400 100,300", drawn.front());
    const std::vector<fw::CPoint> pts = DrawnPoints(sink);
    for (const fw::CPoint& p : pts)
        EXPECT_TRUE(p != fw::CPoint(200, 400) && p.y >= 0 && p.y <= 400) << p.x << "," << p.y;
    int32_t x = 0, y = 0;
    plot.DataToDevice(10, 0, x, y, &rec);
    EXPECT_EQ(kGrErrCoord, rec.m_errorCode) << "the logarithm of 0 is no coordinate";
}

// ------------------------------------------------------------ dB

TEST(DBPlot, SeriesDrawsFromTheDepthOfTheScaleToItsLargestValue)
{
    FloatValues xs({0, 5, 10});
    FloatValues ys({0.1f, 1, 10});
    // Y minimum 40 or -40: a scale from -40 to 0 dB; the maximum is unused.
    for (double yMin : {40.0, -40.0}) {
        SCOPED_TRACE(yMin);
        OGPRecord rec = Record({0, 0, 100, 200}, 0, 10, yMin, 12345);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        CDBPlot plot;
        plot.DrawSeries(dc, xs.get(), ys.get(), &rec, 1);
        EXPECT_FALSE(GrHasError(&rec));
        EXPECT_DOUBLE_EQ(10.0, plot.GetReference());
        const std::vector<fw::CPoint> want = {{0, 200}, {50, 100}, {100, 0}};
        EXPECT_EQ(want, DrawnPoints(sink)) << "-40, -20 and 0 dB";
        ExpectRanges(rec, 0, 10, yMin, 12345);
    }
}

TEST(DBPlot, SeriesWithoutReferenceOrWithNegativeValuesDrawsNothing)
{
    struct Row {
        const char* name;
        std::vector<float> ys;
        int16_t code;
        int32_t index;
    };
    const Row rows[] = {
        {"negative at 7", {1, 2, 3, 4, 5, 6, 7, -0.5f, 9}, kGrErrNegativeValue, 7},
        {"all zero", {0, 0, 0}, kGrErrNoReference, 0},
        {"not finite only", {std::numeric_limits<float>::quiet_NaN()}, kGrErrNoReference, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<float> x(r.ys.size());
        for (size_t i = 0; i < x.size(); ++i)
            x[i] = static_cast<float>(i);
        FloatValues xs(x);
        FloatValues ys(r.ys);
        OGPRecord rec = Record({0, 0, 100, 100}, 0, 10, 60, 0);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        CDBPlot plot;
        plot.DrawSeries(dc, xs.get(), ys.get(), &rec, 1);
        EXPECT_EQ(r.code, rec.m_errorCode);
        EXPECT_EQ(r.index, rec.m_errorIndex);
        EXPECT_TRUE(sink.Log().empty());
        ExpectRanges(rec, 0, 10, 60, 0);
    }
}

TEST(DBPlot, PointMappingChecksTheRatio)
{
    // The caller's Y range is used as it stands here: -60 to 0 dB.
    OGPRecord rec = Record({0, 0, 100, 60}, 0, 10, -60, 0);
    CDBPlot plot;
    int32_t x = -1, y = -1;
    plot.DataToDevice(5, 1, x, y, &rec);
    EXPECT_EQ(kGrErrLabelCoord, rec.m_errorCode) << "no reference yet";
    GrClearError(&rec);

    const float values[] = {0.5f, 100.0f, 2.0f};
    plot.ReferenceFromArray(3, values, &rec);
    EXPECT_DOUBLE_EQ(100.0, plot.GetReference());
    plot.DataToDevice(5, 1, x, y, &rec);
    EXPECT_FALSE(GrHasError(&rec));
    EXPECT_EQ(50, x);
    EXPECT_EQ(40, y) << "1 is -40 dB below 100";
    double bx = 0, by = 0;
    plot.DeviceToData(50, 40, bx, by, &rec);
    EXPECT_NEAR(5.0, bx, 1e-9);
    EXPECT_NEAR(1.0, by, 1e-9);

    rec.m_errorIndex = 3;
    plot.DataToDevice(5, -1, x, y, &rec);
    EXPECT_EQ(kGrErrLabelCoord, rec.m_errorCode);
    EXPECT_EQ(0, rec.m_errorIndex);

    plot.ReferenceFromArray(0, values, &rec);
    EXPECT_DOUBLE_EQ(0.0, plot.GetReference()) << "no values give no reference";
}

} // namespace

#include "chart/model/GraphDraw.h"

namespace {

TEST(LogPlot, GraphDrawerCreatesThePlotOfItsType)
{
    struct Row {
        int type;
        const char* name;
        bool (*is)(CLinearPlot*);
    };
    const Row rows[] = {
        {1, "linear", [](CLinearPlot* p) { return dynamic_cast<CLogAxesPlot*>(p) == nullptr && dynamic_cast<CDBPlot*>(p) == nullptr; }},
        {2, "log-log", [](CLinearPlot* p) { return dynamic_cast<CLogLogPlot*>(p) != nullptr; }},
        {3, "log X", [](CLinearPlot* p) { return dynamic_cast<CSemiLogXPlot*>(p) != nullptr; }},
        {4, "log Y", [](CLinearPlot* p) { return dynamic_cast<CSemiLogYPlot*>(p) != nullptr; }},
        {5, "dB", [](CLinearPlot* p) { return dynamic_cast<CDBPlot*>(p) != nullptr; }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CGraphDraw graph;
        graph.SetGraphType(static_cast<int16_t>(r.type));
        graph.CreatePlot();
        ASSERT_NE(nullptr, graph.GetSeriesPlot());
        EXPECT_TRUE(r.is(graph.GetSeriesPlot()));
    }
}

} // namespace

namespace {

// Records each point the drawing maps and the record's Y range meanwhile.
template <class Plot> class MappingProbe : public Plot {
public:
    bool MapDataToDevice(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec) override
    {
        const bool failed = Plot::MapDataToDevice(x, y, outX, outY, rec);
        points.emplace_back(outX, outY);
        yRanges.emplace_back(rec->m_yMin, rec->m_yMax);
        return failed;
    }
    std::vector<fw::CPoint> points;
    std::vector<std::pair<double, double>> yRanges;
};

TEST(LogPlot, ArrayLinesAndDecibelArraysUseTheTransformedRanges)
{
    const float ys[] = {0.1f, 1, 10};
    {
        OGPRecord rec = Record({0, 0, 200, 200}, 1, 100, 1, 100);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        MappingProbe<CSemiLogYPlot> plot;
        const float x[] = {1, 50.5f, 100};
        const float y[] = {1, 10, 100};
        plot.DrawLineArray(dc, 3, x, y, &rec);
        const std::vector<fw::CPoint> want = {{0, 200}, {100, 100}, {200, 0}};
        EXPECT_EQ(want, plot.points);
        ExpectRanges(rec, 1, 100, 1, 100);
    }
    {
        OGPRecord rec = Record({0, 0, 200, 200}, 0, 100, 40, 7);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        MappingProbe<CDBPlot> plot;
        const float x[] = {0, 50, 100};
        plot.DrawLineArray(dc, 3, x, ys, &rec);
        EXPECT_FALSE(GrHasError(&rec));
        const std::vector<fw::CPoint> want = {{0, 200}, {100, 100}, {200, 0}};
        EXPECT_EQ(want, plot.points) << "-40, -20 and 0 dB";
        for (const auto& range : plot.yRanges)
            EXPECT_EQ(std::make_pair(-40.0, 0.0), range);
        ExpectRanges(rec, 0, 100, 40, 7);

        const float negative[] = {1, -2, 3};
        fw::RecordingSink none;
        fw::CDC noneDc(&none);
        plot.DrawSymbolArray(noneDc, 3, x, negative, &rec);
        EXPECT_EQ(kGrErrNegativeValue, rec.m_errorCode);
        EXPECT_EQ(1, rec.m_errorIndex);
        EXPECT_TRUE(none.Log().empty());
    }
}

} // namespace
