#include "project/views/PrjDataTrgView.h"

#include "docbase/doc/UpdateHints.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/DC.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/views/ProjectMenus.h"

FW_IMPLEMENT_DYNCREATE(CPrjDataTrgView, CProjectBaseView)

FW_BEGIN_COMMANDS(CPrjDataTrgView, CProjectBaseView)
    FW_ON_COMMAND_RANGE(prjmenu::kIdOff, prjmenu::kIdOn, &CPrjDataTrgView::OnOnOff)
    FW_ON_UPDATE_RANGE(prjmenu::kIdOff, prjmenu::kIdOn, &CPrjDataTrgView::OnUpdateOnOff)
    FW_ON_COMMAND_RANGE(prjmenu::kIdTriggerFirst, prjmenu::kIdTriggerLast, &CPrjDataTrgView::OnTriggerMode)
    FW_ON_UPDATE_RANGE(prjmenu::kIdTriggerFirst, prjmenu::kIdTriggerLast, &CPrjDataTrgView::OnUpdateTriggerMode)
FW_END_COMMANDS

namespace {

enum Code : int { kOn = 0, kTrigger = 11, kMode = 13, kLevel = 1006 };

constexpr int kCodes[] = {kOn, kTrigger, kLevel, kMode};
constexpr const char* kCaptions[] = {"SET", "ON/OFF", "ﾄﾘｶﾞﾚﾍﾞﾙ\n[μ.mV.℃]", "ﾄﾘｶﾞﾓｰﾄﾞ"};
constexpr fw::COLORREF kLightGrey = fw::RGB(175, 175, 175);
constexpr fw::COLORREF kRed = fw::RGB(255, 0, 0);
constexpr intptr_t kHintColumns = 12;

} // namespace

CPrjDataTrgView::CPrjDataTrgView() { m_nContextMenuId = static_cast<int32_t>(prjmenu::kDataTriggerContext); }

int CPrjDataTrgView::ColumnCode(int32_t col) { return col >= 0 && col < 4 ? kCodes[col] : -1; }

bool CPrjDataTrgView::IsChannelRow(int32_t row) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && row >= 0 && row < doc->GetBoxArray().GetMeasuringCount();
}

void CPrjDataTrgView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabDataTrigger));
}

void CPrjDataTrgView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    if (hint == kHintColumns) {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        if (data && data->m_pDocument == GetDocument() &&
            (data->m_changeFlags & (CUpdateKivData::kChange4 | 0x80)) != 0)
            GetGrid()->RedrawPanes();
        return;
    }
    CProjectBaseView::OnUpdate(sender, hint, hintObject);
}

bool CPrjDataTrgView::GetTagText(fw::CString& text, int32_t col, int32_t row, int display)
{
    // One header row: the drawn captions above, the copied ones below.
    return GetChannelCornerText(text, col, display ? 0 : 1, 1);
}

bool CPrjDataTrgView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    if (col < 0 || col >= 4)
        return false;
    text = kCaptions[col];
    return true;
}

bool CPrjDataTrgView::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    if (!IsChannelRow(row))
        return false;
    return GetChannelRowLabel(text, col, row);
}

void CPrjDataTrgView::DrawRowHeaderCell(CZELDrawCell& cell) { DrawSystemChannelRowHeaderCell(cell); }

void CPrjDataTrgView::DrawSheetCell(CZELDrawCell& cell) { DrawSystemChannelSheetCell(cell); }

void CPrjDataTrgView::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    WhitenForPrint(cell);
    fw::CString text;
    if (!GetColumnHeaderText(text, cell.m_nCol, cell.m_nRow, 1))
        return;
    if (!cell.m_pDC || !cell.m_pDC->IsPrinting()) {
        cell.DrawText(text);
        return;
    }
    CellFormat format = cell.m_format;
    format.nFlags |= kCellUseFont;
    format.lf.lfWeight = 400;
    cell.DrawText(text, &format);
}

bool CPrjDataTrgView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    const int code = ColumnCode(col);
    if (code < 0 || !IsChannelRow(row))
        return false;
    GetProjectDoc()->GetBoxArray().GetChannelDisplayText(code, row, text);
    return true;
}

bool CPrjDataTrgView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    if (!IsChannelRow(row))
        return false;
    CBoxArray& system = GetProjectDoc()->GetBoxArray();
    if (col == kColSet) {
        system.GetChannelDisplayText(kOn, row, text);
        return true;
    }
    if (col != kColLevel || !CanEditCell(kColLevel, kColLevel) || !system.IsChannelAttrEditable(row, kLevel))
        return false;
    system.GetChannelText(row, kLevel, text);
    return true;
}

bool CPrjDataTrgView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    const int code = ColumnCode(col);
    if (code < 0 || !IsChannelRow(row))
        return false;
    // The polling worker reads these settings.
    CPollingPause pause;
    return GetProjectDoc()->SetChannelText(code, col, row, text, fromEditor ? this : nullptr);
}

void CPrjDataTrgView::GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row)
{
    if (!IsChannelRow(row))
        return;
    fw::COLORREF color = 0;
    if (col == kColSet)
        color = kLightGrey;
    else if (col == kColLevel && !GetProjectDoc()->GetBoxArray().IsChannelValueAllowed(row, kLevel, 32768))
        color = kRed;
    else
        return;
    format.nFlags |= kCellUseTextColor;
    format.bSysTextColor = 0;
    format.crText = color;
}

bool CPrjDataTrgView::CanEditCell(int32_t, int32_t)
{
    CKIV5980Doc* doc = GetProjectDoc();
    return !(doc && ProjectHost().IsTriggerMeasuring(*doc));
}

bool CPrjDataTrgView::CanEdit() const
{
    if (!CProjectBaseView::CanEdit())
        return false;
    auto* self = const_cast<CPrjDataTrgView*>(this);
    const CCellRange sel = GetGrid()->GetSelection();
    return self->CanEditCell(sel.left, sel.right) && sel.left <= kColLevel && sel.right >= kColLevel;
}

CZELGridRichWnd* CPrjDataTrgView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                             unsigned ch, unsigned key, bool byKey)
{
    const CCellIndices cur = pane->GetCurrentCell();
    if (cur.col != kColLevel || !CanEditCell(kColLevel, kColLevel))
        return nullptr;
    return MakeNumericEditor(pane, rect, text, "+-.eE", ch, key, byKey);
}

CZELGridRichWnd* CPrjDataTrgView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect,
                                                   const fw::CString& text, fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CPrjDataTrgView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                         const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

void CPrjDataTrgView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint screen)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || !CanEditCell(col, col))
        return;
    if (col == kColOnOff) {
        if (doc->IsEditLocked())
            return;
        const CCellIndices cur = GetGrid()->GetSheetPane()->GetCurrentCell();
        if (!IsChannelRow(cur.row))
            return;
        RecordSelection(kUndoColumn, kColOnOff);
        const double value = doc->GetBoxArray().GetChannelValue(cur.row, kTrigger) == 1 ? 0 : 1;
        SetSelectionAttributeValue(kColOnOff, kTrigger, value);
    } else if (col == kColMode) {
        OnDropDown(col, row, screen);
    }
}

void CPrjDataTrgView::OnDropDown(int32_t col, int32_t row, fw::CPoint)
{
    if (!CanEditCell(col, col))
        return;
    if (col == kColOnOff)
        OpenCellMenu(prjmenu::kOnOff, col, row);
    else if (col == kColMode)
        OpenCellMenu(prjmenu::kTriggerMode, col, row);
}

void CPrjDataTrgView::OnCurrentCellChanged()
{
    CProjectBaseView::OnCurrentCellChanged();
    const int32_t col = GetGrid()->GetSheetPane()->GetCurrentCell().col;
    SetDropButton(col == kColOnOff || col == kColMode);
}

void CPrjDataTrgView::ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return;
    CPollingPause pause;
    for (int32_t col = firstCol; col <= lastCol; ++col)
        for (int32_t row = firstRow; row <= lastRow && IsChannelRow(row); ++row)
            doc->SetChannelText(ColumnCode(col), col, row, fw::CString(), nullptr);
}

// ---- commands ------------------------------------------------------------------------------------

void CPrjDataTrgView::OnOnOff(unsigned id)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || doc->IsEditLocked() || !CanEditCell(kColOnOff, kColOnOff))
        return;
    RecordSelection(kUndoColumn, kColOnOff);
    SetSelectionAttributeValue(kColOnOff, kTrigger, static_cast<double>(id - prjmenu::kIdOff));
}

void CPrjDataTrgView::OnTriggerMode(unsigned id)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || doc->IsEditLocked() || !CanEditCell(kColMode, kColMode))
        return;
    RecordSelection(kUndoColumn, kColMode);
    SetSelectionAttributeValue(kColMode, kMode, static_cast<double>(id - prjmenu::kIdTriggerFirst));
}

void CPrjDataTrgView::OnUpdateOnOff(fw::CCmdUI* ui)
{
    UpdateChannelValueCheck(ui, kColOnOff, kTrigger, static_cast<double>(ui->m_nID - prjmenu::kIdOff));
}

void CPrjDataTrgView::OnUpdateTriggerMode(fw::CCmdUI* ui)
{
    UpdateChannelValueCheck(ui, kColMode, kMode, static_cast<double>(ui->m_nID - prjmenu::kIdTriggerFirst));
}
