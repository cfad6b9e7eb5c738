#include "chart/model/GDataInfoRec.h"

#include "chart/model/OGPRecord.h"
#include "framework/core/Archive.h"

FW_IMPLEMENT_SERIAL(GDataInfoRec, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

GDataInfoRec& GDataInfoRec::operator=(const GDataInfoRec& other)
{
    if (this == &other)
        return *this;
    m_graphType = other.m_graphType;
    m_xAxisKind = other.m_xAxisKind;
    m_flag = other.m_flag;
    m_graphRect = other.m_graphRect;
    m_showXGrid = other.m_showXGrid;
    m_showYGrid = other.m_showYGrid;
    m_showAxes = other.m_showAxes;
    m_value = other.m_value;
    return *this;
}

void GDataInfoRec::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_graphType << m_xAxisKind << m_flag;
        SerializeRect(ar, m_graphRect);
        ar << m_showXGrid << m_showYGrid << m_showAxes << m_value;
    } else {
        ar >> m_graphType >> m_xAxisKind >> m_flag;
        SerializeRect(ar, m_graphRect);
        ar >> m_showXGrid >> m_showYGrid >> m_showAxes >> m_value;
    }
}
