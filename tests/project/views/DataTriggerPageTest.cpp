// The data-trigger page: rows are the measuring channels, cells their
// trigger attributes; toggles, choice menus and typed levels reach the
// measuring system through the document, and a trigger measurement of the
// project locks every cell.

#include "tests/project/views/ProjectWindowFixture.h"

#include "framework/core/StandardCommands.h"
#include "framework/ui/Menu.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "project/views/PrjDataTrgView.h"
#include "project/views/ProjectMenus.h"

#include <memory>

namespace prjview {
namespace {

class DataTriggerPageTest : public ProjectWindowFixture {
protected:
    void OpenPage()
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        frame = FrameOf(doc);
        ASSERT_NE(frame, nullptr);
        frame->OnPageCommand(prjcmd::kPageDataTrigger);
        page = dynamic_cast<CPrjDataTrgView*>(frame->GetActiveView());
        ASSERT_NE(page, nullptr);
        system = &doc->GetBoxArray();
        ASSERT_GT(system->GetMeasuringCount(), 3);
    }
    void Select(int top, int col, int bottom, int right)
    {
        page->GetGrid()->SetSelection({top, col, bottom, right}, {top, col}, {top, col}, false);
    }
    fw::CCmdUI Update(unsigned id)
    {
        fw::CCmdUI ui(id);
        page->OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
        return ui;
    }

    CKIV5980Doc* doc = nullptr;
    CProjectFrame* frame = nullptr;
    CPrjDataTrgView* page = nullptr;
    CBoxArray* system = nullptr;
};

TEST_F(DataTriggerPageTest, CellsAreTheChannelsTriggerAttributes)
{
    OpenPage();
    EXPECT_EQ(page->GetGrid()->GetStyle(), doc->GetTable(CKIV5980Doc::kTabDataTrigger));
    for (int row : {0, system->GetMeasuringCount() - 1})
        for (int col = 0; col < 4; ++col) {
            fw::CString expected, shown;
            system->GetChannelDisplayText(CPrjDataTrgView::ColumnCode(col), row, expected);
            ASSERT_TRUE(page->GetSheetText(shown, col, row, 1));
            EXPECT_EQ(shown, expected) << row << " " << col;
        }
    fw::CString text;
    EXPECT_FALSE(page->GetSheetText(text, 0, system->GetMeasuringCount(), 1));
    // Corner captions: drawn over the unit columns, copied as their names.
    ASSERT_TRUE(page->GetTagText(text, 1, 0, 1));
    EXPECT_EQ(text.str(), "測定器");
    ASSERT_TRUE(page->GetTagText(text, 3, 0, 0));
    EXPECT_EQ(text.str(), "ch.");
    ASSERT_TRUE(page->GetColumnHeaderText(text, 2, 0, 0));
    EXPECT_EQ(text.str(), "ﾄﾘｶﾞﾚﾍﾞﾙ\n[μ.mV.℃]");
    // Only the level opens an editor; the SET column is shown, not edited.
    EXPECT_FALSE(page->GetSheetEditText(0, CPrjDataTrgView::kColOnOff, text));
    EXPECT_FALSE(page->GetSheetEditText(0, CPrjDataTrgView::kColMode, text));
    CellFormat format{};
    page->GetSheetCellFormat(format, CPrjDataTrgView::kColSet, 0);
    EXPECT_EQ(format.crText, fw::RGB(175, 175, 175));
}

TEST_F(DataTriggerPageTest, DoubleClickTogglesOnOffOverTheSelectionAndUndoes)
{
    OpenPage();
    const int col = CPrjDataTrgView::kColOnOff;
    for (double start : {0.0, 1.0}) {
        SCOPED_TRACE(start);
        Select(0, col, 2, col);
        frame->ExecuteCommand(start == 0 ? prjmenu::kIdOff : prjmenu::kIdOn);
        ASSERT_EQ(system->GetChannelValue(0, 11), start);
        const int stops = projectHost.stops;
        page->OnSheetDoubleClick(0, col, 0, {});
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(system->GetChannelValue(row, 11), 1 - start) << row;
        EXPECT_GT(projectHost.stops, stops);
        EXPECT_EQ(projectHost.stops, projectHost.restarts);
        EXPECT_EQ(Update(start == 0 ? prjmenu::kIdOn : prjmenu::kIdOff).m_nCheck, 1);
        frame->ExecuteCommand(CProjectBaseView::kIdUndo);
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(system->GetChannelValue(row, 11), start) << row;
    }
}

TEST_F(DataTriggerPageTest, TriggerModeMenuOpensUnderTheCellAndSetsTheSelectedRows)
{
    OpenPage();
    const int col = CPrjDataTrgView::kColMode;
    Select(1, col, 3, col);
    std::vector<std::string> items;
    fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
        for (int i = 0; i < popup.GetMenuItemCount(); ++i)
            items.push_back(popup.GetMenuString(i, fw::MF_BYPOSITION).str());
        return prjmenu::kIdTriggerFirst + 2;
    });
    page->OnSheetDoubleClick(1, col, 0, {});
    fw::CMenu::SetTrackHook(nullptr);
    EXPECT_EQ(items, (std::vector<std::string>{"相対", "アッパー", "ロワー"}));
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(system->GetChannelValue(row, 13), 2) << row;
    EXPECT_EQ(Update(prjmenu::kIdTriggerFirst + 2).m_nCheck, 1);
    EXPECT_FALSE(Update(prjmenu::kIdTriggerFirst).m_nCheck);
}

TEST_F(DataTriggerPageTest, TypedLevelReachesTheChannel)
{
    OpenPage();
    const int col = CPrjDataTrgView::kColLevel;
    Select(0, col, 0, col);
    page->GetGrid()->RecordUndo(page->GetGrid()->GetSheetPane(), kChangeEdit, nullptr);
    ASSERT_TRUE(page->GetGrid()->SetSheetText(0, col, "150", 1));
    fw::CString raw;
    system->GetChannelText(0, 1006, raw);
    EXPECT_DOUBLE_EQ(system->GetChannelValue(0, 1006), 150) << raw.str();
    fw::CString edit;
    ASSERT_TRUE(page->GetSheetEditText(0, col, edit));
    EXPECT_EQ(edit, raw);
    page->Undo();
    EXPECT_NE(system->GetChannelValue(0, 1006), 150);
}

TEST_F(DataTriggerPageTest, TriggerMeasurementOfTheProjectLocksEveryCell)
{
    OpenPage();
    Select(0, 0, 2, 3);
    projectHost.triggerMeasuring = true;
    const double before = system->GetChannelValue(0, 11);
    bool opened = false;
    fw::CMenu::SetTrackHook([&](fw::CMenu&) -> unsigned {
        opened = true;
        return 0;
    });
    page->OnSheetDoubleClick(0, CPrjDataTrgView::kColOnOff, 0, {});
    page->OnSheetDoubleClick(0, CPrjDataTrgView::kColMode, 0, {});
    fw::CMenu::SetTrackHook(nullptr);
    EXPECT_FALSE(opened);
    EXPECT_EQ(system->GetChannelValue(0, 11), before);
    fw::CString text;
    EXPECT_FALSE(page->GetSheetEditText(0, CPrjDataTrgView::kColLevel, text));
    EXPECT_FALSE(Update(prjmenu::kIdOn).m_bEnabled);
    EXPECT_FALSE(Update(fw::ID_EDIT_CLEAR).m_bEnabled);
    // Another project's free run (the panel not on this project) locks nothing.
    projectHost.triggerMeasuring = false;
    EXPECT_TRUE(Update(prjmenu::kIdOn).m_bEnabled);
    EXPECT_TRUE(Update(fw::ID_EDIT_CLEAR).m_bEnabled);
}

} // namespace
} // namespace prjview

namespace prjview {
namespace {

TEST_F(DataTriggerPageTest, ContextMenuFromTheKeyboardCarriesThePagesChoices)
{
    OpenPage();
    Select(0, CPrjDataTrgView::kColOnOff, 1, CPrjDataTrgView::kColOnOff);
    std::vector<std::string> items;
    fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
        for (int i = 0; i < popup.GetMenuItemCount(); ++i)
            items.push_back(popup.GetMenuString(i, fw::MF_BYPOSITION).str());
        return prjmenu::kIdOn;
    });
    EXPECT_EQ(page->ShowContextMenu({-1, -1}), prjmenu::kIdOn);
    fw::CMenu::SetTrackHook(nullptr);
    EXPECT_NE(std::find(items.begin(), items.end(), "ﾄﾘｶﾞﾓｰﾄﾞ"), items.end());
    EXPECT_EQ(items.back(), "テキストで保存...");
    EXPECT_EQ(system->GetChannelValue(0, 11), 1);
    EXPECT_EQ(system->GetChannelValue(1, 11), 1);
}

} // namespace
} // namespace prjview
