#include "project/views/PrjChView.h"

#include "common/calc/DataFormat.h"
#include "docbase/naming/NameSetParam.h"
#include "docview/instrumentdlg/KivUnitMenu.h"
#include "docview/naming/NameSetDlg.h"
#include "framework/core/ServiceSlot.h"
#include "framework/ui/Menu.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/DC.h"
#include "framework/core/Services.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/model/UpdateShowChannel.h"
#include "instrument/system/BoxPropaty.h"
#include "project/views/ProjectFrame.h"
#include "project/views/ProjectMenus.h"
#include "project/views/pages/PageDrawing.h"

#include <iterator>
#include <memory>

FW_IMPLEMENT_DYNCREATE(CPrjChView, CProjectBaseView)

namespace {
constexpr unsigned kIdSetFirst = 32854, kIdSetLast = 32855;
constexpr unsigned kIdRangeFirst = 32986, kIdRangeLast = 32991, kIdRange2500 = 33336, kIdRange250 = 33543;
constexpr unsigned kIdLowPassFirst = 32992, kIdLowPassLast = 32996;
constexpr unsigned kIdModeFirst = 33095, kIdModeLast = 33100;
constexpr unsigned kIdJunctionFirst = 33152, kIdJunctionLast = 33153;
constexpr unsigned kIdKindFirst = 33165, kIdKindLast = 33168;
constexpr unsigned kIdHighPassFirst = 33549, kIdHighPassLast = 33551;
constexpr unsigned kIdBalanceFirst = 33554, kIdBalanceLast = 33555;
constexpr unsigned kIdFormatFirst = 32797, kIdFormatLast = 32813;
} // namespace

FW_BEGIN_COMMANDS(CPrjChView, CProjectBaseView)
    FW_ON_COMMAND(CPrjChView::kIdName, &CPrjChView::OnName)
    FW_ON_UPDATE(CPrjChView::kIdName, &CPrjChView::OnUpdateName)
    FW_ON_COMMAND_RANGE(kIdSetFirst, kIdSetLast, &CPrjChView::OnChoice)
    FW_ON_UPDATE_RANGE(kIdSetFirst, kIdSetLast, &CPrjChView::OnUpdateChoice)
    FW_ON_COMMAND_RANGE(kIdRangeFirst, kIdRangeLast, &CPrjChView::OnChoice)
    FW_ON_UPDATE_RANGE(kIdRangeFirst, kIdRangeLast, &CPrjChView::OnUpdateChoice)
    FW_ON_COMMAND_RANGE(kIdRange2500, kIdRange2500, &CPrjChView::OnChoice)
    FW_ON_UPDATE_RANGE(kIdRange2500, kIdRange2500, &CPrjChView::OnUpdateChoice)
    FW_ON_COMMAND_RANGE(kIdRange250, kIdRange250, &CPrjChView::OnChoice)
    FW_ON_UPDATE_RANGE(kIdRange250, kIdRange250, &CPrjChView::OnUpdateChoice)
    FW_ON_COMMAND_RANGE(kIdLowPassFirst, kIdLowPassLast, &CPrjChView::OnChoice)
    FW_ON_UPDATE_RANGE(kIdLowPassFirst, kIdLowPassLast, &CPrjChView::OnUpdateChoice)
    FW_ON_COMMAND_RANGE(kIdModeFirst, kIdModeLast, &CPrjChView::OnChoice)
    FW_ON_UPDATE_RANGE(kIdModeFirst, kIdModeLast, &CPrjChView::OnUpdateChoice)
    FW_ON_COMMAND_RANGE(kIdJunctionFirst, kIdJunctionLast, &CPrjChView::OnChoice)
    FW_ON_UPDATE_RANGE(kIdJunctionFirst, kIdJunctionLast, &CPrjChView::OnUpdateChoice)
    FW_ON_COMMAND_RANGE(kIdKindFirst, kIdKindLast, &CPrjChView::OnChoice)
    FW_ON_UPDATE_RANGE(kIdKindFirst, kIdKindLast, &CPrjChView::OnUpdateChoice)
    FW_ON_COMMAND_RANGE(kIdHighPassFirst, kIdHighPassLast, &CPrjChView::OnChoice)
    FW_ON_UPDATE_RANGE(kIdHighPassFirst, kIdHighPassLast, &CPrjChView::OnUpdateChoice)
    FW_ON_COMMAND_RANGE(kIdBalanceFirst, kIdBalanceLast, &CPrjChView::OnChoice)
    FW_ON_UPDATE_RANGE(kIdBalanceFirst, kIdBalanceLast, &CPrjChView::OnUpdateChoice)
    FW_ON_COMMAND_RANGE(kIdFormatFirst, kIdFormatLast, &CPrjChView::OnChoice)
    FW_ON_UPDATE_RANGE(kIdFormatFirst, kIdFormatLast, &CPrjChView::OnUpdateChoice)
FW_END_COMMANDS

namespace {

enum Code : int {
    kOn = 0, kLowPass = 2, kInputMode = 7, kRange = 20, kCoefficient = 24, kUnit = 25, kJunction = 29,
    kFilterKind = 34, kHighPass = 49, kBalance = 50, kName = 1000, kShift = 1001, kRated = 1002,
    kCapacity = 1003, kFormat = 1004, kOption1 = 1011, kOption3 = 1013, kUnitType = -2,
};

constexpr int kCanUnitType = 8;
constexpr unsigned kHintColumns = 12;
constexpr unsigned kHintRepaint = 43;
constexpr unsigned kHintSetup = 16;
constexpr unsigned kHintHighPass = 53;

struct Column {
    int code;
    const char* upper;  // header row 0; nullptr inside a group
    const char* lower;  // header row 1; nullptr: merged over both rows
    bool bold;
};

// Layout 0; layout 1 leaves out the high-pass filter and balance columns.
constexpr Column kColumns[] = {
    {kOn, "SET", nullptr, true},
    {kName, "名前", nullptr, false},
    {kInputMode, "入力ﾓｰﾄﾞ", nullptr, true},
    {kRange, "入力ﾚﾝｼﾞ", nullptr, true},
    {kLowPass, "ﾛｰﾊﾟｽﾌｨﾙﾀ", "周波数\n(Hz)", true},
    {kFilterKind, nullptr, "特性", true},
    {kHighPass, "ﾊｲﾊﾟｽ\nﾌｨﾙﾀ\n(Hz)", nullptr, true},
    {kBalance, "ﾊﾞﾗﾝｽ", nullptr, true},
    {kJunction, "基準接点", nullptr, true},
    {kCoefficient, "校正", "係数", true},
    {kRated, nullptr, "定格出力", true},
    {kCapacity, nullptr, "容量", true},
    {kShift, nullptr, "シフト", false},
    {kUnit, "単位", nullptr, true},
    {kFormat, "ﾌｫｰﾏｯﾄ", nullptr, true},
    {kOption1, "オプション", "Op.Data1", false},
    {1012, nullptr, "Op.Data2", false},
    {kOption3, nullptr, "Op.Data3", false},
};
constexpr int32_t kColumnCount = static_cast<int32_t>(std::size(kColumns));

const Column* ColumnAt(int layout, int32_t col)
{
    if (col < 0)
        return nullptr;
    // Layout 1 skips table rows 6 and 7.
    const int32_t index = layout == 1 && col >= 6 ? col + 2 : col;
    return index < kColumnCount ? &kColumns[index] : nullptr;
}

bool IsThermocoupleMode(int mode) { return mode >= 20 && mode <= 22; }

bool IsCalibration(int code) { return code == kCoefficient || code == kRated || code == kCapacity; }

} // namespace

CPrjChView::CPrjChView() { m_nContextMenuId = static_cast<int32_t>(kContextMenu); }

int CPrjChView::ColumnCode(int32_t col) const
{
    const Column* c = ColumnAt(m_nLayout, col);
    return c ? c->code : -1;
}

int32_t CPrjChView::CodeColumn(int code) const
{
    const int32_t count = m_nLayout == 1 ? kColumnCount - 2 : kColumnCount;
    for (int32_t col = 0; col < count; ++col)
        if (ColumnCode(col) == code)
            return col;
    return -1;
}

bool CPrjChView::IsChoiceCode(int code)
{
    switch (code) {
    case kOn: case kInputMode: case kRange: case kUnit: case kJunction: case kFilterKind: case kHighPass:
    case kBalance: case kFormat:
        return true;
    default:
        return false;
    }
}

void CPrjChView::Relayout()
{
    m_nLayout = ProjectHost().ShowHighPassColumns() ? 0 : 1;
    CZELGridStyle* style = GetGrid() ? GetGrid()->GetStyle() : nullptr;
    if (!style)
        return;
    const int32_t want = m_nLayout == 0 ? kColumnCount : kColumnCount - 2;
    if (style->GetPane(kPaneSheet).m_nCols == want)
        return;
    style->SetColumnCount(want);
    if (m_nLayout == 0)
        style->SetColumnWidths(6, 56, 1);
    GetGrid()->ApplyStyle(true);
}

void CPrjChView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabChannel));
    Relayout();
}

void CPrjChView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    switch (hint) {
    case kHintHighPass:
        Relayout();
        if (CKIV5980Doc* doc = GetProjectDoc())
            doc->GetUndoBuffer().Release(0);
        break;
    case kHintSetup:
        // Other control units may have dropped the output, digital or CAN
        // units whose pages are showing.
        if (auto* frame = dynamic_cast<CProjectFrame*>(GetParentFrame()))
            frame->RefreshPageFlags();
        CProjectBaseView::OnUpdate(sender, hint, hintObject);
        break;
    case kHintShowChannel:
        if (auto* show = dynamic_cast<CUpdateShowChannel*>(hintObject))
            SelectHintedRow(show->m_channel, show->m_firstColumn, show->m_lastColumn);
        return;
    case kHintColumns:
    case kHintRepaint:
    case 0:
        break;
    default:
        CProjectBaseView::OnUpdate(sender, hint, hintObject);
        return;
    }
    if (GetGrid() && GetGrid()->GetStyle())
        GetGrid()->RedrawPanes();
}

// ---- texts ---------------------------------------------------------------------------------------

bool CPrjChView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display)
{
    const Column* c = ColumnAt(m_nLayout, col);
    if (!c)
        return false;
    if (row == 0) {
        text = c->upper ? c->upper : "";
        return true;
    }
    if (c->lower)
        text = c->lower;
    else if (display)
        text = c->upper ? c->upper : "";
    else
        text.Empty();
    return true;
}

bool CPrjChView::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || row < 0 || row >= doc->GetBoxArray().GetMeasuringCount())
        return false;
    return GetChannelRowLabel(text, col, row);
}

bool CPrjChView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    if (!doc || code == -1 || row < 0 || row >= doc->GetBoxArray().GetMeasuringCount())
        return false;
    doc->GetBoxArray().GetChannelDisplayText(code, row, text);
    return true;
}

bool CPrjChView::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    const int code = ColumnCode(col);
    switch (code) {
    case -1: case kOn: case kInputMode: case kRange: case kJunction: case kHighPass: case kBalance:
        return false;
    default:
        break;
    }
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || row < 0 || row >= doc->GetBoxArray().GetMeasuringCount() ||
        !doc->GetBoxArray().IsChannelAttrEditable(row, code))
        return false;
    doc->GetBoxArray().GetChannelDisplayText(code, row, text);
    return true;
}

bool CPrjChView::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    if (!doc || code == -1 || row < 0 || row >= doc->GetBoxArray().GetMeasuringCount())
        return false;
    // The polling worker reads these settings.
    CPollingPause pause;
    return doc->SetChannelText(code, col, row, text, fromEditor ? this : nullptr);
}

// ---- colours -------------------------------------------------------------------------------------

bool CPrjChView::IsThermocouple(int32_t row) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc && IsThermocoupleMode(static_cast<int>(doc->GetBoxArray().GetChannelValue(row, kInputMode)));
}

std::optional<fw::COLORREF> CPrjChView::CellTextColor(int32_t col, int32_t row) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    if (!doc || code == -1 || row < 0 || row >= doc->GetBoxArray().GetMeasuringCount())
        return std::nullopt;
    CBoxArray& system = doc->GetBoxArray();
    std::optional<fw::COLORREF> color;
    if (!system.IsChannelAttrEditable(row, code))
        color = kGrey;
    if (code == kOn) {
        fw::CString text;
        system.GetChannelDisplayText(code, row, text);
        if (text == "SET")
            color = kBlue;
    }
    if (code == kLowPass || IsChoiceCode(code)) {
        if (code != kOn && !system.IsChannelValueAllowed(row, code, 32768)) {
            fw::CString text;
            system.GetChannelDisplayText(code, row, text);
            if (!(code == kUnit && text.IsEmpty()))
                color = kRed;
        }
    }
    if (IsCalibration(code) && IsThermocouple(row))
        color = kLightGrey;
    return color;
}

bool CPrjChView::HasRedBackground(int32_t col, int32_t row) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || ColumnCode(col) != kUnit || row < 0 || row >= doc->GetBoxArray().GetMeasuringCount())
        return false;
    fw::CString text;
    doc->GetBoxArray().GetChannelDisplayText(kUnit, row, text);
    return text.IsEmpty() && !doc->GetBoxArray().IsChannelValueAllowed(row, kUnit, 32768);
}

void CPrjChView::GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row)
{
    if (const auto color = CellTextColor(col, row)) {
        format.nFlags |= kCellUseTextColor;
        format.bSysTextColor = 0;
        format.crText = *color;
    }
    if (HasRedBackground(col, row)) {
        format.nFlags |= kCellFillBack;
        format.crBack = kRed;
    }
}

void CPrjChView::DrawColumnHeaderCell(CZELDrawCell& cell)
{
    WhitenForPrint(cell);
    const int32_t col = cell.m_nCol;
    const Column* c = ColumnAt(m_nLayout, col);
    const CZELGridPane* pane = GetGrid()->GetPane(kIndexColumnHeader);
    if (!c || !pane || !cell.m_pDC || cell.m_nRow > 1) {
        CProjectBaseView::DrawColumnHeaderCell(cell);
        return;
    }
    const bool printing = cell.m_pDC->IsPrinting();
    const int32_t printRight = printing ? GetPrintCellsRect().Width() : 0;
    // Printed captions keep the header's own font.
    const int32_t kBold = printing ? 0 : 600;
    if (!c->lower) {
        // A caption of its own fills both header rows.
        prjpage::DrawMergedBlock(cell, pane, col, col, 0, 1, c->upper, printRight, c->bold ? kBold : 0);
        return;
    }
    if (cell.m_nRow == 1) {
        prjpage::DrawMergedBlock(cell, pane, col, col, 1, 1, c->lower, printRight, c->bold ? kBold : 0);
        return;
    }
    // A group's caption runs over the upper row of all its columns.
    int32_t first = col;
    while (first > 0 && !ColumnAt(m_nLayout, first)->upper)
        --first;
    int32_t last = col;
    for (const Column* next = ColumnAt(m_nLayout, last + 1); next && next->lower && !next->upper;
         next = ColumnAt(m_nLayout, last + 1))
        ++last;
    const Column* head = ColumnAt(m_nLayout, first);
    prjpage::DrawMergedBlock(cell, pane, first, last, 0, 0, head->upper, printRight, head->bold ? kBold : 0);
}

void CPrjChView::DrawRowHeaderCell(CZELDrawCell& cell) { DrawSystemChannelRowHeaderCell(cell); }

void CPrjChView::DrawSheetCell(CZELDrawCell& cell) { DrawSystemChannelSheetCell(cell); }

// ---- editing -------------------------------------------------------------------------------------

bool CPrjChView::CanEditCell(int32_t firstCol, int32_t lastCol)
{
    if (!IsMeasuringProject())
        return true;
    for (int32_t col = firstCol; col <= lastCol; ++col) {
        const int code = ColumnCode(col);
        if (code != kName && !(code >= kOption1 && code <= kOption3))
            return false;
    }
    return true;
}

CPrjChView::EditorKind CPrjChView::EditorFor(int code, int32_t row, unsigned ch, bool byKey) const
{
    if (code == kName)
        return EditorKind::text;
    if (IsCalibration(code) && IsThermocouple(row))
        return EditorKind::none;
    const bool numeric = code == kLowPass || IsCalibration(code) || code == kShift ||
                         (code >= kOption1 && code <= kOption3);
    if (!numeric)
        return EditorKind::none;
    if (byKey) {
        const bool digit = ch >= '0' && ch <= '9';
        const bool extra = ch != 0 && fw::CString("+-.eE").Find(static_cast<char>(ch)) >= 0;
        if (code == kLowPass ? !digit : !(digit || ch == 0 || extra))
            return EditorKind::none;
    }
    return EditorKind::numeric;
}

CZELGridRichWnd* CPrjChView::MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                        unsigned ch, unsigned key, bool byKey)
{
    const CCellIndices cur = pane->GetCurrentCell();
    const int code = ColumnCode(cur.col);
    if (!CanEdit() || !CanEditCell(cur.col, cur.col))
        return nullptr;
    std::unique_ptr<CZELGridRichWnd> editor;
    switch (EditorFor(code, cur.row, ch, byKey)) {
    case EditorKind::none:
        return nullptr;
    case EditorKind::text:
        editor = std::make_unique<CZELGridRichWnd>();
        break;
    case EditorKind::numeric: {
        auto digits = std::make_unique<CZELDegitEditWnd>();
        digits->SetAllowedChars(code == kLowPass ? "-" : "+-.eE");
        editor = std::move(digits);
        break;
    }
    }
    if (byKey)
        editor->CreateForKey(pane, rect, text, ch, key, 0);
    else
        editor->CreateForMouse(pane, rect, text, 0);
    return editor.release();
}

CZELGridRichWnd* CPrjChView::CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                              fw::CPoint)
{
    return MakeEditor(pane, rect, text, 0, 0, false);
}

CZELGridRichWnd* CPrjChView::CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                    const fw::CString& text, unsigned ch, unsigned key)
{
    return MakeEditor(pane, rect, text, ch, key, true);
}

void CPrjChView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint screen)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    if (!doc || code < 0)
        return;
    if (code != kOn && code != kJunction && code != kBalance) {
        // Typed columns have no menu.
        if (IsChoiceCode(code))
            OnDropDown(col, row, screen);
        return;
    }
    if (IsMeasuringProject() || doc->IsEditLocked())
        return;
    const CCellIndices cur = GetGrid()->GetSheetPane()->GetCurrentCell();
    RecordSelection(kUndoColumn, col);
    if (static_cast<int>(doc->GetBoxArray().GetChannelValue(cur.row, kUnitType)) == kCanUnitType)
        return;
    const double value = doc->GetBoxArray().GetChannelValue(cur.row, code) == 1 ? 0 : 1;
    SetSelectionAttributeValue(col, code, value);
}

void CPrjChView::OnDropDown(int32_t col, int32_t row, fw::CPoint)
{
    const int code = ColumnCode(col);
    if (!CanEditCell(col, col))
        return;
    switch (code) {
    case kOn: OpenCellMenu(prjmenu::kSet, col, row); break;
    case kInputMode: OpenCellMenu(prjmenu::kInputMode, col, row); break;
    case kRange: OpenCellMenu(prjmenu::kRange, col, row); break;
    case kJunction: OpenCellMenu(prjmenu::kJunction, col, row); break;
    case kFilterKind: OpenCellMenu(prjmenu::kFilterKind, col, row); break;
    case kHighPass: OpenCellMenu(prjmenu::kHighPass, col, row); break;
    case kBalance: OpenCellMenu(prjmenu::kBalance, col, row); break;
    case kUnit: {
        CKivUnitMenu units;
        units.LoadUnits(CKivUnitMenu::kUnitItemId);
        TrackCellMenu(units, col, row);
        break;
    }
    case kFormat: {
        fw::CMenu formats;
        if (!formats.CreatePopupMenu())
            return;
        for (const CDataFormat::MenuItem& item : CDataFormat::DefaultMenuItems())
            formats.AppendMenu(fw::MF_STRING, item.command, item.text);
        TrackCellMenu(formats, col, row);
        break;
    }
    default:
        break;
    }
}

void CPrjChView::OnCurrentCellChanged()
{
    CProjectBaseView::OnCurrentCellChanged();
    CZELGridStyle* style = GetGrid() ? GetGrid()->GetStyle() : nullptr;
    if (!style)
        return;
    const CCellIndices cur = GetGrid()->GetSheetPane()->GetCurrentCell();
    uint32_t& flags = style->GetPane(kPaneSheet).m_format.nFlags;
    if (IsChoiceCode(ColumnCode(cur.col)))
        flags |= kCellDropButton;
    else
        flags &= ~static_cast<uint32_t>(kCellDropButton);
}

void CPrjChView::ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return;
    CPollingPause pause;
    for (int32_t col = firstCol; col <= lastCol; ++col)
        for (int32_t row = firstRow; row <= lastRow; ++row)
            doc->SetChannelText(ColumnCode(col), col, row, fw::CString(), nullptr);
    if (firstCol <= 1 && lastCol <= 1)
        doc->RefreshHistoryChannels(false);
}

void CPrjChView::OnUndone(const CCellRange& range)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc)
        return;
    if (range.left <= 0)
        doc->RebuildChannels();
    if (range.left <= 1 && range.right > 0)
        doc->RefreshHistoryChannels(false);
}

// ---- choice commands -----------------------------------------------------------------------------

bool CPrjChView::ChoiceOf(unsigned id, Choice& choice) const
{
    // The first control unit's values of the menus' items, by item index.
    static constexpr int ranges[] = {600, 1000, 1300, 5000, 10000, 20000, 2500, 250};
    static constexpr int lowPass[] = {0, 30, 100, 300, 1000};
    static constexpr int modes[] = {146, 16, 33, 21, 22, 20};
    static constexpr int balance[] = {1, 0};
    static constexpr const char* highPass[] = {"PASS", "0.2", "1.0"};
    auto set = [&](int code, double value) {
        choice.code = code;
        choice.col = CodeColumn(code);
        choice.value = value;
        return choice.col >= 0;
    };
    if (id >= kIdSetFirst && id <= kIdSetLast)
        return set(kOn, id - kIdSetFirst);
    if (id >= kIdRangeFirst && id <= kIdRangeLast)
        return set(kRange, ranges[id - kIdRangeFirst]);
    if (id == kIdRange2500)
        return set(kRange, ranges[6]);
    if (id == kIdRange250)
        return set(kRange, ranges[7]);
    if (id >= kIdLowPassFirst && id <= kIdLowPassLast)
        return set(kLowPass, lowPass[id - kIdLowPassFirst]);
    if (id >= kIdModeFirst && id <= kIdModeLast)
        return set(kInputMode, modes[id - kIdModeFirst]);
    if (id >= kIdJunctionFirst && id <= kIdJunctionLast)
        return set(kJunction, id - kIdJunctionFirst);
    if (id >= kIdKindFirst && id <= kIdKindLast)
        return set(kFilterKind, id - kIdKindFirst);
    if (id >= kIdBalanceFirst && id <= kIdBalanceLast)
        return set(kBalance, balance[id - kIdBalanceFirst]);
    if (id >= kIdHighPassFirst && id <= kIdHighPassLast) {
        choice.text = highPass[id - kIdHighPassFirst];
        // Compared in hundredths of a hertz.
        static constexpr int hundredths[] = {0, 20, 100};
        return set(kHighPass, hundredths[id - kIdHighPassFirst]);
    }
    if (id >= kIdFormatFirst && id <= kIdFormatLast)
        return set(kFormat, MainFormatTable().GetFormatCode(id));
    return false;
}

void CPrjChView::OnChoice(unsigned id)
{
    Choice choice;
    if (!ChoiceOf(id, choice) || !CanEdit())
        return;
    RecordSelection(kUndoColumn, choice.col);
    if (!choice.text.IsEmpty())
        SetSelectionAttributeText(choice.col, choice.code, choice.text);
    else
        SetSelectionAttributeValue(choice.col, choice.code, choice.value);
}

void CPrjChView::OnUpdateChoice(fw::CCmdUI* ui)
{
    Choice choice;
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || !ChoiceOf(ui->m_nID, choice) || !CanEditCell(choice.col, choice.col)) {
        ui->Enable(false);
        return;
    }
    const CCellRange sel = GetGrid()->GetSelection();
    if (choice.col < sel.left || choice.col > sel.right) {
        ui->SetCheck(0);
        ui->Enable(false);
        return;
    }
    CBoxArray& system = doc->GetBoxArray();
    bool enable = !doc->IsEditLocked();
    bool all = true;
    for (int32_t row = sel.top; row <= sel.bottom && row < system.GetMeasuringCount(); ++row) {
        if (!system.IsChannelValueAllowed(row, choice.code, static_cast<int>(choice.value)))
            enable = false;
        if (system.GetChannelValue(row, choice.code) != choice.value)
            all = false;
    }
    ui->Enable(enable);
    ui->SetCheck(all ? 1 : 0);
}

void CPrjChView::OnEditPaste()
{
    if (GetGrid()->GetActiveEditor()) {
        CProjectBaseView::OnEditPaste();
        return;
    }
    CKIV5980Doc* doc = GetProjectDoc();
    CPollingPause pause;
    fw::CWaitCursor wait;
    RecordSelection(kUndoBlock);
    if (!GetGrid()->PasteFromClipboard())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    if (sel.left == 0)
        doc->RebuildChannels();
    else if (sel.left <= 1 && sel.right <= 1)
        doc->RefreshHistoryChannels(false);
    NotifySelectionColumns();
}

void CPrjChView::OnFillDown()
{
    CProjectBaseView::OnFillDown();
    const CCellRange sel = GetGrid()->GetSelection();
    const int32_t unit = CodeColumn(kUnit);
    const bool list = (sel.left <= 1) || (sel.left <= unit && unit <= sel.right);
    if (list)
        GetProjectDoc()->RebuildChannels();
}

// ---- unit commands -------------------------------------------------------------------------------

bool CPrjChView::OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info)
{
    if (id < kFirstUnitId || id >= kFirstUnitId + kUnitCount ||
        (code != fw::CN_COMMAND && code != fw::CN_UPDATE_COMMAND_UI))
        return CProjectBaseView::OnCmdMsg(id, code, ui, info);
    if (info)
        return true;
    CKIV5980Doc* doc = GetProjectDoc();
    const int32_t col = CodeColumn(kUnit);
    const CCellRange sel = GetGrid()->GetSelection();
    const bool inSelection = doc && col >= sel.left && col <= sel.right;
    CKivUnitMenu menu;
    menu.LoadUnits(CKivUnitMenu::kUnitItemId);
    const fw::CString unit = menu.GetUnitText(id);
    if (code == fw::CN_UPDATE_COMMAND_UI) {
        if (!ui)
            return true;
        bool all = inSelection;
        for (int32_t row = sel.top; all && row <= sel.bottom && row < doc->GetBoxArray().GetMeasuringCount(); ++row) {
            fw::CString text;
            doc->GetBoxArray().GetChannelDisplayText(kUnit, row, text);
            all = text == unit;
        }
        ui->Enable(inSelection && !doc->IsEditLocked() && CanEditCell(col, col));
        ui->SetCheck(all ? 1 : 0);
        return true;
    }
    if (!inSelection || !CanEdit())
        return true;
    RecordSelection(kUndoColumn, col);
    if (CZELGridRichWnd* editor = GetGrid()->GetActiveEditor())
        editor->InsertMarkupText(unit);
    else
        SetSelectionAttributeText(col, kUnit, unit);
    return true;
}

// ---- naming --------------------------------------------------------------------------------------

void CPrjChView::OnUpdateName(fw::CCmdUI* ui)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    const int32_t nameCol = CodeColumn(kName);
    ui->Enable(doc && !doc->IsEditLocked() && sel.left <= nameCol && sel.right >= nameCol && sel.top < sel.bottom);
}

void CPrjChView::OnName()
{
    CKIV5980Doc* doc = GetProjectDoc();
    const CCellRange sel = GetGrid()->GetSelection();
    const int32_t nameCol = CodeColumn(kName);
    if (!doc || doc->IsEditLocked() || sel.left > nameCol || sel.right < nameCol || sel.top >= sel.bottom)
        return;
    CNameSetDlg dlg(this);
    CNameSetParam local;
    INameSetRecord* record = fw::Installed<INameSetRecord>();
    if (!record)
        dlg.SetTarget(&local);
    if (dlg.DoModal() != fw::IDOK)
        return;
    CNameSetParam& param = record ? record->GetNameSetParam() : local;
    RecordSelection(kUndoBlock);
    param.ParseStartNumber();
    for (int32_t row = sel.top; row <= sel.bottom && row < doc->GetBoxArray().GetMeasuringCount(); ++row) {
        fw::CString name;
        param.MakeNextName(name);
        SetSheetText(row, nameCol, name, 0);
    }
    doc->RebuildChannels();
    doc->NotifyColumnsChanged(this, sel.left, sel.right, 0, true);
    doc->SetModifiedFlag(true);
    GetGrid()->RedrawPanes();
}
