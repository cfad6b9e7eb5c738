#pragma once

// The grid of the graph list. Its sheet pane turns clicks, drags and the
// arrow keys on the graph column into moves of the two cursors (the start
// and end of the time list graph's selected sample range); other columns
// take no cell selection.

#include "grid/views/GridPanes.h"
#include "grid/views/SpredView.h"

class CKivDataGraphView;

class CKivDataGraphGridPane : public CZELGridPaneSheet {
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

private:
    CKivDataGraphView* m_pView = nullptr;
    int m_nTrack = kIdle;
    int m_nDragEdge = -1;
};

class CKivDataGraphGrid : public CZELViewGrid {
    FW_DECLARE_DYNAMIC(CKivDataGraphGrid)
public:
    explicit CKivDataGraphGrid(CKivDataGraphView* view);
    CKivDataGraphGridPane* GraphPane() const;
};
