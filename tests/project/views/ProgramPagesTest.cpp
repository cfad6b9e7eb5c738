// The cycle-trigger and data-comparator program pages: cells are the
// program tanks' values by row, the control word decides whether the repeat
// cell means anything, rows are inserted and deleted with undo, and the
// comparator's channel is typed by number or chosen from the data selection.

#include "tests/project/views/ProjectWindowFixture.h"

#include "common/tank/DataTankList.h"
#include "docview/naming/NameSelectDlg.h"
#include "framework/core/Services.h"
#include "project/views/PrjCycleTrgView.h"
#include "project/views/PrjDataCompView.h"
#include "project/views/ProjectMenus.h"

namespace prjview {
namespace {

class ProgramPageTest : public ProjectWindowFixture {
protected:
    template <class Page> Page* OpenPage(unsigned id)
    {
        doc = NewProject();
        EXPECT_NE(doc, nullptr);
        frame = FrameOf(doc);
        frame->OnPageCommand(id);
        auto* page = dynamic_cast<Page*>(frame->GetActiveView());
        EXPECT_NE(page, nullptr);
        view = page;
        return page;
    }
    void Select(int top, int col, int bottom, int right)
    {
        view->GetGrid()->SetSelection({top, col, bottom, right}, {top, col}, {top, col}, false);
    }
    fw::CString Shown(int row, int col)
    {
        fw::CString text;
        view->GetSheetText(text, col, row, 1);
        return text;
    }
    bool Type(int row, int col, const char* text)
    {
        Select(row, col, row, col);
        view->GetGrid()->RecordUndo(view->GetGrid()->GetSheetPane(), kChangeEdit, nullptr);
        return view->GetGrid()->SetSheetText(row, col, fw::CString(text), 1);
    }
    bool Editable(int row, int col)
    {
        fw::CString text;
        return view->GetSheetEditText(row, col, text);
    }

    CKIV5980Doc* doc = nullptr;
    CProjectFrame* frame = nullptr;
    CProjectBaseView* view = nullptr;
};

TEST_F(ProgramPageTest, CycleColumnsKeepTheirRanges)
{
    auto* page = OpenPage<CPrjCycleTrgView>(prjcmd::kPageCycle);
    ASSERT_NE(page, nullptr);
    fw::CString text;
    ASSERT_TRUE(page->GetColumnHeaderText(text, 1, 0, 0));
    EXPECT_EQ(text.str(), "ｽﾃｯﾌﾟ\nｻｲｸﾙ");
    ASSERT_TRUE(page->GetColumnHeaderText(text, 1, 1, 0));
    EXPECT_EQ(text.str(), "");
    ASSERT_TRUE(page->GetColumnHeaderText(text, 3, 0, 0));
    EXPECT_EQ(text.str(), "条件");
    ASSERT_TRUE(page->GetColumnHeaderText(text, 3, 1, 0));
    EXPECT_EQ(text.str(), "ﾘﾋﾟｰﾄ");
    EXPECT_TRUE(Type(0, 0, "0"));
    EXPECT_EQ(Shown(0, 0).str(), "0");
    services.prompt.ExpectText("999999999", fw::IDOK);
    EXPECT_FALSE(Type(0, 1, "0"));
    EXPECT_EQ(Shown(0, 1).str(), "");
    EXPECT_TRUE(Type(0, 1, "25"));
    EXPECT_EQ(Shown(0, 1).str(), "25");
    EXPECT_THROW(page->GetColumnTank(4), fw::CInvalidArgException);
}

TEST_F(ProgramPageTest, EndlessStepHidesItsRepeatUntilGotoAgain)
{
    auto* page = OpenPage<CPrjCycleTrgView>(prjcmd::kPageCycle);
    ASSERT_NE(page, nullptr);
    Select(0, 2, 0, 2);
    frame->ExecuteCommand(prjmenu::kIdGoto);
    EXPECT_EQ(Shown(0, 2).str(), "GOTO");
    ASSERT_TRUE(Type(0, 3, "3"));
    EXPECT_EQ(Shown(0, 3).str(), "3");
    Select(0, 2, 0, 2);
    frame->ExecuteCommand(prjmenu::kIdEndless);
    EXPECT_EQ(Shown(0, 2).str(), "無限回");
    EXPECT_EQ(Shown(0, 3).str(), "");
    EXPECT_FALSE(Editable(0, 3));
    EXPECT_FALSE(Editable(0, 2));
    fw::CCmdUI ui(prjmenu::kIdEndless);
    page->OnCmdMsg(ui.m_nID, fw::CN_UPDATE_COMMAND_UI, &ui);
    EXPECT_EQ(ui.m_nCheck, 1);
    EXPECT_TRUE(ui.m_bEnabled);
    frame->ExecuteCommand(prjmenu::kIdGoto);
    EXPECT_EQ(Shown(0, 3).str(), "3");
    EXPECT_TRUE(Editable(0, 3));
    // Locked: the control commands are disabled and change nothing.
    doc->ToggleEditLock();
    fw::CCmdUI locked(prjmenu::kIdEndless);
    page->OnCmdMsg(locked.m_nID, fw::CN_UPDATE_COMMAND_UI, &locked);
    EXPECT_FALSE(locked.m_bEnabled);
    frame->ExecuteCommand(prjmenu::kIdEndless);
    EXPECT_EQ(Shown(0, 2).str(), "GOTO");
}

TEST_F(ProgramPageTest, InsertedAndDeletedRowsUndoAndRedo)
{
    auto* page = OpenPage<CPrjCycleTrgView>(prjcmd::kPageCycle);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(Type(0, 0, "10"));
    ASSERT_TRUE(Type(1, 0, "20"));
    ASSERT_TRUE(Type(1, 1, "5"));
    Select(0, 0, 0, 3);
    frame->ExecuteCommand(CProjectBaseView::kIdInsertRows);
    EXPECT_EQ(Shown(0, 0).str(), "");
    EXPECT_EQ(Shown(1, 0).str(), "10");
    EXPECT_EQ(Shown(2, 0).str(), "20");
    frame->ExecuteCommand(CProjectBaseView::kIdUndo);
    EXPECT_EQ(Shown(0, 0).str(), "10");
    EXPECT_EQ(Shown(1, 0).str(), "20");
    // Deleting row 1 and undoing brings its cells back.
    Select(1, 0, 1, 3);
    frame->ExecuteCommand(CProjectBaseView::kIdDeleteRows);
    EXPECT_EQ(Shown(1, 0).str(), "");
    EXPECT_EQ(Shown(1, 1).str(), "");
    frame->ExecuteCommand(CProjectBaseView::kIdUndo);
    EXPECT_EQ(Shown(1, 0).str(), "20");
    EXPECT_EQ(Shown(1, 1).str(), "5");
    // ... and undoing that deletes the row again.
    frame->ExecuteCommand(CProjectBaseView::kIdUndo);
    EXPECT_EQ(Shown(1, 0).str(), "");
    // Insert stops fitting when the rows would push used rows off the end
    // (row 0 is used).
    Select(0, 0, 99, 0);
    EXPECT_FALSE(page->CanInsertRows());
    Select(0, 0, 98, 0);
    EXPECT_TRUE(page->CanInsertRows());
}

TEST_F(ProgramPageTest, ComparatorChannelIsTypedByNumber)
{
    auto* page = OpenPage<CPrjDataCompView>(prjcmd::kPageComparator);
    ASSERT_NE(page, nullptr);
    CDataTankObject* tank = page->GetColumnTank(0);
    ASSERT_TRUE(Type(0, 0, "12"));
    EXPECT_EQ(tank->GetValue(0), 11);
    const std::string shown = Shown(0, 0).str();
    EXPECT_EQ(shown.substr(shown.size() - 7), " (CH12)") << shown;
    // The shown form is accepted back, as a paste or undo hands it in.
    ASSERT_TRUE(page->SetSheetText(1, 0, fw::CString(shown), 0));
    EXPECT_EQ(tank->GetValue(1), 11);
    EXPECT_FALSE(Type(0, 0, "abc"));
    EXPECT_EQ(tank->GetValue(0), 11);
    // A number that names no channel says which numbers do.
    services.prompt.ExpectText("1 から 320", fw::IDOK);
    EXPECT_FALSE(Type(0, 0, "400"));
    services.prompt.ExpectText("501 から 1500", fw::IDOK);
    EXPECT_FALSE(Type(0, 0, "1600"));
    EXPECT_TRUE(Type(0, 0, "501"));
    EXPECT_EQ(tank->GetValue(0), 500);
    ASSERT_TRUE(Type(0, 0, ""));
    EXPECT_EQ(Shown(0, 0).str(), "");
}

TEST_F(ProgramPageTest, ComparatorChannelFromTheDataSelectionGoesIntoEverySelectedStep)
{
    auto* page = OpenPage<CPrjDataCompView>(prjcmd::kPageComparator);
    ASSERT_NE(page, nullptr);
    CDataTankObject* tank = page->GetColumnTank(0);
    ASSERT_TRUE(Type(1, 0, "3"));
    int preset = -100;
    uiDialogs.On(CNameSelectDlg::kTemplateId, [&](fw::CDialog& d) {
        auto& dlg = dynamic_cast<CNameSelectDlg&>(d);
        preset = dlg.m_nTankIndex;
        dlg.m_nTankIndex = 4;
        d.EndDialog(fw::IDOK);
        return fw::IDOK;
    });
    Select(1, 0, 3, 0);
    page->OnSheetDoubleClick(1, 0, 0, {});
    EXPECT_EQ(preset, 2);
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(tank->GetValue(row), 4) << row;
    frame->ExecuteCommand(CProjectBaseView::kIdUndo);
    EXPECT_EQ(tank->GetValue(1), 2);
    // Edit-locked: nothing opens.
    doc->ToggleEditLock();
    page->OnSheetDoubleClick(1, 0, 0, {});
    EXPECT_EQ(uiDialogs.Shown().size(), 1u);
}

} // namespace
} // namespace prjview

#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "grid/views/WHsetDlg.h"

namespace prjview {
namespace {

TEST_F(ProgramPageTest, ColumnWidthCommandSizesTheSelectedColumns)
{
    auto* page = OpenPage<CPrjCycleTrgView>(prjcmd::kPageCycle);
    ASSERT_NE(page, nullptr);
    doc->SetModifiedFlag(false);
    CZELGridPane* sheet = page->GetGrid()->GetSheetPane();
    const int32_t before = sheet->GetColumnWidth(1);
    Select(0, 1, 0, 1);
    uiDialogs.On(CWHsetDlg::kTemplateId, [](fw::CDialog& d) {
        d.SetDlgItemText(CWHsetDlg::kIdValue, "30");
        d.OnOK();
        return fw::IDOK;
    });
    frame->ExecuteCommand(CProjectBaseView::kIdColumnWidth);
    EXPECT_NE(sheet->GetColumnWidth(1), before);
    EXPECT_EQ(sheet->GetColumnWidth(1), CWHsetDlg::HundredthsMmToPixels(3000));
    EXPECT_TRUE(doc->IsModified());
}

} // namespace
} // namespace prjview
