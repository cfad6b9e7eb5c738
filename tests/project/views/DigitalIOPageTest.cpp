// The digital input/output page: eleven rows per unit found in the
// measuring system, each row a function entry of its unit; which cells are
// typed, chosen or fixed follows the row's input mode and threshold mode.

#include "tests/project/views/ProjectWindowFixture.h"

#include "framework/ui/Menu.h"
#include "grid/model/GridStyle.h"
#include "instrument/unit/KivUnit.h"
#include "project/views/Prj465View.h"
#include "project/views/ProjectMenus.h"
#include "tests/support/link/SystemTestSupport.h"

namespace prjview {
namespace {

class DigitalIOPageTest : public ProjectWindowFixture {
protected:
    void OpenPage()
    {
        // The unit sits in slot 3 of the second control unit only.
        projectHost.profile = systest::Profile({systest::Types({1, 2, 3}), systest::Types({1, 2, 7})});
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        frame = FrameOf(doc);
        ASSERT_NE(frame, nullptr);
        frame->OnPageCommand(prjcmd::kPageDigitalIO);
        page = dynamic_cast<CPrj465View*>(frame->GetActiveView());
        ASSERT_NE(page, nullptr);
    }
    void Select(int top, int col, int bottom, int right)
    {
        page->GetGrid()->SetSelection({top, col, bottom, right}, {top, col}, {top, col}, false);
    }
    fw::CString RowHeader(int row, int col)
    {
        fw::CString text;
        EXPECT_TRUE(page->GetRowHeaderText(text, col, row, 1));
        return text;
    }
    bool Typed(int row, int col)
    {
        fw::CString text;
        return page->GetSheetEditText(row, col, text);
    }
    // Chooses a menu item on a row as the menu under the cell does.
    void Choose(int row, int col, unsigned id)
    {
        Select(row, col, row, col);
        frame->ExecuteCommand(id);
    }

    CKIV5980Doc* doc = nullptr;
    CProjectFrame* frame = nullptr;
    CPrj465View* page = nullptr;
};

TEST_F(DigitalIOPageTest, OneUnitInTheSecondControlUnitGivesElevenRows)
{
    OpenPage();
    ASSERT_EQ(page->GetUnitCount(), 1);
    EXPECT_EQ(page->GetGrid()->GetStyle()->GetPane(kPaneSheet).m_nRows, 11);
    const int first = page->GetFirstChannels().at(0);
    EXPECT_EQ(static_cast<int>(doc->GetBoxArray().GetChannelValue(first, -2)), 7);
    EXPECT_EQ(doc->GetBoxArray().GetMapEntry(first).box, 1);
    EXPECT_EQ(page->GetBoxRows(), (std::vector<int16_t>{11}));
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(RowHeader(row, 0).str(), std::to_string(first + row + 1)) << row;
    for (int row = 7; row < 11; ++row) {
        EXPECT_EQ(RowHeader(row, 0).str(), std::to_string(first + 8)) << row;
        EXPECT_EQ(RowHeader(row, 3).str(), "8:" + std::to_string(row - 6));
    }
    EXPECT_EQ(RowHeader(2, 4).str(), "FREQ/PULSE3");
    EXPECT_EQ(RowHeader(6, 4).str(), "PULSE1(A)+2(B)+3(Z)");
    EXPECT_EQ(RowHeader(10, 4).str(), "DIGITAL IN4");
    fw::CString text;
    EXPECT_FALSE(page->GetSheetText(text, 0, 11, 1));
    // Cells are the unit's texts of the row's entry.
    for (int row : {0, 5, 9}) {
        fw::CString expected;
        page->GetRowUnit(row)->GetText(row, 37, expected);
        ASSERT_TRUE(page->GetSheetText(text, 0, row, 1));
        EXPECT_EQ(text, expected) << row;
    }
    EXPECT_THROW(page->GetRowUnit(11), fw::CInvalidArgException);
}

TEST_F(DigitalIOPageTest, RangeIsTypedOnlyForUnsignedCountsAndChosenOnPulseRows)
{
    OpenPage();
    Choose(4, 0, prjmenu::kId465InputFirst + 1);  // COUNT(Unsigned)
    ASSERT_EQ(page->GetRowUnit(4)->GetValue(4, 37), 101);
    EXPECT_TRUE(Typed(4, 1));
    Choose(4, 0, prjmenu::kId465InputFirst + 2);  // COUNT(Singed)
    EXPECT_FALSE(Typed(4, 1));
    EXPECT_FALSE(Typed(0, 1));
    EXPECT_FALSE(Typed(8, 1));
    // Pulse rows choose the range from the menu; the digital inputs do not.
    unsigned opened = 0;
    fw::CMenu::SetTrackHook([&](fw::CMenu&) -> unsigned {
        ++opened;
        return 0;
    });
    page->OnSheetDoubleClick(0, 1, 0, {});
    page->OnSheetDoubleClick(8, 1, 0, {});
    page->OnSheetDoubleClick(8, 0, 0, {});
    page->OnSheetDoubleClick(0, 3, 0, {});
    fw::CMenu::SetTrackHook(nullptr);
    EXPECT_EQ(opened, 2u);
}

TEST_F(DigitalIOPageTest, ThresholdLevelsAreTypedOnlyInFreeMode)
{
    OpenPage();
    Choose(1, 2, prjmenu::kId465LevelFirst);  // 任意
    ASSERT_EQ(page->GetRowUnit(1)->GetValue(1, 39), 0);
    EXPECT_TRUE(Typed(1, 3));
    EXPECT_TRUE(Typed(1, 4));
    Choose(1, 2, prjmenu::kId465LevelFirst + 4);  // TTL
    EXPECT_EQ(page->GetRowUnit(1)->GetValue(1, 39), 4);
    EXPECT_FALSE(Typed(1, 3));
    EXPECT_FALSE(Typed(5, 3));
}

TEST_F(DigitalIOPageTest, ChoiceOverSeveralRowsUndoesAsOneColumn)
{
    OpenPage();
    CKivUnit* unit = page->GetRowUnit(0);
    const double before0 = unit->GetValue(0, 37), before1 = unit->GetValue(1, 37);
    Select(0, 0, 1, 0);
    const int stops = projectHost.stops;
    frame->ExecuteCommand(prjmenu::kId465InputFirst + 1);
    EXPECT_EQ(unit->GetValue(0, 37), 101);
    EXPECT_EQ(unit->GetValue(1, 37), 101);
    EXPECT_GT(projectHost.stops, stops);
    EXPECT_EQ(projectHost.stops, projectHost.restarts);
    fw::CCmdUI ui(prjmenu::kId465InputFirst + 1);
    page->OnCmdMsg(ui.m_nID, fw::CN_UPDATE_COMMAND_UI, &ui);
    EXPECT_EQ(ui.m_nCheck, 1);
    frame->ExecuteCommand(CProjectBaseView::kIdUndo);
    EXPECT_EQ(unit->GetValue(0, 37), before0);
    EXPECT_EQ(unit->GetValue(1, 37), before1);
}

} // namespace
} // namespace prjview
