#include "data/views/KivDataEXChView.h"

#include "common/calc/CalcuDataTank.h"
#include "common/calc/DataSPSetTank.h"
#include "common/formula/DataCalcuOrder.h"
#include "common/formula/FormulaText.h"
#include "data/model/KivDataDoc.h"
#include "docbase/naming/NameSetParam.h"
#include "docview/instrumentdlg/KivUnitMenu.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"
#include "framework/core/StandardCommands.h"
#include "framework/ui/CmdUI.h"
#include "grid/model/GridJob.h"
#include "grid/views/CellMenus.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"

FW_IMPLEMENT_DYNCREATE(CKivDataEXChView, CKivDataViewBase)

FW_BEGIN_COMMANDS(CKivDataEXChView, CKivDataViewBase)
    FW_ON_COMMAND(CKivDataViewBase::kIdInsertRows, &CKivDataEXChView::OnInsertRows)
    FW_ON_COMMAND(CKivDataViewBase::kIdDeleteRows, &CKivDataEXChView::OnDeleteRows)
    FW_ON_COMMAND(fw::ID_EDIT_PASTE, &CKivDataEXChView::OnEditPaste)
    FW_ON_COMMAND(CKivDataViewBase::kIdFillDown, &CKivDataEXChView::OnFillDown)
    FW_ON_COMMAND(CKivDataEXChView::kIdFunctionPaste, &CKivDataEXChView::OnFunctionPaste)
    FW_ON_UPDATE(CKivDataEXChView::kIdFunctionPaste, &CKivDataEXChView::OnUpdateFunctionPaste)
    FW_ON_COMMAND_RANGE(cellmenu::kIdFormatFirst, cellmenu::kIdFormatLast, &CKivDataEXChView::OnFormatCommand)
    FW_ON_UPDATE_RANGE(cellmenu::kIdFormatFirst, cellmenu::kIdFormatLast, &CKivDataEXChView::OnUpdateFormatCommand)
    FW_ON_COMMAND(CKivDataEXChView::kIdNameChannels, &CKivDataEXChView::OnNameChannels)
    FW_ON_UPDATE(CKivDataEXChView::kIdNameChannels, &CKivDataEXChView::OnUpdateNameChannels)
FW_END_COMMANDS

fw::CString (*CKivDataEXChView::s_pickFunction)(fw::CWnd* parent) = nullptr;

CKivDataEXChView::CKivDataEXChView() { m_nContextMenuId = 169; }

CZELGridStyle* CKivDataEXChView::GetViewStyle()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? doc->GetStyle(CKivDataDoc::kStyleCalc) : nullptr;
}

CDataTankList* CKivDataEXChView::GetColumnList()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? doc->GetDefinitions() : nullptr;
}

CDataTankObject* CKivDataEXChView::GetColumnTank(int32_t col)
{
    CDataTankList* list = GetColumnList();
    if (!list || col < 0 || col >= list->GetSize())
        throw fw::CInvalidArgException();
    return list->GetObjectAt(col);
}

bool CKivDataEXChView::GetTagText(fw::CString& text, int32_t, int32_t row, int display)
{
    text = row == 0 || display ? "NO" : "";
    return true;
}

bool CKivDataEXChView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
{
    CDataTankList* list = GetColumnList();
    if (!list || col < 0 || col >= list->GetSize())
        return false;
    text.Empty();
    if (row == 0 || display)
        if (CDataTankObject* tank = list->GetObjectAt(col))
            text = tank->GetName();
    return true;
}

bool CKivDataEXChView::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    text.Format("%d", row + 1);
    return true;
}

bool CKivDataEXChView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    CDataTankList* list = GetColumnList();
    text.Empty();
    if (!list || col < 0 || col >= list->GetSize())
        return false;
    CDataTankObject* tank = list->GetObjectAt(col);
    if (!tank)
        return true;
    if (row < tank->GetDataCount())
        tank->GetValueText(row, text, true);
    if (col == kColFormula && !text.IsEmpty()) {
        CKivDataDoc* doc = GetDataDoc();
        auto& channels = doc->GetBoxArray().GetTankList();
        const int16_t index = static_cast<int16_t>(CKivDocBase::kFirstCalcChannel + row);
        if (index < channels.GetSize() && channels.GetObjectAt(index))
            if (CDataCalcuOrder* order = channels.GetOrder(index); order && order->GetError() != 0)
                text = fw::Format("Error%d:%s", order->GetError(), text.c_str());
    }
    return true;
}

bool CKivDataEXChView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    if (col == kColFormat)
        return false;
    CDataTankObject* tank = GetColumnTank(col);
    text.Empty();
    if (tank && row < tank->GetDataCount())
        tank->GetValueText(row, text, false);
    return true;
}

bool CKivDataEXChView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    CKivDataDoc* doc = GetDataDoc();
    return doc && doc->SetDefinitionText(col, row, text, fromEditor ? this : nullptr);
}

CZELGridRichWnd* CKivDataEXChView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                              unsigned ch, unsigned key, bool byKey)
{
    if (!CanEdit())
        return nullptr;
    const int32_t col = pane->GetCurrentCell().col;
    std::unique_ptr<CZELGridRichWnd> editor;
    if (col == kColName || col == kColFormula)
        editor = std::make_unique<CZELGridRichWnd>();
    else if (col == kColUnit)
        editor = std::make_unique<CUnitEditWnd>();
    else
        return nullptr;
    if (byKey)
        editor->CreateForKey(pane, rect, text, ch, key, 0);
    else
        editor->CreateForMouse(pane, rect, text, 0);
    return editor.release();
}

CZELGridRichWnd* CKivDataEXChView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect,
                                                    const fw::CString& text, fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CKivDataEXChView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                          const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

// ---- changes ------------------------------------------------------------------------------------

void CKivDataEXChView::RefreshCalculatedChannels(int32_t firstCol, int32_t lastCol)
{
    CKivDataDoc* doc = GetDataDoc();
    doc->RecalculateAll();
    if (firstCol == kColName)
        doc->RebuildChannels();
    GetGrid()->RedrawPanes();
    doc->SendUpdateHint(this, firstCol, lastCol, 0);
}

void CKivDataEXChView::ClearCells(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    RecordSelection(kUndoBlock);
    GetDataDoc()->ClearDefinitionCells(firstCol, firstRow, lastCol, lastRow);
    RefreshCalculatedChannels(firstCol, lastCol);
}

bool CKivDataEXChView::CanInsertRows()
{
    if (!CanEdit())
        return false;
    const CCellRange sel = Selection();
    if (sel.left != 0 || sel.right != kColFormat)
        return false;
    const int32_t used = GetLastUsedRow(0, kColFormat);
    return sel.bottom + used - sel.top + 1 < kMaxRows;
}

bool CKivDataEXChView::CanDeleteRows()
{
    const CCellRange sel = Selection();
    return CanEdit() && sel.left == 0 && sel.right == kColFormat;
}

bool CKivDataEXChView::SetColumnText(int32_t col, const fw::CString& text)
{
    CKivDataDoc* doc = GetDataDoc();
    const CCellRange sel = Selection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!doc->SetDefinitionText(col, row, text, nullptr))
            break;
        any = true;
    }
    if (!any)
        return false;
    GetGrid()->InvalidateColumns(kIndexSheet, col, col);
    RefreshCalculatedChannels(sel.left, sel.right);
    return true;
}

bool CKivDataEXChView::SetColumnValue(int32_t col, int16_t value)
{
    CKivDataDoc* doc = GetDataDoc();
    const CCellRange sel = Selection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!doc->SetDefinitionValue(col, row, value, nullptr))
            break;
        any = true;
    }
    if (!any)
        return false;
    GetGrid()->InvalidateColumns(kIndexSheet, col, col);
    RefreshCalculatedChannels(sel.left, sel.right);
    return true;
}

void CKivDataEXChView::OnInsertRows()
{
    fw::CWaitCursor wait;
    const CCellRange sel = Selection();
    RecordSelection(kUndoInsertedRows);
    GetDataDoc()->InsertCalcChannels(sel.top, sel.bottom);
    RefreshCalculatedChannels(sel.left, sel.right);
    GetDataDoc()->SetModifiedFlag(true);
}

void CKivDataEXChView::OnDeleteRows()
{
    fw::CWaitCursor wait;
    const CCellRange sel = Selection();
    RecordSelection(kUndoDeletedRows);
    GetDataDoc()->DeleteCalcChannels(sel.top, sel.bottom);
    RefreshCalculatedChannels(sel.left, sel.right);
    GetDataDoc()->SetModifiedFlag(true);
}

void CKivDataEXChView::OnEditPaste()
{
    if (GetGrid()->GetActiveEditor()) {
        CKivDataViewBase::OnEditPaste();
        return;
    }
    fw::CWaitCursor wait;
    if (!GetGrid()->PasteFromClipboard())
        return;
    const CCellRange sel = Selection();
    RefreshCalculatedChannels(sel.left, sel.right);
    GetDataDoc()->SetModifiedFlag(true);
}

void CKivDataEXChView::OnFillDown()
{
    const CCellRange sel = Selection();
    RecordSelection(kUndoBlock);
    for (int32_t col = sel.left; col <= sel.right; ++col) {
        fw::CString text;
        GetSheetEditText(sel.top, col, text);
        for (int32_t row = sel.top + 1; row <= sel.bottom; ++row)
            SetSheetText(row, col, text, 0);
    }
    if (sel.left <= kColFormula && sel.right >= kColFormula) {
        // Each row's references move on by its distance from the first.
        for (int32_t row = sel.top + 1; row <= sel.bottom; ++row) {
            fw::CString text;
            GetSheetEditText(row, kColFormula, text);
            if (ShiftFormulaChannels(text, true, -1, row - sel.top))
                SetSheetText(row, kColFormula, text, 0);
        }
    }
    RefreshCalculatedChannels(sel.left, sel.right);
    GetDataDoc()->SetModifiedFlag(true);
}

void CKivDataEXChView::OnFunctionPaste()
{
    CZELGridRichWnd* editor = GetGrid()->GetActiveEditor();
    if (editor)
        editor->SetEndOnKillFocus(false);
    const fw::CString function = s_pickFunction ? s_pickFunction(this) : fw::CString();
    if (editor) {
        editor->SetEndOnKillFocus(true);
        if (!function.IsEmpty()) {
            editor->ReplaceSel(function);
            // The caret goes inside the parentheses.
            int start = 0;
            int end = 0;
            editor->GetSel(start, end);
            editor->SetSel(end - 1, end - 1);
        }
        return;
    }
    if (function.IsEmpty())
        return;
    RecordSelection(kUndoColumn, kColFormula);
    SetColumnText(kColFormula, function);
    GetDataDoc()->SetModifiedFlag(true);
}

void CKivDataEXChView::OnUpdateFunctionPaste(fw::CCmdUI* ui)
{
    const CCellRange sel = Selection();
    ui->Enable(sel.left <= kColFormula && sel.right > 0 && (EditorOpen() || CanEdit()));
}

bool CKivDataEXChView::OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info)
{
    if (id >= kFirstUnitId && id < kFirstUnitId + kUnitCount) {
        const CCellRange sel = Selection();
        if (code == fw::CN_UPDATE_COMMAND_UI && ui) {
            ui->Enable(sel.left <= kColUnit && sel.right >= kColUnit && CanEdit());
            return true;
        }
        if (code == fw::CN_COMMAND) {
            CKivUnitMenu menu;
            menu.LoadUnits(CKivUnitMenu::kUnitItemId);
            const fw::CString unit = menu.GetUnitText(id);
            if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
                editor->ReplaceSel(unit);
            } else {
                RecordSelection(kUndoColumn, kColUnit);
                SetColumnText(kColUnit, unit);
                GetDataDoc()->SetModifiedFlag(true);
            }
            return true;
        }
    }
    return CKivDataViewBase::OnCmdMsg(id, code, ui, info);
}

// ---- undo ---------------------------------------------------------------------------------------------

void CKivDataEXChView::ReplayRecord(fw::CArchive& ar, int32_t code, CGridJob& job, fw::CMemFile& reverse,
                                    bool& reversed)
{
    CKivDataDoc* doc = GetDataDoc();
    const CCellRange sel = job.m_selection;
    switch (code) {
    case kUndoDeletedRows:
        doc->InsertCalcChannels(sel.top, sel.bottom);
        GetGrid()->ApplySelectionJob(job);
        reversed = WriteUndoRecord(reverse, kUndoReinsert, -1);
        ReadBlock(ar, sel);
        break;
    case kUndoReinsert:
    case kUndoInsertedRows:
        GetGrid()->ApplySelectionJob(job);
        reversed = WriteUndoRecord(reverse, kUndoDeletedRows, -1);
        doc->DeleteCalcChannels(sel.top, sel.bottom);
        break;
    case kUndoOutside:
    case kUndoKeptRows:
        GetGrid()->ApplySelectionJob(job);
        reversed = WriteUndoRecord(reverse, code, -1);
        break;
    default:
        CKivDataViewBase::ReplayRecord(ar, code, job, reverse, reversed);
        break;
    }
}

void CKivDataEXChView::AfterUndo(const CCellRange& range, bool)
{
    RefreshCalculatedChannels(range.left, range.right);
}

// ---- formats, names and cell menus ----------------------------------------------------------------

void CKivDataEXChView::OnFormatCommand(unsigned id)
{
    const int16_t code = cellmenu::FormatCodeOf(id);
    if (code == cellmenu::kNoFormat || !CanEdit())
        return;
    RecordSelection(kUndoColumn, kColFormat);
    if (SetColumnValue(kColFormat, code))
        GetDataDoc()->SetModifiedFlag(true);
}

void CKivDataEXChView::OnUpdateFormatCommand(fw::CCmdUI* ui)
{
    const CCellRange sel = Selection();
    const int16_t code = cellmenu::FormatCodeOf(ui->m_nID);
    CDataTankObject* tank = GetColumnTank(kColFormat);
    const bool inColumn = tank && sel.left <= kColFormat && sel.right >= kColFormat;
    bool all = inColumn && code != cellmenu::kNoFormat;
    for (int32_t row = sel.top; all && row <= sel.bottom; ++row)
        all = row < tank->GetDataCount() && tank->GetValue(row) == code;
    ui->Enable(inColumn && CanEdit());
    ui->SetCheck(all ? 1 : 0);
}

void CKivDataEXChView::OnNameChannels()
{
    CKivDataDoc* doc = GetDataDoc();
    CNameSetParam local;
    CNameSetParam* pattern = doc && CanEdit() ? cellmenu::AskNamePattern(this, local) : nullptr;
    if (!pattern)
        return;
    RecordSelection(kUndoBlock);
    const CCellRange sel = Selection();
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        fw::CString name;
        pattern->MakeNextName(name);
        doc->SetDefinitionText(kColName, row, name, nullptr);
    }
    RefreshCalculatedChannels(sel.left, sel.right);
    doc->SetModifiedFlag(true);
}

void CKivDataEXChView::OnUpdateNameChannels(fw::CCmdUI* ui)
{
    const CCellRange sel = Selection();
    ui->Enable(CanEdit() && sel.left <= kColName && sel.top < sel.bottom && !EditorOpen());
}

void CKivDataEXChView::OnCurrentCellChanged()
{
    CKivDataViewBase::OnCurrentCellChanged();
    const int32_t col = GetGrid() && GetGrid()->GetSheetPane() ? GetGrid()->GetSheetPane()->GetCurrentCell().col : -1;
    SetDropButton(col == kColUnit || col == kColFormat);
}

void CKivDataEXChView::OnDropDown(int32_t col, int32_t row, fw::CPoint)
{
    if (!CanEdit())
        return;
    if (col == kColUnit)
        cellmenu::TrackUnitMenu(*this, col, row);
    else if (col == kColFormat)
        cellmenu::TrackFormatMenu(*this, col, row);
}

bool CKivDataEXChView::OnCellContextMenu(int32_t col, fw::CPoint screen, unsigned& chosen)
{
    if (col != kColFormat)
        return false;
    chosen = cellmenu::TrackFormatMenuAt(*this, screen);
    return true;
}
