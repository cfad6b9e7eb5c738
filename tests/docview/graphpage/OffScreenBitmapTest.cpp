// The off-screen bitmap: its states, and a page drawn into a real image.

#include "tests/docview/graphpage/GraphPageFixture.h"

#include "docbase/graphpage/ZELOffScreenBitmap.h"
#include "docview/graphpage/QtBitmap.h"

#include <QImage>
#include <QPainter>

using gptest::GraphPageTest;

TEST_F(GraphPageTest, BeginDrawWithoutABitmapGivesNothing)
{
    CZELOffScreenBitmap bitmap;
    EXPECT_EQ(bitmap.BeginDraw(nullptr), nullptr);
    EXPECT_FALSE(bitmap.Create(nullptr, 0, 10));
    EXPECT_EQ(bitmap.BeginDraw(nullptr), nullptr);
}

TEST_F(GraphPageTest, TwoBeginDrawsLeaveOneMemoryContext)
{
    CZELOffScreenBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(nullptr, 640, 480));
    EXPECT_TRUE(bitmap.IsSize(640, 480));
    EXPECT_FALSE(bitmap.IsSize(640, 481));
    fw::CDC* first = bitmap.BeginDraw(nullptr);
    ASSERT_NE(first, nullptr);
    first->SetViewportOrg(5, 5);
    fw::CDC* second = bitmap.BeginDraw(nullptr);
    ASSERT_NE(second, nullptr);
    // A fresh context: the first one's state is gone with it.
    EXPECT_EQ(second->GetViewportOrg(), fw::CPoint(0, 0));
    EXPECT_TRUE(bitmap.IsDrawing());
    bitmap.EndDraw();
    EXPECT_FALSE(bitmap.IsDrawing());
}

TEST_F(GraphPageTest, ResetWhileDrawingClosesTheMemoryContextToo)
{
    CZELOffScreenBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(nullptr, 64, 48));
    int user = 0;
    EXPECT_EQ(bitmap.SetUserObject(&user), &user);
    ASSERT_NE(bitmap.BeginDraw(nullptr), nullptr);
    bitmap.Reset();
    EXPECT_FALSE(bitmap.IsDrawing());
    EXPECT_EQ(bitmap.GetBitmap(), nullptr);
    EXPECT_EQ(bitmap.GetUserObject(), nullptr);
    EXPECT_TRUE(bitmap.IsSize(0, 0));
}

TEST_F(GraphPageTest, APageDrawnIntoAnImageShowsFramesAndFill)
{
    CZELBitmap::InstallFactory({});  // the real image bitmaps
    AddFramed(fw::CRect(10, 10, 110, 60));
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::red);
    {
        QPainter painter(&image);
        CPainterDC dc(&painter);
        view.OnPrepareDC(&dc);
        view.OnDraw(&dc);
    }
    const struct {
        const char* name;
        int x, y;
        QRgb colour;
    } rows[] = {
        {"top line", 50, 10, qRgb(0, 0, 0)},         {"inside", 50, 30, qRgb(255, 255, 255)},
        {"right line", 108, 30, qRgb(0, 0, 0)},      {"shadow", 109, 30, qRgb(0, 0, 0)},
        {"paper", 300, 200, qRgb(255, 255, 255)},    {"left line", 10, 30, qRgb(0, 0, 0)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(image.pixel(row.x, row.y) & 0xFFFFFF, row.colour & 0xFFFFFF);
    }
}

TEST_F(GraphPageTest, ImageBitmapHandsItsPixelsToThePictureWriters)
{
    CQtBitmap bitmap(3, 2);
    ASSERT_FALSE(bitmap.IsNull());
    {
        std::unique_ptr<fw::CDC> dc = bitmap.CreateMemoryDC();
        dc->FillSolidRect(fw::CRect(1, 0, 2, 1), fw::RGB(0x12, 0x34, 0x56));
    }
    const fw::PixelBuffer pixels = bitmap.GetPixels();
    ASSERT_EQ(pixels.width, 3);
    ASSERT_EQ(pixels.height, 2);
    const uint8_t* p = pixels.Row(0) + 4;
    EXPECT_EQ(p[0], 0x56);
    EXPECT_EQ(p[1], 0x34);
    EXPECT_EQ(p[2], 0x12);
    EXPECT_EQ(pixels.Row(1)[0], 0xFF);  // white elsewhere
}
