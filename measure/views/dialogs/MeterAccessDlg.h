#pragma once

// "計測パネル表示": before the measurement panel opens, the project and its
// control units are brought into step, either by sending the project's
// settings with the PC's clock (stopping a running measurement) or by
// reading the settings of the channels marked SET back into the project.
// Either way the recording of frequency data is settled, the recorded-data
// mode sent and the units' recorded-file lists read. Units that need a
// newer control-unit firmware keep the dialog open.

#include "framework/ui/Dialog.h"

#include <cstdint>
#include <functional>

class CBoxArray;

class CMeterAccessDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CMeterAccessDlg)
public:
    static constexpr unsigned kTemplateId = 305;
    static constexpr int kIdSend = 1202;
    static constexpr int kIdRead = 1203;
    static constexpr int kIdIcon = 1204;
    static constexpr int kIdVersion = 1301;
    enum Mode : int { kNoAccess = -1, kSendSettings = 0, kReadSettings = 1 };

    // Firmware gates: the CAN/voice/GPS unit from 1.4B, the voltage output
    // unit from 1.5A; frequency analyses of more than 16 from 1.2B.
    static constexpr uint32_t kLastWithoutUnit463 = 0x312E3441;
    static constexpr uint32_t kLastWithoutUnit437 = 0x312E3540;
    static constexpr uint32_t kFirstManyAnalyses = 0x312E3242;
    static constexpr int kUnitType463 = 8;
    static constexpr int kUnitType437 = 3;
    static constexpr unsigned kIdsNeeds463Firmware = 792;
    static constexpr unsigned kIdsNeeds437Firmware = 855;
    static constexpr unsigned kIdsStopsMeasuring = 623;
    static constexpr unsigned kIdsChooseReading = 624;
    static constexpr unsigned kIdsStillMeasuring = 625;
    static constexpr unsigned kIdsReadLater = 626;
    static constexpr unsigned kIdsFrequencySettingError = 644;
    static constexpr unsigned kIdsClockTooFast = 654;
    static constexpr unsigned kIdsTooManyAnalyses = 662;
    static constexpr unsigned kIdsWaveformOnly = 663;
    static constexpr int kFrequencySettingError = 61;

    // What the access needs of the project and the application.
    struct Host {
        std::function<void()> rebuildChannels;
        // The project saved (read mode); false when it was not.
        std::function<bool()> saveProject;
        std::function<void()> setConnectedProject;
        // The project's views follow the settings read.
        std::function<void()> refreshViews;
    };

    CMeterAccessDlg(CBoxArray& system, Host host, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

    // The access of the chosen mode; false after the failing step's message.
    bool Access();

    fw::CString m_strVersion;
    int m_nMode = kSendSettings;
    // Frequency data are recorded (cleared when only waveform data can be).
    bool m_bFrequencyRecording = false;

private:
    bool PassesFirmwareGates();
    bool SendSettings();
    bool ReadSettings();
    bool SettleRecording();
    bool IsMeasuring() const;

    CBoxArray& m_system;
    Host m_host;
};
