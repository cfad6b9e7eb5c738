#include "framework/ui/EndSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fw {

namespace {

std::atomic<int> g_writeEnd{-1};

extern "C" void OnEndSignal(int)
{
    const int saved = errno;
    const int fd = g_writeEnd.load();
    if (fd >= 0) {
        const char byte = 1;
        // A full pipe already holds a request; nothing is lost.
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
    errno = saved;
}

} // namespace

CEndSignals::CEndSignals(std::function<void()> onEnd) : m_onEnd(std::move(onEnd))
{
    if (g_writeEnd.load() >= 0 || ::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_writeEnd = m_pipe[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { Drain(); });
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &action, &m_previous[i]);
    m_installed = true;
}

CEndSignals::~CEndSignals()
{
    if (m_installed) {
        for (size_t i = 0; i < std::size(kSignals); ++i)
            ::sigaction(kSignals[i], &m_previous[i], nullptr);
        g_writeEnd = -1;
    }
    m_notifier.reset();
    for (int fd : m_pipe)
        if (fd >= 0)
            ::close(fd);
}

void CEndSignals::Drain()
{
    char bytes[64];
    while (::read(m_pipe[0], bytes, sizeof bytes) > 0) {
    }
    if (m_onEnd)
        m_onEnd();
}

} // namespace fw
