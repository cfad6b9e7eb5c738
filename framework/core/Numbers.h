#pragma once

// Reading numbers from text, in the C locale whatever the process locale.
//
// The original runtime's strtod knew no hexadecimal, infinity or NaN texts;
// StrToD refuses them the same way (nothing read), so "inf" or "0x1A" typed
// into a cell is not a number here either.

#include <cstdint>

namespace fw {

// strtod in the C locale. After leading white space and a sign, "0x",
// "inf"/"infinity" and "nan" (any case) read nothing: the result is 0 and
// *end == text. A range error sets errno to ERANGE (callers clear errno first).
double StrToD(const char* text, const char** end);

// StrToD ignoring the tail; 0 when nothing is a number.
double Atof(const char* text);

// True when a finite double has no float of its own: |x| > FLT_MAX
// (overflow) or 0 < |x| < FLT_MIN (underflow).
bool IsOutsideFloatRange(double x);
bool FloatOverflows(double x);
bool FloatUnderflows(double x);

// strtol/strtoul with the 32-bit long of the original runtime: results
// beyond 32 bits saturate and set errno to ERANGE; strtoul's leading minus
// wraps in 32 bits ("-1" gives 4294967295).
int32_t StrToL32(const char* text, const char** end, int base);
uint32_t StrToUL32(const char* text, const char** end, int base);

} // namespace fw
