// The grid window: layout, geometry, painting, selection with the mouse,
// key stepping, scrolling and the wheel.

#include "tests/grid/views/GridFixture.h"

#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "grid/model/GridArray.h"
#include "grid/model/GridColors.h"
#include "grid/model/GridJob.h"

#include "framework/core/Exceptions.h"

#include <QImage>
#include <QScrollBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

using gridtest::GridFixture;

namespace {

TEST(GridWindow, LaysOutFourPanesAroundTheHeaders)
{
    GridFixture f;
    EXPECT_EQ(f.grid.GetHeaderSize(), fw::CSize(50, 20));
    EXPECT_EQ(f.grid.GetPane(kIndexCorner)->Widget()->geometry(), QRect(0, 0, 50, 20));
    const QRect sheet = f.SheetWidget()->geometry();
    EXPECT_EQ(sheet.topLeft(), QPoint(50, 20));
    EXPECT_EQ(f.grid.GetPane(kIndexColumnHeader)->Widget()->geometry().left(), 50);
    EXPECT_EQ(f.grid.GetPane(kIndexRowHeader)->Widget()->geometry().top(), 20);
    EXPECT_THROW(f.grid.GetPane(4), fw::CInvalidArgException);
}

TEST(GridWindow, GeometryCountsCutColumnsOnlyWhenAsked)
{
    GridFixture f(10, 100, 50 + 64 * 3 + 30 + 20, 300);
    CZELGridPane* sheet = f.Sheet();
    const int client = sheet->GetClientRect().Width();
    ASSERT_GT(client, 64 * 3);
    ASSERT_LT(client, 64 * 4);
    EXPECT_EQ(sheet->CountVisibleColumns(0, false), 4);
    EXPECT_EQ(sheet->CountVisibleColumns(0, true), 3);
    EXPECT_EQ(sheet->GetColumnOffset(3), 192);
    EXPECT_EQ(sheet->GetCellRect({2, 1, 3, 2}), fw::CRect(64, 40, 192, 80));
    const CCellRange inRect = sheet->GetCellsInRect(fw::CRect(70, 25, 130, 45), 0, 0, false);
    EXPECT_EQ(inRect, (CCellRange{1, 1, 2, 2}));
    f.grid.ScrollTo(2, 10);
    EXPECT_EQ(sheet->GetColumnOffset(1), -64);
    EXPECT_EQ(sheet->GetRowOffset(12), 40);
}

TEST(GridWindow, PaintingAsksOnlyForCellsInTheClipBox)
{
    GridFixture f;
    f.grid.cells[{0, 1}] = "x";
    f.grid.drawnAsked.clear();
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    dc.IntersectClipRect(70, 25, 120, 38);
    f.Sheet()->Paint(dc, 0, 0);
    ASSERT_EQ(f.grid.drawnAsked.size(), 1u);
    EXPECT_EQ(f.grid.drawnAsked[0], std::make_pair(1, 1));
}

TEST(GridWindow, HiddenPaneAndEmptyTablePaintNoCells)
{
    GridFixture f(5, 0);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    f.Sheet()->Paint(dc, 0, 0);
    EXPECT_TRUE(f.grid.drawnAsked.empty());
    EXPECT_EQ(f.Sheet()->GetVisibleExtent().cy, 0);
    // An empty table scrolls and steps without touching a row.
    f.grid.OnScroll(SB_NONE | (SB_PAGEDOWN << 8), 0, true);
    f.Key(Qt::Key_Down);
    f.Key(Qt::Key_End, Qt::ControlModifier);
    const QImage image = f.parent.Widget()->grab().toImage();
    EXPECT_FALSE(image.isNull());
    f.grid.ShowRowHeader(false);
    EXPECT_FALSE(f.grid.GetPane(kIndexCorner)->IsVisible());
    EXPECT_EQ(f.grid.GetPane(kIndexRowHeader)->GetVisibleExtent(), fw::CSize());
    f.grid.ShowRowHeader(true);
    EXPECT_TRUE(f.grid.GetPane(kIndexCorner)->IsVisible());
}

TEST(GridWindow, RendersLinesHeadersTextAndInvertedSelection)
{
    GridFixture f;
    f.grid.cells[{1, 1}] = "MMMM";
    f.Click(0, 0);
    f.grid.SetSelection({0, 0, 1, 0}, {0, 0}, {1, 0}, true);
    const QImage image = f.parent.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto at = [&](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };
    // Header cells are filled with the button face colour.
    EXPECT_EQ(at(50 + 30, 15), 0xF0F0F0u);
    // A vertical grid line of the sheet at the right of column 1 (light grey).
    EXPECT_EQ(at(50 + 128, 20 + 50), 0xC0C0C0u);
    // Unselected empty cell: the window colour.
    EXPECT_EQ(at(50 + 200, 20 + 50), 0xFFFFFFu);
    // Row 1 of the selection is inverted (white becomes black).
    EXPECT_EQ(at(50 + 30, 20 + 30), 0x000000u);
    // Cell (1, 1) holds dark text pixels.
    bool dark = false;
    for (int x = 50 + 66; x < 50 + 126; ++x)
        for (int y = 20 + 22; y < 20 + 38; ++y)
            dark = dark || qGray(image.pixel(x, y)) < 100;
    EXPECT_TRUE(dark);
}

TEST(GridWindow, ClickAndDragSelectCellsAndTellTheParent)
{
    GridFixture f;
    QWidget* sheet = f.SheetWidget();
    f.Press(sheet, f.CellCentre(2, 1));
    EXPECT_EQ(f.Sheet()->GetCurrentCell(), (CCellIndices{2, 1}));
    EXPECT_EQ(f.Sheet()->GetDragState(), kDragCells);
    f.Move(sheet, f.CellCentre(4, 3));
    f.Release(sheet, f.CellCentre(4, 3));
    EXPECT_EQ(f.grid.GetSelection(), (CCellRange{2, 1, 4, 3}));
    EXPECT_EQ(f.Sheet()->GetDragState(), kDragIdle);
    EXPECT_GE(f.parent.Count(WM_GRID_SELCHANGE), 2);
    // Headers follow the current cell.
    EXPECT_EQ(f.grid.GetPane(kIndexColumnHeader)->GetCurrentCell().col, 1);
    f.Click(6, 2, Qt::ShiftModifier);
    EXPECT_EQ(f.grid.GetSelection(), (CCellRange{2, 1, 6, 2}));
}

TEST(GridWindow, WholeColumnSelectionReachesTheColumnHeader)
{
    GridFixture f(10, 20);
    f.grid.SetSelection({0, 2, 19, 3}, {0, 2}, {19, 3}, false);
    EXPECT_EQ(f.grid.GetPane(kIndexColumnHeader)->GetSelection(), (CCellRange{0, 2, 0, 3}));
    EXPECT_FALSE(f.grid.GetPane(kIndexRowHeader)->GetSelection().IsValid());
    f.grid.SetSelection({1, 2, 19, 3}, {1, 2}, {19, 3}, false);
    EXPECT_FALSE(f.grid.GetPane(kIndexColumnHeader)->GetSelection().IsValid());
    // A click on a row header selects whole rows of the sheet.
    QWidget* rowHeader = f.grid.GetPane(kIndexRowHeader)->Widget();
    f.Press(rowHeader, QPoint(20, 20 * 4 + 10));
    f.Release(rowHeader, QPoint(20, 20 * 4 + 10));
    EXPECT_EQ(f.grid.GetSelection(), (CCellRange{4, 0, 4, 9}));
}

struct KeyCase {
    const char* name;
    CCellRange selection;
    CCellIndices current;
    int key;
    Qt::KeyboardModifiers mods;
    CCellIndices expectCurrent;
    CCellRange expectSelection;
};

TEST(GridWindow, KeysStepTheCurrentCellAndStretchTheSelection)
{
    const KeyCase cases[] = {
        {"down", {3, 3, 3, 3}, {3, 3}, Qt::Key_Down, Qt::NoModifier, {4, 3}, {4, 3, 4, 3}},
        {"left at column 0", {3, 0, 3, 0}, {3, 0}, Qt::Key_Left, Qt::NoModifier, {3, 0}, {3, 0, 3, 0}},
        {"tab", {3, 3, 3, 3}, {3, 3}, Qt::Key_Tab, Qt::NoModifier, {3, 4}, {3, 4, 3, 4}},
        {"enter wraps inside 2x2", {2, 2, 3, 3}, {3, 3}, Qt::Key_Return, Qt::NoModifier, {2, 2}, {2, 2, 3, 3}},
        {"tab wraps inside 2x2", {2, 2, 3, 3}, {2, 3}, Qt::Key_Tab, Qt::NoModifier, {3, 2}, {2, 2, 3, 3}},
        {"shift right narrows from the left", {2, 2, 2, 4}, {2, 4}, Qt::Key_Right, Qt::ShiftModifier, {2, 4},
         {2, 3, 2, 4}},
        {"shift right widens", {2, 2, 2, 2}, {2, 2}, Qt::Key_Right, Qt::ShiftModifier, {2, 2}, {2, 2, 2, 3}},
        {"ctrl down", {2, 2, 2, 2}, {2, 2}, Qt::Key_Down, Qt::ControlModifier, {99, 2}, {99, 2, 99, 2}},
        {"ctrl shift left", {2, 2, 2, 4}, {2, 4}, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier, {2, 4},
         {2, 0, 2, 4}},
    };
    for (const KeyCase& c : cases) {
        GridFixture f;
        f.grid.SetSelection(c.selection, c.current, c.current, false);
        f.Key(c.key, c.mods);
        EXPECT_EQ(f.Sheet()->GetCurrentCell(), c.expectCurrent) << c.name;
        EXPECT_EQ(f.grid.GetSelection(), c.expectSelection) << c.name;
    }
}

TEST(GridWindow, TabStepsCellsEvenWithOtherFocusableWindows)
{
    GridFixture f;
    QWidget other(f.parent.Widget());
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    f.Click(1, 1);
    f.SheetWidget()->setFocus();
    f.Key(Qt::Key_Tab);
    EXPECT_EQ(f.Sheet()->GetCurrentCell(), (CCellIndices{1, 2}));
    EXPECT_EQ(QApplication::focusWidget(), f.SheetWidget());
    f.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), f.SheetWidget());
}

TEST(GridWindow, SingleSelectionIgnoresShift)
{
    GridFixture f;
    f.style->m_sheet.m_nSelFlags = kSelectCells | kSelectSingle;
    f.grid.SetSelection({2, 2, 2, 2}, {2, 2}, {2, 2}, false);
    f.Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(f.Sheet()->GetCurrentCell(), (CCellIndices{2, 3}));
    EXPECT_EQ(f.grid.GetSelection(), (CCellRange{2, 3, 2, 3}));
    f.Click(5, 5, Qt::ShiftModifier);
    EXPECT_EQ(f.grid.GetSelection(), (CCellRange{5, 5, 5, 5}));
}

TEST(GridWindow, SteppingPastTheBottomScrollsOneLine)
{
    GridFixture f;
    int32_t cols = 0, rows = 0;
    f.grid.GetVisibleCellCount(cols, rows);
    const int32_t lastWhole = f.Sheet()->CountVisibleRows(0, true) - 1;
    f.grid.SetSelection(CCellRange::Cell({lastWhole, 0}), {lastWhole, 0}, {lastWhole, 0}, false);
    f.Key(Qt::Key_Down);
    EXPECT_EQ(f.Sheet()->GetCurrentCell().row, lastWhole + 1);
    EXPECT_EQ(f.Sheet()->GetCellPosition(lastWhole + 1, 0), 0);
    EXPECT_GE(f.grid.GetTopLeftCell().row, 1);
    // Far away: the view jumps.
    f.Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(f.Sheet()->GetCurrentCell().row, 99);
    EXPECT_EQ(f.Sheet()->GetCellPosition(99, 0), 0);
}

TEST(GridWindow, BringingATallRowIntoViewStopsAtThatRow)
{
    GridFixture f;
    f.style->SetRowHeights(0, 1000, 100);
    f.grid.EnsureCellVisible(5, 0, true);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, 5);
    f.grid.EnsureCellVisible(2, 0, true);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, 2);
}

TEST(GridWindow, PagingMovesByWhatFitsAndAtLeastOneLine)
{
    GridFixture f;
    const int32_t fit = f.Sheet()->CountVisibleRows(0, true);
    f.grid.OnScroll(SB_NONE | (SB_PAGEDOWN << 8), 0, true);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, fit);
    f.grid.OnScroll(SB_NONE | (SB_PAGEUP << 8), 0, true);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, 0);
    f.grid.OnScroll(SB_NONE | (SB_PAGEUP << 8), 0, true);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, 0);
    // A line higher than the sheet still pages by one.
    f.style->SetRowHeights(0, 1000, 1);
    f.grid.OnScroll(SB_NONE | (SB_PAGEDOWN << 8), 0, true);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, 1);
    f.grid.OnScroll(SB_NONE | (SB_BOTTOM << 8), 0, true);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, 99);
}

TEST(GridWindow, WheelStepsAccumulateIntoNotches)
{
    GridFixture f;
    auto wheel = [&](int delta, Qt::KeyboardModifiers mods) {
        const QPoint p(100, 100);
        QWheelEvent e(p, f.grid.Widget()->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.grid.Widget(), &e);
    };
    wheel(-40, Qt::NoModifier);
    wheel(-40, Qt::NoModifier);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, 0);
    wheel(-40, Qt::NoModifier);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, 3);
    wheel(-120, Qt::ShiftModifier);
    EXPECT_EQ(f.grid.GetTopLeftCell(), (CCellIndices{3, 0}));
    wheel(-120, Qt::ControlModifier);
    EXPECT_EQ(f.grid.GetTopLeftCell(), (CCellIndices{3, 3}));
    wheel(120, Qt::NoModifier);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, 0);
}

TEST(GridWindow, ScrollBarsFollowThePosition)
{
    GridFixture f;
    QScrollBar* vertical = f.grid.ScrollBar(1);
    ASSERT_NE(vertical, nullptr);
    EXPECT_TRUE(vertical->isVisible());
    f.grid.ScrollTo(0, 40);
    EXPECT_EQ(vertical->value(), 40);
    EXPECT_EQ(vertical->maximum(), 99);
    vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, 41);
}

TEST(GridWindow, RowBorderDragSizesTheSelectedRows)
{
    GridFixture f(10, 100);
    f.style->SetDefaultSizes(50, 20, 50, -20, 64, 20);  // one height per row
    f.style->m_sheet.m_nRows = 100;
    CZELGridStyle other;
    f.grid.SetStyle(nullptr);
    auto style = gridtest::MakeStyle(10, 100, 20);
    f.grid.SetStyle(style.get());
    CZELGridPane* rowHeader = f.grid.GetPane(kIndexRowHeader);
    f.grid.SetSelection({3, 0, 6, 9}, {3, 0}, {6, 9}, false);
    rowHeader->SetSelection({3, 0, 6, 0}, false);
    QWidget* w = rowHeader->Widget();
    const int border = 5 * 20;  // bottom of row 4
    f.Press(w, QPoint(20, border));
    EXPECT_EQ(rowHeader->GetDragState(), kDragRowBorder);
    f.Move(w, QPoint(20, border + 15));
    f.Release(w, QPoint(20, border + 15));
    for (int r = 3; r <= 6; ++r)
        EXPECT_EQ(f.Sheet()->GetRowHeight(r), 35) << r;
    EXPECT_EQ(f.Sheet()->GetRowHeight(2), 20);
    EXPECT_TRUE(style->IsModified());
    EXPECT_EQ(f.grid.undo.back(), kChangeRowHeights);
    f.grid.SetStyle(nullptr);
}

TEST(GridWindow, RowHeaderColumnsFollowADraggedCorner)
{
    GridFixture f(10, 30);
    f.style->m_corner.m_bColResize = 1;
    f.style->m_corner.m_nSelFlags = 0;
    CZELGridPane* corner = f.grid.GetPane(kIndexCorner);
    QWidget* w = corner->Widget();
    f.Press(w, QPoint(50, 10));
    ASSERT_EQ(corner->GetDragState(), kDragColumnBorder);
    f.Move(w, QPoint(50, 10));
    // The grid widens the room so that the corner can grow past its window.
    corner->OnMouseMove(fw::MK_LBUTTON, fw::CPoint(80, 10));
    f.Release(w, QPoint(80, 10));
    EXPECT_EQ(corner->GetColumnWidth(0), 80);
    EXPECT_EQ(f.grid.GetPane(kIndexRowHeader)->GetColumnWidth(0), 80);
    EXPECT_EQ(f.grid.GetHeaderSize().cx, 80);
}

TEST(GridWindow, StyleCountChangesKeepTheGridInside)
{
    GridFixture f(20, 50);
    f.grid.ScrollTo(10, 30);
    f.grid.SetSelection({35, 12, 40, 14}, {40, 12}, {40, 14}, false);
    f.style->SetColumnCount(4);
    EXPECT_EQ(f.grid.GetTopLeftCell(), (CCellIndices{30, 3}));
    EXPECT_EQ(f.Sheet()->GetCurrentCell(), (CCellIndices{30, 3}));
    f.style->SetRowCount(0);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, -1);
    const QImage image = f.parent.Widget()->grab().toImage();
    EXPECT_FALSE(image.isNull());
}

TEST(GridWindow, GridWithoutStyleDrawsNothing)
{
    gridtest::RecordingParent parent;
    gridtest::TableGrid grid;
    grid.Create(fw::CRect(0, 0, 200, 100), &parent, 7);
    grid.RecalcLayout(true);
    EXPECT_FALSE(grid.ScrollBar(1)->isVisible());
    EXPECT_EQ(grid.GetSheetPane()->Widget()->geometry().width(), 0);
    EXPECT_FALSE(grid.OnScroll(SB_LINEDOWN, 0, true));
}

TEST(GridWindow, DestroyedStyleLeavesTheGridEmpty)
{
    gridtest::RecordingParent parent;
    gridtest::TableGrid grid;
    grid.Create(fw::CRect(0, 0, 200, 100), &parent, 7);
    {
        auto style = gridtest::MakeStyle(3, 3);
        grid.SetStyle(style.get());
    }
    EXPECT_EQ(grid.GetStyle(), nullptr);
    EXPECT_EQ(grid.GetSheetPane()->GetPaneStyle(), nullptr);
}

} // namespace

namespace {

TEST(GridWindow, DraggingBelowThePaneScrollsOneLinePerTick)
{
    GridFixture f;
    QWidget* sheet = f.SheetWidget();
    f.Press(sheet, f.CellCentre(1, 1));
    const int below = sheet->height() + 10;
    f.Move(sheet, QPoint(f.CellCentre(1, 1).x(), below));
    f.parent.messages.clear();
    const int32_t top = f.grid.GetTopLeftCell().row;
    f.Sheet()->OnTimer(kAutoScrollTimer);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, top + 1);
    f.Sheet()->OnTimer(kAutoScrollTimer);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, top + 2);
    int32_t cols = 0, rows = 0;
    f.Sheet()->GetVisibleCounts(cols, rows);
    EXPECT_EQ(f.grid.GetSelection().top, 1);
    EXPECT_EQ(f.grid.GetSelection().bottom, f.grid.GetTopLeftCell().row + rows - 1);
    f.Release(sheet, QPoint(10, below));
    // Without the mouse the timer stops.
    f.Sheet()->OnTimer(kAutoScrollTimer);
    EXPECT_EQ(f.grid.GetTopLeftCell().row, top + 2);
}

// Records the owner's drop-down and check-box notices.
class ButtonGrid : public gridtest::TableGrid {
public:
    std::vector<std::string> notices;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint) override
    {
        notices.push_back("drop " + std::to_string(row) + "," + std::to_string(col));
    }
    void OnCheckBoxClick(int32_t col, int32_t row, fw::CPoint) override
    {
        notices.push_back("check " + std::to_string(row) + "," + std::to_string(col));
    }
    void GetSheetCellFormat(CellFormat& format, int32_t col, int32_t) override
    {
        if (col == 5)
            format.nFlags |= kCellCheckBox;
    }
};

TEST(GridWindow, DropDownOpensOnlyNearTheCurrentCellsRightEdge)
{
    gridtest::RecordingParent parent;
    auto style = gridtest::MakeStyle(8, 20);
    style->m_sheet.m_format.nFlags |= kCellDropButton;
    ButtonGrid grid;
    grid.Create(fw::CRect(0, 0, 600, 300), &parent, 5);
    grid.SetStyle(style.get());
    CZELGridPane* sheet = grid.GetSheetPane();
    QWidget* w = sheet->Widget();
    auto click = [&](int x, int y) {
        QMouseEvent press(QEvent::MouseButtonPress, QPoint(x, y), w->mapToGlobal(QPoint(x, y)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPoint(x, y), w->mapToGlobal(QPoint(x, y)), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &release);
    };
    click(64 + 60, 30);  // near the right edge of (1, 1), not yet current
    EXPECT_TRUE(grid.notices.empty());
    EXPECT_EQ(sheet->GetCurrentCell(), (CCellIndices{1, 1}));
    click(64 + 60, 30);
    ASSERT_EQ(grid.notices.size(), 1u);
    EXPECT_EQ(grid.notices[0], "drop 1,1");
    click(64 + 20, 30);  // the middle of the cell: no drop-down
    EXPECT_EQ(grid.notices.size(), 1u);
    // A check box cell: a click inside the box.
    click(5 * 64 + 5, 2 * 20 + 10);
    ASSERT_EQ(grid.notices.size(), 2u);
    EXPECT_EQ(grid.notices[1], "check 2,5");
    EXPECT_EQ(sheet->GetCurrentCell(), (CCellIndices{2, 5}));
    grid.SetStyle(nullptr);
}

TEST(GridWindow, PositionTravelsAsARangeJob)
{
    GridFixture f;
    f.grid.SetSelection({2, 1, 4, 3}, {2, 1}, {4, 3}, false);
    f.grid.ScrollTo(1, 2);
    CGridJob job;
    f.grid.GetSelectionJob(job);
    GridFixture other;
    other.grid.ApplySelectionJob(job);
    EXPECT_EQ(other.grid.GetSelection(), (CCellRange{2, 1, 4, 3}));
    EXPECT_EQ(other.Sheet()->GetSelectionEnd(), (CCellIndices{4, 3}));
    EXPECT_EQ(other.grid.GetTopLeftCell(), (CCellIndices{2, 1}));
    EXPECT_EQ(other.parent.Count(WM_GRID_SELCHANGE), 1);
}

TEST(GridWindow, GridLeavesTheStyleItNoLongerShows)
{
    gridtest::RecordingParent parent;
    auto first = gridtest::MakeStyle(4, 4);
    auto second = gridtest::MakeStyle(4, 4);
    {
        gridtest::TableGrid grid;
        grid.Create(fw::CRect(0, 0, 300, 200), &parent, 5);
        grid.SetStyle(first.get());
        grid.SetStyle(second.get());
        EXPECT_TRUE(first->GetGrids().empty());
        EXPECT_EQ(second->GetGrids().size(), 1u);
    }
    EXPECT_TRUE(second->GetGrids().empty());
    first->SetRowCount(2);  // reaches no grid that is gone
}

TEST(GridWindow, ColumnHeaderClickSelectsWholeColumns)
{
    GridFixture f(10, 30);
    QWidget* header = f.grid.GetPane(kIndexColumnHeader)->Widget();
    f.Press(header, QPoint(64 * 2 + 30, 10));
    f.Move(header, QPoint(64 * 3 + 30, 10));
    f.Release(header, QPoint(64 * 3 + 30, 10));
    EXPECT_EQ(f.grid.GetSelection(), (CCellRange{0, 2, 29, 3}));
    EXPECT_EQ(f.Sheet()->GetCurrentCell().col, 2);
    EXPECT_GE(f.parent.Count(WM_GRID_SELCHANGE), 1);
}

TEST(GridWindow, ColumnBorderDragInTheHeaderWidensTheColumn)
{
    GridFixture f(10, 30);
    CZELGridPane* header = f.grid.GetPane(kIndexColumnHeader);
    QWidget* w = header->Widget();
    f.Press(w, QPoint(64, 10));
    EXPECT_EQ(header->GetDragState(), kDragColumnBorder);
    f.Move(w, QPoint(100, 10));
    f.Release(w, QPoint(100, 10));
    EXPECT_EQ(f.Sheet()->GetColumnWidth(0), 100);
    EXPECT_TRUE(f.style->IsModified());
    // Dragging cannot make a width negative.
    f.Press(w, QPoint(164, 10));
    f.Move(w, QPoint(-50, 10));
    f.Release(w, QPoint(-50, 10));
    EXPECT_EQ(f.Sheet()->GetColumnWidth(1), 0);
}

} // namespace
