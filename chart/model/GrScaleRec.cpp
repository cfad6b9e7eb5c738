#include "chart/model/GrScaleRec.h"

#include "framework/core/Archive.h"

FW_IMPLEMENT_SERIAL(GrScaleRec, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

namespace {

void SerializeRange(fw::CArchive& ar, GrScaleRec::Axis& axis)
{
    if (ar.IsStoring())
        ar << axis.autoMode << axis.minimum << axis.maximum << axis.step << axis.subdivisions;
    else
        ar >> axis.autoMode >> axis.minimum >> axis.maximum >> axis.step >> axis.subdivisions;
}

void SerializeLabels(fw::CArchive& ar, GrScaleRec::Axis& axis)
{
    if (ar.IsStoring())
        ar << axis.decimals << axis.labelEvery << axis.labelSide;
    else
        ar >> axis.decimals >> axis.labelEvery >> axis.labelSide;
}

} // namespace

GrScaleRec::GrScaleRec()
{
    m_y.labelSide = 2;
    m_z.subdivisions = 0;
}

GrScaleRec& GrScaleRec::operator=(const GrScaleRec& other)
{
    if (this == &other)
        return *this;
    m_scaleType = other.m_scaleType;
    m_x = other.m_x;
    m_y = other.m_y;
    m_timeDivisor = other.m_timeDivisor;
    m_timeOrigin = other.m_timeOrigin;
    m_z = other.m_z;
    m_options = other.m_options;
    return *this;
}

void GrScaleRec::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_scaleType;
    else
        ar >> m_scaleType;
    SerializeRange(ar, m_x);
    SerializeLabels(ar, m_x);
    SerializeRange(ar, m_y);
    SerializeLabels(ar, m_y);
    if (ar.IsStoring())
        ar << m_timeDivisor << m_timeOrigin;
    else
        ar >> m_timeDivisor >> m_timeOrigin;
    SerializeRange(ar, m_z);
    if (ar.IsStoring())
        ar << m_options;
    else
        ar >> m_options;
}
