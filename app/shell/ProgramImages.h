#pragma once

// The program's pictures: its icon (the one the desktop entry installs,
// drawn here so that the program needs no image plug-in) and the images of
// the tool-bar bitmaps: 128 the main tool bar, 134 the same with the
// edit-lock mark, 135 and 136 the page buttons of the project and data
// windows (normal and hot).

#include <QIcon>
#include <QPixmap>

inline constexpr unsigned kIdrPageButtons = 135;
inline constexpr unsigned kIdrPageButtonsHot = 136;

QPixmap ProgramIconPixmap(int size);
QIcon ProgramIcon();

// Image `index` of tool-bar bitmap `bitmapId`; an empty icon when the
// bitmap has no such image.
QIcon ToolbarImage(unsigned bitmapId, int index);
