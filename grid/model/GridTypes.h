#pragma once

// Cells and ranges of a grid, counted from 0; -1 stands for none.

#include <algorithm>
#include <cstdint>

struct CCellIndices {
    int32_t row = -1;
    int32_t col = -1;

    bool IsValid() const { return row >= 0 && col >= 0; }
    friend bool operator==(const CCellIndices&, const CCellIndices&) = default;
};

struct CCellRange {
    int32_t top = -1;
    int32_t left = -1;
    int32_t bottom = -1;
    int32_t right = -1;

    static CCellRange Cell(CCellIndices c) { return {c.row, c.col, c.row, c.col}; }
    // The range spanned by two corners in any order.
    static CCellRange Span(CCellIndices a, CCellIndices b)
    {
        return {std::min(a.row, b.row), std::min(a.col, b.col), std::max(a.row, b.row), std::max(a.col, b.col)};
    }
    bool IsValid() const { return top >= 0 && left >= 0 && bottom >= top && right >= left; }
    bool Contains(int32_t row, int32_t col) const
    {
        return IsValid() && row >= top && row <= bottom && col >= left && col <= right;
    }
    int32_t Rows() const { return IsValid() ? bottom - top + 1 : 0; }
    int32_t Cols() const { return IsValid() ? right - left + 1 : 0; }
    friend bool operator==(const CCellRange&, const CCellRange&) = default;
};

// A grid's saved selection, current cell, anchor and top-left cell.
struct CGridPosition {
    CCellRange selection;
    CCellIndices current;
    CCellIndices end;
    CCellIndices topLeft;
    friend bool operator==(const CGridPosition&, const CGridPosition&) = default;
};

// The panes of a grid window.
enum GridPane : int { kPaneCorner = 0, kPaneColumnHeader = 1, kPaneRowHeader = 2, kPaneSheet = 3 };
