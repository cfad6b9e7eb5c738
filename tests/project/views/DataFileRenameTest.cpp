// Numbered renaming of the history steps' data: the patterns, the folder
// and file moves, and what happens when a move cannot be made.

#include "tests/project/views/ProjectWindowFixture.h"

#include "framework/core/Services.h"
#include "project/views/DataFileRename.h"
#include "project/views/ReNamePrf.h"

#include <filesystem>
#include <fstream>

namespace prjview {
namespace {

namespace fs = std::filesystem;

TEST(ReNamePrf, NumbersCountOnFromTheTypedStart)
{
    struct Case {
        const char* name;
        const char* number;
        bool valid;
        int next, width;
    } cases[] = {
        {"plain", "001", true, 1, 3},
        {"full-width digits", "０１", true, 1, 2},
        {"letter", "1a", false, 0, 0},
        {"sign", "-1", false, 0, 0},
        {"too long for a number", "12345678901", false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CReNamePrf prf;
        prf.m_strNumber = c.number;
        ASSERT_EQ(prf.Validate(), c.valid);
        if (c.valid) {
            EXPECT_EQ(prf.m_nNext, c.next);
            EXPECT_EQ(prf.m_nWidth, c.width);
        }
    }
    CReNamePrf prf;
    prf.m_strPrefix = "T";
    ASSERT_TRUE(prf.Validate());
    fw::CString a, b, c;
    prf.MakeName(a);
    prf.MakeName(b);
    prf.MakeName(c);
    EXPECT_EQ(a, "T001");
    EXPECT_EQ(b, "T002");
    EXPECT_EQ(c, "T003");
    // Without numbering, prefix and suffix alone; an empty number is then fine.
    prf.m_nNoNumber = 1;
    prf.m_strNumber.Empty();
    prf.m_strSuffix = "_x";
    EXPECT_TRUE(prf.Validate());
    prf.MakeName(a);
    EXPECT_EQ(a, "T_x");
    EXPECT_EQ(CReNamePrf::CheckNamePart("a/b"), CReNamePrf::kIdBadCharacters);
    EXPECT_EQ(CReNamePrf::CheckNamePart("ab"), 0u);
}

TEST(ReNamePrf, TitlesAppendASerialNumberOrAreReplaced)
{
    CReNameTitlePrf prf;
    prf.m_nNumbering = 1;
    prf.m_strPrefix = "-";
    prf.m_strNumber = "1";
    ASSERT_TRUE(prf.Validate());
    fw::CString first = "Test";
    fw::CString second = "Test";
    prf.MakeName(first);
    prf.MakeName(second);
    EXPECT_EQ(first, "Test-1");
    EXPECT_EQ(second, "Test-2");
    prf.m_nAppend = 0;
    prf.m_nNumbering = 0;
    prf.m_strSuffix = "run";
    prf.MakeName(first);
    EXPECT_EQ(first, "-run");
    prf.m_nNumbering = 1;
    prf.m_strNumber.Empty();
    EXPECT_FALSE(prf.Validate());
}

class DataFileRenameTest : public ProjectWindowFixture {
protected:
    void SetUp() override
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        ASSERT_TRUE(doc->DoSave(fw::CString(PathOf("p.kivp")), true));
        folder = doc->GetDataFolder().str();
        doc->GetHistory().SetLastIndex(2);
        for (int step = 0; step < 3; ++step) {
            const std::string name = "D" + std::to_string(step);
            doc->GetHistory().SetDataFileName(step, fw::CString(name));
            fs::create_directories(fs::path(folder) / name);
            std::ofstream(fs::path(folder) / name / (name + ".kivd")) << name;
        }
        pattern.m_strPrefix = "T";
        ASSERT_TRUE(pattern.Validate());
    }
    std::string NameOf(int step) const { return doc->GetHistory().GetDataFileName(step).str(); }
    bool HasData(const std::string& name) const { return fs::exists(fs::path(folder) / name / (name + ".kivd")); }

    CKIV5980Doc* doc = nullptr;
    std::string folder;
    CReNamePrf pattern;
};

TEST_F(DataFileRenameTest, ThreeStepsBecomeT001ToT003)
{
    EXPECT_EQ(CDataFileRename::Rename(*doc, 0, 5, pattern), 3);
    for (int step = 0; step < 3; ++step) {
        const std::string name = "T00" + std::to_string(step + 1);
        EXPECT_EQ(NameOf(step), name);
        EXPECT_TRUE(HasData(name)) << name;
        EXPECT_FALSE(fs::exists(fs::path(folder) / ("D" + std::to_string(step))));
    }
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DataFileRenameTest, AnExistingTargetStopsWithEarlierStepsRenamed)
{
    fs::create_directories(fs::path(folder) / "T002");
    services.prompt.ExpectText("T002はすでにあるのでD1の名前を変更できません。", fw::IDOK);
    EXPECT_EQ(CDataFileRename::Rename(*doc, 0, 2, pattern), 1);
    EXPECT_EQ(NameOf(0), "T001");
    EXPECT_EQ(NameOf(1), "D1");
    EXPECT_TRUE(HasData("D1"));
    EXPECT_EQ(NameOf(2), "D2");
}

TEST_F(DataFileRenameTest, AFileThatCannotMoveLeavesItsFolderAndStepAsTheyWere)
{
    fs::remove(fs::path(folder) / "D1" / "D1.kivd");
    services.prompt.ExpectText("", fw::IDOK);
    EXPECT_EQ(CDataFileRename::Rename(*doc, 1, 2, pattern), 0);
    EXPECT_EQ(NameOf(1), "D1");
    EXPECT_TRUE(fs::exists(fs::path(folder) / "D1"));
    EXPECT_FALSE(fs::exists(fs::path(folder) / "T001"));
}

TEST_F(DataFileRenameTest, AnOpenDocumentIsFoundByItsPath)
{
    EXPECT_TRUE(CDataFileRename::IsDocumentOpen(*doc, doc->GetPathName()));
    EXPECT_FALSE(CDataFileRename::IsDocumentOpen(*doc, fw::CString(PathOf("other.kivd"))));
}

} // namespace
} // namespace prjview

#include "project/views/RenameDlgs.h"
#include "tests/support/ui/DialogFixture.h"

namespace prjview {
namespace {

TEST_F(DataFileRenameTest, TheRenameDialogRefusesBadEntriesThenRenamesTheSelectedSteps)
{
    CPrjChView* page = ChannelPage(doc);
    ASSERT_NE(page, nullptr);
    page->GetGrid()->SetSelection({0, 0, 1, 0}, {0, 0}, {0, 0}, false);
    services.prompt.ExpectText("は使用できません。", fw::IDOK);
    services.prompt.Expect(CReNamePrf::kIdEnterNumber, fw::IDOK);
    uiDialogs.On(CRenameDatafileDlg::kTemplateId, [](fw::CDialog& d) {
        d.SetDlgItemText(CRenameDatafileDlg::kIdPrefix, "A/B");
        appuitest::Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SetDlgItemText(CRenameDatafileDlg::kIdPrefix, "R");
        d.SetDlgItemText(CRenameDatafileDlg::kIdNumber, "1a");
        appuitest::Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SetDlgItemText(CRenameDatafileDlg::kIdNumber, "７");
        appuitest::Click(d, fw::IDOK);
        return -1;
    });
    page->OnRenameDataFile();
    EXPECT_EQ(NameOf(0), "R7");
    EXPECT_EQ(NameOf(1), "R8");
    EXPECT_EQ(NameOf(2), "D2");
    EXPECT_TRUE(HasData("R8"));
    // The channel page lists no steps: its rename command is off.
    fw::CCmdUI ui(CProjectBaseView::kIdRenameDataFile);
    page->OnCmdMsg(ui.m_nID, fw::CN_UPDATE_COMMAND_UI, &ui);
    EXPECT_FALSE(ui.m_bEnabled);
}

} // namespace
} // namespace prjview
