#include "chart/model/GrClip.h"
#include "chart/model/GrDraw.h"
#include "chart/model/GrRecord.h"
#include "chart/model/GrScale.h"
#include "chart/model/GrText.h"
#include "chart/model/OGPRecord.h"
#include "framework/core/RecordingSink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Starting(const fw::RecordingSink& sink, const std::string& prefix)
{
    std::vector<std::string> out;
    for (const std::string& line : sink.Log())
        if (line.rfind(prefix, 0) == 0)
            out.push_back(line);
    return out;
}

TEST(GrRecord, InitInvertsTheRectanglesSoThatTheCheckFailsUntilSet)
{
    OGPRecord rec;
    rec.m_clipRect = {1, 2, 3, 4};
    rec.m_errorCode = 8;
    GrInitRecord(&rec);
    EXPECT_EQ(fw::CRect(80, 80, 20, 20), rec.m_plotRect);
    EXPECT_EQ(fw::CRect(80, 80, 20, 20), rec.m_frameRect);
    EXPECT_EQ(fw::CRect(1, 2, 3, 4), rec.m_clipRect);
    EXPECT_EQ(0xFFFFFFu, rec.m_background);
    EXPECT_EQ(1, rec.m_drawing);
    EXPECT_FALSE(GrHasError(&rec));
    EXPECT_FALSE(GrCheckPlotRect(&rec));
    EXPECT_EQ(kGrErrPlotRect, rec.m_errorCode);

    GrClearError(&rec);
    GrSetPlotRect(100, 50, 70000, 350, &rec);
    EXPECT_EQ(fw::CRect(100, 50, 70000 - 65536, 350), rec.m_plotRect) << "sides are 16-bit numbers";
    GrSetPlotRect(100, 50, 500, 350, &rec);
    EXPECT_EQ(rec.m_plotRect, rec.m_frameRect);
    EXPECT_EQ(rec.m_plotRect, rec.m_clipRect);
    EXPECT_TRUE(GrCheckPlotRect(&rec));
}

TEST(GrRecord, ChecksRecordTheirCodeAndIndex)
{
    OGPRecord rec;
    EXPECT_TRUE(GrCheckXRange(5, 5 + 1e-32, &rec));
    EXPECT_EQ(kGrErrEmptyXRange, rec.m_errorCode);
    EXPECT_TRUE(GrCheckYRange(1, 1, &rec));
    EXPECT_EQ(kGrErrEmptyYRange, rec.m_errorCode);
    GrClearError(&rec);
    EXPECT_FALSE(GrCheckXRange(0, 1e-30, &rec));
    EXPECT_TRUE(GrCheckYRange(0, std::nan(""), &rec)) << "a NaN bound is no range";

    const float values[] = {1, 0, 2, -0.5f, -3};
    GrClearError(&rec);
    EXPECT_TRUE(GrCheckNonNegative(5, values, &rec));
    EXPECT_EQ(kGrErrNegativeValue, rec.m_errorCode);
    EXPECT_EQ(3, rec.m_errorIndex);

    struct Row { const char* name; double value; bool bad; };
    const Row rows[] = {
        {"inside", 32767.0, false},       {"negative_inside", -32767.0, false}, {"beyond", 32768.0, true},
        {"far_below", -40000.0, true},    {"nan", std::nan(""), true},
        {"inf", std::numeric_limits<double>::infinity(), true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        rec.m_errorIndex = 7;
        GrClearError(&rec);
        EXPECT_EQ(r.bad, GrCheckCoord(r.value, &rec));
        EXPECT_EQ(r.bad ? kGrErrCoord : 0, rec.m_errorCode);
        EXPECT_EQ(0, rec.m_errorIndex);
    }
}

TEST(GrRecord, RangeFromDataSkipsValuesThatAreNotFinite)
{
    OGPRecord rec;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float values[] = {nan, 3, -2, 8, std::numeric_limits<float>::infinity(), 1};
    GrSetXRangeFromData(6, values, &rec);
    EXPECT_EQ(-2.0, rec.m_xMin);
    EXPECT_EQ(8.0, rec.m_xMax);
    EXPECT_EQ(1, rec.m_xRangeSet);
    const float none[] = {nan, nan};
    GrSetYRangeFromData(2, none, &rec);
    EXPECT_EQ(0, rec.m_yRangeSet) << "no finite value sets no range";
    GrSetYRangeFromData(0, values, &rec);
    EXPECT_EQ(0, rec.m_yRangeSet);
}

TEST(GrNumbers, RoundLogAndDecades)
{
    EXPECT_EQ(0, GrRound(0.49999999));
    EXPECT_EQ(1, GrRound(0.4999999901));
    EXPECT_EQ(0, GrRound(-0.9));
    EXPECT_EQ(-2, GrRound(-2.7));
    EXPECT_EQ(3, GrRound(2.5));
    EXPECT_NEAR(2.0, GrLog10(100.0), 1e-12);
    EXPECT_NEAR(1000.0, GrPow10(3.0), 1e-8);

    EXPECT_TRUE(GrIsDecade(1000.0));
    EXPECT_TRUE(GrIsDecade(0.01));
    EXPECT_TRUE(GrIsDecade(0.1 * (1 + 1e-9))) << "just above a negative decade";
    EXPECT_FALSE(GrIsDecade(2.0));
    EXPECT_FALSE(GrIsDecade(0.0));

    struct Row { const char* name; double start; double step; };
    const Row rows[] = {
        {"decade_one", 1.0, 0.1},   {"decade_hundred", 100.0, 10.0}, {"two", 2.0, 1.0},
        {"five_off_a_decade", 5.0, 1.0}, {"fifty", 50.0, 10.0},       {"half", 0.5, 0.1},
        {"decade_milli", 0.001, 0.0001}, {"three_milli", 0.003, 0.001},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_NEAR(r.step, GrLogStartValue(r.start), r.step * 1e-12);
    }
}

TEST(GrScale, LinearAutoScaleTable)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::nan("");
    struct Row { const char* name; double lo, hi; int div; double outLo, outHi, step; };
    const Row rows[] = {
        {"fraction_to_ten", 0.3, 9.7, 5, 0, 10, 2},
        {"absolute_zero_to_1250", -273.15, 1250, 5, -500, 1500, 500},
        {"single_value", 5, 5, 5, -5, 15, 10},
        {"unit", 0, 1, 5, 0, 1, 0.2},
        {"two_would_need_six", -3, 7, 5, -5, 10, 5},
        {"zero_divisions_count_as_one", 0, 7, 0, 0, 10, 10},
        {"small", 0.0012, 0.0049, 4, 0.001, 0.005, 0.001},
        {"nan_minimum", nan, 5, 5, -5, 15, 10},
        {"infinite_maximum", 5, inf, 5, -5, 15, 10},
        {"nothing_finite", nan, -inf, 5, 0, 10, 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        double lo = 0, hi = 0, step = 0;
        EXPECT_TRUE(GrAutoScale(r.lo, r.hi, r.div, lo, hi, step));
        EXPECT_NEAR(r.outLo, lo, 1e-12);
        EXPECT_NEAR(r.outHi, hi, 1e-12);
        EXPECT_NEAR(r.step, step, 1e-12);
    }
    double lo = 0, hi = 0, step = 0;
    GrAutoScale(-1e308, 1e308, 5, lo, hi, step);
    EXPECT_TRUE(std::isfinite(lo) && std::isfinite(hi) && std::isfinite(step)) << "a span beyond a double";
}

TEST(GrScale, LogAutoScaleTable)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Row { const char* name; double lo, hi; double outLo, outHi, step; };
    const Row rows[] = {
        {"half_to_200", 0.5, 200, 0.1, 1000, 0.01},
        {"equal", 7, 7, 1, 10, 0.1},
        {"on_decades", 1, 100, 1, 100, 0.1},
        {"zero_minimum", 0, 50, 1, 100, 0.1},
        {"negative_maximum", -5, -1, 1, 1000, 0.1},
        {"infinite_maximum", 2, inf, 1, 1000, 0.1},
        {"nan", std::nan(""), 20, 1, 100, 0.1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        double lo = 0, hi = 0, step = 0;
        EXPECT_TRUE(GrLogAutoScale(r.lo, r.hi, 5, lo, hi, step));
        EXPECT_NEAR(r.outLo, lo, r.outLo * 1e-12);
        EXPECT_NEAR(r.outHi, hi, r.outHi * 1e-12);
        EXPECT_NEAR(r.step, step, r.step * 1e-12);
    }
}

TEST(GrDraw, PaletteFillsAndPens)
{
    EXPECT_EQ(fw::RGB(255, 128, 0), GrGetColor(8));
    EXPECT_EQ(fw::RGB(192, 192, 192), GrGetColor(15));
    EXPECT_EQ(0u, GrGetColor(16));
    fw::COLORREF c = 5;
    GrGetColorRef(99, c);
    EXPECT_EQ(0u, c);
    GrGetColorRef(11, c);
    EXPECT_EQ(fw::RGB(0, 128, 255), c);

    fw::LOGBRUSH lb;
    lb.lbColor = fw::RGB(1, 2, 3);
    GrGetFillBrush(3, lb);
    EXPECT_EQ(fw::BS_HATCHED, lb.lbStyle);
    EXPECT_EQ(static_cast<uintptr_t>(fw::HS_CROSS), lb.lbHatch);
    EXPECT_EQ(fw::RGB(1, 2, 3), lb.lbColor) << "the colour is the caller's";
    GrGetFillBrush(7, lb);
    EXPECT_EQ(static_cast<uintptr_t>(fw::HS_VERTICAL), lb.lbHatch);
    GrGetFillBrush(0, lb);
    EXPECT_EQ(fw::BS_HOLLOW, lb.lbStyle);
    GrGetFillBrush(1, lb);
    EXPECT_EQ(fw::BS_SOLID, lb.lbStyle);

    struct Row { const char* name; int type; std::vector<uint32_t> dashes; };
    const Row rows[] = {{"solid", 0, {}}, {"one_one", 1, {1, 1}}, {"two_two", 2, {2, 2}},
                        {"three_one", 3, {3, 1}}, {"one_three", 4, {1, 3}}, {"five", 5, {}},
                        {"own_without_array", 6, {}}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fw::CPen pen;
        EXPECT_TRUE(GrCreatePen(r.type, 3, fw::RGB(9, 8, 7), pen));
        EXPECT_EQ(r.dashes, pen.Dashes());
        EXPECT_EQ(r.dashes.empty() ? fw::PS_SOLID : fw::PS_USERSTYLE, pen.Style());
        EXPECT_EQ(fw::PS_ENDCAP_FLAT, pen.FullStyle() & 0xF00);
        EXPECT_EQ(3, pen.Width());
        EXPECT_EQ(fw::RGB(9, 8, 7), pen.Color());
    }
    const uint32_t own[] = {4, 2, 1, 2};
    fw::CPen pen;
    GrCreatePen(6, 1, 0, pen, 4, own);
    EXPECT_EQ((std::vector<uint32_t>{4, 2, 1, 2}), pen.Dashes());
}

TEST(GrDraw, DashLineRunsAlongTheLongerAxis)
{
    struct Row { const char* name; int x1, y1, x2, y2; uint16_t pattern; std::vector<std::string> lines; };
    const std::string pen = " pen=solid 0 #000000";
    const Row rows[] = {
        {"none", 0, 0, 40, 0, 0x0000, {}},
        {"plain_leaves_out_the_end", 0, 0, 40, 0, 0xFFFF, {"line 0,0 40,0" + pen}},
        {"halves_over_40", 0, 0, 40, 0, 0xFF00,
         {"line 0,0 8,0" + pen, "line 16,0 24,0" + pen, "line 32,0 40,0" + pen}},
        {"vertical_reversed", 5, 20, 5, 0, 0xF000, {"line 5,20 5,16" + pen, "line 5,4 5,0" + pen}},
        {"steep_diagonal", 0, 0, 2, 8, 0xC000, {"line 0,0 0,2" + pen}},
        {"open_run_to_the_end", 0, 0, 5, 0, 0x0F00, {"line 4,0 5,0" + pen}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        GrDashLine(dc, r.x1, r.y1, r.x2, r.y2, r.pattern);
        EXPECT_EQ(r.lines, Starting(sink, "line"));
    }
}

TEST(GrDraw, SymbolsAndWhereTheyLeaveThePosition)
{
    struct Row { const char* name; int type; int filled; std::vector<std::string> log; fw::CPoint after; };
    const std::string pen = " pen=solid 0 #000000";
    const Row rows[] = {
        {"none", 0, 0, {}, {50, 40}},
        {"square_outline", 1, 0, {"polyline 47,37 53,37 53,43 47,43 47,37" + pen}, {50, 40}},
        {"square_white", 1, 1, {"polygon 47,37 53,37 53,43 47,43 alternate" + pen + " brush=solid #FFFFFF"}, {50, 40}},
        {"circle_hollow", 3, 0, {"ellipse 47,37,54,44" + pen + " brush=null"}, {50, 40}},
        {"plus", 4, 0, {"line 47,40 54,40" + pen, "line 50,37 50,44" + pen}, {50, 44}},
        {"filled_rect", 5, 0, {"rect 47,37,53,43" + pen + " brush=solid #FFFFFF"}, {50, 40}},
        {"cross", 8, 0, {"line 47,37 54,44" + pen, "line 47,44 54,37" + pen}, {54, 37}},
        {"diamond", 11, 0, {"polygon 50,36 46,40 50,44 54,40 alternate" + pen + " brush=solid #FFFFFF"}, {50, 40}},
        {"other", 99, 0, {"ellipse 47,37,54,44" + pen + " brush=solid #FFFFFF", "line 47,40 54,40" + pen,
                          "line 50,37 50,44" + pen}, {50, 44}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        dc.MoveTo(50, 40);
        GrDrawSymbol(dc, r.type, 3, r.filled);
        EXPECT_EQ(r.log, sink.Log());
        EXPECT_EQ(r.after, dc.GetCurrentPosition());
    }
}

TEST(GrText, PlainTextIsOneCallWithTheCallersClip)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    const fw::CRect clip(0, 0, 30, 30);
    GrTextOut(dc, 5, 6, "abc", false, &clip, fw::ETO_CLIPPED);
    ASSERT_EQ(1u, sink.Log().size());
    EXPECT_EQ(0u, sink.Log()[0].rfind("text 5,6 \"abc\"", 0)) << sink.Log()[0];
    EXPECT_NE(std::string::npos, sink.Log()[0].find("cut=0,0,30,30"));
}

TEST(GrText, SuperscriptMeetsTheTopOfTheNormalText)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    fw::LOGFONT lf;
    lf.lfHeight = -20;
    fw::CFont font;
    font.CreateFontIndirect(lf);
    dc.SelectObject(&font);
    dc.SetTextAlign(fw::TA_BOTTOM | fw::TA_CENTER);
    GrTextOut(dc, 100, 50, "10\\super3");
    // Normal height 20, small 16: the 3 rises by 4. The whole (20 + 8)
    // is centred on 100.
    const std::vector<std::string> texts = Starting(sink, "text");
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(0u, texts[0].rfind("text 86,50 \"10\" bottom|left", 0)) << texts[0];
    EXPECT_NE(std::string::npos, texts[0].find("font=/-20"));
    EXPECT_EQ(0u, texts[1].rfind("text 106,46 \"3\" bottom|left", 0)) << texts[1];
    EXPECT_NE(std::string::npos, texts[1].find("font=/-16"));
    EXPECT_EQ(fw::TA_BOTTOM | fw::TA_CENTER, dc.GetTextAlign());
    EXPECT_EQ(-20, dc.GetCurrentFont().Info().lfHeight);
    EXPECT_EQ(fw::CPoint(114, 46), dc.GetCurrentPosition());
    EXPECT_EQ(fw::CString("m2"), StripSuperMarkers("m\\super2\\super"));
}

TEST(GrText, VerticalTextRunsUpAndRisesToTheLeft)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    fw::LOGFONT lf;
    lf.lfHeight = -10;
    lf.lfEscapement = 900;
    fw::CFont font;
    font.CreateFontIndirect(lf);
    dc.SelectObject(&font);
    dc.SetTextAlign(fw::TA_BOTTOM);
    GrTextOut(dc, 40, 200, "mm\\super2\\super/s", true);
    const std::vector<std::string> texts = Starting(sink, "text");
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ(0u, texts[0].rfind("text 40,200 \"mm\"", 0)) << texts[0];
    EXPECT_EQ(0u, texts[1].rfind("text 38,190 \"2\"", 0)) << texts[1];
    EXPECT_EQ(0u, texts[2].rfind("text 40,186 \"/s\"", 0)) << texts[2];
}

TEST(GrClip, ClipIntersectsOrReplacesAndIsOnePastTheCorner)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    GrSetClipRect(dc, fw::CRect(10, 20, 100, 200), kGrClipAnd);
    EXPECT_EQ(fw::CRect(10, 20, 101, 201), dc.DeviceClip());
    GrSetClipRect(dc, fw::CRect(50, 0, 300, 100), kGrClipAnd);
    EXPECT_EQ(fw::CRect(50, 20, 101, 101), dc.DeviceClip());
    GrSetClipRect(dc, fw::CRect(50, 0, 300, 100), kGrClipCopy);
    EXPECT_EQ(fw::CRect(50, 0, 301, 101), dc.DeviceClip());
    dc.SetMapMode(fw::MM_ANISOTROPIC);
    dc.SetWindowExt(2, 2);
    dc.SetViewportExt(1, 1);
    GrSetClipRect(dc, fw::CRect(0, 0, 100, 50), kGrClipCopy);
    EXPECT_EQ(fw::CRect(0, 0, 51, 26), dc.DeviceClip()) << "device units";
}

// A printer with a printing offset.
class PrinterSink final : public fw::IDrawSink {
public:
    void Line(const fw::CDC&, fw::CPoint, fw::CPoint) override {}
    void Polyline(const fw::CDC&, const std::vector<fw::CPoint>&) override {}
    void Polygon(const fw::CDC&, const std::vector<fw::CPoint>&, int) override {}
    void Rectangle(const fw::CDC&, const fw::CRect&) override {}
    void Ellipse(const fw::CDC&, const fw::CRect&) override {}
    void FillRect(const fw::CDC&, const fw::CRect&, const fw::CBrush&) override {}
    void Text(const fw::CDC&, fw::CPoint, const fw::CString&, const fw::CRect*, const fw::CRect*) override {}
    void SetPixel(const fw::CDC&, fw::CPoint, fw::COLORREF) override {}
    fw::CSize TextExtent(const fw::CDC&, const fw::CString&) override { return {}; }
    fw::TEXTMETRIC TextMetrics(const fw::CDC&) override { return {}; }
    int DeviceCaps(int index) const override
    {
        switch (index) {
        case fw::LOGPIXELSX:
        case fw::LOGPIXELSY: return 600;
        case fw::PHYSICALOFFSETX:
        case fw::PHYSICALOFFSETY: return 118;
        case fw::PHYSICALWIDTH: return 4960;
        case fw::PHYSICALHEIGHT: return 7014;
        case fw::HORZRES: return 4960 - 2 * 118;
        case fw::VERTRES: return 7014 - 2 * 118;
        default: return 0;
        }
    }
    bool IsPrinting() const override { return true; }
};

TEST(GrClip, PrintMarginsKeepTwentyMillimetresFromThePaperEdge)
{
    PrinterSink sink;
    fw::CDC dc(&sink);
    fw::CRect margins;
    GrGetPrintMargins(dc, margins);
    EXPECT_EQ(fw::CRect(354, 354, 354, 354), margins);
    dc.SetMapMode(fw::MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(2, 2);
    GrGetPrintMargins(dc, margins);
    EXPECT_EQ(fw::CRect(177, 177, 177, 177), margins) << "in logical units";
}

} // namespace
