#include "instrument/check/ProgramTableTanks.h"

#include "common/base/ValueFormat.h"
#include "framework/core/DateTime.h"

#include <cfloat>
#include <cmath>

FW_IMPLEMENT_SERIAL(CCompValueTank, CFltDataTank, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CCycleTank, CLongDataTank, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CControlTank, CShortDataTank, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CRepetTank, CLongDataTank, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CIntevalTank, CDateDataTank, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CIntevalTimeTank, CDateDataTank, fw::VERSIONABLE_SCHEMA | 1)

namespace {

// The largest amount of change the comparator takes, as typed and as the
// bound of the range prompt.
constexpr double kMaxCompValue = 3.4028235e38;
constexpr double kMaxCompValueShown = 3.4028234663852886e38;
constexpr int kCompValueDigits = 6;

const char* const kControlTexts[] = {"無限回", "繰り返し", "GOTO"};

// The integer part, compared as a double so that huge values stay huge.
bool IntegerPartIn(double x, int32_t low, int32_t high)
{
    const double t = std::trunc(x);
    return t >= double(low) && t <= double(high);
}

} // namespace

// --- comparison value -----------------------------------------------------------------------

CCompValueTank::CCompValueTank()
{
    m_fillMarker = HUGE_VALF;
    m_emptyMarker = HUGE_VALF;
}

bool CCompValueTank::CheckValue(double x) const
{
    if (x == double(m_emptyMarker) || (x > 0.0 && x <= kMaxCompValue))
        return true;
    if (m_reportRangeErrors)
        ReportRealRange(0.0, kMaxCompValueShown, kCompValueDigits, kIdpRealRange);
    return false;
}

// --- cycles ---------------------------------------------------------------------------------

CCycleTank::CCycleTank()
{
    m_fillMarker = INT32_MIN;
    m_emptyMarker = INT32_MIN;
}

bool CCycleTank::CheckValue(double x) const
{
    if (x == double(m_emptyMarker) || IntegerPartIn(x, m_minimum, kMaxCycle))
        return true;
    if (m_reportRangeErrors)
        ReportIntRange(m_minimum, kMaxCycle, "%ld", kIdpIntRange);
    return false;
}

// --- control word ---------------------------------------------------------------------------

CControlTank::CControlTank()
{
    m_fillMarker = kNone;
    m_emptyMarker = kNone;
}

fw::CString CControlTank::ControlText(int value)
{
    if (value >= 0 && value < kNone)
        return kControlTexts[value];
    return {};
}

void CControlTank::GetValueText(int index, fw::CString& out, bool)
{
    out.Empty();
    if (index < 0 || index >= GetDataCount() || !HasHeader())
        return;
    int16_t v = kNone;
    GetAt(index, v);
    out = ControlText(v);
}

bool CControlTank::SetValueText(int index, const fw::CString& text)
{
    if (index < 0)
        return false;
    for (int v = 0; v <= kNone; ++v)
        if (text == ControlText(v))
            return SetValue(index, v);
    return false;
}

// --- repeat count ---------------------------------------------------------------------------

CRepetTank::CRepetTank()
{
    m_fillMarker = 0;
    m_emptyMarker = 0;
}

bool CRepetTank::CheckValue(double x) const
{
    if (x == double(m_emptyMarker) || IntegerPartIn(x, 1, kMaxRepeat))
        return true;
    if (m_reportRangeErrors)
        ReportIntRange(1, kMaxRepeat, "%ld", kIdpIntRange);
    return false;
}

void CRepetTank::GetValueText(int index, fw::CString& out, bool)
{
    out.Empty();
    if (index < 0 || index >= GetDataCount() || !HasHeader())
        return;
    int32_t v = m_emptyMarker;
    GetAt(index, v);
    if (v != m_emptyMarker)
        FormatDataValue(double(v), GetFormat(), out);
}

// --- start date and time --------------------------------------------------------------------

CIntevalTank::CIntevalTank()
{
    m_fillMarker = HUGE_VAL;
    m_emptyMarker = HUGE_VAL;
}

bool CIntevalTank::SetDatePart(int row, int part, int number)
{
    if (row < 0)
        return false;
    const double cell = GetValue(row);
    fw::OleDateFields f;
    const double start = cell == m_emptyMarker ? fw::COleDateTime::GetCurrentTime().m_dt : cell;
    if (!fw::OleDateToFields(start, f))
        return false;
    switch (part) {
    case 0:
        if (number < 2001)
            return false;
        f.year = number;
        break;
    case 1:
        f.month = number;
        break;
    case 2:
        f.day = number;
        break;
    default:
        return false;
    }
    double date = 0.0;
    if (!fw::FieldsToOleDate(f.year, f.month, f.day, 0, 0, 0, date))
        return false;
    return SetValue(row, date);
}

CIntevalTimeTank::CIntevalTimeTank()
{
    m_fillMarker = HUGE_VAL;
    m_emptyMarker = HUGE_VAL;
}

bool CIntevalTimeTank::SetTimePart(int row, int part, int number)
{
    if (row < 0)
        return false;
    const double cell = GetValue(row);
    fw::OleDateFields f;
    if (cell != m_emptyMarker && !fw::OleDateToFields(cell, f))
        return false;
    switch (part) {
    case 0:
        f.hour = number;
        break;
    case 1:
        f.minute = number;
        break;
    case 2:
        f.second = number;
        break;
    default:
        return false;
    }
    double time = 0.0;
    if (!fw::FieldsToOleDate(1899, 12, 30, f.hour, f.minute, f.second, time))
        return false;
    return SetValue(row, time);
}
