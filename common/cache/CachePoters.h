#pragma once

// Cursors and value accessors of the cache tanks for runs longer than one
// window. A cursor keeps a copy of its own (at most one window of values),
// read from the tank's file, and reads the next copy when it is used up; it
// never holds the tank's window. The accessor reads its first and last
// value through the tank.

#include "common/cache/CacheDataTank.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"

#include <memory>

template <class Base> class CCacheTypePtr : public Base {
public:
    using T = typename Base::value_type;

    // source: the tank (as CDataTankObject*).
    void Init(void* source, int start, int count) override;
    // As the typed cursor's; the float and double scans run four or two
    // values a step, since a long recording is read copy after copy.
    bool MaxMin(int start, int count, double& max, double& min) override;

    int GetCopyStart() const { return static_cast<int>(m_copyStart); }
    int GetCopyLength() const { return static_cast<int>(m_copyLength); }

protected:
    bool LoadMore() override;
    // Moves without reading the values passed over.
    void Skip(int64_t n) override;

private:
    bool LoadCopyAt(int64_t index);

    CCacheDataTank<T>* m_tank = nullptr;
    std::unique_ptr<T[]> m_copy;
    int64_t m_copyLength = 0;   // capacity of the copy
    int64_t m_copyStart = 0;    // tank index of m_copy[0]
    int64_t m_copyLoaded = 0;   // values in the copy
};

class CCacheFloatPtr : public CCacheTypePtr<CZELFloatPtr> {
    FW_DECLARE_DYNCREATE(CCacheFloatPtr)
};
class CCacheDblPtr : public CCacheTypePtr<CZELDoublePtr> {
    FW_DECLARE_DYNCREATE(CCacheDblPtr)
};
class CCacheLongPtr : public CCacheTypePtr<CZELLongPtr> {
    FW_DECLARE_DYNCREATE(CCacheLongPtr)
};
class CCacheUnLongPtr : public CCacheTypePtr<CZELUnLongPtr> {
    FW_DECLARE_DYNCREATE(CCacheUnLongPtr)
};

// Holds no value pointer: every value comes through the tank.
template <class Base> class CCacheTypeDataPoter : public Base {
public:
    // Holds no window of the tank, so it does not end an access.
    ~CCacheTypeDataPoter() override { this->m_tank = nullptr; }
    // A cursor of the cursor class over the tank, with the accessor's preset
    // and empty marker.
    CZELDataPtr* CreateCursor() override;
    // The tank's values at the accessor's start and at its last index.
    double GetFirstValue() override;
    double GetLastValue() override;
};

class CCacheFltDataPoter : public CCacheTypeDataPoter<CZELFltDataPoter> {};
class CCacheDblDataPoter : public CCacheTypeDataPoter<CZELDblDataPoter> {};
class CCacheLongDataPoter : public CCacheTypeDataPoter<CZELLongDataPoter> {};
class CCacheUnLongDataPoter : public CCacheTypeDataPoter<CZELUnLongDataPoter> {};

// The accessor and cursor classes of each value type.
template <class T> struct CacheAccessOf;
template <> struct CacheAccessOf<float> {
    using ArrayPoter = CZELFltDataPoter;
    using CachePoter = CCacheFltDataPoter;
    static const fw::CRuntimeClass* ArrayCursor() { return FW_RUNTIME_CLASS(CZELFloatPtr); }
    static const fw::CRuntimeClass* CacheCursor() { return FW_RUNTIME_CLASS(CCacheFloatPtr); }
};
template <> struct CacheAccessOf<double> {
    using ArrayPoter = CZELDblDataPoter;
    using CachePoter = CCacheDblDataPoter;
    static const fw::CRuntimeClass* ArrayCursor() { return FW_RUNTIME_CLASS(CZELDoublePtr); }
    static const fw::CRuntimeClass* CacheCursor() { return FW_RUNTIME_CLASS(CCacheDblPtr); }
};
template <> struct CacheAccessOf<int32_t> {
    using ArrayPoter = CZELLongDataPoter;
    using CachePoter = CCacheLongDataPoter;
    static const fw::CRuntimeClass* ArrayCursor() { return FW_RUNTIME_CLASS(CZELLongPtr); }
    static const fw::CRuntimeClass* CacheCursor() { return FW_RUNTIME_CLASS(CCacheLongPtr); }
};
template <> struct CacheAccessOf<uint32_t> {
    using ArrayPoter = CZELUnLongDataPoter;
    using CachePoter = CCacheUnLongDataPoter;
    static const fw::CRuntimeClass* ArrayCursor() { return FW_RUNTIME_CLASS(CZELUnLongPtr); }
    static const fw::CRuntimeClass* CacheCursor() { return FW_RUNTIME_CLASS(CCacheUnLongPtr); }
};

extern template class CCacheTypePtr<CZELFloatPtr>;
extern template class CCacheTypePtr<CZELDoublePtr>;
extern template class CCacheTypePtr<CZELLongPtr>;
extern template class CCacheTypePtr<CZELUnLongPtr>;
extern template class CCacheTypeDataPoter<CZELFltDataPoter>;
extern template class CCacheTypeDataPoter<CZELDblDataPoter>;
extern template class CCacheTypeDataPoter<CZELLongDataPoter>;
extern template class CCacheTypeDataPoter<CZELUnLongDataPoter>;
