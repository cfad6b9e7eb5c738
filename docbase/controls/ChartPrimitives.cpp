#include "docbase/controls/ChartPrimitives.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace appgr {

namespace {

constexpr int kMarkerLength = 6;

std::vector<fw::CString> SplitAtMarkers(const fw::CString& text)
{
    std::vector<fw::CString> runs;
    int start = 0;
    for (;;) {
        const int at = text.Find(kSuperMarker, start);
        if (at < 0) {
            runs.push_back(text.Mid(start));
            return runs;
        }
        runs.push_back(text.Mid(start, at - start));
        start = at + kMarkerLength;
    }
}

} // namespace

bool GrCreatePen(int type, int width, fw::COLORREF color, fw::CPen& pen, int styleCount, const uint32_t* styles)
{
    fw::LOGBRUSH brush;
    brush.lbStyle = fw::BS_SOLID;
    brush.lbColor = color;
    const uint32_t unit = static_cast<uint32_t>(std::max(width, 1)) * 2;
    std::vector<uint32_t> dashes;
    switch (type) {
    case 1: dashes = {unit, unit}; break;
    case 2: dashes = {2 * unit, 2 * unit}; break;
    case 3: dashes = {3 * unit, unit}; break;
    case 4: dashes = {unit, 3 * unit}; break;
    case 6:
        if (styleCount > 0 && styles)
            dashes.assign(styles, styles + styleCount);
        break;
    default: break;
    }
    const uint32_t style = fw::PS_GEOMETRIC | fw::PS_ENDCAP_FLAT | (dashes.empty() ? fw::PS_SOLID : fw::PS_USERSTYLE);
    return pen.CreatePen(style, width, brush, dashes);
}

void GrGetFillBrush(int fill, fw::LOGBRUSH& brush)
{
    static constexpr int kHatches[] = {fw::HS_BDIAGONAL, fw::HS_CROSS,      fw::HS_DIAGCROSS,
                                       fw::HS_FDIAGONAL, fw::HS_HORIZONTAL, fw::HS_VERTICAL};
    if (fill == 1) {
        brush.lbStyle = fw::BS_SOLID;
        brush.lbHatch = 0;
    } else if (fill >= 2 && fill <= 7) {
        brush.lbStyle = fw::BS_HATCHED;
        brush.lbHatch = static_cast<uintptr_t>(kHatches[fill - 2]);
    } else {
        brush.lbStyle = fw::BS_HOLLOW;
        brush.lbHatch = 0;
    }
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
    const int dx = x2 - x1;
    const int dy = y2 - y1;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    auto pointAt = [&](int i) {
        return fw::CPoint(x1 + (steps ? dx * i / steps : 0), y1 + (steps ? dy * i / steps : 0));
    };
    auto bitOn = [&](int i) { return ((pattern >> (15 - (i % 16))) & 1) != 0; };
    int i = 0;
    while (i < steps) {
        if (!bitOn(i)) {
            ++i;
            continue;
        }
        int end = i;
        while (end < steps && bitOn(end))
            ++end;
        // LineTo leaves out its end point: the run covers steps i .. end - 1.
        dc.MoveTo(pointAt(i));
        dc.LineTo(pointAt(end));
        i = end;
    }
}

void GrDrawSymbol(fw::CDC& dc, int type, int size, int flag)
{
    const fw::CPoint c = dc.GetCurrentPosition();
    const int s = size;
    auto line = [&](int ax, int ay, int bx, int by) {
        dc.MoveTo(c.x + ax, c.y + ay);
        dc.LineTo(c.x + bx, c.y + by);
    };
    auto polygon = [&](std::initializer_list<fw::CPoint> offsets) {
        std::vector<fw::CPoint> pts;
        for (fw::CPoint p : offsets)
            pts.emplace_back(c.x + p.x, c.y + p.y);
        dc.Polygon(pts.data(), static_cast<int>(pts.size()));
    };
    switch (type) {
    case 0: break;
    case 1: dc.Rectangle(c.x - s, c.y - s, c.x + s + 1, c.y + s + 1); break;
    case 2: dc.Ellipse(c.x - s, c.y - s, c.x + s + 1, c.y + s + 1); break;
    case 3: polygon({{0, -s}, {s, s}, {-s, s}}); break;
    case 4: polygon({{-s, -s}, {s, -s}, {0, s}}); break;
    case 5: polygon({{0, -s}, {s, 0}, {0, s}, {-s, 0}}); break;
    case 6: line(-s, 0, s + 1, 0); line(0, -s, 0, s + 1); break;
    case 7: line(-s, -s, s + 1, s + 1); line(s, -s, -s - 1, s + 1); break;
    case 8:
        line(-s, 0, s + 1, 0);
        line(0, -s, 0, s + 1);
        line(-s, -s, s + 1, s + 1);
        line(s, -s, -s - 1, s + 1);
        break;
    case 9: polygon({{-s, 0}, {s, -s}, {s, s}}); break;
    case 10: polygon({{s, 0}, {-s, -s}, {-s, s}}); break;
    case 11: line(-s, 0, s + 1, 0); break;
    case 12: line(0, -s, 0, s + 1); break;
    case 13: dc.Ellipse(c.x - s / 2, c.y - s / 2, c.x + s / 2 + 1, c.y + s / 2 + 1); break;
    default: dc.Rectangle(c.x - s, c.y - s, c.x + s + 1, c.y + s + 1); break;
    }
    dc.MoveTo(c);
}

void GrTextOut(fw::CDC& dc, int x, int y, const fw::CString& text, int, int)
{
    const std::vector<fw::CString> runs = SplitAtMarkers(text);
    fw::LOGFONT normal;
    dc.GetCurrentFont().GetLogFont(&normal);
    fw::TEXTMETRIC normalMetrics;
    dc.GetTextMetrics(&normalMetrics);
    fw::LOGFONT small = normal;
    const int height = normal.lfHeight != 0 ? normal.lfHeight : -normalMetrics.tmHeight;
    small.lfHeight = static_cast<int32_t>(height * 0.8);
    fw::CFont smallFont;
    smallFont.CreateFontIndirect(small);
    int cx = x;
    bool super = false;
    for (const fw::CString& run : runs) {
        if (!run.IsEmpty()) {
            fw::CFont* old = super ? dc.SelectObject(&smallFont) : nullptr;
            dc.TextOut(cx, y, run);
            cx += dc.GetTextExtent(run).cx;
            if (old)
                dc.SelectObject(old);
        }
        super = !super;
    }
}

fw::CString StripSuperMarkers(const fw::CString& text)
{
    fw::CString plain;
    for (const fw::CString& run : SplitAtMarkers(text))
        plain += run;
    return plain;
}

} // namespace appgr
