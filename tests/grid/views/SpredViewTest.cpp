// The spreadsheet view: a grid whose owner is the view, in a window and
// in a grid splitter, printed to PDF.

#include "tests/grid/views/GridFixture.h"

#include "framework/core/Document.h"
#include "framework/core/PrintInfo.h"
#include "framework/ui/Print.h"
#include "grid/views/GridRichWnd.h"
#include "grid/views/SpredView.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QScrollBar>
#include <QSplitter>

#include <gtest/gtest.h>

namespace {

class SheetDoc : public fw::CDocument {
};

class NumberView : public CZELSpredView {
    FW_DECLARE_DYNCREATE(NumberView)
public:
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int) override
    {
        text.Format("%d:%d", row, col);
        return true;
    }
};
FW_IMPLEMENT_DYNCREATE(NumberView, CZELSpredView)

int PdfPages(const std::filesystem::path& path)
{
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        pages += pdf.mid(at, 12) != "/Type /Pages";
    return pages;
}

TEST(SpredView, PlainViewNumbersRowsAndEditsNothing)
{
    QWidget host;
    host.resize(400, 300);
    SheetDoc doc;
    CZELSpredView view;
    ASSERT_TRUE(view.Create(&host, &doc));
    view.Widget()->resize(400, 300);
    auto style = gridtest::MakeStyle(5, 50);
    view.SetGridStyle(style.get());
    host.show();
    CZELViewGrid* grid = view.GetGrid();
    EXPECT_EQ(grid->Widget()->size(), QSize(400, 300));
    fw::CString text;
    ASSERT_TRUE(grid->GetRowHeaderText(text, 0, 2, 1));
    EXPECT_EQ(text, "3");
    ASSERT_TRUE(grid->GetSheetText(text, 1, 1, 1));
    EXPECT_EQ(text, "");
    grid->GetSheetPane()->Widget()->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, "5");
    QApplication::sendEvent(grid->GetSheetPane()->Widget(), &press);
    EXPECT_FALSE(grid->GetSheetPane()->IsEditing());
    view.SetGridStyle(nullptr);
}

TEST(SpredView, PrintsEveryPageToPdfAndStopsAtTheAskedLast)
{
    kivtest::TempDir dir;
    QWidget host;
    SheetDoc doc;
    NumberView view;
    ASSERT_TRUE(view.Create(&host, &doc));
    auto style = gridtest::MakeStyle(30, 200);
    view.SetGridStyle(style.get());
    fw::CPrintInfo all;
    all.m_bDirect = true;
    ASSERT_TRUE(fw::PrintViewToPdf(view, fw::CString((dir / "all.pdf").string()), all));
    const int pages = static_cast<int>(view.GetGrid()->GetPages().size());
    EXPECT_GT(pages, 3);
    EXPECT_EQ(PdfPages(dir / "all.pdf"), pages);
    fw::CPrintInfo some;
    some.m_bDirect = true;
    some.m_nFromPage = 2;
    some.m_nToPage = 3;
    ASSERT_TRUE(fw::PrintViewToPdf(view, fw::CString((dir / "some.pdf").string()), some));
    EXPECT_EQ(PdfPages(dir / "some.pdf"), 2);
    view.SetGridStyle(nullptr);
}

TEST(SpredView, SplitterPanesShowOuterHeadersAndShareSelections)
{
    gridtest::RecordingParent host;
    host.Widget()->resize(600, 400);
    SheetDoc doc;
    CZELGridSplitter splitter;
    ASSERT_TRUE(splitter.CreateStatic(&host, 2, 2));
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            ASSERT_TRUE(splitter.CreateView(r, c, FW_RUNTIME_CLASS(NumberView), fw::CSize(300, 200), &doc));
    host.Widget()->show();
    splitter.Widget()->setGeometry(0, 0, 600, 400);
    QApplication::processEvents();
    // The panes' sizes as the user left them.
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            splitter.ViewAt(r, c)->Widget()->resize(300, 200);
    auto style = gridtest::MakeStyle(20, 100);
    ASSERT_TRUE(style->GetMode() & kModeOuterHeaders);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            splitter.ViewAt(r, c)->SetGridStyle(style.get());
    EXPECT_TRUE(splitter.ViewAt(0, 0)->GetGrid()->GetPane(kIndexRowHeader)->IsVisible());
    EXPECT_FALSE(splitter.ViewAt(1, 0)->GetGrid()->GetPane(kIndexColumnHeader)->IsVisible());
    EXPECT_TRUE(splitter.ViewAt(1, 0)->GetGrid()->GetPane(kIndexRowHeader)->IsVisible());
    EXPECT_FALSE(splitter.ViewAt(0, 1)->GetGrid()->GetPane(kIndexRowHeader)->IsVisible());
    // The bars sit on the outer edge: one per splitter row and column.
    auto bars = [&](int r, int c) {
        CZELViewGrid* grid = splitter.ViewAt(r, c)->GetGrid();
        return std::make_pair(grid->ScrollBar(0)->isVisible(), grid->ScrollBar(1)->isVisible());
    };
    EXPECT_EQ(bars(0, 0), std::make_pair(false, false));
    EXPECT_EQ(bars(0, 1), std::make_pair(false, true));
    EXPECT_EQ(bars(1, 0), std::make_pair(true, false));
    EXPECT_EQ(bars(1, 1), std::make_pair(true, true));
    // Applying the style copied no selection; a click does.
    CZELViewGrid* first = splitter.ViewAt(0, 0)->GetGrid();
    CZELGridPane* sheet = first->GetSheetPane();
    const fw::CRect cell = sheet->GetCellRect(CCellRange::Cell({3, 2}));
    const QPoint p((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    QMouseEvent press(QEvent::MouseButtonPress, p, sheet->Widget()->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(sheet->Widget(), &press);
    EXPECT_EQ(first->GetSelection(), CCellRange::Cell({3, 2}));
    EXPECT_EQ(splitter.ViewAt(1, 1)->GetGrid()->GetSelection(), CCellRange::Cell({3, 2}));
    // Scrolling one pane brings its splitter row along.
    first->ScrollTo(0, 10);
    splitter.ViewAt(0, 0)->OnCurrentCellChanged();
    EXPECT_EQ(splitter.ViewAt(0, 1)->GetTopLeftCell().row, 10);
    EXPECT_EQ(splitter.ViewAt(1, 1)->GetTopLeftCell().row, 0);
    // A pane to the right continues its left neighbour.
    splitter.ViewAt(0, 1)->ScrollTo(0, 0);
    splitter.AlignPane(splitter.ViewAt(0, 1));
    EXPECT_EQ(splitter.ViewAt(0, 1)->GetTopLeftCell(),
              (CCellIndices{10, splitter.ViewAt(0, 0)->GetBottomRightCell().col}));
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            splitter.ViewAt(r, c)->SetGridStyle(nullptr);
}

TEST(SpredView, UsedExtentLimitsTheScrollRange)
{
    gridtest::RecordingParent host;
    CZELGridEX grid;
    grid.Create(fw::CRect(0, 0, 300, 200), &host, 3);
    auto style = gridtest::MakeStyle(5, 1000);
    grid.SetStyle(style.get());
    grid.SetUsedExtent(1, 10);
    EXPECT_EQ(grid.GetScrollLimit(1, 0), 10);
    EXPECT_EQ(grid.GetScrollLimit(1, 500), 500);
    grid.ScrollTo(0, 4);
    EXPECT_EQ(grid.ScrollBar(1)->maximum(), 10);
    // Beyond the used part the bar reaches as far as the position.
    grid.ScrollTo(0, 10);
    EXPECT_TRUE(grid.OnScroll(SB_NONE | (SB_LINEDOWN << 8), 0, true));
    EXPECT_EQ(grid.ScrollBar(1)->maximum(), 11);
    // While the thumb is dragged the whole table is in reach.
    grid.OnThumbTracking(1, true);
    EXPECT_TRUE(grid.OnScroll(SB_NONE | (SB_THUMBTRACK << 8), 600, true));
    EXPECT_EQ(grid.GetTopLeftCell().row, 600);
    grid.OnThumbTracking(1, false);
    EXPECT_EQ(grid.ScrollBar(1)->maximum(), 600);
    grid.SetStyle(nullptr);
}

TEST(SpredView, UnitEditorIsAGridEditor)
{
    CUnitEditWnd unit;
    EXPECT_TRUE(unit.IsKindOf(FW_RUNTIME_CLASS(CZELGridRichWnd)));
    CZELDegitEditWnd digits;
    EXPECT_EQ(digits.GetAllowedChars(), "-");
}

} // namespace
