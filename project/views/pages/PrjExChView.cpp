#include "project/views/pages/PrjExChView.h"

#include "common/calc/DataFormat.h"
#include "common/calc/DataSPSetTank.h"
#include "common/formula/DataCalcuOrder.h"
#include "common/formula/FormulaText.h"
#include "docbase/naming/NameSetParam.h"
#include "docview/instrumentdlg/KivUnitMenu.h"
#include "docview/naming/NameSetDlg.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "framework/core/StandardCommands.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/Menu.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridArray.h"
#include "grid/model/GridJob.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/FuncDlg.h"
#include "project/views/pages/PageDrawing.h"
#include "project/model/UpdateShowChannel.h"
#include "project/views/pages/PageHints.h"

#include <QTextCursor>
#include <QTextEdit>
#include <QWidget>

#include <memory>
#include <vector>

FW_IMPLEMENT_DYNCREATE(CPrjExChView, CProjectBaseView)

FW_BEGIN_COMMANDS(CPrjExChView, CProjectBaseView)
    FW_ON_COMMAND(CPrjExChView::kIdInsert, &CPrjExChView::OnInsert)
    FW_ON_UPDATE(CPrjExChView::kIdInsert, &CPrjExChView::OnUpdateInsert)
    FW_ON_COMMAND(CPrjExChView::kIdDelete, &CPrjExChView::OnDelete)
    FW_ON_UPDATE(CPrjExChView::kIdDelete, &CPrjExChView::OnUpdateDelete)
    FW_ON_COMMAND(CPrjExChView::kIdName, &CPrjExChView::OnAutoName)
    FW_ON_UPDATE(CPrjExChView::kIdName, &CPrjExChView::OnUpdateName)
    FW_ON_COMMAND(CPrjExChView::kIdFuncPaste, &CPrjExChView::OnFunctionPaste)
    FW_ON_UPDATE(CPrjExChView::kIdFuncPaste, &CPrjExChView::OnUpdateFuncPaste)
    FW_ON_COMMAND_RANGE(CPrjExChView::kIdOff, CPrjExChView::kIdOn, &CPrjExChView::OnOnOff)
    FW_ON_UPDATE_RANGE(CPrjExChView::kIdOff, CPrjExChView::kIdOn, &CPrjExChView::OnUpdateOnOff)
    FW_ON_COMMAND_RANGE(CPrjExChView::kIdFormatFirst, CPrjExChView::kIdFormatLast, &CPrjExChView::OnFormat)
    FW_ON_UPDATE_RANGE(CPrjExChView::kIdFormatFirst, CPrjExChView::kIdFormatLast, &CPrjExChView::OnUpdateFormat)
    FW_ON_COMMAND(fw::ID_EDIT_CLEAR, &CPrjExChView::OnClearCells)
    FW_ON_COMMAND(fw::ID_EDIT_CUT, &CPrjExChView::OnCutCells)
FW_END_COMMANDS

namespace {

constexpr int32_t kUndoKind = CUndoBuffer::kDataViewKind;
constexpr int kCalcRows = CKIV5980Doc::kCalcRows;
constexpr int kFirstCalc = CKivDocBase::kFirstCalcChannel;
constexpr const char* kUpper[] = {"名前", "関数", "単位", "ﾌｫｰﾏｯﾄ", "アラーム", "", "", "オプション", "", ""};
constexpr const char* kLower[] = {nullptr, nullptr, nullptr, nullptr, "ON/OFF", "ｱｯﾊﾟｰ", "ﾛﾜｰ",
                                  "Op.Data1", "Op.Data2", "Op.Data3"};

// The group of header row 0 a column belongs to.
void HeaderGroup(int32_t col, int32_t& first, int32_t& last)
{
    if (col >= 4 && col <= 6) {
        first = 4;
        last = 6;
    } else if (col >= 7 && col <= 9) {
        first = 7;
        last = 9;
    } else {
        first = last = col;
    }
}

} // namespace

CPrjExChView::CPrjExChView() { m_nContextMenuId = static_cast<int32_t>(kContextMenu); }

void CPrjExChView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabCalc));
}

void CPrjExChView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    if (hint == prjpage::kHintRepaint) {
        if (GetGrid()->GetStyle())
            GetGrid()->RedrawPanes();
        return;
    }
    if (hint == kHintShowChannel) {
        // Input channels are shown by the input-channel page.
        auto* show = dynamic_cast<CUpdateShowChannel*>(hintObject);
        if (show && show->m_channel >= CUpdateShowChannel::kFirstCalcChannel)
            SelectHintedRow(show->m_channel - CUpdateShowChannel::kFirstCalcChannel, show->m_firstColumn,
                            show->m_lastColumn);
        return;
    }
    CProjectBaseView::OnUpdate(sender, hint, hintObject);
}

CDataTankList* CPrjExChView::GetPageTable()
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? doc->GetCalcSettings() : nullptr;
}

CDataTankObject* CPrjExChView::GetColumnTank(int32_t col)
{
    CDataTankList* table = GetPageTable();
    if (!table || col < 0 || col >= table->GetSize())
        throw fw::CInvalidArgException();
    return table->GetObjectAt(col);
}

// ---- texts ---------------------------------------------------------------------------------------

bool CPrjExChView::GetTagText(fw::CString& text, int32_t, int32_t, int)
{
    text = prjpage::PageText(207, "NO");
    return true;
}

bool CPrjExChView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
{
    if (col < 0 || col >= kColumns)
        return false;
    if (row == 0)
        text = kUpper[col];
    else if (kLower[col])
        text = kLower[col];
    else
        text = display ? kUpper[col] : "";
    return true;
}

bool CPrjExChView::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    text = fw::Format("%d", row + 1);
    return true;
}

bool CPrjExChView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    CDataTankList* table = GetPageTable();
    if (!table || col < 0 || col >= std::min<int32_t>(kColumns, table->GetSize()) || row < 0 || row >= kCalcRows)
        return false;
    CDataTankObject* tank = table->GetObjectAt(col);
    if (tank && row < tank->GetDataCount())
        tank->GetValueText(row, text, true);
    if (col == kColFunction && !text.IsEmpty()) {
        CKIV5980Doc* doc = GetProjectDoc();
        auto& channels = doc->GetBoxArray().GetTankList();
        const int16_t index = static_cast<int16_t>(kFirstCalc + row);
        if (index < channels.GetSize() && channels.GetObjectAt(index))
            if (CDataCalcuOrder* order = channels.GetOrder(index); order && order->GetError() != 0)
                text = fw::Format("Error%d:%s", order->GetError(), text.c_str());
    }
    return true;
}

bool CPrjExChView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    if (col == kColFormat || (col == kColFunction && IsMeasuringProject()))
        return false;
    CDataTankList* table = GetPageTable();
    if (!table || col < 0 || col >= kColumns || row < 0 || row >= kCalcRows)
        return false;
    text.Empty();
    CDataTankObject* tank = table->GetObjectAt(col);
    if (tank && row < tank->GetDataCount())
        tank->GetValueText(row, text, true);
    return true;
}

bool CPrjExChView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && doc->SetCalcChannelText(col, row, text, fromEditor ? this : nullptr);
}

int32_t CPrjExChView::GetLastUsedRow(int32_t firstCol, int32_t lastCol)
{
    if (lastCol < 0)
        lastCol = kColumns - 1;
    if (firstCol > lastCol)
        return -1;
    for (int32_t row = kCalcRows - 1; row >= 0; --row)
        for (int32_t col = firstCol; col <= lastCol; ++col) {
            fw::CString text;
            if (!GetSheetText(text, col, row, 0) || text.IsEmpty() || (col == kColOnOff && text == "OFF"))
                continue;
            return row;
        }
    return -1;
}

// ---- drawing -------------------------------------------------------------------------------------

void CPrjExChView::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    WhitenForPrint(cell);
    const int32_t col = cell.m_nCol;
    fw::CString text;
    if (col < 4) {
        // One cell over both header rows.
        GetColumnHeaderText(text, col, 0, 1);
        CZELGridPane* pane = GetGrid()->GetPane(kIndexColumnHeader);
        const fw::CRect own = cell.m_rcCell;
        const fw::CRect ownText = cell.m_rcText;
        int32_t up = 0, down = 0;
        for (int32_t r = 0; r < cell.m_nRow; ++r)
            up += pane->GetRowHeight(r);
        for (int32_t r = cell.m_nRow + 1; r < pane->RowCount(); ++r)
            down += pane->GetRowHeight(r);
        cell.m_rcCell.top -= up;
        cell.m_rcCell.bottom += down;
        cell.m_rcText.top -= up;
        cell.m_rcText.bottom += down;
        cell.DrawText(text);
        prjpage::DrawHeaderEdges(cell);
        cell.m_rcCell = own;
        cell.m_rcText = ownText;
        return;
    }
    if (cell.m_nRow == 0) {
        int32_t first = col, last = col;
        HeaderGroup(col, first, last);
        GetColumnHeaderText(text, first, 0, 1);
        prjpage::DrawMergedHeader(cell, GetGrid()->GetPane(kIndexColumnHeader), first, last, text);
        return;
    }
    GetColumnHeaderText(text, col, cell.m_nRow, 1);
    cell.DrawText(text);
    prjpage::DrawHeaderEdges(cell);
}

void CPrjExChView::DrawSheetCell(CZELDrawCell& cell)
{
    fw::CString text;
    GetSheetText(text, cell.m_nCol, cell.m_nRow, 1);
    if (cell.m_nCol != kColFunction) {
        cell.DrawText(text);
        return;
    }
    CellFormat format = cell.m_format;
    format.nFlags |= kCellUseAlign;
    format.nAlign = kAlignLeft | kAlignMiddle;
    cell.DrawText(text, &format);
}

// ---- editing -------------------------------------------------------------------------------------

bool CPrjExChView::CanEdit() const { return CProjectBaseView::CanEdit(); }

bool CPrjExChView::CanEditCell(int32_t firstCol, int32_t lastCol)
{
    return !(IsMeasuringProject() && firstCol <= kColFunction && lastCol >= kColFunction);
}

CZELGridRichWnd* CPrjExChView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                          unsigned ch, unsigned key, bool byKey)
{
    const int32_t col = pane->GetCurrentCell().col;
    if (!CanEdit() || !CanEditCell(col, col) || col == kColFormat || col == kColOnOff || col < 0 || col >= kColumns)
        return nullptr;
    std::unique_ptr<CZELGridRichWnd> editor;
    if (col >= kColUpper) {
        if (byKey) {
            const bool digit = ch >= '0' && ch <= '9';
            const bool extra = ch != 0 && fw::CString("+-.eE").Find(static_cast<char>(ch)) >= 0;
            if (!(digit || extra || ch == 0))
                return nullptr;
        }
        auto digits = std::make_unique<CZELDegitEditWnd>();
        digits->SetAllowedChars("+-.eE");
        editor = std::move(digits);
    } else if (col == kColUnit) {
        editor = std::make_unique<CUnitEditWnd>();
    } else {
        editor = std::make_unique<CZELGridRichWnd>();
    }
    // Units carry raised text ("kg/mm\super2\super"): their editor shows it
    // raised and takes the raised and normal text commands.
    const uint32_t markup = col == kColUnit ? CZELGridRichWnd::kMarkupSuper : 0;
    const bool made = byKey ? editor->CreateForKey(pane, rect, text, ch, key, markup)
                            : editor->CreateForMouse(pane, rect, text, markup);
    return made ? editor.release() : nullptr;
}

CZELGridRichWnd* CPrjExChView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                                fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CPrjExChView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                      const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

void CPrjExChView::OnCurrentCellChanged()
{
    CProjectBaseView::OnCurrentCellChanged();
    CZELGridStyle* style = GetGrid() ? GetGrid()->GetStyle() : nullptr;
    if (!style)
        return;
    uint32_t& flags = style->GetPane(kPaneSheet).m_format.nFlags;
    const int32_t col = GetGrid()->GetSheetPane()->GetCurrentCell().col;
    if (col >= kColUnit && col <= kColOnOff)
        flags |= kCellDropButton;
    else
        flags &= ~static_cast<uint32_t>(kCellDropButton);
}

void CPrjExChView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint screen)
{
    if (col == kColFormat) {
        OnDropDown(col, row, screen);
        return;
    }
    CKIV5980Doc* doc = GetProjectDoc();
    if (col != kColOnOff || !doc || doc->IsEditLocked())
        return;
    // The current cell decides the new value of every selected row.
    const CCellIndices cur = GetGrid()->GetSheetPane()->GetCurrentCell();
    const double now = GetColumnTank(kColOnOff)->GetValue(cur.row);
    RecordSelection(kUndoColumn, kColOnOff);
    SetColumnValueAll(kColOnOff, now == 1 ? 0 : 1);
}

void CPrjExChView::OnDropDown(int32_t col, int32_t row, fw::CPoint)
{
    CZELGridPane* sheet = GetGrid()->GetSheetPane();
    const fw::CRect cellRect = sheet->GetCellRect({row, col, row, col});
    fw::CPoint at(cellRect.left + 1, cellRect.bottom);
    if (QWidget* w = sheet->Widget()) {
        const QPoint global = w->mapToGlobal(QPoint(at.x, at.y));
        at = fw::CPoint(global.x(), global.y());
    }
    fw::CWnd* owner = GetTopLevelFrame();
    if (col == kColUnit) {
        CKivUnitMenu menu;
        menu.LoadUnits(CKivUnitMenu::kUnitItemId);
        menu.TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON, at.x, at.y, owner);
    } else if (col == kColFormat || col == kColOnOff) {
        fw::CMenu menu;
        menu.CreatePopupMenu();
        if (col == kColOnOff) {
            menu.AppendMenu(fw::MF_STRING, kIdOff, "OFF");
            menu.AppendMenu(fw::MF_STRING, kIdOn, "ON");
        } else {
            for (const CDataFormat::MenuItem& item : CDataFormat::DefaultMenuItems())
                menu.AppendMenu(fw::MF_STRING, item.command, item.text);
        }
        menu.TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON, at.x, at.y, owner);
    }
}

// ---- column setters ------------------------------------------------------------------------------

void CPrjExChView::Refresh(int32_t firstCol, int32_t lastCol)
{
    CKIV5980Doc* doc = GetProjectDoc();
    doc->RefreshFuncColumn();
    if (firstCol == kColName)
        doc->RebuildChannels();
    GetGrid()->RedrawPanes();
    doc->NotifyColumnsChanged(this, firstCol, lastCol, 0, true);
}

bool CPrjExChView::SetColumnTextAll(int32_t col, const fw::CString& text)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!doc->SetCalcChannelText(col, row, text, nullptr))
            break;
        any = true;
    }
    if (any)
        Refresh(col, col);
    return any;
}

bool CPrjExChView::SetColumnValueAll(int32_t col, double value)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!doc->SetCalcChannelValue(col, row, value, nullptr))
            break;
        any = true;
    }
    if (any) {
        if (col == kColOnOff)
            doc->RebuildChannels();
        Refresh(col, col);
    }
    return any;
}

void CPrjExChView::ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    CKIV5980Doc* doc = GetProjectDoc();
    for (int32_t col = firstCol; col <= lastCol; ++col)
        for (int32_t row = firstRow; row <= lastRow; ++row)
            doc->SetCalcChannelText(col, row, fw::CString(), nullptr);
    if (firstCol == kColName && lastCol == kColName)
        doc->RefreshHistoryChannels(false);
}

// ---- commands ------------------------------------------------------------------------------------

bool CPrjExChView::WholeRows() const
{
    const CCellRange sel = GetGrid()->GetSelection();
    return sel.left == 0 && sel.right == kColumns - 1 && sel.top >= 0;
}

bool CPrjExChView::CanDeleteRows()
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && !doc->IsEditLocked() && !IsMeasuringProject() && WholeRows();
}

bool CPrjExChView::CanInsertRows()
{
    if (!CanDeleteRows())
        return false;
    const CCellRange sel = GetGrid()->GetSelection();
    const int32_t last = const_cast<CPrjExChView*>(this)->GetLastUsedRow(0, kColumns - 1);
    return (sel.bottom - sel.top + 1) + last < kCalcRows;
}

void CPrjExChView::OnUpdateInsert(fw::CCmdUI* ui) { ui->Enable(CanInsertRows()); }

void CPrjExChView::OnUpdateDelete(fw::CCmdUI* ui) { ui->Enable(CanDeleteRows()); }

void CPrjExChView::OnInsert()
{
    if (!CanInsertRows())
        return;
    fw::CWaitCursor wait;
    RecordSelection(kUndoInsertedRows);
    const CCellRange sel = GetGrid()->GetSelection();
    GetProjectDoc()->InsertCalcChannels(sel.top, sel.bottom);
    Refresh(0, kColumns - 1);
}

void CPrjExChView::OnDelete()
{
    if (!CanDeleteRows())
        return;
    fw::CWaitCursor wait;
    RecordSelection(kUndoDeletedRows);
    const CCellRange sel = GetGrid()->GetSelection();
    GetProjectDoc()->DeleteCalcChannels(sel.top, sel.bottom);
    Refresh(0, kColumns - 1);
}

void CPrjExChView::OnEditPaste()
{
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor()) {
        editor->TextEdit()->paste();
        return;
    }
    fw::CWaitCursor wait;
    RecordSelection(kUndoBlock);
    if (GetGrid()->PasteFromClipboard()) {
        const CCellRange sel = GetGrid()->GetSelection();
        Refresh(sel.left, sel.right);
        GetProjectDoc()->SetModifiedFlag(true);
    }
}

void CPrjExChView::OnClearCells()
{
    const bool cells = !GetGrid()->GetActiveEditor();
    OnEditClear();
    if (cells) {
        const CCellRange sel = GetGrid()->GetSelection();
        Refresh(sel.left, sel.right);
    }
}

void CPrjExChView::OnCutCells()
{
    const bool cells = !GetGrid()->GetActiveEditor();
    OnEditCut();
    if (cells) {
        const CCellRange sel = GetGrid()->GetSelection();
        Refresh(sel.left, sel.right);
    }
}

void CPrjExChView::OnFillDown()
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    if (!doc || sel.top < 0)
        return;
    RecordSelection(kUndoBlock);
    for (int32_t col = sel.left; col <= sel.right; ++col) {
        fw::CString text;
        GetSheetEditText(sel.top, col, text) || GetSheetText(text, col, sel.top, 0);
        for (int32_t row = sel.top + 1; row <= sel.bottom; ++row)
            SetSheetText(row, col, text, 0);
    }
    if (sel.left <= kColFunction && sel.right >= kColFunction) {
        CDataTankObject* functions = GetColumnTank(kColFunction);
        for (int32_t row = sel.top; row <= sel.bottom; ++row) {
            fw::CString text;
            functions->GetValueText(row, text, false);
            if (!text.IsEmpty() && ShiftFormulaChannels(text, true, -1, row - sel.top))
                doc->SetCalcChannelText(kColFunction, row, text, nullptr);
        }
    }
    Refresh(sel.left, sel.right);
    doc->SetModifiedFlag(true);
}

void CPrjExChView::OnUpdateName(fw::CCmdUI* ui)
{
    const CCellRange sel = GetGrid()->GetSelection();
    ui->Enable(CanEdit() && sel.left <= kColName && sel.top < sel.bottom && !GetGrid()->GetActiveEditor());
}

void CPrjExChView::OnAutoName()
{
    CKIV5980Doc* doc = GetProjectDoc();
    CNameSetDlg dlg(this);
    CNameSetParam local;
    if (!fw::Installed<INameSetRecord>())
        dlg.SetTarget(&local);
    if (dlg.DoModal() != fw::IDOK)
        return;
    fw::CWaitCursor wait;
    RecordSelection(kUndoBlock);
    CNameSetParam& param = fw::Installed<INameSetRecord>() ? fw::Installed<INameSetRecord>()->GetNameSetParam() : local;
    param.ParseStartNumber();
    const CCellRange sel = GetGrid()->GetSelection();
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        fw::CString name;
        param.MakeNextName(name);
        doc->SetCalcChannelText(kColName, row, name, nullptr);
    }
    Refresh(kColName, kColName);
    doc->SetModifiedFlag(true);
}

void CPrjExChView::OnUpdateFuncPaste(fw::CCmdUI* ui)
{
    const CCellRange sel = GetGrid()->GetSelection();
    const bool inColumn = sel.left <= kColFunction && sel.right >= kColFunction;
    ui->Enable(inColumn && (GetGrid()->GetActiveEditor() != nullptr || (CanEdit() && CanEditCell(sel.left, sel.right))));
}

void CPrjExChView::OnFunctionPaste()
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELGridRichWnd* editor = GetGrid()->GetActiveEditor();
    if (editor)
        editor->SetEndOnKillFocus(false);
    CFuncDlg dlg(this);
    const int result = dlg.DoModal();
    if (result != fw::IDOK) {
        if (editor)
            editor->SetEndOnKillFocus(true);
        return;
    }
    if (editor) {
        editor->ReplaceSel(dlg.m_strFunction);
        // The caret goes between the parentheses.
        QTextCursor cursor = editor->TextEdit()->textCursor();
        cursor.movePosition(QTextCursor::Left);
        editor->TextEdit()->setTextCursor(cursor);
        editor->SetEndOnKillFocus(true);
        return;
    }
    const CCellRange sel = GetGrid()->GetSelection();
    for (int32_t row = sel.top; row <= sel.bottom; ++row)
        SetSheetText(row, kColFunction, dlg.m_strFunction, 0);
    doc->RefreshFuncColumn();
    GetGrid()->RedrawPanes();
    doc->NotifyColumnsChanged(this, sel.left, sel.right, 0, true);
    doc->SetModifiedFlag(true);
}

void CPrjExChView::UpdateCheck(fw::CCmdUI* ui, int32_t col, double value)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    const bool inColumn = doc && sel.left <= col && sel.right >= col && sel.top >= 0;
    ui->Enable(inColumn && !doc->IsEditLocked());
    bool all = inColumn;
    for (int32_t row = sel.top; all && row <= sel.bottom; ++row)
        all = GetColumnTank(col)->GetValue(row) == value;
    ui->SetCheck(all ? 1 : 0);
}

void CPrjExChView::OnUpdateOnOff(fw::CCmdUI* ui) { UpdateCheck(ui, kColOnOff, ui->m_nID - kIdOff); }

void CPrjExChView::OnOnOff(unsigned id)
{
    if (!CanEdit())
        return;
    RecordSelection(kUndoColumn, kColOnOff);
    SetColumnValueAll(kColOnOff, id - kIdOff);
}

void CPrjExChView::OnUpdateFormat(fw::CCmdUI* ui)
{
    const int16_t code = MainFormatTable().GetFormatCode(ui->m_nID);
    if (code == -9999) {
        ui->Enable(false);
        return;
    }
    UpdateCheck(ui, kColFormat, code);
}

void CPrjExChView::OnFormat(unsigned id)
{
    const int16_t code = MainFormatTable().GetFormatCode(id);
    if (!CanEdit() || code == -9999)
        return;
    RecordSelection(kUndoColumn, kColFormat);
    SetColumnValueAll(kColFormat, code);
}

bool CPrjExChView::OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info)
{
    if (id >= kFirstUnitId && id < kFirstUnitId + kUnitCount &&
        (code == fw::CN_COMMAND || code == fw::CN_UPDATE_COMMAND_UI)) {
        if (info)
            return true;
        return OnUnitCommand(id, code, ui);
    }
    return CProjectBaseView::OnCmdMsg(id, code, ui, info);
}

bool CPrjExChView::OnUnitCommand(unsigned id, int code, fw::CCmdUI* ui)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    const bool inColumn = doc && sel.left <= kColUnit && sel.right >= kColUnit;
    if (code == fw::CN_UPDATE_COMMAND_UI) {
        if (ui)
            ui->Enable(inColumn && !doc->IsEditLocked());
        return true;
    }
    if (!inColumn || !CanEdit())
        return true;
    CKivUnitMenu menu;
    menu.LoadUnits(CKivUnitMenu::kUnitItemId);
    const fw::CString unit = menu.GetUnitText(id);
    RecordSelection(kUndoColumn, kColUnit);
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor())
        editor->InsertMarkupText(unit);
    else
        SetColumnTextAll(kColUnit, unit);
    return true;
}

// ---- undo ----------------------------------------------------------------------------------------

void CPrjExChView::Undo()
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELViewGrid* grid = GetGrid();
    if (!doc || !grid || !CanUndo())
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
    CGridJob job;
    bool recorded = false;
    try {
        fw::CArchive ar(&file, fw::CArchive::load, 4096);
        int32_t code = 0;
        ar >> code;
        job.Serialize(ar);
        const CCellRange sel = job.m_selection;
        switch (code) {
        case kUndoColumn: {
            grid->ApplySelectionJob(job);
            int32_t column = -1;
            ar >> column;
            recorded = WriteUndoRecord(*reverse, kUndoColumn, column);
            ReadBlock(ar, {sel.top, column, sel.bottom, column});
            break;
        }
        case kUndoDeletedRows:
            doc->InsertCalcChannels(sel.top, sel.bottom);
            grid->ApplySelectionJob(job);
            recorded = WriteUndoRecord(*reverse, kUndoReinsert);
            ReadBlock(ar, sel);
            break;
        case kUndoReinsert:
        case kUndoInsertedRows:
            grid->ApplySelectionJob(job);
            recorded = WriteUndoRecord(*reverse, kUndoDeletedRows);
            doc->DeleteCalcChannels(sel.top, sel.bottom);
            break;
        case kUndoCell:
        case kUndoBlock:
            grid->ApplySelectionJob(job);
            recorded = WriteUndoRecord(*reverse, code);
            ReadBlock(ar, code == kUndoCell ? CCellRange{job.m_current.row, job.m_current.col, job.m_current.row,
                                                             job.m_current.col}
                                                : sel);
            break;
        case kUndoRowHeights:
        case kUndoColumnWidths:
            recorded = WriteUndoRecord(*reverse, code);
            (code == kUndoRowHeights ? grid->GetStyle()->GetRowHeights() : grid->GetStyle()->GetColumnWidths())
                ->Serialize(ar);
            grid->ApplyStyle(true);
            break;
        default:
            grid->ApplySelectionJob(job);
            recorded = WriteUndoRecord(*reverse, code);
            break;
        }
        ar.Close();
    } catch (const fw::CException&) {
        recorded = false;
    }
    if (recorded)
        buffer.SetSnapshot(UndoOwner(), kUndoKind, std::move(reverse));
    else
        buffer.Release(UndoOwner());
    doc->SetModifiedFlag(true);
    Refresh(job.m_selection.left, job.m_selection.right);
}
