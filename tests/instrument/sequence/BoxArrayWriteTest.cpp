// Writing settings, clocks, save mode, calibration outputs and the cycle
// count against two emulated control units.

#include "tests/support/link/SequenceFixture.h"

#include "instrument/meter/KivMeter.h"

namespace {

using seqtest::Lines;
using Measure = kivemu::MeasureDevice;
using Meter = kivemu::MeterDevice;
using State = kivemu::DeviceState;

// 2009-12-31 23:59:59 in Japan (the tests run with TZ=JST-9).
constexpr time_t kLastSecondOf2009 = 1262271599;

class WriteTest : public seqtest::SequenceTest {
protected:
    void SetUp() override
    {
        SequenceTest::SetUp();
        Connect();
    }

    CKivMeter& MeterOf(int box) { return *system.GetBox(box)->GetMeter(); }
};

TEST_F(WriteTest, ClocksOfAllUnitsAreSetFromOneInstant)
{
    services.clock.SetNow(kLastSecondOf2009);
    ASSERT_TRUE(system.SetMeterClocks());
    for (int u = 0; u < 2; ++u) {
        SCOPED_TRACE(u);
        EXPECT_EQ(LinesOf(u), (Lines{"DTE 09;12;31", "TME 23;59;59"}));
        Dev(u).With([](Measure& m, Meter&, State&) {
            EXPECT_EQ(m.date, "09;12;31");
            EXPECT_EQ(m.time, "23;59;59");
        });
    }
}

TEST_F(WriteTest, ClockRefusedByAUnitIsIgnored)
{
    FaultsOf(1).ErrorOn("DTE", 20);
    EXPECT_TRUE(system.SetMeterClocks());
    EXPECT_EQ(CountOf(0, "TME"), 1);
    EXPECT_EQ(CountOf(1, "TME"), 1);
}

TEST_F(WriteTest, UnitDroppingOutOfTheClockCommandFailsItAndTheOtherStaysInStep)
{
    FaultsOf(1).DropMidReply("DTE");
    services.prompt.ExpectText("", fw::IDOK);
    EXPECT_FALSE(system.SetMeterClocks());
    EXPECT_EQ(services.prompt.Problems(), "");
    EXPECT_EQ(CountOf(0, "TME"), 0);
    // Unit 0's reply was read: its next exchange gets its own answer.
    MeterOf(0).SetAnalysisAvailable(true);
    Dev(0).With([](Measure& m, Meter&, State&) { m.saveMode = 4; });
    EXPECT_TRUE(system.ReadSaveMode());
    EXPECT_EQ(system.GetSaveMode(), 4);
}

TEST_F(WriteTest, SaveModeGoesToTheUnitsWithFrequencyAnalysis)
{
    MeterOf(0).SetAnalysisAvailable(false);
    MeterOf(1).SetAnalysisAvailable(true);
    system.SetSaveMode(3);
    ASSERT_TRUE(system.SendSaveMode());
    EXPECT_TRUE(LinesOf(0).empty());
    EXPECT_EQ(LinesOf(1), Lines{"WSY3"});

    Dev(1).With([](Measure& m, Meter&, State&) { m.saveMode = 2; });
    ASSERT_TRUE(system.ReadSaveMode());
    EXPECT_EQ(system.GetSaveMode(), 2);
    EXPECT_EQ(LinesOf(1).back(), "WSY?");
}

TEST_F(WriteTest, SaveModeWithoutFrequencyAnalysisIsKept)
{
    for (int u = 0; u < 2; ++u)
        MeterOf(u).SetAnalysisAvailable(false);
    system.SetSaveMode(3);
    EXPECT_TRUE(system.ReadSaveMode());
    EXPECT_EQ(system.GetSaveMode(), 3);
    EXPECT_TRUE(LinesOf(0).empty());
    EXPECT_TRUE(LinesOf(1).empty());
}

TEST_F(WriteTest, SaveModeReplyWithoutANumberIsRefused)
{
    MeterOf(0).SetAnalysisAvailable(true);
    system.SetSaveMode(3);
    emu.Unit(0).AddCommand("WSY?", [](const kivemu::Command&, State&) { return kivemu::Reply::Line("?"); });
    services.prompt.ExpectText("", fw::IDOK);
    EXPECT_FALSE(system.ReadSaveMode());
    EXPECT_EQ(system.GetSaveMode(), 3);
}

TEST_F(WriteTest, UnknownCalibrationModeSendsNothing)
{
    EXPECT_FALSE(system.OutputCalibration(7));
    EXPECT_TRUE(LinesOf(0).empty());
    EXPECT_TRUE(LinesOf(1).empty());
}

TEST_F(WriteTest, CycleCountGoesToTheMasterOnly)
{
    ASSERT_TRUE(system.SetCycleCount(5));
    EXPECT_EQ(LinesOf(0), Lines{"CUN 1,5"});
    EXPECT_TRUE(LinesOf(1).empty());
    Dev(0).With([](Measure&, Meter& meter, State&) { meter.unitTotals[0] = 12; });
    EXPECT_EQ(system.ReadCycleCount(), 12);
    EXPECT_EQ(LinesOf(0).back(), "CUN 1?");
}

TEST_F(WriteTest, RefusedCycleCountIsOfferedForARepeat)
{
    FaultsOf(0).ErrorOn("CUN", 20);
    question.answers = {false};
    EXPECT_FALSE(system.SetCycleCount(5));
    FaultsOf(0).ErrorOn("CUN", 20);
    question.answers = {true};
    EXPECT_TRUE(system.SetCycleCount(5));
    EXPECT_EQ(question.asked.size(), 2u);
    EXPECT_EQ(CountOf(0, "CUN 1,5"), 3);
}

TEST_F(WriteTest, FailedWriteClosesThatUnitAndStops)
{
    FaultsOf(0).ErrorOn("", 20);
    services.prompt.ExpectText("", fw::IDOK);
    EXPECT_FALSE(system.WriteAllSettings());
    EXPECT_EQ(services.prompt.Problems(), "");
    EXPECT_FALSE(MeterOf(0).IsConnected());
    EXPECT_TRUE(LinesOf(1).empty());
}

TEST_F(WriteTest, DifferingProgramSettingsAfterTheReadBackAreReported)
{
    for (int u = 0; u < 2; ++u)
        MeterOf(u).SetAnalysisAvailable(true);
    ASSERT_TRUE(system.ReadHistSettings());

    Dev(1).With([](Measure&, Meter& meter, State&) { meter.measureTime = {1, 2, 3}; });
    services.prompt.ExpectText("", fw::IDOK);
    EXPECT_FALSE(system.ReadHistSettings());
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST_F(WriteTest, FrequencySettingsGoOnlyToUnitsThatAnalyse)
{
    MeterOf(0).SetAnalysisAvailable(true);
    MeterOf(1).SetAnalysisAvailable(false);
    ASSERT_TRUE(system.WriteHistSettings());
    const Lines lines = LinesOf(0);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "MEM1,2");
    EXPECT_EQ(lines.back(), "MEM1,2");  // no frequency number set: load class 0
    EXPECT_TRUE(LinesOf(1).empty());

    FaultsOf(0).ErrorOn("MEM", 20);
    services.prompt.ExpectText("", fw::IDOK);
    EXPECT_FALSE(system.WriteHistSettings());
    EXPECT_FALSE(MeterOf(0).IsConnected());
}

} // namespace
