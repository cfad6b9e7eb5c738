// The recorded-file lists of the control units in use and their current
// entries.

#include "tests/support/link/SequenceFixture.h"

#include "common/calc/GpsCanTankLists.h"
#include "instrument/meter/Kiv406FileInfo.h"

namespace {

using seqtest::Lines;
using Measure = kivemu::MeasureDevice;
using Meter = kivemu::MeterDevice;
using State = kivemu::DeviceState;
using Files = std::vector<CKiv406FileInfo>;

// A waveform header as a control unit writes it after a recording.
std::string RecordingHeader()
{
    return "NAME KIV-406\r\n"
           "UNIT_TYPE KIV-419 ------- ------- ------- ------- ------- ------- ------- ------- -------\r\n"
           "VERSION 2\r\nSERIES CH_001\r\nNUM_SERIES 1\r\nDATE 12/31/2009\r\nTIME 23:59:59\r\n"
           "INTERVAL 0.001\r\nHORZ_UNITS SEC\r\nX_OFFSET 0\r\nY_OFFSET 0\r\nNUM_SAMPS 1000\r\n"
           "VERT_UNITS ??\r\nSLOPE 1\r\nCOEFFICIENT 1\r\nRATED_OUT 2000\r\nCAPACITY 1000\r\nPOINT 0\r\n"
           "SENSOR_MODE 16\r\nATTENATE 20000\r\nFILTER 0\r\nTRIGGER_TYPE COMMAND\r\n";
}

CKiv406FileInfo Entry(const char* name)
{
    CKiv406FileInfo info;
    info.m_name = name;
    info.m_headerTime.SetStatus(fw::COleDateTime::null);
    return info;
}

class FilesTest : public seqtest::SequenceTest {
protected:
    void SetUp() override
    {
        SequenceTest::SetUp();
        Connect();
    }

    Files& List(int box, int which) { return system.GetBox(box)->FileList(which); }
    CKiv406FileInfo& Current(int box, int which) { return system.GetBox(box)->CurrentFile(which); }
};

TEST_F(FilesTest, LatestFilesBecomeCurrentAndAnEmptyListGivesAnEmptyEntry)
{
    List(0, CBoxPropaty::kWaveList) = {Entry("A001"), Entry("A002")};
    List(1, CBoxPropaty::kWaveList) = {Entry("B001")};
    Current(0, CBoxPropaty::kHistList) = Entry("H009");
    system.SelectLatestFiles(CBoxPropaty::kWaveList | CBoxPropaty::kHistList);
    EXPECT_EQ(Current(0, CBoxPropaty::kWaveList).m_name, "A002");
    EXPECT_EQ(Current(1, CBoxPropaty::kWaveList).m_name, "B001");
    EXPECT_TRUE(Current(0, CBoxPropaty::kHistList).m_name.IsEmpty());
    EXPECT_TRUE(system.HaveCurrentFiles());

    List(1, CBoxPropaty::kWaveList).clear();
    EXPECT_FALSE(system.HaveCurrentFiles());
}

TEST_F(FilesTest, GatheredListsAreCutToTheShortest)
{
    List(0, CBoxPropaty::kWaveList) = {Entry("A001"), Entry("A001"), Entry("A002")};
    List(1, CBoxPropaty::kWaveList) = {Entry("A001"), Entry("B002")};
    Current(0, CBoxPropaty::kWaveList) = Entry("A001");
    Current(1, CBoxPropaty::kWaveList) = Entry("A001");
    Files first, second;
    CBoxArray::FileVectors vectors{&first, &second};
    system.GatherFileLists(vectors);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(first[0].m_name, "A001");

    CBoxArray::FileVectors missing{&first, nullptr};
    EXPECT_ANY_THROW(system.GatherFileLists(missing));

    // Frequency files: boxes without a vector take no part.
    List(0, CBoxPropaty::kHistList) = {Entry("F001"), Entry("F001")};
    Current(0, CBoxPropaty::kHistList) = Entry("F001");
    Files hist;
    CBoxArray::FileVectors some{&hist, nullptr};
    system.CollectCurrentHistFiles(some);
    EXPECT_EQ(hist.size(), 2u);
}

TEST_F(FilesTest, RecordingOntoTheCardEndsWithItsFilesListed)
{
    for (int u = 0; u < 2; ++u) {
        Dev(u).With([](Measure& m, Meter&, State& s) {
            m.phase = Measure::Phase::Recording;
            m.recorded = 1000;
            m.filesOnEnd = {{{"A001.hed", RecordingHeader()}, {"A001.dat", std::string(2000, '\x01')}}};
            s.state = 3;
        });
    }
    system.CollectBoxStates();  // both units end their recording
    system.CollectBoxStates();
    EXPECT_EQ(system.GetState(), 1);
    ClearLines();
    // Nothing was chosen yet: the lists are read, but no current file is in them.
    EXPECT_EQ(system.FinishRecording(true), 0);
    EXPECT_EQ(LinesOf(0).at(1), "DIR");
    ASSERT_EQ(List(0, CBoxPropaty::kWaveList).size(), 1u);
    ASSERT_EQ(List(1, CBoxPropaty::kWaveList).size(), 1u);
    system.SelectLatestFiles(CBoxPropaty::kWaveList);
    EXPECT_EQ(system.FinishRecording(true), 1);
    EXPECT_EQ(List(0, CBoxPropaty::kWaveList).size(), 1u);
    EXPECT_EQ(Current(1, CBoxPropaty::kWaveList).m_sampleCount, 1000);
}

TEST_F(FilesTest, FailedListReadIsOfferedForARepeatOrRaised)
{
    FaultsOf(1).ErrorOn("DIR", 40);
    EXPECT_ANY_THROW(system.ReadFileLists(true, false));
    FaultsOf(1).ErrorOn("DIR", 40);
    question.answers = {true};
    EXPECT_TRUE(system.ReadFileLists(true, true));
    EXPECT_EQ(CountOf(0, "DIR"), 3);
    EXPECT_EQ(CountOf(1, "DIR"), 3);
}

class GpsTest : public seqtest::SequenceTest {};

TEST_F(GpsTest, RowsBecomeTimeAndItemValues)
{
    CGpsDataTankList list;
    list.AppendItemTanks(4);
    list.AppendItemTanks(4);  // the second GPS unit's tanks are the last seven
    const std::vector<CBoxArray::GpsRow> rows = {
        {10, 20, 30, 0, 1500, 50, 60, 70},
        {11, 21, 31, 43200, 1500, 51, 61, 71},
    };
    const std::array<double, 8> coefficients{0.5, 1, 1, 1, 1, 2, 1, 1};
    CBoxArray::StoreGpsSamples(list, 1, 2, rows, coefficients);
    CDataTankObject* time = list.GetAt(7);
    const double origin = fw::COleDateTime(1980, 1, 6, 0, 0, 0).m_dt;
    EXPECT_NEAR(time->GetValue(1), origin + 10500.0, 1e-6);
    EXPECT_NEAR(time->GetValue(2), origin + 10500.5, 1e-6);
    EXPECT_NEAR(list.GetAt(8)->GetValue(1), 5.0, 1e-9);   // field 0 x 0.5
    EXPECT_NEAR(list.GetAt(11)->GetValue(2), 102.0, 1e-9);  // field 5 x 2
    EXPECT_NEAR(list.GetAt(13)->GetValue(2), 71.0, 1e-9);   // field 7
    // The first unit's tanks are untouched.
    EXPECT_NE(list.GetAt(1)->GetValue(1), 5.0);

    EXPECT_ANY_THROW(CBoxArray::StoreGpsSamples(list, 0, 3, rows, coefficients));
}

TEST_F(GpsTest, SystemStoresIntoItsOwnGpsTanks)
{
    const std::vector<CBoxArray::GpsRow> rows = {{10, 20, 30, 0, 1500, 50, 60, 70}};
    const std::array<double, 8> coefficients{0.5, 1, 1, 1, 1, 2, 1, 1};
    // Without GPS tanks there is nowhere to store.
    EXPECT_ANY_THROW(system.StoreGpsSamples(0, 1, rows, coefficients));

    system.GetGpsTanks().AppendItemTanks(4);
    system.StoreGpsSamples(2, 1, rows, coefficients);
    const double origin = fw::COleDateTime(1980, 1, 6, 0, 0, 0).m_dt;
    EXPECT_NEAR(system.GetGpsTanks().GetAt(0)->GetValue(2), origin + 10500.0, 1e-6);
    EXPECT_NEAR(system.GetGpsTanks().GetAt(1)->GetValue(2), 5.0, 1e-9);
    EXPECT_NEAR(system.GetGpsTanks().GetAt(4)->GetValue(2), 100.0, 1e-9);
}

} // namespace
