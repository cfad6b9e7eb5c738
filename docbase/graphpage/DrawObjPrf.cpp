#include "docbase/graphpage/DrawObjPrf.h"

#include "framework/core/Archive.h"

CDrawObjPrf::CDrawObjPrf()
{
    m_fill.lbStyle = fw::BS_SOLID;
    m_fill.lbColor = fw::RGB(255, 255, 255);
    m_fill.lbHatch = 0;
}

void CDrawObjPrf::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_sides << m_penStyle << m_penWidth << m_extra << m_penColor;
        ar << m_fill.lbStyle << m_fill.lbColor << static_cast<uint32_t>(m_fill.lbHatch);
        ar << m_transparent;
        return;
    }
    uint32_t hatch = 0;
    ar >> m_sides >> m_penStyle >> m_penWidth >> m_extra >> m_penColor;
    ar >> m_fill.lbStyle >> m_fill.lbColor >> hatch;
    m_fill.lbHatch = hatch;
    ar >> m_transparent;
}
