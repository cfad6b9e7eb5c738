#pragma once

// "アラーム設定": whether an alarm sounds, with the system's beep or a
// sound file of the user's choice, and whether the alarm outputs follow the
// data back below their limits. The caller fills the fields and reads them
// back after IDOK.

#include "framework/ui/Dialog.h"

#include <cstdint>

class CArarmSetDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CArarmSetDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 144;
    static constexpr int kIdSoundOn = 1005;
    static constexpr int kIdUseFile = 1006;
    static constexpr int kIdPath = 1007;
    static constexpr int kIdTest = 1008;
    static constexpr int kIdBrowse = 1009;
    static constexpr int kIdAutoReset = 1266;
    static constexpr unsigned kIdsSoundFilter = 258;
    static constexpr unsigned kIdsSoundFileMissing = 259;

    explicit CArarmSetDlg(fw::CWnd* parent = nullptr) : fw::CDialog(kTemplateId, parent) {}

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

    // False (after message 259) when a sound file is to be played and is
    // not there.
    bool CheckSoundFile();

    fw::CString m_strSoundFile;
    int m_bSoundOn = 1;
    int m_bUseSoundFile = 0;
    int m_bAutoReset = 1;

private:
    void UpdateControls();
    void OnTest();
    void OnBrowse();
};
