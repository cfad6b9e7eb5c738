#include "chart/model/GraphClasses.h"
#include "chart/model/KivGraphDraw.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using kivtest::ByteBuilder;
using kivtest::Bytes;

CGraphParamArray* AddLine(CGraphSetting& graph, const std::vector<double>& x, const std::vector<double>& y)
{
    CGraphParamArray* series = graph.AddSeries(true);
    auto* tx = new CFltDataTank;
    auto* ty = new CFltDataTank;
    tx->SetName("time");
    tx->SetUnit("s");
    ty->SetName("CH1");
    for (size_t i = 0; i < x.size(); ++i)
        tx->SetValue(static_cast<int>(i), x[i]);
    for (size_t i = 0; i < y.size(); ++i)
        ty->SetValue(static_cast<int>(i), y[i]);
    series->AppendItem(0, 0, tx);
    series->AppendItem(0, 1, ty);
    ReleaseTank(tx);
    ReleaseTank(ty);
    series->SetDrawRange(0, static_cast<int>(x.size()) - 1);
    return series;
}

class KivGraphDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
    }
    CKivGraphDraw draw;
};

TEST_F(KivGraphDraw, AutoScrollMovesTheWindowToTheNewestData)
{
    draw.Scale().m_x = GrScaleRec::Axis{1, 0, 20, 2, 5};
    AddLine(draw, {0, 10, 23.5}, {1, 2, 3});
    EXPECT_TRUE(draw.AutoScroll('X', 10, false));
    EXPECT_DOUBLE_EQ(draw.Scale().m_x.minimum, 14);
    EXPECT_DOUBLE_EQ(draw.Scale().m_x.maximum, 24);

    EXPECT_FALSE(draw.AutoScroll('X', 0, false)) << "width 0";
    EXPECT_DOUBLE_EQ(draw.Scale().m_x.minimum, 14);

    draw.Scale().m_x.step = 0;
    draw.GetSeries(0)->GetItemTank(0)->SetValue(2, 40);
    EXPECT_FALSE(draw.AutoScroll('X', 10, false)) << "a step of 0 cannot place the window";
    EXPECT_DOUBLE_EQ(draw.Scale().m_x.maximum, 24);
}

TEST_F(KivGraphDraw, AutoScrollAlignsTheSeriesStartWithTheWindow)
{
    draw.Scale().m_x = GrScaleRec::Axis{1, 0, 20, 2, 5};
    draw.m_autoScroll = 1;
    draw.SetOption(0, true);
    AddLine(draw, {0, 5, 10, 15, 20, 23.5}, {1, 2, 3, 4, 5, 6});
    EXPECT_TRUE(draw.AutoScaleExpand());
    EXPECT_DOUBLE_EQ(draw.Scale().m_x.minimum, 14);
    EXPECT_EQ(draw.GetSeries(0)->GetSampleIndex(0), 2) << "the last X not above 14 is 10, at index 2";
}

TEST_F(KivGraphDraw, ArchiveWithAndWithoutTheAutoScrollSection)
{
    draw.m_autoScroll = 1;
    draw.m_autoScrollWidth = 2.5;
    draw.m_dataMode = 2;
    draw.m_autoNames = 0;
    const Bytes bytes = kivtest::StoreBody(draw);
    CGraphSetting base;
    const Bytes baseBytes = kivtest::StoreBody(base);
    const Bytes tail = ByteBuilder().I32(2).U8(1).U8(1).U8(0).Text("<AUTOSCROLLL>").I32(1).F64(2.5);
    ASSERT_EQ(bytes.size(), baseBytes.size() + tail.size());
    EXPECT_EQ(kivtest::Hex(tail), kivtest::Hex(Bytes(bytes.begin() + baseBytes.size(), bytes.end())));

    // Written before the section existed, with a flag byte of 5.
    Bytes old(bytes.begin(), bytes.begin() + baseBytes.size());
    const Bytes oldTail = ByteBuilder().I32(0).U8(5).U8(0).U8(1);
    old.insert(old.end(), oldTail.begin(), oldTail.end());
    CKivGraphDraw back;
    kivtest::LoadBody(back, old);
    EXPECT_EQ(back.m_autoScroll, 0);
    EXPECT_EQ(back.m_autoScrollWidth, 10.0);
    EXPECT_EQ(back.m_xTitleFromSeries, 1);
    EXPECT_EQ(back.m_yTitleFromSeries, 0);

    CKivGraphDraw again;
    kivtest::LoadBody(again, bytes);
    EXPECT_EQ(again.m_autoScroll, 1);
    EXPECT_EQ(again.m_autoScrollWidth, 2.5);
    EXPECT_EQ(again.m_dataMode, 2);
}

TEST_F(KivGraphDraw, LiveGraphLoadsEmpty)
{
    draw.m_dataMode = CKivGraphDraw::kDataLive;
    AddLine(draw, {0, 1, 2}, {3, 4, 5});
    const Bytes bytes = kivtest::StoreBody(draw);
    CKivGraphDraw back;
    kivtest::LoadBody(back, bytes);
    ASSERT_EQ(back.GetSeriesCount(), 1);
    EXPECT_EQ(back.GetSeries(0)->GetSampleIndex(0), 0);
    EXPECT_EQ(back.GetSeries(0)->GetSampleIndex(1), 0);
}

TEST_F(KivGraphDraw, AxisTitlesComeFromTheFirstSeriesTanks)
{
    AddLine(draw, {0}, {1});
    fw::CString text, unit;
    ASSERT_TRUE(draw.GetSeriesAxisTitle('X', text, unit));
    EXPECT_EQ(text, "time");
    EXPECT_EQ(unit, " (s)");
    ASSERT_TRUE(draw.GetSeriesAxisTitle('Y', text, unit));
    EXPECT_EQ(text, "CH1");
    EXPECT_EQ(unit, "");
    draw.SetGraphType(32);
    ASSERT_TRUE(draw.GetSeriesAxisTitle('X', text, unit));
    EXPECT_EQ(text, "CH1") << "type 32 takes X from tank 1";
}

TEST_F(KivGraphDraw, CurrentValuesScaleLiveGraphs)
{
    draw.m_dataMode = CKivGraphDraw::kDataLiveCurrent;
    draw.Scale().m_y = GrScaleRec::Axis{1, 0, 10, 2, 5};
    AddLine(draw, {0, 1, 2}, {1, 50, 4});
    EXPECT_FALSE(draw.AutoScaleLive()) << "option bit 0 is off";
    draw.SetOption(0, true);
    EXPECT_FALSE(draw.AutoScaleLive()) << "the current value 4 lies inside";
    draw.GetSeries(0)->GetItemTank(1)->SetValue(3, 33);
    draw.GetSeries(0)->GetItemTank(0)->SetValue(3, 3);
    EXPECT_TRUE(draw.AutoScaleLive());
    EXPECT_GE(draw.Scale().m_y.maximum, 33);

    draw.m_autoScroll = 0;
    draw.GetSeries(0)->SetSelectFlag(false);
    draw.UpdateAutoScaleModes();
    EXPECT_EQ(draw.Scale().m_y.autoMode, 1);
}

TEST_F(KivGraphDraw, TitlesFollowTheSeriesWhenAsked)
{
    AddLine(draw, {0}, {1});
    draw.SetGraphType(32);
    EXPECT_TRUE(draw.SetAxisTitle('X', "ignored", ""));
    fw::CString title, unit;
    tTextAttributes attributes;
    int16_t side = 0;
    int colour = 0;
    draw.GetAxisTitle('X')->GetLabel(title, unit, attributes, side, colour);
    EXPECT_EQ(title, "CH1");
    draw.m_yTitleFromSeries = 0;
    draw.SetAxisTitle('Y', "Force", " (N)");
    draw.GetAxisTitle('Y')->GetLabel(title, unit, attributes, side, colour);
    EXPECT_EQ(title, "Force");
    EXPECT_EQ(unit, " (N)");
}

TEST_F(KivGraphDraw, CursorPointsStopAtEachSeriesEnd)
{
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    draw.SetAxisRange('X', 0, 10, 2, 5);
    draw.SetAxisRange('Y', 0, 10, 2, 5);
    draw.CreatePlot();
    draw.FitPlotRect(dc, fw::CRect(0, 0, 1000, 800));
    draw.Record().m_clipRect = fw::CRect(0, 0, 1000, 800);
    AddLine(draw, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5});
    AddLine(draw, {1, 2}, {6, 7});
    AddLine(draw, {1, 2, 3, 4, 5}, {8, 8.5, 9, 9.5, NAN});
    sink.Clear();
    draw.DrawCursorPoints(dc, 4);
    // The second series lowers the index to 1 for the third: its value 8.5
    // is finite, so three marks; at index 4 the third would be NaN.
    const auto& log = sink.Log();
    EXPECT_FALSE(log.empty());
    const size_t three = log.size();
    CKivGraphDraw lone;
    lone.SetAxisRange('X', 0, 10, 2, 5);
    lone.SetAxisRange('Y', 0, 10, 2, 5);
    lone.CreatePlot();
    lone.FitPlotRect(dc, fw::CRect(0, 0, 1000, 800));
    lone.Record().m_clipRect = fw::CRect(0, 0, 1000, 800);
    AddLine(lone, {1, 2, 3, 4, 5}, {8, 8.5, 9, 9.5, NAN});
    sink.Clear();
    lone.DrawCursorPoints(dc, 4);
    EXPECT_TRUE(sink.Log().empty()) << "a value that is not finite is not marked";
    sink.Clear();
    lone.DrawCursorPoints(dc, 1);
    EXPECT_EQ(sink.Log().size() * 3, three);
}

} // namespace
