#pragma once

// Five small dialogs that ask one choice before a measurement action. None
// talks to the control units: the caller sets the fields, runs DoModal and
// applies what it reads back after IDOK.

#include "framework/ui/Dialog.h"

#include <cstdint>

// The reference of the data comparator: 0 the current values, 1 zero.
class CDataCompDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CDataCompDlg)
public:
    static constexpr unsigned kTemplateId = 199;
    static constexpr int kIdCurrent = 1194;
    static constexpr int kIdZero = 1195;

    explicit CDataCompDlg(fw::CWnd* parent = nullptr) : fw::CDialog(kTemplateId, parent) {}
    void BuildControls(fw::DialogBuilder& builder) override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    int m_nReference = 0;
};

// Keep the control unit's cycle count ("継続") or set it to the entered
// value ("初期化").
class CCycleCountDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CCycleCountDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 200;
    static constexpr int kIdShown = 1196;
    static constexpr int kIdCount = 1197;
    static constexpr int kIdInitialize = 1094;
    static constexpr int32_t kMaxCount = 999999999;

    explicit CCycleCountDlg(fw::CWnd* parent = nullptr) : fw::CDialog(kTemplateId, parent) {}
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;
    void OnInitialize();

    uint8_t m_bInitialize = 0;
    int32_t m_nCount = 0;
};

// The recorded-data mode: 0 waveform and frequency, 1 waveform, 2 frequency.
class CSaveModeDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CSaveModeDlg)
public:
    static constexpr unsigned kTemplateId = 377;
    static constexpr int kIdBoth = 1315;
    static constexpr int kIdWaveform = 1316;
    static constexpr int kIdFrequency = 1317;

    explicit CSaveModeDlg(fw::CWnd* parent = nullptr) : fw::CDialog(kTemplateId, parent) {}
    void BuildControls(fw::DialogBuilder& builder) override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    int m_nMode = 0;
};

// Whether measured data are saved automatically, and whether the history
// records the waveform statistics when they are not.
class CDontDataSaveDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CDontDataSaveDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 339;
    static constexpr int kIdDontSave = 1290;
    static constexpr int kIdRecordHistory = 1291;

    explicit CDontDataSaveDlg(fw::CWnd* parent = nullptr) : fw::CDialog(kTemplateId, parent) {}
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnDontSave();

    int m_nDontSave = 0;
    int m_nRecordHistory = 0;
};

// Whether the files fetched after a measurement are deleted on the card.
class CCfAutoDelDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CCfAutoDelDlg)
public:
    static constexpr unsigned kTemplateId = 368;
    static constexpr int kIdDelete = 1311;

    explicit CCfAutoDelDlg(fw::CWnd* parent = nullptr) : fw::CDialog(kTemplateId, parent) {}
    void BuildControls(fw::DialogBuilder& builder) override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    int m_nDelete = 0;
};
