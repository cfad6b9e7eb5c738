// The measurement-history page: its columns come from the history, empty
// values stay empty, and its commands work on the selected steps only.

#include "tests/project/views/pages/HistoryPageFixture.h"

#include "project/views/pages/PrjHistoryView.h"

namespace prjview {
namespace {

class HistoryPageTest : public HistoryPageFixture {
protected:
    void Open(int steps, const std::vector<std::string>& files)
    {
        MakeHistory(steps, files);
        page = Show<CPrjHistoryView>(prjcmd::kPageHistory);
        ASSERT_NE(page, nullptr);
    }
    std::string Cell(int col, int row)
    {
        fw::CString text;
        page->GetSheetText(text, col, row, 1);
        return text.str();
    }
    CPrjHistoryView* page = nullptr;
};

TEST_F(HistoryPageTest, RowsShowTheStepsAndLeaveNoValuesEmpty)
{
    Open(3, {"D1", "", "D3"});
    fw::CString text;
    ASSERT_TRUE(page->GetTagText(text, 0, 0, 1));
    EXPECT_EQ(text.str(), "ステップ");
    ASSERT_TRUE(page->GetColumnHeaderText(text, 0, 0, 1));
    EXPECT_EQ(text.str(), "ファイル名");
    ASSERT_TRUE(page->GetColumnHeaderText(text, 2, 0, 1));
    EXPECT_EQ(text.str(), "計測日時");
    ASSERT_TRUE(page->GetColumnHeaderText(text, 7, 0, 1));
    EXPECT_EQ(text.str(), "サイクル数");

    struct Row {
        const char* what;
        int col, row;
        const char* expected;
    } rows[] = {
        {"data file", 0, 0, "D1"},
        {"no data file", 0, 1, ""},
        {"card file", 1, 2, "CF2"},
        {"time", 2, 2, "2024/05/03 10:20:30"},
        {"title", 4, 0, "試験1"},
        {"duration", 5, 0, "2.5"},
        {"duration unset", 5, 1, ""},
        {"unit", 6, 0, "秒間"},
        {"unit unset", 6, 1, ""},
        {"no cycle count", 7, 0, ""},
        {"cycle count", 7, 2, "1234"},
        {"past the last step", 0, 3, ""},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Cell(r.col, r.row), r.expected) << r.what;
    EXPECT_FALSE(page->CanEditCell(0, 7));
}

TEST_F(HistoryPageTest, DeleteNeedsWholeRowsWithAnUnsavedStep)
{
    Open(3, {"D1", "", "D3"});
    const int lastCol = page->GetGrid()->GetSheetPane()->ColumnCount() - 1;
    Select(page, 0, 0, 1, lastCol - 1);
    EXPECT_FALSE(Enabled(page, CPrjHistoryView::kIdDelete)) << "part of the rows";
    Select(page, 2, 0, 2, lastCol);
    EXPECT_FALSE(Enabled(page, CPrjHistoryView::kIdDelete)) << "every step saved";
    Select(page, 0, 0, 2, lastCol);
    EXPECT_TRUE(Enabled(page, CPrjHistoryView::kIdDelete));

    services.prompt.Expect(520, fw::IDNO);
    FrameOf(doc)->ExecuteCommand(CPrjHistoryView::kIdDelete);
    EXPECT_EQ(doc->GetHistory().GetLastIndex(), 2);
    services.prompt.Expect(520, fw::IDYES);
    FrameOf(doc)->ExecuteCommand(CPrjHistoryView::kIdDelete);
    ASSERT_EQ(doc->GetHistory().GetLastIndex(), 1);
    EXPECT_EQ(Cell(0, 1), "D3");
}

TEST_F(HistoryPageTest, ConversionSkipsStepsWithoutDataAndStopsAtTheLastStep)
{
    Open(3, {"D1", "", "D3"});
    Select(page, 5, 0, 9, 0);
    EXPECT_FALSE(Enabled(page, CPrjHistoryView::kIdConvert));
    Select(page, 0, 0, 40, 0);
    EXPECT_TRUE(Enabled(page, CPrjHistoryView::kIdConvert));
    FrameOf(doc)->ExecuteCommand(CPrjHistoryView::kIdConvert);
    EXPECT_EQ(fake.proposed, doc->GetDataFolder().str());
    const std::string folder = doc->GetDataFolder().str();
    EXPECT_EQ(fake.converted, (std::vector<std::string>{folder + "/D1/D1.kivd", folder + "/D3/D3.kivd"}));
    fake.converted.clear();
    fake.accept = false;
    FrameOf(doc)->ExecuteCommand(CPrjHistoryView::kIdConvert);
    EXPECT_TRUE(fake.converted.empty());
}

TEST_F(HistoryPageTest, AnEmptyHistoryDisablesTheDataFileCommands)
{
    Open(0, {});
    Select(page, 0, 0, 0, 0);
    EXPECT_FALSE(Enabled(page, CPrjHistoryView::kIdConvert));
    EXPECT_FALSE(Enabled(page, CPrjHistoryView::kIdShow));
    EXPECT_FALSE(Enabled(page, CProjectBaseView::kIdRenameDataFile));
    EXPECT_EQ(page->GetLastUsedRow(0, -1), -1);
}

} // namespace
} // namespace prjview

namespace prjview {
namespace {

TEST_F(HistoryPageTest, PrintingCoversThePagesOwnColumns)
{
    Open(3, {"D1", "", "D3"});
    AddChannel(0, "A", "V");
    AddChannel(1, "B", "V");
    AddChannel(2, "C", "V");
    // Nine channel columns in the history, but this page has its own few.
    EXPECT_EQ(page->PrintLastColumn(), page->GetGrid()->GetSheetPane()->ColumnCount() - 1);
    EXPECT_LT(page->PrintLastColumn(), 8);
}

} // namespace
} // namespace prjview
