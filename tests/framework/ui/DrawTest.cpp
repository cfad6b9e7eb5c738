#include "framework/ui/QPainterSink.h"
#include "framework/ui/ViewPaint.h"
#include "framework/ui/View.h"
#include "tests/framework/ui/UiTestClasses.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

using namespace fw;

QImage WhiteImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TEST(QPainterSinkDrawing, RectangleOutlineLeavesRightAndBottomOut)
{
    QImage image = WhiteImage(20, 20);
    {
        CImageDC dc(image);
        CBrush blue(RGB(0, 0, 255));
        dc.SelectObject(&blue);
        dc.Rectangle(2, 2, 10, 10);
    }
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::black)) << "outline";
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::blue)) << "inside";
    EXPECT_EQ(image.pixelColor(9, 9), QColor(Qt::black)) << "last outline pixel";
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white)) << "right and bottom are outside";
}

TEST(QPainterSinkDrawing, MappingScalesAndClipsInDeviceUnits)
{
    QImage image = WhiteImage(40, 40);
    {
        CImageDC dc(image);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(10, 10);
        dc.SetViewportExt(20, 20);
        dc.IntersectClipRect(0, 0, 5, 20);  // device 0..10 wide
        dc.FillSolidRect(CRect(0, 0, 10, 10), RGB(0, 255, 0));
    }
    EXPECT_EQ(image.pixelColor(9, 19), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(10, 5), QColor(Qt::white)) << "clipped";
    EXPECT_EQ(image.pixelColor(5, 20), QColor(Qt::white)) << "beyond the scaled rectangle";
}

TEST(QPainterSinkDrawing, TextIsDrawnAndMeasuredOnTheDevice)
{
    QImage image = WhiteImage(200, 40);
    CSize extent;
    {
        CImageDC dc(image);
        CFont font;
        font.CreatePointFont(120, "MS UI Gothic");
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(2, 2, "WWWW");
        extent = dc.GetTextExtent("WWWW");
    }
    EXPECT_GT(extent.cx, 10);
    int dark = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 40; ++y)
            dark += image.pixelColor(x, y).lightness() < 128;
    EXPECT_GT(dark, 20) << "no glyph reached the image";
}

TEST(ViewPainting, TheViewsOnDrawPaintsItsWidget)
{
    uitest::TestApp app;
    uitest::MainFrame* main = app.MakeMainFrame();
    auto* doc = app.notes->OpenDocumentFile(CString());
    ASSERT_NE(doc, nullptr);
    POSITION pos = doc->GetFirstViewPosition();
    CView* view = doc->GetNextView(pos);
    view->Widget()->resize(50, 50);
    const QImage shot = view->Widget()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(15, 15), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(40, 40), QColor(Qt::white));
    app.CloseAllDocuments(true);
    delete main;
}

TEST(ViewPainting, APaintDCOutsidePaintingDrawsNothing)
{
    CWnd wnd;
    CPaintDC dc(&wnd);
    EXPECT_TRUE(dc.Rectangle(0, 0, 5, 5));
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 0);
}

} // namespace

namespace {

using namespace fw;

TEST(ViewPainting, ClientDrawingStaysUntilTheViewIsInvalidated)
{
    uitest::TestApp app;
    uitest::MainFrame* main = app.MakeMainFrame();
    auto* doc = app.notes->OpenDocumentFile(CString());
    POSITION pos = doc->GetFirstViewPosition();
    CView* view = doc->GetNextView(pos);
    view->Widget()->resize(50, 50);
    view->Widget()->grab();  // the first paint fills the back buffer
    auto band = [&] {
        CClientDC dc(view);
        CPen white(PS_SOLID, 0, RGB(255, 255, 255));
        dc.SelectObject(&white);
        dc.SetROP2(R2_XORPEN);
        dc.MoveTo(0, 40);
        dc.LineTo(40, 40);
    };
    band();
    QImage shot = view->Widget()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 40), QColor(Qt::black)) << "the XOR band is shown";
    EXPECT_EQ(shot.pixelColor(15, 15), QColor(Qt::red));
    shot = view->Widget()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 40), QColor(Qt::black)) << "a repaint keeps it";
    band();
    shot = view->Widget()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 40), QColor(Qt::white)) << "drawn twice, it is gone";
    band();
    view->Invalidate();
    shot = view->Widget()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 40), QColor(Qt::white)) << "an invalidated view draws anew";
    EXPECT_EQ(shot.pixelColor(15, 15), QColor(Qt::red));
    app.CloseAllDocuments(true);
    delete main;
}

} // namespace
