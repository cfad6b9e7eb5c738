#pragma once

// Context menus of the edit controls: where a menu opens (a keyboard
// request opens it just inside the control's top-left corner) and who gets
// its commands (the first window above the control that is not a child:
// the dialog or the frame).

#include "framework/core/Geometry.h"

#include <functional>

class QWidget;

namespace fw {
class CMenu;
class CWnd;
}

namespace appctl {

// The keyboard asks with (-1, -1).
inline constexpr fw::CPoint kKeyboardMenuPoint{-1, -1};

// `requested` in screen coordinates; for a keyboard request the control's
// client top-left corner plus (5, 5), in screen coordinates.
fw::CPoint ContextMenuPoint(const fw::CWnd& control, fw::CPoint requested);
// The dialog or frame the control sits in (the control itself when it is
// a window of its own).
fw::CWnd* TopLevelOwner(const fw::CWnd& control);
// Loads menu `menuId`, lets `prepare` change its first popup, and tracks
// that popup for the control with the right button enabled. False when
// the menu resource is missing.
bool TrackControlMenu(unsigned menuId, fw::CWnd& control, fw::CPoint requested,
                      const std::function<void(fw::CMenu& popup)>& prepare = {});

// Calls `show` with the screen point of every context-menu request on
// `widget`, (-1, -1) when the keyboard asked.
void RouteContextMenu(QWidget* widget, std::function<void(fw::CPoint screen)> show);

} // namespace appctl
