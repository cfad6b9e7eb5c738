#pragma once

// Value accessors: handed out by a tank's CreatePoter for a run of its
// values, they know where the values lie and which cursor class reads them,
// and carry an optional preset maximum and minimum that cursors answer
// instead of scanning. The caller deletes an accessor; that tells the tank
// (EndAccess), and a cache tank then releases its window.

#include "framework/core/Object.h"

#include <cmath>
#include <cstdint>

class CDataTankObject;
class CZELDataPtr;

class CZELDataPoter {
public:
    CZELDataPoter();
    virtual ~CZELDataPoter();
    CZELDataPoter(const CZELDataPoter&) = delete;
    CZELDataPoter& operator=(const CZELDataPoter&) = delete;

    // first: the first value (typed accessors) or what the cursor class
    // takes in its Init (the time tank for the time cursor).
    virtual void Init(const fw::CRuntimeClass* cursorClass, void* first, int start, int count,
                      CDataTankObject* tank);
    virtual void SetPreset(bool flag, double max, double min);
    // A new cursor of the cursor class over the accessor's values, owned by
    // the caller; nullptr when it cannot be made.
    virtual CZELDataPtr* CreateCursor();
    virtual double GetFirstValue();
    virtual double GetLastValue();
    virtual int GetCount() const;
    virtual int GetStartIndex() const;

    CDataTankObject* GetTank() const { return m_tank; }
    const fw::CRuntimeClass* GetCursorClass() const { return m_cursorClass; }
    void* GetFirstPointer() const { return m_first; }

protected:
    CDataTankObject* m_tank = nullptr;
    const fw::CRuntimeClass* m_cursorClass = nullptr;
    void* m_first = nullptr;
    int32_t m_start = 0;
    int32_t m_count = 0;
    bool m_preset = false;
    double m_presetMax = HUGE_VAL;
    double m_presetMin = HUGE_VAL;
};

template <class T> class CZELTypeDataPoter : public CZELDataPoter {
public:
    // Gives a cursor of its value type the accessor's empty marker.
    CZELDataPtr* CreateCursor() override;
    // The value at the first pointer and count - 1 places after it;
    // HUGE_VAL without values.
    double GetFirstValue() override;
    double GetLastValue() override;

    void SetEmptyMarker(T marker) { m_emptyMarker = marker; }
    T GetEmptyMarker() const { return m_emptyMarker; }

protected:
    explicit CZELTypeDataPoter(T marker) : m_emptyMarker(marker) {}

    T m_emptyMarker;
};

extern template class CZELTypeDataPoter<float>;
extern template class CZELTypeDataPoter<double>;
extern template class CZELTypeDataPoter<int16_t>;
extern template class CZELTypeDataPoter<int32_t>;
extern template class CZELTypeDataPoter<uint32_t>;

class CZELFltDataPoter : public CZELTypeDataPoter<float> {
public:
    CZELFltDataPoter();
};

class CZELDblDataPoter : public CZELTypeDataPoter<double> {
public:
    CZELDblDataPoter();
};

class CZELDateDataPoter : public CZELTypeDataPoter<double> {
public:
    CZELDateDataPoter();
};

class CZELShortDataPoter : public CZELTypeDataPoter<int16_t> {
public:
    CZELShortDataPoter();
};

class CZELLongDataPoter : public CZELTypeDataPoter<int32_t> {
public:
    CZELLongDataPoter();
};

class CZELUnLongDataPoter : public CZELTypeDataPoter<uint32_t> {
public:
    CZELUnLongDataPoter();
};

// Over a time tank: first and last value are the tank's values at 0 and at
// count - 1, whatever the start.
class CZELTimeDataPoter : public CZELDataPoter {
public:
    double GetFirstValue() override;
    double GetLastValue() override;
};

// Maximum and minimum of count values from start (negative count: to the
// end) through an accessor and cursor; false without accessor, cursor or a
// valid value.
bool GetTankMaxMin(CDataTankObject* tank, double& max, double& min, int start, int count);
// HUGE_VAL without accessor, cursor or a valid value.
double GetTankAverage(CDataTankObject* tank, int start, int count);
// From index n down, the first index whose value is finite and not above
// limit; -1 when none; n itself when n is negative.
int FindLastIndexAtOrBelow(CDataTankObject* tank, double limit, int n);
