#include "common/base/SingleByteText.h"
#include "common/base/ValueParse.h"
#include "framework/core/DateTime.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace {

constexpr double kUntouched = 777.0;

struct NumberRow {
    const char* name;
    const char* text;
    bool ok;
    double value; // expected on success
};

std::string RowName(const char* name) { return name; }

// ------------------------------------------------------------------ double

class TextToDoubleTable : public ::testing::TestWithParam<NumberRow> {};

TEST_P(TextToDoubleTable, AcceptsOrRefuses)
{
    const NumberRow& row = GetParam();
    double out = kUntouched;
    EXPECT_EQ(TextToDouble(row.text, &out), row.ok);
    EXPECT_EQ(out, row.ok ? row.value : kUntouched);
}

const NumberRow kDoubleRows[] = {
    {"BlanksAround", " 12.5 ", true, 12.5},
    {"FullWidthDigits", "１２．５", true, 12.5},
    {"FullWidthSignAndIdeographicSpace", "　－３", true, -3.0},
    {"Exponent", "1e3", true, 1000.0},
    {"DecimalComma", "12,5", false, 0},
    {"Empty", "", false, 0},
    {"OnlyBlanks", "   ", false, 0},
    {"Overflow", "1e400", false, 0},
    {"Underflow", "1e-400", false, 0},
    {"Kanji", "漢", false, 0},
    {"TrailingUnit", "12.5V", false, 0},
    {"Hexadecimal", "0x10", false, 0},
    {"Infinity", "inf", false, 0},
    {"NotANumber", "nan", false, 0},
    {"NoSingleByteForm", "ヶ1", false, 0},
};
INSTANTIATE_TEST_SUITE_P(Texts, TextToDoubleTable, ::testing::ValuesIn(kDoubleRows),
                         [](const auto& info) { return RowName(info.param.name); });

// ------------------------------------------------------------------- float

class TextToFloatTable : public ::testing::TestWithParam<NumberRow> {};

TEST_P(TextToFloatTable, AcceptsOrRefuses)
{
    const NumberRow& row = GetParam();
    float out = 777.0f;
    EXPECT_EQ(TextToFloat(row.text, &out), row.ok);
    EXPECT_EQ(out, row.ok ? static_cast<float>(row.value) : 777.0f);
}

const NumberRow kFloatRows[] = {
    {"TrailingUnitIgnored", "12.5V", true, 12.5},
    {"FullWidth", "３.５", true, 3.5},
    {"LargeNegative", "-1e38", true, -1e38},
    {"LeadingLetter", "V12", false, 0},
    {"AboveFloatRange", "1e39", false, 0},
    {"BelowFloatRange", "1e-39", false, 0},
    {"AboveDoubleRange", "1e400", false, 0},
    {"Empty", "", false, 0},
    {"Infinity", "infinity", false, 0},
};
INSTANTIATE_TEST_SUITE_P(Texts, TextToFloatTable, ::testing::ValuesIn(kFloatRows),
                         [](const auto& info) { return RowName(info.param.name); });

// --------------------------------------------------------------------- int

class TextToIntTable : public ::testing::TestWithParam<NumberRow> {};

TEST_P(TextToIntTable, AcceptsOrRefuses)
{
    const NumberRow& row = GetParam();
    int32_t out = 777;
    EXPECT_EQ(TextToInt(row.text, &out), row.ok);
    EXPECT_EQ(out, row.ok ? static_cast<int32_t>(row.value) : 777);
}

const NumberRow kIntRows[] = {
    {"Largest", "2147483647", true, 2147483647.0},
    {"Smallest", "-2147483648", true, -2147483648.0},
    {"AboveRange", "2147483648", false, 0},
    {"BelowRange", "-2147483649", false, 0},
    {"TruncatesPositive", "12.7", true, 12},
    {"TruncatesNegative", "-0.5", true, 0},
    {"Exponent", "1e3", true, 1000},
    {"FullWidth", "１０", true, 10},
    {"Letters", "abc", false, 0},
};
INSTANTIATE_TEST_SUITE_P(Texts, TextToIntTable, ::testing::ValuesIn(kIntRows),
                         [](const auto& info) { return RowName(info.param.name); });

// ------------------------------------------------------- short and ulong

TEST(ValueParse, TextToShort)
{
    struct Row { const char* name; const char* text; int base; bool ok; int16_t value; };
    const Row rows[] = {
        {"largest", "32767", 10, true, 32767},
        {"smallest", "-32768", 10, true, -32768},
        {"above range", "32768", 10, false, 0},
        {"below range", "-32769", 10, false, 0},
        {"beyond 32 bits", "99999999999", 10, false, 0},
        {"trailing blank", "12 ", 10, false, 0},
        {"leading blank", " 12", 10, true, 12},
        {"empty is zero", "", 10, true, 0},
        {"no full-width conversion", "１２", 10, false, 0},
        {"hex prefix with base 0", "0x10", 0, true, 16},
        {"octal prefix with base 0", "010", 0, true, 8},
        {"hex digits with base 16", "7fff", 16, true, 32767},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        int16_t out = 777;
        EXPECT_EQ(TextToShort(row.text, &out, row.base), row.ok);
        EXPECT_EQ(out, row.ok ? row.value : 777);
    }
}

TEST(ValueParse, TextToULong)
{
    struct Row { const char* name; const char* text; int base; bool ok; uint32_t value; };
    const Row rows[] = {
        {"largest", "4294967295", 10, true, 4294967295u},
        {"above 32 bits", "4294967296", 10, false, 0},
        {"minus wraps", "-1", 10, true, 4294967295u},
        {"hexadecimal identifier", "0x1FBFFFFF", 16, true, 532676607u},
        {"trailing letter", "12x", 10, false, 0},
        {"empty is zero", "", 10, true, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        uint32_t out = 777;
        EXPECT_EQ(TextToULong(row.text, &out, row.base), row.ok);
        EXPECT_EQ(out, row.ok ? row.value : 777u);
    }
}

TEST(ValueParse, NullTextIsRefused)
{
    double d = kUntouched;
    float f = 1.0f;
    int32_t i = 1;
    int16_t s = 1;
    uint32_t u = 1;
    EXPECT_FALSE(TextToDouble(nullptr, &d));
    EXPECT_FALSE(TextToFloat(nullptr, &f));
    EXPECT_FALSE(TextToInt(nullptr, &i));
    EXPECT_FALSE(TextToShort(nullptr, &s, 10));
    EXPECT_FALSE(TextToULong(nullptr, &u, 10));
    EXPECT_FALSE(ParseDateYearFirst(nullptr, &d));
    EXPECT_FALSE(TextToDateValue(nullptr, 107, &d));
    EXPECT_EQ(d, kUntouched);
}

// ------------------------------------------------------------------- dates

double Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    double out = 0.0;
    EXPECT_TRUE(fw::FieldsToOleDate(y, mo, d, h, mi, s, out));
    return out;
}

struct DateRow {
    const char* name;
    const char* text;
    int16_t code;
    bool ok;
    double expected;
};

class TextToDateValueTable : public ::testing::TestWithParam<DateRow> {};

TEST_P(TextToDateValueTable, ReadsTheCodesLayout)
{
    const DateRow& row = GetParam();
    double out = kUntouched;
    EXPECT_EQ(TextToDateValue(row.text, row.code, &out), row.ok);
    if (row.ok)
        EXPECT_NEAR(out, row.expected, 1e-9); // a hundredth of a second is 1.2e-7 days
    else
        EXPECT_EQ(out, kUntouched);
}

const DateRow kDateRows[] = {
    {"LeapDay", "2024/2/29 23:59:59", 107, true, Date(2024, 2, 29, 23, 59, 59)},
    {"NoLeapDay", "2023/2/29", 107, false, 0},
    {"TwoDigitYear", "24/1/2", 107, true, Date(2024, 1, 2)},
    {"MissingDay", "2024/5", 107, true, Date(2024, 5, 1)},
    {"Year79Is2079", "79/1/1", 100, true, Date(2079, 1, 1)},
    {"Year80Is1980", "80/1/1", 100, true, Date(1980, 1, 1)},
    {"MonthThirteen", "2024/13/1", 107, false, 0},
    {"Hour24", "2024/1/1 24:00:00", 107, false, 0},
    {"MissingMonth", "2024", 107, false, 0},
    {"Empty", "", 107, false, 0},
    {"SeparatorRuns", "2024//1///2  3:4:5", 107, true, Date(2024, 1, 2, 3, 4, 5)},
    {"ExtraTokensIgnored", "2024/1/2 3:4:5 9", 107, true, Date(2024, 1, 2, 3, 4, 5)},
    {"TokenWithoutNumberRepeatsPrevious", "2024/3/x", 107, true, Date(2024, 3, 3)},
    {"FirstTokenWithoutNumber", "x/1/1", 107, false, 0},
    {"YearBeyondInt", "99999999999/1/1", 107, false, 0},
    {"NegativeYear", "-5/1/1", 107, false, 0},
    {"BareTimeRefused", "12:30:45", 102, false, 0},
    {"MonthFirst", "2/29/2024 23:59:59", 109, true, Date(2024, 2, 29, 23, 59, 59)},
    {"MonthFirstTwoDigitYear", "12/31/99", 101, true, Date(1999, 12, 31)},
    {"MonthFirstWithoutYear", "1/2", 109, false, 0},
    {"HalfSecond", "2024/01/02 03:04:05.5", 113, true, Date(2024, 1, 2, 3, 4, 5) + 0.5 / 86400},
    {"Hundredths111", "24/01/02 03:04:05.25", 111, true, Date(2024, 1, 2, 3, 4, 5) + 0.25 / 86400},
    {"HundredthsMonthFirst", "01/02/2024 03:04:05.25", 114, true, Date(2024, 1, 2, 3, 4, 5) + 0.25 / 86400},
    {"HundredthsIgnoredWithoutCode", "2024/01/02 03:04:05.5", 107, true, Date(2024, 1, 2, 3, 4, 5)},
    {"HundredthsBefore1899MoveForward", "1899/12/29 06:00:00.5", 113, true, -(1.0 + 21600.5 / 86400)},
    {"PlainNumberCode104", "45000.25", 104, true, 45000.25},
    {"PlainNumberCode110", "45000", 110, true, 45000.0},
    {"PlainNumberRefused", "2024/1/2", 103, false, 0},
};
INSTANTIATE_TEST_SUITE_P(Texts, TextToDateValueTable, ::testing::ValuesIn(kDateRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(ValueParse, DateReadersTakeTheirFieldOrder)
{
    double out = kUntouched;
    EXPECT_TRUE(ParseDateYearFirst("2024/3/4", &out));
    EXPECT_EQ(out, Date(2024, 3, 4));
    EXPECT_TRUE(ParseDateMonthFirst("3/4/2024", &out));
    EXPECT_EQ(out, Date(2024, 3, 4));
    EXPECT_FALSE(ParseDateMonthFirst("2024/3/4", &out));
    EXPECT_EQ(out, Date(2024, 3, 4));
}

// ------------------------------------------------------ single-byte text

TEST(ValueParse, ToSingleByteText)
{
    struct Row { const char* name; const char* text; bool ok; const char* expected; };
    const Row rows[] = {
        {"full-width ASCII", "ＡＢＣ１２３！～", true, "ABC123!~"},
        {"ideographic space", "１　２", true, "1 2"},
        {"katakana", "カタカナ", true, "ｶﾀｶﾅ"},
        {"voiced marks split", "ガパヴ", true, "ｶﾞﾊﾟｳﾞ"},
        {"small katakana", "ァッャ", true, "ｧｯｬ"},
        {"punctuation with half-width forms", "、。「」・ー", true, "､｡｢｣･ｰ"},
        {"half-width stays", "ｱｲｳ abc", true, "ｱｲｳ abc"},
        {"kanji", "漢字", false, "漢字"},
        {"small ke", "1ヶ月", false, "1ヶ月"},
        {"hiragana", "あ", false, "あ"},
        {"latin accent", "é", false, "é"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fw::CString text(row.text);
        EXPECT_EQ(ToSingleByteText(text), row.ok);
        EXPECT_EQ(text.str(), row.expected);
    }
}

} // namespace
