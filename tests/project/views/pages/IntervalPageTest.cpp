// The interval-measurement page: date, time and interval typed in parts
// with their ranges, the control word by menu, and rows inserted or
// deleted across the whole program so every step stays together.

#include "tests/project/views/ProjectWindowFixture.h"

#include "grid/views/GridPane.h"
#include "project/views/pages/PrjIntervalView.h"

namespace prjview {
namespace {

class IntervalPageTest : public ProjectWindowFixture {
protected:
    void Open()
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        FrameOf(doc)->OnPageCommand(prjcmd::kPageInterval);
        page = dynamic_cast<CPrjIntervalView*>(FrameOf(doc)->GetActiveView());
        ASSERT_NE(page, nullptr);
    }
    void Select(int top, int left, int bottom, int right)
    {
        page->GetGrid()->SetSelection({top, left, bottom, right}, {top, left}, {top, left}, false);
    }
    bool Type(int row, int col, const std::string& text)
    {
        return page->SetSheetText(row, col, fw::CString(text), 1);
    }
    std::string Cell(int row, int col)
    {
        fw::CString text;
        page->GetSheetText(text, col, row, 1);
        return text.str();
    }
    std::string Row(int row)
    {
        std::string out;
        for (int col = 0; col < CPrjIntervalView::kColumns; ++col)
            out += (col ? "|" : "") + Cell(row, col);
        return out;
    }
    void Run(unsigned id) { FrameOf(doc)->ExecuteCommand(id); }

    CKIV5980Doc* doc = nullptr;
    CPrjIntervalView* page = nullptr;
};

TEST_F(IntervalPageTest, PartsAreCheckedAndKeepTheOtherParts)
{
    Open();
    struct Case {
        const char* what;
        int col;
        const char* text;
        bool accepted;
    } cases[] = {
        {"year before 2001", 0, "2000", false},
        {"year", 0, "2025", true},
        {"month", 1, "4", true},
        {"day past a 30-day month", 2, "31", false},
        {"day", 2, "30", true},
        {"hour", 3, "13", true},
        {"hour out of range", 3, "24", false},
        {"second", 5, "5", true},
        {"not a number", 4, "x", false},
        {"interval hours", 6, "1000", true},
        {"interval hours too many", 6, "1001", false},
        {"interval minutes zero", 7, "0", false},
        {"interval minutes", 7, "59", true},
        {"interval seconds cleared", 8, "", true},
        {"control is chosen, not typed", 9, "GOTO", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Type(0, c.col, c.text), c.accepted) << c.what;
    EXPECT_EQ(Row(0), "2025|4|30|13|0|5|1000|59||GOTO|");
    EXPECT_EQ(page->ListColumn(4), 1);
    EXPECT_EQ(page->ListColumn(10), 6);
}

TEST_F(IntervalPageTest, RepeatIsHiddenAndLockedForEndlessSteps)
{
    Open();
    Select(0, 9, 1, 9);
    Run(CPrjIntervalView::kIdEndless);
    fw::CString text;
    EXPECT_FALSE(page->GetSheetEditText(0, CPrjIntervalView::kColRepeat, text));
    EXPECT_FALSE(page->GetSheetEditText(0, CPrjIntervalView::kColControl, text));
    Run(CPrjIntervalView::kIdRepeat);
    EXPECT_TRUE(Type(1, 10, "3"));
    EXPECT_EQ(Cell(1, 10), "3");
    EXPECT_EQ(Cell(1, 9), "繰り返し");
    page->Undo();
    EXPECT_EQ(Cell(1, 9), "無限回");
    EXPECT_EQ(Cell(1, 10), "");
}

TEST_F(IntervalPageTest, DeletingWithOnlyTheTimeSelectedRemovesWholeSteps)
{
    Open();
    for (int row = 0; row < 3; ++row) {
        ASSERT_TRUE(Type(row, 0, "2025"));
        ASSERT_TRUE(Type(row, 1, "1"));
        ASSERT_TRUE(Type(row, 2, std::to_string(row + 1)));
        ASSERT_TRUE(Type(row, 3, std::to_string(row + 10)));
        ASSERT_TRUE(Type(row, 7, std::to_string(row + 1)));
    }
    const std::string third = Row(2);
    Select(1, 3, 1, 5);
    Run(CPrjIntervalView::kIdDelete);
    EXPECT_EQ(Row(1), third) << "the step below moved up whole";
    page->Undo();
    EXPECT_EQ(Cell(1, 2), "2");
    EXPECT_EQ(Cell(1, 3), "11");
    EXPECT_EQ(Row(2), third);
    Select(0, 0, 0, 0);
    Run(CPrjIntervalView::kIdInsert);
    EXPECT_EQ(Row(0), "||||||||||");
    EXPECT_EQ(Cell(1, 3), "10");
}

} // namespace
} // namespace prjview
