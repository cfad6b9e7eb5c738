#pragma once

// What an owner-drawn control's drawing and measuring operations get: the
// item, its rectangle, why it is drawn and its state, as the original's
// DRAWITEMSTRUCT and MEASUREITEMSTRUCT carried them.

#include "framework/core/Geometry.h"

#include <cstdint>

namespace appctl {

inline constexpr unsigned ODA_DRAWENTIRE = 0x1;
inline constexpr unsigned ODA_SELECT = 0x2;
inline constexpr unsigned ODA_FOCUS = 0x4;

inline constexpr unsigned ODS_SELECTED = 0x1;
inline constexpr unsigned ODS_GRAYED = 0x2;
inline constexpr unsigned ODS_DISABLED = 0x4;
inline constexpr unsigned ODS_FOCUS = 0x10;

struct DrawItemInfo {
    int itemID = -1;
    unsigned itemAction = ODA_DRAWENTIRE;
    unsigned itemState = 0;
    fw::CRect rcItem;
    uintptr_t itemData = 0;
};

struct MeasureItemInfo {
    int itemID = -1;
    unsigned itemWidth = 0;
    unsigned itemHeight = 0;
    uintptr_t itemData = 0;
};

} // namespace appctl
