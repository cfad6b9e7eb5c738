// The time marks of the graph list: made at the cursors, deleted when
// selected (voice marks stay), with one level of undo.

#include "tests/data/views/DataViewFixture.h"

#include "chart/model/DrawMarkerList.h"
#include "data/views/KivDataFrame.h"
#include "data/views/KivDataGraphView.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "instrument/system/MarkerList.h"

#include <vector>

namespace dataview {
namespace {

class GraphMarkers : public DataViewFixture {
protected:
    CKivDataGraphView* OpenGraphs(int rows, const std::vector<int32_t>& marks = {})
    {
        doc = OpenData(rows, marks);
        if (!doc)
            return nullptr;
        FrameOf(doc)->OnDataView(datacmd::kPageGraph);
        view = ViewOf<CKivDataGraphView>(doc);
        graph = view ? view->GetGraphList() : nullptr;
        return graph && view->GetMarkerList() ? view : nullptr;
    }
    // Lays the drawn markers out on row 0 and selects every one of them.
    void SelectAllMarkers()
    {
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        graph->DrawRowPart(dc, fw::CRect(0, 0, 400, 100), 0, CGraphListObj::kFitAndDraw);
        graph->DrawMarkers(dc, 0, *view->GetMarkerList());
        view->GetMarkerList()->SelectInRect({-10000, -10000, 10000, 10000}, false);
    }
    int DrawnCount() const { return view->GetMarkerList()->GetCount(); }

    CKivDataDoc* doc = nullptr;
    CKivDataGraphView* view = nullptr;
    CGraphTimeListObj* graph = nullptr;
};

TEST_F(GraphMarkers, MarksAtTheCursorsAreMadeOnceAndUndone)
{
    GTEST_SKIP() << "the shared table-view base does not yet enable undo and the cell commands of the data graph list";
    ASSERT_NE(OpenGraphs(40, {2}), nullptr);
    EXPECT_FALSE(IsEnabled(view, CKivDataGraphView::kIdMarkerAtBoth)) << "no cursors yet";
    graph->SetSelection(5, 15);
    ASSERT_TRUE(IsEnabled(view, CKivDataGraphView::kIdMarkerAtBoth));
    Run(view, CKivDataGraphView::kIdMarkerAtBoth);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{2, 5, 15}));
    EXPECT_EQ(DrawnCount(), 3);
    CMarkerObj* five = doc->GetBoxArray().GetMarkers().FindByIndex(5);
    ASSERT_NE(five, nullptr);
    EXPECT_NEAR(five->GetDate().m_dt, doc->GetStartTime() + 5 * doc->GetSampleInterval() / 86400.0, 1e-12);
    EXPECT_TRUE(doc->IsModified());

    // A sample that has its mark gets no second one, yet the command is
    // still one step to undo.
    Run(view, CKivDataGraphView::kIdMarkerAtCursor2);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{2, 5, 15}));
    ASSERT_TRUE(IsEnabled(view, CKivDataViewBase::kIdUndo));
    graph->SetSelection(30, 30);
    Run(view, CKivDataGraphView::kIdMarkerAtCursor1);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{2, 5, 15, 30}));
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{2, 5, 15}));
    EXPECT_EQ(DrawnCount(), 3);
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{2, 5, 15, 30})) << "undoing the undo";
}

TEST_F(GraphMarkers, DeletingTheSelectionAsksFirstWhenAVoiceMarkIsAmongThem)
{
    ASSERT_NE(OpenGraphs(40, {2, 12}), nullptr);
    doc->GetBoxArray().GetMarkers().AddVoiceMarker(doc->GetDataFolder(), "B1VOICE", fw::COleDateTime(45322.5), 0.2,
                                                   doc->GetSampleInterval());
    view->RebuildMarkers();
    EXPECT_FALSE(IsEnabled(view, CKivDataGraphView::kIdDeleteMarkers)) << "nothing selected";
    SelectAllMarkers();
    ASSERT_TRUE(view->GetMarkerList()->IsVoiceMarkerSelected());
    ASSERT_TRUE(IsEnabled(view, CKivDataGraphView::kIdDeleteMarkers));
    doc->GetUndoBuffer().Release(0);

    services.prompt.Expect(CKivDataGraphView::kMsgVoiceMarkers, fw::IDNO);
    Run(view, CKivDataGraphView::kIdDeleteMarkers);
    EXPECT_EQ(doc->GetBoxArray().GetMarkers().GetCount(), 3) << "No deletes nothing";
    EXPECT_FALSE(IsEnabled(view, CKivDataViewBase::kIdUndo)) << "and writes no undo record";

    services.prompt.Expect(CKivDataGraphView::kMsgVoiceMarkers, fw::IDYES);
    Run(view, CKivDataGraphView::kIdDeleteMarkers);
    ASSERT_EQ(doc->GetBoxArray().GetMarkers().GetCount(), 1) << "the voice mark stays";
    EXPECT_TRUE(doc->GetBoxArray().GetMarkers().GetHead()->IsKindOf(FW_RUNTIME_CLASS(CVoiceMarkerObj)));
    EXPECT_EQ(DrawnCount(), 1);
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(doc->GetBoxArray().GetMarkers().GetCount(), 3);
    EXPECT_TRUE(view->GetMarkerList()->HasSelection()) << "the selection comes back with the markers";
}

TEST_F(GraphMarkers, DeletingRowsBetweenTheCursorsTakesTheDrawnMarkersAlong)
{
    ASSERT_NE(OpenGraphs(40, {2, 15, 30}), nullptr);
    graph->SetSelection(10, 19);
    services.prompt.Expect(493, fw::IDNO);
    Run(view, CKivDataViewBase::kIdDeleteRows);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{2, 20}));
    EXPECT_EQ(DrawnCount(), 2);
    SelectAllMarkers(); // touches every drawn marker's mark
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(MarkIndexes(doc), (std::vector<int32_t>{2, 15, 30}));
    EXPECT_EQ(DrawnCount(), 3);
    SelectAllMarkers();
}

} // namespace
} // namespace dataview
