#pragma once

// Bulk reads and writes of channel values for the calculation: whole runs
// of a tank's values as doubles, without a virtual call per value where the
// tank's class allows it. Calculated tanks are read and written through
// their result tank.

#include "common/cache/CacheTanks.h"
#include "common/tank/DataTank.h"

#include <cstdint>
#include <vector>

class CCashTimeTank;

// The tank that holds the values: a calculated tank's result tank, else the
// tank itself.
CDataTankObject* ValueTankOf(CDataTankObject* tank);

// Calls f with the tank as its cache tank type when it is one of the cache
// tanks a calculated channel uses (float, double, date, time stamps);
// answers whether it was.
template <class F> bool VisitCacheTank(CDataTankObject* tank, F&& f)
{
    if (auto* t = dynamic_cast<CCacheDataTank<float>*>(tank)) {
        f(*t);
        return true;
    }
    if (auto* t = dynamic_cast<CCacheDataTank<double>*>(tank)) {
        f(*t);
        return true;
    }
    if (auto* t = dynamic_cast<CCacheDataTank<uint32_t>*>(tank)) {
        f(*t);
        return true;
    }
    if (auto* t = dynamic_cast<CCacheDataTank<int32_t>*>(tank)) {
        f(*t);
        return true;
    }
    return false;
}

// Values first .. first + count - 1 of the tank as doubles; HUGE_VAL for an
// empty value (the tank's empty marker, a non-finite value) and beyond the
// tank's values. False without a tank.
bool ReadTankValues(CDataTankObject* tank, int32_t first, int32_t count, double* out);

// A run of a channel's values read once and handed out piece by piece as
// doubles, exactly as ReadTankValues gives them. Single-precision cache
// tanks keep their floats (half the memory, and one pass over the values
// less); other tanks keep doubles.
class CalcValueRow {
public:
    void Load(CDataTankObject* tank, int32_t first, int32_t count);
    // The run given as it is (a formula's results, before they are stored).
    void Keep(int32_t first, int32_t count, const double* values);
    bool Holds(int32_t first, int32_t count) const { return first == m_first && count == m_count; }
    // Values first .. first + count - 1, which must lie in the loaded run.
    void Copy(int32_t first, int32_t count, double* out) const;

private:
    int32_t m_first = -1;
    int32_t m_count = 0;
    bool m_floats = false;
    std::vector<float> m_f;
    std::vector<double> m_d;
};

// What a store of results met: values the tank cannot hold, stored as its
// empty marker instead.
struct CalcStoreTally {
    int32_t refused = 0;
    int32_t firstRefused = -1;  // value index
    void Note(int32_t index)
    {
        if (refused++ == 0)
            firstRefused = index;
    }
};

// The running sum of the values stored into one channel, in index order,
// so that its average needs no second pass over its file. It is exact only
// while every run stored could be added up (single-precision tanks); the
// sum of valid values in index order is what the average of the tank's
// cursor adds up, bit for bit.
struct CalcValueSum {
    double sum = 0.0;
    int64_t count = 0;
    bool exact = true;
};

// Stores n results from value index `first`, growing the tank as needed,
// and widens its scale maximum and minimum by the stored values. A result
// that is not finite is stored as empty; one the tank's range refuses is
// stored as empty and noted in the tally. False when a value could not be
// stored at all (a file error). With `sum`, the stored values are added to it.
bool StoreTankValues(CDataTankObject* tank, int32_t first, int32_t n, const double* values, CalcStoreTally& tally,
                     CalcValueSum* sum = nullptr);

// The empty marker of the tank at one index.
bool StoreEmptyValue(CDataTankObject* tank, int32_t index);
