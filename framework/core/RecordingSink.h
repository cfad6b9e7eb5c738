#pragma once

// A drawing sink that writes one line per call (logical units) and measures
// text with fixed metrics: ASCII characters are half the font height wide,
// others the full height; ascent 4/5 of the height. Drawing code is tested
// on this log, headless and independent of installed fonts.

#include "framework/core/DrawSink.h"

#include <string>
#include <vector>

namespace fw {

class RecordingSink final : public IDrawSink {
public:
    // The device: size in pixels and resolution (the virtual display by
    // default); a printer-like sink answers IsPrinting.
    RecordingSink(int widthPx = kDisplayWidthPx, int heightPx = kDisplayHeightPx, int dpi = kDisplayDpi,
                  bool printing = false);

    void Line(const CDC& dc, CPoint from, CPoint to) override;
    void Polyline(const CDC& dc, const std::vector<CPoint>& points) override;
    void Polygon(const CDC& dc, const std::vector<CPoint>& points, int fillMode) override;
    void Rectangle(const CDC& dc, const CRect& rect) override;
    void Ellipse(const CDC& dc, const CRect& rect) override;
    void FillRect(const CDC& dc, const CRect& rect, const CBrush& brush) override;
    void Text(const CDC& dc, CPoint ref, const CString& text, const CRect* opaque, const CRect* clip) override;
    void SetPixel(const CDC& dc, CPoint point, COLORREF color) override;
    CSize TextExtent(const CDC& dc, const CString& text) override;
    TEXTMETRIC TextMetrics(const CDC& dc) override;
    int DeviceCaps(int index) const override;
    bool IsPrinting() const override { return m_printing; }

    const std::vector<std::string>& Log() const { return m_log; }
    void Clear() { m_log.clear(); }

    static std::string PenText(const CPen& pen);
    static std::string BrushText(const CBrush& brush);

private:
    void Add(const CDC& dc, std::string line);

    int m_width, m_height, m_dpi;
    bool m_printing;
    std::vector<std::string> m_log;
};

} // namespace fw
