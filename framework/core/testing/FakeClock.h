#pragma once

#include "framework/core/Services.h"

#include <functional>
#include <mutex>

namespace fw::test {

// Virtual time: SleepMs returns at once and moves both clocks on, so waits
// of minutes run in microseconds. The wall clock starts at
// 2024-01-01 00:00:00 Japan time unless set.
class FakeClock final : public IClock {
public:
    static constexpr time_t kDefaultStart = 1704034800;  // 2023-12-31 15:00:00 UTC

    int64_t SteadyMs() override;
    time_t Now() override;
    void SleepMs(int ms) override;

    void Advance(int64_t ms);
    void SetNow(time_t now);
    int64_t SleptMs() const;  // total of all SleepMs calls
    int Sleeps() const;
    // Runs after every SleepMs with the new steady time (outside the lock),
    // so a test can change the world while the code under test waits.
    void OnSleep(std::function<void(int64_t steadyMs)> hook);

private:
    mutable std::mutex m_mutex;
    int64_t m_steady = 1000000;
    time_t m_wallStart = kDefaultStart;
    int64_t m_wallBaseSteady = 1000000;
    int64_t m_slept = 0;
    int m_sleeps = 0;
    std::function<void(int64_t)> m_hook;
};

} // namespace fw::test
