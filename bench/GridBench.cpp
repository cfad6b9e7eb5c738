// Repainting and paging a large table answered by callbacks. The grid must
// repaint a visible page well inside one frame (16 ms) and neither cost may
// grow with the number of rows. The baseline draws the same cells straight
// onto the device, without the grid.

#include "framework/core/DC.h"
#include "framework/ui/QPainterSink.h"
#include "framework/ui/Wnd.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"
#include "grid/views/GridPane.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr int kCols = 3240;
constexpr int kWidth = 1280;
constexpr int kHeight = 800;

class CallbackGrid : public CZELGrid {
public:
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int) override
    {
        text.Format("%d.%03d", row, col);
        return true;
    }
    bool GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int) override
    {
        text.Format("%d", row + 1);
        return true;
    }
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int) override
    {
        text.Format("CH%d", col + 1);
        return true;
    }
};

struct Table {
    fw::CWnd host;
    std::unique_ptr<CZELGridStyle> style = std::make_unique<CZELGridStyle>();
    CallbackGrid grid;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};

    explicit Table(int rows)
    {
        host.Attach(new QWidget);
        host.Widget()->resize(kWidth, kHeight);
        style->SetDimensions(1, 1, 1, 1, kCols, rows);
        style->SetDefaultSizes(60, 20, 60, -20, 64, -20);
        style->ApplySizes();
        grid.Create(fw::CRect(0, 0, kWidth, kHeight), &host, 1);
        grid.SetStyle(style.get());
        grid.ScrollTo(kCols / 2, rows / 2);
    }
    ~Table() { grid.SetStyle(nullptr); }

    // Paints the four panes as the window system would.
    void Repaint()
    {
        QPainter painter(&image);
        fw::QPainterSink sink(&painter);
        fw::CDC dc(&sink);
        for (int i = 0; i < 4; ++i) {
            CZELGridPane* pane = grid.GetPane(i);
            const QRect r = pane->Widget()->geometry();
            const int saved = dc.SaveDC();
            dc.SetViewportOrg(r.left(), r.top());
            dc.IntersectClipRect(0, 0, r.width(), r.height());
            pane->PaintArea(dc, fw::CRect(0, 0, r.width(), r.height()));
            dc.RestoreDC(saved);
        }
    }
};

void BM_RepaintPage(benchmark::State& state)
{
    Table table(static_cast<int>(state.range(0)));
    for (auto _ : state)
        table.Repaint();
}
BENCHMARK(BM_RepaintPage)->Arg(1000)->Arg(50000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_PageScroll(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    Table table(rows);
    for (auto _ : state) {
        if (!table.grid.OnScroll(SB_NONE | (SB_PAGEDOWN << 8), 0, true))
            table.grid.ScrollTo(kCols / 2, 0);
        table.Repaint();
    }
}
BENCHMARK(BM_PageScroll)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The floor: the same visible cells, lines and texts drawn straight on the device.
void BM_BaselineDirectDraw(benchmark::State& state)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    fw::LOGFONT lf;
    CZELPaneStyle pane;
    lf = pane.m_format.lf;
    for (auto _ : state) {
        QPainter painter(&image);
        fw::QPainterSink sink(&painter);
        fw::CDC dc(&sink);
        fw::CFont font;
        font.CreatePointFontIndirect(lf);
        dc.SelectObject(&font);
        dc.FillSolidRect(fw::CRect(0, 0, kWidth, kHeight), 0xFFFFFF);
        for (int y = 0; y < kHeight; y += 20) {
            dc.MoveTo(0, y);
            dc.LineTo(kWidth, y);
        }
        for (int x = 0; x < kWidth; x += 64) {
            dc.MoveTo(x, 0);
            dc.LineTo(x, kHeight);
        }
        fw::CString text;
        for (int y = 0; y < kHeight; y += 20)
            for (int x = 0; x < kWidth; x += 64) {
                text.Format("%d.%03d", y, x);
                const fw::CRect cell(x + 1, y + 1, x + 64, y + 20);
                dc.ExtTextOut(x + 2, y + 1, fw::ETO_OPAQUE | fw::ETO_CLIPPED, &cell, text);
            }
    }
}
BENCHMARK(BM_BaselineDirectDraw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
