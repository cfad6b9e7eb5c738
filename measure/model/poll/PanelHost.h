#pragma once

// What the measurement panel needs of the project it measures, of the main
// frame around it and of the windows that show its results. The project
// document lives beside this folder's users, so the panel reaches it only
// through this interface; the panel window implements it over the project
// document and the main frame, tests over a plain measuring system.

#include "framework/core/DateTime.h"
#include "instrument/system/BoxArray.h"

#include <cstdint>
#include <utility>
#include <vector>

class CMoniterPrf;
class CMoniSPTankData;

struct IPanelHost {
    virtual ~IPanelHost() = default;

    // ---- the project
    virtual CBoxArray& System() = 0;
    virtual const CMoniterPrf& MonitorSettings() = 0;
    // The monitor-only trend copy of the channels; null: no trend kept.
    virtual CMoniSPTankData* MonitorSet() = 0;
    // The measurement history can take another step.
    virtual bool CanAddStep() = 0;
    // Channels the comparator table reads.
    virtual std::vector<int16_t> ComparatorChannels() = 0;
    // The channel is on and has a finite upper or lower limit.
    virtual bool HasChannelLimits(int channel) = 0;
    // (channel map index, analysis index) of the frequency analyses in use.
    virtual std::vector<std::pair<int16_t, int16_t>> HistogramChannels() = 0;
    // The panel may close while it measures (asks the user).
    virtual bool ConfirmStopMeasurement() = 0;
    virtual void RefreshProjectViews() = 0;

    // ---- the application's options
    virtual bool DontSaveAutomatically() = 0;
    virtual bool RecordHistoryWithoutSave() = 0;
    virtual bool DeleteCardFilesAfterFetch() = 0;

    // ---- the main frame and the displays
    // Measurement hint `hint` to every graph document.
    virtual void SendGraphHint(int hint) = 0;
    virtual void ShowWaitingText(bool on) = 0;
    // Start time, recording length in days (0 open), trigger-state code.
    virtual void UpdateTriggerStatus(const fw::COleDateTime& start, double days, int code) = 0;
    virtual void ClearTriggerStatus() = 0;
    virtual void ShowRecordCount(int count) = 0;
    virtual void ShowElapsedTime(const fw::COleDateTimeSpan& span) = 0;
    virtual void UpdateCfStatus(int unitsMode) = 0;
    virtual void UpdateStartButton() = 0;
    virtual void RedrawMonitor() = 0;
    // The alarm window rebuilds its rows; with `sound` it raises the
    // pending alarm-sound level.
    virtual void RefreshAlarms(bool sound) = 0;
    virtual void ResetAlarmSound() = 0;
    virtual void PlayAlarmSound() = 0;
    // The open modal dialog of the panel is cancelled and the panel window
    // closes (posted, so the running handler ends first).
    virtual void CancelOpenDialog() = 0;
    virtual void ClosePanel() = 0;

    // ---- retrieval
    // Fetches the recorded files of `lists` (one per box) into the project
    // as new history steps and data documents: mode 0 unit memory, 1 card
    // through the unit, 3 chosen card files. The transfer dialog's result
    // (IDOK when every file set went in).
    virtual int RunTransfer(CBoxArray::FileVectors& lists, int mode, bool deleteAfter) = 0;
    virtual void ImportHistogramData(CBoxArray::FileVectors& lists) = 0;

    // ---- the panel's dialogs
    // Data-trigger start: 0 cancelled, 1 once, 2 continuous.
    virtual int AskDataTriggerStart(bool continuousTrigger) = 0;
    // Free-run start: 0 cancelled, 1 wait for the start button, 2 start.
    virtual int AskFreeRunStart() = 0;
    // Comparator reference: -1 cancelled, 0 current values, 1 zero.
    virtual int AskComparatorReference() = 0;
    // Card full: the select-and-delete dialog ran; false when the card's
    // lists could not be read.
    virtual bool SelectDeleteCardFiles() = 0;

    // ---- programs of the automatic modes (the project document)
    virtual bool CheckIntervalProgram() = 0;
    virtual bool IsIntervalTableEmpty() = 0;
    virtual bool StartInterval(fw::COleDateTime& time) = 0;
    virtual bool ScheduleNextInterval(fw::COleDateTime& time) = 0;
    virtual bool StartComparator() = 0;
    virtual bool ResetComparator(int mode) = 0;
    // 0 not finite, 1 crossed, -1 between.
    virtual int CheckComparatorLimits() = 0;
    virtual bool AdvanceComparator() = 0;
    virtual void EnableComparator(bool on) = 0;
    // The cycle program: validated (false with its message), empty first
    // row, reset to a count, the unit's count against the next due count
    // (0 unreadable, -1 before it, 1 reached; `count` takes the unit's
    // count), moved on past a count (false when it has run out).
    virtual bool StartCycleTrigger() = 0;
    virtual bool IsCycleTableEmpty() = 0;
    virtual bool ResetCycleTrigger(int count) = 0;
    virtual int CheckCycleDue(int& count) = 0;
    virtual bool AdvanceCycleTrigger(int count) = 0;
    // The cycle-count dialog over the unit's `count`: -1 cancelled, 0 keep
    // counting, 1 start over from the entered `count`.
    virtual int AskCycleCount(int& count) = 0;
};
