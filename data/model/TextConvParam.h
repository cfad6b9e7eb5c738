#pragma once

// The options of a text export: which header lines, which layout, which
// columns and rows, and the block limits of whole-sheet exports.

#include <cstdint>
#include <vector>

struct tTextConvParam {
    enum Format : int32_t { kTxt = 0, kCsv = 1, kHed = 2 };
    enum Page : int32_t { kPageSelection = 0, kPageList = 1, kPageLob = 2, kPageDadisp = 3 };

    bool bTitle = true;
    bool bName = true;
    bool bUnit = true;
    bool bOneLine = false;
    int32_t format = kCsv;
    int32_t page = kPageList;
    std::vector<int> columns;   // sheet columns, in order
    int32_t firstRow = 1;       // counted from 1, inclusive
    int32_t lastRow = 1;
    int32_t columnLimit = 250;
    int32_t rowLimit = 65000;
};
