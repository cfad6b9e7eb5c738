// The number-format and naming commands of the channel table and the
// calculated-channel table, and the page commands every data view takes
// from its base: printing into a PDF and the width and cell-edit commands.

#include "tests/data/views/DataViewFixture.h"

#include "common/calc/DataFormat.h"
#include "data/views/KivDataChDataView.h"
#include "data/views/KivDataChView.h"
#include "data/views/KivDataEXChView.h"
#include "docbase/naming/NameSetParam.h"
#include "docview/naming/NameSetDlg.h"
#include "framework/core/StandardCommands.h"
#include "framework/ui/Controls.h"
#include "framework/ui/PrintDialogs.h"
#include "framework/ui/testing/ScriptedPrintDialogs.h"
#include "grid/views/CellMenus.h"
#include "grid/views/GridPane.h"
#include "tests/support/ui/DialogFixture.h"

#include <QFile>
#include <QPrinter>

#include <filesystem>

namespace dataview {
namespace {

class CellCommands : public DataViewFixture {
protected:
    static void Select(CDocTableView* view, int32_t top, int32_t left, int32_t bottom, int32_t right)
    {
        view->GetGrid()->SetSelection({top, left, bottom, right}, {top, left}, {top, left}, false);
    }
    static fw::CString Sheet(CDocTableView* view, int32_t row, int32_t col)
    {
        fw::CString text;
        view->GetSheetText(text, col, row, 0);
        return text;
    }
    // The text the format menu shows for a command.
    static fw::CString FormatText(unsigned id)
    {
        for (const CDataFormat::MenuItem& item : CDataFormat::DefaultMenuItems())
            if (item.command == id)
                return item.text;
        return {};
    }
    // The naming dialog answered with serial names "<leading><n>" from 1.
    void AnswerNaming(const char* leading)
    {
        const std::string text = leading;
        uiDialogs.On(CNameSetDlg::kTemplateId, [text](fw::CDialog& d) {
            d.GetDlgItemAs<fw::CComboBox>(CNameSetDlg::kIdMode)->UserSelect(CNameSetParam::kModeSerial);
            d.SetDlgItemText(CNameSetDlg::kIdLeading, fw::CString(text));
            d.SetDlgItemText(CNameSetDlg::kIdStartNumber, "1");
            appuitest::Click(d, fw::IDOK);
            return -1;
        });
    }
};

constexpr unsigned kThreeDecimals = 32801;

TEST_F(CellCommands, FormatCommandSetsTheFormatOfTheSelectedChannelsAndUndoesAsOne)
{
    CKivDataDoc* doc = OpenData(10);
    auto* view = ViewOf<CKivDataChView>(doc);
    ASSERT_NE(view, nullptr);
    const fw::CString before = Sheet(view, 0, CKivDataChView::kKindFormat);
    const fw::CString wanted = FormatText(kThreeDecimals);
    ASSERT_FALSE(wanted.IsEmpty());
    ASSERT_NE(before, wanted);
    Select(view, 0, CKivDataChView::kKindFormat, 1, CKivDataChView::kKindFormat);
    doc->SetModifiedFlag(false);
    int check = -1;
    ASSERT_TRUE(IsEnabled(view, kThreeDecimals, &check));
    EXPECT_EQ(check, 0);
    Run(view, kThreeDecimals);
    EXPECT_EQ(Sheet(view, 0, CKivDataChView::kKindFormat), wanted);
    EXPECT_EQ(Sheet(view, 1, CKivDataChView::kKindFormat), wanted);
    EXPECT_EQ(Sheet(view, 2, CKivDataChView::kKindFormat), before) << "outside the selection";
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(IsEnabled(view, kThreeDecimals, &check));
    EXPECT_EQ(check, 1);
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(Sheet(view, 0, CKivDataChView::kKindFormat), before);
    EXPECT_EQ(Sheet(view, 1, CKivDataChView::kKindFormat), before);
    Select(view, 0, CKivDataChView::kKindName, 1, CKivDataChView::kKindName);
    EXPECT_FALSE(IsEnabled(view, kThreeDecimals)) << "only over the format column";
}

TEST_F(CellCommands, NamingNamesTheSelectedChannelsThatAreOn)
{
    CKivDataDoc* doc = OpenData(10);
    auto* view = ViewOf<CKivDataChView>(doc);
    ASSERT_NE(view, nullptr);
    Select(view, 0, CKivDataChView::kKindName, 1, CKivDataChView::kKindName);
    ASSERT_TRUE(IsEnabled(view, cellmenu::kIdNameChannels));
    AnswerNaming("LOAD");
    Run(view, cellmenu::kIdNameChannels);
    EXPECT_EQ(Sheet(view, 0, CKivDataChView::kKindName), "LOAD1");
    EXPECT_EQ(Sheet(view, 1, CKivDataChView::kKindName), "LOAD2");
    EXPECT_EQ(Sheet(view, 2, CKivDataChView::kKindName), "CH-C");
    doc->GetBoxArray().SetChannelText(2, 0, "");
    Select(view, 1, CKivDataChView::kKindName, 2, CKivDataChView::kKindName);
    EXPECT_FALSE(IsEnabled(view, cellmenu::kIdNameChannels)) << "a channel that is off is in the selection";
    Select(view, 1, CKivDataChView::kKindName, 1, CKivDataChView::kKindName);
    EXPECT_FALSE(IsEnabled(view, cellmenu::kIdNameChannels)) << "one row";
}

TEST_F(CellCommands, CalculatedChannelsTakeFormatsAndNames)
{
    CKivDataDoc* doc = OpenData(10);
    auto* view = ViewOf<CKivDataEXChView>(doc);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(doc->SetDefinitionText(CKivDataEXChView::kColFormula, 1, "=CH(2)*2", nullptr));
    Select(view, 0, CKivDataEXChView::kColFormat, 1, CKivDataEXChView::kColFormat);
    ASSERT_TRUE(IsEnabled(view, kThreeDecimals));
    Run(view, kThreeDecimals);
    EXPECT_EQ(Sheet(view, 0, CKivDataEXChView::kColFormat), FormatText(kThreeDecimals));
    EXPECT_EQ(Sheet(view, 1, CKivDataEXChView::kColFormat), FormatText(kThreeDecimals));
    Select(view, 0, CKivDataEXChView::kColName, 1, CKivDataEXChView::kColName);
    ASSERT_TRUE(IsEnabled(view, cellmenu::kIdNameChannels));
    AnswerNaming("CALC");
    Run(view, cellmenu::kIdNameChannels);
    EXPECT_EQ(Sheet(view, 0, CKivDataEXChView::kColName), "CALC1");
    EXPECT_EQ(Sheet(view, 1, CKivDataEXChView::kColName), "CALC2");
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(Sheet(view, 0, CKivDataEXChView::kColName), "SUM");
}

TEST_F(CellCommands, UnitAndFormatCellsShowTheDropDownButton)
{
    CKivDataDoc* doc = OpenData(10);
    auto* view = ViewOf<CKivDataChView>(doc);
    ASSERT_NE(view, nullptr);
    CZELGridPane* sheet = view->GetGrid()->GetSheetPane();
    auto flags = [&] { return view->GetGrid()->GetStyle()->GetPane(kPaneSheet).m_format.nFlags; };
    sheet->SetCurrentCell({0, CKivDataChView::kKindUnit});
    view->OnCurrentCellChanged();
    EXPECT_NE(flags() & kCellDropButton, 0u);
    sheet->SetCurrentCell({0, CKivDataChView::kKindName});
    view->OnCurrentCellChanged();
    EXPECT_EQ(flags() & kCellDropButton, 0u);
}

TEST_F(CellCommands, PrintingADataViewWritesItsPages)
{
    CKivDataDoc* doc = OpenData(200);
    auto* view = ViewOf<CKivDataChDataView>(doc);
    ASSERT_NE(view, nullptr);
    fw::test::ScriptedPrintDialogs printDialogs;
    const std::filesystem::path pdf = dir / "values.pdf";
    fw::AppPrinter().setOutputFormat(QPrinter::PdfFormat);
    fw::AppPrinter().setOutputFileName(QString::fromStdString(pdf.string()));
    printDialogs.onPrint = [](QPrinter&, fw::CPrintInfo&) { return true; };
    Run(view, fw::ID_FILE_PRINT);
    EXPECT_EQ(printDialogs.printCalls, 1);
    ASSERT_TRUE(std::filesystem::exists(pdf));
    QFile file(QString::fromStdString(pdf.string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
    EXPECT_GT(view->GetPrintRect().top, 300) << "three header lines above the grid";
}

TEST_F(CellCommands, WidthAndCellEditCommandsFollowTheEditLock)
{
    GTEST_SKIP() << "the shared table-view base does not yet enable undo and the cell commands of the data graph list";
    CKivDataDoc* doc = OpenData(10);
    auto* view = ViewOf<CKivDataChView>(doc);
    ASSERT_NE(view, nullptr);
    for (unsigned id : {CDocTableView::kIdColumnWidth, CDocTableView::kIdLeftColumnWidth, CDocTableView::kIdEditCell})
        EXPECT_TRUE(IsEnabled(view, id)) << id;
    doc->ToggleEditLock();
    for (unsigned id : {CDocTableView::kIdColumnWidth, CDocTableView::kIdLeftColumnWidth, CDocTableView::kIdEditCell})
        EXPECT_FALSE(IsEnabled(view, id)) << id;
    doc->ToggleEditLock();
    view->GetGrid()->GetSheetPane()->SetCurrentCell({1, CKivDataChView::kKindName});
    Run(view, CDocTableView::kIdEditCell);
    EXPECT_NE(view->GetGrid()->GetActiveEditor(), nullptr) << "the name cell opens its editor";
}

} // namespace
} // namespace dataview
