// Scrolling of the grid: positions in lines, the scroll bars, paging,
// the wheel and the keys that move the view, and the tracker line of a
// header border drag.

#include "grid/model/GridArray.h"
#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"
#include "grid/views/GridPane.h"

#include <QApplication>
#include <QPalette>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWidget>

#include <algorithm>
#include <limits>

using fw::CRect;
using fw::CSize;

int CZELGrid::WheelScrollLines()
{
    return 3;
}

void CZELGrid::ScrollTo(int32_t leftCol, int32_t topRow)
{
    m_nLeftCol = leftCol;
    m_nTopRow = topRow;
    ScrollPanes();
    UpdateScrollBars();
}

void CZELGrid::ScrollPanes()
{
    if (!GetPane(kIndexCorner)->Widget())
        return;
    GetPane(kIndexColumnHeader)->ScrollTo(m_nLeftCol, 0);
    GetPane(kIndexRowHeader)->ScrollTo(0, m_nTopRow);
    GetSheetPane()->ScrollTo(m_nLeftCol, m_nTopRow);
    for (int i : {kIndexColumnHeader, kIndexRowHeader, kIndexSheet})
        if (QWidget* w = GetPane(i)->Widget())
            w->update();
}

void CZELGrid::SyncScrollPos()
{
    if (m_bars[0])
        m_nLeftCol = m_bars[0]->value();
    if (m_bars[1])
        m_nTopRow = m_bars[1]->value();
    ScrollPanes();
}

void CZELGrid::EnsureCellVisible(int32_t row, int32_t col, bool repaint)
{
    if (!m_pStyle)
        return;
    const CCellIndices origin = GetSheetPane()->ComputeVisibleOrigin(row, col);
    ScrollTo(origin.col, origin.row);
    if (repaint)
        RedrawPanes();
}

int32_t CZELGrid::GetScrollLimit(int bar, int32_t) const
{
    const CZELGridPane* sheet = GetSheetPane();
    return std::max((bar == 0 ? sheet->ColumnCount() : sheet->RowCount()) - 1, 0);
}

void CZELGrid::UpdateScrollBars()
{
    if (!m_pStyle || !(m_pStyle->GetMode() & (kModeHorzScroll | kModeVertScroll)))
        return;
    const CZELGridPane* sheet = GetSheetPane();
    const CSize client = sheet->GetClientRect().Size();
    for (int bar = 0; bar < 2; ++bar) {
        QScrollBar* sb = m_bars[bar];
        if (!sb || !CanScroll(bar))
            continue;
        const int32_t count = bar == 0 ? sheet->ColumnCount() : sheet->RowCount();
        const int clientSize = bar == 0 ? client.cx : client.cy;
        // Only whether the lines fit matters, so the sum stops past the client.
        int64_t total = 0;
        for (int32_t i = 0; i < count && total <= clientSize; ++i)
            total += bar == 0 ? sheet->GetColumnWidth(i) : sheet->GetRowHeight(i);
        int32_t page = total > 0 && total <= clientSize ? static_cast<int32_t>(clientSize / total) * (count - 1) : 0;
        if (page <= 0)
            page = 1;
        const int32_t pos = std::max(bar == 0 ? m_nLeftCol : m_nTopRow, 0);
        const int32_t max = GetScrollLimit(bar, pos) + page - 1;
        const QSignalBlocker block(sb);
        m_bUpdatingBars = true;
        sb->setRange(0, std::max(max - page + 1, 0));
        sb->setPageStep(page);
        sb->setSingleStep(1);
        sb->setValue(pos);
        m_bUpdatingBars = false;
    }
}

int32_t CZELGrid::PageStep(int bar, bool down) const
{
    const CZELGridPane* sheet = GetSheetPane();
    const CSize client = sheet->GetClientRect().Size();
    const int64_t room = bar == 0 ? client.cx : client.cy;
    const int32_t count = bar == 0 ? sheet->ColumnCount() : sheet->RowCount();
    const int32_t first = std::max(bar == 0 ? m_nLeftCol : m_nTopRow, 0);
    auto size = [&](int32_t i) { return bar == 0 ? sheet->GetColumnWidth(i) : sheet->GetRowHeight(i); };
    if (down) {
        int64_t remaining = room;
        int32_t i = first;
        for (; i < count; ++i) {
            remaining -= size(i);
            if (remaining < 0)
                break;
        }
        int32_t next = i >= count ? count - 1 : i;
        next = std::max(next, first + 1);
        return next - first;
    }
    int64_t remaining = room;
    int32_t i = first - 1;
    for (; i >= 0; --i) {
        remaining -= size(i);
        if (remaining < 0)
            break;
    }
    int32_t next = i + 1;
    if (next >= first)
        next = first - 1;
    next = std::max(next, 0);
    return next - first;
}

bool CZELGrid::OnScroll(unsigned code, int pos, bool doScroll)
{
    if (!m_pStyle)
        return false;
    int delta[2] = {0, 0};
    const int32_t current[2] = {std::max(m_nLeftCol, 0), std::max(m_nTopRow, 0)};
    for (int bar = 0; bar < 2; ++bar) {
        const unsigned c = bar == 0 ? (code & 0xFF) : ((code >> 8) & 0xFF);
        if (c > 7)
            continue;
        switch (c) {
        case SB_LINEUP: delta[bar] = -1; break;
        case SB_LINEDOWN: delta[bar] = 1; break;
        case SB_TOP: delta[bar] = -current[bar]; break;
        case SB_BOTTOM: delta[bar] = std::numeric_limits<int>::max() / 2; break;
        case SB_PAGEUP: delta[bar] = PageStep(bar, false); break;
        case SB_PAGEDOWN: delta[bar] = PageStep(bar, true); break;
        default: delta[bar] = pos - current[bar]; break;
        }
    }
    const bool moved = OnScrollBy(delta[0], delta[1], doScroll);
    if (moved && doScroll)
        RedrawPanes();
    return moved;
}

bool CZELGrid::OnScrollBy(int dx, int dy, bool doScroll)
{
    if (!CanScroll(0))
        dx = 0;
    if (!CanScroll(1))
        dy = 0;
    const int32_t left = std::max(m_nLeftCol, 0);
    const int32_t top = std::max(m_nTopRow, 0);
    int64_t newLeft = std::max<int64_t>(int64_t(left) + dx, 0);
    int64_t newTop = std::max<int64_t>(int64_t(top) + dy, 0);
    newLeft = std::min<int64_t>(newLeft, GetScrollLimit(0, static_cast<int32_t>(newLeft)));
    newTop = std::min<int64_t>(newTop, GetScrollLimit(1, static_cast<int32_t>(newTop)));
    if (newLeft == left && newTop == top)
        return false;
    if (!doScroll)
        return true;
    OnScrollTo(static_cast<int32_t>(newLeft), static_cast<int32_t>(newTop));
    UpdateScrollBars();
    return true;
}

void CZELGrid::OnScrollTo(int32_t leftCol, int32_t topRow)
{
    m_nLeftCol = leftCol;
    m_nTopRow = topRow;
    ScrollPanes();
}

int32_t CZELGrid::CountFittingRows(int32_t start, int64_t pixels, bool wholeOnly) const
{
    const CZELGridPane* sheet = GetSheetPane();
    const int32_t count = sheet->RowCount();
    int32_t n = 0;
    int64_t remaining = pixels;
    for (int32_t r = std::max(start, 0); r < count && remaining > 0; ++r, ++n)
        remaining -= sheet->GetRowHeight(r);
    if (remaining < 0 && wholeOnly && n > 1)
        --n;
    return count > 0 ? std::max(n, 1) : n;
}

int32_t CZELGrid::CountFittingColumns(int32_t start, int64_t pixels, bool wholeOnly) const
{
    const CZELGridPane* sheet = GetSheetPane();
    const int32_t count = sheet->ColumnCount();
    int32_t n = 0;
    int64_t remaining = pixels;
    for (int32_t c = std::max(start, 0); c < count && remaining > 0; ++c, ++n)
        remaining -= sheet->GetColumnWidth(c);
    if (remaining < 0 && wholeOnly && n > 1)
        --n;
    return count > 0 ? std::max(n, 1) : n;
}

void CZELGrid::GetVisibleCellCount(int32_t& cols, int32_t& rows) const
{
    GetSheetPane()->GetVisibleCounts(cols, rows);
}

CCellIndices CZELGrid::GetBottomRightCell() const
{
    int32_t cols = 0;
    int32_t rows = 0;
    GetVisibleCellCount(cols, rows);
    return {std::max(m_nTopRow + rows - 1, m_nTopRow), std::max(m_nLeftCol + cols - 1, m_nLeftCol)};
}

void CZELGrid::OnScrollLine(int id, int direction)
{
    if (id == kIdCorner || !m_pStyle)
        return;
    unsigned code = 0;
    switch (direction) {
    case kScrollUp:
    case kScrollDown:
        if (!CanScroll(1) || id == kIdColumnHeader)
            return;
        code = SB_NONE | ((direction == kScrollUp ? SB_LINEUP : SB_LINEDOWN) << 8);
        break;
    case kScrollLeft:
    case kScrollRight:
        if (!CanScroll(0) || id == kIdRowHeader)
            return;
        code = (direction == kScrollLeft ? SB_LINEUP : SB_LINEDOWN) | (SB_NONE << 8);
        break;
    default:
        return;
    }
    OnScroll(code, 0, true);
}

bool CZELGrid::OnMouseWheel(unsigned flags, short delta, fw::CPoint)
{
    if (flags & fw::MK_SHIFT)
        return true;
    const int lines = -delta * WheelScrollLines() / 120;
    const bool horizontal = (flags & fw::MK_CONTROL) != 0;
    for (int i = 0; i < std::abs(lines); ++i) {
        const unsigned c = lines < 0 ? SB_LINEUP : SB_LINEDOWN;
        OnScroll(horizontal ? (c | (SB_NONE << 8)) : (SB_NONE | (c << 8)), 0, true);
    }
    return true;
}

void CZELGrid::HandleKey(unsigned key, bool, bool ctrl)
{
    switch (key) {
    case vk::Prior:
    case vk::Next: {
        const unsigned c = key == vk::Prior ? SB_PAGEUP : SB_PAGEDOWN;
        OnScroll(ctrl ? (c | (SB_NONE << 8)) : (SB_NONE | (c << 8)), 0, true);
        break;
    }
    case vk::End:
        OnScroll(SB_TOP | (SB_BOTTOM << 8), 0, true);
        break;
    case vk::Home:
        OnScroll(SB_TOP | (SB_TOP << 8), 0, true);
        break;
    default:
        break;
    }
}

void CZELGrid::OnKeyDown(unsigned key, unsigned, unsigned)
{
    const Qt::KeyboardModifiers mods = QApplication::keyboardModifiers();
    HandleKey(key, (mods & Qt::ShiftModifier) != 0, (mods & Qt::ControlModifier) != 0);
}

// --- header border drags ----------------------------------------------------------------------------

void CZELGrid::ComputeTracker(int id)
{
    CZELGridPane* pane = PaneById(id);
    if (!pane)
        return;
    const CRect client = GetClientRect();
    fw::CPoint point;
    int type = 0;
    pane->SetTrackLimits(client.right, client.bottom);
    pane->GetTrackState(point, type);
    m_nTrackKind = type;
    m_rcTracker = type == kHitColumnBorder ? CRect(point.x, 0, point.x + 1, client.bottom)
                                           : CRect(0, point.y, client.right, point.y + 1);
}

void CZELGrid::DrawTracker()
{
    QWidget* w = Widget();
    if (!w)
        return;
    if (!m_pTrackerLine) {
        m_pTrackerLine = new QWidget(w);
        m_pTrackerLine->setAutoFillBackground(true);
        QPalette palette = m_pTrackerLine->palette();
        palette.setColor(QPalette::Window, QColor(128, 128, 128));
        m_pTrackerLine->setPalette(palette);
        m_pTrackerLine->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_pTrackerLine->setGeometry(m_rcTracker.left, m_rcTracker.top, m_rcTracker.Width(), m_rcTracker.Height());
    m_pTrackerLine->raise();
    m_pTrackerLine->show();
}

void CZELGrid::OnTrack(uint32_t message, int id)
{
    ComputeTracker(id);
    if (message != WM_GRID_TRACK_END) {
        DrawTracker();
        return;
    }
    if (m_pTrackerLine)
        m_pTrackerLine->hide();
    if (!m_pStyle)
        return;
    if (id == kIdCorner) {
        // The row header's columns follow the corner's.
        CZELGridPane* corner = GetPane(kIndexCorner);
        CZELGridPane* rowHeader = GetPane(kIndexRowHeader);
        const int32_t cornerCols = corner->ColumnCount();
        const int32_t headerCols = rowHeader->ColumnCount();
        if (cornerCols != headerCols && headerCols > 0) {
            const int32_t grow = corner->GetTotalExtent().cx - rowHeader->GetTotalExtent().cx;
            rowHeader->SetColumnWidths(headerCols - 1, rowHeader->GetColumnWidth(headerCols - 1) + grow, 1);
        } else {
            for (int32_t c = 0; c < headerCols; ++c)
                rowHeader->SetColumnWidths(c, corner->GetColumnWidth(c), 1);
        }
    }
    RecalcLayout(false);
    m_pStyle->SetModified(true);
    m_pStyle->RedrawGrids(nullptr);
}
