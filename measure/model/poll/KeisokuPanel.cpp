#include "measure/model/poll/KeisokuPanel.h"

#include "docbase/settings/MoniterPrf.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/SequenceSupport.h"
#include "measure/model/poll/PanelHost.h"

namespace {

constexpr unsigned kIdsWaveAndFreq = 647, kIdsWave = 645, kIdsFreq = 646, kIdsStop = 443, kIdsStart = 442;

} // namespace

CKeisokuPanel::CKeisokuPanel(IPanelHost& host) : m_host(host)
{
    m_hwnd = fw::RegisterWindow(this);
    m_block.object = this;
    m_block.window = m_hwnd;
    m_block.go = &m_go;
    m_block.idle = &m_idle;
    m_block.stop = &m_stop;
    m_block.done = &m_done;
    m_lastPeakReset.SetStatus(fw::COleDateTime::null);
}

CKeisokuPanel::~CKeisokuPanel()
{
    EndWorker();
    fw::UnregisterWindow(m_hwnd);
}

CBoxArray& CKeisokuPanel::System()
{
    return m_host.System();
}

bool CKeisokuPanel::InitPanelState()
{
    m_alarmWatch = false;
    m_dataTrigger = false;
    m_freeRun = 0;
    m_repeat = false;
    m_cardRecording = false;
    m_interval = false;
    m_comparator = false;
    m_cycleTrigger = false;
    m_measuring = false;
    m_cycleCount = -1;
    m_lastStartKind = 0;
    CBoxArray& sys = System();
    m_speedClass = sys.GetMaxUnitValue();
    bool ok = RefreshStates();
    // What the cards already hold counts as fetched.
    if (ok && m_unitsMode != kModeUnitMemory) {
        ok = sys.ReadFileLists(true, true);
        if (ok)
            sys.SelectLatestFiles(1);
    }
    if (ok) {
        m_continuousTrigger = m_unitsMode != kModeUnitMemory;
        for (int16_t b : sys.GetBoxesInUse()) {
            if (sys.GetBox(b)->GetMeter()->GetFirmwareVersion() <= kContinuousFirmware)
                m_continuousTrigger = false;
        }
        m_lastPeakReset.SetStatus(fw::COleDateTime::null);
        m_freqPolling = false;
        if (m_statusWord == kStatusProgram) {
            m_program = 1;
            ok = ProgramStep();
        } else {
            m_program = 0;
            m_repeat = false;
            const int state = m_unitsState;
            if (state == kStateWaiting || state == kStateRecording) {
                if (sys.GetSaveMode() == 2) {
                    ok = StartMeasurement(kStartJoin);
                    if (ok)
                        m_freqPolling = true;
                } else {
                    char letter = 'S';
                    for (;;) {
                        try {
                            letter = sys.GetBox(sys.GetBoxesInUse().front())->GetMeter()->QueryCardMode();
                            break;
                        } catch (const std::exception& e) {
                            if (!AskContinue(sequence::ErrorText(e).str())) {
                                ok = false;
                                break;
                            }
                        }
                    }
                    if (ok && letter != 'F') {
                        m_dataTrigger = true;
                        m_repeat = letter == 'C';
                        m_host.ShowWaitingText(true);
                        if (m_host.MonitorSettings().m_bPeakTrgRes)
                            ResetPeaks();
                    } else if (ok) {
                        m_freeRun = 2;
                        ok = FreeRunStep();
                    }
                }
            } else {
                ok = SendTriggerMode();
            }
        }
    }
    if (ok) {
        m_host.UpdateStartButton();
        m_storageUnit = false;
        for (int16_t b : sys.GetBoxesInUse()) {
            if (sys.HasCanUnit(b))
                m_storageUnit = true;
        }
        if (StartPolling())
            return true;
        m_monitoring = false;
    }
    AbortPanel();
    return false;
}

bool CKeisokuPanel::IsTriggerMeasuring() const
{
    return m_dataTrigger || m_freeRun != 0 || m_program == 1;
}

bool CKeisokuPanel::IsAutoMeasuring() const
{
    return m_comparator || m_interval || m_dataTrigger || m_cycleTrigger || m_freeRun == 2 || m_program == 1;
}

bool CKeisokuPanel::CanStart()
{
    if (!m_host.CanAddStep())
        return false;
    const int mode = m_unitsMode;
    if (System().GetSaveMode() == 1)
        return mode != kModeCardLow && mode != kModeCardFull;
    return mode == kModeCardReady;
}

void CKeisokuPanel::ResetPeaks()
{
    if (!m_host.MonitorSettings().m_bPeakMoni)
        return;
    System().GetTankList().UpdatePeaks(m_watched, true);
    m_lastPeakReset = fw::COleDateTime::GetCurrentTime();
}

fw::CString CKeisokuPanel::StartButtonText() const
{
    const int mode = const_cast<CKeisokuPanel*>(this)->System().GetSaveMode();
    const unsigned prefix = mode == 0 ? kIdsWaveAndFreq : mode == 1 ? kIdsWave : kIdsFreq;
    fw::CString text = fw::LoadStringText(prefix);
    text += fw::LoadStringText(m_measuring || m_program != 0 ? kIdsStop : kIdsStart);
    return text;
}

void CKeisokuPanel::AbortPanel()
{
    if (m_closed)
        return;
    m_measuring = false;
    m_dataTrigger = false;
    m_interval = false;
    m_comparator = false;
    m_cycleTrigger = false;
    m_freeRun = 0;
    m_freqPolling = false;
    m_monitoring = false;
    m_cycleCount = -1;
    m_aborted = true;
    m_host.CancelOpenDialog();
    m_host.ClosePanel();
}

bool CKeisokuPanel::Close()
{
    if (!m_aborted && (m_measuring || IsAutoMeasuring()) && !m_host.ConfirmStopMeasurement())
        return false;
    StopPolling();
    m_host.ResetAlarmSound();
    System().CloseMeters();
    m_closed = true;
    return true;
}

intptr_t CKeisokuPanel::OnMessage(uint32_t message, uintptr_t wParam, intptr_t)
{
    if (m_closed)
        return 0;
    switch (message) {
    case WM_MONITOR_POLL_DONE:
        OnMonitorPollDone(wParam != 0);
        break;
    case WM_RECORDING_POLL_DONE:
        OnRecordingPollDone(wParam != 0);
        break;
    case WM_JOIN_MEASUREMENT:
        OnJoinMeasurement();
        break;
    case WM_FREE_RUN_SEEN:
        OnFreeRunDetected();
        break;
    case WM_PROGRAM_RUNS:
        OnProgramRuns();
        break;
    case WM_PROGRAM_ENDED:
        OnProgramEnded();
        break;
    default:
        break;
    }
    return 0;
}
