#pragma once

// The grid of the VO-8025 output dialog: one row per analysis with its
// number and operation, and whether it gets a frequency-data block of its
// own ("する" in blue, or "しない").

#include "frequency/views/GridLayoutHolder.h"
#include "grid/views/Grid.h"

#include <functional>

class CHistCountArray;
struct CHistOutParam;

class CHistOutGrid : private CGridLayoutHolder, public CZELGrid {
public:
    static constexpr unsigned kMenuId = 370;
    static constexpr unsigned kIdOutput = 33158;   // "する"
    static constexpr unsigned kIdNoOutput = 33159; // "しない"
    static constexpr fw::COLORREF kSelectedColor = 0xFF0000; // blue

    CHistOutGrid(CHistOutParam& options, const CHistCountArray* analyses);
    ~CHistOutGrid() override;

    // Called after every change of a flag (the dialog updates OK).
    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }
    // One flag per row, all clear; the grid takes its layout.
    void Reset();
    int GetRowCount() const;

    // Toggles the flag of a row (the sheet's row action).
    void ToggleRow(int32_t row);
    // Sets or clears the flag of every row of the selection.
    void SetSelectedRows(bool on);
    // Every row of the selection already has the state `on`.
    bool SelectedRowsAre(bool on) const;

    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    void GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnSheetContextMenu(int32_t row, int32_t col, fw::CPoint screen) override;

private:
    bool IsSelected(int32_t row) const;
    void Changed();

    CHistOutParam& m_options;
    const CHistCountArray* m_analyses;
    std::function<void()> m_onChange;
};
