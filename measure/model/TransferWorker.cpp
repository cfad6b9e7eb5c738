#include "measure/model/TransferWorker.h"

#include "measure/model/CFUpdate.h"

#include <algorithm>

CTransferWorker::~CTransferWorker()
{
    Stop();
}

void CTransferWorker::Start(CCFUpdate& transfer, Mode mode)
{
    Stop();
    {
        std::lock_guard lock(m_mutex);
        m_reports.clear();
        m_goes = mode == Mode::Loop ? 1 : 0;
        m_stop = false;
    }
    m_thread = std::thread([this, &transfer, mode] { Run(&transfer, mode); });
}

void CTransferWorker::Go()
{
    std::lock_guard lock(m_mutex);
    ++m_goes;
    m_changed.notify_all();
}

void CTransferWorker::Stop()
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        ++m_goes;
        m_changed.notify_all();
    }
    m_thread.join();
}

void CTransferWorker::Post(Report report)
{
    std::lock_guard lock(m_mutex);
    m_reports.push_back(report);
    m_changed.notify_all();
}

void CTransferWorker::Run(CCFUpdate* transfer, Mode mode)
{
    // A looping worker reports when its position passes another fiftieth
    // of the item, and always at the end: about 50 stores per item, each of
    // everything that arrived since the one before.
    const unsigned step = std::max(transfer->GetEnd() / kReportsPerItem, 1u);
    unsigned reported = ~0u;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_goes > 0 || m_stop; });
            if (m_stop)
                break;
            if (mode == Mode::Step)
                --m_goes;
        }
        bool more = false;
        try {
            more = transfer->TransferChunk();
        } catch (...) {
            // TransferChunk turns failures into its error text; anything
            // that still escapes ends the item as a failure.
            more = false;
        }
        const unsigned position = transfer->GetPosition();
        if (mode == Mode::Step || !more || position / step != reported) {
            reported = position / step;
            Post({position, more});
        }
        if (!more && mode == Mode::Loop)
            return;
    }
    Post({transfer->GetPosition(), false});
}

CTransferWorker::Report CTransferWorker::Wait(bool every)
{
    Report report;
    WaitFor(report, std::chrono::milliseconds::max(), every);
    return report;
}

bool CTransferWorker::WaitFor(Report& out, std::chrono::milliseconds limit, bool every)
{
    std::unique_lock lock(m_mutex);
    const auto ready = [this] { return !m_reports.empty(); };
    if (limit == std::chrono::milliseconds::max())
        m_changed.wait(lock, ready);
    else if (!m_changed.wait_for(lock, limit, ready))
        return false;
    if (!every) {
        while (m_reports.size() > 1 && m_reports.front().more)
            m_reports.pop_front();
    }
    out = m_reports.front();
    m_reports.pop_front();
    return true;
}
