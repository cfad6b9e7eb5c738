// The GPS page's three views keep one selected sample range: rows chosen
// in the value list become the graph list's cursors and the track's
// highlight (the track's picture is not drawn again), a range set on the
// graph list selects the rows of the value list, and the value list ignores
// what it sent itself.

#include "canvoicegps/model/UpdateSelArea.h"
#include "canvoicegps/views/data/CanGpsGraphRows.h"
#include "canvoicegps/views/data/GpsGraphView.h"
#include "canvoicegps/views/data/GpsListViews.h"
#include "common/tank/DblDataTank.h"
#include "docview/graphpage/QtBitmap.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "tests/canvoicegps/views/data/CanGpsGraphFixture.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cmath>
#include <vector>

namespace {

using cangpstest::CanGpsDocFixture;

constexpr int kSamples = 100;

// Records the selection hints the document sends.
class SpyView : public fw::CView {
public:
    void OnDraw(fw::CDC*) override {}
    void OnUpdate(fw::CView*, intptr_t hint, fw::CObject* object) override
    {
        if (auto* area = dynamic_cast<CUpdateSelArea*>(object); area && hint == kHintSelArea)
            areas.push_back(*area);
    }
    std::vector<CUpdateSelArea> areas;
};

class GpsSelection : public CanGpsDocFixture {
protected:
    void SetUp() override
    {
        for (int c = 0; c < 2; ++c) {
            auto* tank = new CDblDataTank;
            tank->SetName(c == 0 ? "経度" : "緯度");
            for (int i = 0; i < kSamples; ++i)
                tank->SetValue(i, c == 0 ? 135.5 + 0.01 * std::cos(i / 16.0) : 34.7 + 0.01 * std::sin(i / 16.0));
            doc->GetGpsChannels().AddTank(tank, false);
        }
        for (fw::CView* view : std::initializer_list<fw::CView*>{&list, &graphs, &track, &spy})
            view->Create(nullptr, doc.get());
        for (fw::CView* view : std::initializer_list<fw::CView*>{&list, &graphs, &track})
            view->OnInitialUpdate();
        track.SetListView(&list);
        // The lists show the channels' samples.
        list.GetViewStyle()->SetRowCount(kSamples);
        list.GetViewStyle()->SetColumnCount(2);
        list.GetGrid()->ApplyStyle(false);
        list.Widget()->resize(400, 300);
        list.OnSize(0, 400, 300);
        auto* x = doc->GetGpsChannels().GetObjectAt(0);
        auto* y = doc->GetGpsChannels().GetObjectAt(1);
        track.Picture().SetTrack(x, y);
        track.OnSize(0, 300, 200);
    }
    void TearDown() override
    {
        for (fw::CView* view : std::initializer_list<fw::CView*>{&list, &graphs, &track, &spy})
            doc->RemoveView(view);
    }
    void PaintTrack()
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        CPainterDC dc(&painter);
        track.OnDraw(&dc);
    }
    CZELGridPane* Sheet() { return list.GetGrid()->GetSheetPane(); }
    fw::CPoint CellPoint(int32_t row, int32_t col)
    {
        return Sheet()->GetCellRect(CCellRange::Cell({row, col})).CenterPoint();
    }
    std::pair<int32_t, int32_t> GraphSelection()
    {
        int32_t first = -1, last = -1;
        GpsGraphOf(*doc)->GetSelection(first, last);
        return {first, last};
    }
    std::pair<int, int> Highlight()
    {
        int first = -1, last = -1;
        track.Picture().GetHighlight(first, last);
        return {first, last};
    }

    CQtBitmapMaker maker;
    fw::ScopedInstall<IBitmapMaker> installMaker{maker};
    QImage image{300, 200, QImage::Format_RGB32};
    CGpsDataListView list;
    CGpsGraphListView graphs;
    CGpsGraphView track;
    SpyView spy;
};

TEST_F(GpsSelection, TheGraphListHasARowPerGpsChannel)
{
    CGpsGraphTimeListObj* graph = GpsGraphOf(*doc);
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->GetRowCount(), 2);
    EXPECT_EQ(graph->GetDocument(), doc.get());
    EXPECT_EQ(graphs.GetGraphList(), graph);
    EXPECT_EQ(graphs.GetColumnTank(1), doc->GetGpsChannels().GetObjectAt(1));
}

TEST_F(GpsSelection, RowsSelectedInTheListBecomeCursorsAndHighlightWithoutRedrawingTheTrack)
{
    PaintTrack();
    const int draws = track.Picture().GetTrackDrawCount();
    ASSERT_EQ(draws, 1);

    Sheet()->OnLButtonDown(0, CellPoint(3, 0));
    Sheet()->OnLButtonUp(0, CellPoint(3, 0));
    Sheet()->OnLButtonDown(fw::MK_SHIFT, CellPoint(7, 1));
    Sheet()->OnLButtonUp(fw::MK_SHIFT, CellPoint(7, 1));
    ASSERT_EQ(Sheet()->GetSelection().top, 3);
    ASSERT_EQ(Sheet()->GetSelection().bottom, 7);

    EXPECT_EQ(GraphSelection(), std::make_pair(3, 7)) << "the graph list's cursors";
    EXPECT_EQ(Highlight(), std::make_pair(3, 7)) << "the track's highlight";
    PaintTrack();
    EXPECT_EQ(track.Picture().GetTrackDrawCount(), draws) << "the track came from its picture";
    ASSERT_FALSE(spy.areas.empty());
    EXPECT_EQ(spy.areas.back().m_source, CUpdateSelArea::kFromList);
    EXPECT_EQ(spy.areas.back().m_first, 3);
    EXPECT_EQ(spy.areas.back().m_last, 7);
    // The list's own hint changed nothing of its selection.
    EXPECT_EQ(Sheet()->GetSelection().top, 3);
}

TEST_F(GpsSelection, AColumnChangeOnlySendsNothing)
{
    Sheet()->OnLButtonDown(0, CellPoint(4, 0));
    Sheet()->OnLButtonUp(0, CellPoint(4, 0));
    const size_t sent = spy.areas.size();
    Sheet()->OnLButtonDown(0, CellPoint(4, 1));
    Sheet()->OnLButtonUp(0, CellPoint(4, 1));
    EXPECT_EQ(spy.areas.size(), sent);
}

TEST_F(GpsSelection, ARangeSetOnTheGraphSelectsTheListRows)
{
    CGpsGraphTimeListObj* graph = GpsGraphOf(*doc);
    graph->ClearSelection();
    spy.areas.clear();
    graph->SetSelection(50, 20);
    ASSERT_EQ(spy.areas.size(), 1u);
    EXPECT_EQ(spy.areas[0].m_source, CUpdateSelArea::kFromGraph);
    EXPECT_EQ(spy.areas[0].m_mask, 3);
    const CCellRange sel = Sheet()->GetSelection();
    EXPECT_EQ(sel.top, 20);
    EXPECT_EQ(sel.bottom, 50);
    EXPECT_EQ(Highlight(), std::make_pair(20, 50));
    graph->SetSelection(20, 50);
    EXPECT_EQ(spy.areas.size(), 1u) << "the same range announces nothing";
}

TEST_F(GpsSelection, ASelectionWithoutALastRowCollapsesTheListToItsCurrentRow)
{
    Sheet()->OnLButtonDown(0, CellPoint(10, 0));
    Sheet()->OnLButtonUp(0, CellPoint(10, 0));
    Sheet()->OnLButtonDown(fw::MK_SHIFT, CellPoint(12, 0));
    Sheet()->OnLButtonUp(fw::MK_SHIFT, CellPoint(12, 0));
    const int32_t current = Sheet()->GetCurrentCell().row;
    CUpdateSelArea area(CUpdateSelArea::kFromGraph, 2, 10, -1);
    doc->UpdateAllViews(nullptr, kHintSelArea, &area);
    EXPECT_EQ(Sheet()->GetSelection().top, current);
    EXPECT_EQ(Sheet()->GetSelection().bottom, current);
}

TEST_F(GpsSelection, ListCommandsOfTheTrackRunOnTheList)
{
    EXPECT_TRUE(IsEnabled(track, CGpsGraphView::kIdSetSelect));
    EXPECT_FALSE(IsEnabled(list, CKivDataListViewBase::kIdThinning));
    EXPECT_FALSE(IsEnabled(graphs, CKivDataListViewBase::kIdThinning));
    EXPECT_FALSE(list.CanInsertRows());
    EXPECT_FALSE(list.CanDeleteRows());
    EXPECT_FALSE(graphs.CanDeleteRows());
}

TEST_F(GpsSelection, TheTextExportStartsFromTheGraphsSelectedSamples)
{
    CGpsGraphTimeListObj* graph = GpsGraphOf(*doc);
    graph->SetSelection(20, 50);
    CCellRange range = list.GraphSelection();
    EXPECT_EQ(range.top, 20);
    EXPECT_EQ(range.bottom, 50);
    EXPECT_EQ(range.left, 0);
    graph->ClearSelection();
    range = list.GraphSelection();
    EXPECT_EQ(range.top, -1);
    EXPECT_EQ(range.bottom, -1);
}

} // namespace
