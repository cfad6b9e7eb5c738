// A project page brought to one of its rows from outside (update hint 27).

#include "project/views/ProjectBaseView.h"

#include "grid/views/GridPane.h"

#include <QWidget>

bool CProjectBaseView::SelectHintedRow(int32_t row, int32_t firstCol, int32_t lastCol)
{
    CZELViewGrid* grid = GetGrid();
    if (!grid || !grid->GetStyle())
        return false;
    CZELGridPane* sheet = grid->GetSheetPane();
    // The sender names a channel; a page with fewer rows or columns than
    // it assumes must not be driven past its sheet.
    if (row < 0 || row >= sheet->RowCount() || firstCol < 0 || firstCol > lastCol || lastCol >= sheet->ColumnCount())
        return false;
    const CCellIndices current{row, firstCol};
    grid->SetSelection({row, firstCol, row, lastCol}, current, current, false);
    if (Widget() && Widget()->isVisible())
        grid->EnsureCellVisible(row, firstCol, false);
    grid->RedrawPanes();
    return true;
}
