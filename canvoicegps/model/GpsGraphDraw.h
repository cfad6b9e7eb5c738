#pragma once

// The drawer of a GPS track: both axes at one scale (equal spans in a
// square plot), a frame without axes, ticks or labels, and each series
// drawn on its own so that the whole track can be kept as a picture while
// the highlighted part is drawn over it.

#include "chart/model/KivGraphDraw.h"

class CGpsGraphDraw : public CKivGraphDraw {
    FW_DECLARE_SERIAL(CGpsGraphDraw)
public:
    // A finer division than the charting default, so that a track does not
    // sit in a corner of a coarse range.
    static constexpr int kNiceDivisions = 100;

    CGpsGraphDraw();
    ~CGpsGraphDraw() override;

    // The plot record's ranges, the frame and a line plot; nothing else.
    void CreatePlot() override;
    // Each automatic axis to its data, then the smaller span widened on both
    // sides to the larger one (taking the other axis's step). False when no
    // axis changed.
    bool AutoScale() override;
    void ApplyNiceRange(int axis, int logKind, double maximum, double minimum) override;

    // Series `index` within `plot` (device units).
    void DrawSeries(fw::CDC& dc, const fw::CRect& plot, int index);
};
