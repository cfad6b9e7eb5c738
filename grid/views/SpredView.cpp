#include "grid/views/SpredView.h"

#include "framework/core/DC.h"
#include "framework/core/PrintInfo.h"
#include "framework/ui/FrameWnd.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"

#include <QApplication>
#include <QWidget>

#include <limits>

FW_IMPLEMENT_DYNAMIC(CZELViewGrid, CZELGrid)
FW_IMPLEMENT_DYNAMIC(CZELGridEX, CZELViewGrid)
FW_IMPLEMENT_DYNCREATE(CZELGridSplitter, fw::CSplitterWnd)
FW_IMPLEMENT_DYNAMIC(CZELSpredView, fw::CView)

// --- view grid ------------------------------------------------------------------------------

void CZELViewGrid::EnsureCellVisible(int32_t row, int32_t col, bool repaint)
{
    CZELGrid::EnsureCellVisible(row, col, repaint);
    if (m_pView)
        m_pView->OnCurrentCellChanged();
}

void CZELViewGrid::OnTagDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen)
{
    if (m_pView)
        m_pView->OnTagDoubleClick(row, col, flags, screen);
}
void CZELViewGrid::OnColumnHeaderDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen)
{
    if (m_pView)
        m_pView->OnColumnHeaderDoubleClick(row, col, flags, screen);
}
void CZELViewGrid::OnRowHeaderDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen)
{
    if (m_pView)
        m_pView->OnRowHeaderDoubleClick(row, col, flags, screen);
}
void CZELViewGrid::OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen)
{
    if (m_pView)
        m_pView->OnSheetDoubleClick(row, col, flags, screen);
}
CZELGridRichWnd* CZELViewGrid::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                                fw::CPoint screen)
{
    return m_pView ? m_pView->CreateCellEditor(pane, rect, text, screen)
                   : CZELGrid::CreateCellEditor(pane, rect, text, screen);
}
CZELGridRichWnd* CZELViewGrid::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                      const fw::CString& text, unsigned ch, unsigned key)
{
    return m_pView ? m_pView->CreateCellEditorForKey(pane, rect, text, ch, key)
                   : CZELGrid::CreateCellEditorForKey(pane, rect, text, ch, key);
}
void CZELViewGrid::OnPaneFocus()
{
    CZELGrid::OnPaneFocus();
    if (m_pView)
        m_pView->ActivateView();
}
void CZELViewGrid::DrawTagCell(CZELDrawCell& cell)
{
    if (m_pView)
        m_pView->DrawTagCell(cell);
    else
        CZELGrid::DrawTagCell(cell);
}
void CZELViewGrid::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    if (m_pView)
        m_pView->DrawColumnHeaderCell(cell);
    else
        CZELGrid::DrawColumnHeaderCell(cell);
}
void CZELViewGrid::DrawRowHeaderCell(CZELDrawCell& cell)
{
    if (m_pView)
        m_pView->DrawRowHeaderCell(cell);
    else
        CZELGrid::DrawRowHeaderCell(cell);
}
void CZELViewGrid::DrawSheetCell(CZELDrawCell& cell)
{
    if (m_pView)
        m_pView->DrawSheetCell(cell);
    else
        CZELGrid::DrawSheetCell(cell);
}
bool CZELViewGrid::GetTagText(fw::CString& text, int32_t col, int32_t row, int display)
{
    return m_pView ? m_pView->GetTagText(text, col, row, display) : CZELGrid::GetTagText(text, col, row, display);
}
bool CZELViewGrid::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
{
    return m_pView ? m_pView->GetColumnHeaderText(text, col, row, display)
                   : CZELGrid::GetColumnHeaderText(text, col, row, display);
}
bool CZELViewGrid::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
{
    return m_pView ? m_pView->GetRowHeaderText(text, col, row, display)
                   : CZELGrid::GetRowHeaderText(text, col, row, display);
}
bool CZELViewGrid::GetSheetText(fw::CString& text, int32_t col, int32_t row, int display)
{
    return m_pView ? m_pView->GetSheetText(text, col, row, display) : CZELGrid::GetSheetText(text, col, row, display);
}
bool CZELViewGrid::GetTagEditText(int32_t row, int32_t col, fw::CString& text)
{
    return m_pView ? m_pView->GetTagEditText(row, col, text) : CZELGrid::GetTagEditText(row, col, text);
}
bool CZELViewGrid::SetTagText(int32_t row, int32_t col, const fw::CString& text)
{
    return m_pView ? m_pView->SetTagText(row, col, text) : CZELGrid::SetTagText(row, col, text);
}
bool CZELViewGrid::GetColumnHeaderEditText(int32_t row, int32_t col, fw::CString& text)
{
    return m_pView ? m_pView->GetColumnHeaderEditText(row, col, text)
                   : CZELGrid::GetColumnHeaderEditText(row, col, text);
}
bool CZELViewGrid::SetColumnHeaderText(int32_t row, int32_t col, const fw::CString& text)
{
    return m_pView ? m_pView->SetColumnHeaderText(row, col, text) : CZELGrid::SetColumnHeaderText(row, col, text);
}
bool CZELViewGrid::GetRowHeaderEditText(int32_t row, int32_t col, fw::CString& text)
{
    return m_pView ? m_pView->GetRowHeaderEditText(row, col, text) : CZELGrid::GetRowHeaderEditText(row, col, text);
}
bool CZELViewGrid::SetRowHeaderText(int32_t row, int32_t col, const fw::CString& text)
{
    return m_pView ? m_pView->SetRowHeaderText(row, col, text) : CZELGrid::SetRowHeaderText(row, col, text);
}
bool CZELViewGrid::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    return m_pView ? m_pView->GetSheetEditText(row, col, text) : CZELGrid::GetSheetEditText(row, col, text);
}
bool CZELViewGrid::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    return m_pView ? m_pView->SetSheetText(row, col, text, fromEditor)
                   : CZELGrid::SetSheetText(row, col, text, fromEditor);
}
void CZELViewGrid::DiscardUndo()
{
    if (m_pView)
        m_pView->DiscardUndo();
    else
        CZELGrid::DiscardUndo();
}
void CZELViewGrid::RecordUndo(CZELGridPane* pane, int change, const CCellRange* range)
{
    if (m_pView)
        m_pView->RecordUndo(pane, change, range);
}
void CZELViewGrid::OnEditorClosed(CZELGridPane* pane)
{
    CZELGrid::OnEditorClosed(pane);
    if (m_pView)
        m_pView->OnEditorClosed();
}
void CZELViewGrid::OnDropDown(int32_t col, int32_t row, fw::CPoint screen)
{
    if (m_pView)
        m_pView->OnDropDown(col, row, screen);
    else
        CZELGrid::OnDropDown(col, row, screen);
}
void CZELViewGrid::OnCheckBoxClick(int32_t col, int32_t row, fw::CPoint screen)
{
    if (m_pView)
        m_pView->OnCheckBoxClick(col, row, screen);
}
void CZELViewGrid::GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row)
{
    if (m_pView)
        m_pView->GetSheetCellFormat(format, col, row);
}

bool CZELViewGrid::OnMouseWheel(unsigned flags, short delta, fw::CPoint point)
{
    const bool used = CZELGrid::OnMouseWheel(flags, delta, point);
    if (m_pView)
        m_pView->OnCurrentCellChanged();
    return used;
}

void CZELViewGrid::HandleKey(unsigned key, bool shift, bool ctrl)
{
    CZELGrid::HandleKey(key, shift, ctrl);
    if (key == vk::Prior || key == vk::Next || key == vk::End || key == vk::Home)
        if (m_pView)
            m_pView->OnCurrentCellChanged();
}

void CZELViewGrid::OnScrollTo(int32_t leftCol, int32_t topRow)
{
    CZELGrid::OnScrollTo(leftCol, topRow);
    // Panes of a splitter row or column scroll together.
    if (m_pView)
        m_pView->OnCurrentCellChanged();
}

bool CZELViewGrid::ShowsScrollBar(int bar) const
{
    if (!CZELGrid::ShowsScrollBar(bar))
        return false;
    CZELGridSplitter* splitter = m_pView ? m_pView->GetSplitter() : nullptr;
    if (!splitter || !m_pStyle || !(m_pStyle->GetMode() & kModeOuterHeaders))
        return true;
    int row = 0;
    int col = 0;
    if (!splitter->FindPane(m_pView, row, col))
        return true;
    return bar == 0 ? row == splitter->GetRowCount() - 1 : col == splitter->GetColumnCount() - 1;
}

intptr_t CZELViewGrid::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == WM_GRID_TRACK_END)
        if (fw::CDocument* doc = m_pView ? m_pView->GetDocument() : nullptr)
            doc->SetModifiedFlag(true);
    return CZELGrid::OnMessage(message, wParam, lParam);
}

// --- grid with a used extent --------------------------------------------------------------------

int32_t CZELGridEX::GetScrollLimit(int bar, int32_t pos) const
{
    const int32_t last = CZELGrid::GetScrollLimit(bar, pos);
    if (bar == 0 ? m_bTrackH : m_bTrackV)
        return last;
    const int32_t used = bar == 0 ? m_nUsedCols : m_nUsedRows;
    return std::min(std::max(pos, used), last);
}

void CZELGridEX::OnScrollTo(int32_t leftCol, int32_t topRow)
{
    CZELViewGrid::OnScrollTo(leftCol, topRow);
    UpdateScrollBars();
}

void CZELGridEX::OnThumbTracking(int bar, bool on)
{
    (bar == 0 ? m_bTrackH : m_bTrackV) = on;
    if (on)
        return;
    UpdateScrollBars();
    if (bar == 1 && GetView())
        GetView()->UpdateWindow();
}

void CZELGridEX::SetUsedExtent(int axis, int32_t extent)
{
    (axis == 0 ? m_nUsedCols : m_nUsedRows) = std::max(extent, 0);
    UpdateScrollBars();
}

// --- splitter -------------------------------------------------------------------------------------

bool CZELGridSplitter::FindPane(const fw::CWnd* view, int& row, int& col) const
{
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c)
            if (GetPane(r, c) == view) {
                row = r;
                col = c;
                return true;
            }
    return false;
}

CZELSpredView* CZELGridSplitter::ViewAt(int row, int col) const
{
    return dynamic_cast<CZELSpredView*>(GetPane(row, col));
}

void CZELGridSplitter::SyncScroll(CZELSpredView* view)
{
    int row = 0;
    int col = 0;
    if (!FindPane(view, row, col))
        return;
    const CCellIndices topLeft = view->GetTopLeftCell();
    auto follow = [&](CZELSpredView* other, bool rows, bool cols) {
        if (!other || other == view)
            return;
        const CCellIndices own = other->GetTopLeftCell();
        other->ScrollTo(cols ? topLeft.col : own.col, rows ? topLeft.row : own.row);
        other->GetGrid()->RedrawPanes();
    };
    for (int c = 0; c < GetColumnCount(); ++c)
        follow(ViewAt(row, c), true, false);
    for (int r = 0; r < GetRowCount(); ++r)
        follow(ViewAt(r, col), false, true);
}

void CZELGridSplitter::AlignPane(CZELSpredView* view)
{
    int row = 0;
    int col = 0;
    if (!FindPane(view, row, col))
        return;
    CCellIndices topLeft = view->GetTopLeftCell();
    CZELSpredView* left = col > 0 ? ViewAt(row, col - 1) : nullptr;
    CZELSpredView* above = row > 0 ? ViewAt(row - 1, col) : nullptr;
    if (row == 0 && col > 0 && left) {
        topLeft = {left->GetTopLeftCell().row, left->GetBottomRightCell().col};
    } else if (row > 0 && col == 0 && above) {
        topLeft = {above->GetBottomRightCell().row, above->GetTopLeftCell().col};
    } else if (row > 0 && col > 0 && above && left) {
        topLeft = {left->GetTopLeftCell().row, above->GetTopLeftCell().col};
    }
    view->ScrollTo(topLeft.col, topLeft.row);
}

void CZELGridSplitter::SyncSelection(CZELSpredView* source, CZELSpredView* target, bool repaint)
{
    if (!source)
        return;
    CZELGridPane* sheet = source->GetGrid()->GetSheetPane();
    const CCellRange range = sheet->GetSelection();
    const CCellIndices current = sheet->GetCurrentCell();
    const CCellIndices anchor = sheet->GetSelectionEnd();
    auto apply = [&](CZELSpredView* view) {
        if (view && view != source)
            view->GetGrid()->SetSelection(range, current, anchor, repaint);
    };
    if (target) {
        apply(target);
        return;
    }
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c)
            apply(ViewAt(r, c));
}

// --- view -------------------------------------------------------------------------------------------

CZELSpredView::CZELSpredView() : m_pGrid(std::make_unique<CZELViewGrid>(this)) {}

CZELSpredView::~CZELSpredView()
{
    m_pGrid.reset();
}

bool CZELSpredView::Create(QWidget* parent, fw::CDocument* document)
{
    if (!fw::CView::Create(parent, document))
        return false;
    m_pGrid->SetView(this);
    if (!m_pGrid->Create(fw::CRect(0, 0, 10, 10), this, kGridId))
        return false;
    const fw::CRect client = GetClientRect();
    if (!client.IsRectEmpty())
        m_pGrid->MoveWindow(client, false);
    return true;
}

CZELGridSplitter* CZELSpredView::GetSplitter() const
{
    return dynamic_cast<CZELGridSplitter*>(GetParent());
}

void CZELSpredView::SetGridStyle(CZELGridStyle* style)
{
    m_pGrid->SetStyle(style);
    ArrangeSplitterHeaders();
}

void CZELSpredView::ArrangeSplitterHeaders()
{
    CZELGridStyle* style = m_pGrid->GetStyle();
    CZELGridSplitter* splitter = GetSplitter();
    if (!style || !(style->GetMode() & kModeOuterHeaders) || !splitter)
        return;
    int row = 0;
    int col = 0;
    if (!splitter->FindPane(this, row, col))
        return;
    m_pGrid->ShowRowHeader(col == 0);
    m_pGrid->ShowColumnHeader(row == 0);
    if (row == 0 && col == 0) {
        const fw::CSize header = m_pGrid->GetHeaderSize();
        if (header.cx > 0)
            splitter->SetColumnInfo(0, std::max(header.cx, 0), header.cx);
        if (header.cy > 0)
            splitter->SetRowInfo(0, std::max(header.cy, 0), header.cy);
    }
}

void CZELSpredView::DrawTagCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (GetTagText(text, cell.m_nCol, cell.m_nRow, 1))
        cell.DrawText(text);
}

void CZELSpredView::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (GetColumnHeaderText(text, cell.m_nCol, cell.m_nRow, 1))
        cell.DrawText(text);
}

void CZELSpredView::DrawRowHeaderCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (GetRowHeaderText(text, cell.m_nCol, cell.m_nRow, 1))
        cell.DrawText(text);
}

void CZELSpredView::DrawSheetCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (GetSheetText(text, cell.m_nCol, cell.m_nRow, 1))
        cell.DrawText(text);
}

bool CZELSpredView::GetTagText(fw::CString& text, int32_t, int32_t, int)
{
    text.Empty();
    return true;
}

bool CZELSpredView::GetColumnHeaderText(fw::CString& text, int32_t, int32_t, int)
{
    text.Empty();
    return true;
}

bool CZELSpredView::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    text.Format("%d", row + 1);
    return true;
}

bool CZELSpredView::GetSheetText(fw::CString& text, int32_t, int32_t, int)
{
    text.Empty();
    return true;
}

void CZELSpredView::OnCurrentCellChanged()
{
    if (CZELGridSplitter* splitter = GetSplitter())
        splitter->SyncScroll(this);
}

CZELGridRichWnd* CZELSpredView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                                 fw::CPoint screen)
{
    return m_pGrid->CZELGrid::CreateCellEditor(pane, rect, text, screen);
}

CZELGridRichWnd* CZELSpredView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                       const fw::CString& text, unsigned ch, unsigned key)
{
    return m_pGrid->CZELGrid::CreateCellEditorForKey(pane, rect, text, ch, key);
}

void CZELSpredView::ActivateView()
{
    fw::CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return;
    if (frame->GetActiveView() == this) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !Widget() || !Widget()->isAncestorOf(focus))
            OnActivateView(true, this, this);
    } else {
        frame->SetActiveView(this);
    }
}

void CZELSpredView::SyncSplitterIfPending()
{
    if (!m_bSyncPending)
        return;
    if (CZELGridSplitter* splitter = GetSplitter()) {
        splitter->AlignPane(this);
        splitter->SyncSelection(splitter->ViewAt(0, 0), this, true);
        m_pGrid->RedrawPanes();
    }
    m_bSyncPending = false;
}

void CZELSpredView::OnPaint()
{
    SyncSplitterIfPending();
    fw::CView::OnPaint();
}

void CZELSpredView::OnSize(unsigned, int cx, int cy)
{
    if (m_pGrid && m_pGrid->Widget() && cx > 0 && cy > 0)
        m_pGrid->MoveWindow(fw::CRect(0, 0, cx, cy), true);
}

void CZELSpredView::OnSetFocus()
{
    if (m_pGrid)
        m_pGrid->OnSetFocus();
}

void CZELSpredView::OnPrepareDC(fw::CDC* dc, fw::CPrintInfo* info)
{
    if (info && dc->IsPrinting() && info->m_nCurPage > info->GetToPage()) {
        info->m_bContinuePrinting = false;
        return;
    }
    fw::CView::OnPrepareDC(dc, info);
}

void CZELSpredView::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    const fw::CRect area = info ? info->m_rectDraw : fw::CRect();
    const fw::CRect rect(m_nMarginLeft, m_nMarginTop, area.Width() - m_nMarginRight, area.Height() - m_nMarginBottom);
    const int pages = m_pGrid->BeginPrint(*dc, rect, true, std::numeric_limits<int32_t>::max(),
                                          std::numeric_limits<int32_t>::max(), false);
    if (info)
        info->SetMaxPage(static_cast<unsigned>(std::max(pages, 0)));
}

void CZELSpredView::OnPrint(fw::CDC* dc, fw::CPrintInfo* info)
{
    if (info && info->m_nCurPage >= 1 && info->m_nCurPage <= m_pGrid->GetPages().size())
        m_pGrid->PrintPage(*dc, *info);
}

intptr_t CZELSpredView::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == WM_GRID_SELCHANGE) {
        if (lParam != 1)
            if (CZELGridSplitter* splitter = GetSplitter())
                splitter->SyncSelection(this, nullptr, true);
        return 0;
    }
    return fw::CView::OnMessage(message, wParam, lParam);
}
