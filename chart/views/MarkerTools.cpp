#include "chart/views/MarkerTools.h"

#include <algorithm>
#include <memory>

namespace {

fw::CPoint ClampInto(fw::CPoint p, const fw::CRect& r)
{
    return {std::clamp(p.x, r.left, std::max(r.left, r.right)), std::clamp(p.y, r.top, std::max(r.top, r.bottom))};
}

bool Shift(unsigned flags) { return (flags & kMarkerToolShift) != 0; }

} // namespace

// ------------------------------------------------------------------ GPS

MarkerToolTracking& CGpsGraphTool::Tracking()
{
    static MarkerToolTracking tracking;
    return tracking;
}

CGpsGraphTool* CGpsGraphTool::FindTool(int32_t id)
{
    static const std::vector<std::unique_ptr<CGpsGraphTool>> tools = [] {
        std::vector<std::unique_ptr<CGpsGraphTool>> list;
        list.push_back(std::make_unique<CGpsMarkerTool>());
        return list;
    }();
    for (const auto& tool : tools)
        if (tool->GetShape() == id)
            return tool.get();
    return nullptr;
}

void CGpsGraphTool::OnLButtonDown(IGpsMarkerWindow& window, unsigned, fw::CPoint point)
{
    window.SetCapture();
    Tracking().down = Tracking().last = point;
    Tracking().tracking = true;
}

void CGpsGraphTool::OnLButtonUp(IGpsMarkerWindow& window, unsigned, fw::CPoint)
{
    window.ReleaseCapture();
    Tracking().tracking = false;
}

void CGpsGraphTool::OnMouseMove(IGpsMarkerWindow& window, unsigned, fw::CPoint point)
{
    Tracking().last = point;
    window.SetToolCursor(GetCursor());
}

void CGpsMarkerTool::OnLButtonDown(IGpsMarkerWindow& window, unsigned flags, fw::CPoint point)
{
    window.ShowRubberBand(fw::CRect(point, point));
    CGpsGraphTool::OnLButtonDown(window, flags, point);
}

void CGpsMarkerTool::OnMouseMove(IGpsMarkerWindow& window, unsigned flags, fw::CPoint point)
{
    if (!window.HasCapture()) {
        CGpsGraphTool::OnMouseMove(window, flags, point);
        return;
    }
    Tracking().last = ClampInto(point, window.GetToolClientRect());
    window.SetToolCursor(GetCursor());
    window.ShowRubberBand(Tracking().Band());
}

void CGpsMarkerTool::OnLButtonUp(IGpsMarkerWindow& window, unsigned flags, fw::CPoint point)
{
    if (window.HasCapture()) {
        const fw::CRect band = Tracking().Band();
        window.ShowRubberBand(fw::CRect());
        window.SelectMarkers(band.left, band.top, band.right, band.bottom, Shift(flags));
    }
    CGpsGraphTool::OnLButtonUp(window, flags, point);
}

void CGpsMarkerTool::OnLButtonDblClk(IGpsMarkerWindow& window, unsigned, fw::CPoint point)
{
    window.HitMarker(point.x, point.y);
}

// ------------------------------------------------------------ graph list

MarkerToolTracking& CGraphListTool::Tracking()
{
    static MarkerToolTracking tracking;
    return tracking;
}

CGraphListTool* CGraphListTool::FindTool(int32_t id)
{
    static const std::vector<std::unique_ptr<CGraphListTool>> tools = [] {
        std::vector<std::unique_ptr<CGraphListTool>> list;
        list.push_back(std::make_unique<CMarkerTool>());
        return list;
    }();
    for (const auto& tool : tools)
        if (tool->GetShape() == id)
            return tool.get();
    return nullptr;
}

void CGraphListTool::OnLButtonDown(IGraphListMarkerWindow& window, unsigned, fw::CPoint point)
{
    MarkerToolTracking& t = Tracking();
    t.tracking = false;
    int32_t col = -1;
    int32_t row = -1;
    if (window.HitTestCell(point, col, row) != IGraphListMarkerWindow::kZoneCell)
        return;
    t.col = col;
    t.row = row;
    // Only the graph column holds markers.
    if (col != 0)
        return;
    window.SetCapture();
    t.down = t.last = point;
    t.tracking = true;
}

void CGraphListTool::OnLButtonUp(IGraphListMarkerWindow& window, unsigned, fw::CPoint)
{
    window.ReleaseCapture();
    Tracking().tracking = false;
}

void CGraphListTool::OnMouseMove(IGraphListMarkerWindow& window, unsigned, fw::CPoint point)
{
    Tracking().last = point;
    window.SetToolCursor(GetCursor());
}

void CMarkerTool::OnLButtonDown(IGraphListMarkerWindow& window, unsigned flags, fw::CPoint point)
{
    window.ShowRubberBand(fw::CRect(point, point));
    CGraphListTool::OnLButtonDown(window, flags, point);
}

void CMarkerTool::OnMouseMove(IGraphListMarkerWindow& window, unsigned flags, fw::CPoint point)
{
    MarkerToolTracking& t = Tracking();
    if (!window.HasCapture() || !t.tracking) {
        CGraphListTool::OnMouseMove(window, flags, point);
        return;
    }
    t.last = ClampInto(point, window.GetToolCellRect(t.col, t.row));
    window.SetToolCursor(GetCursor());
    window.ShowRubberBand(t.Band());
}

void CMarkerTool::OnLButtonUp(IGraphListMarkerWindow& window, unsigned flags, fw::CPoint point)
{
    MarkerToolTracking& t = Tracking();
    if (window.HasCapture() && t.tracking) {
        fw::CRect band = t.Band();
        window.ShowRubberBand(fw::CRect());
        const fw::CRect cell = window.GetToolCellRect(t.col, t.row);
        band.OffsetRect(-cell.left, -cell.top);
        window.SelectMarkersInRect(band.left, band.top, band.right, band.bottom, Shift(flags));
    }
    CGraphListTool::OnLButtonUp(window, flags, point);
}

void CMarkerTool::OnLButtonDblClk(IGraphListMarkerWindow& window, unsigned, fw::CPoint point)
{
    const MarkerToolTracking& t = Tracking();
    if (t.col < 0 || t.row < 0)
        return;
    const fw::CRect cell = window.GetToolCellRect(t.col, t.row);
    window.HitMarkers(point.x - cell.left, point.y - cell.top);
}
