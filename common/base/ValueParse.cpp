#include "common/base/ValueParse.h"

#include "common/base/SingleByteText.h"
#include "framework/core/CString.h"
#include "framework/core/DateTime.h"
#include "framework/core/Numbers.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr double kSecondsPerDay = 86400.0;

// Steps shared by the real-number readers: single-byte form, right trim.
bool PrepareNumberText(const char* text, fw::CString& out)
{
    if (!text)
        return false;
    out = text;
    if (!ToSingleByteText(out))
        return false;
    out.TrimRight();
    return !out.IsEmpty();
}

bool IsDateCodeYearFirst(int16_t code) { return code == 100 || code == 102 || code == 107 || code == 111 || code == 113; }
bool IsDateCodeMonthFirst(int16_t code) { return code == 101 || code == 109 || code == 112 || code == 114; }
bool HasHundredths(int16_t code) { return code >= 111 && code <= 114; }

enum class FieldOrder { YearFirst, MonthFirst };

// The number at the start of a date token, as "%d" reads it; a number beyond
// int becomes a value no calendar field accepts.
bool ReadLeadingInt(const char* token, int& value)
{
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(token, &end, 10);
    if (end == token)
        return false;
    value = errno == ERANGE || v > INT_MAX || v < INT_MIN ? INT_MIN : static_cast<int>(v);
    return true;
}

bool ParseDate(const char* text, FieldOrder order, double* out)
{
    if (!text)
        return false;
    // Broken-down start values: year 70 as written (no century added, so a
    // reading without a year is refused), month 0, day 1, midnight.
    int fields[6] = {70, 0, 1, 0, 0, 0}; // year, month, day, hour, minute, second
    static constexpr int kYearFirst[6] = {0, 1, 2, 3, 4, 5};
    static constexpr int kMonthFirst[6] = {1, 2, 0, 3, 4, 5};
    const int* slot = order == FieldOrder::YearFirst ? kYearFirst : kMonthFirst;

    std::string copy(text);
    char* save = nullptr;
    int number = 0;
    bool haveNumber = false;
    bool yearFromText = false;
    int index = 0;
    for (char* tok = strtok_r(copy.data(), "/ :", &save); tok && index < 6;
         tok = strtok_r(nullptr, "/ :", &save), ++index) {
        int value = 0;
        if (ReadLeadingInt(tok, value)) {
            number = value;
            haveNumber = true;
        } else if (!haveNumber) {
            return false; // nothing earlier to fall back on
        }
        fields[slot[index]] = number;
        if (slot[index] == 0)
            yearFromText = true;
    }
    int year = fields[0];
    if (yearFromText) {
        if (year < 0)
            return false;
        if (year < 80)
            year += 2000;
        else if (year < 100)
            year += 1900;
    }
    double date = 0.0;
    if (!fw::FieldsToOleDate(year, fields[1], fields[2], fields[3], fields[4], fields[5], date))
        return false;
    *out = date;
    return true;
}

} // namespace

bool TextToDouble(const char* text, double* out)
{
    fw::CString s;
    if (!PrepareNumberText(text, s))
        return false;
    errno = 0;
    const char* end = nullptr;
    const double x = fw::StrToD(s.c_str(), &end);
    if (*end != '\0' || end == s.c_str() || errno == ERANGE || !std::isfinite(x))
        return false;
    *out = x;
    return true;
}

bool TextToFloat(const char* text, float* out)
{
    fw::CString s;
    if (!PrepareNumberText(text, s))
        return false;
    errno = 0;
    const char* end = nullptr;
    const double x = fw::StrToD(s.c_str(), &end);
    if (end == s.c_str() || errno == ERANGE || !std::isfinite(x) || fw::IsOutsideFloatRange(x))
        return false;
    *out = static_cast<float>(x);
    return true;
}

bool TextToInt(const char* text, int32_t* out)
{
    double x = 0.0;
    if (!TextToDouble(text, &x))
        return false;
    if (x < -2147483648.0 || x > 2147483647.0)
        return false;
    *out = static_cast<int32_t>(x);
    return true;
}

bool TextToShort(const char* text, int16_t* out, int base)
{
    if (!text)
        return false;
    errno = 0;
    const char* end = nullptr;
    const int32_t v = fw::StrToL32(text, &end, base);
    if (*end != '\0' || errno == ERANGE || v < -32768 || v > 32767)
        return false;
    *out = static_cast<int16_t>(v);
    return true;
}

bool TextToULong(const char* text, uint32_t* out, int base)
{
    if (!text)
        return false;
    errno = 0;
    const char* end = nullptr;
    const uint32_t v = fw::StrToUL32(text, &end, base);
    if (*end != '\0' || errno == ERANGE)
        return false;
    *out = v;
    return true;
}

bool ParseDateYearFirst(const char* text, double* out)
{
    return ParseDate(text, FieldOrder::YearFirst, out);
}

bool ParseDateMonthFirst(const char* text, double* out)
{
    return ParseDate(text, FieldOrder::MonthFirst, out);
}

bool TextToDateValue(const char* text, int16_t code, double* out)
{
    double date = 0.0;
    bool ok = false;
    if (IsDateCodeYearFirst(code))
        ok = ParseDateYearFirst(text, &date);
    else if (IsDateCodeMonthFirst(code))
        ok = ParseDateMonthFirst(text, &date);
    else
        return TextToDouble(text, out);
    if (!ok)
        return false;
    if (HasHundredths(code)) {
        // Only the digits after the point: an exponent there is no fraction of a second.
        if (const char* point = std::strchr(text, '.')) {
            const std::string fraction(point, 1 + std::strspn(point + 1, "0123456789"));
            // On the continuous day count, so that dates before 1899-12-30
            // (negative, with a forward-counting time) also move forward.
            date = fw::LinearToOleDate(fw::OleDateToLinear(date) + fw::Atof(fraction.c_str()) / kSecondsPerDay);
        }
    }
    *out = date;
    return true;
}
