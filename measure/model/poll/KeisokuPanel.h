#pragma once

// The measurement panel without its window: the state of the measurement
// of one project, the polling worker and the poll cycle, the start, end and
// retrieval sequences and the automatic modes. It receives its worker's
// results as posted messages on its own handle, so it runs the same
// whether a window shows it or a test pumps the queue. Everything runs on
// the interface thread except MonitorPoll and RecordingPoll, which the
// worker runs while the interface thread leaves the links alone.
//
// Sources: KeisokuPanel.cpp (state, commands, closing), PanelPolling.cpp
// (worker and poll cycle), PanelSequences.cpp (start, end, retrieval),
// PanelAutoModes.cpp (automatic modes), PanelCycleTrigger.cpp (the cycle
// trigger).

#include "framework/core/DateTime.h"
#include "framework/core/Message.h"
#include "framework/core/Thread.h"
#include "instrument/system/BoxArray.h"
#include "measure/model/poll/WorkerBlock.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

struct IPanelHost;

class CKeisokuPanel : public fw::IMessageTarget {
public:
    // Start kinds.
    enum StartKind : int {
        kStartButton = 0, kStartDataTrigger = 1, kStartFreeRun = 2, kStartProgram = 3,
        kStartCycle = 4, kStartComparator = 5, kStartInterval = 6, kStartJoin = 7
    };
    // End kinds.
    enum EndKind : int { kEndComplete = 1, kEndHalt = 2, kEndOneRecord = 5 };
    // Units state and mode values the panel tests.
    static constexpr int kStateStandby = 1, kStateWaiting = 2, kStateRecording = 3, kStateWriting = 4;
    static constexpr int kModeCardReady = 0, kModeUnitMemory = 50, kModeCardLow = 5, kModeCardFull = 60;
    static constexpr int kStatusDataTrigger = 64, kStatusProgram = 128, kStatusFreeRun = 256,
                         kStatusRearmed = 512;
    // Measurement hints to the graph documents.
    static constexpr int kHintListsIdle = 19, kHintValues = 20, kHintPollStopped = 21, kHintStarted = 31,
                         kHintListsMeasuring = 33, kHintEnded = 34;
    static constexpr int kCardWaitS = 5;
    static constexpr uint32_t kContinuousFirmware = 0x322E3240;  // above: 2.2A and later
    // Messages.
    static constexpr unsigned kMsgHighSpeedTitle = 432;
    static constexpr unsigned kMsgEndAutoModes = 494;
    static constexpr unsigned kMsgAutoModesEnd = 565;
    static constexpr unsigned kMsgCardFull = 630;
    static constexpr unsigned kMsgEndInterval = 224;
    static constexpr unsigned kMsgEndComparator = 231;
    static constexpr unsigned kMsgEndCycleTrigger = 240;
    static constexpr unsigned kMsgEndDataTrigger = 241;
    static constexpr unsigned kMsgEndFreeRun = 621;
    static constexpr unsigned kMsgEndProgram = 714;

    explicit CKeisokuPanel(IPanelHost& host);
    ~CKeisokuPanel() override;
    CKeisokuPanel(const CKeisokuPanel&) = delete;
    CKeisokuPanel& operator=(const CKeisokuPanel&) = delete;

    fw::HWND GetSafeHwnd() const { return m_hwnd; }
    IPanelHost& Host() { return m_host; }
    CBoxArray& System();

    // ---- the panel (creation, state, commands)
    // Joins what the units do and starts polling; false when the panel
    // aborted.
    bool InitPanelState();
    bool IsTriggerMeasuring() const;
    bool IsAutoMeasuring() const;
    bool CanStart();
    void ResetPeaks();
    void AbortPanel();
    bool IsAborted() const { return m_aborted; }
    // False when the panel stays open.
    bool Close();
    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // The caption of the start button.
    fw::CString StartButtonText() const;

    // ---- polling
    bool StartPolling();
    bool StopPolling();
    void ToggleMonitoring();
    bool RefreshStates();
    bool RebuildPollLists();
    bool MonitorPoll();    // worker thread
    bool RecordingPoll();  // worker thread
    void OnMonitorPollDone(bool ok);
    void OnRecordingPollDone(bool ok);
    void UpdatePeakValues();
    bool HasWorker() const { return m_worker != nullptr; }

    // ---- sequences
    bool StartMeasurement(int kind);
    int EndMeasurement(int endKind);
    void FetchRecordedData(int kind);
    bool ContinueAfterMeasurement();
    void OnStart();
    void OnJoinMeasurement();
    bool SendTriggerMode();
    bool WaitCardReady();
    // The frequency results newer than the current ones come into the
    // project (deleted from the card when the application asks).
    bool FetchFrequencyData();
    bool DeleteFetchedFiles(const CBoxArray::FileVectors& lists);
    bool FollowFrequencyState();
    void ConfirmEndAutoModes();
    void ClearMeasureStatus();
    void ClearTriggerModes();

    // ---- automatic modes
    void OnDataTrigger();
    void OnInterval();
    void OnDataComparator();
    void OnCycleTrigger();
    void OnFreeRun();
    void OnProgramMeasure();
    void OnFreeRunDetected();
    void OnProgramRuns();
    void OnProgramEnded();
    bool IntervalStep(bool& started);
    bool ComparatorStep(bool& started);
    bool CycleStep(bool& started);
    bool FreeRunStep();
    bool ProgramStep();
    bool RearmDataTrigger(bool sendAgain);
    void StartDataTrigger();
    void EndDataTrigger();
    bool EndFreeRun();
    bool EndProgram();

    // ---- state read by the windows and the main frame
    bool IsMonitoring() const { return m_monitoring; }
    void SetMonitoring(bool on) { m_monitoring = on; }
    bool IsMeasuring() const { return m_measuring; }
    bool IsDataTrigger() const { return m_dataTrigger; }
    bool IsInterval() const { return m_interval; }
    bool IsComparator() const { return m_comparator; }
    bool IsCycleTrigger() const { return m_cycleTrigger; }
    bool IsRepeat() const { return m_repeat; }
    int GetFreeRun() const { return m_freeRun; }
    int GetProgram() const { return m_program; }
    int GetCycleCount() const { return m_cycleCount; }
    int GetUnitsState() const { return m_unitsState; }
    int GetUnitsMode() const { return m_unitsMode; }
    int GetStatusWord() const { return m_statusWord; }
    int GetFrequencyState() const { return m_freqState; }
    int GetLastStartKind() const { return m_lastStartKind; }
    bool IsCardRecording() const { return m_cardRecording; }
    bool IsContinuousTrigger() const { return m_continuousTrigger; }
    bool HasStorageUnit() const { return m_storageUnit; }
    int GetUnitSpeedClass() const { return m_speedClass; }
    void SetAlarmWatch(bool on) { m_alarmWatch = on; }
    bool IsAlarmWatch() const { return m_alarmWatch; }
    const fw::COleDateTime& GetStartTime() const { return m_startTime; }
    const fw::COleDateTime& GetNextIntervalStart() const { return m_nextInterval; }
    const std::vector<int16_t>& GetWatchedChannels() const { return m_watched; }
    const std::vector<int16_t>& GetPolledBoxes() const { return m_polledBoxes; }
    std::string GetPollError() const;

private:
    void KickMonitorPoll();
    void KickRecordingPoll();
    void Kick(void (*proc)(const tagWORKERBLOCK&));
    // Ends the worker without the bookkeeping of StopPolling.
    void EndWorker();
    void CopyStates();
    void SetPollError(const char* text);
    void CollectWatchedChannels(std::vector<int16_t>& out);
    void BuildPollLists();
    // Stores, calculates, trends and shows the values of a poll; false when
    // an alarm error was declined.
    bool HandleValues();
    bool AskContinue(const std::string& text);
    void FailureEnd();
    // Runs the end the recording poll chose after a record ended.
    void EndRecord();
    // The panel's start time: the units' own, moved back by the
    // pre-trigger time for a data-trigger record.
    void TakeStartTime(bool dataTrigger);
    void ShowTriggerStatusForStart(int kind);
    void RebuildAndKick();
    void HaltForFullHistory();
    // Some box in use lists a waveform file recorded after its current one.
    bool HasNewCardFiles();

    static constexpr int kFrequencyRunning1 = 3, kFrequencyRunning2 = 5;

    IPanelHost& m_host;
    fw::HWND m_hwnd = 0;
    tagWORKERBLOCK m_block;
    fw::CEvent m_go{false, false};
    fw::CEvent m_idle{true, true};
    fw::CEvent m_stop{false, false};
    fw::CEvent m_done{false, false};
    std::unique_ptr<fw::CWorkerThread> m_worker;

    fw::COleDateTime m_lastPeakReset;
    fw::COleDateTime m_startTime;
    fw::COleDateTime m_nextInterval;
    // Read by the worker or written by it.
    std::atomic<bool> m_monitoring{false};
    std::atomic<bool> m_valuesFetched{false};
    std::atomic<bool> m_measuring{false};
    std::atomic<int32_t> m_unitsState{1};
    std::atomic<int32_t> m_unitsMode{0};
    std::atomic<bool> m_dataTrigger{false};
    std::atomic<bool> m_alarmWatch{false};
    std::atomic<int32_t> m_freeRun{0};
    std::atomic<bool> m_filesChanged{false};
    std::atomic<int32_t> m_freqState{1};
    std::atomic<bool> m_freqPolling{false};
    std::atomic<int32_t> m_program{0};
    std::atomic<int32_t> m_statusWord{0};
    std::atomic<bool> m_recordingPollOk{true};
    mutable std::mutex m_errorMutex;
    std::string m_pollError;
    // Interface thread only.
    int32_t m_speedClass = 0;
    int32_t m_lastStartKind = 0;
    bool m_interval = false;
    bool m_comparator = false;
    bool m_cycleTrigger = false;
    int32_t m_cycleCount = -1;
    bool m_repeat = false;
    bool m_cardRecording = false;
    bool m_storageUnit = false;
    bool m_continuousTrigger = false;
    bool m_aborted = false;
    bool m_closed = false;
    bool m_comparatorReenable = false;
    // Changed only while no poll runs (the worker waits on go).
    std::vector<int16_t> m_watched;
    std::vector<std::pair<int16_t, int16_t>> m_freqChannels;
    std::vector<int16_t> m_polledBoxes;
};
