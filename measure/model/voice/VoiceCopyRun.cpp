#include "measure/model/voice/VoiceCopyRun.h"

#include "framework/core/Format.h"
#include "framework/core/StringTable.h"
#include "instrument/MeterInterface.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"
#include "measure/model/TransferHost.h"
#include "measure/model/TransferRun.h"
#include "measure/model/voice/CFVoiceUpdate.h"
#include "measure/model/voice/VoiceCopyTarget.h"

CVoiceCopyRun::Result CVoiceCopyRun::Run(CCFVoiceUpdate& job, const std::function<void(int)>& opened)
{
    Result result = kCancelled;
    try {
        if (job.Prepare())
            result = RunPrepared(job, opened);
    } catch (const std::exception& e) {
        m_host.ReportException(e);
        result = kFailed;
    }
    RestoreTimeout();
    return result;
}

CVoiceCopyRun::Result CVoiceCopyRun::RunPrepared(CCFVoiceUpdate& job, const std::function<void(int)>& opened)
{
    try {
        return RunFiles(job, opened);
    } catch (const std::exception& e) {
        m_worker.Stop();
        m_host.ReportException(e);
        return kFailed;
    }
}

CVoiceCopyRun::Result CVoiceCopyRun::RunFiles(CCFVoiceUpdate& job, const std::function<void(int)>& opened)
{
    for (;;) {
        if (opened)
            opened(job.GetOrdinal());
        bool cancelled = false;
        const bool copied = CopyFile(job, cancelled);
        if (cancelled)
            return kCancelled;
        if (!copied)
            return kFailed;
        job.Finish();
        if (!m_target.CanAddVoice()) {
            m_host.ShowMessage(fw::Format(fw::LoadStringText(kMsgVoiceListFull), m_target.VoiceCount()));
            return kCancelled;
        }
        if (!job.NextItem())
            return kCompleted;
    }
}

bool CVoiceCopyRun::CopyFile(CCFVoiceUpdate& job, bool& cancelled)
{
    for (;;) {
        m_worker.Start(job, CTransferWorker::Mode::Loop);
        CTransferWorker::Report report;
        do {
            while (!m_worker.WaitFor(report, std::chrono::milliseconds(50))) {
                if (m_idle)
                    m_idle();
                if (m_cancel)
                    break;
            }
            if (m_cancel) {
                m_worker.Stop();
                cancelled = true;
                return false;
            }
            m_host.ShowProgress(job.GetMessageId(), CTransferRun::Percent(report.position, job.GetEnd()));
        } while (report.more);
        m_worker.Stop();
        if (report.position >= job.GetEnd())
            return true;
        // The file is written anew from its first byte when the user goes on.
        if (!m_host.AskContinue(job.GetErrorText()))
            return false;
        job.ClearErrorText();
        if (!job.OpenItem())
            return false;
    }
}

void CVoiceCopyRun::RestoreTimeout()
{
    CBoxArray& own = m_host.GetOwnBoxArray();
    if (own.GetBoxCount() == 0)
        return;
    if (CMeterInterface* link = own.GetBox(0)->GetMeter()->GetInterface())
        link->SetReplyTimeout(kAfterCopyTimeoutS);
}
