#pragma once

// Window handles and the posted-message queue. Worker threads post results
// to windows by handle; the interface thread dispatches them in order. One
// FIFO serves every window, so that removing all queued copies of one
// message and taking one message of an id work as the panels expect (Qt's
// own posted events can do neither). The interface layer installs a waker
// that schedules PumpPosted in its event loop; headless tests call
// PumpPosted themselves.

#include <cstdint>
#include <functional>

namespace fw {

using HWND = uint32_t;  // 0 = no window

inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uint32_t WM_TIMER = 0x0113;
inline constexpr uint32_t WM_USER = 0x0400;
inline constexpr uint32_t WM_APP = 0x8000;
inline constexpr uint32_t MM_MCINOTIFY = 0x03B9;

struct MSG {
    HWND hwnd = 0;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

// What receives posted messages (the interface layer's CWnd).
class IMessageTarget {
public:
    virtual ~IMessageTarget() = default;
    virtual intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

// A new handle for `target`; never 0, never reused while the process runs.
HWND RegisterWindow(IMessageTarget* target);
// Forgets the handle and drops its queued messages.
void UnregisterWindow(HWND hwnd);
bool IsWindow(HWND hwnd);

// Any thread. False when the window is gone.
bool PostMessage(HWND hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Removes every queued copy of `message` for `hwnd`; the number removed.
int RemoveMessages(HWND hwnd, uint32_t message);
// The oldest queued message of `hwnd` (0: any window) with id `message`
// (0: any); taken out of the queue when `remove` is set.
bool PeekMessage(MSG& out, HWND hwnd, uint32_t message, bool remove);
// Messages waiting.
size_t PostedCount();

// Called (from the posting thread) whenever the queue turns non-empty.
void SetQueueWaker(std::function<void()> waker);
// Interface thread: dispatches the messages queued when it starts, in
// order; messages for windows that are gone are dropped. Returns how many
// were delivered.
int PumpPosted();

// Modal loops currently running on the interface thread (dialogs, prompts);
// workers read it where the original asked whether the main window was
// enabled.
int ModalDepth();
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// A long wait on the interface thread: sleeps on the installed clock in
// short slices and lets windows repaint between them (hook set by the
// interface layer); posted messages stay queued meanwhile.
void WaitPump(int ms);
void SetRepaintHook(std::function<void()> hook);

} // namespace fw
