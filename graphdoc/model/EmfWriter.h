#pragma once

// Our writer of enhanced metafiles: a drawing sink that turns what a device
// context draws into EMF records (pens, brushes and fonts as objects,
// polylines and polygons in 16-bit points, rectangles, ellipses, pixels and
// Unicode text, the clip as rectangles), measuring text on a reference
// device. Long polylines are written as several POLYLINE16 records that
// share their end points.

#include "framework/core/DrawSink.h"
#include "framework/core/Gdi.h"

#include <cstdint>
#include <string>
#include <vector>

class CEmfWriter final : public fw::IDrawSink {
public:
    static constexpr uint32_t kSignature = 0x464D4520; // " EMF"
    static constexpr uint32_t kHeaderBytes = 108;
    // Points of one POLYLINE16 record at most.
    static constexpr size_t kMaxPolyPoints = 16384;

    enum Record : uint32_t {
        EMR_HEADER = 1,
        EMR_POLYGON = 3,
        EMR_EOF = 14,
        EMR_SETPIXELV = 15,
        EMR_SETBKMODE = 18,
        EMR_SETPOLYFILLMODE = 19,
        EMR_SETTEXTALIGN = 22,
        EMR_SETTEXTCOLOR = 24,
        EMR_SETBKCOLOR = 25,
        EMR_INTERSECTCLIPRECT = 30,
        EMR_SELECTOBJECT = 37,
        EMR_CREATEPEN = 38,
        EMR_CREATEBRUSHINDIRECT = 39,
        EMR_DELETEOBJECT = 40,
        EMR_ELLIPSE = 42,
        EMR_RECTANGLE = 43,
        EMR_EXTSELECTCLIPRGN = 75,
        EMR_EXTCREATEFONTINDIRECTW = 82,
        EMR_EXTTEXTOUTW = 84,
        EMR_POLYGON16 = 86,
        EMR_POLYLINE16 = 87,
    };

    // `reference` measures text and answers device questions (not owned);
    // `frame` is the picture's frame in 0.01 mm, `pixels` its size.
    CEmfWriter(fw::IDrawSink& reference, const fw::CRect& frame, fw::CSize pixels, const std::u16string& description);

    void Line(const fw::CDC& dc, fw::CPoint from, fw::CPoint to) override;
    void Polyline(const fw::CDC& dc, const std::vector<fw::CPoint>& points) override;
    void Polygon(const fw::CDC& dc, const std::vector<fw::CPoint>& points, int fillMode) override;
    void Rectangle(const fw::CDC& dc, const fw::CRect& rect) override;
    void Ellipse(const fw::CDC& dc, const fw::CRect& rect) override;
    void FillRect(const fw::CDC& dc, const fw::CRect& rect, const fw::CBrush& brush) override;
    void Text(const fw::CDC& dc, fw::CPoint ref, const fw::CString& text, const fw::CRect* opaque,
              const fw::CRect* clip) override;
    void SetPixel(const fw::CDC& dc, fw::CPoint point, fw::COLORREF color) override;
    fw::CSize TextExtent(const fw::CDC& dc, const fw::CString& text) override;
    fw::TEXTMETRIC TextMetrics(const fw::CDC& dc) override;
    int DeviceCaps(int index) const override;
    bool IsPrinting() const override { return true; }

    // The whole file: the header completed, the records, the end record.
    std::vector<uint8_t> Finish();

private:
    struct PenKey {
        uint32_t style = 0;
        int32_t width = 0;
        fw::COLORREF color = 0;
        bool operator==(const PenKey&) const = default;
    };
    struct BrushKey {
        uint32_t style = 0;
        fw::COLORREF color = 0;
        uint32_t hatch = 0;
        bool operator==(const BrushKey&) const = default;
    };

    void Begin(uint32_t type);
    void End();
    void Put32(uint32_t v);
    void PutI32(int32_t v) { Put32(static_cast<uint32_t>(v)); }
    void Put16(uint16_t v);
    void PutRect(const fw::CRect& r);
    void Simple(uint32_t type, uint32_t value);
    fw::CPoint Device(const fw::CDC& dc, fw::CPoint p) const;
    fw::CRect Device(const fw::CDC& dc, const fw::CRect& r) const;
    void Grow(const fw::CRect& r);
    void SyncClip(const fw::CDC& dc);
    void SyncPen(const fw::CDC& dc, bool none = false);
    void SyncBrush(const fw::CDC& dc, const fw::CBrush* brush, bool none = false);
    void SyncFont(const fw::CDC& dc);
    void Poly(uint32_t type, const std::vector<fw::CPoint>& devicePoints);

    fw::IDrawSink& m_reference;
    fw::CRect m_frame;
    fw::CSize m_pixels;
    std::u16string m_description;
    std::vector<uint8_t> m_bytes;
    size_t m_recordStart = 0;
    uint32_t m_records = 0;
    fw::CRect m_bounds;
    bool m_hasBounds = false;

    bool m_penSet = false;
    PenKey m_pen;
    bool m_brushSet = false;
    BrushKey m_brush;
    bool m_fontSet = false;
    fw::LOGFONT m_font;
    fw::COLORREF m_textColor = 0xFFFFFFFF;
    int m_bkMode = -1;
    unsigned m_textAlign = 0xFFFFFFFF;
    bool m_clipSet = false;
    fw::CRect m_clip;
};

// The text as UTF-16.
std::u16string ToUtf16(const fw::CString& text);
