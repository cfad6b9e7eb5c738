#pragma once

// The grids of the list-graph dialogs over their tables: one grid row per
// non-empty row of the list, headed by its channel ("CH1", "NO1") or its
// name. Choice columns take no typing: a double click or the drop-down
// opens the column's choices, which apply to every selected cell of the
// choice columns. Typing a title, unit or range switches the row's
// automatic setting of that axis off.

#include "chart/model/ListGraphTables.h"
#include "grid/model/GridStyle.h"
#include "grid/views/Grid.h"

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
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;
    // The layout with `rows` rows (at least one), attached.
    void Attach(int rows);

protected:
    // The choice commands of a column; empty: a typed column.
    virtual std::vector<std::pair<unsigned, fw::CString>> ChoicesOf(int32_t col) const { return {}; }
    // Applies a chosen command to the selection.
    virtual void Choose(unsigned command) {}
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
