#include "common/base/ValueFormat.h"

#include "common/base/ValueParse.h"
#include "framework/core/DateTime.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

const char* DatePattern(int16_t code)
{
    switch (code) {
    case 100: case 111: return "%y/%m/%d %H:%M:%S";
    case 101: case 112: return "%m/%d/%y %H:%M:%S";
    case 102: return "%H:%M:%S";
    case 103: return "%y/%m/%d";
    case 104: return "%m/%d";
    case 105: return "%m/%d %H";
    case 106: return "%H:%M";
    case 107: case 113: return "%Y/%m/%d %H:%M:%S";
    case 108: return "%Y%m%d%H%M";
    case 109: case 114: return "%m/%d/%Y %H:%M:%S";
    case 110: return "%m/%d/%y";
    default: return nullptr;
    }
}

bool HasHundredths(int16_t code) { return code >= 111 && code <= 114; }

constexpr double kSecondsPerDay = 86400.0;

// The date moved to a whole second and the hundredths of the second it
// held. A fraction that rounds to a full hundred hundredths (0.995 on)
// counts as the next second, so 12:00:01.997 shows as 12:00:02.00 and
// never as 12:00:01.00. The arithmetic runs on the continuous day count so
// that dates before 1899-12-30, whose OLE values are negative, move forward
// in time too.
double SplitHundredths(double value, int& hundredths)
{
    const double days = fw::OleDateToLinear(value);
    const double timeOfDay = days - std::floor(days);
    const double secondsOfDay = timeOfDay * kSecondsPerDay;
    const double fraction = secondsOfDay - std::floor(secondsOfDay);
    const int rounded = static_cast<int>(std::floor(fraction * 100.0 + 0.5));
    if (rounded >= 100) {
        hundredths = 0;
        return fw::LinearToOleDate(days + (1.0 - fraction) / kSecondsPerDay);
    }
    hundredths = rounded;
    return fw::LinearToOleDate(days - fraction / kSecondsPerDay);
}

// Empty for a date outside the calendar (years 100..9999).
void FormatDate(double value, int16_t code, fw::CString& out)
{
    if (!HasHundredths(code)) {
        out = fw::COleDateTime(value).Format(DatePattern(code));
        return;
    }
    int hundredths = 0;
    const double whole = SplitHundredths(value, hundredths);
    out = fw::COleDateTime(whole).Format(DatePattern(code));
    if (!out.IsEmpty())
        out.AppendFormat(".%02d", hundredths);
}

// Exponent forms print tiny magnitudes (rounding noise around zero) as 0.
double ZeroBelowEpsilon(double value)
{
    return std::fabs(value) < DBL_EPSILON ? 0.0 : value;
}

// "-0", "-0.00": what remains of a negative value too small for the decimals shown.
bool IsNegativeZeroText(const fw::CString& text)
{
    const std::string& s = text.str();
    return s.size() > 1 && s[0] == '-' && s.find_first_not_of("0.", 1) == std::string::npos;
}

} // namespace

void FormatDataValue(double value, int16_t code, fw::CString& out)
{
    out.Empty();
    if (!std::isfinite(value))
        return;
    if (code >= 0 && code <= 15)
        out.Format("%.*f", static_cast<int>(code), value);
    else if (code > kFormatExponentBase && code <= kFormatExponentBase + 7)
        out.Format("%.*e", code - kFormatExponentBase, value);
    else if (code == kFormatGeneral18)
        out.Format("%.*g", 18, value);
    else if (code >= kFormatDateFirst && code <= kFormatDateLast)
        FormatDate(value, code, out);
    else
        out.Format("%g", value);
}

void FormatGeneral(double value, fw::CString& out, int precision)
{
    out.Empty();
    if (!std::isfinite(value))
        return;
    if (precision == 6)
        out.Format("%g", value);
    else
        out.Format("%.*g", precision, value);
}

void FormatPrecision(double value, const char* pattern, int16_t precision, fw::CString& out)
{
    out.Empty();
    if (!std::isfinite(value) || !pattern)
        return;
    out.Format(pattern, static_cast<int>(precision), value);
}

void FormatExponent(double value, int precision, fw::CString& out)
{
    out.Format("%.*e", precision, ZeroBelowEpsilon(value));
}

void RoundToDecimals(double value, int16_t decimals, fw::CString& out)
{
    if (decimals > 0 && std::fabs(value) < 5.0 * std::pow(10.0, -(decimals + 1)))
        value = 0.0;
    out.Format("%.*f", static_cast<int>(decimals), value);
    // Also for 0 and negative counts, which the threshold above leaves out.
    if (IsNegativeZeroText(out))
        out.Delete(0);
}

void FormatTimeStamp(uint32_t seconds, int16_t code, fw::CString& out)
{
    if (code < kFormatDateFirst || code > 108) {
        FormatDataValue(static_cast<double>(seconds), code, out);
        return;
    }
    const time_t t = static_cast<time_t>(seconds);
    struct tm local {};
    char buffer[256];
    if (!localtime_r(&t, &local) || std::strftime(buffer, sizeof buffer, DatePattern(code), &local) == 0) {
        out.Empty();
        return;
    }
    out = buffer;
}

int16_t TrimDecimalZeros(fw::CString& text)
{
    const int point = text.Find('.');
    if (point < 0)
        return 0;
    const std::string& s = text.str();
    int lastNonZero = point;
    int i = point + 1;
    for (; i < text.GetLength() && s[i] >= '0' && s[i] <= '9'; ++i)
        if (s[i] != '0')
            lastNonZero = i;
    text.Delete(lastNonZero + 1, i - lastNonZero - 1);
    if (lastNonZero == point)
        text.Delete(point);
    return static_cast<int16_t>(lastNonZero - point);
}

int16_t TrimMantissaZeros(fw::CString& text)
{
    const int e = text.FindOneOf("eE");
    if (e < 0)
        return 0;
    const int point = text.Find('.');
    if (point < 0 || point > e)
        return 0;
    const std::string& s = text.str();
    int last = e - 1;
    while (last > point && s[last] == '0')
        --last;
    const int kept = last - point;
    // Cut the zeros, and the point when no decimal is left.
    const int cutFrom = kept == 0 ? point : last + 1;
    text.Delete(cutFrom, e - cutFrom);
    return static_cast<int16_t>(kept);
}

int16_t GetSignificantDigits(double value)
{
    fw::CString text;
    FormatExponent(value, 6, text);
    return TrimMantissaZeros(text);
}

int16_t CountRoundedDecimals(double value)
{
    fw::CString text;
    RoundToDecimals(value, 6, text);
    return TrimDecimalZeros(text);
}

int16_t CountDecimalPlaces(double value, int precision)
{
    fw::CString text;
    if (precision == -1)
        text.Format("%g", value);
    else
        text.Format("%.*g", precision, value);
    const int point = text.Find('.');
    const int e = text.FindOneOf("eE");
    if (e < 0)
        return static_cast<int16_t>(point < 0 ? 0 : text.GetLength() - point - 1);
    const int exponent = std::atoi(text.c_str() + e + 1);
    if (exponent >= 0)
        return 0;
    // Every mantissa decimal adds a place: 1.25e-005 is 0.0000125.
    const int mantissaDecimals = point < 0 || point > e ? 0 : e - point - 1;
    return static_cast<int16_t>(-exponent + mantissaDecimals);
}

void RoundToSevenDigits(double& value)
{
    fw::CString text;
    FormatExponent(value, 6, text);
    double rounded = 0.0;
    if (TextToDouble(text.c_str(), &rounded))
        value = rounded;
}
