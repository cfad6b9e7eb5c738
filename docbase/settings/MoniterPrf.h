#pragma once

// The monitor's display settings: colours, font and peak options. The
// application keeps one copy in its profile (section "MONITER"); every
// project stores its own copy in its file.

#include "common/base/LogFont.h"
#include "framework/core/Gdi.h"

#include <cstdint>

namespace fw {
class CArchive;
class CProfile;
}

class CMoniterPrf {
public:
    static constexpr const char* kSection = "MONITER";
    // Bytes of the font record in the profile.
    static constexpr size_t kFontBytes = 60;

    CMoniterPrf();
    virtual ~CMoniterPrf() = default;
    CMoniterPrf(const CMoniterPrf&) = default;
    CMoniterPrf& operator=(const CMoniterPrf&) = default;

    // Colours, font, then the four flags and the reset interval; no tag and
    // no version.
    virtual void Serialize(fw::CArchive& ar);
    virtual void WriteProfile(fw::CProfile& profile) const;
    // Each key keeps the current value when missing; the font only when the
    // stored record has exactly its 60 bytes.
    virtual void ReadProfile(fw::CProfile& profile);

    bool IsEqual(const CMoniterPrf& other) const;

    uint8_t m_bPeakMoni = 1;
    uint8_t m_bPeakRes = 1;
    uint8_t m_bPeakTrgRes = 1;
    int16_t m_nPeakResTime = 0;
    fw::COLORREF m_crFore = 0xFFFFFF;
    fw::COLORREF m_crBack = 0;
    LOGFONT m_font;
    uint8_t m_bPanel = 0;
};

// The font record as the profile holds it (little-endian numbers, then the
// 32 bytes of the face), and back; false when the bytes are not 60.
void LogFontToBytes(const LOGFONT& font, uint8_t (&bytes)[CMoniterPrf::kFontBytes]);
bool LogFontFromBytes(const uint8_t* bytes, size_t size, LOGFONT& font);
