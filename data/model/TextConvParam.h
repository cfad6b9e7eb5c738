#pragma once

// The options of a text export: which header lines, which layout, which
// columns and rows, and the block limits of whole-sheet exports. The
// program keeps one record while it runs, so the last choices come back.

#include "docbase/doc/DocIdent.h"
#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

struct tTextConvParam {
    enum Format : int32_t { kTxt = 0, kCsv = 1, kHed = 2 };
    enum Page : int32_t { kPageSelection = 0, kPageList = 1, kPageLob = 2, kPageDadisp = 3 };
    static constexpr int32_t kMaxColumnLimit = 1320;
    static constexpr int32_t kMaxRowLimit = 10000000;
    // Messages of the selected-channels page.
    static constexpr unsigned kMsgLastBeforeFirst = 406;
    static constexpr unsigned kMsgNothingSelected = 238;

    bool bTitle = true;
    bool bName = true;
    bool bUnit = true;
    bool bOneLine = false;
    int32_t format = kTxt;
    int32_t page = kPageSelection;
    CDocIdent document;         // whose selection and rows are remembered
    std::vector<int> columns;   // sheet columns, in order
    int32_t firstRow = 1;       // counted from 1, inclusive
    int32_t lastRow = -1;
    int32_t columnLimit = 250;
    int32_t rowLimit = 65000;
    fw::CString text;

    // The selected-channels page opened for `doc` with `rows` sheet rows:
    // another document's row range and selection are forgotten.
    void OpenFor(const CDocIdent& doc, int rows);
    // The one-line check is offered only with names and units.
    bool CanUseOneLine() const { return bName && bUnit; }
    // The limits the all-channels pages accept.
    static bool IsColumnLimitValid(int32_t n) { return n >= 1 && n <= kMaxColumnLimit; }
    static bool IsRowLimitValid(int32_t n) { return n >= 1 && n <= kMaxRowLimit; }
    // OK on the selected-channels page: 0 when accepted (the columns are
    // taken), else the message that keeps the page open.
    unsigned AcceptSelection(const std::vector<int>& selected);
    // A path chosen in the export's save dialog: the format follows the
    // first of ".csv", ".CSV", ".txt", ".TXT", ".hed", ".HED" in the file
    // name, which becomes ".KIVD" there (the block files are named from
    // it); without one the path and the format stay.
    fw::CString TakeExportPath(const fw::CString& path);
};
