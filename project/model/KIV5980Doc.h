#pragma once

// The measurement project document: its measuring system, every settings
// table the project pages show, the programs of the three automatic modes,
// the measurement history and the panel-monitor settings, stored in the
// project file (".kivp"), with the recorded data kept in the project's data
// folder beside it.
//
// Sources: KIV5980Doc.cpp (lifecycle, data folder), ProjectFile.cpp (the
// file), ProjectTables.cpp (default tables), ProjectHistory.cpp (histories
// from the data folder), FreqHistory.cpp (the frequency history),
// SettingsFile.cpp (control-unit settings files), AutoModes.cpp (automatic
// modes), ProjectEditing.cpp (editing operations).

#include "canvoicegps/voice/VoiceListObj.h"
#include "common/calc/DataSPSetTank.h"
#include "common/tank/DataTankList.h"
#include "docbase/doc/KivDocBase.h"
#include "framework/core/DateTime.h"
#include "frequency/model/HistFileAccess.h"
#include "frequency/model/HistMMAObject.h"
#include "grid/model/GridStyle.h"
#include "instrument/check/CompNoTank.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "instrument/system/BoxArray.h"
#include "project/model/MMAObject.h"
#include "project/model/PanelMoniterPrf.h"

#include <array>
#include <map>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCheckData;
class CTextFile;
class IChannelMenu;

class CKIV5980Doc : public CKivDocBase, public ICompNoOwner {
    FW_DECLARE_DYNCREATE(CKIV5980Doc)
    FW_DECLARE_COMMANDS()
public:
    static constexpr const char* kMagic = "KIVKIV5980Docmect";
    static constexpr size_t kMagicBytes = 17;
    static constexpr int32_t kVersion = 8;
    static constexpr const char* kExtension = ".kivp";
    static constexpr const char* kExtensionUpper = ".KIVP";
    static constexpr const char* kDataSuffix = "_DATA";
    static constexpr int kCalcRows = 1000;
    static constexpr int kProgramRows = 100;
    static constexpr int kMaxHistorySteps = CMMAObject::kMaxSteps;
    static constexpr unsigned kIdHistoryUpdate = 32830, kIdWriteSettingsFile = 33553;

    // The tables, in the order of the members they stand for.
    enum Table : int {
        kTabChannel, kTabOutput, kTabCalc, kTabInterval, kTabComparator, kTabDataTrigger, kTabCycle,
        kTabChannelData, kTabGraph, kTabHistory, kTabStatistics, kTabSelfCheck, kTabFreqSettings,
        kTabProgram, kTabFreqHistory, kTabCanNode, kTabCanSignal, kTabVoice, kTabDigitalIO, kTableCount
    };
    enum Program : int { kProgInterval, kProgComparator, kProgCycle, kProgramCount };

    CKIV5980Doc();
    ~CKIV5980Doc() override;

    // ---- document framework
    bool OnNewDocument() override;
    void DeleteContents() override;
    void OnCloseDocument() override;
    void Serialize(fw::CArchive& ar) override;
    bool CompleteOpen(const fw::CString& path) override;
    void OnDocumentLoaded() override;
    bool DoSave(const fw::CString& path, bool replace = true) override;
    bool SaveModified() override;
    void ApplyEditLock() override;

    CDataTankList* GetChannelTankList() override { return &m_pActiveSystem->GetTankList(); }
    int GetChannelCount() override { return m_pActiveSystem->GetTankList().GetMeasuredCount(); }
    CDataTankList* GetOpDataList() override { return GetOpDataTanks(); }
    CHistCountArray* GetHistCountArray() const { return m_boxArray.GetHistCounts(); }
    CDataTankObject* GetChannelTank(int channel, int list) override { return CKivDocBase::GetChannelTank(channel, list); }

    // ---- default project
    bool BuildDefaultProject();
    static CZELGridStyle* MakeTableStyle(int headerRows, int headerCols, int colHeaderRows, int cols, int rows,
                                         int headerWidth, int headerHeight);
    void CreateHistTables();
    void CreateUnit463Tables();
    void CreateUnit465Table();

    // ---- members
    CBoxArray& GetBoxArray() { return m_boxArray; }
    CBoxArray& GetActiveBoxArray() { return *m_pActiveSystem; }
    CMMAObject& GetHistory() { return m_history; }
    CHistMMAObject& GetFreqHistory() { return m_freqHistory; }
    CVoiceListObj& GetVoiceList() { return m_voiceList; }
    CZELGridStyle* GetTable(Table t) const { return m_tables[size_t(t)].get(); }
    CDataSPSetTank* GetCalcSettings() const { return m_pCalcSettings.get(); }
    CDataTankList* GetProgram(Program p) const { return m_programs[size_t(p)].get(); }
    CPanelMoniterPrf& GetPanelMonitor() { return m_panelMonitor; }
    std::vector<CCheckData*>& GetCheckRecords() { return m_checkRecords; }
    int32_t GetFileVersion() const { return m_nVersion; }

    // The panel's questions and monitored channels.
    bool ConfirmStopMeasurement();
    bool SaveForMeasurement();
    void SetPanelMonitorPrf(const CPanelMoniterPrf& settings);

    // A finished transfer of one recorded measurement.
    struct ImportRecord {
        fw::CString path;
        double startTime = 0;
        double interval = 0;
        int method = 0;
        double cycleCount = -1;
        bool countOnly = false;
    };
    bool BeginImportBoxArray(const CMeterInterfacePrf& profile, const CADSetPrf& adSettings);
    void EndImportBoxArray();
    void AppendHistoryStep(const ImportRecord& record);
    // 1, or 2 when no measurement-data document could be made.
    int FinishDataImport(const ImportRecord& record, bool force);

    bool CanAddStep() const { return m_history.GetLastIndex() < kMaxHistorySteps - 1; }
    bool CanAddVoice() const { return m_voiceList.GetMaxIndex() < kMaxHistorySteps - 1; }

    // ---- data folder
    fw::CString GetDataFolder() const;
    static fw::CString DataFolderOf(const fw::CString& projectPath);
    static bool CreateDataFolder(const fw::CString& path);
    uint64_t EstimateDataSize();

    // ---- histories
    // One list of recorded files per control unit (null: none for it).
    using FileLists = std::vector<std::vector<CKiv406FileInfo>*>;
    void RebuildHistoryFromDataFiles();
    // The voice list from the recordings of every subfolder of the data
    // folder, by recording time.
    void RescanVoiceFiles();
    // Copies fetched recordings (per control unit: the source path without
    // ".wav" in m_name, the recording time in m_firstSampleTime) into the
    // folder of every step whose span holds them, or once into "VOICE",
    // never over an existing file, and lists each copy.
    void CopyVoiceFiles(const FileLists& lists);
    // Lists a recording written to folder/title.wav of the data folder
    // unless it is listed already.
    void AddVoiceRecording(const fw::CString& folder, const fw::CString& title, const fw::COleDateTime& time);
    // One row per frequency-data file of the data folder, by start time.
    void RebuildFreqHistory();
    // Saves every frequency record of the lists as a new file in the data
    // folder and adds its row; `card`: read through the control units from
    // their cards, else from the files in a PC folder.
    void ImportHistogramData(const FileLists& lists, bool card, int32_t unused = 0);
    // Row `row` names the frequency-data file at `path` with its header.
    void SetFreqHistoryEntry(int row, const fw::CString& path, const HistFileHeader& header);
    // With the application's option on, the graph pages of the StartUp
    // folder open, by name.
    void OpenStartupFiles();
    void RefreshHistoryChannels(bool intoLastStep);
    void SetLastStep(int step);
    void RemoveUnsavedSteps(int first, int last);
    void OnHistoryUpdate();
    void OnUpdateHistoryUpdate(fw::CCmdUI* ui);

    // ---- settings file (".set")
    void OnWriteSettingsFile();
    // One file per control unit from the chosen path; false when any was
    // skipped or failed.
    bool WriteSettingsFiles(const fw::CString& path);
    // The files a path gives for `boxes` control units.
    static std::vector<fw::CString> SettingsFileNames(const fw::CString& path, int boxes);
    void WriteBoxSettings(CTextFile& file, int box);
    void WriteBoxHistSettings(CTextFile& file, int box);
    void WriteBoxUnit463Settings(CTextFile& file, int box);

    // ---- automatic modes
    bool CheckIntervalProgram();
    bool IsIntervalTableEmpty();
    bool StartInterval(fw::COleDateTime& time);
    bool ScheduleNextInterval(fw::COleDateTime& time);
    bool StartComparator();
    bool ResetComparator(int mode);
    int CheckComparatorLimits();
    bool AdvanceComparator();
    // The channels the comparator program's rows name.
    std::vector<int16_t> GetComparatorChannels();
    void NotifyComparatorState(bool on) {}
    bool StartCycleTrigger();
    bool IsCycleTableEmpty();
    bool ResetCycleTrigger(int count);
    int CheckCycleDue(int& count);
    bool AdvanceCycleTrigger(int count);
    int CheckIntervalRow(int row, int lastRow, bool messages);
    int CheckComparatorRow(int row, int lastRow);
    int CheckCycleRow(int row, int lastRow);
    // Running state, read by the panel.
    double GetComparatorUpper() const { return m_dCompUpper; }
    double GetComparatorLower() const { return m_dCompLower; }
    uint8_t GetComparatorCrossing() const { return m_nCompCrossing; }
    int32_t GetCycleDueCount() const { return m_nCycleDue; }
    int32_t GetIntervalRow() const { return m_nIntervalRow; }

    // ---- editing operations
    bool SetChannelAttribute(int code, int column, int channel, double value, fw::CObject* view);
    bool SetChannelText(int code, int column, int channel, const fw::CString& text, fw::CObject* view);
    bool SetCalcChannelText(int column, int row, const fw::CString& text, fw::CObject* view);
    bool SetCalcChannelValue(int column, int row, double value, fw::CObject* view);
    bool InsertCalcChannels(int first, int last);
    bool DeleteCalcChannels(int first, int last);
    void RefreshFuncColumn();
    void RebuildChannels();
    void ApplyAdSettings(const CADSetPrf& settings);
    void ApplyMeterSettings(const CMeterInterfacePrf& profile);
    // The A/D settings dialog over the measuring system; a non-zero count,
    // a positive interval (ms) or a non-zero pre-trigger count is preset.
    // On OK the settings become the program's A/D defaults and the
    // project's. The dialog result.
    int ShowADSetDialog(int mode, int32_t count, double interval, int32_t preTrigger);
    // Captions the unit submenus at `first` .. `first` + 9 of box `box`
    // with its channels' names; slots without input channels are removed.
    void LabelChannelMenu(IChannelMenu& menu, int box, int first);
    bool SetChannelRangeValue(int first, int last, int start, int code);
    bool GetBoxAttributeText(int code, int box, fw::CString& text);
    bool SetBoxAttributeText(int code, int column, int box, const fw::CString& text, fw::CObject* view);
    void GetHistSettingText(int code, int channel, fw::CString& text);
    bool SetHistSettingText(int code, int column, int channel, const fw::CString& text, fw::CObject* view);
    // Index outside the records: fw::CInvalidArgException. Inserted records
    // become the document's.
    void DeleteCheckRecords(int first, int count);
    void InsertCheckRecords(int index, std::vector<CCheckData*> records);
    int CheckLimits(int channel, double value, bool magnitude, bool sound);
    bool HasChannelLimits(int channel);
    int CheckChannelAlarm(CDataTankObject* tank, bool magnitude);
    int GetAlarmLatch(int channel) const;
    // Clears the latched alarm of a channel (the alarm window's reset).
    void ResetChannelAlarm(int channel) { m_alarmLatches.erase(channel); }
    void LoadOpDataTanks();
    void NotifyColumnsChanged(fw::CObject* view, int first, int last, int32_t flags, bool broadcast);
    // The flags a page of that class adds for the columns first to last.
    static int32_t ColumnChangeFlags(const fw::CObject* sender, int first, int last);

private:
    void ReadOptionalSections(fw::CArchive& ar);
    void WidenOldTables();
    void ReadGraphList(fw::CArchive& ar);
    void WriteGraphList(fw::CArchive& ar);
    static void CheckVersion(int32_t version);
    void BuildCalcSettings();
    void BuildPrograms();
    void LinkCalcSettings();
    void FixChannelsAfterLoad();
    void ReplaceOpDataTanks();
    void DeleteCheckRecords();
    // Sets the code on `channel` from every channel of its box named `name`
    // (sign x (1 + its box channel)); how many were set.
    int SetByChannelName(int channel, int code, const std::string& name, int sign);
    // Modified flag, operation data, latches and the views after an edit.
    void AfterChannelEdit(int code, int column, int channel, fw::CObject* view);
    // Hint 35 to the views, and to the graph pages with the last step.
    void NotifyHistoryChanged();
    // Hint 13 or 14 to the graph pages for calculated rows first to last.
    void NotifyCalcChannelsMoved(intptr_t hint, int first, int last);
    // The operation data of calculated channels are kept by channel number:
    // after rows moved they are taken again from the rows from `firstRow`.
    void ReloadCalcOpData(int firstRow);

    // Automatic modes.
    struct ProgramRow;
    ProgramRow ReadRow(Program p, int row);
    int LastUsedRow(Program p);
    int CheckRow(Program p, int row, int lastRow, bool messages);
    bool ValidateProgram(Program p);
    bool FollowGoto(Program p, int32_t& current, bool messages);
    bool FirstIntervalTime(fw::COleDateTime& time, bool first);
    bool AddRowInterval(fw::COleDateTime& time);
    bool PrepareComparatorRow(bool first);
    bool PrepareCycleRow(int count);
    void RequireColumns(Program p, int count);
    // The newest value of a channel tank (a calculated tank's result).
    static double CurrentValue(CDataTankObject* tank);

    std::array<std::unique_ptr<CZELGridStyle>, kTableCount> m_tables;
    std::unique_ptr<CDataSPSetTank> m_pCalcSettings;
    std::array<std::unique_ptr<CDataTankList>, kProgramCount> m_programs;
    CPanelMoniterPrf m_panelMonitor;

    int32_t m_nIntervalRow = 0;
    int32_t m_nIntervalRepeat = 0;
    fw::COleDateTime m_intervalDue;
    int16_t m_nCompMode = 0;
    uint8_t m_nCompCrossing = 0;
    int32_t m_nCompRow = 0;
    int32_t m_nCompRepeat = 0;
    CDataTankObject* m_pCompTank = nullptr;  // not owned
    double m_dCompUpper = 0;
    double m_dCompLower = 0;
    int32_t m_nCycleRow = 0;
    int32_t m_nCycleRepeat = 0;
    int32_t m_nCycleDue = 0;

    // Alarm state of a channel: the latched bits, and when and at which
    // value the first alarm came.
    struct AlarmLatch {
        int state = 0;
        double time = 0;
        double value = 0;
    };
    std::map<int, AlarmLatch> m_alarmLatches;

    CBoxArray m_boxArray;
    CMMAObject m_history;
    CHistMMAObject m_freqHistory;
    CVoiceListObj m_voiceList;
    std::vector<CCheckData*> m_checkRecords;  // owned
    std::unique_ptr<CBoxArray> m_importSystem;
    CBoxArray* m_pActiveSystem;               // m_boxArray or an import's system
    int32_t m_nVersion = kVersion;
    // The graph list's stored bytes, kept as read while no charting engine
    // can read them.
    std::string m_graphListBytes;
};
