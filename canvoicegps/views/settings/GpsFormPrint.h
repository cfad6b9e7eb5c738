#pragma once

// The printed page of the unit settings form: the project's test title at
// the top left of the page less 20 mm on every side, then one column per
// unit with the lines of its settings. Coordinates are display pixels
// (96 per inch), so the page looks the same on every printer.

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"

#include <vector>

class CKiv463Unit;

namespace fw {
class CDC;
}

namespace gpsprint {

inline constexpr int kColumnPitch = 360;
inline constexpr int kFirstTab = 150;
inline constexpr int kSecondTab = 280;
inline constexpr int kPointTenths = 90;

// The page inset by 20 mm, corrected by the edges the printer cannot
// reach, in device pixels.
fw::CRect PrintArea(const fw::CDC& dc);
// One logical unit per display pixel.
void SetDisplayUnits(fw::CDC& dc);
// A port's lines as printed: its text lines, label and value separated by
// a tab, without the empty line after the port line.
std::vector<fw::CString> PortLines(const CKiv463Unit& unit, int port);
// Draws the title and the columns inside `area` (logical units).
void DrawPage(fw::CDC& dc, const fw::CRect& area, const fw::CString& title,
              const std::vector<std::vector<fw::CString>>& columns);

} // namespace gpsprint
