// The self-check pages as the project window builds them: the list beside
// its record page, the record page's corner drawn with its captions over
// the columns they head, printing from the list printing the chosen
// record, and a channel page's upright group labels kept to the printed
// sheet they start on.

#include "tests/project/views/pages/HistoryPageFixture.h"

#include "framework/core/DC.h"
#include "framework/core/DrawSink.h"
#include "framework/core/Gdi.h"
#include "framework/core/PrintInfo.h"
#include "framework/core/RecordingSink.h"
#include "grid/model/DrawCell.h"
#include "grid/views/SpredView.h"
#include "instrument/check/CheckData.h"
#include "instrument/system/BoxPropaty.h"
#include "project/views/pages/PageHints.h"
#include "project/views/pages/PrjCheckView.h"

#include <string>
#include <vector>

namespace prjview {
namespace {

std::string Rc(int l, int t, int r, int b)
{
    return std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r) + "," + std::to_string(b);
}

// A printer that notes the background each text is drawn on.
class BackgroundSink final : public fw::IDrawSink {
public:
    void Line(const fw::CDC&, fw::CPoint, fw::CPoint) override {}
    void Polyline(const fw::CDC&, const std::vector<fw::CPoint>&) override {}
    void Polygon(const fw::CDC&, const std::vector<fw::CPoint>&, int) override {}
    void Rectangle(const fw::CDC&, const fw::CRect&) override {}
    void Ellipse(const fw::CDC&, const fw::CRect&) override {}
    void FillRect(const fw::CDC&, const fw::CRect&, const fw::CBrush&) override {}
    void Text(const fw::CDC& dc, fw::CPoint, const fw::CString& text, const fw::CRect* opaque, const fw::CRect*) override
    {
        if (opaque && !text.IsEmpty() && dc.GetBkColor() != fw::RGB(255, 255, 255))
            grey.push_back(text.str());
        texts += opaque ? 1 : 0;
    }
    void SetPixel(const fw::CDC&, fw::CPoint, fw::COLORREF) override {}
    fw::CSize TextExtent(const fw::CDC& dc, const fw::CString& text) override { return m_measure.TextExtent(dc, text); }
    fw::TEXTMETRIC TextMetrics(const fw::CDC& dc) override { return m_measure.TextMetrics(dc); }
    int DeviceCaps(int index) const override { return m_measure.DeviceCaps(index); }
    bool IsPrinting() const override { return true; }

    std::vector<std::string> grey;
    int texts = 0;

private:
    fw::RecordingSink m_measure{6000, 6000, 600, true};
};

class CheckCornerPrintTest : public HistoryPageFixture {
protected:
    void SetUp() override
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        doc->SetTestTitle("自己診断A");
        list = Show<CPrjCheckHistoryView>(prjcmd::kPageCheck);
        ASSERT_NE(list, nullptr);
        record = list->GetRecordPage();
        ASSERT_NE(record, nullptr);
    }
    void AddRecord()
    {
        auto* data = new CCheckData;
        ASSERT_TRUE(data->BuildFromSystem(&doc->GetBoxArray()));
        data->SetCheckTime(fw::COleDateTime(2024, 7, 1, 9, 30, 0));
        doc->GetCheckRecords().push_back(data);
        doc->UpdateAllViews(nullptr, prjpage::kHintSelfCheck);
        ASSERT_EQ(record->GetRecord(), data);
    }
    bool Logged(const fw::RecordingSink& sink, const std::string& a, const std::string& b = "") const
    {
        for (const std::string& line : sink.Log())
            if (line.find(a) != std::string::npos && line.find(b) != std::string::npos)
                return true;
        return false;
    }

    CPrjCheckHistoryView* list = nullptr;
    CPrjCheckView* record = nullptr;
};

TEST_F(CheckCornerPrintTest, TheWindowShowsTheListBesideItsRecordPage)
{
    fw::CSplitterWnd* page = FrameOf(doc)->PageSplitter(prjcmd::kPageCheck);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetPane(0, 0), list);
    EXPECT_EQ(page->GetPane(0, 1), record);
    EXPECT_EQ(record->GetGrid()->GetSheetPane()->RowCount(), doc->GetBoxArray().GetMeasuringCount())
        << "without records the record page lists the project's channels";

    // The list's one column fills it; the record page keeps its column
    // widths but not the corner's.
    EXPECT_FALSE(Enabled(list, CProjectBaseView::kIdColumnWidth));
    EXPECT_FALSE(Enabled(list, CProjectBaseView::kIdLeftColumnWidth));
    EXPECT_FALSE(Enabled(record, CProjectBaseView::kIdLeftColumnWidth));
    EXPECT_TRUE(Enabled(record, CProjectBaseView::kIdColumnWidth));
    EXPECT_TRUE(Enabled(ChannelPage(doc), CProjectBaseView::kIdLeftColumnWidth));
}

TEST_F(CheckCornerPrintTest, CornerCaptionsSpanTheColumnsAndRowsTheyHead)
{
    const CZELGridPane* corner = record->GetGrid()->GetPane(kIndexCorner);
    ASSERT_EQ(corner->ColumnCount(), 4);
    ASSERT_EQ(corner->RowCount(), 2);
    int x[5] = {0};
    for (int c = 0; c < 4; ++c)
        x[c + 1] = x[c] + corner->GetColumnWidth(c);
    const int y[3] = {0, corner->GetRowHeight(0), corner->GetRowHeight(0) + corner->GetRowHeight(1)};

    struct Case {
        int col, row;
        const char* text;
        int firstCol, lastCol, firstRow, lastRow;
    };
    const Case cases[] = {
        {0, 0, "CH", 0, 0, 0, 1},     {0, 1, "CH", 0, 0, 0, 1},   {1, 0, "測定器", 1, 3, 0, 0},
        {3, 0, "測定器", 1, 3, 0, 0}, {2, 1, "Unit", 1, 2, 1, 1}, {3, 1, "ch.", 3, 3, 1, 1},
    };
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    for (const Case& k : cases) {
        sink.Clear();
        CZELDrawCell cell;
        cell.m_pDC = &dc;
        cell.m_nCol = k.col;
        cell.m_nRow = k.row;
        cell.m_rcCell = fw::CRect(x[k.col], y[k.row], x[k.col + 1], y[k.row + 1]);
        cell.m_rcText = cell.m_rcCell;
        record->GetGrid()->DrawTagCell(cell);
        const int l = x[k.firstCol], t = y[k.firstRow], r = x[k.lastCol + 1], b = y[k.lastRow + 1];
        SCOPED_TRACE(std::to_string(k.col) + "," + std::to_string(k.row));
        EXPECT_TRUE(Logged(sink, std::string("\"") + k.text + "\"", Rc(l, t, r, b)));
        EXPECT_TRUE(Logged(sink, "line " + std::to_string(l) + "," + std::to_string(b) + " " + std::to_string(l) +
                                     "," + std::to_string(t),
                           "#000000"))
            << "a black edge up its left side";
        EXPECT_EQ(cell.m_rcCell, fw::CRect(x[k.col], y[k.row], x[k.col + 1], y[k.row + 1])) << "the cell is kept";
    }
}

TEST_F(CheckCornerPrintTest, PrintingTheListPrintsTheChosenRecordUnderItsCheckTime)
{
    AddRecord();
    fw::CString time;
    record->GetRecord()->FormatCheckTime(time);
    ASSERT_FALSE(time.IsEmpty());
    const std::string boxName = record->GetRecord()->GetBox(0)->GetName().str();

    fw::RecordingSink sink(6000, 6000, 600, true);
    fw::CDC dc(&sink);
    fw::CPrintInfo info;
    info.m_rectDraw = fw::CRect(0, 0, 6000, 6000);
    ASSERT_TRUE(list->OnPreparePrinting(&info));
    list->OnBeginPrinting(&dc, &info);
    EXPECT_GE(info.GetMaxPage(), 1u);
    info.m_nCurPage = 1;
    list->OnPrint(&dc, &info);
    EXPECT_TRUE(Logged(sink, "\"自己診断A\""));
    EXPECT_TRUE(Logged(sink, "\"" + time.str() + "\"")) << "the check time under the title";
    EXPECT_TRUE(Logged(sink, "\"ダイレクト\"")) << "the record page's columns";
    EXPECT_TRUE(Logged(sink, "\"" + boxName + "\"", "esc=900")) << "and its row header";
}

TEST_F(CheckCornerPrintTest, AGroupLabelRunningPastThePrintedSheetStaysInItsOwnCell)
{
    CPrjChView* page = ChannelPage(doc);
    fw::RecordingSink sink(4000, 6000, 600, true);
    fw::CDC dc(&sink);
    fw::CPrintInfo info;
    info.m_rectDraw = fw::CRect(0, 0, 4000, 6000);
    page->OnBeginPrinting(&dc, &info);
    const int height = page->GetPrintCellsRect().Height();
    ASSERT_GT(height, 200);
    const CBoxPropaty* box = doc->GetBoxArray().GetBox(0);
    ASSERT_GE(box->GetInputCount(), 8);

    auto draw = [&](int col, int row, int top) {
        sink.Clear();
        CZELDrawCell cell;
        cell.m_pDC = &dc;
        cell.m_nCol = col;
        cell.m_nRow = row;
        cell.m_rcCell = fw::CRect(0, top, 60, top + 20);
        cell.m_rcText = cell.m_rcCell;
        page->DrawRowHeaderCell(cell);
    };
    // Row 2 is the third of its unit's eight: printed near the top the
    // unit's label starts at the sheet's edge, one unit inside the cell's
    // right edge, on white.
    draw(2, 2, 20);
    EXPECT_TRUE(Logged(sink, "fill " + Rc(0, 0, 59, 140), "#FFFFFF"));
    // At the sheet's foot the eight rows would pass its end.
    draw(2, 2, height - 30);
    EXPECT_TRUE(Logged(sink, "fill " + Rc(0, height - 30, 60, height - 10)));
    EXPECT_FALSE(Logged(sink, "fill " + Rc(0, height - 70, 59, height + 90)));
}

TEST_F(CheckCornerPrintTest, HeadersArePrintedOnWhite)
{
    AddRecord();
    for (CProjectBaseView* page : {static_cast<CProjectBaseView*>(ChannelPage(doc)),
                                   static_cast<CProjectBaseView*>(record)}) {
        SCOPED_TRACE(page->GetRuntimeClass()->name);
        BackgroundSink sink;
        fw::CDC dc(&sink);
        fw::CPrintInfo info;
        info.m_rectDraw = fw::CRect(0, 0, 6000, 6000);
        page->OnBeginPrinting(&dc, &info);
        info.m_nCurPage = 1;
        page->OnPrint(&dc, &info);
        EXPECT_GT(sink.texts, 20);
        EXPECT_TRUE(sink.grey.empty()) << sink.grey.front();
    }
}

} // namespace
} // namespace prjview
