// The measurement-history page rewrites the test title inside the selected
// steps' data files with the title pattern, and only that page offers the
// rename and retitle of data files.

#include "tests/project/views/pages/HistoryPageFixture.h"

#include "data/model/KivDataDoc.h"
#include "framework/core/Cp932.h"
#include "project/views/RenameDlgs.h"
#include "project/views/ReNamePrf.h"
#include "project/views/pages/PrjHistoryView.h"
#include "project/views/pages/PrjMMAView.h"
#include "tests/support/ui/DialogFixture.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace prjview {
namespace {

namespace fs = std::filesystem;

class RetitleTest : public HistoryPageFixture {
protected:
    fs::path DataFile(const std::string& name) const
    {
        return fs::path(doc->GetDataFolder().str()) / name / (name + ".kivd");
    }
    // The head of a data file of this program's version, titled "old".
    void WriteDataFile(const std::string& name)
    {
        fs::create_directories(DataFile(name).parent_path());
        std::string bytes(400, '\0');
        std::memcpy(bytes.data(), CKivDataDoc::kMagic, CKivDataDoc::kMagicBytes);
        const int32_t version = CKivDataDoc::kVersion;
        std::memcpy(bytes.data() + CKivDataDoc::kMagicBytes, &version, sizeof version);
        std::memcpy(bytes.data() + CKivDataDoc::kTitleOffset, "old", 3);
        std::ofstream(DataFile(name), std::ios::binary) << bytes;
    }
    // The title stored in a data file, as the program's code page has it.
    std::string FileTitle(const std::string& name) const
    {
        std::ifstream in(DataFile(name), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return std::string(bytes.c_str() + CKivDataDoc::kTitleOffset);
    }
    static std::string Sjis(const std::string& text) { return fw::cp932::ToCp932(text); }
};

TEST_F(RetitleTest, SelectedStepsGetTheNextNumberedTitleInTheirDataFiles)
{
    MakeHistory(4, {"D1", "", "D3", "D4"});
    WriteDataFile("D1");
    WriteDataFile("D3");
    auto* page = Show<CPrjHistoryView>(prjcmd::kPageHistory);
    ASSERT_NE(page, nullptr);
    Select(page, 0, 0, 3, 0);
    ASSERT_TRUE(Enabled(page, CProjectBaseView::kIdChangeTestTitle));

    CReNameTitlePrf& pattern = CProjectBaseView::TitleSetting();
    pattern.m_nAppend = 1;
    pattern.m_nNumbering = 1;
    pattern.m_strPrefix = "-";
    pattern.m_strSuffix.Empty();
    pattern.m_strNumber = "1";
    auto confirm = [this] {
        uiDialogs.On(CRenameTitleDlg::kTemplateId, [](fw::CDialog& d) {
            appuitest::Click(d, fw::IDOK);
            return -1;
        });
    };
    confirm();
    // D4 has no file: it is reported and passed over.
    services.prompt.ExpectText("D4", fw::IDOK);
    FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdChangeTestTitle);

    CMMAObject& history = doc->GetHistory();
    EXPECT_EQ(history.GetTitle(0).str(), "試験1-1");
    EXPECT_EQ(history.GetTitle(1).str(), "試験2") << "no data: untouched";
    EXPECT_EQ(history.GetTitle(2).str(), "試験3-2");
    EXPECT_EQ(history.GetTitle(3).str(), "試験4") << "its file could not be opened";
    EXPECT_EQ(FileTitle("D1"), Sjis("試験1-1"));
    EXPECT_EQ(FileTitle("D3"), Sjis("試験3-2"));
    EXPECT_TRUE(doc->IsModified());

    // Without appending the pattern replaces the title.
    pattern.m_nAppend = 0;
    pattern.m_nNumbering = 0;
    pattern.m_strPrefix = "新";
    Select(page, 2, 0, 2, 0);
    confirm();
    FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdChangeTestTitle);
    EXPECT_EQ(history.GetTitle(2).str(), "新");
    EXPECT_EQ(FileTitle("D3"), Sjis("新"));
}

TEST_F(RetitleTest, NothingIsRewrittenWhileFrequencyDataIsOpen)
{
    MakeHistory(1, {"D1"});
    WriteDataFile("D1");
    auto* page = Show<CPrjHistoryView>(prjcmd::kPageHistory);
    ASSERT_NE(page, nullptr);
    Select(page, 0, 0, 0, 0);
    fake.freqOpen = true;
    services.prompt.ExpectText("データファイルをすべて閉じてから行ってください。", fw::IDOK);
    FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdChangeTestTitle);
    EXPECT_EQ(doc->GetHistory().GetTitle(0).str(), "試験1");
    EXPECT_EQ(FileTitle("D1"), "old");
}

TEST_F(RetitleTest, OnlyTheHistoryPageRenamesAndRetitles)
{
    MakeHistory(2, {"D1", "D2"});
    auto* history = Show<CPrjHistoryView>(prjcmd::kPageHistory);
    ASSERT_NE(history, nullptr);
    Select(history, 0, 0, 1, 0);
    EXPECT_TRUE(Enabled(history, CProjectBaseView::kIdRenameDataFile));
    EXPECT_TRUE(Enabled(history, CProjectBaseView::kIdChangeTestTitle));

    auto* mma = Show<CPrjMMAView>(prjcmd::kPageStatistics);
    ASSERT_NE(mma, nullptr);
    Select(mma, 0, 0, 1, 0);
    EXPECT_TRUE(Enabled(mma, CPrjHistoryView::kIdShow));
    EXPECT_FALSE(Enabled(mma, CProjectBaseView::kIdRenameDataFile));
    EXPECT_FALSE(Enabled(mma, CProjectBaseView::kIdChangeTestTitle));
    EXPECT_FALSE(Enabled(ChannelPage(doc), CProjectBaseView::kIdChangeTestTitle));
}

} // namespace
} // namespace prjview
