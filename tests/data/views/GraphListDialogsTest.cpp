// The graph list's axis, label, draw-method, grid and plot-line commands
// reach the time list graph's dialogs; a confirmed one marks the document
// modified, a label change also gives the legend column the list's font.

#include "tests/data/views/DataViewFixture.h"

#include "chart/model/GraphTimeListObj.h"
#include "chart/model/ListGraphDialogs.h"
#include "data/views/KivDataFrame.h"
#include "data/views/KivDataGraphView.h"
#include "grid/model/GridStyle.h"

namespace dataview {
namespace {

class AnsweringDialogs : public IListGraphDialogs {
public:
    bool EditLabels(CGraphListObj& list) override
    {
        ++runs;
        list.m_legendFont.lfHeight = -31;
        return confirm;
    }
    bool EditScales(CGraphListObj&) override { return ++runs, confirm; }
    bool EditDrawTypes(CGraphListObj&) override { return ++runs, confirm; }
    bool EditGridLines(GrFrameRec&) override { return ++runs, confirm; }
    bool EditPlotLines(tSeriesStyle&) override { return ++runs, confirm; }
    int runs = 0;
    bool confirm = true;
};

class GraphListDialogs : public DataViewFixture {
protected:
    AnsweringDialogs dialogs;
    fw::ScopedInstall<IListGraphDialogs> installDialogs{dialogs};
};

TEST_F(GraphListDialogs, EachCommandRunsItsDialogAndAConfirmedOneModifiesTheDocument)
{
    CKivDataDoc* doc = OpenData(20);
    ASSERT_NE(doc, nullptr);
    FrameOf(doc)->OnDataView(datacmd::kPageGraph);
    auto* view = ViewOf<CKivDataGraphView>(doc);
    ASSERT_NE(view, nullptr);
    const unsigned ids[] = {CKivDataGraphView::kIdScales, CKivDataGraphView::kIdLabels,
                            CKivDataGraphView::kIdDrawTypes, CKivDataGraphView::kIdGridLines,
                            CKivDataGraphView::kIdPlotLines};
    for (bool confirm : {false, true}) {
        dialogs.confirm = confirm;
        for (unsigned id : ids) {
            SCOPED_TRACE(testing::Message() << "command " << id << (confirm ? " confirmed" : " cancelled"));
            doc->SetModifiedFlag(false);
            const int before = dialogs.runs;
            FrameOf(doc)->ExecuteCommand(id);
            EXPECT_EQ(dialogs.runs, before + 1);
            EXPECT_EQ(doc->IsModified(), confirm);
        }
    }
    EXPECT_EQ(view->GetGrid()->GetStyle()->GetPane(kPaneSheet).m_format.lf.lfHeight, -31)
        << "the legend column takes the list's legend font";
}

} // namespace
} // namespace dataview
