#include "framework/core/RecordingSink.h"

#include "framework/core/DC.h"

#include <cstdio>
#include <cstdlib>

namespace fw {

namespace {

std::string Hex(COLORREF c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

std::string Pt(CPoint p)
{
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

std::string Rc(const CRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

std::string Points(const std::vector<CPoint>& points)
{
    std::string s;
    for (const CPoint& p : points)
        s += " " + Pt(p);
    return s;
}

std::string AlignText(unsigned a)
{
    std::string v = (a & TA_BASELINE) == TA_BASELINE ? "baseline" : (a & TA_BOTTOM) ? "bottom" : "top";
    std::string h = (a & TA_CENTER) == TA_CENTER ? "center" : (a & TA_RIGHT) ? "right" : "left";
    return v + "|" + h;
}

int FontHeight(const CDC& dc)
{
    const int h = std::abs(dc.GetCurrentFont().Info().lfHeight);
    return h ? h : 12;
}

} // namespace

RecordingSink::RecordingSink(int widthPx, int heightPx, int dpi, bool printing)
    : m_width(widthPx), m_height(heightPx), m_dpi(dpi), m_printing(printing)
{
}

std::string RecordingSink::PenText(const CPen& pen)
{
    static const char* const kStyles[] = {"solid", "dash", "dot", "dashdot", "dashdotdot", "null", "insideframe", "user"};
    const uint32_t style = pen.Style();
    std::string s = std::string("pen=") + (style < 8 ? kStyles[style] : "?") + " " + std::to_string(pen.Width()) +
                    " " + Hex(pen.Color());
    if (!pen.Dashes().empty()) {
        s += " [";
        for (size_t i = 0; i < pen.Dashes().size(); ++i)
            s += (i ? "," : "") + std::to_string(pen.Dashes()[i]);
        s += "]";
    }
    return s;
}

std::string RecordingSink::BrushText(const CBrush& brush)
{
    const LOGBRUSH& lb = brush.Info();
    if (lb.lbStyle == BS_NULL)
        return "brush=null";
    if (lb.lbStyle == BS_HATCHED)
        return "brush=hatch" + std::to_string(lb.lbHatch) + " " + Hex(lb.lbColor);
    return "brush=solid " + Hex(lb.lbColor);
}

void RecordingSink::Add(const CDC& dc, std::string line)
{
    if (dc.HasClip())
        line += " clip=" + Rc(dc.DeviceClip());
    m_log.push_back(std::move(line));
}

void RecordingSink::Line(const CDC& dc, CPoint from, CPoint to)
{
    Add(dc, "line " + Pt(from) + " " + Pt(to) + " " + PenText(dc.GetCurrentPen()));
}

void RecordingSink::Polyline(const CDC& dc, const std::vector<CPoint>& points)
{
    Add(dc, "polyline" + Points(points) + " " + PenText(dc.GetCurrentPen()));
}

void RecordingSink::Polygon(const CDC& dc, const std::vector<CPoint>& points, int fillMode)
{
    Add(dc, "polygon" + Points(points) + (fillMode == WINDING ? " winding " : " alternate ") +
                PenText(dc.GetCurrentPen()) + " " + BrushText(dc.GetCurrentBrush()));
}

void RecordingSink::Rectangle(const CDC& dc, const CRect& rect)
{
    Add(dc, "rect " + Rc(rect) + " " + PenText(dc.GetCurrentPen()) + " " + BrushText(dc.GetCurrentBrush()));
}

void RecordingSink::Ellipse(const CDC& dc, const CRect& rect)
{
    Add(dc, "ellipse " + Rc(rect) + " " + PenText(dc.GetCurrentPen()) + " " + BrushText(dc.GetCurrentBrush()));
}

void RecordingSink::FillRect(const CDC& dc, const CRect& rect, const CBrush& brush)
{
    Add(dc, "fill " + Rc(rect) + " " + BrushText(brush));
}

void RecordingSink::Text(const CDC& dc, CPoint ref, const CString& text, const CRect* opaque, const CRect* clip)
{
    const LOGFONT& lf = dc.GetCurrentFont().Info();
    std::string line = "text " + Pt(ref) + " \"" + text.str() + "\" " + AlignText(dc.GetTextAlign()) + " " +
                       Hex(dc.GetTextColor()) + " font=" + lf.GetFaceName().str() + "/" +
                       std::to_string(lf.lfHeight);
    if (lf.lfEscapement)
        line += " esc=" + std::to_string(lf.lfEscapement);
    if (dc.GetBkMode() == OPAQUE)
        line += " bk=" + Hex(dc.GetBkColor());
    if (opaque)
        line += " opaque=" + Rc(*opaque);
    if (clip)
        line += " cut=" + Rc(*clip);
    Add(dc, std::move(line));
}

void RecordingSink::SetPixel(const CDC& dc, CPoint point, COLORREF color)
{
    Add(dc, "pixel " + Pt(point) + " " + Hex(color));
}

CSize RecordingSink::TextExtent(const CDC& dc, const CString& text)
{
    const int h = FontHeight(dc);
    int width = 0;
    for (unsigned char c : text.str()) {
        if (c < 0x80)
            width += h / 2;
        else if ((c & 0xC0) != 0x80)
            width += h;  // the lead byte of a wide character
    }
    return CSize(width, h);
}

TEXTMETRIC RecordingSink::TextMetrics(const CDC& dc)
{
    const int h = FontHeight(dc);
    TEXTMETRIC tm;
    tm.tmHeight = h;
    tm.tmAscent = h * 4 / 5;
    tm.tmDescent = h - tm.tmAscent;
    tm.tmAveCharWidth = h / 2;
    tm.tmMaxCharWidth = h;
    tm.tmWeight = dc.GetCurrentFont().Info().lfWeight;
    return tm;
}

int RecordingSink::DeviceCaps(int index) const
{
    switch (index) {
    case TECHNOLOGY: return m_printing ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZRES: return m_width;
    case VERTRES: return m_height;
    case LOGPIXELSX:
    case LOGPIXELSY: return m_dpi;
    case HORZSIZE: return static_cast<int>(m_width * 25.4 / m_dpi + 0.5);
    case VERTSIZE: return static_cast<int>(m_height * 25.4 / m_dpi + 0.5);
    case PHYSICALWIDTH: return m_width;
    case PHYSICALHEIGHT: return m_height;
    default: return 0;
    }
}

} // namespace fw
