#include "project/views/PrjAmpOutView.h"

#include "framework/core/CmdTarget.h"
#include "framework/core/DC.h"
#include "framework/core/Gdi.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "framework/ui/Menu.h"
#include "project/model/ChannelMenu.h"
#include "project/views/ProjectMenus.h"
#include "project/views/pages/PageDrawing.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"

#include <memory>

FW_IMPLEMENT_DYNCREATE(CPrjAmpOutView, CProjectBaseView)

FW_BEGIN_COMMANDS(CPrjAmpOutView, CProjectBaseView)
    FW_ON_COMMAND_RANGE(CPrjAmpOutView::kIdOff, CPrjAmpOutView::kIdOff, &CPrjAmpOutView::OnSignedChannel)
    FW_ON_COMMAND_RANGE(CPrjAmpOutView::kIdIn1First, CPrjAmpOutView::kIdIn1Last, &CPrjAmpOutView::OnInputChannel)
    FW_ON_COMMAND_RANGE(CPrjAmpOutView::kIdPlusFirst, CPrjAmpOutView::kIdMinusLast, &CPrjAmpOutView::OnSignedChannel)
    FW_ON_COMMAND_RANGE(CPrjAmpOutView::kIdVoltageFirst, CPrjAmpOutView::kIdVoltageLast, &CPrjAmpOutView::OnVoltage)
    FW_ON_UPDATE_RANGE(CPrjAmpOutView::kIdVoltageFirst, CPrjAmpOutView::kIdIn1Last, &CPrjAmpOutView::OnUpdateCommand)
    FW_ON_UPDATE_RANGE(CPrjAmpOutView::kIdPlusFirst, CPrjAmpOutView::kIdMinusLast, &CPrjAmpOutView::OnUpdateCommand)
FW_END_COMMANDS

namespace {

enum Code : int { kIn1 = 23, kIn2 = 44, kIn4 = 46, kRange = 22, kInput = 47, kRated = 48, kCalibration = 35 };

constexpr int kCodes[] = {kIn1, kIn2, 45, kIn4, kRange, kInput, kRated, kCalibration};
constexpr int32_t kColumns = 8;
constexpr const char* kUpper[] = {"入力ｃｈ.", "", "", "", "出力電圧", "出力感度", "", "校正値\n[μ.mV.℃]"};
constexpr const char* kLower[] = {"IN1", "IN2", "IN3", "IN4", nullptr, "入力値\n[μ.mV.℃]", "定格出力\n(V)", nullptr};
// The first control unit's values of the output-voltage menu's items.
constexpr int kVoltageValues[] = {3, 4, 13};

} // namespace

CPrjAmpOutView::CPrjAmpOutView() { m_nContextMenuId = static_cast<int32_t>(kContextMenu); }

int CPrjAmpOutView::ColumnCode(int32_t col) { return col >= 0 && col < kColumns ? kCodes[col] : -1; }

int CPrjAmpOutView::RowOffset() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? doc->GetBoxArray().GetMeasuringCount() : 0;
}

void CPrjAmpOutView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabOutput));
}

bool CPrjAmpOutView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
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

void CPrjAmpOutView::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    static constexpr prjpage::HeaderColumn kHeader[] = {
        {kUpper[0], kLower[0]}, {nullptr, kLower[1]}, {nullptr, kLower[2]}, {nullptr, kLower[3]},
        {kUpper[4], nullptr},   {kUpper[5], kLower[5]}, {nullptr, kLower[6]}, {kUpper[7], nullptr}};
    DrawTwoRowColumnHeader(cell, kHeader, kColumns, 0, 400);
}

void CPrjAmpOutView::DrawRowHeaderCell(CZELDrawCell& cell) { DrawSystemChannelRowHeaderCell(cell, RowOffset(), 1); }

void CPrjAmpOutView::DrawSheetCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (!GetSheetText(text, cell.m_nCol, cell.m_nRow, 1))
        return;
    cell.DrawText(text);
    if (IsLastChannelOfBox(cell.m_nRow + RowOffset()))
        DrawCellBottomLine(cell, fw::RGB(0, 0, 0), 1);
}

bool CPrjAmpOutView::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || row < 0 || row >= doc->GetBoxArray().GetOutputCount())
        return false;
    // The output rows have no system-channel column: unit name, unit, channel.
    return GetChannelRowLabel(text, col + 1, row + RowOffset());
}

bool CPrjAmpOutView::GetTagText(fw::CString& text, int32_t col, int32_t row, int display)
{
    return GetChannelCornerText(text, col + 1, row, display);
}

bool CPrjAmpOutView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    if (!doc || code < 0 || row < 0 || row >= doc->GetBoxArray().GetOutputCount())
        return false;
    doc->GetBoxArray().GetChannelDisplayText(code, row + RowOffset(), text);
    return true;
}

bool CPrjAmpOutView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    if (!doc || col < 5 || code < 0 || row < 0 || row >= doc->GetBoxArray().GetOutputCount())
        return false;
    const int channel = row + RowOffset();
    if (col == 6) {
        doc->GetBoxArray().GetChannelDisplayText(code, channel, text);
        return true;
    }
    if (!doc->GetBoxArray().IsChannelAttrEditable(channel, code))
        return false;
    doc->GetBoxArray().GetChannelText(channel, code, text);
    return true;
}

bool CPrjAmpOutView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    if (!doc || code < 0 || row < 0 || row >= doc->GetBoxArray().GetOutputCount())
        return false;
    // The polling worker reads these settings.
    CPollingPause pause;
    return doc->SetChannelText(code, col, row + RowOffset(), text, fromEditor ? this : nullptr);
}

void CPrjAmpOutView::GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    if (!doc || code < 0 || row < 0 || row >= doc->GetBoxArray().GetOutputCount())
        return;
    if (!doc->GetBoxArray().IsChannelValueAllowed(row + RowOffset(), code, 32768)) {
        format.nFlags |= kCellUseTextColor;
        format.bSysTextColor = 0;
        format.crText = fw::RGB(255, 0, 0);
    }
}

bool CPrjAmpOutView::CanEditCell(int32_t, int32_t) { return !IsMeasuringProject(); }

CZELGridRichWnd* CPrjAmpOutView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key, bool byKey)
{
    const int32_t col = pane->GetCurrentCell().col;
    if (col < 5 || col > 7 || !CanEdit() || !CanEditCell(col, col))
        return nullptr;
    const fw::CString allowed = col == 6 ? "" : "+-.eE";
    if (byKey) {
        const bool digit = ch >= '0' && ch <= '9';
        const bool extra = ch != 0 && !allowed.IsEmpty() && allowed.Find(static_cast<char>(ch)) >= 0;
        if (!(digit || extra || ch == 0))
            return nullptr;
    }
    auto editor = std::make_unique<CZELDegitEditWnd>();
    editor->SetAllowedChars(allowed);
    if (byKey)
        editor->CreateForKey(pane, rect, text, ch, key, 0);
    else
        editor->CreateForMouse(pane, rect, text, 0);
    return editor.release();
}

CZELGridRichWnd* CPrjAmpOutView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                                  fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CPrjAmpOutView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                        const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

namespace {

// The project's channel captions written into a loaded menu.
class CChannelMenuAdapter final : public IChannelMenu {
public:
    explicit CChannelMenuAdapter(fw::CMenu& menu) : m_menu(menu) {}
    void SetChannelCaption(int position, int item, const fw::CString& caption) override
    {
        fw::CMenu* slot = m_menu.GetSubMenu(position);
        if (!slot || item >= slot->GetMenuItemCount())
            return;
        const unsigned id = slot->GetMenuItemID(item);
        slot->ModifyMenu(static_cast<unsigned>(item), fw::MF_BYPOSITION | fw::MF_STRING, id, caption);
    }
    void RemoveSlot(int position) override { m_menu.DeleteMenu(static_cast<unsigned>(position), fw::MF_BYPOSITION); }

private:
    fw::CMenu& m_menu;
};

} // namespace

void CPrjAmpOutView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint screen)
{
    if (col >= 0 && col <= 4)
        OnDropDown(col, row, screen);
}

void CPrjAmpOutView::OnDropDown(int32_t col, int32_t row, fw::CPoint)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || doc->IsEditLocked() || !CanEditCell(col, col) || col < 0 || col > 4 || row < 0 ||
        row >= doc->GetBoxArray().GetOutputCount())
        return;
    EnsureProjectPageMenus();
    fw::CMenu menu;
    if (!menu.LoadMenu(col == 4 ? prjmenu::kOutputVoltage : col == 0 ? prjmenu::kUnitChannels : prjmenu::kSignedChannels))
        return;
    fw::CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    const CBoxArray& system = doc->GetBoxArray();
    const int channel = row + RowOffset();
    const int box = channel < system.GetMapSize() ? system.GetMapEntry(channel).box : 0;
    if (col == 0) {
        CChannelMenuAdapter labels(*popup);
        doc->LabelChannelMenu(labels, box, 1);
    } else if (col <= 3) {
        // The " -" submenu first: labelling never moves the " +" one.
        for (int position : {2, 1})
            if (fw::CMenu* sign = popup->GetSubMenu(position)) {
                CChannelMenuAdapter labels(*sign);
                doc->LabelChannelMenu(labels, box, 0);
            }
    }
    TrackCellMenu(*popup, col, row);
}

void CPrjAmpOutView::OnCurrentCellChanged()
{
    CProjectBaseView::OnCurrentCellChanged();
    CZELGridStyle* style = GetGrid() ? GetGrid()->GetStyle() : nullptr;
    if (!style)
        return;
    uint32_t& flags = style->GetPane(kPaneSheet).m_format.nFlags;
    if (GetGrid()->GetSheetPane()->GetCurrentCell().col <= 4)
        flags |= kCellDropButton;
    else
        flags &= ~static_cast<uint32_t>(kCellDropButton);
}

void CPrjAmpOutView::ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return;
    CPollingPause pause;
    for (int32_t col = firstCol; col <= lastCol; ++col)
        for (int32_t row = firstRow; row <= lastRow; ++row)
            doc->SetChannelText(ColumnCode(col), col, row + RowOffset(), fw::CString(), nullptr);
}

void CPrjAmpOutView::OnFillDown()
{
    CProjectBaseView::OnFillDown();
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    const int first = static_cast<int>(doc->GetBoxArray().GetChannelValue(sel.top + RowOffset(), kIn1));
    if (first > 0) {
        CPollingPause pause;
        doc->SetChannelRangeValue(sel.top + RowOffset(), sel.bottom + RowOffset(), first, kIn1);
        GetGrid()->RedrawPanes();
    }
}

// ---- commands ------------------------------------------------------------------------------------

bool CPrjAmpOutView::SetInputChannels(int value, int firstCol, int lastCol)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    CPollingPause pause;
    bool any = false;
    for (int32_t col = std::max(sel.left, firstCol); col <= std::min(sel.right, lastCol); ++col)
        any = doc->SetChannelRangeValue(sel.top + RowOffset(), sel.bottom + RowOffset(), value, ColumnCode(col)) || any;
    if (any)
        AfterColumnChange(sel.left, sel.right, false);
    return any;
}

void CPrjAmpOutView::OnInputChannel(unsigned id)
{
    if (!CanEdit() || !CanEditCell(0, 0))
        return;
    RecordSelection(kUndoColumn, 0);
    SetSelectionAttributeValue(0, kIn1, static_cast<double>(id - kIdOff), RowOffset());
}

void CPrjAmpOutView::OnSignedChannel(unsigned id)
{
    if (!CanEdit() || !CanEditCell(0, 3))
        return;
    RecordSelection(kUndoBlock);
    if (id == kIdOff)
        SetInputChannels(0, 0, 3);
    else if (id <= kIdPlusLast)
        SetInputChannels(static_cast<int>(id - (kIdPlusFirst - 1)), 1, 3);
    else
        SetInputChannels(-static_cast<int>(id - (kIdMinusFirst - 1)), 1, 3);
}

void CPrjAmpOutView::OnVoltage(unsigned id)
{
    if (!CanEdit() || !CanEditCell(4, 4))
        return;
    RecordSelection(kUndoColumn, 4);
    SetSelectionAttributeValue(4, kRange, kVoltageValues[id - kIdVoltageFirst], RowOffset());
}

void CPrjAmpOutView::OnUpdateCommand(fw::CCmdUI* ui)
{
    const unsigned id = ui->m_nID;
    if (id > kIdVoltageLast && id < kIdOff) {
        ui->Enable(false);
        return;
    }
    int first = 0, last = 3;
    if (id >= kIdVoltageFirst && id <= kIdVoltageLast)
        first = last = 4;
    else if (id >= kIdIn1First && id <= kIdIn1Last)
        last = 0;
    else if (id >= kIdPlusFirst)
        first = 1;
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    ui->Enable(doc && !doc->IsEditLocked() && CanEditCell(first, last) && sel.left <= last && sel.right >= first);
}
