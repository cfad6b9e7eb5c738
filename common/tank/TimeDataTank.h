#pragma once

// The time axis of a recording: value i is start + i * step; nothing is
// stored but the step, the start and the unit of the step.

#include "common/tank/DataTankObject.h"

class CTimeDataTank : public CDataTankObject {
    FW_DECLARE_SERIAL(CTimeDataTank)
public:
    // Units of the step, by index.
    enum : int32_t { kUnitMsec = 0, kUnitSec = 1, kUnitMin = 2, kUnitHour = 3, kUnitSamples = 4 };

    CTimeDataTank();

    // Base part, then accessor start, step, start time and unit index.
    void Serialize(fw::CArchive& ar) override;

    void InitMembers() override;
    void Clear() override;
    // Both only set the value count.
    bool Grow(int n, bool fill) override;
    bool SetSize(int n, bool fill) override;
    // The scale record follows the axis: minimum value 0, maximum value n - 1.
    void SetDataCount(int count) override;
    // start + index * step below the value count, else HUGE_VAL.
    double GetValue(int index) override;
    void GetValueText(int index, fw::CString& out, bool useFormat) override;
    // Copies nothing: a time axis is its step and start.
    bool CopyRange(int srcStart, int count, CDataTankObject* src, int dstStart) override;
    // Remembers start as the accessor start, where its cursors begin.
    CZELDataPoter* CreatePoter(int start, int count) override;

    virtual void SetInterval(double step);
    virtual double GetInterval() const;
    // Does not move the scale record (SetDataCount and SetInterval do).
    virtual void SetStartTime(double start);
    virtual double GetStartTime() const;
    virtual void SetUnitIndex(int unit);
    virtual int GetUnitIndex() const;
    // "msec", "sec", "min", "hour", "samples"; empty for another index.
    virtual void GetUnitText(fw::CString& out) const;

    int GetAccessorStart() const { return m_accessorStart; }

protected:
    int16_t GetUnformattedCode() const override;

private:
    void UpdateScaleFromAxis();
    void InitTimeMembers();

    int32_t m_accessorStart = 0;
    double m_step = 1.0;
    double m_startTime = 0.0;
    int32_t m_unitIndex = kUnitSec;
};
