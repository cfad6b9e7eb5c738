#pragma once

// Clipping to a rectangle given in logical units, and the printed margins
// of a graph page.

#include "framework/core/DC.h"

// How a new clip rectangle combines with the clip in force.
inline constexpr int kGrClipAnd = 1;
inline constexpr int kGrClipCopy = 5;

// Clips to the rectangle from its top-left point to one past its
// bottom-right point (both converted to device units): intersected with
// the clip in force (kGrClipAnd) or replacing it (kGrClipCopy).
void GrSetClipRect(fw::CDC& dc, const fw::CRect& rect, int mode);
// Margins (logical units) that keep 20 mm from every edge of the paper;
// negative where the unprintable strip is wider.
void GrGetPrintMargins(fw::CDC& dc, fw::CRect& margins);
