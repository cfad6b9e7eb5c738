#pragma once

// SIGTERM (a desktop logout, a service manager) and SIGINT (Ctrl+C in a
// terminal) become a call on the event loop, where the program can end as
// on closing its main window: documents asked about, settings saved. A
// signal handler may do next to nothing; it writes a byte into a pipe that
// the loop watches. One watcher at a time; the handlers it replaced come
// back when it goes.

#include <functional>
#include <memory>

#include <signal.h>

class QSocketNotifier;

namespace fw {

class CEndSignals {
public:
    explicit CEndSignals(std::function<void()> onEnd);
    ~CEndSignals();
    CEndSignals(const CEndSignals&) = delete;
    CEndSignals& operator=(const CEndSignals&) = delete;

    static constexpr int kSignals[] = {SIGTERM, SIGINT};

private:
    void Drain();

    std::function<void()> m_onEnd;
    int m_pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
    struct sigaction m_previous[2] = {};
    bool m_installed = false;
};

} // namespace fw
