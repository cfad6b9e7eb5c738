#pragma once

// OLE Automation dates: days since 1899-12-30 00:00, the fraction being the
// time of day. Before that day the value is negative but the fraction still
// counts forward from midnight: -1.25 is 1899-12-29 06:00. Calendar fields
// are proleptic Gregorian, years 100 to 9999, and read to the nearest second.

#include "framework/core/CString.h"

#include <concepts>
#include <ctime>

namespace fw {

// Calendar fields of a date (a struct tm without its offsets).
struct OleDateFields {
    int year = 0;    // 100..9999
    int month = 0;   // 1..12
    int day = 0;     // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 0;  // 1 Sunday .. 7 Saturday
    int dayOfYear = 0;  // 1..366
};

// Date to fields, rounded to the nearest second (half a second up); false
// outside years 100..9999 or for a non-finite value.
bool OleDateToFields(double date, OleDateFields& out);

// Fields to date; false (and `out` untouched) unless every field is in its
// range: year 100..9999, month 1..12, day within the month, hour 0..23,
// minute and second 0..59.
bool FieldsToOleDate(int year, int month, int day, int hour, int minute, int second, double& out);

class COleDateTimeSpan {
public:
    enum Status { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() = default;
    COleDateTimeSpan(double days) : m_span(days) {}
    COleDateTimeSpan(long days, int hours, int minutes, int seconds);

    void SetDateTimeSpan(long days, int hours, int minutes, int seconds);
    Status GetStatus() const { return m_status; }

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24.0; }
    double GetTotalMinutes() const { return m_span * 1440.0; }
    double GetTotalSeconds() const { return m_span * 86400.0; }
    long GetDays() const;   // whole days, toward zero
    int GetHours() const;   // 0..23 of the remaining part (sign of the span)
    int GetMinutes() const;
    int GetSeconds() const;

    COleDateTimeSpan operator+(const COleDateTimeSpan& o) const { return COleDateTimeSpan(m_span + o.m_span); }
    COleDateTimeSpan operator-(const COleDateTimeSpan& o) const { return COleDateTimeSpan(m_span - o.m_span); }
    COleDateTimeSpan operator-() const { return COleDateTimeSpan(-m_span); }
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& o) { m_span += o.m_span; return *this; }
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& o) { m_span -= o.m_span; return *this; }
    friend bool operator==(const COleDateTimeSpan& a, const COleDateTimeSpan& b) { return a.m_span == b.m_span; }
    friend auto operator<=>(const COleDateTimeSpan& a, const COleDateTimeSpan& b) { return a.m_span <=> b.m_span; }

    double m_span = 0.0;
    Status m_status = valid;
};

class COleDateTime {
public:
    enum Status { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    COleDateTime(double date) : m_dt(date) {}
    // Local time of a time_t. The constraint keeps COleDateTime(0) a date
    // value, and a time_t never silently becomes a count of days.
    template <class T>
        requires std::same_as<T, time_t>
    COleDateTime(T seconds) { SetFromTimeT(seconds); }
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    // 0 when set, else 1 with the status invalid.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
    int SetTime(int hour, int minute, int second) { return SetDateTime(1899, 12, 30, hour, minute, second); }
    void SetFromTimeT(time_t seconds);
    void SetStatus(Status s) { m_status = s; }
    Status GetStatus() const { return m_status; }

    // Now, local time, from the installed clock.
    static COleDateTime GetCurrentTime();

    // Fields to the nearest second; -1 when the date is not valid.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 Sunday .. 7 Saturday
    int GetDayOfYear() const;
    bool GetAsFields(OleDateFields& out) const;

    // %Y (four digits) %y %m %d %H %M %S %j %% and literal text; empty when
    // the date is not valid. Works for every year 100..9999.
    CString Format(const char* pattern) const;

    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }
    COleDateTime& operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }
    COleDateTimeSpan operator-(const COleDateTime& other) const;

    // Order in time (negative values compared as the dates they mean).
    friend bool operator==(const COleDateTime& a, const COleDateTime& b);
    friend std::partial_ordering operator<=>(const COleDateTime& a, const COleDateTime& b);

    double m_dt = 0.0;
    Status m_status = valid;
};

// OLE value to a continuous count of days (1899-12-29 06:00 = -0.75) and back.
double OleDateToLinear(double date);
double LinearToOleDate(double days);

} // namespace fw
