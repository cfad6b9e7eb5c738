#pragma once

// A window's placement as data documents store it: the 44-byte record of
// the original (all fields 32-bit little-endian in files).

#include "framework/core/Geometry.h"

#include <cstdint>

namespace fw {

inline constexpr uint32_t WPF_SETMINPOSITION = 0x1;
inline constexpr uint32_t WPF_RESTORETOMAXIMIZED = 0x2;

struct WINDOWPLACEMENT {
    uint32_t length = 44;
    uint32_t flags = 0;
    uint32_t showCmd = 1;  // SW_SHOWNORMAL
    CPoint ptMinPosition{-1, -1};
    CPoint ptMaxPosition{-1, -1};
    CRect rcNormalPosition;
};
static_assert(sizeof(WINDOWPLACEMENT) == 44, "the record is stored byte for byte");

} // namespace fw
