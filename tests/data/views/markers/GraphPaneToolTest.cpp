// Marker selection on the graph list: the sheet pane hands its mouse to
// the marker tool, whose rubber band stays in the graph cell and selects
// the drawn markers it meets, instead of moving the cursors.

#include "tests/data/views/DataViewFixture.h"

#include "chart/model/DrawMarkerList.h"
#include "data/views/KivDataFrame.h"
#include "data/views/KivDataGraphGrid.h"
#include "data/views/KivDataGraphView.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "instrument/system/MarkerList.h"

#include <vector>

namespace dataview {
namespace {

class GraphPaneTool : public DataViewFixture {
protected:
    bool Open()
    {
        doc = OpenData(40, {2, 12, 30});
        if (!doc)
            return false;
        FrameOf(doc)->OnDataView(datacmd::kPageGraph);
        view = ViewOf<CKivDataGraphView>(doc);
        if (!view || !view->GetMarkerList())
            return false;
        graph = view->GetGraphList();
        pane = dynamic_cast<CKivDataGraphGridPane*>(view->GetGrid()->GetSheetPane());
        if (!graph || !pane)
            return false;
        cell = pane->GetCellRect(CCellRange::Cell({0, 0}));
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        graph->DrawRowPart(dc, fw::CRect(0, 0, cell.Width(), cell.Height()), 0, CGraphListObj::kFitAndDraw);
        view->LayOutMarkers(0);
        return cell.Width() > 50;
    }
    // The pane point at the middle of the drawn marker of the mark at `sample`.
    fw::CPoint On(int32_t sample) const
    {
        CMarkerObj* mark = doc->GetBoxArray().GetMarkers().FindByIndex(sample);
        CDrawMarker* marker = view->GetMarkerList()->FindByMark(mark);
        const fw::CPoint c = marker->GetHitRect().CenterPoint();
        return {cell.left + c.x, cell.top + c.y};
    }
    int Selected() const
    {
        int n = 0;
        for (fw::POSITION pos = view->GetMarkerList()->GetHeadPosition(); pos;)
            n += view->GetMarkerList()->GetNext(pos)->IsSelected() ? 1 : 0;
        return n;
    }

    CKivDataDoc* doc = nullptr;
    CKivDataGraphView* view = nullptr;
    CGraphTimeListObj* graph = nullptr;
    CKivDataGraphGridPane* pane = nullptr;
    fw::CRect cell;
};

TEST_F(GraphPaneTool, AClickSelectsTheMarkerThereAndLeavesTheCursorsAlone)
{
    ASSERT_TRUE(Open());
    graph->SetSelection(5, 6);
    view->SetMarkerSelectMode(true);
    EXPECT_EQ(pane->GetActiveTool(), 1);
    const fw::CPoint at = On(12);
    pane->OnLButtonDown(0, at);
    pane->OnLButtonUp(0, at);
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(view->GetMarkerList()->GetTail()->GetMark()->GetSampleIndex(), 12);
    int32_t a = 0, b = 0;
    graph->GetSelection(a, b);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 6);

    view->SetMarkerSelectMode(false);
    EXPECT_EQ(pane->GetActiveTool(), 0);
}

TEST_F(GraphPaneTool, ADragAcrossTheCellSelectsEveryMarkerItMeetsAndShiftAdds)
{
    ASSERT_TRUE(Open());
    view->SetMarkerSelectMode(true);
    const fw::CPoint twelve = On(12);
    pane->OnLButtonDown(0, twelve);
    pane->OnLButtonUp(0, twelve);
    ASSERT_EQ(Selected(), 1);

    // From left of the mark at 2 to beyond the cell's right edge, over the
    // markers' row of triangles.
    const fw::CPoint two = On(2);
    pane->OnLButtonDown(0, {two.x - 3, two.y - 2});
    pane->OnMouseMove(0, {cell.right + 500, two.y + 2});
    EXPECT_EQ(pane->GetRubberBand().right, cell.right) << "the band stays inside the graph cell";
    EXPECT_FALSE(pane->GetRubberBand().IsRectEmpty());
    pane->OnLButtonUp(fw::MK_SHIFT, {cell.right + 500, two.y + 2});
    EXPECT_TRUE(pane->GetRubberBand().IsRectEmpty());
    EXPECT_EQ(Selected(), 2) << "the shift toggled 12 off and selected 2 and 30";
}

} // namespace
} // namespace dataview
