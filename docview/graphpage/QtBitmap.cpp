#include "docview/graphpage/QtBitmap.h"

#include <QPainter>

#include <cstring>

CPainterDC::CPainterDC(QPainter* painter, int dpi, bool printing)
    : PainterSinkHolder(painter, dpi, printing), fw::CDC(&m_painterSink), m_painter(painter)
{
}

CQtBitmap::CQtBitmap(int width, int height)
{
    if (width > 0 && height > 0)
        m_image = QImage(width, height, QImage::Format_RGB32);
    if (!m_image.isNull())
        m_image.fill(Qt::white);
}

std::unique_ptr<fw::CDC> CQtBitmap::CreateMemoryDC()
{
    if (m_image.isNull())
        return nullptr;
    return std::make_unique<fw::CImageDC>(m_image);
}

fw::PixelBuffer CQtBitmap::GetPixels() const
{
    fw::PixelBuffer pixels = fw::PixelBuffer::Make(m_image.width(), m_image.height(), 32);
    const QImage image = m_image.convertToFormat(QImage::Format_RGB32);
    const size_t rowBytes = pixels.PackedRowBytes();
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(pixels.Row(y), image.constScanLine(y), rowBytes);
    return pixels;
}

bool CQtBitmap::CopyTo(fw::CDC& target, fw::CPoint at) const
{
    auto* painterDC = dynamic_cast<CPainterDC*>(&target);
    if (!painterDC || !painterDC->Painter() || m_image.isNull())
        return false;
    target.LPtoDP(&at);
    QPainter* painter = painterDC->Painter();
    painter->save();
    painter->resetTransform();
    painter->setClipping(false);
    painter->drawImage(QPoint(at.x, at.y), m_image);
    painter->restore();
    return true;
}

std::unique_ptr<CZELBitmap> CQtBitmapMaker::Make(int width, int height)
{
    auto bitmap = std::make_unique<CQtBitmap>(width, height);
    if (bitmap->IsNull())
        return nullptr;
    return bitmap;
}
