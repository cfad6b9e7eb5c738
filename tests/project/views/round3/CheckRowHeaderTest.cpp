// The self-check record page draws its row header as the input page does:
// a control unit's name once over all its rows, a unit's over its eight,
// upright, with a black line under a control unit's last row.

#include "tests/project/views/ProjectWindowFixture.h"

#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "grid/model/DrawCell.h"
#include "grid/views/SpredView.h"
#include "instrument/check/CheckData.h"
#include "instrument/system/BoxPropaty.h"
#include "project/views/pages/PrjCheckView.h"

#include <string>

namespace prjview {
namespace {

constexpr int kRowHeight = 20;

class CheckRowHeaderTest : public ProjectWindowFixture {
protected:
    void Open()
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        ASSERT_TRUE(splitter.CreateStatic(nullptr, 1, 1, fw::AFX_IDW_PANE_FIRST + 2));
        ASSERT_TRUE(splitter.CreateView(0, 0, FW_RUNTIME_CLASS(CPrjCheckView), fw::CSize(), doc));
        page = dynamic_cast<CPrjCheckView*>(splitter.GetPane(0, 0));
        ASSERT_NE(page, nullptr);
        page->OnInitialUpdate();
    }
    void AddRecord()
    {
        auto* data = new CCheckData;
        ASSERT_TRUE(data->BuildFromSystem(&doc->GetBoxArray()));
        doc->GetCheckRecords().push_back(data);
        page->SelectRecord(0);
        ASSERT_EQ(page->GetRecord(), data);
    }
    void Draw(int col, int row)
    {
        sink.Clear();
        CZELDrawCell cell;
        cell.m_pDC = &dc;
        cell.m_nCol = col;
        cell.m_nRow = row;
        cell.m_rcCell = fw::CRect(0, 100, 60, 100 + kRowHeight);
        cell.m_rcText = cell.m_rcCell;
        page->DrawRowHeaderCell(cell);
    }
    bool Logged(const std::string& a, const std::string& b = "") const
    {
        for (const std::string& line : sink.Log())
            if (line.find(a) != std::string::npos && line.find(b) != std::string::npos)
                return true;
        return false;
    }
    // The fill of a cell spanning `rows` rows, of which row `at` is drawn.
    static std::string Span(int at, int rows)
    {
        const int top = 100 - at * kRowHeight;
        return "fill 0," + std::to_string(top) + ",60," + std::to_string(top + rows * kRowHeight);
    }

    CZELGridSplitter splitter;
    CPrjCheckView* page = nullptr;
    CKIV5980Doc* doc = nullptr;
    fw::RecordingSink sink;
    fw::CDC dc{&sink};
};

TEST_F(CheckRowHeaderTest, ARecordsControlUnitAndUnitSpanTheirRows)
{
    Open();
    AddRecord();
    CDataBoxPropaty* box = page->GetRecord()->GetBox(0);
    ASSERT_NE(box, nullptr);
    const int rows = box->GetRowCount();
    ASSERT_GT(rows, 10);

    Draw(1, 10);
    EXPECT_TRUE(Logged(Span(10, rows))) << "over every row of the control unit";
    EXPECT_TRUE(Logged("\"" + box->GetName().str() + "\"", "esc=900")) << "the name stands upright";
    // The second column numbers each channel: one number over a unit's
    // eight rows would show one channel's number for all of them.
    Draw(2, 10);
    EXPECT_TRUE(Logged("\"11\"")) << "the row's own channel number";
    EXPECT_FALSE(Logged(Span(2, 8)));
    EXPECT_FALSE(Logged("esc=900"));
    EXPECT_TRUE(Logged("line 0,119 60,119", "pen=solid 0 #808080")) << "inside the control unit a grey line";
    Draw(0, rows - 1);
    EXPECT_TRUE(Logged("line 0,119 60,119", "pen=solid 1 #000000")) << "and so does the control unit's";
    Draw(0, 3);
    EXPECT_FALSE(Logged("pen=solid 1 #000000"));
}

TEST_F(CheckRowHeaderTest, WithoutARecordTheProjectsChannelsAreDrawn)
{
    Open();
    ASSERT_EQ(page->GetRecord(), nullptr);
    const CBoxPropaty* box = doc->GetBoxArray().GetBox(0);
    ASSERT_NE(box, nullptr);
    Draw(1, 2);
    EXPECT_TRUE(Logged(Span(2, box->GetInputCount())));
    EXPECT_TRUE(Logged("\"" + box->GetName().str() + "\"", "esc=900"));
}

} // namespace
} // namespace prjview
