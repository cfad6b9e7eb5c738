#pragma once

// Where a CDC's drawing goes: a Qt painter (screen, image, printer, PDF), a
// recording for tests, later an EMF writer. Calls carry logical
// coordinates; the sink reads the CDC's state (mapping, pen, brush, font,
// colours, clip) for everything else.

#include "framework/core/CString.h"
#include "framework/core/Gdi.h"

#include <vector>

namespace fw {

class CDC;

class IDrawSink {
public:
    virtual ~IDrawSink() = default;
    // A line from `from` to `to`, the end point left out.
    virtual void Line(const CDC& dc, CPoint from, CPoint to) = 0;
    virtual void Polyline(const CDC& dc, const std::vector<CPoint>& points) = 0;
    virtual void Polygon(const CDC& dc, const std::vector<CPoint>& points, int fillMode) = 0;
    // Outlined with the pen and filled with the brush; right and bottom
    // lie outside.
    virtual void Rectangle(const CDC& dc, const CRect& rect) = 0;
    virtual void Ellipse(const CDC& dc, const CRect& rect) = 0;
    // Filled with `brush`, no outline.
    virtual void FillRect(const CDC& dc, const CRect& rect, const CBrush& brush) = 0;
    // One line of text at the reference point, aligned by the CDC's text
    // alignment; `opaque` is filled with the background colour first.
    virtual void Text(const CDC& dc, CPoint ref, const CString& text, const CRect* opaque, const CRect* clip) = 0;
    virtual void SetPixel(const CDC& dc, CPoint point, COLORREF color) = 0;
    // Measurements in logical units with the selected font.
    virtual CSize TextExtent(const CDC& dc, const CString& text) = 0;
    virtual TEXTMETRIC TextMetrics(const CDC& dc) = 0;
    virtual int DeviceCaps(int index) const = 0;
    virtual bool IsPrinting() const { return false; }
};

} // namespace fw
