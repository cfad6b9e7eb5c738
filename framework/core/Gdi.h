#pragma once

// Drawing objects and constants in the original's terms: pens, brushes and
// fonts as values that a CDC selects, with the numbers of the original API
// (files and profile values store some of them, LOGFONT byte for byte).

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/core/Object.h"

#include <cstdint>
#include <vector>

namespace fw {

// Mapping modes.
inline constexpr int MM_TEXT = 1;
inline constexpr int MM_LOMETRIC = 2;
inline constexpr int MM_HIMETRIC = 3;
inline constexpr int MM_LOENGLISH = 4;
inline constexpr int MM_HIENGLISH = 5;
inline constexpr int MM_TWIPS = 6;
inline constexpr int MM_ISOTROPIC = 7;
inline constexpr int MM_ANISOTROPIC = 8;

// Pens.
inline constexpr uint32_t PS_SOLID = 0;
inline constexpr uint32_t PS_DASH = 1;
inline constexpr uint32_t PS_DOT = 2;
inline constexpr uint32_t PS_DASHDOT = 3;
inline constexpr uint32_t PS_DASHDOTDOT = 4;
inline constexpr uint32_t PS_NULL = 5;
inline constexpr uint32_t PS_INSIDEFRAME = 6;
inline constexpr uint32_t PS_USERSTYLE = 7;
inline constexpr uint32_t PS_STYLE_MASK = 0xF;
inline constexpr uint32_t PS_ENDCAP_ROUND = 0x000;
inline constexpr uint32_t PS_ENDCAP_SQUARE = 0x100;
inline constexpr uint32_t PS_ENDCAP_FLAT = 0x200;
inline constexpr uint32_t PS_JOIN_ROUND = 0x0000;
inline constexpr uint32_t PS_JOIN_BEVEL = 0x1000;
inline constexpr uint32_t PS_JOIN_MITER = 0x2000;
inline constexpr uint32_t PS_COSMETIC = 0x00000;
inline constexpr uint32_t PS_GEOMETRIC = 0x10000;

// Brushes.
inline constexpr uint32_t BS_SOLID = 0;
inline constexpr uint32_t BS_NULL = 1;
inline constexpr uint32_t BS_HOLLOW = 1;
inline constexpr uint32_t BS_HATCHED = 2;
inline constexpr int HS_HORIZONTAL = 0;
inline constexpr int HS_VERTICAL = 1;
inline constexpr int HS_FDIAGONAL = 2;
inline constexpr int HS_BDIAGONAL = 3;
inline constexpr int HS_CROSS = 4;
inline constexpr int HS_DIAGCROSS = 5;

// Background, text alignment, polygon fill, raster operations.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;
inline constexpr unsigned TA_NOUPDATECP = 0;
inline constexpr unsigned TA_UPDATECP = 1;
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;
inline constexpr int ALTERNATE = 1;
inline constexpr int WINDING = 2;
inline constexpr int R2_NOT = 6;
inline constexpr int R2_XORPEN = 7;
inline constexpr int R2_COPYPEN = 13;
inline constexpr unsigned ETO_OPAQUE = 0x2;
inline constexpr unsigned ETO_CLIPPED = 0x4;

// DrawText.
inline constexpr unsigned DT_TOP = 0x0;
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;

// Device capabilities.
inline constexpr int TECHNOLOGY = 2;
inline constexpr int HORZSIZE = 4;
inline constexpr int VERTSIZE = 6;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
inline constexpr int PHYSICALWIDTH = 110;
inline constexpr int PHYSICALHEIGHT = 111;
inline constexpr int PHYSICALOFFSETX = 112;
inline constexpr int PHYSICALOFFSETY = 113;
inline constexpr int DT_RASDISPLAY = 1;
inline constexpr int DT_RASPRINTER = 2;

// Font weights and character sets.
inline constexpr int32_t FW_NORMAL = 400;
inline constexpr int32_t FW_BOLD = 700;
inline constexpr uint8_t SHIFTJIS_CHARSET = 128;
inline constexpr uint8_t DEFAULT_CHARSET = 1;

// Stock objects.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = 5;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEFAULT_GUI_FONT = 17;

// The font record as files and the profile store it: 60 bytes, the face
// in CP932 (at most 31 bytes and a terminator).
struct LOGFONT {
    int32_t lfHeight = 0;
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    char lfFaceName[32] = {};

    // The face as UTF-8.
    CString GetFaceName() const;
    // Stores `face` as CP932, cut at a character boundary to 31 bytes.
    void SetFaceName(const CString& face);

    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};
static_assert(sizeof(LOGFONT) == 60, "LOGFONT is stored byte for byte");

struct LOGBRUSH {
    uint32_t lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    uintptr_t lbHatch = 0;
};

struct TEXTMETRIC {
    int32_t tmHeight = 0;
    int32_t tmAscent = 0;
    int32_t tmDescent = 0;
    int32_t tmInternalLeading = 0;
    int32_t tmExternalLeading = 0;
    int32_t tmAveCharWidth = 0;
    int32_t tmMaxCharWidth = 0;
    int32_t tmWeight = 0;
};

class CGdiObject : public CObject {
public:
    bool m_created = false;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(uint32_t style, int32_t width, COLORREF color) { CreatePen(style, width, color); }
    bool CreatePen(uint32_t style, int32_t width, COLORREF color);
    // A geometric pen with a brush and, for PS_USERSTYLE, dash lengths in
    // logical units (dash first).
    bool CreatePen(uint32_t style, int32_t width, const LOGBRUSH& brush, const std::vector<uint32_t>& dashes = {});
    uint32_t Style() const { return m_style & PS_STYLE_MASK; }
    uint32_t FullStyle() const { return m_style; }
    int32_t Width() const { return m_width; }
    COLORREF Color() const { return m_color; }
    const std::vector<uint32_t>& Dashes() const { return m_dashes; }

private:
    uint32_t m_style = PS_SOLID;
    int32_t m_width = 0;
    COLORREF m_color = 0;
    std::vector<uint32_t> m_dashes;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    bool CreateSolidBrush(COLORREF color);
    bool CreateHatchBrush(int hatch, COLORREF color);
    bool CreateBrushIndirect(const LOGBRUSH& lb);
    const LOGBRUSH& Info() const { return m_lb; }

private:
    LOGBRUSH m_lb;
};

class CFont : public CGdiObject {
public:
    bool CreateFontIndirect(const LOGFONT& lf);
    // Height in tenths of a point at 96 pixels per inch (the virtual display).
    bool CreatePointFont(int pointTenths, const CString& face);
    bool CreatePointFontIndirect(const LOGFONT& lf);
    void GetLogFont(LOGFONT* out) const { *out = m_lf; }
    const LOGFONT& Info() const { return m_lf; }

private:
    LOGFONT m_lf;
};

// The virtual display every screen measurement uses.
inline constexpr int kDisplayDpi = 96;
inline constexpr int kDisplayWidthPx = 1920;
inline constexpr int kDisplayHeightPx = 1080;
inline constexpr int kDisplayWidthMm = 508;
inline constexpr int kDisplayHeightMm = 286;

} // namespace fw
