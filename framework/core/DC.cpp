#include "framework/core/DC.h"

#include <cmath>
#include <cstdlib>

namespace fw {

namespace {

int32_t Round(double v)
{
    return static_cast<int32_t>(std::lround(v));
}

// The text of a DrawText line without its mnemonic marks ("&&" is "&").
CString StripPrefix(const CString& text)
{
    std::string out;
    const std::string& s = text.str();
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&' && i + 1 < s.size())
            ++i;
        else if (s[i] == '&')
            continue;
        out += s[i];
    }
    return CString(std::move(out));
}

} // namespace

CDC::CDC(IDrawSink* sink) : m_sink(sink)
{
    m_defaultPen.CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    m_defaultBrush.CreateSolidBrush(RGB(255, 255, 255));
    LOGFONT lf;
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.SetFaceName("MS UI Gothic");
    m_defaultFont.CreateFontIndirect(lf);
    m_stockPens[0].CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
    m_stockPens[1].CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    m_stockPens[2].CreatePen(PS_NULL, 0, RGB(0, 0, 0));
    const COLORREF grays[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128), RGB(64, 64, 64),
                              RGB(0, 0, 0)};
    for (int i = 0; i < 5; ++i)
        m_stockBrushes[i].CreateSolidBrush(grays[i]);
    m_stockBrushes[5].CreateBrushIndirect(LOGBRUSH{BS_NULL, 0, 0});
    m_s.pen = &m_defaultPen;
    m_s.brush = &m_defaultBrush;
    m_s.font = &m_defaultFont;
}

// --- mapping -----------------------------------------------------------------

int CDC::SetMapMode(int mode)
{
    const int old = m_s.mapMode;
    m_s.mapMode = mode;
    const int hres = GetDeviceCaps(HORZRES), vres = GetDeviceCaps(VERTRES);
    const int hmm = GetDeviceCaps(HORZSIZE), vmm = GetDeviceCaps(VERTSIZE);
    // Units per millimetre of the metric and English modes (y grows upwards).
    auto metric = [&](double perMm) {
        m_s.windowExt = CSize(Round(hmm * perMm), Round(vmm * perMm));
        m_s.viewportExt = CSize(hres, -vres);
    };
    switch (mode) {
    case MM_TEXT:
        m_s.windowExt = m_s.viewportExt = CSize(1, 1);
        break;
    case MM_LOMETRIC: metric(10.0); break;
    case MM_HIMETRIC: metric(100.0); break;
    case MM_LOENGLISH: metric(100.0 / 25.4); break;
    case MM_HIENGLISH: metric(1000.0 / 25.4); break;
    case MM_TWIPS: metric(1440.0 / 25.4); break;
    case MM_ISOTROPIC:
        // Keeps the extents of the previous mode, as the original did.
        FixIsotropic();
        break;
    default:
        break;
    }
    return old;
}

void CDC::FixIsotropic()
{
    if (m_s.mapMode != MM_ISOTROPIC || m_s.windowExt.cx == 0 || m_s.windowExt.cy == 0)
        return;
    // One logical unit is as long in x as in y: the larger scale shrinks.
    const double sx = std::fabs(static_cast<double>(m_s.viewportExt.cx) / m_s.windowExt.cx);
    const double sy = std::fabs(static_cast<double>(m_s.viewportExt.cy) / m_s.windowExt.cy);
    auto sign = [](int32_t v) { return v < 0 ? -1 : 1; };
    if (sx < sy)
        m_s.viewportExt.cy = sign(m_s.viewportExt.cy) * Round(sx * std::abs(m_s.windowExt.cy));
    else if (sy < sx)
        m_s.viewportExt.cx = sign(m_s.viewportExt.cx) * Round(sy * std::abs(m_s.windowExt.cx));
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    const CPoint old = m_s.windowOrg;
    m_s.windowOrg = CPoint(x, y);
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    const CPoint old = m_s.viewportOrg;
    m_s.viewportOrg = CPoint(x, y);
    return old;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    return SetViewportOrg(m_s.viewportOrg.x + dx, m_s.viewportOrg.y + dy);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    const CSize old = m_s.windowExt;
    if (m_s.mapMode == MM_ISOTROPIC || m_s.mapMode == MM_ANISOTROPIC) {
        if (cx == 0 || cy == 0)
            return old;  // refused, as the original did
        m_s.windowExt = CSize(cx, cy);
        FixIsotropic();
    }
    return old;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    const CSize old = m_s.viewportExt;
    if (m_s.mapMode == MM_ISOTROPIC || m_s.mapMode == MM_ANISOTROPIC) {
        if (cx == 0 || cy == 0)
            return old;
        m_s.viewportExt = CSize(cx, cy);
        FixIsotropic();
    }
    return old;
}

double CDC::ScaleX() const
{
    return static_cast<double>(m_s.viewportExt.cx) / m_s.windowExt.cx;
}

double CDC::ScaleY() const
{
    return static_cast<double>(m_s.viewportExt.cy) / m_s.windowExt.cy;
}

void CDC::LPtoDP(CPoint* points, int count) const
{
    for (int i = 0; i < count; ++i) {
        points[i].x = Round((points[i].x - m_s.windowOrg.x) * ScaleX()) + m_s.viewportOrg.x;
        points[i].y = Round((points[i].y - m_s.windowOrg.y) * ScaleY()) + m_s.viewportOrg.y;
    }
}

void CDC::DPtoLP(CPoint* points, int count) const
{
    for (int i = 0; i < count; ++i) {
        points[i].x = Round((points[i].x - m_s.viewportOrg.x) / ScaleX()) + m_s.windowOrg.x;
        points[i].y = Round((points[i].y - m_s.viewportOrg.y) / ScaleY()) + m_s.windowOrg.y;
    }
}

void CDC::LPtoDP(CRect* rect) const
{
    CPoint p[2] = {rect->TopLeft(), rect->BottomRight()};
    LPtoDP(p, 2);
    *rect = CRect(p[0], p[1]);
}

void CDC::DPtoLP(CRect* rect) const
{
    CPoint p[2] = {rect->TopLeft(), rect->BottomRight()};
    DPtoLP(p, 2);
    *rect = CRect(p[0], p[1]);
}

void CDC::LPtoDP(CSize* size) const
{
    size->cx = Round(size->cx * std::fabs(ScaleX()));
    size->cy = Round(size->cy * std::fabs(ScaleY()));
}

void CDC::DPtoLP(CSize* size) const
{
    size->cx = Round(size->cx / std::fabs(ScaleX()));
    size->cy = Round(size->cy / std::fabs(ScaleY()));
}

// --- objects -------------------------------------------------------------------

CPen* CDC::SelectObject(CPen* pen)
{
    CPen* old = m_s.pen;
    if (pen)
        m_s.pen = pen;
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    CBrush* old = m_s.brush;
    if (brush)
        m_s.brush = brush;
    return old;
}

CFont* CDC::SelectObject(CFont* font)
{
    CFont* old = m_s.font;
    if (font)
        m_s.font = font;
    return old;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    if (index >= WHITE_BRUSH && index <= NULL_BRUSH)
        return SelectObject(&m_stockBrushes[index]);
    if (index >= WHITE_PEN && index <= NULL_PEN)
        return SelectObject(&m_stockPens[index - WHITE_PEN]);
    if (index == SYSTEM_FONT || index == DEFAULT_GUI_FONT)
        return SelectObject(&m_defaultFont);
    return nullptr;
}

// --- attributes -------------------------------------------------------------------

COLORREF CDC::SetTextColor(COLORREF c)
{
    const COLORREF old = m_s.textColor;
    m_s.textColor = c;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF c)
{
    const COLORREF old = m_s.bkColor;
    m_s.bkColor = c;
    return old;
}

int CDC::SetBkMode(int mode)
{
    const int old = m_s.bkMode;
    m_s.bkMode = mode;
    return old;
}

unsigned CDC::SetTextAlign(unsigned align)
{
    const unsigned old = m_s.textAlign;
    m_s.textAlign = align;
    return old;
}

int CDC::SetROP2(int rop)
{
    const int old = m_s.rop2;
    m_s.rop2 = rop;
    return old;
}

int CDC::SetPolyFillMode(int mode)
{
    const int old = m_s.polyFill;
    m_s.polyFill = mode;
    return old;
}

// --- drawing ---------------------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y)
{
    const CPoint old = m_s.current;
    m_s.current = CPoint(x, y);
    return old;
}

bool CDC::LineTo(int x, int y)
{
    const CPoint from = m_s.current;
    m_s.current = CPoint(x, y);
    if (m_sink)
        m_sink->Line(*this, from, m_s.current);
    return true;
}

bool CDC::Polyline(const CPoint* points, int count)
{
    if (count < 2 || !m_sink)
        return count >= 2;
    m_sink->Polyline(*this, std::vector<CPoint>(points, points + count));
    return true;
}

bool CDC::Polygon(const CPoint* points, int count)
{
    if (count < 2 || !m_sink)
        return count >= 2;
    m_sink->Polygon(*this, std::vector<CPoint>(points, points + count), m_s.polyFill);
    return true;
}

bool CDC::Rectangle(int l, int t, int r, int b)
{
    CRect rect(l, t, r, b);
    rect.NormalizeRect();
    if (m_sink)
        m_sink->Rectangle(*this, rect);
    return true;
}

bool CDC::Ellipse(int l, int t, int r, int b)
{
    CRect rect(l, t, r, b);
    rect.NormalizeRect();
    if (m_sink)
        m_sink->Ellipse(*this, rect);
    return true;
}

void CDC::FillRect(const CRect& rect, const CBrush* brush)
{
    if (m_sink && brush)
        m_sink->FillRect(*this, rect, *brush);
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color)
{
    // The original did this with an opaque ExtTextOut, which set the
    // background colour; so does this.
    SetBkColor(color);
    CBrush brush(color);
    FillRect(rect, &brush);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    if (m_sink)
        m_sink->SetPixel(*this, CPoint(x, y), color);
    return color;
}

bool CDC::TextOut(int x, int y, const CString& text)
{
    return ExtTextOut(x, y, 0, nullptr, text);
}

bool CDC::ExtTextOut(int x, int y, unsigned options, const CRect* rect, const CString& text)
{
    CPoint ref(x, y);
    if (m_s.textAlign & TA_UPDATECP)
        ref = m_s.current;
    if (m_sink) {
        m_sink->Text(*this, ref, text, (options & ETO_OPAQUE) ? rect : nullptr,
                     (options & ETO_CLIPPED) ? rect : nullptr);
    }
    if (m_s.textAlign & TA_UPDATECP) {
        // The position moves past the text (left-aligned text).
        m_s.current.x += GetTextExtent(text).cx;
    }
    return true;
}

int CDC::DrawText(const CString& text, CRect* rect, unsigned format)
{
    std::vector<CString> lines;
    if (format & DT_SINGLELINE) {
        CString one = text;
        one.Remove('\r');
        one.Replace('\n', ' ');
        lines.push_back(one);
    } else {
        for (int i = 0;; ++i) {
            CString line;
            if (!CString::ExtractSubString(line, text.c_str(), i, '\n'))
                break;
            line.Remove('\r');
            lines.push_back(line);
        }
    }
    if (!(format & DT_NOPREFIX)) {
        for (CString& l : lines)
            l = StripPrefix(l);
    }
    TEXTMETRIC tm;
    GetTextMetrics(&tm);
    const int lineHeight = tm.tmHeight + tm.tmExternalLeading;
    const int height = lineHeight * static_cast<int>(lines.size());
    int widest = 0;
    for (const CString& l : lines)
        widest = std::max(widest, static_cast<int>(GetTextExtent(l).cx));
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }
    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect->top + (rect->Height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = rect->bottom - lineHeight;
    }
    const unsigned savedAlign = SetTextAlign(TA_TOP | TA_LEFT);
    for (const CString& l : lines) {
        const int w = GetTextExtent(l).cx;
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (rect->Width() - w) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - w;
        if (m_sink)
            m_sink->Text(*this, CPoint(x, y), l, nullptr, (format & DT_NOCLIP) ? nullptr : rect);
        y += lineHeight;
    }
    SetTextAlign(savedAlign);
    return height;
}

CSize CDC::GetTextExtent(const CString& text) const
{
    return m_sink ? m_sink->TextExtent(*this, text) : CSize();
}

bool CDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    *tm = m_sink ? m_sink->TextMetrics(*this) : TEXTMETRIC{};
    return m_sink != nullptr;
}

// --- clipping --------------------------------------------------------------------------

CRect CDC::DeviceBounds() const
{
    return CRect(0, 0, GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES));
}

int CDC::IntersectClipRect(int l, int t, int r, int b)
{
    CRect device(l, t, r, b);
    LPtoDP(&device);
    device.NormalizeRect();
    const CRect current = m_s.hasClip ? m_s.clip : DeviceBounds();
    m_s.clip.IntersectRect(current, device);
    m_s.hasClip = true;
    return m_s.clip.IsRectEmpty() ? 1 /*NULLREGION*/ : 2 /*SIMPLEREGION*/;
}

int CDC::SelectClipRgn(const CRect* deviceRect)
{
    if (!deviceRect) {
        m_s.hasClip = false;
        m_s.clip = CRect();
        return 2;
    }
    m_s.hasClip = true;
    m_s.clip = *deviceRect;
    m_s.clip.NormalizeRect();
    return m_s.clip.IsRectEmpty() ? 1 : 2;
}

int CDC::GetClipBox(CRect* rect) const
{
    CRect box = m_s.hasClip ? m_s.clip : DeviceBounds();
    DPtoLP(&box);
    box.NormalizeRect();
    *rect = box;
    return box.IsRectEmpty() ? 1 : 2;
}

// --- state stack ---------------------------------------------------------------------

int CDC::SaveDC()
{
    m_saved.push_back(m_s);
    return static_cast<int>(m_saved.size());
}

bool CDC::RestoreDC(int level)
{
    const int depth = static_cast<int>(m_saved.size());
    const int target = level < 0 ? depth + level + 1 : level;
    if (target < 1 || target > depth)
        return false;
    m_s = m_saved[static_cast<size_t>(target - 1)];
    m_saved.resize(static_cast<size_t>(target - 1));
    return true;
}

} // namespace fw
