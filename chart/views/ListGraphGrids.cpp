#include "chart/views/ListGraphGrids.h"

#include "common/tank/DataTankObject.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Menu.h"
#include "grid/model/GridJob.h"
#include "grid/views/GridPane.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int32_t kLayoutMode = 3;
constexpr unsigned kIdsCorner = 472;    // "グラフ"
constexpr unsigned kIdsXAxis = 463;     // "X軸"
constexpr unsigned kIdsYAxis = 464;     // "Y軸"
constexpr unsigned kIdsAutoLabel = 475; // "自動ラベル"
constexpr unsigned kIdsLabel = 474;     // "ラベル"
constexpr unsigned kIdsUnit = 184;      // "単位"
constexpr unsigned kIdsDrawMethod = 821;
// Scale headers by tank (X: 0-5, Y: 6-11).
constexpr unsigned kScaleHeaders[12] = {465, 466, 467, 468, 473, 469, 465, 470, 471, 468, 473, 469};

// Every selected row of the sheet, top to bottom.
template <class F> void ForSelectedRows(CZELGrid& grid, int rows, F&& f)
{
    const CCellRange range = grid.GetSelection();
    if (!range.IsValid())
        return;
    for (int32_t row = range.top; row <= range.bottom && row < rows; ++row)
        f(row, range);
}

} // namespace

// --- common -------------------------------------------------------------------------

void CListGraphGridBase::Attach(int rows)
{
    m_layout.SetRowCount(std::max(rows, 1));
    m_layout.ApplySizes();
    SetStyle(&m_layout);
}

bool CListGraphGridBase::GetTagText(fw::CString& text, int32_t, int32_t, int)
{
    text = fw::LoadStringText(kIdsCorner);
    return true;
}

void CListGraphGridBase::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint screen)
{
    OnDropDown(col, row, screen);
}

void CListGraphGridBase::OnDropDown(int32_t col, int32_t, fw::CPoint screen)
{
    const auto choices = ChoicesOf(col);
    if (choices.empty())
        return;
    fw::CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    for (const auto& [command, text] : choices)
        menu.AppendMenu(fw::MF_STRING, command, text);
    const unsigned chosen =
        menu.TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON | fw::TPM_RETURNCMD, screen.x, screen.y, this);
    if (chosen != 0) {
        Choose(chosen);
        RedrawPanes();
    }
}

// --- labels -------------------------------------------------------------------------

CGraphListLabelGrid::CGraphListLabelGrid()
{
    m_layout.SetDimensions(1, 1, 1, 2, CGraphListLabelTable::kColumns, 1);
    m_layout.SetDefaultSizes(80, 32, 80, -16, 64, -16);
    m_layout.SetMode(kLayoutMode);
}

bool CGraphListLabelGrid::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    if (row == 0)
        text = fw::LoadStringText(col < 3 ? kIdsXAxis : kIdsYAxis);
    else
        text = fw::LoadStringText(col % 3 == 0 ? kIdsAutoLabel : col % 3 == 1 ? kIdsLabel : kIdsUnit);
    return true;
}

bool CGraphListLabelGrid::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    text = row < m_table.GetRowCount() ? m_table.RowHeaderText(row) : fw::CString();
    return true;
}

bool CGraphListLabelGrid::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    CDataTankObject* tank = col < CGraphListLabelTable::kColumns ? m_table.Column(col) : nullptr;
    if (tank && row < m_table.GetRowCount())
        tank->GetValueText(row, text, false);
    return true;
}

bool CGraphListLabelGrid::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    if (col % 3 == 0)
        return false; // a choice, not typed
    return GetSheetText(text, col, row, 0);
}

bool CGraphListLabelGrid::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int)
{
    CDataTankObject* tank = col < CGraphListLabelTable::kColumns ? m_table.Column(col) : nullptr;
    if (!tank || row >= m_table.GetRowCount())
        return false;
    const bool set = tank->SetValueText(row, text);
    // A typed title replaces the automatic one of its axis.
    if (set && col % 3 != 0)
        m_table.Column(col < 3 ? 0 : 3)->SetValue(row, 0);
    return set;
}

std::vector<std::pair<unsigned, fw::CString>> CGraphListLabelGrid::ChoicesOf(int32_t col) const
{
    if (col % 3 != 0)
        return {};
    return {{listgraphcmd::kOff, "OFF"}, {listgraphcmd::kOn, "ON"}};
}

void CGraphListLabelGrid::Choose(unsigned command)
{
    if (command != listgraphcmd::kOff && command != listgraphcmd::kOn)
        return;
    const double value = command == listgraphcmd::kOn ? 1 : 0;
    // The current cell's column is what one undo step brings back.
    CGridJob job;
    GetSelectionJob(job);
    TakeSnapshot(kUndoColumn, job.m_current.col);
    ForSelectedRows(*this, m_table.GetRowCount(), [&](int32_t row, const CCellRange& range) {
        for (int col : {0, 3})
            if (range.left <= col && col <= range.right)
                m_table.Column(col)->SetValue(row, value);
    });
}

// --- scales -------------------------------------------------------------------------

CScaleGrid::CScaleGrid()
{
    m_layout.SetDimensions(1, 1, 1, 1, CGraphListScaleTable::kColumnsPerAxis, 1);
    m_layout.SetDefaultSizes(80, 32, 80, -32, 80, -16);
    m_layout.SetMode(kLayoutMode);
}

void CScaleGrid::ShowAxis(int axis)
{
    m_table.ShowAxis(axis);
    RedrawPanes();
}

bool CScaleGrid::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    const int tank = col + m_table.GetOffset();
    text = tank >= 0 && tank < 12 ? fw::LoadStringText(kScaleHeaders[tank]) : fw::CString();
    return true;
}

bool CScaleGrid::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    text = row < m_table.GetRowCount() ? m_table.RowHeaderText(row) : fw::CString();
    return true;
}

bool CScaleGrid::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    CDataTankObject* tank =
        col < CGraphListScaleTable::kColumnsPerAxis ? m_table.ShownColumn(col) : nullptr;
    if (tank && row < m_table.GetRowCount())
        tank->GetValueText(row, text, false);
    return true;
}

bool CScaleGrid::GetSheetEditText(int32_t row, int32_t col, fw::CString& text)
{
    if (col == 0 || col == 5)
        return false;
    return GetSheetText(text, col, row, 0);
}

bool CScaleGrid::SetSheetText(int32_t row, int32_t col, const fw::CString& text, int)
{
    CDataTankObject* tank =
        col < CGraphListScaleTable::kColumnsPerAxis ? m_table.ShownColumn(col) : nullptr;
    if (!tank || row >= m_table.GetRowCount())
        return false;
    const bool set = tank->SetValueText(row, text);
    // A typed range holds: the axis is no longer scaled automatically.
    if (set && col >= 1 && col <= 4)
        m_table.ShownColumn(0)->SetValue(row, 0);
    return set;
}

std::vector<std::pair<unsigned, fw::CString>> CScaleGrid::ChoicesOf(int32_t col) const
{
    if (col == 0)
        return {{listgraphcmd::kOff, "OFF"}, {listgraphcmd::kOn, "ON"}};
    if (col == 5)
        return {{listgraphcmd::kFormatNone, "非表示"},
                {listgraphcmd::kFormatFixed, "FIX"},
                {listgraphcmd::kFormatExponent, "FLOT"}};
    return {};
}

void CScaleGrid::Choose(unsigned command)
{
    int column = -1;
    double value = 0;
    if (command == listgraphcmd::kOff || command == listgraphcmd::kOn) {
        column = 0;
        value = command == listgraphcmd::kOn ? 1 : 0;
    } else if (command >= listgraphcmd::kFormatNone && command <= listgraphcmd::kFormatExponent) {
        column = 5;
        value = command - listgraphcmd::kFormatNone;
    }
    if (column < 0)
        return;
    TakeSnapshot(kUndoColumn, column);
    ForSelectedRows(*this, m_table.GetRowCount(), [&](int32_t row, const CCellRange&) {
        m_table.ShownColumn(column)->SetValue(row, value);
    });
}

// --- draw types ---------------------------------------------------------------------

CDrawTypeGrid::CDrawTypeGrid()
{
    m_layout.SetDimensions(1, 1, 1, 1, 1, 1);
    m_layout.SetDefaultSizes(80, 32, 80, -32, 80, -16);
    m_layout.SetMode(kLayoutMode);
}

bool CDrawTypeGrid::GetColumnHeaderText(fw::CString& text, int32_t, int32_t, int)
{
    text = fw::LoadStringText(kIdsDrawMethod);
    return true;
}

bool CDrawTypeGrid::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    text = row < m_table.GetRowCount() ? m_table.GetRowName(row) : fw::CString();
    return true;
}

bool CDrawTypeGrid::GetSheetText(fw::CString& text, int32_t, int32_t row, int)
{
    text = row < m_table.GetRowCount() ? CDrawTypeTable::DrawTypeText(m_table.GetDrawType(row)) : fw::CString();
    return true;
}

std::vector<std::pair<unsigned, fw::CString>> CDrawTypeGrid::ChoicesOf(int32_t) const
{
    return {{listgraphcmd::kStraight, CDrawTypeTable::DrawTypeText(0)},
            {listgraphcmd::kSteps, CDrawTypeTable::DrawTypeText(1)}};
}

void CDrawTypeGrid::Choose(unsigned command)
{
    if (command != listgraphcmd::kStraight && command != listgraphcmd::kSteps)
        return;
    const CCellRange range = GetSelection();
    if (!range.IsValid())
        return;
    for (int32_t row = range.top; row <= range.bottom; ++row)
        m_table.SetDrawType(row, command == listgraphcmd::kSteps ? 1 : 0);
}
