#include "grid/views/Grid.h"

#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridColors.h"
#include "grid/model/GridJob.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPanes.h"
#include "grid/views/GridRichWnd.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include <algorithm>

using fw::CRect;
using fw::CSize;

FW_IMPLEMENT_DYNAMIC(CZELGrid, CZELGridObject)

CZELGrid::CZELGrid()
{
    m_panes[kIndexSheet] = std::make_unique<CZELGridPaneSheet>();
    m_panes[kIndexRowHeader] = std::make_unique<CZELGridPaneLeft>();
    m_panes[kIndexColumnHeader] = std::make_unique<CZELGridPaneTop>();
    m_panes[kIndexCorner] = std::make_unique<CZELGridPaneTag>();
    for (auto& pane : m_panes)
        pane->SetGrid(this);
}

CZELGrid::~CZELGrid()
{
    if (m_pStyle)
        m_pStyle->DetachGrid(this);
    m_pStyle = nullptr;
    for (auto& pane : m_panes)
        pane.reset();
    DestroyWidgetNow();
}

CZELGridPane* CZELGrid::GetPane(int index) const
{
    if (index < 0 || index > 3)
        fw::ThrowInvalidArgException();
    return m_panes[static_cast<size_t>(index)].get();
}

CZELGridPane* CZELGrid::PaneById(int id) const
{
    switch (id) {
    case kIdCorner: return GetPane(kIndexCorner);
    case kIdColumnHeader: return GetPane(kIndexColumnHeader);
    case kIdRowHeader: return GetPane(kIndexRowHeader);
    case kIdSheet: return GetPane(kIndexSheet);
    default: return nullptr;
    }
}

bool CZELGrid::Create(const CRect& rect, fw::CWnd* parent, int id)
{
    if (!CreateChild(rect, parent, id))
        return false;
    const int ids[4] = {kIdSheet, kIdRowHeader, kIdColumnHeader, kIdCorner};
    for (int i : {kIndexCorner, kIndexColumnHeader, kIndexRowHeader, kIndexSheet})
        if (!m_panes[static_cast<size_t>(i)]->CreateChild(CRect(), this, ids[i]))
            return false;
    CreateScrollBars();
    if (QWidget* w = Widget())
        w->setFocusPolicy(Qt::StrongFocus);
    if (QWidget* sheet = GetSheetPane()->Widget())
        if (QWidget* w = Widget())
            w->setFocusProxy(sheet);
    return true;
}

void CZELGrid::CreateScrollBars()
{
    QWidget* w = Widget();
    if (!w)
        return;
    for (int bar = 0; bar < 2; ++bar) {
        auto* sb = new QScrollBar(bar == 0 ? Qt::Horizontal : Qt::Vertical, w);
        sb->hide();
        QObject::connect(sb, &QScrollBar::actionTriggered, [this, bar, sb](int action) {
            if (m_bUpdatingBars)
                return;
            unsigned code = SB_NONE;
            switch (action) {
            case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
            case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
            case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
            case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
            case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
            case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
            case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
            default: return;
            }
            const int pos = sb->sliderPosition();
            // The bar shows the grid's position, not its own guess.
            QMetaObject::invokeMethod(sb, [this] { UpdateScrollBars(); }, Qt::QueuedConnection);
            Guard([&] {
                const unsigned both = bar == 0 ? (code | (SB_NONE << 8)) : (SB_NONE | (code << 8));
                OnScroll(both, pos, true);
            });
        });
        QObject::connect(sb, &QScrollBar::sliderPressed, [this, bar] { Guard([&] { OnThumbTracking(bar, true); }); });
        QObject::connect(sb, &QScrollBar::sliderReleased, [this, bar] { Guard([&] { OnThumbTracking(bar, false); }); });
        m_bars[bar] = sb;
    }
}

QScrollBar* CZELGrid::ScrollBar(int bar) const
{
    return bar == 0 || bar == 1 ? m_bars[bar] : nullptr;
}

bool CZELGrid::CanScroll(int bar) const
{
    if (!m_pStyle)
        return false;
    return (m_pStyle->GetMode() & (bar == 0 ? kModeHorzScroll : kModeVertScroll)) != 0;
}

// --- style -------------------------------------------------------------------------------------

void CZELGrid::SetStyle(CZELGridStyle* style)
{
    // A grid listed by a style it no longer shows would be reached after
    // its end by that style's count changes.
    if (m_pStyle && m_pStyle != style)
        m_pStyle->DetachGrid(this);
    m_pStyle = style;
    if (!style) {
        DropStyle();
        return;
    }
    ApplyStyle(false);
}

void CZELGrid::DropStyle()
{
    m_pStyle = nullptr;
    m_pRowHeights = nullptr;
    m_pColWidths = nullptr;
    for (auto& pane : m_panes) {
        pane->CloseEditor();
        pane->SetPaneStyle(nullptr);
    }
    for (QScrollBar* bar : m_bars)
        if (bar)
            bar->hide();
    RedrawPanes();
}

void CZELGrid::ApplyStyle(bool repaint)
{
    if (!m_pStyle)
        return;
    if (!m_pStyle->GetRowHeights())
        m_pStyle->ApplySizes();
    m_pRowHeights = m_pStyle->GetRowHeights();
    m_pColWidths = m_pStyle->GetColumnWidths();
    GetPane(kIndexCorner)->AttachPaneStyle(&m_pStyle->m_corner);
    GetPane(kIndexColumnHeader)->AttachPaneStyle(&m_pStyle->m_colHeader);
    GetPane(kIndexRowHeader)->AttachPaneStyle(&m_pStyle->m_rowHeader);
    GetPane(kIndexSheet)->AttachPaneStyle(&m_pStyle->m_sheet);
    for (int i : {kIndexColumnHeader, kIndexRowHeader, kIndexSheet})
        GetPane(i)->ResetSelection();
    GetPane(kIndexCorner)->ScrollTo(0, 0);
    ScrollTo(0, 0);
    m_pStyle->AttachGrid(this);
    RecalcLayout(repaint);
    CZELGridPane* sheet = GetSheetPane();
    SetSelection(sheet->GetSelection(), sheet->GetCurrentCell(), sheet->GetSelectionEnd(), repaint);
    NotifyParentSelChange(1);
}

fw::CSize CZELGrid::GetHeaderSize() const
{
    // Only the sides that count are summed: a row header of a million
    // rows has one width.
    auto width = [](const CZELGridPane* p) {
        return p->IsVisible() ? static_cast<int32_t>(p->ColumnSpan(0, p->ColumnCount())) : 0;
    };
    auto height = [](const CZELGridPane* p) {
        return p->IsVisible() ? static_cast<int32_t>(p->RowSpan(0, p->RowCount())) : 0;
    };
    const CZELGridPane* corner = GetPane(kIndexCorner);
    return CSize(std::max(width(corner), width(GetPane(kIndexRowHeader))),
                 std::max(height(corner), height(GetPane(kIndexColumnHeader))));
}

fw::CSize CZELGrid::GetHeaderExtent() const
{
    const CZELGridPane* rowHeader = GetPane(kIndexRowHeader);
    const CZELGridPane* colHeader = GetPane(kIndexColumnHeader);
    return CSize(rowHeader->IsVisible() ? static_cast<int32_t>(rowHeader->ColumnSpan(0, rowHeader->ColumnCount())) : 0,
                 colHeader->IsVisible() ? static_cast<int32_t>(colHeader->RowSpan(0, colHeader->RowCount())) : 0);
}

fw::CRect CZELGrid::SheetClientRect() const
{
    return GetSheetPane()->GetClientRect();
}

void CZELGrid::RecalcLayout(bool repaint)
{
    if (!m_pRowHeights || !m_pColWidths || !Widget())
        return;
    CRect client = GetClientRect();
    const int thickness = Widget()->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const bool horz = ShowsScrollBar(0) && m_bars[0];
    const bool vert = ShowsScrollBar(1) && m_bars[1];
    if (horz) {
        client.bottom -= thickness;
        m_bars[0]->setGeometry(0, client.bottom, client.Width(), thickness);
    }
    if (vert) {
        client.right -= thickness;
        m_bars[1]->setGeometry(client.right, 0, thickness, client.Height());
        if (horz)
            m_bars[0]->setGeometry(0, client.bottom, client.Width(), thickness);
    }
    if (m_bars[0])
        m_bars[0]->setVisible(horz);
    if (m_bars[1])
        m_bars[1]->setVisible(vert);
    CSize header = GetHeaderSize();
    header.cx = std::clamp(header.cx, 0, std::max(client.Width(), 0));
    header.cy = std::clamp(header.cy, 0, std::max(client.Height(), 0));
    auto place = [repaint](CZELGridPane* pane, const CRect& r) {
        if (QWidget* w = pane->Widget()) {
            w->setGeometry(r.left, r.top, std::max(r.Width(), 0), std::max(r.Height(), 0));
            pane->SetPosition(r.TopLeft());
            if (repaint)
                w->update();
        }
    };
    place(GetPane(kIndexCorner), CRect(0, 0, header.cx, header.cy));
    place(GetPane(kIndexColumnHeader), CRect(header.cx, 0, client.right, header.cy));
    place(GetPane(kIndexRowHeader), CRect(0, header.cy, header.cx, client.bottom));
    place(GetPane(kIndexSheet), CRect(header.cx, header.cy, client.right, client.bottom));
    UpdateScrollBars();
}

void CZELGrid::ShowRowHeader(bool show)
{
    CZELGridPane* rowHeader = GetPane(kIndexRowHeader);
    if (rowHeader->IsVisible() == show)
        return;
    rowHeader->SetVisible(show);
    GetPane(kIndexCorner)->SetVisible(show && GetPane(kIndexColumnHeader)->IsVisible());
    RecalcLayout(true);
}

void CZELGrid::ShowColumnHeader(bool show)
{
    CZELGridPane* colHeader = GetPane(kIndexColumnHeader);
    if (colHeader->IsVisible() == show)
        return;
    colHeader->SetVisible(show);
    GetPane(kIndexCorner)->SetVisible(show && GetPane(kIndexRowHeader)->IsVisible());
    RecalcLayout(true);
}

void CZELGrid::RedrawPanes()
{
    for (auto& pane : m_panes)
        if (QWidget* w = pane->Widget())
            w->repaint();
}

void CZELGrid::InvalidateRange(int pane, const CCellRange& range)
{
    GetPane(pane)->InvalidateRange(range);
}

void CZELGrid::InvalidateRangeCells(int pane, const CCellRange& range)
{
    GetPane(pane)->InvalidateRangeCells(range);
}

void CZELGrid::InvalidateColumns(int pane, int32_t first, int32_t last)
{
    GetPane(pane)->InvalidateColumns(first, last);
}

void CZELGrid::InvalidateRows(int pane, int32_t first, int32_t last)
{
    GetPane(pane)->InvalidateRows(first, last);
}

void CZELGrid::ExtendRectRows(int pane, CRect& rect, int32_t row, int32_t first, int32_t last) const
{
    GetPane(pane)->ExpandRectToRows(rect, row, first, last);
}

void CZELGrid::ExtendRectColumns(int pane, CRect& rect, int32_t col, int32_t first, int32_t last) const
{
    GetPane(pane)->ExpandRectToColumns(rect, col, first, last);
}

CSize CZELGrid::GetContentExtent() const
{
    const CZELGridPane* corner = GetPane(kIndexCorner);
    if (!corner->Widget())
        return CSize();
    const CSize a = corner->GetVisibleExtent();
    const CSize b = GetSheetPane()->GetVisibleExtent();
    return CSize(a.cx + b.cx, a.cy + b.cy);
}

CSize CZELGrid::GetVisibleExtent() const
{
    const CSize header = GetHeaderSize();
    const CSize sheet = GetSheetPane()->GetVisibleExtent();
    return CSize(header.cx + sheet.cx, header.cy + sheet.cy);
}

// --- selection ----------------------------------------------------------------------------------

CCellRange CZELGrid::GetSelection() const
{
    return GetSheetPane()->GetSelection();
}

void CZELGrid::OnSheetCurrentCellChanged(CCellIndices cell, CZELGridPane* from)
{
    CZELGridPane* sheet = GetSheetPane();
    GetPane(kIndexColumnHeader)->PlaceCurrentCell({0, cell.col});
    GetPane(kIndexRowHeader)->PlaceCurrentCell({cell.row, 0});
    if (from != sheet)
        sheet->PlaceCurrentCell(cell);
}

void CZELGrid::SetSelection(const CCellRange& range, CCellIndices current, CCellIndices anchor, bool repaint)
{
    if (!m_pStyle)
        return;
    OnSheetCurrentCellChanged(current, nullptr);
    CZELGridPane* sheet = GetSheetPane();
    const int32_t lastRow = sheet->RowCount() - 1;
    const int32_t lastCol = sheet->ColumnCount() - 1;
    CZELGridPane* colHeader = GetPane(kIndexColumnHeader);
    CZELGridPane* rowHeader = GetPane(kIndexRowHeader);
    if (range.IsValid() && range.top == 0 && range.bottom == lastRow)
        colHeader->SetSelection({0, range.left, colHeader->RowCount() - 1, range.right}, repaint);
    else
        colHeader->SetSelectionRange(CCellRange{}, false);
    if (range.IsValid() && range.left == 0 && range.right == lastCol)
        rowHeader->SetSelection({range.top, 0, range.bottom, rowHeader->ColumnCount() - 1}, repaint);
    else
        rowHeader->SetSelectionRange(CCellRange{}, false);
    sheet->SetSelection(range, repaint);
    sheet->SetSelectionEnd(anchor);
}

void CZELGrid::SavePosition(CGridPosition& position) const
{
    const CZELGridPane* sheet = GetSheetPane();
    position.selection = sheet->GetSelection();
    position.current = sheet->GetCurrentCell();
    position.end = sheet->GetSelectionEnd();
    position.topLeft = GetTopLeftCell();
}

void CZELGrid::RestorePosition(const CGridPosition& position)
{
    if (!m_pStyle)
        return;
    SetSelection(position.selection, position.current, position.end, false);
    ScrollTo(position.topLeft.col, position.topLeft.row);
    NotifyParentSelChange(0);
}

void CZELGrid::GetSelectionJob(CGridJob& job) const
{
    CGridPosition position;
    SavePosition(position);
    job.SetPosition(position);
}

void CZELGrid::ApplySelectionJob(const CGridJob& job)
{
    RestorePosition(job.GetPosition());
}

void CZELGrid::OnPaneSelChange(int id, int flags)
{
    CZELGridPane* sheet = GetSheetPane();
    CZELGridPane* colHeader = GetPane(kIndexColumnHeader);
    CZELGridPane* rowHeader = GetPane(kIndexRowHeader);
    const int32_t lastRow = std::max(sheet->RowCount() - 1, 0);
    const int32_t lastCol = std::max(sheet->ColumnCount() - 1, 0);
    if (id == kIdCorner && flags == 0) {
        SetFocus();
    } else if (id == kIdSheet) {
        SetSelection(sheet->GetSelection(), sheet->GetCurrentCell(), sheet->GetSelectionEnd(), true);
    } else if (id == kIdColumnHeader || id == kIdCorner) {
        rowHeader->SetSelection(CCellRange{}, true);
        if (flags == 0) {
            const int32_t top = std::max(m_nTopRow, 0);
            rowHeader->PlaceCurrentCell({top, 0});
            sheet->PlaceCurrentCell({top, colHeader->GetCurrentCell().col});
        }
        const CCellRange sel = colHeader->GetSelection();
        if (sel.IsValid())
            sheet->SetSelection({0, sel.left, lastRow, sel.right}, true);
    } else if (id == kIdRowHeader) {
        colHeader->SetSelection(CCellRange{}, true);
        if (flags == 0) {
            const int32_t left = std::max(m_nLeftCol, 0);
            colHeader->PlaceCurrentCell({0, left});
            sheet->PlaceCurrentCell({rowHeader->GetCurrentCell().row, left});
        }
        const CCellRange sel = rowHeader->GetSelection();
        if (sel.IsValid())
            sheet->SetSelection({sel.top, 0, sel.bottom, lastCol}, true);
    }
    NotifyParentSelChange(0);
}

fw::CWnd* CZELGrid::NotifyTarget() const
{
    return GetParent();
}

void CZELGrid::NotifyParentSelChange(intptr_t lParam)
{
    if (fw::CWnd* parent = NotifyTarget())
        parent->SendMessage(WM_GRID_SELCHANGE, static_cast<uintptr_t>(GetDlgCtrlID()), lParam);
}

// --- owner callbacks ---------------------------------------------------------------------------

void CZELGrid::DrawTagCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (GetTagText(text, cell.m_nCol, cell.m_nRow, 1))
        cell.DrawText(text);
}

void CZELGrid::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (GetColumnHeaderText(text, cell.m_nCol, cell.m_nRow, 1))
        cell.DrawText(text);
}

void CZELGrid::DrawRowHeaderCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (GetRowHeaderText(text, cell.m_nCol, cell.m_nRow, 1))
        cell.DrawText(text);
}

void CZELGrid::DrawSheetCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (GetSheetText(text, cell.m_nCol, cell.m_nRow, 1))
        cell.DrawText(text);
}

CZELGridRichWnd* CZELGrid::CreateCellEditor(CZELGridPane* pane, const CRect& rect, const fw::CString& text,
                                            fw::CPoint)
{
    auto editor = std::make_unique<CZELGridRichWnd>();
    editor->CreateForMouse(pane, rect, text, 0);
    return editor.release();
}

CZELGridRichWnd* CZELGrid::CreateCellEditorForKey(CZELGridPane* pane, const CRect& rect, const fw::CString& text,
                                                  unsigned ch, unsigned key)
{
    auto editor = std::make_unique<CZELGridRichWnd>();
    editor->CreateForKey(pane, rect, text, ch, key, 0);
    return editor.release();
}

void CZELGrid::OnEditorOpened(CZELGridPane*)
{
    if (!m_pStyle)
        return;
    // No header drags while a cell is edited.
    for (int i = 0; i < 4; ++i) {
        CZELPaneStyle& st = m_pStyle->GetPane(i);
        m_savedResize[static_cast<size_t>(i)] = {st.m_bRowResize, st.m_bColResize};
        st.m_bRowResize = 0;
        st.m_bColResize = 0;
    }
}

void CZELGrid::OnEditorClosed(CZELGridPane*)
{
    if (!m_pStyle)
        return;
    for (int i = 0; i < 4; ++i) {
        CZELPaneStyle& st = m_pStyle->GetPane(i);
        st.m_bRowResize = m_savedResize[static_cast<size_t>(i)][0];
        st.m_bColResize = m_savedResize[static_cast<size_t>(i)][1];
    }
}

fw::CWnd* CZELGrid::GetFocusWindow()
{
    return fw::CWnd::FromWidget(QApplication::focusWidget());
}

void CZELGrid::OnPaneFocus()
{
    SetFocus();
}

void CZELGrid::OnSetFocus()
{
    if (QWidget* sheet = GetSheetPane()->Widget())
        sheet->setFocus();
}

CZELGridRichWnd* CZELGrid::GetActiveEditor()
{
    CZELGridRichWnd* editor = GetSheetPane()->GetEditor();
    return editor && editor->HasKeyboardFocus() ? editor : nullptr;
}

// --- style client --------------------------------------------------------------------------------

CCellIndices CZELGrid::GetStyleCurrentCell() const
{
    return GetSheetPane()->GetCurrentCell();
}

CCellRange CZELGrid::GetStyleSelection() const
{
    return GetSheetPane()->GetSelection();
}

void CZELGrid::SetStyleSelection(const CCellRange& range, CCellIndices current, CCellIndices end)
{
    SetSelection(range, current, end, false);
}

// --- text lines ----------------------------------------------------------------------------------

bool CZELGrid::AppendColumnHeaderLine(fw::CString& text, int32_t row, char sep, bool lineStart, int32_t firstCol,
                                      int32_t lastCol)
{
    if (lineStart) {
        CZELGridPane* corner = GetPane(kIndexCorner);
        lineStart = corner->AppendRowText(text, row, sep, lineStart, 0, 0, corner->ColumnCount());
    }
    return GetPane(kIndexColumnHeader)->AppendRowText(text, row, sep, lineStart, 0, firstCol, lastCol + 1);
}

bool CZELGrid::AppendTagLine(fw::CString& text, int32_t row, char sep)
{
    CZELGridPane* corner = GetPane(kIndexCorner);
    return corner->AppendRowText(text, row, sep, true, 0, 0, corner->ColumnCount());
}

bool CZELGrid::AppendSheetLine(fw::CString& text, int32_t row, char sep, bool lineStart, int32_t firstCol,
                               int32_t lastCol)
{
    if (lineStart) {
        CZELGridPane* rowHeader = GetPane(kIndexRowHeader);
        lineStart = rowHeader->AppendRowText(text, row, sep, lineStart, 0, 0, rowHeader->ColumnCount());
    }
    return GetSheetPane()->AppendRowText(text, row, sep, lineStart, 0, firstCol, lastCol + 1);
}

// --- messages -----------------------------------------------------------------------------------------

intptr_t CZELGrid::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    const int id = static_cast<int>(wParam & 0xFFFF);
    const int code = static_cast<int>((wParam >> 16) & 0xFFFF);
    switch (message) {
    case WM_GRID_TRACK_BEGIN:
    case WM_GRID_TRACK_MOVE:
    case WM_GRID_TRACK_END:
        OnTrack(message, id);
        return 0;
    case WM_GRID_SELCHANGE:
        OnPaneSelChange(id, code);
        return 0;
    case WM_GRID_SCROLLLINE:
        OnScrollLine(id, code);
        return 0;
    case fw::WM_COMMAND:
        if (id >= kIdCorner && id <= kIdSheet)
            return 0;
        break;
    default:
        break;
    }
    return CZELGridObject::OnMessage(message, wParam, lParam);
}

void CZELGrid::PaintArea(fw::CDC& dc, const CRect& area)
{
    dc.FillSolidRect(area, kGridButtonFaceColor);
}

void CZELGrid::OnSize(unsigned, int, int)
{
    RecalcLayout(true);
}
