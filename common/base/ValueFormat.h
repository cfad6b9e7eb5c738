#pragma once

// Values to text by display-format code, and the digit counting of axis
// labels and averages. Numbers come out in the C locale with the original
// runtime's three-digit exponents ("1.25e+003").

#include "common/base/SingleByteText.h"
#include "common/base/ValueParse.h" // the readers of the same texts
#include "framework/core/CString.h"

#include <cstdint>

// Display-format codes that are not a decimal count.
inline constexpr int16_t kFormatNone = -9999;      // settings: no format, "%g"
inline constexpr int16_t kFormatGeneral18 = -10001; // "%.18g"
inline constexpr int16_t kFormatExponentBase = 50;  // 51..57: 1..7 exponent decimals
inline constexpr int16_t kFormatDateFirst = 100;
inline constexpr int16_t kFormatDateLast = 114;

// The text of `value` by display-format code (fixed 0..15, exponent 51..57,
// general -10001, dates 100..114, anything else "%g"); empty for a value
// that is not finite or a date outside the calendar.
void FormatDataValue(double value, int16_t code, fw::CString& out);
// "%.*g"; empty when not finite.
void FormatGeneral(double value, fw::CString& out, int precision);
// A printf pattern with one '*' precision and one double; empty when not finite.
void FormatPrecision(double value, const char* pattern, int16_t precision, fw::CString& out);
// "%.*e", magnitudes below the double epsilon as 0.
void FormatExponent(double value, int precision, fw::CString& out);
// "%.*f" without a negative zero; a negative count gives 6 decimals.
void RoundToDecimals(double value, int16_t decimals, fw::CString& out);
// A count of seconds since 1970 (UTC) in local time by date codes 100..108;
// other codes format the count as a plain value.
void FormatTimeStamp(uint32_t seconds, int16_t code, fw::CString& out);

// Cuts the trailing zero decimals of a fixed-point text (and a bare point);
// returns the decimals kept.
int16_t TrimDecimalZeros(fw::CString& text);
// Cuts the trailing zeros of an exponent text's mantissa ("1.250000e+003" to
// "1.25e+003"); returns the mantissa decimals kept. A text without an 'e' is
// left alone (0).
int16_t TrimMantissaZeros(fw::CString& text);
// Significant decimals of the mantissa at 7 significant digits (0..6).
int16_t GetSignificantDigits(double value);
// Decimals (0..6) the value needs when rounded to 6 decimal places.
int16_t CountRoundedDecimals(double value);
// Decimal places of the value printed with "%g" (precision -1) or "%.*g".
int16_t CountDecimalPlaces(double value, int precision);
// Rounds to 7 significant digits; a value that is not finite stays as it is.
void RoundToSevenDigits(double& value);
