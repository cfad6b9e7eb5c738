#include "common/calc/CalcTankAccess.h"

#include "common/calc/CalcuDataTank.h"
#include "common/calc/CashTimeTank.h"
#include "common/tank/StringDataTank.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <exception>
#include <vector>

namespace {

template <class T> void ConvertRun(const T* src, int32_t n, T marker, double* out)
{
    for (int32_t j = 0; j < n; ++j) {
        const double v = static_cast<double>(src[j]);
        out[j] = (src[j] == marker || !(std::fabs(v) <= DBL_MAX)) ? HUGE_VAL : v;
    }
}

// Floats: the empty marker is the only non-finite value a tank holds on
// purpose; a run without any converts in a loop the compiler vectorises.
template <> void ConvertRun<float>(const float* src, int32_t n, float, double* out)
{
    for (int32_t j = 0; j < n; ++j) {
        const float v = src[j];
        out[j] = std::fabs(v) <= FLT_MAX ? static_cast<double>(v) : HUGE_VAL;
    }
}

template <class T> bool ReadCacheRun(CCacheDataTank<T>& tank, int32_t first, int32_t n, double* out)
{
    if (first >= tank.GetWindowStart() && first + n - 1 <= tank.GetWindowEnd()) {
        ConvertRun(tank.GetWindowBuffer() + (first - tank.GetWindowStart()), n, tank.GetEmptyMarker(), out);
        return true;
    }
    thread_local std::vector<T> buffer;
    if (buffer.size() < size_t(n))
        buffer.resize(size_t(n));
    if (!tank.ReadValues(first, n, buffer.data()))
        return false;
    ConvertRun(buffer.data(), n, tank.GetEmptyMarker(), out);
    return true;
}

template <class T> bool ReadArrayRun(CDataTank<T>& tank, int32_t first, int32_t n, double* out)
{
    const auto values = tank.Values();
    if (int64_t(first) + n > int64_t(values.size()))
        return false;
    ConvertRun(values.data() + first, n, tank.GetEmptyMarker(), out);
    return true;
}

// The run within the tank's values, by the fastest way its class allows.
bool ReadRun(CDataTankObject* t, int32_t first, int32_t n, double* out)
{
    if (dynamic_cast<CCashTimeTank*>(t) == nullptr) {
        bool done = false;
        bool ok = false;
        done = VisitCacheTank(t, [&](auto& cache) { ok = ReadCacheRun(cache, first, n, out); });
        if (done)
            return ok;
        if (auto* a = dynamic_cast<CDataTank<float>*>(t))
            return ReadArrayRun(*a, first, n, out);
        if (auto* a = dynamic_cast<CDataTank<double>*>(t))
            return ReadArrayRun(*a, first, n, out);
        if (auto* a = dynamic_cast<CDataTank<int32_t>*>(t))
            return ReadArrayRun(*a, first, n, out);
        if (auto* a = dynamic_cast<CDataTank<int16_t>*>(t))
            return ReadArrayRun(*a, first, n, out);
        if (auto* a = dynamic_cast<CDataTank<uint32_t>*>(t))
            return ReadArrayRun(*a, first, n, out);
    }
    for (int32_t j = 0; j < n; ++j) {
        const double v = t->GetValue(first + j);
        out[j] = std::isfinite(v) ? v : HUGE_VAL;
    }
    return true;
}

// A float fits a float tank: 0, the empty marker, or a normal magnitude.
inline bool FitsFloatTank(double v)
{
    const double a = std::fabs(v);
    return v == HUGE_VAL || v == 0.0 || (a >= FLT_MIN && a <= FLT_MAX);
}

// Writes a run that fits into float storage and widens the scale record.
void WriteFloatRun(CDataTankObject* t, float* dst, int32_t n, const double* values)
{
    double hi = -HUGE_VAL;
    double lo = HUGE_VAL;
    for (int32_t j = 0; j < n; ++j) {
        const double v = values[j];
        dst[j] = static_cast<float>(v);
        const bool value = v != HUGE_VAL;
        hi = value && v > hi ? v : hi;
        lo = value && v < lo ? v : lo;
    }
    if (hi != -HUGE_VAL) {
        t->UpdateMax(hi);
        t->UpdateMin(lo);
    }
}

// The float run [first, first + n) in memory, or null when the tank keeps
// it elsewhere.
float* FloatRunOf(CDataTankObject* t, int32_t first, int32_t n)
{
    if (auto* cache = dynamic_cast<CCacheFltDataTank*>(t)) {
        auto inWindow = [&] { return first >= cache->GetWindowStart() && first + n - 1 <= cache->GetWindowEnd(); };
        if (!inWindow()) {
            // Moves the window to the run, as the tank places it.
            float v = 0.0f;
            cache->GetAt(first, v);
            cache->SetAt(first, v);
        }
        if (!inWindow())
            return nullptr;
        cache->SetDirty(true);
        return cache->GetWindowBuffer() + (first - cache->GetWindowStart());
    }
    if (dynamic_cast<CCacheDataTank<float>*>(t) != nullptr)
        return nullptr;
    if (auto* a = dynamic_cast<CDataTank<float>*>(t)) {
        auto values = a->Values();
        if (int64_t(first) + n <= int64_t(values.size()))
            return values.data() + first;
    }
    return nullptr;
}

bool StoreOne(CDataTankObject* t, int32_t index, double v, CalcStoreTally& tally)
{
    if (v == HUGE_VAL)
        return StoreEmptyValue(t, index);
    if (!std::isfinite(v) || !t->CheckValue(v)) {
        tally.Note(index);
        return StoreEmptyValue(t, index);
    }
    return t->SetValue(index, v);
}

} // namespace

CDataTankObject* ValueTankOf(CDataTankObject* tank)
{
    if (auto* calc = dynamic_cast<CCalcuDataTank*>(tank))
        return calc->GetResultTank();
    return tank;
}

bool ReadTankValues(CDataTankObject* tank, int32_t first, int32_t count, double* out)
{
    CDataTankObject* t = ValueTankOf(tank);
    if (!t)
        return false;
    if (count <= 0)
        return true;
    const int32_t stored = std::max(t->GetDataCount(), 0);
    const int32_t lo = std::clamp(first, 0, stored);
    const int32_t hi = static_cast<int32_t>(std::clamp<int64_t>(int64_t(first) + count, lo, stored));
    std::fill(out, out + (lo - first), HUGE_VAL);
    bool ok = true;
    if (hi > lo) {
        try {
            ok = ReadRun(t, lo, hi - lo, out + (lo - first));
        } catch (const std::exception&) {
            ok = false;
        }
        if (!ok)
            std::fill(out + (lo - first), out + (hi - first), HUGE_VAL);
    }
    std::fill(out + (hi - first), out + count, HUGE_VAL);
    return true;
}

bool StoreTankValues(CDataTankObject* tank, int32_t first, int32_t n, const double* values, CalcStoreTally& tally)
{
    CDataTankObject* t = ValueTankOf(tank);
    if (!t || first < 0 || n < 0)
        return false;
    if (n == 0)
        return true;
    if (t->GetDataCount() < first + n && !t->Grow(first + n, true))
        return false;

    double misfits = 0.0;
    for (int32_t j = 0; j < n; ++j)
        misfits += FitsFloatTank(values[j]) ? 0.0 : 1.0;
    if (misfits == 0.0) {
        if (float* dst = FloatRunOf(t, first, n)) {
            WriteFloatRun(t, dst, n, values);
            return true;
        }
    }

    // Value by value, without a range prompt per refused value: they are
    // tallied and reported once by the caller.
    const bool prompts = t->GetReportRangeErrors();
    if (prompts)
        t->SetReportRangeErrors(false);
    bool ok = true;
    for (int32_t j = 0; j < n && ok; ++j)
        ok = StoreOne(t, first + j, values[j], tally);
    if (prompts)
        t->SetReportRangeErrors(true);
    return ok;
}

bool StoreEmptyValue(CDataTankObject* tank, int32_t index)
{
    CDataTankObject* t = ValueTankOf(tank);
    if (!t || index < 0)
        return false;
    auto store = [&](auto& typed) {
        return typed.Grow(index + 1, true) && typed.SetAt(index, typed.GetEmptyMarker());
    };
    if (auto* a = dynamic_cast<CDataTank<float>*>(t))
        return store(*a);
    if (auto* a = dynamic_cast<CDataTank<double>*>(t))
        return store(*a);
    if (auto* a = dynamic_cast<CDataTank<int32_t>*>(t))
        return store(*a);
    if (auto* a = dynamic_cast<CDataTank<int16_t>*>(t))
        return store(*a);
    if (auto* a = dynamic_cast<CDataTank<uint32_t>*>(t))
        return store(*a);
    if (dynamic_cast<CStringDataTank*>(t) != nullptr)
        return t->SetValueText(index, fw::CString());
    // A computed axis stores nothing.
    return true;
}
