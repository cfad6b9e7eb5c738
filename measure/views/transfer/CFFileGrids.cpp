#include "measure/views/transfer/CFFileGrids.h"

#include "framework/core/Exceptions.h"
#include "framework/core/FileSystem.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Menu.h"
#include "grid/model/PaneStyle.h"

#include <algorithm>

namespace {

constexpr int32_t kLayoutMode = 3;
constexpr uint32_t kFamilyAlign = kAlignCenter | kAlignMiddle;
constexpr int32_t kFamilyFontHeight = 90;
// The marked rows' text colour (COLORREF red).
constexpr fw::COLORREF kMarkColor = 0x0000FF;

} // namespace

// ---- CCFFileGridBase

fw::CString CCFFileGridBase::FileNameOf(const CKiv406FileInfo& entry)
{
    return fw::fs::FileNameOf(entry.m_name);
}

fw::CString CCFFileGridBase::TimeText(const CKiv406FileInfo& entry, unsigned formatId)
{
    if (entry.m_firstSampleTime.GetStatus() != fw::COleDateTime::valid)
        return {};
    return entry.m_firstSampleTime.Format(fw::LoadStringText(formatId).c_str());
}

bool CCFFileGridBase::IsExternal(const CKiv406FileInfo& entry)
{
    return entry.m_clockKind != CKiv406FileInfo::clockInterval;
}

fw::CString CCFFileGridBase::ClockText(const CKiv406FileInfo& entry)
{
    return IsExternal(entry) ? fw::LoadStringText(kIdsExternal) : fw::Format("%g", entry.m_interval);
}

void CCFFileGridBase::BuildLayout(const int32_t dims[6], const int32_t sizes[6], uint32_t sheetFlags,
                                  uint32_t colHeaderSel, uint32_t rowHeaderSel, uint32_t sheetSel,
                                  bool cornerResizable)
{
    m_layout.SetDimensions(dims[0], dims[1], dims[2], dims[3], dims[4], dims[5]);
    m_layout.SetDefaultSizes(sizes[0], sizes[1], sizes[2], sizes[3], sizes[4], sizes[5]);
    m_layout.SetMode(kLayoutMode);
    m_layout.ApplySizes();
    for (int pane = kPaneCorner; pane <= kPaneSheet; ++pane) {
        CZELPaneStyle& p = m_layout.GetPane(pane);
        p.m_format.nAlign = kFamilyAlign;
        p.m_format.lf.lfHeight = kFamilyFontHeight;
    }
    m_layout.m_rowHeader.m_bRowResize = 0;
    m_layout.m_sheet.m_format.nFlags |= sheetFlags;
    m_layout.m_colHeader.m_nSelFlags = colHeaderSel;
    m_layout.m_rowHeader.m_nSelFlags = rowHeaderSel;
    m_layout.m_sheet.m_nSelFlags = sheetSel;
    m_layout.m_corner.m_bColResize = cornerResizable ? 1 : 0;
}

const std::vector<CKiv406FileInfo>* CCFFileGridBase::Files() const
{
    if (!m_lists)
        return nullptr;
    if (m_unit < 0 || m_unit >= static_cast<int>(m_lists->size()))
        fw::ThrowInvalidArgException();
    return (*m_lists)[static_cast<size_t>(m_unit)];
}

const CKiv406FileInfo* CCFFileGridBase::FileAt(int32_t row) const
{
    return FileOf(m_unit, row);
}

const CKiv406FileInfo* CCFFileGridBase::FileOf(int unit, int32_t row) const
{
    if (!m_lists || unit < 0 || unit >= static_cast<int>(m_lists->size()))
        return nullptr;
    const std::vector<CKiv406FileInfo>* files = (*m_lists)[static_cast<size_t>(unit)];
    if (!files || row < 0 || row >= static_cast<int32_t>(files->size()))
        return nullptr;
    return &(*files)[static_cast<size_t>(row)];
}

int CCFFileGridBase::ListLength(int unit) const
{
    if (!m_lists || unit < 0 || unit >= static_cast<int>(m_lists->size()))
        return 0;
    const std::vector<CKiv406FileInfo>* files = (*m_lists)[static_cast<size_t>(unit)];
    return files ? static_cast<int>(files->size()) : 0;
}

void CCFFileGridBase::SetRows(int rows)
{
    m_layout.SetRowCount(std::max(rows, 1));
    if (GetStyle())
        ApplyStyle(true);
}

// ---- CCFFileInfoGrid

CCFFileInfoGrid::CCFFileInfoGrid()
{
    const int32_t dims[] = {1, 1, 1, 1, 13, 1};
    const int32_t sizes[] = {50, 16, 50, -16, 64, -24};
    BuildLayout(dims, sizes, kCellMultiLine, 0, kSelectRows, kSelectRows, true);
    m_layout.SetColumnWidths(1, 90, 1);
}

void CCFFileInfoGrid::UpdateRowCount()
{
    m_unitTable.Load();
    const std::vector<CKiv406FileInfo>* files = Files();
    SetRows(files ? static_cast<int>(files->size()) : 0);
}

void CCFFileInfoGrid::Reset()
{
    UpdateRowCount();
    SetStyle(&m_layout);
}

bool CCFFileInfoGrid::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    switch (col) {
    case 0: text = fw::LoadStringText(kIdsStartTime); break;
    case 1: text = fw::LoadStringText(kIdsClock); break;
    case 2: text = fw::LoadStringText(kIdsCount); break;
    default: text = fw::Format("Port %d", col - 2); break;
    }
    return true;
}

bool CCFFileInfoGrid::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    const CKiv406FileInfo* file = FileAt(row);
    text = file ? FileNameOf(*file) : fw::CString();
    return true;
}

bool CCFFileInfoGrid::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    const CKiv406FileInfo* file = FileAt(row);
    if (!file)
        return true;
    switch (col) {
    case 0: text = TimeText(*file, kIdsTwoLineTime); break;
    case 1: text = ClockText(*file); break;
    case 2: text = fw::Format("%ld", static_cast<int32_t>(file->m_sampleCount)); break;
    default:
        // A unit the table does not know has no model name to show.
        try {
            if (col - 3 < CKivUnitTypes::kPorts)
                text = m_unitTable.GetModelName(file->m_unitTypes.GetAt(col - 3));
        } catch (const fw::CInvalidArgException&) {
            text.Empty();
        }
        break;
    }
    return true;
}

// ---- CCFVoiceFileInfoGrid

CCFVoiceFileInfoGrid::CCFVoiceFileInfoGrid()
{
    const int32_t dims[] = {1, 1, 1, 1, 1, 1};
    const int32_t sizes[] = {120, 16, 120, -16, 90, -24};
    BuildLayout(dims, sizes, kCellMultiLine, 0, kSelectRows, kSelectRows, true);
}

void CCFVoiceFileInfoGrid::ResizeToFileList()
{
    const std::vector<CKiv406FileInfo>* files = Files();
    SetRows(files ? static_cast<int>(files->size()) : 0);
}

void CCFVoiceFileInfoGrid::Refresh()
{
    ResizeToFileList();
    SetStyle(&m_layout);
}

bool CCFVoiceFileInfoGrid::GetColumnHeaderText(fw::CString& text, int32_t, int32_t, int)
{
    text = fw::LoadStringText(kIdsRecordTime);
    return true;
}

bool CCFVoiceFileInfoGrid::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    const CKiv406FileInfo* file = FileAt(row);
    text = file ? FileNameOf(*file) : fw::CString();
    return true;
}

bool CCFVoiceFileInfoGrid::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    const CKiv406FileInfo* file = col == 0 ? FileAt(row) : nullptr;
    text = file ? TimeText(*file, kIdsTwoLineTime) : fw::CString();
    return true;
}

// ---- CCFGetFileInfoGrid and its kin

CCFGetFileInfoGrid::CCFGetFileInfoGrid() : CCFGetFileInfoGrid(64)
{
}

CCFGetFileInfoGrid::CCFGetFileInfoGrid(int32_t sheetWidth)
{
    const int32_t dims[] = {1, 1, 1, 1, 6, 1};
    const int32_t sizes[] = {18, 16, 18, -16, sheetWidth, -36};
    BuildLayout(dims, sizes, kCellMultiLine, m_layout.m_colHeader.m_nSelFlags, m_layout.m_rowHeader.m_nSelFlags,
                m_layout.m_sheet.m_nSelFlags, true);
}

void CCFGetFileInfoGrid::ResizeToFileLists()
{
    const int units = m_lists ? static_cast<int>(m_lists->size()) : 0;
    int rows = 0;
    for (int u = 0; u < units; ++u)
        rows = std::max(rows, ListLength(u));
    m_layout.SetColumnCount(std::max(units, 1));
    SetRows(rows);
}

void CCFGetFileInfoGrid::Refresh()
{
    ResizeToFileLists();
    SetStyle(&m_layout);
}

bool CCFGetFileInfoGrid::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    text = fw::Format(fw::LoadStringText(kIdsUnitColumn).c_str(), col + 1);
    return true;
}

bool CCFGetFileInfoGrid::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    text = fw::Format("%d", row + 1);
    return true;
}

bool CCFGetFileInfoGrid::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    const CKiv406FileInfo* file = FileOf(col, row);
    if (!file) {
        text.Empty();
        return true;
    }
    const int32_t count = file->m_sampleCount;
    if (IsExternal(*file))
        text = fw::Format("%s\n%s\n%ld", FileNameOf(*file), fw::LoadStringText(kIdsExternal), count);
    else
        text = fw::Format("%s\n%g\n%ld", FileNameOf(*file), file->m_interval, count);
    return true;
}

bool CCFGetHistFileInfoGrid::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    const CKiv406FileInfo* file = FileOf(col, row);
    text = file ? fw::Format("%s\n%s", FileNameOf(*file), TimeText(*file, kIdsTwoLineTime)) : fw::CString();
    return true;
}

CCFGetVoiceFileInfoGrid::CCFGetVoiceFileInfoGrid() : CCFGetFileInfoGrid(120)
{
}

bool CCFGetVoiceFileInfoGrid::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    const CKiv406FileInfo* file = FileOf(col, row);
    text = file ? fw::Format("%s\n%s", FileNameOf(*file), TimeText(*file, kIdsTwoLineTime)) : fw::CString();
    return true;
}

// ---- CCFFileSelGrid

CCFFileSelGrid::CCFFileSelGrid() : CCFFileSelGrid(4)
{
}

CCFFileSelGrid::CCFFileSelGrid(int headerColumns)
{
    const int32_t dims[] = {4, 1, 4, 1, 1, 1};
    const int32_t sizes[] = {64, 16, 64, -16, 64, -16};
    BuildLayout(dims, sizes, kCellDropButton, kSelectColumns, kSelectRows, kSelectRows, false);
    m_layout.SetCornerColumnWidths(1, 100, 2);
    m_layout.SetRowHeaderColumnWidths(1, 100, 2);
    if (headerColumns != 4)
        m_layout.SetHeaderColumnCount(headerColumns);
}

void CCFFileSelGrid::CreateMarkArrays(int lists)
{
    m_marks.assign(static_cast<size_t>(std::max(lists, 0)), {});
}

void CCFFileSelGrid::UpdateRowCount()
{
    const std::vector<CKiv406FileInfo>* files = Files();
    SetRows(files ? static_cast<int>(files->size()) : 0);
}

void CCFFileSelGrid::Reset()
{
    UpdateRowCount();
    for (size_t u = 0; u < m_marks.size(); ++u)
        m_marks[u].resize(static_cast<size_t>(std::max(ListLength(static_cast<int>(u)), 1)), false);
    SetStyle(&m_layout);
}

bool CCFFileSelGrid::IsMarked(int32_t row) const
{
    if (m_unit < 0 || m_unit >= static_cast<int>(m_marks.size()))
        return false;
    const std::vector<bool>& marks = m_marks[static_cast<size_t>(m_unit)];
    return row >= 0 && row < static_cast<int32_t>(marks.size()) && marks[static_cast<size_t>(row)];
}

void CCFFileSelGrid::SetMark(int32_t row, bool on)
{
    if (m_unit < 0 || m_unit >= static_cast<int>(m_marks.size()) || !FileAt(row))
        return;
    std::vector<bool>& marks = m_marks[static_cast<size_t>(m_unit)];
    if (row < static_cast<int32_t>(marks.size()))
        marks[static_cast<size_t>(row)] = on;
}

bool CCFFileSelGrid::HasAnyMark() const
{
    for (const std::vector<bool>& marks : m_marks)
        if (std::find(marks.begin(), marks.end(), true) != marks.end())
            return true;
    return false;
}

void CCFFileSelGrid::MarksChanged()
{
    RedrawPanes();
    if (m_onChanged)
        m_onChanged();
}

bool CCFFileSelGrid::GetTagText(fw::CString& text, int32_t col, int32_t, int)
{
    static constexpr unsigned ids[] = {kIdsCardName, kIdsStartTime, kIdsClock, kIdsCount};
    text = col >= 0 && col < 4 ? fw::LoadStringText(ids[col]) : fw::CString();
    return true;
}

bool CCFFileSelGrid::GetColumnHeaderText(fw::CString& text, int32_t, int32_t, int)
{
    text = fw::LoadStringText(kIdsDelete);
    return true;
}

bool CCFFileSelGrid::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    const CKiv406FileInfo* file = FileAt(row);
    if (!file)
        return true;
    switch (col) {
    case 0: text = FileNameOf(*file); break;
    case 1: text = TimeText(*file, kIdsOneLineTime); break;
    case 2: text = ClockText(*file); break;
    case 3: text = fw::Format("%ld", static_cast<int32_t>(file->m_sampleCount)); break;
    default: break;
    }
    return true;
}

bool CCFFileSelGrid::GetSheetText(fw::CString& text, int32_t, int32_t row, int)
{
    if (!FileAt(row))
        text.Empty();
    else
        text = IsMarked(row) ? "する" : "しない";
    return true;
}

void CCFFileSelGrid::GetSheetCellFormat(CellFormat& format, int32_t, int32_t row)
{
    if (!IsMarked(row))
        return;
    format.nFlags |= kCellUseTextColor;
    format.bSysTextColor = 0;
    format.crText = kMarkColor;
}

void CCFFileSelGrid::OnSheetDoubleClick(int32_t row, int32_t, unsigned, fw::CPoint)
{
    if (!FileAt(row))
        return;
    SetMark(row, !IsMarked(row));
    MarksChanged();
}

void CCFFileSelGrid::OnDropDown(int32_t, int32_t, fw::CPoint screen)
{
    fw::CMenu popup;
    if (!popup.CreatePopupMenu())
        return;
    popup.AppendMenu(fw::MF_STRING, kIdMarkSet, "する");
    popup.AppendMenu(fw::MF_STRING, kIdMarkClear, "しない");
    fw::CWnd* owner = m_owner ? m_owner : GetParent();
    popup.TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON, screen.x + 1, screen.y, owner);
}

// ---- CCFVoiceFileSelGrid

CCFVoiceFileSelGrid::CCFVoiceFileSelGrid() : CCFFileSelGrid(2)
{
}
