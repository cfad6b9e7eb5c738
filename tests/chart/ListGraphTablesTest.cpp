// The tables behind the list-graph dialogs, and a list taking another
// list's layout by channel.

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphListObj.h"
#include "chart/model/ListGraphClasses.h"
#include "chart/model/ListGraphDialogs.h"
#include "chart/model/ListGraphTables.h"
#include "chart/model/PlotText.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/Exceptions.h"
#include "framework/core/ServiceSlot.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A series of time against channel tank `channel`.
void AddSeries(CListGraphDraw& row, int channel)
{
    CGraphParamArray* series = row.AddSeries(true);
    auto* x = new CFltDataTank;
    auto* y = new CFltDataTank;
    y->SetName(fw::Format("ch%d", channel));
    for (int i = 0; i < 3; ++i) {
        x->SetValue(i, i);
        y->SetValue(i, i);
    }
    series->AppendItem(0, 0, x);
    series->AppendItem(0, channel, y);
    ReleaseTank(x);
    ReleaseTank(y);
}

// Rows of the given Y channels; -1 an empty row.
void Shape(CGraphListObj& list, const std::vector<int>& channels)
{
    std::vector<bool> with;
    for (int c : channels)
        with.push_back(c >= 0);
    list.ShapeRows(with);
    for (size_t r = 0; r < channels.size(); ++r)
        if (channels[r] >= 0) {
            AddSeries(*list.GetRow(int(r)), channels[r]);
            list.GetRow(int(r))->SetDefaultAxisTitles();
        }
    // The rows' titles and tick labels exist once their axes are built.
    list.RebuildAxes();
}

class ListGraphTables : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
        Shape(list, {0, -1, 500});
    }
    CGraphListObj list;
};

TEST_F(ListGraphTables, ChoiceTanksTakeOnlyTheirTexts)
{
    CMemoriScaleTank format;
    format.SetSize(1, true);
    EXPECT_TRUE(format.SetValueText(0, "FIX"));
    EXPECT_EQ(format.GetValue(0), 1);
    EXPECT_FALSE(format.SetValueText(0, "fix"));
    EXPECT_EQ(format.GetValue(0), 1);
    CAutoScaleTank autoScale;
    autoScale.SetSize(3, true);
    fw::CString text;
    autoScale.GetValueText(2, text, false);
    EXPECT_EQ(text, "ON") << "new rows are ON";
    autoScale.SetValue(1, 7);
    EXPECT_THROW(autoScale.GetValueText(1, text, false), fw::CInvalidArgException);
    // The empty value reads as an empty text; clearing a cell empties it.
    format.SetSize(3, true);
    format.GetValueText(2, text, false);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(format.SetValueText(0, ""));
    format.GetValueText(0, text, false);
    EXPECT_EQ(text, "");
}

TEST_F(ListGraphTables, LabelsMapTheNonEmptyRowsAndNameThemByChannel)
{
    CGraphListLabelTable labels;
    labels.LoadLabels(list);
    ASSERT_EQ(labels.GetRowCount(), 2);
    EXPECT_EQ(labels.GetListRow(1), 2);
    EXPECT_EQ(labels.RowHeaderText(0), "CH1");
    EXPECT_EQ(labels.RowHeaderText(1), "NO1");
    // A typed Y title with its automatic title off reaches list row 2 only.
    labels.Column(3)->SetValue(1, 0);
    labels.Column(4)->SetValueText(1, "Pressure");
    labels.StoreLabels(list);
    EXPECT_EQ(list.GetRow(2)->m_yTitleFromSeries, 0);
    EXPECT_EQ(list.GetRow(0)->m_yTitleFromSeries, 1);
    EXPECT_EQ(list.GetRow(2)->GetAxisTitle('Y')->Text(), "Pressure");

    CGraphListObj empty;
    empty.ShapeRows({true});
    empty.GetRow(0)->AddSeries(true);
    EXPECT_THROW(labels.LoadLabels(empty), fw::CInvalidArgException) << "a series of fewer than two items";
}

TEST_F(ListGraphTables, ScalesStoreTheirOnValueAndShowOneAxis)
{
    CGraphListScaleTable scales;
    scales.LoadScales(list);
    scales.ShowAxis('Y');
    EXPECT_EQ(scales.ShownColumn(1), scales.Column(7));
    scales.Column(0)->SetValue(0, 0);   // X auto-scale OFF
    scales.Column(1)->SetValue(0, 5);   // X minimum
    scales.Column(6)->SetValue(1, 1);   // Y auto-scale ON
    scales.Column(11)->SetValue(1, 2);  // Y labels in exponent form
    scales.SetAutoOnValue(2);
    scales.StoreScales(list);
    EXPECT_EQ(list.GetRow(0)->Scale().m_x.autoMode, 0);
    EXPECT_EQ(list.GetRow(0)->Scale().m_x.minimum, 5.0);
    EXPECT_EQ(list.GetRow(2)->Scale().m_y.autoMode, 2);
    tLabelFormat format;
    list.GetRow(2)->GetTickLabels('Y')->GetLabelFormat(format);
    EXPECT_EQ(format.kind, 2);
}

TEST_F(ListGraphTables, DrawTypesFollowTheRowMap)
{
    CDrawTypeTable types;
    types.LoadDrawTypes(list);
    ASSERT_EQ(types.GetRowCount(), 2);
    EXPECT_EQ(types.GetRowName(1), "ch500");
    EXPECT_EQ(CDrawTypeTable::DrawTypeText(2), "水平線垂直線で結ぶ");
    types.SetDrawType(1, 1);
    types.StoreDrawTypes(list);
    EXPECT_EQ(list.GetRow(2)->GetSeries(0)->GetStyle().drawType, 1);
    EXPECT_EQ(list.GetRow(0)->GetSeries(0)->GetStyle().drawType, 0);
    EXPECT_THROW(types.SetDrawType(2, 1), fw::CInvalidArgException);
}

TEST_F(ListGraphTables, AnotherListsLayoutGoesByChannel)
{
    CGraphListObj other;
    Shape(other, {500, 0});
    other.GetRow(0)->Scale().m_y.maximum = 42;
    other.GetRow(0)->Scale().m_y.autoMode = 0;
    other.GetRow(1)->m_xTitleFromSeries = 0;
    other.GetRow(1)->GetAxisTitle('X')->SetTitle("Time");
    other.GetRow(0)->GetSeries(0)->SetDrawType(1);
    other.m_legendFont.lfHeight = 77;

    list.CopyLayoutFrom(other);
    EXPECT_EQ(list.GetRow(2)->Scale().m_y.maximum, 42.0) << "NO1 comes from the other's first row";
    EXPECT_EQ(list.GetRow(2)->Scale().m_y.autoMode, 0);
    EXPECT_EQ(list.GetRow(0)->m_xTitleFromSeries, 0);
    EXPECT_EQ(list.GetRow(0)->GetAxisTitle('X')->Text(), "Time");
    EXPECT_EQ(list.GetRow(0)->GetSeries(0)->GetStyle().drawType, 1) << "draw types go by position";
    EXPECT_EQ(list.m_legendFont.lfHeight, 77);
}

class FakeDialogs : public IListGraphDialogs {
public:
    bool EditLabels(CGraphListObj&) override { return answer; }
    bool EditScales(CGraphListObj&) override { return answer; }
    bool EditDrawTypes(CGraphListObj&) override { return answer; }
    bool EditGridLines(GrFrameRec&) override { return answer; }
    bool EditPlotLines(tSeriesStyle&) override { return answer; }
    bool answer = false;
};

TEST_F(ListGraphTables, EditingTellsWhetherTheUserConfirmed)
{
    EXPECT_FALSE(list.EditScales()) << "no dialogs installed";
    FakeDialogs dialogs;
    fw::ScopedInstall<IListGraphDialogs> installed(dialogs);
    EXPECT_FALSE(list.EditLabels());
    dialogs.answer = true;
    EXPECT_TRUE(list.EditDrawTypes());
}

} // namespace
