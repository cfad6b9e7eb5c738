// The data window's voice page: the recordings of the document's own folder
// found at every load in time order, played and stopped through a
// recording player, and renamed on disk without overwriting.

#include "canvoicegps/views/data/KivDataVoiceView.h"
#include "canvoicegps/voice/VoiceListObj.h"
#include "canvoicegps/voice/VoicePlayback.h"
#include "common/cache/CacheDataTank.h"
#include "data/model/DataClasses.h"
#include "data/model/KivDataDoc.h"
#include "data/views/KivDataFrame.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StringTable.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/CommonControls.h"
#include "framework/ui/MultiDocTemplate.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "grid/model/GridClasses.h"
#include "instrument/system/MarkerList.h"
#include "instrument/system/SystemClasses.h"
#include "project/views/RenameDlgs.h"
#include "tests/support/TestSupport.h"

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

// A recording that started at `stamp` (YYMMDDhhmmss), `samples` samples of
// 0.5 s into the measurement.
std::string Recording(const std::string& stamp, int samples)
{
    const std::string info = "INFO" + Chunk("IART", std::string("KIV-406\0", 8)) + Chunk("INAM", stamp + ".wav") +
                             Chunk("ICMT", std::to_string(samples) + ",0.5");
    return Chunk("RIFF", "WAVE" + Chunk("LIST", info) + Chunk("data", std::string(32, 'x')));
}

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

class DataVoiceView : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        kivtest::RegisterAllClasses();
        RegisterGridClasses();
        RegisterDataClasses();
        RegisterSystemClasses();
    }
    void SetUp() override
    {
        std::filesystem::create_directories(dir / "cache");
        CCacheDataTank<float>::SetTempFolder((dir / "cache").c_str());
        CCacheDataTank<double>::SetTempFolder((dir / "cache").c_str());
        oldHost = InstallDataDocHost(&host);
        // The voice page is the window's first page here.
        auto* tmpl = new fw::CMultiDocTemplate(130, FW_RUNTIME_CLASS(CKivDataDoc), FW_RUNTIME_CLASS(CKivDataFrame),
                                               FW_RUNTIME_CLASS(CKivDataVoiceView));
        tmpl->SetDocStrings(fw::LoadStringText(130).c_str());
        manager.AddDocTemplate(tmpl);
        folder = dir / "D1";
        std::filesystem::create_directories(folder);
        path = (folder / "D1.kivd").string();
        {
            CKivDataDoc doc;
            ASSERT_TRUE(doc.CreateNewContents());
            doc.GetAdSet().m_dClk = 500;
            ASSERT_TRUE(doc.OnSaveDocument(fw::CString(path)));
        }
        Put("B1C.wav", Recording("250312120000", 24));
        Put("B1A.wav", Recording("250312100000", 2));
        // One moment, two recordings: by file name.
        Put("B2B.wav", Recording("250312110000", 4));
        Put("B1B.wav", Recording("250312110000", 6));
        Put("empty.wav", "");
        Put("cut.wav", Recording("250312130000", 1).substr(0, 30));
    }
    void Open()
    {
        doc = dynamic_cast<CKivDataDoc*>(manager.OpenDocumentFile(fw::CString(path), true));
        ASSERT_NE(doc, nullptr);
        fw::POSITION pos = doc->GetFirstViewPosition();
        while (pos && !page)
            page = dynamic_cast<CKivDataVoiceView*>(doc->GetNextView(pos));
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override
    {
        manager.CloseAllDocuments(false);
        InstallDataDocHost(oldHost);
        EXPECT_EQ(uiDialogs.Problems(), "");
    }
    void Put(const std::string& name, const std::string& bytes)
    {
        std::ofstream(folder / name, std::ios::binary) << bytes;
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
    void ScriptRename(const char* prefix, const char* number)
    {
        uiDialogs.On(CRenameDatafileDlg::kTemplateId, [prefix, number](fw::CDialog& d) {
            d.SetDlgItemText(CRenameDatafileDlg::kIdPrefix, prefix);
            d.SetDlgItemText(CRenameDatafileDlg::kIdNumber, number);
            d.OnOK();
            return 0;
        });
    }

    kivtest::TempDir dir;
    std::filesystem::path folder;
    std::string path;
    fw::test::ServiceScope services;
    fw::test::ScriptedDialogs uiDialogs;
    CKivDocManager manager;
    CDataDocHost host{&manager};
    IDataDocHost* oldHost = nullptr;
    FakePlayer player;
    fw::ScopedInstall<IVoicePlayback> installPlayer{player};
    CKivDataDoc* doc = nullptr;
    CKivDataVoiceView* page = nullptr;
};

TEST_F(DataVoiceView, ListsTheFolderRecordingsInTimeOrderAfterALoad)
{
    Open();
    EXPECT_TRUE(doc->HasVoiceData());
    ASSERT_EQ(doc->GetVoiceList().GetMaxIndex(), 3) << "the empty and the cut file are no recordings";
    fw::CString header;
    page->GetColumnHeaderText(header, 1, 0, 0);
    EXPECT_EQ(header, "録音日時");
    page->GetColumnHeaderText(header, 2, 0, 0);
    EXPECT_EQ(header, "録音開始時間\n(sec)");
    const char* const names[] = {"B1A", "B1B", "B2B", "B1C"};
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(Cell(0, row), names[row]) << "row " << row;
    EXPECT_EQ(Cell(1, 1), "2025/03/12 11:00:00");
    EXPECT_EQ(Cell(2, 0), "1");
    EXPECT_EQ(Cell(2, 3), "12");
    EXPECT_EQ(Cell(0, 4), "") << "below the last recording";

    // The history update marks each recording on the first sample at or
    // after its start (0.5 s samples), and playing the mark finds its file.
    doc->LoadVoiceFiles();
    std::vector<int32_t> marks;
    std::vector<std::string> paths;
    CMarkerList& list = doc->GetBoxArray().GetMarkers();
    for (fw::POSITION pos = list.GetHeadPosition(); pos;) {
        CMarkerObj* mark = list.GetNext(pos);
        marks.push_back(mark->GetSampleIndex());
        if (auto* voice = dynamic_cast<CVoiceMarkerObj*>(mark))
            paths.push_back(voice->GetPath().str());
    }
    EXPECT_EQ(marks, (std::vector<int32_t>{2, 6, 4, 24})) << "in recording-time order";
    ASSERT_EQ(paths.size(), 4u);
    EXPECT_EQ(paths[0], (folder / "B1A.wav").string());

    // A second scan replaces the marks of the recordings, never doubles them.
    doc->LoadVoiceFiles();
    EXPECT_EQ(list.GetCount(), 4);
}

TEST_F(DataVoiceView, AFolderWithoutRecordingsOffersNothingToPlay)
{
    for (const char* name : {"B1A.wav", "B1B.wav", "B2B.wav", "B1C.wav"})
        std::filesystem::remove(folder / name);
    Open();
    EXPECT_FALSE(doc->HasVoiceData());
    Select(0, 0);
    EXPECT_FALSE(Enabled(CKivDataVoiceView::kIdPlay));
    EXPECT_FALSE(Enabled(CKivDataVoiceView::kIdRename));
    EXPECT_FALSE(Enabled(CKivDataVoiceView::kIdStop));
}

TEST_F(DataVoiceView, PlaysFromTheDocumentFolderAndASecondClickOnlyStops)
{
    Open();
    Select(1, 1);
    EXPECT_TRUE(Enabled(CKivDataVoiceView::kIdPlay));
    page->OnCellButton(0, 1);
    ASSERT_TRUE(page->IsPlaying());
    EXPECT_EQ(player.played.back(), (folder / "B1B.wav").string());
    EXPECT_FALSE(Enabled(CKivDataVoiceView::kIdPlay));
    EXPECT_FALSE(Enabled(CKivDataVoiceView::kIdRename));
    EXPECT_TRUE(Enabled(CKivDataVoiceView::kIdStop));
    page->OnCellButton(0, 1);
    EXPECT_FALSE(page->IsPlaying());
    EXPECT_EQ(player.played.size(), 1u);
    page->OnCellButton(0, 3);
    ASSERT_TRUE(page->IsPlaying());
    player.finished();
    EXPECT_FALSE(page->IsPlaying());
    EXPECT_TRUE(Enabled(CKivDataVoiceView::kIdPlay));
}

TEST_F(DataVoiceView, RenamesWithoutOverwritingAndFindsTheNewNamesAgain)
{
    Open();
    // Row 1 (B1B) would become T002: the file of that name stays untouched
    // and the walk stops there.
    Put("T002.wav", "keep");
    ScriptRename("T", "001");
    services.prompt.ExpectText("T002はすでにあるのでB1Bの名前を変更できません。", fw::IDOK);
    Select(0, 2);
    page->OnRename();
    EXPECT_TRUE(std::filesystem::exists(folder / "T001.wav"));
    EXPECT_TRUE(std::filesystem::exists(folder / "B1B.wav"));
    std::ifstream kept(folder / "T002.wav");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep");
    EXPECT_EQ(Cell(0, 0), "T001");
    EXPECT_EQ(Cell(0, 1), "B1B");
    EXPECT_EQ(services.prompt.Problems(), "");

    // A single row takes the prefix alone.
    ScriptRename("ONE", "");
    Select(3, 3);
    page->OnRename();
    EXPECT_TRUE(std::filesystem::exists(folder / "ONE.wav"));
    page->OnHistoryUpdate();
    EXPECT_EQ(doc->GetVoiceList().GetFileName(3), "ONE") << "the renamed file is found again";
    EXPECT_TRUE(doc->IsModified());
}

} // namespace
