// Whole measurements of each kind against emulated control units: the
// commands the units receive, the record fetched into the project and the
// panel's state afterwards.

#include "tests/measure/poll/PanelFixture.h"

#include "tests/emulator/RecordedData.h"

namespace {

using paneltest::PanelTest;
using seqtest::Lines;

class SequenceRunTest : public PanelTest {
protected:
    // Recordings of `samples` samples, 100 per poll, written to the card
    // as the units do.
    void Script(int unit, int samples, bool card = true)
    {
        Dev(unit).With([&](kivemu::MeasureDevice& m, kivemu::MeterDevice&, kivemu::DeviceState& s) {
            m.dataCount = samples;
            m.samplesPerPoll = 100;
            m.writesRecordings = card;
            if (!card)
                s.cardStatus = CKeisokuPanel::kModeUnitMemory;
        });
    }

    void AddMemory(int unit, int rows)
    {
        auto memory = std::make_shared<kivemu::MemoryRecording>();
        memory->widths.assign(8, 2);
        memory->rows = static_cast<uint64_t>(rows);
        kivemu::AddMemoryReadout(emu.Unit(static_cast<size_t>(unit)), memory);
        memories.push_back(memory);
    }

    // Lines of unit i other than the poll's questions.
    Lines Commands(int i)
    {
        Lines out;
        for (const std::string& line : LinesOf(i)) {
            if (line != "STA1" && line != "STA10" && line != "FLN" && line.rfind("MDT", 0) != 0)
                out.push_back(line);
        }
        return out;
    }

    // One control unit recording `samples` to its card, channel 0 watched,
    // the panel open and the transcript cleared.
    void OpenOnCard(int samples = 300)
    {
        Connect(1);
        Script(0, samples);
        system.SetTankDisplayModes();
        Watch(0);
        panel = std::make_unique<CKeisokuPanel>(host);
        panel->SetMonitoring(true);
        ASSERT_TRUE(panel->InitPanelState());
        ClearLines();
    }

    std::vector<std::shared_ptr<kivemu::MemoryRecording>> memories;
};

TEST_F(SequenceRunTest, ManualStartInUnitMemoryRecordsFetchesTheSamplesAndGoesBackToMonitoring)
{
    Connect(1);
    Script(0, 300, false);
    system.SetTankDisplayModes();
    ASSERT_TRUE(system.SetDataCount(300, true));
    AddMemory(0, 300);
    Watch(0);
    panel = std::make_unique<CKeisokuPanel>(host);
    panel->SetMonitoring(true);
    ASSERT_TRUE(panel->InitPanelState());
    ClearLines();
    panel->OnStart();
    EXPECT_TRUE(panel->IsMeasuring());
    EXPECT_EQ(panel->GetLastStartKind(), CKeisokuPanel::kStartButton);
    ASSERT_TRUE(PumpUntil([&] { return !panel->IsMeasuring(); }));
    ASSERT_TRUE(PumpPolls(1));
    panel->StopPolling();
    EXPECT_EQ(host.transferModes, (std::vector<int>{0}));
    EXPECT_TRUE(transfertest::TankHolds(system, 0, 0, 0, 2, 300));
    EXPECT_EQ(Commands(0), (Lines{"TRG", "TTM", "EOC2", "EOC2", "EOC2", "EOC", "ADR0", "BDT300"}));
    EXPECT_FALSE(panel->IsAborted());
    EXPECT_NE(std::find(host.hints.begin(), host.hints.end(), CKeisokuPanel::kHintStarted), host.hints.end());
    EXPECT_NE(std::find(host.hints.begin(), host.hints.end(), CKeisokuPanel::kHintEnded), host.hints.end());
}

TEST_F(SequenceRunTest, DataTriggerOnceJoinsTheRecordTheUnitsBeginFetchesItFromTheCardAndEnds)
{
    OpenOnCard();
    system.GetADSet().m_nPreNum = 100;
    system.GetADSet().m_dClk = 10.0;
    host.dataTriggerAnswer = 1;
    panel->OnDataTrigger();
    EXPECT_TRUE(panel->IsDataTrigger());
    EXPECT_TRUE(host.waiting);
    ASSERT_TRUE(PumpUntil([&] { return panel->IsMeasuring(); }));
    EXPECT_EQ(panel->GetLastStartKind(), CKeisokuPanel::kStartDataTrigger);
    // The record began the pre-trigger time (100 x 10 ms) before the trigger.
    EXPECT_EQ(panel->GetStartTime().Format("%Y/%m/%d %H:%M:%S"), fw::CString("2009/12/31 23:59:58"));
    ASSERT_TRUE(PumpUntil([&] { return !panel->IsMeasuring() && !panel->IsDataTrigger(); }));
    ASSERT_TRUE(PumpPolls(1));
    panel->StopPolling();
    EXPECT_EQ(Commands(0), (Lines{"CFMS", "RES", "SET1;8", "TGL0", "RES", "SET1;8", "DTG", "TTM", "EOC2", "EOC2",
                                  "EOC2", "EOC", "DIR", "DATA0001.HED", "DATA0001.HED", "DATA0001.DAT", "CFMS"}));
    EXPECT_EQ(host.transferModes, (std::vector<int>{1}));
    EXPECT_FALSE(panel->IsAborted());
}

TEST_F(SequenceRunTest, ContinuousDataTriggerRearmsAfterEachRecordUntilSwitchedOff)
{
    OpenOnCard();
    host.dataTriggerAnswer = 2;
    panel->OnDataTrigger();
    ASSERT_TRUE(PumpUntil([&] { return host.transferModes.size() == 2; }));
    EXPECT_TRUE(panel->IsDataTrigger());
    services.prompt.Expect(CKeisokuPanel::kMsgEndDataTrigger, fw::IDYES);
    ASSERT_TRUE(PumpUntil([&] { return !panel->IsMeasuring(); }));
    panel->OnDataTrigger();
    EXPECT_FALSE(panel->IsDataTrigger());
    panel->StopPolling();
    const Lines arm{"RES", "SET1;8", "TGL0", "RES", "SET1;8", "DTG"};
    Lines want;
    for (const char* file : {"DATA0001", "DATA0002"}) {
        want.push_back("CFMC");
        want.insert(want.end(), arm.begin(), arm.end());
        for (const char* line : {"TTM", "EOC2", "EOC2", "EOC2", "EOC", "DIR"})
            want.push_back(line);
        for (const char* ext : {".HED", ".HED", ".DAT"})
            want.push_back(std::string(file) + ext);
    }
    want.push_back("CFMC");
    want.insert(want.end(), arm.begin(), arm.end());
    want.push_back("HLT");
    want.push_back("CFMS");
    EXPECT_EQ(Commands(0), want);
    EXPECT_FALSE(panel->IsAborted());
}

TEST_F(SequenceRunTest, FreeRunRecordsUntilTheUnitsStopAndThenSetsTheSingleTriggerAgain)
{
    OpenOnCard();
    host.freeRunAnswer = 2;
    panel->OnFreeRun();
    EXPECT_EQ(panel->GetFreeRun(), 2);
    EXPECT_TRUE(panel->IsRepeat());
    // The emulated units go back to standby after a record: the free run
    // ends with it.
    ASSERT_TRUE(PumpUntil([&] { return host.transferModes.size() == 1 && panel->GetFreeRun() == 0; }));
    ASSERT_TRUE(PumpPolls(1));
    panel->StopPolling();
    EXPECT_EQ(Commands(0), (Lines{"CFMF", "TRG", "TTM", "EOC2", "EOC2", "EOC2", "EOC2", "TTM", "EOC", "DIR",
                                  "DATA0001.HED", "DATA0001.HED", "DATA0001.DAT", "CFMS"}));
    EXPECT_FALSE(panel->IsAborted());
}

TEST_F(SequenceRunTest, IntervalWithoutStartTimeStartsAtOnceAndAgainWhenDue)
{
    OpenOnCard();
    host.intervalSeconds = 60;
    host.intervalRuns = 1;
    panel->OnInterval();
    EXPECT_TRUE(panel->IsInterval());
    EXPECT_TRUE(panel->IsMeasuring());
    ASSERT_TRUE(PumpUntil([&] { return host.transferModes.size() == 1 && !panel->IsMeasuring(); }));
    services.clock.Advance(61000);
    ASSERT_TRUE(PumpUntil([&] { return host.transferModes.size() == 2 && !panel->IsMeasuring(); }));
    EXPECT_FALSE(panel->IsInterval());
    panel->StopPolling();
    EXPECT_EQ(Commands(0), (Lines{"TRG", "TTM", "EOC2", "EOC2", "EOC2", "EOC", "DIR", "DATA0001.HED", "DATA0001.HED",
                                  "DATA0001.DAT", "TRG", "TTM", "EOC2", "EOC2", "EOC2", "EOC", "DIR", "DATA0002.HED",
                                  "DATA0002.HED", "DATA0002.DAT"}));
    EXPECT_EQ(panel->GetLastStartKind(), CKeisokuPanel::kStartInterval);
}

TEST_F(SequenceRunTest, ProgramMeasurementFollowsTheUnitsAndFetchesEachRecord)
{
    OpenOnCard();
    panel->OnProgramMeasure();
    ASSERT_TRUE(PumpUntil([&] { return host.transferModes.size() >= 1; }));
    panel->StopPolling();
    EXPECT_EQ(Commands(0), (Lines{"PST1,1,0,0", "PMA0,1,0", "PIV0,1,0", "PCY1", "PRN", "TTM", "EOC2", "EOC2", "EOC2",
                                  "EOC", "DIR", "DATA0001.HED", "DATA0001.HED", "DATA0001.DAT"}));
    EXPECT_FALSE(panel->IsAborted());
}

TEST_F(SequenceRunTest, TheStartButtonHaltsARunningRecordAndFetchesWhatWasRecorded)
{
    OpenOnCard(100000);
    panel->OnStart();
    ASSERT_TRUE(PumpUntil([&] { return CountOf(0, "EOC2") >= 2; }));
    panel->OnStart();
    EXPECT_FALSE(panel->IsMeasuring());
    panel->StopPolling();
    EXPECT_EQ(Commands(0), (Lines{"TRG", "TTM", "EOC2", "EOC2", "EOC", "HLT", "DIR", "DATA0001.HED", "DATA0001.HED",
                                  "DATA0001.DAT"}));
    EXPECT_EQ(host.transferModes, (std::vector<int>{1}));
    EXPECT_FALSE(panel->IsAborted());
}

TEST_F(SequenceRunTest, TheComparatorStartsARecordAtEachCrossingUntilItsTableRunsOut)
{
    OpenOnCard();
    host.crossings = {-1, 1, -1, 1};
    host.comparatorRows = 2;
    panel->OnDataComparator();
    EXPECT_TRUE(panel->IsComparator());
    ASSERT_TRUE(PumpUntil([&] { return host.transferModes.size() == 2 && !panel->IsMeasuring(); }));
    EXPECT_FALSE(panel->IsComparator());
    EXPECT_EQ(panel->GetLastStartKind(), CKeisokuPanel::kStartComparator);
    panel->StopPolling();
    EXPECT_EQ(CountOf(0, "TRG"), 2);
}

TEST_F(SequenceRunTest, AFullHistoryEndsAContinuousDataTriggerWithAHalt)
{
    OpenOnCard();
    host.maxSteps = 1;
    host.dataTriggerAnswer = 2;
    panel->OnDataTrigger();
    ASSERT_TRUE(PumpUntil([&] { return host.transferModes.size() == 1 && !panel->IsDataTrigger(); }));
    ASSERT_TRUE(PumpPolls(1));
    panel->StopPolling();
    EXPECT_FALSE(panel->IsRepeat());
    EXPECT_FALSE(panel->IsMeasuring());
    const Lines commands = Commands(0);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back(), "HLT");
    EXPECT_FALSE(panel->CanStart());
}

TEST_F(SequenceRunTest, AManualStartWhileADataTriggerWaitsHaltsTheUnitsFirst)
{
    OpenOnCard();
    host.dataTriggerAnswer = 1;
    Dev(0).With([](kivemu::MeasureDevice& m, kivemu::MeterDevice&, kivemu::DeviceState&) { m.triggerPolls = 1000; });
    panel->OnDataTrigger();
    ASSERT_TRUE(PumpPolls(2));
    ClearLines();
    Dev(0).With([](kivemu::MeasureDevice& m, kivemu::MeterDevice&, kivemu::DeviceState&) { m.triggerPolls = 2; });
    panel->StopPolling();
    ASSERT_TRUE(panel->StartMeasurement(CKeisokuPanel::kStartButton));
    const Lines commands = Commands(0);
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ(commands[0], "HLT");
    EXPECT_EQ(commands[1], "CFMS");
    EXPECT_EQ(commands[2], "TRG");
}

} // namespace

namespace {

using paneltest::PanelTest;

TEST_F(PanelTest, OpeningWhileTheUnitsRecordJoinsTheRecordAsADataTrigger)
{
    Connect(1);
    system.SetTankDisplayModes();
    Dev(0).With([](kivemu::MeasureDevice& m, kivemu::MeterDevice&, kivemu::DeviceState&) {
        m.dataCount = 300;
        m.writesRecordings = true;
    });
    ASSERT_TRUE(system.SendCfm('S'));
    system.GetBox(0)->GetMeter()->Command("TRG");
    for (int i = 0; i < 3; ++i)
        system.CollectBoxStates();
    ASSERT_EQ(system.GetState(), CKeisokuPanel::kStateRecording);
    panel = std::make_unique<CKeisokuPanel>(host);
    ASSERT_TRUE(panel->InitPanelState());
    EXPECT_TRUE(panel->IsDataTrigger());
    EXPECT_FALSE(panel->IsRepeat());
    EXPECT_TRUE(host.waiting);
    ASSERT_TRUE(PumpUntil([&] { return host.transferModes.size() == 1 && !panel->IsMeasuring(); }));
    panel->StopPolling();
    EXPECT_FALSE(panel->IsDataTrigger());
    EXPECT_FALSE(panel->IsAborted());
}

} // namespace
