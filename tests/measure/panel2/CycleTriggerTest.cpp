// The cycle trigger against an emulated control unit: the count chosen in
// the cycle-count dialog is set on the unit, every monitor poll reads the
// unit's counter, and a record starts each time it reaches the program's
// next due count, until the program runs out.

#include "tests/measure/poll/PanelFixture.h"

namespace {

using paneltest::FakePanelHost;
using paneltest::PanelTest;
using seqtest::Lines;

// The test host with a cycle program of `dueCounts`, one record each; the
// rest goes to the panel tests' host.
class CycleHost final : public IPanelHost {
public:
    explicit CycleHost(FakePanelHost& inner) : m_inner(inner) {}

    CBoxArray& System() override { return m_inner.System(); }
    const CMoniterPrf& MonitorSettings() override { return m_inner.MonitorSettings(); }
    CMoniSPTankData* MonitorSet() override { return m_inner.MonitorSet(); }
    bool CanAddStep() override { return m_inner.CanAddStep(); }
    std::vector<int16_t> ComparatorChannels() override { return m_inner.ComparatorChannels(); }
    bool HasChannelLimits(int channel) override { return m_inner.HasChannelLimits(channel); }
    std::vector<std::pair<int16_t, int16_t>> HistogramChannels() override { return m_inner.HistogramChannels(); }
    bool ConfirmStopMeasurement() override { return m_inner.ConfirmStopMeasurement(); }
    void RefreshProjectViews() override { m_inner.RefreshProjectViews(); }
    bool DontSaveAutomatically() override { return m_inner.DontSaveAutomatically(); }
    bool RecordHistoryWithoutSave() override { return m_inner.RecordHistoryWithoutSave(); }
    bool DeleteCardFilesAfterFetch() override { return m_inner.DeleteCardFilesAfterFetch(); }
    void ShowRecordCount(int count) override { m_inner.ShowRecordCount(count); }
    void ShowElapsedTime(const fw::COleDateTimeSpan& span) override { m_inner.ShowElapsedTime(span); }
    void UpdateCfStatus(int mode) override { m_inner.UpdateCfStatus(mode); }
    void UpdateStartButton() override { m_inner.UpdateStartButton(); }
    void RefreshAlarms(bool sound) override { m_inner.RefreshAlarms(sound); }
    void ResetAlarmSound() override { m_inner.ResetAlarmSound(); }
    void PlayAlarmSound() override { m_inner.PlayAlarmSound(); }
    void ImportHistogramData(CBoxArray::FileVectors& lists) override { m_inner.ImportHistogramData(lists); }
    int AskDataTriggerStart(bool continuous) override { return m_inner.AskDataTriggerStart(continuous); }
    int AskFreeRunStart() override { return m_inner.AskFreeRunStart(); }
    int AskComparatorReference() override { return m_inner.AskComparatorReference(); }
    bool SelectDeleteCardFiles() override { return m_inner.SelectDeleteCardFiles(); }
    bool CheckIntervalProgram() override { return m_inner.CheckIntervalProgram(); }
    bool IsIntervalTableEmpty() override { return m_inner.IsIntervalTableEmpty(); }
    bool StartInterval(fw::COleDateTime& time) override { return m_inner.StartInterval(time); }
    bool ScheduleNextInterval(fw::COleDateTime& time) override { return m_inner.ScheduleNextInterval(time); }
    bool StartComparator() override { return m_inner.StartComparator(); }
    bool ResetComparator(int mode) override { return m_inner.ResetComparator(mode); }
    int CheckComparatorLimits() override { return m_inner.CheckComparatorLimits(); }
    bool AdvanceComparator() override { return m_inner.AdvanceComparator(); }
    void EnableComparator(bool on) override { m_inner.EnableComparator(on); }
    void SendGraphHint(int hint) override { m_inner.SendGraphHint(hint); }
    void ShowWaitingText(bool on) override { m_inner.ShowWaitingText(on); }
    void UpdateTriggerStatus(const fw::COleDateTime& start, double days, int code) override
    {
        m_inner.UpdateTriggerStatus(start, days, code);
    }
    void ClearTriggerStatus() override { m_inner.ClearTriggerStatus(); }
    void RedrawMonitor() override { m_inner.RedrawMonitor(); }
    void ClosePanel() override { m_inner.ClosePanel(); }
    void CancelOpenDialog() override { m_inner.CancelOpenDialog(); }
    int RunTransfer(CBoxArray::FileVectors& lists, int mode, bool deleteAfter) override
    {
        return m_inner.RunTransfer(lists, mode, deleteAfter);
    }

    bool StartCycleTrigger() override { return valid; }
    bool IsCycleTableEmpty() override { return dueCounts.empty(); }
    bool ResetCycleTrigger(int count) override
    {
        resetCounts.push_back(count);
        next = 0;
        return !dueCounts.empty();
    }
    int CheckCycleDue(int& count) override
    {
        count = System().ReadCycleCount();
        if (count < 0)
            return 0;
        return count < dueCounts.at(next) ? -1 : 1;
    }
    bool AdvanceCycleTrigger(int count) override
    {
        while (next < dueCounts.size() && dueCounts[next] <= count)
            ++next;
        return next < dueCounts.size();
    }
    int AskCycleCount(int& count) override
    {
        shownCounts.push_back(count);
        if (answer == 1)
            count = enteredCount;
        return answer;
    }

    bool valid = true;
    std::vector<int> dueCounts;
    size_t next = 0;
    int answer = 1;
    int enteredCount = 0;
    std::vector<int> shownCounts;
    std::vector<int> resetCounts;

private:
    FakePanelHost& m_inner;
};

class CycleTriggerTest : public PanelTest {
protected:
    void OpenWithCycles(std::vector<int> due, int unitCount = 7)
    {
        Connect(1);
        Dev(0).With([&](kivemu::MeasureDevice& m, kivemu::MeterDevice& d, kivemu::DeviceState&) {
            m.dataCount = 300;
            m.samplesPerPoll = 100;
            m.writesRecordings = true;
            d.unitTotals[0] = unitCount;
        });
        system.SetTankDisplayModes();
        Watch(0);
        cycles.dueCounts = std::move(due);
        panel = std::make_unique<CKeisokuPanel>(cycles);
        panel->SetMonitoring(true);
        ASSERT_TRUE(panel->InitPanelState());
        ClearLines();
    }

    void SetUnitCount(int count)
    {
        Dev(0).With([&](kivemu::MeasureDevice&, kivemu::MeterDevice& d, kivemu::DeviceState&) {
            d.unitTotals[0] = count;
        });
    }

    // Lines of the unit other than the poll's own questions.
    Lines Commands()
    {
        Lines out;
        for (const std::string& line : LinesOf(0)) {
            if (line != "STA1" && line != "STA10" && line != "FLN" && line.rfind("MDT", 0) != 0)
                out.push_back(line);
        }
        return out;
    }

    // The commands with the repeated counter reads of the waiting polls
    // folded into one.
    Lines Folded()
    {
        Lines out;
        for (const std::string& line : Commands())
            if (out.empty() || line != "CUN 1?" || out.back() != "CUN 1?")
                out.push_back(line);
        return out;
    }

    CycleHost cycles{host};
};

TEST_F(CycleTriggerTest, ARecordStartsEachTimeTheCounterReachesTheNextDueCountUntilTheProgramRunsOut)
{
    OpenWithCycles({3, 5});
    cycles.enteredCount = 0;
    panel->OnCycleTrigger();
    ASSERT_TRUE(panel->IsCycleTrigger());
    EXPECT_EQ(cycles.shownCounts, (std::vector<int>{7}));
    EXPECT_EQ(cycles.resetCounts, (std::vector<int>{0}));
    EXPECT_EQ(panel->GetCycleCount(), 0);

    ASSERT_TRUE(PumpPolls(3));
    EXPECT_FALSE(panel->IsMeasuring());
    SetUnitCount(3);
    ASSERT_TRUE(PumpUntil([&] { return host.transferModes.size() == 1 && !panel->IsMeasuring(); }));
    EXPECT_TRUE(panel->IsCycleTrigger());
    EXPECT_EQ(panel->GetLastStartKind(), CKeisokuPanel::kStartCycle);
    ASSERT_TRUE(PumpPolls(2));
    SetUnitCount(6);
    ASSERT_TRUE(PumpUntil([&] { return host.transferModes.size() == 2 && !panel->IsMeasuring(); }));
    EXPECT_FALSE(panel->IsCycleTrigger());
    ASSERT_TRUE(PumpPolls(2));
    panel->StopPolling();
    EXPECT_EQ(Folded(), (Lines{"CUN 1?", "CUN 1,0", "CUN 1?", "TRG", "TTM", "EOC2", "EOC2", "EOC2", "EOC", "DIR",
                               "DATA0001.HED", "DATA0001.HED", "DATA0001.DAT", "CUN 1?", "TRG", "TTM", "EOC2", "EOC2",
                               "EOC2", "EOC", "DIR", "DATA0002.HED", "DATA0002.HED", "DATA0002.DAT"}));
    EXPECT_FALSE(panel->IsAborted());
}

TEST_F(CycleTriggerTest, KeepingTheCountReadsItAgainAndAnEmptyProgramStartsAtOnce)
{
    OpenWithCycles({});
    cycles.answer = 0;
    panel->OnCycleTrigger();
    EXPECT_TRUE(panel->IsMeasuring());
    EXPECT_EQ(panel->GetLastStartKind(), CKeisokuPanel::kStartCycle);
    // Nothing left to wait for after the record.
    EXPECT_FALSE(panel->IsCycleTrigger());
    ASSERT_TRUE(PumpUntil([&] { return host.transferModes.size() == 1 && !panel->IsMeasuring(); }));
    panel->StopPolling();
    const Lines lines = Commands();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4), (Lines{"CUN 1?", "CUN 1?", "CUN 1?", "TRG"}));
    EXPECT_EQ(cycles.resetCounts, (std::vector<int>{7}));
}

TEST_F(CycleTriggerTest, SwitchingOffAsksAndACancelledCountDialogKeepsPolling)
{
    OpenWithCycles({100});
    cycles.answer = -1;
    panel->OnCycleTrigger();
    EXPECT_FALSE(panel->IsCycleTrigger());
    EXPECT_TRUE(panel->HasWorker());
    ASSERT_TRUE(PumpPolls(1));

    cycles.answer = 1;
    cycles.enteredCount = 10;
    panel->OnCycleTrigger();
    ASSERT_TRUE(panel->IsCycleTrigger());
    services.prompt.Expect(CKeisokuPanel::kMsgEndCycleTrigger, fw::IDNO);
    panel->OnCycleTrigger();
    EXPECT_TRUE(panel->IsCycleTrigger());
    services.prompt.Expect(CKeisokuPanel::kMsgEndCycleTrigger, fw::IDYES);
    panel->OnCycleTrigger();
    EXPECT_FALSE(panel->IsCycleTrigger());
    EXPECT_EQ(panel->GetCycleCount(), -1);
    ASSERT_TRUE(PumpPolls(2));
    panel->StopPolling();
    EXPECT_EQ(Commands(), (Lines{"CUN 1?", "CUN 1?", "CUN 1,10"}));
}

TEST_F(CycleTriggerTest, AnUnreadableCounterEndsTheModeAndPollingGoesOn)
{
    OpenWithCycles({50});
    panel->OnCycleTrigger();
    ASSERT_TRUE(panel->IsCycleTrigger());
    ASSERT_TRUE(PumpPolls(1));
    // The counter query fails; declining to retry leaves it unreadable.
    question.answers = {false};
    FaultsOf(0).ErrorOn("CUN", 11);
    ASSERT_TRUE(PumpUntil([&] { return !panel->IsCycleTrigger(); }));
    EXPECT_EQ(question.asked.size(), 1u);
    ASSERT_TRUE(PumpPolls(2));
    EXPECT_TRUE(panel->HasWorker());
    EXPECT_FALSE(panel->IsAborted());
    panel->StopPolling();
}

} // namespace
