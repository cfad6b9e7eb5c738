// The CAN graph list: one strip per signal (the second tank of each pair of
// the CAN list) over the signal's time stamps, and a cursor table of value,
// time and position at both ends of the selected range.

#include "canvoicegps/views/data/CanGpsGraphRows.h"
#include "canvoicegps/views/data/CanGraphListView.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/ListGraphDraw.h"
#include "common/calc/GpsCanTankLists.h"
#include "common/tank/DblDataTank.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "tests/canvoicegps/views/data/CanGpsGraphFixture.h"

#include <string>

namespace {

using cangpstest::CanGpsDocFixture;

class CanGraphList : public CanGpsDocFixture {
protected:
    // Pairs of time stamps (0, 0.1, 0.35, 0.4) and values.
    void AddTanks(int count)
    {
        const double times[] = {0.0, 0.1, 0.35, 0.4};
        for (int t = 0; t < count; ++t) {
            auto* tank = new CDblDataTank;
            tank->SetName(fw::CString("S" + std::to_string(t)));
            for (int i = 0; i < 4; ++i)
                tank->SetValue(i, t % 2 == 0 ? times[i] : 10.0 * t + i);
            doc->GetBoxArray().GetCanTanks().AddTank(tank, false);
        }
    }
    void Open()
    {
        view.Create(nullptr, doc.get());
        view.OnInitialUpdate();
    }
    void TearDown() override { doc->RemoveView(&view); }
    std::string Cursors(int row)
    {
        fw::CString text;
        view.GetSheetText(text, 2, row, 1);
        return text.str();
    }

    CCanGraphListView view;
};

TEST_F(CanGraphList, OneRowPerSignalShowingTheSecondTankOfEachPair)
{
    struct Case {
        const char* name;
        int tanks;
        int rows;
    };
    for (const Case& c : {Case{"six tanks", 6, 3}, Case{"an odd last tank has no row", 7, 3}}) {
        doc = std::make_unique<CKivDataDoc>();
        ASSERT_TRUE(doc->CreateNewContents());
        AddTanks(c.tanks);
        CCanGraphListView fresh;
        fresh.Create(nullptr, doc.get());
        fresh.OnInitialUpdate();
        CCanGraphTimeListObj* graph = CanGraphOf(*doc);
        ASSERT_NE(graph, nullptr) << c.name;
        ASSERT_EQ(graph->GetRowCount(), c.rows) << c.name;
        CDataTankList& tanks = doc->GetBoxArray().GetCanTanks();
        for (int r = 0; r < c.rows; ++r) {
            CGraphParamArray* series = graph->GetRow(r)->GetSeries(0);
            ASSERT_NE(series, nullptr) << c.name;
            EXPECT_EQ(series->GetItemTank(0), tanks.GetObjectAt(2 * r)) << c.name << " row " << r;
            EXPECT_EQ(series->GetItemTank(1), tanks.GetObjectAt(2 * r + 1)) << c.name << " row " << r;
            EXPECT_EQ(fresh.GetColumnTank(r), tanks.GetObjectAt(2 * r + 1)) << c.name;
        }
        EXPECT_EQ(fresh.GetColumnTank(c.rows), nullptr) << c.name;
        EXPECT_EQ(fresh.GetViewStyle()->m_sheet.m_nRows, c.rows) << c.name;
        EXPECT_FALSE(SyncCanGraphRows(*doc)) << c.name << ": rows that plot their tanks stay";
        doc->RemoveView(&fresh);
    }
}

TEST_F(CanGraphList, CursorTableShowsValueTimeAndPositionAtBothEnds)
{
    AddTanks(4);
    Open();
    EXPECT_EQ(Cursors(0), "\tカーソル1\tカーソル2\n 値\t\t\n 時間\t\t\n 位置\t\t") << "no range: titles only";

    CCanGraphTimeListObj* graph = CanGraphOf(*doc);
    graph->SetSelection(1, 2);
    fw::CString v1, v2;
    view.GetColumnTank(1)->GetValueText(1, v1, true);
    view.GetColumnTank(1)->GetValueText(2, v2, true);
    EXPECT_EQ(Cursors(1), "\tカーソル1\tカーソル2\n 値\t" + v1.str() + "\t" + v2.str() + "\n 時間\t0.1\t0.35\n 位置\t2\t3");
}

TEST_F(CanGraphList, CommandsTheCanListCannotServeAreDisabled)
{
    AddTanks(2);
    Open();
    for (unsigned id : {CKivDataGraphView::kIdCursorInfo, CKivDataListViewBase::kIdSetSelect,
                        CKivDataListViewBase::kIdThinning, CCanGraphListView::kIdPeakSearch,
                        CCanGraphListView::kIdPeakClear})
        EXPECT_FALSE(IsEnabled(view, id)) << id;
}

} // namespace

namespace {

// A lone CAN tank makes no signal: the list keeps one empty row, on which
// the mouse and the cursor keys find no graph and change nothing.
TEST_F(CanGraphList, TheEmptyRowOfAListWithoutSignalsIgnoresClicksAndKeys)
{
    AddTanks(1);
    Open();
    ASSERT_EQ(CanGraphOf(*doc)->GetRowCount(), 0);
    ASSERT_EQ(view.GetViewStyle()->m_sheet.m_nRows, 1);
    CZELGridPane* pane = view.GetGrid()->GetSheetPane();
    view.Widget()->resize(600, 300);
    view.OnSize(0, 600, 300);
    const fw::CPoint graph = pane->GetCellRect(CCellRange::Cell({0, 0})).CenterPoint();
    EXPECT_NO_THROW(pane->OnLButtonDown(0, graph));
    EXPECT_NO_THROW(pane->OnMouseMove(fw::MK_LBUTTON, fw::CPoint(graph.x + 5, graph.y)));
    EXPECT_NO_THROW(pane->OnLButtonUp(0, graph));
    for (unsigned key : {0x25u, 0x26u, 0x27u, 0x28u})
        EXPECT_NO_THROW(pane->OnKeyDown(key, 1, 0)) << key;
    int32_t first = 0, last = 0;
    CanGraphOf(*doc)->GetSelection(first, last);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(last, -1);
}

} // namespace
