// Recorded files on the control units' cards, read through the units:
// the project's own control units adapted to the headers, or a temporary
// measuring system built from them.

#include "tests/measure/TransferFixture.h"

#include "measure/model/GetCFUpdate.h"
#include "measure/model/TransferRun.h"

namespace {

using seqtest::Lines;
using transfertest::TankHolds;
using transfertest::TestHost;
using Files = std::vector<CKiv406FileInfo>;

class CardTransferTest : public seqtest::SequenceTest {
protected:
    void Start(int boxes)
    {
        Connect(boxes, {2, 2});
        lists.assign(static_cast<size_t>(boxes), {});
    }

    // Puts the set on the card of unit `box` and lists it.
    void AddSet(int box, const kivemu::RecordedSetSpec& spec, int cutData = 0)
    {
        const kivemu::RecordedSet set = kivemu::MakeRecordedSet(spec);
        Dev(box).With([&](kivemu::MeasureDevice&, kivemu::MeterDevice& meter, kivemu::DeviceState&) {
            meter.files.push_back({spec.name + ".hed", std::vector<uint8_t>(set.header.begin(), set.header.end()), -1});
            meter.files.push_back({spec.name + ".dat",
                                   std::vector<uint8_t>(set.data.begin(), set.data.end() - cutData), -1});
        });
        CKiv406FileInfo entry;
        entry.m_name = spec.name.c_str();
        entry.m_headerSize = static_cast<int>(set.header.size());
        entry.m_dataSize = static_cast<int>(set.data.size());
        entry.m_sampleCount = spec.samples;
        for (int p = 0; p < 10; ++p)
            entry.m_unitTypes.SetAt(p, spec.unitTypes[static_cast<size_t>(p)]);
        lists[static_cast<size_t>(box)].push_back(entry);
    }

    template <class Transfer> CTransferRun::Result Run(Transfer& transfer, int timeoutS = 100)
    {
        vectors.clear();
        for (Files& list : lists)
            vectors.push_back(&list);
        transfer.SetFileLists(&vectors);
        ClearLines();
        if (!transfer.Prepare())
            return CTransferRun::kCancelled;
        CTransferRun run(host);
        run.SetReplyTimeout(timeoutS);
        return run.RunThroughUnits(transfer);
    }

    Lines FileLines(int unit)
    {
        Lines out;
        for (const std::string& line : LinesOf(unit)) {
            if (line.rfind("DAT", 0) == 0)
                out.push_back(line);
        }
        return out;
    }

    TestHost host{system};
    std::vector<Files> lists;
    CBoxArray::FileVectors vectors;
};

kivemu::RecordedSetSpec Spec(const char* name, std::vector<int> channels, int samples)
{
    kivemu::RecordedSetSpec spec;
    spec.name = name;
    spec.channels = channels;
    spec.widths.assign(channels.size(), 2);
    spec.samples = samples;
    spec.unitTypes = {2, 2, 0, 0, 0, 0, 0, 0, 0, 0};
    return spec;
}

TEST_F(CardTransferTest, TheOwnControlUnitsTakeTheHeadersAndTheStreamsFillTheTanks)
{
    Start(2);
    kivemu::RecordedSetSpec first = Spec("A0001", {1, 2, 3, 12}, 40000);
    first.coefficients = {"1", "3", "1", "1"};
    AddSet(0, first);
    kivemu::RecordedSetSpec second = Spec("B0001", {5}, 100);
    second.coefficients = {"4"};
    AddSet(1, second);
    system.BeginMeterEdit();
    CGetCFUpdate transfer(host);
    EXPECT_EQ(Run(transfer), CTransferRun::kCompleted);
    // Each box keeps the scales of its own header.
    EXPECT_EQ(system.GetBox(0)->GetMeter()->GetValue(1, 24), 3.0);
    EXPECT_EQ(system.GetBox(1)->GetMeter()->GetValue(4, 24), 4.0);
    ASSERT_TRUE(TankHolds(system, 0, 1, 1, 2, 40000));
    ASSERT_TRUE(TankHolds(system, 1, 4, 0, 2, 100));
    system.EndMeterEdit();
    EXPECT_EQ(FileLines(0), (Lines{"DATA0001.HED", "DATA0001.DAT"}));
    EXPECT_EQ(FileLines(1), (Lines{"DATB0001.HED", "DATB0001.DAT"}));
    EXPECT_EQ(transfer.GetFileRowBytes(0), 8);
    EXPECT_TRUE(transfer.GetSelection(0).empty());
    EXPECT_EQ(system.GetTankList().GetDataCount(), 40000);
}

TEST_F(CardTransferTest, StoredValuesFollowTheRecordedCoefficients)
{
    Start(1);
    kivemu::RecordedSetSpec spec = Spec("A0001", {1, 2, 3, 12}, 40000);
    spec.coefficients = {"1", "3", "1", "1"};
    AddSet(0, spec);
    system.BeginMeterEdit();
    CGetCFUpdate transfer(host);
    ASSERT_EQ(Run(transfer), CTransferRun::kCompleted);
    // Box channels 0, 1, 2 and 11 are the recorded channels 1, 2, 3, 12.
    EXPECT_EQ(system.GetBox(0)->GetMeter()->GetValue(1, 24), 3.0);
    ASSERT_TRUE(TankHolds(system, 0, 0, 0, 2, 40000));
    ASSERT_TRUE(TankHolds(system, 0, 1, 1, 2, 40000));
    ASSERT_TRUE(TankHolds(system, 0, 2, 2, 2, 40000));
    ASSERT_TRUE(TankHolds(system, 0, 11, 3, 2, 40000));
    system.EndMeterEdit();
}

TEST_F(CardTransferTest, ChosenCardFilesBuildATemporarySystemOnTheOwnLinks)
{
    Start(2);
    AddSet(0, Spec("A0001", {1, 2}, 300));
    AddSet(1, Spec("B0001", {9, 10, 11}, 700));
    CGetCFFileUpdate transfer(host);
    ASSERT_EQ(Run(transfer), CTransferRun::kCompleted) << (host.asked.empty() ? "" : host.asked[0]);
    ASSERT_TRUE(host.import);
    EXPECT_EQ(host.lastAdSet.m_nNum, 700);
    EXPECT_EQ(FileLines(1), (Lines{"DATB0001.HED", "DATB0001.DAT"}));
    CBoxArray& imported = *host.import;
    ASSERT_TRUE(TankHolds(imported, 0, 0, 0, 2, 300));
    ASSERT_TRUE(TankHolds(imported, 0, 1, 1, 2, 300));
    for (int s = 0; s < 3; ++s)
        ASSERT_TRUE(TankHolds(imported, 1, 8 + s, s, 2, 700));
}

TEST_F(CardTransferTest, AStartThatFailsIsOfferedAndYesSendsItAgain)
{
    Start(1);
    AddSet(0, Spec("A0001", {1}, 100));
    emu.Unit(0).GetFaults().ErrorOn("DATA0001.DAT", 22, 1);
    host.answers = {true};
    system.BeginMeterEdit();
    CGetCFUpdate transfer(host);
    EXPECT_EQ(Run(transfer), CTransferRun::kCompleted);
    EXPECT_EQ(FileLines(0), (Lines{"DATA0001.HED", "DATA0001.DAT", "DATA0001.DAT"}));
    ASSERT_EQ(host.asked.size(), 1u);
    ASSERT_TRUE(TankHolds(system, 0, 0, 0, 2, 100));
}

TEST_F(CardTransferTest, AHeaderRefusedAndNotRepeatedEndsThePreparation)
{
    Start(1);
    AddSet(0, Spec("A0001", {1}, 100));
    emu.Unit(0).GetFaults().ErrorOn("DATA0001.HED", 22, -1);
    host.answers = {true, false};
    link.SetReplyTimeout(30);
    system.BeginMeterEdit();
    CGetCFUpdate transfer(host);
    EXPECT_EQ(Run(transfer), CTransferRun::kCancelled);
    // The "ERR" line ended each read at once, not after the time-out.
    EXPECT_EQ(host.asked.size(), 2u);
    EXPECT_EQ(FileLines(0), (Lines{"DATA0001.HED", "DATA0001.HED"}));
    system.EndMeterEdit();
}

TEST_F(CardTransferTest, AShortDataStreamEndsWithTheQuestionAndTheTimeOutIsRestored)
{
    Start(1);
    AddSet(0, Spec("A0001", {1, 2}, 100), 10);
    link.SetReplyTimeout(5);
    host.answers = {false};
    system.BeginMeterEdit();
    CGetCFUpdate transfer(host);
    EXPECT_EQ(Run(transfer, 1), CTransferRun::kFailed);
    EXPECT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(link.GetReplyTimeout(), 5.0);
    CDataTankObject* tank = system.GetBox(0)->GetChannelTank(0);
    EXPECT_TRUE(std::isinf(tank->GetValue(1)) || tank->GetValue(1) >= 1e300);
    system.EndMeterEdit();
}

} // namespace
