// The project's voice list: found again in the data folder when the
// project opens, and extended by recordings fetched from a PC folder.

#include "tests/project/ProjectFixture.h"

#include "project/model/ProjectStrings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace prjtest;

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

// A recording of 12 March 2025 hh:mm:00 at sample `sample` of 0.5 s.
std::string Recording(int hour, int minute, int sample)
{
    char name[32];
    std::snprintf(name, sizeof name, "250312%02d%02d00.wav", hour, minute);
    const std::string info = "INFO" + Chunk("IART", std::string("KIV-406") + '\0') + Chunk("INAM", name) +
                             Chunk("ICMT", std::to_string(sample) + ",0.5");
    return Chunk("RIFF", "WAVE" + Chunk("LIST", info) + Chunk("data", std::string(64, 'x')));
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

double DayOf(int hour, int minute) { return fw::COleDateTime(2025, 3, 12, hour, minute, 0).m_dt; }

class ProjectVoice : public ProjectFixture {};

TEST_F(ProjectVoice, RescannedFromEverySubfolderByRecordingTime)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetVoiceList().GetMaxIndex(), -1);
    const std::string path = PathOf("v.kivp");
    const std::string bytes = SaveAndClose(doc, path);
    const std::filesystem::path folder = PathOf("v_DATA");
    WriteFile(folder / "D250312140000" / "B1REC2.wav", Recording(14, 30, 24));
    WriteFile(folder / "VOICE" / "B1REC1.wav", Recording(9, 0, 0));
    WriteFile(folder / "VOICE" / "junk.wav", "RIFF");

    doc = Open(path);
    ASSERT_NE(doc, nullptr);
    CVoiceListObj& list = doc->GetVoiceList();
    ASSERT_EQ(list.GetMaxIndex(), 1);
    EXPECT_EQ(list.GetFileName(0), "B1REC1");
    EXPECT_EQ(list.GetFolderName(0), "VOICE");
    EXPECT_EQ(list.GetFolderName(1), "D250312140000");
    EXPECT_DOUBLE_EQ(list.GetRecordDate(1), DayOf(14, 30));
    fw::CString start;
    list.GetStartTimeText(1, start);
    EXPECT_EQ(start, "12");
    EXPECT_FALSE(doc->IsModified());
    // Not kept in the project file: the bytes stay those of the first save.
    EXPECT_TRUE(SaveAndClose(doc, path) == bytes);
}

TEST_F(ProjectVoice, FetchedRecordingsGoIntoEveryStepThatHoldsThemOrOnceIntoVoice)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->DoSave(fw::CString(PathOf("w.kivp")), true));
    CMMAObject& history = doc->GetHistory();
    // Two overlapping steps from 14:00 (one hour) and 14:20 (one hour).
    for (int step = 0; step < 2; ++step) {
        history.Grow(step);
        history.SetStepTime(step, DayOf(14, step * 20));
        history.SetDuration(step, 1);
        history.SetDurationUnit(step, prjstr::kUnitHour);
        history.SetDataFileName(step, fw::CString("S" + std::to_string(step)));
    }
    const std::filesystem::path pc = PathOf("pc");
    WriteFile(pc / "REC1.wav", Recording(14, 30, 0));
    WriteFile(pc / "REC2.wav", Recording(9, 0, 0));
    std::vector<CKiv406FileInfo> unit2(2);
    unit2[0].m_name = fw::CString((pc / "REC1").string());
    unit2[0].m_firstSampleTime = fw::COleDateTime(DayOf(14, 30));
    unit2[1].m_name = fw::CString((pc / "REC2").string());
    unit2[1].m_firstSampleTime = fw::COleDateTime(DayOf(9, 0));
    const CKIV5980Doc::FileLists lists = {nullptr, &unit2};

    doc->CopyVoiceFiles(lists);
    const std::filesystem::path data = PathOf("w_DATA");
    EXPECT_TRUE(std::filesystem::exists(data / "S0" / "B2REC1.wav"));
    EXPECT_TRUE(std::filesystem::exists(data / "S1" / "B2REC1.wav"));
    EXPECT_TRUE(std::filesystem::exists(data / "VOICE" / "B2REC2.wav"));
    CVoiceListObj& list = doc->GetVoiceList();
    ASSERT_EQ(list.GetMaxIndex(), 2);
    EXPECT_EQ(list.GetFolderName(2), "VOICE");

    // Again: every target exists, so nothing is overwritten or listed twice.
    WriteFile(pc / "REC1.wav", "changed");
    doc->CopyVoiceFiles(lists);
    EXPECT_EQ(list.GetMaxIndex(), 2);
    EXPECT_EQ(ReadAll((data / "S0" / "B2REC1.wav").string()), Recording(14, 30, 0));
}

} // namespace
