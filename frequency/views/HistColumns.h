#pragma once

// The columns of the two analysis tables: the analysis field each shows
// and its captions in the two column-header rows. A column without a
// lower caption spans both rows; columns that share an upper caption
// repeat it.

#include "framework/core/CString.h"

#include <cstdint>
#include <span>

class CHistDoc;

struct HistColumnSpec {
    int code;          // column of CHistDataBoxArray
    const char* upper; // header row 0
    const char* lower; // header row 1; null when the upper one spans both
};

// The header text of `col` in header row `row`: row 1 of a column that
// spans both rows shows its caption only when drawn (`display`), so a
// saved table has it once. False outside the table.
bool HistHeaderCaption(std::span<const HistColumnSpec> columns, int32_t col, int32_t row, int display,
                       fw::CString& text);

// The analysis name of sheet row `row`: the row header of both tables.
void HistAnalysisName(CHistDoc* doc, int32_t row, fw::CString& text);
// The field that `columns[col]` shows of the analysis of sheet row `row`;
// false outside the table or without a document.
bool HistAnalysisCell(CHistDoc* doc, std::span<const HistColumnSpec> columns, int32_t col, int32_t row,
                      fw::CString& text);
