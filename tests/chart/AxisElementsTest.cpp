#include "chart/model/GrRecord.h"
#include "chart/model/GridLine.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/PlotFrame.h"
#include "chart/model/TickMark.h"
#include "framework/core/RecordingSink.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

OGPRecord Record(fw::CRect plot, double x0, double x1, double y0, double y1)
{
    OGPRecord rec;
    GrInitRecord(&rec);
    GrSetPlotRect(plot.left, plot.top, plot.right, plot.bottom, &rec);
    GrSetXRange(x0, x1, &rec);
    GrSetYRange(y0, y1, &rec);
    return rec;
}

// Notes every tick it is handed.
class TickLog : public CPlotXYGrid {
public:
    explicit TickLog(bool logarithmic = false, bool xAxis = true) : CPlotXYGrid(xAxis, logarithmic) {}
    void DrawMinor(fw::CDC&, double value, int coord, OGPRecord*) override { Add(value, coord, false); }

    std::vector<double> values, majors;
    std::vector<int> coords;

protected:
    void DrawMajorTick(fw::CDC&, double value, int coord, OGPRecord*) override { Add(value, coord, true); }

private:
    void Add(double value, int coord, bool major)
    {
        values.push_back(value);
        coords.push_back(coord);
        if (major)
            majors.push_back(value);
    }
};

void ExpectValues(const std::vector<double>& want, const std::vector<double>& got)
{
    ASSERT_EQ(want.size(), got.size());
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_NEAR(want[i], got[i], 1e-9 * std::max(1.0, std::fabs(want[i]))) << "tick " << i;
}

TEST(AxisWalk, LinearWalksAndTheirMajors)
{
    struct Row {
        const char* name;
        double start, step, end, majorStep;
        std::vector<double> ticks, majors;
    };
    const Row rows[] = {
        {"zero_to_ten", 0, 1, 10, 5, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 5, 10}},
        {"end_off_the_step", 0, 2, 9.5, 4, {0, 2, 4, 6, 8, 9.5}, {0, 4, 8, 9.5}},
        {"last_tick_once_after_rounding", 0, 0.1, 1, 0.5,
         {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0}, {0, 0.5, 1.0}},
        {"given_downward", 10, -5, 0, 10, {0, 5, 10}, {0, 10}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        OGPRecord rec = Record({0, 0, 1000, 100}, std::min(r.start, r.end), std::max(r.start, r.end), 0, 1);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        TickLog log;
        log.SetWalk(r.start, r.step, r.end);
        log.SetMajorLattice(std::min(r.start, r.end), r.majorStep, std::max(r.start, r.end));
        log.Draw(dc, &rec);
        ExpectValues(r.ticks, log.values);
        ExpectValues(r.majors, log.majors);
        EXPECT_EQ(0, rec.m_errorCode);
    }
}

TEST(AxisWalk, WithoutEndTickTheWalkStopsAtTheLastStep)
{
    OGPRecord rec = Record({0, 0, 1000, 100}, 0, 9.5, 0, 1);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    TickLog log;
    log.SetWalk(0, 2, 9.5);
    log.DisableEndTick();
    log.Draw(dc, &rec);
    ExpectValues({0, 2, 4, 6, 8}, log.values);
}

TEST(AxisWalk, AlignedWalkStartsAtAMultipleOfTheStep)
{
    OGPRecord rec = Record({0, 0, 1000, 100}, 0, 20, 0, 1);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    TickLog log;
    log.SetAlignToStep(true);
    log.DisableEndTick();
    log.SetWalk(3.5, 2, 12);
    log.SetMajorLattice(3.5, 4, 12);
    log.Draw(dc, &rec);
    ExpectValues({4, 6, 8, 10, 12}, log.values);
    ExpectValues({4, 8, 12}, log.majors);
}

TEST(AxisWalk, LogarithmicAxesCountThroughEachDecade)
{
    struct Row { const char* name; double low, high; std::vector<double> ticks; std::vector<double> majors; };
    std::vector<double> oneToThousand;
    for (double decade : {1.0, 10.0, 100.0})
        for (int k = 1; k <= 9; ++k)
            oneToThousand.push_back(k * decade);
    oneToThousand.push_back(1000);
    const Row rows[] = {
        {"one_to_thousand", 1, 1000, oneToThousand, {1, 10, 100, 1000}},
        {"off_a_decade_finds_its_decade", 5, 200, {5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 200},
         {10, 100}},
        {"below_one", 0.01, 1, {0.01, 0.02, 0.03, 0.04, 0.05, 0.06, 0.07, 0.08, 0.09, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6,
                                0.7, 0.8, 0.9, 1.0},
         {0.01, 0.1, 1.0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        OGPRecord rec = Record({0, 0, 1000, 100}, r.low, r.high, 0, 1);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        TickLog log(true);
        log.SetLogRange(r.low, r.high);
        log.Draw(dc, &rec);
        ExpectValues(r.ticks, log.values);
        ExpectValues(r.majors, log.majors);
        EXPECT_EQ(0, log.coords.front());
        EXPECT_EQ(1000, log.coords.back());
    }
}

TEST(AxisWalk, WalkEndsAfterAThousandTicksAndOnErrors)
{
    OGPRecord rec = Record({0, 0, 30000, 100}, 0, 5000, 0, 1);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    TickLog log;
    log.SetWalk(0, 1, 5000);
    log.Draw(dc, &rec);
    EXPECT_EQ(1000u, log.values.size());

    OGPRecord far = Record({0, 0, 1000, 100}, 0, 10, 0, 1);
    TickLog beyond;
    beyond.SetWalk(0, 100, 1000);
    beyond.Draw(dc, &far);
    EXPECT_EQ(kGrErrCoord, far.m_errorCode);
    EXPECT_EQ(4, far.m_errorIndex) << "400 maps to 40000: the index of that tick";
    EXPECT_EQ(4u, beyond.values.size());

    OGPRecord none = Record({0, 0, 1000, 100}, 0, 10, 0, 1);
    none.m_yRangeSet = 0;
    TickLog y(false, false);
    y.SetWalk(0, 1, 10);
    y.Draw(dc, &none);
    EXPECT_EQ(kGrErrNoYRange, none.m_errorCode);
    EXPECT_TRUE(y.values.empty());
    EXPECT_FALSE(dc.HasClip());
}

std::vector<std::string> Lines(const fw::RecordingSink& sink)
{
    std::vector<std::string> out;
    for (const std::string& line : sink.Log())
        if (line.rfind("line", 0) == 0)
            out.push_back(line);
    return out;
}

TEST(GridLines, LinesAcrossThePlotButNotOnItsEdges)
{
    OGPRecord rec = Record({100, 50, 500, 350}, 0, 10, -50, 100);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    CXGridLine x;
    x.SetWalk(0, 2.5, 10);
    x.SetMajorLattice(0, 5, 10);
    x.SetMinorStyle(2);
    x.SetMajorColour(1);
    x.Draw(dc, &rec);
    const std::vector<std::string> want = {
        "line 200,50 200,350 pen=user 1 #000000 [2,2]",
        "line 300,50 300,350 pen=solid 2 #FF0000",
        "line 400,50 400,350 pen=user 1 #000000 [2,2]",
    };
    EXPECT_EQ(want, Lines(sink));

    sink.Clear();
    CYGridLine y;
    y.SetWalk(-50, 50, 100);
    y.SetMinorStyle(CGridLine::kNoLine);
    y.SetMajorStyle(CGridLine::kNoLine);
    y.SetZeroLine(1);
    y.Draw(dc, &rec);
    EXPECT_EQ((std::vector<std::string>{"line 100,250 500,250 pen=solid 2 #000000"}), Lines(sink))
        << "only the zero line, solid even under style 5";

    sink.Clear();
    CXGridLine none;
    none.SetWalk(0, 5, 10);
    none.SetMajorStyle(CGridLine::kNoLine);
    none.SetMinorStyle(CGridLine::kNoLine);
    none.SetZeroLine(1);
    none.Draw(dc, &rec);
    EXPECT_TRUE(Lines(sink).empty()) << "the X zero line keeps style 5";
}

TEST(TickMarks, MarksOnTheChosenSidesWithTheirLengths)
{
    // 254 dpi: ten hundredths of a millimetre make a pixel.
    fw::RecordingSink sink(1000, 1000, 254);
    fw::CDC dc(&sink);
    OGPRecord rec = Record({100, 50, 500, 350}, 0, 10, 0, 100);
    CTickXMark x;
    x.SetWalk(0, 5, 10);
    x.SetMajorLattice(0, 10, 10);
    x.SetMinorLength(500);
    x.SetMajorLength(1000);
    x.SetSide(3);
    x.SetMinorColour(2);
    x.Draw(dc, &rec);
    EXPECT_EQ((std::vector<std::string>{"line 300,350 300,300 pen=solid 1 #00FF00"}), Lines(sink));

    sink.Clear();
    CTickYMark y(rec);
    y.SetMajorLattice(0, 40, 100);
    y.SetMajorLength(1000);
    y.SetMinorLength(500);
    y.SetMajorWidth(2);
    y.Draw(dc, &rec);
    const std::vector<std::string> want = {
        "line 100,290 150,290 pen=solid 1 #000000", "line 500,290 450,290 pen=solid 1 #000000",
        "line 100,230 200,230 pen=solid 2 #000000", "line 500,230 400,230 pen=solid 2 #000000",
        "line 100,170 150,170 pen=solid 1 #000000", "line 500,170 450,170 pen=solid 1 #000000",
        "line 100,110 200,110 pen=solid 2 #000000", "line 500,110 400,110 pen=solid 2 #000000",
    };
    EXPECT_EQ(want, Lines(sink)) << "from the record: fifths of its range, both sides";
}

TEST(PlotFrame, FrameGrowsOutwardFromThePlotEdges)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    OGPRecord rec = Record({100, 50, 500, 350}, 0, 10, 0, 100);
    rec.m_errorCode = 3;
    CPlotFrame frame;
    frame.SetColor(3);
    frame.SetFrameWidth(3);
    frame.Draw(dc, &rec);
    EXPECT_EQ(0, rec.m_errorCode);
    EXPECT_EQ((std::vector<std::string>{"rect 98,48,503,353 pen=insideframe 3 #0000FF brush=null"}), sink.Log());
    frame.SetFrameWidth(0);
    sink.Clear();
    frame.Draw(dc, &rec);
    EXPECT_TRUE(sink.Log().empty());
}

TEST(AxisElements, ArchiveFormIsTheColoursAndTheLogarithmicFlag)
{
    CXLogGridLine grid;
    const int16_t colours[2] = {3, 9};
    grid.SetColours(colours);
    kivtest::ByteBuilder want;
    want.I16(3).I16(9).I16(1);
    EXPECT_EQ(kivtest::Hex(want), kivtest::Hex(kivtest::StoreBody(grid)));
    CXGridLine back;
    kivtest::LoadBody(back, want);
    int16_t got[2] = {};
    back.GetColours(got);
    EXPECT_EQ(3, got[0]);
    EXPECT_EQ(9, got[1]);
    EXPECT_TRUE(back.IsLogarithmic());
}

} // namespace
