#pragma once

// The settings the application keeps for the whole run: loaded once at
// start-up and saved once at shut-down, always in the same order
// ("METER", "ADSET", "MONITER", "PANEL", the alarm sound, "AUTORESET"),
// and the alarm sound with its commands.

#include "docbase/settings/PlayAlertSound.h"
#include "instrument/ADSetPrf.h"
#include "instrument/MeterInterfacePrf.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace fw {
class CProfile;
}

// A settings record that reads and writes its own profile section. The
// monitor and panel records of the measurement panel plug in here.
class IProfileRecord {
public:
    virtual ~IProfileRecord() = default;
    virtual void WriteProfile(fw::CProfile& profile) const = 0;
    virtual void ReadProfile(fw::CProfile& profile) = 0;
};

// Plugs in a record that has the two operations without deriving from the
// interface (the record stays the caller's).
template <class Record> class CProfileRecordRef final : public IProfileRecord {
public:
    explicit CProfileRecordRef(Record& record) : m_record(record) {}
    void WriteProfile(fw::CProfile& profile) const override { m_record.WriteProfile(profile); }
    void ReadProfile(fw::CProfile& profile) override { m_record.ReadProfile(profile); }

private:
    Record& m_record;
};

// What the alarm settings dialog shows and gives back.
struct AlarmSettingsFields {
    int32_t soundOn = 1;
    int32_t useSoundFile = 0;
    fw::CString soundFile;
    int32_t autoReset = 1;
};
// Shows the dialog preset with the fields; true on OK with the edits in them.
using AlarmSettingsDialog = std::function<bool(AlarmSettingsFields& fields)>;

// The alarm settings dialog of the measurement panel, installed by it
// (fw::Install<IAlarmSettingsDialog>); the command waits for it.
struct IAlarmSettingsDialog {
    virtual ~IAlarmSettingsDialog() = default;
    virtual bool Run(AlarmSettingsFields& fields) = 0;
};

class CAppSettings {
public:
    static constexpr const char* kKeyAutoReset = "AUTORESET";

    CAppSettings() = default;
    CAppSettings(const CAppSettings&) = delete;
    CAppSettings& operator=(const CAppSettings&) = delete;

    // The records the application holds elsewhere (not owned; null: none).
    void SetMonitorRecord(IProfileRecord* record) { m_pMonitor = record; }
    void SetPanelRecord(IProfileRecord* record) { m_pPanel = record; }

    void LoadSettings(fw::CProfile& profile);
    // The alarm sound only when it exists; "AUTORESET" last.
    void SaveSettings(fw::CProfile& profile) const;

    // Start-up creates the alarm sound, shut-down deletes it.
    CPlayAlertSound* CreateAlertSound();
    void DeleteAlertSound() { m_pAlertSound.reset(); }
    CPlayAlertSound* GetAlertSound() const { return m_pAlertSound.get(); }

    // Called by the measurement panel after each poll.
    void PlayAlarmSound() const;
    void RaiseAlarmSound(int16_t level);
    void ResetAlarmSound();
    // The alarm settings command (32816): the dialog on the current values;
    // OK takes its four values, cancel changes nothing. Nothing is written
    // to the profile until shut-down. The dialog's answer.
    bool EditAlarmSettings(const AlarmSettingsDialog& dialog);

    CMeterInterfacePrf m_meterInterfacePrf;
    CADSetPrf m_adSetPrf;
    int32_t m_bAlarmAutoReset = 1;

private:
    IProfileRecord* m_pMonitor = nullptr;
    IProfileRecord* m_pPanel = nullptr;
    std::unique_ptr<CPlayAlertSound> m_pAlertSound;
};
