// The frequency-history page: rows are the project's frequency-data files;
// renaming never replaces a file, conversion stops at the first failure.

#include "tests/project/views/pages/HistoryPageFixture.h"

#include "project/views/RenameDlgs.h"
#include "project/views/pages/PrjHistView.h"
#include "tests/support/ui/DialogFixture.h"

#include <filesystem>
#include <fstream>

namespace prjview {
namespace {

namespace fs = std::filesystem;

class FreqHistoryPageTest : public HistoryPageFixture {
protected:
    void SetUp() override
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        ASSERT_TRUE(doc->DoSave(fw::CString(PathOf("p.kivp")), true));
        folder = doc->GetDataFolder().str();
        CHistMMAObject& history = doc->GetFreqHistory();
        history.RemoveAll();
        for (int row = 0; row < 3; ++row) {
            const std::string name = "H" + std::to_string(row);
            history.Grow(row);
            history.SetPath(row, fw::CString(name));
            history.SetTitle(row, fw::CString("t" + std::to_string(row)));
            history.SetStartTime(row, fw::COleDateTime(2024, 6, 1, 8, 0, row));
            std::ofstream(fs::path(folder) / (name + ".kivh")) << name;
        }
        page = Show<CPrjHistView>(prjcmd::kPageFreqHistory);
        ASSERT_NE(page, nullptr);
        CProjectBaseView::RenameSetting() = CReNamePrf();
    }
    void RenameTo(const std::string& prefix)
    {
        uiDialogs.On(CRenameDatafileDlg::kTemplateId, [prefix](fw::CDialog& d) {
            d.SetDlgItemText(CRenameDatafileDlg::kIdPrefix, fw::CString(prefix));
            d.SetDlgItemText(CRenameDatafileDlg::kIdNumber, "1");
            appuitest::Click(d, fw::IDOK);
            return -1;
        });
        FrameOf(doc)->ExecuteCommand(CPrjHistView::kIdRename);
    }
    std::string Cell(int col, int row)
    {
        fw::CString text;
        page->GetSheetText(text, col, row, 1);
        return text.str();
    }

    std::string folder;
    CPrjHistView* page = nullptr;
};

TEST_F(FreqHistoryPageTest, RowsShowTheFilesAndRenameNumbersThem)
{
    EXPECT_EQ(Cell(0, 1), "H1");
    EXPECT_EQ(Cell(2, 2), "2024/06/01 08:00:02");
    EXPECT_EQ(Cell(4, 0), "t0");
    Select(page, 0, 0, 1, 0);
    RenameTo("F");
    EXPECT_EQ(Cell(0, 0), "F1");
    EXPECT_EQ(Cell(0, 1), "F2");
    EXPECT_TRUE(fs::exists(fs::path(folder) / "F2.kivh"));
    EXPECT_FALSE(fs::exists(fs::path(folder) / "H1.kivh"));
}

TEST_F(FreqHistoryPageTest, AnExistingNameStopsTheRenameWithoutReplacingIt)
{
    std::ofstream(fs::path(folder) / "G2.kivh") << "keep";
    Select(page, 0, 0, 2, 0);
    services.prompt.ExpectText("G2はすでにあるのでH1の名前を変更できません。", fw::IDOK);
    RenameTo("G");
    EXPECT_EQ(Cell(0, 0), "G1");
    EXPECT_EQ(Cell(0, 1), "H1");
    EXPECT_EQ(Cell(0, 2), "H2");
    EXPECT_EQ(ReadAll((fs::path(folder) / "G2.kivh").string()), "keep");
}

TEST_F(FreqHistoryPageTest, AnOpenFrequencyDocumentBlocksRenaming)
{
    fake.freqOpen = true;
    Select(page, 0, 0, 0, 0);
    services.prompt.ExpectText("データファイルをすべて閉じてから", fw::IDOK);
    FrameOf(doc)->ExecuteCommand(CPrjHistView::kIdRename);
    EXPECT_EQ(Cell(0, 0), "H0");
}

TEST_F(FreqHistoryPageTest, ConversionStopsAtTheFirstFailure)
{
    fake.failAt = 2;
    Select(page, 0, 0, 2, 0);
    FrameOf(doc)->ExecuteCommand(CPrjHistView::kIdConvert);
    ASSERT_EQ(fake.converted.size(), 2u);
    EXPECT_EQ(fake.converted[1], folder + "/H1.kivh");
    Select(page, 7, 0, 8, 0);
    EXPECT_FALSE(Enabled(page, CPrjHistView::kIdConvert));
}

} // namespace
} // namespace prjview
