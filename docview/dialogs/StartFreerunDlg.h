#pragma once

// Asks whether a free-run measurement starts now or waits for the start
// command of the measurement panel; the answer is the result code.

#include "framework/ui/Dialog.h"

class CStartFreerunDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CStartFreerunDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 366;
    static constexpr int kIdStart = 1309;  // "開始": start now
    static constexpr int kIdWait = 1310;   // "待機": wait for the panel's start

    explicit CStartFreerunDlg(fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;

private:
    void OnStart();
    void OnWait();
};
