// Drawing one cell on the recording device: alignment, the superscript
// markup, line breaks and the current cell's mark.

#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "grid/model/DrawCell.h"
#include "grid/model/PaneStyle.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CellFixture {
    fw::RecordingSink sink;
    fw::CDC dc{&sink};
    fw::CFont font;
    CZELDrawCell cell;

    explicit CellFixture(fw::CRect rect = fw::CRect(0, 0, 100, 24), bool printing = false)
        : sink(1920, 1080, 96, printing)
    {
        CZELPaneStyle pane;
        cell.m_format = pane.m_format;
        font.CreatePointFontIndirect(cell.m_format.lf);
        dc.SelectObject(&font);
        cell.m_pDC = &dc;
        cell.m_rcCell = rect;
        cell.m_rcText = fw::CRect(rect.left + 1, rect.top + 1, rect.right, rect.bottom);
    }
};

bool Contains(const std::string& line, const std::string& part)
{
    return line.find(part) != std::string::npos;
}

TEST(DrawCell, RaisedFontIsNineTenthsInSinglePrecision)
{
    EXPECT_EQ(SuperscriptHeight(100), 89);
    EXPECT_EQ(SuperscriptHeight(120), 107);
    EXPECT_EQ(SuperscriptRaise(16), 3);
    const auto pieces = SplitSuperscript("\\superx\\super");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], "");
    EXPECT_EQ(pieces[1], "x");
}

TEST(DrawCell, SuperscriptMarkupDrawsRaisedSmallerPieces)
{
    CellFixture f;
    f.cell.DrawText("N/mm\\super2\\super");
    const auto& log = f.sink.Log();
    ASSERT_EQ(log.size(), 4u) << ::testing::PrintToString(log);
    // The background first, then N/mm in the 12-point font (16 pixels) at
    // the rectangle's left edge, 2 in 10.7 points raised by a fifth of 16,
    // then the empty normal piece back on the line.
    EXPECT_TRUE(Contains(log[0], "text 1,1 \"\"") && Contains(log[0], "opaque=1,1,100,24")) << log[0];
    EXPECT_TRUE(Contains(log[1], "text 1,1 \"N/mm\" top|left") && Contains(log[1], "/-16")) << log[1];
    EXPECT_FALSE(Contains(log[1], "opaque=")) << log[1];
    EXPECT_TRUE(Contains(log[2], "text 33,-2 \"2\"") && Contains(log[2], "/-14")) << log[2];
    EXPECT_TRUE(Contains(log[3], "text 40,1 \"\"") && Contains(log[3], "/-16")) << log[3];
}

TEST(DrawCell, RaisedPiecesUseNineTenthsOfTheCellFont)
{
    struct Case {
        int32_t height;
        const char* normal;
        const char* raised;
    } cases[] = {
        {100, "/-13", "/-12"},  // 10 points; raised 8.9 points
        {120, "/-16", "/-14"},  // 12 points; raised 10.7 points
    };
    for (const Case& c : cases) {
        CellFixture f;
        f.cell.m_format.lf.lfHeight = c.height;
        fw::CFont font;
        font.CreatePointFontIndirect(f.cell.m_format.lf);
        f.dc.SelectObject(&font);
        f.cell.DrawText("x\\supery");
        const auto& log = f.sink.Log();
        ASSERT_EQ(log.size(), 3u) << c.height;
        EXPECT_TRUE(Contains(log[1], c.normal)) << log[1];
        EXPECT_TRUE(Contains(log[2], c.raised)) << log[2];
    }
}

TEST(DrawCell, PlainTextStartsOnePixelIn)
{
    CellFixture f;
    f.cell.DrawText("abc");
    ASSERT_EQ(f.sink.Log().size(), 1u);
    EXPECT_TRUE(Contains(f.sink.Log()[0], "text 2,1 \"abc\" top|left")) << f.sink.Log()[0];
    EXPECT_TRUE(Contains(f.sink.Log()[0], "opaque=1,1,100,24 cut=1,1,100,24")) << f.sink.Log()[0];
}

TEST(DrawCell, MarkerAroundTheMiddleReturnsToTheBaseline)
{
    CellFixture f;
    f.cell.DrawText("a\\superb\\superc");
    const auto& log = f.sink.Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_TRUE(Contains(log[1], "text 1,1 \"a\"")) << log[1];
    EXPECT_TRUE(Contains(log[2], "\"b\"") && Contains(log[2], ",-2 ")) << log[2];
    EXPECT_TRUE(Contains(log[3], "\"c\"") && Contains(log[3], ",1 \"c\"")) << log[3];
}

struct AlignCase {
    const char* name;
    uint32_t align;
    const char* expected;
};

TEST(DrawCell, AlignmentPlacesPlainText)
{
    const AlignCase cases[] = {
        {"left top", 0x11, "text 2,1 \"ab\" top|left"},
        {"centre middle", 0x22, "text 50,4 \"ab\" top|center"},
        {"right bottom", 0x33, "text 99,24 \"ab\" bottom|right"},
    };
    for (const AlignCase& c : cases) {
        CellFixture f;
        f.cell.m_format.nAlign = c.align;
        f.cell.DrawText("ab");
        ASSERT_FALSE(f.sink.Log().empty());
        EXPECT_TRUE(Contains(f.sink.Log()[0], c.expected)) << c.name << ": " << f.sink.Log()[0];
    }
}

TEST(DrawCell, ThreeLinesCentredInTwoStartHalfALineAbove)
{
    CellFixture f(fw::CRect(0, 0, 100, 33));
    f.cell.m_format.nFlags |= kCellMultiLine;
    f.cell.m_format.nAlign = 0x21;
    f.cell.DrawText("a\nb\nc");
    const auto& log = f.sink.Log();
    ASSERT_EQ(log.size(), 4u);
    // Text area 32 high, lines 16: the first line starts at 1 + (32 - 48) / 2.
    EXPECT_TRUE(Contains(log[1], "\"a\"") && Contains(log[1], "cut=1,1,100,33")) << log[1];
    EXPECT_TRUE(Contains(log[1], "text 2,-7 ")) << log[1];
    EXPECT_TRUE(Contains(log[3], "text 2,25 \"c\"")) << log[3];
}

TEST(DrawCell, OneLineOfAMultiLineCellFillsItsBoxAsItIsDrawn)
{
    CellFixture f(fw::CRect(0, 0, 100, 33));
    f.cell.m_format.nFlags |= kCellMultiLine;
    f.cell.m_format.nAlign = 0x23;
    f.cell.DrawText("12.5");
    const auto& log = f.sink.Log();
    ASSERT_EQ(log.size(), 1u) << ::testing::PrintToString(log);
    // Centred as a line of 16 in the 32 of the text area, at the right edge.
    EXPECT_TRUE(Contains(log[0], "text 99,9 \"12.5\" top|right")) << log[0];
    EXPECT_TRUE(Contains(log[0], "opaque=1,1,100,33") && Contains(log[0], "cut=1,1,100,33")) << log[0];
}

TEST(DrawCell, CurrentCellShowsDropButtonUnlessNarrowOrPrinting)
{
    struct Case {
        const char* name;
        fw::CRect rect;
        bool printing;
        bool button;
    } cases[] = {
        {"wide", fw::CRect(0, 0, 60, 24), false, true},
        {"narrow", fw::CRect(0, 0, 10, 24), false, false},
        {"printer", fw::CRect(0, 0, 60, 24), true, false},
    };
    for (const Case& c : cases) {
        CellFixture f(c.rect, c.printing);
        f.cell.m_nState = kCellCurrentFocused;
        f.cell.m_format.nFlags |= kCellDropButton;
        f.cell.DrawText("x");
        bool button = false;
        for (const std::string& line : f.sink.Log())
            button = button || line.rfind("polygon", 0) == 0;
        EXPECT_EQ(button, c.button) << c.name;
        EXPECT_EQ(f.cell.m_rcKeep, fw::CRect(2, 2, c.rect.right - 1, 23)) << c.name;
    }
}

TEST(DrawCell, PerCellFormatOverridesColourAndAlignment)
{
    CellFixture f;
    CellFormat own = f.cell.m_format;
    own.nFlags = kCellUseTextColor | kCellFillBack | kCellUseAlign;
    own.bSysTextColor = 0;
    own.crText = 0x0000FF;
    own.crBack = 0x00FF00;
    own.nAlign = 0x13;
    f.dc.SetBkMode(fw::OPAQUE);
    f.cell.DrawText("ab", &own);
    ASSERT_EQ(f.sink.Log().size(), 1u);
    const std::string& line = f.sink.Log()[0];
    EXPECT_TRUE(Contains(line, "text 99,1 \"ab\" top|right #FF0000")) << line;
    EXPECT_TRUE(Contains(line, "bk=#00FF00")) << line;
    EXPECT_EQ(f.dc.GetTextColor(), 0u);
}

} // namespace
