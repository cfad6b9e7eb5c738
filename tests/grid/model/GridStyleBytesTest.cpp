// The archive form of grid styles, checked byte for byte.

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "grid/model/GridArray.h"
#include "grid/model/GridClasses.h"
#include "grid/model/GridJob.h"
#include "grid/model/GridStyle.h"
#include "grid/model/PaneStyle.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <memory>

using kivtest::ByteBuilder;
using kivtest::Bytes;

namespace {

class GridStyleBytes : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterGridClasses(); }
};

// "ＭＳ Ｐゴシック" in CP932.
const Bytes kProportionalFace = {0x82, 0x6C, 0x82, 0x72, 0x20, 0x82, 0x6F, 0x83, 0x53,
                                 0x83, 0x56, 0x83, 0x62, 0x83, 0x4E};

struct PaneBytes {
    uint8_t sysColors = 0;
    uint8_t rowResize = 0;
    uint8_t colResize = 0;
    uint32_t selFlags = 0;
    uint32_t lineColor = 0;
    uint32_t back = 0xC0C0C0;
    int32_t rows = 0;
    int32_t cols = 0;
    uint32_t flags = 0x0FFFFFEF;
    uint8_t sysText = 0;
    uint32_t text = 9;
    uint32_t cellBack = 0xF0F0F0;
    uint32_t align = 0x11;
};

void AppendPane(ByteBuilder& b, const PaneBytes& p)
{
    b.U8(1).U8(1).U8(p.sysColors).U8(p.rowResize).U8(p.colResize).U8(1).U8(1);
    b.U32(p.selFlags).U32(p.lineColor).U32(p.lineColor).U32(p.back).I32(p.rows).I32(p.cols);
    b.U32(p.flags).U8(p.sysText).U32(p.text).U32(p.cellBack).U32(p.align);
    // LOGFONT: height 120, width, escapement, orientation, weight; then the
    // eight bytes; then the face.
    b.I32(120).I32(0).I32(0).I32(0).I32(0);
    b.U8(0).U8(0).U8(0).U8(128).U8(3).U8(1).U8(1).U8(0x32);
    b.U8(static_cast<uint8_t>(kProportionalFace.size())).Append(kProportionalFace);
}

PaneBytes CornerPane() { return {}; }
PaneBytes ColumnHeaderPane()
{
    PaneBytes p;
    p.colResize = 1;
    p.selFlags = 8;
    return p;
}
PaneBytes RowHeaderPane()
{
    PaneBytes p;
    p.rowResize = 1;
    p.selFlags = 4;
    return p;
}
PaneBytes SheetPane()
{
    PaneBytes p;
    p.sysColors = 1;
    p.selFlags = 16;
    p.lineColor = 0xC0C0C0;
    p.back = 0xFFFFFF;
    p.sysText = 1;
    return p;
}

Bytes DefaultStyleBytes(uint16_t schema)
{
    ByteBuilder b;
    b.NewClass("CZELGridStyle", schema);
    b.I32(0).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0x10003);
    for (int i = 0; i < 6; ++i)
        b.U16(0);
    AppendPane(b, CornerPane());
    AppendPane(b, ColumnHeaderPane());
    AppendPane(b, RowHeaderPane());
    AppendPane(b, SheetPane());
    return b;
}

// A table with every kind of array, class back-references and changed panes.
std::unique_ptr<CZELGridStyle> FullStyle()
{
    auto style = std::make_unique<CZELGridStyle>();
    style->SetMode(0x3);
    style->SetDimensions(1, 1, 1, 1, 3, 5);
    style->SetDefaultSizes(50, 16, 50, -16, 64, -24);
    style->ApplySizes();
    style->SetColumnWidths(1, 100, 1);
    style->m_sheet.m_bVertLines = 0;
    style->m_sheet.m_nSelFlags = 0x1C;
    style->m_sheet.m_format.nFlags = kCellMultiLine | kCellFillBack;
    style->m_sheet.m_format.nAlign = 0x23;
    style->m_sheet.m_format.lf.lfWeight = 700;
    style->m_sheet.m_format.lf.lfItalic = 1;
    style->SetModified(true); // not stored
    return style;
}

Bytes FullStyleBytes()
{
    ByteBuilder b;
    b.NewClass("CZELGridStyle", 1);
    b.I32(-24).I32(64).I32(50).I32(-16).I32(16).I32(50).I32(0x3);
    b.NewClass("CZELGridSameArray", 0).U16(24).I32(5);           // row heights: class 3, object 4
    b.NewClass("CZELGridRealArray", 0).Count(3).U16(64).U16(100).U16(64); // column widths: class 5, object 6
    b.U16(0x8005).Count(1).U16(16);                                // corner row heights
    b.U16(0x8005).Count(1).U16(50);                                // corner column widths
    b.U16(0x8003).U16(16).I32(1);                                  // column-header row heights
    b.U16(0x8005).Count(1).U16(50);                                // row-header column widths
    PaneBytes corner = CornerPane();
    corner.rows = corner.cols = 1;
    PaneBytes colHeader = ColumnHeaderPane();
    colHeader.rows = 1;
    colHeader.cols = 3;
    PaneBytes rowHeader = RowHeaderPane();
    rowHeader.rows = 5;
    rowHeader.cols = 1;
    AppendPane(b, corner);
    AppendPane(b, colHeader);
    AppendPane(b, rowHeader);
    ByteBuilder sheet;
    PaneBytes s = SheetPane();
    s.rows = 5;
    s.cols = 3;
    s.selFlags = 0x1C;
    s.flags = 0x14;
    s.align = 0x23;
    AppendPane(sheet, s);
    Bytes sheetBytes = sheet;
    sheetBytes[0] = 0;       // vertical lines off
    sheetBytes[48 + 16] = 0xBC; // weight 700
    sheetBytes[48 + 17] = 0x02;
    sheetBytes[68] = 1;       // italic
    b.Append(sheetBytes);
    return b;
}

std::unique_ptr<CZELGridStyle> Load(const Bytes& bytes)
{
    return std::unique_ptr<CZELGridStyle>(
        static_cast<CZELGridStyle*>(kivtest::LoadObject(bytes, FW_RUNTIME_CLASS(CZELGridStyle))));
}

TEST_F(GridStyleBytes, DefaultStyleStoresNullArraysAndFourPanes)
{
    CZELGridStyle style;
    const Bytes stored = kivtest::StoreObject(&style);
    const Bytes expected = DefaultStyleBytes(1);
    EXPECT_EQ(stored, expected) << kivtest::Hex(stored) << "\n" << kivtest::Hex(expected);
}

TEST_F(GridStyleBytes, DefaultStyleLoadsWithEmptySameArrays)
{
    auto style = Load(DefaultStyleBytes(1));
    ASSERT_TRUE(style);
    ASSERT_NE(style->GetRowHeights(), nullptr);
    EXPECT_TRUE(style->GetRowHeights()->IsKindOf(FW_RUNTIME_CLASS(CZELGridSameArray)));
    EXPECT_EQ(style->GetRowHeights()->GetSize(), 0);
    EXPECT_EQ(style->GetRowHeights()->GetAt(0), 0);
    EXPECT_EQ(style->m_sheet.m_pColWidths, style->GetColumnWidths());
    EXPECT_EQ(style->m_sheet.m_format.lf.GetFaceName(), "ＭＳ Ｐゴシック");
}

TEST_F(GridStyleBytes, StyleWithEveryFieldStoresItsArraysAndPanes)
{
    auto style = FullStyle();
    const Bytes stored = kivtest::StoreObject(style.get());
    const Bytes expected = FullStyleBytes();
    EXPECT_EQ(stored, expected) << kivtest::Hex(stored) << "\n" << kivtest::Hex(expected);
}

TEST_F(GridStyleBytes, StyleWithEveryFieldRoundTrips)
{
    auto style = FullStyle();
    auto loaded = Load(FullStyleBytes());
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(loaded->IsEqual(*style));
    EXPECT_EQ(loaded->m_sheet.GetColumnWidth(1), 100);
    EXPECT_EQ(loaded->m_sheet.GetRowHeight(4), 24);
    EXPECT_EQ(loaded->m_sheet.m_format, style->m_sheet.m_format);
    EXPECT_EQ(loaded->m_sheet.m_nSelFlags, 0x1Cu);
    EXPECT_FALSE(loaded->IsModified());
    EXPECT_EQ(kivtest::StoreObject(loaded.get()), FullStyleBytes());
}

TEST_F(GridStyleBytes, OlderSchemaLoads)
{
    auto style = Load(DefaultStyleBytes(0));
    ASSERT_TRUE(style);
    EXPECT_EQ(style->GetMode(), 0x10003);
}

TEST_F(GridStyleBytes, LoadReplacesArraysHeldBefore)
{
    auto style = FullStyle();
    const Bytes withTag = DefaultStyleBytes(1);
    const Bytes body(withTag.begin() + 2 + 2 + 2 + 13, withTag.end());
    kivtest::LoadBody(*style, body);
    EXPECT_TRUE(style->GetColumnWidths()->IsKindOf(FW_RUNTIME_CLASS(CZELGridSameArray)));
    EXPECT_EQ(style->m_sheet.m_nCols, 0);
    EXPECT_EQ(style->m_sheet.m_pColWidths, style->GetColumnWidths());
    EXPECT_EQ(style->m_colHeader.m_pColWidths, style->GetColumnWidths());
}

struct DamageCase {
    const char* name;
    Bytes bytes;
    int cause;
};

Bytes WithArrays(const Bytes& arrays, int32_t sheetRows, int32_t sheetRowDefault)
{
    ByteBuilder b;
    b.NewClass("CZELGridStyle", 1);
    b.I32(sheetRowDefault).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0x10003);
    b.Append(arrays);
    AppendPane(b, CornerPane());
    AppendPane(b, ColumnHeaderPane());
    PaneBytes rowHeader = RowHeaderPane();
    rowHeader.rows = sheetRows;
    AppendPane(b, rowHeader);
    PaneBytes sheet = SheetPane();
    sheet.rows = sheetRows;
    AppendPane(b, sheet);
    return b;
}

Bytes NullArrays(int n)
{
    ByteBuilder b;
    for (int i = 0; i < n; ++i)
        b.U16(0);
    return b;
}

TEST_F(GridStyleBytes, DamagedStylesAreArchiveErrors)
{
    Bytes truncated = DefaultStyleBytes(1);
    truncated.resize(truncated.size() - 18); // inside the last font record
    // A style where a size array belongs.
    Bytes wrongClass = WithArrays(ByteBuilder().NewClass("CZELGridStyle", 1).Get(), 0, 0);
    const DamageCase cases[] = {
        {"truncated", truncated, fw::CArchiveException::endOfFile},
        {"negative row count", WithArrays(NullArrays(6), -1, -24), fw::CArchiveException::genericException},
        {"per-line rows beyond the file", WithArrays(NullArrays(6), 0x7FFFFFFF, 24),
         fw::CArchiveException::genericException},
        {"array of another class", wrongClass, fw::CArchiveException::badClass},
    };
    for (const DamageCase& c : cases) {
        try {
            auto style = Load(c.bytes);
            ADD_FAILURE() << c.name << ": loaded";
        } catch (const fw::CArchiveException& e) {
            EXPECT_EQ(e.m_cause, c.cause) << c.name;
        }
    }
}

TEST_F(GridStyleBytes, ManySameSizedRowsCostNothingToLoad)
{
    auto style = Load(WithArrays(NullArrays(6), 50'000'000, -24));
    ASSERT_TRUE(style);
    EXPECT_EQ(style->GetRowHeights()->GetSize(), 50'000'000);
    EXPECT_EQ(style->m_sheet.GetRowHeight(49'999'999), 24);
}

TEST_F(GridStyleBytes, LongFaceNameIsCutAtACharacter)
{
    // A pane style whose face holds 16 double-byte characters (32 bytes).
    ByteBuilder b;
    PaneBytes p;
    AppendPane(b, p);
    Bytes bytes = b;
    bytes.resize(bytes.size() - kProportionalFace.size() - 1);
    bytes.push_back(32);
    for (int i = 0; i < 16; ++i) {
        bytes.push_back(0x82);
        bytes.push_back(0xA0);  // a hiragana
    }
    CZELPaneStyle pane;
    kivtest::LoadBody(pane, bytes);
    EXPECT_EQ(std::string(pane.m_format.lf.lfFaceName).size(), 30u);
    EXPECT_EQ(pane.m_format.lf.lfFaceName[31], 0);
}

TEST_F(GridStyleBytes, GridJobStoresColumnFirst)
{
    CGridJob job;
    job.m_current = {3, 7};
    job.m_end = {4, 8};
    job.m_selection = {1, 2, 5, 9};
    job.m_topLeft = {0, 6};
    const Bytes expected = ByteBuilder().I32(7).I32(3).I32(8).I32(4).I32(2).I32(1).I32(9).I32(5).I32(6).I32(0);
    EXPECT_EQ(kivtest::StoreBody(job), expected);
    CGridJob loaded;
    kivtest::LoadBody(loaded, expected);
    EXPECT_EQ(loaded.GetPosition(), job.GetPosition());
    EXPECT_EQ(CGridJob().GetPosition(), CGridPosition{});
}

TEST_F(GridStyleBytes, ReadGridStyleReadsNullAndStyle)
{
    const Bytes both = ByteBuilder().U16(0).Append(DefaultStyleBytes(1));
    kivtest::LoadBytes(both, [](fw::CArchive& ar) {
        CZELGridStyle* first = reinterpret_cast<CZELGridStyle*>(1);
        CZELGridStyle* second = nullptr;
        ReadGridStyle(ar, first);
        ReadGridStyle(ar, second);
        EXPECT_EQ(first, nullptr);
        ASSERT_NE(second, nullptr);
        delete second;
    });
}

} // namespace
