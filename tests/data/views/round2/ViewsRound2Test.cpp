// Shift-clicks and handle drags on the graph list, the failing-formula
// text of the calculated channels, the context menus and the printed
// page header of the data views.

#include "tests/data/views/DataViewFixture.h"

#include "chart/model/ListGraphDraw.h"
#include "data/views/DataViewMenus.h"
#include "data/views/KivDataChDataView.h"
#include "data/views/KivDataChView.h"
#include "data/views/KivDataEXChView.h"
#include "data/views/KivDataFrame.h"
#include "data/views/KivDataGraphGrid.h"
#include "data/views/KivDataGraphView.h"
#include "framework/core/DC.h"
#include "framework/core/PrintInfo.h"
#include "framework/core/RecordingSink.h"
#include "framework/ui/Menu.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <string>
#include <vector>

namespace dataview {
namespace {

class GraphClicks : public DataViewFixture {
protected:
    void OpenGraphs(int rows)
    {
        doc = OpenData(rows);
        ASSERT_NE(doc, nullptr);
        // One sample a second: the plot's times and the sample numbers
        // then read alike.
        doc->GetAdSet().m_dClk = 1000;
        doc->SetTimeUnit(1);
        FrameOf(doc)->OnDataView(datacmd::kPageGraph);
        view = ViewOf<CKivDataGraphView>(doc);
        ASSERT_NE(view, nullptr);
        graph = view->GetGraphList();
        pane = dynamic_cast<CKivDataGraphGridPane*>(view->GetGrid()->GetSheetPane());
        ASSERT_NE(graph, nullptr);
        ASSERT_NE(pane, nullptr);
        cell = view->SheetCellRect(0, 0);
        ASSERT_GT(cell.Width(), 50);
        graph->Recalculate(true);
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        graph->DrawRowPart(dc, fw::CRect(0, 0, cell.Width(), cell.Height()), 0, CGraphListObj::kFitAndDraw);
    }
    std::pair<int32_t, int32_t> Cursors() const
    {
        int32_t a = 0;
        int32_t b = 0;
        graph->GetSelection(a, b);
        return {a, b};
    }
    fw::CPoint At(int percent) const
    {
        return fw::CPoint(cell.left + cell.Width() * percent / 100, cell.top + cell.Height() / 2);
    }
    // The sample a click at x (cell coordinates) would choose, -1 off the
    // plot; the cursors are left as they were.
    int32_t SampleAt(int x)
    {
        int32_t keptStart = 0;
        int32_t keptEnd = 0;
        graph->GetSelection(keptStart, keptEnd);
        const fw::CPoint p(x, cell.Height() / 2);
        const double time = graph->TimeAtPoint(0, p.x, p.y);
        int32_t s = -1;
        int32_t unused = -1;
        if (time != HUGE_VAL) {
            graph->SetSelectionEdge(CGraphTimeListObj::kBothEdges, time);
            graph->GetSelection(s, unused);
        }
        graph->SetSelection(keptStart, keptEnd);
        return s;
    }
    void Click(fw::CPoint p, unsigned flags)
    {
        pane->OnLButtonDown(flags, p);
        pane->OnLButtonUp(flags, p);
    }

    CKivDataDoc* doc = nullptr;
    CKivDataGraphView* view = nullptr;
    CGraphTimeListObj* graph = nullptr;
    CKivDataGraphGridPane* pane = nullptr;
    fw::CRect cell;
};

TEST_F(GraphClicks, ShiftClickMovesTheCursorOnItsSideOfTheMiddle)
{
    OpenGraphs(200);
    // The samples under the plot's x positions, left to right.
    std::vector<std::pair<int, int32_t>> samples;
    for (int x = 0; x < cell.Width(); x += 2)
        if (const int32_t s = SampleAt(x); s >= 0 && (samples.empty() || s > samples.back().second))
            samples.push_back({x, s});
    std::string seen;
    for (const auto& [x, sample] : samples)
        seen += " " + std::to_string(x) + ":" + std::to_string(sample);
    ASSERT_GE(samples.size(), 10u) << "the plot shows samples across the cell:" << seen;
    const auto at = [&](size_t tenth) { return samples[(samples.size() - 1) * tenth / 10]; };
    const int32_t lo = at(3).second;
    const int32_t hi = at(6).second;

    graph->SetSelection(lo, hi);
    Click(fw::CPoint(cell.left + at(9).first, cell.top + cell.Height() / 2), fw::MK_SHIFT);
    EXPECT_EQ(Cursors(), std::make_pair(lo, at(9).second)) << "right of the range cursor 2 follows the click";

    graph->SetSelection(lo, hi);
    Click(fw::CPoint(cell.left + at(1).first, cell.top + cell.Height() / 2), fw::MK_SHIFT);
    EXPECT_EQ(Cursors(), std::make_pair(at(1).second, hi)) << "left of it cursor 1 does";

    graph->SetSelection(lo, hi);
    Click(fw::CPoint(cell.left + at(9).first, cell.top + cell.Height() / 2), 0);
    EXPECT_EQ(Cursors(), std::make_pair(at(9).second, at(9).second)) << "without Shift both cursors go there";
}

TEST_F(GraphClicks, GrabbingCursorTwosLineDragsOnlyCursorTwo)
{
    OpenGraphs(200);
    std::vector<std::pair<int, int32_t>> samples;
    for (int x = 0; x < cell.Width(); x += 2)
        if (const int32_t s = SampleAt(x); s >= 0 && (samples.empty() || s > samples.back().second))
            samples.push_back({x, s});
    ASSERT_GE(samples.size(), 10u);
    const int32_t lo = samples[(samples.size() - 1) * 3 / 10].second;
    const int32_t hi = samples[(samples.size() - 1) * 6 / 10].second;
    const auto far = samples[(samples.size() - 1) * 9 / 10];
    graph->SetSelection(lo, hi);
    // The first point right of the range's middle where the band's handles
    // are hit: cursor 2's line.
    int y = -1;
    int handleX = -1;
    for (int row = 0; row < cell.Height() && handleX < 0; ++row)
        for (int x = samples[(samples.size() - 1) * 45 / 100].first; x < cell.Width() && handleX < 0; ++x) {
            const int hit = graph->HitTestSelection(0, fw::CPoint(x, row));
            if (hit == TrackerHit::kTopRight || hit == TrackerHit::kBottomRight || hit == TrackerHit::kRight) {
                handleX = x;
                y = row;
            }
        }
    ASSERT_GE(handleX, 0) << "cursor 2's line has a handle";
    pane->OnLButtonDown(0, fw::CPoint(cell.left + handleX, cell.top + y));
    EXPECT_EQ(Cursors(), std::make_pair(lo, hi)) << "taking the line moves nothing yet";
    pane->OnMouseMove(fw::MK_LBUTTON, fw::CPoint(cell.left + far.first, cell.top + y));
    pane->OnLButtonUp(0, fw::CPoint(cell.left + far.first, cell.top + y));
    EXPECT_EQ(Cursors(), std::make_pair(lo, far.second)) << "the drag moves cursor 2 alone";
}

TEST_F(GraphClicks, ClickOutsideThePlotClearsAndStartsNoDrag)
{
    OpenGraphs(200);
    graph->SetSelection(50, 150);
    pane->OnLButtonDown(0, fw::CPoint(cell.left + 1, cell.top + 1));
    EXPECT_EQ(Cursors(), std::make_pair(-1, -1));
    pane->OnMouseMove(fw::MK_LBUTTON, At(60));
    EXPECT_EQ(Cursors(), std::make_pair(-1, -1)) << "moving on sets no cursor";
    pane->OnLButtonUp(0, At(60));
}

TEST_F(DataViewFixture, FailingFormulaShowsItsErrorCodeBeforeItsText)
{
    CKivDataDoc* doc = OpenData(5);
    ASSERT_NE(doc, nullptr);
    FrameOf(doc)->OnChannelView(datacmd::kPageCalc);
    auto* calc = ViewOf<CKivDataEXChView>(doc);
    ASSERT_NE(calc, nullptr);
    doc->SetDefinitionText(0, 1, "BAD", nullptr);
    doc->SetDefinitionText(1, 1, "=(CH(1)+1", nullptr);
    doc->RecalculateAll();
    fw::CString text;
    calc->GetSheetText(text, 1, 1, 0);
    const std::string s = text.str();
    ASSERT_EQ(s.rfind("Error", 0), 0u) << s;
    EXPECT_NE(s.substr(5, 1), "0") << s;
    EXPECT_EQ(s.substr(s.find(':')), ":=(CH(1)+1") << s;
    calc->GetSheetText(text, 1, 0, 0);
    EXPECT_EQ(text, "=CH(1)+CH(2)") << "a formula that compiles shows as it is";
}

std::vector<std::string> MenuOf(CKivDataViewBase* view, std::vector<bool>* popups = nullptr)
{
    std::vector<std::string> items;
    fw::CMenu::SetTrackHook([&](fw::CMenu& popup) -> unsigned {
        for (int i = 0; i < popup.GetMenuItemCount(); ++i) {
            items.push_back(popup.GetMenuString(static_cast<unsigned>(i), fw::MF_BYPOSITION).str());
            if (popups)
                popups->push_back(popup.GetSubMenu(i) != nullptr);
        }
        return 0;
    });
    EXPECT_EQ(view->ShowContextMenu({-1, -1}), 0u);
    fw::CMenu::SetTrackHook(nullptr);
    return items;
}

bool Has(const std::vector<std::string>& items, const std::string& text)
{
    return std::find(items.begin(), items.end(), text) != items.end();
}

TEST_F(DataViewFixture, EachViewOpensItsOwnContextMenu)
{
    CKivDataDoc* doc = OpenData(5);
    ASSERT_NE(doc, nullptr);
    CKivDataFrame* frame = FrameOf(doc);

    std::vector<bool> popups;
    const auto channels = MenuOf(ViewOf<CKivDataChView>(doc), &popups);
    ASSERT_TRUE(Has(channels, "単位"));
    ASSERT_TRUE(Has(channels, "ﾌｫｰﾏｯﾄ"));
    const auto unitAt = std::find(channels.begin(), channels.end(), "単位") - channels.begin();
    const auto formatAt = std::find(channels.begin(), channels.end(), "ﾌｫｰﾏｯﾄ") - channels.begin();
    EXPECT_TRUE(popups[static_cast<size_t>(unitAt)]) << "the unit item opens the units";
    EXPECT_TRUE(popups[static_cast<size_t>(formatAt)]) << "the format item opens the formats";
    EXPECT_EQ(channels.back(), "テキストで保存...");

    frame->OnDataView(datacmd::kPageValues);
    const auto values = MenuOf(ViewOf<CKivDataChDataView>(doc));
    EXPECT_TRUE(Has(values, "間引き..."));
    EXPECT_TRUE(Has(values, "前後削除"));

    frame->OnDataView(datacmd::kPageGraph);
    const auto graphs = MenuOf(ViewOf<CKivDataGraphView>(doc));
    EXPECT_TRUE(Has(graphs, "カーソル情報表示"));
    EXPECT_TRUE(Has(graphs, "座標軸..."));

    frame->OnChannelView(datacmd::kPageCalc);
    const auto calc = MenuOf(ViewOf<CKivDataEXChView>(doc));
    EXPECT_TRUE(Has(calc, "関数ペースト..."));
    EXPECT_TRUE(Has(calc, "再計算\tF5"));
}

TEST_F(DataViewFixture, PrintedPagesCarryTitleTimingAndRecordLines)
{
    CKivDataDoc* doc = OpenData(400);
    ASSERT_NE(doc, nullptr);
    CKivDataFrame* frame = FrameOf(doc);
    frame->OnDataView(datacmd::kPageValues);
    auto* values = ViewOf<CKivDataChDataView>(doc);
    ASSERT_NE(values, nullptr);
    fw::RecordingSink sink(4000, 6000, 600, true);
    fw::CDC dc(&sink);
    fw::CPrintInfo info;
    info.m_rectDraw = fw::CRect(0, 0, 4000, 6000);
    ASSERT_TRUE(values->OnPreparePrinting(&info));
    values->OnBeginPrinting(&dc, &info);
    const int pages = values->GetPrintPageCount(dc);
    EXPECT_GT(pages, 1) << "400 samples need more than one page";
    EXPECT_EQ(info.GetMaxPage(), static_cast<unsigned>(pages));
    const fw::CRect print = values->GetPrintRect();
    EXPECT_EQ(print.left, 400);
    EXPECT_GT(print.top, 300) << "three header lines stand above the grid";

    values->OnDraw(&dc);
    fw::CString timing;
    fw::CString record;
    frame->GetTimingText(timing, ' ');
    frame->GetRecordText(record, ' ');
    size_t title = std::string::npos;
    size_t timingAt = std::string::npos;
    size_t recordAt = std::string::npos;
    const auto& log = sink.Log();
    for (size_t i = 0; i < log.size(); ++i) {
        if (log[i].find("振動試験") != std::string::npos)
            title = std::min(title, i);
        if (!timing.IsEmpty() && log[i].find(timing.str()) != std::string::npos)
            timingAt = std::min(timingAt, i);
        if (!record.IsEmpty() && log[i].find(record.str()) != std::string::npos)
            recordAt = std::min(recordAt, i);
    }
    ASSERT_NE(title, std::string::npos);
    ASSERT_NE(timingAt, std::string::npos) << timing.str();
    ASSERT_NE(recordAt, std::string::npos) << record.str();
    EXPECT_LT(title, timingAt);
    EXPECT_LT(timingAt, recordAt);
}

} // namespace
} // namespace dataview

#include "data/views/DataSetSelect.h"
#include "framework/ui/Controls.h"

namespace dataview {
namespace {

void Press(fw::CDialog& d, int id)
{
    auto* button = d.GetDlgItemAs<fw::CButton>(id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    button->Click();
}

TEST_F(DataViewFixture, ThinningDialogTakesACountUpToItsBound)
{
    uiDialogs.On(CMabikiDlg::kTemplateId, [this](fw::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(CMabikiDlg::kIdCount).str(), "1");
        d.SetDlgItemText(CMabikiDlg::kIdCount, "11");
        services.prompt.Expect(61714, fw::IDOK);
        Press(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded()) << "beyond the bound the dialog stays";
        d.SetDlgItemText(CMabikiDlg::kIdCount, "3");
        Press(d, fw::IDOK);
        return 0;
    });
    EXPECT_EQ(AskThinningCount(10), 3);
    uiDialogs.On(CMabikiDlg::kTemplateId, [](fw::CDialog& d) {
        Press(d, fw::IDCANCEL);
        return 0;
    });
    EXPECT_EQ(AskThinningCount(10), -1);
}

} // namespace
} // namespace dataview
