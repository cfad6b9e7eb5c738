// The graph list's grid and plot-line commands in the running program open
// the graph pages' dialogs on the project's own list graph and give every
// row what the user chose.

#include "tests/app/shell/ShellFixture.h"

#include "app/shell/GraphListHooks.h"
#include "app/shell/MainFrame.h"
#include "chart/model/GraphParamArray.h"
#include "framework/ui/Controls.h"
#include "graphdoc/views/GraphGrid.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/ProjectFrame.h"
#include "project/views/pages/PrjGraphView.h"

namespace shelltest {
namespace {

// The plot-line dialog by its resource ids: its header names a profile
// list of the graph pages that this file cannot see beside the list
// graph's own.
constexpr unsigned kPlotLineDialog = 182;
constexpr int kLines = 1109;
constexpr int kLineColor = 1135;
constexpr int kSize = 1138;

class ListGraphLineDialogsTest : public ShellTest {
protected:
    void OpenGraphList()
    {
        UnregisterProjectType();
        ASSERT_TRUE(Start());
        app.CloseAllDocuments(false);
        app.OnFileNew();
        auto* main = dynamic_cast<CMainFrame*>(app.GetMainWnd());
        ASSERT_NE(main, nullptr);
        frame = dynamic_cast<CProjectFrame*>(main->MDIGetActive());
        ASSERT_NE(frame, nullptr);
        frame->OnPageCommand(prjcmd::kPageGraphList);
        page = dynamic_cast<CPrjGraphView*>(frame->GetActiveView());
        ASSERT_NE(page, nullptr);
        list = page->GetListGraph();
        ASSERT_NE(list, nullptr);
        for (int r = 0; r < list->GetRowCount(); ++r)
            if (list->GetRow(r))
                ++rows;
        ASSERT_GT(rows, 0);
        page->GetProjectDoc()->SetModifiedFlag(false);
    }

    CProjectFrame* frame = nullptr;
    CPrjGraphView* page = nullptr;
    CGraphListObj* list = nullptr;
    int rows = 0;
};

TEST_F(ListGraphLineDialogsTest, TheGridDialogSetsEveryRowsGridLines)
{
    OpenGraphList();
    dialogs.On(CGraphGrid::IDD, [](fw::CDialog& d) {
        d.GetDlgItemAs<fw::CComboBox>(CGraphGrid::IDC_MAIN_X)->UserSelect(3);
        d.OnOK();
        return 0;
    });
    frame->ExecuteCommand(CPrjGraphView::kIdGridLines);
    EXPECT_EQ(list->m_frame.m_xGridMajorWidth, 3);
    for (int r = 0; r < list->GetRowCount(); ++r) {
        if (CListGraphDraw* row = list->GetRow(r)) {
            EXPECT_EQ(row->Frame().m_xGridMajorWidth, 3) << "row " << r;
        }
    }
    EXPECT_TRUE(page->GetProjectDoc()->IsModified());
}

TEST_F(ListGraphLineDialogsTest, ThePlotLineDialogShowsOneLineAndSetsEveryRowsFirstSeries)
{
    OpenGraphList();
    const tSeriesStyle before = list->m_style;
    dialogs.On(kPlotLineDialog, [&](fw::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemAs<fw::CListBox>(kLines)->GetCount(), 1) << "one line stands for every row";
        EXPECT_EQ(d.GetDlgItemAs<fw::CComboBox>(kLineColor)->GetCurSel(), before.lineColor);
        d.GetDlgItemAs<fw::CComboBox>(kLineColor)->SetCurSel(5);
        d.GetDlgItem(kSize)->SetWindowText("7");
        d.OnOK();
        return 0;
    });
    frame->ExecuteCommand(CPrjGraphView::kIdPlotLines);
    EXPECT_EQ(list->m_style.lineColor, 5);
    EXPECT_EQ(list->m_style.symbolSize, 7);
    EXPECT_EQ(list->m_style.drawType, before.drawType);
    for (int r = 0; r < list->GetRowCount(); ++r) {
        if (CListGraphDraw* row = list->GetRow(r)) {
            ASSERT_GT(row->GetSeriesCount(), 0) << "row " << r;
            EXPECT_EQ(row->GetSeries(0)->GetStyle().lineColor, 5) << "row " << r;
            EXPECT_EQ(row->GetSeries(0)->GetStyle().symbolSize, 7) << "row " << r;
        }
    }
    EXPECT_TRUE(page->GetProjectDoc()->IsModified());
}

TEST_F(ListGraphLineDialogsTest, CancellingLeavesTheListAsItWas)
{
    OpenGraphList();
    const int16_t width = list->m_frame.m_xGridMajorWidth;
    dialogs.On(CGraphGrid::IDD, [](fw::CDialog& d) {
        d.GetDlgItemAs<fw::CComboBox>(CGraphGrid::IDC_MAIN_X)->UserSelect(3);
        d.OnCancel();
        return 0;
    });
    frame->ExecuteCommand(CPrjGraphView::kIdGridLines);
    EXPECT_EQ(list->m_frame.m_xGridMajorWidth, width);
    EXPECT_FALSE(page->GetProjectDoc()->IsModified());
}

} // namespace
} // namespace shelltest
