#include "frequency/views/HistColumns.h"

#include "frequency/document/HistDoc.h"

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

void HistAnalysisName(CHistDoc* doc, int32_t row, fw::CString& text)
{
    text.Empty();
    if (doc && row >= 0)
        doc->GetBoxArray().GetText(row, kHistColName, text);
}

bool HistAnalysisCell(CHistDoc* doc, std::span<const HistColumnSpec> columns, int32_t col, int32_t row,
                      fw::CString& text)
{
    text.Empty();
    if (!doc || row < 0 || col < 0 || col >= static_cast<int32_t>(columns.size()))
        return false;
    doc->GetBoxArray().GetText(row, columns[static_cast<size_t>(col)].code, text);
    return true;
}
