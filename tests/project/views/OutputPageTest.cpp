// The voltage-output page: rows are the output channels after every input
// channel; channel commands assign consecutive input channels, signed
// commands the same number, all through the document.

#include "tests/project/views/ProjectWindowFixture.h"

#include "project/views/PrjAmpOutView.h"

namespace prjview {
namespace {

class OutputPageTest : public ProjectWindowFixture {
protected:
    void OpenPage()
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        CProjectFrame* frame = FrameOf(doc);
        ASSERT_NE(frame, nullptr);
        frame->OnPageCommand(prjcmd::kPageOutput);
        page = dynamic_cast<CPrjAmpOutView*>(frame->GetActiveView());
        ASSERT_NE(page, nullptr);
        system = &doc->GetBoxArray();
        ASSERT_GT(system->GetOutputCount(), 1);
        n = system->GetMeasuringCount();
    }
    void Select(int top, int left, int bottom, int right)
    {
        page->GetGrid()->SetSelection({top, left, bottom, right}, {top, left}, {top, left}, false);
    }

    CKIV5980Doc* doc = nullptr;
    CPrjAmpOutView* page = nullptr;
    CBoxArray* system = nullptr;
    int n = 0;
};

TEST_F(OutputPageTest, CellsAreTheOutputChannelsSettings)
{
    OpenPage();
    EXPECT_EQ(page->RowOffset(), n);
    for (int col = 0; col < 8; ++col) {
        fw::CString expected, shown;
        system->GetChannelDisplayText(CPrjAmpOutView::ColumnCode(col), n + 1, expected);
        ASSERT_TRUE(page->GetSheetText(shown, col, 1, 1));
        EXPECT_EQ(shown, expected) << col;
    }
    fw::CString text;
    EXPECT_FALSE(page->GetSheetText(text, 0, system->GetOutputCount(), 1));
    ASSERT_TRUE(page->GetColumnHeaderText(text, 6, 1, 0));
    EXPECT_EQ(text.str(), "定格出力\n(V)");
    ASSERT_TRUE(page->GetColumnHeaderText(text, 4, 1, 0));
    EXPECT_EQ(text.str(), "");
}

TEST_F(OutputPageTest, InputChannelCommandsNumberTheRowsOnAndUndo)
{
    OpenPage();
    Select(0, 0, 1, 0);
    const int stops = projectHost.stops;
    FrameOf(doc)->ExecuteCommand(CPrjAmpOutView::kIdOff + 2);
    EXPECT_EQ(system->GetChannelValue(n, 23), 2);
    EXPECT_EQ(system->GetChannelValue(n + 1, 23), 3);
    EXPECT_GT(projectHost.stops, stops);
    EXPECT_EQ(projectHost.stops, projectHost.restarts);
    // Subtracting channel 1 in IN2 and IN3: the same number in every row.
    Select(0, 1, 1, 2);
    FrameOf(doc)->ExecuteCommand(CPrjAmpOutView::kIdMinusFirst);
    for (int row = 0; row < 2; ++row)
        for (int code : {44, 45})
            EXPECT_EQ(system->GetChannelValue(n + row, code), -1) << row << " " << code;
    FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdUndo);
    EXPECT_NE(system->GetChannelValue(n, 44), -1);
    // While measuring nothing here is editable.
    projectHost.measuring = true;
    Select(0, 0, 1, 0);
    FrameOf(doc)->ExecuteCommand(CPrjAmpOutView::kIdOff + 5);
    EXPECT_EQ(system->GetChannelValue(n, 23), 2);
}

TEST_F(OutputPageTest, TypedSensitivityReachesTheOutputChannel)
{
    OpenPage();
    Select(0, 5, 0, 5);
    page->GetGrid()->RecordUndo(page->GetGrid()->GetSheetPane(), kChangeEdit, nullptr);
    ASSERT_TRUE(page->GetGrid()->SetSheetText(0, 5, "2000", 1));
    EXPECT_DOUBLE_EQ(system->GetChannelValue(n, 47), 2000);
    page->Undo();
    EXPECT_NE(system->GetChannelValue(n, 47), 2000);
}

} // namespace
} // namespace prjview
