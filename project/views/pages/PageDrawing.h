#pragma once

// Header drawing the pages share: a caption over a group of columns (and
// rows) drawn as one cell, and the black edge a grouped header cell gets
// along its left and top sides.

#include "framework/core/CString.h"

#include <cstdint>

class CZELDrawCell;
class CZELGridPane;

namespace prjpage {

// Widens the cell to the columns `first` to `last` of `pane` and draws
// `text` there; while printing the background is white, the widened cell
// keeps its own right edge when it would pass `printRight` (0: no limit)
// and a negative left edge becomes 0.
void DrawMergedHeader(CZELDrawCell& cell, const CZELGridPane* pane, int32_t first, int32_t last,
                      const fw::CString& text, int32_t printRight = 0);
// The same over the rows `firstRow` to `lastRow` as well; a `weight`
// other than 0 sets the font's weight.
void DrawMergedBlock(CZELDrawCell& cell, const CZELGridPane* pane, int32_t first, int32_t last, int32_t firstRow,
                     int32_t lastRow, const fw::CString& text, int32_t printRight = 0, int32_t weight = 0,
                     bool edges = true);
// A two-row column header whose captions either fill both rows (no lower
// caption) or head a group of columns in the upper row: the group runs
// from the column with the caption over the columns without one. The
// captions are drawn in `weight` (0: the pane's font).
struct HeaderColumn {
    const char* upper;  // nullptr: inside the group of a column to the left
    const char* lower;  // nullptr: the upper caption fills both rows
};
void DrawTwoRowHeader(CZELDrawCell& cell, const CZELGridPane* pane, const HeaderColumn* columns, int32_t count,
                      int32_t printRight, int32_t weight);
// A black solid line up the cell's left edge and along its top edge.
void DrawHeaderEdges(CZELDrawCell& cell);

} // namespace prjpage
