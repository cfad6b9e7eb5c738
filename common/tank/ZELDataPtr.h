#pragma once

// Cursors: forward readers over a run of a tank's values that skip empty
// values and answer maximum, minimum and average. A cursor is made by a
// value accessor (CZELDataPoter::CreateCursor) and must not outlive it.
//
// The typed cursors read a contiguous run [m_pValue, m_pEnd) with tight
// loops, never a virtual call per value. A cursor that holds its values in
// windows (the cache cursors) keeps one window in that run and loads the
// next in LoadMore when the run is used up.

#include "framework/core/Object.h"

#include <cmath>
#include <cstdint>

class CTimeDataTank;

class CZELDataPtr : public fw::CObject {
    FW_DECLARE_DYNCREATE(CZELDataPtr)
public:
    CZELDataPtr();
    ~CZELDataPtr() override;

    // Typed cursors take the first value (T*); the time cursor takes its
    // CTimeDataTank; window cursors take their tank.
    virtual void Init(void* source, int start, int count);
    virtual void SetPreset(bool flag, double max, double min);
    // Only values above threshold count; see MaxMin for the preset.
    virtual bool MaxMinAbove(int start, int count, double& max, double& min, double threshold);
    // With a preset: the preset values (false unless both are finite),
    // nothing read. Otherwise over the valid values among `count` values
    // from `start`; false when none is valid. A call moves the cursor on:
    // a cursor is used for one pass.
    virtual bool MaxMin(int start, int count, double& max, double& min);
    // HUGE_VAL and false when no value is valid.
    virtual bool Average(int start, int count, double& average);
    // The current value and whether it is valid; moves to the next value.
    virtual bool ReadNext(double& value);
    virtual bool IsCurrentValid();
    virtual double GetAt(int index);
    // Up to n values as ReadNext gives them, with whether each is valid;
    // the count read (fewer only where a typed cursor's values end).
    // Typed cursors read their runs without a call per value.
    virtual int ReadBlock(double* values, uint8_t* valid, int n);

    int GetFirstIndex() const { return m_firstIndex; }
    int GetCount() const { return m_count; }
    bool HasPreset() const { return m_preset != 0; }
    double GetPresetMax() const { return m_presetMax; }
    double GetPresetMin() const { return m_presetMin; }

protected:
    // Moves the read position n values on (base: reads them).
    virtual void Skip(int64_t n);
    // Moves to the value the range operations start at: start - first index
    // values on from the read position; false when start lies before the
    // first index.
    bool SeekRangeStart(int start);

    uint8_t m_preset = 0;
    double m_presetMax = HUGE_VAL;
    double m_presetMin = HUGE_VAL;
    int32_t m_firstIndex = 0;
    int32_t m_count = 0;
};

template <class T> class CZELTypePtr : public CZELDataPtr {
public:
    using value_type = T;

    void Init(void* source, int start, int count) override;
    bool MaxMinAbove(int start, int count, double& max, double& min, double threshold) override;
    bool MaxMin(int start, int count, double& max, double& min) override;
    // Rounded to seven significant digits.
    bool Average(int start, int count, double& average) override;
    bool ReadNext(double& value) override;
    bool IsCurrentValid() override;
    // The value `index` places after the read position; HUGE_VAL outside
    // the values in reach.
    double GetAt(int index) override;
    int ReadBlock(double* values, uint8_t* valid, int n) override;
    virtual void SetEmptyMarker(T marker);

    T GetEmptyMarker() const { return m_emptyMarker; }
    bool IsValid(T v) const { return m_checkFinite ? std::isfinite(static_cast<double>(v)) : v != m_emptyMarker; }

protected:
    // checkFinite: float and double cursors take finite values; the others
    // take values other than their empty marker.
    CZELTypePtr(T emptyMarker, bool checkFinite);

    void Skip(int64_t n) override;
    // The run [m_pValue, m_pEnd) is used up; a window cursor loads its next
    // window there and answers true. Plain cursors have nothing more.
    virtual bool LoadMore();
    // Walks `count` values on from the read position, run by run as far as
    // there are values, handing each run [first, last) to visit.
    template <class Visit> void ForEachRun(int64_t count, Visit&& visit);

    const T* m_pValue = nullptr;
    const T* m_pEnd = nullptr;
    T m_emptyMarker;
    bool m_checkFinite;
};

extern template class CZELTypePtr<int16_t>;
extern template class CZELTypePtr<int32_t>;
extern template class CZELTypePtr<uint32_t>;
extern template class CZELTypePtr<float>;
extern template class CZELTypePtr<double>;

class CZELShortPtr : public CZELTypePtr<int16_t> {
    FW_DECLARE_DYNCREATE(CZELShortPtr)
public:
    CZELShortPtr();
};

class CZELLongPtr : public CZELTypePtr<int32_t> {
    FW_DECLARE_DYNCREATE(CZELLongPtr)
public:
    CZELLongPtr(); // marker 0 until the accessor gives the tank's
};

class CZELUnLongPtr : public CZELTypePtr<uint32_t> {
    FW_DECLARE_DYNCREATE(CZELUnLongPtr)
public:
    CZELUnLongPtr();
};

class CZELFloatPtr : public CZELTypePtr<float> {
    FW_DECLARE_DYNCREATE(CZELFloatPtr)
public:
    CZELFloatPtr();
};

class CZELDoublePtr : public CZELTypePtr<double> {
    FW_DECLARE_DYNCREATE(CZELDoublePtr)
public:
    CZELDoublePtr();
};

// Dates: every value but the empty marker (0.0) is valid.
class CZELDatePtr : public CZELTypePtr<double> {
    FW_DECLARE_DYNCREATE(CZELDatePtr)
public:
    CZELDatePtr();
};

// Reads a time tank through its GetValue; the time axis rises, so its
// extremes are its ends.
class CZELTimePtr : public CZELDataPtr {
    FW_DECLARE_DYNCREATE(CZELTimePtr)
public:
    CZELTimePtr();

    // source: the CTimeDataTank; reading starts at its accessor start.
    void Init(void* source, int start, int count) override;
    bool MaxMinAbove(int start, int count, double& max, double& min, double threshold) override;
    bool MaxMin(int start, int count, double& max, double& min) override;
    bool ReadNext(double& value) override;
    bool IsCurrentValid() override;
    double GetAt(int index) override;

    CTimeDataTank* GetTank() const { return m_tank; }

protected:
    void Skip(int64_t n) override;

    CTimeDataTank* m_tank = nullptr;
    int32_t m_index = 0;
};
