// The calculated-channel page: formulas filled down with their channel
// references renumbered, naming, the function picker, on/off and format
// commands, and insertion and deletion undone through the document.

#include "tests/project/views/ProjectWindowFixture.h"

#include "framework/ui/Controls.h"
#include "grid/views/GridPane.h"
#include "project/views/FuncDlg.h"
#include "project/views/pages/PrjExChView.h"
#include "docview/naming/NameSetDlg.h"
#include "tests/support/ui/DialogFixture.h"

namespace prjview {
namespace {

class CalcPageTest : public ProjectWindowFixture {
protected:
    void Open()
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        FrameOf(doc)->OnPageCommand(prjcmd::kPageCalc);
        page = dynamic_cast<CPrjExChView*>(FrameOf(doc)->GetActiveView());
        ASSERT_NE(page, nullptr);
    }
    void Select(int top, int left, int bottom, int right)
    {
        page->GetGrid()->SetSelection({top, left, bottom, right}, {top, left}, {top, left}, false);
    }
    void Set(int row, int col, const std::string& text)
    {
        ASSERT_TRUE(doc->SetCalcChannelText(col, row, fw::CString(text), nullptr)) << row << "," << col;
    }
    std::string Cell(int col, int row)
    {
        fw::CString text;
        page->GetSheetText(text, col, row, 1);
        return text.str();
    }
    std::string Formula(int row)
    {
        fw::CString text;
        page->GetSheetEditText(row, CPrjExChView::kColFunction, text);
        return text.str();
    }
    void Run(unsigned id) { FrameOf(doc)->ExecuteCommand(id); }
    bool Enabled(unsigned id)
    {
        fw::CCmdUI ui(id);
        page->OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
        return ui.m_bEnabled;
    }

    CKIV5980Doc* doc = nullptr;
    CPrjExChView* page = nullptr;
};

TEST_F(CalcPageTest, FillDownRenumbersChannelAndNumberReferences)
{
    Open();
    Set(0, 0, "合計");
    Set(0, 1, "CH(1)+NO(1)");
    Set(0, 5, "10");
    Select(0, 0, 2, 5);
    Run(CProjectBaseView::kIdFillDown);
    EXPECT_EQ(Formula(1), "=CH(2)+NO(2)");
    EXPECT_EQ(Formula(2), "=CH(3)+NO(3)");
    EXPECT_EQ(Cell(0, 2), "合計");
    EXPECT_EQ(Cell(5, 1), Cell(5, 0));
    page->Undo();
    EXPECT_EQ(Formula(1), "");
    EXPECT_EQ(Cell(0, 2), "");
}

TEST_F(CalcPageTest, DeletionUndoneRestoresRowsAndUndoneAgainDeletesThem)
{
    Open();
    Set(0, 0, "A");
    Set(1, 0, "B");
    Set(1, 1, "CH1*2");
    Set(2, 0, "C");
    Select(1, 0, 1, CPrjExChView::kColumns - 1);
    ASSERT_TRUE(Enabled(CPrjExChView::kIdDelete));
    Run(CPrjExChView::kIdDelete);
    EXPECT_EQ(Cell(0, 1), "C");
    page->Undo();
    EXPECT_EQ(Cell(0, 1), "B");
    EXPECT_EQ(Formula(1), "CH1*2");
    EXPECT_EQ(Cell(0, 2), "C");
    page->Undo();
    EXPECT_EQ(Cell(0, 1), "C");
    // Part of a row cannot be deleted.
    Select(0, 0, 0, 3);
    EXPECT_FALSE(Enabled(CPrjExChView::kIdDelete));
}

TEST_F(CalcPageTest, InsertionKeepsRoomForTheLastRow)
{
    Open();
    Set(998, 0, "last");
    Select(0, 0, 0, CPrjExChView::kColumns - 1);
    EXPECT_TRUE(Enabled(CPrjExChView::kIdInsert)) << "999 rows in use, one more fits";
    Select(0, 0, 1, CPrjExChView::kColumns - 1);
    EXPECT_FALSE(Enabled(CPrjExChView::kIdInsert));
    Select(0, 0, 0, CPrjExChView::kColumns - 1);
    Run(CPrjExChView::kIdInsert);
    EXPECT_EQ(Cell(0, 999), "last");
    page->Undo();
    EXPECT_EQ(Cell(0, 998), "last");
}

TEST_F(CalcPageTest, WhileMeasuringFormulasAndRowsAreFixedButNamesAreNot)
{
    Open();
    projectHost.measuring = true;
    fw::CString text;
    EXPECT_FALSE(page->GetSheetEditText(0, CPrjExChView::kColFunction, text));
    EXPECT_TRUE(page->GetSheetEditText(0, CPrjExChView::kColName, text));
    EXPECT_TRUE(page->GetSheetEditText(0, CPrjExChView::kColUpper, text));
    Select(0, 0, 0, CPrjExChView::kColumns - 1);
    EXPECT_FALSE(Enabled(CPrjExChView::kIdInsert));
    EXPECT_FALSE(Enabled(CPrjExChView::kIdDelete));
    EXPECT_FALSE(page->CanEditCell(0, 1));
    EXPECT_TRUE(page->CanEditCell(2, 6));
    EXPECT_FALSE(page->GetSheetEditText(0, CPrjExChView::kColFormat, text));
}

TEST_F(CalcPageTest, DoubleClickOnOnFollowsTheCurrentCellForEverySelectedRow)
{
    Open();
    Set(0, 4, "ON");
    Set(2, 4, "ON");
    page->GetGrid()->SetSelection({0, 4, 2, 4}, {0, 4}, {0, 4}, false);
    page->OnSheetDoubleClick(0, 4, 0, fw::CPoint());
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(Cell(4, row), "OFF") << row;
    page->Undo();
    EXPECT_EQ(Cell(4, 1), "OFF");
    EXPECT_EQ(Cell(4, 2), "ON");
    Run(CPrjExChView::kIdOn);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(Cell(4, row), "ON") << row;
    fw::CCmdUI ui(CPrjExChView::kIdOn);
    page->OnCmdMsg(ui.m_nID, fw::CN_UPDATE_COMMAND_UI, &ui);
    EXPECT_EQ(ui.m_nCheck, 1);
}

TEST_F(CalcPageTest, NamingAndFunctionPasteFillTheSelectedRows)
{
    Open();
    Select(0, 0, 2, 1);
    uiDialogs.On(CNameSetDlg::kTemplateId, [](fw::CDialog& d) {
        d.GetDlgItemAs<fw::CComboBox>(CNameSetDlg::kIdMode)->UserSelect(CNameSetParam::kModeSerial);
        d.SetDlgItemText(CNameSetDlg::kIdLeading, "K");
        d.SetDlgItemText(CNameSetDlg::kIdStartNumber, "1");
        appuitest::Click(d, fw::IDOK);
        return -1;
    });
    Run(CPrjExChView::kIdName);
    EXPECT_EQ(Cell(0, 0), "K1");
    EXPECT_EQ(Cell(0, 2), "K3");
    uiDialogs.On(CFuncDlg::kTemplateId, [](fw::CDialog& d) {
        d.GetDlgItemAs<fw::CListBox>(CFuncDlg::kIdList)->UserSelect(2);
        d.OnOK();
        return fw::IDOK;
    });
    ASSERT_TRUE(Enabled(CPrjExChView::kIdFuncPaste));
    Run(CPrjExChView::kIdFuncPaste);
    EXPECT_EQ(Formula(0), "SQRT()");
    EXPECT_EQ(Formula(2), "SQRT()");
    // A formula that does not compile shows its error in front.
    EXPECT_EQ(Cell(1, 1).rfind("Error", 0), 0u) << Cell(1, 1);
    EXPECT_NE(Cell(1, 1).find(":SQRT()"), std::string::npos) << Cell(1, 1);
}

TEST_F(CalcPageTest, UnitAndFormatCommandsSetTheirColumnOverTheSelection)
{
    Open();
    Select(0, 2, 1, 3);
    Run(CPrjExChView::kFirstUnitId + 1);
    EXPECT_FALSE(Cell(2, 0).empty());
    EXPECT_EQ(Cell(2, 0), Cell(2, 1));
    Run(32800);
    EXPECT_EQ(Cell(3, 0), Cell(3, 1));
    EXPECT_FALSE(Cell(3, 0).empty());
    Select(0, 5, 1, 6);
    EXPECT_FALSE(Enabled(CPrjExChView::kFirstUnitId + 1));
}

} // namespace
} // namespace prjview
