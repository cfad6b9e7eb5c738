#pragma once

// Where a device point lies around a box, and where a segment enters the
// box from there: the software clipping of array lines and areas, which
// must stay inside the 16-bit device range the platform cannot clip in.
//
// Zones run clockwise from above: 1 above, 2 above right, 3 right, 4 below
// right, 5 below, 6 below left, 7 left, 8 above left; 0 is the box itself,
// its edges included.

#include "framework/core/Geometry.h"

int PlotZoneOf(const fw::CRect& box, fw::CPoint p);
// The crossing of segment a-b with the first edge of `zone` that it
// crosses strictly between its ends; false when there is none (also for
// zone 0).
bool PlotZoneCrossing(const fw::CRect& box, int zone, fw::CPoint a, fw::CPoint b, fw::CPoint& out);
// The point of the box nearest to `p` for its zone (`p` itself in zone 0).
fw::CPoint PlotZoneClamp(const fw::CRect& box, int zone, fw::CPoint p);
// Left and top inclusive, right and bottom exclusive.
bool PlotBoxHolds(const fw::CRect& box, fw::CPoint p);
