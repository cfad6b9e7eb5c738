#include "graphdoc/model/EmfWriter.h"

#include "framework/core/DC.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kStockObject = 0x80000000;
constexpr uint32_t kStockNullBrush = kStockObject | 5;
constexpr uint32_t kStockNullPen = kStockObject | 8;
constexpr uint32_t kStockBlackPen = kStockObject | 7;
constexpr uint32_t kStockWhiteBrush = kStockObject | 0;
constexpr uint32_t kStockSystemFont = kStockObject | 13;
constexpr uint32_t kPenHandle = 1;
constexpr uint32_t kBrushHandle = 2;
constexpr uint32_t kFontHandle = 3;
constexpr uint16_t kHandles = 4;
constexpr uint32_t kRgnCopy = 5;
constexpr uint32_t kGraphicsCompatible = 1;

int16_t Clamp16(int v)
{
    return static_cast<int16_t>(std::clamp(v, -32768, 32767));
}

} // namespace

std::u16string ToUtf16(const fw::CString& text)
{
    std::u16string out;
    const std::string s = text.c_str();
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        uint32_t cp = c;
        size_t n = 1;
        if (c >= 0xF0 && i + 3 < s.size()) {
            cp = ((c & 0x07u) << 18) | ((s[i + 1] & 0x3Fu) << 12) | ((s[i + 2] & 0x3Fu) << 6) | (s[i + 3] & 0x3Fu);
            n = 4;
        } else if (c >= 0xE0 && i + 2 < s.size()) {
            cp = ((c & 0x0Fu) << 12) | ((s[i + 1] & 0x3Fu) << 6) | (s[i + 2] & 0x3Fu);
            n = 3;
        } else if (c >= 0xC0 && i + 1 < s.size()) {
            cp = ((c & 0x1Fu) << 6) | (s[i + 1] & 0x3Fu);
            n = 2;
        }
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

CEmfWriter::CEmfWriter(fw::IDrawSink& reference, const fw::CRect& frame, fw::CSize pixels,
                       const std::u16string& description)
    : m_reference(reference), m_frame(frame), m_pixels(pixels), m_description(description)
{
    // The header is completed by Finish; its room is kept here.
    m_bytes.resize(kHeaderBytes + ((m_description.size() * 2 + 3) / 4) * 4, 0);
    m_records = 1;
}

void CEmfWriter::Begin(uint32_t type)
{
    m_recordStart = m_bytes.size();
    Put32(type);
    Put32(0);
}

void CEmfWriter::End()
{
    while ((m_bytes.size() - m_recordStart) % 4)
        m_bytes.push_back(0);
    const auto size = static_cast<uint32_t>(m_bytes.size() - m_recordStart);
    std::memcpy(&m_bytes[m_recordStart + 4], &size, 4);
    ++m_records;
}

void CEmfWriter::Put32(uint32_t v)
{
    uint8_t b[4];
    std::memcpy(b, &v, 4);
    m_bytes.insert(m_bytes.end(), b, b + 4);
}

void CEmfWriter::Put16(uint16_t v)
{
    m_bytes.push_back(static_cast<uint8_t>(v));
    m_bytes.push_back(static_cast<uint8_t>(v >> 8));
}

void CEmfWriter::PutRect(const fw::CRect& r)
{
    PutI32(r.left);
    PutI32(r.top);
    PutI32(r.right);
    PutI32(r.bottom);
}

void CEmfWriter::Simple(uint32_t type, uint32_t value)
{
    Begin(type);
    Put32(value);
    End();
}

fw::CPoint CEmfWriter::Device(const fw::CDC& dc, fw::CPoint p) const
{
    dc.LPtoDP(&p);
    return p;
}

fw::CRect CEmfWriter::Device(const fw::CDC& dc, const fw::CRect& r) const
{
    fw::CRect out = r;
    dc.LPtoDP(&out);
    out.NormalizeRect();
    return out;
}

void CEmfWriter::Grow(const fw::CRect& r)
{
    if (!m_hasBounds) {
        m_bounds = r;
        m_hasBounds = true;
        return;
    }
    m_bounds.left = std::min(m_bounds.left, r.left);
    m_bounds.top = std::min(m_bounds.top, r.top);
    m_bounds.right = std::max(m_bounds.right, r.right);
    m_bounds.bottom = std::max(m_bounds.bottom, r.bottom);
}

void CEmfWriter::SyncClip(const fw::CDC& dc)
{
    const bool has = dc.HasClip();
    if (has == m_clipSet && (!has || dc.DeviceClip() == m_clip))
        return;
    // Back to no clip, then the device clip of the context.
    Begin(EMR_EXTSELECTCLIPRGN);
    Put32(0);
    Put32(kRgnCopy);
    End();
    m_clipSet = has;
    if (has) {
        m_clip = dc.DeviceClip();
        Begin(EMR_INTERSECTCLIPRECT);
        PutRect(m_clip);
        End();
    }
}

void CEmfWriter::SyncPen(const fw::CDC& dc, bool none)
{
    const fw::CPen& pen = dc.GetCurrentPen();
    PenKey key;
    if (none) {
        key.style = fw::PS_NULL;
    } else {
        key.style = pen.FullStyle();
        key.width = pen.Width();
        key.color = pen.Color();
    }
    if (m_penSet && key == m_pen)
        return;
    if (m_penSet) {
        Simple(EMR_SELECTOBJECT, kStockBlackPen);
        Simple(EMR_DELETEOBJECT, kPenHandle);
    }
    Begin(EMR_CREATEPEN);
    Put32(kPenHandle);
    Put32(key.style);
    PutI32(key.width);
    PutI32(0);
    Put32(key.color);
    End();
    Simple(EMR_SELECTOBJECT, kPenHandle);
    m_pen = key;
    m_penSet = true;
}

void CEmfWriter::SyncBrush(const fw::CDC& dc, const fw::CBrush* brush, bool none)
{
    const fw::LOGBRUSH& lb = brush ? brush->Info() : dc.GetCurrentBrush().Info();
    BrushKey key;
    if (none) {
        key.style = fw::BS_NULL;
    } else {
        key.style = lb.lbStyle;
        key.color = lb.lbColor;
        key.hatch = static_cast<uint32_t>(lb.lbHatch);
    }
    if (m_brushSet && key == m_brush)
        return;
    if (m_brushSet) {
        Simple(EMR_SELECTOBJECT, kStockWhiteBrush);
        Simple(EMR_DELETEOBJECT, kBrushHandle);
    }
    Begin(EMR_CREATEBRUSHINDIRECT);
    Put32(kBrushHandle);
    Put32(key.style);
    Put32(key.color);
    Put32(key.hatch);
    End();
    Simple(EMR_SELECTOBJECT, kBrushHandle);
    m_brush = key;
    m_brushSet = true;
}

void CEmfWriter::SyncFont(const fw::CDC& dc)
{
    const fw::LOGFONT& font = dc.GetCurrentFont().Info();
    if (m_fontSet && font == m_font)
        return;
    if (m_fontSet) {
        Simple(EMR_SELECTOBJECT, kStockSystemFont);
        Simple(EMR_DELETEOBJECT, kFontHandle);
    }
    Begin(EMR_EXTCREATEFONTINDIRECTW);
    Put32(kFontHandle);
    // The height in device units of this picture.
    fw::CSize height(0, font.lfHeight);
    dc.LPtoDP(&height);
    PutI32(font.lfHeight < 0 ? -std::abs(height.cy) : std::abs(height.cy));
    PutI32(font.lfWidth);
    PutI32(font.lfEscapement);
    PutI32(font.lfOrientation);
    PutI32(font.lfWeight);
    for (uint8_t b : {font.lfItalic, font.lfUnderline, font.lfStrikeOut, font.lfCharSet, font.lfOutPrecision,
                      font.lfClipPrecision, font.lfQuality, font.lfPitchAndFamily})
        m_bytes.push_back(b);
    std::u16string face = ToUtf16(font.GetFaceName());
    face.resize(32, u'\0');
    face[31] = u'\0';
    for (char16_t c : face)
        Put16(static_cast<uint16_t>(c));
    End();
    Simple(EMR_SELECTOBJECT, kFontHandle);
    m_font = font;
    m_fontSet = true;
}

void CEmfWriter::Poly(uint32_t type, const std::vector<fw::CPoint>& points)
{
    if (points.empty())
        return;
    fw::CRect bounds(points.front().x, points.front().y, points.front().x, points.front().y);
    for (const fw::CPoint& p : points) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
    Grow(bounds);
    Begin(type);
    PutRect(bounds);
    Put32(static_cast<uint32_t>(points.size()));
    // The points in one go: long polylines are most of a graph's picture.
    const size_t at = m_bytes.size();
    m_bytes.resize(at + points.size() * 4);
    uint8_t* out = m_bytes.data() + at;
    for (const fw::CPoint& p : points) {
        const int16_t xy[2] = {Clamp16(p.x), Clamp16(p.y)};
        std::memcpy(out, xy, 4);
        out += 4;
    }
    End();
}

void CEmfWriter::Line(const fw::CDC& dc, fw::CPoint from, fw::CPoint to)
{
    Polyline(dc, {from, to});
}

void CEmfWriter::Polyline(const fw::CDC& dc, const std::vector<fw::CPoint>& points)
{
    if (points.size() < 2)
        return;
    SyncClip(dc);
    SyncPen(dc);
    // Consecutive records share their end points, so the line stays whole.
    std::vector<fw::CPoint> chunk;
    chunk.reserve(std::min(points.size(), kMaxPolyPoints));
    size_t i = 0;
    while (i < points.size()) {
        chunk.clear();
        const size_t end = std::min(points.size(), i + kMaxPolyPoints);
        for (size_t j = i; j < end; ++j)
            chunk.push_back(Device(dc, points[j]));
        Poly(EMR_POLYLINE16, chunk);
        if (end == points.size())
            break;
        i = end - 1;
    }
}

void CEmfWriter::Polygon(const fw::CDC& dc, const std::vector<fw::CPoint>& points, int fillMode)
{
    if (points.size() < 2)
        return;
    SyncClip(dc);
    SyncPen(dc);
    SyncBrush(dc, nullptr);
    Simple(EMR_SETPOLYFILLMODE, static_cast<uint32_t>(fillMode));
    std::vector<fw::CPoint> device;
    device.reserve(points.size());
    for (const fw::CPoint& p : points)
        device.push_back(Device(dc, p));
    Poly(EMR_POLYGON16, device);
}

void CEmfWriter::Rectangle(const fw::CDC& dc, const fw::CRect& rect)
{
    SyncClip(dc);
    SyncPen(dc);
    SyncBrush(dc, nullptr);
    const fw::CRect r = Device(dc, rect);
    Grow(r);
    Begin(EMR_RECTANGLE);
    PutRect(r);
    End();
}

void CEmfWriter::Ellipse(const fw::CDC& dc, const fw::CRect& rect)
{
    SyncClip(dc);
    SyncPen(dc);
    SyncBrush(dc, nullptr);
    const fw::CRect r = Device(dc, rect);
    Grow(r);
    Begin(EMR_ELLIPSE);
    PutRect(r);
    End();
}

void CEmfWriter::FillRect(const fw::CDC& dc, const fw::CRect& rect, const fw::CBrush& brush)
{
    SyncClip(dc);
    SyncPen(dc, true);
    SyncBrush(dc, &brush);
    // Without a pen a rectangle leaves its right and bottom edge out.
    fw::CRect r = Device(dc, rect);
    Grow(r);
    r.right += 1;
    r.bottom += 1;
    Begin(EMR_RECTANGLE);
    PutRect(r);
    End();
}

void CEmfWriter::Text(const fw::CDC& dc, fw::CPoint ref, const fw::CString& text, const fw::CRect* opaque,
                      const fw::CRect* clip)
{
    SyncClip(dc);
    SyncFont(dc);
    if (dc.GetTextColor() != m_textColor) {
        m_textColor = dc.GetTextColor();
        Simple(EMR_SETTEXTCOLOR, m_textColor);
    }
    const int bkMode = opaque ? fw::OPAQUE : dc.GetBkMode();
    if (bkMode != m_bkMode) {
        m_bkMode = bkMode;
        Simple(EMR_SETBKMODE, static_cast<uint32_t>(bkMode));
    }
    if (opaque)
        Simple(EMR_SETBKCOLOR, dc.GetBkColor());
    if (dc.GetTextAlign() != m_textAlign) {
        m_textAlign = dc.GetTextAlign();
        Simple(EMR_SETTEXTALIGN, m_textAlign);
    }
    const std::u16string chars = ToUtf16(text);
    const fw::CPoint at = Device(dc, ref);
    const fw::CSize extent = m_reference.TextExtent(dc, text);
    fw::CRect bounds(at.x, at.y, at.x + extent.cx, at.y + extent.cy);
    Grow(bounds);
    uint32_t options = 0;
    fw::CRect rect;
    if (opaque) {
        options |= fw::ETO_OPAQUE;
        rect = Device(dc, *opaque);
    } else if (clip) {
        options |= fw::ETO_CLIPPED;
        rect = Device(dc, *clip);
    }
    const auto count = static_cast<uint32_t>(chars.size());
    const uint32_t stringOffset = 76;
    const uint32_t stringBytes = ((count * 2 + 3) / 4) * 4;
    Begin(EMR_EXTTEXTOUTW);
    PutRect(bounds);
    Put32(kGraphicsCompatible);
    float scale = 0.0f;
    uint32_t bits;
    std::memcpy(&bits, &scale, 4);
    Put32(bits);
    Put32(bits);
    PutI32(at.x);
    PutI32(at.y);
    Put32(count);
    Put32(stringOffset);
    Put32(options);
    PutRect(rect);
    Put32(count ? stringOffset + stringBytes : 0);
    for (char16_t c : chars)
        Put16(static_cast<uint16_t>(c));
    while ((m_bytes.size() - m_recordStart) % 4)
        m_bytes.push_back(0);
    // The advance of each character: the text's width shared out.
    for (uint32_t i = 0; i < count; ++i)
        Put32(static_cast<uint32_t>(extent.cx / static_cast<int>(count) + (i < extent.cx % count ? 1 : 0)));
    End();
}

void CEmfWriter::SetPixel(const fw::CDC& dc, fw::CPoint point, fw::COLORREF color)
{
    SyncClip(dc);
    const fw::CPoint p = Device(dc, point);
    Grow(fw::CRect(p.x, p.y, p.x, p.y));
    Begin(EMR_SETPIXELV);
    PutI32(p.x);
    PutI32(p.y);
    Put32(color);
    End();
}

fw::CSize CEmfWriter::TextExtent(const fw::CDC& dc, const fw::CString& text)
{
    return m_reference.TextExtent(dc, text);
}

fw::TEXTMETRIC CEmfWriter::TextMetrics(const fw::CDC& dc)
{
    return m_reference.TextMetrics(dc);
}

int CEmfWriter::DeviceCaps(int index) const
{
    return m_reference.DeviceCaps(index);
}

std::vector<uint8_t> CEmfWriter::Finish()
{
    Begin(EMR_EOF);
    Put32(0);
    Put32(16);
    Put32(20);
    End();

    std::vector<uint8_t> header;
    auto put = [&header](uint32_t v) {
        uint8_t b[4];
        std::memcpy(b, &v, 4);
        header.insert(header.end(), b, b + 4);
    };
    const fw::CRect bounds = m_hasBounds ? m_bounds : fw::CRect(0, 0, -1, -1);
    put(EMR_HEADER);
    const size_t headerBytes = kHeaderBytes + ((m_description.size() * 2 + 3) / 4) * 4;
    put(static_cast<uint32_t>(headerBytes));
    for (int v : {bounds.left, bounds.top, bounds.right, bounds.bottom})
        put(static_cast<uint32_t>(v));
    for (int v : {m_frame.left, m_frame.top, m_frame.right, m_frame.bottom})
        put(static_cast<uint32_t>(v));
    put(kSignature);
    put(0x10000);
    put(static_cast<uint32_t>(m_bytes.size()));
    put(m_records);
    put(kHandles);  // handles, then a reserved 16-bit word
    put(static_cast<uint32_t>(m_description.size()));
    put(m_description.empty() ? 0 : kHeaderBytes);
    put(0);  // palette entries
    const int width = m_reference.DeviceCaps(fw::HORZRES);
    const int height = m_reference.DeviceCaps(fw::VERTRES);
    const int widthMm = m_reference.DeviceCaps(fw::HORZSIZE);
    const int heightMm = m_reference.DeviceCaps(fw::VERTSIZE);
    put(static_cast<uint32_t>(width));
    put(static_cast<uint32_t>(height));
    put(static_cast<uint32_t>(widthMm));
    put(static_cast<uint32_t>(heightMm));
    put(0);  // pixel format: none
    put(0);
    put(0);  // not OpenGL
    put(static_cast<uint32_t>(widthMm * 1000));
    put(static_cast<uint32_t>(heightMm * 1000));
    for (char16_t c : m_description) {
        header.push_back(static_cast<uint8_t>(c));
        header.push_back(static_cast<uint8_t>(c >> 8));
    }
    header.resize(headerBytes, 0);
    std::copy(header.begin(), header.end(), m_bytes.begin());
    return std::move(m_bytes);
}
