#include "project/views/PrjCycleTrgView.h"

#include "common/tank/DataTankList.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/Exceptions.h"
#include "grid/views/GridPane.h"
#include "instrument/check/ProgramTableTanks.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/ProjectMenus.h"

FW_IMPLEMENT_DYNCREATE(CPrjCycleTrgView, CProjectBaseView)

FW_BEGIN_COMMANDS(CPrjCycleTrgView, CProjectBaseView)
    FW_ON_COMMAND_RANGE(prjmenu::kIdEndless, prjmenu::kIdGoto, &CPrjCycleTrgView::OnControl)
    FW_ON_UPDATE_RANGE(prjmenu::kIdEndless, prjmenu::kIdGoto, &CPrjCycleTrgView::OnUpdateControl)
FW_END_COMMANDS

namespace {
constexpr int kEndless = 0;
} // namespace

CPrjCycleTrgView::CPrjCycleTrgView() { m_nContextMenuId = static_cast<int32_t>(prjmenu::kCycleContext); }

int CPrjCycleTrgView::ProgramIndex() const { return CKIV5980Doc::kProgCycle; }

int CPrjCycleTrgView::TableIndex() const { return CKIV5980Doc::kTabCycle; }

void CPrjCycleTrgView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(static_cast<CKIV5980Doc::Table>(TableIndex())));
    // A refused value tells the user the column's range.
    if (CDataTankList* table = GetPageTable())
        for (int col = 0; col < table->GetSize(); ++col)
            table->GetObjectAt(col)->SetReportRangeErrors(true);
}

CDataTankList* CPrjCycleTrgView::GetPageTable()
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? doc->GetProgram(static_cast<CKIV5980Doc::Program>(ProgramIndex())) : nullptr;
}

CDataTankObject* CPrjCycleTrgView::GetColumnTank(int32_t col)
{
    CDataTankList* table = GetPageTable();
    if (!table || col < 0 || col >= table->GetSize())
        throw fw::CInvalidArgException();
    return table->GetObjectAt(col);
}

int CPrjCycleTrgView::ControlOf(int32_t row)
{
    const double value = GetColumnTank(kColControl)->GetValue(row);
    return value >= 0 && value <= CControlTank::kNone ? static_cast<int>(value) : CControlTank::kNone;
}

bool CPrjCycleTrgView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
{
    if (col < 0 || col >= kColumns)
        return false;
    const fw::CString caption = GetColumnTank(col)->GetName();
    if (col >= kColControl)
        text = row == 0 ? fw::CString("条件") : caption;
    else
        text = row == 0 || display ? caption : fw::CString();
    return true;
}

bool CPrjCycleTrgView::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    if (!HasRow(row))
        return false;
    text.Format("%d", row + 1);
    return true;
}

bool CPrjCycleTrgView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    if (col < 0 || col >= kColumns || !HasRow(row))
        return true;
    // The repeat count means nothing for an endless step.
    if (col == kColRepeat && ControlOf(row) == kEndless)
        return true;
    GetColumnTank(col)->GetValueText(row, text, true);
    return true;
}

bool CPrjCycleTrgView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    if (col < 0 || col >= kColumns || col == kColControl || !HasRow(row))
        return false;
    if (col == kColRepeat && ControlOf(row) == kEndless)
        return false;
    GetColumnTank(col)->GetValueText(row, text, true);
    return true;
}

void CPrjCycleTrgView::AfterCellSet(int32_t col)
{
    GetProjectDoc()->NotifyColumnsChanged(this, col, col, 0, true);
    GetProjectDoc()->SetModifiedFlag(true);
}

bool CPrjCycleTrgView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int)
{
    if (col < 0 || col >= kColumns || !HasRow(row))
        return false;
    if (!GetColumnTank(col)->SetValueText(row, text))
        return false;
    AfterCellSet(col);
    return true;
}

bool CPrjCycleTrgView::EditorChars(int32_t col, bool, fw::CString& allowed) const
{
    allowed.Empty();
    return col == 0 || col == 1 || col == kColRepeat;
}

CZELGridRichWnd* CPrjCycleTrgView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                              unsigned ch, unsigned key, bool byKey)
{
    const CCellIndices cur = pane->GetCurrentCell();
    fw::CString allowed;
    fw::CString current;
    if (!CanEdit() || !EditorChars(cur.col, byKey, allowed) || !GetSheetEditText(cur.row, cur.col, current))
        return nullptr;
    return MakeNumericEditor(pane, rect, text, allowed, ch, key, byKey);
}

CZELGridRichWnd* CPrjCycleTrgView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect,
                                                    const fw::CString& text, fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CPrjCycleTrgView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                          const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

void CPrjCycleTrgView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint screen)
{
    if (col == kColControl)
        OnDropDown(col, row, screen);
}

void CPrjCycleTrgView::OnDropDown(int32_t col, int32_t row, fw::CPoint)
{
    if (col == kColControl)
        OpenCellMenu(prjmenu::kControl, col, row);
}

void CPrjCycleTrgView::OnCurrentCellChanged()
{
    CProjectBaseView::OnCurrentCellChanged();
    SetDropButton(GetGrid()->GetSheetPane()->GetCurrentCell().col == kColControl);
}

void CPrjCycleTrgView::ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    if (CDataTankList* table = GetPageTable())
        table->ClearBlock(firstCol, firstRow, lastCol, lastRow);
}

void CPrjCycleTrgView::OnControl(unsigned id)
{
    if (!CanEdit())
        return;
    SetColumnNumber(kColControl, static_cast<int16_t>(id - prjmenu::kIdEndless));
}

void CPrjCycleTrgView::OnUpdateControl(fw::CCmdUI* ui)
{
    UpdateColumnCheck(ui, kColControl, static_cast<int32_t>(ui->m_nID - prjmenu::kIdEndless));
}
