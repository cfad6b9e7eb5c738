#pragma once

// One recorded measurement as a document of its own: the record's header
// (title, start, method, cycle count, card file, sampling settings), the
// channels with their attribute table and values, calculated channels,
// markers, GPS and CAN data and the layouts of the grids that show them.
// The ".kivd" file lies in a folder of its own beside one file per channel.

#include "canvoicegps/voice/VoiceListObj.h"
#include "common/calc/DataSPSetTank.h"
#include "data/model/KivDataBoxArray.h"
#include "docbase/doc/KivDocBase.h"
#include "grid/model/GridStyle.h"
#include "instrument/ADSetPrf.h"

#include <array>
#include <memory>
#include <string>

struct CMMAHeader;
class CKIV5980Doc;
class CBoxArray;
namespace fw {
class CFile;
}

class CKivDataDoc : public CKivDocBase {
    FW_DECLARE_DYNCREATE(CKivDataDoc)
public:
    static constexpr char kMagic[] = "KivDataDocmect";
    static constexpr size_t kMagicBytes = 14;
    static constexpr int32_t kVersion = 7;
    static constexpr size_t kTitleOffset = 32;
    static constexpr size_t kHeadBytes = 356;

    // The grids whose layouts the document keeps.
    enum Style {
        kStyleChannel, kStyleCalc, kStyleValues, kStyleGraph,
        kStyleGpsValues, kStyleGpsGraph, kStyleGpsRaw,
        kStyleCanValues, kStyleCanGraph, kStyleVoice,
        kStyleCount
    };

    CKivDataDoc();
    ~CKivDataDoc() override;

    void Serialize(fw::CArchive& ar) override;
    bool CreateNewContents() override;
    void DeleteContents() override;
    void OnDocumentLoaded() override;
    void SetPathName(const fw::CString& path, bool addToMru = true) override;
    // Refused (message 522) when the file is not smaller than the free
    // space of the work folder.
    bool OnOpenDocument(const fw::CString& path) override;
    static bool HasRoomToOpen(const fw::CString& path, const fw::CString& workFolder);
    // The channel files are staged beside the ".kivd" and replace the old
    // ones only when the whole save succeeded.
    bool OnSaveDocument(const fw::CString& path) override;

    CDataTankList* GetChannelTankList() override { return &m_boxes.GetTankList(); }
    int GetChannelCount() override { return m_boxes.GetChannelCount(); }

    // Save As through the dialog puts the file into a folder named like it
    // (CheckSaveTarget); the name chosen is asked again while refused.
    bool DoSave(const fw::CString& path, bool replace = true) override;
    // A data document is saved into a folder named like the file: `path`
    // becomes the file inside that folder (made when missing). False after
    // message 477 or 721.
    bool CheckSaveTarget(fw::CString& path, const fw::CString& title, const fw::CString& extension);
    // The folder of the document's path.
    fw::CString GetDataFolder() const;
    void RebuildChannels();

    // Replaces the title inside a closed ".kivd" in place; false (after
    // message 521 or 175, or a file error) when it is not one.
    static bool RewriteDataFileTitle(fw::CFile& file, const fw::CString& title);

    // --- record header ---------------------------------------------------------
    void SetHeaderRecord(CMMAHeader* header) { m_pHeader = header; }
    void SetHeaderOnly(bool on) { m_bHeaderOnly = on; }
    int32_t GetFileVersion() const { return m_nVersion; }
    double GetStartTime() const { return m_dStartTime; }
    int32_t GetStartStatus() const { return m_nStartStatus; }
    void SetStartTime(double days, int32_t status = 0) { m_dStartTime = days; m_nStartStatus = status; }
    double GetCycleCount() const { return m_dCycleCount; }
    void SetCycleCount(double n) { m_dCycleCount = n; }
    int16_t GetMeasureMethod() const { return m_nMethod; }
    void SetMeasureMethod(int16_t m) { m_nMethod = m; }
    const fw::CString& GetCardFileName() const { return m_strCardFile; }
    void SetCardFileName(const fw::CString& name) { m_strCardFile = name; }
    CADSetPrf& GetAdSet() { return m_adSet; }
    const fw::CString& GetUploadedMapName() const { return m_strUploadedMap; }
    void SetUploadedMapName(const fw::CString& name) { m_strUploadedMap = name; }
    int32_t GetMapPointCount() const { return m_nMapPoints; }
    void SetMapPointCount(int32_t n) { m_nMapPoints = n; }
    void SetTitleText(const fw::CString& title) { m_strTestTitle = title; }

    CKivDataBoxArray& GetBoxArray() { return m_boxes; }
    CZELGridStyle* GetStyle(Style s) const { return m_styles[size_t(s)].get(); }
    CDataSPSetTank* GetDefinitions() const { return m_pDefinitions.get(); }
    CUseTankList& GetGpsChannels() { return m_gpsChannels; }
    IGraphTimeList& GetGpsGraphList() { return *m_pGpsGraph; }
    IGraphTimeList& GetCanGraphList() { return *m_pCanGraph; }

    // --- editing services (the views change the document only through them)
    // Only name (1), unit (13) and format (14) of a channel that is on.
    bool SetChannelTableText(int column, int viewColumn, int channel, const fw::CString& text, fw::CObject* view);
    bool IsChannelOn(int channel);
    bool InsertCalcChannels(int first, int last);
    bool DeleteCalcChannels(int first, int last);
    // Hint 13 (inserted) or 14 (deleted) to every graph page, for rows
    // first..last of the calculated channels.
    void NotifyCalcChannelsMoved(intptr_t hint, int first, int last);
    bool SetDefinitionText(int column, int row, const fw::CString& text, fw::CObject* view);
    bool SetDefinitionValue(int column, int row, int16_t value, fw::CObject* view);
    void ClearDefinitionCells(int firstColumn, int firstRow, int lastColumn, int lastRow);
    // Compiles every formula, then recalculates every calculated channel.
    void RecalculateAll();
    // Compiles the formulas of definition rows first..last into their
    // channels (errors stay with the channel's order).
    void CompileFormulas(int firstRow, int lastRow);
    void SetTimeUnit(int unit);
    void ApplyCanTimeUnit(int unit);
    void RebuildGpsChannels();
    void SendUpdateHint(fw::CObject* sender, int first, int last, int32_t flags) override;
    // Flags a view of `senderClass` adds for the columns first to last.
    static int32_t SenderFlags(const fw::CRuntimeClass* senderClass, int first, int last);

    // --- row operations over every channel (first and last inclusive);
    // the marks follow their samples, those on removed samples go.
    void InsertRows(int first, int last);
    void DeleteRows(int first, int last);
    void DeleteOutsideRows(int first, int last);
    // Keeps every (n + 1)-th sample; the internal clock slows to match.
    void Thin(int n);
    // Values per channel.
    int GetSampleCount();
    // Seconds between samples (the clock in milliseconds).
    double GetSampleInterval() const;
    // The caption of the measuring method.
    fw::CString GetMeasureMethodText() const;
    bool IsShowingMarkers() const { return m_bShowMarkers; }
    void SetShowMarkers(bool on) { m_bShowMarkers = on; }

    bool HasVoiceData() const { return m_voiceList.GetMaxIndex() >= 0 || m_nVoiceCount > 0; }
    bool HasGpsChannels() const { return m_gpsChannels.GetSize() > 0; }
    bool HasGpsTanks() { return m_boxes.GetGpsTanks().GetSize() > 0; }
    bool HasCanTanks() { return m_boxes.GetCanTanks().GetSize() > 0; }
    bool HasUsedChannels() { return m_useTanks.GetSize() > 0; }
    bool HasCanGpsVoiceData() { return HasVoiceData() || HasCanTanks() || HasGpsTanks() || HasGpsChannels(); }
    void SetVoiceCount(int n) { m_nVoiceCount = n; }
    // The recordings in the document's folder, rebuilt from the folder
    // after every load (hint 44 to the views). `remark` replaces the voice
    // marks by those of the recordings found; a load keeps the stored ones.
    CVoiceListObj& GetVoiceList() { return m_voiceList; }
    void LoadVoiceFiles(bool remark = true);

    // --- made at the end of a measurement
    // Fills the document from the project's newest measurement and saves it
    // into a new folder of the project's data folder; false when not saved.
    bool CreateFromProject(CKIV5980Doc& project);
    // "D%y%m%d%H%M%S" of the start, with "_1", "_2" ... while taken.
    static fw::CString NewDataFolderName(const fw::CString& dataFolder, double startTime);
    // CLK, PRENUM and EXT_CLK as the first control unit recorded them.
    void TakeUnitTimeBase(CBoxArray& system);

    // --- GPS map
    // The longitude and latitude tanks of the track; false without one.
    bool FindGpsPositionTanks(CDataTankObject*& longitude, CDataTankObject*& latitude);
    bool HasGpsData();
    // "GPSMAP.XML" in the document's folder; true when it exists.
    bool FindGpsMapFile(fw::CString& path) const;
    // False when the point count was not confirmed or the range is empty;
    // otherwise true, with `path` emptied when nothing was written.
    // Samples without a finite position are left out.
    bool WriteGpsMapFile(fw::CString& path, int16_t askMode, int first, int last);
    int GetSkippedMapPoints() const { return m_nSkippedMapPoints; }
    // True when the file was transferred now or before; the map name is
    // kept only after a transfer succeeded.
    bool UploadGpsMap(class CGpsMapUploader& uploader, const fw::CString& instanceId, double localTime,
                      fw::CString& error);

    static CZELGridStyle* CreateGridStyle(int a, int b, int c, int d, int e, int f, int g, int h);

private:
    void WriteHeader(fw::CArchive& ar);
    // False when the reader stops after the header.
    bool ReadHeader(fw::CArchive& ar);
    void WriteTitleBytes(fw::CArchive& ar) const;
    void ReadTitleBytes(fw::CArchive& ar);
    void CreateMainStyles();
    void CreateDefinitions();
    void BindDefinitions();
    void ReapplyDefinitions();
    void CopyDefinitionsFrom(CDataSPSetTank* source);
    void CreateUnit463Styles();
    void SerializeStyles(fw::CArchive& ar, Style first, Style last);
    void SerializeGraphLists(fw::CArchive& ar);
    void ReadTail(fw::CArchive& ar);
    void CopyHeaderToRecord();
    void AfterRowChange();
    void MoveMarks(int from, int32_t samples);

    int32_t m_nVersion = kVersion;
    CMMAHeader* m_pHeader = nullptr;     // not owned
    bool m_bHeaderOnly = false;
    double m_dStartTime = 0;
    int32_t m_nStartStatus = 0;
    double m_dCycleCount = 0;
    int16_t m_nMethod = 0;
    CADSetPrf m_adSet;
    CKivDataBoxArray m_boxes;
    std::array<std::unique_ptr<CZELGridStyle>, kStyleCount> m_styles;
    std::unique_ptr<CDataSPSetTank> m_pDefinitions;
    fw::CString m_strCardFile;
    fw::CString m_strUploadedMap;
    int32_t m_nMapPoints = 500;
    int m_nVoiceCount = 0;
    int m_nSkippedMapPoints = 0;
    bool m_bShowMarkers = true;
    CUseTankList m_gpsChannels;
    CVoiceListObj m_voiceList;
    std::unique_ptr<IGraphTimeList> m_pGpsGraph;
    std::unique_ptr<IGraphTimeList> m_pCanGraph;
    // What follows the channel files when no charting engine reads it: kept
    // as it came and written back.
    std::string m_tailBytes;
};
