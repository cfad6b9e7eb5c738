// The input page's column header: a caption of its own fills both header
// rows, a group's caption runs once over its columns' upper row, and the
// settings' captions stand in bold.

#include "tests/project/views/ProjectWindowFixture.h"

#include "framework/core/DC.h"
#include "framework/core/DrawSink.h"
#include "framework/core/Gdi.h"
#include "framework/core/RecordingSink.h"
#include "grid/model/DrawCell.h"
#include "grid/views/GridPane.h"

#include <string>
#include <vector>

namespace prjview {
namespace {

// Notes each text with the box it fills and its font's weight.
class CaptionSink final : public fw::IDrawSink {
public:
    struct Caption {
        std::string text;
        fw::CRect box;
        int weight;
    };
    void Line(const fw::CDC&, fw::CPoint, fw::CPoint) override {}
    void Polyline(const fw::CDC&, const std::vector<fw::CPoint>&) override {}
    void Polygon(const fw::CDC&, const std::vector<fw::CPoint>&, int) override {}
    void Rectangle(const fw::CDC&, const fw::CRect&) override {}
    void Ellipse(const fw::CDC&, const fw::CRect&) override {}
    void FillRect(const fw::CDC&, const fw::CRect&, const fw::CBrush&) override {}
    void Text(const fw::CDC& dc, fw::CPoint, const fw::CString& text, const fw::CRect*, const fw::CRect* clip) override
    {
        captions.push_back({text.str(), clip ? *clip : fw::CRect(), dc.GetCurrentFont().Info().lfWeight});
    }
    void SetPixel(const fw::CDC&, fw::CPoint, fw::COLORREF) override {}
    fw::CSize TextExtent(const fw::CDC& dc, const fw::CString& text) override { return m_measure.TextExtent(dc, text); }
    fw::TEXTMETRIC TextMetrics(const fw::CDC& dc) override { return m_measure.TextMetrics(dc); }
    int DeviceCaps(int index) const override { return m_measure.DeviceCaps(index); }

    std::vector<Caption> captions;

private:
    fw::RecordingSink m_measure;
};

class ChannelHeaderTest : public ProjectWindowFixture {
protected:
    struct Case {
        int col, row;
        const char* text;
        int firstCol, lastCol, firstRow, lastRow;
        int weight;
    };
    // Draws each case's cell on the screen and checks the box and weight
    // of the caption it draws (the pane's own font weighs 400).
    void Check(CProjectBaseView* page, const std::vector<Case>& cases)
    {
        const CZELGridPane* pane = page->GetGrid()->GetPane(kIndexColumnHeader);
        ASSERT_EQ(pane->RowCount(), 2);
        auto x = [&](int col) {
            int at = 0;
            for (int c = 0; c < col; ++c)
                at += pane->GetColumnWidth(c);
            return at;
        };
        const int y[3] = {0, pane->GetRowHeight(0), pane->GetRowHeight(0) + pane->GetRowHeight(1)};
        for (const Case& k : cases) {
            SCOPED_TRACE(std::to_string(k.col) + "," + std::to_string(k.row));
            CaptionSink sink;
            fw::CDC dc(&sink);
            CZELDrawCell cell;
            cell.m_pDC = &dc;
            cell.m_format.lf.lfWeight = 400;
            cell.m_nCol = k.col;
            cell.m_nRow = k.row;
            cell.m_rcCell = fw::CRect(x(k.col), y[k.row], x(k.col + 1), y[k.row + 1]);
            cell.m_rcText = cell.m_rcCell;
            page->DrawColumnHeaderCell(cell);
            ASSERT_FALSE(sink.captions.empty());
            EXPECT_EQ(sink.captions.front().text, k.text);
            EXPECT_EQ(sink.captions.front().box,
                      fw::CRect(x(k.firstCol), y[k.firstRow], x(k.lastCol + 1), y[k.lastRow + 1]));
            EXPECT_EQ(sink.captions.front().weight, k.weight);
        }
    }
};

TEST_F(ChannelHeaderTest, CaptionsSpanTheColumnsAndRowsTheyHead)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    CPrjChView* page = ChannelPage(doc);
    ASSERT_NE(page, nullptr);
    const CZELGridPane* pane = page->GetGrid()->GetPane(kIndexColumnHeader);
    ASSERT_EQ(pane->RowCount(), 2);
    auto x = [&](int col) {
        int at = 0;
        for (int c = 0; c < col; ++c)
            at += pane->GetColumnWidth(c);
        return at;
    };
    const int y[3] = {0, pane->GetRowHeight(0), pane->GetRowHeight(0) + pane->GetRowHeight(1)};

    struct Case {
        int layout, col, row;
        const char* text;
        int firstCol, lastCol, firstRow, lastRow;
        bool bold;
    };
    const Case cases[] = {
        {0, 2, 1, "入力ﾓｰﾄﾞ", 2, 2, 0, 1, true},    {0, 1, 0, "名前", 1, 1, 0, 1, false},
        {0, 5, 0, "ﾛｰﾊﾟｽﾌｨﾙﾀ", 4, 5, 0, 0, true}, {0, 5, 1, "特性", 5, 5, 1, 1, true},
        {0, 11, 0, "校正", 9, 12, 0, 0, true},       {0, 12, 1, "シフト", 12, 12, 1, 1, false},
        {0, 17, 0, "オプション", 15, 17, 0, 0, false}, {1, 8, 0, "校正", 7, 10, 0, 0, true},
        {1, 14, 0, "オプション", 13, 15, 0, 0, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.layout) + ": " + std::to_string(k.col) + "," + std::to_string(k.row));
        projectHost.highPass = k.layout == 0;
        doc->UpdateAllViews(nullptr, 53);
        CaptionSink sink;
        fw::CDC dc(&sink);
        CZELDrawCell cell;
        cell.m_pDC = &dc;
        cell.m_format.lf.lfWeight = 400;
        cell.m_nCol = k.col;
        cell.m_nRow = k.row;
        cell.m_rcCell = fw::CRect(x(k.col), y[k.row], x(k.col + 1), y[k.row + 1]);
        cell.m_rcText = cell.m_rcCell;
        page->DrawColumnHeaderCell(cell);
        ASSERT_FALSE(sink.captions.empty());
        const CaptionSink::Caption& drawn = sink.captions.front();
        EXPECT_EQ(drawn.text, k.text);
        EXPECT_EQ(drawn.box, fw::CRect(x(k.firstCol), y[k.firstRow], x(k.lastCol + 1), y[k.lastRow + 1]));
        EXPECT_EQ(drawn.weight, k.bold ? 600 : 400);
    }
}

TEST_F(ChannelHeaderTest, OutputAndDigitalPagesGroupTheirCaptions)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    auto pageOf = [&](unsigned id) {
        CZELGridSplitter* window = FrameOf(doc)->PageWindow(id);
        return window ? dynamic_cast<CProjectBaseView*>(window->GetPane(0, 0)) : nullptr;
    };
    CProjectBaseView* output = pageOf(prjcmd::kPageOutput);
    ASSERT_NE(output, nullptr);
    Check(output, {{2, 0, "入力ｃｈ.", 0, 3, 0, 0, 400},
                   {2, 1, "IN3", 2, 2, 1, 1, 400},
                   {4, 1, "出力電圧", 4, 4, 0, 1, 400},
                   {6, 0, "出力感度", 5, 6, 0, 0, 400},
                   {7, 0, "校正値\n[μ.mV.℃]", 7, 7, 0, 1, 400}});
    CProjectBaseView* digital = pageOf(prjcmd::kPageDigitalIO);
    ASSERT_NE(digital, nullptr);
    Check(digital, {{0, 1, "入力ﾓｰﾄﾞ", 0, 0, 0, 1, 600},
                    {4, 0, "閾値", 2, 4, 0, 0, 600},
                    {3, 1, "Hレベル(mV)", 3, 3, 1, 1, 600}});
}

} // namespace
} // namespace prjview
