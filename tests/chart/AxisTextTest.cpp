#include "chart/model/AlphaTickLabel.h"
#include "chart/model/ChartClasses.h"
#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/PlotText.h"
#include "chart/model/TextEnvirons.h"
#include "chart/model/TickLabel.h"
#include "common/base/LogFont.h"
#include "framework/core/Archive.h"
#include "framework/core/Cp932.h"
#include "framework/core/RecordingSink.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <memory>
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

std::vector<std::string> Texts(const fw::RecordingSink& sink)
{
    std::vector<std::string> out;
    for (const std::string& line : sink.Log())
        if (line.rfind("text", 0) == 0)
            out.push_back(line.substr(0, line.find("\" ") + 1));
    return out;
}

TEST(TickLabels, FormatKinds)
{
    CTickYLabel label;
    struct Row { const char* name; int16_t kind; int16_t decimals; double value; const char* text; };
    const Row rows[] = {
        {"blank", 0, 0, 12.5, " "},
        {"fixed", 1, 2, 12.5, "12.50"},
        {"fixed_no_negative_zero", 1, 1, -0.01, "0.0"},
        {"exponent", 2, 0, 1250.0, "1.25e+003"},
        {"outside_the_kinds", 11, 0, 12.5, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        label.SetFormatKind(r.kind);
        label.SetDecimals(r.decimals);
        fw::CString text;
        label.FormatValue(r.value, text);
        EXPECT_EQ(fw::CString(r.text), text);
    }
}

TEST(TickLabels, TimeAxisInSecondsPrintsClockTimes)
{
    CTickXLabel label;
    label.SetFormatKind(5);
    label.SetTimeScale(86400.0, 45000.0);
    fw::CString text;
    label.FormatValue(3661.0, text);
    EXPECT_EQ(fw::CString("01:01:01"), text);
    label.SetFormatKind(4);
    label.FormatValue(86400.0, text);
    EXPECT_EQ(fw::CString("23/03/16"), text) << "two-digit year for dates";
}

TEST(TickLabels, YLabelsDrawEachMajorAndReserveTheWidestWidth)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    OGPRecord rec = Record({100, 50, 500, 350}, 0, 10, 0, 100);
    CTickYLabel label;
    label.SetRange(0, 20, 100);
    label.SetFormatKind(1);
    label.ComputeDecimals();
    EXPECT_EQ(0, label.GetDecimals());
    label.Draw(dc, &rec);
    // 9 point at 96 dpi: 12 pixels high, digits 6 wide; the gap of 1 mm
    // is 4 pixels.
    const std::vector<std::string> want = {
        "text 90,356 \"0\"", "text 84,296 \"20\"", "text 84,236 \"40\"",
        "text 84,176 \"60\"", "text 84,116 \"80\"", "text 78,56 \"100\"",
    };
    EXPECT_EQ(want, Texts(sink));
    EXPECT_EQ(12, label.GetTextHeight());
    EXPECT_FALSE(dc.HasClip());

    label.Measure(dc, &rec);
    EXPECT_EQ(fw::CRect(100 - 18 - 4, 50 - 7, 500, 350 + 7), rec.m_frameRect);
    rec.m_frameRect = rec.m_plotRect;
    rec.m_yLabelWidth = 5;
    label.Measure(dc, &rec);
    EXPECT_EQ(100 - 30 - 4, rec.m_frameRect.left) << "five zeros are wider than 100";
}

TEST(TickLabels, XLabelsCentreOnTheirTicksAndWidenTheFrame)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    OGPRecord rec = Record({100, 50, 500, 350}, 0, 10, 0, 100);
    CTickXLabel label;
    label.SetRange(0, 5, 10);
    label.SetFormatKind(1);
    label.SetDecimals(0);
    label.SetSide(4);
    label.Draw(dc, &rec);
    // Gap 1.5 mm: 6 pixels.
    const std::vector<std::string> want = {
        "text 97,44 \"0\"", "text 97,368 \"0\"", "text 297,44 \"5\"",
        "text 297,368 \"5\"", "text 494,44 \"10\"", "text 494,368 \"10\"",
    };
    EXPECT_EQ(want, Texts(sink));
    label.Measure(dc, &rec);
    EXPECT_EQ(fw::CRect(100 - 6 - 1, 50 - 12 - 6, 500 + 6 + 1, 350 + 6 + 12), rec.m_frameRect);
    EXPECT_EQ(18, label.SpaceBelow(dc, &rec));
}

TEST(TickLabels, ArchiveForm)
{
    CTickXLabel label;
    const int16_t colours[2] = {1, 2};
    label.SetColours(colours);
    label.SetFormatKind(5);
    const kivtest::Bytes got = kivtest::StoreBody(label);
    kivtest::ByteBuilder want;
    want.I16(1).I16(2).I16(0);
    want.I16(5).I16(150).I16(0).I16(0).I16(3);
    want.I32(90).I32(0).I32(0).I32(0).I32(0);
    want.U8(0).U8(0).U8(0).U8(128).U8(3).U8(1).U8(1).U8(0x32);
    const std::string face = fw::cp932::ToCp932("ＭＳ Ｐゴシック");
    want.U8(static_cast<uint8_t>(face.size()));
    for (char c : face)
        want.U8(static_cast<uint8_t>(c));
    want.I32(13).I32(8);
    EXPECT_EQ(kivtest::Hex(want), kivtest::Hex(got));

    CTickXLabel back;
    kivtest::LoadBody(back, got);
    EXPECT_EQ(got, kivtest::StoreBody(back));
}

TEST(TextAttributes, ApplyMakesThePointFontForTheContextAndRestoreUndoesIt)
{
    fw::RecordingSink sink(1000, 1000, 192);
    fw::CDC dc(&sink);
    CTextEnvirons set;
    tTextAttributes a;
    set.GetAttributes(a);
    EXPECT_EQ(90, a.font.lfHeight);
    EXPECT_EQ(fw::CString("ＭＳ ゴシック"), a.font.GetFaceName()) << "fixed pitch by default";
    a.bkMode = 13;
    a.align = fw::TA_BOTTOM | fw::TA_CENTER;
    set.SetAttributes(a);
    dc.SetBkMode(fw::TRANSPARENT);
    const int32_t before = dc.GetCurrentFont().Info().lfHeight;
    set.Apply(dc);
    EXPECT_EQ(-24, dc.GetCurrentFont().Info().lfHeight) << "9 point at 192 dpi";
    EXPECT_EQ(fw::TRANSPARENT, dc.GetBkMode()) << "a mode the platform rejects leaves the context's";
    EXPECT_EQ(fw::TA_BOTTOM | fw::TA_CENTER, dc.GetTextAlign());
    set.Restore(dc);
    EXPECT_EQ(before, dc.GetCurrentFont().Info().lfHeight);
    EXPECT_EQ(fw::TA_TOP, dc.GetTextAlign());

    // Chains apply in order and restore in reverse.
    CEnvirons chain;
    auto* text = new CTextEnvirons;
    text->SetAttributes(a);
    chain.Append(text);
    chain.ApplyChain(dc);
    EXPECT_EQ(-24, dc.GetCurrentFont().Info().lfHeight);
    chain.RestoreChain(dc);
    EXPECT_EQ(before, dc.GetCurrentFont().Info().lfHeight);
    std::unique_ptr<CEnvirons> copy(chain.Clone());
    ASSERT_NE(nullptr, copy->Next());
    EXPECT_TRUE(copy->Next()->IsKindOf(FW_RUNTIME_CLASS(CTextEnvirons)));
}

TEST(AxisTitles, TitlesSitOutsideTheFrameInTheirColour)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    OGPRecord rec = Record({100, 50, 500, 350}, 0, 10, 0, 100);
    rec.m_frameRect = {80, 40, 520, 370};
    CXPlotLabel x;
    x.SetTitle("Time ");
    x.SetUnit("[s]");
    x.SetColor(1);
    x.Draw(dc, &rec);
    CYPlotLabel y;
    y.SetTitle("Area ");
    y.SetUnit("[m\\super2\\super]");
    y.Draw(dc, &rec);
    // 9 point: 12 pixels; gap 1 mm: 4 pixels.
    ASSERT_EQ(4u, sink.Log().size());
    EXPECT_EQ(0u, sink.Log()[0].rfind("text 300,386 \"Time [s]\" bottom|left #FF0000", 0)) << sink.Log()[0];
    EXPECT_EQ(0u, sink.Log()[1].rfind("text 76,", 0)) << sink.Log()[1];
    EXPECT_NE(std::string::npos, sink.Log()[1].find("esc=900"));
    EXPECT_NE(std::string::npos, sink.Log()[2].find("\"2\"")) << "superscript piece";
    EXPECT_EQ(fw::RGB(0, 0, 0), dc.GetTextColor());

    EXPECT_EQ(16, x.SpaceBelow(dc));
    EXPECT_EQ(0, x.SpaceAbove(dc));
    EXPECT_EQ(22, y.SpaceLeft(dc));
    EXPECT_EQ(0, y.SpaceRight(dc));

    const kivtest::Bytes form = kivtest::StoreBody(y);
    CYPlotLabel back;
    kivtest::LoadBody(back, form);
    EXPECT_EQ(form, kivtest::StoreBody(back));
    EXPECT_EQ(fw::CString("Area [m\\super2\\super]"), back.Text());
}

} // namespace

namespace {

TEST(AxisText, ElementsComeBackAsTheirOwnClassThroughTheArchive)
{
    RegisterChartClasses();
    CLogTickYLabel label;
    label.SetFormatKind(2);
    std::unique_ptr<fw::CObject> back(
        kivtest::LoadObject(kivtest::StoreObject(&label), FW_RUNTIME_CLASS(CTickLabel)));
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(FW_RUNTIME_CLASS(CLogTickYLabel), back->GetRuntimeClass());
    auto* loaded = static_cast<CLogTickYLabel*>(back.get());
    EXPECT_TRUE(loaded->IsLogarithmic());
    tLabelFormat format;
    loaded->GetLabelFormat(format);
    EXPECT_EQ(2, format.kind);

    CYPlotLabel title;
    title.SetTitle("Y");
    std::unique_ptr<fw::CObject> titleBack(
        kivtest::LoadObject(kivtest::StoreObject(&title), FW_RUNTIME_CLASS(CPlotLabel)));
    ASSERT_NE(nullptr, titleBack);
    EXPECT_EQ(FW_RUNTIME_CLASS(CYPlotLabel), titleBack->GetRuntimeClass());
}

} // namespace

namespace {

TEST(AlphaTickLabels, TheFirstLabelOfARowWidensTheFrameOnce)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    OGPRecord rec = Record({100, 50, 500, 350}, 0, 4, 0, 100);
    rec.m_frameRect = {90, 40, 510, 360};
    CAlphaXTickLabel labels;
    labels.SetColor(3);
    labels.DrawLabel(dc, 1, "ab", &rec);
    labels.DrawLabel(dc, 3, "cd", &rec);
    // 9 point: 12 pixels high, two letters 12 wide; gap 10.
    EXPECT_EQ(382, rec.m_frameRect.bottom) << "one row, not one per label";
    EXPECT_EQ((std::vector<std::string>{"text 194,382 \"ab\"", "text 394,382 \"cd\""}), Texts(sink));
    EXPECT_NE(std::string::npos, sink.Log()[0].find("#0000FF"));
    EXPECT_EQ(22, labels.SpaceBelow(dc));

    OGPRecord none = Record({100, 50, 500, 350}, 0, 4, 0, 100);
    none.m_xRangeSet = 0;
    labels.DrawLabel(dc, 1, "x", &none);
    EXPECT_EQ(kGrErrNoXRange, none.m_errorCode);
    OGPRecord far = Record({100, 50, 500, 350}, 0, 4, 0, 100);
    labels.DrawLabel(dc, 400, "x", &far);
    EXPECT_EQ(kGrErrLabelCoord, far.m_errorCode);
    EXPECT_EQ(1, far.m_errorIndex);
    EXPECT_EQ(2u, Texts(sink).size()) << "never drawn at an unmapped position";
}

} // namespace
