#pragma once

// The grid of the graph list. Its sheet pane turns clicks, drags and the
// arrow keys on the graph column into moves of the two cursors (the start
// and end of the time list graph's selected sample range); other columns
// take no cell selection.

#include "chart/views/MarkerTools.h"
#include "grid/views/GridPanes.h"
#include "grid/views/SpredView.h"

class CKivDataGraphView;

class CKivDataGraphGridPane : public CZELGridPaneSheet, public IGraphListMarkerWindow {
    FW_DECLARE_DYNAMIC(CKivDataGraphGridPane)
public:
    // Tracking states: idle, a cursor being dragged.
    static constexpr int kIdle = 0;
    static constexpr int kDragging = 1;

    void SetView(CKivDataGraphView* view) { m_pView = view; }
    int GetTrackState() const { return m_nTrack; }

    void OnLButtonDown(unsigned flags, fw::CPoint point) override;
    void OnMouseMove(unsigned flags, fw::CPoint point) override;
    void OnLButtonUp(unsigned flags, fw::CPoint point) override;
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void OnLButtonDblClk(unsigned flags, fw::CPoint point) override;
    // The rubber band of a marker tool goes over the cells.
    void PaintArea(fw::CDC& dc, const fw::CRect& area) override;

    // A mouse tool (0 none) takes every mouse and key event of the pane.
    void SetActiveTool(int32_t id) { m_nActiveTool = id; }
    int32_t GetActiveTool() const { return m_nActiveTool; }
    const fw::CRect& GetRubberBand() const { return m_rcBand; }
    int GetToolCursor() const { return m_nToolCursor; }

    // What the marker tool asks of the pane.
    void SetCapture() override { m_bToolCapture = true; }
    void ReleaseCapture() override { m_bToolCapture = false; }
    bool HasCapture() const override { return m_bToolCapture; }
    void SetToolCursor(int cursorId) override { m_nToolCursor = cursorId; }
    void ShowRubberBand(const fw::CRect& band) override;
    int HitTestCell(fw::CPoint point, int32_t& col, int32_t& row) override;
    fw::CRect GetToolCellRect(int32_t col, int32_t row) const override;
    void SelectMarkersInRect(int x1, int y1, int x2, int y2, bool add) override;
    void HitMarkers(int x, int y) override;

private:
    CGraphListTool* ActiveTool() const;

    CKivDataGraphView* m_pView = nullptr;
    int m_nTrack = kIdle;
    int m_nDragEdge = -1;
    int32_t m_nActiveTool = 0;
    bool m_bToolCapture = false;
    int m_nToolCursor = 0;
    fw::CRect m_rcBand;
};

class CKivDataGraphGrid : public CZELViewGrid {
    FW_DECLARE_DYNAMIC(CKivDataGraphGrid)
public:
    explicit CKivDataGraphGrid(CKivDataGraphView* view);
    CKivDataGraphGridPane* GraphPane() const;
};
