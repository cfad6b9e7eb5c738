#pragma once

// The frequency analyses of one record (or of a measuring system, one per
// system channel, null where a channel has none) with the record's times.
// The array holds one reference per analysis.

#include "frequency/model/HistCountObj.h"
#include "framework/core/Collections.h"

#include <cstdint>
#include <span>

class CHistCountArray : public fw::CTypedPtrArray<fw::CObArray, CHistCountObj*> {
    FW_DECLARE_SERIAL(CHistCountArray)
public:
    // Bytes of the count file before the per-analysis blocks.
    static constexpr size_t kCountFileHead = 256;
    static constexpr size_t kOverBytes = 8;
    static constexpr size_t kExtremeBytes = 32;
    static constexpr int kMaxSeries = 80;

    CHistCountArray();
    ~CHistCountArray() override;
    CHistCountArray(const CHistCountArray&) = delete;
    CHistCountArray& operator=(const CHistCountArray&) = delete;

    // Releases every analysis (deleted at its last reference) and empties.
    void RemoveAll();
    // Releases and removes the analyses from `first` to the end.
    void RemoveFrom(int first);

    // The keyword header of a frequency record of control unit `block`:
    // appends one analysis per series and fills its settings. False at the
    // first value that does not parse; what was appended stays.
    bool ReadHedHeader(const char* header, int block);
    // Bytes the count file must hold for the analyses from `first` on.
    size_t GetCountFileSize(int first) const;
    // Fills the analyses from `first` to the end from the count file. False,
    // with nothing changed, when the file is shorter than they need or an
    // analysis has a negative slice total. `first` outside 0..size:
    // fw::CInvalidArgException.
    bool ReadDatCounts(std::span<const uint8_t> bytes, int first);

    void Serialize(fw::CArchive& ar) override;

    char m_mode = ' ';
    tHistTime m_startTime{{-1, -1, -1, -1, -1, -1}};
    tHistTime m_endTime{{-10, -10, -10, -10, -10, -10}};
    int32_t m_measuringTime = 0;
    float m_rate = 0.0f;
};
