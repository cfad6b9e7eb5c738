#pragma once

// The font description of graphs, tables and the font dialog, with the
// field names of the Windows record the program's files were made from.

#include "framework/core/Gdi.h"

#include <cstdint>

namespace fw {
class CArchive;
}

// One font record for the whole program: the framework's, whose face stays
// in CP932 as files and the profile hold it.
using LOGFONT = fw::LOGFONT;

// Face names hold at most this many bytes in CP932 with a terminator.
inline constexpr int LF_FACESIZE = 32;

// Values of the record's fields that the program uses.
using fw::SHIFTJIS_CHARSET;
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
