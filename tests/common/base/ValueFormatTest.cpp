#include "common/base/ValueFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// An OLE date from a day number and a time of day in seconds.
double At(double day, double secondsOfDay)
{
    return day + secondsOfDay / 86400.0;
}

struct FormatRow {
    const char* name;
    double value;
    int16_t code;
    const char* expected;
};

class FormatDataValueTable : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatDataValueTable, GivesTheText)
{
    const FormatRow& row = GetParam();
    fw::CString out("stale");
    FormatDataValue(row.value, row.code, out);
    EXPECT_EQ(out.str(), row.expected);
}

// 45000 is 2023-03-15; 2.0 is 1900-01-01, where doubles resolve far below a
// microsecond, for the cases that turn on fractions of a second.
const FormatRow kFormatRows[] = {
    {"HugeValFixed", HUGE_VAL, 2, ""},
    {"HugeValDate", HUGE_VAL, 107, ""},
    {"NegativeHugeValGeneral", -HUGE_VAL, -10001, ""},
    {"NaNNoFormat", kNaN, -9999, ""},
    {"FixedTwo", 3.14159, 2, "3.14"},
    {"FixedZero", 3.6, 0, "4"},
    {"FixedFifteen", 0.1, 15, "0.100000000000000"},
    {"ExponentThree", 3.14159, 53, "3.142e+000"},
    {"ExponentOne", -1234.5, 51, "-1.2e+003"},
    {"ExponentSeven", 1e-5, 57, "1.0000000e-005"},
    {"CodeFiftyIsGeneral", 3.14159, 50, "3.14159"},
    {"NoFormatCode", 3.14159, -9999, "3.14159"},
    {"GeneralExponent", 1e-5, 58, "1e-005"},
    {"CodeSixteenIsGeneral", 1234567.0, 16, "1.23457e+006"},
    {"General18", 3.14159, -10001, "3.14158999999999988"},
    {"AboveDateCodes", 2.5, 115, "2.5"},
    {"OtherNegativeCode", 2.5, -1, "2.5"},
    {"Date107", 45000.5, 107, "2023/03/15 12:00:00"},
    {"Date100", 45000.5, 100, "23/03/15 12:00:00"},
    {"Date101", 45000.5, 101, "03/15/23 12:00:00"},
    {"Date102", 45000.5, 102, "12:00:00"},
    {"Date103", 45000.5, 103, "23/03/15"},
    {"Date104", 45000.5, 104, "03/15"},
    {"Date105", 45000.5, 105, "03/15 12"},
    {"Date106", 45000.5, 106, "12:00"},
    {"Date108", 45000.5, 108, "202303151200"},
    {"Date109", 45000.5, 109, "03/15/2023 12:00:00"},
    {"Date110", 45000.5, 110, "03/15/23"},
    {"TwoDigitYearBefore1900", 1.0, 100, "99/12/31 00:00:00"},
    {"TwoDigitYearBefore1900MonthFirst", 1.0, 101, "12/31/99 00:00:00"},
    {"TwoDigitYearBefore1900DateOnly", 1.5, 103, "99/12/31"},
    {"Hundredths113", At(45000, 43201.25), 113, "2023/03/15 12:00:01.25"},
    {"Hundredths111", At(45000, 43201.25), 111, "23/03/15 12:00:01.25"},
    {"Hundredths112", At(45000, 43201.25), 112, "03/15/23 12:00:01.25"},
    {"Hundredths114", At(45000, 43201.25), 114, "03/15/2023 12:00:01.25"},
    {"HundredthsNextSecond", At(2, 43201.9999995), 113, "1900/01/01 12:00:02.00"},
    {"HundredthsRoundUpToNextSecond", At(2, 43201.997), 113, "1900/01/01 12:00:02.00"},
    {"HundredthsAcrossMidnight", At(2, 86399.999), 113, "1900/01/02 00:00:00.00"},
    {"HundredthsBefore1899", -(1.0 + 21600.5 / 86400.0), 113, "1899/12/29 06:00:00.50"},
    {"HundredthsBefore1899NextSecond", -(1.0 + 21600.997 / 86400.0), 113, "1899/12/29 06:00:01.00"},
    {"SecondRoundsUpFromSixTenths", At(2, 43200.6), 107, "1900/01/01 12:00:01"},
    {"SecondStaysBelowHalf", At(2, 43200.4), 107, "1900/01/01 12:00:00"},
    {"DateBeyondYear9999", 1e7, 107, ""},
    {"DateBeforeYear100", -1e6, 113, ""},
};

INSTANTIATE_TEST_SUITE_P(Codes, FormatDataValueTable, ::testing::ValuesIn(kFormatRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ValueFormat, RoundToDecimalsPrintsNoNegativeZero)
{
    struct Row { const char* name; double value; int16_t decimals; const char* expected; };
    const Row rows[] = {
        {"tiny negative to zero", -0.004, 2, "0.00"},
        {"negative rounds away", -0.006, 2, "-0.01"},
        {"plain", 12.345678, 3, "12.346"},
        {"no decimals", -0.3, 0, "0"},
        {"no decimals rounds", -2.7, 0, "-3"},
        {"negative count uses six", 2.5, -1, "2.500000"},
        {"negative count tiny negative", -1e-7, -1, "0.000000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fw::CString out;
        RoundToDecimals(row.value, row.decimals, out);
        EXPECT_EQ(out.str(), row.expected);
    }
}

TEST(ValueFormat, GeneralPrecisionAndExponentForms)
{
    struct Row { const char* name; fw::CString out; const char* expected; };
    fw::CString a, b, c, d, e, f, g, h, i;
    FormatGeneral(1234567.0, a, 6);
    FormatGeneral(0.1, b, 17);
    FormatGeneral(HUGE_VAL, c, 6);
    FormatPrecision(3.14159, "%.*f", 3, d);
    FormatPrecision(3.14159, "%.*e", 2, e);
    FormatPrecision(kNaN, "%.*f", 2, f);
    FormatExponent(1e-17, 3, g);
    FormatExponent(-1e-17, 2, h);
    FormatExponent(12345.0, 2, i);
    const Row rows[] = {
        {"general six", a, "1.23457e+006"},
        {"general seventeen", b, "0.10000000000000001"},
        {"general infinite", c, ""},
        {"precision fixed", d, "3.142"},
        {"precision exponent", e, "3.14e+000"},
        {"precision NaN", f, ""},
        {"exponent below epsilon", g, "0.000e+000"},
        {"exponent negative below epsilon", h, "0.00e+000"},
        {"exponent plain", i, "1.23e+004"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.out.str(), row.expected);
    }
}

TEST(ValueFormat, TimeStampsAreLocalTime)
{
    // The test main pins TZ to JST-9.
    struct Row { const char* name; uint32_t seconds; int16_t code; const char* expected; };
    const Row rows[] = {
        {"epoch 107", 0, 107, "1970/01/01 09:00:00"},
        {"epoch 100", 0, 100, "70/01/01 09:00:00"},
        {"epoch 108", 0, 108, "197001010900"},
        {"2023 107", 1700000000u, 107, "2023/11/15 07:13:20"},
        {"2023 102", 1700000000u, 102, "07:13:20"},
        {"largest count", 4294967295u, 107, "2106/02/07 15:28:15"},
        {"fixed code formats the count", 90, 2, "90.00"},
        {"code 109 formats the count as a date", 0, 109, "12/30/1899 00:00:00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fw::CString out;
        FormatTimeStamp(row.seconds, row.code, out);
        EXPECT_EQ(out.str(), row.expected);
    }
}

TEST(ValueFormat, TrimmingZeros)
{
    struct Row { const char* name; bool mantissa; const char* text; const char* expected; int16_t kept; };
    const Row rows[] = {
        {"decimals cut", false, "1.2500", "1.25", 2},
        {"point cut", false, "3.000", "3", 0},
        {"no point", false, "42", "42", 0},
        {"negative", false, "-0.010", "-0.01", 2},
        {"integer zeros stay", false, "10.0", "10", 0},
        {"mantissa cut", true, "1.250000e+003", "1.25e+003", 2},
        {"mantissa point cut", true, "1.000000e+003", "1e+003", 0},
        {"mantissa full", true, "-9.876543e-005", "-9.876543e-005", 6},
        {"mantissa without point", true, "1e+003", "1e+003", 0},
        {"no exponent left alone", true, "12.50", "12.50", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fw::CString text(row.text);
        const int16_t kept = row.mantissa ? TrimMantissaZeros(text) : TrimDecimalZeros(text);
        EXPECT_EQ(text.str(), row.expected);
        EXPECT_EQ(kept, row.kept);
    }
}

TEST(ValueFormat, DigitCounts)
{
    struct Row { const char* name; int16_t got; int16_t expected; };
    const Row rows[] = {
        {"significant 1250", GetSignificantDigits(1250.0), 2},
        {"significant 1000", GetSignificantDigits(1000.0), 0},
        {"significant pi", GetSignificantDigits(3.14159), 5},
        {"significant seven digits", GetSignificantDigits(1.2345678), 6},
        {"significant below epsilon", GetSignificantDigits(1e-20), 0},
        {"rounded 0.5", CountRoundedDecimals(0.5), 1},
        {"rounded 2.25", CountRoundedDecimals(2.25), 2},
        {"rounded beyond six", CountRoundedDecimals(1.0000004), 0},
        {"rounded six", CountRoundedDecimals(0.1234567), 6},
        {"rounded tiny negative", CountRoundedDecimals(-0.0000004), 0},
        {"places 1.5e-5", CountDecimalPlaces(1.5e-5, -1), 6},
        {"places 1e-5", CountDecimalPlaces(1e-5, -1), 5},
        {"places 2.5e8", CountDecimalPlaces(2.5e8, -1), 0},
        {"places 0.125", CountDecimalPlaces(0.125, -1), 3},
        {"places integer", CountDecimalPlaces(12.0, -1), 0},
        {"places 15 digits", CountDecimalPlaces(0.0001, 15), 4},
        {"places two mantissa decimals", CountDecimalPlaces(1.25e-5, -1), 7},
        {"places zero first decimal", CountDecimalPlaces(1.05e-5, -1), 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.got, row.expected);
    }
}

TEST(ValueFormat, RoundToSevenDigits)
{
    struct Row { const char* name; double value; double expected; };
    const Row rows[] = {
        {"pi", 3.14159265, 3.141593},
        {"large", 123456789.0, 123456800.0},
        {"below epsilon", 1e-17, 0.0},
        {"negative", -0.000123456789, -0.0001234568},
        {"infinite stays", HUGE_VAL, HUGE_VAL},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        double v = row.value;
        RoundToSevenDigits(v);
        EXPECT_EQ(v, row.expected);
    }
    double nan = kNaN;
    RoundToSevenDigits(nan);
    EXPECT_TRUE(std::isnan(nan));
}

} // namespace
