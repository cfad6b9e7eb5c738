#pragma once

// CP932 (Windows Japanese) at the edges of the program: files and the
// instrument link carry CP932, everything inside is UTF-8.
//
// The Microsoft table is used (0x5C is the backslash; 0x8160 is U+FF5E).
// Bytes that do not decode become U+FFFD; characters CP932 cannot hold
// become '?', as Windows' default character. All functions are safe to call
// from any thread.

#include <cstddef>
#include <string>
#include <string_view>

namespace fw::cp932 {

std::string ToCp932(std::string_view utf8);
std::string FromCp932(std::string_view bytes);

// Bytes the text takes in CP932 (half-width katakana count 1, an
// unencodable character counts 1 for its '?').
size_t ByteLength(std::string_view utf8);

// The longest leading part whose CP932 form has at most maxBytes bytes; a
// character is never split.
std::string Truncate(std::string_view utf8, size_t maxBytes);

bool Fits(std::string_view utf8, size_t maxBytes);

// Bytes of the UTF-8 character starting at text[0] (1 for a stray byte).
size_t Utf8CharLength(std::string_view text);

} // namespace fw::cp932
