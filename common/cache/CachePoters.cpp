#include "common/cache/CachePoters.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Extremes of the finite values of [p, e): the first one found wins among
// equal values, so that of +0 and -0 the earlier one is kept, as the typed
// cursor's scan keeps it.
template <class T> bool ScanFiniteScalar(const T* p, const T* e, T& hi, T& lo)
{
    bool any = false;
    for (; p != e; ++p) {
        const T v = *p;
        if (!(std::fabs(v) <= std::numeric_limits<T>::max()))
            continue;
        if (!any) {
            hi = lo = v;
            any = true;
        } else {
            hi = v > hi ? v : hi;
            lo = v < lo ? v : lo;
        }
    }
    return any;
}

#if defined(__SSE2__)
struct FloatLanes {
    using T = float;
    using V = __m128;
    static constexpr int kWidth = 4;
    static V Load(const T* p) { return _mm_loadu_ps(p); }
    static V Set(T v) { return _mm_set1_ps(v); }
    static V AbsMask() { return _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF)); }
    static V And(V a, V b) { return _mm_and_ps(a, b); }
    static V AndNot(V a, V b) { return _mm_andnot_ps(a, b); }
    static V Or(V a, V b) { return _mm_or_ps(a, b); }
    static V LessEqual(V a, V b) { return _mm_cmple_ps(a, b); }
    static V Max(V a, V b) { return _mm_max_ps(a, b); }
    static V Min(V a, V b) { return _mm_min_ps(a, b); }
    static int AnySet(V m) { return _mm_movemask_ps(m); }
    static void Store(T* out, V v) { _mm_storeu_ps(out, v); }
};

struct DoubleLanes {
    using T = double;
    using V = __m128d;
    static constexpr int kWidth = 2;
    static V Load(const T* p) { return _mm_loadu_pd(p); }
    static V Set(T v) { return _mm_set1_pd(v); }
    static V AbsMask() { return _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFFLL)); }
    static V And(V a, V b) { return _mm_and_pd(a, b); }
    static V AndNot(V a, V b) { return _mm_andnot_pd(a, b); }
    static V Or(V a, V b) { return _mm_or_pd(a, b); }
    static V LessEqual(V a, V b) { return _mm_cmple_pd(a, b); }
    static V Max(V a, V b) { return _mm_max_pd(a, b); }
    static V Min(V a, V b) { return _mm_min_pd(a, b); }
    static int AnySet(V m) { return _mm_movemask_pd(m); }
    static void Store(T* out, V v) { _mm_storeu_pd(out, v); }
};

template <class L> bool ScanFiniteLanes(const typename L::T* p, const typename L::T* e, typename L::T& hi,
                                        typename L::T& lo)
{
    using T = typename L::T;
    constexpr T inf = std::numeric_limits<T>::infinity();
    const auto abs = L::AbsMask();
    const auto limit = L::Set(std::numeric_limits<T>::max());
    auto vhi = L::Set(-inf);
    auto vlo = L::Set(inf);
    auto seen = L::Set(0);
    const auto negInf = L::Set(-inf);
    const auto posInf = L::Set(inf);
    const T* q = p;
    for (; e - q >= L::kWidth; q += L::kWidth) {
        const auto v = L::Load(q);
        // Not finite (or NaN): the compare is false and the lane is masked.
        const auto ok = L::LessEqual(L::And(v, abs), limit);
        seen = L::Or(seen, ok);
        vhi = L::Max(vhi, L::Or(L::And(ok, v), L::AndNot(ok, negInf)));
        vlo = L::Min(vlo, L::Or(L::And(ok, v), L::AndNot(ok, posInf)));
    }
    T his[L::kWidth];
    T los[L::kWidth];
    L::Store(his, vhi);
    L::Store(los, vlo);
    bool any = L::AnySet(seen) != 0;
    T h = -inf;
    T l = inf;
    for (int i = 0; i < L::kWidth; ++i) {
        h = std::max(h, his[i]);
        l = std::min(l, los[i]);
    }
    T th{}, tl{};
    if (ScanFiniteScalar(q, e, th, tl)) {
        h = any ? std::max(h, th) : th;
        l = any ? std::min(l, tl) : tl;
        any = true;
    }
    if (!any)
        return false;
    // Lanes do not know which of +0 and -0 came first.
    if (h == 0 || l == 0)
        return ScanFiniteScalar(p, e, hi, lo);
    hi = h;
    lo = l;
    return true;
}
#endif

template <class T> bool ScanFinite(const T* p, const T* e, T& hi, T& lo)
{
#if defined(__SSE2__)
    if constexpr (std::is_same_v<T, float>)
        return ScanFiniteLanes<FloatLanes>(p, e, hi, lo);
    else if constexpr (std::is_same_v<T, double>)
        return ScanFiniteLanes<DoubleLanes>(p, e, hi, lo);
#endif
    return ScanFiniteScalar(p, e, hi, lo);
}

} // namespace

FW_IMPLEMENT_DYNCREATE(CCacheFloatPtr, CZELFloatPtr)
FW_IMPLEMENT_DYNCREATE(CCacheDblPtr, CZELDoublePtr)
FW_IMPLEMENT_DYNCREATE(CCacheLongPtr, CZELLongPtr)
FW_IMPLEMENT_DYNCREATE(CCacheUnLongPtr, CZELUnLongPtr)

// --- cursors -------------------------------------------------------------------

template <class Base> void CCacheTypePtr<Base>::Init(void* source, int start, int count)
{
    // Not the typed cursor's Init: the source is the tank, not values.
    CZELDataPtr::Init(source, start, count);
    m_tank = dynamic_cast<CCacheDataTank<T>*>(static_cast<CDataTankObject*>(source));
    m_copy.reset();
    m_copyLength = 0;
    const int64_t wanted = std::min<int64_t>(std::max(count, 0), CCacheDataTank<T>::kMaxAccessWindow);
    if (m_tank && wanted > 0) {
        m_copy = CCacheDataTank<T>::AllocateBuffer(wanted, m_copyLength);
        if (!m_copy)
            fw::AfxMessageBox(fw::kIdpOutOfMemory);
    }
    LoadCopyAt(start);
}

template <class Base> bool CCacheTypePtr<Base>::MaxMin(int start, int count, double& max, double& min)
{
    if constexpr (!std::is_floating_point_v<T>) {
        return Base::MaxMin(start, count, max, min);
    } else {
        if (this->m_preset || !this->m_checkFinite)
            return Base::MaxMin(start, count, max, min);
        if (!this->SeekRangeStart(start))
            return false;
        bool found = false;
        T hi{}, lo{};
        for (int64_t left = std::max(count, 0); left > 0;) {
            if (this->m_pValue == this->m_pEnd && !LoadMore())
                break;
            const int64_t k = std::min<int64_t>(left, this->m_pEnd - this->m_pValue);
            T h{}, l{};
            if (ScanFinite(this->m_pValue, this->m_pValue + k, h, l)) {
                hi = found ? (h > hi ? h : hi) : h;
                lo = found ? (l < lo ? l : lo) : l;
                found = true;
            }
            this->m_pValue += k;
            left -= k;
        }
        if (found) {
            max = static_cast<double>(hi);
            min = static_cast<double>(lo);
        }
        return found;
    }
}

template <class Base> bool CCacheTypePtr<Base>::LoadCopyAt(int64_t index)
{
    m_copyStart = index;
    m_copyLoaded = 0;
    this->m_pValue = this->m_pEnd = m_copy.get();
    const int64_t end = int64_t(this->m_firstIndex) + this->m_count;
    if (!m_tank || m_copyLength == 0 || index < 0 || index >= end)
        return false;
    const int64_t n = std::min(m_copyLength, end - index);
    if (!m_tank->ReadValues(index, static_cast<int>(n), m_copy.get()))
        return false;
    m_copyLoaded = n;
    this->m_pEnd = m_copy.get() + n;
    return true;
}

template <class Base> bool CCacheTypePtr<Base>::LoadMore()
{
    return LoadCopyAt(m_copyStart + m_copyLoaded);
}

template <class Base> void CCacheTypePtr<Base>::Skip(int64_t n)
{
    if (n <= 0)
        return;
    const int64_t at = m_copyStart + (this->m_pValue - m_copy.get()) + n;
    if (at <= m_copyStart + m_copyLoaded)
        this->m_pValue = m_copy.get() + (at - m_copyStart);
    else
        LoadCopyAt(at);
}

template class CCacheTypePtr<CZELFloatPtr>;
template class CCacheTypePtr<CZELDoublePtr>;
template class CCacheTypePtr<CZELLongPtr>;
template class CCacheTypePtr<CZELUnLongPtr>;

// --- accessors ---------------------------------------------------------------------

template <class Base> CZELDataPtr* CCacheTypeDataPoter<Base>::CreateCursor()
{
    using T = decltype(std::declval<Base&>().GetEmptyMarker());
    if (!this->m_cursorClass)
        return nullptr;
    std::unique_ptr<fw::CObject> object(this->m_cursorClass->CreateObject());
    auto* cursor = dynamic_cast<CZELTypePtr<T>*>(object.get());
    if (!cursor)
        return nullptr;
    object.release();
    // The empty marker first: Init may already read values.
    cursor->SetEmptyMarker(this->m_emptyMarker);
    cursor->Init(this->m_tank, this->m_start, this->m_count);
    if (this->m_preset)
        cursor->SetPreset(this->m_preset, this->m_presetMax, this->m_presetMin);
    return cursor;
}

template <class Base> double CCacheTypeDataPoter<Base>::GetFirstValue()
{
    if (!this->m_tank || this->m_count <= 0)
        return HUGE_VAL;
    return this->m_tank->GetValue(this->m_start);
}

template <class Base> double CCacheTypeDataPoter<Base>::GetLastValue()
{
    if (!this->m_tank || this->m_count <= 0)
        return HUGE_VAL;
    return this->m_tank->GetValue(this->m_start + this->m_count - 1);
}

template class CCacheTypeDataPoter<CZELFltDataPoter>;
template class CCacheTypeDataPoter<CZELDblDataPoter>;
template class CCacheTypeDataPoter<CZELLongDataPoter>;
template class CCacheTypeDataPoter<CZELUnLongDataPoter>;
