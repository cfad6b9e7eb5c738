#pragma once

// What the panes of the CAN page share: captions that fall back to their
// own text when the program's string table lacks them, the red marks of
// values the instrument cannot take, the pages' menus and the row count
// of a pane whose rows follow the shown messages or signals.

#include "framework/core/CString.h"
#include "grid/model/CellFormat.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

class CZELSpredView;

namespace canpage {

struct Caption {
    unsigned id;
    const char* text;
};

fw::CString Text(const Caption& caption);
// A message box with string `id` (or `fallback`), %1.. filled from `args`.
void Tell(unsigned id, const char* fallback, std::initializer_list<std::string_view> args);
void RedText(CellFormat& format);
void GreyText(CellFormat& format);
void RedBack(CellFormat& format);
// The pane's row count, then `current` as current cell and selection.
void ShowRows(CZELSpredView* view, int32_t rows, int32_t current);
void SetRowCount(CZELSpredView* view, int32_t rows);
// Registers the drop-down and popup menus of the CAN panes once.
void EnsureCanMenus();

} // namespace canpage
