// The project's voice page: the recordings of the data folder listed,
// played and stopped through a recording player, and renamed on disk.

#include "canvoicegps/views/PrjVoiceView.h"
#include "canvoicegps/voice/VoicePlayback.h"
#include "common/cache/CacheDataTank.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/CommonControls.h"
#include "framework/ui/MultiDocTemplate.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "grid/model/GridClasses.h"
#include "instrument/check/CheckClasses.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/views/ProjectFrame.h"
#include "project/views/RenameDlgs.h"
#include "tests/support/TestSupport.h"
#include "tests/support/link/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

void Put32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(char(v >> (8 * i)));
}

std::string Chunk(const std::string& id, const std::string& data)
{
    std::string out = id;
    Put32(out, uint32_t(data.size()));
    out += data;
    if (data.size() % 2)
        out.push_back('\0');
    return out;
}

std::string Recording(const std::string& stamp)
{
    const std::string info = "INFO" + Chunk("IART", "KIV-406") + Chunk("INAM", stamp + ".wav") + Chunk("ICMT", "2,0.5");
    return Chunk("RIFF", "WAVE" + Chunk("LIST", info) + Chunk("data", std::string(32, 'x')));
}

class Host : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return profile; }
    CADSetPrf& AdDefaults() override { return adSet; }
    CMeterInterfacePrf profile;
    CADSetPrf adSet;
};

class FakePlayer : public IVoicePlayback {
public:
    unsigned Play(const fw::CString& path, std::function<void()> done) override
    {
        played.push_back(path.str());
        finished = std::move(done);
        return std::filesystem::exists(path.str()) ? ++next : 0;
    }
    void Stop(unsigned id) override { stopped.push_back(id); }
    unsigned next = 0;
    std::vector<std::string> played;
    std::vector<unsigned> stopped;
    std::function<void()> finished;
};

class PrjVoiceViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        kivtest::RegisterAllClasses();
        systest::RegisterClassesOnce();
        RegisterCheckClasses();
        RegisterGridClasses();
    }
    void SetUp() override
    {
        std::filesystem::create_directories(dir / "cache");
        CCacheDataTank<float>::SetTempFolder((dir / "cache").c_str());
        CCacheDataTank<double>::SetTempFolder((dir / "cache").c_str());
        oldHost = InstallDataDocHost(&dataHost);
        host.profile.SetCount(1);
        host.profile.m_unitTypes[0] = systest::Types({2});
        // The voice page is the window's first page here.
        auto* tmpl = new fw::CMultiDocTemplate(129, FW_RUNTIME_CLASS(CKIV5980Doc), FW_RUNTIME_CLASS(CProjectFrame),
                                               FW_RUNTIME_CLASS(CPrjVoiceView));
        tmpl->SetDocStrings(fw::LoadStringText(129).c_str());
        manager.AddDocTemplate(tmpl);
        auto* doc = dynamic_cast<CKIV5980Doc*>(tmpl->OpenDocumentFile(fw::CString(), false));
        ASSERT_NE(doc, nullptr);
        const std::string path = (dir / "v.kivp").string();
        ASSERT_TRUE(doc->DoSave(fw::CString(path), true));
        doc->OnCloseDocument();
        data = dir / "v_DATA";
        std::filesystem::create_directories(data / "D1");
        std::ofstream(data / "D1" / "B1A.wav", std::ios::binary) << Recording("250312100000");
        std::ofstream(data / "D1" / "B1B.wav", std::ios::binary) << Recording("250312110000");
        std::ofstream(data / "D1" / "B1C.wav", std::ios::binary) << Recording("250312120000");
        project = dynamic_cast<CKIV5980Doc*>(manager.OpenDocumentFile(fw::CString(path), true));
        ASSERT_NE(project, nullptr);
        fw::POSITION pos = project->GetFirstViewPosition();
        while (pos && !page)
            page = dynamic_cast<CPrjVoiceView*>(project->GetNextView(pos));
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override
    {
        manager.CloseAllDocuments(false);
        InstallDataDocHost(oldHost);
        EXPECT_EQ(uiDialogs.Problems(), "");
    }
    std::string Cell(int col, int row)
    {
        fw::CString text;
        page->GetSheetText(text, col, row, 0);
        return text.str();
    }
    bool Enabled(unsigned id)
    {
        fw::CCmdUI ui(id);
        page->OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
        return ui.m_bEnabled;
    }
    void Select(int top, int bottom)
    {
        page->GetGrid()->SetSelection({top, 0, bottom, 0}, {top, 0}, {top, 0}, false);
    }

    kivtest::TempDir dir;
    std::filesystem::path data;
    fw::test::ServiceScope services;
    fw::test::ScriptedDialogs uiDialogs;
    CKivDocManager manager;
    CDataDocHost dataHost{&manager};
    IDataDocHost* oldHost = nullptr;
    Host host;
    fw::ScopedInstall<IProjectHost> installHost{host};
    FakePlayer player;
    fw::ScopedInstall<IVoicePlayback> installPlayer{player};
    CKIV5980Doc* project = nullptr;
    CPrjVoiceView* page = nullptr;
};

TEST_F(PrjVoiceViewTest, ListsTheRecordingsOfTheDataFolder)
{
    fw::CString header;
    page->GetColumnHeaderText(header, 1, 0, 0);
    EXPECT_EQ(header, "録音日時");
    EXPECT_EQ(Cell(0, 0), "B1A");
    EXPECT_EQ(Cell(1, 1), "2025/03/12 11:00:00");
    EXPECT_EQ(Cell(2, 2), "D1");
    EXPECT_EQ(Cell(0, 3), "");
}

TEST_F(PrjVoiceViewTest, PlaysStopsAndASecondClickOnlyStops)
{
    Select(1, 1);
    EXPECT_TRUE(Enabled(CPrjVoiceView::kIdPlay));
    EXPECT_FALSE(Enabled(CPrjVoiceView::kIdStop));
    page->OnCellButton(0, 1);
    ASSERT_TRUE(page->IsPlaying());
    EXPECT_EQ(player.played.back(), (data / "D1" / "B1B.wav").string());
    EXPECT_FALSE(Enabled(CPrjVoiceView::kIdPlay));
    EXPECT_FALSE(Enabled(CPrjVoiceView::kIdRename));
    EXPECT_TRUE(Enabled(CPrjVoiceView::kIdStop));
    page->OnCellButton(0, 1);
    EXPECT_FALSE(page->IsPlaying());
    EXPECT_EQ(player.played.size(), 1u) << "a second click stops only";
    // The end of a recording returns the page to rest.
    page->OnCellButton(0, 2);
    ASSERT_TRUE(page->IsPlaying());
    player.finished();
    EXPECT_FALSE(page->IsPlaying());
    EXPECT_TRUE(Enabled(CPrjVoiceView::kIdPlay));
}

TEST_F(PrjVoiceViewTest, RenamesTheSelectedRecordingsAndStopsAtAnExistingName)
{
    // B1B would become "T002": a file of that name stops the walk there.
    std::ofstream(data / "D1" / "T002.wav") << "x";
    uiDialogs.On(CRenameDatafileDlg::kTemplateId, [](fw::CDialog& d) {
        d.SetDlgItemText(CRenameDatafileDlg::kIdPrefix, "T");
        d.SetDlgItemText(CRenameDatafileDlg::kIdNumber, "001");
        d.OnOK();
        return 0;
    });
    services.prompt.ExpectText("T002はすでにあるのでB1Bの名前を変更できません。", fw::IDOK);
    Select(0, 2);
    page->OnRename();
    EXPECT_TRUE(std::filesystem::exists(data / "D1" / "T001.wav"));
    EXPECT_TRUE(std::filesystem::exists(data / "D1" / "B1B.wav"));
    EXPECT_TRUE(std::filesystem::exists(data / "D1" / "B1C.wav"));
    EXPECT_EQ(Cell(0, 0), "T001");
    EXPECT_EQ(Cell(0, 1), "B1B");
    EXPECT_EQ(services.prompt.Problems(), "");
}

} // namespace
