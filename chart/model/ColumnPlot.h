#pragma once

// Vertical columns (graph types 6 and 33): each stands on the X axis at its
// x, its height is y. Columns whose x lies outside the X range, or whose
// values are not finite, are left out; heights beyond the Y range end at
// the frame. Also floating columns between two values and short level
// marks across a column; the histograms of the frequency graphs build on it.

#include "chart/model/BoxPlot.h"

class CColumnPlot : public CBoxPlot {
public:
    // Clamps Y' into the plot rectangle; X' stays.
    void AdjustDevicePoint(double& x, double& y, OGPRecord* rec) override;
    void DrawBars(fw::CDC& dc, int n, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec) override;
    // Columns from y1 to y2, one pixel longer at the lower end.
    void DrawFloatingBars(fw::CDC& dc, int n, CZELDataPoter* xs, CZELDataPoter* y1s, CZELDataPoter* y2s,
                          OGPRecord* rec) override;
    // A bar-wide horizontal line at (x, y).
    void DrawLevelMark(fw::CDC& dc, OGPRecord* rec, double x, double y, int color, int penType) override;
    // Floating columns from arrays, with the series pen and the fill brush.
    // Ranges not yet set come from the values; a column that cannot be
    // mapped is left out, any other error stores its index and ends.
    virtual void DrawBarArray(fw::CDC& dc, int count, const float* xs, const float* y1s, const float* y2s,
                              OGPRecord* rec);
};
