#pragma once

// The grids of the CAN and GPS graph lists. Their pages hold several views,
// so a click in the graphs first makes the list the window's active view
// (its commands then reach this list), and the list repaints when the
// graphs gain or lose the focus, for the frame that shows where the focus
// is.

#include "data/views/KivDataGraphGrid.h"

class CCanGraphGridPane : public CKivDataGraphGridPane {
public:
    // The view moves the cursors and hears of marks the marker tool selects.
    explicit CCanGraphGridPane(CKivDataGraphView* view) : m_pOwner(view) { SetView(view); }
    void OnLButtonDown(unsigned flags, fw::CPoint point) override;
    void OnSetFocus() override;
    void OnKillFocus() override;

protected:
    CKivDataGraphView* m_pOwner;
};

class CCanGraphGrid : public CKivDataGraphGrid {
public:
    explicit CCanGraphGrid(CKivDataGraphView* view);
};

// The GPS graph list's pane: the CAN graph list's click and focus handling.
class CGpsGraphGridPane : public CCanGraphGridPane {
public:
    using CCanGraphGridPane::CCanGraphGridPane;
};

class CGpsGraphGrid : public CKivDataGraphGrid {
public:
    explicit CGpsGraphGrid(CKivDataGraphView* view);
};
