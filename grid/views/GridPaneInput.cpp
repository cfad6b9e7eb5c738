// What a pane does with the mouse and the keyboard: selecting, moving the
// current cell, dragging borders, scrolling while a selection is dragged
// past the edge.

#include "framework/core/DC.h"
#include "grid/model/PaneStyle.h"
#include "grid/views/Grid.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"

#include <QCursor>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

using fw::CPoint;
using fw::CRect;

namespace {

// The cell cursor: a thick white plus sign with a black outline and a
// shadow, its hot spot at the centre of the plus.
QCursor CellCursor()
{
    static const QCursor cursor = [] {
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        const QRect bars[2] = {QRect(1, 5, 13, 5), QRect(5, 1, 5, 13)};
        for (const QRect& bar : bars)
            painter.fillRect(bar.translated(2, 2), QColor(0, 0, 0, 96));
        for (const QRect& bar : bars)
            painter.fillRect(bar, Qt::black);
        for (const QRect& bar : bars)
            painter.fillRect(bar.adjusted(1, 1, -1, -1), Qt::white);
        painter.end();
        return QCursor(pixmap, 7, 7);
    }();
    return cursor;
}

QCursor CursorFor(int hit, bool readOnly)
{
    if (hit == kHitColumnBorder)
        return QCursor(Qt::SplitHCursor);
    if (hit == kHitRowBorder)
        return QCursor(Qt::SplitVCursor);
    return readOnly ? QCursor(Qt::ArrowCursor) : CellCursor();
}

} // namespace

void CZELGridPane::NotifyParent(uint32_t message, int code)
{
    if (m_pGrid)
        m_pGrid->SendMessage(message, (static_cast<uintptr_t>(code) << 16) | static_cast<uint16_t>(GetDlgCtrlID()), 0);
}

int CZELGridPane::HitTest(int x, int y)
{
    m_nHitCol = -1;
    m_nHitRow = -1;
    if (!m_pStyle)
        return kHitNone;
    int32_t visCols = 0;
    int32_t visRows = 0;
    GetVisibleCounts(visCols, visRows);
    const int32_t left = std::max(m_nLeftCol, 0);
    const int32_t top = std::max(m_nTopRow, 0);
    const CZELPaneStyle& st = *m_pStyle;
    if (!st.m_bReadOnly && (st.m_bColResize || st.m_bRowResize)) {
        for (int32_t c = left + visCols - 1; c >= left; --c) {
            const int colLeft = GetColumnOffset(c);
            const int colRight = colLeft + GetColumnWidth(c);
            for (int32_t r = top + visRows - 1; r >= top; --r) {
                const int rowTop = GetRowOffset(r);
                const int rowBottom = rowTop + GetRowHeight(r);
                const bool inColBorder = x >= colRight - 3 && x <= colRight + 3 && y >= rowTop && y < rowBottom;
                const bool inRowBorder = y >= rowBottom - 3 && y <= rowBottom + 3 && x >= colLeft && x < colRight;
                if ((st.m_bColResize && inColBorder) || (st.m_bRowResize && inRowBorder)) {
                    m_nHitCol = c;
                    m_nHitRow = r;
                    return st.m_bColResize && inColBorder ? kHitColumnBorder : kHitRowBorder;
                }
            }
        }
    }
    if (!st.m_bSelectable)
        return kHitNone;
    int32_t col = -1;
    int32_t row = -1;
    int edge = 0;
    for (int32_t c = left; c < left + visCols; ++c) {
        const int w = GetColumnWidth(c);
        if (x >= edge && x < edge + w) {
            col = c;
            break;
        }
        edge += w;
    }
    edge = 0;
    for (int32_t r = top; r < top + visRows; ++r) {
        const int h = GetRowHeight(r);
        if (y >= edge && y < edge + h) {
            row = r;
            break;
        }
        edge += h;
    }
    m_nHitCol = col >= 0 ? col : left + visCols - 1;
    m_nHitRow = row >= 0 ? row : top + visRows - 1;
    return col >= 0 && row >= 0 ? kHitCell : kHitNone;
}

bool CZELGridPane::CheckBoxClick(CCellIndices cell, CPoint point)
{
    CellFormat format;
    GetCellFormat(format, cell.col, cell.row);
    if (!(format.nFlags & kCellCheckBox))
        return false;
    const int colLeft = GetColumnOffset(cell.col);
    const int rowTop = GetRowOffset(cell.row);
    const int y = rowTop + (GetRowHeight(cell.row) - kCheckBoxSize) / 2;
    const int x = (format.nAlign & kAlignHorzMask) == 1 ? colLeft
                                                        : colLeft + (GetColumnWidth(cell.col) - kCheckBoxSize) / 2;
    if (point.x < x + 1 || point.x > x + kCheckBoxSize || point.y < y || point.y > y + kCheckBoxSize)
        return false;
    const bool inside = m_selection.Contains(cell.row, cell.col);
    if (!inside) {
        SetCurrentCell(cell);
        BeginDragSelection(0);
    }
    OnCheckBoxClick(cell.col, cell.row, point.x, point.y);
    return inside;
}

void CZELGridPane::OnLButtonDown(unsigned flags, CPoint point)
{
    if (!EndEdit(0))
        return;
    if (m_pGrid && !m_bEditing)
        m_pGrid->OnPaneFocus();
    m_bCaptured = true;
    const int hit = HitTest(point.x, point.y);
    const CCellIndices cell{m_nHitRow, m_nHitCol};
    if (hit == kHitColumnBorder || hit == kHitRowBorder) {
        if (!m_bTracking)
            BeginResizeTrack(hit);
    } else if (hit == kHitCell && (flags & fw::MK_SHIFT)) {
        m_nKeyState = 1;
        if (!m_current.IsValid()) {
            SetCurrentCell(cell);
            BeginDragSelection(1);
        } else {
            if (!m_selection.IsValid() && !(m_pStyle->m_nSelFlags & kSelectSingle))
                BeginDragSelection(1);
            ExtendSelectionTo(cell, 1);
        }
    } else if (hit == kHitCell) {
        if (CheckBoxClick(cell, point))
            return;
        const CRect cellRect = GetCellRect(CCellRange::Cell(cell));
        if ((m_pStyle->m_format.nFlags & kCellDropButton) && cell == m_current && cellRect.right - point.x - 1 <= 8) {
            OpenDropDown(cell.col, cell.row, point.x, point.y);
            return;
        }
        SetCurrentCell(cell);
        if (cell.IsValid())
            BeginDragSelection(0);
    } else {
        NotifyParent(WM_GRID_SELCHANGE, 0);
    }
    m_ptLast = point;
}

void CZELGridPane::BeginDragSelection(int code)
{
    const uint32_t flags = m_pStyle ? m_pStyle->m_nSelFlags : 0;
    if (flags == 0)
        return;
    m_nDrag = (flags & kSelectColumns) ? kDragColumns : (flags & kSelectRows) ? kDragRows : kDragCells;
    CCellRange range;
    GetCurrentRange(range);
    InvalidateRange(range);
    InvalidateRange(m_selection);
    m_selection = range;
    RepaintNow();
    NotifyParent(WM_GRID_SELCHANGE, code);
    SetTimer(kAutoScrollTimer, 200);
}

void CZELGridPane::ExtendSelectionTo(CCellIndices cell, int code)
{
    const uint32_t flags = m_pStyle ? m_pStyle->m_nSelFlags : 0;
    CCellRange range;
    if (flags & kSelectSingle) {
        SetCurrentCell(cell);
        if (cell.IsValid())
            BeginDragSelection(0);
        return;
    }
    if (flags == 4 || flags == 5) {
        if (cell.row == m_end.row)
            return;
        m_end = cell;
        range = {std::min(m_current.row, cell.row), 0, std::max(m_current.row, cell.row),
                 std::max(ColumnCount() - 1, 0)};
    } else if (flags == 8 || flags == 9) {
        if (cell.col == m_end.col)
            return;
        m_end = cell;
        range = {0, std::min(m_current.col, cell.col), std::max(RowCount() - 1, 0), std::max(m_current.col, cell.col)};
    } else if (flags == 16 || flags == 17) {
        if (cell == m_end)
            return;
        m_end = cell;
        range = CCellRange::Span(m_current, cell);
    } else {
        return;
    }
    SetSelectionRange(range, true);
    RepaintNow();
    NotifyParent(WM_GRID_SELCHANGE, code);
}

void CZELGridPane::SelectRangeAndNotify(CCellRange range, int code)
{
    SetSelection(range, true);
    NotifyParent(WM_GRID_SELCHANGE, code);
}

void CZELGridPane::OnMouseMove(unsigned, CPoint point)
{
    switch (m_nDrag) {
    case kDragIdle: {
        const int hit = HitTest(point.x, point.y);
        if (QWidget* w = Widget())
            w->setCursor(CursorFor(hit, m_pStyle && m_pStyle->m_bReadOnly));
        break;
    }
    case kDragCells:
    case kDragRows:
    case kDragColumns:
        if (GetClientRect().PtInRect(point) && HitTest(point.x, point.y) != kHitNone && m_current.IsValid()) {
            const CCellIndices hit{m_nHitRow, m_nHitCol};
            ExtendSelectionTo(hit, 1);
            m_end = hit;
        }
        break;
    case kDragColumnBorder:
    case kDragRowBorder: {
        CPoint p(point.x + m_ptGrab.x, point.y + m_ptGrab.y);
        p.x = std::clamp(p.x, m_rcLimits.left, std::max(m_rcLimits.left, m_rcLimits.right));
        p.y = std::clamp(p.y, m_rcLimits.top, std::max(m_rcLimits.top, m_rcLimits.bottom));
        if (m_nDrag == kDragRowBorder)
            m_rcTracker.OffsetRect(0, p.y - m_rcTracker.top);
        else
            m_rcTracker.OffsetRect(p.x - m_rcTracker.left, 0);
        NotifyParent(WM_GRID_TRACK_MOVE, 0);
        point = p;
        break;
    }
    default:
        break;
    }
    m_ptLast = point;
}

void CZELGridPane::OnLButtonUp(unsigned, CPoint)
{
    if (m_bCaptured)
        OnCaptureChanged();
}

void CZELGridPane::OnCaptureChanged()
{
    m_bCaptured = false;
    KillTimer(kAutoScrollTimer);
    if (m_nDrag == kDragColumnBorder || m_nDrag == kDragRowBorder)
        EndResizeTrack();
    m_nDrag = kDragIdle;
    m_nKeyState = 0;
    if (fw::CWnd* parent = GetParent())
        parent->PostMessage(fw::WM_COMMAND, static_cast<uintptr_t>(GetDlgCtrlID()), 0);
}

void CZELGridPane::OnTimer(unsigned id)
{
    if (id != kAutoScrollTimer)
        return;
    if (!m_bCaptured) {
        KillTimer(kAutoScrollTimer);
        m_nDrag = kDragIdle;
        return;
    }
    const CPoint p = m_ptLast;
    const fw::CSize area = GetCellAreaSize();
    const CRect client = GetClientRect();
    auto extendTo = [this](int x, int y, int code) {
        HitTest(x, y);
        const CCellIndices hit{m_nHitRow, m_nHitCol};
        if (hit.IsValid()) {
            ExtendSelectionTo(hit, code);
            m_end = hit;
        }
    };
    if (p.y > area.cy) {
        if (p.y > client.bottom)
            NotifyParent(WM_GRID_SCROLLLINE, kScrollDown);
        extendTo(std::clamp(p.x, 0, area.cx), client.bottom - 1, 1);
    } else if (p.y < 0) {
        NotifyParent(WM_GRID_SCROLLLINE, kScrollUp);
        extendTo(std::clamp(p.x, 0, area.cx), 0, 0);
    }
    if (p.x > area.cx) {
        if (p.x > client.right)
            NotifyParent(WM_GRID_SCROLLLINE, kScrollRight);
        extendTo(client.right - 1, std::clamp(p.y, 0, area.cy), 0);
    } else if (p.x < 0) {
        NotifyParent(WM_GRID_SCROLLLINE, kScrollLeft);
        extendTo(0, std::clamp(p.y, 0, area.cy), 0);
    }
}

// --- border drags ------------------------------------------------------------------------------

void CZELGridPane::BeginResizeTrack(int type)
{
    if (type != kHitColumnBorder && type != kHitRowBorder)
        return;
    m_rcLimits = GetClientRect();
    m_ptGrab = CPoint();
    const CRect client = GetClientRect();
    m_rcTracker = client;
    if (type == kHitColumnBorder && m_pStyle->m_bColResize) {
        const int left = GetColumnOffset(m_nHitCol);
        const int right = left + GetColumnWidth(m_nHitCol);
        m_rcLimits.left = left;
        m_rcTracker = CRect(right, 0, right + 1, client.bottom);
        m_rcLimits.right -= 1;
    } else if (type == kHitRowBorder && m_pStyle->m_bRowResize) {
        const int top = GetRowOffset(m_nHitRow);
        const int bottom = top + GetRowHeight(m_nHitRow);
        m_rcLimits.top = top;
        m_rcTracker = CRect(0, bottom, client.right, bottom + 1);
        m_rcLimits.bottom -= 1;
    }
    m_bTracking = true;
    m_nDrag = type == kHitColumnBorder ? kDragColumnBorder : kDragRowBorder;
    m_nTrackType = type;
    if (QWidget* w = Widget())
        w->setCursor(CursorFor(type, false));
    NotifyParent(WM_GRID_TRACK_BEGIN, 0);
}

void CZELGridPane::SetTrackLimits(int right, int bottom)
{
    if (right)
        m_rcLimits.right = right - m_ptPos.x - 1;
    if (bottom)
        m_rcLimits.bottom = bottom - m_ptPos.y - 1;
}

bool CZELGridPane::GetTrackState(CPoint& point, int& type) const
{
    point = CPoint(m_rcTracker.left + m_ptPos.x, m_rcTracker.top + m_ptPos.y);
    type = m_nTrackType;
    return m_bTracking;
}

void CZELGridPane::EndResizeTrack()
{
    if (!m_bTracking)
        return;
    if (m_nTrackType == kHitRowBorder) {
        NotifyGrid(kChangeRowHeights, 0);
        const int height = m_rcTracker.top - GetRowOffset(m_nHitRow);
        if (m_selection.IsValid() && m_nHitRow >= m_selection.top && m_nHitRow <= m_selection.bottom)
            SetRowHeights(m_selection.top, height, m_selection.Rows());
        else
            SetRowHeights(m_nHitRow, height, 1);
    } else {
        NotifyGrid(kChangeColumnWidths, 0);
        const int width = m_rcTracker.left - GetColumnOffset(m_nHitCol);
        if (m_selection.IsValid() && m_nHitCol >= m_selection.left && m_nHitCol <= m_selection.right)
            SetColumnWidths(m_selection.left, width, m_selection.Cols());
        else
            SetColumnWidths(m_nHitCol, width, 1);
    }
    if (!m_pStyle->m_bGridTracker) {
        Invalidate(true);
        RepaintNow();
    }
    NotifyParent(WM_GRID_TRACK_END, 0);
    m_bTracking = false;
}

// --- double click and focus --------------------------------------------------------------------

void CZELGridPane::OnLButtonDblClk(unsigned flags, CPoint point)
{
    if (m_pStyle && m_pStyle->m_bEditOnDblClk && !m_bEditing && m_nDrag == kDragIdle
        && GetCellPosition(m_current.row, m_current.col) == 0 && StartEditByMouse(point.x, point.y))
        return;
    OnCellDoubleClick(flags, point);
}

void CZELGridPane::OnSetFocus()
{
    if (!m_pStyle)
        return;
    if (m_bEditing && m_pEditor) {
        m_pEditor->SetFocus();
        return;
    }
    if (m_pStyle->m_nSelFlags & kSelectFocusOnly)
        InvalidateRange(m_selection);
    else
        InvalidateCell(m_current);
}

void CZELGridPane::OnKillFocus()
{
    if (!m_pStyle || m_bEditing)
        return;
    if (m_pStyle->m_nSelFlags & kSelectFocusOnly)
        InvalidateRange(m_selection);
    else
        InvalidateCell(m_current);
}
