// The recorded-file grids: texts from the lists, sizes that follow them,
// and the delete marks of the selection grids.

#include "measure/views/transfer/CFFileGrids.h"

#include "framework/core/testing/ServiceScope.h"

#include <gtest/gtest.h>

namespace {

CKiv406FileInfo File(const char* name, double interval, int samples, bool external = false)
{
    CKiv406FileInfo f;
    f.m_name = name;
    f.m_interval = interval;
    f.m_sampleCount = samples;
    f.m_clockKind = external ? CKiv406FileInfo::clockSamples : CKiv406FileInfo::clockInterval;
    f.m_firstSampleTime.SetDateTime(2024, 1, 2, 3, 4, 5);
    f.m_unitTypes.SetAt(0, 2);
    f.m_unitTypes.SetAt(1, 8);
    return f;
}

std::string Text(CZELGrid& grid, int pane, int col, int row)
{
    fw::CString text;
    switch (pane) {
    case kPaneCorner: grid.GetTagText(text, col, row, 0); break;
    case kPaneColumnHeader: grid.GetColumnHeaderText(text, col, row, 0); break;
    case kPaneRowHeader: grid.GetRowHeaderText(text, col, row, 0); break;
    default: grid.GetSheetText(text, col, row, 0); break;
    }
    return text.str();
}

CZELGridStyle::SheetSize SizeOf(CZELGrid& grid)
{
    CZELGridStyle::SheetSize size;
    grid.GetStyle()->GetSheetSize(size);
    return size;
}

class CFFileGridsTest : public ::testing::Test {
protected:
    fw::test::ServiceScope services;
    std::vector<CKiv406FileInfo> unit0{File("/card/A0001", 1.5, 1000), File("\\card\\A0002", 1, 20, true)};
    std::vector<CKiv406FileInfo> unit1{File("B0001", 2, 30)};
    std::vector<CKiv406FileInfo> empty;
    CCFFileGridBase::FileLists lists{&unit0, &unit1, &empty};
};

TEST_F(CFFileGridsTest, FoundFilesShowTimesClocksCountsAndPortModels)
{
    CCFFileInfoGrid grid;
    grid.SetFileLists(&lists);
    grid.Reset();
    EXPECT_EQ(SizeOf(grid).rows, 2);
    EXPECT_EQ(SizeOf(grid).cols, 13);
    EXPECT_EQ(Text(grid, kPaneColumnHeader, 0, 0), "計測日時");
    EXPECT_EQ(Text(grid, kPaneColumnHeader, 1, 0), "ｻﾝﾌﾟﾙｸﾛｯｸ(ミリ秒)");
    EXPECT_EQ(Text(grid, kPaneColumnHeader, 2, 0), "データ数");
    EXPECT_EQ(Text(grid, kPaneColumnHeader, 3, 0), "Port 1");
    EXPECT_EQ(Text(grid, kPaneRowHeader, 0, 1), "A0002");
    EXPECT_EQ(Text(grid, kPaneSheet, 0, 0), "24/01/02\n03:04:05");
    EXPECT_EQ(Text(grid, kPaneSheet, 1, 0), "1.5");
    EXPECT_EQ(Text(grid, kPaneSheet, 1, 1), "外部サンプル");
    EXPECT_EQ(Text(grid, kPaneSheet, 2, 0), "1000");
    // Without the unit-type table a port shows no model name.
    EXPECT_EQ(Text(grid, kPaneSheet, 3, 0), "");
    EXPECT_EQ(Text(grid, kPaneSheet, 0, 2), "");
    // A unit without files still shows one empty row.
    grid.SetUnit(2);
    grid.UpdateRowCount();
    EXPECT_EQ(SizeOf(grid).rows, 1);
    EXPECT_EQ(Text(grid, kPaneRowHeader, 0, 0), "");
    EXPECT_EQ(grid.GetLayout().m_sheet.m_format.nAlign, 0x22u);
    EXPECT_EQ(grid.GetLayout().m_sheet.m_format.lf.lfHeight, 90);
}

TEST_F(CFFileGridsTest, RegisteredGridsHaveAColumnPerUnitAndGrowWithTheLongestList)
{
    CCFGetFileInfoGrid grid;
    grid.SetFileLists(&lists);
    grid.Refresh();
    EXPECT_EQ(SizeOf(grid).rows, 2);
    EXPECT_EQ(SizeOf(grid).cols, 3);
    EXPECT_EQ(Text(grid, kPaneColumnHeader, 1, 0), "KIV-406(2)");
    EXPECT_EQ(Text(grid, kPaneRowHeader, 0, 1), "2");
    EXPECT_EQ(Text(grid, kPaneSheet, 0, 0), "A0001\n1.5\n1000");
    EXPECT_EQ(Text(grid, kPaneSheet, 0, 1), "A0002\n外部サンプル\n20");
    EXPECT_EQ(Text(grid, kPaneSheet, 1, 1), "");
    unit1.push_back(File("B0002", 2, 1));
    unit1.push_back(File("B0003", 2, 1));
    grid.ResizeToFileLists();
    EXPECT_EQ(SizeOf(grid).rows, 3);

    CCFGetHistFileInfoGrid hist;
    hist.SetFileLists(&lists);
    hist.Refresh();
    EXPECT_EQ(Text(hist, kPaneSheet, 1, 0), "B0001\n24/01/02\n03:04:05");
    CCFGetVoiceFileInfoGrid voice;
    voice.SetFileLists(&lists);
    voice.Refresh();
    EXPECT_EQ(Text(voice, kPaneSheet, 0, 1), "A0002\n24/01/02\n03:04:05");
}

TEST_F(CFFileGridsTest, SelectionMarksToggleAndTellTheOwner)
{
    CCFFileSelGrid grid;
    grid.SetFileLists(&lists);
    grid.CreateMarkArrays(3);
    grid.Reset();
    // Every list has a mark array, at least one entry long.
    ASSERT_EQ(grid.GetMarks().size(), 3u);
    EXPECT_EQ(grid.GetMarks()[2].size(), 1u);
    EXPECT_EQ(Text(grid, kPaneCorner, 0, 0), "CFファイル名");
    EXPECT_EQ(Text(grid, kPaneColumnHeader, 0, 0), "削除");
    EXPECT_EQ(Text(grid, kPaneRowHeader, 1, 0), "24/01/02 03:04:05");
    EXPECT_EQ(Text(grid, kPaneRowHeader, 3, 0), "1000");
    int changes = 0;
    grid.SetOnMarksChanged([&] { ++changes; });
    EXPECT_EQ(Text(grid, kPaneSheet, 0, 1), "しない");
    grid.OnSheetDoubleClick(1, 0, 0, {});
    EXPECT_EQ(Text(grid, kPaneSheet, 0, 1), "する");
    EXPECT_TRUE(grid.HasAnyMark());
    EXPECT_EQ(changes, 1);
    CellFormat format;
    grid.GetSheetCellFormat(format, 0, 1);
    EXPECT_TRUE(format.nFlags & kCellUseTextColor);
    grid.OnSheetDoubleClick(1, 0, 0, {});
    EXPECT_FALSE(grid.HasAnyMark());
    // A row beyond the list has nothing to mark.
    grid.OnSheetDoubleClick(5, 0, 0, {});
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(Text(grid, kPaneSheet, 0, 5), "");
}

} // namespace
