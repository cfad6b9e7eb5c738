#include "measure/model/poll/WorkerBlock.h"

#include "measure/model/poll/KeisokuPanel.h"

namespace {

template <class Poll> void PollLoop(const tagWORKERBLOCK& block, uint32_t message, Poll poll)
{
    struct DoneOnExit {
        fw::CEvent* done;
        ~DoneOnExit() { done->SetEvent(); }
    } doneOnExit{block.done};
    for (;;) {
        if (!block.go->Lock())
            return;
        if (block.stop->Lock(0))
            return;
        block.idle->ResetEvent();
        const bool ok = poll(*block.object);
        block.idle->SetEvent();
        fw::PostMessage(block.window, message, ok ? 1 : 0, 0);
    }
}

} // namespace

void MonitorPollProc(const tagWORKERBLOCK& block)
{
    PollLoop(block, WM_MONITOR_POLL_DONE, [](CKeisokuPanel& p) { return p.MonitorPoll(); });
}

void RecordingPollProc(const tagWORKERBLOCK& block)
{
    PollLoop(block, WM_RECORDING_POLL_DONE, [](CKeisokuPanel& p) { return p.RecordingPoll(); });
}
