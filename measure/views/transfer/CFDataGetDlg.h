#pragma once

// The recorded-data import dialog ("CFデータ取得"): for waveform,
// frequency and voice files side by side, the files found for one control
// unit (left) and the files registered for import for every unit (right).
// It reads no instrument and writes nothing: it edits the lists and hands
// the registered ones back. In folder mode the found lists come from a PC
// folder of copied card files. A unit selector reaches every control
// unit's files, so that several units can register equal lists.

#include "framework/ui/Dialog.h"
#include "instrument/meter/Kiv406FileInfo.h"

#include <array>
#include <vector>

class CCFFileInfoGrid;
class CCFGetFileInfoGrid;
class CCFHistFileInfoGrid;
class CCFVoiceFileInfoGrid;
class CZELGrid;

class CCFDataGetDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CCFDataGetDlg)
    FW_DECLARE_COMMANDS()
public:
    using FileList = std::vector<CKiv406FileInfo>;
    using FileLists = std::vector<FileList*>;
    enum Kind : int { kWaveform = 0, kFrequency = 1, kVoice = 2, kKindCount = 3 };

    static constexpr unsigned kTemplateId = 358;
    static constexpr int kIdWaveRadio = 1318;
    static constexpr int kIdHistRadio = 1319;
    static constexpr int kIdVoiceRadio = 1321;
    static constexpr int kIdWaveFound = 1313;
    static constexpr int kIdHistFound = 1315;
    static constexpr int kIdVoiceFound = 1323;
    static constexpr int kIdBrowse = 1009;
    static constexpr int kIdRegister = 1089;
    static constexpr int kIdRelease = 1091;
    static constexpr int kIdCaption = 1317;
    static constexpr int kIdUseFileFormat = 1314;
    static constexpr int kIdWaveRegistered = 1316;
    static constexpr int kIdHistRegistered = 1320;
    static constexpr int kIdVoiceRegistered = 1322;
    // The control unit whose found files are shown.
    static constexpr int kIdUnit = 1340;
    static constexpr unsigned kIdsBrowseTitle = 554;
    static constexpr unsigned kIdsUnitName = 548;

    explicit CCFDataGetDlg(fw::CWnd* parent = nullptr);
    ~CCFDataGetDlg() override;

    // Before DoModal: one found list per control unit of each kind (all
    // kinds get as many lists as the waveform kind).
    void SetFoundLists(Kind kind, std::vector<FileList> lists);
    void SetUnitCount(int units);
    int GetUnitCount() const { return static_cast<int>(m_found[kWaveform].size()); }
    FileList& Found(Kind kind, int unit) { return m_found[kind].at(static_cast<size_t>(unit)); }
    FileList& Registered(Kind kind, int unit) { return m_registered[kind].at(static_cast<size_t>(unit)); }
    // After IDOK: one registered list per unit.
    const FileLists& GetRegisteredLists(Kind kind) const { return m_registeredPtrs[kind]; }
    // Frees every list of the six arrays.
    void FreeFileLists();

    bool m_bFolderMode = false;
    fw::CString m_strFolder;
    int m_nUseFileFormat = 1;
    int m_nKind = kWaveform;
    std::array<fw::CString, kKindCount> m_captions;

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

    void OnKindChange();
    void OnUnitChange();
    void OnRegister();
    void OnRelease();
    void OnBrowse();
    void UpdateRegisterButton();
    void ShowKind(int kind);

    int GetCurrentUnit() const { return m_unit; }
    CZELGrid& FoundGrid(Kind kind) const;
    CCFGetFileInfoGrid& RegisteredGrid(Kind kind) const { return *m_registeredGrids[kind]; }

private:
    void RebuildPointers();
    void RefreshFound(Kind kind);

    std::array<std::vector<FileList>, kKindCount> m_found;
    std::array<std::vector<FileList>, kKindCount> m_registered;
    std::array<FileLists, kKindCount> m_foundPtrs;
    std::array<FileLists, kKindCount> m_registeredPtrs;
    CCFFileInfoGrid* m_waveFound = nullptr;
    CCFHistFileInfoGrid* m_histFound = nullptr;
    CCFVoiceFileInfoGrid* m_voiceFound = nullptr;
    std::array<CCFGetFileInfoGrid*, kKindCount> m_registeredGrids{};
    int m_unit = 0;
};
