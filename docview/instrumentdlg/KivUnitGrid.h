#pragma once

// The grid of the control-unit selection dialog: one row per unit port
// (ten), each with its port, channels and model name in the row header and
// the unit's description in the sheet column. The unit type of the
// selected rows is chosen from a context menu of the unit-type menu.

#include "docview/instrumentdlg/UnitTypeTable.h"
#include "framework/ui/Wnd.h"

#include <vector>

class CKivUnitTypes;
class QTableWidget;

namespace fw {
class CCmdUI;
}

class CKivUnitGrid : public fw::CWnd {
    FW_DECLARE_DYNAMIC(CKivUnitGrid)
public:
    static constexpr int kRows = 10;
    static constexpr int kHeaderColumns = 3;
    static constexpr unsigned kUnitMenu = 347;
    static constexpr unsigned kHiddenUnitCommand = 33334;  // KIV-489
    static constexpr unsigned kMsgPortCorner = 542;     // "ユニットポート"
    static constexpr unsigned kMsgTypeCorner = 543;     // "種類"
    static constexpr unsigned kMsgChannelCorner = 544;  // "チャンネル"
    static constexpr unsigned kMsgUnitColumn = 545;     // "ユニット"

    CKivUnitGrid();
    ~CKivUnitGrid() override;

    // The unit types shown and edited (not owned).
    void SetUnitTypes(CKivUnitTypes* types);
    // Loads the unit-type table and fills the grid.
    void Initialize();
    void Redraw();

    // Texts: column 0-2 the row header, 3 the sheet column; row -1 the
    // corner and column header.
    fw::CString CellText(int row, int column) const;
    void SelectRows(int first, int last);
    std::vector<int> SelectedRows() const;

    // The context menu of a cell (shown under the cell).
    void OnCellContextMenu(int row, int column);
    void OnUnitType(unsigned id);
    void OnUpdateUnitType(fw::CCmdUI* ui);
    // Whether `id` is a command of the grid's unit-type table.
    bool IsUnitTypeCommand(unsigned id) const;

    QTableWidget* Table() const;

private:
    CKivUnitTypes* m_types = nullptr;
    CUnitTypeTable m_table;
    bool m_loaded = false;
};
