// GPS files of CAN/voice/GPS units after the waveform data of their box:
// from the unit's memory through the unit and from a PC folder.

#include "tests/measure/TransferFixture.h"

#include "canvoicegps/Kiv463Unit.h"
#include "common/calc/GpsCanTankLists.h"
#include "framework/core/DateTime.h"
#include "measure/model/GetCFUpdate.h"
#include "measure/model/GetFileUpdate.h"
#include "measure/model/GpsUpdate.h"
#include "measure/model/TransferRun.h"

#include <fstream>

namespace {

using seqtest::Lines;
using transfertest::TestHost;
using Files = std::vector<CKiv406FileInfo>;

constexpr int kTanksPerFile = 7;

// Every value of the seven tanks from `base` against the emulator's GPS
// records.
::testing::AssertionResult GpsTanksHold(CGpsDataTankList& list, int base, int records)
{
    const double origin = fw::COleDateTime(1980, 1, 6, 0, 0, 0).m_dt;
    const int series[] = {0, 1, 2, 5, 6, 7};
    for (int r = 0; r < records; ++r) {
        const auto row = static_cast<uint64_t>(r);
        const double date = origin + kivemu::kGpsSlopes[3] * kivemu::GpsField(row, 3) / 86400.0 +
                            kivemu::kGpsSlopes[4] * kivemu::GpsField(row, 4) * 7.0;
        std::vector<double> want{date};
        for (int s : series)
            want.push_back(kivemu::kGpsSlopes[s] * kivemu::GpsField(row, s));
        for (int t = 0; t < kTanksPerFile; ++t) {
            CDataTankObject* tank = list.GetObjectAt(base + t);
            if (!tank)
                return ::testing::AssertionFailure() << "no tank " << base + t;
            const double got = tank->GetValue(r);
            const double w = want[static_cast<size_t>(t)];
            if (std::fabs(got - w) > 1e-9 * std::max(1.0, std::fabs(w)))
                return ::testing::AssertionFailure() << "tank " << base + t << " record " << r << ": " << got << " != " << w;
        }
    }
    return ::testing::AssertionSuccess();
}

class GpsTransferTest : public seqtest::SequenceTest {
protected:
    static void SetUpTestSuite()
    {
        SequenceTest::SetUpTestSuite();
        RegisterCanVoiceGpsClasses();
    }

    kivemu::RecordedSetSpec Spec(int samples)
    {
        kivemu::RecordedSetSpec spec;
        spec.name = "A0001";
        spec.channels = {1, 2};
        spec.widths = {2, 2};
        spec.samples = samples;
        spec.unitTypes = {2, 8, 0, 0, 8, 0, 0, 0, 0, 0};
        return spec;
    }

    CKiv406FileInfo Entry(const kivemu::RecordedSetSpec& spec, const kivemu::RecordedSet& set, const std::string& name)
    {
        CKiv406FileInfo entry;
        entry.m_name = name.c_str();
        entry.m_headerSize = static_cast<int>(set.header.size());
        entry.m_dataSize = static_cast<int>(set.data.size());
        entry.m_sampleCount = spec.samples;
        for (int p = 0; p < 10; ++p)
            entry.m_unitTypes.SetAt(p, spec.unitTypes[static_cast<size_t>(p)]);
        return entry;
    }

    // The waveform set and GPS files on the card of unit 0.
    void PutOnCard(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& gpsFiles)
    {
        const kivemu::RecordedSetSpec spec = Spec(100);
        const kivemu::RecordedSet set = kivemu::MakeRecordedSet(spec);
        Dev(0).With([&](kivemu::MeasureDevice&, kivemu::MeterDevice& meter, kivemu::DeviceState&) {
            meter.files.push_back({"A0001.hed", std::vector<uint8_t>(set.header.begin(), set.header.end()), -1});
            meter.files.push_back({"A0001.dat", set.data, -1});
            for (const auto& [name, bytes] : gpsFiles)
                meter.files.push_back({name, bytes, -1});
        });
        list = {Entry(spec, set, "A0001")};
        vectors = {&list};
    }

    CTransferRun::Result RunCard()
    {
        system.BeginMeterEdit();
        CGetCFUpdate main(host);
        CGetGPSUpdate gps(host);
        main.SetFileLists(&vectors);
        ClearLines();
        if (!main.Prepare())
            return CTransferRun::kCancelled;
        CTransferRun run(host);
        run.SetCompanions(&gps, nullptr);
        const CTransferRun::Result result = run.RunThroughUnits(main);
        system.EndMeterEdit();
        return result;
    }

    TestHost host{system};
    Files list;
    CBoxArray::FileVectors vectors;
};

TEST_F(GpsTransferTest, MemoryFilesOfTwoPortsAddSevenTanksEachInPortOrder)
{
    Connect(1, {2, 2});
    PutOnCard({{"A0001_02.gps", kivemu::MakeGpsFile(3000)}, {"A0001_05.gps", kivemu::MakeGpsFile(40, 700)}});
    EXPECT_EQ(RunCard(), CTransferRun::kCompleted);
    CGpsDataTankList& gps = system.GetGpsTanks();
    ASSERT_EQ(gps.GetSize(), 2 * kTanksPerFile);
    EXPECT_TRUE(GpsTanksHold(gps, 0, 3000));
    EXPECT_TRUE(GpsTanksHold(gps, kTanksPerFile, 40));
    EXPECT_EQ(gps.GetObjectAt(0)->GetName(), "gps_date");
    EXPECT_EQ(gps.GetObjectAt(0)->GetFormat(), 113);
    // Each value tank is named, has its unit and the decimals of its series.
    EXPECT_EQ(gps.GetObjectAt(4)->GetName(), "vel");
    EXPECT_EQ(gps.GetObjectAt(4)->GetUnit(), "km/h");
    EXPECT_EQ(gps.GetObjectAt(4)->GetFormat(), 1);
    EXPECT_EQ(gps.GetObjectAt(1)->GetFormat(), 7);
    const Lines lines = LinesOf(0);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "DIR A0001_02.gps"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "DATA0001_05.gps"), lines.end());
    EXPECT_TRUE(host.asked.empty());
}

TEST_F(GpsTransferTest, ASmallFileIsReadWholeAndAnotherRecordCountResizesTheTanks)
{
    Connect(1, {2, 2});
    // 8000 bytes after a 512-byte header: 250 records, though 300 are listed.
    PutOnCard({{"A0001_02.gps", kivemu::MakeGpsFile(250, 512, 300)}});
    EXPECT_EQ(RunCard(), CTransferRun::kCompleted);
    CGpsDataTankList& gps = system.GetGpsTanks();
    ASSERT_EQ(gps.GetSize(), kTanksPerFile);
    EXPECT_EQ(gps.GetObjectAt(2)->GetDataCount(), 250);
    EXPECT_TRUE(GpsTanksHold(gps, 0, 250));
}

TEST_F(GpsTransferTest, AHeaderWithoutSlopeLeavesNoTanksBehind)
{
    Connect(1, {2, 2});
    PutOnCard({{"A0001_02.gps", kivemu::MakeGpsFile(100, 512, -1, "SLOPE")}});
    EXPECT_EQ(RunCard(), CTransferRun::kCompleted);
    EXPECT_EQ(system.GetGpsTanks().GetSize(), 0);
}

TEST_F(GpsTransferTest, FolderFilesFollowTheirBoxAndAShortFileNamesItself)
{
    Connect(1, {2});
    const kivemu::RecordedSetSpec spec = Spec(100);
    const kivemu::RecordedSet set = kivemu::MakeRecordedSet(spec);
    const std::string base = std::string(temp.Path().c_str()) + "/A0001";
    std::ofstream(base + ".HED", std::ios::binary) << set.header;
    std::ofstream(base + ".DAT", std::ios::binary).write(reinterpret_cast<const char*>(set.data.data()),
                                                         static_cast<std::streamsize>(set.data.size()));
    const std::vector<uint8_t> gps2 = kivemu::MakeGpsFile(5000);
    std::ofstream(base + "_02.gps", std::ios::binary).write(reinterpret_cast<const char*>(gps2.data()),
                                                            static_cast<std::streamsize>(gps2.size()));
    list = {Entry(spec, set, base)};
    vectors = {&list};
    CGetFileUpdate main(host), second(host);
    CGetGPSFileUpdate gps(host), gpsSecond(host);
    main.SetFileLists(&vectors);
    ASSERT_TRUE(main.Prepare());
    CTransferRun run(host);
    run.SetCompanions(&gps, nullptr, &gpsSecond, nullptr);
    EXPECT_EQ(run.RunFromFolder(main, second), CTransferRun::kCompleted) << (host.messages.empty() ? "" : host.messages[0]);
    CGpsDataTankList& tanks = host.import->GetGpsTanks();
    ASSERT_EQ(tanks.GetSize(), kTanksPerFile);
    EXPECT_TRUE(GpsTanksHold(tanks, 0, 5000));

    // The same file one record short of NUM_SAMPS.
    std::ofstream(base + "_02.gps", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(gps2.data()), static_cast<std::streamsize>(gps2.size() - 32));
    host.import.reset();
    CGetFileUpdate main2(host), second2(host);
    CGetGPSFileUpdate gps3(host), gps3Second(host);
    main2.SetFileLists(&vectors);
    ASSERT_TRUE(main2.Prepare());
    CTransferRun run2(host);
    run2.SetCompanions(&gps3, nullptr, &gps3Second, nullptr);
    EXPECT_EQ(run2.RunFromFolder(main2, second2), CTransferRun::kFailed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("A0001_02.gps\nを読み込めませんでした。"), std::string::npos) << host.messages[0];
}

} // namespace
