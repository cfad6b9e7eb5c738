#include "grid/views/GridPanes.h"

#include "grid/model/DrawCell.h"
#include "grid/model/PaneStyle.h"
#include "grid/views/Grid.h"

#include <QWidget>

FW_IMPLEMENT_DYNAMIC(CZELGridPaneTag, CZELGridPane)
FW_IMPLEMENT_DYNAMIC(CZELGridPaneTop, CZELGridPane)
FW_IMPLEMENT_DYNAMIC(CZELGridPaneLeft, CZELGridPane)
FW_IMPLEMENT_DYNAMIC(CZELGridPaneSheet, CZELGridPane)

namespace {

fw::CPoint Screen(const CZELGridPane& pane, int x, int y)
{
    QPoint p(x, y);
    if (QWidget* w = pane.Widget())
        p = w->mapToGlobal(p);
    return fw::CPoint(p.x(), p.y());
}

} // namespace

// --- corner -------------------------------------------------------------------------------

void CZELGridPaneTag::DrawCell(CZELDrawCell& cell) { m_pGrid->DrawTagCell(cell); }
bool CZELGridPaneTag::GetCellText(fw::CString& text, int32_t col, int32_t row, int context)
{
    return m_pGrid->GetTagText(text, col, row, context);
}
bool CZELGridPaneTag::GetEditText(int32_t row, int32_t col, fw::CString& text)
{
    return m_pGrid->GetTagEditText(row, col, text);
}
bool CZELGridPaneTag::SetCellText(int32_t row, int32_t col, const fw::CString& text)
{
    return m_pGrid->SetTagText(row, col, text);
}
void CZELGridPaneTag::OnCellDoubleClick(unsigned flags, fw::CPoint point)
{
    m_pGrid->OnTagDoubleClick(m_current.row, m_current.col, flags, Screen(*this, point.x, point.y));
}
void CZELGridPaneTag::NotifyGrid(int code, intptr_t) { m_pGrid->RecordUndo(this, code, nullptr); }

// --- column header --------------------------------------------------------------------------

void CZELGridPaneTop::DrawCell(CZELDrawCell& cell) { m_pGrid->DrawColumnHeaderCell(cell); }
bool CZELGridPaneTop::GetCellText(fw::CString& text, int32_t col, int32_t row, int context)
{
    return m_pGrid->GetColumnHeaderText(text, col, row, context);
}
bool CZELGridPaneTop::GetEditText(int32_t row, int32_t col, fw::CString& text)
{
    return m_pGrid->GetColumnHeaderEditText(row, col, text);
}
bool CZELGridPaneTop::SetCellText(int32_t row, int32_t col, const fw::CString& text)
{
    return m_pGrid->SetColumnHeaderText(row, col, text);
}
void CZELGridPaneTop::OnCellDoubleClick(unsigned flags, fw::CPoint point)
{
    m_pGrid->OnColumnHeaderDoubleClick(m_current.row, m_current.col, flags, Screen(*this, point.x, point.y));
}
void CZELGridPaneTop::NotifyGrid(int code, intptr_t) { m_pGrid->RecordUndo(this, code, nullptr); }

// --- row header ---------------------------------------------------------------------------------

void CZELGridPaneLeft::DrawCell(CZELDrawCell& cell) { m_pGrid->DrawRowHeaderCell(cell); }
bool CZELGridPaneLeft::GetCellText(fw::CString& text, int32_t col, int32_t row, int context)
{
    return m_pGrid->GetRowHeaderText(text, col, row, context);
}
bool CZELGridPaneLeft::GetEditText(int32_t row, int32_t col, fw::CString& text)
{
    return m_pGrid->GetRowHeaderEditText(row, col, text);
}
bool CZELGridPaneLeft::SetCellText(int32_t row, int32_t col, const fw::CString& text)
{
    return m_pGrid->SetRowHeaderText(row, col, text);
}
void CZELGridPaneLeft::OnCellDoubleClick(unsigned flags, fw::CPoint point)
{
    m_pGrid->OnRowHeaderDoubleClick(m_current.row, m_current.col, flags, Screen(*this, point.x, point.y));
}
void CZELGridPaneLeft::NotifyGrid(int code, intptr_t) { m_pGrid->RecordUndo(this, code, nullptr); }

// --- sheet -----------------------------------------------------------------------------------------

void CZELGridPaneSheet::DrawCell(CZELDrawCell& cell) { m_pGrid->DrawSheetCell(cell); }
bool CZELGridPaneSheet::GetCellText(fw::CString& text, int32_t col, int32_t row, int context)
{
    return m_pGrid->GetSheetText(text, col, row, context);
}
bool CZELGridPaneSheet::GetEditText(int32_t row, int32_t col, fw::CString& text)
{
    return m_pGrid->GetSheetEditText(row, col, text);
}
bool CZELGridPaneSheet::SetCellText(int32_t row, int32_t col, const fw::CString& text)
{
    return m_pGrid->SetSheetText(row, col, text, 1);
}
void CZELGridPaneSheet::OnCellDoubleClick(unsigned flags, fw::CPoint point)
{
    m_pGrid->OnSheetDoubleClick(m_current.row, m_current.col, flags, Screen(*this, point.x, point.y));
}
void CZELGridPaneSheet::NotifyGrid(int code, intptr_t) { m_pGrid->RecordUndo(this, code, nullptr); }

void CZELGridPaneSheet::GetCellFormatForDrawing(CellFormat& format, int32_t col, int32_t row)
{
    m_pGrid->GetSheetCellFormat(format, col, row);
}

void CZELGridPaneSheet::GetCellFormat(CellFormat& format, int32_t col, int32_t row)
{
    CZELGridPane::GetCellFormat(format, col, row);
    m_pGrid->GetSheetCellFormat(format, col, row);
}

void CZELGridPaneSheet::OpenDropDown(int32_t col, int32_t row, int x, int y)
{
    m_pGrid->OnDropDown(col, row, Screen(*this, x, y));
}

void CZELGridPaneSheet::OnCheckBoxClick(int32_t col, int32_t row, int x, int y)
{
    m_pGrid->OnCheckBoxClick(col, row, Screen(*this, x, y));
}

void CZELGridPaneSheet::OnCurrentCellSet(CCellIndices cell)
{
    m_pGrid->OnSheetCurrentCellChanged(cell, this);
}

void CZELGridPaneSheet::OnEditorOpened() { m_pGrid->OnEditorOpened(this); }
void CZELGridPaneSheet::OnEditorClosed() { m_pGrid->OnEditorClosed(this); }

CZELGridRichWnd* CZELGridPaneSheet::CreateEditorByMouse(const fw::CRect& rect, const fw::CString& text,
                                                        fw::CPoint screen)
{
    return m_pGrid->CreateCellEditor(this, rect, text, screen);
}

CZELGridRichWnd* CZELGridPaneSheet::CreateEditorByKey(const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                                      unsigned key)
{
    return m_pGrid->CreateCellEditorForKey(this, rect, text, ch, key);
}

void CZELGridPaneSheet::EnsureVisible(int32_t row, int32_t col, bool repaint)
{
    m_pGrid->EnsureCellVisible(row, col, repaint);
}

void CZELGridPaneSheet::ResetSelection()
{
    m_current = {0, 0};
    m_end = {0, 0};
    const uint32_t flags = m_pStyle ? m_pStyle->m_nSelFlags : 0;
    if (flags & kSelectColumns)
        m_selection = {0, 0, std::max(RowCount() - 1, 0), 0};
    else if (flags & kSelectRows)
        m_selection = {0, 0, 0, std::max(ColumnCount() - 1, 0)};
    else
        m_selection = CCellRange::Cell({0, 0});
}

void CZELGridPaneSheet::OnContextMenu(fw::CWnd*, fw::CPoint point)
{
    QPoint local(point.x, point.y);
    if (QWidget* w = Widget())
        local = w->mapFromGlobal(local);
    if (HitTest(local.x(), local.y()) == kHitCell)
        m_pGrid->OnSheetContextMenu(m_nHitRow, m_nHitCol, point);
}
