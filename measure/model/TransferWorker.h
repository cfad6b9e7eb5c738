#pragma once

// The worker thread of a transfer: it runs only TransferChunk and
// GetPosition of one transfer object and reports each result. A looping
// worker runs chunk after chunk until the item is done or fails; a
// stepping worker runs one chunk per Go. Whichever way it ends, the worker
// posts a final report and can be joined, so no wait on it is without a
// way out; Stop lets it finish its current chunk and end.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

class CCFUpdate;

class CTransferWorker {
public:
    enum class Mode { Loop, Step };
    static constexpr unsigned kReportsPerItem = 50;
    struct Report {
        unsigned position = 0;
        bool more = false;   // false: the item ended (complete or failed)
    };

    CTransferWorker() = default;
    ~CTransferWorker();
    CTransferWorker(const CTransferWorker&) = delete;
    CTransferWorker& operator=(const CTransferWorker&) = delete;

    // Starts a worker on the object (stopping a previous one first); a
    // looping worker starts at once, a stepping one at the first Go.
    void Start(CCFUpdate& transfer, Mode mode);
    // Lets a stepping worker run its next chunk.
    void Go();
    // Sets stop, lets the worker finish its chunk and joins it.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }

    // The newest report; the older queued ones are dropped unless
    // `every` is set (a report that ends the item is never dropped).
    Report Wait(bool every = false);
    // The same within `limit`; false, `out` untouched, when no report came.
    bool WaitFor(Report& out, std::chrono::milliseconds limit, bool every = false);

private:
    void Run(CCFUpdate* transfer, Mode mode);
    void Post(Report report);

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Report> m_reports;
    int m_goes = 0;
    bool m_stop = false;
};
