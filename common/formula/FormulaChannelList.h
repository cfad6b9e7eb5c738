#pragma once

#include <cstdint>

class CDataCalcuOrder;

// What the formula engine needs of a data set's channel list: the orders of
// the channels (whose current results formulas read) and the stored values
// of the channel tanks (which history functions and block evaluation read).
// Channel indices: measured channel k at k - 1, the elapsed time at 499,
// calculated channel k at 499 + k.
class IFormulaChannelList {
public:
    // The order of the channel at `index`; null when there is no tank or no
    // order.
    virtual CDataCalcuOrder* GetOrder(int16_t index) = 0;

    // Whether the channel at `index` has a tank.
    virtual bool HasChannelTank(int16_t index) = 0;
    // Number of values the channel's tank holds (0 without a tank).
    virtual int32_t GetStoredCount(int16_t index) = 0;
    // Stored value at a 0-based value index; HUGE_VAL when the tank has no
    // value there.
    virtual double GetStoredValue(int16_t index, int32_t valueIndex) = 0;
    // Copies the stored values first .. first + count - 1 into `out` as
    // doubles, HUGE_VAL where the tank has none (or, for measured channels
    // that formulas must not read, everywhere). False without a tank.
    virtual bool ReadStoredValues(int16_t index, int32_t first, int32_t count, double* out) = 0;

protected:
    ~IFormulaChannelList() = default;
};
