#pragma once

// The frame style of a drawing object: which sides get a line, the pen of
// those lines, a shadow, and the fill behind the object. Its archive form is
// a fixed 30 bytes inside every drawing object's record.

#include "framework/core/Gdi.h"

#include <cstdint>

namespace fw {
class CArchive;
}

class CDrawObjPrf {
public:
    // Side flags.
    enum : uint8_t { kTop = 1, kBottom = 2, kLeft = 4, kRight = 8, kShadow = 16 };
    static constexpr uint32_t kDefaultPenStyle = fw::PS_GEOMETRIC | fw::PS_ENDCAP_FLAT | fw::PS_INSIDEFRAME;
    static constexpr size_t kArchiveSize = 30;

    CDrawObjPrf();
    virtual ~CDrawObjPrf() = default;
    CDrawObjPrf(const CDrawObjPrf&) = default;
    CDrawObjPrf& operator=(const CDrawObjPrf&) = default;

    virtual void Serialize(fw::CArchive& ar);

    bool HasSide(uint8_t flag) const { return (m_sides & flag) != 0; }

    uint8_t m_sides = 0xFF;
    int32_t m_penStyle = static_cast<int32_t>(kDefaultPenStyle);
    // Also the shadow's offset and the room each flagged side takes.
    int32_t m_penWidth = 1;
    // Kept, copied and stored; the frame drawing has no use for it.
    int32_t m_extra = 1;
    fw::COLORREF m_penColor = 0;
    fw::LOGBRUSH m_fill;
    // No fill and no shadow (the shadow then takes no room either).
    uint8_t m_transparent = 0;
};
