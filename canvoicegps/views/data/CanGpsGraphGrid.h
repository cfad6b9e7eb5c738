#pragma once

// The grid of the CAN and GPS graph lists. Their pages hold several views,
// so a click in the graphs first makes the list the window's active view
// (its commands then reach this list), and the list repaints when the
// graphs gain or lose the focus, for the frame that shows where the focus
// is.

#include "data/views/KivDataGraphGrid.h"

class CCanGpsGraphGridPane : public CKivDataGraphGridPane {
public:
    explicit CCanGpsGraphGridPane(CKivDataGraphView* view) : m_pOwner(view) {}
    void OnLButtonDown(unsigned flags, fw::CPoint point) override;
    void OnSetFocus() override;
    void OnKillFocus() override;

private:
    CKivDataGraphView* m_pOwner;
};

class CCanGpsGraphGrid : public CKivDataGraphGrid {
public:
    explicit CCanGpsGraphGrid(CKivDataGraphView* view);
};
