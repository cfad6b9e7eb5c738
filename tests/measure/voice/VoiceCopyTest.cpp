// Voice recordings read from the control units' cards into the project's
// data folder, against emulated control units.

#include "tests/measure/TransferFixture.h"

#include "measure/model/voice/CFVoiceUpdate.h"
#include "measure/model/voice/VoiceCopyRun.h"
#include "measure/model/voice/VoiceCopyTarget.h"
#include "tests/support/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace {

using seqtest::Lines;
using transfertest::TestHost;
using Files = std::vector<CKiv406FileInfo>;

double At(int hour, int minute) { return fw::COleDateTime(2025, 3, 12, hour, minute, 0).m_dt; }

// The project's side: steps as (start day, length in days, folder).
class TestTarget final : public IVoiceCopyTarget {
public:
    struct Step {
        double start, length;
        std::string folder;
    };
    fw::CString DataFolder() override { return folder; }
    int FindStepByTime(const fw::COleDateTime& time, int start) override
    {
        for (int s = std::max(start, 0); s < int(steps.size()); ++s)
            if (steps[s].start <= time.m_dt && time.m_dt <= steps[s].start + steps[s].length)
                return s;
        return -1;
    }
    fw::CString StepFolder(int step) override { return fw::CString(steps.at(size_t(step)).folder); }
    bool CanAddVoice() override { return int(listed.size()) < limit; }
    int VoiceCount() override { return int(listed.size()); }
    void AddVoiceRecording(const fw::CString& f, const fw::CString& title, const fw::COleDateTime&) override
    {
        const std::string entry = f.str() + "/" + title.str();
        if (std::find(listed.begin(), listed.end(), entry) == listed.end())
            listed.push_back(entry);
    }

    fw::CString folder;
    std::vector<Step> steps;
    std::vector<std::string> listed;
    int limit = 50000;
};

std::vector<uint8_t> Sound(size_t bytes, uint8_t seed)
{
    std::vector<uint8_t> out(bytes);
    for (size_t i = 0; i < bytes; ++i)
        out[i] = uint8_t(i * 7 + seed);
    return out;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class VoiceCopyTest : public seqtest::SequenceTest {
protected:
    void Start(int boxes)
    {
        Connect(boxes, {2, 8});
        lists.assign(size_t(boxes), {});
        target.folder = fw::CString(dir.Path().string());
    }

    void AddRecording(int box, const std::string& name, const std::vector<uint8_t>& bytes, double when)
    {
        Dev(box).With([&](kivemu::MeasureDevice&, kivemu::MeterDevice& meter, kivemu::DeviceState&) {
            meter.files.push_back({name + ".wav", bytes, -1});
        });
        CKiv406FileInfo entry;
        entry.m_name = name.c_str();
        entry.m_dataSize = int(bytes.size());
        entry.m_firstSampleTime = fw::COleDateTime(when);
        lists[size_t(box)].push_back(entry);
    }

    CVoiceCopyRun::Result Run(std::vector<int>* ordinals = nullptr, std::function<void(CVoiceCopyRun&)> idle = {})
    {
        vectors.clear();
        for (Files& list : lists)
            vectors.push_back(&list);
        CCFVoiceUpdate job(host, target);
        job.SetFileLists(&vectors);
        ClearLines();
        CVoiceCopyRun run(host, target);
        if (idle)
            run.SetIdle([&] { idle(run); });
        return run.Run(job, [&](int n) {
            if (ordinals)
                ordinals->push_back(n);
        });
    }

    Lines Requests(int unit)
    {
        Lines out;
        for (const std::string& line : LinesOf(unit))
            if (line.rfind("DAT", 0) == 0)
                out.push_back(line);
        return out;
    }

    kivtest::TempDir dir;
    TestHost host{system};
    TestTarget target;
    std::vector<Files> lists;
    CBoxArray::FileVectors vectors;
};

TEST_F(VoiceCopyTest, EveryUnitsFilesAreWrittenFiledAndListed)
{
    Start(2);
    target.steps = {{At(14, 0), 1.0 / 24, "D250312140000"}, {At(14, 20), 1.0 / 24, "D250312142000"}};
    const auto a = Sound(1000, 1), b = Sound(3000, 2), c = Sound(10, 3);
    AddRecording(0, "REC001", a, At(14, 30)); // in both steps
    AddRecording(0, "REC002", b, At(9, 0));   // in none
    AddRecording(1, "REC001", c, At(14, 10)); // in the first only
    link.SetReplyTimeout(3);
    std::vector<int> ordinals;

    EXPECT_EQ(Run(&ordinals), CVoiceCopyRun::kCompleted);
    EXPECT_EQ(ordinals, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Requests(0), (Lines{"DATREC001.wav", "DATREC002.wav"}));
    EXPECT_EQ(Requests(1), (Lines{"DATREC001.wav"}));
    EXPECT_EQ(ReadFile(dir.Path() / "D250312140000" / "B1REC001.wav"), a);
    EXPECT_EQ(ReadFile(dir.Path() / "D250312142000" / "B1REC001.wav"), a);
    EXPECT_EQ(ReadFile(dir.Path() / "VOICE" / "B1REC002.wav"), b);
    EXPECT_EQ(ReadFile(dir.Path() / "D250312140000" / "B2REC001.wav"), c);
    EXPECT_EQ(target.listed, (std::vector<std::string>{"D250312140000/B1REC001", "D250312142000/B1REC001",
                                                       "VOICE/B1REC002", "D250312140000/B2REC001"}));
    EXPECT_EQ(link.GetReplyTimeout(), 10.0);

    // Again: written anew, not listed twice.
    target.steps.clear();
    EXPECT_EQ(Run(), CVoiceCopyRun::kCompleted);
    EXPECT_EQ(target.listed.size(), 6u); // both B?REC001 now also in "VOICE"
}

TEST_F(VoiceCopyTest, LongFilesGoInBlocksAndAFailedBlockIsReadAgainFromTheStart)
{
    Start(1);
    const auto sound = Sound(163840, 9);
    AddRecording(0, "LONG", sound, At(9, 0));
    FaultsOf(0).ErrorOn("DATLONG.wav", 22, 1);
    host.answers = {true};

    EXPECT_EQ(Run(), CVoiceCopyRun::kCompleted);
    EXPECT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(Requests(0), (Lines{"DATLONG.wav", "DATLONG.wav"}));
    EXPECT_EQ(ReadFile(dir.Path() / "VOICE" / "B1LONG.wav"), sound);
    EXPECT_EQ(host.progress.back(), 100u);

    // Block by block on this thread: 65536, 65536, then the 32768 left.
    vectors = {&lists[0]};
    CCFVoiceUpdate job(host, target);
    job.SetFileLists(&vectors);
    ASSERT_TRUE(job.Prepare());
    std::vector<unsigned> positions;
    bool more = true;
    while (more) {
        more = job.TransferChunk();
        positions.push_back(job.GetPosition());
    }
    EXPECT_EQ(positions, (std::vector<unsigned>{65536, 131072, 163840}));
    job.Finish();
    EXPECT_EQ(ReadFile(dir.Path() / "VOICE" / "B1LONG.wav"), sound);
}

TEST_F(VoiceCopyTest, EndsAsTheUserAndTheListDecide)
{
    Start(1);
    Files none;
    EXPECT_EQ(Run(), CVoiceCopyRun::kCancelled) << "nothing chosen";

    AddRecording(0, "R1", Sound(100, 1), At(9, 0));
    AddRecording(0, "R2", Sound(100, 2), At(9, 1));
    FaultsOf(0).ErrorOn("DATR1.wav", 22, 1);
    host.answers = {false};
    EXPECT_EQ(Run(), CVoiceCopyRun::kFailed) << "the user stops after a failure";
    EXPECT_TRUE(target.listed.empty());

    target.limit = 1;
    EXPECT_EQ(Run(), CVoiceCopyRun::kCancelled) << "the list is full after the first file";
    EXPECT_EQ(target.listed.size(), 1u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("1個"), std::string::npos);
    EXPECT_EQ(Requests(0), (Lines{"DATR1.wav"}));
}

TEST_F(VoiceCopyTest, WaitingKeepsCallingTheIdleWorkAndEscEndsTheCopy)
{
    Start(1);
    AddRecording(0, "SLOW", Sound(1000, 4), At(9, 0));
    FaultsOf(0).DelayReply("DATSLOW.wav", 400);
    int idles = 0;
    EXPECT_EQ(Run(nullptr, [&](CVoiceCopyRun& run) {
                  if (++idles == 2)
                      run.Cancel();
              }),
              CVoiceCopyRun::kCancelled);
    EXPECT_GE(idles, 2);
    EXPECT_TRUE(target.listed.empty());
}

} // namespace
