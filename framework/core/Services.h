#pragma once

// What model code needs from the desktop: prompts, status texts, the clock
// and the wait cursor. Each is an interface held in one process-wide
// registry; the interface layer installs its Qt implementations at start-up,
// tests install fakes (fw::test::ServiceScope). Until something is
// installed, headless defaults answer: the prompt takes its default button
// and logs to stderr, the status line and the wait cursor do nothing, the
// clock is real.

#include "framework/core/CString.h"

#include <cstdint>
#include <ctime>

namespace fw {

// Message-box flags and answers, with the numbers of the original system.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_RETRYCANCEL = 0x5;
inline constexpr unsigned MB_TYPEMASK = 0xF;
inline constexpr unsigned MB_ICONSTOP = 0x10;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONHAND = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_ICONASTERISK = 0x40;
inline constexpr unsigned MB_ICONMASK = 0xF0;
inline constexpr unsigned MB_DEFBUTTON1 = 0x000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;
inline constexpr unsigned MB_DEFMASK = 0xF00;
inline constexpr unsigned MB_APPLMODAL = 0x0000;
inline constexpr unsigned MB_SYSTEMMODAL = 0x1000;
inline constexpr unsigned MB_TASKMODAL = 0x2000;
inline constexpr unsigned MB_SETFOREGROUND = 0x10000;
inline constexpr unsigned MB_TOPMOST = 0x40000;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// The answer a box of these flags gives when its default button is taken
// (Enter, or a headless run).
int DefaultButtonAnswer(unsigned flags);

struct IPrompt {
    virtual ~IPrompt() = default;
    // msgId is the string id the text came from, 0 for a raw text.
    virtual int MessageBox(const CString& text, unsigned flags, unsigned msgId, unsigned help = 0) = 0;
};

struct IStatus {
    virtual ~IStatus() = default;
    virtual void SetText(const CString& text) = 0;
    virtual void Clear() = 0;
    virtual void Beep() = 0;
};

struct IClock {
    virtual ~IClock() = default;
    virtual int64_t SteadyMs() = 0;  // monotonic milliseconds
    virtual time_t Now() = 0;        // wall-clock seconds since 1970 (UTC)
    virtual void SleepMs(int ms) = 0;
};

struct IWaitCursor {
    virtual ~IWaitCursor() = default;
    virtual void Begin() = 0;
    virtual void End() = 0;
};

// The installed services (the defaults when none is installed).
IPrompt& Prompt();
IStatus& Status();
IClock& Clock();
IWaitCursor& WaitCursor();

// Install returns the previous service; nullptr restores the default.
// Install before other threads use the service and keep the object alive
// while installed.
IPrompt* InstallPrompt(IPrompt* service);
IStatus* InstallStatus(IStatus* service);
IClock* InstallClock(IClock* service);
IWaitCursor* InstallWaitCursor(IWaitCursor* service);

// The text of string `id` in a message box.
int AfxMessageBox(unsigned id, unsigned flags = MB_OK, unsigned help = 0);
int AfxMessageBox(const CString& text, unsigned flags = MB_OK, unsigned help = 0);

// Steady milliseconds as a wrapping 32-bit count (the original tick count).
uint32_t TickCount();

// Shows the wait cursor for its lifetime.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    // Shows it again after a prompt took it away.
    void Restore();

private:
    IWaitCursor* m_cursor;
};

} // namespace fw
