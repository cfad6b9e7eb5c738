#include "framework/core/Numbers.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace fw {

namespace {

locale_t CLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsNoCase(const char* p, const char* word)
{
    for (; *word; ++p, ++word) {
        if (Lower(*p) != *word)
            return false;
    }
    return true;
}

// The C library reads forms the original runtime did not know.
bool IsForeignNumberForm(const char* text)
{
    const char* p = text;
    while (IsSpace(*p))
        ++p;
    if (*p == '+' || *p == '-')
        ++p;
    return StartsNoCase(p, "0x") || StartsNoCase(p, "inf") || StartsNoCase(p, "nan");
}

} // namespace

double StrToD(const char* text, const char** end)
{
    if (!text) {
        if (end)
            *end = text;
        return 0.0;
    }
    if (IsForeignNumberForm(text)) {
        if (end)
            *end = text;
        return 0.0;
    }
    char* stop = nullptr;
    const double v = strtod_l(text, &stop, CLocale());
    if (end)
        *end = stop;
    return v;
}

double Atof(const char* text)
{
    const int saved = errno;
    const double v = StrToD(text, nullptr);
    errno = saved;
    return v;
}

bool FloatOverflows(double x)
{
    return std::isfinite(x) && std::fabs(x) > static_cast<double>(FLT_MAX);
}

bool FloatUnderflows(double x)
{
    const double a = std::fabs(x);
    return a != 0.0 && a < static_cast<double>(FLT_MIN);
}

bool IsOutsideFloatRange(double x) { return FloatOverflows(x) || FloatUnderflows(x); }

int32_t StrToL32(const char* text, const char** end, int base)
{
    // A base strtoll refuses leaves the end untouched: nothing was read.
    char* stop = const_cast<char*>(text);
    const long long v = strtoll_l(text, &stop, base, CLocale());
    if (end)
        *end = stop;
    if (v > std::numeric_limits<int32_t>::max()) {
        errno = ERANGE;
        return std::numeric_limits<int32_t>::max();
    }
    if (v < std::numeric_limits<int32_t>::min()) {
        errno = ERANGE;
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(v);
}

uint32_t StrToUL32(const char* text, const char** end, int base)
{
    const char* p = text;
    while (IsSpace(*p))
        ++p;
    const bool negative = *p == '-';
    char* stop = const_cast<char*>(text);
    const int saved = errno;
    errno = 0;
    const unsigned long long raw = strtoull_l(text, &stop, base, CLocale());
    const bool overflow = errno == ERANGE;
    errno = saved;
    if (end)
        *end = stop;
    // strtoull has already negated a leading minus in 64 bits.
    const unsigned long long magnitude = negative ? (0ULL - raw) : raw;
    if (overflow || magnitude > std::numeric_limits<uint32_t>::max()) {
        errno = ERANGE;
        return std::numeric_limits<uint32_t>::max();
    }
    return negative ? static_cast<uint32_t>(0U - static_cast<uint32_t>(magnitude))
                    : static_cast<uint32_t>(magnitude);
}

} // namespace fw
