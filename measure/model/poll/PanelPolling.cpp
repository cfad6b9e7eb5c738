// The polling worker and the poll cycle: one poll per signal, its result
// handled on the interface thread, which releases the next poll at the end
// of the handler. No timer paces the polls; the link does.

#include "measure/model/poll/KeisokuPanel.h"

#include "common/calc/CalcuDataTank.h"
#include "docbase/settings/MoniterPrf.h"
#include "framework/core/Services.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/SequenceSupport.h"
#include "measure/model/poll/MoniSPTankData.h"
#include "measure/model/poll/PanelHost.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr size_t kPollErrorChars = 255;
constexpr int kWritingWaitS = 1500;

void SortUnique(std::vector<int16_t>& v)
{
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
}

} // namespace

// ------------------------------------------------------------ the worker

void CKeisokuPanel::Kick(void (*proc)(const tagWORKERBLOCK&))
{
    if (!m_worker) {
        m_stop.ResetEvent();
        m_done.ResetEvent();
        m_worker = std::make_unique<fw::CWorkerThread>();
        const tagWORKERBLOCK block = m_block;
        m_worker->Start([proc, block] { proc(block); });
    }
    m_idle.SetEvent();
    m_stop.ResetEvent();
    m_done.ResetEvent();
    m_go.SetEvent();
}

void CKeisokuPanel::KickMonitorPoll()
{
    Kick(&MonitorPollProc);
}

void CKeisokuPanel::KickRecordingPoll()
{
    Kick(&RecordingPollProc);
}

void CKeisokuPanel::EndWorker()
{
    if (!m_worker)
        return;
    fw::CWaitCursor cursor;
    m_stop.SetEvent();
    m_go.SetEvent();
    m_done.Lock();
    m_worker->Join();
    m_worker.reset();
    m_go.ResetEvent();
    // A result of a poll that ran before the stop belongs to a state that
    // is over.
    for (uint32_t msg : {WM_MONITOR_POLL_DONE, WM_JOIN_MEASUREMENT, WM_RECORDING_POLL_DONE})
        fw::RemoveMessages(m_hwnd, msg);
}

bool CKeisokuPanel::StopPolling()
{
    if (!m_worker)
        return true;
    EndWorker();
    if (m_monitoring)
        m_host.SendGraphHint(kHintPollStopped);
    m_valuesFetched = false;
    return true;
}

bool CKeisokuPanel::StartPolling()
{
    if (!RebuildPollLists()) {
        m_monitoring = false;
        return false;
    }
    if (m_worker)
        return true;
    try {
        System().FindFirstActiveBox();
    } catch (const std::exception&) {
        // No box in use: the states are still polled.
    }
    if (m_measuring)
        KickRecordingPoll();
    else
        KickMonitorPoll();
    return true;
}

void CKeisokuPanel::ToggleMonitoring()
{
    const bool ran = m_worker != nullptr;
    StopPolling();
    m_monitoring = !m_monitoring;
    if (m_monitoring) {
        if (CMoniSPTankData* set = m_host.MonitorSet())
            set->SetDataCount(0, 0);
    }
    if (ran && !StartPolling())
        AbortPanel();
}

// ------------------------------------------------------------ the lists

void CKeisokuPanel::CollectWatchedChannels(std::vector<int16_t>& out)
{
    CKivSPTankData& tanks = System().GetTankList();
    std::vector<int16_t> deps;
    for (int i = 0; i < tanks.GetSize(); ++i) {
        auto* calc = dynamic_cast<CCalcuDataTank*>(tanks.GetObjectAt(i));
        if (!calc || calc->GetUseCount() <= 0)
            continue;
        out.push_back(static_cast<int16_t>(i));
        deps.clear();
        tanks.CollectDependencies(static_cast<int16_t>(i), deps);
        out.insert(out.end(), deps.begin(), deps.end());
    }
}

void CKeisokuPanel::BuildPollLists()
{
    CBoxArray& sys = System();
    std::vector<int16_t> boxes;
    std::vector<std::pair<int16_t, int16_t>> refs;
    auto addChannel = [&](int ch) {
        if (ch < 0 || ch >= sys.GetMeasuringCount())
            return;
        const int box = sys.GetMapEntry(ch).box;
        if (std::find(boxes.begin(), boxes.end(), box) == boxes.end())
            boxes.push_back(static_cast<int16_t>(box));
    };
    for (int16_t ch : m_watched) {
        if (ch < CBoxArray::kMaxBoxes * CBoxArray::kChannelsPerBox) {
            addChannel(ch);
            continue;
        }
        refs.clear();
        sys.GetTankList().CollectReferencedChannels(ch, refs);
        for (const auto& r : refs)
            addChannel(r.first);
    }
    m_polledBoxes = std::move(boxes);
}

bool CKeisokuPanel::RebuildPollLists()
{
    try {
        // The channels may have been rebuilt since the last poll; the trend
        // follows them, and with them their watchers.
        if (CMoniSPTankData* set = m_host.MonitorSet())
            set->LinkSources(System().GetTankList());
        m_freqChannels.clear();
        if (System().GetSaveMode() != 1)
            m_freqChannels = m_host.HistogramChannels();
        m_watched.clear();
        m_polledBoxes.clear();
        CollectWatchedChannels(m_watched);
        SortUnique(m_watched);
        if (m_comparator) {
            for (int16_t ch : m_host.ComparatorChannels()) {
                m_watched.push_back(ch);
                System().GetTankList().CollectDependencies(ch, m_watched);
            }
            SortUnique(m_watched);
        }
        if (m_alarmWatch) {
            CKivSPTankData& tanks = System().GetTankList();
            const int measuring = System().GetMeasuringCount();
            for (int i = 0; i < tanks.GetSize(); ++i) {
                // The elapsed time and the outputs carry no limits.
                const bool limited = i < measuring || i >= CBoxArray::kFirstCalcChannel;
                if (limited && tanks.GetObjectAt(i) && m_host.HasChannelLimits(i))
                    m_watched.push_back(static_cast<int16_t>(i));
            }
            SortUnique(m_watched);
        }
        BuildPollLists();
    } catch (const std::exception& e) {
        fw::AfxMessageBox(sequence::ErrorText(e));
        return false;
    }
    if (!m_polledBoxes.empty())
        m_host.SendGraphHint(m_measuring ? kHintListsMeasuring : kHintListsIdle);
    else
        m_monitoring = false;
    return true;
}

// ------------------------------------------------------------ worker side

void CKeisokuPanel::SetPollError(const char* text)
{
    std::lock_guard lock(m_errorMutex);
    m_pollError = text ? text : "";
    if (m_pollError.size() > kPollErrorChars)
        m_pollError.resize(kPollErrorChars);
}

std::string CKeisokuPanel::GetPollError() const
{
    std::lock_guard lock(m_errorMutex);
    return m_pollError;
}

void CKeisokuPanel::CopyStates()
{
    CBoxArray& sys = System();
    sys.CollectBoxStates();
    m_unitsState = sys.GetState();
    m_unitsMode = sys.GetCardMode();
    m_freqState = sys.CheckMeters();
    m_statusWord = sys.GetProgramValue();
    m_filesChanged = sys.HasNewFiles();
}

bool CKeisokuPanel::MonitorPoll()
{
    try {
        CopyStates();
        // A state change seen while a modal dialog is up is posted by a
        // later poll instead.
        if (fw::ModalDepth() == 0) {
            const int status = m_statusWord;
            if (status == kStatusProgram) {
                if (m_program == 0 || m_unitsState == kStateRecording)
                    fw::PostMessage(m_hwnd, WM_PROGRAM_RUNS, 0, 0);
            } else {
                if (m_program == 1)
                    fw::PostMessage(m_hwnd, WM_PROGRAM_ENDED, 0, 0);
                if (m_unitsState == kStateRecording) {
                    if (status == kStatusFreeRun || m_freeRun == 1) {
                        fw::PostMessage(m_hwnd, WM_FREE_RUN_SEEN, 0, 0);
                    } else {
                        if (status == kStatusDataTrigger && !m_dataTrigger)
                            m_dataTrigger = true;
                        fw::PostMessage(m_hwnd, WM_JOIN_MEASUREMENT, 0, 0);
                    }
                }
            }
        }
        if (m_monitoring) {
            System().ReadCurrentValues(m_polledBoxes);
            if (CMoniSPTankData* set = m_host.MonitorSet())
                set->StampTime();
            m_valuesFetched = true;
        } else {
            m_valuesFetched = false;
        }
        if (m_freqPolling)
            System().ReadHistCountList(m_freqChannels);
        return true;
    } catch (const std::exception& e) {
        m_valuesFetched = false;
        SetPollError(sequence::ErrorText(e).c_str());
        return false;
    }
}

bool CKeisokuPanel::RecordingPoll()
{
    try {
        CBoxArray& sys = System();
        CopyStates();
        if (m_freqPolling)
            sys.ReadHistCountList(m_freqChannels);
        if (sys.GetADSet().UsesExternalClock() && sys.GetSaveMode() != 2)
            sys.ReadEndOfMeasure(false);
        else
            sys.ReadElapsedTime();
        if (!m_polledBoxes.empty()) {
            sys.ReadCurrentValues(m_polledBoxes);
            if (CMoniSPTankData* set = m_host.MonitorSet())
                set->StampTime();
        }
        return true;
    } catch (const std::exception& e) {
        SetPollError(sequence::ErrorText(e).c_str());
        return false;
    }
}

// ------------------------------------------------------------ handlers

bool CKeisokuPanel::AskContinue(const std::string& text)
{
    return System().AskContinue(text.c_str(), nullptr);
}

bool CKeisokuPanel::HandleValues()
{
    CBoxArray& sys = System();
    SetPollError("");
    try {
        sys.StoreCurrentValues(m_polledBoxes);
        sys.GetTankList().ApplyToChannels(m_watched);
        if (CMoniSPTankData* set = m_host.MonitorSet())
            set->StoreValues(sys.GetTankList(), m_watched);
        UpdatePeakValues();
    } catch (const std::exception& e) {
        // A full disk under the trend's cache files and the like: asked
        // like a link error, never escaping the handler.
        SetPollError(sequence::ErrorText(e).c_str());
    }
    try {
        m_host.ResetAlarmSound();
        if (m_alarmWatch)
            m_host.RefreshAlarms(true);
        m_host.PlayAlarmSound();
    } catch (const std::exception& e) {
        SetPollError(sequence::ErrorText(e).c_str());
    }
    const std::string error = GetPollError();
    if (!error.empty() && !AskContinue(error))
        return false;
    m_host.RedrawMonitor();
    return true;
}

void CKeisokuPanel::OnMonitorPollDone(bool ok)
{
    if (m_closed)
        return;
    CBoxArray& sys = System();
    if (!ok && !AskContinue(GetPollError())) {
        ClearTriggerModes();
        AbortPanel();
        return;
    }
    if (m_valuesFetched) {
        if (!HandleValues()) {
            ClearTriggerModes();
            AbortPanel();
            return;
        }
        m_host.SendGraphHint(kHintValues);
    }
    m_host.UpdateCfStatus(m_unitsMode);
    if (m_statusWord == kStatusDataTrigger && !m_dataTrigger) {
        m_dataTrigger = true;
        m_host.ShowWaitingText(true);
        if (m_host.MonitorSettings().m_bPeakTrgRes)
            ResetPeaks();
    }
    const bool leftUnitMemory = sys.GetChangeFlag() == 2;
    if (m_filesChanged || leftUnitMemory) {
        if (!sys.ReadFileLists(leftUnitMemory, true)) {
            ClearTriggerModes();
            AbortPanel();
            return;
        }
        if (leftUnitMemory)
            sys.SelectLatestFiles(3);
        if (m_filesChanged && sys.HaveCurrentFiles()) {
            // The record's file is complete once the units leave "writing";
            // the wait is bounded like the halt wait.
            const time_t t0 = fw::Clock().Now();
            while (m_unitsState == kStateWriting && fw::Clock().Now() - t0 <= kWritingWaitS) {
                if (!RefreshStates())
                    break;
                if (m_unitsState == kStateWriting)
                    fw::WaitPump(CBoxArray::kWaitPauseMs);
            }
            FetchRecordedData(m_dataTrigger ? kStartDataTrigger : kStartJoin);
            if (m_closed || m_aborted)
                return;
        }
    }
    if (!FollowFrequencyState())
        return;
    if (m_unitsState > kStateWaiting) {
        if (m_worker)
            KickMonitorPoll();
        return;
    }
    bool started = false;
    if (!IntervalStep(started))
        return;
    if (!CycleStep(started))
        return;
    if (!ComparatorStep(started))
        return;
    if (!started) {
        if (m_worker)
            KickMonitorPoll();
        return;
    }
    if (!StartPolling())
        AbortPanel();
}

void CKeisokuPanel::FailureEnd()
{
    m_dataTrigger = false;
    m_repeat = false;
    m_freeRun = 0;
    m_program = 0;
    m_host.UpdateStartButton();
    AbortPanel();
}

void CKeisokuPanel::OnRecordingPollDone(bool ok)
{
    if (m_closed)
        return;
    CBoxArray& sys = System();
    if (!ok) {
        if (!AskContinue(GetPollError())) {
            AbortPanel();
            return;
        }
        ok = true;
    }
    if (!m_polledBoxes.empty()) {
        if (!HandleValues()) {
            FailureEnd();
            return;
        }
        m_host.SendGraphHint(kHintValues);
    } else if (m_freqPolling) {
        m_host.SendGraphHint(kHintValues);
    }
    if (sys.GetADSet().UsesExternalClock())
        m_host.ShowRecordCount(sys.GetPollChannelCount() + 1);
    else
        m_host.ShowElapsedTime(fw::COleDateTime::GetCurrentTime() - m_startTime);
    if (!FollowFrequencyState())
        return;
    m_host.UpdateCfStatus(m_unitsMode);
    const int state = m_unitsState;
    const bool ownRecords = m_freeRun == 2 || m_program == 1;
    const bool recording = state >= kStateWaiting && state <= 5;
    const bool rearmed = m_dataTrigger && m_statusWord == kStatusRearmed && state == kStateWaiting;
    if (recording && m_worker && ok && !(ownRecords && m_filesChanged) && !rearmed) {
        KickRecordingPoll();
        return;
    }
    EndRecord();
    if (m_closed || m_aborted)
        return;
    if (!StartPolling())
        AbortPanel();
}

bool CKeisokuPanel::RefreshStates()
{
    for (;;) {
        try {
            CopyStates();
            return true;
        } catch (const std::exception& e) {
            if (!AskContinue(sequence::ErrorText(e).str()))
                return false;
        }
    }
}

void CKeisokuPanel::UpdatePeakValues()
{
    const CMoniterPrf& prf = m_host.MonitorSettings();
    if (!prf.m_bPeakMoni)
        return;
    CKivSPTankData& tanks = System().GetTankList();
    if (!prf.m_bPeakRes) {
        tanks.UpdatePeaks(m_watched, false);
        return;
    }
    const fw::COleDateTime now = fw::COleDateTime::GetCurrentTime();
    const bool due = m_lastPeakReset.GetStatus() != fw::COleDateTime::valid ||
                     std::lround((now - m_lastPeakReset).GetTotalSeconds()) >= prf.m_nPeakResTime;
    if (due) {
        tanks.UpdatePeaks(m_watched, true);
        m_lastPeakReset = now;
    } else {
        tanks.UpdatePeaks(m_watched, false);
    }
}
