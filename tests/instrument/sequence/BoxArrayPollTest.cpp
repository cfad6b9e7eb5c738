// One poll of a running measurement against two emulated control units.

#include "tests/support/link/SequenceFixture.h"

#include "common/base/ZelException.h"
#include "instrument/meter/KivMeter.h"
#include "tests/instrument/system/FakeCanUnit.h"

#include <cmath>
#include <thread>

namespace {

using seqtest::Lines;
using Measure = kivemu::MeasureDevice;
using Meter = kivemu::MeterDevice;
using State = kivemu::DeviceState;

class PollTest : public seqtest::SequenceTest {
protected:
    void SetUp() override
    {
        SequenceTest::SetUp();
        Connect();
    }

    void SetStatus(int unit, int state, int card, int program)
    {
        Dev(unit).With([&](Measure&, Meter& meter, State& s) {
            s.state = state;
            s.cardStatus = card;
            meter.programValue = program;
        });
    }

    void SetRecorded(int unit, int count)
    {
        Dev(unit).With([&](Measure& m, Meter&, State&) {
            m.phase = Measure::Phase::Recording;
            m.recorded = count;
            m.samplesPerPoll = 0;
        });
    }

    CKivMeter& MeterOf(int box) { return *system.GetBox(box)->GetMeter(); }
};

TEST_F(PollTest, StatesOfAllUnitsAreCombined)
{
    struct Row {
        const char* name;
        int state[2], card[2], program[2];
        int wantState, wantCard, wantProgram;
    };
    const Row rows[] = {
        {"both in standby", {1, 1}, {0, 0}, {-1, -1}, 1, 0, 0},
        {"one records", {1, 3}, {0, 0}, {-1, -1}, 3, 0, 0},
        {"card low wins over no card", {1, 1}, {50, 5}, {-1, -1}, 1, 5, 0},
        {"card low wins when first", {1, 1}, {5, 50}, {-1, -1}, 1, 5, 0},
        {"no card", {2, 1}, {0, 50}, {-1, -1}, 2, 50, 0},
        {"program runs on one", {1, 1}, {0, 0}, {0, 1}, 1, 0, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        for (int u = 0; u < 2; ++u)
            SetStatus(u, r.state[u], r.card[u], r.program[u]);
        ClearLines();
        system.CollectBoxStates();
        EXPECT_EQ(system.GetState(), r.wantState);
        EXPECT_EQ(system.GetCardMode(), r.wantCard);
        EXPECT_EQ(system.GetProgramValue(), r.wantProgram);
        EXPECT_EQ(LinesOf(0), Lines{"STA1"});
        EXPECT_EQ(LinesOf(1), Lines{"STA1"});
    }
}

TEST_F(PollTest, CurrentValuesChangeFromPollToPollAndReachTheTanks)
{
    system.ReadCurrentValues({0, 1});
    EXPECT_EQ(LinesOf(0), Lines{"MDT"});
    EXPECT_EQ(LinesOf(1), Lines{"MDT"});
    // Request 0: channel ch (from 1) answers 100 x ch.
    const double first = MeterOf(1).GetCurrentValue(2);
    EXPECT_DOUBLE_EQ(first, 300 * MeterOf(1).GetScaleFactor(2));
    system.StoreCurrentValues({0, 1});
    EXPECT_TRUE(std::isfinite(Stored(10)));

    system.ReadCurrentValues({0, 1});
    // Request 1 adds the channel number.
    EXPECT_DOUBLE_EQ(MeterOf(1).GetCurrentValue(2), 303 * MeterOf(1).GetScaleFactor(2));
}

TEST_F(PollTest, MalformedCurrentValuesAreRefusedAndKeptOutOfTheTanks)
{
    struct Row {
        const char* name;
        std::string reply;
    };
    const Row rows[] = {
        {"one value short", "1,2,3,4,5,6,7"},
        {"one value too many", "1,2,3,4,5,6,7,8,9"},
        {"a field that is no number", "1,2,x,4,5,6,7,8"},
        {"an empty reply", ""},
        {"a number glued to text", "1,2,3,4,5,6,7,8abc"},
    };
    system.ReadCurrentValues({0, 1});
    system.StoreCurrentValues({0, 1});
    const double kept = Stored(9);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::string bytes = r.reply + "\r\n";
        FaultsOf(1).Garbage("MDT", std::vector<uint8_t>(bytes.begin(), bytes.end()), true);
        try {
            system.ReadCurrentValues({0, 1});
            ADD_FAILURE() << "no exception";
        } catch (const CZelException& e) {
            EXPECT_EQ(e.m_nErrorCode, -1);
        }
        system.StoreCurrentValues({0, 1});
        EXPECT_EQ(Stored(9), kept);
        // The other unit's values still arrive.
        EXPECT_TRUE(std::isfinite(Stored(1)));
    }
    // A good reply is taken again.
    system.ReadCurrentValues({0, 1});
    system.StoreCurrentValues({0, 1});
    EXPECT_NE(Stored(9), kept);
}

TEST_F(PollTest, EndCountsOfAllUnitsBecomeTheirCommonMinimum)
{
    SetRecorded(0, 1001);
    SetRecorded(1, 1000);
    EXPECT_EQ(system.SyncEndCounts(system.GetBoxesInUse(), system.GetUnitList()), 999);
    EXPECT_EQ(LinesOf(0), Lines{"EOC"});
    EXPECT_EQ(LinesOf(1), Lines{"EOC"});
    for (int box = 0; box < 2; ++box) {
        for (int ch = 0; ch < 8; ++ch)
            EXPECT_EQ(MeterOf(box).GetLastSampleIndex(ch), 999) << box << "/" << ch;
    }
}

TEST_F(PollTest, UnitsThatWaitForTheTriggerAreAskedAgainAfterAPause)
{
    SetRecorded(0, 50);
    SetRecorded(1, 70);
    FaultsOf(1).ErrorOn("EOC", 2, 2);
    EXPECT_EQ(system.ReadEndOfMeasure(true), 49);
    EXPECT_EQ(CountOf(0, "EOC"), 3);
    EXPECT_EQ(CountOf(1, "EOC"), 3);
    EXPECT_EQ(services.clock.Sleeps(), 2);

    // The single-unit form asks the poll box alone.
    ClearLines();
    FaultsOf(0).ErrorOn("EOC", 2, 1);
    EXPECT_EQ(system.ReadEndOfMeasure(false), 49);
    EXPECT_EQ(LinesOf(0), (Lines{"EOC", "EOC"}));
    EXPECT_TRUE(LinesOf(1).empty());
}

TEST_F(PollTest, EndlessTriggerWaitCanBeCancelled)
{
    SetRecorded(0, 50);
    SetRecorded(1, 70);
    FaultsOf(0).ErrorOn("EOC", 2, -1);
    services.clock.OnSleep([this](int64_t) {
        if (services.clock.Sleeps() == 5)
            system.CancelWait();
    });
    try {
        system.ReadEndOfMeasure(true);
        ADD_FAILURE() << "no exception";
    } catch (const CZelException& e) {
        EXPECT_EQ(e.m_nErrorCode, -1);
    }
    EXPECT_EQ(CountOf(0, "EOC"), 5);
}

TEST_F(PollTest, UnitDroppingOutEndsTheStepAndLeavesTheOtherReadable)
{
    SetRecorded(0, 50);
    SetRecorded(1, 70);
    FaultsOf(1).DropMidReply("EOC");
    EXPECT_THROW(system.SyncEndCounts(system.GetBoxesInUse(), system.GetUnitList()), CZelException);
    // Unit 0's reply was read: its next exchange is in step.
    ClearLines();
    system.ReadCurrentValues({0});
    EXPECT_EQ(LinesOf(0), Lines{"MDT"});
    EXPECT_DOUBLE_EQ(MeterOf(0).GetCurrentValue(0), 100 * MeterOf(0).GetScaleFactor(0));
}

TEST_F(PollTest, ElapsedTimeNeedsFirmware14C)
{
    Dev(0).With([](Measure& m, Meter&, State&) { m.elapsedSeconds = 3725; });
    MeterOf(0).SetFirmwareVersion(0x312E3442);  // 1.4B
    system.ReadElapsedTime();
    EXPECT_EQ(system.GetElapsedTime().GetStatus(), fw::COleDateTimeSpan::null);
    EXPECT_TRUE(LinesOf(0).empty());

    MeterOf(0).SetFirmwareVersion(0x312E3443);  // 1.4C
    system.ReadElapsedTime();
    EXPECT_EQ(LinesOf(0), Lines{"EOC2"});
    EXPECT_EQ(system.GetElapsedTime().GetStatus(), fw::COleDateTimeSpan::valid);
    EXPECT_NEAR(system.GetElapsedTime().GetTotalSeconds(), 3725.0, 1e-6);
}

TEST_F(PollTest, FileChangesAreNotAskedWithoutACard)
{
    SetStatus(1, 1, 50, -1);
    system.CollectBoxStates();
    ClearLines();
    EXPECT_FALSE(system.HasNewFiles());
    EXPECT_EQ(CountOf(0, "FLN") + CountOf(1, "FLN"), 0);

    SetStatus(1, 1, 0, -1);
    system.CollectBoxStates();
    Dev(1).With([](Measure&, Meter& meter, State&) { meter.files.push_back({"A001.hed", {1}, -1}); });
    ClearLines();
    EXPECT_TRUE(system.HasNewFiles());
    EXPECT_EQ(LinesOf(0), Lines{"FLN"});
    EXPECT_EQ(LinesOf(1), Lines{"FLN"});
}

TEST_F(PollTest, FrequencyAnalysisStateReportsTheFirstUnusualAnswer)
{
    for (int u = 0; u < 2; ++u)
        MeterOf(u).SetAnalysisAvailable(true);
    Dev(0).With([](Measure&, Meter&, State& s) { s.analysisState = 1; });
    Dev(1).With([](Measure&, Meter&, State& s) { s.analysisState = 7; });
    EXPECT_EQ(system.CheckMeters(), 7);
    Dev(1).With([](Measure&, Meter&, State& s) { s.analysisState = 1; });
    EXPECT_EQ(system.CheckMeters(), 1);
    MeterOf(1).SetAnalysisAvailable(false);
    ClearLines();
    EXPECT_EQ(system.CheckMeters(), 1);
    EXPECT_TRUE(LinesOf(1).empty());
}

TEST_F(PollTest, PollRunsOnAWorkerThread)
{
    SetRecorded(0, 300);
    SetRecorded(1, 200);
    int count = -2;
    std::thread worker([&] {
        system.CollectBoxStates();
        system.ReadCurrentValues({0, 1});
        count = system.ReadEndOfMeasure(true);
        system.ReadElapsedTime();
    });
    worker.join();
    EXPECT_EQ(count, 199);
    EXPECT_EQ(system.GetState(), 1);
    EXPECT_EQ(LinesOf(0), (Lines{"STA1", "MDT", "EOC", "EOC2"}));
    EXPECT_EQ(LinesOf(1), (Lines{"STA1", "MDT", "EOC"}));
    // The tanks are written afterwards on this thread.
    system.StoreCurrentValues({0, 1});
    EXPECT_TRUE(std::isfinite(Stored(0)));
}

class CanPollTest : public seqtest::SequenceTest {
protected:
    systest::FakeCanUnitScope canUnit;
};

TEST_F(CanPollTest, UnitWithACanUnitIsAskedForTheWideForm)
{
    ConnectEach({{2}, {2, 8}});
    system.ReadCurrentValues({0, 1});
    EXPECT_EQ(LinesOf(0), Lines{"MDT"});
    EXPECT_EQ(LinesOf(1), Lines{"MDT2"});
}

} // namespace
