#pragma once

// Draws a CDC's calls with a QPainter: windows, images, and later printers
// and PDF. The CDC's mapping becomes the painter's world transform, its clip
// a device-unit clip rectangle.

#include "framework/core/DC.h"

#include <QFont>
#include <QRegion>

#include <memory>

class QImage;
class QPainter;

namespace fw {

class QPainterSink final : public IDrawSink {
public:
    // `dpi` is what LOGPIXELSX/Y answer (96 for the screen's virtual display).
    explicit QPainterSink(QPainter* painter, int dpi = kDisplayDpi, bool printing = false);

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

    // The Qt font of a LOGFONT, its size in logical units (the painter's
    // transform scales it).
    static QFont FontOf(const LOGFONT& lf);

private:
    void Prepare(const CDC& dc, bool withBrush);

    void ApplyClip(const CDC* dc);
    int PhysicalCaps(int index, int w, int h) const;

    QPainter* m_painter;
    int m_dpi;
    bool m_printing;
    // The painter's own clip when the sink was made (a paint's region);
    // the DC's clip only narrows it.
    bool m_hasBaseClip = false;
    QRegion m_baseClip;
};

// A CDC that draws into an image (off-screen drawing and tests).
class CImageDC : public CDC {
public:
    explicit CImageDC(QImage& image);
    ~CImageDC() override;

private:
    struct Parts;
    CImageDC(Parts* parts);
    // Made before the base class, which draws through its sink.
    std::unique_ptr<Parts> m_parts;
};

} // namespace fw
