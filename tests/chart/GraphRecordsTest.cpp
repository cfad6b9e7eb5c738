#include "chart/model/ChartArchiveTags.h"
#include "chart/model/GDataInfoRec.h"
#include "chart/model/GrFrameRec.h"
#include "chart/model/GrScaleRec.h"
#include "chart/model/OGPRecord.h"
#include "common/base/ArchiveTags.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

namespace {

using kivtest::ByteBuilder;
using kivtest::Bytes;

ByteBuilder& Rect(ByteBuilder& b, int32_t l, int32_t t, int32_t r, int32_t bo)
{
    return b.I32(l).I32(t).I32(r).I32(bo);
}

TEST(GraphRecords, NewScaleRecordStoresTheDefaultsOfANewGraph)
{
    GrScaleRec rec;
    ByteBuilder want;
    want.I16(1);
    want.U8(1).F64(0).F64(10).F64(5).I16(5).I16(0).I16(1).I16(3);
    want.U8(1).F64(0).F64(10).F64(5).I16(5).I16(0).I16(1).I16(2);
    want.I32(1).F64(0);
    want.U8(1).F64(0).F64(10).F64(5).I16(0);
    want.U32(0);
    const Bytes got = kivtest::StoreBody(rec);
    EXPECT_EQ(kivtest::Hex(want), kivtest::Hex(got));
    ASSERT_EQ(111u, got.size());
    EXPECT_EQ((Bytes{0x01, 0x00, 0x01, 0, 0, 0, 0, 0, 0, 0, 0}), Bytes(got.begin(), got.begin() + 11));
}

TEST(GraphRecords, ScaleRecordFieldsLandAtTheirOffsets)
{
    GrScaleRec rec;
    rec.m_scaleType = 4;
    rec.m_x.labelSide = 4;
    rec.m_y.autoMode = 2;
    rec.m_y.maximum = 1250.0;
    rec.m_timeDivisor = 86400;
    rec.m_timeOrigin = 45000.5;
    rec.m_z.subdivisions = 7;
    rec.m_options = 0x80000001u;
    const Bytes got = kivtest::StoreBody(rec);
    ASSERT_EQ(111u, got.size());
    auto at = [&](size_t offset, auto value) {
        decltype(value) v{};
        std::memcpy(&v, got.data() + offset, sizeof v);
        return v;
    };
    EXPECT_EQ(4, at(0, int16_t{}));
    EXPECT_EQ(4, at(33, int16_t{}));
    EXPECT_EQ(2, at(35, uint8_t{}));
    EXPECT_EQ(1250.0, at(44, double{}));
    EXPECT_EQ(86400, at(68, int32_t{}));
    EXPECT_EQ(45000.5, at(72, double{}));
    EXPECT_EQ(7, at(105, int16_t{}));
    EXPECT_EQ(0x80000001u, at(107, uint32_t{}));

    GrScaleRec back;
    kivtest::LoadBody(back, got);
    EXPECT_EQ(got, kivtest::StoreBody(back));
}

TEST(GraphRecords, PlotRecordStoresNinetyOneBytesWithoutErrorAndFactor)
{
    OGPRecord rec;
    EXPECT_TRUE(rec.m_plotRect.IsRectNull());
    EXPECT_TRUE(rec.m_frameRect.IsRectNull());
    EXPECT_TRUE(rec.m_clipRect.IsRectNull());
    EXPECT_EQ(1, rec.m_lineWidthFactor);

    rec.m_plotRect = {100, 50, 500, 350};
    rec.m_frameRect = {60, 40, 520, 380};
    rec.m_xMin = -1.5;
    rec.m_xMax = 2.5;
    rec.m_xRangeSet = 1;
    rec.m_xLabelWidth = 3;
    rec.m_yMin = 0;
    rec.m_yMax = 100;
    rec.m_yRangeSet = 1;
    rec.m_yLabelWidth = -2;
    rec.m_background = 0xFFFFFF;
    rec.m_drawing = 1;
    rec.m_errorCode = 8;
    rec.m_errorIndex = 77;
    rec.m_clipRect = {0, 0, 640, 480};
    rec.m_lineWidthFactor = 3;

    ByteBuilder want;
    Rect(want, 100, 50, 500, 350);
    Rect(want, 60, 40, 520, 380);
    want.F64(-1.5).F64(2.5).U8(1).I16(3);
    want.F64(0).F64(100).U8(1).I16(-2);
    want.U32(0xFFFFFF).U8(1);
    Rect(want, 0, 0, 640, 480);
    const Bytes got = kivtest::StoreBody(rec);
    EXPECT_EQ(kivtest::Hex(want), kivtest::Hex(got));
    ASSERT_EQ(91u, got.size());

    OGPRecord back;
    back.m_errorCode = 5;
    kivtest::LoadBody(back, got);
    EXPECT_EQ(got, kivtest::StoreBody(back));
    EXPECT_EQ(5, back.m_errorCode) << "the error is no part of the archive form";
    EXPECT_EQ(1, back.m_lineWidthFactor);
}

TEST(GraphRecords, DataInfoRecordOfANewGraph)
{
    GDataInfoRec rec;
    ByteBuilder want;
    want.I16(1).I16(0).U8(0);
    Rect(want, 0, 0, 0, 0);
    want.U8(1).U8(1).U8(1).I32(0);
    EXPECT_EQ(kivtest::Hex(want), kivtest::Hex(kivtest::StoreBody(rec)));

    rec.m_xAxisKind = GDataInfoRec::kTimeAxis;
    rec.m_flag = 0xA5;
    rec.m_graphRect = {-10, 20, 3000, 2000};
    rec.m_showYGrid = 0;
    rec.m_value = -7;
    ByteBuilder changed;
    changed.I16(1).I16(2).U8(0xA5);
    Rect(changed, -10, 20, 3000, 2000);
    changed.U8(1).U8(0).U8(1).I32(-7);
    const Bytes got = kivtest::StoreBody(rec);
    ASSERT_EQ(28u, got.size());
    EXPECT_EQ(kivtest::Hex(changed), kivtest::Hex(got));
    GDataInfoRec back;
    kivtest::LoadBody(back, got);
    EXPECT_EQ(got, kivtest::StoreBody(back));
}

TEST(GraphRecords, FrameRecordCarriesAllFourteenFieldsInOrder)
{
    GrFrameRec rec;
    ByteBuilder want;
    for (int16_t v : {2, 0, 0, 0, 2, 1, 4, 1, 2, 1, 4, 1, 0, 0})
        want.I16(v);
    EXPECT_EQ(kivtest::Hex(want), kivtest::Hex(kivtest::StoreBody(rec)));

    GrFrameRec other;
    int16_t* fields[] = {&other.m_frameWidth,      &other.m_frameColor,      &other.m_gridMajorColor,
                         &other.m_gridMinorColor,  &other.m_xGridMajorWidth, &other.m_xGridMinorWidth,
                         &other.m_xTickSide,       &other.m_xTickWidth,      &other.m_yGridMajorWidth,
                         &other.m_yGridMinorWidth, &other.m_yTickSide,       &other.m_yTickWidth,
                         &other.m_tickColor,       &other.m_reserved};
    ByteBuilder numbered;
    for (int i = 0; i < 14; ++i) {
        *fields[i] = static_cast<int16_t>(100 + i);
        numbered.I16(static_cast<int16_t>(100 + i));
    }
    EXPECT_EQ(kivtest::Hex(numbered), kivtest::Hex(kivtest::StoreBody(other)));

    rec = other;
    EXPECT_EQ(kivtest::StoreBody(other), kivtest::StoreBody(rec)) << "the reserved field is copied too";
    GrFrameRec& self = rec;
    rec = self;
    EXPECT_EQ(kivtest::StoreBody(other), kivtest::StoreBody(rec));
}

TEST(GraphRecords, CopiesCarryEveryFieldOfTheOtherRecords)
{
    OGPRecord a;
    a.m_plotRect = {1, 2, 3, 4};
    a.m_yMax = 9;
    a.m_errorCode = 12;
    a.m_errorIndex = 4;
    a.m_lineWidthFactor = 2;
    OGPRecord b;
    b = a;
    EXPECT_EQ(kivtest::StoreBody(a), kivtest::StoreBody(b));
    EXPECT_EQ(12, b.m_errorCode);
    EXPECT_EQ(4, b.m_errorIndex);
    EXPECT_EQ(2, b.m_lineWidthFactor);

    GrScaleRec s;
    s.m_z.maximum = 77;
    s.m_options = 1;
    GrScaleRec t;
    t = s;
    EXPECT_EQ(kivtest::StoreBody(s), kivtest::StoreBody(t));
}

TEST(GraphRecords, TruncatedArchiveEndsAfterTheLastCompleteField)
{
    GrScaleRec stored;
    stored.m_scaleType = 3;
    stored.m_x.maximum = 42;
    const Bytes full = kivtest::StoreBody(stored);
    // Cut inside the X step: type, auto mode, minimum and maximum arrive.
    const Bytes cut(full.begin(), full.begin() + 22);
    GrScaleRec loaded;
    loaded.m_x.step = 99;
    try {
        kivtest::LoadBody(loaded, cut);
        FAIL() << "no end-of-file exception";
    } catch (fw::CArchiveException& e) {
        EXPECT_EQ(fw::CArchiveException::endOfFile, e.m_cause);
    }
    EXPECT_EQ(3, loaded.m_scaleType);
    EXPECT_EQ(42.0, loaded.m_x.maximum);
    EXPECT_EQ(99.0, loaded.m_x.step);
}

TEST(GraphRecords, StoringIntoALoadingArchiveIsRefused)
{
    GrFrameRec rec;
    fw::CMemFile file;
    fw::CArchive ar(&file, fw::CArchive::load);
    EXPECT_THROW(ar << rec.m_frameWidth, fw::CArchiveException);
}

TEST(GraphRecords, DrawTypeTagIsWrittenRawWithoutLength)
{
    const Bytes got = kivtest::StoredBytes([](fw::CArchive& ar) {
        WriteArchiveTag(ar, kDrawTypeTag);
        ar << int16_t{1};
    });
    const Bytes want = {'<', 'D', 'R', 'A', 'W', 'T', 'Y', 'P', 'E', '>', 0x01, 0x00};
    EXPECT_EQ(kivtest::Hex(want), kivtest::Hex(got));
    ASSERT_EQ(12u, got.size());
}

} // namespace
