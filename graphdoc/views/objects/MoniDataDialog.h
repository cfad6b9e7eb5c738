#pragma once

// The numeric-monitor dialog (dialog 187 "数値モニタの設定"): the project
// document and channel a monitor shows, its width in digits, the alarm
// check and its three alarm colours. The display step and the two
// follow flags are kept as they came.

#include "framework/ui/Dialog.h"

class CKivDocBase;
class CMoniDataPrf;
class CNameListCtrl;
class CSheetSelectCombBox;

class CMoniDataDialog : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CMoniDataDialog)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 187;
    static constexpr int IDC_DOCUMENT = 1098;
    static constexpr int IDC_ALARM = 1105;
    static constexpr int IDC_LIVE = 1104;
    static constexpr int IDC_STEP = 1160;
    static constexpr int IDC_DIGITS = 1161;
    static constexpr int IDC_CHANNELS = 1162;
    static constexpr int IDC_FOLLOW = 1163;
    static constexpr int IDC_LOWER = 1164;
    static constexpr int IDC_UPPER = 1165;
    static constexpr int IDC_BOTH = 1166;
    static constexpr const char* kTextNoSelection = "データが選択されていません。";

    explicit CMoniDataDialog(CMoniDataPrf& profile, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    // On OK the choices go into the profile.
    int DoModal() override;

    void OnDocumentChanged();
    CNameListCtrl* Channels() const;
    CSheetSelectCombBox* Documents() const;

    int m_nDigits = 0;
    int m_nStep = 0;
    int m_bAlarm = 0;
    int m_bLive = 0;
    int m_bFollow = 0;

private:
    CMoniDataPrf& m_profile;
    int32_t m_channel = -1;
    uint32_t m_colors[3] = {};
    CKivDocBase* m_pDocument = nullptr;
};
