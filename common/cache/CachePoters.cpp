#include "common/cache/CachePoters.h"

#include <algorithm>
#include <utility>

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
    if (m_tank && wanted > 0)
        m_copy = CCacheDataTank<T>::AllocateBuffer(wanted, m_copyLength);
    LoadCopyAt(start);
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
