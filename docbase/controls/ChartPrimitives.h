#pragma once

// The few drawing helpers of the charting engine that the owner-drawn
// controls and the unit menu use: pens by type, fill brushes by number,
// on/off patterned lines, plot symbols and text with "\super" superscript
// runs. They draw on any CDC, so their output is checked on a recording
// sink.

#include "framework/core/CString.h"
#include "framework/core/DC.h"

#include <cstdint>

namespace appgr {

// The superscript marker of unit texts and graph labels.
inline constexpr const char* kSuperMarker = "\\super";

// A geometric pen with flat ends: type 1 dashes 1:1, 2 dashes 2:2, 3 dashes
// 3:1, 4 dashes 1:3, 6 the caller's style array, any other type solid.
bool GrCreatePen(int type, int width, fw::COLORREF color, fw::CPen& pen, int styleCount = 0,
                 const uint32_t* styles = nullptr);
// 0 or less hollow, 1 solid, 2-7 hatched (backward diagonal, cross,
// diagonal cross, forward diagonal, horizontal, vertical). The colour is
// left to the caller.
void GrGetFillBrush(int fill, fw::LOGBRUSH& brush);
// The line with a 16-bit on/off pattern, most significant bit first, one
// bit per step along the longer axis; 0 draws nothing, 0xFFFF a plain line.
void GrDashLine(fw::CDC& dc, int x1, int y1, int x2, int y2, uint16_t pattern);
// A plot symbol of `type` (0 none, 1-13, others a default shape) and size
// at the current position, which stays where it was.
void GrDrawSymbol(fw::CDC& dc, int type, int size, int flag);
// Text at a point; each "\super" switches between normal and superscript
// (0.8 times the height, raised to the normal text's top).
void GrTextOut(fw::CDC& dc, int x, int y, const fw::CString& text, int reserved1 = 0, int reserved2 = 0);

// The text without its markers.
fw::CString StripSuperMarkers(const fw::CString& text);

} // namespace appgr
