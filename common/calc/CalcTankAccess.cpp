#include "common/calc/CalcTankAccess.h"

#include "common/calc/CalcuDataTank.h"
#include "common/calc/CashTimeTank.h"
#include "common/tank/StringDataTank.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <exception>
#include <limits>
#include <vector>

namespace {

template <class T> void ConvertRun(const T* src, int32_t n, T marker, double* out)
{
    for (int32_t j = 0; j < n; ++j) {
        const double v = static_cast<double>(src[j]);
        out[j] = (src[j] == marker || !(std::fabs(v) <= DBL_MAX)) ? HUGE_VAL : v;
    }
}

// Runs f(j) for j in [0, n): whole pieces of a fixed length first, which
// the compiler vectorises at -O2 (it does so only for trip counts it knows
// to be whole multiples of the vector), then the rest one by one.
constexpr int32_t kPiece = 256;
template <class F> inline void ForPieces(int32_t n, F f)
{
    int32_t j = 0;
    for (; j + kPiece <= n; j += kPiece)
        for (int32_t k = 0; k < kPiece; ++k)
            f(j + k);
    for (; j < n; ++j)
        f(j);
}

// Floats: the empty marker is the only non-finite value a tank holds on
// purpose; written without branches, so that it vectorises.
template <> void ConvertRun<float>(const float* src, int32_t n, float, double* out)
{
    ForPieces(n, [&](int32_t j) {
        const double v = static_cast<double>(src[j]);
        out[j] = std::fabs(v) <= double(FLT_MAX) ? v : HUGE_VAL;
    });
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

// Adds the valid stored values in index order, as the float cursor's
// average does. Adding 0.0 for an empty value leaves the sum as it is.
void AddFloatRun(const float* src, int32_t n, CalcValueSum& sum)
{
    double s = sum.sum;
    int64_t k = 0;
    for (int32_t j = 0; j < n; ++j) {
        const float v = src[j];
        const bool ok = std::fabs(v) <= FLT_MAX;
        s += ok ? static_cast<double>(v) : 0.0;
        k += ok ? 1 : 0;
    }
    sum.sum = s;
    sum.count += k;
}

// Whether some value does not fit a float tank. A flag chosen by selection
// (not a count, whose additions would run one after the other) vectorises.
bool AnyMisfit(const double* values, int32_t n)
{
    int32_t j = 0;
#if defined(__SSE2__)
    // Two values at a time; the compiler does not vectorise a search.
    const __m128d inf = _mm_set1_pd(HUGE_VAL);
    const __m128d zero = _mm_setzero_pd();
    const __m128d least = _mm_set1_pd(FLT_MIN);
    const __m128d most = _mm_set1_pd(FLT_MAX);
    const __m128d sign = _mm_set1_pd(-0.0);
    __m128d bad = _mm_setzero_pd();
    for (; j + 2 <= n; j += 2) {
        const __m128d v = _mm_loadu_pd(values + j);
        const __m128d a = _mm_andnot_pd(sign, v);
        const __m128d fits = _mm_or_pd(_mm_or_pd(_mm_cmpeq_pd(v, inf), _mm_cmpeq_pd(v, zero)),
                                       _mm_and_pd(_mm_cmpge_pd(a, least), _mm_cmple_pd(a, most)));
        bad = _mm_or_pd(bad, _mm_xor_pd(fits, _mm_castsi128_pd(_mm_set1_epi32(-1))));
    }
    if (_mm_movemask_pd(bad) != 0)
        return true;
#endif
    for (; j < n; ++j)
        if (!FitsFloatTank(values[j]))
            return true;
    return false;
}

// The run converted to floats; false (and nothing to keep) when a value
// does not fit a float tank. Without branches, so that it vectorises.
bool ConvertFittingRun(const double* values, int32_t n, float* dst)
{
    if (AnyMisfit(values, n))
        return false;
    ForPieces(n, [&](int32_t j) { dst[j] = static_cast<float>(values[j]); });
    return true;
}

// The scale extremes of a converted run, and its sum in index order. The
// additions run one after the other; the extremes fit beside them.
void WidenAndAddFloatRun(CDataTankObject* t, const float* dst, int32_t n, const double* values, CalcValueSum& sum)
{
    double hi = -HUGE_VAL;
    double lo = HUGE_VAL;
    double s = sum.sum;
    int64_t k = 0;
    for (int32_t j = 0; j < n; ++j) {
        const double v = values[j];
        const bool value = v != HUGE_VAL;
        hi = value && v > hi ? v : hi;
        lo = value && v < lo ? v : lo;
        const float f = dst[j];
        const bool ok = std::fabs(f) <= FLT_MAX;
        s += ok ? static_cast<double>(f) : 0.0;
        k += ok ? 1 : 0;
    }
    sum.sum = s;
    sum.count += k;
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

bool StoreTankValues(CDataTankObject* tank, int32_t first, int32_t n, const double* values, CalcStoreTally& tally,
                     CalcValueSum* sum)
{
    CDataTankObject* t = ValueTankOf(tank);
    if (!t || first < 0 || n < 0)
        return false;
    if (n == 0)
        return true;
    if (t->GetDataCount() < first + n && !t->Grow(first + n, true))
        return false;

    auto* cache = dynamic_cast<CCacheDataTank<float>*>(t);
    const bool beyondWindow = cache && (first < cache->GetWindowStart() || first + n - 1 > cache->GetWindowEnd());
    if (beyondWindow && n > cache->GetWindowLength() && first + n <= cache->GetArraySize()) {
        // A run longer than the tank's window goes to its file at once.
        thread_local std::vector<float> run;
        if (run.size() < size_t(n))
            run.resize(size_t(n));
        if (ConvertFittingRun(values, n, run.data())) {
            CalcValueSum ignored;
            WidenAndAddFloatRun(t, run.data(), n, values, sum ? *sum : ignored);
            return cache->WriteValues(first, n, run.data());
        }
    }
    if (!AnyMisfit(values, n)) {
        if (float* dst = FloatRunOf(t, first, n)) {
            WriteFloatRun(t, dst, n, values);
            if (sum)
                AddFloatRun(dst, n, *sum);
            return true;
        }
    }
    if (sum)
        sum->exact = false;

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

void CalcValueRow::Load(CDataTankObject* tank, int32_t first, int32_t count)
{
    m_first = first;
    m_count = count;
    CDataTankObject* t = ValueTankOf(tank);
    auto* cache = dynamic_cast<CCacheDataTank<float>*>(t);
    m_floats = cache != nullptr;
    if (!m_floats) {
        m_d.resize(size_t(std::max(count, 0)));
        if (!ReadTankValues(tank, first, count, m_d.data()))
            std::fill(m_d.begin(), m_d.end(), HUGE_VAL);
        return;
    }
    // As ReadTankValues: beyond the values, and where reading fails, no value.
    constexpr float kNone = std::numeric_limits<float>::infinity();
    if (m_f.size() != size_t(std::max(count, 0)))
        m_f.resize(size_t(std::max(count, 0)));
    const int32_t stored = std::max(t->GetDataCount(), 0);
    const int32_t lo = std::clamp(first, 0, stored);
    const int32_t hi = static_cast<int32_t>(std::clamp<int64_t>(int64_t(first) + count, lo, stored));
    std::fill(m_f.begin(), m_f.begin() + (lo - first), kNone);
    std::fill(m_f.begin() + (hi - first), m_f.end(), kNone);
    if (hi <= lo)
        return;
    float* dest = m_f.data() + (lo - first);
    bool ok = false;
    try {
        ok = cache->ReadValues(lo, hi - lo, dest);
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok)
        std::fill(dest, dest + (hi - lo), kNone);
}

void CalcValueRow::Keep(int32_t first, int32_t count, const double* values)
{
    m_first = first;
    m_count = count;
    m_floats = false;
    m_d.assign(values, values + std::max(count, 0));
}

void CalcValueRow::Copy(int32_t first, int32_t count, double* out) const
{
    const size_t at = size_t(first - m_first);
    if (m_floats)
        ConvertRun(m_f.data() + at, count, 0.0f, out);
    else
        std::copy(m_d.begin() + ptrdiff_t(at), m_d.begin() + ptrdiff_t(at + size_t(count)), out);
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
