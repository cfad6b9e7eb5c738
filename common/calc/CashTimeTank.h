#pragma once

// Time stamps of the records of the CAN/voice/GPS unit: unsigned 32-bit
// counts of milliseconds in a cache file, shown in a selectable unit. Values
// and scale values pass in the shown unit; the tank stores them multiplied
// by the unit's factor (milliseconds per shown unit).

#include "common/cache/CachePoters.h"
#include "common/cache/CacheTanks.h"

class CCashTimeTank : public CCacheUnLongDataTank {
    FW_DECLARE_SERIAL(CCashTimeTank)
public:
    enum : int32_t { kUnitMsec = 0, kUnitSec = 1, kUnitMin = 2, kUnitHour = 3, kUnitSamples = 4 };

    CCashTimeTank();

    // The unsigned cache tank's form, then the unit (int32).
    void Serialize(fw::CArchive& ar) override;

    bool SetValueText(int index, const fw::CString& text) override;
    void GetValueText(int index, fw::CString& out, bool useFormat) override;
    bool SetValue(int index, double value) override;
    double GetValue(int index) override;
    CZELDataPoter* CreatePoter(int start, int count) override;

    void UpdateMax(double x) override;
    void SetMax(double x) override;
    double GetMax() const override;
    void UpdateMin(double x) override;
    void SetMin(double x) override;
    double GetMin() const override;
    void SetFiniteAverage(double x) override;
    void SetAverage(double x) override;
    double GetAverage() const override;
    void GetMaxText(fw::CString& out, bool useFormat) const override;
    void GetMinText(fw::CString& out, bool useFormat) const override;
    void GetAverageText(fw::CString& out, bool useFormat) const override;

    // Sets the unit, its factor and the display format.
    virtual void SetTimeUnit(int unit);
    virtual int GetTimeUnit() const;
    virtual void GetTimeUnitName(fw::CString& out) const;
    virtual double GetTimeUnitFactor() const;

private:
    // A shown value in stored units; the empty marker for a non-finite one.
    double ToStored(double x) const;
    // A stored value (or scale value) in the shown unit; HUGE_VAL for none.
    double FromStored(double stored) const;
    void FormatShown(double x, fw::CString& out, bool useFormat) const;

    int32_t m_unit = kUnitMsec;
    double m_factor = 1.0;
};

// The unsigned cache cursor, answering in the tank's unit.
class CCacheTimePtr : public CCacheUnLongPtr {
    FW_DECLARE_DYNCREATE(CCacheTimePtr)
public:
    void Init(void* source, int start, int count) override;
    bool ReadNext(double& value) override;
    void SetPreset(bool flag, double max, double min) override;
    bool MaxMin(int start, int count, double& max, double& min) override;
    bool MaxMinAbove(int start, int count, double& max, double& min, double threshold) override;
    bool Average(int start, int count, double& average) override;

    double GetFactor() const { return m_factor; }

private:
    double m_factor = 1.0;
};

// First and last value are the tank's values at 0 and at count - 1 (in its
// unit), whatever the start, as for the time axis.
class CCacheTimeDataPoter : public CCacheUnLongDataPoter {
public:
    double GetFirstValue() override;
    double GetLastValue() override;
};
