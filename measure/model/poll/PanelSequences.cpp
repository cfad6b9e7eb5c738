// Starting, ending and retrieving a measurement, and what follows a record.

#include "measure/model/poll/KeisokuPanel.h"

#include "docbase/settings/MoniterPrf.h"
#include "framework/core/Services.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "instrument/system/BoxPropaty.h"
#include "measure/model/poll/MoniSPTankData.h"
#include "measure/model/poll/PanelHost.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr int kFreqRunning1 = 3, kFreqRunning2 = 5;
constexpr int kTransferUnitMemory = 0, kTransferCard = 1;
constexpr int kStateCardStop = 10;

bool CardNoRoom(int mode)
{
    return mode == CKeisokuPanel::kModeCardLow || mode == CKeisokuPanel::kModeCardFull;
}

} // namespace

bool CKeisokuPanel::HasNewCardFiles()
{
    CBoxArray& sys = System();
    for (int16_t b : sys.GetBoxesInUse()) {
        CBoxPropaty* box = sys.GetBox(b);
        const CKiv406FileInfo& current = box->CurrentFile(CBoxPropaty::kWaveList);
        for (const CKiv406FileInfo& entry : box->FileList(CBoxPropaty::kWaveList)) {
            if (current < entry)
                return true;
        }
    }
    return false;
}

void CKeisokuPanel::TakeStartTime(bool dataTrigger)
{
    CBoxArray& sys = System();
    m_startTime = sys.GetStartTime();
    // The units report when the trigger came; a data-trigger record began
    // the pre-trigger time earlier.
    if (dataTrigger && m_startTime.GetStatus() == fw::COleDateTime::valid) {
        const CADSetPrf& ad = sys.GetADSet();
        const double ms = static_cast<double>(ad.m_nPreNum) * ad.m_dClk;
        m_startTime -= fw::COleDateTimeSpan(ms / 86400000.0);
    }
}

void CKeisokuPanel::ShowTriggerStatusForStart(int kind)
{
    CADSetPrf& ad = System().GetADSet();
    const double days = ad.GetMeasureHours() / 24.0;
    if (m_statusWord == kStatusProgram)
        m_host.UpdateTriggerStatus(m_startTime, 0, 3);
    else if (System().GetSaveMode() == 2)
        m_host.UpdateTriggerStatus(m_startTime, kind == kStartButton ? days : 0, 8);
    else
        m_host.UpdateTriggerStatus(m_startTime, ad.UsesExternalClock() ? 0 : days, kind);
}

bool CKeisokuPanel::StartMeasurement(int kind)
{
    CBoxArray& sys = System();
    const bool ran = m_worker != nullptr;
    StopPolling();
    if (!m_cycleTrigger)
        m_cycleCount = -1;
    m_measuring = false;
    switch (kind) {
    case kStartDataTrigger:
    case kStartJoin:
        if (!sys.WaitTriggerAndReadStart(false, true))
            return false;
        TakeStartTime(m_dataTrigger);
        m_measuring = true;
        break;
    case kStartFreeRun:
        if (m_unitsState == kStateStandby ? !sys.StartAndWait() : !sys.WaitTriggerAndReadStart(false, true))
            return false;
        TakeStartTime(false);
        m_measuring = true;
        break;
    case kStartProgram:
        if (m_unitsState == kStateRecording) {
            m_measuring = true;
            m_repeat = true;
        }
        if (m_freqState == kFreqRunning1 || m_freqState == kFreqRunning2)
            m_freqPolling = true;
        if (m_measuring || m_freqPolling) {
            if (!sys.WaitTriggerAndReadStart(false, true))
                return false;
            TakeStartTime(false);
        }
        break;
    default:
        if (IsTriggerMeasuring() && !sys.HaltAndFinish())
            return false;
        if (!sys.StartAndWait())
            return false;
        TakeStartTime(false);
        m_measuring = true;
        if (!RefreshStates())
            return false;
        break;
    }
    m_cardRecording = m_unitsMode != kModeUnitMemory;
    if (m_host.MonitorSettings().m_bPeakTrgRes)
        ResetPeaks();
    ShowTriggerStatusForStart(kind);
    m_host.UpdateStartButton();
    if (CMoniSPTankData* set = m_host.MonitorSet())
        set->SetDataCount(0, false);
    {
        fw::CWaitCursor cursor;
        sys.SetDataCount(-1, false);
        m_host.SendGraphHint(kHintStarted);
    }
    m_lastStartKind = kind;
    if (ran)
        return StartPolling();
    return true;
}

int CKeisokuPanel::EndMeasurement(int endKind)
{
    fw::CWaitCursor cursor;
    CBoxArray& sys = System();
    EndWorker();
    int result = 0;
    if (endKind == kEndOneRecord) {
        m_host.SendGraphHint(kHintListsIdle);
        result = sys.FinishRecording(m_cardRecording);
        if (result == 0 && m_cardRecording && HasNewCardFiles())
            result = 1;
        if (m_unitsState == kStateCardStop || m_unitsMode == kModeCardLow) {
            m_host.ShowWaitingText(false);
        } else {
            CADSetPrf& ad = sys.GetADSet();
            m_host.UpdateTriggerStatus(m_startTime, ad.UsesExternalClock() ? 0 : ad.GetMeasureHours() / 24.0,
                                       m_lastStartKind);
        }
        return result;
    }
    m_host.SendGraphHint(kHintEnded);
    m_measuring = false;
    m_host.UpdateStartButton();
    ClearMeasureStatus();
    if (endKind == kEndComplete) {
        result = sys.FinishRecording(m_cardRecording);
    } else {
        result = sys.StopMeasurement(m_cardRecording);
        m_unitsState = sys.GetState();
        m_statusWord = sys.GetProgramValue();
    }
    // The current entry is the last file fetched; a record on a card that
    // held none, or whose last fetched file was deleted, is still there to
    // fetch.
    if (result == 0 && m_cardRecording && HasNewCardFiles())
        result = 1;
    return result;
}

void CKeisokuPanel::EndRecord()
{
    CBoxArray& sys = System();
    int endKind = CardNoRoom(m_unitsMode) ? kEndHalt : kEndComplete;
    if (m_freeRun == 2 || m_program == 1) {
        if (!sys.WaitTriggerAndReadStart(false, true)) {
            FailureEnd();
            return;
        }
        TakeStartTime(false);
        if (m_unitsState == kStateStandby) {
            m_repeat = false;
            endKind = kEndComplete;
        } else if (endKind == kEndComplete) {
            endKind = kEndOneRecord;
        }
    }
    const int result = EndMeasurement(endKind);
    if (result < 0) {
        FailureEnd();
        return;
    }
    if (result > 0)
        FetchRecordedData(m_lastStartKind);
    else
        ContinueAfterMeasurement();
}

void CKeisokuPanel::OnStart()
{
    const bool ran = m_worker != nullptr;
    StopPolling();
    if (m_measuring || m_program != 0) {
        if (m_program == 1) {
            OnProgramMeasure();
        } else if (m_freeRun == 2) {
            OnFreeRun();
        } else {
            const int result = EndMeasurement(kEndHalt);
            if (result < 0) {
                AbortPanel();
                return;
            }
            if (result > 0) {
                ConfirmEndAutoModes();
                FetchRecordedData(m_lastStartKind);
            } else {
                ContinueAfterMeasurement();
            }
        }
    } else {
        bool ok = false;
        if (m_freeRun == 1) {
            m_freeRun = 2;
            ok = FreeRunStep();
        } else {
            ok = StartMeasurement(kStartButton);
        }
        if (!ok) {
            AbortPanel();
            return;
        }
    }
    if (m_closed || m_aborted)
        return;
    if (ran && !StartPolling())
        AbortPanel();
}

void CKeisokuPanel::OnJoinMeasurement()
{
    if (!StartMeasurement(m_dataTrigger ? kStartDataTrigger : kStartJoin))
        AbortPanel();
}

bool CKeisokuPanel::SendTriggerMode()
{
    const char letter = m_freeRun != 0 ? 'F' : (m_continuousTrigger && m_repeat) ? 'C' : 'S';
    if (m_unitsState != kStateStandby)
        return true;
    if (m_unitsMode == kModeUnitMemory && letter != 'S')
        return true;
    return System().SendCfm(letter);
}

bool CKeisokuPanel::WaitCardReady()
{
    const int64_t t0 = fw::Clock().SteadyMs();
    for (;;) {
        if (!RefreshStates())
            return false;
        if (!CardNoRoom(m_unitsMode))
            return true;
        if (std::lround((fw::Clock().SteadyMs() - t0) / 1000.0) > kCardWaitS)
            return true;
        fw::WaitPump(CBoxArray::kWaitPauseMs);
    }
}

void CKeisokuPanel::ConfirmEndAutoModes()
{
    if (!(m_comparator || m_interval || m_cycleTrigger || m_repeat))
        return;
    if (fw::AfxMessageBox(kMsgEndAutoModes, fw::MB_YESNO | fw::MB_DEFBUTTON2) == fw::IDYES) {
        m_interval = false;
        m_comparator = false;
        m_cycleTrigger = false;
        m_repeat = false;
    }
}

void CKeisokuPanel::ClearMeasureStatus()
{
    m_host.ClearTriggerStatus();
    m_host.ShowWaitingText(false);
}

void CKeisokuPanel::ClearTriggerModes()
{
    m_dataTrigger = false;
    m_freeRun = 0;
    m_repeat = false;
    m_program = 0;
    m_host.UpdateStartButton();
}

void CKeisokuPanel::FetchRecordedData(int kind)
{
    CBoxArray& sys = System();
    std::vector<std::unique_ptr<std::vector<CKiv406FileInfo>>> owned;
    CBoxArray::FileVectors lists;
    bool cardFailed = false;
    {
        fw::CWaitCursor cursor;
        for (int b = 0; b < sys.GetBoxCount(); ++b) {
            const bool inUse = std::find(sys.GetBoxesInUse().begin(), sys.GetBoxesInUse().end(), b) !=
                               sys.GetBoxesInUse().end();
            owned.push_back(inUse ? std::make_unique<std::vector<CKiv406FileInfo>>() : nullptr);
            lists.push_back(owned.back().get());
        }
        if (m_cardRecording) {
            // The record's files are the first ones after the last fetched.
            if (HasNewCardFiles()) {
                for (int16_t b : sys.GetBoxesInUse())
                    sys.GetBox(b)->AdvanceCurrentFiles(1);
                sys.GatherFileLists(lists);
            }
            for (auto* list : lists) {
                if (!list)
                    continue;
                for (CKiv406FileInfo& entry : *list) {
                    if (entry.m_triggerType == CKiv406FileInfo::triggerUnknown)
                        entry.m_triggerType = kind;
                }
            }
        } else {
            CADSetPrf& ad = sys.GetADSet();
            for (auto* list : lists) {
                if (!list)
                    continue;
                CKiv406FileInfo info;
                info.m_sampleCount = sys.GetTankList().GetDataCount();
                info.m_firstSampleTime = m_startTime;
                info.m_interval = ad.m_dClk;
                info.m_triggerType = kind;
                info.m_clockKind = ad.UsesExternalClock() ? CKiv406FileInfo::clockSamples : CKiv406FileInfo::clockInterval;
                list->push_back(info);
            }
        }
        int result = fw::IDOK;
        bool ran = false;
        std::vector<CKiv406FileInfo>* first = nullptr;
        for (auto* list : lists) {
            if (list) {
                first = list;
                break;
            }
        }
        if (first && !first->empty() && m_host.CanAddStep() &&
            (!m_host.DontSaveAutomatically() || m_host.RecordHistoryWithoutSave())) {
            result = m_host.RunTransfer(lists, m_cardRecording ? kTransferCard : kTransferUnitMemory,
                                        m_host.DeleteCardFilesAfterFetch());
            ran = true;
        }
        sys.GetTankList().ApplyToChannels(m_watched);
        if (!ran || result == fw::IDOK) {
            if (m_cardRecording && m_host.DeleteCardFilesAfterFetch()) {
                sys.DropCurrentFiles(1);
                cardFailed = !WaitCardReady();
            } else {
                sys.SelectLatestFiles(1);
            }
        }
        if (m_monitoring) {
            if (CMoniSPTankData* set = m_host.MonitorSet())
                set->SetDataCount(0, false);
        }
        m_host.RefreshProjectViews();
    }
    if (cardFailed) {
        ClearTriggerModes();
        return;
    }
    if (CardNoRoom(m_unitsMode) &&
        (m_unitsState == kStateStandby || (m_freqState != kFreqRunning1 && m_freqState != kFreqRunning2))) {
        if (fw::AfxMessageBox(kMsgCardFull, fw::MB_YESNO | fw::MB_DEFBUTTON2) == fw::IDYES) {
            if (!m_host.SelectDeleteCardFiles()) {
                FailureEnd();
                return;
            }
            if (!WaitCardReady()) {
                ClearTriggerModes();
                AbortPanel();
                return;
            }
            if (!CardNoRoom(m_unitsMode))
                m_repeat = m_freeRun == 2;
        } else if (!RefreshStates()) {
            ClearTriggerModes();
            AbortPanel();
            return;
        }
        if (CardNoRoom(m_unitsMode) && IsAutoMeasuring()) {
            fw::AfxMessageBox(kMsgAutoModesEnd);
            ClearTriggerModes();
            m_comparator = false;
            m_host.EnableComparator(false);
            m_interval = false;
            m_cycleTrigger = false;
        }
    }
    ContinueAfterMeasurement();
}

void CKeisokuPanel::HaltForFullHistory()
{
    if (m_repeat && m_unitsMode != kModeUnitMemory && !System().HaltMeasurement(true)) {
        ClearTriggerModes();
        AbortPanel();
        return;
    }
    ClearTriggerModes();
    m_measuring = false;
    m_host.UpdateStartButton();
    ClearMeasureStatus();
}

bool CKeisokuPanel::ContinueAfterMeasurement()
{
    if (m_aborted)
        return false;
    if (m_dataTrigger || m_freeRun != 0 || m_program == 1) {
        if (!m_host.CanAddStep()) {
            HaltForFullHistory();
            return !m_aborted;
        }
        if (m_repeat) {
            bool ok = true;
            if (m_dataTrigger)
                ok = RearmDataTrigger(m_unitsState == kStateStandby && m_statusWord != kStatusRearmed);
            else if (m_program == 1)
                ok = ProgramStep();
            else
                ok = FreeRunStep();
            if (!ok) {
                ClearTriggerModes();
                AbortPanel();
                return false;
            }
            return true;
        }
        ClearTriggerModes();
        if (!SendTriggerMode()) {
            AbortPanel();
            return false;
        }
        return true;
    }
    if (!m_host.CanAddStep()) {
        m_interval = false;
        m_comparator = false;
        m_host.EnableComparator(false);
        m_cycleTrigger = false;
    }
    return true;
}
