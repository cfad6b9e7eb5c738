#pragma once

// Text to value with strict acceptance: each function answers true and
// writes its output only when the whole text is a valid value of the wanted
// type; on failure the output keeps its old value. Numbers are read in the C
// locale; full-width digits and signs are accepted where the function says.

#include <cstdint>

// A real number; full-width characters are taken as their ASCII forms,
// white space around the number is allowed. Refused: trailing characters,
// an empty text, values beyond the double range (also underflow) and
// non-finite values.
bool TextToDouble(const char* text, double* out);
// As TextToDouble, but characters after the number are ignored ("12.5V" is
// 12.5) and the value must fit a float.
bool TextToFloat(const char* text, float* out);
// TextToDouble, then the value truncated toward zero, which must lie in the
// 32-bit range ("1e3" is 1000, "12.7" is 12).
bool TextToInt(const char* text, int32_t* out);
// The whole text in `base` (0: C prefixes) as a 16-bit integer; leading
// white space is allowed, nothing may follow the digits, an empty text is 0.
bool TextToShort(const char* text, int16_t* out, int base);
// The whole text in `base` as an unsigned 32-bit integer; a leading minus
// wraps ("-1" is 4294967295), an empty text is 0.
bool TextToULong(const char* text, uint32_t* out, int base);

// A date and time "y/m/d h:m:s" (or "m/d/y h:m:s"), separated by any runs of
// '/', ' ' and ':'; missing fields are month 0 (invalid), day 1, time
// 00:00:00; years below 80 are 20xx, 80..99 are 19xx. The result is an OLE
// date; false when the fields do not form a valid date and time.
bool ParseDateYearFirst(const char* text, double* out);
bool ParseDateMonthFirst(const char* text, double* out);

// Reads the text the way display-format `code` shows it: the date codes by
// their field order (with fractions of a second for the hundredths codes),
// every other code as the OLE date written as a plain number.
bool TextToDateValue(const char* text, int16_t code, double* out);
