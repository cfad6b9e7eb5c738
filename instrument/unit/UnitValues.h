#pragma once

// Conversions shared by the unit classes: values arrive as doubles from
// tables, files and instrument replies, and are kept in the narrowest integer
// that holds them. A value outside that integer is refused here instead of
// wrapping into some other setting.

#include "framework/core/Collections.h"
#include "framework/core/CString.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace unitvalue {

// The value CheckValue judges: the stored one for the stored-value marker.
inline int Candidate(int value, int stored, int storedMarker = 0x8000)
{
    return value == storedMarker ? stored : value;
}

// `value` truncated toward zero when that lies within T; false otherwise (and
// for infinities and NaN).
template <class T> bool ToInteger(double value, T& out)
{
    if (!std::isfinite(value))
        return false;
    const double t = std::trunc(value);
    if (t < static_cast<double>(std::numeric_limits<T>::min()) ||
        t > static_cast<double>(std::numeric_limits<T>::max()))
        return false;
    out = static_cast<T>(t);
    return true;
}

// A truncated integer value within [low, high].
inline bool ToIntegerIn(double value, int low, int high, int& out)
{
    int32_t v = 0;
    if (!ToInteger(value, v) || v < low || v > high)
        return false;
    out = v;
    return true;
}

// Coefficients, capacities and rated outputs: finite, not 0, and a
// magnitude from 1e-5 to 100000; `tolerance` widens both edges.
inline bool IsScaleMagnitude(double value, double tolerance = 0.0)
{
    if (!std::isfinite(value) || value == 0.0)
        return false;
    const double a = std::fabs(value);
    return a >= 1e-5 - tolerance && a <= 100000.0 + tolerance;
}

// The tolerance of the coefficient's edges: one step of a float mantissa.
inline constexpr double kCoefficientTolerance = 1.0 / 8388608.0; // 2^-23

// A value a float can hold without becoming infinite.
inline bool FitsFloat(double value)
{
    return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

template <class T> void Fill(fw::CArray<T>& array, int size, T value)
{
    array.SetSize(size);
    for (T& element : array)
        element = value;
}

// "%g" of a value, or an empty text when it has none (HUGE_VAL, NaN).
inline const char* FormatReal(double value, fw::CString& text)
{
    if (std::isfinite(value))
        text.Format("%g", value);
    else
        text.Empty();
    return text.c_str();
}

inline const char* FormatInt(int value, fw::CString& text)
{
    text.Format("%d", value);
    return text.c_str();
}

inline const char* SetText(const char* value, fw::CString& text)
{
    text = value;
    return text.c_str();
}

} // namespace unitvalue
