#include "chart/model/GraphClasses.h"
#include "chart/model/GraphTimeListObj.h"
#include "chart/model/ListGraphClasses.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using kivtest::ByteBuilder;
using kivtest::Bytes;

// "ＭＳ Ｐゴシック" in CP932.
const Bytes kProportionalFace = ByteBuilder()
                                    .U8(0x82).U8(0x6C).U8(0x82).U8(0x72).U8(0x20).U8(0x82).U8(0x6F)
                                    .U8(0x83).U8(0x53).U8(0x83).U8(0x56).U8(0x83).U8(0x62).U8(0x83).U8(0x4E);

// The default list font: 9 point, Shift-JIS, stroke precision, character
// clipping, draft quality, proportional Swiss face.
ByteBuilder& DefaultFont(ByteBuilder& b)
{
    b.I32(90).I32(0).I32(0).I32(0).I32(0);
    b.U8(0).U8(0).U8(0).U8(128).U8(3).U8(1).U8(1).U8(0x32);
    return b.U8(static_cast<uint8_t>(kProportionalFace.size())).Append(kProportionalFace);
}

// Style, frame and fonts of a new list.
ByteBuilder DefaultListHead()
{
    ByteBuilder b;
    // line width, height, fill, pattern, symbol size, type, three colours, interval
    b.I16(1).I16(1).I16(1).U16(0xFFFF).I16(4).I16(0).I16(0).I16(0).I16(0).I16(1);
    for (int16_t v : {2, 0, 15, 15, 1, 0, 1, 1, 1, 0, 1, 1, 0, 0})
        b.I16(v);
    for (int i = 0; i < 5; ++i)
        DefaultFont(b);
    return b;
}

// A drawer set up as the list sets up its rows, of a class that writes the
// plain measured-data drawer form (or, for CGraphDraw, the graph form alone).
template <class Drawer> void LikeATimeRow(Drawer& d)
{
    CGraphTimeListObj list;
    std::unique_ptr<CListGraphDraw> row(list.CreateRow());
    d.SetOption(0, true);
    d.Frame() = row->Frame();
    d.Scale() = row->Scale();
    d.Record().m_xLabelWidth = 7;
    d.Record().m_yLabelWidth = 7;
}

class ListGraphArchive : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
    }
};

TEST_F(ListGraphArchive, NewListIsItsStyleFrameFontsAndNoRows)
{
    CGraphTimeListObj list;
    const Bytes expected = DefaultListHead().Count(0);
    EXPECT_EQ(kivtest::Hex(expected), kivtest::Hex(kivtest::StoreBody(list)));

    CGraphTimeListObj back;
    back.m_style.lineWidth = 9;
    back.AppendRow(back.CreateRow());
    kivtest::LoadBody(back, expected);
    EXPECT_EQ(back.GetRowCount(), 0);
    EXPECT_EQ(back.m_style.lineWidth, 1);
    EXPECT_EQ(kivtest::Hex(expected), kivtest::Hex(kivtest::StoreBody(back)));
}

TEST_F(ListGraphArchive, RowsAreTaggedDrawersAndEmptyRowsNullObjects)
{
    CGraphTimeListObj list;
    list.m_style.drawType = 1;  // not part of the list's form
    list.m_style.symbolType = 3;
    list.AppendRow(list.CreateRow());
    list.AppendRow(nullptr);
    const Bytes bytes = kivtest::StoreBody(list);

    CKivGraphDraw plain;
    LikeATimeRow(plain);
    ByteBuilder expected;
    expected.I16(1).I16(1).I16(1).U16(0xFFFF).I16(4).I16(3).I16(0).I16(0).I16(0).I16(1);
    const Bytes head = DefaultListHead();
    // The frame and fonts as in a new list.
    expected.Append(Bytes(head.begin() + 20, head.end()));
    expected.Count(2).NewClass("CTimeListGraphDraw").Text("<LISTGRAPHEX>").Append(kivtest::StoreBody(plain));
    expected.U16(0);
    EXPECT_EQ(kivtest::Hex(expected), kivtest::Hex(bytes));

    CGraphTimeListObj back;
    kivtest::LoadBody(back, bytes);
    ASSERT_EQ(back.GetRowCount(), 2);
    EXPECT_NE(dynamic_cast<CTimeListGraphDraw*>(back.GetRow(0)), nullptr);
    EXPECT_EQ(back.GetRow(1), nullptr);
    EXPECT_EQ(back.m_style.symbolType, 3);
    EXPECT_EQ(back.m_style.drawType, 0) << "the list's draw type is not stored";
    EXPECT_EQ(kivtest::Hex(bytes), kivtest::Hex(kivtest::StoreBody(back)));
}

TEST_F(ListGraphArchive, RowWithoutTheSectionTagReadsTheGraphFormOnly)
{
    CGraphDraw older;
    LikeATimeRow(older);
    const Bytes graphForm = kivtest::StoreBody(older);
    const Bytes bytes = DefaultListHead().Count(1).NewClass("CListGraphDraw").Append(graphForm);

    CGraphListObj list;
    ASSERT_EQ(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { list.Serialize(ar); }), 0u);
    ASSERT_EQ(list.GetRowCount(), 1);
    CListGraphDraw* row = list.GetRow(0);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->m_dataMode, CKivGraphDraw::kDataRecorded);
    EXPECT_EQ(row->m_autoScroll, 0);
    EXPECT_EQ(row->m_autoScrollWidth, 10.0);
    EXPECT_EQ(row->Record().m_xLabelWidth, 7);

    // Stored again it gains the section, with the measured-data defaults.
    CKivGraphDraw plain;
    LikeATimeRow(plain);
    const Bytes again = DefaultListHead().Count(1).NewClass("CListGraphDraw").Text("<LISTGRAPHEX>")
                            .Append(kivtest::StoreBody(plain));
    EXPECT_EQ(kivtest::Hex(again), kivtest::Hex(kivtest::StoreBody(list)));
}

TEST_F(ListGraphArchive, RowSectionCarriesTheAutoScrollSection)
{
    CGraphListObj list;
    list.AppendRow(list.CreateRow());
    list.GetRow(0)->m_autoScroll = 1;
    list.GetRow(0)->m_autoScrollWidth = 2.5;
    const Bytes bytes = kivtest::StoreBody(list);
    const Bytes tail = ByteBuilder().I32(0).U8(1).U8(1).U8(1).Text("<AUTOSCROLLL>").I32(1).F64(2.5);
    ASSERT_GT(bytes.size(), tail.size());
    EXPECT_EQ(kivtest::Hex(tail), kivtest::Hex(Bytes(bytes.end() - static_cast<long>(tail.size()), bytes.end())));

    CGraphListObj back;
    kivtest::LoadBody(back, bytes);
    EXPECT_EQ(back.GetRow(0)->m_autoScrollWidth, 2.5);
    EXPECT_EQ(kivtest::Hex(bytes), kivtest::Hex(kivtest::StoreBody(back)));
}

TEST_F(ListGraphArchive, SeriesOfTimeRowsKeepTheirDrawType)
{
    CGraphTimeListObj list;
    list.AppendRow(list.CreateRow());
    list.AppendRow(list.CreateRow());
    auto* time = new CTimeDataTank;
    time->SetInterval(0.1);
    time->SetDataCount(20);
    auto* y = new CFltDataTank;
    for (int i = 0; i < 20; ++i)
        y->SetValue(i, i * 0.5);
    for (int r = 0; r < 2; ++r) {
        CGraphParamArray* series = list.GetRow(r)->AddSeries(true);
        ASSERT_TRUE(series->HasDrawType());
        tSeriesStyle style = series->GetStyle();
        style.drawType = static_cast<int16_t>(r);
        series->SetStyle(style);
        series->SetDrawType(style.drawType);
        series->AppendItem(0, 0, time);
        series->AppendItem(0, 1, y);
    }
    ReleaseTank(time);
    ReleaseTank(y);
    const Bytes bytes = kivtest::StoreBody(list);

    CGraphTimeListObj back;
    kivtest::LoadBody(back, bytes);
    ASSERT_EQ(back.GetRowCount(), 2);
    EXPECT_EQ(back.GetRow(1)->GetSeries(0)->GetStyle().drawType, 1);
    CDataTankObject* shared = back.GetRow(0)->GetSeries(0)->GetItemTank(0);
    EXPECT_EQ(back.GetRow(1)->GetSeries(0)->GetItemTank(0), shared) << "one tank for both rows";
    EXPECT_EQ(shared->GetRefCount(), 2) << "one reference per row that shows it";
    EXPECT_EQ(kivtest::Hex(bytes), kivtest::Hex(kivtest::StoreBody(back)));
}

} // namespace
