#include "measure/views/transfer/ProjectTransferHost.h"

#include "common/calc/KivSPTankData.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"
#include "instrument/system/BoxArray.h"
#include "project/model/ProjectHost.h"

CKIV5980Doc::ImportRecord CProjectTransferHost::MakeRecord(const CKiv406FileInfo& entry)
{
    CKIV5980Doc::ImportRecord record;
    record.path = entry.m_name;
    record.startTime = entry.m_firstSampleTime.m_dt;
    record.interval = entry.m_interval;
    record.method = entry.m_triggerType < 0 ? 0 : entry.m_triggerType;
    // Externally sampled data have no time base: the history counts values.
    record.countOnly = entry.m_clockKind != CKiv406FileInfo::clockInterval;
    return record;
}

void CProjectTransferHost::Broadcast(intptr_t hint)
{
    ProjectHost().UpdateAllGraphDocs(hint, nullptr);
    m_doc.UpdateAllViews(nullptr, hint, nullptr);
}

void CProjectTransferHost::RecalculateChannels()
{
    CKivSPTankData& channels = m_doc.GetActiveBoxArray().GetTankList();
    if (channels.GetSize() > CKivSPTankData::kFirstCalculated)
        channels.RecalculateFrom(0);
}

CBoxArray& CProjectTransferHost::GetActiveBoxArray()
{
    return m_doc.GetActiveBoxArray();
}

CBoxArray& CProjectTransferHost::GetOwnBoxArray()
{
    return m_doc.GetBoxArray();
}

bool CProjectTransferHost::BeginImportBoxArray(const CMeterInterfacePrf& profile, const CADSetPrf& adSet)
{
    return m_doc.BeginImportBoxArray(profile, adSet);
}

void CProjectTransferHost::RefreshChannelColumns()
{
    m_doc.RefreshFuncColumn();
}

bool CProjectTransferHost::AskContinue(const fw::CString& text)
{
    // The question goes to the error log beside the project's data.
    const fw::CString path = m_doc.GetPathName();
    return m_doc.GetActiveBoxArray().AskContinue(text.c_str(), path.IsEmpty() ? nullptr : path.c_str());
}

void CProjectTransferHost::ShowMessage(const fw::CString& text)
{
    fw::AfxMessageBox(text, fw::MB_OK | fw::MB_ICONEXCLAMATION);
}

void CProjectTransferHost::ReportException(const std::exception& e)
{
    fw::ReportException(e);
}

int CProjectTransferHost::SaveStep(const CKiv406FileInfo& entry, bool force, bool endMeterEdit)
{
    RecalculateChannels();
    const CKIV5980Doc::ImportRecord record = MakeRecord(entry);
    const int result = m_doc.FinishDataImport(record, force);
    if (endMeterEdit)
        m_doc.GetActiveBoxArray().EndMeterEdit();
    return result;
}

bool CProjectTransferHost::CanAddStep()
{
    return m_doc.CanAddStep();
}

int CProjectTransferHost::StepCount()
{
    return m_doc.GetHistory().GetLastIndex() + 1;
}

void CProjectTransferHost::ClearCompanionTanks()
{
    m_doc.GetActiveBoxArray().GetGpsTanks().DeleteAll();
    m_doc.GetActiveBoxArray().GetCanTanks().DeleteAll();
}

void CProjectTransferHost::EndImportBoxArray()
{
    m_doc.EndImportBoxArray();
}
