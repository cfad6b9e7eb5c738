#include "project/views/pages/PrjIntervalView.h"

#include "common/base/ValueParse.h"
#include "common/tank/DataTankList.h"
#include "common/tank/DataTankObject.h"
#include "framework/core/Archive.h"
#include "framework/core/DateTime.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/PrintInfo.h"
#include "framework/core/Services.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/Menu.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridArray.h"
#include "grid/model/GridJob.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "instrument/check/ProgramTableTanks.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/pages/PageDrawing.h"
#include "project/views/pages/PageHints.h"

#include <QWidget>

#include <cmath>
#include <memory>
#include <vector>

FW_IMPLEMENT_DYNCREATE(CPrjIntervalView, CProjectBaseView)

FW_BEGIN_COMMANDS(CPrjIntervalView, CProjectBaseView)
    FW_ON_COMMAND_RANGE(CPrjIntervalView::kIdEndless, CPrjIntervalView::kIdGoto, &CPrjIntervalView::OnControl)
    FW_ON_UPDATE_RANGE(CPrjIntervalView::kIdEndless, CPrjIntervalView::kIdGoto, &CPrjIntervalView::OnUpdateControl)
    FW_ON_COMMAND(CPrjIntervalView::kIdInsert, &CPrjIntervalView::OnInsert)
    FW_ON_UPDATE(CPrjIntervalView::kIdInsert, &CPrjIntervalView::OnUpdateRows)
    FW_ON_COMMAND(CPrjIntervalView::kIdDelete, &CPrjIntervalView::OnDelete)
    FW_ON_UPDATE(CPrjIntervalView::kIdDelete, &CPrjIntervalView::OnUpdateRows)
FW_END_COMMANDS

namespace {

constexpr int32_t kUndoKind = CUndoBuffer::kDataViewKind;
constexpr int kRows = CKIV5980Doc::kProgramRows;
constexpr const char* kLower[] = {"年", "月", "日", "時", "分", "秒", "時", "分", "秒", "ｺﾝﾄﾛｰﾙ", "ﾘﾋﾟｰﾄ"};
constexpr int16_t kNoShort = static_cast<int16_t>(0x8000);

void Group(int32_t col, int32_t& first, int32_t& last, const char*& caption)
{
    if (col <= 5) {
        first = 0, last = 5, caption = "計測開始日時";
    } else if (col <= 8) {
        first = 6, last = 8, caption = "計測間隔";
    } else {
        first = 9, last = 10, caption = "条件";
    }
}

bool ReadInt(const fw::CString& text, int32_t& value) { return TextToInt(text.c_str(), &value); }

} // namespace

CPrjIntervalView::CPrjIntervalView() { m_nContextMenuId = static_cast<int32_t>(kContextMenu); }

int32_t CPrjIntervalView::ListColumn(int32_t col)
{
    if (col < 0)
        return -1;
    if (col <= 2)
        return 0;
    if (col <= 5)
        return 1;
    return col - 4;
}

void CPrjIntervalView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabInterval));
}

CDataTankList* CPrjIntervalView::GetPageTable()
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? doc->GetProgram(CKIV5980Doc::kProgInterval) : nullptr;
}

CDataTankObject* CPrjIntervalView::GetColumnTank(int32_t col)
{
    CDataTankList* list = GetPageTable();
    const int32_t m = ListColumn(col);
    if (!list || m < 0 || m >= list->GetSize())
        throw fw::CInvalidArgException();
    return list->GetObjectAt(m);
}

// ---- texts ---------------------------------------------------------------------------------------

bool CPrjIntervalView::GetTagText(fw::CString& text, int32_t, int32_t, int)
{
    text = prjpage::PageText(208, "ステップ");
    return true;
}

bool CPrjIntervalView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    if (col < 0 || col >= kColumns)
        return false;
    if (row == 0) {
        int32_t first = 0, last = 0;
        const char* caption = "";
        Group(col, first, last, caption);
        text = caption;
    } else {
        text = kLower[col];
    }
    return true;
}

bool CPrjIntervalView::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    text = fw::Format("%d", row + 1);
    return true;
}

int16_t CPrjIntervalView::ControlAt(int32_t row)
{
    CDataTankObject* tank = GetColumnTank(kColControl);
    return row < tank->GetDataCount() ? static_cast<int16_t>(tank->GetValue(row)) : CControlTank::kNone;
}

bool CPrjIntervalView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    if (col < 0 || col >= kColumns || row < 0 || row >= kRows || !GetPageTable())
        return true;
    CDataTankObject* tank = GetColumnTank(col);
    if (row >= tank->GetDataCount())
        return true;
    if (col <= 5) {
        const double value = tank->GetValue(row);
        fw::OleDateFields f;
        if (value == HUGE_VAL || !std::isfinite(value) || !fw::OleDateToFields(value, f))
            return true;
        if (col <= 2 && f.year < 2001)
            return true;
        const int parts[] = {f.year, f.month, f.day, f.hour, f.minute, f.second};
        text = fw::Format("%d", parts[col]);
        return true;
    }
    if (col == kColRepeat && ControlAt(row) == 0)
        return true;
    tank->GetValueText(row, text, true);
    return true;
}

bool CPrjIntervalView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    if (col == kColControl || col < 0 || col >= kColumns)
        return false;
    if (col == kColRepeat && ControlAt(row) == 0)
        return false;
    return GetSheetText(text, col, row, 0);
}

bool CPrjIntervalView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || col < 0 || col >= kColumns || row < 0 || row >= kRows)
        return false;
    CDataTankObject* tank = GetColumnTank(col);
    bool stored = false;
    int32_t number = 0;
    if (col >= kColControl) {
        stored = tank->SetValueText(row, text);
    } else if (text.IsEmpty()) {
        stored = col <= 5 ? tank->SetValue(row, HUGE_VAL) : tank->SetValue(row, kNoShort);
    } else if (!ReadInt(text, number)) {
        stored = false;
    } else if (col <= 2) {
        stored = number >= 0 && static_cast<CIntevalTank*>(tank)->SetDatePart(row, col, number);
    } else if (col <= 5) {
        stored = number >= 0 && static_cast<CIntevalTimeTank*>(tank)->SetTimePart(row, col - 3, number);
    } else {
        const int32_t high = col == 6 ? 1000 : 59;
        stored = number >= 1 && number <= high && tank->SetValue(row, number);
    }
    if (!stored)
        return false;
    if (fromEditor)
        doc->NotifyColumnsChanged(this, col, col, 0, true);
    doc->SetModifiedFlag(true);
    if (GetGrid()->GetStyle())
        GetGrid()->RedrawPanes();
    return true;
}

// ---- drawing -------------------------------------------------------------------------------------

void CPrjIntervalView::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    WhitenForPrint(cell);
    if (cell.m_nCol >= kColumns)
        return;
    fw::CString text;
    GetColumnHeaderText(text, cell.m_nCol, cell.m_nRow, 1);
    if (cell.m_nRow == 0) {
        int32_t first = 0, last = 0;
        const char* caption = "";
        Group(cell.m_nCol, first, last, caption);
        prjpage::DrawMergedHeader(cell, GetGrid()->GetPane(kIndexColumnHeader), first, last, text);
        return;
    }
    cell.DrawText(text);
    prjpage::DrawHeaderEdges(cell);
}

// ---- editing -------------------------------------------------------------------------------------

CZELGridRichWnd* CPrjIntervalView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                              unsigned ch, unsigned key, bool byKey)
{
    const int32_t col = pane->GetCurrentCell().col;
    if (!CanEdit() || col == kColControl || col < 0 || col >= kColumns)
        return nullptr;
    if (byKey && ch != 0 && !(ch >= '0' && ch <= '9'))
        return nullptr;
    auto editor = std::make_unique<CZELDegitEditWnd>();
    editor->SetAllowedChars("");
    const bool made = byKey ? editor->CreateForKey(pane, rect, text, ch, key, 0) : editor->CreateForMouse(pane, rect, text, 0);
    return made ? editor.release() : nullptr;
}

CZELGridRichWnd* CPrjIntervalView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect,
                                                    const fw::CString& text, fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CPrjIntervalView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                          const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

void CPrjIntervalView::OnCurrentCellChanged()
{
    CProjectBaseView::OnCurrentCellChanged();
    CZELGridStyle* style = GetGrid() ? GetGrid()->GetStyle() : nullptr;
    if (!style)
        return;
    uint32_t& flags = style->GetPane(kPaneSheet).m_format.nFlags;
    if (GetGrid()->GetSheetPane()->GetCurrentCell().col == kColControl)
        flags |= kCellDropButton;
    else
        flags &= ~static_cast<uint32_t>(kCellDropButton);
}

void CPrjIntervalView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint screen)
{
    if (col == kColControl)
        OnDropDown(col, row, screen);
}

void CPrjIntervalView::OnDropDown(int32_t col, int32_t row, fw::CPoint)
{
    if (col != kColControl)
        return;
    CZELGridPane* sheet = GetGrid()->GetSheetPane();
    const fw::CRect cellRect = sheet->GetCellRect({row, col, row, col});
    fw::CPoint at(cellRect.left + 1, cellRect.bottom);
    if (QWidget* w = sheet->Widget()) {
        const QPoint global = w->mapToGlobal(QPoint(at.x, at.y));
        at = fw::CPoint(global.x(), global.y());
    }
    fw::CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(fw::MF_STRING, kIdEndless, CControlTank::ControlText(0));
    menu.AppendMenu(fw::MF_STRING, kIdRepeat, CControlTank::ControlText(1));
    menu.AppendMenu(fw::MF_STRING, kIdGoto, CControlTank::ControlText(2));
    menu.TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON, at.x, at.y, GetTopLevelFrame());
}

void CPrjIntervalView::AfterChange(int32_t firstCol, int32_t lastCol)
{
    CKIV5980Doc* doc = GetProjectDoc();
    GetGrid()->RedrawPanes();
    doc->SetModifiedFlag(true);
    doc->NotifyColumnsChanged(this, firstCol, lastCol, 0, true);
}

void CPrjIntervalView::ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    CDataTankList* list = GetPageTable();
    if (list)
        list->ClearBlock(ListColumn(firstCol), firstRow, ListColumn(lastCol), lastRow);
}

void CPrjIntervalView::OnUpdateControl(fw::CCmdUI* ui)
{
    const CCellRange sel = GetGrid()->GetSelection();
    CKIV5980Doc* doc = GetProjectDoc();
    const bool inColumn = doc && sel.left <= kColControl && sel.right >= kColControl && sel.top >= 0;
    ui->Enable(inColumn && !doc->IsEditLocked());
    bool all = inColumn;
    for (int32_t row = sel.top; all && row <= sel.bottom; ++row)
        all = ControlAt(row) == static_cast<int16_t>(ui->m_nID - kIdEndless);
    ui->SetCheck(all ? 1 : 0);
}

void CPrjIntervalView::OnControl(unsigned id)
{
    if (!CanEdit())
        return;
    RecordSelection(kUndoColumn, kColControl);
    CDataTankObject* tank = GetColumnTank(kColControl);
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!tank->SetValue(row, id - kIdEndless))
            break;
        any = true;
    }
    if (any)
        AfterChange(kColControl, kColRepeat);
}

// ---- rows ----------------------------------------------------------------------------------------

bool CPrjIntervalView::CanChangeRows() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    return doc && !doc->IsEditLocked() && sel.top >= 0 && sel.top <= sel.bottom;
}

void CPrjIntervalView::OnUpdateRows(fw::CCmdUI* ui) { ui->Enable(CanChangeRows()); }

void CPrjIntervalView::InsertProgramRows(int32_t firstRow, int32_t lastRow)
{
    if (CDataTankList* list = GetPageTable())
        list->InsertRows(0, firstRow, list->GetSize() - 1, lastRow);
}

void CPrjIntervalView::DeleteProgramRows(int32_t firstRow, int32_t lastRow)
{
    if (CDataTankList* list = GetPageTable())
        list->DeleteRows(0, firstRow, list->GetSize() - 1, lastRow);
}

void CPrjIntervalView::OnInsert()
{
    if (!CanChangeRows())
        return;
    RecordSelection(kUndoInsertedRows);
    const CCellRange sel = GetGrid()->GetSelection();
    InsertProgramRows(sel.top, sel.bottom);
    AfterChange(0, kColumns - 1);
}

void CPrjIntervalView::OnDelete()
{
    if (!CanChangeRows())
        return;
    RecordSelection(kUndoDeletedRows);
    const CCellRange sel = GetGrid()->GetSelection();
    DeleteProgramRows(sel.top, sel.bottom);
    AfterChange(0, kColumns - 1);
}

// ---- undo ----------------------------------------------------------------------------------------

// Records hold the program's stored values, so that dates and times come
// back whole rather than part by part.
bool CPrjIntervalView::WriteUndoRecord(fw::CMemFile& file, int32_t code, int32_t extra)
{
    CZELViewGrid* grid = GetGrid();
    CDataTankList* list = GetPageTable();
    if (!grid || !grid->GetStyle() || !list)
        return false;
    if (code == kUndoRowHeights || code == kUndoColumnWidths)
        return CProjectBaseView::WriteUndoRecord(file, code, extra);
    try {
        fw::CArchive ar(&file, fw::CArchive::store, 4096);
        ar << code;
        CGridJob job;
        grid->GetSelectionJob(job);
        job.Serialize(ar);
        CCellRange sel = job.m_selection;
        int32_t first = 0, last = list->GetSize() - 1;
        if (code == kUndoColumn)
            first = last = ListColumn(extra);
        else if (code == kUndoCell)
            sel.top = sel.bottom = job.m_current.row;
        ar << extra << first << last << sel.top << sel.bottom;
        if (code != kUndoInsertedRows && code != kUndoReinsert)
            for (int32_t row = sel.top; row <= sel.bottom; ++row)
                for (int32_t m = first; m <= last; ++m) {
                    CDataTankObject* tank = list->GetObjectAt(m);
                    ar << (row < tank->GetDataCount() ? tank->GetValue(row) : HUGE_VAL);
                }
        ar.Close();
        return true;
    } catch (const fw::CException&) {
        return false;
    }
}

void CPrjIntervalView::Undo()
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELViewGrid* grid = GetGrid();
    CDataTankList* list = GetPageTable();
    if (!doc || !grid || !list || !CanUndo())
        return;
    CUndoBuffer& buffer = doc->GetUndoBuffer();
    fw::CMemFile* stored = buffer.GetSnapshot();
    if (!stored)
        return;
    stored->SeekToBegin();
    std::vector<uint8_t> bytes(static_cast<size_t>(stored->GetLength()));
    stored->Read(bytes.data(), bytes.size());
    fw::CMemFile file(bytes);
    auto reverse = CUndoBuffer::NewSnapshotFile();
    bool recorded = false;
    try {
        fw::CArchive ar(&file, fw::CArchive::load, 4096);
        int32_t code = 0;
        ar >> code;
        CGridJob job;
        job.Serialize(ar);
        if (code == kUndoRowHeights || code == kUndoColumnWidths) {
            recorded = CProjectBaseView::WriteUndoRecord(*reverse, code);
            (code == kUndoRowHeights ? grid->GetStyle()->GetRowHeights() : grid->GetStyle()->GetColumnWidths())
                ->Serialize(ar);
            grid->ApplyStyle(true);
        } else {
            int32_t extra = -1, first = 0, last = 0, top = 0, bottom = -1;
            ar >> extra >> first >> last >> top >> bottom;
            if (code == kUndoDeletedRows) {
                InsertProgramRows(top, bottom);
                grid->ApplySelectionJob(job);
                recorded = WriteUndoRecord(*reverse, kUndoReinsert);
            } else if (code == kUndoInsertedRows || code == kUndoReinsert) {
                grid->ApplySelectionJob(job);
                recorded = WriteUndoRecord(*reverse, kUndoDeletedRows);
                DeleteProgramRows(top, bottom);
            } else {
                grid->ApplySelectionJob(job);
                recorded = WriteUndoRecord(*reverse, code, extra);
            }
            if (code != kUndoInsertedRows && code != kUndoReinsert)
                for (int32_t row = top; row <= bottom; ++row)
                    for (int32_t m = first; m <= last; ++m) {
                        double value = 0;
                        ar >> value;
                        list->GetObjectAt(m)->SetValue(row, value);
                    }
        }
        ar.Close();
    } catch (const fw::CException&) {
        recorded = false;
    }
    if (recorded)
        buffer.SetSnapshot(UndoOwner(), kUndoKind, std::move(reverse));
    else
        buffer.Release(UndoOwner());
    AfterChange(0, kColumns - 1);
}

// ---- printing ------------------------------------------------------------------------------------

void CPrjIntervalView::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    const fw::CRect area = info ? info->m_rectDraw : fw::CRect();
    const fw::CRect rect(m_nMarginLeft, m_nMarginTop, area.Width() - m_nMarginRight, area.Height() - m_nMarginBottom);
    const int32_t last = std::max(GetLastUsedRow(0, kColumns - 1), 0);
    const int pages = GetGrid()->BeginPrint(*dc, rect, true, last, kColumns - 1, false);
    if (info)
        info->SetMaxPage(static_cast<unsigned>(std::max(pages, 0)));
}
