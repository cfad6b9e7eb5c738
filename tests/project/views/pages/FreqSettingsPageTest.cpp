// The frequency-number and program-measurement pages: cells are the
// measuring system's attributes, the operation decides what the clock
// column takes, and the program's seconds stay fixed.

#include "tests/project/views/ProjectWindowFixture.h"

#include "instrument/system/BoxPropaty.h"
#include "project/views/pages/PrjHistSetView.h"

namespace prjview {
namespace {

class FreqSettingsPageTest : public ProjectWindowFixture {
protected:
    template <class Page> Page* Open(unsigned id)
    {
        doc = NewProject();
        if (!doc)
            return nullptr;
        FrameOf(doc)->OnPageCommand(id);
        return dynamic_cast<Page*>(FrameOf(doc)->GetActiveView());
    }
    template <class Page> void Select(Page* page, int top, int left, int bottom, int right)
    {
        page->GetGrid()->SetSelection({top, left, bottom, right}, {top, left}, {top, left}, false);
    }
    CKIV5980Doc* doc = nullptr;
};

TEST_F(FreqSettingsPageTest, OperationsAreSetOverTheSelectionAndDecideTheClockColumn)
{
    auto* page = Open<CPrjHistSetView>(prjcmd::kPageFreqNo);
    ASSERT_NE(page, nullptr);
    fw::CString text;
    ASSERT_TRUE(page->GetColumnHeaderText(text, 4, 0, 1));
    EXPECT_EQ(text.str(), "ｻﾝﾌﾟﾘﾝｸﾞ/\nｸﾛｽﾚﾍﾞﾙ");
    Select(page, 0, 1, 1, 1);
    const int stops = projectHost.stops;
    FrameOf(doc)->ExecuteCommand(CPrjHistSetView::kIdOperationFirst + 4);
    EXPECT_GT(projectHost.stops, stops);
    CBoxArray& system = doc->GetBoxArray();
    const bool timeAllowed = system.IsChannelValueAllowed(0, 106, 4);
    if (timeAllowed) {
        EXPECT_EQ(system.GetChannelValue(0, 106), 4);
        EXPECT_EQ(system.GetChannelValue(1, 106), 4);
        fw::CCmdUI ui(CPrjHistSetView::kIdOperationFirst + 4);
        page->OnCmdMsg(ui.m_nID, fw::CN_UPDATE_COMMAND_UI, &ui);
        EXPECT_EQ(ui.m_nCheck, 1);
        page->Undo();
        EXPECT_NE(system.GetChannelValue(0, 106), 4);
    }
    // The clock commands need column 4 in the selection.
    fw::CCmdUI clock(CPrjHistSetView::kIdClockFirst);
    page->OnCmdMsg(clock.m_nID, fw::CN_UPDATE_COMMAND_UI, &clock);
    EXPECT_FALSE(clock.m_bEnabled);
    // While the panel measures nothing is edited.
    projectHost.measuring = true;
    EXPECT_FALSE(page->CanEditCell(0, 6));
    page->OnCmdMsg(CPrjHistSetView::kIdOperationFirst + 1, fw::CN_UPDATE_COMMAND_UI, &clock);
    EXPECT_FALSE(clock.m_bEnabled);
}

TEST_F(FreqSettingsPageTest, ProgramPageRowsAreControlUnitsWithFixedSeconds)
{
    auto* page = Open<CPrjHistProgView>(prjcmd::kPageProgram);
    ASSERT_NE(page, nullptr);
    fw::CString text;
    ASSERT_TRUE(page->GetRowHeaderText(text, 0, 0, 1));
    EXPECT_EQ(text, doc->GetBoxArray().GetBox(0)->GetName());
    EXPECT_FALSE(page->GetRowHeaderText(text, 0, doc->GetBoxArray().GetBoxCount(), 1));
    page->GetColumnHeaderText(text, 10, 1, 0);
    EXPECT_EQ(text.str(), "") << "the count's caption spans both rows";
    page->GetColumnHeaderText(text, 7, 0, 1);
    EXPECT_EQ(text.str(), "休止時間");
    EXPECT_FALSE(page->m_bRowHeaderInText);
    ASSERT_TRUE(page->SetSheetText(0, 1, "15", 1));
    page->GetSheetText(text, 1, 0, 1);
    EXPECT_EQ(text.str(), "15");
}

} // namespace
} // namespace prjview
