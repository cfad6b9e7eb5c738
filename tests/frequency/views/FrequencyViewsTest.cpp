// The card frequency-file grid and the frequency text dialogs; built only
// where the program has its windows.
#ifdef KIV_FREQUENCY_VIEWS

#include "frequency/document/HistDoc.h"
#include "frequency/document/HistOutParam.h"
#include "frequency/views/C8025OutDlg.h"
#include "frequency/views/Hist8025OutChooser.h"
#include "frequency/views/HistOutGrid.h"
#include "framework/core/ServiceSlot.h"
#include "tests/frequency/document/HistDocFixture.h"
#include "tests/support/TestSupport.h"
#include "frequency/views/CFHistFileInfoGrid.h"
#include "frequency/views/HistFileTextDlg.h"
#include "frequency/views/HistSaveTextDlg.h"
#include "framework/core/Exceptions.h"
#include "framework/core/testing/ScriptedFileDialogs.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "tests/support/ui/DialogFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using appuitest::Click;
using appuitest::Enabled;

bool Checked(fw::CDialog& d, int id)
{
    auto* button = d.GetDlgItemAs<fw::CButton>(id);
    return button && button->GetCheck() == fw::BST_CHECKED;
}

class FrequencyDialogs : public appuitest::DialogFixture {
protected:
    ~FrequencyDialogs() override { EXPECT_EQ(files.Problems(), ""); }
    fw::test::ScriptedFileDialogs files;
};

TEST_F(FrequencyDialogs, ConversionFormatEnablesTheVo8025Blocks)
{
    CHistFileTextParam param;
    param.m_kind = CHistFileTextParam::kKindVo8025;
    param.m_commaSeparated = 1;
    param.m_conditions = 1;
    param.m_folder = "/data";
    CHistFileTextDlg dlg(param);
    dialogs.On(CHistFileTextDlg::kTemplateId, [&](fw::CDialog& d) {
        EXPECT_TRUE(Checked(d, CHistFileTextDlg::kIdVo8025));
        for (int id : {1322, 1323, 1324})
            EXPECT_TRUE(Enabled(d, id)) << id;
        EXPECT_TRUE(Checked(d, 1323));
        EXPECT_EQ(d.GetDlgItemText(CHistFileTextDlg::kIdFolder), "/data");
        Click(d, CHistFileTextDlg::kIdCsv);
        for (int id : {1322, 1323, 1324})
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_TRUE(Checked(d, 1323));
        Click(d, fw::IDOK);
        return -1;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(param.m_kind, CHistFileTextParam::kKindOwnText);
    EXPECT_EQ(param.m_commaSeparated, 1);
    EXPECT_EQ(param.m_conditions, 1);
}

TEST_F(FrequencyDialogs, ConversionFormatsMapToKindAndSeparator)
{
    struct Row {
        const char* name;
        int kind, comma;
        int expectedRadio;
        int click;
        int kindAfter, commaAfter;
    };
    const Row rows[] = {
        {"text_to_vo8025", 1, 0, 1277, 1279, 2, 1},
        {"csv_to_text", 1, 1, 1278, 1277, 1, 0},
        {"unset_kind_shows_text", 0, 0, 1277, 1278, 1, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CHistFileTextParam param;
        param.m_kind = r.kind;
        param.m_commaSeparated = r.comma;
        CHistFileTextDlg dlg(param);
        dialogs.On(CHistFileTextDlg::kTemplateId, [&](fw::CDialog& d) {
            EXPECT_TRUE(Checked(d, r.expectedRadio));
            Click(d, r.click);
            Click(d, fw::IDOK);
            return -1;
        });
        EXPECT_EQ(dlg.DoModal(), fw::IDOK);
        EXPECT_EQ(param.m_kind, r.kindAfter);
        EXPECT_EQ(param.m_commaSeparated, r.commaAfter);
    }
}

TEST_F(FrequencyDialogs, FolderChoiceIsShownAndTakenOnOkOnly)
{
    CHistFileTextParam param;
    files.AnswerFolder("/chosen");
    CHistFileTextDlg dlg(param);
    dialogs.On(CHistFileTextDlg::kTemplateId, [&](fw::CDialog& d) {
        Click(d, CHistFileTextDlg::kIdChooseFolder);
        EXPECT_EQ(d.GetDlgItemText(CHistFileTextDlg::kIdFolder), "/chosen");
        Click(d, fw::IDCANCEL);
        return -1;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    EXPECT_TRUE(param.m_folder.IsEmpty());
}

TEST_F(FrequencyDialogs, SaveTextChoiceStartsAtTheShownCounts)
{
    CHistSaveTextDlg dlg;
    dialogs.On(CHistSaveTextDlg::kTemplateId, [&](fw::CDialog& d) {
        EXPECT_TRUE(Checked(d, CHistSaveTextDlg::kIdShownCounts));
        Click(d, CHistSaveTextDlg::kIdAllCounts);
        Click(d, fw::IDOK);
        return -1;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.m_choice, 2);
}

TEST(HistOutParam, OkNeedsABlockOrASelectedAnalysis)
{
    CHistOutParam p;
    p.m_all = 0;
    p.m_selection.assign(3, false);
    EXPECT_FALSE(p.CanOutput());
    p.SelectRows(1, 2, true);
    EXPECT_TRUE(p.CanOutput());
    EXPECT_TRUE(p.RowsAre(1, 2, true));
    EXPECT_FALSE(p.RowsAre(0, 2, true));
    p.m_separate = 0;
    EXPECT_FALSE(p.CanOutput());
    p.m_mmData = 1;
    EXPECT_TRUE(p.CanOutput());
}

TEST_F(FrequencyDialogs, Vo8025OkNeedsSomethingToWrite)
{
    auto analyses = histtest::FixtureRecord();
    CHistOutParam options;
    C8025OutDlg dlg(options, analyses.get());
    dialogs.On(C8025OutDlg::kTemplateId, [&](fw::CDialog& d) {
        auto& out = static_cast<C8025OutDlg&>(d);
        CHistOutGrid& grid = *out.GetGrid();
        EXPECT_EQ(options.m_selection, std::vector<bool>(4, false));
        EXPECT_TRUE(Enabled(d, fw::IDOK));
        Click(d, C8025OutDlg::kIdAll);
        // Separate blocks without a selected analysis: nothing to write.
        EXPECT_FALSE(Enabled(d, fw::IDOK));
        Click(d, C8025OutDlg::kIdMMData);
        EXPECT_TRUE(Enabled(d, fw::IDOK));
        Click(d, C8025OutDlg::kIdMMData);
        EXPECT_FALSE(Enabled(d, fw::IDOK));
        grid.ToggleRow(1);
        EXPECT_TRUE(Enabled(d, fw::IDOK));

        fw::CString text;
        grid.GetSheetText(text, 0, 1, 0);
        EXPECT_EQ(text, "する");
        grid.GetSheetText(text, 0, 0, 0);
        EXPECT_EQ(text, "しない");
        CellFormat format;
        grid.GetSheetCellFormat(format, 0, 1);
        EXPECT_EQ(format.crText, CHistOutGrid::kSelectedColor);
        grid.GetTagText(text, 1, 0, 0);
        EXPECT_EQ(text, "解析方法");
        grid.GetRowHeaderText(text, 0, 3, 0);
        EXPECT_EQ(text, "DN_4");
        grid.GetRowHeaderText(text, 1, 3, 0);
        EXPECT_EQ(text, "AMP");

        // The popup's commands act on the grid's selection.
        grid.SetSelection(CCellRange{2, 0, 3, 0}, {2, 0}, {2, 0}, false);
        EXPECT_TRUE(grid.SelectedRowsAre(false));
        grid.SetSelectedRows(true);
        EXPECT_TRUE(grid.SelectedRowsAre(true));
        Click(d, fw::IDOK);
        return -1;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(options.m_all, 0);
    EXPECT_EQ(options.m_selection, (std::vector<bool>{false, true, true, true}));
}

TEST_F(FrequencyDialogs, Vo8025CommandWritesTheChosenFile)
{
    kivtest::TempDir dir;
    CHistDoc doc;
    doc.CreateNewContents();
    doc.CreateFile({}, {}, "t", histtest::FixtureRecord().release(), "c");
    CHist8025OutChooser chooser;
    fw::ScopedInstall<IHistOutChooser> installed(chooser);
    const std::string path = (dir / "out.csv").string();
    files.AnswerSave(fw::CString(path));
    dialogs.On(C8025OutDlg::kTemplateId, [&](fw::CDialog& d) {
        Click(d, C8025OutDlg::kIdSeparate);
        Click(d, fw::IDOK);
        return -1;
    });
    doc.OnFileOutput8025Csv();
    EXPECT_TRUE(std::filesystem::exists(path));
    ASSERT_EQ(files.Requests().size(), 1u);
    EXPECT_EQ(files.Requests().front().request.defaultExt, "csv");
}

CKiv406FileInfo File(const char* name, int day)
{
    CKiv406FileInfo f;
    f.m_name = name;
    f.m_headerTime = fw::COleDateTime(2009, 3, day, 5, 6, 7);
    return f;
}

TEST(CFHistFileInfoGrid, ListsTheFilesOfTheShownUnit)
{
    std::vector<CKiv406FileInfo> unit0 = {File("\\HIST\\H0001", 4), File("\\HIST\\H0002", 5)};
    std::vector<CKiv406FileInfo> unit1;
    CCFHistFileInfoGrid::FileLists lists = {&unit0, &unit1};
    CCFHistFileInfoGrid grid;
    grid.SetFileLists(&lists);
    grid.Reset();
    ASSERT_EQ(grid.GetStyle() != nullptr, true);
    CZELGridStyle::SheetSize size;
    grid.GetStyle()->GetSheetSize(size);
    EXPECT_EQ(size.rows, 2);
    EXPECT_EQ(size.cols, 1);
    fw::CString text;
    grid.GetColumnHeaderText(text, 0, 0, 0);
    EXPECT_EQ(text, "計測日時");
    grid.GetRowHeaderText(text, 0, 1, 0);
    EXPECT_EQ(text, "H0002");
    grid.GetSheetText(text, 0, 0, 0);
    EXPECT_EQ(text, "09/03/04\n05:06:07");
    grid.GetRowHeaderText(text, 0, 2, 0);
    EXPECT_EQ(text, "");
    grid.GetSheetText(text, 1, 0, 0);
    EXPECT_EQ(text, "");

    // A unit without frequency files shows one empty row.
    grid.SetUnit(1);
    grid.UpdateRowCount();
    grid.GetStyle()->GetSheetSize(size);
    EXPECT_EQ(size.rows, 1);
    grid.GetRowHeaderText(text, 0, 0, 0);
    EXPECT_EQ(text, "");

    grid.SetUnit(2);
    EXPECT_THROW(grid.UpdateRowCount(), fw::CInvalidArgException);
}

} // namespace

#endif
