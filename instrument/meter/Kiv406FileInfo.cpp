#include "instrument/meter/Kiv406FileInfo.h"

#include <cmath>

namespace {

constexpr double kHalfSecondDays = 5.787037037037037e-6;

fw::COleDateTime NullTime()
{
    fw::COleDateTime t(0.0);
    t.SetStatus(fw::COleDateTime::null);
    return t;
}

bool IsNull(const fw::COleDateTime& t)
{
    return t.GetStatus() == fw::COleDateTime::null;
}

bool IsValid(const fw::COleDateTime& t)
{
    return t.GetStatus() == fw::COleDateTime::valid;
}

bool WithinHalfSecond(const fw::COleDateTime& a, const fw::COleDateTime& b)
{
    return std::fabs(a.m_dt - b.m_dt) < kHalfSecondDays;
}

} // namespace

CKiv406FileInfo::CKiv406FileInfo()
{
    Reset();
}

void CKiv406FileInfo::Reset()
{
    m_name.Empty();
    m_sampleCount = 0;
    m_headerSize = 0;
    m_dataSize = 0;
    m_firstSampleTime = NullTime();
    m_interval = 1.0;
    m_ownerIndex = -1;
    m_triggerType = triggerUnknown;
    m_clockKind = clockInterval;
    m_headerTime = NullTime();
}

bool operator<(const CKiv406FileInfo& a, const CKiv406FileInfo& b)
{
    const fw::COleDateTime& ta = a.m_headerTime;
    const fw::COleDateTime& tb = b.m_headerTime;
    const bool sameTime = (IsNull(ta) && IsNull(tb)) || (IsValid(ta) && IsValid(tb) && WithinHalfSecond(ta, tb));
    if (sameTime)
        return a.m_name.Compare(b.m_name) < 0;
    if (IsNull(ta) != IsNull(tb))
        return IsNull(ta);
    return ta.m_dt < tb.m_dt;
}

bool IsSameFileInfo(const CKiv406FileInfo& a, const CKiv406FileInfo& b)
{
    if (a.m_headerTime.GetStatus() != b.m_headerTime.GetStatus())
        return false;
    if (IsValid(a.m_headerTime) && !WithinHalfSecond(a.m_headerTime, b.m_headerTime))
        return false;
    return a.m_name == b.m_name;
}
