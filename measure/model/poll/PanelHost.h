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
    virtual CMoniSPTankData* MonitorSet() { return nullptr; }
    // The measurement history can take another step.
    virtual bool CanAddStep() { return true; }
    // Channels the comparator table reads.
    virtual std::vector<int16_t> ComparatorChannels() { return {}; }
    // The channel is on and has a finite upper or lower limit.
    virtual bool HasChannelLimits(int channel) { return false; }
    // (channel map index, analysis index) of the frequency analyses in use.
    virtual std::vector<std::pair<int16_t, int16_t>> HistogramChannels() { return {}; }
    // The panel may close while it measures (asks the user).
    virtual bool ConfirmStopMeasurement() { return true; }
    virtual void RefreshProjectViews() {}

    // ---- the application's options
    virtual bool DontSaveAutomatically() { return false; }
    virtual bool RecordHistoryWithoutSave() { return false; }
    virtual bool DeleteCardFilesAfterFetch() { return false; }

    // ---- the main frame and the displays
    // Measurement hint `hint` to every graph document.
    virtual void SendGraphHint(int hint) {}
    virtual void ShowWaitingText(bool on) {}
    // Start time, recording length in days (0 open), trigger-state code.
    virtual void UpdateTriggerStatus(const fw::COleDateTime& start, double days, int code) {}
    virtual void ClearTriggerStatus() {}
    virtual void ShowRecordCount(int count) {}
    virtual void ShowElapsedTime(const fw::COleDateTimeSpan& span) {}
    virtual void UpdateCfStatus(int unitsMode) {}
    virtual void UpdateStartButton() {}
    virtual void RedrawMonitor() {}
    // The alarm window rebuilds its rows; with `sound` it raises the
    // pending alarm-sound level.
    virtual void RefreshAlarms(bool sound) {}
    virtual void ResetAlarmSound() {}
    virtual void PlayAlarmSound() {}
    // The open modal dialog of the panel is cancelled and the panel window
    // closes (posted, so the running handler ends first).
    virtual void CancelOpenDialog() {}
    virtual void ClosePanel() {}

    // ---- retrieval
    // Fetches the recorded files of `lists` (one per box) into the project
    // as new history steps and data documents: mode 0 unit memory, 1 card
    // through the unit, 3 chosen card files. The transfer dialog's result
    // (IDOK when every file set went in).
    virtual int RunTransfer(CBoxArray::FileVectors& lists, int mode, bool deleteAfter) = 0;
    virtual void ImportHistogramData(CBoxArray::FileVectors& lists) {}

    // ---- the panel's dialogs
    // Data-trigger start: 0 cancelled, 1 once, 2 continuous.
    virtual int AskDataTriggerStart(bool continuousTrigger) { return 0; }
    // Free-run start: 0 cancelled, 1 wait for the start button, 2 start.
    virtual int AskFreeRunStart() { return 0; }
    // Comparator reference: -1 cancelled, 0 current values, 1 zero.
    virtual int AskComparatorReference() { return -1; }
    // Card full: the select-and-delete dialog ran; false when the card's
    // lists could not be read.
    virtual bool SelectDeleteCardFiles() { return true; }

    // ---- programs of the automatic modes (the project document)
    virtual bool CheckIntervalProgram() { return false; }
    virtual bool IsIntervalTableEmpty() { return true; }
    virtual bool StartInterval(fw::COleDateTime& time) { return false; }
    virtual bool ScheduleNextInterval(fw::COleDateTime& time) { return false; }
    virtual bool StartComparator() { return false; }
    virtual bool ResetComparator(int mode) { return false; }
    // 0 not finite, 1 crossed, -1 between.
    virtual int CheckComparatorLimits() { return -1; }
    virtual bool AdvanceComparator() { return false; }
    virtual void EnableComparator(bool on) {}
    // The cycle program: validated (false with its message), empty first
    // row, reset to a count, the unit's count against the next due count
    // (0 unreadable, -1 before it, 1 reached; `count` takes the unit's
    // count), moved on past a count (false when it has run out).
    virtual bool StartCycleTrigger() { return false; }
    virtual bool IsCycleTableEmpty() { return true; }
    virtual bool ResetCycleTrigger(int count) { return false; }
    virtual int CheckCycleDue(int& count) { return 0; }
    virtual bool AdvanceCycleTrigger(int count) { return false; }
    // The cycle-count dialog over the unit's `count`: -1 cancelled, 0 keep
    // counting, 1 start over from the entered `count`.
    virtual int AskCycleCount(int& count) { return -1; }
};
