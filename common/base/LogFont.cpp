#include "common/base/LogFont.h"

#include "framework/core/Archive.h"
#include "framework/core/Cp932.h"

#include <algorithm>
#include <cstring>
#include <string>

void SetLogFontFace(LOGFONT& font, const char* face)
{
    const std::string cut = fw::cp932::Truncate(face ? face : "", LF_FACESIZE - 1);
    // The CP932 limit keeps the UTF-8 form inside the field.
    const size_t n = std::min(cut.size(), sizeof font.lfFaceName - 1);
    std::memcpy(font.lfFaceName, cut.data(), n);
    std::memset(font.lfFaceName + n, 0, sizeof font.lfFaceName - n);
}

void SerializeLogFont(fw::CArchive& ar, LOGFONT& font)
{
    if (ar.IsStoring()) {
        ar << font.lfHeight << font.lfWidth << font.lfEscapement << font.lfOrientation << font.lfWeight;
        ar << font.lfItalic << font.lfUnderline << font.lfStrikeOut << font.lfCharSet << font.lfOutPrecision
           << font.lfClipPrecision << font.lfQuality << font.lfPitchAndFamily;
        // A face set in memory may be longer than the files allow; the
        // original program reads at most LF_FACESIZE - 1 bytes back.
        const std::string face(font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName));
        ar << fw::CString(fw::cp932::Truncate(face, LF_FACESIZE - 1));
    } else {
        ar >> font.lfHeight >> font.lfWidth >> font.lfEscapement >> font.lfOrientation >> font.lfWeight;
        ar >> font.lfItalic >> font.lfUnderline >> font.lfStrikeOut >> font.lfCharSet >> font.lfOutPrecision
           >> font.lfClipPrecision >> font.lfQuality >> font.lfPitchAndFamily;
        fw::CString face;
        ar >> face;
        SetLogFontFace(font, face.c_str());
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
