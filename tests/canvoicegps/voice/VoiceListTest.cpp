#include "canvoicegps/voice/VoiceFileInfo.h"
#include "canvoicegps/voice/VoiceListObj.h"
#include "canvoicegps/voice/VoicePlayback.h"
#include "common/tank/DateDataTank.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/TankClasses.h"
#include "framework/core/Exceptions.h"
#include "framework/core/ServiceSlot.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

Bytes Chunk(const std::string& id, const Bytes& data)
{
    Bytes out(id.begin(), id.end());
    Put32(out, uint32_t(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2)
        out.push_back(0);
    return out;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

struct Sub {
    std::string id;
    std::string text;
};

// A WAV file: format, the INFO list of `subs`, then sound data.
Bytes Wav(const std::vector<Sub>& subs)
{
    Bytes info = Text("INFO");
    for (const Sub& s : subs) {
        const Bytes c = Chunk(s.id, Text(s.text));
        info.insert(info.end(), c.begin(), c.end());
    }
    Bytes form = Text("WAVE");
    for (const Bytes& c : {Chunk("fmt ", Bytes(16, 1)), Chunk("LIST", info), Chunk("data", Bytes(1000, 0x55))})
        form.insert(form.end(), c.begin(), c.end());
    return Chunk("RIFF", form);
}

std::vector<Sub> GoodSubs()
{
    return {{"IART", std::string("KIV-406") + '\0'}, {"INAM", "abc250312142530.wav"}, {"ICMT", "24,0.5"}};
}

void Write(const std::filesystem::path& path, const Bytes& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class VoiceFilesTest : public ::testing::Test {
protected:
    fw::CString PathOf(const std::string& name) const { return fw::CString((dir.Path() / name).string()); }
    kivtest::TempDir dir;
};

TEST_F(VoiceFilesTest, ReadsTheInformationBlockInAnyOrder)
{
    std::vector<Sub> reversed = GoodSubs();
    std::swap(reversed[0], reversed[2]);
    for (const auto& subs : {GoodSubs(), reversed}) {
        Write(dir.Path() / "a.wav", Wav(subs));
        fw::COleDateTime when;
        uint32_t sample = 0;
        double interval = 0;
        ASSERT_TRUE(ReadVoiceFileInfo(PathOf("a.wav"), &when, &sample, &interval));
        EXPECT_EQ(when.Format("%Y-%m-%d %H:%M:%S"), "2025-03-12 14:25:30");
        EXPECT_EQ(sample, 24u);
        EXPECT_EQ(interval, 0.5);
    }
}

struct RefusedCase {
    const char* name;
    std::string iart, inam, icmt;
    bool accepted;
};

TEST_F(VoiceFilesTest, AcceptsOnlyRecordingsOfThisSystem)
{
    const std::vector<RefusedCase> cases = {
        {"modelWithoutZero", "KIV-406", "250312142530.wav", "24,0.5", true},
        {"digitsWithoutDot", "KIV-406", "250312142530", "24,0.5", true},
        {"otherModel", "KIV-4061", "250312142530.wav", "24,0.5", false},
        {"noInterval", "KIV-406", "250312142530.wav", "24", false},
        {"nameNotDigits", "KIV-406", "abcdefghijkl.wav", "24,0.5", false},
    };
    for (const RefusedCase& c : cases) {
        Write(dir.Path() / "c.wav", Wav({{"IART", c.iart}, {"INAM", c.inam}, {"ICMT", c.icmt}}));
        EXPECT_EQ(ReadVoiceFileInfo(PathOf("c.wav"), nullptr, nullptr, nullptr), c.accepted) << c.name;
    }
    // Missing subchunks, empty and cut files, and no file at all.
    Write(dir.Path() / "d.wav", Wav({{"IART", "KIV-406"}, {"ICMT", "24,0.5"}}));
    EXPECT_FALSE(ReadVoiceFileInfo(PathOf("d.wav"), nullptr, nullptr, nullptr));
    Write(dir.Path() / "e.wav", Bytes{});
    EXPECT_FALSE(ReadVoiceFileInfo(PathOf("e.wav"), nullptr, nullptr, nullptr));
    Bytes cut = Wav(GoodSubs());
    cut.resize(60);
    Write(dir.Path() / "f.wav", cut);
    EXPECT_FALSE(ReadVoiceFileInfo(PathOf("f.wav"), nullptr, nullptr, nullptr));
    EXPECT_FALSE(ReadVoiceFileInfo(PathOf("missing.wav"), nullptr, nullptr, nullptr));
}

TEST_F(VoiceFilesTest, ScanNamesSubFolderFilesAndSkipsOthers)
{
    Write(dir.Path() / "STEP1" / "B1REC.wav", Wav(GoodSubs()));
    Write(dir.Path() / "STEP1" / "A0REC.WAV", Wav({{"IART", "KIV-406"}, {"INAM", "250101000000."}, {"ICMT", "0,1"}}));
    Write(dir.Path() / "STEP1" / "broken.wav", Bytes{1, 2, 3});
    Write(dir.Path() / "STEP1" / "notes.txt", Wav(GoodSubs()));
    std::vector<CVoiceFileTriger> records;
    FindVoiceFiles(fw::CString(dir.Path().string()), "STEP1", records);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].m_name, "STEP1\\A0REC");
    EXPECT_EQ(records[1].m_name, "STEP1\\B1REC");
    EXPECT_EQ(records[1].m_startTime, 12.0);
    records.clear();
    FindVoiceFiles(fw::CString(dir.Path().string()), "", records);
    EXPECT_TRUE(records.empty());
}

TEST_F(VoiceFilesTest, ScanStopsAtFiftyThousandRecords)
{
    std::vector<CVoiceFileTriger> records(kMaxVoiceRecords - 2);
    for (int i = 0; i < 5; ++i)
        Write(dir.Path() / ("r" + std::to_string(i) + ".wav"), Wav(GoodSubs()));
    FindVoiceFiles(fw::CString(dir.Path().string()), "", records);
    ASSERT_EQ(records.size(), kMaxVoiceRecords);
    EXPECT_EQ(records.back().m_name, "r1");
}

class FakePlayer : public IVoicePlayback {
public:
    unsigned Play(const fw::CString& path, std::function<void()>) override
    {
        played.push_back(path.str());
        return std::filesystem::exists(path.str()) ? 7 : 0;
    }
    void Stop(unsigned) override {}
    std::vector<std::string> played;
};

class VoiceListTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTankClasses(); }
};

TEST_F(VoiceListTest, KeepsRecordingsAndStoresTitlesAndTanks)
{
    CVoiceListObj list;
    list.CreateTanks();
    list.SetFileName(1, "B1REC");
    list.SetFolderName(1, "STEP2");
    list.SetFileName(0, "B1REC");
    list.SetFolderName(0, "STEP1");
    EXPECT_TRUE(list.SetRecordDate(1, 45000.5));
    list.SetStartTime(1, 12.0);
    EXPECT_EQ(list.GetMaxIndex(), 1);
    fw::CString text;
    list.GetStartTimeText(1, text);
    EXPECT_EQ(text, "12");
    list.GetStartTimeText(0, text);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(list.FindRecording("B1REC", "STEP2"));
    EXPECT_FALSE(list.FindRecording("B1REC", "STEP3"));
    EXPECT_EQ(list.GetFileName(5), "");
    EXPECT_THROW(list.GetFileName(-1), fw::CInvalidArgException);

    const Bytes stored = kivtest::StoredBytes([&](fw::CArchive& ar) { list.Serialize(ar); });
    // The highest index, then the titles as a string array.
    ASSERT_GE(stored.size(), 8u);
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 5), (Bytes{1, 0, 0, 0, 2}));
    CVoiceListObj loaded;
    kivtest::LoadBytes(stored, [&](fw::CArchive& ar) { loaded.Serialize(ar); });
    loaded.CreateTanks();
    EXPECT_EQ(loaded.GetMaxIndex(), 1);
    EXPECT_EQ(loaded.GetFileName(1), "B1REC");
    EXPECT_EQ(loaded.GetFolderName(1), ""); // until the folder is scanned again
    EXPECT_EQ(loaded.GetRecordDate(1), 45000.5);
    loaded.GetStartTimeText(1, text);
    EXPECT_EQ(text, "12");
    EXPECT_EQ(loaded.DateTank()->GetName(), "録音日時");
}

TEST_F(VoiceListTest, RefusesAnIndexBeyondItsTitles)
{
    CVoiceListObj list;
    list.CreateTanks();
    list.SetFileName(0, "A");
    Bytes stored = kivtest::StoredBytes([&](fw::CArchive& ar) { list.Serialize(ar); });
    stored[0] = 9; // nine recordings counted, one title stored
    CVoiceListObj loaded;
    EXPECT_THROW(kivtest::LoadBytes(stored, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), fw::CArchiveException);
}

TEST_F(VoiceListTest, PlaysTheFileOfItsFolder)
{
    kivtest::TempDir dir;
    Write(dir.Path() / "STEP1" / "B1REC.wav", Wav(GoodSubs()));
    FakePlayer player;
    fw::ScopedInstall<IVoicePlayback> installed(player);
    CVoiceListObj list;
    list.CreateTanks();
    list.SetFileName(0, "B1REC");
    list.SetFolderName(0, "STEP1");
    const fw::CString folder(dir.Path().string());
    EXPECT_EQ(list.PlayRecording(folder, 0, {}), 7u);
    EXPECT_EQ(list.PlayRecording(folder, 3, {}), 0u);
    ASSERT_EQ(player.played.size(), 2u);
    EXPECT_EQ(player.played[1], dir.Path().string() + "/.wav");
}

} // namespace
