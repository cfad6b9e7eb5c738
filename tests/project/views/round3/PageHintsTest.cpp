// What the update hints do to the input-channel and calculated-channel
// pages: hint 27 brings a channel's row into view with the named columns
// selected, hint 53 follows the high-pass display, hint 16 lets the window
// leave a page the new units no longer allow.

#include "tests/project/views/ProjectWindowFixture.h"

#include "grid/model/GridArray.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "project/model/UpdateShowChannel.h"
#include "project/views/pages/PrjExChView.h"

namespace prjview {
namespace {

class PageHintsTest : public ProjectWindowFixture {
protected:
    void Open()
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        page = ChannelPage(doc);
        ASSERT_NE(page, nullptr);
        grid = page->GetGrid();
    }
    void Select(int top, int col, int bottom, int right)
    {
        grid->SetSelection({top, col, bottom, right}, {top, col}, {top, col}, false);
    }
    void ShowChannel(int channel, int first, int last)
    {
        CUpdateShowChannel show(doc, channel, first, last);
        doc->UpdateAllViews(nullptr, kHintShowChannel, &show);
    }
    static std::string Text(const CCellRange& r)
    {
        return std::to_string(r.top) + "," + std::to_string(r.left) + "-" + std::to_string(r.bottom) + "," +
               std::to_string(r.right);
    }

    CKIV5980Doc* doc = nullptr;
    CPrjChView* page = nullptr;
    CZELViewGrid* grid = nullptr;
};

TEST_F(PageHintsTest, Hint27SelectsTheChannelsColumnsOnTheInputPage)
{
    Open();
    const int rows = grid->GetSheetPane()->RowCount();
    ASSERT_GT(rows, 5);
    struct Case {
        const char* name;
        int channel, first, last;
        const char* selection;  // after the hint, from a selection of 1,1-1,1
    } cases[] = {
        {"a channel and its range columns", 5, 2, 4, "5,2-5,4"},
        {"the last channel", rows - 1, 0, 0, nullptr},
        {"past the last channel", rows, 0, 1, "1,1-1,1"},
        {"a calculated channel", 500, 0, 1, "1,1-1,1"},
        {"columns the page lacks", 2, 17, 18, "1,1-1,1"},
        {"columns reversed", 2, 4, 2, "1,1-1,1"},
        {"a negative channel", -1, 0, 1, "1,1-1,1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Select(1, 1, 1, 1);
        ShowChannel(c.channel, c.first, c.last);
        const std::string expected = c.selection ? c.selection
                                                 : std::to_string(rows - 1) + ",0-" + std::to_string(rows - 1) + ",0";
        EXPECT_EQ(Text(grid->GetSelection()), expected);
    }
    ShowChannel(3, 5, 6);
    EXPECT_EQ(grid->GetStyleCurrentCell().row, 3);
    EXPECT_EQ(grid->GetStyleCurrentCell().col, 5) << "the first named column is current";
    EXPECT_EQ(page->ColumnCode(grid->GetStyleCurrentCell().col), 34) << "the filter characteristic of channel 4";
}

TEST_F(PageHintsTest, Hint27WithACalculatedChannelSelectsItsRowOnTheCalculationPage)
{
    Open();
    FrameOf(doc)->OnPageCommand(prjcmd::kPageCalc);
    auto* calc = dynamic_cast<CPrjExChView*>(FrameOf(doc)->GetActiveView());
    ASSERT_NE(calc, nullptr);
    CZELViewGrid* calcGrid = calc->GetGrid();
    calcGrid->SetSelection({0, 0, 0, 0}, {0, 0}, {0, 0}, false);
    Select(1, 1, 1, 1);
    ShowChannel(503, 1, 2);
    EXPECT_EQ(Text(calcGrid->GetSelection()), "3,1-3,2");
    EXPECT_EQ(Text(grid->GetSelection()), "1,1-1,1") << "the input page has no row 503";
    ShowChannel(3, 0, 0);
    EXPECT_EQ(Text(calcGrid->GetSelection()), "3,1-3,2") << "an input channel leaves the calculation page";
    EXPECT_EQ(Text(grid->GetSelection()), "3,0-3,0");
}

TEST_F(PageHintsTest, Hint53FollowsTheHighPassDisplayAndDropsTheUndoRecord)
{
    Open();
    CZELGridStyle* style = grid->GetStyle();
    ASSERT_EQ(style->GetPane(kPaneSheet).m_nCols, 18);
    // An edit leaves an undo record that the new layout cannot replay.
    Select(0, 1, 0, 1);
    grid->RecordUndo(grid->GetSheetPane(), kChangeEdit, nullptr);
    ASSERT_TRUE(page->CanUndo());
    projectHost.highPass = false;
    doc->UpdateAllViews(nullptr, 53);
    EXPECT_EQ(page->GetLayoutMode(), 1);
    EXPECT_EQ(style->GetPane(kPaneSheet).m_nCols, 16);
    EXPECT_EQ(page->ColumnCode(11), 25) << "the unit column moves left";
    EXPECT_FALSE(page->CanUndo());
    projectHost.highPass = true;
    doc->UpdateAllViews(nullptr, 53);
    EXPECT_EQ(page->GetLayoutMode(), 0);
    EXPECT_EQ(style->GetPane(kPaneSheet).m_nCols, 18);
    EXPECT_EQ(page->ColumnCode(6), 49);
    EXPECT_EQ(style->GetColumnWidths()->GetAt(6), 56) << "the high-pass column comes back 56 wide";
}

TEST_F(PageHintsTest, Hint16LeavesTheOutputPageWhenTheOutputUnitsAreGone)
{
    Open();
    CProjectFrame* frame = FrameOf(doc);
    ASSERT_TRUE(frame->HasOutputUnits());
    frame->OnPageCommand(prjcmd::kPageOutput);
    ASSERT_EQ(frame->VisiblePage(), frame->PageWindow(prjcmd::kPageOutput));
    CMeterInterfacePrf profile = doc->GetBoxArray().GetProfile();
    for (int meter = 0; meter < profile.GetCount(); ++meter)
        for (int port = 0; port < CKivUnitTypes::kPorts; ++port)
            if (profile.m_unitTypes[static_cast<size_t>(meter)].GetAt(port) == CKivUnitTypes::kOutputUnit)
                profile.m_unitTypes[static_cast<size_t>(meter)].SetAt(port, 1);
    doc->ApplyMeterSettings(profile);
    EXPECT_FALSE(frame->HasOutputUnits());
    EXPECT_EQ(frame->GetLastPage(prjcmd::kGroupChannel), prjcmd::kPageInput);
    EXPECT_EQ(frame->VisiblePage(), frame->PageWindow(prjcmd::kPageInput));
    EXPECT_EQ(grid->GetSheetPane()->RowCount(), doc->GetBoxArray().GetMeasuringCount())
        << "the input page shows the new channels";
}

} // namespace
} // namespace prjview
