// The measurement history and the data folder: its name and subfolders, and
// the history rebuilt from the data files found there.

#include "tests/project/ProjectFixture.h"

#include "common/tank/DblDataTank.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/Services.h"
#include "project/model/DataHeaderReader.h"
#include "project/model/ProjectStrings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace prjtest;

namespace {

// Reads the test's stand-in data files: "start title method" on one line, or
// anything else, which counts as damaged.
class CFakeHeaderReader : public IDataHeaderReader {
public:
    bool ReadHeader(const fw::CString& path, CMMAHeader& header) override
    {
        std::ifstream in(path.str());
        if (!in)
            return false;
        ++reads;
        std::string title;
        if (!(in >> header.startTime >> title >> header.method))
            throw fw::CArchiveException(fw::CArchiveException::badIndex);
        header.title = fw::CString(title);
        header.duration = 10;
        header.durationUnit = prjstr::kUnitSecond;
        CMMAHeader::Channel channel;
        channel.number = 0;
        channel.name = "CH1";
        channel.valueType = 'F';
        channel.max = header.startTime;
        header.channels.push_back(channel);
        return true;
    }
    int reads = 0;
};

class History : public ProjectFixture {
protected:
    void AddDataFile(const std::string& folder, const std::string& name, const std::string& content)
    {
        const std::filesystem::path dirPath = std::filesystem::path(folder) / name;
        std::filesystem::create_directories(dirPath);
        std::ofstream(dirPath / (name + ".kivd")) << content;
    }

    CFakeHeaderReader reader;
    fw::ScopedInstall<IDataHeaderReader> installReader{reader};
};

TEST_F(History, DataFolderReplacesOnlyTheFileExtension)
{
    struct Row {
        const char* name;
        const char* path;
        const char* folder;
    };
    const Row rows[] = {
        {"lower case", "/m/test.kivp", "/m/test_DATA"},
        {"upper case", "/m/TEST.KIVP", "/m/TEST_DATA"},
        {"folder names keep the extension", "/m/a.kivp/x.kivp", "/m/a.kivp/x_DATA"},
        {"no extension", "/m/plain", "/m/plain_DATA"},
        {"mixed case is no extension", "/m/x.Kivp", "/m/x.Kivp_DATA"},
        {"never saved", "", "_DATA"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CKIV5980Doc::DataFolderOf(fw::CString(row.path)).str(), row.folder) << row.name;
}

TEST_F(History, DataFolderGetsItsSubfoldersUnlessAFileBlocksIt)
{
    const std::string folder = PathOf("p_DATA");
    ASSERT_TRUE(CKIV5980Doc::CreateDataFolder(fw::CString(folder)));
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/StartUp"));
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/VOICE"));
    const std::string blocked = PathOf("q_DATA");
    WriteAll(blocked, "a file");
    EXPECT_FALSE(CKIV5980Doc::CreateDataFolder(fw::CString(blocked)));
    EXPECT_TRUE(std::filesystem::is_regular_file(blocked));
}

TEST_F(History, RebuildSortsByTimeThenNameAndSkipsADamagedFile)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    const std::string path = PathOf("h.kivp");
    ASSERT_TRUE(doc->DoSave(fw::CString(path), true));
    doc->OnCloseDocument();
    const std::string data = PathOf("h_DATA");
    AddDataFile(data, "D3", "45000.5 late 1");
    AddDataFile(data, "D2", "45000.25 second 6");
    AddDataFile(data, "D1", "45000.25 first 0");
    AddDataFile(data, "D0", "damaged");
    std::filesystem::create_directories(data + "/empty");

    services.prompt.Expect(prjstr::kMsgDataFileSkipped, fw::IDOK);
    CKIV5980Doc* opened = Open(path);
    ASSERT_NE(opened, nullptr) << "one damaged file does not keep the project closed";
    EXPECT_NE(services.prompt.Prompts().front().text.str().find("D0.kivd"), std::string::npos);
    CMMAObject& h = opened->GetHistory();
    ASSERT_EQ(h.GetLastIndex(), 2);
    EXPECT_EQ(h.GetDataFileName(0).str(), "D1") << "equal times go by name";
    EXPECT_EQ(h.GetDataFileName(1).str(), "D2");
    EXPECT_EQ(h.GetDataFileName(2).str(), "D3");
    EXPECT_EQ(h.GetTitle(2).str(), "late");
    EXPECT_EQ(h.GetMeasureMethod(1), 6);
    EXPECT_DOUBLE_EQ(h.GetStepTime(2).m_dt, 45000.5);
    ASSERT_GE(h.GetChannelTankCount(), 3);
    ASSERT_EQ(h.GetChannelNumbers().front(), 0);
    EXPECT_DOUBLE_EQ(h.GetChannelTank(0)->GetValue(2), 45000.5);
    fw::CString caption;
    h.GetMeasureModeText(1, caption);
    EXPECT_FALSE(caption.IsEmpty());
}

TEST_F(History, StepsWithoutDataFileAreNotLostByARescan)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    CMMAObject& h = doc->GetHistory();
    h.SetStepTime(0, 45000);
    h.SetTitle(0, "unsaved");
    const std::string path = PathOf("u.kivp");
    ASSERT_TRUE(doc->DoSave(fw::CString(path), true));
    AddDataFile(PathOf("u_DATA"), "D1", "45001 saved 0");
    doc->OnCloseDocument();
    CKIV5980Doc* opened = Open(path);
    ASSERT_NE(opened, nullptr);
    ASSERT_EQ(opened->GetHistory().GetLastIndex(), 0);
    EXPECT_EQ(opened->GetHistory().GetTitle(0).str(), "unsaved");
    EXPECT_EQ(reader.reads, 0);
}

TEST_F(History, StartUpPagesOpenByNameWhenTheOptionIsOn)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    const std::string path = PathOf("s.kivp");
    ASSERT_TRUE(doc->DoSave(fw::CString(path), true));
    doc->OnCloseDocument();
    for (const char* name : {"b.kivg", "a.kivg", "notes.txt"})
        WriteAll(PathOf("s_DATA/StartUp/") + name, "x");
    CKIV5980Doc* closed = Open(path);
    ASSERT_NE(closed, nullptr);
    EXPECT_TRUE(projectHost.opened.empty()) << "the option is off";
    closed->OnCloseDocument();

    projectHost.startupPages = true;
    ASSERT_NE(Open(path), nullptr);
    EXPECT_EQ(projectHost.opened,
              (std::vector<std::string>{PathOf("s_DATA/StartUp/a.kivg"), PathOf("s_DATA/StartUp/b.kivg")}));
}

TEST_F(History, SavingUnderANewNameRescansThatDataFolderOnly)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->DoSave(fw::CString(PathOf("a.kivp")), true));
    AddDataFile(PathOf("b_DATA"), "D1", "45000 moved 0");
    const int before = reader.reads;
    ASSERT_TRUE(doc->DoSave(fw::CString(PathOf("b.kivp")), true));
    EXPECT_EQ(reader.reads, before + 1);
    EXPECT_EQ(doc->GetHistory().GetLastIndex(), 0);
    ASSERT_TRUE(doc->DoSave(fw::CString(PathOf("b.kivp")), true));
    EXPECT_EQ(reader.reads, before + 1) << "the same name again: no rescan";
}

TEST_F(History, GraphPagesHearOfAClosingProject)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    projectHost.graphHints.clear();
    doc->OnCloseDocument();
    ASSERT_FALSE(projectHost.graphHints.empty());
    EXPECT_EQ(projectHost.graphHints.back(), 2);
}

TEST_F(History, EditLockIsStoredAndAppliedOnOpen)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(doc->ToggleEditLock());
    EXPECT_EQ(doc->GetTable(CKIV5980Doc::kTabChannel)->GetPane(3).m_bReadOnly, 1);
    const std::string path = PathOf("l.kivp");
    SaveAndClose(doc, path);
    CKIV5980Doc* opened = Open(path);
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->IsEditLocked());
    EXPECT_EQ(opened->GetTable(CKIV5980Doc::kTabChannel)->GetPane(3).m_bReadOnly, 1);
    EXPECT_EQ(opened->GetTable(CKIV5980Doc::kTabHistory)->GetPane(3).m_bReadOnly, 0) << "history pages stay open";
}

TEST(MMAObject, SixColumnFormGetsTheCardFileColumnFirst)
{
    CMMAObject h;
    h.InitColumns();
    for (int s = 0; s < 3; ++s)
        h.SetStepTime(s, 45000 + s);
    // The older form: the same list without the card file column.
    h.GetStepColumns().RemoveTanks(CMMAObject::kColCardFile, 1);
    h.InitColumns();
    ASSERT_EQ(h.GetStepColumns().GetSize(), CMMAObject::kStepColumns);
    EXPECT_EQ(h.GetStepColumns().GetObjectAt(CMMAObject::kColCardFile)->GetDataCount(), 3);
    EXPECT_DOUBLE_EQ(h.GetStepTime(2).m_dt, 45002);
    EXPECT_EQ(h.GetCardFileName(1).str(), "");
}

TEST(MMAObject, DoubleSourceWidensFloatColumnsKeepingValues)
{
    CMMAObject h;
    h.InitColumns();
    CFltDataTank narrow;
    narrow.InitDefault(true);
    narrow.SetMax(1.5);
    narrow.SetName("CH1");
    h.Grow(0);
    h.SetChannelValues(0, 0, &narrow);
    ASSERT_EQ(h.GetChannelTank(0)->GetDataType(), 2);
    CDblDataTank wide;
    wide.InitDefault(true);
    wide.SetDataType(8);
    wide.SetMax(2.25);
    wide.SetName("CH1");
    h.Grow(1);
    h.SetChannelValues(1, 0, &wide);
    EXPECT_EQ(h.GetChannelTank(0)->GetDataType(), 8);
    EXPECT_DOUBLE_EQ(h.GetChannelTank(0)->GetValue(0), 1.5);
    EXPECT_DOUBLE_EQ(h.GetChannelTank(0)->GetValue(1), 2.25);
    EXPECT_EQ(h.GetChannelTank(0)->GetName().str().substr(0, 4), "CH1 ");
}

TEST(MMAObject, RemovingUnsavedStepsKeepsSavedOnes)
{
    CMMAObject h;
    h.InitColumns();
    const char* names[] = {"A", "", "", "B", "", "C"};
    for (int s = 0; s < 6; ++s) {
        h.SetStepTime(s, 45000 + s);
        h.SetDataFileName(s, names[s]);
    }
    EXPECT_TRUE(h.HasStepWithoutDataFile(0, -1));
    h.RemoveStepsWithoutDataFile(0, -1);
    ASSERT_EQ(h.GetLastIndex(), 2);
    EXPECT_EQ(h.GetDataFileName(0).str(), "A");
    EXPECT_EQ(h.GetDataFileName(1).str(), "B");
    EXPECT_EQ(h.GetDataFileName(2).str(), "C");
    EXPECT_DOUBLE_EQ(h.GetStepTime(1).m_dt, 45003);
    EXPECT_DOUBLE_EQ(h.GetStepTime(2).m_dt, 45005);
    EXPECT_FALSE(h.HasStepWithoutDataFile(0, -1));
}

TEST(MMAObject, StepSpansAndTheNoValueCycleCount)
{
    CMMAObject h;
    h.InitColumns();
    h.SetStepTime(0, 45000);
    h.SetDuration(0, 3600);
    h.SetDurationUnit(0, prjstr::kUnitSecond);
    h.SetStepTime(1, 45001);
    h.SetDuration(1, 1);
    h.SetDurationUnit(1, prjstr::kUnitHour);
    h.SetCycleCount(1, -5);
    EXPECT_EQ(h.FindStepByTime(fw::COleDateTime(45000 + 1.0 / 24), 0), 0) << "the end of the span belongs to it";
    EXPECT_EQ(h.FindStepByTime(fw::COleDateTime(45000.5), 0), -1);
    EXPECT_EQ(h.FindStepByTime(fw::COleDateTime(45001.01), 0), 1);
    EXPECT_EQ(h.FindStepByTime(fw::COleDateTime(45001.01), 2), -1);
    EXPECT_FALSE(std::isfinite(h.GetCycleCount(1)));
    EXPECT_EQ(h.GetTitle(7).str(), "");
    EXPECT_EQ(h.GetStepTime(7).GetStatus(), fw::COleDateTime::null);
}

TEST(MMAObject, ArchiveRoundTripAndContradictingCountsRefused)
{
    CMMAObject h;
    h.InitColumns();
    h.SetStepTime(0, 45000);
    h.SetDataFileName(0, "D1");
    h.SetTitle(0, "試験");
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        h.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CMMAObject back;
    {
        fw::CArchive ar(&file, fw::CArchive::load);
        back.Serialize(ar);
    }
    back.InitColumns();
    EXPECT_EQ(back.GetLastIndex(), 0);
    EXPECT_EQ(back.GetDataFileName(0).str(), "D1");
    EXPECT_EQ(back.GetTitle(0).str(), "試験");

    // A last index beyond the names the file holds.
    fw::CMemFile bad;
    {
        fw::CArchive ar(&bad, fw::CArchive::store);
        ar << int32_t(5);
        ar.WriteCount(0);
        ar.WriteCount(0);
        CDataTankList empty;
        empty.Serialize(ar);
        empty.Serialize(ar);
        ar.Close();
    }
    bad.SeekToBegin();
    CMMAObject refused;
    fw::CArchive ar(&bad, fw::CArchive::load);
    EXPECT_THROW(refused.Serialize(ar), fw::CArchiveException);
    EXPECT_EQ(refused.GetLastIndex(), -1);
}

} // namespace
