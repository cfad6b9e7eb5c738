#pragma once

// Events, mutexes and worker threads in the shape the measurement code
// expects. Waits take milliseconds; INFINITE waits for ever.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace fw {

inline constexpr uint32_t INFINITE = 0xFFFFFFFFu;

class CEvent {
public:
    // An auto-reset event lets one successful wait through per signal; a
    // manual-reset event stays set until ResetEvent.
    explicit CEvent(bool initiallySet = false, bool manualReset = false);
    void SetEvent();
    void ResetEvent();
    // True when signalled within `ms`; an auto-reset event is then consumed
    // (Lock(0) takes a pending signal).
    bool Lock(uint32_t ms = INFINITE);
    void Unlock() {}
    bool IsSet() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_set;
    bool m_manual;
};

class CMutex {
public:
    bool Lock(uint32_t ms = INFINITE);
    void Unlock();

private:
    std::recursive_timed_mutex m_mutex;
};

// Locks for its lifetime (when asked at construction).
template <class T> class CSingleLock {
public:
    explicit CSingleLock(T* object, bool initialLock = false) : m_object(object)
    {
        if (initialLock)
            Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;
    bool Lock(uint32_t ms = INFINITE)
    {
        if (!m_locked)
            m_locked = m_object->Lock(ms);
        return m_locked;
    }
    void Unlock()
    {
        if (m_locked)
            m_object->Unlock();
        m_locked = false;
    }
    bool IsLocked() const { return m_locked; }

private:
    T* m_object;
    bool m_locked = false;
};

// One worker; the owner starts and joins it (it never deletes itself).
// Exceptions escaping the work are caught and reported on stderr, as
// nothing may cross a thread's end.
class CWorkerThread {
public:
    CWorkerThread() = default;
    // Joins a thread still running.
    ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // False when one is already running (not yet joined).
    bool Start(std::function<void()> work);
    void Join();
    bool IsRunning() const { return m_running.load(); }
    bool IsStarted() const { return m_thread.joinable(); }

private:
    std::thread m_thread;
    std::atomic<bool> m_running{false};
};

} // namespace fw
