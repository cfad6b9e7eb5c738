#include "project/views/pages/PrjHistSetView.h"

#include "docbase/doc/UpdateHints.h"
#include "framework/core/DC.h"
#include "framework/core/Format.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "instrument/system/BoxPropaty.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/views/pages/PageDrawing.h"
#include "project/views/pages/PageHints.h"

#include <memory>

FW_IMPLEMENT_DYNCREATE(CPrjHistSetView, CProjectBaseView)
FW_IMPLEMENT_DYNCREATE(CPrjHistProgView, CProjectBaseView)

FW_BEGIN_COMMANDS(CPrjHistSetView, CProjectBaseView)
    FW_ON_COMMAND_RANGE(CPrjHistSetView::kIdInputOff, CPrjHistSetView::kIdInputLast, &CPrjHistSetView::OnInputChannel)
    FW_ON_UPDATE_RANGE(CPrjHistSetView::kIdInputOff, CPrjHistSetView::kIdInputLast, &CPrjHistSetView::OnUpdateInput)
    FW_ON_COMMAND_RANGE(CPrjHistSetView::kIdOperationFirst, CPrjHistSetView::kIdOperationLast,
                        &CPrjHistSetView::OnOperation)
    FW_ON_UPDATE_RANGE(CPrjHistSetView::kIdOperationFirst, CPrjHistSetView::kIdOperationLast,
                       &CPrjHistSetView::OnUpdateOperation)
    FW_ON_COMMAND_RANGE(CPrjHistSetView::kIdClockFirst, CPrjHistSetView::kIdClockLast, &CPrjHistSetView::OnClock)
    FW_ON_UPDATE_RANGE(CPrjHistSetView::kIdClockFirst, CPrjHistSetView::kIdClockLast, &CPrjHistSetView::OnUpdateClock)
FW_END_COMMANDS

namespace {

enum Code : int {
    kInput = 103, kOperation = 106, kClock = 107, kFullScale = 2003, kHysteresis = 2005, kCrossLevel = 2007,
    kNameCode = 101,
};
constexpr int kSetCodes[] = {kInput, kOperation, kFullScale, kHysteresis, kClock, 109, 110};
constexpr const char* kSetHeaders[] = {"入力ｃｈ.", "解析方法", "ﾌﾙｽｹｰﾙ\n[μ&mV]", "ﾋｽﾃﾘｼｽ\n(%FS)\n[μ&mV]",
                                       "ｻﾝﾌﾟﾘﾝｸﾞ/\nｸﾛｽﾚﾍﾞﾙ", "ｽﾗｲｽ(+)", "ｽﾗｲｽ(-)"};
constexpr int kOpMaxMin = 2;
constexpr int kOpTime = 4;
constexpr int kNotSet = 0x8000;
constexpr fw::COLORREF kRed = fw::RGB(255, 0, 0);
constexpr fw::COLORREF kBlue = fw::RGB(0, 0, 255);
constexpr fw::COLORREF kGrey = fw::RGB(175, 175, 175);

constexpr int kProgCodes[] = {111, 112, 113, 114, 119, 120, 121, 115, 116, 117, 118};
constexpr const char* kProgLower[] = {"月", "日", "時", "分", "時", "分", "秒", "時", "分", "秒", ""};

void ProgGroup(int32_t col, int32_t& first, int32_t& last, const char*& caption)
{
    if (col <= 3) {
        first = 0, last = 3, caption = "計測開始日時";
    } else if (col <= 6) {
        first = 4, last = 6, caption = "計測時間";
    } else if (col <= 9) {
        first = 7, last = 9, caption = "休止時間";
    } else {
        first = last = 10, caption = "計測回数";
    }
}

void Colour(CZELDrawCell& cell, CellFormat& format, fw::COLORREF color)
{
    format.nFlags |= kCellUseTextColor;
    format.bSysTextColor = 0;
    format.crText = color;
}

bool AcceptKey(unsigned ch, const char* extra)
{
    if (ch == 0 || (ch >= '0' && ch <= '9'))
        return true;
    return fw::CString(extra).Find(static_cast<char>(ch)) >= 0;
}

} // namespace

// ==== frequency numbers =============================================================================

CPrjHistSetView::CPrjHistSetView() { m_nContextMenuId = static_cast<int32_t>(kContextMenu); }

int CPrjHistSetView::ColumnCode(int32_t col) { return col >= 0 && col < kColumns ? kSetCodes[col] : -1; }

void CPrjHistSetView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabFreqSettings));
}

void CPrjHistSetView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    if (hint == prjpage::kHintColumns) {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        if (data && (data->IsSentBy(GetDocument(), GetRuntimeClass()) ||
                     (data->m_pDocument == GetDocument() && (data->m_changeFlags & 0xC4))) &&
            GetGrid()->GetStyle())
            GetGrid()->RedrawPanes();
        return;
    }
    if (hint == prjpage::kHintRepaint) {
        if (IsWindowVisible() && GetGrid()->GetStyle())
            GetGrid()->RedrawPanes();
        return;
    }
    CProjectBaseView::OnUpdate(sender, hint, hintObject);
}

int CPrjHistSetView::Operation(int32_t row)
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? static_cast<int>(doc->GetBoxArray().GetChannelValue(row, kOperation)) : 0;
}

bool CPrjHistSetView::GetTagText(fw::CString& text, int32_t, int32_t, int)
{
    text = prjpage::PageText(207, "NO");
    return true;
}

bool CPrjHistSetView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    if (col < 0 || col >= kColumns)
        return false;
    text = kSetHeaders[col];
    return true;
}

bool CPrjHistSetView::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || row < 0 || row >= kRows)
        return false;
    doc->GetHistSettingText(kNameCode, row, text);
    return true;
}

bool CPrjHistSetView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    text.Empty();
    if (!doc || code < 0 || row < 0 || row >= kRows)
        return false;
    doc->GetHistSettingText(code, row, text);
    return true;
}

bool CPrjHistSetView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || row < 0 || row >= kRows)
        return false;
    if (col == 2 || col == 3) {
        doc->GetBoxArray().GetChannelText(row, ColumnCode(col), text);
        return true;
    }
    return GetSheetText(text, col, row, 0);
}

bool CPrjHistSetView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    if (!doc || code < 0 || row < 0 || row >= kRows)
        return false;
    CPollingPause pause;
    return doc->SetHistSettingText(code, col, row, text, fromEditor ? this : nullptr);
}

bool CPrjHistSetView::IsNotAllowed(int32_t row, int32_t col)
{
    CKIV5980Doc* doc = GetProjectDoc();
    int code = ColumnCode(col);
    if (!doc || code < 0)
        return false;
    if (col == 4) {
        const int op = Operation(row);
        code = op == kOpMaxMin ? kCrossLevel : op == kOpTime ? kClock : kOperation;
    }
    return !doc->GetBoxArray().IsChannelValueAllowed(row, code, kNotSet);
}

void CPrjHistSetView::DrawSheetCell(CZELDrawCell& cell)
{
    fw::CString text;
    GetSheetText(text, cell.m_nCol, cell.m_nRow, 1);
    if (cell.m_pDC && cell.m_pDC->IsPrinting()) {
        cell.DrawText(text);
        return;
    }
    CellFormat format = cell.m_format;
    if (IsNotAllowed(cell.m_nRow, cell.m_nCol))
        Colour(cell, format, kRed);
    else if (cell.m_nCol == 0 && text != "OFF")
        Colour(cell, format, kBlue);
    cell.DrawText(text, &format);
}

bool CPrjHistSetView::CanEditCell(int32_t, int32_t) { return !IsMeasuringProject(); }

bool CPrjHistSetView::CanPaste() const { return CProjectBaseView::CanPaste() && !IsMeasuringProject(); }

CZELGridRichWnd* CPrjHistSetView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                             unsigned ch, unsigned key, bool byKey)
{
    const CCellIndices cur = pane->GetCurrentCell();
    const int32_t col = cur.col;
    if (!CanEdit() || !CanEditCell(col, col))
        return nullptr;
    const char* allowed = nullptr;
    if (col == 2 || col == 3)
        allowed = "+-.eE";
    else if (col == 4 && Operation(cur.row) == kOpMaxMin)
        allowed = "+-.";
    else if (col == 5 || col == 6)
        allowed = "";
    if (!allowed || (byKey && !AcceptKey(ch, allowed)))
        return nullptr;
    auto editor = std::make_unique<CZELDegitEditWnd>();
    editor->SetAllowedChars(allowed);
    const bool made = byKey ? editor->CreateForKey(pane, rect, text, ch, key, 0) : editor->CreateForMouse(pane, rect, text, 0);
    return made ? editor.release() : nullptr;
}

CZELGridRichWnd* CPrjHistSetView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                                   fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CPrjHistSetView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                         const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

void CPrjHistSetView::OnCurrentCellChanged()
{
    CProjectBaseView::OnCurrentCellChanged();
    CZELGridStyle* style = GetGrid() ? GetGrid()->GetStyle() : nullptr;
    if (!style)
        return;
    uint32_t& flags = style->GetPane(kPaneSheet).m_format.nFlags;
    const CCellIndices cur = GetGrid()->GetSheetPane()->GetCurrentCell();
    if (cur.col == 0 || cur.col == 1 || (cur.col == 4 && Operation(cur.row) == kOpTime))
        flags |= kCellDropButton;
    else
        flags &= ~static_cast<uint32_t>(kCellDropButton);
}

void CPrjHistSetView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint screen)
{
    if (col == 0 || col == 1 || (col == 4 && Operation(row) == kOpTime))
        OnDropDown(col, row, screen);
}

void CPrjHistSetView::ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    CKIV5980Doc* doc = GetProjectDoc();
    CPollingPause pause;
    for (int32_t col = firstCol; col <= lastCol; ++col)
        for (int32_t row = firstRow; row <= lastRow; ++row)
            doc->GetBoxArray().SetChannelText(row, ColumnCode(col), "");
}

bool CPrjHistSetView::SetColumnValue(int32_t col, int code, double value)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    CPollingPause pause;
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom && row < kRows; ++row) {
        if (!doc->GetBoxArray().SetChannelValue(row, code, value))
            break;
        any = true;
    }
    if (!any)
        return false;
    doc->GetBoxArray().UpdateHistCounts(sel.top, sel.bottom);
    GetGrid()->RedrawPanes();
    doc->SetModifiedFlag(true);
    doc->NotifyColumnsChanged(this, sel.left, sel.right, 0, true);
    return true;
}

void CPrjHistSetView::UpdateValueCheck(fw::CCmdUI* ui, int32_t col, int code, double value)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    if (!doc || !CanEditCell(col, col) || sel.left > col || sel.right < col || sel.top < 0) {
        ui->Enable(false);
        ui->SetCheck(0);
        return;
    }
    bool allowed = true;
    bool all = true;
    for (int32_t row = sel.top; row <= sel.bottom && row < kRows; ++row) {
        allowed = allowed && doc->GetBoxArray().IsChannelValueAllowed(row, code, static_cast<int>(value));
        all = all && doc->GetBoxArray().GetChannelValue(row, code) == value;
    }
    ui->Enable(!doc->IsEditLocked() && allowed);
    ui->SetCheck(all ? 1 : 0);
}

void CPrjHistSetView::OnUpdateInput(fw::CCmdUI* ui) { UpdateValueCheck(ui, 0, kInput, ui->m_nID - kIdInputOff); }

void CPrjHistSetView::OnUpdateOperation(fw::CCmdUI* ui)
{
    UpdateValueCheck(ui, 1, kOperation, ui->m_nID - kIdOperationFirst);
}

void CPrjHistSetView::OnUpdateClock(fw::CCmdUI* ui)
{
    UpdateValueCheck(ui, 4, kClock, ui->m_nID - (kIdClockFirst - 1));
}

void CPrjHistSetView::OnInputChannel(unsigned id)
{
    if (!CanEdit() || !CanEditCell(0, 0))
        return;
    RecordSelection(kUndoColumn, 0);
    SetColumnValue(0, kInput, id - kIdInputOff);
}

void CPrjHistSetView::OnOperation(unsigned id)
{
    const CCellRange sel = GetGrid()->GetSelection();
    if (!CanEdit() || !CanEditCell(1, 1))
        return;
    RecordSelection(kUndoBlock);
    if (sel.left <= 1 && sel.right >= 1)
        SetColumnValue(1, kOperation, id - kIdOperationFirst);
    GetGrid()->RedrawPanes();
}

void CPrjHistSetView::OnClock(unsigned id)
{
    const CCellRange sel = GetGrid()->GetSelection();
    if (!CanEdit() || !CanEditCell(4, 4))
        return;
    RecordSelection(kUndoBlock);
    if (sel.left <= 4 && sel.right >= 4)
        SetColumnValue(4, kClock, id - (kIdClockFirst - 1));
    GetGrid()->RedrawPanes();
}

// ==== program measurement ===========================================================================

CPrjHistProgView::CPrjHistProgView()
{
    m_nContextMenuId = static_cast<int32_t>(kContextMenu);
    m_bRowHeaderInText = false;
}

int CPrjHistProgView::ColumnCode(int32_t col) { return col >= 0 && col < kColumns ? kProgCodes[col] : -1; }

int CPrjHistProgView::BoxCount() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? doc->GetBoxArray().GetBoxCount() : 0;
}

void CPrjHistProgView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabProgram));
    if (CZELGridStyle* style = GetGrid()->GetStyle())
        style->GetPane(kPaneSheet).m_format.nFlags &= ~static_cast<uint32_t>(kCellDropButton);
}

bool CPrjHistProgView::GetTagText(fw::CString& text, int32_t, int32_t, int)
{
    text = prjpage::PageText(200, "測定器");
    return true;
}

bool CPrjHistProgView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
{
    if (col < 0 || col >= kColumns)
        return false;
    int32_t first = 0, last = 0;
    const char* caption = "";
    ProgGroup(col, first, last, caption);
    if (row == 0)
        text = caption;
    else if (col == 10)
        text = display ? caption : "";
    else
        text = kProgLower[col];
    return true;
}

bool CPrjHistProgView::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || row < 0 || row >= BoxCount())
        return false;
    text = doc->GetBoxArray().GetBox(row)->GetName();
    return true;
}

bool CPrjHistProgView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    text.Empty();
    if (!doc || code < 0 || row < 0 || row >= BoxCount())
        return false;
    return doc->GetBoxAttributeText(code, row, text);
}

bool CPrjHistProgView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    return GetSheetText(text, col, row, 0);
}

bool CPrjHistProgView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    if (!doc || code < 0 || row < 0 || row >= BoxCount())
        return false;
    CPollingPause pause;
    return doc->SetBoxAttributeText(code, col, row, text, fromEditor ? this : nullptr);
}

bool CPrjHistProgView::IsNotAllowed(int32_t row, int32_t col)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    if (!doc || code < 0 || row < 0 || row >= BoxCount())
        return false;
    return !doc->GetBoxArray().GetBox(row)->IsValueAllowed(0, code, kNotSet);
}

void CPrjHistProgView::DrawSheetCell(CZELDrawCell& cell)
{
    fw::CString text;
    GetSheetText(text, cell.m_nCol, cell.m_nRow, 1);
    if (cell.m_pDC && cell.m_pDC->IsPrinting()) {
        cell.DrawText(text);
        return;
    }
    CellFormat format = cell.m_format;
    if (cell.m_nCol == 6 || cell.m_nCol == 9) {
        Colour(cell, format, kGrey);
    } else if (IsNotAllowed(cell.m_nRow, cell.m_nCol)) {
        if (text.IsEmpty()) {
            format.nFlags |= kCellFillBack;
            format.crBack = kRed;
        } else {
            Colour(cell, format, kRed);
        }
    }
    cell.DrawText(text, &format);
}

void CPrjHistProgView::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    WhitenForPrint(cell);
    const int32_t col = cell.m_nCol;
    if (col < 0 || col >= kColumns)
        return;
    fw::CString text;
    GetColumnHeaderText(text, col, cell.m_nRow, 1);
    if (cell.m_nRow == 0 || col == 10) {
        int32_t first = 0, last = 0;
        const char* caption = "";
        ProgGroup(col, first, last, caption);
        prjpage::DrawMergedHeader(cell, GetGrid()->GetPane(kIndexColumnHeader), first, last,
                                  cell.m_nRow == 0 ? text : fw::CString(col == 10 ? "" : text.c_str()));
        return;
    }
    cell.DrawText(text);
    prjpage::DrawHeaderEdges(cell);
}

bool CPrjHistProgView::CanEditCell(int32_t, int32_t) { return !IsMeasuringProject(); }

bool CPrjHistProgView::CanPaste() const { return CProjectBaseView::CanPaste() && !IsMeasuringProject(); }

CZELGridRichWnd* CPrjHistProgView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                              unsigned ch, unsigned key, bool byKey)
{
    const int32_t col = pane->GetCurrentCell().col;
    if (!CanEdit() || !CanEditCell(col, col) || col == 6 || col == 9 || col < 0 || col >= kColumns)
        return nullptr;
    if (byKey && !AcceptKey(ch, ""))
        return nullptr;
    auto editor = std::make_unique<CZELDegitEditWnd>();
    editor->SetAllowedChars("");
    const bool made = byKey ? editor->CreateForKey(pane, rect, text, ch, key, 0) : editor->CreateForMouse(pane, rect, text, 0);
    return made ? editor.release() : nullptr;
}

CZELGridRichWnd* CPrjHistProgView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                                    fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CPrjHistProgView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                          const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

void CPrjHistProgView::ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    CKIV5980Doc* doc = GetProjectDoc();
    CPollingPause pause;
    for (int32_t col = firstCol; col <= lastCol; ++col)
        for (int32_t row = firstRow; row <= lastRow && row < BoxCount(); ++row)
            if (col != 6 && col != 9)
                doc->GetBoxArray().GetBox(row)->SetChannelText(0, ColumnCode(col), "");
}
