#pragma once

// Mouse tools that select and play drawn markers with a rubber band: one
// family for the GPS graph, one for the graph column of a graph list. A
// window with an active tool id hands its mouse and key events to the tool
// of that id and does nothing else with them. The rubber band is state the
// window paints above everything else (no inverting drawing), so showing
// an empty rectangle takes it away.

#include "framework/core/Geometry.h"

#include <cstdint>
#include <vector>

// What both families need of their window.
class IMarkerToolWindow {
public:
    virtual ~IMarkerToolWindow() = default;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    virtual void SetToolCursor(int cursorId) = 0;
    // The band in client coordinates (normalised); an empty one hides it.
    // The window repaints what the band covered and covers.
    virtual void ShowRubberBand(const fw::CRect& band) = 0;
};

// The GPS graph view.
class IGpsMarkerWindow : public IMarkerToolWindow {
public:
    virtual fw::CRect GetToolClientRect() const = 0;
    // Without `add` the selection is cleared first; a rectangle of one
    // point selects (or toggles) the marker there.
    virtual void SelectMarkers(int left, int top, int right, int bottom, bool add) = 0;
    virtual void HitMarker(int x, int y) = 0;
};

// The sheet pane of a graph list; cell coordinates are relative to the
// cell's top-left corner.
class IGraphListMarkerWindow : public IMarkerToolWindow {
public:
    static constexpr int kZoneCell = 3;
    // The zone of the point and, for a cell, its column and row.
    virtual int HitTestCell(fw::CPoint point, int32_t& col, int32_t& row) = 0;
    // The cell in client coordinates (its offsets and extent).
    virtual fw::CRect GetToolCellRect(int32_t col, int32_t row) const = 0;
    virtual void SelectMarkersInRect(int x1, int y1, int x2, int y2, bool add) = 0;
    virtual void HitMarkers(int x, int y) = 0;
};

// The Shift bit of a mouse event's flags.
inline constexpr unsigned kMarkerToolShift = 4;
// The system's cross-hair cursor.
inline constexpr int kMarkerToolCrossCursor = 32515;

template <class Window> class CMarkerToolFamily {
public:
    CMarkerToolFamily(int32_t shape, int cursor) : m_nShape(shape), m_nCursor(cursor) {}
    virtual ~CMarkerToolFamily() = default;

    virtual void OnLButtonDown(Window& window, unsigned flags, fw::CPoint point) = 0;
    virtual void OnLButtonDblClk(Window& window, unsigned flags, fw::CPoint point) = 0;
    virtual void OnLButtonUp(Window& window, unsigned flags, fw::CPoint point) = 0;
    virtual void OnMouseMove(Window& window, unsigned flags, fw::CPoint point) = 0;
    virtual void OnCancel() {}
    virtual void OnKeyDown(Window&, unsigned, unsigned, unsigned) {}

    int32_t GetShape() const { return m_nShape; }
    int GetCursor() const { return m_nCursor; }

private:
    int32_t m_nShape;
    int m_nCursor;
};

// The tracking state one family shares: where the button went down and
// where the mouse was last.
struct MarkerToolTracking {
    fw::CPoint down;
    fw::CPoint last;
    int32_t col = -1;
    int32_t row = -1;
    bool tracking = false;
    fw::CRect Band() const
    {
        fw::CRect band(down, last);
        band.NormalizeRect();
        return band;
    }
};

// ------------------------------------------------------------------ GPS

class CGpsGraphTool : public CMarkerToolFamily<IGpsMarkerWindow> {
public:
    using CMarkerToolFamily::CMarkerToolFamily;

    void OnLButtonDown(IGpsMarkerWindow& window, unsigned flags, fw::CPoint point) override;
    void OnLButtonDblClk(IGpsMarkerWindow&, unsigned, fw::CPoint) override {}
    void OnLButtonUp(IGpsMarkerWindow& window, unsigned flags, fw::CPoint point) override;
    void OnMouseMove(IGpsMarkerWindow& window, unsigned flags, fw::CPoint point) override;

    // The tool of that shape id, or none.
    static CGpsGraphTool* FindTool(int32_t id);
    static MarkerToolTracking& Tracking();
};

class CGpsMarkerTool : public CGpsGraphTool {
public:
    CGpsMarkerTool() : CGpsGraphTool(1, kMarkerToolCrossCursor) {}

    void OnLButtonDown(IGpsMarkerWindow& window, unsigned flags, fw::CPoint point) override;
    void OnLButtonDblClk(IGpsMarkerWindow& window, unsigned flags, fw::CPoint point) override;
    void OnLButtonUp(IGpsMarkerWindow& window, unsigned flags, fw::CPoint point) override;
    void OnMouseMove(IGpsMarkerWindow& window, unsigned flags, fw::CPoint point) override;
};

// ------------------------------------------------------------ graph list

class CGraphListTool : public CMarkerToolFamily<IGraphListMarkerWindow> {
public:
    using CMarkerToolFamily::CMarkerToolFamily;

    void OnLButtonDown(IGraphListMarkerWindow& window, unsigned flags, fw::CPoint point) override;
    void OnLButtonDblClk(IGraphListMarkerWindow&, unsigned, fw::CPoint) override {}
    void OnLButtonUp(IGraphListMarkerWindow& window, unsigned flags, fw::CPoint point) override;
    void OnMouseMove(IGraphListMarkerWindow& window, unsigned flags, fw::CPoint point) override;

    static CGraphListTool* FindTool(int32_t id);
    static MarkerToolTracking& Tracking();
};

class CMarkerTool : public CGraphListTool {
public:
    CMarkerTool() : CGraphListTool(1, kMarkerToolCrossCursor) {}

    void OnLButtonDown(IGraphListMarkerWindow& window, unsigned flags, fw::CPoint point) override;
    void OnLButtonDblClk(IGraphListMarkerWindow& window, unsigned flags, fw::CPoint point) override;
    void OnLButtonUp(IGraphListMarkerWindow& window, unsigned flags, fw::CPoint point) override;
    void OnMouseMove(IGraphListMarkerWindow& window, unsigned flags, fw::CPoint point) override;
};
