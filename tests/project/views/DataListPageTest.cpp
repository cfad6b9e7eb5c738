// The project's data list: columns are the used channel tanks, edits go
// into the tanks and renew the column's statistics, a transfer of recorded
// data blanks the page until it ends, and the text export cuts the sheet
// into block files named from the chosen file name.

#include "tests/project/views/ProjectWindowFixture.h"

#include "common/tank/DataTankList.h"
#include "common/tank/UseTankList.h"
#include "data/model/TextConvParam.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StandardCommands.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "project/views/DataTextOptions.h"
#include "project/views/PrjChDataView.h"

#include <filesystem>
#include <memory>

namespace prjview {
namespace {

namespace fs = std::filesystem;

class DataListPageTest : public ProjectWindowFixture {
protected:
    void OpenPage()
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        frame = FrameOf(doc);
        frame->OnPageCommand(prjcmd::kPageDataList);
        page = dynamic_cast<CPrjChDataView*>(frame->GetActiveView());
        ASSERT_NE(page, nullptr);
        ASSERT_GT(doc->GetUseTanks().GetSize(), 1);
    }
    // `count` values 1, 2, 3, ... in the first `cols` columns.
    void Fill(int cols, int count)
    {
        for (int c = 0; c < cols; ++c) {
            CDataTankObject* tank = page->GetColumnTank(c);
            ASSERT_TRUE(tank->SetSize(count, true));
            for (int i = 0; i < count; ++i)
                ASSERT_TRUE(tank->SetValue(i, i + 1 + 10 * c));
        }
        page->RecalcScale(0, cols);
    }
    void Select(int top, int col, int bottom, int right)
    {
        page->GetGrid()->SetSelection({top, col, bottom, right}, {top, col}, {top, col}, false);
    }
    fw::CString Header(int col, int row)
    {
        fw::CString text;
        page->GetColumnHeaderText(text, col, row, 1);
        return text;
    }

    CKIV5980Doc* doc = nullptr;
    CProjectFrame* frame = nullptr;
    CPrjChDataView* page = nullptr;
};

TEST_F(DataListPageTest, WithoutMeasuredDataSelectAllTakesRowZero)
{
    OpenPage();
    EXPECT_EQ(page->GetLastUsedRow(0, -1), 0);
    frame->ExecuteCommand(fw::ID_EDIT_SELECT_ALL);
    const CCellRange sel = page->GetGrid()->GetSelection();
    EXPECT_EQ(sel.top, 0);
    EXPECT_EQ(sel.bottom, 0);
    fw::CString text;
    ASSERT_TRUE(page->GetTagText(text, 0, 3, 0));
    EXPECT_EQ(text.str(), "最小値");
    EXPECT_FALSE(page->CanInsertRows());
    EXPECT_FALSE(page->CanDeleteRows());
}

TEST_F(DataListPageTest, EditedValueRenewsTheColumnsStatistics)
{
    OpenPage();
    Fill(2, 4);
    EXPECT_EQ(page->GetLastUsedRow(0, -1), 3);
    EXPECT_EQ(page->GetLastUsedRow(0, 700), 3);
    const fw::CString before = Header(1, 2);
    Select(2, 1, 2, 1);
    page->GetGrid()->RecordUndo(page->GetGrid()->GetSheetPane(), kChangeEdit, nullptr);
    ASSERT_TRUE(page->GetGrid()->SetSheetText(2, 1, "100", 1));
    page->OnEditorClosed();
    EXPECT_DOUBLE_EQ(page->GetColumnTank(1)->GetMax(), 100);
    EXPECT_DOUBLE_EQ(page->GetColumnTank(1)->GetAverage(), (11 + 12 + 100 + 14) / 4.0);
    EXPECT_NE(Header(1, 2), before);
    frame->ExecuteCommand(CProjectBaseView::kIdUndo);
    EXPECT_DOUBLE_EQ(page->GetColumnTank(1)->GetValue(2), 13);
    EXPECT_DOUBLE_EQ(page->GetColumnTank(1)->GetMax(), 14);
    // While measuring nothing is edited.
    projectHost.measuring = true;
    fw::CString text;
    EXPECT_FALSE(page->GetSheetEditText(0, 0, text));
    fw::CCmdUI ui(fw::ID_EDIT_CLEAR);
    page->OnCmdMsg(ui.m_nID, fw::CN_UPDATE_COMMAND_UI, &ui);
    EXPECT_FALSE(ui.m_bEnabled);
}

TEST_F(DataListPageTest, TypedLowerCaseEStartsNoEditor)
{
    OpenPage();
    Fill(1, 2);
    Select(0, 0, 0, 0);
    CZELGridPane* sheet = page->GetGrid()->GetSheetPane();
    std::unique_ptr<CZELGridRichWnd> lower(page->CreateCellEditorForKey(sheet, {0, 0, 50, 20}, "", 'e', 'E'));
    EXPECT_EQ(lower, nullptr);
    std::unique_ptr<CZELGridRichWnd> upper(page->CreateCellEditorForKey(sheet, {0, 0, 50, 20}, "", 'E', 'E'));
    ASSERT_NE(dynamic_cast<CZELDegitEditWnd*>(upper.get()), nullptr);
    EXPECT_EQ(dynamic_cast<CZELDegitEditWnd*>(upper.get())->GetAllowedChars().str(), "+-.E");
    upper.reset();
    std::unique_ptr<CZELGridRichWnd> clicked(page->CreateCellEditor(sheet, {0, 0, 50, 20}, "", {}));
    ASSERT_NE(dynamic_cast<CZELDegitEditWnd*>(clicked.get()), nullptr);
    EXPECT_EQ(dynamic_cast<CZELDegitEditWnd*>(clicked.get())->GetAllowedChars().str(), "+-.eE");
}

TEST_F(DataListPageTest, TransferBlanksThePageAndRepaintsOnceAfter)
{
    OpenPage();
    Fill(1, 2);
    page->OnUpdate(nullptr, CPrjChDataView::kHintTransferBegins, nullptr);
    fw::CString text;
    page->GetSheetText(text, 0, 0, 1);
    EXPECT_EQ(text.str(), "");
    EXPECT_EQ(Header(0, 0).str(), "");
    EXPECT_TRUE(page->IsRepaintPending());
    ASSERT_TRUE(page->GetRowHeaderText(text, 0, 1, 1));
    EXPECT_EQ(text.str(), "2");
    page->OnUpdate(nullptr, CPrjChDataView::kHintTransferEnded, nullptr);
    EXPECT_FALSE(page->IsSuspended());
    EXPECT_FALSE(page->IsRepaintPending());
    page->GetSheetText(text, 0, 0, 1);
    EXPECT_FALSE(text.IsEmpty());
}

TEST(DataListNames, OnlyTheFileNamesOwnExtensionIsReplaced)
{
    struct Case {
        const char* name;
        const char* path;
        int32_t format;
        const char* base;
        const char* block;
    } cases[] = {
        {"csv", "/d/run.csv", tTextConvParam::kCsv, "/d/run.KIVD", "/d/run_1_2.CSV"},
        {"upper txt", "/d/run.TXT", tTextConvParam::kTxt, "/d/run.KIVD", "/d/run_1_2.TXT"},
        {"folder that looks like one", "/d.csv/run.hed", tTextConvParam::kHed, "/d.csv/run.KIVD", "/d.csv/run_1_2.HED"},
        {"inner part kept", "/d/a.csv.txt", tTextConvParam::kTxt, "/d/a.csv.KIVD", "/d/a.csv_1_2.TXT"},
        {"mixed case not recognised", "/d/run.Csv", tTextConvParam::kTxt, "/d/run.Csv", "/d/run.Csv_1_2.TXT"},
        {"no extension", "/d/run", tTextConvParam::kTxt, "/d/run", "/d/run_1_2.TXT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int32_t format = tTextConvParam::kTxt;
        const fw::CString base = CPrjChDataView::TakeExportName(fw::CString(c.path), format);
        EXPECT_EQ(base.str(), c.base);
        EXPECT_EQ(format, c.format);
        EXPECT_EQ(CPrjChDataView::BlockFileName(base, format, 0, 1).str(), c.block);
    }
}

class ChoosingSheet : public IDataListTextSheet {
public:
    bool Run(tTextConvParam& options, const CCellRange&, CKIV5980Doc&, fw::CWnd*) override
    {
        options = chosen;
        return true;
    }
    tTextConvParam chosen;
};

TEST_F(DataListPageTest, SplitExportWritesOneFilePerColumnAndRowBlock)
{
    OpenPage();
    const int cols = page->GetGrid()->GetSheetPane()->ColumnCount();
    ASSERT_GE(cols, 3);
    Fill(cols, 5);
    doc->NotifyColumnsChanged(nullptr, 0, cols - 1, 0x20, false);
    ASSERT_EQ(page->GetGrid()->GetSheetPane()->RowCount(), 5);
    ChoosingSheet sheet;
    sheet.chosen.page = tTextConvParam::kPageList;
    sheet.chosen.columnLimit = cols - 1;
    sheet.chosen.rowLimit = 4;
    sheet.chosen.bTitle = false;
    fw::ScopedInstall<IDataListTextSheet> install(sheet);
    dialogs.AnswerSave(fw::CString(PathOf("out.csv")));
    frame->ExecuteCommand(CProjectBaseView::kIdTextSave);
    for (const char* name : {"out_1_1.CSV", "out_1_2.CSV", "out_2_1.CSV", "out_2_2.CSV"})
        EXPECT_TRUE(fs::exists(dir / name)) << name;
    EXPECT_FALSE(fs::exists(dir / "out.csv"));
    // Block (2, 2): the last column, the last row.
    const std::string text = ReadAll(PathOf("out_2_2.CSV"));
    const std::string last = std::to_string(5 + 10 * (cols - 1));
    EXPECT_NE(text.find("\n5,"), std::string::npos) << text;
    EXPECT_NE(text.find("," + last + "\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find(",1\r\n"), std::string::npos) << text;
    EXPECT_EQ(AppTextConvParam().format, tTextConvParam::kCsv);
}

} // namespace
} // namespace prjview
