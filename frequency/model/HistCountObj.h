#pragma once

// One frequency analysis: the settings it counted with, its overcounts and
// extremes, and its count table. Analyses are shared by reference count
// between the array that made them, frequency documents and graphs.

#include "common/tank/DataTankList.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cmath>
#include <cstdint>

class CDblDataTank;

// Year - 2000, month, day, hour, minute, second.
struct tHistTime {
    int16_t field[6];
};

class CHistCountObj : public fw::CObject {
    FW_DECLARE_SERIAL(CHistCountObj)
public:
    static constexpr int32_t kArchiveVersion = 5;

    CHistCountObj();
    ~CHistCountObj() override;
    CHistCountObj(const CHistCountObj&) = delete;
    CHistCountObj& operator=(const CHistCountObj&) = delete;

    // Whoever keeps a pointer holds a reference; a new analysis has one.
    void AddRef() { ++m_refCount; }
    // True when the last reference went; the caller then deletes it.
    bool Release() { return --m_refCount <= 0; }
    int GetRefCount() const { return m_refCount; }

    // Slices of both sides (never negative).
    int GetSliceCount() const;
    // Counts the instrument gives for this analysis: s for TIME and RAIN,
    // 2 x s otherwise.
    int GetWordCount() const;
    // Values of the count table as CreateCountTank sizes it: 4 x s for
    // PEAK/V, 3 x s for MAX/MIN, AMP and LEVEL, 2 x s for NONE OP and
    // FROM/TO (the one column of both sides that SetCounts fills), s for
    // TIME and RAIN.
    int GetTableSize() const;

    // A new count table of GetTableSize() zeros in place of the old one.
    void CreateCountTank();
    // Fills the table at `tankIndex` of the count tanks list from n counts
    // as they stand in the count file (unsigned, each side from its highest
    // slice down). An index outside the list: fw::CInvalidArgException.
    // False, with nothing changed, for a negative n or missing counts.
    bool SetCounts(int tankIndex, const uint32_t* counts, int n);
    // Re-orders the analysis for a negative scale factor; twice gives the
    // analysis back.
    void ReverseSides();
    const char* GetOperationText() const;

    // The count table, or nullptr when there is none.
    CDblDataTank* GetCountTank() const;
    CDataTankList& GetCountTanks() { return m_countTanks; }
    const CDataTankList& GetCountTanks() const { return m_countTanks; }

    void Serialize(fw::CArchive& ar) override;
    // Every analysis that loads takes a stamp from this counter, so that an
    // array can tell one read by its own ReadObject call from one the
    // archive hands back as read before.
    static uint64_t LoadStampNow();
    uint64_t GetLoadStamp() const { return m_loadStamp; }

    fw::CString m_name;
    float m_fullScale = 1000.0f;
    float m_hysteresis = 10.0f;
    int16_t m_inputChannel = 0;
    int16_t m_operation = 0;
    float m_sampleTime = 1.0f; // ms
    float m_crossLevel = 0.0f;
    int16_t m_plusSlices = 0;
    int16_t m_minusSlices = 0;
    uint32_t m_plusOver = 0;
    uint32_t m_minusOver = 0;
    float m_max = static_cast<float>(HUGE_VAL);
    float m_min = static_cast<float>(HUGE_VAL);
    float m_average = static_cast<float>(HUGE_VAL);
    tHistTime m_maxTime{};
    tHistTime m_minTime{};
    // The input channel's name, which the importer and the measuring
    // system take from the channel settings.
    fw::CString m_comment;
    int16_t m_sensorMode = 33;
    int16_t m_rawFullScale = 1000;
    int16_t m_rawHysteresis = 100;
    int16_t m_rawCrossLevel = 0;
    int16_t m_attenuation = 20000;
    int16_t m_filter = 0;
    int16_t m_filterKind = 0;
    float m_highPass = static_cast<float>(HUGE_VAL);
    int16_t m_dmc = 0;
    float m_coefficient = 1.0f;
    float m_capacity = static_cast<float>(HUGE_VAL);
    float m_ratedOutput = static_cast<float>(HUGE_VAL);
    int16_t m_displayFormat = 0;
    int16_t m_unitIndex = 29;
    fw::CString m_unitText;
    int16_t m_rjc = 1;
    float m_scaleFactor = static_cast<float>(HUGE_VAL);
    float m_intResolution = 1.0f;

private:
    void SerializeStore(fw::CArchive& ar);
    void SerializeLoad(fw::CArchive& ar);
    void UpgradeOldTable();

    CDataTankList m_countTanks;
    int16_t m_refCount = 1;
    uint64_t m_loadStamp = 0;
};

// Releases one reference and deletes the analysis at the last; null is
// left alone.
void ReleaseHistCount(CHistCountObj* entry);
