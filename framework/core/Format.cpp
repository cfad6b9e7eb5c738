#include "framework/core/Format.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace fw {

namespace detail {

namespace {

struct Spec {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alt = false;
    bool zero = false;
    int width = -1;
    int precision = -1;
    int shortBytes = 0;  // 2 for h, 1 for hh
    char conv = 0;
};

[[noreturn]] void Fail(const char* fmt, const char* what)
{
    throw std::logic_error(std::string("Format(\"") + (fmt ? fmt : "") + "\"): " + what);
}

class Cursor {
public:
    Cursor(const char* fmt, const FormatArg* args, size_t count) : m_fmt(fmt), m_args(args), m_count(count) {}

    const FormatArg& Next(const char* what)
    {
        if (m_used >= m_count)
            Fail(m_fmt, what);
        return m_args[m_used++];
    }

    int NextInt()
    {
        const FormatArg& a = Next("missing argument for '*'");
        if (a.kind == FormatArg::Kind::Signed)
            return static_cast<int>(a.i);
        if (a.kind == FormatArg::Kind::Unsigned)
            return static_cast<int>(a.u);
        Fail(m_fmt, "'*' needs an integer argument");
    }

    void CheckAllUsed() const
    {
        if (m_used != m_count)
            Fail(m_fmt, "more arguments than conversions");
    }

    const char* Fmt() const { return m_fmt; }

private:
    const char* m_fmt;
    const FormatArg* m_args;
    size_t m_count;
    size_t m_used = 0;
};

// The digits of a width or precision; a count beyond int is a broken format.
int ParseCount(const char*& p, const Cursor& cur)
{
    int n = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (n > (std::numeric_limits<int>::max() - (*p - '0')) / 10)
            Fail(cur.Fmt(), "width or precision too large");
        n = n * 10 + (*p - '0');
    }
    return n;
}

// Reads flags, width, precision and length of one conversion; `p` points
// after the '%' and is left after the conversion character.
Spec ParseSpec(const char*& p, Cursor& cur)
{
    Spec s;
    for (;; ++p) {
        if (*p == '-') s.left = true;
        else if (*p == '+') s.plus = true;
        else if (*p == ' ') s.space = true;
        else if (*p == '#') s.alt = true;
        else if (*p == '0') s.zero = true;
        else if (*p == '\'') {}  // grouping is locale text; not used
        else break;
    }
    if (*p == '*') {
        ++p;
        s.width = cur.NextInt();
        if (s.width < 0) {
            s.left = true;
            s.width = s.width == std::numeric_limits<int>::min() ? 0 : -s.width;
        }
    } else if (*p >= '0' && *p <= '9') {
        s.width = ParseCount(p, cur);
    }
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            ++p;
            s.precision = cur.NextInt();
            if (s.precision < 0)
                s.precision = -1;
        } else {
            s.precision = ParseCount(p, cur);
        }
    }
    for (;;) {
        if (p[0] == 'h' && p[1] == 'h') { s.shortBytes = 1; p += 2; }
        else if (*p == 'h') { s.shortBytes = 2; ++p; }
        else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') p += 3;
        else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') p += 3;
        else if (*p == 'I' || *p == 'l' || *p == 'L' || *p == 'j' || *p == 'z' || *p == 't' || *p == 'q') ++p;
        else break;
    }
    s.conv = *p;
    if (s.conv == '\0')
        Fail(cur.Fmt(), "incomplete conversion at the end");
    ++p;
    return s;
}

std::string Flags(const Spec& s, bool withZero)
{
    std::string f = "%";
    if (s.left) f += '-';
    if (s.plus) f += '+';
    if (s.space) f += ' ';
    if (s.alt) f += '#';
    if (withZero && s.zero) f += '0';
    return f;
}

std::string PrintfOne(const std::string& cfmt, auto value)
{
    char buf[128];
    const int n = std::snprintf(buf, sizeof buf, cfmt.c_str(), value);
    if (n < 0)
        throw std::logic_error("Format: conversion failed");
    if (static_cast<size_t>(n) < sizeof buf)
        return std::string(buf, static_cast<size_t>(n));
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), cfmt.c_str(), value);
    big.resize(static_cast<size_t>(n));
    return big;
}

void Pad(std::string& out, std::string body, const Spec& s, bool zeroAllowed)
{
    const size_t width = s.width > 0 ? static_cast<size_t>(s.width) : 0;
    if (body.size() >= width) {
        out += body;
        return;
    }
    const size_t fill = width - body.size();
    if (s.left) {
        out += body;
        out.append(fill, ' ');
    } else if (zeroAllowed && s.zero) {
        size_t signLen = (!body.empty() && (body[0] == '-' || body[0] == '+' || body[0] == ' ')) ? 1 : 0;
        out.append(body, 0, signLen);
        out.append(fill, '0');
        out.append(body, signLen);
    } else {
        out.append(fill, ' ');
        out += body;
    }
}

int64_t SignedValue(const FormatArg& a, int shortBytes)
{
    int64_t v;
    if (a.kind == FormatArg::Kind::Signed) {
        v = a.i;
    } else {
        switch (a.bytes) {
        case 1: v = static_cast<int8_t>(a.u); break;
        case 2: v = static_cast<int16_t>(a.u); break;
        case 4: v = static_cast<int32_t>(a.u); break;
        default: v = static_cast<int64_t>(a.u); break;
        }
    }
    if (shortBytes == 2) v = static_cast<int16_t>(v);
    if (shortBytes == 1) v = static_cast<int8_t>(v);
    return v;
}

uint64_t UnsignedValue(const FormatArg& a, int shortBytes)
{
    uint64_t v = a.kind == FormatArg::Kind::Unsigned ? a.u : static_cast<uint64_t>(a.i);
    const int bytes = shortBytes ? shortBytes : a.bytes;
    if (bytes < 8)
        v &= (uint64_t{1} << (8 * bytes)) - 1;
    return v;
}

bool IsInteger(const FormatArg& a)
{
    return a.kind == FormatArg::Kind::Signed || a.kind == FormatArg::Kind::Unsigned;
}

void ConvertInteger(std::string& out, const Spec& s, const FormatArg& a, const char* fmt)
{
    if (!IsInteger(a))
        Fail(fmt, "integer conversion needs an integer argument");
    std::string cfmt = Flags(s, true);
    if (s.width >= 0) cfmt += std::to_string(s.width);
    if (s.precision >= 0) cfmt += "." + std::to_string(s.precision);
    cfmt += "ll";
    cfmt += s.conv;
    if (s.conv == 'd' || s.conv == 'i')
        out += PrintfOne(cfmt, static_cast<long long>(SignedValue(a, s.shortBytes)));
    else
        out += PrintfOne(cfmt, static_cast<unsigned long long>(UnsignedValue(a, s.shortBytes)));
}

void ConvertFloating(std::string& out, const Spec& s, const FormatArg& a, const char* fmt)
{
    if (a.kind != FormatArg::Kind::Floating)
        Fail(fmt, "floating conversion needs a floating-point argument");
    std::string cfmt = Flags(s, false);
    if (s.precision >= 0) cfmt += "." + std::to_string(s.precision);
    cfmt += s.conv;
    std::string body = PrintfOne(cfmt, a.d);
    if (s.conv == 'e' || s.conv == 'E' || s.conv == 'g' || s.conv == 'G')
        body = WidenExponent(body);
    Pad(out, std::move(body), s, std::isfinite(a.d));
}

void ConvertText(std::string& out, const Spec& s, const FormatArg& a, const char* fmt)
{
    if (a.kind != FormatArg::Kind::Text)
        Fail(fmt, "%s needs a text argument");
    size_t n = a.len;
    if (s.precision >= 0 && static_cast<size_t>(s.precision) < n)
        n = static_cast<size_t>(s.precision);
    Pad(out, std::string(a.s, n), s, false);
}

void ConvertChar(std::string& out, const Spec& s, const FormatArg& a, const char* fmt)
{
    if (!IsInteger(a))
        Fail(fmt, "%c needs a character argument");
    const char ch = static_cast<char>(a.kind == FormatArg::Kind::Signed ? a.i : static_cast<int64_t>(a.u));
    Pad(out, std::string(1, ch), s, false);
}

void ConvertPointer(std::string& out, const Spec& s, const FormatArg& a, const char* fmt)
{
    if (a.kind != FormatArg::Kind::Pointer)
        Fail(fmt, "%p needs a pointer argument");
    // The original runtime's form: all hex digits, upper case, no prefix.
    Pad(out, PrintfOne("%016llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(a.p))), s, false);
}

} // namespace

std::string WidenExponent(std::string_view number)
{
    const size_t e = number.find_first_of("eE");
    if (e == std::string_view::npos || e + 1 >= number.size())
        return std::string(number);
    size_t digits = e + 1;
    if (number[digits] == '+' || number[digits] == '-')
        ++digits;
    size_t end = digits;
    while (end < number.size() && number[end] >= '0' && number[end] <= '9')
        ++end;
    std::string out(number.substr(0, digits));
    if (end - digits < 3)
        out.append(3 - (end - digits), '0');
    out.append(number.substr(digits));
    return out;
}

void AppendFormatted(std::string& out, const char* fmt, const FormatArg* args, size_t count)
{
    if (!fmt)
        throw std::logic_error("Format: null format");
    Cursor cur(fmt, args, count);
    const char* p = fmt;
    while (*p) {
        const char* pct = p;
        while (*pct && *pct != '%')
            ++pct;
        out.append(p, pct);
        if (!*pct)
            break;
        p = pct + 1;
        if (*p == '%') {
            out += '%';
            ++p;
            continue;
        }
        const Spec s = ParseSpec(p, cur);
        switch (s.conv) {
        case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
            ConvertInteger(out, s, cur.Next("missing argument"), fmt);
            break;
        case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
            ConvertFloating(out, s, cur.Next("missing argument"), fmt);
            break;
        case 's':
            ConvertText(out, s, cur.Next("missing argument"), fmt);
            break;
        case 'c':
            ConvertChar(out, s, cur.Next("missing argument"), fmt);
            break;
        case 'p':
            ConvertPointer(out, s, cur.Next("missing argument"), fmt);
            break;
        default:
            Fail(fmt, "unsupported conversion");
        }
    }
    cur.CheckAllUsed();
}

} // namespace detail

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const int64_t p = static_cast<int64_t>(a) * b;
    const int64_t ap = p < 0 ? -p : p;
    const int64_t ac = c < 0 ? -static_cast<int64_t>(c) : c;
    int64_t q = ap / ac;
    if (2 * (ap % ac) >= ac)
        ++q;
    const int64_t r = ((p < 0) != (c < 0)) ? -q : q;
    if (r < std::numeric_limits<int>::min() || r > std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(r);
}

} // namespace fw
