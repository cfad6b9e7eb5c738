#pragma once

// The measuring system of a measurement project: one box per control unit
// of the connection profile (at most four), the A/D setting, the map from
// system channel numbers to boxes and box channels, the tank list holding
// every channel's data, the frequency-count entries and the time marks.
// Channels are addressed in two ways: by map index (measuring channels
// 0 .. M-1, then the outputs) and, for the per-control-unit settings, by
// system channel number box x 80 + control-unit channel.
//
// Sources: BoxArray.cpp (object, archive, continue question),
// BoxArrayChannels.cpp (map and attribute routing), BoxArrayBuild.cpp
// (building, carrying settings over, connecting), BoxArrayHist.cpp
// (frequency-count entries).

#include "common/calc/GpsCanTankLists.h"
#include "common/calc/KivSPTankData.h"
#include "common/tank/BoxChannel.h"
#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "framework/core/DateTime.h"
#include "framework/core/Object.h"
#include "instrument/ADSetPrf.h"
#include "instrument/MeterInterface.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/system/MarkerList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace fw {
class CDocument;
}

class CBoxPropaty;
class CHistCountArray;
class CHistCountObj;
class CKivUnit;

// The A/D settings dialog of the owner document, which lives in a layer
// above; installed there (fw::Install<IAdDialog>). Without it a proposed
// change of the counts is not made.
class CBoxArray;

struct IAdDialog {
    virtual ~IAdDialog() = default;
    // Opens the dialog preset with a data count (pre-trigger false) or a
    // pre-trigger count; true for OK.
    virtual bool Run(CBoxArray& system, bool preTrigger, int32_t count) = 0;
};

class CBoxArray : public fw::CObject {
    FW_DECLARE_SERIAL(CBoxArray)
public:
    static constexpr int kMaxBoxes = CMeterInterfacePrf::kMaxMeters;
    static constexpr int kChannelsPerBox = 80;
    static constexpr int kTimeChannel = 499;
    static constexpr int kFirstCalcChannel = 500;
    static constexpr int kContinueSeconds = 15;
    static constexpr const char* kSaveModeTag = "<SAVEMODE>";

    // Messages.
    static constexpr unsigned kMsgBoxName = 158;
    static constexpr unsigned kMsgNoChannelOn = 160;
    static constexpr unsigned kMsgContinue = 429;
    static constexpr unsigned kMsgOldFirmwareForSeveral = 732;
    static constexpr unsigned kMsgInvalidReply = 3007;

    // Attribute codes addressed by system channel number.
    static bool IsSystemChannelCode(int code)
    {
        return (code >= 100 && code <= 122) || (code >= 2002 && code <= 2009);
    }

    using BoxList = std::vector<std::unique_ptr<CBoxPropaty>>;

    CBoxArray();
    ~CBoxArray() override;
    CBoxArray(const CBoxArray&) = delete;
    CBoxArray& operator=(const CBoxArray&) = delete;

    // ---- the object
    void Serialize(fw::CArchive& ar) override;
    void SetOwner(fw::CDocument* owner) { m_owner = owner; }
    CHistCountArray* GetHistCounts() const { return m_hist.get(); }
    void SetSaveMode(int mode);
    int GetSaveMode() const { return m_saveMode; }
    void DeleteBoxes();
    void UpdateCanUnitFlags();
    bool HasCanUnit(int box) const;
    bool AskContinue(const char* message, const char* logPath);
    bool ReconnectMeters(char* buffer, int size);

    int GetBoxCount() const { return m_boxes ? static_cast<int>(m_boxes->size()) : 0; }
    // Index outside the boxes: fw::CInvalidArgException.
    CBoxPropaty* GetBox(int index) const;
    const CMeterInterfacePrf& GetProfile() const { return m_profile; }
    CADSetPrf& GetADSet() { return m_adSet; }
    CKivSPTankData& GetTankList() { return m_tanks; }
    CMarkerList& GetMarkers() { return m_markers; }
    CGpsDataTankList& GetGpsTanks() { return m_gpsTanks; }
    CCanDataTankList& GetCanTanks() { return m_canTanks; }
    int GetGpsTankCount() const { return m_gpsTanks.GetSize(); }
    int GetCanTankCount() const { return m_canTanks.GetSize(); }
    int GetMeasuringCount() const { return m_measuring; }
    int GetOutputCount() const { return m_outputs; }
    int GetMapSize() const { return m_map.GetSize(); }
    tagBOXCH GetMapEntry(int index) const { return m_map.GetAt(index); }
    const std::vector<int16_t>& GetBoxesInUse() const { return m_inUse; }
    const tagUNITLIST& GetUnitList() const { return m_unitList; }
    bool IsMeterEdit() const { return m_meterEdit; }

    // ---- channel map and attributes
    double GetChannelValue(int index, int code) const;
    const char* GetChannelText(int index, int code, fw::CString& text) const;
    int GetChannelDisplayText(int code, int index, fw::CString& text) const;
    bool SetChannelValue(int index, int code, double value);
    bool SetChannelText(int index, int code, const char* text);
    bool IsChannelAttrEditable(int index, int code) const;
    bool IsChannelValueAllowed(int index, int code, int value) const;
    void BuildChannelMap();
    int FindMapIndexOfChannel(int n) const;
    void SetTankDisplayModes();
    bool SetMeasuringChannelsValue(int code, double value);
    bool SetDataCount(int count, bool resizeTanks);
    void BeginMeterEdit();
    void EndMeterEdit();
    void ApplyWorkMeters();
    bool CanBalanceChannel(int mapIndex);
    int GetMaxUnitValue() const;

    // ---- values into the tanks
    // The current values of every box into its channels' calculated tanks.
    void StoreCurrentValues();
    // Recorded raw rows of one box into its channel tanks (see
    // CBoxPropaty::StoreSamples); the rows stored.
    int StoreSamples(int box, int firstRow, int count, int rowSize, std::span<const uint8_t> samples);

    // ---- building and connecting
    bool BuildFromProfile(const CMeterInterfacePrf& profile);
    bool ConnectMeters(CMeterInterface* link);
    bool BuildInUseList();
    void CloseMeters();

    // ---- frequency-count entries
    void BuildHistCounts();
    void BuildHistCount(CHistCountObj*& entry, int n);
    void UpdateHistCounts(int first, int last);
    void ReadHistCounts(CHistCountObj* entry, int n);
    void ReadHistCountList(const std::vector<std::pair<int16_t, int16_t>>& pairs);

    // Measurement sequences
    // Every wait pauses between its tries through the clock service (whose
    // desktop form keeps the windows painting) and ends when CancelWait is
    // called from any thread; the limits are in seconds of the clock's
    // wall time.
    static constexpr int kTriggerWaitS = 40;
    static constexpr int kHaltWaitS = 1500;
    static constexpr int kWaitPauseMs = 200;
    static constexpr int kUnitErrNotTriggered = 0x10002;
    static constexpr unsigned kMsgProgramNotStarted = 716;
    static constexpr unsigned kMsgDifferentClock = 446;
    static constexpr unsigned kMsgDataCountLimit = 627;
    static constexpr unsigned kMsgDataCountAsk = 628;
    static constexpr unsigned kMsgPreTriggerLimit = 847;
    static constexpr unsigned kMsgPreTriggerAsk = 848;
    static constexpr unsigned kMsgMeasuringTime = 159;
    static constexpr unsigned kMsgCount = 838;
    static constexpr unsigned kMsgWaitCancelled = 4650;
    static constexpr unsigned kMsgBadValues = 3009;
    using FileVectors = std::vector<std::vector<class CKiv406FileInfo>*>;

    void CancelWait();
    // checks before writing and the A/D setting
    bool CheckSettings();
    bool CheckFirmwareLimits();
    bool CheckDataCounts();
    void MarkDuplicateCanIds();
    bool CheckSameClock();
    bool ApplyAdSetting(const CADSetPrf& setting);
    // start (interface thread)
    bool StartAndWait();
    bool SendDtg();
    bool StartProgramMeasurement();
    bool WaitTriggerAndReadStart(bool subtractMeasuringTime, bool askOnError);
    void FindFirstActiveBox();
    // Boxes whose last values were refused keep their tanks as they are.
    void StoreCurrentValues(const std::vector<int16_t>& boxes);
    int GetPollChannelCount() const;
    void UpdateDataCounts();
    bool SelectOnChannels(bool report);
    // one poll (the panel's worker)
    void CollectBoxStates();
    int CheckMeters();
    bool HasNewFiles();
    void ReadCurrentValues(const std::vector<int16_t>& boxes);
    int ReadEndOfMeasure(bool allUnits);
    int SyncEndCounts(const std::vector<int16_t>& boxes, const tagUNITLIST& list);
    void ReadElapsedTime();
    int GetMinFileSpace() const;
    int GetMaxLoadClass() const;
    int GetState() const { return m_state; }
    int GetCardMode() const { return m_cardMode; }
    int GetChangeFlag() const { return m_changeFlag; }
    int GetProgramValue() const { return m_programValue; }
    const fw::COleDateTime& GetStartTime() const { return m_startTime; }
    const fw::COleDateTimeSpan& GetElapsedTime() const { return m_elapsed; }
    int GetPollBox() const { return m_pollBox; }
    int GetPollChannel() const { return m_pollChannel; }
    // halt, stop and finish
    bool HaltMeasurement(bool askOnError);
    int StopMeasurement(bool fileMode);
    int FinishRecording(bool fileMode);
    bool HaltAndFinish();
    bool SendCfm(char mode);
    // balance
    bool RunBalance(const std::vector<int16_t>& mapIndexes, bool clearOffsets);
    // writing settings, clocks, save mode and unit commands
    bool WriteAllSettings();
    bool WriteHistSettings();
    bool ReadHistSettings();
    // Every box's settings read from its control unit; the settings the
    // whole system shares (the program start and the frequency run) are
    // then taken from the first control unit for all.
    bool ReadMeters();
    // Control units by box index.
    void CompareSystemSettings(int firstBox, int otherBox, int firstCode, int count) const;
    bool SetMeterClocks();
    void ReadListReplies(const std::vector<int16_t>& boxes, bool ignoreUnitErrors);
    bool SendSaveMode();
    bool ReadSaveMode();
    bool OutputCalibration(int mode);
    bool SetCycleCount(int count);
    int ReadCycleCount();
    // recorded-file lists
    bool ReadFileLists(bool clearFirst, bool askOnError);
    void ClearFileLists();
    void SelectLatestFiles(int flags);
    bool HaveCurrentFiles() const;
    void DropCurrentFiles(int flags);
    void GatherFileLists(FileVectors& vectors) const;
    void CollectCurrentHistFiles(FileVectors& vectors) const;
    // Into each given list the box's frequency files newer than its current
    // one, every list then cut to the shortest.
    void CollectNewHistFiles(FileVectors& vectors) const;
    // Frequency files: entry `entryIndex` of every existing vector (box by
    // box) into `counts`, each analysis named after its input channel.
    // From the units a failed file is offered for a repeat (declining:
    // false, the file's analyses removed); from a folder of card files
    // (entry names are paths without extension) any failure is reported,
    // empties `counts` and answers false. An entry index beyond a vector
    // throws std::out_of_range.
    bool ReadHistFilesFromUnit(const FileVectors& vectors, CHistCountArray& counts, int entryIndex);
    bool ReadHistFilesFromFolder(const FileVectors& vectors, CHistCountArray& counts, int entryIndex);
    // GPS rows (eight fields each) into the last seven tanks of a GPS tank
    // list: the time from the week (field 4) and its seconds (field 3), then
    // fields 0, 1, 2, 5, 6 and 7, each times its coefficient.
    using GpsRow = std::array<int32_t, 8>;
    static void StoreGpsSamples(class CGpsDataTankList& list, int start, int count, std::span<const GpsRow> rows,
                                const std::array<double, 8>& coefficients);
    // The same into the system's own GPS tank list, as the GPS transfers do
    // once per block.
    void StoreGpsSamples(int start, int count, std::span<const GpsRow> rows, const std::array<double, 8>& coefficients)
    {
        StoreGpsSamples(m_gpsTanks, start, count, rows, coefficients);
    }

private:
    struct SequenceState;
    static std::shared_ptr<SequenceState> MakeSequenceState();
    // Runs `poll` under the wait cursor until it answers false or more than
    // `limitS` seconds passed; false when the wait was cancelled.
    bool WaitWhile(int limitS, bool (*poll)(CBoxArray&));
    // Pauses before the next try; raises the cancel message when cancelled.
    void PauseBeforeRetry();
    bool AskAfter(const std::exception& e);
    // Each analysis from `first` on takes the name of its input channel.
    void NameHistChannels(CHistCountArray& counts, int box, int first) const;
    void ClearRecordedCounts(bool master);
    void SetStartTimeFromReply(const fw::CString& reply, bool subtract);
    bool ValuesWellFormed(int box) const;
    bool HasSampleClockInput() const;
    void WarnUnusedFrequencySettings();
    bool CheckOldFirmware(int box);
    bool AskForAdSetting(unsigned limitId, unsigned askId, bool preTrigger, int32_t count);
    void ApplyBalanceReply(int16_t box, const std::vector<int>& mapIndexes, const fw::CString& reply, bool clearOffsets);
    int FinishCounts(bool fileMode, bool halt);
    std::shared_ptr<SequenceState> m_seq = MakeSequenceState();

private:
    // The box and the box's channel argument of a routed attribute.
    std::pair<CBoxPropaty*, int> Route(int index, int code) const;
    void MarkModified();
    // The steps of a rebuild that can fail after the new boxes exist.
    void CarrySettingsOver(BoxList& boxes, int newMeasuring, int newOutputs);
    void NameNewChannels(int oldMeasuring);
    void ApplyCanUnitChannels();
    void ReadBoxArray(fw::CArchive& ar);
    void WriteBoxArray(fw::CArchive& ar);

    fw::CDocument* m_owner = nullptr;  // not owned
    CMeterInterfacePrf m_profile;
    CADSetPrf m_adSet;
    std::unique_ptr<BoxList> m_boxes;
    tagUNITLIST m_unitList;
    std::vector<int16_t> m_inUse;
    fw::CArray<tagBOXCH> m_map;
    CKivSPTankData m_tanks;
    int32_t m_measuring = 0;
    int32_t m_outputs = 0;
    int32_t m_pollChannel = 0;
    int32_t m_pollBox = 0;
    bool m_meterEdit = false;
    int32_t m_state = 1;
    int32_t m_cardMode = 0;
    fw::COleDateTime m_startTime;
    int32_t m_changeFlag = 0;
    std::unique_ptr<CHistCountArray> m_hist;
    int32_t m_saveMode = 1;
    int32_t m_programValue = 0;
    std::array<bool, kMaxBoxes> m_canFlags{};
    CGpsDataTankList m_gpsTanks;
    CCanDataTankList m_canTanks;
    fw::COleDateTimeSpan m_elapsed;
    CMarkerList m_markers;
};
