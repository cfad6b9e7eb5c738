#include "chart/model/GraphClasses.h"
#include "chart/model/GraphListObj.h"
#include "chart/model/ListGraphClasses.h"
#include "chart/model/PlotText.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/core/RecordingSink.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

void AddLine(CListGraphDraw& row, const char* name)
{
    CGraphParamArray* series = row.AddSeries(true);
    auto* x = new CFltDataTank;
    auto* y = new CFltDataTank;
    x->SetName("time");
    y->SetName(name);
    y->SetUnit("V");
    for (int i = 0; i < 5; ++i) {
        x->SetValue(i, i);
        y->SetValue(i, i * i);
    }
    series->AppendItem(0, 0, x);
    series->AppendItem(0, 1, y);
    ReleaseTank(x);
    ReleaseTank(y);
    series->SetDrawRange(0, 4);
}

// Three rows, the middle one empty.
class ListGraphRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
        list.ShapeRows({true, false, true});
        AddLine(*list.GetRow(0), "CH1");
        AddLine(*list.GetRow(2), "CH3");
    }
    CGraphListObj list;
};

TEST_F(ListGraphRows, NewRowsTakeTheListsFrameAndRowDefaults)
{
    list.m_frame.m_frameWidth = 3;
    std::unique_ptr<CListGraphDraw> row(list.CreateRow());
    EXPECT_EQ(row->Frame().m_frameWidth, 3);
    EXPECT_EQ(row->Frame().m_xTickSide, GrFrameRec::kSideNone);
    EXPECT_TRUE(row->TestOption(0));
    EXPECT_EQ(row->Scale().m_x.subdivisions, 1);
    EXPECT_EQ(row->Scale().m_y.subdivisions, 1);
    EXPECT_EQ(row->Record().m_xLabelWidth, 7);
    EXPECT_EQ(row->Record().m_yLabelWidth, 7);
}

TEST_F(ListGraphRows, ShapingKeepsDrawersOfRowsThatStillHaveChannels)
{
    CListGraphDraw* first = list.GetRow(0);
    list.ShapeRows({true, true});
    ASSERT_EQ(list.GetRowCount(), 2);
    EXPECT_EQ(list.GetRow(0), first);
    EXPECT_NE(list.GetRow(1), nullptr);
    list.ShapeRows({false});
    ASSERT_EQ(list.GetRowCount(), 1);
    EXPECT_EQ(list.GetRow(0), nullptr);
    EXPECT_THROW(list.GetRow(1), fw::CInvalidArgException);
    EXPECT_THROW(list.GetRow(-1), fw::CInvalidArgException);
}

TEST_F(ListGraphRows, FontsReachEveryRowPastAnEmptyOne)
{
    list.m_xTitleFont.lfHeight = 111;
    list.m_yTitleFont.lfHeight = 122;
    list.m_yTickFont.lfHeight = 133;
    list.Recalculate(true);
    for (int r : {0, 2}) {
        CListGraphDraw* row = list.GetRow(r);
        tTextAttributes text;
        row->GetAxisTitle('X')->GetTextAttributes(text);
        EXPECT_EQ(text.font.lfHeight, 111) << r;
        EXPECT_EQ(text.align, 14) << r;
        row->GetAxisTitle('Y')->GetTextAttributes(text);
        EXPECT_EQ(text.font.lfHeight, 122) << r;
        row->GetTickLabels('Y')->GetTextAttributes(text);
        EXPECT_EQ(text.font.lfHeight, 133) << r;
    }
    fw::CString title, unit;
    tTextAttributes text;
    int16_t side = 0;
    int colour = 0;
    list.GetRow(2)->GetAxisTitle('Y')->GetLabel(title, unit, text, side, colour);
    EXPECT_EQ(title, "CH3") << "the title follows the row's channel";
}

TEST_F(ListGraphRows, RowsDrawByMode)
{
    list.Recalculate(true);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    const fw::CRect cell(300, 80, 0, 0);  // given the wrong way round

    list.DrawRowPart(dc, cell, 1, CGraphListObj::kFitAndDraw);
    EXPECT_TRUE(sink.Log().empty()) << "an empty row draws nothing";

    list.DrawRowPart(dc, cell, 0, CGraphListObj::kFitOnly);
    EXPECT_TRUE(sink.Log().empty()) << "fitting draws nothing";
    fw::CRect graphRect;
    list.GetRow(0)->GetGraphRect(graphRect);
    EXPECT_EQ(graphRect, fw::CRect(1, 1, 299, 79)) << "one unit inside the cell, normalised";

    list.DrawRowPart(dc, cell, 0, CGraphListObj::kFitAndDraw);
    const size_t whole = sink.Log().size();
    EXPECT_GT(whole, 10u);

    sink.Clear();
    list.DrawRowPart(dc, cell, 0, 3);
    EXPECT_TRUE(sink.Log().empty()) << "an unknown mode draws nothing";
    EXPECT_THROW(list.DrawRowPart(dc, cell, 5, CGraphListObj::kFitAndDraw), fw::CInvalidArgException);

    CGraphListObj empty;
    empty.DrawRowPart(dc, cell, 5, CGraphListObj::kFitAndDraw);
    EXPECT_TRUE(sink.Log().empty()) << "a list without rows draws nothing";
}

TEST_F(ListGraphRows, DataHintsRescaleTheRows)
{
    list.GetRow(0)->Scale().m_y.maximum = 1000;
    list.OnUpdate(0, nullptr);
    EXPECT_EQ(list.GetRow(0)->Scale().m_y.maximum, 1000);
    list.OnUpdate(12, nullptr);
    EXPECT_LT(list.GetRow(0)->Scale().m_y.maximum, 1000);
}

} // namespace
