// The graph-list page: painting waits during a transfer and catches up
// once afterwards, the row cache follows the channel table, and the legend
// lists the channel's name, values and unit.

#include "tests/project/views/ProjectWindowFixture.h"

#include "common/tank/DataTankObject.h"
#include "common/tank/UseTankList.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "grid/model/DrawCell.h"
#include "grid/model/PaneStyle.h"
#include "project/views/pages/PageHints.h"
#include "project/views/pages/PrjGraphView.h"

namespace prjview {
namespace {

class GraphListPageTest : public ProjectWindowFixture {
protected:
    void Open()
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        FrameOf(doc)->OnPageCommand(prjcmd::kPageGraphList);
        page = dynamic_cast<CPrjGraphView*>(FrameOf(doc)->GetActiveView());
        ASSERT_NE(page, nullptr);
    }
    // Paints one sheet cell into a recording device.
    void Paint(int row, int col)
    {
        CZELPaneStyle pane;
        cell.m_format = pane.m_format;
        cell.m_pDC = &dc;
        cell.m_nRow = row;
        cell.m_nCol = col;
        cell.m_rcCell = fw::CRect(0, 0, 200, 120);
        cell.m_rcText = cell.m_rcCell;
        page->DrawSheetCell(cell);
    }
    bool Logged(const std::string& part) const
    {
        for (const std::string& line : sink.Log())
            if (line.find(part) != std::string::npos)
                return true;
        return false;
    }

    CKIV5980Doc* doc = nullptr;
    CPrjGraphView* page = nullptr;
    fw::RecordingSink sink;
    fw::CDC dc{&sink};
    CZELDrawCell cell;
};

TEST_F(GraphListPageTest, ATransferHoldsPaintingAndCatchesUpOnce)
{
    Open();
    ASSERT_GT(doc->GetUseTanks().GetSize(), 0);
    doc->UpdateAllViews(nullptr, prjpage::kHintTransferBegin);
    EXPECT_TRUE(page->IsPaintingSuspended());
    Paint(0, 1);
    EXPECT_TRUE(page->IsRepaintPending());
    EXPECT_FALSE(Logged("名前")) << "no legend while suspended";
    doc->UpdateAllViews(nullptr, prjpage::kHintTransferEnd);
    EXPECT_FALSE(page->IsPaintingSuspended());
    EXPECT_FALSE(page->IsRepaintPending()) << "the catch-up paint is owed only once";
    sink.Clear();
    Paint(0, 1);
    EXPECT_TRUE(Logged("名前"));
}

TEST_F(GraphListPageTest, LegendListsNameValuesAndUnit)
{
    Open();
    CDataTankObject* tank = doc->GetUseTanks().GetObjectAt(0);
    ASSERT_NE(tank, nullptr);
    tank->SetName("荷重");
    tank->SetUnit("kN");
    Paint(0, 1);
    for (const char* part : {"名前", "最大値", "最小値", "平均値", "単位", ":荷重", ":kN"})
        EXPECT_TRUE(Logged(part)) << part;
}

TEST_F(GraphListPageTest, TheCacheFollowsTheChannelTable)
{
    Open();
    EXPECT_EQ(page->CacheLength(), static_cast<size_t>(doc->GetUseTanks().GetSize()));
    doc->GetUseTanks().AddTank(nullptr, false);
    CUpdateKivData hint(doc);
    hint.m_changeFlags = 4;
    doc->UpdateAllViews(nullptr, prjpage::kHintColumns, &hint);
    EXPECT_EQ(page->CacheLength(), static_cast<size_t>(doc->GetUseTanks().GetSize()));
    // Nothing here is edited or copied.
    fw::CCmdUI ui(CProjectBaseView::kIdTextSave);
    page->OnCmdMsg(ui.m_nID, fw::CN_UPDATE_COMMAND_UI, &ui);
    EXPECT_FALSE(ui.m_bEnabled);
    EXPECT_FALSE(page->CanEditCell(0, 1));
}

} // namespace
} // namespace prjview
