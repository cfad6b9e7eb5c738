// The graph-list page's grid and plot-line commands reach the list graph's
// dialogs; a confirmed dialog drops the cached row pictures and marks the
// project modified, a cancelled one leaves both.

#include "tests/project/views/ProjectWindowFixture.h"

#include "chart/model/GraphListObj.h"
#include "chart/model/ListGraphDialogs.h"
#include "docview/graphpage/QtBitmap.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "grid/model/DrawCell.h"
#include "grid/model/PaneStyle.h"
#include "project/views/pages/PrjGraphView.h"

namespace prjview {
namespace {

class OneListGraph : public IProjectListGraph {
public:
    CGraphListObj* ListGraph(CKIV5980Doc&) override { return &list; }
    CGraphListObj list;
};

class CountingDialogs : public IListGraphDialogs {
public:
    bool EditLabels(CGraphListObj&) override { return false; }
    bool EditScales(CGraphListObj&) override { return false; }
    bool EditDrawTypes(CGraphListObj&) override { return false; }
    bool EditGridLines(GrFrameRec& frame) override
    {
        ++grid;
        frame.m_frameWidth = 4;
        return confirm;
    }
    bool EditPlotLines(tSeriesStyle& style) override
    {
        ++plot;
        style.lineColor = 7;
        return confirm;
    }
    int grid = 0;
    int plot = 0;
    bool confirm = true;
};

class GraphListLineDialogsTest : public ProjectWindowFixture {
protected:
    void Open()
    {
        graph.list.ShapeRows({true});
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        FrameOf(doc)->OnPageCommand(prjcmd::kPageGraphList);
        page = dynamic_cast<CPrjGraphView*>(FrameOf(doc)->GetActiveView());
        ASSERT_NE(page, nullptr);
        doc->SetModifiedFlag(false);
    }
    // Paints row 0's graph, which caches its picture.
    void PaintRow()
    {
        CZELDrawCell cell;
        CZELPaneStyle pane;
        cell.m_format = pane.m_format;
        cell.m_pDC = &dc;
        cell.m_nRow = 0;
        cell.m_nCol = 0;
        cell.m_rcCell = fw::CRect(0, 0, 200, 120);
        cell.m_rcText = cell.m_rcCell;
        page->DrawSheetCell(cell);
    }
    bool Enabled(unsigned id)
    {
        fw::CCmdUI ui(id);
        page->OnCmdMsg(id, fw::CN_UPDATE_COMMAND_UI, &ui);
        return ui.m_bEnabled;
    }

    OneListGraph graph;
    fw::ScopedInstall<IProjectListGraph> installGraph{graph};
    CountingDialogs dialogs;
    fw::ScopedInstall<IListGraphDialogs> installDialogs{dialogs};
    CQtBitmapMaker bitmaps;
    fw::ScopedInstall<IBitmapMaker> installBitmaps{bitmaps};
    fw::RecordingSink sink;
    fw::CDC dc{&sink};
    CKIV5980Doc* doc = nullptr;
    CPrjGraphView* page = nullptr;
};

TEST_F(GraphListLineDialogsTest, ConfirmedDialogsReachTheListAndDropThePictures)
{
    Open();
    struct Case {
        const char* name;
        unsigned id;
        int CountingDialogs::*runs;
    } cases[] = {
        {"grid lines", CPrjGraphView::kIdGridLines, &CountingDialogs::grid},
        {"plot lines", CPrjGraphView::kIdPlotLines, &CountingDialogs::plot},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(Enabled(c.id));
        PaintRow();
        ASSERT_TRUE(page->HasRowGraph(0));
        doc->SetModifiedFlag(false);
        FrameOf(doc)->ExecuteCommand(c.id);
        EXPECT_EQ(dialogs.*c.runs, 1);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_FALSE(page->HasRowGraph(0)) << "the row is drawn anew";
    }
    EXPECT_EQ(graph.list.m_frame.m_frameWidth, 4);
    EXPECT_EQ(graph.list.GetRow(0)->Frame().m_frameWidth, 4);
    EXPECT_EQ(graph.list.m_style.lineColor, 7);
}

TEST_F(GraphListLineDialogsTest, ACancelledDialogKeepsPicturesAndTheProjectUnmodified)
{
    Open();
    dialogs.confirm = false;
    PaintRow();
    ASSERT_TRUE(page->HasRowGraph(0));
    FrameOf(doc)->ExecuteCommand(CPrjGraphView::kIdGridLines);
    FrameOf(doc)->ExecuteCommand(CPrjGraphView::kIdPlotLines);
    EXPECT_EQ(dialogs.grid, 1);
    EXPECT_EQ(dialogs.plot, 1);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(page->HasRowGraph(0));
}

TEST_F(GraphListLineDialogsTest, WithoutAListGraphTheCommandsAreDisabled)
{
    Open();
    IProjectListGraph* previous = fw::Install<IProjectListGraph>(nullptr);
    EXPECT_FALSE(Enabled(CPrjGraphView::kIdGridLines));
    EXPECT_FALSE(Enabled(CPrjGraphView::kIdPlotLines));
    fw::Install<IProjectListGraph>(previous);
}

} // namespace
} // namespace prjview
