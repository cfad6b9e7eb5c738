#pragma once

// What the measurement panel's windows need of the program around them:
// the link to the instruments, the main frame's measurement bar, the
// alarm sound and the application's options. The program installs it
// (fw::Install<IPanelShell>); without one the panel runs silent.

#include "framework/core/CString.h"
#include "framework/core/DateTime.h"

#include <cstdint>

class CBoxArray;
class CMoniterPrf;
class CPanelPrf;
class CMeterInterface;
class CMeterInterfacePrf;
class CKIV5980Doc;

// The application's measurement options the main frame's option dialogs
// edit.
struct MeasureOptions {
    int32_t dontSave = 0;
    int32_t recordHistory = 0;
    int32_t deleteCardFiles = 0;
};

struct IPanelShell {
    virtual ~IPanelShell() = default;
    // The application's link object for the profile; null when none.
    virtual CMeterInterface* CreateLink(const CMeterInterfacePrf& profile) { return nullptr; }
    virtual void ReleaseLink() {}
    // Measurement bar of the main frame.
    virtual void ShowWaitingText(bool on) {}
    virtual void UpdateTriggerStatus(const fw::COleDateTime& start, double days, int code) {}
    virtual void ClearTriggerStatus() {}
    virtual void ShowRecordCount(int count, bool writing) {}
    virtual void ShowElapsedTime(const fw::COleDateTimeSpan& span, bool writing) {}
    virtual void UpdateCfStatus(int unitsMode, const CBoxArray* system) {}
    // Measurement hint to every graph document.
    virtual void SendGraphHint(int hint, CKIV5980Doc* doc) {}
    // The application's alarm sound.
    virtual void RaiseAlarmSound(int16_t level) {}
    virtual void ResetAlarmSound() {}
    virtual void PlayAlarmSound() {}
    // Options.
    virtual bool DontSaveAutomatically() { return false; }
    virtual bool RecordHistoryWithoutSave() { return false; }
    virtual bool DeleteCardFilesAfterFetch() { return false; }
    virtual MeasureOptions GetMeasureOptions() { return {}; }
    virtual void SetMeasureOptions(const MeasureOptions& options) {}
    // The project whose control units the program is connected to.
    virtual void SetConnectedProject(CKIV5980Doc* project) {}
    // The panel window has closed.
    virtual void OnPanelClosed() {}
    // The application's monitor settings and panel type, which its profile
    // keeps; without a program, records of the run.
    virtual CMoniterPrf& AppMonitorPrf();
    virtual CPanelPrf& AppPanelPrf();
};

IPanelShell& PanelShell();
