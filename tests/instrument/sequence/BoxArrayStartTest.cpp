// Starting a measurement against two emulated control units: manual
// trigger, data trigger, program measurement, the trigger wait and the
// start time.

#include "tests/support/link/SequenceFixture.h"

#include "common/base/ZelException.h"

#include <algorithm>

namespace {

using seqtest::Lines;
using Measure = kivemu::MeasureDevice;
using Meter = kivemu::MeterDevice;
using State = kivemu::DeviceState;

class StartTest : public seqtest::SequenceTest {
protected:
    void SetUp() override
    {
        SequenceTest::SetUp();
        Connect();
    }

    void Script(int triggerPolls)
    {
        for (int u = 0; u < 2; ++u)
            Dev(u).With([&](Measure& m, Meter&, State&) { m.triggerPolls = triggerPolls; });
    }

    // Only the master starts; the other unit waits for its trigger too.
    void ArmSecond()
    {
        Dev(1).With([](Measure& m, Meter&, State& s) {
            m.phase = Measure::Phase::Waiting;
            m.countdown = m.triggerPolls;
            s.state = 2;
        });
    }
};

TEST_F(StartTest, ManualStartTriggersTheMasterAndWaitsForTheTrigger)
{
    Script(2);
    ArmSecond();
    ASSERT_TRUE(system.StartAndWait());
    EXPECT_EQ(LinesOf(0), (Lines{"TRG", "STA1", "STA1", "STA1", "TTM"}));
    EXPECT_EQ(LinesOf(1), (Lines{"STA1", "STA1", "STA1"}));
    EXPECT_EQ(system.GetState(), 3);
    const fw::COleDateTime& start = system.GetStartTime();
    EXPECT_EQ(start.GetStatus(), fw::COleDateTime::valid);
    EXPECT_EQ(start, fw::COleDateTime(2009, 12, 31, 23, 59, 59));
    // Two pauses between three polls.
    EXPECT_EQ(services.clock.Sleeps(), 2);
    EXPECT_EQ(services.clock.SleptMs(), 2 * CBoxArray::kWaitPauseMs);
}

TEST_F(StartTest, TriggerWaitEndsAfter40SecondsAndAsksForTheStartTime)
{
    Script(1000000);
    ArmSecond();
    const time_t t0 = services.clock.Now();
    // The start time stays unknown while the trigger does not come: after
    // the second 40-second wait the user gives up.
    int ttm = 0;
    emu.Unit(0).AddCommand("TTM", [&](const kivemu::Command&, State&) {
        if (++ttm == 2)
            system.CancelWait();
        return kivemu::Reply::Line("");
    });
    EXPECT_FALSE(system.StartAndWait());
    EXPECT_EQ(ttm, 2);
    const Lines lines = LinesOf(0);
    const auto firstTtm = std::find(lines.begin(), lines.end(), "TTM") - lines.begin();
    // Polls every 200 ms for just over 40 s.
    EXPECT_GE(firstTtm - 1, 40000 / CBoxArray::kWaitPauseMs);
    EXPECT_LE(firstTtm - 1, 41000 / CBoxArray::kWaitPauseMs + 1);
    EXPECT_GT(services.clock.Now() - t0, 2 * CBoxArray::kTriggerWaitS);
}

TEST_F(StartTest, StartTimeIsReadFromItsSixFields)
{
    struct Row {
        const char* name;
        const char* reply;
        bool valid;
        fw::COleDateTime want;
    };
    const Row rows[] = {
        {"slashes and colons", " 09/12/31 23:59:59", true, {2009, 12, 31, 23, 59, 59}},
        {"any separators", "X09-12-31T23.59.59", true, {2009, 12, 31, 23, 59, 59}},
        {"start of a year", "*10/01/01 00:00:00", true, {2010, 1, 1, 0, 0, 0}},
        {"month 13", " 09/13/31 23:59:59", false, {}},
        {"short reply", " 09/12/31", false, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Dev(0).With([&](Measure& m, Meter&, State&) {
            m.triggered = true;
            m.startTime = r.reply;
        });
        ASSERT_TRUE(system.WaitTriggerAndReadStart(false, false));
        EXPECT_EQ(system.GetStartTime().GetStatus() == fw::COleDateTime::valid, r.valid);
        if (r.valid) {
            EXPECT_EQ(system.GetStartTime(), r.want);
        }
    }
}

TEST_F(StartTest, MeasuringTimeCanBeTakenOffTheStartTime)
{
    system.GetADSet().m_nNum = 3601;
    system.GetADSet().m_dClk = 1000.0;  // one hour of samples
    Dev(0).With([](Measure& m, Meter&, State&) { m.triggered = true; });
    ASSERT_TRUE(system.WaitTriggerAndReadStart(true, false));
    EXPECT_EQ(system.GetStartTime(), fw::COleDateTime(2009, 12, 31, 22, 59, 59));
}

TEST_F(StartTest, FailedTriggerIsOfferedForARepeat)
{
    Script(0);
    FaultsOf(0).ErrorOn("TRG", 40);
    question.answers = {true};
    ASSERT_TRUE(system.StartAndWait());
    ASSERT_EQ(question.asked.size(), 1u);
    EXPECT_NE(question.asked[0].find("続行しますか"), std::string::npos);
    EXPECT_EQ(CountOf(0, "TRG"), 2);
    EXPECT_EQ(WithoutPolls(0).back(), "TTM");
}

TEST_F(StartTest, DeclinedRepeatEndsTheStart)
{
    FaultsOf(0).ErrorOn("TRG", 40);
    question.answers = {false};
    EXPECT_FALSE(system.StartAndWait());
    EXPECT_EQ(CountOf(0, "TRG"), 1);
    EXPECT_EQ(CountOf(0, "STA1"), 0);
    EXPECT_TRUE(LinesOf(1).empty());
}

TEST_F(StartTest, ErrorDuringTheWaitGivesUpOrRaisesAsAsked)
{
    Dev(0).With([](Measure& m, Meter&, State& s) {
        m.phase = Measure::Phase::Waiting;
        m.countdown = 5;
        s.state = 2;
    });
    FaultsOf(1).ErrorOn("STA1", 40);
    EXPECT_THROW(system.WaitTriggerAndReadStart(false, false), CZelException);
    FaultsOf(1).ErrorOn("STA1", 40);
    question.answers = {false};
    EXPECT_FALSE(system.WaitTriggerAndReadStart(false, true));
    EXPECT_EQ(question.asked.size(), 1u);
}

TEST_F(StartTest, DataTriggerStartWritesTheLevelsThenStartsTheMaster)
{
    ASSERT_TRUE(system.SendDtg());
    const Lines master = LinesOf(0);
    const Lines other = LinesOf(1);
    ASSERT_FALSE(master.empty());
    EXPECT_EQ(master.back(), "DTG");
    EXPECT_EQ(CountOf(1, "DTG"), 0);
    // Both units end with the selection of the channels that are on.
    EXPECT_EQ(other.back(), "SET1;8");
    EXPECT_EQ(master[master.size() - 2], "SET1;8");
}

TEST_F(StartTest, ProgramMeasurementWaitsForTheProgramToRun)
{
    for (int u = 0; u < 2; ++u)
        Dev(u).With([](Measure& m, Meter&, State&) { m.programPolls = 3; });
    ASSERT_TRUE(system.StartProgramMeasurement());
    const Lines master = WithoutPolls(0);
    ASSERT_GE(master.size(), 5u);
    EXPECT_EQ(master[master.size() - 5].substr(0, 3), "PST");
    EXPECT_EQ(master[master.size() - 4].substr(0, 3), "PMA");
    EXPECT_EQ(master[master.size() - 3].substr(0, 3), "PIV");
    EXPECT_EQ(master[master.size() - 2].substr(0, 3), "PCY");
    EXPECT_EQ(master.back(), "PRN");
    EXPECT_EQ(CountOf(0, "STA1"), 3);
    EXPECT_EQ(system.GetProgramValue(), 1);
    EXPECT_EQ(CountOf(1, "PRN"), 0);
}

TEST_F(StartTest, ProgramRefusedByTheUnitIsExplained)
{
    FaultsOf(0).ErrorOn("PRN", 52);
    services.prompt.Expect(CBoxArray::kMsgProgramNotStarted, fw::IDOK);
    EXPECT_TRUE(system.StartProgramMeasurement());
    EXPECT_EQ(services.prompt.Problems(), "");
    EXPECT_TRUE(question.asked.empty());
}

TEST_F(StartTest, UnitDroppingOutDuringTheTriggerWaitEndsTheStartWithItsError)
{
    Script(5);
    ArmSecond();
    kivemu::FaultRule drop;
    drop.kind = kivemu::FaultRule::Kind::DropMidReply;
    drop.word = "STA1";
    drop.skip = 2;
    FaultsOf(1).Add(drop);
    question.answers = {false};
    EXPECT_FALSE(system.StartAndWait());
    ASSERT_EQ(question.asked.size(), 1u);
    const std::string& asked = question.asked[0];
    ASSERT_GT(asked.size(), std::string("\n続行しますか？").size());
    EXPECT_EQ(asked.substr(asked.size() - std::string("\n続行しますか？").size()), "\n続行しますか？");
    EXPECT_EQ(CountOf(0, "STA1"), 3);
    EXPECT_EQ(CountOf(1, "STA1"), 3);
    // The master's replies were all read: its next exchange is in step.
    ClearLines();
    system.ReadCurrentValues({0});
    EXPECT_EQ(LinesOf(0), Lines{"MDT"});
}

} // namespace
