#include "docview/instrumentdlg/UnitTypeTable.h"

#include "docbase/resources/ProgramMenus.h"
#include "framework/core/Exceptions.h"
#include "framework/core/MenuResource.h"
#include "framework/core/StringTable.h"
#include "instrument/unit/UnitTexts.h"

namespace {

// KIV-489 is in the menu but is no unit type of its own.
constexpr unsigned kSkippedMenuId = 33334;

struct MenuType {
    unsigned menuId;
    int typeCode;
};

constexpr MenuType kMenuTypes[] = {
    {32971, 0}, {32972, 1}, {32973, 2}, {32974, 3}, {33198, 4}, {32975, 5},
    {32976, 8}, {33337, 7}, {33542, 9}, {33565, 10},
};

} // namespace

int UnitTypeFromMenuId(unsigned menuId)
{
    for (const MenuType& m : kMenuTypes) {
        if (m.menuId == menuId)
            return m.typeCode;
    }
    return 0;
}

void CUnitTypeTable::Load()
{
    m_modelNames.clear();
    m_descriptions.clear();
    m_rowByCode.clear();
    m_menuIds.clear();
    const fw::MenuResource* root = fw::FindMenuResource(kIdrUnitTypeMenu);
    if (!root || root->children.empty())
        return;
    for (const fw::MenuResource& item : root->children.front().children) {
        if (item.IsSeparator() || item.IsPopup() || item.command == kSkippedMenuId)
            continue;
        const auto row = static_cast<int16_t>(m_menuIds.size());
        m_menuIds.push_back(item.command);
        const auto code = static_cast<size_t>(UnitTypeFromMenuId(item.command));
        if (m_rowByCode.size() <= code)
            m_rowByCode.resize(code + 1, 0);
        m_rowByCode[code] = row;
        const fw::CString text = fw::LoadStringText(item.command);
        const int cut = text.Find('\n');
        if (cut < 0) {
            m_modelNames.emplace_back();
            m_descriptions.push_back(text);
        } else {
            m_modelNames.push_back(text.Left(cut));
            m_descriptions.push_back(text.Mid(cut + 1));
        }
    }
}

size_t CUnitTypeTable::RowOf(int typeCode) const
{
    if (typeCode < 0 || static_cast<size_t>(typeCode) >= m_rowByCode.size())
        fw::ThrowInvalidArgException();
    const auto row = static_cast<size_t>(m_rowByCode[static_cast<size_t>(typeCode)]);
    if (row >= m_modelNames.size())
        fw::ThrowInvalidArgException();
    return row;
}

fw::CString CUnitTypeTable::GetModelName(int typeCode) const
{
    return m_modelNames[RowOf(typeCode)];
}

fw::CString CUnitTypeTable::GetTypeName(int typeCode) const
{
    return m_descriptions[RowOf(typeCode)];
}

int CUnitTypeTable::GetTypeCode(const fw::CString& modelName)
{
    return GetUnitTypeCode(modelName.c_str());
}
