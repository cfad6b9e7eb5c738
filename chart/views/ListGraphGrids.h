#pragma once

// The grids of the list-graph dialogs over their tables: one grid row per
// non-empty row of the list, headed by its channel ("CH1", "NO1") or its
// name. Choice columns take no typing: a double click or the drop-down
// opens the column's choices, which apply to every selected cell of the
// choice columns. Typing a title, unit or range switches the row's
// automatic setting of that axis off.

#include "chart/model/ListGraphTables.h"
#include "framework/core/File.h"
#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"

#include <memory>

namespace fw {
class CArchive;
}

// Menu commands of the choices.
namespace listgraphcmd {
inline constexpr unsigned kOff = 32921;
inline constexpr unsigned kOn = 32922;
inline constexpr unsigned kFormatNone = 32923;
inline constexpr unsigned kFormatFixed = 32924;
inline constexpr unsigned kFormatExponent = 32925;
inline constexpr unsigned kStraight = 33331;
inline constexpr unsigned kSteps = 33332;
} // namespace listgraphcmd

// The grid's layout, built before the grid and ended after it.
struct CListGraphGridLayout {
    CZELGridStyle m_layout;
};

class CListGraphGridBase : protected CListGraphGridLayout, public CZELGrid {
public:
    // Undo snapshot kinds: the current cell, the selected range, one
    // column of the selected rows.
    static constexpr int32_t kUndoCell = 1;
    static constexpr int32_t kUndoRange = 2;
    static constexpr int32_t kUndoColumn = 100;

    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;
    // The layout with `rows` rows (at least one), attached.
    void Attach(int rows);

    // One step of undo: a snapshot of the cells a change is about to
    // touch; replaying it writes the cells' present state as the next
    // snapshot, so a second undo redoes the first.
    void RecordUndo(CZELGridPane* pane, int change, const CCellRange* range) override;
    void DiscardUndo() override { m_undo.reset(); }
    bool TakeSnapshot(int32_t kind, int32_t column = -1);
    bool CanUndo() const { return m_undo != nullptr; }
    void Undo();
    // Empties the selected cells (after a snapshot of them).
    void ClearSelectedCells();
    // Copies the selection as text, then empties it.
    void CutSelection();

protected:
    // The tank behind a shown column; none for a column without one.
    virtual CDataTankObject* CellTank(int32_t col) const { return nullptr; }
    // Extra state written first and read back before the cells (the scale
    // grid's shown axis).
    virtual void SerializeUndoState(fw::CArchive& ar) {}
    // The choice commands of a column; empty: a typed column.
    virtual std::vector<std::pair<unsigned, fw::CString>> ChoicesOf(int32_t col) const { return {}; }
    // Applies a chosen command to the selection.
    virtual void Choose(unsigned command) {}

private:
    bool WriteSnapshot(fw::CMemFile& file, int32_t kind, int32_t column);
    void WriteCells(fw::CArchive& ar, const CCellRange& range);
    void ReadCells(fw::CArchive& ar, const CCellRange& range);

    std::unique_ptr<fw::CMemFile> m_undo;
};

class CGraphListLabelGrid : public CListGraphGridBase {
public:
    CGraphListLabelGrid();
    CGraphListLabelTable& Table() { return m_table; }

    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    void Choose(unsigned command) override;

protected:
    std::vector<std::pair<unsigned, fw::CString>> ChoicesOf(int32_t col) const override;
    CDataTankObject* CellTank(int32_t col) const override;

private:
    CGraphListLabelTable m_table;
};

class CScaleGrid : public CListGraphGridBase {
public:
    CScaleGrid();
    CGraphListScaleTable& Table() { return m_table; }
    // 'X' or 'Y'.
    void ShowAxis(int axis);

    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    void Choose(unsigned command) override;

protected:
    std::vector<std::pair<unsigned, fw::CString>> ChoicesOf(int32_t col) const override;
    CDataTankObject* CellTank(int32_t col) const override;
    void SerializeUndoState(fw::CArchive& ar) override;

private:
    CGraphListScaleTable m_table;
};

class CDrawTypeGrid : public CListGraphGridBase {
public:
    CDrawTypeGrid();
    CDrawTypeTable& Table() { return m_table; }

    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    void Choose(unsigned command) override;

protected:
    std::vector<std::pair<unsigned, fw::CString>> ChoicesOf(int32_t col) const override;

private:
    CDrawTypeTable m_table;
};
