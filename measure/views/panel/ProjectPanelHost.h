#pragma once

// The measurement panel's host over a project document: the project's
// measuring system, monitor settings, automatic-mode programs and history,
// the program's bar and alarm sound through the panel shell, and the
// transfer dialog for each finished record.

#include "measure/model/poll/MoniSPTankData.h"
#include "measure/model/poll/PanelHost.h"

#include <functional>

class CKIV5980Doc;

class CProjectPanelHost final : public IPanelHost {
public:
    explicit CProjectPanelHost(CKIV5980Doc& doc) : m_doc(doc) {}

    CKIV5980Doc& Document() { return m_doc; }
    // The panel window's part: repaint the monitor, rebuild the alarm
    // rows, close the window and cancel its open dialog.
    std::function<void()> redrawMonitor;
    std::function<void(bool)> refreshAlarms;
    std::function<void()> closePanel;
    std::function<void()> cancelDialog;
    std::function<void()> updateStartButton;
    // The card's select-and-delete dialog over the panel window.
    std::function<bool()> selectDeleteCardFiles;

    CBoxArray& System() override;
    const CMoniterPrf& MonitorSettings() override;
    CMoniSPTankData* MonitorSet() override { return &m_trend; }
    bool CanAddStep() override;
    bool HasChannelLimits(int channel) override;
    std::vector<int16_t> ComparatorChannels() override;
    std::vector<std::pair<int16_t, int16_t>> HistogramChannels() override;
    bool ConfirmStopMeasurement() override;
    void RefreshProjectViews() override;
    bool DontSaveAutomatically() override;
    bool RecordHistoryWithoutSave() override;
    bool DeleteCardFilesAfterFetch() override;
    void SendGraphHint(int hint) override;
    void ShowWaitingText(bool on) override;
    void UpdateTriggerStatus(const fw::COleDateTime& start, double days, int code) override;
    void ClearTriggerStatus() override;
    void ShowRecordCount(int count) override;
    void ShowElapsedTime(const fw::COleDateTimeSpan& span) override;
    void UpdateCfStatus(int unitsMode) override;
    void UpdateStartButton() override;
    void RedrawMonitor() override;
    void RefreshAlarms(bool sound) override;
    void ResetAlarmSound() override;
    void PlayAlarmSound() override;
    void CancelOpenDialog() override;
    void ClosePanel() override;
    int RunTransfer(CBoxArray::FileVectors& lists, int mode, bool deleteAfter) override;
    int AskDataTriggerStart(bool continuousTrigger) override;
    int AskFreeRunStart() override;
    int AskComparatorReference() override;
    bool SelectDeleteCardFiles() override;
    void ImportHistogramData(CBoxArray::FileVectors& lists) override;
    bool CheckIntervalProgram() override;
    bool IsIntervalTableEmpty() override;
    bool StartInterval(fw::COleDateTime& time) override;
    bool ScheduleNextInterval(fw::COleDateTime& time) override;
    bool StartComparator() override;
    bool ResetComparator(int mode) override;
    int CheckComparatorLimits() override;
    bool AdvanceComparator() override;
    void EnableComparator(bool on) override { m_comparatorOn = on; }
    bool StartCycleTrigger() override;
    bool IsCycleTableEmpty() override;
    bool ResetCycleTrigger(int count) override;
    int CheckCycleDue(int& count) override;
    bool AdvanceCycleTrigger(int count) override;
    int AskCycleCount(int& count) override;

private:
    CKIV5980Doc& m_doc;
    CMoniSPTankData m_trend;
    bool m_comparatorOn = false;
};
