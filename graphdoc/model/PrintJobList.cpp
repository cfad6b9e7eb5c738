#include "graphdoc/model/PrintJobList.h"

int CPrintJobList::CellsPerSheet() const
{
    if (m_layoutMode == kPaperSizePrint)
        return 1;
    return m_columns * m_rows;
}

int CPrintJobList::SheetCount() const
{
    const int cells = CellsPerSheet();
    if (cells <= 0)
        return 0;
    return (static_cast<int>(m_titles.size()) + cells - 1) / cells;
}
