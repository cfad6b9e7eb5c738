#pragma once

// The unit types the program knows, read from the unit-type menu: per row
// the menu command, the model name and the description, and the row of
// each unit-type code.

#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

// The unit-type code of a unit-type menu command; 0 for any other id.
int UnitTypeFromMenuId(unsigned menuId);

class CUnitTypeTable {
public:
    // Fills the table from the first popup of the unit-type menu, leaving
    // out the KIV-489 item.
    void Load();

    // Both raise the invalid-argument exception for a code outside the
    // table. Codes inside it without a unit type of their own answer row 0
    // (no unit).
    fw::CString GetModelName(int typeCode) const;
    fw::CString GetTypeName(int typeCode) const;
    // The code of a model name; -1 for a name no unit model has.
    static int GetTypeCode(const fw::CString& modelName);

    int GetRowCount() const { return static_cast<int>(m_modelNames.size()); }
    unsigned GetMenuId(int row) const { return m_menuIds.at(static_cast<size_t>(row)); }

private:
    size_t RowOf(int typeCode) const;

    std::vector<fw::CString> m_modelNames;
    std::vector<fw::CString> m_descriptions;
    std::vector<int16_t> m_rowByCode;
    std::vector<uint32_t> m_menuIds;
};
