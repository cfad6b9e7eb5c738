#pragma once

// The cache tank leaves. Each fixes the header (data type and display
// format), both markers and its unformatted display code. The date tank
// carries the float data type code over doubles, and the unsigned tank the
// signed one, as the files hold them.

#include "common/cache/CacheDataTank.h"

class CCacheFltDataTank : public CCacheDataTank<float> {
    FW_DECLARE_SERIAL(CCacheFltDataTank)
public:
    CCacheFltDataTank();

protected:
    int16_t GetUnformattedCode() const override;
};

class CCacheDblDataTank : public CCacheDataTank<double> {
    FW_DECLARE_SERIAL(CCacheDblDataTank)
public:
    CCacheDblDataTank();

protected:
    int16_t GetUnformattedCode() const override;
};

class CCacheDateDataTank : public CCacheDataTank<double> {
    FW_DECLARE_SERIAL(CCacheDateDataTank)
public:
    CCacheDateDataTank();

protected:
    int16_t GetUnformattedCode() const override;
};

class CCacheLongDataTank : public CCacheDataTank<int32_t> {
    FW_DECLARE_SERIAL(CCacheLongDataTank)
public:
    CCacheLongDataTank();

protected:
    int16_t GetUnformattedCode() const override;
};

class CCacheUnLongDataTank : public CCacheDataTank<uint32_t> {
    FW_DECLARE_SERIAL(CCacheUnLongDataTank)
public:
    CCacheUnLongDataTank();

protected:
    int16_t GetUnformattedCode() const override;
};
