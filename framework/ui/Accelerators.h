#pragma once

// Binds a window's accelerator table to its window: each key runs its
// command through the window's top-level frame, as a menu item would, but
// only while the command's update handler leaves it enabled. A child
// window's keys work while the keyboard focus is inside it; a key that the
// window's own menu already binds is left to the menu.

namespace fw {

class CFrameWnd;

void InstallAccelerators(CFrameWnd& frame, unsigned tableId);

} // namespace fw
