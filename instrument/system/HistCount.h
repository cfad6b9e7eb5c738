#pragma once

// The frequency-count entries the measuring system keeps while it measures:
// one analysis per frequency number, with the settings it was described by
// and the counts of its slices. This is the part the measuring system
// builds and fills; the frequency documents and graphs read it.

#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

class CHistCountObj {
public:
    // Defaults of a new analysis: full scale 1000, hysteresis 10 %, sample
    // time 1 ms, and one reference held by the creator.
    CHistCountObj() = default;
    CHistCountObj(const CHistCountObj&) = delete;
    CHistCountObj& operator=(const CHistCountObj&) = delete;

    void AddRef() { ++m_refs; }
    // True when the last reference went; the caller then deletes the entry.
    bool Release() { return --m_refs <= 0; }
    int GetRefCount() const { return m_refs; }

    // Sizes the counts from the operation and the two slice counts: one word
    // per slice for operations 4 and 6, two otherwise. All counts 0.
    void CreateCountTank();
    // Words the control unit sends for this analysis.
    int GetWordCount() const;
    // Counts read from the control unit, from word `first` on; false (and
    // nothing changed) when they do not fit.
    bool SetCounts(int first, const int32_t* words, int wordCount);
    // Swaps the plus and minus sides of the counts (a negative coefficient
    // turns the input around).
    void ReverseSides();
    const std::vector<int32_t>& GetCounts() const { return m_counts; }

    fw::CString m_name;
    int16_t m_inputChannel = 0;
    int16_t m_operation = 0;
    float m_fullScale = 1000.0f;
    float m_hysteresis = 10.0f;
    float m_crossLevel = 0.0f;      // the value of code 2007
    int16_t m_rawFullScale = 0;
    int16_t m_rawHysteresis = 0;
    int16_t m_rawCrossLevel = 0;    // the value of code 108
    float m_sampleTime = 1.0f;      // ms
    int16_t m_plusSlices = 0;       // code 110
    int16_t m_minusSlices = 0;      // code 109
    fw::CString m_channelText;
    fw::CString m_channelName;

private:
    int m_refs = 1;
    std::vector<int32_t> m_counts;
};

// The entries of a measuring system, one per system channel; entries may be
// null. Holds one reference per entry.
class CHistCountArray {
public:
    CHistCountArray() = default;
    ~CHistCountArray();
    CHistCountArray(const CHistCountArray&) = delete;
    CHistCountArray& operator=(const CHistCountArray&) = delete;

    int GetSize() const { return static_cast<int>(m_entries.size()); }
    // Index outside the array: fw::CInvalidArgException.
    CHistCountObj* GetAt(int index) const;
    // The slot itself, for code that keeps the array's reference in step.
    CHistCountObj*& ElementAt(int index);
    // Takes the caller's reference over; the entry that stood there loses one.
    void SetAt(int index, CHistCountObj* entry);
    void Add(CHistCountObj* entry) { m_entries.push_back(entry); }
    // Releases every entry (deleted at its last reference) and empties.
    void RemoveAll();

private:
    std::vector<CHistCountObj*> m_entries;
};

// Releases one reference of an entry and deletes it at the last; null is
// left alone.
void ReleaseHistCount(CHistCountObj* entry);
