#pragma once

// The question after a failed step of the measuring system that answers
// itself: the error text, the seconds left and "続行" / "中断"; when nobody
// answers in time the dialog ends as if "続行" had been pressed. The
// countdown reads the clock service, so tests advance a fake clock and
// call OnTimer.

#include "framework/ui/Dialog.h"
#include "instrument/ContinueQuestion.h"

#include <cstdint>

class CTLimitMessDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CTLimitMessDlg)
public:
    static constexpr unsigned kTemplateId = 323;
    static constexpr unsigned kTimerId = 323;
    static constexpr unsigned kTimerMs = 500;
    static constexpr int kIdMessage = 1270;
    static constexpr int kIdSeconds = 1271;

    // Negative seconds: no countdown.
    CTLimitMessDlg(const fw::CString& message, int32_t seconds, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void OnTimer(unsigned id) override;
    void DestroyWindow() override;

private:
    int32_t m_seconds;
    unsigned m_timer = 0;
    int64_t m_startMs = 0;
    fw::CString m_message;
};

// True for "続行" or the time running out.
bool ShowTimeLimitDialog(const fw::CString& message, int32_t seconds);

// The measuring system's continue question through the dialog.
class CTimeLimitQuestion final : public IContinueQuestion {
public:
    bool Ask(const fw::CString& message, int seconds) override { return ShowTimeLimitDialog(message, seconds); }
};
