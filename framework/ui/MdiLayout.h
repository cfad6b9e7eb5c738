#pragma once

// Where MDI child windows go, as the desktop the program comes from placed
// them: a new child at three quarters of the area, each one a title bar
// further down and right than the one before, starting over at the top
// left once the next step would leave the area; tiling in rows
// (horizontal) or columns (vertical), with a grid once there are more than
// three windows.

#include <QRect>
#include <QSize>

#include <vector>

namespace fw {

// The rectangle of the `index`-th new child (0 for the first) in an MDI
// area of `area`, one `step` further per child.
QRect NewMdiChildRect(const QSize& area, int index, int step);

// The rectangles of `count` tiled children, in order. Horizontal: the
// windows stand one above the other (full width); vertical: side by side.
std::vector<QRect> TileMdiChildRects(const QSize& area, int count, bool horizontal);

} // namespace fw
