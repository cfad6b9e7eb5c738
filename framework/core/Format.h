#pragma once

// printf for the program's texts.
//
// Every conversion takes its argument's real type, so a mismatch (a double
// for %d, a number for %s, too few or too many arguments) throws
// std::logic_error instead of printing garbage. Length modifiers h, hh, l,
// ll, L, I, I32, I64, j, z, t are accepted; only h (int16) and hh (int8)
// change the value. Integers print with the width of their own type: %d of
// an int64_t prints the whole value, %d of a uint32_t 0xFFFFFFFF prints -1,
// %x of an int32_t -1 prints ffffffff. Width and precision may be '*',
// taken from an integer argument.
//
// Numbers come out in the dialect of the original runtime: every exponent of
// e/E/g/G has at least three digits ("1.25e+003", "1e-005"). Non-finite
// values print as glibc does ("inf", "nan"); callers filter them.
//
// Locale: conversions go through snprintf, which follows LC_NUMERIC. The
// library never changes the locale; the program and the test mains set
// LC_NUMERIC to "C" at start-up, after anything (QApplication) that adopts
// the environment's locale.

#include "framework/core/CString.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace fw {

namespace detail {

struct FormatArg {
    enum class Kind : uint8_t { Signed, Unsigned, Floating, Text, Pointer };
    Kind kind = Kind::Signed;
    uint8_t bytes = 0;  // width of an integer argument
    int64_t i = 0;
    uint64_t u = 0;
    double d = 0.0;
    const char* s = nullptr;  // Text: not necessarily terminated
    size_t len = 0;
    const void* p = nullptr;
};

template <class T> FormatArg MakeFormatArg(const T& v)
{
    using U = std::remove_cv_t<T>;
    FormatArg a;
    if constexpr (std::is_same_v<U, CString>) {
        a.kind = FormatArg::Kind::Text;
        a.s = v.c_str();
        a.len = v.str().size();
    } else if constexpr (std::is_same_v<U, std::string> || std::is_same_v<U, std::string_view>) {
        a.kind = FormatArg::Kind::Text;
        a.s = v.data();
        a.len = v.size();
    } else if constexpr (std::is_array_v<U> &&
                         std::is_same_v<std::remove_cv_t<std::remove_extent_t<U>>, char>) {
        a.kind = FormatArg::Kind::Text;
        // A character buffer ends at its first NUL, or at its end.
        constexpr size_t extent = std::extent_v<U>;
        const char* nul = std::char_traits<char>::find(v, extent, '\0');
        a.s = v;
        a.len = nul ? static_cast<size_t>(nul - v) : extent;
    } else if constexpr (std::is_same_v<U, const char*> || std::is_same_v<U, char*>) {
        a.kind = FormatArg::Kind::Text;
        a.s = v ? v : "(null)";
        a.len = std::char_traits<char>::length(a.s);
    } else if constexpr (std::is_same_v<U, bool>) {
        a.kind = FormatArg::Kind::Signed;
        a.bytes = sizeof(int);
        a.i = v ? 1 : 0;
    } else if constexpr (std::is_enum_v<U>) {
        return MakeFormatArg(static_cast<std::underlying_type_t<U>>(v));
    } else if constexpr (std::is_integral_v<U>) {
        a.bytes = sizeof(U);
        if constexpr (std::is_signed_v<U>) {
            a.kind = FormatArg::Kind::Signed;
            a.i = static_cast<int64_t>(v);
        } else {
            a.kind = FormatArg::Kind::Unsigned;
            a.u = static_cast<uint64_t>(v);
        }
    } else if constexpr (std::is_floating_point_v<U>) {
        a.kind = FormatArg::Kind::Floating;
        a.d = static_cast<double>(v);
    } else if constexpr (std::is_pointer_v<U> || std::is_null_pointer_v<U>) {
        a.kind = FormatArg::Kind::Pointer;
        a.p = v;
    } else {
        static_assert(std::is_same_v<U, void>, "fw::Format: unsupported argument type");
    }
    return a;
}

// Appends the formatted text to `out`; throws std::logic_error on a mismatch.
void AppendFormatted(std::string& out, const char* fmt, const FormatArg* args, size_t count);

// Widens a C-library exponent to the original runtime's three digits.
std::string WidenExponent(std::string_view number);

} // namespace detail

template <class... A> CString Format(const char* fmt, const A&... args)
{
    const std::array<detail::FormatArg, sizeof...(A)> list{detail::MakeFormatArg(args)...};
    std::string out;
    detail::AppendFormatted(out, fmt, list.data(), list.size());
    return CString(std::move(out));
}

template <class... A> CString Format(const CString& fmt, const A&... args)
{
    return Format(fmt.c_str(), args...);
}

template <class... A> void CString::Format(const char* fmt, const A&... args)
{
    const std::array<detail::FormatArg, sizeof...(A)> list{detail::MakeFormatArg(args)...};
    std::string out;
    detail::AppendFormatted(out, fmt, list.data(), list.size());
    m_s = std::move(out);
}

template <class... A> void CString::AppendFormat(const char* fmt, const A&... args)
{
    const std::array<detail::FormatArg, sizeof...(A)> list{detail::MakeFormatArg(args)...};
    detail::AppendFormatted(m_s, fmt, list.data(), list.size());
}

// a * b / c with a 64-bit intermediate, rounded half away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

} // namespace fw
