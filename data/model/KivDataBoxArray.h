#pragma once

// The measuring system as a measurement-data document keeps it: the boxes
// with their channel attribute tables, the channel tanks, the GPS and CAN
// tanks, each channel's source code and the recording's markers. The
// channel values do not travel in the document's own archive but in one
// file per channel beside it; a save stages those files and the document
// commits them only once the whole save succeeded.

#include "common/calc/GpsCanTankLists.h"
#include "common/calc/KivSPTankData.h"
#include "common/tank/DataBoxArray.h"
#include "instrument/system/MarkerList.h"

#include <functional>
#include <string>
#include <vector>

struct CMMAHeader;
class CBoxArray;

class CKivDataBoxArray : public CDataBoxArray {
public:
    static constexpr int kMaxFileChannel = 320;

    CKivDataBoxArray();
    ~CKivDataBoxArray() override;

    // Boxes, channel tanks, the per-channel files, "<GPSDATA>", "<MARKER>".
    void Serialize(fw::CArchive& ar) override;
    // Name (1), unit (13) and format (14) also change the channel's tank.
    bool SetChannelText(int channel, int column, const fw::CString& text) override;
    bool SetChannelValue(int channel, int column, double value) override;

    // The boxes, channel table, tanks, marks, GPS and CAN tanks of the
    // project's measuring system; false (reported) after an error.
    bool BuildFromProject(CBoxArray& system);

    void WriteChannelLists(fw::CArchive& ar);
    // Without a header record the lists are only read past.
    void ReadChannelLists(fw::CArchive& ar, CMMAHeader* header);
    // Saving writes a staged file (committed by CommitChannelFiles); loading
    // reads `path`. A file that cannot be opened throws a file exception.
    void SaveOrLoadChannelFile(fw::CArchive& ar, const fw::CString& path, CDataTankObject* tank);
    // The pair found from `start` on, answered as the index where the walk
    // stopped; the channel count (and at least one -1) when none.
    int FindGpsPositionChannels(int start, bool raw, int& longitude, int& latitude) const;

    // Renames the staged channel files over their names; false (the rest
    // removed) when one could not be renamed.
    bool CommitChannelFiles();
    // Removes the staged files of a save that failed.
    void DiscardChannelFiles();

    // The file name of channel index i in its list ("CH", "NO", "GPS",
    // "CAN"); empty when the index gets no file.
    static fw::CString ChannelFileName(int index);

    int GetChannelCount() const { return GetRowMap().GetSize(); }
    CKivSPTankData& GetTankList() { return m_tanks; }
    CGpsDataTankList& GetGpsTanks() { return m_gpsTanks; }
    CCanDataTankList& GetCanTanks() { return m_canTanks; }
    std::vector<int16_t>& GetSourceCodes() { return m_sourceCodes; }
    CMarkerList& GetMarkers() { return m_markers; }
    void SetCompressFiles(bool on) { m_bCompress = on; }
    // The folder of the channel files; the archive's file when empty.
    void SetFolder(const fw::CString& folder) { m_folder = folder; }
    // Deletes the marks `keep` refuses; the others stay in their order.
    void KeepMarkers(const std::function<bool(const CMarkerObj&)>& keep);
    // The marks alone, in their archive form (an undo record keeps them).
    void SerializeMarkerList(fw::CArchive& ar) { SerializeMarkers(ar); }

private:
    void SerializeChannelFiles(fw::CArchive& ar, const fw::CString& folder);
    void SerializeGpsCan(fw::CArchive& ar, const fw::CString& folder);
    void SerializeSourceCodes(fw::CArchive& ar);
    void SerializeMarkers(fw::CArchive& ar);
    fw::CString FolderFor(fw::CArchive& ar) const;
    void WriteList(fw::CArchive& ar, int first, int last, bool typeLetter);
    void ReadList(fw::CArchive& ar, CMMAHeader* header, bool first);

    CKivSPTankData m_tanks;
    CGpsDataTankList m_gpsTanks;
    CCanDataTankList m_canTanks;
    std::vector<int16_t> m_sourceCodes;
    CMarkerList m_markers;
    // (staged path, final path) of the save in progress.
    std::vector<std::pair<std::string, std::string>> m_staged;
    fw::CString m_folder;
    bool m_bCompress = false;
};
