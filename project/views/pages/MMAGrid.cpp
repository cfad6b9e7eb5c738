#include "project/views/pages/MMAGrid.h"

#include "grid/model/GridStyle.h"
#include "grid/views/GridObject.h"
#include "grid/views/GridPane.h"

#include <QWidget>

FW_IMPLEMENT_DYNAMIC(CMMAGrid, CZELGridEX)

intptr_t CMMAGrid::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (message == WM_GRID_TRACK_END && static_cast<int>(wParam & 0xFFFF) == kIdCorner) {
        OnEndResizeTrack(kIdCorner);
        return 0;
    }
    return CZELGridEX::OnMessage(message, wParam, lParam);
}

void CMMAGrid::OnEndResizeTrack(int paneId)
{
    CZELGridStyle* style = GetStyle();
    if (!style)
        return;
    ComputeTracker(paneId);
    if (m_pTrackerLine)
        m_pTrackerLine->hide();
    const CZELGridPane* corner = GetPane(kIndexCorner);
    for (int32_t col = 0; col < corner->ColumnCount(); ++col)
        style->SetRowHeaderColumnWidths(col, corner->GetColumnWidth(col), 1);
    RecalcLayout(false);
    style->SetModified(true);
    style->RedrawGrids(nullptr);
}
