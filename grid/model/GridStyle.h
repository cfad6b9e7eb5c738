#pragma once

// The shape of a table, shared by every grid that shows it: counts, row
// heights and column widths of the four panes, grid lines, default cell
// formats, selection rules and mouse switches. Documents own their styles
// and keep them in their files.

#include "framework/core/Object.h"
#include "grid/model/GridTypes.h"
#include "grid/model/PaneStyle.h"

#include <array>
#include <cstdint>
#include <vector>

class CZELGridArray;
class IGridStyleClient;

namespace fw {
class CArchive;
}

enum GridStyleMode : int32_t {
    kModeHorzScroll = 0x1,
    kModeVertScroll = 0x2,
    kModeOuterHeaders = 0x10000,
    kModeScrollMaskExtra = 0x20000,
};
inline constexpr int32_t kDefaultGridMode = 0x10003;

// A stored style may make its grid grow per-line arrays only up to this
// many lines beyond what the file itself holds.
inline constexpr int32_t kMaxGrownLines = 1 << 22;

class CZELGridStyle : public fw::CObject {
    FW_DECLARE_SERIAL(CZELGridStyle)
public:
    struct SheetSize {
        int32_t cols = 0;
        int32_t rows = 0;
    };

    CZELGridStyle();
    ~CZELGridStyle() override;
    CZELGridStyle(const CZELGridStyle&) = delete;
    CZELGridStyle& operator=(const CZELGridStyle&) = delete;

    virtual void Assign(const CZELGridStyle& other);
    virtual bool IsEqual(const CZELGridStyle& other) const;
    virtual bool IsDifferent(const CZELGridStyle& other) const { return !IsEqual(other); }
    virtual void ResetDefaults();
    virtual void GetSheetSize(SheetSize& out) const;
    virtual void ApplySizes();
    virtual void InsertColumns(int32_t at, int32_t width, int32_t count);
    virtual void RemoveColumns(int32_t at, int32_t count);
    virtual void SetCornerColumnWidths(int32_t first, int32_t size, int32_t count);
    virtual void SetCornerRowHeights(int32_t first, int32_t size, int32_t count);
    virtual void SetColumnHeaderRowHeights(int32_t first, int32_t size, int32_t count);
    virtual void SetRowHeaderColumnWidths(int32_t first, int32_t size, int32_t count);
    virtual void SetRowHeights(int32_t first, int32_t size, int32_t count);
    virtual void SetColumnWidths(int32_t first, int32_t size, int32_t count);
    virtual bool ToggleReadOnly();

    void SetDimensions(int32_t cornerCols, int32_t cornerRows, int32_t rowHeaderCols, int32_t colHeaderRows,
                       int32_t sheetCols, int32_t sheetRows);
    void SetDefaultSizes(int32_t cornerColWidth, int32_t cornerRowHeight, int32_t rowHeaderColWidth,
                         int32_t colHeaderRowHeight, int32_t sheetColWidth, int32_t sheetRowHeight);
    int32_t SetMode(int32_t mode);
    int32_t GetMode() const { return m_nMode; }
    CZELGridArray* GetRowHeights() const { return m_arrays[kRowHeights]; }
    CZELGridArray* GetColumnWidths() const { return m_arrays[kColWidths]; }
    void SetModified(bool on) { m_bModified = on; }
    bool IsModified() const { return m_bModified != 0; }

    void AttachGrid(IGridStyleClient* grid);
    void DetachGrid(IGridStyleClient* grid);
    const std::vector<IGridStyleClient*>& GetGrids() const { return m_grids; }
    void RedrawGrids(const IGridStyleClient* except);

    void SetRowCount(int32_t n);
    void SetColumnCount(int32_t n);
    void SetHeaderColumnCount(int32_t n);

    CZELPaneStyle& GetPane(int pane);
    const CZELPaneStyle& GetPane(int pane) const;

    void Serialize(fw::CArchive& ar) override;

    // Default sizes; a value above 0 gives one size per line, else one
    // size (the magnitude) for all lines.
    int32_t m_nSheetRowHeight = 0;
    int32_t m_nSheetColWidth = 0;
    int32_t m_nRowHeaderColWidth = 0;
    int32_t m_nColHeaderRowHeight = 0;
    int32_t m_nCornerRowHeight = 0;
    int32_t m_nCornerColWidth = 0;
    int32_t m_nMode = kDefaultGridMode;

    CZELPaneStyle m_corner;
    CZELPaneStyle m_colHeader;
    CZELPaneStyle m_rowHeader;
    CZELPaneStyle m_sheet;

private:
    enum ArrayIndex { kRowHeights, kColWidths, kCornerRowHeights, kCornerColWidths, kColHeaderRowHeights,
                      kRowHeaderColWidths, kArrayCount };

    CZELGridArray* EnsureArray(ArrayIndex which, int32_t defaultSize);
    void SetSizes(ArrayIndex which, int32_t first, int32_t size, int32_t count);
    void DeleteArrays();
    void CheckGrowth(const std::array<CZELGridArray*, kArrayCount>& arrays) const;
    static bool ArraysEqual(const CZELGridArray* a, const CZELGridArray* b);

    std::array<CZELGridArray*, kArrayCount> m_arrays{};
    uint8_t m_bModified = 0;
    std::vector<IGridStyleClient*> m_grids;
};

// Reads one grid style object (or none) from the archive into `style`,
// which the caller then owns.
fw::CArchive& ReadGridStyle(fw::CArchive& ar, CZELGridStyle*& style);
