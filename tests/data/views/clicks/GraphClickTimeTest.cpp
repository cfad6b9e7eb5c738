// A click across a graph-list row with a sampling clock shorter than the
// time unit: the cursor lands on the sample recorded at the clicked time,
// not on the sample numbered like the clicked seconds.

#include "tests/data/views/DataViewFixture.h"

#include "chart/model/KivGraphDraw.h"
#include "data/views/KivDataFrame.h"
#include "data/views/KivDataGraphGrid.h"
#include "data/views/KivDataGraphView.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "grid/model/GridStyle.h"

#include <cmath>

namespace dataview {
namespace {

class GraphClickTime : public DataViewFixture {
protected:
    // The fixture records every 10 ms, shown in seconds.
    static constexpr double kClock = 0.01;

    bool Open(int rows)
    {
        doc = OpenData(rows);
        if (!doc)
            return false;
        FrameOf(doc)->OnDataView(datacmd::kPageGraph);
        view = ViewOf<CKivDataGraphView>(doc);
        graph = view ? view->GetGraphList() : nullptr;
        pane = view ? dynamic_cast<CKivDataGraphGridPane*>(view->GetGrid()->GetSheetPane()) : nullptr;
        if (!graph || !pane)
            return false;
        cell = view->SheetCellRect(0, 0);
        // The row's picture as a paint makes it, at the cell's origin.
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        graph->DrawRowPart(dc, fw::CRect(0, 0, cell.Width(), cell.Height()), 0, CGraphListObj::kFitAndDraw);
        return true;
    }
    // The time the row's plot shows at a point of the cell.
    double TimeAt(int x, int y) const
    {
        auto* row = dynamic_cast<CKivGraphDraw*>(graph->GetRow(0));
        double t = HUGE_VAL;
        double v = HUGE_VAL;
        if (row)
            row->DeviceToData(x - cell.left, y - cell.top, t, v);
        return t;
    }
    void Click(int x, int y, unsigned flags = 0)
    {
        pane->OnLButtonDown(flags, fw::CPoint(x, y));
        pane->OnLButtonUp(flags, fw::CPoint(x, y));
    }
    std::pair<int32_t, int32_t> Cursors() const
    {
        int32_t a = 0;
        int32_t b = 0;
        graph->GetSelection(a, b);
        return {a, b};
    }

    CKivDataDoc* doc = nullptr;
    CKivDataGraphView* view = nullptr;
    CGraphTimeListObj* graph = nullptr;
    CKivDataGraphGridPane* pane = nullptr;
    fw::CRect cell;
};

TEST_F(GraphClickTime, ClicksAcrossTheRowReachTheSampleAtTheClickedTime)
{
    ASSERT_TRUE(Open(1000));
    ASSERT_GT(cell.Width(), 100);
    const int y = cell.top + cell.Height() / 2;
    ASSERT_GT(TimeAt(cell.right - 1, y), 9.0) << "the row spans ten seconds";
    struct Case {
        const char* name;
        int percent;
    };
    for (const Case& c : {Case{"near the start", 20}, Case{"middle", 50}, Case{"near the end", 85}}) {
        SCOPED_TRACE(c.name);
        const int x = cell.left + cell.Width() * c.percent / 100;
        const double time = TimeAt(x, y);
        ASSERT_NE(time, HUGE_VAL);
        Click(x, y);
        const auto [a, b] = Cursors();
        EXPECT_EQ(a, b);
        EXPECT_EQ(a, static_cast<int32_t>(std::floor(time / kClock + 1e-9)));
        EXPECT_NEAR(a * kClock, time, kClock);
    }
}

TEST_F(GraphClickTime, ShiftClicksAndDragsMoveTheCursorsInSamples)
{
    ASSERT_TRUE(Open(1000));
    const int y = cell.top + cell.Height() / 2;
    const int x1 = cell.left + cell.Width() * 30 / 100;
    const int x2 = cell.left + cell.Width() * 70 / 100;
    const auto sampleAt = [&](int x) { return static_cast<int32_t>(std::floor(TimeAt(x, y) / kClock + 1e-9)); };
    Click(x1, y);
    Click(x2, y, fw::MK_SHIFT);
    EXPECT_EQ(Cursors(), std::make_pair(sampleAt(x1), sampleAt(x2)));
    ASSERT_GT(sampleAt(x2) - sampleAt(x1), 100);

    // A press puts both cursors on its sample; dragging on carries cursor 2
    // to the sample under the mouse.
    const int x3 = cell.left + cell.Width() * 80 / 100;
    graph->ClearSelection();
    pane->OnLButtonDown(0, fw::CPoint(x1, y));
    pane->OnMouseMove(fw::MK_LBUTTON, fw::CPoint(x3, y));
    pane->OnLButtonUp(0, fw::CPoint(x3, y));
    EXPECT_EQ(Cursors(), std::make_pair(sampleAt(x1), sampleAt(x3)));
}

} // namespace
} // namespace dataview
