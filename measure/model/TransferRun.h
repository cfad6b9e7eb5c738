#pragma once

// Runs prepared transfers to their end without a window: the worker moves
// chunks, this thread stores every report under the transfer's mutex,
// finishes each box, brings in the GPS and CAN data of a box with a
// CAN/voice/GPS unit, and goes on with the next box. A failed item ends
// with the continue question (yes reopens the item and runs it again) or,
// for PC folders, with a message; the run then reports the failure, never
// a completed file set.

#include "measure/model/ReplyTimeoutScope.h"
#include "measure/model/TransferWorker.h"

class CCFUpdate;
struct ITransferHost;

class CTransferRun {
public:
    enum Result { kCompleted = 1, kCancelled = 2, kFailed = 3 };

    explicit CTransferRun(ITransferHost& host) : m_host(host) {}

    // The GPS and CAN transfers that follow the waveform data of a box
    // with a CAN/voice/GPS unit; for PC folders each with its second
    // object. Null: that kind is left out.
    void SetCompanions(CCFUpdate* gps, CCFUpdate* can, CCFUpdate* gpsSecond = nullptr, CCFUpdate* canSecond = nullptr)
    {
        m_gps = gps;
        m_can = can;
        m_gpsSecond = gpsSecond;
        m_canSecond = canSecond;
    }

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
    Result RunLoopedItems(CCFUpdate& transfer, bool companions);
    Result RunSteppedItems(CCFUpdate& main, CCFUpdate& second, bool companions);
    // The GPS, then the CAN data of the box `main` just finished.
    Result RunCompanions(CCFUpdate& main, bool folder);
    Result RunCompanion(CCFUpdate& main, CCFUpdate* companion, CCFUpdate* second, bool folder);
    bool OfferRetry(CCFUpdate& transfer, bool folder);

    ITransferHost& m_host;
    CTransferWorker m_worker;
    CCFUpdate* m_gps = nullptr;
    CCFUpdate* m_can = nullptr;
    CCFUpdate* m_gpsSecond = nullptr;
    CCFUpdate* m_canSecond = nullptr;
    bool m_cancel = false;
    int m_timeoutS = CReplyTimeoutScope::kTransferTimeoutS;
};
