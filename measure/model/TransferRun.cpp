#include "measure/model/TransferRun.h"

#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "measure/model/CFUpdate.h"
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
                if (report.position < transfer.GetEnd())
                    break;
            }
            m_host.ShowProgress(transfer.GetMessageId(), Percent(report.position, transfer.GetEnd()));
            {
                std::lock_guard lock(transfer.GetMutex());
                transfer.StoreChunk(report.position);
            }
            // The worker's last report ends the item even when its rows
            // did not add up (a CAN block cut short is then in the
            // error text): no further report would come.
            if ((!transfer.NextChunk() && report.position >= transfer.GetEnd()) || !report.more) {
                m_worker.Stop();
                return kCompleted;
            }
        }
        if (!OfferRetry(transfer, false))
            return kFailed;
    }
}

CTransferRun::Result CTransferRun::RunCompanion(CCFUpdate& main, CCFUpdate* companion, CCFUpdate* second,
                                               bool folder)
{
    if (!companion || (folder && !second))
        return kCompleted;
    companion->CopyProgressFrom(main);
    companion->SetCurrentFile(main.GetCurrentFile());
    // No file of this kind for the box: nothing to bring in.
    if (!companion->Prepare())
        return kCompleted;
    return folder ? RunSteppedItems(*companion, *second, false) : RunLoopedItems(*companion, false);
}

CTransferRun::Result CTransferRun::RunCompanions(CCFUpdate& main, bool folder)
{
    const Result gps = RunCompanion(main, m_gps, m_gpsSecond, folder);
    if (gps != kCompleted)
        return gps;
    return RunCompanion(main, m_can, m_canSecond, folder);
}

CTransferRun::Result CTransferRun::RunLoopedItems(CCFUpdate& transfer, bool companions)
{
    for (;;) {
        const Result item = RunItem(transfer);
        if (item != kCompleted)
            return item;
        // A damaged CAN block leaves its text once the item is through.
        if (!transfer.GetErrorText().IsEmpty()) {
            m_host.ShowMessage(transfer.GetErrorText());
            return kFailed;
        }
        transfer.Finish();
        if (companions && transfer.HasUnit463()) {
            const Result more = RunCompanions(transfer, false);
            if (more != kCompleted)
                return more;
        }
        if (!transfer.NextItem())
            return companions && transfer.HasMoreBoxes() ? kFailed : kCompleted;
    }
}

CTransferRun::Result CTransferRun::RunThroughUnits(CCFUpdate& transfer)
{
    CBoxArray& own = m_host.GetOwnBoxArray();
    CMeterInterface* link = own.GetBoxCount() > 0 ? own.GetBox(0)->GetMeter()->GetInterface() : nullptr;
    CReplyTimeoutScope timeout(link, m_timeoutS);
    try {
        if (!transfer.HasMoreBoxes())
            return kCompleted;
        return RunLoopedItems(transfer, true);
    } catch (const std::exception& e) {
        m_worker.Stop();
        m_host.ReportException(e);
        return kFailed;
    }
}

CTransferRun::Result CTransferRun::RunSteppedItems(CCFUpdate& main, CCFUpdate& second, bool companions)
{
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
        second.CopyKindFrom(main);
        m_host.ShowProgress(main.GetMessageId(), Percent(main.GetPosition() + main.GetCount(), main.GetTotal()));
        if (main.NextChunk()) {
            m_worker.Go();
            std::lock_guard lock(second.GetMutex());
            second.StoreChunk(0);
            continue;
        }
        second.StoreChunk(0);
        main.CopyKindFrom(second);
        if (!second.GetErrorText().IsEmpty()) {
            m_worker.Stop();
            m_host.ShowMessage(second.GetErrorText());
            return kFailed;
        }
        main.Finish();
        if (companions && main.HasUnit463()) {
            m_worker.Stop();
            const Result more = RunCompanions(main, true);
            if (more != kCompleted)
                return more;
            m_worker.Start(main, CTransferWorker::Mode::Step);
        }
        if (!main.NextItem()) {
            m_worker.Stop();
            // A box that could not be opened is a failure, not the end.
            return companions && main.HasMoreBoxes() ? kFailed : kCompleted;
        }
        m_worker.Go();
    }
}

CTransferRun::Result CTransferRun::RunFromFolder(CCFUpdate& main, CCFUpdate& second)
{
    try {
        if (!main.HasMoreBoxes())
            return kCompleted;
        return RunSteppedItems(main, second, true);
    } catch (const std::exception& e) {
        m_worker.Stop();
        m_host.ReportException(e);
        return kFailed;
    }
}
