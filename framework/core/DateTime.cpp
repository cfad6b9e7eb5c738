#include "framework/core/DateTime.h"

#include "framework/core/Services.h"

#include <cmath>
#include <cstdio>

namespace fw {

namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Days from 1970-01-01 to 1899-12-30.
constexpr int64_t kOleEpochFromUnix = -25569;
// 0100-01-01 and 9999-12-31 as OLE day numbers.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958465.0;

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

void AppendNumber(std::string& out, int value, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", digits, value);
    out += buf;
}

} // namespace

double OleDateToLinear(double date)
{
    // Below zero the integer part counts days back, the fraction forward.
    if (date >= 0.0)
        return date;
    const double whole = std::trunc(date);
    return whole + (whole - date);
}

double LinearToOleDate(double days)
{
    if (days >= 0.0)
        return days;
    const double whole = std::floor(days);
    const double fraction = days - whole;
    return fraction == 0.0 ? whole : whole - fraction;
}

bool OleDateToFields(double date, OleDateFields& out)
{
    if (!std::isfinite(date) || date < kMinDate - 1.0 || date > kMaxDate + 1.0)
        return false;
    const double linear = OleDateToLinear(date);
    const int64_t seconds = static_cast<int64_t>(std::floor(linear * kSecondsPerDay + 0.5));
    const int64_t day = FloorDiv(seconds, kSecondsPerDay);
    const int64_t secOfDay = seconds - day * kSecondsPerDay;
    OleDateFields f;
    CivilFromDays(day + kOleEpochFromUnix, f.year, f.month, f.day);
    if (f.year < 100 || f.year > 9999)
        return false;
    f.hour = static_cast<int>(secOfDay / 3600);
    f.minute = static_cast<int>(secOfDay / 60 % 60);
    f.second = static_cast<int>(secOfDay % 60);
    // 1899-12-30 was a Saturday.
    f.dayOfWeek = static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
    f.dayOfYear = static_cast<int>(day + kOleEpochFromUnix - DaysFromCivil(f.year, 1, 1)) + 1;
    out = f;
    return true;
}

bool FieldsToOleDate(int year, int month, int day, int hour, int minute, int second, double& out)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    const double days =
        static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                            kOleEpochFromUnix);
    const double time = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
    out = days < 0.0 ? days - time : days + time;
    return true;
}

// --- COleDateTimeSpan -------------------------------------------------------

COleDateTimeSpan::COleDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    m_span = static_cast<double>(days) + static_cast<double>(hours) / 24.0 +
             static_cast<double>(minutes) / 1440.0 + static_cast<double>(seconds) / 86400.0;
    m_status = valid;
}

namespace {
// The span in whole seconds, rounded half away from zero.
int64_t SpanSeconds(double span)
{
    return static_cast<int64_t>(std::llround(span * kSecondsPerDay));
}
} // namespace

long COleDateTimeSpan::GetDays() const { return static_cast<long>(SpanSeconds(m_span) / kSecondsPerDay); }
int COleDateTimeSpan::GetHours() const { return static_cast<int>(SpanSeconds(m_span) % kSecondsPerDay / 3600); }
int COleDateTimeSpan::GetMinutes() const { return static_cast<int>(SpanSeconds(m_span) % 3600 / 60); }
int COleDateTimeSpan::GetSeconds() const { return static_cast<int>(SpanSeconds(m_span) % 60); }

// --- COleDateTime -------------------------------------------------------------

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    double dt = 0.0;
    if (FieldsToOleDate(year, month, day, hour, minute, second, dt)) {
        m_dt = dt;
        m_status = valid;
        return 0;
    }
    m_dt = 0.0;
    m_status = invalid;
    return 1;
}

void COleDateTime::SetFromTimeT(time_t seconds)
{
    struct tm local {};
    if (!localtime_r(&seconds, &local)) {
        m_dt = 0.0;
        m_status = invalid;
        return;
    }
    SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec > 59 ? 59 : local.tm_sec);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    return COleDateTime(Clock().Now());
}

bool COleDateTime::GetAsFields(OleDateFields& out) const
{
    return m_status == valid && OleDateToFields(m_dt, out);
}

int COleDateTime::GetYear() const { OleDateFields f; return GetAsFields(f) ? f.year : -1; }
int COleDateTime::GetMonth() const { OleDateFields f; return GetAsFields(f) ? f.month : -1; }
int COleDateTime::GetDay() const { OleDateFields f; return GetAsFields(f) ? f.day : -1; }
int COleDateTime::GetHour() const { OleDateFields f; return GetAsFields(f) ? f.hour : -1; }
int COleDateTime::GetMinute() const { OleDateFields f; return GetAsFields(f) ? f.minute : -1; }
int COleDateTime::GetSecond() const { OleDateFields f; return GetAsFields(f) ? f.second : -1; }
int COleDateTime::GetDayOfWeek() const { OleDateFields f; return GetAsFields(f) ? f.dayOfWeek : -1; }
int COleDateTime::GetDayOfYear() const { OleDateFields f; return GetAsFields(f) ? f.dayOfYear : -1; }

CString COleDateTime::Format(const char* pattern) const
{
    OleDateFields f;
    if (!pattern || !GetAsFields(f))
        return CString();
    std::string out;
    for (const char* p = pattern; *p; ++p) {
        if (*p != '%' || p[1] == '\0') {
            out += *p;
            continue;
        }
        switch (*++p) {
        case 'Y': AppendNumber(out, f.year, 4); break;
        case 'y': AppendNumber(out, f.year % 100, 2); break;
        case 'm': AppendNumber(out, f.month, 2); break;
        case 'd': AppendNumber(out, f.day, 2); break;
        case 'H': AppendNumber(out, f.hour, 2); break;
        case 'M': AppendNumber(out, f.minute, 2); break;
        case 'S': AppendNumber(out, f.second, 2); break;
        case 'j': AppendNumber(out, f.dayOfYear, 3); break;
        case '%': out += '%'; break;
        default:
            // Unknown conversions stay visible rather than vanish.
            out += '%';
            out += *p;
            break;
        }
    }
    return CString(std::move(out));
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime r(LinearToOleDate(OleDateToLinear(m_dt) + span.m_span));
    if (m_status != valid || span.m_status != COleDateTimeSpan::valid)
        r.m_status = m_status == null ? null : invalid;
    return r;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const
{
    return *this + (-span);
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const
{
    COleDateTimeSpan r(OleDateToLinear(m_dt) - OleDateToLinear(other.m_dt));
    if (m_status != valid || other.m_status != valid)
        r.m_status = COleDateTimeSpan::invalid;
    return r;
}

bool operator==(const COleDateTime& a, const COleDateTime& b)
{
    return a.m_status == b.m_status && OleDateToLinear(a.m_dt) == OleDateToLinear(b.m_dt);
}

std::partial_ordering operator<=>(const COleDateTime& a, const COleDateTime& b)
{
    return OleDateToLinear(a.m_dt) <=> OleDateToLinear(b.m_dt);
}

} // namespace fw
