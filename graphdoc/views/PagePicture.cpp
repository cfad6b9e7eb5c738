#include "graphdoc/views/PagePicture.h"

#include "docview/graphpage/QtBitmap.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "framework/core/StringTable.h"
#include "graphdoc/model/DisplayContext.h"
#include "graphdoc/model/EmfWriter.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/views/GraphView.h"

#include <QImage>
#include <QPainter>

#include <cstring>
#include <new>

namespace {

constexpr unsigned kIdsProgramName = 128;

fw::CSize PageSize(CGraphView& view)
{
    const CZELGraphViewDoc* doc = view.GetDocument();
    return doc ? doc->GetPageSize() : fw::CSize();
}

} // namespace

fw::PixelBuffer RenderPagePicture(CGraphView& view)
{
    const fw::CSize page = PageSize(view);
    QImage image(std::max(page.cx, 1), std::max(page.cy, 1), QImage::Format_RGB32);
    if (image.isNull())
        throw std::bad_alloc();
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        CPainterDC dc(&painter, fw::kDisplayDpi, true);
        dc.FillSolidRect(fw::CRect(0, 0, page.cx, page.cy), CZELGraphView::kWindowColor);
        view.OnDraw(&dc);
    }
    fw::PixelBuffer pixels = fw::PixelBuffer::Make(image.width(), image.height(), 32);
    const size_t rowBytes = pixels.PackedRowBytes();
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(pixels.Row(y), image.constScanLine(y), rowBytes);
    return pixels;
}

fw::CRect PageMetafileFrame(fw::CSize page)
{
    CDisplayContext display;
    const int horz = display->GetDeviceCaps(fw::HORZSIZE) * 100 / std::max(1, display->GetDeviceCaps(fw::HORZRES));
    const int vert = display->GetDeviceCaps(fw::VERTSIZE) * 100 / std::max(1, display->GetDeviceCaps(fw::VERTRES));
    return fw::CRect(0, 0, horz * page.cx, vert * page.cy);
}

std::vector<uint8_t> PageMetafile(CGraphView& view)
{
    const fw::CSize page = PageSize(view);
    CDisplayContext display;
    std::u16string description = ToUtf16(fw::LoadStringText(kIdsProgramName));
    description.push_back(u'\0');
    if (const CZELGraphViewDoc* doc = view.GetDocument())
        description += ToUtf16(doc->GetTitle());
    description.push_back(u'\0');
    CEmfWriter writer(*display->Sink(), PageMetafileFrame(page), page, description);
    fw::CDC dc(&writer);
    dc.FillSolidRect(fw::CRect(0, 0, page.cx, page.cy), CZELGraphView::kWindowColor);
    view.OnDraw(&dc);
    return writer.Finish();
}

void WritePageMetafile(CGraphView& view, const fw::CString& path)
{
    const std::vector<uint8_t> bytes = PageMetafile(view);
    fw::fs::AtomicReplace(path, [&bytes](fw::CFile& file) { file.Write(bytes.data(), bytes.size()); });
}
