// Size arrays and the style operations that change counts and sizes.

#include "framework/core/Exceptions.h"
#include "grid/model/GridArray.h"
#include "grid/model/GridStyle.h"
#include "grid/model/GridStyleClient.h"

#include <gtest/gtest.h>

namespace {

TEST(GridArray, RealArrayKeepsOneClampedSizePerLine)
{
    CZELGridRealArray a;
    a.SetSize(3);
    a.SetAt(0, 70000);
    a.SetAt(1, -5);
    a.SetAt(2, 20);
    EXPECT_EQ(a.GetAt(0), 65535);
    EXPECT_EQ(a.GetAt(1), 0);
    EXPECT_EQ(a.GetTotal(0, 3), 65555);
    a.InsertAt(1, 7, 2);
    EXPECT_EQ(a.GetSize(), 5);
    EXPECT_EQ(a.GetAt(2), 7);
    a.RemoveAt(0, 3);
    EXPECT_EQ(a.GetSize(), 2);
    EXPECT_EQ(a.GetAt(0), 0);
    a.RemoveAt(1, 100); // a run past the end removes what is there
    EXPECT_EQ(a.GetSize(), 1);
    EXPECT_THROW(a.GetAt(1), fw::CInvalidArgException);
    EXPECT_THROW(a.GetAt(-1), fw::CInvalidArgException);
    EXPECT_THROW(a.SetAt(5, 1), fw::CInvalidArgException);
    a.SetAtGrow(4, 9);
    EXPECT_EQ(a.GetSize(), 5);
    EXPECT_EQ(a.GetAt(4), 9);
}

TEST(GridArray, SameArraySharesOneSize)
{
    CZELGridSameArray a(24, 10);
    EXPECT_EQ(a.GetAt(123456), 24);
    EXPECT_EQ(a.GetAt(-1), 24);
    EXPECT_EQ(a.GetTotal(3, 4), 96);
    a.InsertAt(20, 30, 2); // beyond the end: count becomes index + n
    EXPECT_EQ(a.GetSize(), 22);
    EXPECT_EQ(a.GetAt(0), 30);
    a.InsertAt(0, 30, 3);
    EXPECT_EQ(a.GetSize(), 25);
    a.RemoveAt(0, 100);
    EXPECT_EQ(a.GetSize(), 0);
}

TEST(GridStyle, NegativeDefaultGivesOneSizeForAllRows)
{
    CZELGridStyle style;
    style.SetDimensions(1, 1, 1, 1, 3, 10);
    style.SetDefaultSizes(50, 16, 50, -16, 64, -24);
    style.ApplySizes();
    ASSERT_TRUE(style.GetRowHeights()->IsKindOf(FW_RUNTIME_CLASS(CZELGridSameArray)));
    EXPECT_EQ(style.m_sheet.GetRowHeight(9), 24);
    style.SetRowHeights(5, 30, 1);
    EXPECT_EQ(style.m_sheet.GetRowHeight(0), 30);
    EXPECT_EQ(style.m_rowHeader.GetRowHeight(9), 30);
}

TEST(GridStyle, GrowingPerColumnWidthsKeepsOldWidths)
{
    CZELGridStyle style;
    style.SetDimensions(0, 0, 0, 1, 3, 1);
    style.SetDefaultSizes(0, 0, 0, -16, 64, -24);
    style.ApplySizes();
    ASSERT_TRUE(style.GetColumnWidths()->IsKindOf(FW_RUNTIME_CLASS(CZELGridRealArray)));
    style.SetColumnWidths(0, 10, 3);
    style.SetColumnCount(5);
    EXPECT_EQ(style.m_sheet.GetColumnWidth(2), 10);
    EXPECT_EQ(style.m_sheet.GetColumnWidth(3), 64);
    EXPECT_EQ(style.m_colHeader.GetColumnWidth(4), 64);
    EXPECT_EQ(style.m_colHeader.m_nCols, 5);
}

TEST(GridStyle, InsertColumnsWithDefaultWidthKeepsSharedWidth)
{
    CZELGridStyle style;
    style.SetDimensions(0, 0, 0, 1, 4, 1);
    style.SetDefaultSizes(0, 0, 0, -16, -64, -24);
    style.ApplySizes();
    style.InsertColumns(2, -1, 1);
    EXPECT_EQ(style.m_sheet.m_nCols, 5);
    EXPECT_EQ(style.m_colHeader.m_nCols, 5);
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(style.m_sheet.GetColumnWidth(c), 64);
    style.RemoveColumns(0, 2);
    EXPECT_EQ(style.m_sheet.m_nCols, 3);
    EXPECT_EQ(style.m_colHeader.m_nCols, 3);
}

TEST(GridStyle, EqualityIgnoresPaneLooks)
{
    CZELGridStyle a;
    CZELGridStyle b;
    for (CZELGridStyle* s : {&a, &b}) {
        s->SetDimensions(1, 1, 1, 1, 3, 3);
        s->SetDefaultSizes(50, 16, 50, -16, 64, -24);
        s->ApplySizes();
    }
    b.m_sheet.m_crBack = 0x123456;
    b.m_colHeader.m_bColResize = 0;
    EXPECT_TRUE(a.IsEqual(b));
    b.SetColumnWidths(2, 65, 1);
    EXPECT_TRUE(a.IsDifferent(b));
    EXPECT_TRUE(b.IsEqual(b));
}

TEST(GridStyle, ReadOnlyTogglesEveryPane)
{
    CZELGridStyle style;
    EXPECT_TRUE(style.ToggleReadOnly());
    EXPECT_TRUE(style.m_sheet.m_bReadOnly && style.m_corner.m_bReadOnly && style.m_colHeader.m_bReadOnly);
    EXPECT_FALSE(style.ToggleReadOnly());
}

// A grid that only remembers what the style told it.
struct FakeGrid : IGridStyleClient {
    CCellIndices current{0, 0};
    CCellRange selection{0, 0, 0, 0};
    CCellIndices end{0, 0};
    CCellIndices topLeft{0, 0};
    bool dropped = false;
    int redraws = 0;

    CCellIndices GetStyleCurrentCell() const override { return current; }
    CCellRange GetStyleSelection() const override { return selection; }
    void SetStyleSelection(const CCellRange& r, CCellIndices c, CCellIndices e) override
    {
        selection = r;
        current = c;
        end = e;
    }
    CCellIndices GetStyleTopLeft() const override { return topLeft; }
    void ScrollStyleTo(CCellIndices cell) override { topLeft = cell; }
    void DropStyle() override { dropped = true; }
    void RedrawStyleNow() override { ++redraws; }
};

CZELGridStyle* MakeTable(int cols, int rows)
{
    auto* style = new CZELGridStyle;
    style->SetDimensions(1, 1, 1, 1, cols, rows);
    style->SetDefaultSizes(50, 16, 50, -16, -64, -24);
    style->ApplySizes();
    return style;
}

TEST(GridStyle, ShrinkingColumnsScrollsAttachedGrids)
{
    std::unique_ptr<CZELGridStyle> style(MakeTable(20, 5));
    FakeGrid grid;
    grid.topLeft = {2, 10};
    grid.current = {3, 12};
    style->AttachGrid(&grid);
    style->AttachGrid(&grid);
    EXPECT_EQ(style->GetGrids().size(), 1u);
    style->SetColumnCount(4);
    EXPECT_EQ(grid.topLeft, (CCellIndices{2, 3}));
    EXPECT_EQ(grid.current, (CCellIndices{2, 3}));
    EXPECT_EQ(grid.selection, CCellRange::Cell({2, 3}));
    style->DetachGrid(&grid);
}

TEST(GridStyle, ShrinkingRowsKeepsSelectionInside)
{
    std::unique_ptr<CZELGridStyle> style(MakeTable(3, 50));
    FakeGrid grid;
    grid.current = {40, 1};
    grid.selection = {30, 0, 45, 2};
    grid.topLeft = {35, 0};
    style->AttachGrid(&grid);
    style->SetRowCount(10);
    EXPECT_EQ(grid.current, (CCellIndices{9, 1}));
    EXPECT_EQ(grid.selection, (CCellRange{9, 0, 9, 2}));
    EXPECT_EQ(grid.topLeft.row, 9);
    style->SetRowCount(0);
    EXPECT_EQ(grid.topLeft.row, -1);
    EXPECT_EQ(style->m_rowHeader.m_nRows, 0);
    style->RedrawGrids(nullptr);
    style->RedrawGrids(&grid);
    EXPECT_EQ(grid.redraws, 1);
    style.reset();
    EXPECT_TRUE(grid.dropped);
}

TEST(GridStyle, InsertAndRemoveColumnsMoveTheCurrentCell)
{
    std::unique_ptr<CZELGridStyle> style(MakeTable(6, 5));
    FakeGrid grid;
    grid.current = {1, 3};
    grid.selection = {0, 0, 4, 5};
    grid.topLeft = {0, 5};
    style->AttachGrid(&grid);
    style->InsertColumns(2, -1, 2);
    EXPECT_EQ(grid.current, (CCellIndices{1, 5}));
    EXPECT_EQ(grid.selection, CCellRange::Cell({1, 5}));
    style->RemoveColumns(0, 6);
    EXPECT_EQ(grid.current.col, 1);
    EXPECT_EQ(grid.topLeft.col, 1);
    style->DetachGrid(&grid);
}

TEST(GridStyle, SheetSizeIsColumnsThenRows)
{
    std::unique_ptr<CZELGridStyle> style(MakeTable(7, 9));
    CZELGridStyle::SheetSize size;
    style->GetSheetSize(size);
    EXPECT_EQ(size.cols, 7);
    EXPECT_EQ(size.rows, 9);
    EXPECT_THROW(style->GetPane(4), fw::CInvalidArgException);
}

} // namespace
