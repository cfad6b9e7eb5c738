#pragma once

// The Gr primitives that draw: the 16-colour palette of every graph,
// fill brushes and pens by number, lines under a 16-bit on/off pattern and
// the plot symbols. They draw with whatever pen and brush the caller has
// selected unless they say otherwise.

#include "framework/core/DC.h"

#include <cstdint>

inline constexpr int kGrPaletteSize = 16;

// The palette entry; an index outside 0..15 gives black.
fw::COLORREF GrGetColor(int index);
void GrGetColorRef(int index, fw::COLORREF& out);
// Style (and hatch) of fill number `fill`: 1 solid, 0 or less hollow, 2-7
// hatched. The colour is the caller's.
void GrGetFillBrush(int fill, fw::LOGBRUSH& brush);
// A geometric pen with flat ends and a solid brush of `color`. Types 1-4
// dash (1,1), (2,2), (3,1), (1,3) logical units; type 6 takes the caller's
// `count` lengths; any other type is solid. False when the pen could not
// be made (the pen is then left empty).
bool GrCreatePen(int type, int width, fw::COLORREF color, fw::CPen& pen, int count = 0,
                 const uint32_t* styles = nullptr);
// A line under `pattern`, bit 15 first, one bit per step along the longer
// axis, both end points included; 0 draws nothing, 0xFFFF the plain line.
void GrDashLine(fw::CDC& dc, int x1, int y1, int x2, int y2, uint16_t pattern);
// Symbol `type` of half size `halfSize` at the current position; `filled`
// fills the white-filled shapes with white instead of outlining them.
void GrDrawSymbol(fw::CDC& dc, int type, int halfSize, int filled);
