// Samples of the last measurement read from the control units' memory
// ("ADR" and "BDT") into the channel tanks.

#include "tests/measure/TransferFixture.h"

#include "measure/model/CFMeterUpdate.h"
#include "measure/model/TransferRun.h"

#include <algorithm>

namespace {

using seqtest::Lines;
using transfertest::TankHolds;
using transfertest::TestHost;

class MemoryTransferTest : public seqtest::SequenceTest {
protected:
    // One control unit per entry, each with `units` 8-channel strain units
    // of 16-bit channels, the data count and memory recordings of `rows`.
    void Start(std::vector<int> unitsPerBox, int rows)
    {
        std::vector<std::vector<int>> codes;
        for (int units : unitsPerBox)
            codes.push_back(std::vector<int>(static_cast<size_t>(units), 2));
        ConnectEach(codes);
        system.SetTankDisplayModes();
        ASSERT_TRUE(system.SetDataCount(rows, true));
        for (size_t b = 0; b < unitsPerBox.size(); ++b) {
            auto memory = std::make_shared<kivemu::MemoryRecording>();
            memory->widths.assign(static_cast<size_t>(unitsPerBox[b]) * 8, 2);
            memory->rows = static_cast<uint64_t>(rows);
            kivemu::AddMemoryReadout(emu.Unit(b), memory);
            memories.push_back(memory);
        }
        ClearLines();
    }

    Lines DataLines(int unit)
    {
        Lines out;
        for (const std::string& line : LinesOf(unit)) {
            if (line.rfind("ADR", 0) == 0 || line.rfind("BDT", 0) == 0)
                out.push_back(line);
        }
        return out;
    }

    TestHost host{system};
    std::vector<std::shared_ptr<kivemu::MemoryRecording>> memories;
};

TEST_F(MemoryTransferTest, RowsOf160BytesMoveIn384RowChunksAndFillEveryTank)
{
    Start({10}, 1000);
    ASSERT_TRUE(system.SetChannelValue(3, 24, 2.5));
    ASSERT_TRUE(system.SetChannelText(5, 1001, "0.75"));
    CCFMeterUpdate transfer(host);
    ASSERT_TRUE(transfer.Prepare());
    EXPECT_EQ(transfer.GetRowBytes(), 160);
    EXPECT_EQ(transfer.GetChunkRows(), 384u);
    EXPECT_EQ(transfer.GetTotal(), 1000u);

    CTransferRun run(host);
    EXPECT_EQ(run.RunThroughUnits(transfer), CTransferRun::kCompleted);
    EXPECT_EQ(DataLines(0), (Lines{"ADR0", "BDT384", "ADR384", "BDT384", "ADR768", "BDT232"}));
    for (int ch = 0; ch < 80; ++ch)
        ASSERT_TRUE(TankHolds(system, 0, ch, ch, 2, 1000)) << "channel " << ch;
    EXPECT_TRUE(host.asked.empty());
    EXPECT_EQ(host.progress.back(), 100u);
}

TEST_F(MemoryTransferTest, ChunkRowsFollowTheRowBytes)
{
    struct Row {
        const char* name;
        int rowBytes;
        unsigned rows;
    } rows[] = {{"80 channels of 16 bits", 160, 384}, {"three channels", 6, 10880}, {"one channel", 2, 32768},
                {"80 channels of 32 bits", 320, 192}, {"wider than 1 KiB", 2000, 1}, {"no channel on", 0, 0}};
    for (const Row& row : rows)
        EXPECT_EQ(CCFUpdate::ChunkRowsFor(row.rowBytes), row.rows) << row.name;
}

TEST_F(MemoryTransferTest, ASecondBoxStartsTheTemporaryFileOverAndASmallTotalIsOneChunk)
{
    Start({1, 2}, 50);
    CCFMeterUpdate transfer(host);
    ASSERT_TRUE(transfer.Prepare());
    CTransferRun run(host);
    EXPECT_EQ(run.RunThroughUnits(transfer), CTransferRun::kCompleted);
    EXPECT_EQ(DataLines(0), (Lines{"ADR0", "BDT50"}));
    EXPECT_EQ(DataLines(1), (Lines{"ADR0", "BDT50"}));
    for (int ch = 0; ch < 8; ++ch)
        ASSERT_TRUE(TankHolds(system, 0, ch, ch, 2, 50));
    for (int ch = 0; ch < 16; ++ch)
        ASSERT_TRUE(TankHolds(system, 1, ch, ch, 2, 50));
}

TEST_F(MemoryTransferTest, AFailedChunkIsOfferedAndYesReadsTheItemAgainFromItsFirstRow)
{
    Start({10}, 1000);
    FaultsOf(0).ErrorOn("BDT", 12, 1);
    host.answers = {true};
    CCFMeterUpdate transfer(host);
    ASSERT_TRUE(transfer.Prepare());
    CTransferRun run(host);
    EXPECT_EQ(run.RunThroughUnits(transfer), CTransferRun::kCompleted);
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(DataLines(0),
              (Lines{"ADR0", "BDT384", "ADR0", "BDT384", "ADR384", "BDT384", "ADR768", "BDT232"}));
    for (int ch = 0; ch < 80; ++ch)
        ASSERT_TRUE(TankHolds(system, 0, ch, ch, 2, 1000)) << "channel " << ch;
}

TEST_F(MemoryTransferTest, ALateBlockIsNotTakenForTheRetriedChunk)
{
    link.SetReplyTimeout(1);
    Start({1}, 1000);
    // The first block comes after the time-out; the retry must read its own.
    FaultsOf(0).DelayReply("BDT", 2500, 1);
    host.answers = {true};
    CCFMeterUpdate transfer(host);
    ASSERT_TRUE(transfer.Prepare());
    CTransferRun run(host);
    run.SetReplyTimeout(1);
    EXPECT_EQ(run.RunThroughUnits(transfer), CTransferRun::kCompleted);
    EXPECT_EQ(host.asked.size(), 1u);
    for (int ch = 0; ch < 8; ++ch)
        ASSERT_TRUE(TankHolds(system, 0, ch, ch, 2, 1000)) << "channel " << ch;
    EXPECT_EQ(link.GetReplyTimeout(), 1.0);
}

TEST_F(MemoryTransferTest, WithoutAskingAFailureEndsTheRunQuietly)
{
    Start({1}, 1000);
    FaultsOf(0).ErrorOn("BDT", 12, -1);
    CCFMeterUpdate transfer(host);
    transfer.SetAskOnError(false);
    ASSERT_TRUE(transfer.Prepare());
    CTransferRun run(host);
    EXPECT_EQ(run.RunThroughUnits(transfer), CTransferRun::kFailed);
    EXPECT_TRUE(host.asked.empty());
    EXPECT_FALSE(transfer.GetErrorText().IsEmpty());
}

TEST_F(MemoryTransferTest, ABoxWithoutAChannelOnEndsAtOnce)
{
    Start({1, 1}, 300);
    for (int ch = 0; ch < 8; ++ch)
        ASSERT_TRUE(system.SetChannelValue(ch, 0, 0));
    CCFMeterUpdate transfer(host);
    ASSERT_TRUE(transfer.Prepare());
    EXPECT_EQ(transfer.GetTotal(), 0u);
    CTransferRun run(host);
    EXPECT_EQ(run.RunThroughUnits(transfer), CTransferRun::kCompleted);
    EXPECT_TRUE(DataLines(0).empty());
    for (int ch = 0; ch < 8; ++ch)
        ASSERT_TRUE(TankHolds(system, 1, ch, ch, 2, 300));
}

struct FaultRow {
    const char* name;
    void (*arm)(kivemu::Faults&);
};

class MemoryFaultTest : public MemoryTransferTest, public ::testing::WithParamInterface<FaultRow> {};

TEST_P(MemoryFaultTest, EndsWithTheQuestionNoWrongValuesAndTheTimeOutRestored)
{
    link.SetReplyTimeout(1);
    Start({1}, 1000);
    GetParam().arm(FaultsOf(0));
    host.answers = {false};
    CCFMeterUpdate transfer(host);
    ASSERT_TRUE(transfer.Prepare());
    CTransferRun run(host);
    EXPECT_EQ(run.RunThroughUnits(transfer), CTransferRun::kFailed);
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_FALSE(host.asked[0].empty());
    // Nothing of the failed chunk reached the tanks.
    CDataTankObject* tank = system.GetBox(0)->GetChannelTank(1);
    EXPECT_TRUE(std::isinf(tank->GetValue(1)) || tank->GetValue(1) >= 1e300) << tank->GetValue(1);
    EXPECT_EQ(link.GetReplyTimeout(), 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, MemoryFaultTest,
    ::testing::Values(FaultRow{"ErrInsteadOfTheBlock", [](kivemu::Faults& f) { f.ErrorOn("BDT", 12, -1); }},
                      FaultRow{"ErrToTheAddress", [](kivemu::Faults& f) { f.ErrorOn("ADR", 12, -1); }},
                      FaultRow{"DroppedInTheBlock", [](kivemu::Faults& f) { f.DropMidReply("BDT", -1); }}),
    [](const ::testing::TestParamInfo<FaultRow>& info) { return std::string(info.param.name); });

} // namespace
