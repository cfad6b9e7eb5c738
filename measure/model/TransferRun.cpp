#include "measure/model/TransferRun.h"

#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "measure/model/CFUpdate.h"
#include "measure/model/ReplyTimeoutScope.h"
#include "measure/model/TransferHost.h"

#include <mutex>

unsigned CTransferRun::Percent(unsigned position, unsigned total)
{
    if (total == 0)
        return 100;
    return static_cast<unsigned>(static_cast<uint64_t>(position) * 100u / total);
}

bool CTransferRun::OfferRetry(CCFUpdate& transfer, bool folder)
{
    if (!transfer.GetAskOnError())
        return false;
    if (folder) {
        m_host.ShowMessage(transfer.GetErrorText());
        return false;
    }
    if (!m_host.AskContinue(transfer.GetErrorText()))
        return false;
    transfer.ClearErrorText();
    return transfer.OpenItem();
}

CTransferRun::Result CTransferRun::AfterItem(CCFUpdate& transfer)
{
    transfer.Finish();
    if (transfer.NextItem())
        return kCompleted;
    // A box that could not be opened is a failure, not the end of the set.
    if (transfer.HasMoreBoxes())
        return kFailed;
    return kCancelled;  // no further item
}

CTransferRun::Result CTransferRun::RunItem(CCFUpdate& transfer)
{
    for (;;) {
        m_worker.Start(transfer, CTransferWorker::Mode::Loop);
        for (;;) {
            const CTransferWorker::Report report = m_worker.Wait();
            if (m_cancel) {
                m_worker.Stop();
                return kCancelled;
            }
            if (!report.more) {
                m_worker.Stop();
                if (report.position < transfer.GetTotal())
                    break;
            }
            m_host.ShowProgress(transfer.GetMessageId(), Percent(report.position, transfer.GetTotal()));
            {
                std::lock_guard lock(transfer.GetMutex());
                transfer.StoreChunk(report.position);
            }
            if (!transfer.NextChunk() && report.position >= transfer.GetTotal()) {
                m_worker.Stop();
                return kCompleted;
            }
        }
        if (!OfferRetry(transfer, false))
            return kFailed;
    }
}

CTransferRun::Result CTransferRun::RunThroughUnits(CCFUpdate& transfer)
{
    CBoxArray& own = m_host.GetOwnBoxArray();
    CMeterInterface* link = own.GetBoxCount() > 0 ? own.GetBox(0)->GetMeter()->GetInterface() : nullptr;
    CReplyTimeoutScope timeout(link, m_timeoutS);
    try {
        while (transfer.HasMoreBoxes()) {
            const Result item = RunItem(transfer);
            if (item != kCompleted)
                return item;
            const Result next = AfterItem(transfer);
            if (next == kFailed)
                return kFailed;
            if (next == kCancelled)
                return kCompleted;
        }
        return kCompleted;
    } catch (const std::exception& e) {
        m_worker.Stop();
        m_host.ReportException(e);
        return kFailed;
    }
}

CTransferRun::Result CTransferRun::RunFromFolder(CCFUpdate& main, CCFUpdate& second)
{
    try {
        m_worker.Start(main, CTransferWorker::Mode::Step);
        m_worker.Go();
        for (;;) {
            const CTransferWorker::Report report = m_worker.Wait(true);
            if (m_cancel) {
                m_worker.Stop();
                return kCancelled;
            }
            if (!report.more) {
                m_worker.Stop();
                OfferRetry(main, true);
                return kFailed;
            }
            second.CopyProgressFrom(main);
            m_host.ShowProgress(main.GetMessageId(),
                                Percent(main.GetPosition() + main.GetCount(), main.GetTotal()));
            if (main.NextChunk()) {
                m_worker.Go();
                second.StoreChunk(0);
                continue;
            }
            second.StoreChunk(0);
            const Result next = AfterItem(main);
            if (next == kFailed) {
                m_worker.Stop();
                return kFailed;
            }
            if (next == kCancelled) {
                m_worker.Stop();
                return kCompleted;
            }
            m_worker.Go();
        }
    } catch (const std::exception& e) {
        m_worker.Stop();
        m_host.ReportException(e);
        return kFailed;
    }
}
