#include "chart/model/GrDraw.h"

#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace {

constexpr fw::COLORREF kPalette[kGrPaletteSize] = {
    fw::RGB(0, 0, 0),       fw::RGB(255, 0, 0),   fw::RGB(0, 255, 0),     fw::RGB(0, 0, 255),
    fw::RGB(255, 255, 0),   fw::RGB(255, 0, 255), fw::RGB(0, 255, 255),   fw::RGB(255, 255, 255),
    fw::RGB(255, 128, 0),   fw::RGB(255, 0, 128), fw::RGB(0, 128, 0),     fw::RGB(0, 128, 255),
    fw::RGB(128, 0, 255),   fw::RGB(128, 128, 128), fw::RGB(160, 160, 160), fw::RGB(192, 192, 192),
};

// The points of a midpoint walk from (x1, y1) to (x2, y2), one per unit of
// the major axis, both ends included.
class LineWalk {
public:
    LineWalk(int x1, int y1, int x2, int y2)
        : m_x(x1), m_y(y1), m_dx(std::abs(x2 - x1)), m_dy(std::abs(y2 - y1)), m_sx(x2 < x1 ? -1 : 1),
          m_sy(y2 < y1 ? -1 : 1), m_xMajor(m_dx > m_dy)
    {
        m_major = m_xMajor ? m_dx : m_dy;
        m_minor = m_xMajor ? m_dy : m_dx;
        m_error = m_major / 2;
    }
    int Steps() const { return m_major; }
    fw::CPoint Point() const { return {m_x, m_y}; }
    void Advance()
    {
        m_error += m_minor;
        if (m_error > m_major) {
            m_error -= m_major;
            (m_xMajor ? m_y : m_x) += m_xMajor ? m_sy : m_sx;
        }
        (m_xMajor ? m_x : m_y) += m_xMajor ? m_sx : m_sy;
    }

private:
    int m_x, m_y, m_dx, m_dy, m_sx, m_sy;
    bool m_xMajor;
    int m_major = 0, m_minor = 0, m_error = 0;
};

void Segment(fw::CDC& dc, fw::CPoint from, fw::CPoint to)
{
    if (from == to)
        return; // the platform line leaves its end out: nothing to draw
    dc.MoveTo(from);
    dc.LineTo(to);
}

// A white-filled shape: white inside when filled, else the outline only.
void WhiteShape(fw::CDC& dc, std::initializer_list<fw::CPoint> corners, bool filled)
{
    std::vector<fw::CPoint> pts(corners);
    if (filled) {
        fw::CGdiObject* old = dc.SelectStockObject(fw::WHITE_BRUSH);
        dc.Polygon(pts.data(), static_cast<int>(pts.size()));
        dc.SelectObject(static_cast<fw::CBrush*>(old));
        return;
    }
    pts.push_back(pts.front());
    dc.Polyline(pts.data(), static_cast<int>(pts.size()));
}

void BrushShape(fw::CDC& dc, std::initializer_list<fw::CPoint> corners)
{
    std::vector<fw::CPoint> pts(corners);
    dc.Polygon(pts.data(), static_cast<int>(pts.size()));
}

void Circle(fw::CDC& dc, int x, int y, int h, int stockBrush)
{
    fw::CGdiObject* old = stockBrush >= 0 ? dc.SelectStockObject(stockBrush) : nullptr;
    dc.Ellipse(x - h, y - h, x + h + 1, y + h + 1);
    if (old)
        dc.SelectObject(static_cast<fw::CBrush*>(old));
}

void Plus(fw::CDC& dc, int x, int y, int h)
{
    dc.MoveTo(x - h, y);
    dc.LineTo(x + h + 1, y);
    dc.MoveTo(x, y - h);
    dc.LineTo(x, y + h + 1);
}

} // namespace

fw::COLORREF GrGetColor(int index)
{
    return index >= 0 && index < kGrPaletteSize ? kPalette[index] : kPalette[0];
}

void GrGetColorRef(int index, fw::COLORREF& out)
{
    out = index >= 0 && index < kGrPaletteSize ? kPalette[index] : 0;
}

void GrGetFillBrush(int fill, fw::LOGBRUSH& brush)
{
    static constexpr int kHatches[] = {fw::HS_BDIAGONAL, fw::HS_CROSS,      fw::HS_DIAGCROSS,
                                       fw::HS_FDIAGONAL, fw::HS_HORIZONTAL, fw::HS_VERTICAL};
    if (fill == 1) {
        brush.lbStyle = fw::BS_SOLID;
    } else if (fill >= 2 && fill <= 7) {
        brush.lbStyle = fw::BS_HATCHED;
        brush.lbHatch = static_cast<uintptr_t>(kHatches[fill - 2]);
    } else {
        brush.lbStyle = fw::BS_HOLLOW;
    }
}

bool GrCreatePen(int type, int width, fw::COLORREF color, fw::CPen& pen, int count, const uint32_t* styles)
{
    fw::LOGBRUSH brush;
    brush.lbStyle = fw::BS_SOLID;
    brush.lbColor = color;
    std::vector<uint32_t> dashes;
    switch (type) {
    case 1: dashes = {1, 1}; break;
    case 2: dashes = {2, 2}; break;
    case 3: dashes = {3, 1}; break;
    case 4: dashes = {1, 3}; break;
    case 6:
        if (count > 0 && styles)
            dashes.assign(styles, styles + count);
        break;
    default: break;
    }
    const uint32_t style = fw::PS_GEOMETRIC | fw::PS_ENDCAP_FLAT | (dashes.empty() ? fw::PS_SOLID : fw::PS_USERSTYLE);
    return pen.CreatePen(style, width, brush, dashes);
}

void GrDashLine(fw::CDC& dc, int x1, int y1, int x2, int y2, uint16_t pattern)
{
    if (pattern == 0)
        return;
    if (pattern == 0xFFFF) {
        dc.MoveTo(x1, y1);
        dc.LineTo(x2, y2);
        return;
    }
    LineWalk walk(x1, y1, x2, y2);
    bool drawing = false;
    fw::CPoint runStart;
    for (int i = 0; i <= walk.Steps(); ++i) {
        const fw::CPoint p = walk.Point();
        const bool on = (pattern >> (15 - (i & 15))) & 1u;
        if (on && !drawing) {
            runStart = p;
            drawing = true;
        } else if (!on && drawing) {
            // The run ended at the step before: draw to one step past it.
            Segment(dc, runStart, p);
            drawing = false;
        }
        if (i < walk.Steps())
            walk.Advance();
    }
    if (drawing)
        Segment(dc, runStart, fw::CPoint(x2, y2));
}

void GrDrawSymbol(fw::CDC& dc, int type, int halfSize, int filled)
{
    const fw::CPoint at = dc.GetCurrentPosition();
    const int x = at.x, y = at.y;
    const int h = static_cast<int16_t>(halfSize);
    const bool white = filled != 0;
    switch (type) {
    case 0: return;
    case 1: WhiteShape(dc, {{x - h, y - h}, {x + h, y - h}, {x + h, y + h}, {x - h, y + h}}, white); break;
    case 2: WhiteShape(dc, {{x, y - h}, {x + h, y + h}, {x - h, y + h}}, white); break;
    case 3: Circle(dc, x, y, h, white ? fw::WHITE_BRUSH : fw::NULL_BRUSH); break;
    case 4: Plus(dc, x, y, h); return;
    case 5: dc.Rectangle(x - h, y - h, x + h, y + h); break;
    case 6: BrushShape(dc, {{x, y - h}, {x + h, y + h}, {x - h, y + h}}); break;
    case 7: Circle(dc, x, y, h, -1); break;
    case 8:
        dc.MoveTo(x - h, y - h);
        dc.LineTo(x + h + 1, y + h + 1);
        dc.MoveTo(x - h, y + h + 1);
        dc.LineTo(x + h + 1, y - h);
        return;
    case 9: WhiteShape(dc, {{x, y - (h + 1)}, {x - (h + 1), y}, {x, y + h + 1}, {x + h + 1, y}}, white); break;
    case 10: WhiteShape(dc, {{x, y + h}, {x + h, y - h}, {x - h, y - h}}, white); break;
    case 11: BrushShape(dc, {{x, y - (h + 1)}, {x - (h + 1), y}, {x, y + h + 1}, {x + h + 1, y}}); break;
    case 12: BrushShape(dc, {{x, y + h}, {x + h, y - h}, {x - h, y - h}}); break;
    case 13:
        WhiteShape(dc, {{x - h, y - h}, {x + h, y - h}, {x + h, y + h}, {x - h, y + h}}, white);
        dc.MoveTo(x - h, y - h);
        dc.LineTo(x + h, y + h);
        dc.MoveTo(x - h, y + h);
        dc.LineTo(x + h, y - h);
        break;
    default:
        Circle(dc, x, y, h, fw::WHITE_BRUSH);
        Plus(dc, x, y, h);
        return;
    }
    dc.MoveTo(x, y);
}
