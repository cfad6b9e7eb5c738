#include "frequency/views/HistColumns.h"

bool HistHeaderCaption(std::span<const HistColumnSpec> columns, int32_t col, int32_t row, int display,
                       fw::CString& text)
{
    text.Empty();
    if (col < 0 || col >= static_cast<int32_t>(columns.size()))
        return false;
    const HistColumnSpec& c = columns[static_cast<size_t>(col)];
    if (row == 0)
        text = c.upper;
    else if (row == 1 && c.lower)
        text = c.lower;
    else if (row == 1 && display)
        text = c.upper;
    else if (row != 1)
        return false;
    return true;
}
