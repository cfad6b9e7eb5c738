#pragma once

// Time marks on recorded data: the instrument's marks from a recorded-data
// header, the marks of voice recordings, and the marks a user sets in a
// graph. A measuring system or a data document keeps them in one list in
// time order; the graphs that draw them only point at them.

#include "framework/core/CString.h"
#include "framework/core/Collections.h"
#include "framework/core/DateTime.h"
#include "framework/core/Object.h"

#include <cstdint>

class CMarkerObj : public fw::CObject {
    FW_DECLARE_SERIAL(CMarkerObj)
public:
    CMarkerObj() = default;
    CMarkerObj(const fw::COleDateTime& date, int32_t index) : m_date(date), m_nIndex(index) {}

    // The date (status, then days), then the sample index.
    void Serialize(fw::CArchive& ar) override;
    // A plain mark has nothing to play.
    virtual void Play() const {}

    void Set(int32_t index, const fw::COleDateTime& date);
    // A move back past the first sample puts the mark on sample 0 and keeps
    // its moment, so that a mark is never lost off the front.
    void Move(int32_t samples, double interval);

    int32_t GetSampleIndex() const { return m_nIndex; }
    const fw::COleDateTime& GetDate() const { return m_date; }

    // Half a second apart or less counts as the same moment: marks of the
    // instrument and of the graphs are set to the second.
    static bool SameTime(const CMarkerObj& a, const CMarkerObj& b);
    // `a` is earlier than `b` or at the same moment.
    static bool AtOrBefore(const CMarkerObj& a, const CMarkerObj& b);

protected:
    fw::COleDateTime m_date;
    int32_t m_nIndex = -1;
};

// The mark of a voice recording; activating it plays the recording.
class CVoiceMarkerObj : public CMarkerObj {
    FW_DECLARE_SERIAL(CVoiceMarkerObj)
public:
    CVoiceMarkerObj() = default;
    CVoiceMarkerObj(const fw::COleDateTime& date, int32_t index, const fw::CString& path)
        : CMarkerObj(date, index), m_strPath(path)
    {
    }

    void Serialize(fw::CArchive& ar) override;
    void Play() const override;
    const fw::CString& GetPath() const { return m_strPath; }

private:
    fw::CString m_strPath;
};

// Where a voice mark's recording is played: the program installs its
// sound output (fw::Install); without one nothing is heard.
class IMarkerSound {
public:
    virtual ~IMarkerSound() = default;
    // Returns at once; a missing file is the player's matter.
    virtual void PlayFileAsync(const fw::CString& path) = 0;
};

// The marks of one recording in ascending time; the list owns them.
class CMarkerList : public fw::CTypedPtrList<fw::CObList, CMarkerObj*> {
public:
    CMarkerList() = default;
    ~CMarkerList() override { DeleteAll(); }

    // The object-list form; every entry must be a mark (plain or voice).
    void Serialize(fw::CArchive& ar) override;

    // After every mark at or before it (from the tail), else at the head.
    // The list owns the mark from now on.
    void InsertByTime(CMarkerObj* mark);
    CMarkerObj* FindByIndex(int32_t index) const;
    void RemoveVoiceMarkers();
    // Deletes every mark and empties the list.
    void DeleteAll();
    // Hands every mark of `other` over, in its order, to the end of this
    // list (a data document takes the marks of its measurement).
    void TakeAllFrom(CMarkerList& other);

    // The "MARK n" entries of a recorded-data header: mark n stands on
    // sample n - 1. An entry without a number, mark 0, or a number beyond
    // the sample indexes adds nothing. Returns the number of marks added.
    int LoadFromHeader(const char* header);
    // The mark of a recording `offset` seconds after the start of the data,
    // on the first sample at or after it; `name` is the recording's file
    // title ("sub\\title" allowed) in `folder`.
    void AddVoiceMarker(const fw::CString& folder, const fw::CString& name, const fw::COleDateTime& recorded,
                        double offset, double interval);
};
