#include "instrument/ADSetPrf.h"

#include "common/base/ArchiveTags.h"
#include "common/base/ValueParse.h"
#include "framework/core/Archive.h"
#include "framework/core/Format.h"
#include "framework/core/Profile.h"

#include <algorithm>
#include <cmath>

namespace {

// Reals live in the profile as text, as the application's profile
// functions wrote them.
constexpr int kClkDigits = 15;

double GetProfileDouble(fw::CProfile& profile, const char* section, const char* key, double def)
{
    const fw::CString text = profile.GetProfileString(section, key, "");
    double value = def;
    return TextToDouble(text.c_str(), &value) ? value : def;
}

// An integer of the profile within lo..hi, else `def`: a value no dialog
// could have written is an edited or damaged profile.
int GetProfileIntIn(fw::CProfile& profile, const char* section, const char* key, int def, int lo, int hi)
{
    const int value = profile.GetProfileInt(section, key, def);
    return value >= lo && value <= hi ? value : def;
}

constexpr int kMostSamples = 10000000;

} // namespace

void CADSetPrf::WriteProfile(fw::CProfile& profile) const
{
    profile.WriteProfileInt(kSection, "NUM", m_nNum);
    profile.WriteProfileInt(kSection, "PRENUM", m_nPreNum);
    profile.WriteProfileString(kSection, "CLK", fw::Format("%.*g", kClkDigits, m_dClk).c_str());
    profile.WriteProfileInt(kSection, "UNIT", m_nUnit);
    profile.WriteProfileInt(kSection, "EXT_CLK", m_nExtClk);
}

void CADSetPrf::ReadProfile(fw::CProfile& profile)
{
    m_nNum = GetProfileIntIn(profile, kSection, "NUM", m_nNum, 1, kMostSamples);
    m_nPreNum = GetProfileIntIn(profile, kSection, "PRENUM", std::clamp(m_nPreNum, 0, m_nNum), 0, m_nNum);
    // A sampling interval is a positive number of milliseconds; the
    // durations divide by it.
    const double clk = GetProfileDouble(profile, kSection, "CLK", m_dClk);
    if (std::isfinite(clk) && clk > 0.0)
        m_dClk = clk;
    m_nUnit = GetProfileIntIn(profile, kSection, "UNIT", m_nUnit, unitMs, unitH);
    m_nExtClk = profile.GetProfileInt(kSection, "EXT_CLK", m_nExtClk);
}

bool CADSetPrf::IsEqual(const CADSetPrf& other) const
{
    return m_nNum == other.m_nNum && m_nPreNum == other.m_nPreNum && m_dClk == other.m_dClk &&
           m_nUnit == other.m_nUnit && m_nExtClk == other.m_nExtClk;
}

double CADSetPrf::GetUnitFactor(int unit) const
{
    if (UsesExternalClock())
        return 1.0;
    if (unit < 0)
        unit = m_nUnit;
    switch (unit) {
    case unitS:
        return 1000.0;
    case unitMin:
        return 60000.0;
    case unitH:
        return 3600000.0;
    default:
        return 1.0;
    }
}

unsigned CADSetPrf::GetUnitCaptionId() const
{
    if (UsesExternalClock())
        return kCaptionSamples;
    return m_nUnit >= unitMs && m_nUnit <= unitH ? kCaptionMs + static_cast<unsigned>(m_nUnit) : 0;
}

double CADSetPrf::GetMeasureTime(int unit) const
{
    if (UsesExternalClock())
        return m_nNum;
    return (m_nNum - 1) * m_dClk / GetUnitFactor(unit);
}

double CADSetPrf::GetPreTriggerTime(int unit) const
{
    if (UsesExternalClock())
        return m_nPreNum;
    return m_nPreNum * m_dClk / GetUnitFactor(unit);
}

double CADSetPrf::GetMeasureHours() const
{
    if (UsesExternalClock())
        return m_nNum;
    return std::floor((m_nNum - 1) * m_dClk) / 3600000.0;
}

void CADSetPrf::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_nNum) << static_cast<int32_t>(m_nPreNum) << m_dClk
           << static_cast<int32_t>(m_nUnit);
        WriteArchiveTag(ar, kExtClkTag);
        ar << static_cast<int32_t>(m_nExtClk);
        return;
    }
    int32_t num = 0, preNum = 0, unit = 0;
    double clk = 0.0;
    ar >> num >> preNum >> clk >> unit;
    m_nNum = num;
    m_nPreNum = preNum;
    m_dClk = clk;
    m_nUnit = unit;
    int32_t extClk = 0;
    if (PeekArchiveTag(ar, kExtClkTag))
        ar >> extClk;
    m_nExtClk = extClk;
}
