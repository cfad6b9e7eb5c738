#pragma once

// What the project document asks of the application above it: the current
// connection profile and A/D defaults, the options that steer saving and
// alarms, the measurement panel's polling, the free-space check and the
// start-up graph pages. The application installs its implementation
// (fw::Install<IProjectHost>); without one a plain default answers.

#include "framework/core/CString.h"
#include "instrument/ADSetPrf.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/meter/Kiv406FileInfo.h"

#include <cstdint>
#include <vector>

class CBoxArray;
class CHistCountArray;
class CKIV5980Doc;

class IProjectHost {
public:
    virtual ~IProjectHost() = default;
    virtual CMeterInterfacePrf& MeterProfile() = 0;
    virtual CADSetPrf& AdDefaults() = 0;
    // The alarm window resets its latches itself.
    virtual bool AlarmAutoReset() { return true; }
    virtual void RaiseAlarmSound(int16_t level) {}
    virtual bool OpenStartupFiles() { return false; }
    virtual void OpenDocumentFile(const fw::CString& path) {}
    // Warns (message 523) when the folder has less room than `bytes`.
    virtual void CheckFreeDiskSpace(const fw::CString& folder, uint64_t bytes) {}
    virtual void StopPanelPolling() {}
    virtual void RestartPanelPolling() {}
    // The measurement panel works on `doc` and measures or runs a mode.
    virtual bool IsMeasuring(const CKIV5980Doc& doc) { return false; }
    // The panel works on `doc` in a data-trigger, free-run or program
    // measurement.
    virtual bool IsTriggerMeasuring(const CKIV5980Doc& doc) { return false; }
    // Ends the panel's running data trigger, free run and program run.
    virtual void EndPanelModes(CKIV5980Doc& doc) {}
    virtual void UpdateAllGraphDocs(intptr_t hint, fw::CObject* hintObject);
    // The automatic-saving options of a finished transfer.
    virtual bool DontSaveDataAutomatically() { return false; }
    // The channel page shows the high-pass filter columns.
    virtual bool ShowHighPassColumns() { return true; }
    virtual bool RecordHistoryWithoutSave() { return false; }
    // Reads frequency record `record` of the per-unit lists into `analyses`
    // through the measuring system: from the units' cards, or from the
    // record's header and count files in a PC folder. False on failure.
    virtual bool ReadHistRecord(CBoxArray& system, const std::vector<std::vector<CKiv406FileInfo>*>& lists,
                                CHistCountArray& analyses, int record, bool card)
    {
        return false;
    }
};

IProjectHost& ProjectHost();

// Stops the panel's polling for its lifetime.
class CPollingPause {
public:
    CPollingPause() { ProjectHost().StopPanelPolling(); }
    ~CPollingPause() { ProjectHost().RestartPanelPolling(); }
    CPollingPause(const CPollingPause&) = delete;
    CPollingPause& operator=(const CPollingPause&) = delete;
};
