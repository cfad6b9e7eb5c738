#include "measure/views/transfer/InterfaceThreadTarget.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>

#include <chrono>

CInterfaceThreadTarget::CInterfaceThreadTarget(ITransferTarget& inner)
    : m_inner(inner), m_interfaceThread(std::this_thread::get_id()), m_receiver(std::make_unique<QObject>())
{
}

// Queued wakes still on their way die with the receiver.
CInterfaceThreadTarget::~CInterfaceThreadTarget() = default;

void CInterfaceThreadTarget::Post(std::function<void()> call)
{
    QMetaObject::invokeMethod(m_receiver.get(), std::move(call), Qt::QueuedConnection);
}

void CInterfaceThreadTarget::Wake()
{
    Post([this] { RunWaitingCalls(); });
}

void CInterfaceThreadTarget::Call(const std::function<void()>& call)
{
    if (std::this_thread::get_id() == m_interfaceThread) {
        call();
        return;
    }
    Task task;
    task.call = call;
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(&task);
    }
    Wake();
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&task] { return task.done; });
    lock.unlock();
    if (task.error)
        std::rethrow_exception(task.error);
}

void CInterfaceThreadTarget::RunWaitingCalls()
{
    for (;;) {
        Task* task = nullptr;
        {
            std::lock_guard lock(m_mutex);
            if (m_tasks.empty())
                return;
            task = m_tasks.front();
            m_tasks.pop_front();
        }
        try {
            task->call();
        } catch (...) {
            task->error = std::current_exception();
        }
        std::lock_guard lock(m_mutex);
        task->done = true;
        m_changed.notify_all();
    }
}

void CInterfaceThreadTarget::WaitUntil(const std::function<bool()>& done)
{
    using namespace std::chrono_literals;
    for (;;) {
        RunWaitingCalls();
        if (done())
            return;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait_for(lock, 10ms, [this] { return !m_tasks.empty(); });
        }
        // The windows keep painting while the chunk in hand finishes; the
        // user's input waits.
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void CInterfaceThreadTarget::UpdateProgress(const std::function<void(Progress&)>& change)
{
    bool post = false;
    {
        std::lock_guard lock(m_mutex);
        change(m_progress);
        post = !m_progressPending;
        m_progressPending = true;
        if (post)
            ++m_progressPosts;
    }
    if (post)
        Post([this] { DeliverProgress(); });
}

void CInterfaceThreadTarget::DeliverProgress()
{
    Progress progress;
    {
        std::lock_guard lock(m_mutex);
        progress = m_progress;
        m_progress.percentChanged = m_progress.captionChanged = m_progress.fileSetChanged = false;
        m_progressPending = false;
    }
    if (m_sink)
        m_sink(progress);
}

bool CInterfaceThreadTarget::BeginImportBoxArray(const CMeterInterfacePrf& profile, const CADSetPrf& adSet)
{
    bool ok = false;
    Call([&] { ok = m_inner.BeginImportBoxArray(profile, adSet); });
    return ok;
}

void CInterfaceThreadTarget::RefreshChannelColumns()
{
    Call([&] { m_inner.RefreshChannelColumns(); });
}

bool CInterfaceThreadTarget::AskContinue(const fw::CString& text)
{
    bool yes = false;
    Call([&] { yes = m_inner.AskContinue(text); });
    return yes;
}

void CInterfaceThreadTarget::ShowMessage(const fw::CString& text)
{
    Call([&] { m_inner.ShowMessage(text); });
}

void CInterfaceThreadTarget::ReportException(const std::exception& e)
{
    Call([&] { m_inner.ReportException(e); });
}

void CInterfaceThreadTarget::ShowProgress(unsigned messageId, unsigned percent)
{
    UpdateProgress([percent](Progress& p) {
        p.percent = percent;
        p.percentChanged = true;
    });
}

void CInterfaceThreadTarget::ShowItem(const fw::CString& caption)
{
    UpdateProgress([&caption](Progress& p) {
        p.caption = caption;
        p.captionChanged = true;
    });
}

void CInterfaceThreadTarget::ShowFileSet(int index)
{
    UpdateProgress([index](Progress& p) {
        p.fileSet = index;
        p.fileSetChanged = true;
    });
}

int CInterfaceThreadTarget::SaveStep(const CKiv406FileInfo& entry, bool force, bool endMeterEdit)
{
    int result = 0;
    Call([&] { result = m_inner.SaveStep(entry, force, endMeterEdit); });
    return result;
}

bool CInterfaceThreadTarget::CanAddStep()
{
    bool room = false;
    Call([&] { room = m_inner.CanAddStep(); });
    return room;
}

int CInterfaceThreadTarget::StepCount()
{
    int count = 0;
    Call([&] { count = m_inner.StepCount(); });
    return count;
}

void CInterfaceThreadTarget::ClearCompanionTanks()
{
    Call([&] { m_inner.ClearCompanionTanks(); });
}

void CInterfaceThreadTarget::EndImportBoxArray()
{
    Call([&] { m_inner.EndImportBoxArray(); });
}

bool CInterfaceThreadTarget::AskDeleteContinue(const fw::CString& text)
{
    bool yes = false;
    Call([&] { yes = m_inner.AskDeleteContinue(text); });
    return yes;
}
