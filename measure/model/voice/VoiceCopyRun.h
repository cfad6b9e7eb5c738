#pragma once

// Runs the voice copy to its end without a window: a looping worker per
// file reads its blocks, this thread files each finished file and opens
// the next. A failed file asks whether to go on (yes writes it again from
// its first byte); a full voice list ends the run with its message. The
// link of the first control unit has the reply time-out of 10 s afterwards.

#include "measure/model/TransferWorker.h"

#include <atomic>
#include <functional>

class CCFVoiceUpdate;
struct ITransferHost;
struct IVoiceCopyTarget;

class CVoiceCopyRun {
public:
    // 1 every chosen file copied; 2 nothing to copy, cancelled or the list
    // full; 3 the user stopped after a failure.
    enum Result { kCompleted = 1, kCancelled = 2, kFailed = 3 };
    static constexpr int kAfterCopyTimeoutS = 10;
    static constexpr unsigned kMsgVoiceListFull = 819;

    CVoiceCopyRun(ITransferHost& host, IVoiceCopyTarget& target) : m_host(host), m_target(target) {}

    // Prepares and runs the job; `opened` hears of each file as it starts
    // (its ordinal among all files, 1 on).
    Result Run(CCFVoiceUpdate& job, const std::function<void(int ordinal)>& opened = {});
    // The same for a job already prepared; the time-out stays for the caller
    // (RestoreTimeout).
    Result RunPrepared(CCFVoiceUpdate& job, const std::function<void(int ordinal)>& opened = {});
    // The link of the first control unit gets the reply time-out of 10 s.
    void RestoreTimeout();
    // Asks the worker to stop after its block; the run ends with kCancelled.
    void Cancel() { m_cancel = true; }
    // Runs while the run waits for the worker (a window keeps painting and
    // hears its Esc), at least every 50 ms.
    void SetIdle(std::function<void()> idle) { m_idle = std::move(idle); }

private:
    Result RunFiles(CCFVoiceUpdate& job, const std::function<void(int)>& opened);
    // One file to its end: true when complete; false on a failure the user
    // did not retry (or a retry that could not reopen the file).
    bool CopyFile(CCFVoiceUpdate& job, bool& cancelled);

    ITransferHost& m_host;
    IVoiceCopyTarget& m_target;
    CTransferWorker m_worker;
    std::atomic<bool> m_cancel{false};
    std::function<void()> m_idle;
};
