#include "project/views/Prj465View.h"

#include "docbase/doc/UpdateHints.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Gdi.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/unit/KivUnit.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/views/ProjectMenus.h"
#include "project/views/pages/PageDrawing.h"

#include <algorithm>

FW_IMPLEMENT_DYNCREATE(CPrj465View, CProjectBaseView)

FW_BEGIN_COMMANDS(CPrj465View, CProjectBaseView)
    FW_ON_COMMAND_RANGE(prjmenu::kId465InputFirst, prjmenu::kId465InputLast, &CPrj465View::OnChoice)
    FW_ON_UPDATE_RANGE(prjmenu::kId465InputFirst, prjmenu::kId465InputLast, &CPrj465View::OnUpdateChoice)
    FW_ON_COMMAND_RANGE(prjmenu::kId465RangeFirst, prjmenu::kId465LevelLast, &CPrj465View::OnChoice)
    FW_ON_UPDATE_RANGE(prjmenu::kId465RangeFirst, prjmenu::kId465LevelLast, &CPrj465View::OnUpdateChoice)
FW_END_COMMANDS

namespace {

enum Code : int { kInput = 37, kRange = 38, kLevelMode = 39, kHigh = 40, kLow = 41, kUnitTypeCode = -2 };

constexpr int kCodes[] = {kInput, kRange, kLevelMode, kHigh, kLow};
constexpr int32_t kColumns = 5;
constexpr int kCountUnsigned = 101;
constexpr int kThresholdFree = 0;
constexpr int kPulseRows = 4;
constexpr int kBitRow = 7;
constexpr intptr_t kHintColumns = 12;
constexpr intptr_t kHintSetup = 16;
constexpr fw::COLORREF kGrey = fw::RGB(125, 125, 125);
constexpr fw::COLORREF kRed = fw::RGB(255, 0, 0);

// The stored values of the input-mode menu's items.
constexpr int kInputValues[] = {100, 101, 102, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr int kRangeValues[] = {100, 500, 1000, 5000, 10000, 50000, 100000};

constexpr const char* kFunctionTexts[] = {"PULSE1(A)+2(B)", "PULSE3(A)+4(B)", "PULSE1(A)+2(B)+3(Z)"};

} // namespace

CPrj465View::CPrj465View() { m_nContextMenuId = static_cast<int32_t>(prjmenu::k465Context); }

int CPrj465View::ColumnCode(int32_t col) { return col >= 0 && col < kColumns ? kCodes[col] : -1; }

void CPrj465View::BuildRows()
{
    m_firstChannels.clear();
    m_boxRows.clear();
    CKIV5980Doc* doc = GetProjectDoc();
    std::vector<int> perBox;
    int lastBox = -1;
    if (doc) {
        CBoxArray& system = doc->GetBoxArray();
        for (int channel = 0; channel < system.GetMeasuringCount(); channel += 8) {
            if (static_cast<int>(system.GetChannelValue(channel, kUnitTypeCode)) != kUnitType)
                continue;
            // Room for ten units, as the stored page allows.
            if (static_cast<int>(m_firstChannels.size()) >= kMaxUnits)
                break;
            m_firstChannels.push_back(static_cast<int16_t>(channel));
            const int box = system.GetMapEntry(channel).box;
            if (box != lastBox) {
                perBox.push_back(0);
                lastBox = box;
            }
            ++perBox.back();
        }
    }
    int rows = 0;
    for (int count : perBox) {
        rows += count * kRowsPerUnit;
        m_boxRows.push_back(static_cast<int16_t>(rows));
    }
    m_nUnitCount = std::max<int32_t>(1, static_cast<int32_t>(m_firstChannels.size()));
    if (m_boxRows.empty())
        m_boxRows.push_back(kRowsPerUnit);
    if (CZELGridStyle* style = GetGrid() ? GetGrid()->GetStyle() : nullptr) {
        style->SetRowCount(m_nUnitCount * kRowsPerUnit);
        GetGrid()->ApplyStyle(false);
    }
}

int CPrj465View::RowChannel(int32_t row) const
{
    if (row < 0)
        return -1;
    const size_t unit = static_cast<size_t>(row / kRowsPerUnit);
    if (unit >= m_firstChannels.size())
        return -1;
    return m_firstChannels[unit] + std::min(row % kRowsPerUnit, kBitRow);
}

CKivUnit* CPrj465View::GetRowUnit(int32_t row) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int channel = RowChannel(row);
    if (!doc || channel < 0 || channel >= doc->GetBoxArray().GetMapSize())
        throw fw::CInvalidArgException();
    CBoxArray& system = doc->GetBoxArray();
    const tagBOXCH entry = system.GetMapEntry(channel);
    const CBoxPropaty* box = system.GetBox(entry.box);
    if (!box || !box->GetMeter())
        throw fw::CInvalidArgException();
    return box->GetMeter()->GetUnit(box->GetChannelRef(entry.ch).box);
}

bool CPrj465View::SetRowText(int code, int32_t col, int32_t row, const fw::CString& text, bool notify)
{
    CKivUnit* unit = RowChannel(row) >= 0 ? GetRowUnit(row) : nullptr;
    if (!unit || !unit->SetText(row % kRowsPerUnit, code, text.c_str()))
        return false;
    CKIV5980Doc* doc = GetProjectDoc();
    doc->SetModifiedFlag(true);
    if (code == kInput || code == kRange) {
        const tagBOXCH entry = doc->GetBoxArray().GetMapEntry(RowChannel(row));
        doc->GetBoxArray().GetBox(entry.box)->RecalcChannelTank(entry.ch);
    }
    if (notify) {
        CPollingPause pause;
        doc->NotifyColumnsChanged(this, col, col, 0, true);
    }
    return true;
}

bool CPrj465View::SetRowValue(int code, int32_t col, int32_t row, double value, bool notify)
{
    CKivUnit* unit = RowChannel(row) >= 0 ? GetRowUnit(row) : nullptr;
    if (!unit || !unit->SetValue(row % kRowsPerUnit, code, value))
        return false;
    CKIV5980Doc* doc = GetProjectDoc();
    doc->SetModifiedFlag(true);
    if (code == kInput || code == kRange) {
        const tagBOXCH entry = doc->GetBoxArray().GetMapEntry(RowChannel(row));
        doc->GetBoxArray().GetBox(entry.box)->RecalcChannelTank(entry.ch);
    }
    if (notify) {
        CPollingPause pause;
        doc->NotifyColumnsChanged(this, col, col, 0, true);
    }
    return true;
}

void CPrj465View::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabDigitalIO));
    BuildRows();
}

void CPrj465View::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    if (hint == kHintSetup) {
        CProjectBaseView::OnUpdate(sender, hint, hintObject);
        BuildRows();
        GetGrid()->RedrawPanes();
        return;
    }
    if (hint == kHintColumns) {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        if (data && data->m_pDocument == GetDocument())
            GetGrid()->RedrawPanes();
        return;
    }
    CProjectBaseView::OnUpdate(sender, hint, hintObject);
}

// ---- texts ---------------------------------------------------------------------------------------

bool CPrj465View::GetTagText(fw::CString& text, int32_t col, int32_t row, int display)
{
    static constexpr const char* lower[] = {"CH", "Unit", "Unit", "ch.", "機能"};
    if (col < 0 || col > 4)
        return false;
    if (row == 0)
        text = col == 0 ? "CH" : "測定器";
    else if (col == 0 && !display)
        text.Empty();
    else
        text = lower[col];
    return true;
}

bool CPrj465View::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
{
    static constexpr const char* lower[] = {nullptr, nullptr, "モード", "Hレベル(mV)", "Lレベル(mV)"};
    static constexpr const char* upper[] = {"入力ﾓｰﾄﾞ", "入力ﾚﾝｼﾞ", "閾値", "閾値", "閾値"};
    if (col < 0 || col >= kColumns)
        return false;
    if (row == 0)
        text = upper[col];
    else if (lower[col])
        text = lower[col];
    else
        text = display ? upper[col] : "";
    return true;
}

void CPrj465View::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    static constexpr prjpage::HeaderColumn kHeader[] = {
        {"入力ﾓｰﾄﾞ", nullptr}, {"入力ﾚﾝｼﾞ", nullptr}, {"閾値", "モード"}, {nullptr, "Hレベル(mV)"}, {nullptr, "Lレベル(mV)"}};
    DrawTwoRowColumnHeader(cell, kHeader, kColumns, 600, 0);
}

void CPrj465View::DrawRowHeaderCell(CZELDrawCell& cell)
{
    const int32_t row = cell.m_nRow;
    if (RowChannel(row) < 0 || !cell.m_pDC) {
        CProjectBaseView::DrawRowHeaderCell(cell);
        return;
    }
    const int k = row % kRowsPerUnit;
    if (cell.m_nCol == 0 && k >= kBitRow) {
        // The four digital inputs share their channel's number.
        WhitenForPrint(cell);
        fw::CString text;
        GetRowHeaderText(text, 0, row, 1);
        const int32_t unitStart = row - k;
        prjpage::DrawMergedBlock(cell, GetGrid()->GetPane(kIndexRowHeader), 0, 0, unitStart + kBitRow,
                                 unitStart + kRowsPerUnit - 1, text, 0, 0, false);
        if (k == kRowsPerUnit - 1)
            DrawCellBottomLine(cell, fw::RGB(0, 0, 0), 1);
        return;
    }
    if (cell.m_nCol != 1) {
        DrawChannelRowHeaderCell(cell, k, kRowsPerUnit, k, kRowsPerUnit);
        return;
    }
    int32_t boxStart = 0;
    int32_t boxEnd = kRowsPerUnit;
    for (int16_t end : m_boxRows) {
        if (row < end) {
            boxEnd = end;
            break;
        }
        boxStart = end;
    }
    DrawChannelRowHeaderCell(cell, row - boxStart, boxEnd - boxStart, k, kRowsPerUnit);
}

bool CPrj465View::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    const int channel = RowChannel(row);
    if (channel < 0)
        return false;
    const int k = row % kRowsPerUnit;
    switch (col) {
    case 0:
        text.Format("%d", channel + 1);
        return true;
    case 1:
    case 2:
        return GetChannelRowLabel(text, col, channel);
    case 3:
        if (k < kBitRow)
            text.Format("%d", k + 1);
        else
            text.Format("%d:%d", 8, k - 6);
        return true;
    case 4:
        if (k < kPulseRows)
            text.Format("FREQ/PULSE%d", k + 1);
        else if (k < kBitRow)
            text = kFunctionTexts[k - kPulseRows];
        else
            text.Format("DIGITAL IN%d", k - 6);
        return true;
    default:
        return false;
    }
}

bool CPrj465View::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    const int code = ColumnCode(col);
    if (code < 0 || RowChannel(row) < 0)
        return false;
    CKivUnit* unit = GetRowUnit(row);
    if (!unit)
        return false;
    unit->GetText(row % kRowsPerUnit, code, text);
    return true;
}

bool CPrj465View::IsTyped(int32_t col, int32_t row) const
{
    if (RowChannel(row) < 0)
        return false;
    const int k = row % kRowsPerUnit;
    CKivUnit* unit = GetRowUnit(row);
    if (!unit)
        return false;
    if (col == 1)
        return k >= 4 && k <= kBitRow && static_cast<int>(unit->GetValue(k, kInput)) == kCountUnsigned;
    if (col == 3 || col == 4)
        return k < kPulseRows && static_cast<int>(unit->GetValue(k, kLevelMode)) == kThresholdFree;
    return false;
}

bool CPrj465View::HasMenu(int32_t col, int32_t row) const
{
    if (RowChannel(row) < 0)
        return false;
    if (col == 0)
        return true;
    return (col == 1 || col == 2) && row % kRowsPerUnit < kPulseRows;
}

bool CPrj465View::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    if (!IsTyped(col, row))
        return false;
    return GetSheetText(text, col, row, 0);
}

bool CPrj465View::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    const int code = ColumnCode(col);
    if (code < 0 || RowChannel(row) < 0)
        return false;
    // The polling worker reads these settings.
    CPollingPause pause;
    return SetRowText(code, col, row, text, fromEditor != 0);
}

void CPrj465View::GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row)
{
    const int code = ColumnCode(col);
    const int channel = RowChannel(row);
    if (code < 0 || channel < 0)
        return;
    CBoxArray& system = GetProjectDoc()->GetBoxArray();
    fw::COLORREF color;
    if (!system.IsChannelAttrEditable(channel, code))
        color = kGrey;
    else if (!system.IsChannelValueAllowed(channel, code, 32768))
        color = kRed;
    else
        return;
    format.nFlags |= kCellUseTextColor;
    format.bSysTextColor = 0;
    format.crText = color;
}

// ---- editing -------------------------------------------------------------------------------------

CZELGridRichWnd* CPrj465View::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                         unsigned ch, unsigned key, bool byKey)
{
    const CCellIndices cur = pane->GetCurrentCell();
    const int code = ColumnCode(cur.col);
    if (!CanEdit() || !IsTyped(cur.col, cur.row))
        return nullptr;
    return MakeNumericEditor(pane, rect, text, code == kRange ? "+" : "+-.eE", ch, key, byKey);
}

CZELGridRichWnd* CPrj465View::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                               fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CPrj465View::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                     const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

void CPrj465View::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint screen)
{
    if (HasMenu(col, row))
        OnDropDown(col, row, screen);
}

void CPrj465View::OnDropDown(int32_t col, int32_t row, fw::CPoint)
{
    static constexpr unsigned menus[] = {prjmenu::k465Input, prjmenu::k465Range, prjmenu::k465Level};
    if (HasMenu(col, row))
        OpenCellMenu(menus[col], col, row);
}

void CPrj465View::OnCurrentCellChanged()
{
    CProjectBaseView::OnCurrentCellChanged();
    const CCellIndices cur = GetGrid()->GetSheetPane()->GetCurrentCell();
    SetDropButton(cur.col == 0 || ((cur.col == 1 || cur.col == 2) && cur.row % kRowsPerUnit < kPulseRows));
}

void CPrj465View::ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    CPollingPause pause;
    for (int32_t col = firstCol; col <= lastCol; ++col)
        for (int32_t row = firstRow; row <= lastRow; ++row)
            if (ColumnCode(col) >= 0 && RowChannel(row) >= 0)
                SetRowText(ColumnCode(col), col, row, fw::CString(), false);
}

// ---- column setters and commands -----------------------------------------------------------------

template <class Set> bool CPrj465View::SetSelection(int32_t col, Set set)
{
    CPollingPause pause;
    const CCellRange sel = GetGrid()->GetSelection();
    bool any = false;
    for (int32_t row = sel.top; row <= sel.bottom && RowChannel(row) >= 0; ++row) {
        if (!set(row))
            break;
        any = true;
    }
    if (any) {
        GetGrid()->RedrawPanes();
        GetProjectDoc()->SetModifiedFlag(true);
        GetProjectDoc()->NotifyColumnsChanged(this, sel.left, sel.right, 0, true);
    }
    return any;
}

bool CPrj465View::SetSelectionAttributeText(int32_t col, int code, const fw::CString& text, int)
{
    return SetSelection(col, [&](int32_t row) { return SetRowText(code, col, row, text, false); });
}

bool CPrj465View::SetSelectionAttributeValue(int32_t col, int code, double value, int)
{
    return SetSelection(col, [&](int32_t row) { return SetRowValue(code, col, row, value, false); });
}

void CPrj465View::UpdateChannelValueCheck(fw::CCmdUI* ui, int32_t col, int code, double value, int)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    if (!doc || !CanEditCell(col, col) || col < sel.left || col > sel.right) {
        ui->SetCheck(0);
        ui->Enable(false);
        return;
    }
    bool enable = !doc->IsEditLocked();
    bool all = true;
    for (int32_t row = sel.top; row <= sel.bottom && RowChannel(row) >= 0; ++row) {
        CKivUnit* unit = GetRowUnit(row);
        const int k = row % kRowsPerUnit;
        if (!unit->CheckValue(k, code, static_cast<int>(value)))
            enable = false;
        if (unit->GetValue(k, code) != value)
            all = false;
    }
    ui->Enable(enable);
    ui->SetCheck(all ? 1 : 0);
}

bool CPrj465View::ChoiceOf(unsigned id, Choice& choice)
{
    namespace m = prjmenu;
    if (id >= m::kId465InputFirst && id <= m::kId465InputLast)
        choice = {0, kInput, static_cast<double>(kInputValues[id - m::kId465InputFirst])};
    else if (id >= m::kId465RangeFirst && id <= m::kId465RangeLast)
        choice = {1, kRange, static_cast<double>(kRangeValues[id - m::kId465RangeFirst])};
    else if (id >= m::kId465LevelFirst && id <= m::kId465LevelLast)
        choice = {2, kLevelMode, static_cast<double>(id - m::kId465LevelFirst)};
    else
        return false;
    return true;
}

void CPrj465View::OnChoice(unsigned id)
{
    Choice choice{};
    if (!ChoiceOf(id, choice) || !CanEdit())
        return;
    RecordSelection(kUndoColumn, choice.col);
    SetSelectionAttributeValue(choice.col, choice.code, choice.value);
}

void CPrj465View::OnUpdateChoice(fw::CCmdUI* ui)
{
    Choice choice{};
    if (!ChoiceOf(ui->m_nID, choice)) {
        ui->Enable(false);
        return;
    }
    UpdateChannelValueCheck(ui, choice.col, choice.code, choice.value);
}
