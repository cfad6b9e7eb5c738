// Cell texts on the screen are placed from glyphs laid out once and kept
// across paints; the pixels must be those of text shaped afresh, as a
// printer's device draws it, in every alignment, clip and background.

#include "framework/core/DC.h"
#include "framework/ui/QPainterSink.h"
#include "grid/model/PaneStyle.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char* name;
    const char* text;
    unsigned align;
    bool opaque;
    bool clipped;
};

const Case kCases[] = {
    {"left top", "1234.567", fw::TA_LEFT | fw::TA_TOP, false, true},
    {"centred on the baseline", "-0.00125", fw::TA_CENTER | fw::TA_BASELINE, false, true},
    {"right bottom", "CH-A 12.5 V", fw::TA_RIGHT | fw::TA_BOTTOM, false, true},
    {"opaque background", "2023/01/01 12:00:00.01", fw::TA_LEFT | fw::TA_TOP, true, false},
    {"cut by its cell", "999999999.999999", fw::TA_RIGHT | fw::TA_TOP, false, true},
    {"Japanese", "振動試験 経過時間", fw::TA_CENTER | fw::TA_TOP, false, true},
    {"control character", "a\tb", fw::TA_LEFT | fw::TA_TOP, false, true},
};

// Each case in its own band of the image, drawn through the sink.
QImage Draw(bool printing)
{
    QImage image(420, 40 * static_cast<int>(std::size(kCases)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    fw::QPainterSink sink(&painter, fw::kDisplayDpi, printing);
    fw::CDC dc(&sink);
    CZELPaneStyle style;
    fw::CFont font;
    font.CreatePointFontIndirect(style.m_format.lf);
    dc.SelectObject(&font);
    dc.SetTextColor(0x102030);
    dc.SetBkColor(0xC0E0FF);
    int top = 0;
    for (const Case& c : kCases) {
        const fw::CRect cell(10, top + 5, 130, top + 30);
        dc.SetTextAlign(c.align);
        dc.SetBkMode(c.opaque ? fw::OPAQUE : fw::TRANSPARENT);
        const int x = (c.align & fw::TA_CENTER) == fw::TA_CENTER ? 70 : (c.align & fw::TA_RIGHT) ? 129 : 11;
        const int y = (c.align & fw::TA_BASELINE) == fw::TA_BASELINE ? top + 20 : (c.align & fw::TA_BOTTOM) ? top + 30 : top + 6;
        dc.ExtTextOut(x, y, c.clipped ? fw::ETO_CLIPPED : 0u, &cell, fw::CString(c.text));
        // The same text again at a new place, laid out from before.
        dc.ExtTextOut(x + 250, y, 0, nullptr, fw::CString(c.text));
        top += 40;
    }
    return image;
}

// The pixels that differ, and where the first lies.
std::string Differences(const QImage& a, const QImage& b)
{
    int count = 0;
    QPoint first;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0)
                first = QPoint(x, y);
    return count ? std::to_string(count) + " pixels from " + std::to_string(first.x()) + "," +
                       std::to_string(first.y())
                 : std::string();
}

TEST(CellTextPixels, KeptLayoutsDrawTheSamePixelsAsTextShapedAfresh)
{
    const QImage fresh = Draw(true);
    const QImage first = Draw(false);
    const QImage again = Draw(false);
    ASSERT_NE(fresh, QImage(fresh.size(), fresh.format())) << "something was drawn";
    for (size_t i = 0; i < std::size(kCases); ++i) {
        const QRect band(0, 40 * static_cast<int>(i), fresh.width(), 40);
        EXPECT_EQ(Differences(first.copy(band), fresh.copy(band)), "") << kCases[i].name;
        EXPECT_EQ(Differences(again.copy(band), fresh.copy(band)), "") << kCases[i].name << ", from the kept layouts";
    }
    bool inked = false;
    for (int y = 0; y < 40 && !inked; ++y)
        for (int x = 10; x < 130 && !inked; ++x)
            inked = fresh.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_TRUE(inked) << "the first text shows";
}

} // namespace
