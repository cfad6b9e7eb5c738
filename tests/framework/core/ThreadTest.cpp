#include "framework/core/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace {

using namespace fw;

TEST(Event, AutoResetLetsOneWaitThroughPerSignal)
{
    CEvent e;
    EXPECT_FALSE(e.Lock(0));
    e.SetEvent();
    EXPECT_TRUE(e.Lock(0));
    EXPECT_FALSE(e.Lock(0)) << "the first wait consumed the signal";
}

TEST(Event, ManualResetStaysSet)
{
    CEvent e(false, true);
    e.SetEvent();
    EXPECT_TRUE(e.Lock(0));
    EXPECT_TRUE(e.Lock(0));
    e.ResetEvent();
    EXPECT_FALSE(e.Lock(10));
}

TEST(Event, WakesAWaiterOnAnotherThread)
{
    CEvent go, done;
    CWorkerThread w;
    std::atomic<bool> woke{false};
    w.Start([&] {
        woke = go.Lock(5000);
        done.SetEvent();
    });
    go.SetEvent();
    EXPECT_TRUE(done.Lock(5000));
    w.Join();
    EXPECT_TRUE(woke);
    EXPECT_FALSE(w.IsRunning());
}

TEST(Mutex, TimedLockFailsWhileAnotherThreadHoldsIt)
{
    CMutex m;
    CEvent held, release;
    CWorkerThread w;
    w.Start([&] {
        CSingleLock lock(&m, true);
        held.SetEvent();
        release.Lock(5000);
    });
    ASSERT_TRUE(held.Lock(5000));
    EXPECT_FALSE(m.Lock(20));
    release.SetEvent();
    w.Join();
    EXPECT_TRUE(m.Lock(0));
    EXPECT_TRUE(m.Lock(0)) << "the owner may lock again";
    m.Unlock();
    m.Unlock();
}

TEST(WorkerThread, StartsOnceUntilJoinedAndSurvivesExceptions)
{
    CWorkerThread w;
    CEvent release;
    ASSERT_TRUE(w.Start([&] {
        release.Lock(5000);
        throw std::runtime_error("end of work");
    }));
    EXPECT_FALSE(w.Start([] {}));
    testing::internal::CaptureStderr();
    release.SetEvent();
    w.Join();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("end of work"), std::string::npos);
    EXPECT_TRUE(w.Start([] {}));
}

} // namespace
