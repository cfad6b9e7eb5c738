#include "chart/model/GridLine.h"

#include "chart/model/GrDraw.h"
#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"

#include <algorithm>

void CGridLine::SetStyleWords(int16_t first, int16_t second)
{
    m_styleWords[0] = first;
    m_styleWords[1] = second;
}

void CGridLine::Across(fw::CDC& dc, int coord, int32_t style, int width, int colour, OGPRecord* rec)
{
    const fw::CRect& r = rec->m_plotRect;
    if (m_xAxis ? (coord == r.left || coord == r.right) : (coord == r.top || coord == r.bottom))
        return;
    fw::COLORREF c = 0;
    GrGetColorRef(colour, c);
    fw::CPen pen;
    GrCreatePen(style, width, c, pen);
    fw::CPen* old = dc.SelectObject(&pen);
    if (m_xAxis) {
        dc.MoveTo(coord, r.top);
        dc.LineTo(coord, r.bottom);
    } else {
        dc.MoveTo(r.left, coord);
        dc.LineTo(r.right, coord);
    }
    dc.SelectObject(old);
}

void CGridLine::DrawMinor(fw::CDC& dc, double, int coord, OGPRecord* rec)
{
    if (m_minorStyle != kNoLine)
        Across(dc, coord, m_minorStyle, m_minorWidth, m_minorColour, rec);
}

void CGridLine::DrawMajorTick(fw::CDC& dc, double, int coord, OGPRecord* rec)
{
    if (m_majorStyle != kNoLine)
        Across(dc, coord, m_majorStyle, m_majorWidth, m_majorColour, rec);
}

void CGridLine::DrawZeroLine(fw::CDC& dc, int coord, OGPRecord* rec)
{
    if (m_xAxis && m_majorStyle == kNoLine)
        return;
    Across(dc, coord, m_majorStyle, std::max<int>(m_majorWidth, 1), m_majorColour, rec);
}

void CGridLine::Draw(fw::CDC& dc, OGPRecord* rec)
{
    CPlotXYGrid::Draw(dc, rec);
    if (!m_zeroLine || GrHasError(rec))
        return;
    PrepareMapping(rec);
    if (GrHasError(rec) || !(m_endValue >= 0.0 && 0.0 >= std::min(m_walkStart, m_walkEnd)))
        return;
    const double mapped = MapValue(0.0, rec);
    if (GrHasError(rec) || GrCheckCoord(mapped, rec))
        return;
    DrawZeroLine(dc, GrRound(mapped), rec);
}
