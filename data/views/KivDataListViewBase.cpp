#include "data/views/KivDataListViewBase.h"

#include "chart/model/GraphTimeListObj.h"
#include "common/tank/UseTankList.h"
#include "common/tank/ZELDataPoter.h"
#include "data/model/KivDataDoc.h"
#include "data/views/DataGraphAccess.h"
#include "data/views/DataSetSelect.h"
#include "framework/core/Services.h"
#include "framework/core/StandardCommands.h"
#include "grid/model/GridJob.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"

#include <cmath>

FW_IMPLEMENT_DYNAMIC(CKivDataListViewBase, CKivDataViewBase)

FW_BEGIN_COMMANDS(CKivDataListViewBase, CKivDataViewBase)
    FW_ON_COMMAND(fw::ID_EDIT_PASTE, &CKivDataListViewBase::OnEditPaste)
    FW_ON_COMMAND(CKivDataListViewBase::kIdDeleteOutside, &CKivDataListViewBase::OnDeleteOutside)
    FW_ON_UPDATE(CKivDataListViewBase::kIdDeleteOutside, &CKivDataListViewBase::OnUpdateRowCommand)
    FW_ON_COMMAND(CKivDataListViewBase::kIdSetSelect, &CKivDataListViewBase::OnSetSelect)
    FW_ON_UPDATE(CKivDataListViewBase::kIdSetSelect, &CKivDataListViewBase::OnUpdateAlways)
    FW_ON_COMMAND(CKivDataListViewBase::kIdThinning, &CKivDataListViewBase::OnThinning)
    FW_ON_UPDATE(CKivDataListViewBase::kIdThinning, &CKivDataListViewBase::OnUpdateThinning)
    FW_ON_COMMAND(CKivDataViewBase::kIdDeleteRows, &CKivDataListViewBase::OnDeleteRows)
    FW_ON_UPDATE(CKivDataViewBase::kIdDeleteRows, &CKivDataListViewBase::OnUpdateRowCommand)
    FW_ON_COMMAND(CKivDataViewBase::kIdInsertRows, &CKivDataListViewBase::OnInsertRows)
    FW_ON_COMMAND(CKivDataViewBase::kIdTextSave, &CKivDataListViewBase::OnExportText)
FW_END_COMMANDS

int (*CKivDataListViewBase::s_askThinning)(int upperBound) = &AskThinningCount;

CKivDataListViewBase::CKivDataListViewBase() = default;

void CKivDataListViewBase::OnInitialUpdate()
{
    CKivDataViewBase::OnInitialUpdate();
    SetUpListGrid();
}

void CKivDataListViewBase::SetUpListGrid()
{
    if (CKivDataDoc* doc = GetDataDoc())
        m_pColumns = &doc->GetUseTanks();
}

CDataTankObject* CKivDataListViewBase::GetColumnTank(int32_t col)
{
    if (!m_pColumns || col < 0 || col >= m_pColumns->GetSize())
        return nullptr;
    return m_pColumns->GetObjectAt(col);
}

CDataTankList* CKivDataListViewBase::GetColumnList() { return m_pColumns; }

// ---- cells -------------------------------------------------------------------------------------------

bool CKivDataListViewBase::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    text.Empty();
    if (CDataTankObject* tank = GetColumnTank(col))
        tank->GetValueText(row, text, true);
    return true;
}

bool CKivDataListViewBase::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    CDataTankObject* tank = GetColumnTank(col);
    if (!tank || !tank->SetValueText(row, text))
        return false;
    CKivDataDoc* doc = GetDataDoc();
    doc->SetModifiedFlag(true);
    if (fromEditor) {
        tank->SetAverage(GetTankAverage(tank, 0, -1));
        doc->SendUpdateHint(this, col, col, 0);
    }
    return true;
}

CZELGridRichWnd* CKivDataListViewBase::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect,
                                                        const fw::CString& text, fw::CPoint)
{
    if (!CanEdit() || !GetColumnTank(pane->GetCurrentCell().col))
        return nullptr;
    auto editor = std::make_unique<CZELDegitEditWnd>();
    editor->SetAllowedChars("+-.eE");
    editor->CreateForMouse(pane, rect, text, 0);
    return editor.release();
}

CZELGridRichWnd* CKivDataListViewBase::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                              const fw::CString& text, unsigned ch, unsigned key)
{
    if (!CanEdit() || !GetColumnTank(pane->GetCurrentCell().col))
        return nullptr;
    // A typed lower-case e opens no editor.
    const bool digit = ch >= '0' && ch <= '9';
    if (!(digit || ch == 0 || ch == '+' || ch == '-' || ch == '.' || ch == 'E'))
        return nullptr;
    auto editor = std::make_unique<CZELDegitEditWnd>();
    editor->SetAllowedChars("+-.E");
    editor->CreateForKey(pane, rect, text, ch, key, 0);
    return editor.release();
}

void CKivDataListViewBase::OnEditorClosed()
{
    const int32_t col = GetGrid()->GetSheetPane()->GetCurrentCell().col;
    RecomputeStatistics(col, 1);
    GetGrid()->InvalidateColumns(kIndexColumnHeader, col, col);
    GetGrid()->InvalidateColumns(kIndexSheet, col, col);
    GetDataDoc()->SendUpdateHint(this, col, col, 0);
}

void CKivDataListViewBase::RecomputeStatistics(int32_t firstCol, int32_t count)
{
    for (int32_t col = firstCol; col < firstCol + count; ++col) {
        CDataTankObject* tank = GetColumnTank(col);
        if (!tank)
            continue;
        double max = HUGE_VAL;
        double min = HUGE_VAL;
        if (!GetTankMaxMin(tank, max, min, 0, -1))
            max = min = HUGE_VAL;
        tank->SetMax(max);
        tank->SetMin(min);
        tank->SetAverage(GetTankAverage(tank, 0, -1));
    }
}

// ---- undo -------------------------------------------------------------------------------------------

bool CKivDataListViewBase::ConfirmUndoable(int32_t code)
{
    const fw::CString text("この操作の結果を元に戻せる様にすると非常に時間がかかる場合があります。\n\n"
                           "元に戻すを無効にして実行しますか？");
    switch (fw::Prompt().MessageBox(text, fw::MB_YESNOCANCEL, kMsgSlowUndo)) {
    case fw::IDYES:
        GetDataDoc()->GetUndoBuffer().Release(0);
        return true;
    case fw::IDNO:
        RecordSelection(code);
        return true;
    default:
        return false;
    }
}

void CKivDataListViewBase::Undo() { CKivDataViewBase::Undo(); }

void CKivDataListViewBase::AfterUndo(const CCellRange& range, bool rowsChanged)
{
    if (!rowsChanged)
        RecomputeStatistics(range.left, range.right - range.left + 1);
    GetGrid()->RedrawPanes();
    GetDataDoc()->SendUpdateHint(this, range.left, range.right, rowsChanged ? kFlagRows : 0);
}

// ---- editing ----------------------------------------------------------------------------------------

void CKivDataListViewBase::FillFromFirstCell()
{
    CKivDataViewBase::FillFromFirstCell();
    const CCellRange sel = Selection();
    RecomputeStatistics(sel.left, sel.right - sel.left + 1);
}

void CKivDataListViewBase::ClearCells(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    if (!ConfirmUndoable(kUndoBlock))
        return;
    if (m_pColumns)
        m_pColumns->ClearBlock(firstCol, firstRow, lastCol, lastRow);
    RecomputeStatistics(firstCol, lastCol - firstCol + 1);
    GetGrid()->RedrawPanes();
    GetDataDoc()->SendUpdateHint(this, firstCol, lastCol, 0);
}

void CKivDataListViewBase::InsertRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    fw::CWaitCursor wait;
    GetDataDoc()->InsertRows(firstRow, lastRow);
    RecomputeStatistics(firstCol, lastCol - firstCol + 1);
}

void CKivDataListViewBase::DeleteRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    fw::CWaitCursor wait;
    GetDataDoc()->DeleteRows(firstRow, lastRow);
    RecomputeStatistics(firstCol, lastCol - firstCol + 1);
    ClearGraphSelections();
}

void CKivDataListViewBase::DeleteOutsideRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    fw::CWaitCursor wait;
    GetDataDoc()->DeleteOutsideRows(firstRow, lastRow);
    RecomputeStatistics(firstCol, lastCol - firstCol + 1);
    ClearGraphSelections();
}

int32_t CKivDataListViewBase::UndoExtent()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? doc->GetSampleCount() : 0;
}

void CKivDataListViewBase::ClearGraphSelections()
{
    if (CGraphTimeListObj* graph = DataTimeListGraph(*GetDataDoc()))
        graph->ClearSelection();
}

void CKivDataListViewBase::RunRowCommand(int32_t code)
{
    const CCellRange sel = Selection();
    if (!ConfirmUndoable(code))
        return;
    if (code == kUndoDeletedRows)
        DeleteRows(sel.left, sel.top, sel.right, sel.bottom);
    else if (code == kUndoInsertedRows)
        InsertRows(sel.left, sel.top, sel.right, sel.bottom);
    else
        DeleteOutsideRows(sel.left, sel.top, sel.right, sel.bottom);
    CKivDataDoc* doc = GetDataDoc();
    GetGrid()->RedrawPanes();
    doc->SendUpdateHint(this, sel.left, sel.right, kFlagRows);
    doc->SetModifiedFlag(true);
}

void CKivDataListViewBase::OnInsertRows() { RunRowCommand(kUndoInsertedRows); }

void CKivDataListViewBase::OnDeleteRows() { RunRowCommand(kUndoDeletedRows); }

void CKivDataListViewBase::OnDeleteOutside() { RunRowCommand(kUndoOutside); }

void CKivDataListViewBase::OnEditPaste()
{
    if (GetGrid()->GetActiveEditor()) {
        CKivDataViewBase::OnEditPaste();
        return;
    }
    fw::CWaitCursor wait;
    if (!GetGrid()->PasteFromClipboard())
        return;
    const CCellRange sel = Selection();
    RecomputeStatistics(sel.left, sel.right - sel.left + 1);
    NotifySelectionColumns();
}

void CKivDataListViewBase::OnThinning()
{
    const int count = GetValueCount();
    const int n = s_askThinning ? s_askThinning(count - 1) : -1;
    if (n < 1)
        return;
    ThinValues(n);
}

void CKivDataListViewBase::ThinValues(int n)
{
    CKivDataDoc* doc = GetDataDoc();
    doc->Thin(n);
    // A record written before thinning would put the old rows back over
    // thinned ones.
    doc->GetUndoBuffer().Release(0);
    RecomputeStatistics(0, SheetColumnCount());
    ClearGraphSelections();
    GetGrid()->RedrawPanes();
    doc->SendUpdateHint(this, 0, SheetColumnCount() - 1, kFlagThinned);
    doc->SetModifiedFlag(true);
}

void CKivDataListViewBase::OnSetSelect()
{
    CKivDataDoc* doc = GetDataDoc();
    int32_t first = 1;
    int32_t last = doc->GetAdSet().m_nNum;
    if (!GetSelectedRows(first, last)) {
        first = 1;
        last = doc->GetAdSet().m_nNum;
    }
    if (AskRowRange(*doc, first, last))
        SelectRows(first, last);
}

void CKivDataListViewBase::OnUpdateRowCommand(fw::CCmdUI* ui)
{
    ui->Enable(!EditorOpen() && CanDeleteRows());
}

void CKivDataListViewBase::OnUpdateThinning(fw::CCmdUI* ui)
{
    CKivDataDoc* doc = GetDataDoc();
    ui->Enable(doc && !doc->IsEditLocked() && GetValueCount() >= 2);
}
