#include "frequency/views/HistAmpInView.h"

#include "common/calc/DataFormat.h"
#include "docview/controls/ContextMenus.h"
#include "framework/core/DC.h"
#include "framework/ui/CmdUI.h"
#include "frequency/document/HistDoc.h"
#include "frequency/views/HistColumns.h"
#include "frequency/views/HistViewIds.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridColors.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridObject.h"
#include "grid/views/GridPane.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextEdit>

FW_IMPLEMENT_DYNCREATE(CHistAmpInView, CHistDataViewBase)

using namespace histview;

FW_BEGIN_COMMANDS(CHistAmpInView, CHistDataViewBase)
    FW_ON_COMMAND_RANGE(kIdFirstFormat, kIdLastFormat, &CHistAmpInView::OnFormat)
    FW_ON_UPDATE_RANGE(kIdFirstFormat, kIdLastFormat, &CHistAmpInView::OnUpdateFormat)
FW_END_COMMANDS

namespace {

constexpr HistColumnSpec kColumns[] = {
    {kHistColComment, "入力ｃｈ.", nullptr},
    {kHistColRange, "入力ﾓｰﾄﾞ", nullptr},
    {kHistColAttenuation, "入力ﾚﾝｼﾞ", nullptr},
    {kHistColFilter, "ﾛｰﾊﾟｽﾌｨﾙﾀ", "周波数\n(Hz)"},
    {kHistColFilterKind, "ﾛｰﾊﾟｽﾌｨﾙﾀ", "特性"},
    {kHistColHighPass, "ﾊｲﾊﾟｽ\nﾌｨﾙﾀ\n(Hz)", nullptr},
    {kHistColDmc, "ﾊﾞﾗﾝｽ", nullptr},
    {kHistColRjc, "基準接点", nullptr},
    {kHistColCoefficient, "校正", "係数"},
    {kHistColRatedOutput, "校正", "定格出力"},
    {kHistColCapacity, "校正", "容量"},
    {kHistColUnit, "単位", nullptr},
    {kHistColFormat, "ﾌｫｰﾏｯﾄ", nullptr},
};
static_assert(std::size(kColumns) == CHistAmpInView::kColumnCount);

constexpr unsigned kFormatPopupMenu = 371;

const CDataFormat& Formats()
{
    static const CDataFormat formats;
    return formats;
}

} // namespace

CHistAmpInView::CHistAmpInView() { m_nContextMenuId = kInputContextMenu; }

int CHistAmpInView::ColumnCode(int32_t col)
{
    return col >= 0 && col < kColumnCount ? kColumns[col].code : -1;
}

void CHistAmpInView::OnInitialUpdate()
{
    CHistDoc* doc = GetHistDoc();
    if (doc && doc->GetLayout(0)) {
        CZELGridStyle* layout = doc->GetLayout(0);
        SetGridStyle(layout);
        // Read-only cells show grey text on the window colour; the format
        // column, drawn in black, stands out.
        CZELPaneStyle& sheet = layout->GetPane(kPaneSheet);
        sheet.m_format.bSysTextColor = 0;
        sheet.m_format.crText = kReadOnlyText;
        sheet.m_crBack = kGridWindowColor;
        GetGrid()->ApplyStyle(true);
    }
    CHistDataViewBase::OnInitialUpdate();
}

bool CHistAmpInView::GetTagText(fw::CString& text, int32_t, int32_t, int)
{
    text = "NO";
    return true;
}

bool CHistAmpInView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
{
    return HistHeaderCaption(kColumns, col, row, display, text);
}

bool CHistAmpInView::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    HistAnalysisName(GetHistDoc(), row, text);
    return true;
}

bool CHistAmpInView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    return HistAnalysisCell(GetHistDoc(), kColumns, col, row, text);
}

bool CHistAmpInView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    CHistDoc* doc = GetHistDoc();
    if (!doc || col != kFormatColumn || row < 0)
        return false;
    if (!doc->GetBoxArray().SetText(row, kHistColFormat, text))
        return false;
    if (fromEditor) {
        doc->SendUpdateHint(this, kFormatColumn, kFormatColumn, 0);
        doc->SetModifiedFlag(true);
    }
    return true;
}

void CHistAmpInView::DrawSheetCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (!GetSheetText(text, cell.m_nCol, cell.m_nRow, 1))
        return;
    const bool printing = cell.m_pDC && cell.m_pDC->IsPrinting();
    if (cell.m_nCol == kFormatColumn || printing) {
        CellFormat black;
        black.nFlags = kCellUseTextColor;
        black.crText = 0;
        cell.DrawText(text, &black);
        return;
    }
    cell.DrawText(text);
}

bool CHistAmpInView::SelectionHasFormatColumn() const
{
    const CCellRange sel = GetGrid()->GetSelection();
    return sel.left <= kFormatColumn && kFormatColumn <= sel.right;
}

bool CHistAmpInView::CanPaste() const
{
    if (!CHistDataViewBase::CanPaste())
        return false;
    QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus))
        return true;
    return SelectionHasFormatColumn();
}

void CHistAmpInView::OnFormat(unsigned id)
{
    CHistDoc* doc = GetHistDoc();
    if (!doc)
        return;
    RecordSelection(kUndoColumn, kFormatColumn);
    const int16_t code = Formats().GetFormatCode(id);
    const CCellRange sel = GetGrid()->GetSelection();
    bool changed = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!doc->GetBoxArray().SetValue(row, kHistColFormat, code))
            break;
        changed = true;
    }
    if (!changed)
        return;
    GetGrid()->InvalidateRange(kIndexSheet, {sel.top, kFormatColumn, sel.bottom, kFormatColumn});
    doc->SetModifiedFlag(true);
    doc->SendUpdateHint(this, sel.left, sel.right, 0);
}

void CHistAmpInView::OnUpdateFormat(fw::CCmdUI* ui)
{
    CHistDoc* doc = GetHistDoc();
    if (!doc || !GetGrid()->GetStyle() || !SelectionHasFormatColumn()) {
        ui->Enable(false);
        ui->SetCheck(0);
        return;
    }
    ui->Enable(!doc->IsEditLocked());
    const int16_t code = Formats().GetFormatCode(ui->m_nID);
    const CCellRange sel = GetGrid()->GetSelection();
    bool all = code != -9999;
    for (int32_t row = sel.top; all && row <= sel.bottom; ++row)
        all = doc->GetBoxArray().GetValue(row, kHistColFormat) == code;
    ui->SetCheck(all ? 1 : 0);
}

void CHistAmpInView::ShowFormatButton()
{
    CZELGridStyle* style = GetGrid()->GetStyle();
    if (!style)
        return;
    const CCellIndices current = GetGrid()->GetSheetPane()->GetCurrentCell();
    CZELPaneStyle& sheet = style->GetPane(kPaneSheet);
    if (ColumnCode(current.col) == kHistColFormat)
        sheet.m_format.nFlags |= kCellDropButton;
    else
        sheet.m_format.nFlags &= ~static_cast<uint32_t>(kCellDropButton);
}

intptr_t CHistAmpInView::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    const intptr_t result = CHistDataViewBase::OnMessage(message, wParam, lParam);
    if (message == WM_GRID_SELCHANGE)
        ShowFormatButton();
    return result;
}

void CHistAmpInView::OnDropDown(int32_t col, int32_t, fw::CPoint screen)
{
    if (col == kFormatColumn)
        appctl::TrackControlMenu(kFormatPopupMenu, *this, screen);
}
