// The GPS track view: a square plot, the track kept as a picture, and the
// selected range drawn over it without drawing the track again.

#include "canvoicegps/model/UpdateSelArea.h"
#include "canvoicegps/views/data/GpsGraphView.h"
#include "canvoicegps/views/data/GpsTrackPicture.h"
#include "common/tank/DblDataTank.h"
#include "docbase/doc/UpdateHints.h"
#include "docview/graphpage/QtBitmap.h"
#include "framework/core/ServiceSlot.h"
#include "tests/support/TestSupport.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kPoints = 2000;

bool IsWhite(const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF; }

// Pixels of the image that are neither white nor the colour of a track
// pixel, inside the plot.
int OtherColouredPixels(const QImage& image, QRgb track, const fw::CRect& plot)
{
    int n = 0;
    for (int y = plot.top + 2; y < plot.bottom - 2; ++y)
        for (int x = plot.left + 2; x < plot.right - 2; ++x) {
            const QRgb p = image.pixel(x, y) & 0xFFFFFF;
            if (p != 0xFFFFFF && p != (track & 0xFFFFFF))
                ++n;
        }
    return n;
}

class GpsTrack : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        auto* x = new CDblDataTank;
        auto* y = new CDblDataTank;
        // A circle around (135.5, 34.7), the way a track of a round course lies.
        for (int i = 0; i < kPoints; ++i) {
            const double a = 2 * M_PI * i / kPoints;
            x->SetValue(i, 135.5 + 0.01 * std::cos(a));
            y->SetValue(i, 34.7 + 0.01 * std::sin(a));
        }
        track.SetTrack(x, y);
        ReleaseTank(x);
        ReleaseTank(y);
    }
    void Paint(const fw::CRect& plot)
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        CPainterDC dc(&painter);
        track.Paint(dc, plot);
    }
    QRgb TrackColour(const fw::CRect& plot) const
    {
        for (int y = plot.top + 2; y < plot.bottom - 2; ++y)
            for (int x = plot.left + 2; x < plot.right - 2; ++x)
                if (!IsWhite(image, x, y))
                    return image.pixel(x, y);
        return 0xFFFFFFFF;
    }

    CQtBitmapMaker maker;
    fw::ScopedInstall<IBitmapMaker> installMaker{maker};
    QImage image{300, 200, QImage::Format_RGB32};
    CGpsTrackPicture track;
};

TEST(GpsTrackPlot, IsSquareAndCentred)
{
    struct Case {
        const char* name;
        fw::CRect client;
        fw::CRect plot;
    };
    const Case cases[] = {
        {"wide", fw::CRect(0, 0, 300, 200), fw::CRect(51, 1, 248, 198)},
        {"tall", fw::CRect(0, 0, 200, 300), fw::CRect(1, 51, 198, 248)},
        {"square", fw::CRect(0, 0, 100, 100), fw::CRect(1, 1, 98, 98)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CGpsTrackPicture::PlotRectFor(c.client), c.plot) << c.name;
}

TEST_F(GpsTrack, ASelectionRepaintsOnlyTheHighlightNeverTheTrack)
{
    const fw::CRect plot = CGpsTrackPicture::PlotRectFor(fw::CRect(0, 0, 300, 200));
    const fw::CRect rightHalf(plot.CenterPoint().x + 10, plot.top, plot.right, plot.bottom);
    Paint(plot);
    ASSERT_EQ(track.GetTrackDrawCount(), 1);
    const QRgb trackColour = TrackColour(plot);
    ASSERT_NE(trackColour, 0xFFFFFFFFu) << "the track is drawn";
    EXPECT_EQ(OtherColouredPixels(image, trackColour, plot), 0);

    // Dragging a selection: every step paints, none draws the track again.
    for (int last = 10; last <= 200; last += 10) {
        track.SetHighlight(0, last);
        Paint(plot);
    }
    EXPECT_EQ(track.GetTrackDrawCount(), 1) << "the track came from its picture";
    EXPECT_GT(OtherColouredPixels(image, trackColour, rightHalf), 0) << "the selected arc stands out";

    track.SetHighlight(-1, -1);
    Paint(plot);
    EXPECT_EQ(OtherColouredPixels(image, trackColour, plot), 0) << "a cleared selection leaves the plain track";
    EXPECT_EQ(track.GetTrackDrawCount(), 1);

    // A new size or new data draw the track anew.
    Paint(CGpsTrackPicture::PlotRectFor(fw::CRect(0, 0, 280, 200)));
    EXPECT_EQ(track.GetTrackDrawCount(), 2);
    track.Rescale();
    Paint(CGpsTrackPicture::PlotRectFor(fw::CRect(0, 0, 280, 200)));
    EXPECT_EQ(track.GetTrackDrawCount(), 3);
}

TEST_F(GpsTrack, TheViewTakesTheSelectionOfTheListsAndKeepsItsPicture)
{
    CGpsGraphView view;
    view.OnSize(0, 300, 200);
    EXPECT_EQ(view.GetPlotRect(), fw::CRect(51, 1, 248, 198));
    CGpsTrackPicture& picture = view.Picture();
    auto* x = new CDblDataTank;
    auto* y = new CDblDataTank;
    for (int i = 0; i < 100; ++i) {
        x->SetValue(i, i);
        y->SetValue(i, i % 7);
    }
    picture.SetTrack(x, y);
    ReleaseTank(x);
    ReleaseTank(y);
    {
        QPainter painter(&image);
        CPainterDC dc(&painter);
        view.OnDraw(&dc);
    }
    ASSERT_TRUE(picture.IsValid());
    CUpdateSelArea area(CUpdateSelArea::kFromList, 3, 20, 40);
    view.OnUpdate(nullptr, kHintSelArea, &area);
    int first = -1;
    int last = -1;
    picture.GetHighlight(first, last);
    EXPECT_EQ(first, 20);
    EXPECT_EQ(last, 40);
    EXPECT_TRUE(picture.IsValid()) << "a selection keeps the track picture";

    CUpdateKivData data;
    data.m_changeFlags = CGpsGraphView::kChangeData;
    view.OnUpdate(nullptr, CGpsGraphView::kHintData, &data);
    EXPECT_FALSE(picture.IsValid()) << "new data draw the track anew";
}

} // namespace
