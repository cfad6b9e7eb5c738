#include "measure/views/transfer/TransferSession.h"

#include "framework/core/StringTable.h"
#include "measure/model/CFMeterUpdate.h"
#include "measure/model/CanUpdate.h"
#include "measure/model/GetCFUpdate.h"
#include "measure/model/GetFileUpdate.h"
#include "measure/model/GpsUpdate.h"
#include "measure/model/card/CardFileDelete.h"
#include "measure/views/transfer/TransferTarget.h"

CTransferSession::CTransferSession(ITransferTarget& target, int mode, const FileLists& files)
    : m_target(target), m_mode(mode), m_files(files)
{
}

CTransferSession::~CTransferSession() = default;

int CTransferSession::GetFileSetCount() const
{
    return m_files.empty() || !m_files.front() ? 0 : static_cast<int>(m_files.front()->size());
}

const CKiv406FileInfo* CTransferSession::FirstEntry() const
{
    if (m_fileIndex < 0 || m_fileIndex >= GetFileSetCount())
        return nullptr;
    return &(*m_files.front())[static_cast<size_t>(m_fileIndex)];
}

void CTransferSession::BuildTransfers()
{
    switch (m_mode) {
    case kUnitMemory:
        m_main = std::make_unique<CCFMeterUpdate>(*this);
        break;
    case kCardThroughUnit: {
        auto card = std::make_unique<CGetCFUpdate>(*this);
        card->SetUseFileFormat(m_useFileFormat);
        m_main = std::move(card);
        break;
    }
    case kCardFolder: {
        auto main = std::make_unique<CGetFileUpdate>(*this);
        main->SetUseFileFormat(m_useFileFormat);
        m_main = std::move(main);
        m_second = std::make_unique<CGetFileUpdate>(*this);
        break;
    }
    default: {
        auto chosen = std::make_unique<CGetCFFileUpdate>(*this);
        chosen->SetUseFileFormat(m_useFileFormat);
        m_main = std::move(chosen);
        break;
    }
    }
    m_main->SetFileLists(&m_files);
    if (m_mode == kCardThroughUnit || m_mode == kChosenCardFiles) {
        m_gps = std::make_unique<CGetGPSUpdate>(*this);
        m_can = std::make_unique<CGetCanUpdate>(*this);
    } else if (m_mode == kCardFolder) {
        m_gps = std::make_unique<CGetGPSFileUpdate>(*this);
        m_gpsSecond = std::make_unique<CGetGPSFileUpdate>(*this);
        m_can = std::make_unique<CGetCanFileUpdate>(*this);
        m_canSecond = std::make_unique<CGetCanFileUpdate>(*this);
    }
    if (m_gps)
        m_target.ClearCompanionTanks();
    for (CCFUpdate* t : {m_main.get(), m_second.get(), m_gps.get(), m_gpsSecond.get(), m_can.get(), m_canSecond.get()})
        if (t)
            t->SetAskOnError(m_askOnError);
    m_run.SetCompanions(m_gps.get(), m_can.get(), m_gpsSecond.get(), m_canSecond.get());
}

bool CTransferSession::PrepareFirst()
{
    if (m_mode == kCardThroughUnit) {
        m_target.GetOwnBoxArray().BeginMeterEdit();
        m_meterEdit = true;
    }
    BuildTransfers();
    m_fileIndex = 0;
    m_main->SetFileIndex(m_fileIndex);
    return GetFileSetCount() > 0 && m_main->Prepare();
}

int CTransferSession::RunFileSet()
{
    m_target.ShowFileSet(m_fileIndex);
    const CTransferRun::Result result =
        m_mode == kCardFolder ? m_run.RunFromFolder(*m_main, *m_second) : m_run.RunThroughUnits(*m_main);
    if (m_cancel || result == CTransferRun::kCancelled)
        return kStopped;
    return result == CTransferRun::kCompleted ? kAllDone : kFailed;
}

int CTransferSession::CompleteFileSet()
{
    const CKiv406FileInfo* entry = FirstEntry();
    if (!entry || m_cancel)
        return kStopped;
    const bool chosen = m_mode == kCardFolder || m_mode == kChosenCardFiles;
    const int step = m_target.SaveStep(*entry, chosen, chosen);
    if (step != kAllDone)
        return step;
    if ((m_mode == kCardThroughUnit || m_mode == kChosenCardFiles) && m_deleteAfter) {
        const cardfiles::AskContinue ask = [this](const fw::CString& text) {
            return m_askOnError && !m_cancel && m_target.AskDeleteContinue(text);
        };
        if (!cardfiles::DeleteTransferredFiles(m_target.GetOwnBoxArray(), m_files, m_fileIndex, ask))
            return kStopped;
    }
    if (!m_target.CanAddStep()) {
        m_target.ShowMessage(fw::Format(fw::LoadStringText(kIdsHistoryFull), m_target.StepCount()));
        return kStopped;
    }
    return kAllDone;
}

bool CTransferSession::PrepareNext()
{
    m_main->SetFileIndex(m_fileIndex);
    if (m_cancel || !m_main->Prepare())
        return false;
    if (m_gps)
        m_target.ClearCompanionTanks();
    return true;
}

int CTransferSession::Run()
{
    if (!m_main)
        return kStopped;
    for (;;) {
        int result = RunFileSet();
        if (result == kAllDone)
            result = CompleteFileSet();
        if (result != kAllDone)
            return result;
        if (++m_fileIndex >= GetFileSetCount())
            return kAllDone;
        if (!PrepareNext())
            return kStopped;
    }
}

void CTransferSession::Finish()
{
    m_main.reset();
    m_second.reset();
    m_gps.reset();
    m_gpsSecond.reset();
    m_can.reset();
    m_canSecond.reset();
    if (m_mode == kCardFolder || m_mode == kChosenCardFiles)
        m_target.EndImportBoxArray();
    if (m_meterEdit) {
        m_target.GetOwnBoxArray().EndMeterEdit();
        m_meterEdit = false;
    }
}

CCFUpdate* CTransferSession::TransferOfMessage(unsigned messageId) const
{
    for (CCFUpdate* t : {m_main.get(), m_gps.get(), m_can.get()})
        if (t && t->GetMessageId() == messageId)
            return t;
    return nullptr;
}

// ---- ITransferHost

CBoxArray& CTransferSession::GetActiveBoxArray()
{
    return m_target.GetActiveBoxArray();
}

CBoxArray& CTransferSession::GetOwnBoxArray()
{
    return m_target.GetOwnBoxArray();
}

bool CTransferSession::BeginImportBoxArray(const CMeterInterfacePrf& profile, const CADSetPrf& adSet)
{
    return !m_cancel && m_target.BeginImportBoxArray(profile, adSet);
}

void CTransferSession::RefreshChannelColumns()
{
    m_target.RefreshChannelColumns();
}

// After a cancel no question is asked: the answer would be thrown away.
bool CTransferSession::AskContinue(const fw::CString& text)
{
    return !m_cancel && m_target.AskContinue(text);
}

void CTransferSession::ShowMessage(const fw::CString& text)
{
    if (!m_cancel)
        m_target.ShowMessage(text);
}

void CTransferSession::ReportException(const std::exception& e)
{
    if (!m_cancel)
        m_target.ReportException(e);
}

// Runs on the thread that drives the transfers, after each report of the
// worker: the cancel reaches the run here, on its own thread.
void CTransferSession::ShowProgress(unsigned messageId, unsigned percent)
{
    if (m_cancel) {
        m_run.Cancel();
        return;
    }
    if (CCFUpdate* transfer = TransferOfMessage(messageId)) {
        fw::CString caption;
        transfer->GetCaption(caption);
        if (caption != m_caption) {
            m_caption = caption;
            m_target.ShowItem(caption);
        }
    }
    m_target.ShowProgress(messageId, percent);
}
