#include "canvoicegps/views/settings/GpsFormPrint.h"

#include "canvoicegps/views/settings/GpsFormText.h"
#include "common/base/LogFont.h"
#include "framework/core/Collections.h"
#include "framework/core/DC.h"
#include "framework/core/Gdi.h"

#include <algorithm>
#include <string>

namespace gpsprint {

namespace {

constexpr int kMarginHundredthsMm = 2000;

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const long long p = static_cast<long long>(a) * b;
    return static_cast<int>(p >= 0 ? (p + c / 2) / c : (p - c / 2) / c);
}

int Dpi(const fw::CDC& dc, int index)
{
    const int dpi = dc.GetDeviceCaps(index);
    return dpi > 0 ? dpi : fw::kDisplayDpi;
}

// Fields of a line split at its tabs.
std::vector<fw::CString> Fields(const fw::CString& line)
{
    std::vector<fw::CString> fields;
    const std::string text = line.str();
    size_t from = 0;
    for (size_t tab = text.find('\t'); tab != std::string::npos; tab = text.find('\t', from)) {
        fields.emplace_back(text.substr(from, tab - from));
        from = tab + 1;
    }
    fields.emplace_back(text.substr(from));
    return fields;
}

// A field after a tab starts at the next tab stop past the text before it;
// past the last stop it follows after a space.
void DrawLine(fw::CDC& dc, int left, int y, const fw::CString& line)
{
    const int stops[] = {left + kFirstTab, left + kSecondTab};
    int x = left;
    bool first = true;
    for (const fw::CString& field : Fields(line)) {
        if (!first) {
            const int* next = std::find_if(std::begin(stops), std::end(stops), [&](int stop) { return stop > x; });
            x = next != std::end(stops) ? *next : x + dc.GetTextExtent(" ").cx;
        }
        first = false;
        if (!field.IsEmpty())
            dc.TextOut(x, y, field);
        x += dc.GetTextExtent(field).cx;
    }
}

} // namespace

fw::CRect PrintArea(const fw::CDC& dc)
{
    const int borderX = MulDiv(kMarginHundredthsMm, Dpi(dc, fw::LOGPIXELSX), 2540);
    const int borderY = MulDiv(kMarginHundredthsMm, Dpi(dc, fw::LOGPIXELSY), 2540);
    const int offX = dc.GetDeviceCaps(fw::PHYSICALOFFSETX);
    const int offY = dc.GetDeviceCaps(fw::PHYSICALOFFSETY);
    const int horz = dc.GetDeviceCaps(fw::HORZRES);
    const int vert = dc.GetDeviceCaps(fw::VERTRES);
    int physW = dc.GetDeviceCaps(fw::PHYSICALWIDTH);
    int physH = dc.GetDeviceCaps(fw::PHYSICALHEIGHT);
    if (physW <= 0)
        physW = horz + 2 * offX;
    if (physH <= 0)
        physH = vert + 2 * offY;
    // The device's origin is the printable corner, not the paper's.
    return fw::CRect(std::max(0, borderX - offX), std::max(0, borderY - offY),
                     horz - std::max(0, borderX - (physW - horz - offX)),
                     vert - std::max(0, borderY - (physH - vert - offY)));
}

void SetDisplayUnits(fw::CDC& dc)
{
    dc.SetMapMode(fw::MM_ANISOTROPIC);
    dc.SetWindowExt(fw::kDisplayDpi, fw::kDisplayDpi);
    dc.SetViewportExt(Dpi(dc, fw::LOGPIXELSX), Dpi(dc, fw::LOGPIXELSY));
}

std::vector<fw::CString> PortLines(const CKiv463Unit& unit, int port)
{
    std::vector<fw::CString> lines;
    fw::CStringArray text;
    gpsform::WritePortLines(unit, port, false, text);
    for (int i = 0; i < text.GetSize(); ++i)
        if (i != 1)
            lines.push_back(text[i]);
    return lines;
}

void DrawPage(fw::CDC& dc, const fw::CRect& area, const fw::CString& title,
              const std::vector<std::vector<fw::CString>>& columns)
{
    fw::LOGFONT lf{};
    SetDefaultLogFont(&lf, true, 0);
    lf.lfHeight = kPointTenths;
    fw::CFont font;
    font.CreatePointFontIndirect(lf);
    const int saved = dc.SaveDC();
    dc.SelectObject(&font);
    dc.SetBkMode(fw::TRANSPARENT);
    dc.SetTextAlign(fw::TA_TOP | fw::TA_LEFT);
    fw::TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    const int pitch = (tm.tmHeight * 13 + 5) / 10;
    dc.TextOut(area.left, area.top, title);
    for (size_t c = 0; c < columns.size(); ++c) {
        const int left = area.left + static_cast<int>(c) * kColumnPitch;
        int y = area.top + pitch;
        for (const fw::CString& line : columns[c]) {
            DrawLine(dc, left, y, line);
            y += pitch;
        }
    }
    dc.RestoreDC(saved);
}

} // namespace gpsprint
