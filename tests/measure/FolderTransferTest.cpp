// Card files copied to a PC folder: a temporary measuring system from
// their ".HED" headers, the ".DAT" rows into its tanks.

#include "tests/measure/TransferFixture.h"

#include "measure/model/GetFileUpdate.h"
#include "measure/model/TransferRun.h"

#include <fstream>

namespace {

using transfertest::TankHolds;
using transfertest::TestHost;
using Files = std::vector<CKiv406FileInfo>;

class FolderTransferTest : public seqtest::SequenceTest {
protected:
    void SetUp() override
    {
        SequenceTest::SetUp();
        Connect(1);
    }

    // Writes the set as "<name>.HED" and "<dataName or name>.<ext>" and
    // lists it for box `box`.
    void AddSet(int box, const kivemu::RecordedSetSpec& spec, const std::string& dataName = "",
                const std::string& dataExt = ".DAT", int cutData = 0)
    {
        const kivemu::RecordedSet set = kivemu::MakeRecordedSet(spec);
        const std::string base = std::string(temp.Path().c_str()) + "/" + spec.name;
        std::ofstream(base + ".HED", std::ios::binary) << set.header;
        const std::string data = std::string(temp.Path().c_str()) + "/" + (dataName.empty() ? spec.name : dataName);
        std::ofstream out(data + dataExt, std::ios::binary);
        out.write(reinterpret_cast<const char*>(set.data.data()), static_cast<std::streamsize>(set.data.size() - static_cast<size_t>(cutData)));
        CKiv406FileInfo entry;
        entry.m_name = base.c_str();
        entry.m_headerSize = static_cast<int>(set.header.size());
        entry.m_dataSize = static_cast<int>(set.data.size());
        entry.m_sampleCount = spec.samples;
        lists.resize(std::max(lists.size(), static_cast<size_t>(box) + 1));
        lists[static_cast<size_t>(box)].push_back(entry);
    }

    CTransferRun::Result Run()
    {
        vectors.clear();
        for (Files& list : lists)
            vectors.push_back(&list);
        CGetFileUpdate main(host);
        CGetFileUpdate second(host);
        main.SetFileLists(&vectors);
        if (!main.Prepare())
            return CTransferRun::kCancelled;
        fw::CString caption;
        main.GetCaption(caption);
        captions.push_back(caption.str());
        CTransferRun run(host);
        return run.RunFromFolder(main, second);
    }

    CBoxArray& Imported() { return *host.import; }

    TestHost host{system};
    std::vector<Files> lists;
    CBoxArray::FileVectors vectors;
    std::vector<std::string> captions;
};

kivemu::RecordedSetSpec Spec(const char* name, std::vector<int> channels, int samples)
{
    kivemu::RecordedSetSpec spec;
    spec.name = name;
    spec.channels = channels;
    spec.widths.assign(channels.size(), 2);
    spec.samples = samples;
    return spec;
}

TEST_F(FolderTransferTest, ThreeBoxesRebuildTheSystemAndFillItsTanks)
{
    kivemu::RecordedSetSpec first = Spec("A0001", {1, 2, 3}, 1000);
    first.coefficients = {"2", "0.5", "1"};
    AddSet(0, first);
    kivemu::RecordedSetSpec second = Spec("B0001", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 5000);
    second.unitTypes = {2, 2, 0, 0, 0, 0, 0, 0, 0, 0};
    AddSet(1, second, "b0001", ".dat");  // names on the card differ in case
    AddSet(2, Spec("C0001", {1}, 3000));
    EXPECT_EQ(Run(), CTransferRun::kCompleted) << (host.messages.empty() ? "" : host.messages[0]);
    ASSERT_TRUE(host.import);
    EXPECT_EQ(host.lastAdSet.m_nNum, 5000);
    EXPECT_EQ(Imported().GetTankList().GetDataCount(), 5000);
    EXPECT_EQ(host.lastProfile.GetCount(), 3);
    EXPECT_EQ(host.lastProfile.m_unitTypes[1].GetAt(1), 2);
    EXPECT_EQ(host.refreshed, 1);
    EXPECT_EQ(Imported().GetBox(0)->GetMeter()->GetValue(0, 24), 2.0);
    for (int ch = 0; ch < 3; ++ch)
        ASSERT_TRUE(TankHolds(Imported(), 0, ch, ch, 2, 1000));
    for (int ch = 0; ch < 10; ++ch)
        ASSERT_TRUE(TankHolds(Imported(), 1, ch, ch, 2, 5000));
    ASSERT_TRUE(TankHolds(Imported(), 2, 0, 0, 2, 3000));
    // Finish cut each tank to its file's samples.
    EXPECT_EQ(Imported().GetBox(0)->GetChannelTank(0)->GetDataCount(), 1000);
    EXPECT_EQ(captions.at(0), "A0001を更新中");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FolderTransferTest, ASeriesTheRebuiltUnitCannotHoldIsLeftOutOfEveryRow)
{
    // Port 1 is empty, so channel 9 has no place: rows of three series
    // become rows of the two others.
    AddSet(0, Spec("A0001", {1, 9, 2}, 700));
    EXPECT_EQ(Run(), CTransferRun::kCompleted);
    CBoxArray& system2 = Imported();
    EXPECT_EQ(system2.GetBox(0)->GetMeter()->GetSampleBytes(), 4);
    ASSERT_TRUE(TankHolds(system2, 0, 0, 0, 2, 700));
    ASSERT_TRUE(TankHolds(system2, 0, 1, 2, 2, 700));
}

TEST_F(FolderTransferTest, ADatOneByteShortFailsOnItsLastChunkNamingTheFile)
{
    AddSet(0, Spec("A0001", {1, 2}, 20000), "", ".DAT", 1);
    EXPECT_EQ(Run(), CTransferRun::kFailed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("A0001.DAT\nを読み込めませんでした。"), std::string::npos) << host.messages[0];
    // The full chunks before it are stored, nothing of the short one.
    const unsigned chunk = CCFUpdate::ChunkRowsFor(4);
    ASSERT_TRUE(TankHolds(Imported(), 0, 0, 0, 2, static_cast<int>(chunk)));
    CDataTankObject* tank = Imported().GetBox(0)->GetChannelTank(0);
    EXPECT_TRUE(std::isinf(tank->GetValue(static_cast<int>(chunk) + 1)) || tank->GetValue(static_cast<int>(chunk) + 1) >= 1e300);
}

TEST_F(FolderTransferTest, BadHeadersAreRefusedWithTheirPath)
{
    struct Row {
        const char* name;
        int headerCut;   // bytes taken off the header file
        bool corrupt;
    } rows[] = {{"one byte short", 1, false}, {"not a waveform header", 0, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        lists.clear();
        host.messages.clear();
        AddSet(0, Spec("A0001", {1}, 10));
        const std::string hed = std::string(temp.Path().c_str()) + "/A0001.HED";
        kivemu::RecordedSet set = kivemu::MakeRecordedSet(Spec("A0001", {1}, 10));
        if (row.corrupt)
            set.header.replace(0, 12, "NAME KIV-999");
        std::ofstream(hed, std::ios::binary | std::ios::trunc)
            << set.header.substr(0, set.header.size() - static_cast<size_t>(row.headerCut));
        EXPECT_EQ(Run(), CTransferRun::kCancelled);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], hed + "\nを読み込めませんでした。");
    }
    EXPECT_EQ(host.imports, 0);
}

TEST_F(FolderTransferTest, AMissingDatIsReportedAndTheRunFails)
{
    AddSet(0, Spec("A0001", {1}, 10));
    AddSet(1, Spec("B0001", {1}, 10), "", ".XXX");
    EXPECT_EQ(Run(), CTransferRun::kFailed);
    EXPECT_EQ(host.reports.size(), 1u);
}

} // namespace
