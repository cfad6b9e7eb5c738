#include "chart/model/OGPRecord.h"

#include "framework/core/Archive.h"

FW_IMPLEMENT_SERIAL(OGPRecord, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

void SerializeRect(fw::CArchive& ar, fw::CRect& rect)
{
    if (ar.IsStoring())
        ar << rect.left << rect.top << rect.right << rect.bottom;
    else
        ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}

OGPRecord& OGPRecord::operator=(const OGPRecord& other)
{
    if (this == &other)
        return *this;
    m_plotRect = other.m_plotRect;
    m_frameRect = other.m_frameRect;
    m_xMin = other.m_xMin;
    m_xMax = other.m_xMax;
    m_xRangeSet = other.m_xRangeSet;
    m_xLabelWidth = other.m_xLabelWidth;
    m_yMin = other.m_yMin;
    m_yMax = other.m_yMax;
    m_yRangeSet = other.m_yRangeSet;
    m_yLabelWidth = other.m_yLabelWidth;
    m_background = other.m_background;
    m_drawing = other.m_drawing;
    m_errorCode = other.m_errorCode;
    m_errorIndex = other.m_errorIndex;
    m_clipRect = other.m_clipRect;
    m_lineWidthFactor = other.m_lineWidthFactor;
    return *this;
}

void OGPRecord::Serialize(fw::CArchive& ar)
{
    SerializeRect(ar, m_plotRect);
    SerializeRect(ar, m_frameRect);
    if (ar.IsStoring()) {
        ar << m_xMin << m_xMax << m_xRangeSet << m_xLabelWidth;
        ar << m_yMin << m_yMax << m_yRangeSet << m_yLabelWidth;
        ar << m_background << m_drawing;
    } else {
        ar >> m_xMin >> m_xMax >> m_xRangeSet >> m_xLabelWidth;
        ar >> m_yMin >> m_yMax >> m_yRangeSet >> m_yLabelWidth;
        ar >> m_background >> m_drawing;
    }
    SerializeRect(ar, m_clipRect);
}
