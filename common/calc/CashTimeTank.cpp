#include "common/calc/CashTimeTank.h"

#include "common/base/ValueFormat.h"
#include "common/base/ValueParse.h"
#include "framework/core/Archive.h"

#include <cmath>

FW_IMPLEMENT_SERIAL(CCashTimeTank, CDataTankObject, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_DYNCREATE(CCacheTimePtr, CCacheUnLongPtr)

namespace {

constexpr uint32_t kNoStamp = 0xFFFFFFFFu;

struct TimeUnitRow {
    const char* name;
    double factor;
    int16_t format;
};

// By unit number; any other number reads as the last row.
constexpr TimeUnitRow kUnits[] = {
    {"msec", 1.0, 0},
    {"sec", 1000.0, 3},
    {"min", 60000.0, kFormatGeneral18},
    {"hour", 3600000.0, kFormatGeneral18},
    {"samples", 1.0, 0},
};

const TimeUnitRow& UnitRow(int unit)
{
    return unit >= 0 && unit < 4 ? kUnits[unit] : kUnits[4];
}

} // namespace

CCashTimeTank::CCashTimeTank() { SetTimeUnit(kUnitMsec); }

void CCashTimeTank::Serialize(fw::CArchive& ar)
{
    CCacheUnLongDataTank::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_unit;
    } else {
        int32_t unit = 0;
        ar >> unit;
        SetTimeUnit(unit);
    }
}

void CCashTimeTank::SetTimeUnit(int unit)
{
    m_unit = unit;
    const TimeUnitRow& row = UnitRow(unit);
    m_factor = row.factor;
    SetFormat(row.format);
}

int CCashTimeTank::GetTimeUnit() const { return m_unit; }
double CCashTimeTank::GetTimeUnitFactor() const { return m_factor; }

void CCashTimeTank::GetTimeUnitName(fw::CString& out) const
{
    // Only the five units have names; another number shows none.
    out = (m_unit >= 0 && m_unit <= 4) ? UnitRow(m_unit).name : "";
}

double CCashTimeTank::ToStored(double x) const
{
    if (!std::isfinite(x))
        return static_cast<double>(kNoStamp);
    return m_unit == kUnitMsec ? x : x * m_factor;
}

double CCashTimeTank::FromStored(double stored) const
{
    if (!std::isfinite(stored) || stored == static_cast<double>(kNoStamp))
        return HUGE_VAL;
    return stored / m_factor;
}

void CCashTimeTank::FormatShown(double x, fw::CString& out, bool useFormat) const
{
    out.Empty();
    if (x == HUGE_VAL)
        return;
    FormatDataValue(x, useFormat ? GetFormat() : GetUnformattedCode(), out);
}

double CCashTimeTank::GetValue(int index)
{
    if (index < 0 || index >= GetDataCount())
        return HUGE_VAL;
    uint32_t v = kNoStamp;
    try {
        GetAt(index, v);
    } catch (const std::exception&) {
        return HUGE_VAL;
    }
    return v == kNoStamp ? HUGE_VAL : static_cast<double>(v) / m_factor;
}

bool CCashTimeTank::SetValue(int index, double value)
{
    if (index < 0 || !HasHeader() || !Grow(index + 1, true))
        return false;
    const double stored = ToStored(value);
    if (!CheckValue(stored))
        return false;
    if (!SetAt(index, static_cast<uint32_t>(static_cast<int64_t>(stored))))
        return false;
    UpdateMax(value);
    UpdateMin(value);
    return true;
}

bool CCashTimeTank::SetValueText(int index, const fw::CString& text)
{
    double v = 0.0;
    if (index < 0 || !TextToDouble(text.c_str(), &v) || !CheckValue(v) || !Grow(index + 1, true))
        return false;
    // The text is taken as stored units, without the factor.
    return SetAt(index, static_cast<uint32_t>(static_cast<int64_t>(v)));
}

void CCashTimeTank::GetValueText(int index, fw::CString& out, bool useFormat)
{
    FormatShown(GetValue(index), out, useFormat);
}

CZELDataPoter* CCashTimeTank::CreatePoter(int start, int count)
{
    const int n = GetDataCount();
    if (start < 0 || start >= n)
        return nullptr;
    if (count < 0 || count > n - start)
        count = n - start;
    auto* poter = new CCacheTimeDataPoter;
    poter->Init(FW_RUNTIME_CLASS(CCacheTimePtr), nullptr, start, count, this);
    poter->SetEmptyMarker(kNoStamp);
    return poter;
}

// --- the scale record, in stored units ------------------------------------------------

void CCashTimeTank::UpdateMax(double x)
{
    if (!m_scale || !std::isfinite(x))
        return;
    const double s = ToStored(x);
    if (FromStored(m_scale->max) == HUGE_VAL || s > m_scale->max)
        m_scale->max = s;
}
void CCashTimeTank::SetMax(double x)
{
    if (m_scale)
        m_scale->max = ToStored(x);
}
double CCashTimeTank::GetMax() const { return m_scale ? FromStored(m_scale->max) : HUGE_VAL; }

void CCashTimeTank::UpdateMin(double x)
{
    if (!m_scale || !std::isfinite(x))
        return;
    const double s = ToStored(x);
    if (FromStored(m_scale->min) == HUGE_VAL || s < m_scale->min)
        m_scale->min = s;
}
void CCashTimeTank::SetMin(double x)
{
    if (m_scale)
        m_scale->min = ToStored(x);
}
double CCashTimeTank::GetMin() const { return m_scale ? FromStored(m_scale->min) : HUGE_VAL; }

void CCashTimeTank::SetFiniteAverage(double x)
{
    if (std::isfinite(x))
        SetAverage(x);
}
void CCashTimeTank::SetAverage(double x)
{
    if (m_scale)
        m_scale->average = ToStored(x);
}
double CCashTimeTank::GetAverage() const { return m_scale ? FromStored(m_scale->average) : HUGE_VAL; }

void CCashTimeTank::GetMaxText(fw::CString& out, bool useFormat) const { FormatShown(GetMax(), out, useFormat); }
void CCashTimeTank::GetMinText(fw::CString& out, bool useFormat) const { FormatShown(GetMin(), out, useFormat); }
void CCashTimeTank::GetAverageText(fw::CString& out, bool useFormat) const
{
    FormatShown(GetAverage(), out, useFormat);
}

// --- cursor and accessor ----------------------------------------------------------------

void CCacheTimePtr::Init(void* source, int start, int count)
{
    CCacheUnLongPtr::Init(source, start, count);
    auto* tank = dynamic_cast<CCashTimeTank*>(static_cast<CDataTankObject*>(source));
    m_factor = tank ? tank->GetTimeUnitFactor() : 1.0;
}

bool CCacheTimePtr::ReadNext(double& value)
{
    const bool valid = CCacheUnLongPtr::ReadNext(value);
    if (valid)
        value /= m_factor;
    return valid;
}

void CCacheTimePtr::SetPreset(bool flag, double max, double min)
{
    CCacheUnLongPtr::SetPreset(flag, max * m_factor, min * m_factor);
}

bool CCacheTimePtr::MaxMin(int start, int count, double& max, double& min)
{
    const bool found = CCacheUnLongPtr::MaxMin(start, count, max, min);
    max /= m_factor;
    min /= m_factor;
    return found;
}

bool CCacheTimePtr::MaxMinAbove(int start, int count, double& max, double& min, double threshold)
{
    const bool found = CCacheUnLongPtr::MaxMinAbove(start, count, max, min, threshold * m_factor);
    max /= m_factor;
    min /= m_factor;
    return found;
}

bool CCacheTimePtr::Average(int start, int count, double& average)
{
    const bool found = CCacheUnLongPtr::Average(start, count, average);
    average /= m_factor;
    return found;
}

double CCacheTimeDataPoter::GetFirstValue()
{
    return m_tank && m_count > 0 ? m_tank->GetValue(0) : HUGE_VAL;
}

double CCacheTimeDataPoter::GetLastValue()
{
    return m_tank && m_count > 0 ? m_tank->GetValue(m_count - 1) : HUGE_VAL;
}
