#include "graphdoc/model/objects/MoniDataPrf.h"

#include "framework/core/Archive.h"

void CMoniDataPrf::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_channel << uint32_t(m_lowerColor) << uint32_t(m_upperColor) << uint32_t(m_bothColor);
        ar << m_alarmCheck << m_digits << m_liveUpdate << m_followPanel << m_stepOffset << m_stepEnabled
           << m_displayStep << m_strTitle;
    } else {
        uint32_t lower = 0, upper = 0, both = 0;
        ar >> m_channel >> lower >> upper >> both;
        ar >> m_alarmCheck >> m_digits >> m_liveUpdate >> m_followPanel >> m_stepOffset >> m_stepEnabled >>
            m_displayStep >> m_strTitle;
        m_lowerColor = lower;
        m_upperColor = upper;
        m_bothColor = both;
    }
    m_docIdent.Serialize(ar);
}

fw::COLORREF CMoniDataPrf::GetColor(int i) const
{
    switch (i) {
    case 0: return m_lowerColor;
    case 1: return m_upperColor;
    default: return m_bothColor;
    }
}

CMoniDataPrf& DefaultMonitorProfile()
{
    static CMoniDataPrf profile;
    return profile;
}
