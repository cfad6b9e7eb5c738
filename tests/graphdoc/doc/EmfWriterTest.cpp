#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "graphdoc/model/EmfWriter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    uint32_t v = 0;
    std::memcpy(&v, &b[at], 4);
    return v;
}

TEST(EmfWriterTest, MillionPointsBatchIntoPolyline16Records)
{
    fw::RecordingSink display;
    CEmfWriter writer(display, fw::CRect(0, 0, 100, 100), fw::CSize(2000, 1000), u"");
    fw::CDC dc(&writer);
    std::vector<fw::CPoint> points(1000000);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = fw::CPoint(static_cast<int>(i % 2000), static_cast<int>(i % 1000));
    dc.Polyline(points.data(), static_cast<int>(points.size()));
    const std::vector<uint8_t> bytes = writer.Finish();

    size_t at = U32(bytes, 4);
    size_t polylines = 0;
    size_t pointsWritten = 0;
    int16_t lastX = 0, lastY = 0;
    bool joined = true;
    while (at < bytes.size()) {
        const uint32_t type = U32(bytes, at);
        const uint32_t size = U32(bytes, at + 4);
        ASSERT_GE(size, 8u);
        if (type == CEmfWriter::EMR_POLYLINE16) {
            const uint32_t count = U32(bytes, at + 24);
            ASSERT_EQ(size, 28 + 4 * count);
            ASSERT_LE(count, CEmfWriter::kMaxPolyPoints);
            int16_t x, y;
            std::memcpy(&x, &bytes[at + 28], 2);
            std::memcpy(&y, &bytes[at + 30], 2);
            if (polylines > 0)
                joined = joined && x == lastX && y == lastY;
            std::memcpy(&lastX, &bytes[at + 28 + 4 * (count - 1)], 2);
            std::memcpy(&lastY, &bytes[at + 30 + 4 * (count - 1)], 2);
            ++polylines;
            pointsWritten += count;
        }
        at += size;
    }
    const size_t expected = (points.size() - 1 + CEmfWriter::kMaxPolyPoints - 2) / (CEmfWriter::kMaxPolyPoints - 1);
    EXPECT_EQ(polylines, expected);
    EXPECT_EQ(pointsWritten, points.size() + polylines - 1);
    EXPECT_TRUE(joined);
    EXPECT_EQ(lastX, 999999 % 2000);
    EXPECT_EQ(U32(bytes, 48), bytes.size());
}

TEST(EmfWriterTest, ObjectsAreCreatedOnceWhileUnchanged)
{
    fw::RecordingSink display;
    CEmfWriter writer(display, fw::CRect(0, 0, 100, 100), fw::CSize(100, 100), u"a\0b\0");
    fw::CDC dc(&writer);
    fw::CPen pen(fw::PS_SOLID, 2, fw::RGB(255, 0, 0));
    dc.SelectObject(&pen);
    dc.Rectangle(0, 0, 10, 10);
    dc.Rectangle(5, 5, 20, 20);
    const std::vector<uint8_t> bytes = writer.Finish();
    size_t at = U32(bytes, 4);
    int pens = 0, rectangles = 0;
    while (at < bytes.size()) {
        const uint32_t type = U32(bytes, at);
        if (type == CEmfWriter::EMR_CREATEPEN) {
            ++pens;
            EXPECT_EQ(U32(bytes, at + 16), 2u);
            EXPECT_EQ(U32(bytes, at + 24), fw::RGB(255, 0, 0));
        }
        rectangles += type == CEmfWriter::EMR_RECTANGLE;
        at += U32(bytes, at + 4);
    }
    EXPECT_EQ(pens, 1);
    EXPECT_EQ(rectangles, 2);
    // The bounds of what was drawn.
    EXPECT_EQ(U32(bytes, 8), 0u);
    EXPECT_EQ(U32(bytes, 16), 20u);
}

} // namespace
