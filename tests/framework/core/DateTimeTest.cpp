#include "framework/core/DateTime.h"

#include "framework/core/testing/ServiceScope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using fw::COleDateTime;
using fw::COleDateTimeSpan;

std::string Fields(double dt)
{
    return COleDateTime(dt).Format("%Y-%m-%d %H:%M:%S").str();
}

constexpr double kSecond = 1.0 / 86400.0;

TEST(COleDateTime, FieldsOfKnownDates)
{
    struct Row { const char* name; double dt; const char* text; int dayOfWeek; int dayOfYear; };
    const Row rows[] = {
        {"midday_2023", 45000.5, "2023-03-15 12:00:00", 4, 74},
        {"day_one", 1.0, "1899-12-31 00:00:00", 1, 365},
        {"epoch", 0.0, "1899-12-30 00:00:00", 7, 364},
        {"negative_time_is_forward_fraction", -1.25, "1899-12-29 06:00:00", 6, 363},
        {"negative_half_day", -0.5, "1899-12-30 12:00:00", 7, 364},
        {"leap_day", 45351.0, "2024-02-29 00:00:00", 5, 60},
        {"first_valid", -657434.0, "0100-01-01 00:00:00", 6, 1},
        {"last_valid", 2958465.999988426, "9999-12-31 23:59:59", 6, 365},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const COleDateTime t(r.dt);
        EXPECT_EQ(Fields(r.dt), r.text);
        EXPECT_EQ(t.GetDayOfWeek(), r.dayOfWeek);
        EXPECT_EQ(t.GetDayOfYear(), r.dayOfYear);
    }
}

TEST(COleDateTime, FieldsRoundToTheNearestSecond)
{
    struct Row { const char* name; double dt; const char* text; };
    const Row rows[] = {
        {"below_half_down", 45000.5 + 0.4 * kSecond, "2023-03-15 12:00:00"},
        {"half_up", 45000.5 + 0.5 * kSecond, "2023-03-15 12:00:01"},
        {"above_half_up", 45000.5 + 0.6 * kSecond, "2023-03-15 12:00:01"},
        {"carry_into_next_day", 45001.0 - 0.3 * kSecond, "2023-03-16 00:00:00"},
        {"carry_into_next_year", 45292.0 - 0.2 * kSecond, "2024-01-01 00:00:00"},
        {"negative_date_rounds_time_forward", -1.25 - 0.6 * kSecond, "1899-12-29 06:00:01"},
        {"negative_date_carries_to_epoch", -1.0 - (1.0 - 0.2 * kSecond), "1899-12-30 00:00:00"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(Fields(r.dt), r.text);
    }
}

TEST(COleDateTime, SetDateTimeValidates)
{
    struct Row { const char* name; int y, mo, d, h, mi, s; bool ok; };
    const Row rows[] = {
        {"ordinary", 2023, 3, 15, 12, 0, 0, true},
        {"year_100", 100, 1, 1, 0, 0, 0, true},
        {"year_9999", 9999, 12, 31, 23, 59, 59, true},
        {"year_99", 99, 12, 31, 0, 0, 0, false},
        {"year_70_of_an_unset_field", 70, 1, 1, 0, 0, 0, false},
        {"year_10000", 10000, 1, 1, 0, 0, 0, false},
        {"month_0", 2023, 0, 1, 0, 0, 0, false},
        {"month_13", 2023, 13, 1, 0, 0, 0, false},
        {"feb_29_common_year", 2023, 2, 29, 0, 0, 0, false},
        {"feb_29_leap_year", 2024, 2, 29, 0, 0, 0, true},
        {"feb_29_1900", 1900, 2, 29, 0, 0, 0, false},
        {"apr_31", 2024, 4, 31, 0, 0, 0, false},
        {"hour_24", 2024, 1, 1, 24, 0, 0, false},
        {"minute_60", 2024, 1, 1, 0, 60, 0, false},
        {"second_60", 2024, 1, 1, 0, 0, 60, false},
        {"negative_second", 2024, 1, 1, 0, 0, -1, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        COleDateTime t;
        EXPECT_EQ(t.SetDateTime(r.y, r.mo, r.d, r.h, r.mi, r.s), r.ok ? 0 : 1);
        EXPECT_EQ(t.GetStatus(), r.ok ? COleDateTime::valid : COleDateTime::invalid);
        if (r.ok) {
            EXPECT_EQ(t.GetYear(), r.y);
            EXPECT_EQ(t.GetMonth(), r.mo);
            EXPECT_EQ(t.GetDay(), r.d);
            EXPECT_EQ(t.GetHour(), r.h);
            EXPECT_EQ(t.GetMinute(), r.mi);
            EXPECT_EQ(t.GetSecond(), r.s);
        } else {
            EXPECT_EQ(t.GetYear(), -1);
            EXPECT_EQ(t.Format("%Y"), "");
        }
    }
}

TEST(COleDateTime, ValuesOfFields)
{
    EXPECT_EQ(COleDateTime(2023, 3, 15, 12, 0, 0).m_dt, 45000.5);
    EXPECT_EQ(COleDateTime(1899, 12, 29, 6, 0, 0).m_dt, -1.25);
    EXPECT_EQ(COleDateTime(1899, 12, 30, 18, 0, 0).m_dt, 0.75);
    EXPECT_EQ(COleDateTime(100, 1, 1, 0, 0, 0).m_dt, -657434.0);
}

TEST(COleDateTime, FieldsRoundTripAcrossTheRange)
{
    // Convert, convert back, compare: what date reading relies on.
    const int dates[][6] = {{100, 1, 1, 0, 0, 0},     {1582, 10, 15, 1, 2, 3}, {1899, 12, 29, 23, 59, 59},
                            {1899, 12, 30, 0, 0, 1},  {1900, 3, 1, 12, 0, 0},  {1970, 1, 1, 0, 0, 0},
                            {2000, 2, 29, 8, 30, 15}, {2079, 6, 6, 6, 6, 6},   {9999, 12, 31, 23, 59, 59}};
    for (const auto& d : dates) {
        SCOPED_TRACE(testing::Message() << d[0] << "-" << d[1] << "-" << d[2]);
        double dt = 0;
        ASSERT_TRUE(fw::FieldsToOleDate(d[0], d[1], d[2], d[3], d[4], d[5], dt));
        fw::OleDateFields f;
        ASSERT_TRUE(fw::OleDateToFields(dt, f));
        EXPECT_EQ((std::vector<int>{f.year, f.month, f.day, f.hour, f.minute, f.second}),
                  (std::vector<int>(d, d + 6)));
    }
    double untouched = 7.0;
    EXPECT_FALSE(fw::FieldsToOleDate(2023, 2, 29, 0, 0, 0, untouched));
    EXPECT_EQ(untouched, 7.0);
    fw::OleDateFields f;
    EXPECT_FALSE(fw::OleDateToFields(3e6, f));
    EXPECT_FALSE(fw::OleDateToFields(HUGE_VAL, f));
}

TEST(COleDateTime, FormatIsOwnAndWorksBefore1900)
{
    const COleDateTime t(1850, 7, 4, 13, 5, 9);
    EXPECT_EQ(t.Format("%Y/%m/%d %H:%M:%S"), "1850/07/04 13:05:09");
    EXPECT_EQ(t.Format("%y|%j|%%|%q|end%"), "50|185|%|%q|end%");
    EXPECT_EQ(COleDateTime(1.0).Format("%y/%m/%d %H:%M:%S"), "99/12/31 00:00:00");
    EXPECT_EQ(COleDateTime(45000.5).Format("%Y%m%d%H%M"), "202303151200");
    EXPECT_EQ(COleDateTime(1999, 1, 2, 3, 4, 5).Format("平成 %y年"), "平成 99年");
}

TEST(COleDateTime, ArithmeticAcrossTheEpoch)
{
    const COleDateTime noon(0.5);
    EXPECT_EQ((noon - COleDateTimeSpan(1.0)).m_dt, -1.5);
    EXPECT_EQ((noon - COleDateTimeSpan(0.75)).m_dt, -1.75);
    EXPECT_EQ((COleDateTime(-1.25) + COleDateTimeSpan(1.0)).m_dt, 0.25);
    EXPECT_EQ((COleDateTime(-1.25) - COleDateTime(0.25)).m_span, -1.0);
    EXPECT_EQ((COleDateTime(45000.5) + COleDateTimeSpan(1, 6, 0, 0)).Format("%Y-%m-%d %H"), "2023-03-16 18");
    // -1.25 (06:00) is earlier than -1.5 (12:00) on the same day.
    EXPECT_LT(COleDateTime(-1.25), COleDateTime(-1.5));
    EXPECT_LT(COleDateTime(-1.75), COleDateTime(0.0));
    EXPECT_EQ(COleDateTime(-0.5), COleDateTime(0.5));
}

TEST(COleDateTimeSpan, Parts)
{
    const COleDateTimeSpan s(2, 3, 4, 5);
    EXPECT_EQ(s.GetDays(), 2);
    EXPECT_EQ(s.GetHours(), 3);
    EXPECT_EQ(s.GetMinutes(), 4);
    EXPECT_EQ(s.GetSeconds(), 5);
    EXPECT_DOUBLE_EQ(s.GetTotalHours(), 51.0 + 4.0 / 60 + 5.0 / 3600);
}

TEST(COleDateTime, FromTimeTIsLocalTime)
{
    // The test main pins TZ to JST-9.
    EXPECT_EQ(COleDateTime(time_t{0}).Format("%Y-%m-%d %H:%M:%S"), "1970-01-01 09:00:00");
    const time_t newYear = 1704034800;
    const COleDateTime converted = newYear;  // never read as a count of days
    EXPECT_EQ(converted.Format("%Y-%m-%d %H:%M:%S"), "2024-01-01 00:00:00");
}

TEST(COleDateTime, CurrentTimeComesFromTheClockService)
{
    fw::test::ServiceScope services;
    services.clock.SetNow(1704034800);
    EXPECT_EQ(COleDateTime::GetCurrentTime().Format("%Y-%m-%d %H:%M:%S"), "2024-01-01 00:00:00");
    services.clock.SleepMs(61500);
    EXPECT_EQ(COleDateTime::GetCurrentTime().Format("%H:%M:%S"), "00:01:01");
}

} // namespace
