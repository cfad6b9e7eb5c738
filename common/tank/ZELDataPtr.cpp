#include "common/tank/ZELDataPtr.h"

#include "common/base/ValueFormat.h"
#include "common/tank/TimeDataTank.h"

#include <algorithm>
#include <limits>
#include <optional>

FW_IMPLEMENT_DYNCREATE(CZELDataPtr, fw::CObject)
FW_IMPLEMENT_DYNCREATE(CZELShortPtr, CZELDataPtr)
FW_IMPLEMENT_DYNCREATE(CZELLongPtr, CZELDataPtr)
FW_IMPLEMENT_DYNCREATE(CZELUnLongPtr, CZELDataPtr)
FW_IMPLEMENT_DYNCREATE(CZELFloatPtr, CZELDataPtr)
FW_IMPLEMENT_DYNCREATE(CZELDoublePtr, CZELDataPtr)
FW_IMPLEMENT_DYNCREATE(CZELDatePtr, CZELDataPtr)
FW_IMPLEMENT_DYNCREATE(CZELTimePtr, CZELDataPtr)

namespace {

bool BothFinite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// Running extremes of the values found so far.
struct Extremes {
    bool found = false;
    double max = 0.0;
    double min = 0.0;

    void Take(double v)
    {
        if (!found) {
            max = min = v;
            found = true;
        } else {
            max = std::max(max, v);
            min = std::min(min, v);
        }
    }

    // Hands the extremes out when any value was found.
    bool Give(double& outMax, double& outMin) const
    {
        if (found) {
            outMax = max;
            outMin = min;
        }
        return found;
    }
};

// A preset range answers a maximum/minimum request in place of the values:
// nothing when no range is preset, else whether the preset range is usable.
std::optional<bool> PresetMaxMin(bool preset, double presetMax, double presetMin, double& max, double& min)
{
    if (!preset)
        return std::nullopt;
    if (!BothFinite(presetMax, presetMin))
        return false;
    max = presetMax;
    min = presetMin;
    return true;
}

// Starts a search above a threshold from the preset range; false when the
// preset range leaves nothing to find.
bool SeedFromPreset(double presetMax, double presetMin, double threshold, double& max, double& min, Extremes& e)
{
    if (!BothFinite(presetMax, presetMin) || threshold >= presetMax)
        return false;
    max = presetMax;
    if (threshold < presetMin) {
        min = presetMin;
        e = {true, max, min};
    }
    return true;
}

} // namespace

// --- CZELDataPtr: the generic forms, value by value through ReadNext --------

CZELDataPtr::CZELDataPtr() = default;
CZELDataPtr::~CZELDataPtr() = default;

void CZELDataPtr::Init(void* /*source*/, int start, int count)
{
    m_firstIndex = start;
    m_count = count;
}

void CZELDataPtr::SetPreset(bool flag, double max, double min)
{
    m_preset = flag ? 1 : 0;
    m_presetMax = max;
    m_presetMin = min;
}

bool CZELDataPtr::SeekRangeStart(int start)
{
    if (start < m_firstIndex)
        return false;
    Skip(int64_t(start) - m_firstIndex);
    return true;
}

bool CZELDataPtr::MaxMinAbove(int start, int count, double& max, double& min, double threshold)
{
    if (!SeekRangeStart(start))
        return false;
    Extremes e;
    if (m_preset && !SeedFromPreset(m_presetMax, m_presetMin, threshold, max, min, e))
        return false;
    for (int i = 0; i < count; ++i) {
        double v;
        if (ReadNext(v) && v > threshold)
            e.Take(v);
    }
    return e.Give(max, min);
}

bool CZELDataPtr::MaxMin(int start, int count, double& max, double& min)
{
    if (!SeekRangeStart(start))
        return false;
    if (const auto preset = PresetMaxMin(m_preset, m_presetMax, m_presetMin, max, min))
        return *preset;
    Extremes e;
    for (int i = 0; i < count; ++i) {
        double v;
        if (ReadNext(v))
            e.Take(v);
    }
    return e.Give(max, min);
}

bool CZELDataPtr::Average(int start, int count, double& average)
{
    average = HUGE_VAL;
    if (!SeekRangeStart(start))
        return false;
    double sum = 0.0;
    int64_t n = 0;
    for (int i = 0; i < count; ++i) {
        double v;
        if (ReadNext(v)) {
            sum += v;
            ++n;
        }
    }
    if (n == 0)
        return false;
    average = sum / double(n);
    return true;
}

bool CZELDataPtr::ReadNext(double& value)
{
    value = HUGE_VAL;
    return false;
}

bool CZELDataPtr::IsCurrentValid() { return false; }

double CZELDataPtr::GetAt(int /*index*/) { return HUGE_VAL; }

int CZELDataPtr::ReadBlock(double* values, uint8_t* valid, int n)
{
    for (int i = 0; i < n; ++i)
        valid[i] = ReadNext(values[i]) ? 1 : 0;
    return std::max(n, 0);
}

void CZELDataPtr::Skip(int64_t n)
{
    double ignored;
    for (int64_t i = 0; i < n; ++i)
        ReadNext(ignored);
}

// --- CZELTypePtr<T>: span kernels --------------------------------------------

namespace {

template <class T> struct SpanExtremes {
    bool any = false;
    T hi = std::numeric_limits<T>::lowest();
    T lo = std::numeric_limits<T>::max();
};

// Branch-free so that the compiler can keep it in vector registers: the
// float scan is what graph drawing over long recordings waits on.
template <class T, bool CheckFinite, bool Above>
SpanExtremes<T> ScanExtremes(const T* p, const T* e, T marker, double threshold)
{
    SpanExtremes<T> r;
    if constexpr (CheckFinite) {
        r.hi = -std::numeric_limits<T>::infinity();
        r.lo = std::numeric_limits<T>::infinity();
    }
    bool any = false;
    T hi = r.hi;
    T lo = r.lo;
    for (; p != e; ++p) {
        const T v = *p;
        bool ok;
        if constexpr (CheckFinite)
            ok = std::fabs(v) <= std::numeric_limits<T>::max();
        else
            ok = v != marker;
        if constexpr (Above)
            ok = ok && static_cast<double>(v) > threshold;
        any |= ok;
        hi = (ok && v > hi) ? v : hi;
        lo = (ok && v < lo) ? v : lo;
    }
    r.any = any;
    r.hi = hi;
    r.lo = lo;
    return r;
}

template <class T, bool CheckFinite>
void SumValid(const T* p, const T* e, T marker, double& sum, int64_t& n)
{
    double s = sum;
    int64_t k = n;
    for (; p != e; ++p) {
        const T v = *p;
        bool ok;
        if constexpr (CheckFinite)
            ok = std::fabs(v) <= std::numeric_limits<T>::max();
        else
            ok = v != marker;
        if (ok) {
            s += static_cast<double>(v);
            ++k;
        }
    }
    sum = s;
    n = k;
}

template <class T, bool Above>
SpanExtremes<T> Scan(const T* p, const T* e, T marker, bool checkFinite, double threshold)
{
    if constexpr (std::is_floating_point_v<T>) {
        if (checkFinite)
            return ScanExtremes<T, true, Above>(p, e, marker, threshold);
    }
    return ScanExtremes<T, false, Above>(p, e, marker, threshold);
}

template <class T, bool Above>
void TakeSpan(Extremes& into, const T* p, const T* e, T marker, bool checkFinite, double threshold)
{
    const auto r = Scan<T, Above>(p, e, marker, checkFinite, threshold);
    if (r.any) {
        into.Take(static_cast<double>(r.hi));
        into.Take(static_cast<double>(r.lo));
    }
}

} // namespace

template <class T>
CZELTypePtr<T>::CZELTypePtr(T emptyMarker, bool checkFinite)
    : m_emptyMarker(emptyMarker), m_checkFinite(checkFinite)
{
}

template <class T> void CZELTypePtr<T>::Init(void* source, int start, int count)
{
    CZELDataPtr::Init(source, start, count);
    m_pValue = static_cast<const T*>(source);
    m_pEnd = m_pValue ? m_pValue + std::max(count, 0) : nullptr;
}

template <class T> void CZELTypePtr<T>::SetEmptyMarker(T marker) { m_emptyMarker = marker; }

template <class T> bool CZELTypePtr<T>::LoadMore() { return false; }

template <class T> template <class Visit> void CZELTypePtr<T>::ForEachRun(int64_t count, Visit&& visit)
{
    while (count > 0) {
        if (m_pValue == m_pEnd && !LoadMore())
            return;
        const int64_t k = std::min<int64_t>(count, m_pEnd - m_pValue);
        visit(m_pValue, m_pValue + k);
        m_pValue += k;
        count -= k;
    }
}

template <class T> void CZELTypePtr<T>::Skip(int64_t n)
{
    ForEachRun(n, [](const T*, const T*) {});
}


template <class T>
bool CZELTypePtr<T>::MaxMinAbove(int start, int count, double& max, double& min, double threshold)
{
    if (!SeekRangeStart(start))
        return false;
    Extremes e;
    if (m_preset && !SeedFromPreset(m_presetMax, m_presetMin, threshold, max, min, e))
        return false;
    ForEachRun(std::max(count, 0), [&](const T* first, const T* last) {
        TakeSpan<T, true>(e, first, last, m_emptyMarker, m_checkFinite, threshold);
    });
    return e.Give(max, min);
}

template <class T> bool CZELTypePtr<T>::MaxMin(int start, int count, double& max, double& min)
{
    if (!SeekRangeStart(start))
        return false;
    if (const auto preset = PresetMaxMin(m_preset, m_presetMax, m_presetMin, max, min))
        return *preset;
    Extremes e;
    ForEachRun(std::max(count, 0), [&](const T* first, const T* last) {
        TakeSpan<T, false>(e, first, last, m_emptyMarker, m_checkFinite, 0.0);
    });
    return e.Give(max, min);
}

template <class T> bool CZELTypePtr<T>::Average(int start, int count, double& average)
{
    average = HUGE_VAL;
    if (!SeekRangeStart(start))
        return false;
    double sum = 0.0;
    int64_t n = 0;
    ForEachRun(std::max(count, 0), [&](const T* first, const T* last) {
        if constexpr (std::is_floating_point_v<T>) {
            if (m_checkFinite) {
                SumValid<T, true>(first, last, m_emptyMarker, sum, n);
                return;
            }
        }
        SumValid<T, false>(first, last, m_emptyMarker, sum, n);
    });
    if (n == 0)
        return false;
    average = sum / double(n);
    RoundToSevenDigits(average);
    return true;
}

template <class T> bool CZELTypePtr<T>::ReadNext(double& value)
{
    if (m_pValue == m_pEnd && !LoadMore()) {
        value = HUGE_VAL;
        return false;
    }
    const T v = *m_pValue++;
    value = static_cast<double>(v);
    return IsValid(v);
}

template <class T> bool CZELTypePtr<T>::IsCurrentValid()
{
    if (m_pValue == m_pEnd && !LoadMore())
        return false;
    return IsValid(*m_pValue);
}

template <class T> double CZELTypePtr<T>::GetAt(int index)
{
    if (index < 0 || index >= m_pEnd - m_pValue)
        return HUGE_VAL;
    return static_cast<double>(m_pValue[index]);
}

template <class T> int CZELTypePtr<T>::ReadBlock(double* values, uint8_t* valid, int n)
{
    // Locals, so that the stores into `valid` (bytes may alias anything)
    // do not reload the cursor's settings for every value.
    const bool checkFinite = m_checkFinite;
    const T marker = m_emptyMarker;
    int done = 0;
    ForEachRun(std::max(n, 0), [&](const T* first, const T* last) {
        const int count = static_cast<int>(last - first);
        double* out = values + done;
        uint8_t* ok = valid + done;
        if (checkFinite) {
            for (int i = 0; i < count; ++i) {
                const double v = static_cast<double>(first[i]);
                out[i] = v;
                ok[i] = std::isfinite(v) ? 1 : 0;
            }
        } else {
            for (int i = 0; i < count; ++i) {
                out[i] = static_cast<double>(first[i]);
                ok[i] = first[i] != marker ? 1 : 0;
            }
        }
        done += count;
    });
    return done;
}

template class CZELTypePtr<int16_t>;
template class CZELTypePtr<int32_t>;
template class CZELTypePtr<uint32_t>;
template class CZELTypePtr<float>;
template class CZELTypePtr<double>;

// --- leaves ------------------------------------------------------------------

CZELShortPtr::CZELShortPtr() : CZELTypePtr<int16_t>(int16_t(-32768), false) {}
CZELLongPtr::CZELLongPtr() : CZELTypePtr<int32_t>(0, false) {}
CZELUnLongPtr::CZELUnLongPtr() : CZELTypePtr<uint32_t>(0xFFFFFFFFu, false) {}
CZELFloatPtr::CZELFloatPtr() : CZELTypePtr<float>(HUGE_VALF, true) {}
CZELDoublePtr::CZELDoublePtr() : CZELTypePtr<double>(HUGE_VAL, true) {}
CZELDatePtr::CZELDatePtr() : CZELTypePtr<double>(0.0, false) {}

// --- CZELTimePtr -----------------------------------------------------------------

CZELTimePtr::CZELTimePtr() = default;

void CZELTimePtr::Init(void* source, int start, int count)
{
    CZELDataPtr::Init(source, start, count);
    m_tank = static_cast<CTimeDataTank*>(source);
    m_index = m_tank ? m_tank->GetAccessorStart() : start;
}

bool CZELTimePtr::MaxMin(int start, int count, double& max, double& min)
{
    if (const auto preset = PresetMaxMin(m_preset, m_presetMax, m_presetMin, max, min))
        return *preset;
    if (!m_tank)
        return false;
    min = m_tank->GetValue(start);
    max = m_tank->GetValue(start + count - 1);
    return true;
}

bool CZELTimePtr::MaxMinAbove(int start, int count, double& max, double& min, double threshold)
{
    MaxMin(start, count, max, min);
    max = std::max(max, threshold);
    min = std::min(min, threshold);
    return true;
}

bool CZELTimePtr::ReadNext(double& value)
{
    value = m_tank ? m_tank->GetValue(m_index) : HUGE_VAL;
    ++m_index;
    return std::isfinite(value);
}

bool CZELTimePtr::IsCurrentValid() { return m_tank && std::isfinite(m_tank->GetValue(m_index)); }

double CZELTimePtr::GetAt(int index) { return m_tank ? m_tank->GetValue(index) : HUGE_VAL; }

void CZELTimePtr::Skip(int64_t n) { m_index = static_cast<int32_t>(m_index + n); }
