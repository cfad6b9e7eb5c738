#include "chart/model/TickMark.h"

#include "chart/model/GrDraw.h"
#include "chart/model/OGPRecord.h"
#include "common/base/ValueFormat.h"

CTickMark::CTickMark(bool xAxis, const OGPRecord& rec) : CPlotXYGrid(xAxis, false)
{
    const double lo = xAxis ? rec.m_xMin : rec.m_yMin;
    const double hi = xAxis ? rec.m_xMax : rec.m_yMax;
    SetWalk(lo, (hi - lo) / 5.0, hi);
}

void CTickMark::SetLogRange(double low, double high)
{
    RoundToSevenDigits(low);
    RoundToSevenDigits(high);
    CPlotXYGrid::SetLogRange(low, high);
}

void CTickMark::DrawMinor(fw::CDC& dc, double, int coord, OGPRecord* rec)
{
    Mark(dc, coord, m_minorWidth, m_minorLength, m_minorColour, rec);
}

void CTickMark::DrawMajorTick(fw::CDC& dc, double, int coord, OGPRecord* rec)
{
    Mark(dc, coord, m_majorWidth, m_majorLength, m_majorColour, rec);
}

void CTickMark::Mark(fw::CDC& dc, int coord, int width, int length, int colour, OGPRecord* rec)
{
    const fw::CRect& r = rec->m_plotRect;
    if (width == 0)
        return;
    if (m_xAxis ? (coord == r.left || coord == r.right) : (coord == r.top || coord == r.bottom))
        return;
    const int len = HundredthsMmToLogical(dc, length, m_xAxis);
    fw::COLORREF c = 0;
    GrGetColorRef(colour, c);
    fw::CPen pen;
    GrCreatePen(0, width, c, pen);
    fw::CPen* old = dc.SelectObject(&pen);
    auto line = [&dc](int x1, int y1, int x2, int y2) {
        dc.MoveTo(x1, y1);
        dc.LineTo(x2, y2);
    };
    const bool first = m_side == 2 || m_side == 4;  // top or left
    const bool second = m_side == 3 || m_side == 4; // bottom or right
    if (m_xAxis) {
        if (second)
            line(coord, r.bottom, coord, r.bottom - len);
        if (first)
            line(coord, r.top, coord, r.top + len);
    } else {
        if (first)
            line(r.left, coord, r.left + len, coord);
        if (second)
            line(r.right, coord, r.right - len, coord);
    }
    dc.SelectObject(old);
}
