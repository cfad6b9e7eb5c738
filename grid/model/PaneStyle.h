#pragma once

// The shape and look of one pane of a grid: line switches and colours,
// selection rules, counts, the size arrays it borrows from its grid style
// and the default format of its cells.

#include "framework/core/Object.h"
#include "grid/model/CellFormat.h"

#include <cstdint>

class CZELGridArray;

// Selection rules of a pane.
enum PaneSelectFlags : uint32_t {
    kSelectFocusOnly = 0x1,
    kSelectSingle = 0x2,
    kSelectRows = 0x4,
    kSelectColumns = 0x8,
    kSelectCells = 0x10,
};

// The cross-shaped cursor shown over editable panes.
inline constexpr int32_t kGridCellCursorId = 4003;

class CZELPaneStyle : public fw::CObject {
    FW_DECLARE_SERIAL(CZELPaneStyle)
public:
    CZELPaneStyle();

    virtual void SetColumnWidths(int32_t first, int32_t size, int32_t count);
    virtual void SetRowHeights(int32_t first, int32_t size, int32_t count);
    virtual int32_t GetColumnWidth(int32_t col) const;
    virtual int32_t GetRowHeight(int32_t row) const;
    virtual void Assign(const CZELPaneStyle& other);
    virtual void InsertColumns(int32_t at, int32_t width, int32_t count);
    virtual void RemoveColumns(int32_t at, int32_t count);
    virtual bool ToggleReadOnly();

    void Resize(int32_t cols, int32_t rows, int32_t colWidth, int32_t rowHeight);
    void SetEditOnDoubleClick(bool on) { m_bEditOnDblClk = on; }

    // Inline form inside the grid style (no class header).
    void Serialize(fw::CArchive& ar) override;

    int32_t m_nCursorId = kGridCellCursorId;
    uint8_t m_bVertLines = 1;
    uint8_t m_bHorzLines = 1;
    uint8_t m_bSysColors = 1;
    uint8_t m_bRowResize = 0;
    uint8_t m_bColResize = 0;
    uint8_t m_bSelectable = 1;
    uint8_t m_bGridTracker = 1;
    uint32_t m_nSelFlags = kSelectCells;
    fw::COLORREF m_crVertLine = 0;
    int32_t m_nHorzPenStyle = 0;
    fw::COLORREF m_crHorzLine = 0;
    int32_t m_nVertPenStyle = 0;
    fw::COLORREF m_crBack = 0xC0C0C0;
    int32_t m_nRows = 0;
    int32_t m_nCols = 0;
    CZELGridArray* m_pRowHeights = nullptr; // owned by the grid style
    CZELGridArray* m_pColWidths = nullptr;  // owned by the grid style
    CellFormat m_format;
    uint8_t m_bEditOnDblClk = 0;
    uint8_t m_bReadOnly = 0;
};
