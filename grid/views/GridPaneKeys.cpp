// Keys of a pane and the in-cell editor's life: stepping the current cell,
// stretching the selection, typing that opens the editor, and storing or
// dropping what was typed.

#include "framework/ui/QtText.h"
#include "framework/ui/WndBridge.h"
#include "grid/model/PaneStyle.h"
#include "grid/views/Grid.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

namespace {

// The cell after `c` inside `r`, along the rows (or down the columns).
CCellIndices StepInRange(CCellIndices c, const CCellRange& r, bool byRows, bool forward)
{
    if (byRows) {
        if (forward) {
            if (++c.col > r.right) {
                c.col = r.left;
                if (++c.row > r.bottom)
                    c.row = r.top;
            }
        } else if (--c.col < r.left) {
            c.col = r.right;
            if (--c.row < r.top)
                c.row = r.bottom;
        }
    } else {
        if (forward) {
            if (++c.row > r.bottom) {
                c.row = r.top;
                if (++c.col > r.right)
                    c.col = r.left;
            }
        } else if (--c.row < r.top) {
            c.row = r.bottom;
            if (--c.col < r.left)
                c.col = r.right;
        }
    }
    return c;
}

bool IsSingleCell(const CCellRange& r)
{
    return r.IsValid() && r.top == r.bottom && r.left == r.right;
}

// Keys that start an edit when typed on a cell.
bool IsTypingKey(const QKeyEvent& e, unsigned vkCode)
{
    if (vkCode == vk::Back || vkCode == vk::Delete)
        return true;
    const QString text = e.text();
    return !text.isEmpty() && text[0].isPrint();
}

} // namespace

bool CZELGridPane::OnKey(unsigned key, unsigned, unsigned)
{
    if (!m_pStyle)
        return false;
    const CCellIndices old = m_current;
    const CCellRange oldSel = m_selection;
    const bool multi = m_selection.IsValid() && !IsSingleCell(m_selection);
    const int32_t lastCol = std::max(ColumnCount() - 1, 0);
    const int32_t lastRow = std::max(RowCount() - 1, 0);
    CCellIndices next = m_current;
    if (!(m_nKeyState & 1)) {
        switch (key) {
        case vk::Tab:
            if (multi)
                next = StepInRange(next, m_selection, true, true);
            else
                next.col = std::min(next.col + 1, lastCol);
            break;
        case vk::Return:
            if (multi)
                next = StepInRange(next, m_selection, false, true);
            else
                next.row = std::min(next.row + 1, lastRow);
            break;
        case vk::Left: next.col = std::max(next.col - 1, 0); break;
        case vk::Up: next.row = std::max(next.row - 1, 0); break;
        case vk::Right: next.col = std::min(next.col + 1, lastCol); break;
        case vk::Down: next.row = std::min(next.row + 1, lastRow); break;
        default: return false;
        }
    } else {
        CCellRange sel = m_selection.IsValid() ? m_selection : CCellRange::Cell(m_current);
        switch (key) {
        case vk::Return:
        case vk::Tab:
            if (!multi)
                return false;
            next = StepInRange(next, m_selection, key == vk::Tab, false);
            break;
        case vk::Left:
            if (m_current.col == sel.left)
                m_end.col = sel.right = std::max(sel.right - 1, 0);
            else
                m_end.col = sel.left = std::max(sel.left - 1, 0);
            break;
        case vk::Right:
            if (m_current.col == sel.right)
                m_end.col = sel.left = std::min(sel.left + 1, lastCol);
            else
                m_end.col = sel.right = std::min(sel.right + 1, lastCol);
            break;
        case vk::Up:
            if (m_current.row == sel.top)
                m_end.row = sel.bottom = std::max(sel.bottom - 1, 0);
            else
                m_end.row = sel.top = std::max(sel.top - 1, 0);
            break;
        case vk::Down:
            if (m_current.row == sel.bottom)
                m_end.row = sel.top = std::min(sel.top + 1, lastRow);
            else
                m_end.row = sel.bottom = std::min(sel.bottom + 1, lastRow);
            break;
        default: return false;
        }
        if (key != vk::Return && key != vk::Tab) {
            SelectRangeAndNotify(sel, m_nKeyState & 1);
            KeepCurrentVisible(key);
            return true;
        }
    }
    if (next != old) {
        SetCurrentCell(next);
        CCellRange range;
        if (GetCurrentRange(range)) {
            if (IsSingleCell(oldSel) || (key != vk::Return && key != vk::Tab)) {
                SetSelectionRange(range, true);
                NotifyParent(WM_GRID_SELCHANGE, 0);
            } else {
                InvalidateCell(old);
            }
            InvalidateRange(range);
        }
        RepaintNow();
    }
    m_end = m_current;
    KeepCurrentVisible(key);
    return true;
}

bool CZELGridPane::OnCtrlKey(unsigned key, unsigned, unsigned)
{
    if (!m_pStyle || (key != vk::Left && key != vk::Right && key != vk::Up && key != vk::Down))
        return false;
    const int32_t lastCol = std::max(ColumnCount() - 1, 0);
    const int32_t lastRow = std::max(RowCount() - 1, 0);
    CCellIndices edge = m_current;
    switch (key) {
    case vk::Left: edge.col = 0; break;
    case vk::Up: edge.row = 0; break;
    case vk::Right: edge.col = lastCol; break;
    default: edge.row = lastRow; break;
    }
    if (m_nKeyState & 1) {
        CCellRange sel = m_selection.IsValid() ? m_selection : CCellRange::Cell(m_current);
        const bool colEdge = m_current.col == sel.left || m_current.col == sel.right;
        const bool rowEdge = m_current.row == sel.top || m_current.row == sel.bottom;
        switch (key) {
        case vk::Left:
            sel.left = 0;
            if (colEdge)
                sel.right = m_current.col;
            m_end.col = 0;
            break;
        case vk::Right:
            sel.right = lastCol;
            if (colEdge)
                sel.left = m_current.col;
            m_end.col = lastCol;
            break;
        case vk::Up:
            sel.top = 0;
            if (rowEdge)
                sel.bottom = m_current.row;
            m_end.row = 0;
            break;
        default:
            sel.bottom = lastRow;
            if (rowEdge)
                sel.top = m_current.row;
            m_end.row = lastRow;
            break;
        }
        SelectRangeAndNotify(sel, 3);
        if (GetCellPosition(m_end.row, m_end.col) != 0)
            EnsureVisible(m_end.row, m_end.col, true);
        return true;
    }
    if (edge == m_current)
        return true;
    const CCellIndices old = m_current;
    SetCurrentCell(edge);
    SetSelectionRange(CCellRange::Cell(edge), true);
    NotifyParent(WM_GRID_SELCHANGE, 0);
    InvalidateCell(old);
    InvalidateCell(edge);
    RepaintNow();
    if (GetCellPosition(edge.row, edge.col) != 0)
        EnsureVisible(edge.row, edge.col, true);
    return true;
}

void CZELGridPane::KeepCurrentVisible(unsigned key)
{
    const int pos = GetCellPosition(m_end.row, m_end.col);
    if (pos == 0)
        return;
    if (key == vk::Shift || key == vk::Prior || key == vk::Next || key == vk::End || key == vk::Home)
        return;
    int32_t visCols = 0;
    int32_t visRows = 0;
    GetVisibleCounts(visCols, visRows);
    const int32_t top = std::max(m_nTopRow, 0);
    const int32_t left = std::max(m_nLeftCol, 0);
    const bool shift = (m_nKeyState & 1) != 0;
    const bool justAbove = m_end.row == top - 1;
    const bool justBelow = m_end.row == top + visRows - 1 || m_end.row == top + visRows;
    const bool justLeft = m_end.col == left - 1;
    const bool justRight = m_end.col == left + visCols - 1 || m_end.col == left + visCols;
    if (key == vk::Tab) {
        if (shift ? justLeft : ((pos & kCellRight) && justRight))
            NotifyParent(WM_GRID_SCROLLLINE, shift ? kScrollLeft : kScrollRight);
        else
            EnsureVisible(m_end.row, m_end.col, true);
        return;
    }
    if (key == vk::Return) {
        if (shift ? justAbove : ((pos & kCellBelow) && justBelow))
            NotifyParent(WM_GRID_SCROLLLINE, shift ? kScrollUp : kScrollDown);
        else
            EnsureVisible(m_end.row, m_end.col, true);
        return;
    }
    bool asked = false;
    bool far = false;
    if (pos & kCellAbove) {
        justAbove ? NotifyParent(WM_GRID_SCROLLLINE, kScrollUp) : void(far = true);
        asked = true;
    } else if (pos & kCellBelow) {
        justBelow ? NotifyParent(WM_GRID_SCROLLLINE, kScrollDown) : void(far = true);
        asked = true;
    }
    if (pos & kCellLeft) {
        justLeft ? NotifyParent(WM_GRID_SCROLLLINE, kScrollLeft) : void(far = true);
        asked = true;
    } else if (pos & kCellRight) {
        justRight ? NotifyParent(WM_GRID_SCROLLLINE, kScrollRight) : void(far = true);
        asked = true;
    }
    if (far || !asked)
        EnsureVisible(m_end.row, m_end.col, true);
}

void CZELGridPane::OnKeyDown(unsigned key, unsigned repeat, unsigned flags)
{
    // Keys reach the pane through PreTranslateKey, which knows the modifiers.
}

bool CZELGridPane::PreTranslateKey(QKeyEvent* event)
{
    if (!m_pStyle || m_bEditing)
        return false;
    const unsigned key = fw::VirtualKeyOf(event->key());
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = (mods & Qt::ControlModifier) != 0;
    const bool shift = (mods & Qt::ShiftModifier) != 0;
    if (!ctrl && IsTypingKey(*event, key)) {
        const QString text = event->text();
        const unsigned ch = key == vk::Back || key == vk::Delete || text.isEmpty() ? 0 : text[0].unicode();
        m_pTypedKey = event;
        StartEditByKey(ch, key);
        m_pTypedKey = nullptr;
        m_end = m_current;
        KeepCurrentVisible(ch);
        return true;
    }
    if (!key)
        return false;
    HandleKey(key, shift, ctrl);
    return true;
}

void CZELGridPane::HandleKey(unsigned key, bool shift, bool ctrl)
{
    const bool single = m_pStyle && (m_pStyle->m_nSelFlags & kSelectSingle);
    m_nKeyState = single ? 0 : (shift ? 1 : 0) | (ctrl ? 2 : 0);
    const bool handled = ctrl ? OnCtrlKey(key, 1, 0) : OnKey(key, 1, 0);
    m_nKeyState = 0;
    if (!handled && m_pGrid)
        m_pGrid->HandleKey(key, shift, ctrl);
}

void CZELGridPane::OnInputMethod(QInputMethodEvent* event)
{
    if (!m_bEditing) {
        if (event->preeditString().isEmpty() && event->commitString().isEmpty())
            return;
        if (!StartEditByKey(0, 0))
            return;
    }
    if (m_pEditor)
        m_pEditor->DeliverInputMethod(event);
}

fw::CRect CZELGridPane::InputMethodRect() const
{
    if (!m_pStyle || !m_current.IsValid())
        return fw::CRect();
    return GetCellRect(CCellRange::Cell(m_current));
}

// --- in-cell editing -----------------------------------------------------------------------------

bool CZELGridPane::GetEditRect(fw::CRect& rect)
{
    if (!m_pStyle || m_pStyle->m_bReadOnly || !m_current.IsValid())
        return false;
    fw::CString text;
    if (!GetEditText(m_current.row, m_current.col, text))
        return false;
    m_bEditing = true;
    m_strEdit = text;
    const fw::CRect cell = GetCellRect(CCellRange::Cell(m_current));
    rect = fw::CRect(cell.left + 1, cell.top + 1, cell.right, cell.bottom);
    OnEditorOpened();
    return true;
}

bool CZELGridPane::StartEditByKey(unsigned ch, unsigned key)
{
    fw::CRect rect;
    if (!GetEditRect(rect))
        return false;
    m_pEditor.reset(CreateEditorByKey(rect, fw::CString(), ch, key));
    if (!m_pEditor) {
        CloseEditor();
        return false;
    }
    return true;
}

bool CZELGridPane::StartEditByMouse(int x, int y)
{
    fw::CRect rect;
    if (!GetEditRect(rect))
        return false;
    QPoint global(x, y);
    if (QWidget* w = Widget())
        global = w->mapToGlobal(global);
    m_pEditor.reset(CreateEditorByMouse(rect, m_strEdit, fw::CPoint(global.x(), global.y())));
    if (!m_pEditor) {
        CloseEditor();
        return false;
    }
    return true;
}

CZELGridRichWnd* CZELGridPane::CreateEditorByMouse(const fw::CRect& rect, const fw::CString& text, fw::CPoint)
{
    auto editor = std::make_unique<CZELGridRichWnd>();
    editor->CreateForMouse(this, rect, text, 0);
    return editor.release();
}

CZELGridRichWnd* CZELGridPane::CreateEditorByKey(const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                                 unsigned key)
{
    auto editor = std::make_unique<CZELGridRichWnd>();
    editor->CreateForKey(this, rect, text, ch, key, 0);
    return editor.release();
}

bool CZELGridPane::EndEdit(unsigned key)
{
    if (!m_bEditing || !m_pEditor) {
        if (m_bEditing)
            CloseEditor();
        return true;
    }
    if (key == vk::Escape) {
        CloseEditor();
        return true;
    }
    const bool storing = key == 0 || key == vk::Tab || key == vk::Return || key == vk::Prior || key == vk::Next
                         || key == vk::End || key == vk::Home || key == vk::Left || key == vk::Up || key == vk::Right
                         || key == vk::Down;
    if (!storing)
        return false;
    const fw::CString text = m_pEditor->GetText();
    m_pEditor->SetEndOnKillFocus(false);
    NotifyGrid(kChangeEdit, 0);
    if (SetCellText(m_current.row, m_current.col, text)) {
        const bool shift = m_pEditor->LastKeyHadShift();
        CloseEditor();
        if (key)
            HandleKey(key, shift, false);
        return true;
    }
    if (key) {
        if (m_pEditor)
            m_pEditor->SetEndOnKillFocus(true);
    } else {
        CloseEditor();
    }
    return false;
}

void CZELGridPane::CloseEditor()
{
    const bool wasEditing = m_bEditing;
    m_bEditing = false;
    if (m_pEditor) {
        const bool hadFocus = m_pEditor->HasKeyboardFocus();
        CZELGridRichWnd::DisposeLater(m_pEditor.release());
        if (hadFocus)
            if (QWidget* w = Widget())
                w->setFocus();
    }
    InvalidateCell(m_current);
    if (wasEditing)
        OnEditorClosed();
}

void CZELGridPane::MoveEditorWithCells(int32_t, int32_t)
{
    if (!m_pEditor)
        return;
    const fw::CRect cell = GetCellRect(CCellRange::Cell(m_current));
    m_pEditor->MoveInPane(fw::CRect(cell.left + 1, cell.top + 1, cell.right, cell.bottom));
}
