#include "frequency/views/CFHistFileInfoGrid.h"

#include "framework/core/Exceptions.h"
#include "framework/core/StringTable.h"
#include "instrument/meter/Kiv406FileInfo.h"

#include <algorithm>

namespace {

constexpr int32_t kLayoutMode = 3;

fw::CString TextOr(unsigned id, const char* fallback)
{
    fw::CString text = fw::LoadStringText(id);
    return text.IsEmpty() ? fw::CString(fallback) : text;
}

} // namespace

CCFHistFileInfoGrid::CCFHistFileInfoGrid()
{
    m_layout.SetDimensions(1, 1, 1, 1, 1, 1);
    m_layout.SetDefaultSizes(50, 16, 50, -16, 90, -24);
    m_layout.SetMode(kLayoutMode);
    m_layout.ApplySizes();
}

CCFHistFileInfoGrid::~CCFHistFileInfoGrid() = default;

const std::vector<CKiv406FileInfo>* CCFHistFileInfoGrid::Files() const
{
    if (!m_lists)
        return nullptr;
    if (m_unit < 0 || m_unit >= static_cast<int>(m_lists->size()))
        fw::ThrowInvalidArgException();
    return (*m_lists)[static_cast<size_t>(m_unit)];
}

const CKiv406FileInfo* CCFHistFileInfoGrid::FileAt(int32_t row) const
{
    const std::vector<CKiv406FileInfo>* files = Files();
    if (!files || row < 0 || row >= static_cast<int32_t>(files->size()))
        return nullptr;
    return &(*files)[static_cast<size_t>(row)];
}

void CCFHistFileInfoGrid::UpdateRowCount()
{
    m_unitTable.Load();
    const std::vector<CKiv406FileInfo>* files = Files();
    const int rows = files ? static_cast<int>(files->size()) : 0;
    m_layout.SetRowCount(std::max(rows, 1));
    if (GetStyle())
        ApplyStyle(true);
}

void CCFHistFileInfoGrid::Reset()
{
    UpdateRowCount();
    SetStyle(&m_layout);
}

fw::CString CCFHistFileInfoGrid::FileNameOf(const fw::CString& name)
{
    const int cut = std::max(name.ReverseFind('\\'), name.ReverseFind('/'));
    return cut >= 0 ? name.Mid(cut + 1) : name;
}

bool CCFHistFileInfoGrid::GetColumnHeaderText(fw::CString& text, int32_t, int32_t, int)
{
    text = TextOr(kIdsColumnTitle, "計測日時");
    return true;
}

bool CCFHistFileInfoGrid::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    const CKiv406FileInfo* file = FileAt(row);
    text = file ? FileNameOf(file->m_name) : fw::CString();
    return true;
}

bool CCFHistFileInfoGrid::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    const CKiv406FileInfo* file = col == 0 ? FileAt(row) : nullptr;
    if (file && file->m_headerTime.GetStatus() == fw::COleDateTime::valid)
        text = file->m_headerTime.Format(TextOr(kIdsStartFormat, "%y/%m/%d\n%H:%M:%S").c_str());
    return true;
}
