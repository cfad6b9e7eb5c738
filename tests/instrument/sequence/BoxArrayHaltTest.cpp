// Halt, stop and finish against two emulated control units that start and
// halt together.

#include "tests/support/link/SequenceFixture.h"

#include "common/base/ZelException.h"
#include "common/tank/DataTankObject.h"

namespace {

using seqtest::Lines;
using Measure = kivemu::MeasureDevice;
using Meter = kivemu::MeterDevice;
using State = kivemu::DeviceState;

class HaltTest : public seqtest::SequenceTest {
protected:
    void SetUp() override
    {
        SequenceTest::SetUp();
        Connect();
        Dev(1).Follow(Dev(0));
    }

    void Recording(int unit, int recorded)
    {
        Dev(unit).With([&](Measure& m, Meter&, State& s) {
            m.phase = Measure::Phase::Recording;
            m.recorded = recorded;
            m.samplesPerPoll = 0;
            s.state = 3;
        });
    }

    int TankSize(int index) { return system.GetTankList().GetObjectAt(index)->GetDataCount(); }
};

TEST_F(HaltTest, StopSettlesOneCountAndSizesTheTanks)
{
    Recording(0, 500);
    Recording(1, 400);
    EXPECT_EQ(system.StopMeasurement(false), 399);
    EXPECT_EQ(LinesOf(0), (Lines{"EOC", "HLT", "STA1"}));
    EXPECT_EQ(LinesOf(1), (Lines{"EOC", "STA1"}));
    for (int index : {0, 7, 8, 15})
        EXPECT_EQ(TankSize(index), 400) << index;
    EXPECT_EQ(system.GetTankList().GetTimeTank()->GetDataCount(), 400);
    EXPECT_EQ(system.GetBox(1)->GetMeter()->GetLastSampleIndex(3), 399);
    EXPECT_EQ(system.GetState(), 1);
}

TEST_F(HaltTest, StopBeforeTheTriggerAsksUntilTheUnitsCount)
{
    for (int u = 0; u < 2; ++u) {
        Dev(u).With([](Measure& m, Meter&, State& s) {
            m.phase = Measure::Phase::Waiting;
            m.countdown = 1000000;
            s.state = 2;
        });
    }
    services.clock.OnSleep([this](int64_t) {
        if (services.clock.Sleeps() == 2) {
            Recording(0, 30);
            Recording(1, 20);
        }
    });
    EXPECT_EQ(system.StopMeasurement(false), 19);
    EXPECT_EQ(WithoutPolls(0), (Lines{"EOC", "EOC", "EOC", "HLT"}));
    EXPECT_EQ(WithoutPolls(1), (Lines{"EOC", "EOC", "EOC"}));
}

TEST_F(HaltTest, StopThatFindsNoSampleLeavesTheTanksAlone)
{
    const int before = TankSize(0);
    Recording(0, 0);
    Recording(1, 0);
    EXPECT_EQ(system.StopMeasurement(false), 0);
    EXPECT_EQ(TankSize(0), before);
    EXPECT_EQ(CountOf(0, "HLT"), 1);
}

TEST_F(HaltTest, FinishOfAMeasurementTheUnitsEndedSendsNoHalt)
{
    Recording(0, 100);
    Recording(1, 100);
    EXPECT_EQ(system.FinishRecording(false), 99);
    EXPECT_EQ(LinesOf(0), Lines{"EOC"});
    EXPECT_EQ(LinesOf(1), Lines{"EOC"});
    EXPECT_EQ(TankSize(0), 100);
}

TEST_F(HaltTest, HaltWaitEndsAfter1500SecondsAndCountsAsDone)
{
    Recording(0, 10);
    Recording(1, 10);
    emu.Unit(0).AddCommand("HLT", [](const kivemu::Command&, State&) { return kivemu::Reply::Line("OK"); });
    const time_t t0 = services.clock.Now();
    EXPECT_TRUE(system.HaltMeasurement(false));
    EXPECT_GT(services.clock.Now() - t0, CBoxArray::kHaltWaitS);
    EXPECT_LE(services.clock.Now() - t0, CBoxArray::kHaltWaitS + 1);
}

TEST_F(HaltTest, CancelledHaltWaitIsNoSuccess)
{
    Recording(0, 10);
    Recording(1, 10);
    emu.Unit(0).AddCommand("HLT", [](const kivemu::Command&, State&) { return kivemu::Reply::Line("OK"); });
    services.clock.OnSleep([this](int64_t) { system.CancelWait(); });
    EXPECT_FALSE(system.HaltMeasurement(false));
    EXPECT_EQ(CountOf(0, "STA1"), 1);
}

TEST_F(HaltTest, HaltRefusedIsOfferedForARepeat)
{
    Recording(0, 10);
    Recording(1, 10);
    FaultsOf(0).ErrorOn("HLT", 40);
    question.answers = {true};
    EXPECT_TRUE(system.HaltMeasurement(true));
    EXPECT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(CountOf(0, "HLT"), 2);

    FaultsOf(0).ErrorOn("HLT", 40);
    EXPECT_FALSE(system.HaltMeasurement(false));
    EXPECT_EQ(question.asked.size(), 1u);
}

TEST_F(HaltTest, HaltAndFinishSetsTheCardModeOnEveryUnitAfterTheHalt)
{
    Recording(0, 10);
    Recording(1, 10);
    EXPECT_TRUE(system.HaltAndFinish());
    EXPECT_EQ(WithoutPolls(0), (Lines{"HLT", "CFMS"}));
    EXPECT_EQ(WithoutPolls(1), (Lines{"CFMS"}));

    // A refused card-mode command that the user does not repeat leaves the
    // halt a success.
    ClearLines();
    FaultsOf(1).ErrorOn("CFM", 40);
    question.answers = {false};
    EXPECT_TRUE(system.HaltAndFinish());
    EXPECT_EQ(question.asked.size(), 1u);
}

TEST_F(HaltTest, UnitDroppingOutDuringTheStopFailsIt)
{
    Recording(0, 100);
    Recording(1, 100);
    FaultsOf(1).DropMidReply("EOC");
    question.answers = {false};
    EXPECT_EQ(system.StopMeasurement(false), -1);
    EXPECT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(CountOf(0, "HLT"), 0);
}

} // namespace
