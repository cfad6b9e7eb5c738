#pragma once

// The application's batch-print list: the titles of the graph pages to
// print in order, the cell grid of a sheet and the layout mode.

#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

class CPrintJobList {
public:
    static constexpr int32_t kMaxCells = 10;
    // Layout modes: the pages as laid out, or each cell at paper size.
    static constexpr int32_t kLayoutPrint = 0;
    static constexpr int32_t kPaperSizePrint = 1;

    // Cells on one sheet: columns x rows, or one in paper-size mode.
    int CellsPerSheet() const;
    // Sheets the titles fill.
    int SheetCount() const;

    std::vector<fw::CString> m_titles;
    int32_t m_columns = 1;
    int32_t m_rows = 1;
    int32_t m_layoutMode = kLayoutPrint;
};
