#pragma once

// Text with superscript runs: unit texts and graph titles mark them with
// "\super" (m\super2\super is m squared).

#include "framework/core/CString.h"
#include "framework/core/DC.h"

inline constexpr const char kSuperMarker[] = "\\super";

// Writes `text` at (x, y). Without a marker: one ExtTextOut with the
// caller's options and clip rectangle. With markers the pieces alternate
// between the current font and a superscript font of 0.8 its height,
// raised (in pixel and anisotropic mapping) to the top of the normal text;
// the context's horizontal alignment is applied to the whole. Vertical
// text (a font turned by 90 degrees) runs toward smaller y. The current
// position ends after the last piece.
void GrTextOut(fw::CDC& dc, int x, int y, const fw::CString& text, bool vertical = false,
               const fw::CRect* clipRect = nullptr, unsigned options = 0);
// The text without its markers.
fw::CString StripSuperMarkers(const fw::CString& text);
