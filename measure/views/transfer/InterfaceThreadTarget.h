#pragma once

// The project side of a transfer that a thread of its own drives: every
// call that asks the user or changes the project's documents runs on the
// interface thread, the calling thread waiting for it; progress is handed
// over without waiting, coalesced, so a fast transfer never floods the
// interface thread. Calls made on the interface thread run at once.

#include "measure/views/transfer/TransferTarget.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class QObject;

class CInterfaceThreadTarget final : public ITransferTarget {
public:
    struct Progress {
        unsigned percent = 0;
        bool percentChanged = false;
        fw::CString caption;
        bool captionChanged = false;
        int fileSet = 0;
        bool fileSetChanged = false;
    };
    using ProgressSink = std::function<void(const Progress&)>;

    // Made on the interface thread.
    explicit CInterfaceThreadTarget(ITransferTarget& inner);
    ~CInterfaceThreadTarget() override;
    CInterfaceThreadTarget(const CInterfaceThreadTarget&) = delete;
    CInterfaceThreadTarget& operator=(const CInterfaceThreadTarget&) = delete;

    void SetProgressSink(ProgressSink sink) { m_sink = std::move(sink); }
    // Runs `call` on the interface thread later (from any thread).
    void Post(std::function<void()> call);
    // Interface thread: runs the calls that wait, until `done` holds; the
    // transfer thread never waits for an interface thread that waits for it.
    void WaitUntil(const std::function<bool()>& done);
    // Progress hand-overs posted so far (a test's look at the coalescing).
    int GetProgressPosts() const { return m_progressPosts; }

    CBoxArray& GetActiveBoxArray() override { return m_inner.GetActiveBoxArray(); }
    CBoxArray& GetOwnBoxArray() override { return m_inner.GetOwnBoxArray(); }
    bool BeginImportBoxArray(const CMeterInterfacePrf& profile, const CADSetPrf& adSet) override;
    void RefreshChannelColumns() override;
    bool AskContinue(const fw::CString& text) override;
    void ShowMessage(const fw::CString& text) override;
    void ReportException(const std::exception& e) override;
    void ShowProgress(unsigned messageId, unsigned percent) override;
    int SaveStep(const CKiv406FileInfo& entry, bool force, bool endMeterEdit) override;
    bool CanAddStep() override;
    int StepCount() override;
    void ClearCompanionTanks() override;
    void EndImportBoxArray() override;
    void ShowItem(const fw::CString& caption) override;
    void ShowFileSet(int index) override;
    bool AskDeleteContinue(const fw::CString& text) override;

private:
    struct Task {
        std::function<void()> call;
        bool done = false;
        std::exception_ptr error;
    };
    // Runs `call` on the interface thread and waits for it.
    void Call(const std::function<void()>& call);
    void RunWaitingCalls();
    void Wake();
    void UpdateProgress(const std::function<void(Progress&)>& change);
    void DeliverProgress();

    ITransferTarget& m_inner;
    std::thread::id m_interfaceThread;
    std::unique_ptr<QObject> m_receiver;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Task*> m_tasks;
    Progress m_progress;
    bool m_progressPending = false;
    int m_progressPosts = 0;
    ProgressSink m_sink;
};
