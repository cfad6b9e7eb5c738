#include "chart/model/Oblique3D.h"

#include "chart/model/GrDraw.h"
#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"

#include <algorithm>

FW_IMPLEMENT_SERIAL(CPlotFrame3D, CPlotFrame, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CTickXLabel3D, CTickXLabel, fw::VERSIONABLE_SCHEMA | 1)

namespace {

int DepthX(const fw::CRect& r) { return (r.right - r.left) / 4; }
int DepthY(const fw::CRect& r) { return (r.bottom - r.top) / 3; }

} // namespace

// Y onto the floor (min at B, max at B - dy) or the full height; X over the
// full width, or only the left wall's quarter.
namespace oblique {

void PrepareFaces(CPlotXYGrid& grid, int16_t mode, bool quarterX, OGPRecord* rec, double& xFactor,
                  double& xOffset, double& yFactor, double& yOffset)
{
    const fw::CRect& r = rec->m_plotRect;
    if (mode == kFloor || mode == kLeftWall) {
        grid.PrepareYMapping(rec);
        if (GrHasError(rec))
            return;
        if (mode == kFloor) {
            yFactor = double(DepthY(r)) / (rec->m_yMax - rec->m_yMin);
            yOffset = yFactor * rec->m_yMin + r.bottom;
        }
    }
    grid.PrepareXMapping(rec);
    if (GrHasError(rec))
        return;
    if (mode == kLeftWall && quarterX) {
        xFactor = double(DepthX(r)) / (rec->m_xMax - rec->m_xMin);
        xOffset = r.left - xFactor * rec->m_xMin;
    }
}

} // namespace oblique

// --- the frame ----------------------------------------------------------------------

void CPlotFrame3D::Draw(fw::CDC& dc, OGPRecord* rec)
{
    GrClearError(rec);
    fw::CPen pen(fw::PS_INSIDEFRAME, m_frameWidth, GetColorRef());
    fw::CPen* oldPen = dc.SelectObject(&pen);
    fw::CGdiObject* oldBrush = dc.SelectStockObject(fw::NULL_BRUSH);
    const fw::CRect& r = rec->m_plotRect;
    const int h = m_frameWidth / 2;
    const int dx = DepthX(r);
    const int dy = DepthY(r);
    // The right edge stays where it is; the others move out by h.
    const fw::CPoint box[] = {
        {r.left - h + dx, r.top - h},       {r.right, r.top - h},          {r.right, r.bottom + h - dy},
        {r.left - h + dx, r.bottom + h - dy}, {r.left - h + dx, r.top - h}, {r.left - h, r.top + h + dy},
        {r.left - h, r.bottom + h},         {r.right - dx, r.bottom + h},  {r.right, r.bottom + h - dy},
        {r.left - h + dx, r.bottom + h - dy}, {r.left - h, r.bottom + h},
    };
    dc.Polyline(box, int(std::size(box)));
    dc.SelectObject(static_cast<fw::CBrush*>(oldBrush));
    dc.SelectObject(oldPen);
}

// --- X labels -----------------------------------------------------------------------

void CTickXLabel3D::PrepareMapping(OGPRecord* rec)
{
    oblique::PrepareFaces(*this, m_mode, false, rec, m_xFactor, m_xOffset, m_yFactor, m_yOffset);
}

void CTickXLabel3D::DrawMajorTick(fw::CDC& dc, double value, int coord, OGPRecord* rec)
{
    if (m_mode != oblique::kFloor && m_mode != oblique::kLeftWall) {
        CTickXLabel::DrawMajorTick(dc, value, coord, rec);
        return;
    }
    fw::CString text;
    FormatValue(value, text);
    if (text.IsEmpty())
        return;
    if (m_textHeight == 0)
        MeasureHeight(dc);
    const int y = GrRound(MapY(value));
    if (m_mode == oblique::kFloor) {
        const int x = coord - dc.GetTextExtent(text).cx / 2;
        if (OnFirstSide(m_side))
            dc.TextOut(x, y, text);
        if (OnSecondSide(m_side))
            dc.TextOut(x, y, text);
        return;
    }
    dc.TextOut(coord + 3 * Gap(dc), y + m_textHeight / 2, text);
}

void CTickXLabel3D::Measure(fw::CDC& dc, OGPRecord* rec)
{
    CTickXLabel::Measure(dc, rec);
    if (m_mode != oblique::kLeftWall)
        return;
    ApplyText(dc);
    rec->m_frameRect.right += WidestLabel(dc, rec->m_xMin, rec->m_xMax, rec->m_xLabelWidth);
    RestoreText(dc);
}

// --- X marks ------------------------------------------------------------------------

void CTickXMark3D::PrepareMapping(OGPRecord* rec)
{
    oblique::PrepareFaces(*this, m_mode, true, rec, m_xFactor, m_xOffset, m_yFactor, m_yOffset);
}

// --- X grid lines -------------------------------------------------------------------

void CXGridLine3D::PrepareMapping(OGPRecord* rec)
{
    oblique::PrepareFaces(*this, m_mode, true, rec, m_xFactor, m_xOffset, m_yFactor, m_yOffset);
}

void CXGridLine3D::Line(fw::CDC& dc, double value, int x, int32_t style, int width, int colour, OGPRecord* rec)
{
    const fw::CRect& r = rec->m_plotRect;
    if (style == kNoLine || x == r.left || x == r.right)
        return;
    fw::COLORREF c = 0;
    GrGetColorRef(colour, c);
    fw::CPen pen;
    GrCreatePen(style, width, c, pen);
    fw::CPen* old = dc.SelectObject(&pen);
    const int height = r.bottom - r.top;
    if (m_mode == oblique::kFloor) {
        const int y = GrRound(MapY(value));
        dc.MoveTo(x, y);
        dc.LineTo(x + m_shift, y - 2 * height / 3);
    } else if (m_mode == oblique::kLeftWall) {
        const int y = GrRound(MapY(value)) + 1;
        dc.MoveTo(x, y);
        dc.LineTo(x + m_shift + 3 * (r.right - r.left) / 4, y);
    } else {
        dc.MoveTo(x, r.bottom);
        dc.LineTo(x + m_shift, r.top);
    }
    dc.SelectObject(old);
}

void CXGridLine3D::DrawMinor(fw::CDC& dc, double value, int coord, OGPRecord* rec)
{
    Line(dc, value, coord, m_minorStyle, m_minorWidth, m_minorColour, rec);
}

void CXGridLine3D::DrawMajorTick(fw::CDC& dc, double value, int coord, OGPRecord* rec)
{
    Line(dc, value, coord, m_majorStyle, m_majorWidth, m_majorColour, rec);
}

// --- Y grid lines -------------------------------------------------------------------

void CYGridLine3D::Line(fw::CDC& dc, int y, int32_t style, int width, int colour, OGPRecord* rec)
{
    const fw::CRect& r = rec->m_plotRect;
    if (style == kNoLine || y == r.top || y == r.bottom)
        return;
    fw::COLORREF c = 0;
    GrGetColorRef(colour, c);
    fw::CPen pen;
    GrCreatePen(style, width, c, pen);
    fw::CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(r.left, y);
    dc.LineTo(r.right, y + m_shift);
    dc.SelectObject(old);
}

void CYGridLine3D::DrawMinor(fw::CDC& dc, double, int coord, OGPRecord* rec)
{
    Line(dc, coord, m_minorStyle, m_minorWidth, m_minorColour, rec);
}

void CYGridLine3D::DrawMajorTick(fw::CDC& dc, double, int coord, OGPRecord* rec)
{
    Line(dc, coord, m_majorStyle, m_majorWidth, m_majorColour, rec);
}
