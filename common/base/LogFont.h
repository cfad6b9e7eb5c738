#pragma once

// The font description of graphs, tables and the font dialog, with the
// field names of the Windows record the program's files were made from.

#include <cstdint>

namespace fw {
class CArchive;
}

// Face names hold at most this many bytes in CP932 with a terminator, as the
// files and the original record do.
inline constexpr int LF_FACESIZE = 32;
// The face is kept here as UTF-8, which needs up to three bytes for each
// CP932 byte (half-width katakana), so the field is wider than LF_FACESIZE.
inline constexpr int kLogFontFaceBytes = 3 * (LF_FACESIZE - 1) + 1;

struct LOGFONT {
    int32_t lfHeight = 0;      // tenths of a point where the program creates fonts by point size
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;  // tenths of a degree
    int32_t lfOrientation = 0; // tenths of a degree
    int32_t lfWeight = 0;
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    char lfFaceName[kLogFontFaceBytes] = {}; // UTF-8, at most LF_FACESIZE - 1 bytes in CP932

    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};

// Values of the record's fields that the program uses.
inline constexpr uint8_t SHIFTJIS_CHARSET = 128;
inline constexpr uint8_t OUT_STROKE_PRECIS = 3;
inline constexpr uint8_t CLIP_CHARACTER_PRECIS = 1;
inline constexpr uint8_t DRAFT_QUALITY = 1;
inline constexpr uint8_t FIXED_PITCH = 1;
inline constexpr uint8_t VARIABLE_PITCH = 2;
inline constexpr uint8_t FF_SWISS = 0x30;

// Puts `face` into the record, cut at a character boundary to what the
// files can hold (LF_FACESIZE - 1 CP932 bytes).
void SetLogFontFace(LOGFONT& font, const char* face);

// Stores or loads (by the archive's direction) the 28 bytes of numbers and
// the face name as an archive string in CP932. A longer face in a file is
// cut at a character boundary.
void SerializeLogFont(fw::CArchive& ar, LOGFONT& font);

// The default font of graphs and tables: 9 point, Shift-JIS, "ＭＳ Ｐゴシック"
// (proportional) or "ＭＳ ゴシック" (fixed), turned by `angle` tenths of a degree.
void SetDefaultLogFont(LOGFONT* font, bool proportional, int angle);
