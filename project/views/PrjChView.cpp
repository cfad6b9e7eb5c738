#include "project/views/PrjChView.h"

#include "framework/core/DC.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"

#include <iterator>
#include <memory>

FW_IMPLEMENT_DYNCREATE(CPrjChView, CProjectBaseView)

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
    if (hint == kHintHighPass) {
        Relayout();
        if (CKIV5980Doc* doc = GetProjectDoc())
            doc->GetUndoBuffer().Release(0);
    }
    if (hint == kHintSetup || hint == kHintColumns || hint == kHintRepaint || hint == kHintHighPass || hint == 0) {
        if (GetGrid() && GetGrid()->GetStyle())
            GetGrid()->RedrawPanes();
        return;
    }
    CProjectBaseView::OnUpdate(sender, hint, hintObject);
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

void CPrjChView::DrawSheetCell(CZELDrawCell& cell)
{
    fw::CString text;
    if (!GetSheetText(text, cell.m_nCol, cell.m_nRow, 1))
        return;
    cell.DrawText(text);
}

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

void CPrjChView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint)
{
    CKIV5980Doc* doc = GetProjectDoc();
    const int code = ColumnCode(col);
    if (!doc || (code != kOn && code != kJunction && code != kBalance))
        return;
    if (IsMeasuringProject() || doc->IsEditLocked())
        return;
    const CCellIndices cur = GetGrid()->GetSheetPane()->GetCurrentCell();
    RecordSelection(kUndoColumn, col);
    if (static_cast<int>(doc->GetBoxArray().GetChannelValue(cur.row, kUnitType)) == kCanUnitType)
        return;
    const double value = doc->GetBoxArray().GetChannelValue(cur.row, code) == 1 ? 0 : 1;
    SetSelectionAttributeValue(col, code, value);
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
