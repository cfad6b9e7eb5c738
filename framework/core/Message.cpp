#include "framework/core/Message.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <unordered_map>

namespace fw {

namespace {

struct Queue {
    std::mutex mutex;
    std::unordered_map<HWND, IMessageTarget*> windows;
    HWND nextHandle = 1;
    std::deque<MSG> messages;
    std::function<void()> waker;
    std::function<void()> repaint;
};

Queue& Q()
{
    static Queue q;
    return q;
}

std::atomic<int> g_modalDepth{0};
// WaitPump lets windows repaint but keeps posted messages for later, so
// that handlers are not entered again from inside a wait.
thread_local int t_pumpSuspended = 0;

bool Matches(const MSG& m, HWND hwnd, uint32_t message)
{
    return (hwnd == 0 || m.hwnd == hwnd) && (message == 0 || m.message == message);
}

} // namespace

HWND RegisterWindow(IMessageTarget* target)
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    const HWND h = q.nextHandle++;
    if (q.nextHandle == 0)
        q.nextHandle = 1;
    q.windows[h] = target;
    return h;
}

void UnregisterWindow(HWND hwnd)
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    q.windows.erase(hwnd);
    std::erase_if(q.messages, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
}

bool IsWindow(HWND hwnd)
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    return q.windows.count(hwnd) != 0;
}

bool PostMessage(HWND hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    Queue& q = Q();
    std::function<void()> wake;
    {
        std::lock_guard lock(q.mutex);
        if (!q.windows.count(hwnd))
            return false;
        const bool wasEmpty = q.messages.empty();
        q.messages.push_back(MSG{hwnd, message, wParam, lParam});
        if (wasEmpty)
            wake = q.waker;
    }
    if (wake)
        wake();
    return true;
}

int RemoveMessages(HWND hwnd, uint32_t message)
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    return static_cast<int>(std::erase_if(q.messages, [&](const MSG& m) { return Matches(m, hwnd, message); }));
}

bool PeekMessage(MSG& out, HWND hwnd, uint32_t message, bool remove)
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    const auto it = std::find_if(q.messages.begin(), q.messages.end(),
                                 [&](const MSG& m) { return Matches(m, hwnd, message); });
    if (it == q.messages.end())
        return false;
    out = *it;
    if (remove)
        q.messages.erase(it);
    return true;
}

size_t PostedCount()
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    return q.messages.size();
}

void SetQueueWaker(std::function<void()> waker)
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    q.waker = std::move(waker);
}

int PumpPosted()
{
    if (t_pumpSuspended)
        return 0;
    Queue& q = Q();
    size_t budget;
    {
        std::lock_guard lock(q.mutex);
        budget = q.messages.size();
    }
    int delivered = 0;
    // Only what was queued at the start: a handler that posts again must
    // not keep this loop from returning.
    for (; budget > 0; --budget) {
        MSG m;
        IMessageTarget* target = nullptr;
        {
            std::lock_guard lock(q.mutex);
            if (q.messages.empty())
                break;
            m = q.messages.front();
            q.messages.pop_front();
            const auto it = q.windows.find(m.hwnd);
            if (it != q.windows.end())
                target = it->second;
        }
        if (!target)
            continue;
        try {
            target->OnMessage(m.message, m.wParam, m.lParam);
        } catch (const std::exception& e) {
            ReportException(e);
        }
        ++delivered;
    }
    std::function<void()> wake;
    {
        std::lock_guard lock(q.mutex);
        if (!q.messages.empty())
            wake = q.waker;
    }
    if (wake)
        wake();
    return delivered;
}

int ModalDepth()
{
    return g_modalDepth.load();
}

ModalScope::ModalScope()
{
    ++g_modalDepth;
}

ModalScope::~ModalScope()
{
    --g_modalDepth;
}

void SetRepaintHook(std::function<void()> hook)
{
    Queue& q = Q();
    std::lock_guard lock(q.mutex);
    q.repaint = std::move(hook);
}

void WaitPump(int ms)
{
    static constexpr int kSliceMs = 50;
    std::function<void()> repaint;
    {
        Queue& q = Q();
        std::lock_guard lock(q.mutex);
        repaint = q.repaint;
    }
    IClock& clock = Clock();
    const int64_t end = clock.SteadyMs() + ms;
    ++t_pumpSuspended;
    for (;;) {
        if (repaint)
            repaint();
        const int64_t left = end - clock.SteadyMs();
        if (left <= 0)
            break;
        clock.SleepMs(static_cast<int>(std::min<int64_t>(left, kSliceMs)));
    }
    --t_pumpSuspended;
    std::function<void()> wake;
    {
        Queue& q = Q();
        std::lock_guard lock(q.mutex);
        if (!q.messages.empty())
            wake = q.waker;
    }
    if (wake)
        wake();
}

} // namespace fw
