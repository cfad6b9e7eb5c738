// Copy, paste and fill through the owner's callbacks, and page-by-page printing.

#include "tests/grid/views/GridFixture.h"

#include "framework/core/AllocLimit.h"
#include "framework/core/Clipboard.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/core/PrintInfo.h"
#include "framework/core/RecordingSink.h"
#include "grid/views/GridClipboard.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

using gridtest::GridFixture;
using kivtest::ByteBuilder;
using kivtest::Bytes;

namespace {

class ClipboardScope {
public:
    ClipboardScope() { m_old = fw::InstallClipboard(&m_clipboard); }
    ~ClipboardScope() { fw::InstallClipboard(m_old); }
    fw::MemoryClipboard m_clipboard;

private:
    fw::IClipboard* m_old = nullptr;
};

TEST(GridTransfer, CopyWritesTabsAndLineEndsInCp932AndUtf8ForOthers)
{
    ClipboardScope clip;
    GridFixture f;
    f.grid.cells[{1, 1}] = "one";
    f.grid.cells[{1, 2}] = "二";
    f.grid.cells[{2, 2}] = "four";
    f.grid.SetSelection({1, 1, 2, 2}, {1, 1}, {2, 2}, false);
    ASSERT_TRUE(f.grid.CopyToClipboard());
    // The cell (2, 1) has no text: an empty field between its TABs.
    const Bytes expected =
        ByteBuilder().Text("one\t").U8(0x93).U8(0xF1).Text("\r\n").Text("\tfour\r\n");
    const auto bytes = clip.m_clipboard.GetData(kGridTextMime);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, expected) << kivtest::Hex(*bytes);
    EXPECT_EQ(clip.m_clipboard.GetText(), "one\t二\r\n\tfour\r\n");
}

TEST(GridTransfer, PasteRoundTripsWhatWasCopied)
{
    ClipboardScope clip;
    GridFixture f;
    f.grid.cells[{0, 0}] = "日本";
    f.grid.cells[{0, 1}] = "b";
    f.grid.SetSelection({0, 0, 0, 1}, {0, 0}, {0, 1}, false);
    ASSERT_TRUE(f.grid.CopyToClipboard());
    f.grid.SetSelection(CCellRange::Cell({5, 3}), {5, 3}, {5, 3}, false);
    ASSERT_TRUE(f.grid.PasteFromClipboard());
    EXPECT_EQ(f.grid.cells[std::make_pair(5, 3)], "日本");
    EXPECT_EQ(f.grid.cells[std::make_pair(5, 4)], "b");
    EXPECT_EQ(f.grid.stored.back(), "5,4=b/0");
    EXPECT_EQ(f.grid.undo.back(), kChangePaste);
    // Text from another program arrives as UTF-8 plain text.
    clip.m_clipboard.Clear();
    clip.m_clipboard.SetText("x\ty\r\n");
    f.grid.SetSelection(CCellRange::Cell({7, 0}), {7, 0}, {7, 0}, false);
    ASSERT_TRUE(f.grid.PasteFromClipboard());
    EXPECT_EQ(f.grid.cells[std::make_pair(7, 1)], "y");
}

struct FitCase {
    const char* name;
    CCellRange selection;
    CCellRange fitted;
};

TEST(GridTransfer, PasteFitsTheSelectionToTheBlock)
{
    const FitCase cases[] = {
        {"one cell grows", {2, 2, 2, 2}, {2, 2, 3, 4}},
        {"larger shrinks", {2, 2, 6, 6}, {2, 2, 3, 4}},
        {"narrower keeps its width", {2, 2, 6, 3}, {2, 2, 3, 3}},
        {"cut at the last column", {2, 8, 2, 8}, {2, 8, 3, 9}},
    };
    for (const FitCase& c : cases) {
        ClipboardScope clip;
        GridFixture f;
        clip.m_clipboard.SetText("a\tb\tc\r\nd\te\tf\r\n");
        f.grid.SetSelection(c.selection, {c.selection.top, c.selection.left}, {c.selection.top, c.selection.left},
                            false);
        ASSERT_TRUE(f.grid.PasteFromClipboard()) << c.name;
        EXPECT_EQ(f.grid.GetSelection(), c.fitted) << c.name;
        EXPECT_EQ(f.Sheet()->GetCurrentCell(), (CCellIndices{c.fitted.top, c.fitted.left})) << c.name;
        EXPECT_EQ(static_cast<int>(f.grid.stored.size()), c.fitted.Rows() * c.fitted.Cols()) << c.name;
    }
}

TEST(GridTransfer, EmptyBlocksAndMissingSelectionPasteNothing)
{
    ClipboardScope clip;
    GridFixture f;
    clip.m_clipboard.SetText("\r\nlater\r\n");
    EXPECT_FALSE(f.grid.PasteFromClipboard());
    EXPECT_TRUE(f.grid.stored.empty());
    clip.m_clipboard.SetText("a\r\n\r\nb\r\n");
    f.grid.SetSelection(CCellRange::Cell({0, 0}), {0, 0}, {0, 0}, false);
    ASSERT_TRUE(f.grid.PasteFromClipboard());
    EXPECT_EQ(f.grid.stored, std::vector<std::string>{"0,0=a/0"});
    f.grid.SetSelection(CCellRange{}, {0, 0}, {0, 0}, false);
    EXPECT_FALSE(f.grid.PasteFromClipboard());
    clip.m_clipboard.Clear();
    EXPECT_FALSE(f.grid.PasteFromClipboard());
    EXPECT_EQ(f.grid.stored.size(), 1u);
}

TEST(GridTransfer, CopyTooLargeToBuildFailsAndKeepsTheClipboard)
{
    ClipboardScope clip;
    GridFixture f(10, 2000);
    for (int r = 0; r < 2000; ++r)
        f.grid.cells[{r, 0}] = "0123456789";
    clip.m_clipboard.SetText("kept");
    f.grid.SetSelection({0, 0, 1999, 9}, {0, 0}, {1999, 9}, false);
    fw::AllocLimit::SetThreadCap(4096);
    const bool copied = f.grid.CopyToClipboard();
    fw::AllocLimit::SetThreadCap(0);
    EXPECT_FALSE(copied);
    EXPECT_EQ(clip.m_clipboard.GetText(), "kept");
}

TEST(GridTransfer, FillDownCopiesTheFirstRow)
{
    GridFixture f;
    f.grid.cells[{2, 1}] = "p";
    f.grid.cells[{2, 2}] = "q";
    f.grid.SetSelection({2, 1, 4, 2}, {2, 1}, {4, 2}, false);
    f.grid.FillDown();
    EXPECT_EQ(f.grid.cells[std::make_pair(4, 1)], "p");
    EXPECT_EQ(f.grid.cells[std::make_pair(3, 2)], "q");
    EXPECT_EQ(f.grid.stored.size(), 4u);
    f.grid.stored.clear();
    f.grid.SetSelection({2, 1, 2, 2}, {2, 1}, {2, 2}, false);
    f.grid.FillDown();
    EXPECT_TRUE(f.grid.stored.empty());
}

TEST(GridTransfer, PagesRunDownTheFirstBandFirst)
{
    GridFixture f(9, 40);
    fw::RecordingSink sink(800, 1000, 96, true);
    fw::CDC dc(&sink);
    // 50 + 3 columns of 64 wide, 20 + 20 rows of 20 high: 3 x 2 pages.
    const int pages = f.grid.BeginPrint(dc, fw::CRect(0, 0, 50 + 3 * 64, 20 + 20 * 20), false, INT32_MAX,
                                        INT32_MAX, false);
    ASSERT_EQ(pages, 6);
    EXPECT_EQ(f.grid.GetPages()[0], (CCellIndices{0, 0}));
    EXPECT_EQ(f.grid.GetPages()[1], (CCellIndices{20, 0}));
    EXPECT_EQ(f.grid.GetPages()[2], (CCellIndices{0, 3}));
    EXPECT_EQ(f.grid.GetPages()[3], (CCellIndices{20, 3}));
    EXPECT_EQ(f.grid.GetPages()[5], (CCellIndices{20, 6}));
    EXPECT_EQ(f.grid.BeginPrint(dc, fw::CRect(0, 0, 50 + 3 * 64, 20 + 20 * 20), false, INT32_MAX, INT32_MAX, true),
              6);
    EXPECT_EQ(f.grid.GetPages()[1], (CCellIndices{0, 3}));
    // A printed page repeats the headers and draws black lines on white.
    f.grid.cells[{20, 3}] = "cell";
    sink.Clear();
    fw::CPrintInfo info;
    info.m_nCurPage = 4;
    f.grid.BeginPrint(dc, fw::CRect(0, 0, 50 + 3 * 64, 20 + 20 * 20), false, INT32_MAX, INT32_MAX, false);
    f.grid.PrintPage(dc, info);
    bool text = false, header = false, blackLine = false;
    for (const std::string& line : sink.Log()) {
        text = text || line.find("\"cell\"") != std::string::npos;
        header = header || line.find("\"C3\"") != std::string::npos;
        blackLine = blackLine || (line.rfind("line", 0) == 0 && line.find("#000000") != std::string::npos);
    }
    EXPECT_TRUE(text);
    EXPECT_TRUE(header);
    EXPECT_TRUE(blackLine);
    info.m_nCurPage = 7;
    EXPECT_THROW(f.grid.PrintPage(dc, info), fw::CInvalidArgException);
    gridtest::GridFixture empty(3, 0);
    EXPECT_EQ(empty.grid.BeginPrint(dc, fw::CRect(0, 0, 500, 500), false, INT32_MAX, INT32_MAX, false), 0);
}

TEST(GridTransfer, RowTextsForExport)
{
    GridFixture f;
    f.grid.cells[{0, 0}] = "a";
    f.grid.cells[{0, 2}] = "c,d";
    fw::CString text;
    f.grid.AppendSheetLine(text, 0, ',', false, 0, 2);
    EXPECT_EQ(text, ",a,\"c,d\"");
    text.Empty();
    f.grid.AppendSheetLine(text, 0, '\t', true, 0, 2);
    EXPECT_EQ(text, "1\ta\tc,d");
}

} // namespace
