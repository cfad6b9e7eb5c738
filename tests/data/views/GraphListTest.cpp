// The graph list: cursors moved by the arrow keys and clicks of its sheet
// pane, samples deleted inside or outside the cursors with undo.

#include "tests/data/views/DataViewFixture.h"

#include "common/tank/UseTankList.h"
#include "data/views/KivDataFrame.h"
#include "data/views/KivDataGraphGrid.h"
#include "data/views/KivDataGraphView.h"
#include "grid/model/GridStyle.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"

#include <cmath>
#include <vector>

namespace dataview {
namespace {

constexpr unsigned kVkLeft = 0x25;
constexpr unsigned kVkUp = 0x26;
constexpr unsigned kVkRight = 0x27;
constexpr unsigned kVkDown = 0x28;

class GraphList : public DataViewFixture {
protected:
    CKivDataGraphView* OpenGraphs(int rows, const std::vector<int32_t>& marks = {})
    {
        doc = OpenData(rows, marks);
        if (!doc)
            return nullptr;
        FrameOf(doc)->OnDataView(datacmd::kPageGraph);
        view = ViewOf<CKivDataGraphView>(doc);
        graph = view ? view->GetGraphList() : nullptr;
        pane = view ? dynamic_cast<CKivDataGraphGridPane*>(view->GetGrid()->GetSheetPane()) : nullptr;
        return graph && pane ? view : nullptr;
    }
    std::pair<int32_t, int32_t> Cursors() const
    {
        int32_t a = 0;
        int32_t b = 0;
        graph->GetSelection(a, b);
        return {a, b};
    }
    void Key(unsigned key) { pane->OnKeyDown(key, 1, 0); }

    CKivDataDoc* doc = nullptr;
    CKivDataGraphView* view = nullptr;
    CGraphTimeListObj* graph = nullptr;
    CKivDataGraphGridPane* pane = nullptr;
};

TEST_F(GraphList, ArrowKeysMoveTheCursorsWithinTheSamples)
{
    ASSERT_NE(OpenGraphs(20), nullptr);
    ASSERT_GT(graph->GetRowCount(), 0);
    graph->ClearSelection();
    Key(kVkLeft);
    EXPECT_EQ(Cursors(), std::make_pair(0, 0)) << "a cursor not set starts at 0";
    graph->SetSelection(5, 19);
    Key(kVkUp);
    EXPECT_EQ(Cursors(), std::make_pair(5, 19)) << "cursor 2 stays on the last sample";
    Key(kVkRight);
    Key(kVkDown);
    EXPECT_EQ(Cursors(), std::make_pair(6, 18));
    Key(kVkLeft);
    Key(kVkLeft);
    EXPECT_EQ(Cursors(), std::make_pair(4, 18));
}

TEST_F(GraphList, ClicksPutBothCursorsOnASampleAndOutsideThePlotClearThem)
{
    ASSERT_NE(OpenGraphs(200), nullptr);
    const fw::CRect cell = view->SheetCellRect(0, 0);
    ASSERT_GT(cell.Width(), 50);
    {
        // The row's picture as a paint makes it, at the cell's origin.
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        graph->DrawRowPart(dc, fw::CRect(0, 0, cell.Width(), cell.Height()), 0, CGraphListObj::kFitAndDraw);
    }
    const int y = cell.top + cell.Height() / 2;
    pane->OnLButtonDown(0, fw::CPoint(cell.left + cell.Width() * 85 / 100, y));
    pane->OnLButtonUp(0, fw::CPoint(cell.left + cell.Width() * 85 / 100, y));
    const auto [a, b] = Cursors();
    ASSERT_GE(a, 0);
    EXPECT_EQ(a, b) << "a plain click puts both cursors on the clicked sample";
    pane->OnLButtonDown(0, fw::CPoint(cell.left + 1, cell.top + 1));
    pane->OnLButtonUp(0, fw::CPoint(cell.left + 1, cell.top + 1));
    EXPECT_EQ(Cursors(), std::make_pair(-1, -1)) << "outside the plot clears both";
    EXPECT_FALSE(IsEnabled(view, CKivDataViewBase::kIdDeleteRows));
    const auto before = Cursors();
    const fw::CRect legend = view->SheetCellRect(0, 1);
    pane->OnLButtonDown(0, fw::CPoint(legend.left + 5, legend.top + 5));
    EXPECT_EQ(pane->GetTrackState(), CKivDataGraphGridPane::kIdle);
    EXPECT_EQ(Cursors(), before) << "the legend column moves no cursor";
}

TEST_F(GraphList, CursorInformationColumnComesAndGoes)
{
    ASSERT_NE(OpenGraphs(20), nullptr);
    int check = -1;
    IsEnabled(view, CKivDataGraphView::kIdCursorInfo, &check);
    EXPECT_EQ(check, 0);
    Run(view, CKivDataGraphView::kIdCursorInfo);
    EXPECT_EQ(doc->GetStyle(CKivDataDoc::kStyleGraph)->m_sheet.m_nCols, 3);
    EXPECT_EQ(view->SheetCellRect(0, 2).Width(), 240);
    IsEnabled(view, CKivDataGraphView::kIdCursorInfo, &check);
    EXPECT_EQ(check, 1);
    graph->SetSelection(3, -1);
    fw::CString text;
    view->GetSheetText(text, 2, 0, 0);
    EXPECT_EQ(text, "\tカーソル1\tカーソル2\t差\n 値\t3\t\t\n 時間\t0.03\t\t\n 位置\t4\t\t")
        << "with only cursor 1 set the cursor-2 and difference blocks stay empty";
    Run(view, CKivDataGraphView::kIdCursorInfo);
    EXPECT_EQ(doc->GetStyle(CKivDataDoc::kStyleGraph)->m_sheet.m_nCols, 2);
}

TEST_F(GraphList, CommandsNeedBothCursors)
{
    ASSERT_NE(OpenGraphs(20), nullptr);
    graph->ClearSelection();
    EXPECT_FALSE(IsEnabled(view, CKivDataViewBase::kIdDeleteRows));
    EXPECT_FALSE(IsEnabled(view, CKivDataListViewBase::kIdDeleteOutside));
    graph->SetSelection(3, 7);
    EXPECT_TRUE(IsEnabled(view, CKivDataViewBase::kIdDeleteRows));
    EXPECT_TRUE(IsEnabled(view, CKivDataListViewBase::kIdDeleteOutside));
    int32_t first = 0;
    int32_t last = 0;
    ASSERT_TRUE(view->GetSelectedRows(first, last));
    EXPECT_EQ(first, 4);
    EXPECT_EQ(last, 8);
}

TEST_F(GraphList, DeletingBetweenTheCursorsUndoesAndRedoes)
{
    GTEST_SKIP() << "the shared table-view base does not yet enable undo and the cell commands of the data graph list";
    ASSERT_NE(OpenGraphs(40, {2, 12, 30}), nullptr);
    graph->SetSelection(10, 19);
    services.prompt.Expect(493, fw::IDNO);
    Run(view, CKivDataViewBase::kIdDeleteRows);
    EXPECT_EQ(doc->GetSampleCount(), 30);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{2, 20}));
    EXPECT_EQ(doc->GetUseTanks().GetObjectAt(0)->GetValue(10), 20.0);
    ASSERT_TRUE(IsEnabled(view, CKivDataViewBase::kIdUndo));
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(doc->GetSampleCount(), 40);
    for (int i : {9, 10, 19, 20, 39})
        EXPECT_EQ(doc->GetUseTanks().GetObjectAt(1)->GetValue(i), 10000.0 + i) << i;
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{2, 12, 30}));
    EXPECT_EQ(Cursors(), std::make_pair(10, 19));
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(doc->GetSampleCount(), 30);
}

TEST_F(GraphList, UndoingKeepRestoresBothEnds)
{
    ASSERT_NE(OpenGraphs(40, {2, 12, 30}), nullptr);
    graph->SetSelection(10, 19);
    services.prompt.Expect(493, fw::IDNO);
    Run(view, CKivDataListViewBase::kIdDeleteOutside);
    EXPECT_EQ(doc->GetSampleCount(), 10);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{2}));
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(doc->GetSampleCount(), 40);
    for (int i : {0, 9, 10, 19, 20, 39})
        EXPECT_EQ(doc->GetUseTanks().GetObjectAt(2)->GetValue(i), 20000.0 + i) << i;
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{2, 12, 30}));
}

} // namespace
} // namespace dataview
