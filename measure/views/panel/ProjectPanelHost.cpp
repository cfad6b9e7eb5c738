#include "measure/views/panel/ProjectPanelHost.h"

#include "docview/dialogs/DtgStartDlg.h"
#include "docview/dialogs/StartFreerunDlg.h"
#include "docbase/settings/MoniterPrf.h"
#include "measure/model/monitor/PanelPrf.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "measure/views/dialogs/MeasureOptionDlgs.h"
#include "measure/views/panel/PanelShell.h"
#include "measure/views/transfer/CFUpdateDlg.h"
#include "project/model/KIV5980Doc.h"
#include "frequency/model/HistCountArray.h"

namespace {

constexpr unsigned kMsgCloseWhileMeasuring = 447;
constexpr int kTransferAllDone = 1;

} // namespace

CMoniterPrf& IPanelShell::AppMonitorPrf()
{
    static CMoniterPrf record;
    return record;
}

CPanelPrf& IPanelShell::AppPanelPrf()
{
    static CPanelPrf record;
    return record;
}

IPanelShell& PanelShell()
{
    static IPanelShell silent;
    IPanelShell* shell = fw::Installed<IPanelShell>();
    return shell ? *shell : silent;
}

CBoxArray& CProjectPanelHost::System()
{
    return m_doc.GetBoxArray();
}

const CMoniterPrf& CProjectPanelHost::MonitorSettings()
{
    return m_doc.GetPanelMonitor();
}

bool CProjectPanelHost::CanAddStep()
{
    return m_doc.CanAddStep();
}

bool CProjectPanelHost::HasChannelLimits(int channel)
{
    return m_doc.HasChannelLimits(channel);
}

bool CProjectPanelHost::ConfirmStopMeasurement()
{
    return fw::AfxMessageBox(kMsgCloseWhileMeasuring, fw::MB_YESNO | fw::MB_DEFBUTTON2) == fw::IDYES;
}

void CProjectPanelHost::RefreshProjectViews()
{
    m_doc.UpdateAllViews(nullptr);
}

bool CProjectPanelHost::DontSaveAutomatically()
{
    return PanelShell().DontSaveAutomatically();
}

bool CProjectPanelHost::RecordHistoryWithoutSave()
{
    return PanelShell().RecordHistoryWithoutSave();
}

bool CProjectPanelHost::DeleteCardFilesAfterFetch()
{
    return PanelShell().DeleteCardFilesAfterFetch();
}

void CProjectPanelHost::SendGraphHint(int hint)
{
    PanelShell().SendGraphHint(hint, &m_doc);
}

void CProjectPanelHost::ShowWaitingText(bool on)
{
    PanelShell().ShowWaitingText(on);
}

void CProjectPanelHost::UpdateTriggerStatus(const fw::COleDateTime& start, double days, int code)
{
    PanelShell().UpdateTriggerStatus(start, days, code);
}

void CProjectPanelHost::ClearTriggerStatus()
{
    PanelShell().ClearTriggerStatus();
}

void CProjectPanelHost::ShowRecordCount(int count)
{
    PanelShell().ShowRecordCount(count, System().GetState() == 4);
}

void CProjectPanelHost::ShowElapsedTime(const fw::COleDateTimeSpan& span)
{
    PanelShell().ShowElapsedTime(span, System().GetState() == 4);
}

void CProjectPanelHost::UpdateCfStatus(int unitsMode)
{
    PanelShell().UpdateCfStatus(unitsMode, &System());
}

void CProjectPanelHost::UpdateStartButton()
{
    if (updateStartButton)
        updateStartButton();
}

void CProjectPanelHost::RedrawMonitor()
{
    if (redrawMonitor)
        redrawMonitor();
}

void CProjectPanelHost::RefreshAlarms(bool sound)
{
    if (refreshAlarms)
        refreshAlarms(sound);
}

void CProjectPanelHost::ResetAlarmSound()
{
    PanelShell().ResetAlarmSound();
}

void CProjectPanelHost::PlayAlarmSound()
{
    PanelShell().PlayAlarmSound();
}

void CProjectPanelHost::CancelOpenDialog()
{
    if (cancelDialog)
        cancelDialog();
}

void CProjectPanelHost::ClosePanel()
{
    if (closePanel)
        closePanel();
}

// The one place where a finished record is handed to the transfer dialog.
int CProjectPanelHost::RunTransfer(CBoxArray::FileVectors& lists, int mode, bool deleteAfter)
{
    CCFUpdateDlg dialog;
    dialog.SetDocument(&m_doc);
    dialog.SetFileSelection(&lists);
    dialog.m_nMode = mode;
    dialog.m_nDeleteAfterTransfer = deleteAfter ? 1 : 0;
    return dialog.DoModal() == kTransferAllDone ? fw::IDOK : fw::IDCANCEL;
}

int CProjectPanelHost::AskDataTriggerStart(bool continuousTrigger)
{
    CDtgStartDlg dialog;
    dialog.m_bConditionsMet = continuousTrigger ? 1 : 0;
    const int result = dialog.DoModal();
    return result == fw::IDOK ? 1 : result == CDtgStartDlg::kIdContinuous ? 2 : 0;
}

int CProjectPanelHost::AskComparatorReference()
{
    CDataCompDlg dialog;
    if (dialog.DoModal() != fw::IDOK)
        return -1;
    return dialog.m_nReference;
}

bool CProjectPanelHost::SelectDeleteCardFiles()
{
    return selectDeleteCardFiles ? selectDeleteCardFiles() : false;
}

void CProjectPanelHost::ImportHistogramData(CBoxArray::FileVectors& lists)
{
    m_doc.ImportHistogramData(lists, true);
}

std::vector<int16_t> CProjectPanelHost::ComparatorChannels()
{
    return m_doc.GetComparatorChannels();
}

// Every analysis in use whose input is a measured channel, by its channel's
// place in the system map.
std::vector<std::pair<int16_t, int16_t>> CProjectPanelHost::HistogramChannels()
{
    std::vector<std::pair<int16_t, int16_t>> pairs;
    CBoxArray& system = System();
    const CHistCountArray* analyses = system.GetHistCounts();
    if (!analyses)
        return pairs;
    for (int n = 0; n < analyses->GetSize(); ++n) {
        if (!analyses->GetAt(n))
            continue;
        const int map = system.FindMapIndexOfChannel(n);
        if (map >= 0)
            pairs.emplace_back(static_cast<int16_t>(map), static_cast<int16_t>(n));
    }
    return pairs;
}

int CProjectPanelHost::AskFreeRunStart()
{
    CStartFreerunDlg dialog;
    const int result = dialog.DoModal();
    return result == CStartFreerunDlg::kIdStart ? 2 : result == CStartFreerunDlg::kIdWait ? 1 : 0;
}

bool CProjectPanelHost::CheckIntervalProgram()
{
    return m_doc.CheckIntervalProgram();
}

bool CProjectPanelHost::IsIntervalTableEmpty()
{
    return m_doc.IsIntervalTableEmpty();
}

bool CProjectPanelHost::StartInterval(fw::COleDateTime& time)
{
    return m_doc.StartInterval(time);
}

bool CProjectPanelHost::ScheduleNextInterval(fw::COleDateTime& time)
{
    return m_doc.ScheduleNextInterval(time);
}

bool CProjectPanelHost::StartComparator()
{
    return m_doc.StartComparator();
}

bool CProjectPanelHost::ResetComparator(int mode)
{
    return m_doc.ResetComparator(mode);
}

int CProjectPanelHost::CheckComparatorLimits()
{
    return m_doc.CheckComparatorLimits();
}

bool CProjectPanelHost::AdvanceComparator()
{
    return m_doc.AdvanceComparator();
}

bool CProjectPanelHost::StartCycleTrigger()
{
    return m_doc.StartCycleTrigger();
}

bool CProjectPanelHost::IsCycleTableEmpty()
{
    return m_doc.IsCycleTableEmpty();
}

bool CProjectPanelHost::ResetCycleTrigger(int count)
{
    return m_doc.ResetCycleTrigger(count);
}

int CProjectPanelHost::CheckCycleDue(int& count)
{
    return m_doc.CheckCycleDue(count);
}

bool CProjectPanelHost::AdvanceCycleTrigger(int count)
{
    return m_doc.AdvanceCycleTrigger(count);
}

int CProjectPanelHost::AskCycleCount(int& count)
{
    CCycleCountDlg dialog;
    dialog.m_nCount = count;
    if (dialog.DoModal() != fw::IDOK)
        return -1;
    if (!dialog.m_bInitialize)
        return 0;
    count = dialog.m_nCount;
    return 1;
}
