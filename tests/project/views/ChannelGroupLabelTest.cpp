// The control unit's and the unit's names on the channel page stand turned
// upright in their merged row-header cells: at the size of the header's
// other texts, and never outside their group's rows, on screen and printed.

#include "tests/project/views/ProjectWindowFixture.h"

#include "framework/core/DC.h"
#include "framework/core/DrawSink.h"
#include "framework/core/Gdi.h"
#include "framework/core/RecordingSink.h"
#include "framework/ui/QPainterSink.h"
#include "grid/model/DrawCell.h"
#include "grid/model/PaneStyle.h"
#include "grid/views/GridPane.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <string>
#include <vector>

namespace prjview {
namespace {

// Notes each text with its reference point, its clip and its font.
class LabelSink final : public fw::IDrawSink {
public:
    struct Drawn {
        std::string text;
        fw::CPoint ref;
        bool clipped;
        fw::CRect clip;
        fw::LOGFONT lf;
    };
    void Line(const fw::CDC&, fw::CPoint, fw::CPoint) override {}
    void Polyline(const fw::CDC&, const std::vector<fw::CPoint>&) override {}
    void Polygon(const fw::CDC&, const std::vector<fw::CPoint>&, int) override {}
    void Rectangle(const fw::CDC&, const fw::CRect&) override {}
    void Ellipse(const fw::CDC&, const fw::CRect&) override {}
    void FillRect(const fw::CDC&, const fw::CRect&, const fw::CBrush&) override {}
    void Text(const fw::CDC& dc, fw::CPoint ref, const fw::CString& text, const fw::CRect*, const fw::CRect* clip) override
    {
        if (!text.IsEmpty())
            texts.push_back({text.str(), ref, clip != nullptr, clip ? *clip : fw::CRect(), dc.GetCurrentFont().Info()});
    }
    void SetPixel(const fw::CDC&, fw::CPoint, fw::COLORREF) override {}
    fw::CSize TextExtent(const fw::CDC& dc, const fw::CString& text) override { return m_measure.TextExtent(dc, text); }
    fw::TEXTMETRIC TextMetrics(const fw::CDC& dc) override { return m_measure.TextMetrics(dc); }
    int DeviceCaps(int index) const override { return m_measure.DeviceCaps(index); }

    std::vector<Drawn> texts;

private:
    fw::RecordingSink m_measure;
};

class ChannelGroupLabelTest : public ProjectWindowFixture {
protected:
    void SetUp() override
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        page = ChannelPage(doc);
        ASSERT_NE(page, nullptr);
        pane = page->GetGrid()->GetPane(kIndexRowHeader);
        ASSERT_NE(pane, nullptr);
        ASSERT_GE(pane->ColumnCount(), 3);
        rowHeight = pane->GetRowHeight(0);
        ASSERT_GT(rowHeight, 0);
    }
    int ColumnLeft(int col) const
    {
        int x = 0;
        for (int c = 0; c < col; ++c)
            x += pane->GetColumnWidth(c);
        return x;
    }
    // The row-header cell at (col, row), as the pane hands it over.
    void Fill(CZELDrawCell& cell, fw::CDC& dc, int col, int row) const
    {
        cell.m_pDC = &dc;
        cell.m_format = pane->GetPaneStyle()->m_format;
        cell.m_format.crBack = fw::RGB(255, 255, 255);
        cell.m_nCol = col;
        cell.m_nRow = row;
        const int left = ColumnLeft(col);
        cell.m_rcCell = fw::CRect(left, row * rowHeight, left + pane->GetColumnWidth(col), (row + 1) * rowHeight);
        cell.m_rcText = cell.m_rcCell;
    }

    CKIV5980Doc* doc = nullptr;
    CPrjChView* page = nullptr;
    CZELGridPane* pane = nullptr;
    int rowHeight = 0;
};

TEST_F(ChannelGroupLabelTest, TurnedNamesUseTheHeadersFontAndStayInTheirGroupsCells)
{
    LabelSink sink;
    fw::CDC dc(&sink);
    pane->Paint(dc, 0, 0);
    const fw::CRect unitColumn(ColumnLeft(1), 0, ColumnLeft(3), 1 << 20);
    int upright = 0;
    for (const LabelSink::Drawn& t : sink.texts) {
        if (t.lf.lfEscapement == 0 && upright == 0)
            upright = t.lf.lfHeight;
    }
    ASSERT_NE(upright, 0);
    int turned = 0;
    for (const LabelSink::Drawn& t : sink.texts) {
        if (t.lf.lfEscapement == 0)
            continue;
        SCOPED_TRACE(t.text);
        ++turned;
        EXPECT_EQ(t.lf.lfEscapement, 900);
        EXPECT_EQ(t.lf.lfHeight, upright) << "the size of the header's other texts";
        ASSERT_TRUE(t.clipped);
        EXPECT_TRUE(t.clip.left == ColumnLeft(1) || t.clip.left == ColumnLeft(2));
        EXPECT_LE(t.clip.right, unitColumn.right);
        EXPECT_EQ(t.clip.top % rowHeight, 0);
        EXPECT_EQ(t.clip.Height() % rowHeight, 0);
        EXPECT_GE(t.clip.Height(), rowHeight);
        EXPECT_TRUE(t.clip.PtInRect(t.ref));
    }
    EXPECT_GT(turned, 0);
}

// The ink of a label drawn by a cell inside its group, on a white page.
struct InkCase {
    const char* name;
    int col;
    bool printing;
    int dpi;
};

TEST_F(ChannelGroupLabelTest, RenderedLabelsKeepTheirInkInsideTheMergedCell)
{
    const InkCase cases[] = {
        {"control_unit_on_screen", 1, false, 96},
        {"unit_on_screen", 2, false, 96},
        {"control_unit_printed", 1, true, 300},
        {"unit_printed", 2, true, 300},
    };
    // Row 1 lies inside its groups, not on their last row (whose cell draws
    // a bottom line across).
    const int row = 1;
    for (const InkCase& k : cases) {
        SCOPED_TRACE(k.name);
        // A group is the run of rows that carry the same name.
        auto label = [&](int r) {
            fw::CString text;
            page->GetRowHeaderText(text, k.col, r, 1);
            return text;
        };
        int last = row;
        while (last + 1 < doc->GetBoxArray().GetMeasuringCount() && label(last + 1) == label(row))
            ++last;
        ASSERT_EQ(label(0), label(row));
        ASSERT_GT(last, row);
        const int rows = last + 1;

        const double scale = k.dpi / 96.0;
        const int width = static_cast<int>(std::ceil(ColumnLeft(3) * scale)) + 8;
        const int height = static_cast<int>(std::ceil(rows * rowHeight * scale)) + 8;
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        fw::QPainterSink sink(&painter, k.dpi, k.printing);
        fw::CDC dc(&sink);
        if (k.dpi != 96) {
            dc.SetMapMode(fw::MM_ANISOTROPIC);
            dc.SetWindowExt(96, 96);
            dc.SetViewportExt(k.dpi, k.dpi);
        }
        CZELDrawCell cell;
        Fill(cell, dc, k.col, row);
        page->DrawRowHeaderCell(cell);
        painter.end();

        const int left = ColumnLeft(k.col);
        fw::CRect merged(left, 0, left + pane->GetColumnWidth(k.col), rows * rowHeight);
        if (k.printing)
            merged.right -= 1;
        const QRect device(static_cast<int>(std::floor(merged.left * scale)), 0,
                           static_cast<int>(std::ceil(merged.Width() * scale)),
                           static_cast<int>(std::ceil(merged.Height() * scale)));
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    ink |= QRect(x, y, 1, 1);
        ASSERT_FALSE(ink.isEmpty()) << "the name is drawn";
        EXPECT_TRUE(device.adjusted(-1, -1, 1, 1).contains(ink))
            << "ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
        // Across the cell the text is one line of the header's font tall.
        fw::CFont headerFont;
        headerFont.CreatePointFontIndirect(cell.m_format.lf);
        const double lineHeight = QFontMetricsF(fw::QPainterSink::FontOf(headerFont.Info())).height() * scale;
        EXPECT_LE(ink.width(), lineHeight + 2);
        EXPECT_GE(ink.width(), lineHeight / 4);
    }
}

} // namespace
} // namespace prjview
