#include "common/base/SingleByteText.h"

#include <cstdint>
#include <string>

namespace {

constexpr char32_t kHalfWidthVoiced = 0xFF9E;     // ﾞ
constexpr char32_t kHalfWidthSemiVoiced = 0xFF9F; // ﾟ

// Full-width katakana U+30A1..U+30F6: low byte = half-width code - 0xFF00,
// high byte = 1 for a following voiced mark, 2 for a semi-voiced mark;
// 0 = no half-width form (small wa, wi, we, small ka, small ke).
constexpr uint16_t V = 0x100, P = 0x200;
constexpr uint16_t kKatakana[] = {
    0x67, 0x71, 0x68, 0x72, 0x69, 0x73, 0x6A, 0x74, 0x6B, 0x75,                 // ァア..ォオ
    0x76, 0x76 | V, 0x77, 0x77 | V, 0x78, 0x78 | V, 0x79, 0x79 | V, 0x7A, 0x7A | V, // カガ..コゴ
    0x7B, 0x7B | V, 0x7C, 0x7C | V, 0x7D, 0x7D | V, 0x7E, 0x7E | V, 0x7F, 0x7F | V, // サザ..ソゾ
    0x80, 0x80 | V, 0x81, 0x81 | V, 0x6F, 0x82, 0x82 | V, 0x83, 0x83 | V, 0x84, 0x84 | V, // タダチヂッツヅテデトド
    0x85, 0x86, 0x87, 0x88, 0x89,                                               // ナ..ノ
    0x8A, 0x8A | V, 0x8A | P, 0x8B, 0x8B | V, 0x8B | P, 0x8C, 0x8C | V, 0x8C | P, // ハバパ..フブプ
    0x8D, 0x8D | V, 0x8D | P, 0x8E, 0x8E | V, 0x8E | P,                         // ヘベペホボポ
    0x8F, 0x90, 0x91, 0x92, 0x93,                                               // マ..モ
    0x6C, 0x94, 0x6D, 0x95, 0x6E, 0x96,                                         // ャヤュユョヨ
    0x97, 0x98, 0x99, 0x9A, 0x9B,                                               // ラ..ロ
    0, 0x9C, 0, 0, 0x66, 0x9D, 0x73 | V, 0, 0,                                  // ヮワヰヱヲンヴヵヶ
};
static_assert(sizeof kKatakana / sizeof kKatakana[0] == 0x30F6 - 0x30A1 + 1);

bool DecodeUtf8(const std::string& s, size_t& i, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = b0 < 0x80 ? 0 : (b0 & 0xE0) == 0xC0 ? 1 : (b0 & 0xF0) == 0xE0 ? 2 : (b0 & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size())
        return false;
    cp = extra == 0 ? b0 : b0 & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (b & 0x3F);
    }
    i += extra + 1;
    return true;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsHalfWidthKatakana(char32_t cp) { return cp >= 0xFF61 && cp <= 0xFF9F; }

// Appends the single-byte form of `cp`; false when it has none.
bool AppendSingleByte(std::string& out, char32_t cp)
{
    if (cp < 0x80 || IsHalfWidthKatakana(cp)) {
        AppendUtf8(out, cp);
        return true;
    }
    if (cp >= 0xFF01 && cp <= 0xFF5E) {
        out += static_cast<char>(cp - 0xFEE0);
        return true;
    }
    if (cp >= 0x30A1 && cp <= 0x30F6) {
        const uint16_t e = kKatakana[cp - 0x30A1];
        if (!e)
            return false;
        AppendUtf8(out, 0xFF00 + (e & 0xFF));
        if (e & V)
            AppendUtf8(out, kHalfWidthVoiced);
        if (e & P)
            AppendUtf8(out, kHalfWidthSemiVoiced);
        return true;
    }
    char32_t single = 0;
    switch (cp) {
    case 0x3000: single = U' '; break;
    case 0x3001: single = 0xFF64; break; // 、
    case 0x3002: single = 0xFF61; break; // 。
    case 0x300C: single = 0xFF62; break; // 「
    case 0x300D: single = 0xFF63; break; // 」
    case 0x30FB: single = 0xFF65; break; // ・
    case 0x30FC: single = 0xFF70; break; // ー
    case 0x309B: single = kHalfWidthVoiced; break;
    case 0x309C: single = kHalfWidthSemiVoiced; break;
    default: return false;
    }
    AppendUtf8(out, single);
    return true;
}

} // namespace

bool ToSingleByteText(fw::CString& text)
{
    const std::string& in = text.str();
    std::string out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size();) {
        char32_t cp = 0;
        if (!DecodeUtf8(in, i, cp) || !AppendSingleByte(out, cp))
            return false;
    }
    text = std::move(out);
    return true;
}
