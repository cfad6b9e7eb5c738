#pragma once

// The system colours and metrics the owner-drawn controls ask for. Linux
// has no such table; the program uses the fixed classic values, the same
// on every desktop, so drawings are reproducible.

#include "framework/core/Gdi.h"

namespace appctl {

inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;

inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;
inline constexpr int SM_CXMENUCHECK = 71;

inline fw::COLORREF GetSysColor(int index)
{
    switch (index) {
    case COLOR_MENU: return fw::RGB(240, 240, 240);
    case COLOR_WINDOW: return fw::RGB(255, 255, 255);
    case COLOR_MENUTEXT: return fw::RGB(0, 0, 0);
    case COLOR_WINDOWTEXT: return fw::RGB(0, 0, 0);
    case COLOR_HIGHLIGHT: return fw::RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return fw::RGB(255, 255, 255);
    case COLOR_BTNFACE: return fw::RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return fw::RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return fw::RGB(109, 109, 109);
    case COLOR_BTNTEXT: return fw::RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return fw::RGB(255, 255, 255);
    default: return fw::RGB(0, 0, 0);
    }
}

inline int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXMENUCHECK: return 15;
    default: return 0;
    }
}

} // namespace appctl
