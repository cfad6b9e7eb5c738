#include "instrument/unit/Kiv465Unit.h"

#include "framework/core/Exceptions.h"
#include "tests/instrument/unit/UnitTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using unittest::CheckTextRows;
using unittest::CheckValueRows;
using unittest::NewUnit;
using unittest::Text;

namespace {

constexpr int kStored = CKivUnit::kStoredValue;

TEST(Kiv465Unit, NewUnitShowsItsDefaults)
{
    auto unit = NewUnit<CKiv465Unit>();
    EXPECT_EQ(unit->GetTypeCode(), 7);
    for (int ch = 0; ch < 8; ++ch) {
        SCOPED_TRACE(ch);
        EXPECT_EQ(Text(*unit, ch, 0), "SET");
        EXPECT_EQ(Text(*unit, ch, 50), "有効");
        EXPECT_EQ(Text(*unit, ch, 25), "");
        EXPECT_EQ(unit->GetValue(ch, 200), 16.0);
        const bool pulse = ch < 4;
        const bool bits = ch == 7;
        EXPECT_EQ(Text(*unit, ch, 7), pulse ? "FREQ." : bits ? "NONE" : "COUNT(Unsigned)");
        EXPECT_EQ(Text(*unit, ch, 38), pulse ? "100000" : bits ? "" : "30000");
        EXPECT_EQ(Text(*unit, ch, 20), Text(*unit, ch, 38));
        EXPECT_EQ(Text(*unit, ch, 39), pulse ? "高" : "");
        EXPECT_EQ(Text(*unit, ch, 40), pulse ? "+1000" : "");
        EXPECT_EQ(Text(*unit, ch, 41), pulse ? "-1000" : "");
        EXPECT_EQ(Text(*unit, ch, 11), bits ? "" : "OFF");
        EXPECT_EQ(Text(*unit, ch, 12), "");
        EXPECT_EQ(Text(*unit, ch, 13), bits ? "" : "相対");
        EXPECT_EQ(Text(*unit, ch, 24), "1");
        EXPECT_EQ(Text(*unit, ch, 33), "0");
        EXPECT_EQ(Text(*unit, ch, 42), bits ? " 0;0;0;0" : "");
        EXPECT_EQ(Text(*unit, ch, 99), "");
        EXPECT_EQ(unit->GetValue(ch, 39), pulse ? 3.0 : HUGE_VAL);
        EXPECT_EQ(unit->GetValue(ch, 12), bits ? HUGE_VAL : 32768.0);
    }
    for (int index = 7; index <= 10; ++index)
        EXPECT_EQ(Text(*unit, index, 37), "NONE") << index;
    EXPECT_TRUE(unit->HasInputs());
    EXPECT_FALSE(unit->IsOutput());
    EXPECT_FALSE(unit->IsRecordable());
}

TEST(Kiv465Unit, EachBitFunctionBelongsToOneBitInput)
{
    auto unit = NewUnit<CKiv465Unit>();
    ASSERT_TRUE(unit->SetValue(8, 37, 1));
    ASSERT_TRUE(unit->SetValue(9, 37, 1));
    EXPECT_EQ(unit->GetValue(8, 37), 0.0);
    EXPECT_EQ(unit->GetValue(9, 37), 1.0);
    EXPECT_EQ(Text(*unit, 7, 7), "MARK");
    EXPECT_EQ(Text(*unit, 7, 42), " 0;0;1;0");
    EXPECT_FALSE(unit->SetValue(3, 37, 1));
    EXPECT_FALSE(unit->SetValue(8, 37, 100));
    EXPECT_FALSE(unit->SetValue(8, 37, 11));
}

TEST(Kiv465Unit, ChannelFunctions)
{
    CheckValueRows<CKiv465Unit>({
        {"signed count on 3", 37, 102, false},
        {"frequency on 3", 37, 100, true},
        {"unsigned count on 3", 37, 101, true},
    }, 3);
    CheckValueRows<CKiv465Unit>({
        {"signed count on 6", 37, 102, false},
        {"frequency on 6", 37, 100, false},
    }, 6);
    CheckValueRows<CKiv465Unit>({
        {"signed count on 4", 37, 102, true},
    }, 4);
    auto unit = NewUnit<CKiv465Unit>();
    EXPECT_TRUE(unit->CheckValue(5, 37, 102));
    EXPECT_FALSE(unit->CheckValue(6, 37, 102));
    EXPECT_TRUE(unit->CheckValue(10, 37, 4));
    EXPECT_FALSE(unit->CheckValue(10, 37, 100));
    EXPECT_TRUE(unit->CheckValue(2, 37, kStored));
    EXPECT_FALSE(unit->CheckValue(2, 7, 100));
}

TEST(Kiv465Unit, ThresholdsFollowTheirMode)
{
    auto unit = NewUnit<CKiv465Unit>();
    EXPECT_FALSE(unit->SetValue(0, 40, 250));
    EXPECT_FALSE(unit->IsAttrEditable(0, 40));
    ASSERT_TRUE(unit->SetValue(0, 39, 0));
    EXPECT_TRUE(unit->IsAttrEditable(0, 40));
    EXPECT_TRUE(unit->SetValue(0, 40, 250));
    EXPECT_EQ(unit->GetValue(0, 40), 200.0);
    EXPECT_TRUE(unit->SetValue(0, 41, -250));
    EXPECT_EQ(Text(*unit, 0, 41), "-200");
    EXPECT_TRUE(unit->SetText(0, 40, "+10000"));
    EXPECT_EQ(Text(*unit, 0, 40), "+10000");
    EXPECT_TRUE(unit->SetText(0, 40, "-300"));
    EXPECT_EQ(Text(*unit, 0, 40), "-300");
    EXPECT_TRUE(unit->SetText(0, 41, "+0"));
    EXPECT_EQ(Text(*unit, 0, 41), "+0");
    EXPECT_FALSE(unit->SetText(0, 41, "high"));
    EXPECT_FALSE(unit->SetValue(0, 40, 10001));
    EXPECT_FALSE(unit->SetValue(0, 40, NAN));
    ASSERT_TRUE(unit->SetValue(1, 39, 4));
    EXPECT_EQ(unit->GetValue(1, 40), 2000.0);
    EXPECT_EQ(unit->GetValue(1, 41), 800.0);
    EXPECT_EQ(Text(*unit, 1, 39), "TTL");
    ASSERT_TRUE(unit->SetText(1, 39, "CMOS"));
    EXPECT_EQ(Text(*unit, 1, 40), "+3500");
    EXPECT_EQ(Text(*unit, 1, 41), "+1500");
    ASSERT_TRUE(unit->SetText(1, 39, "低"));
    EXPECT_EQ(Text(*unit, 1, 40), "+15");
    // A mode without thresholds of its own would leave the channel undefined.
    EXPECT_FALSE(unit->SetValue(1, 39, 6));
    EXPECT_FALSE(unit->SetValue(4, 39, 1));
    EXPECT_FALSE(unit->SetValue(4, 40, 100));
    EXPECT_TRUE(unit->CheckValue(3, 39, 9));
    EXPECT_FALSE(unit->CheckValue(4, 39, 1));
}

TEST(Kiv465Unit, CountRangeNeedsTheUnsignedCount)
{
    auto unit = NewUnit<CKiv465Unit>();
    EXPECT_FALSE(unit->SetValue(5, 38, 1));
    EXPECT_FALSE(unit->SetValue(5, 38, 30001));
    EXPECT_TRUE(unit->SetValue(5, 38, 2));
    EXPECT_TRUE(unit->CheckValue(5, 38, kStored));
    EXPECT_FALSE(unit->CheckValue(5, 38, 1));
    ASSERT_TRUE(unit->SetValue(5, 37, 102));
    EXPECT_FALSE(unit->SetValue(5, 38, 2));
    EXPECT_FALSE(unit->CheckValue(5, 38, kStored));
    EXPECT_EQ(unit->GetValue(5, 38), HUGE_VAL);
    EXPECT_EQ(Text(*unit, 5, 38), "");
    EXPECT_FALSE(unit->SetValue(7, 38, 100));
    EXPECT_TRUE(unit->SetText(6, 38, "1234"));
    EXPECT_EQ(Text(*unit, 6, 20), "1234");
    EXPECT_TRUE(unit->SetText(2, 38, "50000"));
    EXPECT_FALSE(unit->SetText(2, 38, "1234"));
    EXPECT_FALSE(unit->SetValue(2, 38, 5e9));
    EXPECT_FALSE(unit->SetText(7, 20, "100"));
}

TEST(Kiv465Unit, BitFunctionTexts)
{
    auto unit = NewUnit<CKiv465Unit>();
    ASSERT_TRUE(unit->SetText(7, 42, "01;02;03;04"));
    EXPECT_EQ(Text(*unit, 7, 42), " 1;2;3;4");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(unit->GetValue(7 + i, 37), 1.0 + i);
    // The text GetText writes reads back the same.
    ASSERT_TRUE(unit->SetText(7, 42, " 10;0;5;9"));
    EXPECT_EQ(Text(*unit, 7, 42), " 10;0;5;9");
    // A refused text changes none of the four.
    EXPECT_FALSE(unit->SetText(7, 42, "1;2;30;4"));
    EXPECT_FALSE(unit->SetText(7, 42, "1;2;3"));
    EXPECT_FALSE(unit->SetText(7, 42, "1;x;3;4"));
    EXPECT_EQ(Text(*unit, 7, 42), " 10;0;5;9");
    EXPECT_FALSE(unit->SetText(6, 42, "1;2;3;4"));
    // Equal codes: the later bit input keeps the function.
    ASSERT_TRUE(unit->SetText(7, 42, "1;1;0;0"));
    EXPECT_EQ(Text(*unit, 7, 42), " 0;1;0;0");
}

TEST(Kiv465Unit, DmcTexts)
{
    auto unit = NewUnit<CKiv465Unit>();
    ASSERT_TRUE(unit->SetText(3, 50, "無効"));
    EXPECT_EQ(unit->GetValue(3, 50), 0.0);
    EXPECT_EQ(Text(*unit, 3, 50), "無効");
    ASSERT_TRUE(unit->SetText(3, 50, "有効"));
    EXPECT_EQ(unit->GetValue(3, 50), 1.0);
    ASSERT_TRUE(unit->SetText(3, 50, "anything"));
    EXPECT_EQ(unit->GetValue(3, 50), 0.0);
}

TEST(Kiv465Unit, ScaleOfAFrequencyChannel)
{
    auto unit = NewUnit<CKiv465Unit>();
    const struct {
        int range;
        double scale;
    } rows[] = {{100, 0.01}, {500, 0.05}, {1000, 0.1}, {5000, 0.5}, {10000, 1.0}, {50000, 5.0}, {100000, 10.0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.range);
        ASSERT_TRUE(unit->SetValue(2, 38, row.range));
        EXPECT_EQ(unit->GetScaleFactor(2), row.scale);
    }
    ASSERT_TRUE(unit->SetValue(2, 38, 50000));
    ASSERT_TRUE(unit->SetValue(2, 37, 101));
    EXPECT_EQ(unit->GetScaleFactor(2), 1.0);
    EXPECT_EQ(unit->GetScaleFactor(7), 1.0);
}

TEST(Kiv465Unit, BitChannelHasNoMeasuringSettings)
{
    auto unit = NewUnit<CKiv465Unit>();
    for (int attribute : {11, 12, 13, 24, 25, 31, 32}) {
        SCOPED_TRACE(attribute);
        EXPECT_FALSE(unit->SetValue(7, attribute, 1));
        EXPECT_FALSE(unit->IsAttrEditable(7, attribute));
        EXPECT_TRUE(unit->IsAttrEditable(6, attribute));
    }
    EXPECT_TRUE(unit->SetValue(7, 33, 3)); // accepted, nothing kept
    EXPECT_EQ(unit->GetValue(7, 33), 0.0);
    EXPECT_EQ(unit->GetValue(7, 24), 1.0);
    EXPECT_EQ(unit->GetValue(7, 25), 29.0);
    for (int attribute : {2, 7, 20, 29, 34})
        EXPECT_FALSE(unit->IsAttrEditable(0, attribute)) << attribute;
    EXPECT_FALSE(unit->IsAttrEditable(0, 15));
    ASSERT_TRUE(unit->SetValue(0, 37, 101));
    EXPECT_TRUE(unit->IsAttrEditable(0, 15));
    EXPECT_TRUE(unit->IsAttrEditable(5, 15));
    EXPECT_FALSE(unit->IsAttrEditable(7, 15));
    EXPECT_TRUE(unit->IsAttrEditable(7, 42));
}

TEST(Kiv465Unit, MeasuringTextsTakenShownAndRefused)
{
    CheckTextRows<CKiv465Unit>({
        {"function", 37, {"COUNT(Unsigned)", "FREQ."}, {"COUNT(Signed)", "MARK", "freq."}},
        {"trigger", 11, {"ON", "OFF"}, {}},
        {"trigger level", 12, {"-32767", "5", ""}, {"32768"}},
        {"slope", 13, {"ロワー", "相対"}, {"lower"}},
        {"frequency range", 38, {"100", "500", "1000", "5000", "10000", "50000", "100000"}, {"200", "30000"}},
        {"coefficient", 24, {"0.5", "-2"}, {"0"}},
        {"unit", 25, {"μV", "m/S\\super2\\super", ""}, {"uV"}},
        {"capacity", 31, {"3", ""}, {"1e-006"}},
        {"decimals", 33, {"5", "0"}, {"6"}},
        {"threshold mode", 39, {"任意", "低", "中", "高", "TTL", "CMOS"}, {"cmos"}},
    });
    CheckTextRows<CKiv465Unit>({
        {"signed count", 37, {"COUNT(Signed)", "COUNT(Unsigned)"}, {"FREQ."}},
        {"count range", 38, {"2", "30000"}, {"1", "x"}},
    }, 4);
    CheckTextRows<CKiv465Unit>({
        {"bit function", 37, {"MARK", "CAL0", "NONE", "CAL+"}, {"FREQ."}},
    }, 9);
}

} // namespace

namespace {

// The digital page asks every one of its eleven rows per unit for the
// codes 37-41; the bit-input rows 7-10 have only a function.
TEST(Kiv465Unit, BitInputRowsOfTheDigitalPage)
{
    auto unit = NewUnit<CKiv465Unit>();
    for (int row = 7; row <= 10; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Text(*unit, row, 37), "NONE");
        for (int code : {38, 39, 40, 41}) {
            SCOPED_TRACE(code);
            EXPECT_EQ(Text(*unit, row, code), "");
            EXPECT_EQ(unit->GetValue(row, code), HUGE_VAL);
            EXPECT_FALSE(unit->SetText(row, code, ""));
            EXPECT_FALSE(unit->SetValue(row, code, 100));
        }
        EXPECT_FALSE(unit->CheckValue(row, 38, kStored));
        EXPECT_FALSE(unit->CheckValue(row, 39, kStored));
        EXPECT_TRUE(unit->CheckValue(row, 37, kStored));
    }
    EXPECT_THROW(unit->GetValue(11, 38), fw::CInvalidArgException);
    EXPECT_THROW(unit->SetValue(11, 38, 100), fw::CInvalidArgException);
    EXPECT_THROW(unit->SetValue(11, 37, 1), fw::CInvalidArgException);
}

} // namespace
