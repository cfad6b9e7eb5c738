#pragma once

// Runs prepared transfers to their end without a window: the worker moves
// chunks, this thread stores every report under the transfer's mutex,
// finishes each box and goes on with the next. A failed item ends with the
// continue question (yes reopens the item and runs it again) or, for PC
// folders, with a message; the run then reports the failure, never a
// completed file set.

#include "measure/model/ReplyTimeoutScope.h"
#include "measure/model/TransferWorker.h"

class CCFUpdate;
struct ITransferHost;

class CTransferRun {
public:
    enum Result { kCompleted = 1, kCancelled = 2, kFailed = 3 };

    explicit CTransferRun(ITransferHost& host) : m_host(host) {}

    // Every item of the prepared file set of a transfer through the control
    // units (unit memory or card): a looping worker per item; the link of
    // the first control unit has the transfer's reply time-out meanwhile.
    Result RunThroughUnits(CCFUpdate& transfer);
    // Every item of the prepared file set of a PC-folder transfer: the
    // worker reads the next chunk into `main` while this thread stores the
    // previous one from its copy in `second`.
    Result RunFromFolder(CCFUpdate& main, CCFUpdate& second);
    // Asks the running worker to stop after its chunk; the run then ends
    // with kCancelled.
    void Cancel() { m_cancel = true; }
    // The reply time-out the units' link gets during the run (seconds).
    void SetReplyTimeout(int seconds) { m_timeoutS = seconds; }

    // Percent of `position` in `total`, without overflow; 100 for an empty
    // total.
    static unsigned Percent(unsigned position, unsigned total);

private:
    Result RunItem(CCFUpdate& transfer);
    bool OfferRetry(CCFUpdate& transfer, bool folder);
    Result AfterItem(CCFUpdate& transfer);

    ITransferHost& m_host;
    CTransferWorker m_worker;
    bool m_cancel = false;
    int m_timeoutS = CReplyTimeoutScope::kTransferTimeoutS;
};
