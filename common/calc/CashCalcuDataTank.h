#pragma once

// The calculated tank of the data sets: numeric results live in a cache
// tank (a temporary file with a window in memory), so that channels of many
// millions of values cost a file and a bounded buffer. It also keeps the
// running maximum and minimum the live monitor shows.
//
// The cache members act on the result tank when it is cache-backed (float,
// double, date or time-stamp cache tank) and otherwise do nothing and give
// the neutral answer noted beside each.

#include "common/calc/CalcuDataTank.h"

class CCashCalcuDataTank : public CCalcuDataTank {
    FW_DECLARE_SERIAL(CCashCalcuDataTank)
public:
    CCashCalcuDataTank();

    // Replaces the result tank only when a float (-1) or double (22, 23)
    // code meets a result tank of another value type.
    void SetKind(int32_t code) override;

    // The value part of a cache-backed result tank for its existing file;
    // 0 (nothing written) otherwise.
    virtual int SerializeCacheFile(fw::CArchive& ar, bool compress);

    bool IsCacheBacked() const;
    int SetCacheWindowPlacement(int mode);              // 0
    bool SetCacheWindowLength(int count);               // true
    bool ReleaseCacheWindow();                          // true
    bool CloseCacheFile();                              // true
    void* GetCacheWindowBuffer();                       // null
    bool CreateCacheFile();                             // true
    void SetCacheDirty(bool flag);                      // nothing
    int LoadCacheWindow(int start, int count, int placement, bool read); // count
    void SetCacheCompressed(int mode);                  // nothing

    // Running extremes of the current result (the live monitor).
    void ResetPeaks();
    void UpdatePeaks();
    // 0 the maximum, 1 the minimum, with the tank's format.
    void GetPeakText(fw::CString& out, int which) const;
    double GetPeakMax() const { return m_peakMax; }
    double GetPeakMin() const { return m_peakMin; }

    int16_t GetChannelNumber() const { return m_channelNumber; }
    void SetChannelNumber(int16_t number) { m_channelNumber = number; }

protected:
    std::unique_ptr<CDataTankObject> MakeResultTank(int32_t code) const override;

private:
    int16_t m_channelNumber = -1;
    double m_peakMax = HUGE_VAL;
    double m_peakMin = HUGE_VAL;
};
