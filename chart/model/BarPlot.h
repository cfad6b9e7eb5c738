#pragma once

// Horizontal bars (graph types 8 and 34): each stands on the Y axis at its
// y, its length is x. Bars whose y lies outside the Y range, or whose
// values are not finite, are left out; lengths beyond the X range end at
// the frame.

#include "chart/model/BoxPlot.h"

class CBarPlot : public CBoxPlot {
public:
    // Clamps X' into the plot rectangle; Y' stays.
    void AdjustDevicePoint(double& x, double& y, OGPRecord* rec) override;
    void DrawBars(fw::CDC& dc, int n, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec) override;
    // Floating bars from x1 to x2 at y, from arrays (the column plot's
    // rules with the axes exchanged).
    virtual void DrawBarArray(fw::CDC& dc, int count, const float* x1s, const float* x2s, const float* ys,
                              OGPRecord* rec);
};
