#pragma once

// The desktop colours a grid style takes as its "system" colours. They are
// fixed so that styles written into files never depend on the theme of the
// desktop the file was saved on.

#include "framework/core/Geometry.h"

inline constexpr fw::COLORREF kGridWindowColor = 0xFFFFFF;
inline constexpr fw::COLORREF kGridWindowTextColor = 0x000000;
inline constexpr fw::COLORREF kGridButtonFaceColor = 0xF0F0F0;
inline constexpr int kGridScreenDpi = 96;

// The line colour that shows on the given window colour.
inline constexpr fw::COLORREF GridLineColorOn(fw::COLORREF window)
{
    return window == 0xC0C0C0 ? 0x808080 : 0xC0C0C0;
}
