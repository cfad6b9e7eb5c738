#include "chart/model/PlotText.h"

#include "chart/model/GrRecord.h"
#include "chart/model/GrText.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/PlotGrid.h"
#include "common/base/LogFont.h"
#include "framework/core/Archive.h"

FW_IMPLEMENT_SERIAL(CPlotText, CPlotColorInfo, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CPlotLabel, CPlotText, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CXPlotLabel, CPlotLabel, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CYPlotLabel, CPlotLabel, fw::VERSIONABLE_SCHEMA | 1)

namespace {

bool OnFirstSide(int16_t side) { return side == 2 || side == 4; }
bool OnSecondSide(int16_t side) { return side == 3 || side == 4; }

} // namespace

// --- CPlotText -------------------------------------------------------------------

CPlotText::CPlotText() = default;
CPlotText::~CPlotText() = default;

void CPlotText::CreateDefaultAttributes()
{
    tTextAttributes a;
    SetDefaultLogFont(&a.font, true, 0);
    a.bkMode = fw::OPAQUE;
    a.align = fw::TA_BOTTOM;
    m_attributes = std::make_unique<CTextEnvirons>();
    m_attributes->SetAttributes(a);
}

CTextEnvirons& CPlotText::Attributes()
{
    if (!m_attributes)
        CreateDefaultAttributes();
    return *m_attributes;
}

void CPlotText::Serialize(fw::CArchive& ar)
{
    CPlotColorInfo::Serialize(ar);
    Attributes().Serialize(ar);
}

void CPlotText::SetTextAttributes(const tTextAttributes& attributes)
{
    Attributes().SetAttributes(attributes);
}

void CPlotText::GetTextAttributes(tTextAttributes& attributes)
{
    Attributes().GetAttributes(attributes);
}

void CPlotText::ApplyText(fw::CDC& dc)
{
    Attributes().ApplyChain(dc);
}

void CPlotText::RestoreText(fw::CDC& dc)
{
    Attributes().RestoreChain(dc);
}

// --- CPlotLabel ------------------------------------------------------------------

void CPlotLabel::Serialize(fw::CArchive& ar)
{
    CPlotText::Serialize(ar);
    if (ar.IsStoring())
        ar << m_title << m_unit << m_gap << m_side;
    else
        ar >> m_title >> m_unit >> m_gap >> m_side;
}

void CPlotLabel::SetLabel(const fw::CString& title, const fw::CString& unit, const tTextAttributes& attributes,
                          int16_t side, int colour)
{
    m_title = title;
    m_unit = unit;
    SetTextAttributes(attributes);
    m_side = side;
    SetColor(colour);
}

void CPlotLabel::GetLabel(fw::CString& title, fw::CString& unit, tTextAttributes& attributes, int16_t& side,
                          int& colour)
{
    title = m_title;
    unit = m_unit;
    GetTextAttributes(attributes);
    side = m_side;
    colour = GetColor();
}

int CPlotLabel::FontHeight(fw::CDC& dc)
{
    ApplyText(dc);
    fw::TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    RestoreText(dc);
    return tm.tmHeight;
}

int CPlotLabel::Gap(fw::CDC& dc, bool vertical) const
{
    return HundredthsMmToLogical(dc, m_gap, vertical);
}

void CPlotLabel::Write(fw::CDC& dc, int x, int y, bool vertical, OGPRecord* rec)
{
    const fw::COLORREF old = dc.SetTextColor(GetColorRef());
    GrTextOut(dc, x, y, Text(), vertical, &rec->m_clipRect, fw::ETO_CLIPPED);
    dc.SetTextColor(old);
}

// --- CXPlotLabel -----------------------------------------------------------------

int CXPlotLabel::SpaceAbove(fw::CDC& dc)
{
    return OnFirstSide(m_side) ? FontHeight(dc) + Gap(dc, true) : 0;
}

int CXPlotLabel::SpaceBelow(fw::CDC& dc)
{
    return OnSecondSide(m_side) ? FontHeight(dc) + Gap(dc, true) : 0;
}

void CXPlotLabel::Draw(fw::CDC& dc, OGPRecord* rec)
{
    GrClearError(rec);
    const int gap = Gap(dc, true);
    ApplyText(dc);
    fw::TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    const int x = (rec->m_plotRect.left + rec->m_plotRect.right) / 2;
    if (OnSecondSide(m_side))
        Write(dc, x, rec->m_frameRect.bottom + tm.tmHeight + gap, false, rec);
    if (OnFirstSide(m_side))
        Write(dc, x, rec->m_frameRect.top - gap, false, rec);
    RestoreText(dc);
}

// --- CYPlotLabel -----------------------------------------------------------------

int CYPlotLabel::SpaceLeft(fw::CDC& dc)
{
    return OnFirstSide(m_side) ? FontHeight(dc) * 3 / 2 + Gap(dc, false) : 0;
}

int CYPlotLabel::SpaceRight(fw::CDC& dc)
{
    return OnSecondSide(m_side) ? FontHeight(dc) + Gap(dc, false) : 0;
}

void CYPlotLabel::Draw(fw::CDC& dc, OGPRecord* rec)
{
    GrClearError(rec);
    const int gap = Gap(dc, false);
    ApplyText(dc);
    fw::TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    fw::LOGFONT lf = dc.GetCurrentFont().Info();
    lf.lfEscapement = lf.lfOrientation = 900;
    fw::CFont turned;
    turned.CreateFontIndirect(lf);
    fw::CFont* old = dc.SelectObject(&turned);
    const int y = (rec->m_plotRect.top + rec->m_plotRect.bottom) / 2;
    if (OnFirstSide(m_side))
        Write(dc, rec->m_frameRect.left - gap, y, true, rec);
    if (OnSecondSide(m_side))
        Write(dc, rec->m_frameRect.right + tm.tmHeight + gap, y, true, rec);
    dc.SelectObject(old);
    RestoreText(dc);
}
