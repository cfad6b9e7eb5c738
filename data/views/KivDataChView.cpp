#include "data/views/KivDataChView.h"

#include "data/model/KivDataBoxPropaty.h"
#include "data/model/KivDataDoc.h"
#include "docview/instrumentdlg/KivUnitMenu.h"
#include "docview/instrumentdlg/UnitTypeTable.h"
#include "framework/core/Exceptions.h"
#include "framework/core/StringTable.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridStyle.h"
#include "docbase/naming/NameSetParam.h"
#include "framework/ui/CmdUI.h"
#include "grid/views/CellMenus.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"

FW_IMPLEMENT_DYNCREATE(CKivDataChView, CKivDataViewBase)

FW_BEGIN_COMMANDS(CKivDataChView, CKivDataViewBase)
    FW_ON_COMMAND_RANGE(cellmenu::kIdFormatFirst, cellmenu::kIdFormatLast, &CKivDataChView::OnFormatCommand)
    FW_ON_UPDATE_RANGE(cellmenu::kIdFormatFirst, cellmenu::kIdFormatLast, &CKivDataChView::OnUpdateFormatCommand)
    FW_ON_COMMAND(cellmenu::kIdNameChannels, &CKivDataChView::OnNameChannels)
    FW_ON_UPDATE(cellmenu::kIdNameChannels, &CKivDataChView::OnUpdateNameChannels)
FW_END_COMMANDS

namespace {

struct Caption {
    const char* upper;
    const char* lower;  // null: the upper caption covers both rows
};

// The fifteen column kinds.
constexpr Caption kCaptions[] = {
    {"SET", nullptr},          {"名前", nullptr},         {"入力ﾓｰﾄﾞ", nullptr},
    {"入力ﾚﾝｼﾞ", nullptr},     {"ﾛｰﾊﾟｽﾌｨﾙﾀ", "周波数\n(Hz)"}, {"ﾛｰﾊﾟｽﾌｨﾙﾀ", "特性"},
    {"ﾊｲﾊﾟｽ\nﾌｨﾙﾀ\n(Hz)", nullptr}, {"ﾊﾞﾗﾝｽ", nullptr},    {"基準接点", nullptr},
    {"校正", "係数"},          {"校正", "定格出力"},      {"校正", "容量"},
    {"校正", "シフト"},        {"単位", nullptr},         {"ﾌｫｰﾏｯﾄ", nullptr},
};

const CUnitTypeTable& UnitTypes()
{
    static CUnitTypeTable table = [] {
        CUnitTypeTable t;
        t.Load();
        return t;
    }();
    return table;
}

} // namespace

CKivDataChView::CKivDataChView() { m_nContextMenuId = 355; }

CZELGridStyle* CKivDataChView::GetViewStyle()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? doc->GetStyle(CKivDataDoc::kStyleChannel) : nullptr;
}

bool CKivDataChView::IsRowOn(int32_t row) const
{
    CKivDataDoc* doc = GetDataDoc();
    return doc && doc->IsChannelOn(row);
}

bool CKivDataChView::GetTagText(fw::CString& text, int32_t col, int32_t row, int display)
{
    static constexpr const char* upper[] = {"CH", "測定器", "測定器", "測定器"};
    static constexpr const char* lower[] = {"CH", "Unit", "Unit", "ch."};
    if (col < 0 || col > 3)
        return false;
    if (row == 0)
        text = upper[col];
    else if (col == 0 && !display)
        text.Empty();
    else
        text = lower[col];
    return true;
}

bool CKivDataChView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
{
    if (col < 0 || col >= static_cast<int32_t>(std::size(kCaptions)))
        return false;
    const Caption& c = kCaptions[col];
    if (row == 0)
        text = c.upper;
    else if (c.lower)
        text = c.lower;
    else if (display)
        text = c.upper;
    else
        text.Empty();
    return true;
}

bool CKivDataChView::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return false;
    CKivDataBoxArray& boxes = doc->GetBoxArray();
    if (row < 0 || row >= boxes.GetRowMap().GetSize())
        throw fw::CInvalidArgException();
    const tagBOXCH entry = boxes.GetRowMap()[row];
    CDataBoxPropaty* box = boxes.GetBox(entry.box);
    if (!box)
        throw fw::CInvalidArgException();
    tagBOXCH unit{0, entry.ch};
    if (entry.ch >= 0 && entry.ch < box->ChannelMap().GetSize())
        unit = box->ChannelMap()[entry.ch];
    switch (col) {
    case 0:
        text.Format("%d", row + 1);
        break;
    case 1:
        text = box->GetName();
        break;
    case 2: {
        fw::CString name;
        try {
            name = UnitTypes().GetTypeName(box->GetUnitType(unit.box));
        } catch (const fw::CInvalidArgException&) {
        }
        text.Format("%s(%d)", name.c_str(), unit.box + 1);
        break;
    }
    case 3:
        text.Format("%d", unit.ch + 1);
        break;
    default:
        return false;
    }
    return true;
}

bool CKivDataChView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || row < 0 || row >= doc->GetChannelCount())
        return false;
    doc->GetBoxArray().GetChannelText(row, col, text);
    return true;
}

bool CKivDataChView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    if ((col != kKindName && col != kKindUnit) || !IsRowOn(row))
        return false;
    return GetSheetText(text, col, row, 0);
}

bool CKivDataChView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return false;
    const bool accepted = doc->SetChannelTableText(col, col, row, text, fromEditor ? this : nullptr);
    if (accepted)
        doc->SetModifiedFlag(true);
    return accepted;
}

void CKivDataChView::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    // A caption over both header rows is drawn once, in the upper row.
    if (cell.m_nRow == 1 && cell.m_nCol >= 0 && cell.m_nCol < static_cast<int32_t>(std::size(kCaptions)) &&
        !kCaptions[cell.m_nCol].lower) {
        cell.DrawText(fw::CString());
        return;
    }
    CKivDataViewBase::DrawColumnHeaderCell(cell);
}

void CKivDataChView::DrawTagCell(CZELDrawCell& cell)
{
    // "CH" covers both corner rows, "測定器" heads columns 1 to 3 and "Unit"
    // columns 1 and 2: each is drawn once, in the group's first cell.
    const bool covered = (cell.m_nRow == 1 && cell.m_nCol == 0) || (cell.m_nRow == 0 && cell.m_nCol >= 2) ||
                         (cell.m_nRow == 1 && cell.m_nCol == 2);
    if (covered) {
        cell.DrawText(fw::CString());
        return;
    }
    CKivDataViewBase::DrawTagCell(cell);
}

CZELGridRichWnd* CKivDataChView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key, bool byKey)
{
    const CCellIndices cur = pane->GetCurrentCell();
    if (!CKivDataViewBase::CanEdit() || !IsRowOn(cur.row))
        return nullptr;
    std::unique_ptr<CZELGridRichWnd> editor;
    if (cur.col == kKindName)
        editor = std::make_unique<CZELGridRichWnd>();
    else if (cur.col == kKindUnit)
        editor = std::make_unique<CUnitEditWnd>();
    else
        return nullptr;
    if (byKey)
        editor->CreateForKey(pane, rect, text, ch, key, 0);
    else
        editor->CreateForMouse(pane, rect, text, 0);
    return editor.release();
}

CZELGridRichWnd* CKivDataChView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                                  fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CKivDataChView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                        const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

void CKivDataChView::ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    CKivDataDoc* doc = GetDataDoc();
    for (int32_t row = firstRow; row <= lastRow; ++row)
        for (int32_t col = firstCol; col <= lastCol; ++col)
            doc->SetChannelTableText(col, col, row, fw::CString(), nullptr);
}

bool CKivDataChView::CanEdit() const
{
    if (!CKivDataViewBase::CanEdit())
        return false;
    const CCellRange sel = GetGrid()->GetSelection();
    const bool kind = sel.left == kKindName || sel.left == kKindUnit || sel.left == kKindFormat;
    return IsRowOn(sel.top) && kind;
}

bool CKivDataChView::CanPaste() const
{
    if (!CKivDataViewBase::CanPaste())
        return false;
    const CCellRange sel = GetGrid()->GetSelection();
    const bool covers = (sel.left <= 1 && sel.right > 0) || (sel.left <= 13 && sel.right > 12) ||
                        (sel.left <= 14 && sel.right > 13);
    return IsRowOn(sel.top) && covers;
}

bool CKivDataChView::SetSelectedUnits(const fw::CString& unit)
{
    CKivDataDoc* doc = GetDataDoc();
    RecordSelection(kUndoColumn, kKindUnit);
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!IsRowOn(row))
            continue;
        if (!doc->GetBoxArray().SetChannelText(row, kKindUnit, unit))
            break;
        any = true;
    }
    if (!any)
        return false;
    GetGrid()->RedrawPanes();
    doc->SendUpdateHint(this, sel.left, sel.right, 0);
    doc->SetModifiedFlag(true);
    return true;
}

bool CKivDataChView::OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info)
{
    if (id >= kFirstUnitId && id < kFirstUnitId + kUnitCount) {
        const CCellRange sel = GetGrid()->GetSelection();
        if (code == fw::CN_UPDATE_COMMAND_UI && ui) {
            bool on = true;
            for (int32_t row = sel.top; row <= sel.bottom && on; ++row)
                on = IsRowOn(row);
            ui->Enable(sel.left <= kKindUnit && sel.right >= kKindUnit && CKivDataViewBase::CanEdit() && on);
            return true;
        }
        if (code == fw::CN_COMMAND) {
            CKivUnitMenu menu;
            menu.LoadUnits(CKivUnitMenu::kUnitItemId);
            const fw::CString unit = menu.GetUnitText(id);
            if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor())
                editor->ReplaceSel(unit);
            else
                SetSelectedUnits(unit);
            return true;
        }
    }
    return CKivDataViewBase::OnCmdMsg(id, code, ui, info);
}

// ---- formats, names and cell menus ----------------------------------------------------------------

bool CKivDataChView::AllSelectedOn() const
{
    const CCellRange sel = GetGrid()->GetSelection();
    for (int32_t row = sel.top; row <= sel.bottom; ++row)
        if (!IsRowOn(row))
            return false;
    return true;
}

void CKivDataChView::OnFormatCommand(unsigned id)
{
    CKivDataDoc* doc = GetDataDoc();
    const int16_t code = cellmenu::FormatCodeOf(id);
    if (!doc || code == cellmenu::kNoFormat || !CKivDataViewBase::CanEdit())
        return;
    RecordSelection(kUndoColumn, kKindFormat);
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!IsRowOn(row))
            continue;
        if (!doc->GetBoxArray().SetChannelValue(row, kKindFormat, code))
            break;
        any = true;
    }
    if (!any)
        return;
    GetGrid()->RedrawPanes();
    doc->SendUpdateHint(this, sel.left, sel.right, 0);
    doc->SetModifiedFlag(true);
}

void CKivDataChView::OnUpdateFormatCommand(fw::CCmdUI* ui)
{
    CKivDataDoc* doc = GetDataDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    const int16_t code = cellmenu::FormatCodeOf(ui->m_nID);
    const bool inColumn = doc && sel.left <= kKindFormat && sel.right >= kKindFormat;
    bool all = inColumn && code != cellmenu::kNoFormat;
    for (int32_t row = sel.top; all && row <= sel.bottom; ++row)
        all = doc->GetBoxArray().GetChannelValue(row, kKindFormat) == code;
    ui->Enable(inColumn && CKivDataViewBase::CanEdit() && AllSelectedOn());
    ui->SetCheck(all ? 1 : 0);
}

void CKivDataChView::OnNameChannels()
{
    CKivDataDoc* doc = GetDataDoc();
    CNameSetParam local;
    CNameSetParam* pattern = doc ? cellmenu::AskNamePattern(this, local) : nullptr;
    if (!pattern)
        return;
    RecordSelection(kUndoBlock);
    const CCellRange sel = GetGrid()->GetSelection();
    for (int32_t row = sel.top; row <= sel.bottom; ++row) {
        if (!IsRowOn(row))
            continue;
        fw::CString name;
        pattern->MakeNextName(name);
        doc->GetBoxArray().SetChannelText(row, kKindName, name);
    }
    GetGrid()->RedrawPanes();
    doc->SendUpdateHint(this, sel.left, sel.right, 0);
    doc->SetModifiedFlag(true);
}

void CKivDataChView::OnUpdateNameChannels(fw::CCmdUI* ui)
{
    const CCellRange sel = GetGrid()->GetSelection();
    ui->Enable(CKivDataViewBase::CanEdit() && sel.left <= kKindName && sel.right > 0 && sel.top < sel.bottom &&
               !EditorOpen() && AllSelectedOn());
}

void CKivDataChView::OnCurrentCellChanged()
{
    CKivDataViewBase::OnCurrentCellChanged();
    const int32_t col = GetGrid() && GetGrid()->GetSheetPane() ? GetGrid()->GetSheetPane()->GetCurrentCell().col : -1;
    SetDropButton(col == kKindUnit || col == kKindFormat);
}

void CKivDataChView::OnDropDown(int32_t col, int32_t row, fw::CPoint)
{
    if (!CKivDataViewBase::CanEdit() || !IsRowOn(row))
        return;
    if (col == kKindUnit)
        cellmenu::TrackUnitMenu(*this, col, row);
    else if (col == kKindFormat)
        cellmenu::TrackFormatMenu(*this, col, row);
}

bool CKivDataChView::OnCellContextMenu(int32_t col, fw::CPoint screen, unsigned& chosen)
{
    if (col != kKindFormat)
        return false;
    chosen = cellmenu::TrackFormatMenuAt(*this, screen);
    return true;
}
