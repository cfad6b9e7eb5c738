#include "canvoicegps/CanNameText.h"

#include "canvoicegps/CanAttributes.h"
#include "common/base/SingleByteText.h"
#include "framework/core/Cp932.h"

namespace {

// Half-width katakana are single bytes in the Japanese code page and count
// as printable there.
bool IsHalfWidthKatakana(std::string_view ch)
{
    // U+FF61..U+FF9F in UTF-8: EF BD A1..BF, EF BE 80..9F.
    if (ch.size() != 3 || static_cast<unsigned char>(ch[0]) != 0xEF)
        return false;
    const auto b1 = static_cast<unsigned char>(ch[1]);
    const auto b2 = static_cast<unsigned char>(ch[2]);
    return (b1 == 0xBD && b2 >= 0xA1 && b2 <= 0xBF) || (b1 == 0xBE && b2 >= 0x80 && b2 <= 0x9F);
}

bool IsPrintableSingleByte(std::string_view ch)
{
    if (ch.size() == 1)
        return ch[0] > 0x20 && ch[0] < 0x7F;
    return IsHalfWidthKatakana(ch);
}

} // namespace

bool MakeCanName(const char* text, bool allowEmpty, fw::CString& name)
{
    fw::CString single(text ? text : "");
    if (!ToSingleByteText(single))
        return false;
    single.Remove(' ');
    const std::string_view all = single.view();
    std::string kept;
    int chars = 0;
    for (size_t pos = 0; pos < all.size();) {
        const size_t len = fw::cp932::Utf8CharLength(all.substr(pos));
        const std::string_view ch = all.substr(pos, len == 0 ? 1 : len);
        if (!IsPrintableSingleByte(ch))
            return false;
        if (chars < canattr::kNameChars)
            kept.append(ch);
        ++chars;
        pos += ch.size();
    }
    if (kept.empty() && !allowEmpty)
        return false;
    name = fw::CString(std::move(kept));
    return true;
}

fw::CString CutCanName(const fw::CString& text)
{
    const std::string_view all = text.view();
    size_t pos = 0;
    for (int chars = 0; pos < all.size() && chars < canattr::kNameChars; ++chars) {
        const size_t len = fw::cp932::Utf8CharLength(all.substr(pos));
        pos += len == 0 ? 1 : len;
    }
    return fw::CString(all.substr(0, pos));
}
