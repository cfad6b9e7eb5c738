#include "frequency/views/HistOutGrid.h"

#include "docview/controls/ContextMenus.h"
#include "framework/core/MenuResource.h"
#include "framework/core/StringTable.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/Menu.h"
#include "frequency/document/HistOutParam.h"
#include "frequency/model/HistCountArray.h"

#include <algorithm>

namespace {

constexpr unsigned kIdsNo = 207;        // "NO"
constexpr unsigned kIdsOperation = 635; // "解析方法"
constexpr unsigned kIdsOutput = 664;    // "出力"

fw::CString TextOr(unsigned id, const char* fallback)
{
    fw::CString text = fw::LoadStringText(id);
    return text.IsEmpty() ? fw::CString(fallback) : text;
}

// The popup of the output choice; the program's menu when it has one.
void EnsureOutputMenu()
{
    if (fw::FindMenuResource(CHistOutGrid::kMenuId))
        return;
    using fw::MenuResource;
    fw::RegisterMenuResource(CHistOutGrid::kMenuId,
                             MenuResource::Popup("", {MenuResource::Popup("出力", {
                                                          MenuResource::Item("する", CHistOutGrid::kIdOutput),
                                                          MenuResource::Item("しない", CHistOutGrid::kIdNoOutput),
                                                      })}));
}

} // namespace

CHistOutGrid::CHistOutGrid(CHistOutParam& options, const CHistCountArray* analyses)
    : m_options(options), m_analyses(analyses)
{
    m_layout.SetDimensions(2, 1, 2, 1, 1, 1);
    m_layout.SetDefaultSizes(64, 16, 64, -16, 64, -16);
    m_layout.ApplySizes();
}

CHistOutGrid::~CHistOutGrid() = default;

int CHistOutGrid::GetRowCount() const { return std::max(m_analyses ? m_analyses->GetSize() : 0, 1); }

void CHistOutGrid::Reset()
{
    m_options.m_selection.assign(static_cast<size_t>(GetRowCount()), false);
    m_layout.SetRowCount(GetRowCount());
    SetStyle(&m_layout);
}

bool CHistOutGrid::IsSelected(int32_t row) const
{
    return row >= 0 && row < static_cast<int32_t>(m_options.m_selection.size()) &&
           m_options.m_selection[static_cast<size_t>(row)];
}

void CHistOutGrid::Changed()
{
    RedrawPanes();
    if (m_onChange)
        m_onChange();
}

void CHistOutGrid::ToggleRow(int32_t row)
{
    if (row < 0 || row >= static_cast<int32_t>(m_options.m_selection.size()))
        return;
    m_options.m_selection[static_cast<size_t>(row)] = !m_options.m_selection[static_cast<size_t>(row)];
    Changed();
}

void CHistOutGrid::SetSelectedRows(bool on)
{
    const CCellRange range = GetSelection();
    if (!range.IsValid())
        return;
    m_options.SelectRows(range.top, range.bottom, on);
    Changed();
}

bool CHistOutGrid::SelectedRowsAre(bool on) const
{
    const CCellRange range = GetSelection();
    return range.IsValid() && m_options.RowsAre(range.top, range.bottom, on);
}

bool CHistOutGrid::GetTagText(fw::CString& text, int32_t col, int32_t, int)
{
    text = col == 0 ? TextOr(kIdsNo, "NO") : TextOr(kIdsOperation, "解析方法");
    return true;
}

bool CHistOutGrid::GetColumnHeaderText(fw::CString& text, int32_t, int32_t, int)
{
    text = TextOr(kIdsOutput, "出力");
    return true;
}

bool CHistOutGrid::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    const CHistCountObj* h =
        m_analyses && row >= 0 && row < m_analyses->GetSize() ? m_analyses->GetAt(row) : nullptr;
    if (h)
        text = col == 0 ? h->m_name : fw::CString(h->GetOperationText());
    return true;
}

bool CHistOutGrid::GetSheetText(fw::CString& text, int32_t, int32_t row, int)
{
    EnsureOutputMenu();
    const fw::MenuResource* menu = fw::FindMenuResource(kMenuId);
    const bool on = IsSelected(row);
    text = on ? "する" : "しない";
    if (menu && !menu->children.empty() && menu->children.front().children.size() >= 2)
        text = menu->children.front().children[on ? 0 : 1].caption;
    return true;
}

void CHistOutGrid::GetSheetCellFormat(CellFormat& format, int32_t, int32_t row)
{
    if (IsSelected(row))
        format.crText = kSelectedColor;
}

void CHistOutGrid::OnSheetDoubleClick(int32_t row, int32_t, unsigned, fw::CPoint) { ToggleRow(row); }

void CHistOutGrid::OnSheetContextMenu(int32_t, int32_t, fw::CPoint screen)
{
    EnsureOutputMenu();
    fw::CMenu menu;
    if (!menu.LoadMenu(kMenuId))
        return;
    fw::CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    fw::CWnd* owner = appctl::TopLevelOwner(*this);
    fw::UpdateMenuItems(popup, owner, false);
    popup->TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON, screen.x, screen.y, owner);
}
