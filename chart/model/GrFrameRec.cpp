#include "chart/model/GrFrameRec.h"

#include "framework/core/Archive.h"

FW_IMPLEMENT_SERIAL(GrFrameRec, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

namespace {

template <class Rec, class F> void ForEachField(Rec& r, F&& f)
{
    f(r.m_frameWidth);
    f(r.m_frameColor);
    f(r.m_gridMajorColor);
    f(r.m_gridMinorColor);
    f(r.m_xGridMajorWidth);
    f(r.m_xGridMinorWidth);
    f(r.m_xTickSide);
    f(r.m_xTickWidth);
    f(r.m_yGridMajorWidth);
    f(r.m_yGridMinorWidth);
    f(r.m_yTickSide);
    f(r.m_yTickWidth);
    f(r.m_tickColor);
    f(r.m_reserved);
}

} // namespace

GrFrameRec& GrFrameRec::operator=(const GrFrameRec& other)
{
    if (this == &other)
        return *this;
    m_frameWidth = other.m_frameWidth;
    m_frameColor = other.m_frameColor;
    m_gridMajorColor = other.m_gridMajorColor;
    m_gridMinorColor = other.m_gridMinorColor;
    m_xGridMajorWidth = other.m_xGridMajorWidth;
    m_xGridMinorWidth = other.m_xGridMinorWidth;
    m_xTickSide = other.m_xTickSide;
    m_xTickWidth = other.m_xTickWidth;
    m_yGridMajorWidth = other.m_yGridMajorWidth;
    m_yGridMinorWidth = other.m_yGridMinorWidth;
    m_yTickSide = other.m_yTickSide;
    m_yTickWidth = other.m_yTickWidth;
    m_tickColor = other.m_tickColor;
    m_reserved = other.m_reserved;
    return *this;
}

void GrFrameRec::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring())
        ForEachField(*this, [&](int16_t& v) { ar << v; });
    else
        ForEachField(*this, [&](int16_t& v) { ar >> v; });
}
