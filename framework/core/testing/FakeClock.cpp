#include "framework/core/testing/FakeClock.h"

namespace fw::test {

int64_t FakeClock::SteadyMs()
{
    std::lock_guard lock(m_mutex);
    return m_steady;
}

time_t FakeClock::Now()
{
    std::lock_guard lock(m_mutex);
    return m_wallStart + static_cast<time_t>((m_steady - m_wallBaseSteady) / 1000);
}

void FakeClock::SleepMs(int ms)
{
    std::function<void(int64_t)> hook;
    int64_t now;
    {
        std::lock_guard lock(m_mutex);
        if (ms > 0) {
            m_steady += ms;
            m_slept += ms;
        }
        ++m_sleeps;
        now = m_steady;
        hook = m_hook;
    }
    if (hook)
        hook(now);
}

void FakeClock::Advance(int64_t ms)
{
    std::lock_guard lock(m_mutex);
    if (ms > 0)
        m_steady += ms;
}

void FakeClock::SetNow(time_t now)
{
    std::lock_guard lock(m_mutex);
    m_wallStart = now;
    m_wallBaseSteady = m_steady;
}

int64_t FakeClock::SleptMs() const
{
    std::lock_guard lock(m_mutex);
    return m_slept;
}

int FakeClock::Sleeps() const
{
    std::lock_guard lock(m_mutex);
    return m_sleeps;
}

void FakeClock::OnSleep(std::function<void(int64_t)> hook)
{
    std::lock_guard lock(m_mutex);
    m_hook = std::move(hook);
}

} // namespace fw::test
