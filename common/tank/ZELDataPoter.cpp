#include "common/tank/ZELDataPoter.h"

#include "common/tank/DataTankObject.h"
#include "common/tank/ZELDataPtr.h"

#include <algorithm>
#include <limits>
#include <memory>

CZELDataPoter::CZELDataPoter() = default;

CZELDataPoter::~CZELDataPoter()
{
    if (m_tank)
        m_tank->EndAccess();
}

void CZELDataPoter::Init(const fw::CRuntimeClass* cursorClass, void* first, int start, int count,
                         CDataTankObject* tank)
{
    m_cursorClass = cursorClass;
    m_first = first;
    m_start = start;
    m_count = count;
    m_tank = tank;
}

void CZELDataPoter::SetPreset(bool flag, double max, double min)
{
    m_preset = flag;
    m_presetMax = max;
    m_presetMin = min;
}

CZELDataPtr* CZELDataPoter::CreateCursor()
{
    if (!m_cursorClass)
        return nullptr;
    std::unique_ptr<fw::CObject> object(m_cursorClass->CreateObject());
    auto* cursor = dynamic_cast<CZELDataPtr*>(object.get());
    if (!cursor)
        return nullptr;
    object.release();
    cursor->Init(m_first, m_start, m_count);
    if (m_preset)
        cursor->SetPreset(m_preset, m_presetMax, m_presetMin);
    return cursor;
}

double CZELDataPoter::GetFirstValue() { return HUGE_VAL; }
double CZELDataPoter::GetLastValue() { return HUGE_VAL; }
int CZELDataPoter::GetCount() const { return m_count; }
int CZELDataPoter::GetStartIndex() const { return m_start; }

template <class T> CZELDataPtr* CZELTypeDataPoter<T>::CreateCursor()
{
    CZELDataPtr* cursor = CZELDataPoter::CreateCursor();
    if (auto* typed = dynamic_cast<CZELTypePtr<T>*>(cursor))
        typed->SetEmptyMarker(m_emptyMarker);
    return cursor;
}

template <class T> double CZELTypeDataPoter<T>::GetFirstValue()
{
    if (!m_first || m_count <= 0)
        return HUGE_VAL;
    return static_cast<double>(static_cast<const T*>(m_first)[0]);
}

template <class T> double CZELTypeDataPoter<T>::GetLastValue()
{
    if (!m_first || m_count <= 0)
        return HUGE_VAL;
    return static_cast<double>(static_cast<const T*>(m_first)[m_count - 1]);
}

template class CZELTypeDataPoter<float>;
template class CZELTypeDataPoter<double>;
template class CZELTypeDataPoter<int16_t>;
template class CZELTypeDataPoter<int32_t>;
template class CZELTypeDataPoter<uint32_t>;

CZELFltDataPoter::CZELFltDataPoter() : CZELTypeDataPoter<float>(HUGE_VALF) {}
CZELDblDataPoter::CZELDblDataPoter() : CZELTypeDataPoter<double>(HUGE_VAL) {}
CZELDateDataPoter::CZELDateDataPoter() : CZELTypeDataPoter<double>(0.0) {}
CZELShortDataPoter::CZELShortDataPoter() : CZELTypeDataPoter<int16_t>(int16_t(-32768)) {}
CZELLongDataPoter::CZELLongDataPoter() : CZELTypeDataPoter<int32_t>(std::numeric_limits<int32_t>::min()) {}
CZELUnLongDataPoter::CZELUnLongDataPoter() : CZELTypeDataPoter<uint32_t>(0xFFFFFFFFu) {}

double CZELTimeDataPoter::GetFirstValue() { return m_tank ? m_tank->GetValue(0) : HUGE_VAL; }
double CZELTimeDataPoter::GetLastValue() { return m_tank ? m_tank->GetValue(m_count - 1) : HUGE_VAL; }

// --- range functions -----------------------------------------------------------

namespace {

struct Access {
    std::unique_ptr<CZELDataPoter> poter;
    std::unique_ptr<CZELDataPtr> cursor;

    Access(CDataTankObject* tank, int start, int count)
    {
        if (!tank)
            return;
        poter.reset(tank->CreatePoter(start, count));
        if (poter)
            cursor.reset(poter->CreateCursor());
    }
    // The cursor points into the accessor's values: it goes first.
    ~Access() { cursor.reset(); }
    explicit operator bool() const { return poter && cursor; }
};

} // namespace

bool GetTankMaxMin(CDataTankObject* tank, double& max, double& min, int start, int count)
{
    Access a(tank, start, count);
    if (!a)
        return false;
    return a.cursor->MaxMin(start, a.poter->GetCount(), max, min);
}

double GetTankAverage(CDataTankObject* tank, int start, int count)
{
    Access a(tank, start, count);
    if (!a)
        return HUGE_VAL;
    double average = HUGE_VAL;
    if (!a.cursor->Average(start, a.poter->GetCount(), average))
        return HUGE_VAL;
    return average;
}

int FindLastIndexAtOrBelow(CDataTankObject* tank, double limit, int n)
{
    if (n < 0)
        return n;
    if (!tank)
        return -1;
    // Beyond the values a tank answers its empty marker, which for the
    // integer tanks is a finite number below any limit.
    for (int i = std::min(n, tank->GetDataCount() - 1); i >= 0; --i) {
        const double v = tank->GetValue(i);
        if (std::isfinite(v) && v <= limit)
            return i;
    }
    return -1;
}
