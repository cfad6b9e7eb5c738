#include "framework/core/Thread.h"

#include <chrono>
#include <cstdio>
#include <exception>

namespace fw {

CEvent::CEvent(bool initiallySet, bool manualReset) : m_set(initiallySet), m_manual(manualReset)
{
}

void CEvent::SetEvent()
{
    {
        std::lock_guard lock(m_mutex);
        m_set = true;
    }
    if (m_manual)
        m_cv.notify_all();
    else
        m_cv.notify_one();
}

void CEvent::ResetEvent()
{
    std::lock_guard lock(m_mutex);
    m_set = false;
}

bool CEvent::IsSet() const
{
    std::lock_guard lock(m_mutex);
    return m_set;
}

bool CEvent::Lock(uint32_t ms)
{
    std::unique_lock lock(m_mutex);
    const auto ready = [this] { return m_set; };
    if (ms == INFINITE)
        m_cv.wait(lock, ready);
    else if (!m_cv.wait_for(lock, std::chrono::milliseconds(ms), ready))
        return false;
    if (!m_manual)
        m_set = false;
    return true;
}

bool CMutex::Lock(uint32_t ms)
{
    if (ms == INFINITE) {
        m_mutex.lock();
        return true;
    }
    return m_mutex.try_lock_for(std::chrono::milliseconds(ms));
}

void CMutex::Unlock()
{
    m_mutex.unlock();
}

CWorkerThread::~CWorkerThread()
{
    Join();
}

bool CWorkerThread::Start(std::function<void()> work)
{
    if (m_thread.joinable())
        return false;
    m_running = true;
    m_thread = std::thread([this, work = std::move(work)] {
        try {
            work();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "worker thread ended by an exception: %s\n", e.what());
        } catch (...) {
            std::fprintf(stderr, "worker thread ended by an unknown exception\n");
        }
        m_running = false;
    });
    return true;
}

void CWorkerThread::Join()
{
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

} // namespace fw
