#include "framework/core/Numbers.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cfloat>
#include <cmath>

namespace {

TEST(StrToD, RefusesFormsTheOriginalRuntimeDidNotRead)
{
    const char* refused[] = {"0x1A", "0X1", "inf", "INF", "Infinity", "nan", "NaN(1)", "  -inf", "+nan", " \t0x10"};
    for (const char* text : refused) {
        SCOPED_TRACE(text);
        const char* end = reinterpret_cast<const char*>(1);
        EXPECT_EQ(fw::StrToD(text, &end), 0.0);
        EXPECT_EQ(end, text);
    }
}

TEST(StrToD, ReadsDecimalNumbers)
{
    struct Row { const char* text; double value; size_t consumed; };
    const Row rows[] = {
        {" 12.5 ", 12.5, 5},
        {"-1e3x", -1000.0, 4},
        {"0", 0.0, 1},
        {"0.5V", 0.5, 3},
        {"in", 0.0, 0},
        {"", 0.0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const char* end = nullptr;
        EXPECT_EQ(fw::StrToD(r.text, &end), r.value);
        EXPECT_EQ(static_cast<size_t>(end - r.text), r.consumed);
    }
}

TEST(StrToD, RangeErrorsThroughErrno)
{
    errno = 0;
    fw::StrToD("1e400", nullptr);
    EXPECT_EQ(errno, ERANGE);
    errno = 0;
    fw::StrToD("1e-400", nullptr);
    EXPECT_EQ(errno, ERANGE);
    errno = 0;
    fw::StrToD("1e300", nullptr);
    EXPECT_EQ(errno, 0);
}

TEST(StrToD, AtofIgnoresTheTail)
{
    EXPECT_EQ(fw::Atof(".25"), 0.25);
    EXPECT_EQ(fw::Atof("3.5 s"), 3.5);
    EXPECT_EQ(fw::Atof("inf"), 0.0);
}

TEST(FloatRange, ExplicitChecks)
{
    EXPECT_TRUE(fw::FloatOverflows(1e39));
    EXPECT_TRUE(fw::FloatOverflows(-1e39));
    EXPECT_FALSE(fw::FloatOverflows(static_cast<double>(FLT_MAX)));
    EXPECT_TRUE(fw::FloatUnderflows(1e-39));
    EXPECT_FALSE(fw::FloatUnderflows(0.0));
    EXPECT_FALSE(fw::FloatUnderflows(static_cast<double>(FLT_MIN)));
    EXPECT_TRUE(fw::IsOutsideFloatRange(-1e-40));
    EXPECT_FALSE(fw::IsOutsideFloatRange(12.5));
}

TEST(StrToL32, ThirtyTwoBitLong)
{
    const char* end = nullptr;
    errno = 0;
    EXPECT_EQ(fw::StrToL32("2147483647", &end, 10), 2147483647);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(fw::StrToL32("2147483648", &end, 10), 2147483647);
    EXPECT_EQ(errno, ERANGE);
    errno = 0;
    EXPECT_EQ(fw::StrToL32("-2147483649", &end, 10), -2147483647 - 1);
    EXPECT_EQ(errno, ERANGE);
    errno = 0;
    EXPECT_EQ(fw::StrToL32("0x7F", &end, 0), 127);
    EXPECT_EQ(fw::StrToL32("12 ", &end, 10), 12);
    EXPECT_STREQ(end, " ");
}

TEST(StrToUL32, MinusWrapsInThirtyTwoBits)
{
    const char* end = nullptr;
    errno = 0;
    EXPECT_EQ(fw::StrToUL32("-1", &end, 10), 4294967295u);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(fw::StrToUL32("4294967295", &end, 10), 4294967295u);
    EXPECT_EQ(fw::StrToUL32("-4294967295", &end, 10), 1u);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(fw::StrToUL32("4294967296", &end, 10), 4294967295u);
    EXPECT_EQ(errno, ERANGE);
}

TEST(StrToL32, ABaseNoNumberHasReadsNothing)
{
    for (int base : {1, 37, -2}) {
        SCOPED_TRACE(base);
        const char* end = nullptr;
        const char* text = "12";
        EXPECT_EQ(fw::StrToL32(text, &end, base), 0);
        EXPECT_EQ(end, text);
        end = nullptr;
        EXPECT_EQ(fw::StrToUL32(text, &end, base), 0u);
        EXPECT_EQ(end, text);
    }
}

} // namespace
