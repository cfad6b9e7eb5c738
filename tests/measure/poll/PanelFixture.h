#pragma once

// The measurement panel over emulated control units: a host that records
// what the panel asks of the project, the main frame and the displays, and
// that fetches recorded data through the retrieval engine; the panel's
// worker runs on a real thread and the test pumps the posted results.

#include "tests/measure/TransferFixture.h"

#include "common/calc/CalcuDataTank.h"
#include "docbase/settings/MoniterPrf.h"
#include "framework/core/Message.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "measure/model/poll/KeisokuPanel.h"
#include "measure/model/poll/MoniSPTankData.h"
#include "measure/model/poll/PanelHost.h"
#include "measure/model/poll/PanelRetrieval.h"

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace paneltest {

class FakePanelHost final : public IPanelHost {
public:
    explicit FakePanelHost(CBoxArray& system) : transfer(system), m_system(system) {}

    CBoxArray& System() override { return m_system; }
    const CMoniterPrf& MonitorSettings() override { return monitor; }
    CMoniSPTankData* MonitorSet() override { return &trend; }
    bool CanAddStep() override { return steps < maxSteps; }
    std::vector<int16_t> ComparatorChannels() override { return comparatorChannels; }
    bool HasChannelLimits(int) override { return false; }
    std::vector<std::pair<int16_t, int16_t>> HistogramChannels() override { return histogramChannels; }
    bool ConfirmStopMeasurement() override { return true; }
    void RefreshProjectViews() override {}
    bool DontSaveAutomatically() override { return dontSave; }
    bool RecordHistoryWithoutSave() override { return false; }
    bool DeleteCardFilesAfterFetch() override { return deleteAfterFetch; }
    void ShowRecordCount(int) override {}
    void ShowElapsedTime(const fw::COleDateTimeSpan&) override {}
    void UpdateCfStatus(int) override {}
    void UpdateStartButton() override {}
    void ResetAlarmSound() override {}
    void ImportHistogramData(CBoxArray::FileVectors& lists) override
    {
        std::vector<std::string> names;
        for (const auto* list : lists)
            if (list)
                for (const CKiv406FileInfo& entry : *list)
                    names.push_back(entry.m_name.str());
        importedHistFiles.push_back(names);
    }
    bool SelectDeleteCardFiles() override
    {
        ++selectDeleteRuns;
        return true;
    }
    bool StartCycleTrigger() override { return false; }
    bool IsCycleTableEmpty() override { return true; }
    bool ResetCycleTrigger(int) override { return false; }
    int CheckCycleDue(int&) override { return 0; }
    bool AdvanceCycleTrigger(int) override { return false; }
    int AskCycleCount(int&) override { return -1; }
    void SendGraphHint(int hint) override { hints.push_back(hint); }
    void ShowWaitingText(bool on) override { waiting = on; }
    void UpdateTriggerStatus(const fw::COleDateTime& start, double, int code) override
    {
        triggerCodes.push_back(code);
        lastStart = start;
    }
    void ClearTriggerStatus() override { triggerCodes.push_back(-1); }
    void RedrawMonitor() override { ++redraws; }
    void RefreshAlarms(bool) override { ++alarmRefreshes; }
    void PlayAlarmSound() override { ++alarmPlays; }
    void ClosePanel() override { ++closes; }
    void CancelOpenDialog() override { ++cancels; }
    int RunTransfer(CBoxArray::FileVectors& lists, int mode, bool) override
    {
        transferModes.push_back(mode);
        ++steps;
        return RunPanelRetrieval(transfer, lists, mode);
    }
    int AskDataTriggerStart(bool) override { return dataTriggerAnswer; }
    int AskComparatorReference() override { return comparatorReference; }
    bool StartComparator() override { return true; }
    bool ResetComparator(int) override { return true; }
    // One answer per check; -1 (between) when the script ran out.
    int CheckComparatorLimits() override
    {
        if (crossings.empty())
            return -1;
        const int answer = crossings.front();
        crossings.erase(crossings.begin());
        return answer;
    }
    bool AdvanceComparator() override { return --comparatorRows > 0; }
    void EnableComparator(bool on) override { comparatorEnabled.push_back(on); }
    int AskFreeRunStart() override { return freeRunAnswer; }
    bool CheckIntervalProgram() override { return intervalValid; }
    bool IsIntervalTableEmpty() override { return intervalEmpty; }
    bool StartInterval(fw::COleDateTime& time) override
    {
        time += fw::COleDateTimeSpan(intervalSeconds / 86400.0);
        return true;
    }
    bool ScheduleNextInterval(fw::COleDateTime& time) override
    {
        time += fw::COleDateTimeSpan(intervalSeconds / 86400.0);
        return --intervalRuns > 0;
    }

    CMoniterPrf monitor;
    CMoniSPTankData trend;
    std::vector<int16_t> comparatorChannels;
    std::vector<std::pair<int16_t, int16_t>> histogramChannels;
    bool dontSave = false;
    bool deleteAfterFetch = false;
    std::vector<std::vector<std::string>> importedHistFiles;
    int selectDeleteRuns = 0;
    int steps = 0;
    int maxSteps = 100;
    std::vector<int> hints;
    std::vector<int> triggerCodes;
    fw::COleDateTime lastStart;
    bool waiting = false;
    int redraws = 0;
    int alarmRefreshes = 0;
    int alarmPlays = 0;
    int closes = 0;
    int cancels = 0;
    std::vector<int> transferModes;
    int dataTriggerAnswer = 0;
    int freeRunAnswer = 0;
    int comparatorReference = 1;
    std::vector<int> crossings;
    int comparatorRows = 2;
    std::vector<bool> comparatorEnabled;
    bool intervalValid = true;
    bool intervalEmpty = true;
    int intervalSeconds = 10;
    int intervalRuns = 2;
    transfertest::TestHost transfer;

private:
    CBoxArray& m_system;
};

class PanelTest : public seqtest::SequenceTest {
protected:
    void TearDown() override
    {
        panel.reset();
        seqtest::SequenceTest::TearDown();
    }

    // Connects the units, makes channel `watched` (map index) watched and
    // opens the panel with monitoring on.
    void Open(int units = 2, int watched = 0, bool monitoring = true)
    {
        Connect(units);
        system.SetTankDisplayModes();
        if (watched >= 0)
            Watch(watched);
        panel = std::make_unique<CKeisokuPanel>(host);
        panel->SetMonitoring(monitoring);
        ASSERT_TRUE(panel->InitPanelState());
    }

    void Watch(int mapIndex)
    {
        auto* calc = dynamic_cast<CCalcuDataTank*>(system.GetTankList().GetObjectAt(mapIndex));
        ASSERT_NE(calc, nullptr);
        calc->AddUse();
    }

    // Pumps the posted messages until `done` holds or 10 s of real time
    // passed.
    bool PumpUntil(const std::function<bool()>& done)
    {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < limit) {
            fw::PumpPosted();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    // Polls handled while pumping: every poll repaints the monitor once.
    bool PumpPolls(int polls)
    {
        const int target = host.redraws + polls;
        return PumpUntil([&] { return host.redraws >= target; });
    }

    FakePanelHost host{system};
    std::unique_ptr<CKeisokuPanel> panel;
};

} // namespace paneltest
