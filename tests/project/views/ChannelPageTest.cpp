// The input-channel page: its texts are the measuring system's, its edits
// reach the system through the document, undo restores them and a second
// undo redoes, and what the page shows is saved with the project.

#include "tests/project/views/ProjectWindowFixture.h"

#include "common/base/TextFile.h"
#include "framework/core/File.h"
#include "framework/core/StandardCommands.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"

#include <memory>
#include <sstream>

namespace prjview {
namespace {

constexpr int kColSet = 0;
constexpr int kColName = 1;
constexpr int kColMode = 2;
constexpr int kColCoefficient = 9;
constexpr int kColShift = 12;

class ChannelPageTest : public ProjectWindowFixture {
protected:
    void OpenPage()
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        page = ChannelPage(doc);
        ASSERT_NE(page, nullptr);
        grid = page->GetGrid();
        system = &doc->GetBoxArray();
    }
    void Select(int top, int col, int bottom, int right)
    {
        grid->SetSelection({top, col, bottom, right}, {top, col}, {top, col}, false);
    }
    fw::CString Shown(int row, int col)
    {
        fw::CString text;
        EXPECT_TRUE(page->GetSheetText(text, col, row, 1));
        return text;
    }
    // Types a text into a cell as the in-cell editor hands it over.
    bool Type(int row, int col, const char* text)
    {
        Select(row, col, row, col);
        grid->RecordUndo(grid->GetSheetPane(), kChangeEdit, nullptr);
        return grid->SetSheetText(row, col, fw::CString(text), 1);
    }
    // The first row of a channel on a unit of `type`.
    int RowOfUnit(int type) const
    {
        for (int row = 0; row < system->GetMeasuringCount(); ++row)
            if (static_cast<int>(system->GetChannelValue(row, -2)) == type)
                return row;
        return -1;
    }

    CKIV5980Doc* doc = nullptr;
    CPrjChView* page = nullptr;
    CZELViewGrid* grid = nullptr;
    CBoxArray* system = nullptr;
};

TEST_F(ChannelPageTest, EveryCellShowsTheMeasuringSystemsDisplayText)
{
    OpenPage();
    ASSERT_GT(system->GetMeasuringCount(), 0);
    EXPECT_EQ(grid->GetStyle()->GetPane(kPaneSheet).m_nCols, 18);
    static constexpr int codes[] = {0, 1000, 7, 20, 2, 34, 49, 50, 29, 24, 1002, 1003, 1001, 25, 1004, 1011, 1012, 1013};
    for (int row : {0, system->GetMeasuringCount() / 2, system->GetMeasuringCount() - 1})
        for (int col = 0; col < 18; ++col) {
            fw::CString expected;
            system->GetChannelDisplayText(codes[col], row, expected);
            EXPECT_EQ(Shown(row, col), expected) << "row " << row << " col " << col;
        }
    fw::CString text;
    EXPECT_FALSE(page->GetSheetText(text, 18, 0, 1));
}

TEST_F(ChannelPageTest, HeadersNameTheColumnsAndTheChannelsUnits)
{
    OpenPage();
    struct Case {
        const char* name;
        int col, row, display;
        const char* text;
    } cases[] = {
        {"merged caption, top", 0, 0, 0, "SET"},
        {"merged caption, lower row copied", 0, 1, 0, ""},
        {"merged caption, lower row drawn", 0, 1, 1, "SET"},
        {"group caption", 4, 0, 0, "ﾛｰﾊﾟｽﾌｨﾙﾀ"},
        {"group member", 4, 1, 0, "周波数\n(Hz)"},
        {"inside a group", 10, 0, 0, ""},
        {"calibration member", 11, 1, 0, "容量"},
        {"option", 17, 1, 0, "Op.Data3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fw::CString text;
        ASSERT_TRUE(page->GetColumnHeaderText(text, c.col, c.row, c.display));
        EXPECT_EQ(text.str(), c.text);
    }
    fw::CString text;
    ASSERT_TRUE(page->GetRowHeaderText(text, 0, 0, 1));
    EXPECT_EQ(text, "1");
    ASSERT_TRUE(page->GetRowHeaderText(text, 3, 0, 1));
    EXPECT_EQ(text, "1");
    const int volt = RowOfUnit(2);
    ASSERT_GT(volt, 0);
    ASSERT_TRUE(page->GetRowHeaderText(text, 2, volt, 1));
    EXPECT_TRUE(text.str().ends_with("(2)")) << text.str();
    ASSERT_TRUE(page->GetRowHeaderText(text, 3, volt, 1));
    EXPECT_EQ(text, "1");
    ASSERT_TRUE(page->GetTagText(text, 1, 0, 0));
    EXPECT_EQ(text.str(), "測定器");
    ASSERT_TRUE(page->GetTagText(text, 3, 1, 0));
    EXPECT_EQ(text.str(), "ch.");
    ASSERT_TRUE(page->GetTagText(text, 0, 1, 0));
    EXPECT_EQ(text.str(), "");
}

TEST_F(ChannelPageTest, WithoutTheHighPassColumnsUnitAndFormatMoveLeft)
{
    projectHost.highPass = false;
    OpenPage();
    EXPECT_EQ(page->GetLayoutMode(), 1);
    EXPECT_EQ(grid->GetStyle()->GetPane(kPaneSheet).m_nCols, 16);
    EXPECT_EQ(page->CodeColumn(25), 11);
    EXPECT_EQ(page->CodeColumn(1004), 12);
    EXPECT_EQ(page->CodeColumn(49), -1);
    EXPECT_EQ(page->ColumnCode(6), 29);
}

TEST_F(ChannelPageTest, TypedEditsReachTheSystemAndUndoThenRedo)
{
    OpenPage();
    const fw::CString before = Shown(2, kColName);
    doc->SetModifiedFlag(false);
    ASSERT_TRUE(Type(2, kColName, "LOAD1"));
    fw::CString name;
    system->GetChannelDisplayText(1000, 2, name);
    EXPECT_EQ(name, "LOAD1");
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(page->CanUndo());
    page->Undo();
    EXPECT_EQ(Shown(2, kColName), before);
    page->Undo();
    EXPECT_EQ(Shown(2, kColName), "LOAD1");
    // A number typed into the shift column is the attribute's value.
    ASSERT_TRUE(Type(3, kColShift, "2.5"));
    EXPECT_DOUBLE_EQ(system->GetChannelValue(3, 1001), 2.5);
    // Locked, nothing can be undone.
    doc->ToggleEditLock();
    EXPECT_FALSE(page->CanUndo());
}

TEST_F(ChannelPageTest, DoubleClickOnSetTogglesTheSelectedRowsWithPollingStopped)
{
    OpenPage();
    const double first = system->GetChannelValue(0, 0);
    Select(0, kColSet, 3, kColSet);
    const int stops = projectHost.stops;
    page->OnSheetDoubleClick(0, kColSet, 0, {});
    const double toggled = first == 1 ? 0 : 1;
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(system->GetChannelValue(row, 0), toggled) << row;
    EXPECT_GT(projectHost.stops, stops);
    EXPECT_EQ(projectHost.stops, projectHost.restarts);
    page->Undo();
    EXPECT_EQ(system->GetChannelValue(0, 0), first);
    // Neither while measuring nor while locked.
    projectHost.measuring = true;
    page->OnSheetDoubleClick(0, kColSet, 0, {});
    EXPECT_EQ(system->GetChannelValue(0, 0), first);
    projectHost.measuring = false;
    doc->ToggleEditLock();
    page->OnSheetDoubleClick(0, kColSet, 0, {});
    EXPECT_EQ(system->GetChannelValue(0, 0), first);
}

TEST_F(ChannelPageTest, ThermocoupleModeGreysTheCalibrationCellsAndRefusesTheirEditor)
{
    OpenPage();
    const int row = RowOfUnit(2);
    ASSERT_GE(row, 0);
    ASSERT_TRUE(doc->SetChannelAttribute(7, kColMode, row, 21, nullptr));
    EXPECT_TRUE(page->IsThermocouple(row));
    EXPECT_EQ(page->CellTextColor(kColCoefficient, row), CPrjChView::kLightGrey);
    Select(row, kColCoefficient, row, kColCoefficient);
    CZELGridPane* sheet = grid->GetSheetPane();
    std::unique_ptr<CZELGridRichWnd> none(page->CreateCellEditorForKey(sheet, {0, 0, 50, 20}, "", '1', '1'));
    EXPECT_EQ(none, nullptr);
    Select(row, kColShift, row, kColShift);
    std::unique_ptr<CZELGridRichWnd> shift(page->CreateCellEditorForKey(sheet, {0, 0, 50, 20}, "", '1', '1'));
    EXPECT_NE(dynamic_cast<CZELDegitEditWnd*>(shift.get()), nullptr);
    std::unique_ptr<CZELGridRichWnd> letter(page->CreateCellEditorForKey(sheet, {0, 0, 50, 20}, "", 'x', 'X'));
    EXPECT_EQ(letter, nullptr);
    // A channel that is on shows its SET in blue.
    ASSERT_TRUE(doc->SetChannelAttribute(0, kColSet, row, 1, nullptr));
    EXPECT_EQ(page->CellTextColor(kColSet, row), CPrjChView::kBlue);
}

TEST_F(ChannelPageTest, WhileMeasuringOnlyNamesAndOptionDataAreEditable)
{
    OpenPage();
    projectHost.measuring = true;
    EXPECT_TRUE(page->CanEditCell(1, 1));
    EXPECT_TRUE(page->CanEditCell(15, 17));
    EXPECT_FALSE(page->CanEditCell(0, 1));
    EXPECT_FALSE(page->CanEditCell(9, 9));
}

TEST_F(ChannelPageTest, AnEditedNameIsSavedWithTheProject)
{
    OpenPage();
    ASSERT_TRUE(Type(1, kColName, "TORQUE"));
    const std::string path = PathOf("edited.kivp");
    ASSERT_TRUE(doc->DoSave(fw::CString(path), true));
    doc->OnCloseDocument();
    CKIV5980Doc* again = Open(path);
    ASSERT_NE(again, nullptr);
    CPrjChView* reopened = ChannelPage(again);
    ASSERT_NE(reopened, nullptr);
    fw::CString text;
    ASSERT_TRUE(reopened->GetSheetText(text, kColName, 1, 1));
    EXPECT_EQ(text, "TORQUE");
}

TEST_F(ChannelPageTest, TextExportWritesTitleTimingHeadersAndUsedRows)
{
    OpenPage();
    doc->SetTestTitle("Run, 1");
    const std::string path = PathOf("page.csv");
    {
        CTextFile file;
        ASSERT_TRUE(file.OpenFile(fw::CString(path), fw::CFile::modeCreate | fw::CFile::modeWrite));
        page->WriteText(file, true);
        file.Close();
    }
    std::istringstream in(ReadAll(path));
    std::string line;
    std::vector<std::string> lines;
    while (std::getline(in, line))
        lines.push_back(line);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "\"Run, 1\"\r");
    EXPECT_EQ(lines[1].find(','), lines[1].find(',')) ;
    EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), ','), 5);
    // Four row-header cells, then the eighteen columns.
    EXPECT_EQ(std::count(lines[2].begin(), lines[2].end(), ','), 4 + 18 - 1);
    EXPECT_EQ(lines[4].substr(0, 2), "1,");
    EXPECT_EQ(static_cast<int>(lines.size()), 4 + page->GetLastUsedRow(0, -1) + 1);
}

} // namespace
} // namespace prjview

namespace prjview {
namespace {

class ChannelCommandTest : public ChannelPageTest {
protected:
    void Run(unsigned id) { FrameOf(doc)->ExecuteCommand(id); }
    bool Checked(unsigned id)
    {
        fw::CCmdUI ui(id);
        page->OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
        return ui.m_nCheck == 1;
    }
};

TEST_F(ChannelCommandTest, SetCommandsSwitchTheSelectedRowsAndUndoAsOneColumn)
{
    OpenPage();
    Select(0, kColSet, 2, kColSet);
    Run(32854);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(system->GetChannelValue(row, 0), 0) << row;
    EXPECT_TRUE(Checked(32854));
    EXPECT_FALSE(Checked(32855));
    const int stops = projectHost.stops;
    Run(32855);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(system->GetChannelValue(row, 0), 1) << row;
    EXPECT_GT(projectHost.stops, stops);
    EXPECT_EQ(projectHost.stops, projectHost.restarts);
    EXPECT_TRUE(Checked(32855));
    Run(CProjectBaseView::kIdUndo);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(system->GetChannelValue(row, 0), 0) << row;
    // The command needs its column in the selection.
    Select(0, kColName, 0, kColName);
    fw::CCmdUI ui(32855);
    page->OnCmdMsg(32855, fw::CN_UPDATE_COMMAND_UI, &ui);
    EXPECT_FALSE(ui.m_bEnabled);
}

TEST_F(ChannelCommandTest, PasteAndFillDownWriteThroughTheDocument)
{
    OpenPage();
    ASSERT_TRUE(Type(0, kColName, "AX"));
    ASSERT_TRUE(Type(1, kColName, "AY"));
    Select(0, kColName, 1, kColName);
    Run(fw::ID_EDIT_COPY);
    Select(4, kColName, 4, kColName);
    const int stops = projectHost.stops;
    Run(fw::ID_EDIT_PASTE);
    EXPECT_EQ(Shown(4, kColName), "AX");
    EXPECT_EQ(Shown(5, kColName), "AY");
    EXPECT_GT(projectHost.stops, stops);
    EXPECT_EQ(projectHost.stops, projectHost.restarts);
    Run(CProjectBaseView::kIdUndo);
    EXPECT_NE(Shown(4, kColName), "AX");
    Select(0, kColName, 3, kColName);
    Run(CProjectBaseView::kIdFillDown);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(Shown(row, kColName), "AX") << row;
}

TEST_F(ChannelCommandTest, TextSaveWritesTheChosenFileAsCsvOrTab)
{
    OpenPage();
    doc->SetTestTitle("T");
    const std::string csv = PathOf("page.CSV");
    const std::string tab = PathOf("page.txt");
    dialogs.AnswerSave(fw::CString(csv));
    Run(CProjectBaseView::kIdTextSave);
    dialogs.AnswerSave(fw::CString(tab));
    Run(CProjectBaseView::kIdTextSave);
    const std::string a = ReadAll(csv);
    const std::string b = ReadAll(tab);
    ASSERT_FALSE(a.empty());
    ASSERT_FALSE(b.empty());
    EXPECT_EQ(a.substr(0, 3), "T\r\n");
    const std::string rowA = a.substr(a.find("\r\n1,") + 2, 2);
    EXPECT_EQ(rowA, "1,");
    EXPECT_NE(b.find("\r\n1\t"), std::string::npos);
}

} // namespace
} // namespace prjview

namespace prjview {
namespace {

TEST_F(ChannelCommandTest, UnitCommandsSetTheUnitColumnOfBothLayouts)
{
    projectHost.highPass = false;
    OpenPage();
    const int unitCol = page->CodeColumn(25);
    ASSERT_EQ(unitCol, 11);
    Select(0, unitCol, 1, unitCol);
    const unsigned id = CPrjChView::kFirstUnitId + 3;
    Run(id);
    const fw::CString first = Shown(0, unitCol);
    EXPECT_FALSE(first.IsEmpty());
    EXPECT_EQ(Shown(1, unitCol), first);
    EXPECT_TRUE(Checked(id));
    Run(CProjectBaseView::kIdUndo);
    EXPECT_NE(Shown(0, unitCol), first);
}

TEST_F(ChannelCommandTest, TypedEditsAndChoiceCellsKeepPollingAndDropButtonsInStep)
{
    OpenPage();
    const int stops = projectHost.stops;
    ASSERT_TRUE(Type(0, kColName, "P1"));
    EXPECT_GT(projectHost.stops, stops);
    EXPECT_EQ(projectHost.stops, projectHost.restarts);
    // A choice column's current cell shows the drop-down button.
    const uint32_t& flags = grid->GetStyle()->GetPane(kPaneSheet).m_format.nFlags;
    Select(0, kColMode, 0, kColMode);
    page->OnCurrentCellChanged();
    EXPECT_NE(flags & kCellDropButton, 0u);
    Select(0, kColName, 0, kColName);
    page->OnCurrentCellChanged();
    EXPECT_EQ(flags & kCellDropButton, 0u);
}

} // namespace
} // namespace prjview

#include "docview/naming/NameSetDlg.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Menu.h"

namespace prjview {
namespace {

TEST_F(ChannelCommandTest, ChoiceMenusOpenUnderTheCellAndSetTheSelectedRows)
{
    OpenPage();
    Select(0, kColMode, 1, kColMode);
    std::vector<std::string> items;
    fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
        for (int i = 0; i < popup.GetMenuItemCount(); ++i)
            items.push_back(popup.GetMenuString(i, fw::MF_BYPOSITION).str());
        return 33097;  // 電圧
    });
    page->OnSheetDoubleClick(0, kColMode, 0, {});
    EXPECT_EQ(items.size(), 6u);
    EXPECT_EQ(items.at(2), "電圧");
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(system->GetChannelValue(row, 7), 33) << row;
    // Typed columns open no menu; while measuring the choice columns neither.
    items.clear();
    page->OnSheetDoubleClick(0, kColShift, 0, {});
    projectHost.measuring = true;
    page->OnSheetDoubleClick(0, kColMode, 0, {});
    fw::CMenu::SetTrackHook(nullptr);
    EXPECT_TRUE(items.empty());
}

TEST_F(ChannelCommandTest, NamingNumbersTheSelectedRowsAndUndoes)
{
    OpenPage();
    const fw::CString first = Shown(0, kColName);
    Select(0, kColName, 2, kColName);
    uiDialogs.On(CNameSetDlg::kTemplateId, [](fw::CDialog& d) {
        d.GetDlgItemAs<fw::CComboBox>(CNameSetDlg::kIdMode)->SetCurSel(1);
        d.SetDlgItemText(CNameSetDlg::kIdLeading, "T");
        d.SetDlgItemText(CNameSetDlg::kIdStartNumber, "7");
        d.OnOK();
        return fw::IDOK;
    });
    Run(CPrjChView::kIdName);
    EXPECT_EQ(Shown(0, kColName).str(), "T7");
    EXPECT_EQ(Shown(2, kColName).str(), "T9");
    Run(CProjectBaseView::kIdUndo);
    EXPECT_EQ(Shown(0, kColName), first);
    // One selected row: the command is off.
    Select(0, kColName, 0, kColName);
    fw::CCmdUI ui(CPrjChView::kIdName);
    page->OnCmdMsg(ui.m_nID, fw::CN_UPDATE_COMMAND_UI, &ui);
    EXPECT_FALSE(ui.m_bEnabled);
}

} // namespace
} // namespace prjview

namespace prjview {
namespace {

TEST_F(ChannelCommandTest, ContextMenuTurnsFormatAndUnitIntoSubmenus)
{
    OpenPage();
    Select(0, kColName, 0, kColName);
    unsigned formatState = 0, unitState = 0;
    fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
        for (int i = 0; i < popup.GetMenuItemCount(); ++i) {
            const fw::CString text = popup.GetMenuString(i, fw::MF_BYPOSITION);
            if (text == "ﾌｫｰﾏｯﾄ")
                formatState = popup.GetMenuState(i, fw::MF_BYPOSITION);
            if (text == "単位")
                unitState = popup.GetMenuState(i, fw::MF_BYPOSITION);
        }
        return 0;
    });
    EXPECT_EQ(page->ShowContextMenu({-1, -1}), 0u);
    fw::CMenu::SetTrackHook(nullptr);
    EXPECT_NE(formatState & fw::MF_POPUP, 0u);
    EXPECT_NE(unitState & fw::MF_POPUP, 0u);
}

} // namespace
} // namespace prjview
