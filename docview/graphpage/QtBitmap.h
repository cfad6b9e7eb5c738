#pragma once

// The window system's side of off-screen drawing: bitmaps kept as images,
// and a device context over a painter that such bitmaps can be copied to.

#include "docbase/graphpage/ZELBitmap.h"
#include "framework/ui/QPainterSink.h"

#include <QImage>

class QPainter;

// Holds the sink so that it exists before the context that draws with it.
struct PainterSinkHolder {
    PainterSinkHolder(QPainter* painter, int dpi, bool printing) : m_painterSink(painter, dpi, printing) {}
    fw::QPainterSink m_painterSink;
};

// A device context drawing with a painter the caller keeps open.
class CPainterDC : private PainterSinkHolder, public fw::CDC {
public:
    explicit CPainterDC(QPainter* painter, int dpi = fw::kDisplayDpi, bool printing = false);
    QPainter* Painter() const { return m_painter; }

private:
    QPainter* m_painter;
};

class CQtBitmap final : public CZELBitmap {
public:
    // A null image when the size is not positive or memory is short.
    CQtBitmap(int width, int height);

    bool IsNull() const { return m_image.isNull(); }
    const QImage& Image() const { return m_image; }

    int GetWidth() const override { return m_image.width(); }
    int GetHeight() const override { return m_image.height(); }
    std::unique_ptr<fw::CDC> CreateMemoryDC() override;
    fw::PixelBuffer GetPixels() const override;
    bool CopyTo(fw::CDC& target, fw::CPoint at) const override;

private:
    QImage m_image;
};

// Image bitmaps for off-screen drawing.
class CQtBitmapMaker final : public IBitmapMaker {
public:
    std::unique_ptr<CZELBitmap> Make(int width, int height) override;
};
