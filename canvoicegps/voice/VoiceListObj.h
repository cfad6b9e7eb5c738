#pragma once

// The recordings of a document's data folder: file title, sub-folder,
// recording date and start time (seconds from the start of the
// measurement) of each. The dates and start times are two tanks of a tank
// list, so that the list's views show them like any table column. Stored
// inside its document: the highest index, the file titles and the tank
// list; the folders come back when the document scans its folder again.

#include "common/tank/DataTankList.h"
#include "framework/core/Collections.h"
#include "framework/core/CString.h"

#include <functional>

class CDateDataTank;
class CDblDataTank;

class CVoiceListObj {
public:
    CVoiceListObj();
    virtual ~CVoiceListObj();
    CVoiceListObj(const CVoiceListObj&) = delete;
    CVoiceListObj& operator=(const CVoiceListObj&) = delete;

    // Makes the two tanks of a new list, or binds those of a loaded one.
    void CreateTanks();
    // Grows the list to n + 1 recordings; a smaller n changes nothing.
    void SetMaxIndex(int n);
    void SetFileName(int n, const fw::CString& title);
    void SetFolderName(int n, const fw::CString& folder);
    bool SetRecordDate(int n, double dateTime);
    void SetStartTime(int n, double seconds);
    void RemoveAll();

    int GetMaxIndex() const { return m_nMaxIndex; }
    // Empty above the highest index; a negative index throws
    // fw::CInvalidArgException.
    fw::CString GetFileName(int n) const;
    fw::CString GetFolderName(int n) const;
    void GetStartTimeText(int n, fw::CString& out) const;
    double GetRecordDate(int n) const;
    bool FindRecording(const fw::CString& title, const fw::CString& folder) const;
    // The recording's file in `dataFolder`.
    fw::CString RecordingPath(const fw::CString& dataFolder, int n) const;
    // Starts playing recording n through the installed player; 0 when it
    // cannot be opened. `finished` runs when it has played to its end.
    unsigned PlayRecording(const fw::CString& dataFolder, int n, std::function<void()> finished) const;

    CDataTankList& Tanks() { return m_tankList; }
    CDateDataTank* DateTank() const { return m_pDateTank; }
    CDblDataTank* StartTimeTank() const { return m_pStartTank; }

    virtual void Serialize(fw::CArchive& ar);

private:
    void CheckIndex(int n, const fw::CStringArray& names) const;
    void GrowTo(int n);

    int32_t m_nMaxIndex = -1;
    CDataTankList m_tankList;
    CDateDataTank* m_pDateTank = nullptr;
    CDblDataTank* m_pStartTank = nullptr;
    fw::CStringArray m_fileNames;
    fw::CStringArray m_folderNames;
};
