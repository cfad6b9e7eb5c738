// The automatic modes: the three the units run by themselves (data
// trigger, free run, program measurement), which the panel only follows,
// and the two the panel drives at each poll (interval, data comparator).

#include "measure/model/poll/KeisokuPanel.h"

#include "docbase/settings/MoniterPrf.h"
#include "framework/core/Services.h"
#include "measure/model/poll/PanelHost.h"

namespace {

constexpr int kFreqRunning1 = 3, kFreqRunning2 = 5;
constexpr unsigned kMsgProgramFarAhead = 717;
constexpr double kFarAheadDays = 180;
constexpr int kSettingMonth = 111, kSettingDay = 112, kSettingHour = 113, kSettingMinute = 114;

bool AskYes(unsigned id)
{
    return fw::AfxMessageBox(id, fw::MB_YESNO | fw::MB_DEFBUTTON2) == fw::IDYES;
}

} // namespace

void CKeisokuPanel::RebuildAndKick()
{
    if (!RebuildPollLists())
        m_monitoring = false;
    if (m_measuring)
        KickRecordingPoll();
    else
        KickMonitorPoll();
}

// ------------------------------------------------------------ data trigger

void CKeisokuPanel::OnDataTrigger()
{
    if (m_dataTrigger) {
        if (AskYes(kMsgEndDataTrigger))
            EndDataTrigger();
        return;
    }
    StartDataTrigger();
}

void CKeisokuPanel::StartDataTrigger()
{
    StopPolling();
    const int answer = m_host.AskDataTriggerStart(m_continuousTrigger);
    if (answer != 0) {
        m_repeat = answer == 2;
        fw::CWaitCursor cursor;
        m_dataTrigger = true;
        if (!SendTriggerMode() || !System().SendDtg()) {
            m_dataTrigger = false;
            AbortPanel();
            return;
        }
        m_host.ShowWaitingText(true);
        if (m_host.MonitorSettings().m_bPeakTrgRes)
            ResetPeaks();
    }
    RebuildAndKick();
}

bool CKeisokuPanel::RearmDataTrigger(bool sendAgain)
{
    if (sendAgain && (!SendTriggerMode() || !System().SendDtg()))
        return false;
    m_host.ShowWaitingText(true);
    if (m_host.MonitorSettings().m_bPeakTrgRes)
        ResetPeaks();
    return true;
}

void CKeisokuPanel::EndDataTrigger()
{
    ClearMeasureStatus();
    m_dataTrigger = false;
    fw::CWaitCursor cursor;
    StopPolling();
    (void)System().HaltAndFinish();
    m_unitsState = System().GetState();
    m_repeat = false;
    RebuildAndKick();
}

// ------------------------------------------------------------ interval

void CKeisokuPanel::OnInterval()
{
    if (m_interval) {
        if (AskYes(kMsgEndInterval))
            m_interval = false;
        return;
    }
    if (!m_host.CheckIntervalProgram())
        return;
    const bool ran = m_worker != nullptr;
    StopPolling();
    fw::COleDateTime reference;
    if (m_host.IsIntervalTableEmpty()) {
        if (!StartMeasurement(kStartInterval)) {
            AbortPanel();
            return;
        }
        reference = m_startTime;
    } else {
        reference = fw::COleDateTime::GetCurrentTime();
    }
    m_nextInterval = reference;
    if (m_host.StartInterval(m_nextInterval))
        m_interval = true;
    if (ran && !m_worker && !StartPolling())
        AbortPanel();
}

bool CKeisokuPanel::IntervalStep(bool& started)
{
    if (m_measuring || !m_interval)
        return true;
    const fw::CString due = m_nextInterval.Format("%Y%m%d%H%M%S");
    const fw::CString now = fw::COleDateTime::GetCurrentTime().Format("%Y%m%d%H%M%S");
    if (due.str() > now.str())
        return true;
    StopPolling();
    if (!StartMeasurement(kStartInterval)) {
        m_interval = false;
        AbortPanel();
        return false;
    }
    if (!m_host.ScheduleNextInterval(m_nextInterval))
        m_interval = false;
    started = true;
    return true;
}

// ------------------------------------------------------------ comparator

void CKeisokuPanel::OnDataComparator()
{
    const bool ran = m_worker != nullptr;
    if (m_comparator) {
        if (!AskYes(kMsgEndComparator))
            return;
        m_comparator = false;
        m_host.EnableComparator(false);
        StopPolling();
        if (ran && !StartPolling())
            AbortPanel();
        return;
    }
    if (!m_host.StartComparator())
        return;
    const int reference = m_host.AskComparatorReference();
    if (reference < 0 || m_aborted)
        return;
    StopPolling();
    if (reference == 0) {
        const bool monitoring = m_monitoring;
        m_monitoring = true;
        RebuildPollLists();
        m_monitoring = true;
        const bool ok = MonitorPoll();
        m_monitoring = monitoring;
        if (!ok) {
            fw::AfxMessageBox(fw::CString(GetPollError().c_str()));
            AbortPanel();
            return;
        }
        HandleValues();
    }
    if (m_host.ResetComparator(reference)) {
        m_comparator = true;
        m_host.EnableComparator(true);
    } else {
        m_comparator = false;
    }
    if (!m_monitoring)
        ToggleMonitoring();
    if (ran && !StartPolling())
        AbortPanel();
}

bool CKeisokuPanel::ComparatorStep(bool& started)
{
    if (m_comparatorReenable) {
        m_host.EnableComparator(m_comparator);
        m_comparatorReenable = false;
    }
    if (m_measuring || !m_comparator || started)
        return true;
    switch (m_host.CheckComparatorLimits()) {
    case 0:
        m_comparator = false;
        m_host.EnableComparator(false);
        StopPolling();
        // Polling starts again in the handler, as after a start.
        started = true;
        return true;
    case 1:
        StopPolling();
        if (!StartMeasurement(kStartComparator)) {
            m_comparator = false;
            AbortPanel();
            return false;
        }
        if (!m_host.AdvanceComparator())
            m_comparator = false;
        m_comparatorReenable = true;
        started = true;
        return true;
    default:
        return true;
    }
}

// ------------------------------------------------------------ free run

void CKeisokuPanel::OnFreeRun()
{
    const bool ran = m_worker != nullptr;
    StopPolling();
    if (m_freeRun == 0) {
        const int answer = m_host.AskFreeRunStart();
        if (answer != 0) {
            m_freeRun = answer;
            fw::CWaitCursor cursor;
            if (!SendTriggerMode() || !FreeRunStep()) {
                AbortPanel();
                return;
            }
        }
    } else if (AskYes(kMsgEndFreeRun)) {
        if (!EndFreeRun()) {
            AbortPanel();
            return;
        }
    }
    if (ran && !m_worker)
        (void)StartPolling();
}

bool CKeisokuPanel::FreeRunStep()
{
    if (m_freeRun == 2) {
        if (!StartMeasurement(kStartFreeRun)) {
            m_freeRun = 0;
            return false;
        }
        m_repeat = true;
        return true;
    }
    if (m_freeRun == 1) {
        m_cardRecording = true;
        fw::COleDateTime none;
        none.SetStatus(fw::COleDateTime::null);
        m_host.UpdateTriggerStatus(none, 0, 2);
        m_host.ShowWaitingText(true);
    }
    return true;
}

void CKeisokuPanel::OnFreeRunDetected()
{
    m_freeRun = 2;
    if (!StartMeasurement(kStartFreeRun)) {
        AbortPanel();
        return;
    }
    m_repeat = true;
}

bool CKeisokuPanel::EndFreeRun()
{
    ClearMeasureStatus();
    {
        fw::CWaitCursor cursor;
        if (EndMeasurement(kEndHalt) < 0)
            return false;
    }
    m_repeat = false;
    FetchRecordedData(kStartFreeRun);
    m_freeRun = 0;
    m_repeat = false;
    return true;
}

// ------------------------------------------------------------ program

void CKeisokuPanel::OnProgramMeasure()
{
    const bool ran = m_worker != nullptr;
    StopPolling();
    if (m_program == 0) {
        CBoxArray& sys = System();
        bool go = true;
        const int month = static_cast<int>(sys.GetChannelValue(0, kSettingMonth));
        if (month != -1) {
            const fw::COleDateTime now = fw::COleDateTime::GetCurrentTime();
            int year = now.GetYear();
            for (int tries = 0; tries < 2; ++tries, ++year) {
                fw::COleDateTime start(year, month, static_cast<int>(sys.GetChannelValue(0, kSettingDay)),
                                       static_cast<int>(sys.GetChannelValue(0, kSettingHour)),
                                       static_cast<int>(sys.GetChannelValue(0, kSettingMinute)), 0);
                if (start.GetStatus() == fw::COleDateTime::valid && start < now)
                    continue;
                if ((start - now).GetTotalDays() > kFarAheadDays)
                    go = AskYes(kMsgProgramFarAhead);
                break;
            }
        }
        if (go) {
            fw::CWaitCursor cursor;
            if (!ProgramStep()) {
                AbortPanel();
                return;
            }
        }
    } else if (AskYes(kMsgEndProgram)) {
        if (!EndProgram()) {
            AbortPanel();
            return;
        }
    }
    if (ran && !m_worker)
        (void)StartPolling();
}

bool CKeisokuPanel::ProgramStep()
{
    if (m_program == 0 && !System().StartProgramMeasurement())
        return false;
    if (!RefreshStates())
        return false;
    if (m_statusWord != kStatusProgram)
        return true;
    m_program = 1;
    if (m_unitsState != kStateRecording && m_freqState != kFreqRunning1 && m_freqState != kFreqRunning2) {
        m_cardRecording = true;
        m_host.UpdateStartButton();
        fw::COleDateTime none;
        none.SetStatus(fw::COleDateTime::null);
        m_host.UpdateTriggerStatus(none, 0, 3);
        m_host.ShowWaitingText(true);
        return true;
    }
    if (!StartMeasurement(kStartProgram)) {
        m_program = 0;
        return false;
    }
    return true;
}

void CKeisokuPanel::OnProgramRuns()
{
    const bool ran = m_worker != nullptr;
    StopPolling();
    m_program = 1;
    if (!ProgramStep()) {
        AbortPanel();
        return;
    }
    if (ran && !m_worker && !StartPolling())
        AbortPanel();
}

void CKeisokuPanel::OnProgramEnded()
{
    const bool ran = m_worker != nullptr;
    StopPolling();
    if (!EndProgram()) {
        AbortPanel();
        return;
    }
    if (ran && !m_worker && !StartPolling())
        AbortPanel();
}

bool CKeisokuPanel::EndProgram()
{
    ClearMeasureStatus();
    {
        fw::CWaitCursor cursor;
        if (EndMeasurement(kEndHalt) < 0)
            return false;
    }
    m_repeat = false;
    if (System().GetSaveMode() != 2) {
        FetchRecordedData(kStartProgram);
        m_repeat = false;
    }
    if (System().GetSaveMode() != 1 && !FetchFrequencyData()) {
        ClearTriggerModes();
        return false;
    }
    m_program = 0;
    m_host.UpdateStartButton();
    return true;
}
