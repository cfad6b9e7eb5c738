#include "common/base/LogFont.h"

#include "framework/core/Archive.h"
#include "framework/core/Cp932.h"

#include <algorithm>
#include <cstring>
#include <string>

void SetLogFontFace(LOGFONT& font, const char* face)
{
    font.SetFaceName(fw::CString(face ? face : ""));
}

void SerializeLogFont(fw::CArchive& ar, LOGFONT& font)
{
    if (ar.IsStoring()) {
        ar << font.lfHeight << font.lfWidth << font.lfEscapement << font.lfOrientation << font.lfWeight;
        ar << font.lfItalic << font.lfUnderline << font.lfStrikeOut << font.lfCharSet << font.lfOutPrecision
           << font.lfClipPrecision << font.lfQuality << font.lfPitchAndFamily;
        ar.WriteRawString(std::string_view(font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName)));
    } else {
        ar >> font.lfHeight >> font.lfWidth >> font.lfEscapement >> font.lfOrientation >> font.lfWeight;
        ar >> font.lfItalic >> font.lfUnderline >> font.lfStrikeOut >> font.lfCharSet >> font.lfOutPrecision
           >> font.lfClipPrecision >> font.lfQuality >> font.lfPitchAndFamily;
        const std::string face = ar.ReadRawString();
        if (face.size() < sizeof font.lfFaceName) {
            // Kept byte for byte, so a face written elsewhere goes back unchanged.
            std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
            std::memcpy(font.lfFaceName, face.data(), face.size());
        } else {
            // Too long for the record: cut at a character boundary.
            font.SetFaceName(fw::CString(fw::cp932::FromCp932(face)));
        }
    }
}

void SetDefaultLogFont(LOGFONT* font, bool proportional, int angle)
{
    if (!font)
        return;
    *font = LOGFONT{};
    font->lfHeight = 90;
    font->lfEscapement = angle;
    font->lfOrientation = angle;
    font->lfCharSet = SHIFTJIS_CHARSET;
    font->lfOutPrecision = OUT_STROKE_PRECIS;
    font->lfClipPrecision = CLIP_CHARACTER_PRECIS;
    font->lfQuality = DRAFT_QUALITY;
    if (proportional) {
        font->lfPitchAndFamily = FF_SWISS | VARIABLE_PITCH;
        SetLogFontFace(*font, "ＭＳ Ｐゴシック");
    } else {
        font->lfPitchAndFamily = FF_SWISS | FIXED_PITCH;
        SetLogFontFace(*font, "ＭＳ ゴシック");
    }
}
