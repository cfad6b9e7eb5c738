#include "chart/model/GraphParamArray.h"

#include "common/calc/CalcuDataTank.h"
#include "common/tank/ZELDataPoter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// The tank's current value: a calculated channel's computed result, else
// its last value.
double CurrentValueOf(CDataTankObject* tank)
{
    if (!tank)
        return HUGE_VAL;
    if (auto* calc = dynamic_cast<CCalcuDataTank*>(tank))
        return calc->GetResult();
    const int last = tank->GetDataCount() - 1;
    return last >= 0 ? tank->GetValue(last) : HUGE_VAL;
}

} // namespace

std::unique_ptr<CZELDataPoter> CGraphParamArray::MakeCursor(int item, int16_t& kindOut, bool scaled, int first,
                                                           int count) const
{
    CDataTankObject* tank = GetItemTank(item);
    if (!tank)
        return nullptr;
    kindOut = tank->GetDataType();
    std::unique_ptr<CZELDataPoter> poter(tank->CreatePoter(first, count));
    if (poter && scaled && std::isfinite(tank->GetMax()) && std::isfinite(tank->GetMin()))
        poter->SetPreset(true, tank->GetMax(), tank->GetMin());
    return poter;
}

std::unique_ptr<CZELDataPoter> CGraphParamArray::MakeXCursor(int16_t& kindOut, bool scaled, int first,
                                                            int count) const
{
    return MakeCursor(0, kindOut, scaled, first, count);
}

std::unique_ptr<CZELDataPoter> CGraphParamArray::MakeYCursor(int16_t& kindOut, bool scaled, int first,
                                                            int count) const
{
    return MakeCursor(1, kindOut, scaled, first, count);
}

double CGraphParamArray::GetXCurrent() const
{
    return CurrentValueOf(GetItemTank(0));
}

double CGraphParamArray::GetYCurrent() const
{
    return CurrentValueOf(GetItemTank(1));
}

void CGraphParamArray::SortValueTanks()
{
    const int n = GetLastItem();
    if (n < 1)
        return;
    CDataTankObject* xTank = GetItemTank(0);
    std::vector<std::pair<int, int>> keyed; // (key, old index)
    keyed.reserve(static_cast<size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const int32_t tankIndex = m_tanks->GetAt(i).second;
        int key = tankIndex;
        if (m_sortKind == kSortByXValue) {
            const double v = xTank ? xTank->GetValue(tankIndex) : 0.0;
            key = std::isfinite(v) ? static_cast<int16_t>(static_cast<int32_t>(v)) : 0;
        }
        keyed.emplace_back(key, i);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> order{0};
    for (const auto& k : keyed)
        order.push_back(k.second);
    m_tanks->Reorder(order);
}

std::unique_ptr<CZELDataPoter> CGraphParamArray::MakePositionCursor()
{
    const int n = GetLastItem();
    if (n < 1)
        return nullptr;
    try {
        SortValueTanks();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    CDataTankObject* xTank = GetItemTank(0);
    m_positionTank.SetSize(n, true);
    for (int i = 1; i <= n; ++i)
        m_positionTank.SetValue(i - 1, xTank ? xTank->GetValue(m_tanks->GetAt(i).second) : HUGE_VAL);
    return std::unique_ptr<CZELDataPoter>(m_positionTank.CreatePoter(0, -1));
}

std::unique_ptr<CZELDataPoter> CGraphParamArray::ValueTankCursor(const std::vector<double>& values)
{
    m_valueTank.SetSize(static_cast<int>(values.size()), true);
    for (size_t i = 0; i < values.size(); ++i)
        m_valueTank.SetValue(static_cast<int>(i), values[i]);
    return std::unique_ptr<CZELDataPoter>(m_valueTank.CreatePoter(0, -1));
}

std::unique_ptr<CZELDataPoter> CGraphParamArray::MakeValueCursor(int position)
{
    if (position < 0 || position > GetLastSamplePosition())
        return nullptr;
    const int n = GetLastItem();
    if (n < 1)
        return nullptr;
    const int index = GetSampleIndex(position);
    const int s = m_sampleOffset >= 0 ? index - m_sampleOffset : index;
    std::vector<double> values;
    for (int i = 1; i <= n; ++i) {
        CDataTankObject* tank = GetItemTank(i);
        values.push_back(tank && s >= 0 ? tank->GetValue(s) : HUGE_VAL);
    }
    return ValueTankCursor(values);
}

std::unique_ptr<CZELDataPoter> CGraphParamArray::MakeComputedValueCursor()
{
    const int n = GetLastItem();
    if (n < 1)
        return nullptr;
    std::vector<double> values;
    for (int i = 1; i <= n; ++i) {
        auto* calc = dynamic_cast<CCalcuDataTank*>(GetItemTank(i));
        values.push_back(calc ? calc->GetResult() : HUGE_VAL);
    }
    return ValueTankCursor(values);
}
