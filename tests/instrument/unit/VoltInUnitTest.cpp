#include "instrument/unit/KivVoltInUnit.h"

#include "tests/instrument/unit/UnitTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using unittest::CheckTextRows;
using unittest::CheckValueRows;
using unittest::NewUnit;
using unittest::Text;

namespace {

constexpr int kStored = CKivUnit::kStoredValue;

TEST(KivVoltInUnit, NewUnitIsAllVoltage)
{
    auto unit = NewUnit<CKivVoltInUnit>();
    EXPECT_EQ(unit->GetTypeCode(), 2);
    for (int ch = 0; ch < 8; ++ch) {
        SCOPED_TRACE(ch);
        EXPECT_EQ(Text(*unit, ch, 0), "SET");
        EXPECT_EQ(Text(*unit, ch, 7), "電圧");
        EXPECT_EQ(Text(*unit, ch, 20), "20000");
        EXPECT_EQ(Text(*unit, ch, 29), "");
        EXPECT_EQ(unit->GetValue(ch, 29), HUGE_VAL);
        EXPECT_EQ(unit->GetScaleFactor(ch), 2.0);
    }
}

TEST(KivVoltInUnit, ThermocoupleChannelShowsFixedScaling)
{
    auto unit = NewUnit<CKivVoltInUnit>();
    ASSERT_TRUE(unit->SetValue(2, 24, 2.5));
    ASSERT_TRUE(unit->SetValue(2, 31, 100));
    ASSERT_TRUE(unit->SetValue(2, 7, 21));
    EXPECT_EQ(Text(*unit, 2, 7), "熱電対　K");
    EXPECT_EQ(Text(*unit, 2, 29), "RJC ON");
    EXPECT_EQ(unit->GetValue(2, 29), 1.0);
    EXPECT_EQ(unit->GetValue(2, 24), 1.0);
    EXPECT_EQ(Text(*unit, 2, 24), "1");
    EXPECT_EQ(unit->GetValue(2, 31), HUGE_VAL);
    EXPECT_EQ(Text(*unit, 2, 31), "");
    EXPECT_EQ(unit->GetScaleFactor(2), 0.1);
    // The mode change rewrote nothing: back to voltage, the old values show.
    ASSERT_TRUE(unit->SetValue(2, 7, 33));
    EXPECT_EQ(unit->GetValue(2, 24), 2.5);
    EXPECT_EQ(Text(*unit, 2, 31), "100");
}

TEST(KivVoltInUnit, RangeCheckAndStoreDifferOnTypeT)
{
    auto unit = NewUnit<CKivVoltInUnit>();
    ASSERT_TRUE(unit->SetValue(0, 7, 20));
    EXPECT_FALSE(unit->CheckValue(0, 20, 1300));
    EXPECT_TRUE(unit->CheckValue(0, 20, 600));
    EXPECT_FALSE(unit->CheckValue(0, 20, kStored)); // 20000 is left from voltage
    EXPECT_TRUE(unit->SetValue(0, 20, 1300));
    EXPECT_FALSE(unit->SetValue(0, 20, 1000));
    ASSERT_TRUE(unit->SetValue(1, 7, 22));
    EXPECT_TRUE(unit->CheckValue(1, 20, 1300));
    EXPECT_FALSE(unit->CheckValue(1, 20, 5000));
    EXPECT_TRUE(unit->CheckValue(3, 20, 5000));
    EXPECT_FALSE(unit->CheckValue(3, 20, 600));
}

TEST(KivVoltInUnit, ThermocoupleChannelRules)
{
    auto unit = NewUnit<CKivVoltInUnit>();
    ASSERT_TRUE(unit->SetValue(4, 7, 22));
    EXPECT_FALSE(unit->SetValue(4, 24, 2.0));
    EXPECT_FALSE(unit->SetValue(4, 25, 0));
    EXPECT_TRUE(unit->SetValue(4, 25, 4));
    EXPECT_EQ(Text(*unit, 4, 25), "℃");
    EXPECT_FALSE(unit->SetValue(4, 33, 2));
    EXPECT_FALSE(unit->CheckValue(4, 33, kStored));
    EXPECT_TRUE(unit->SetValue(4, 33, 1));
    EXPECT_TRUE(unit->CheckValue(4, 33, kStored));
    EXPECT_TRUE(unit->CheckValue(4, 25, kStored));
    EXPECT_TRUE(unit->CheckValue(4, 2, 0));
    EXPECT_FALSE(unit->CheckValue(4, 2, 100));
    EXPECT_TRUE(unit->CheckValue(5, 2, 100));
    EXPECT_TRUE(unit->CheckValue(4, 29, kStored));
    EXPECT_FALSE(unit->CheckValue(5, 29, kStored));
    EXPECT_TRUE(unit->SetText(4, 29, "RJC OFF"));
    EXPECT_EQ(unit->GetValue(4, 29), 0.0);
    EXPECT_FALSE(unit->SetText(5, 29, "RJC OFF"));
}

TEST(KivVoltInUnit, ValuesTakenAndRefused)
{
    CheckValueRows<CKivVoltInUnit>({
        {"mode 0.5 V bridge", 7, 16, false},
        {"mode K", 7, 21, true},
        {"mode T", 7, 20, true},
        {"mode beyond 16 bits", 7, 65536 + 33, false},
        {"voltage range 1000", 20, 1000, true},
        {"voltage range 600", 20, 600, false},
        {"voltage range 2500", 20, 2500, false},
        {"voltage coefficient", 24, 3, true},
        {"junction on a voltage channel", 29, 1, false},
        {"filter kind 2", 34, 2, true},
    });
    CheckTextRows<CKivVoltInUnit>({
        {"sensor mode", 7, {"熱電対　K", "熱電対　J", "熱電対　T", "電圧"}, {"4G 2.0V", "熱電対 K"}},
        {"range", 20, {"1000", "5000", "10000", "20000"}, {"600", "250"}},
    });
}

TEST(KivVoltInUnit, FilterKindsAreZeroAndOne)
{
    auto unit = NewUnit<CKivVoltInUnit>();
    EXPECT_TRUE(unit->CheckValue(0, 34, 0));
    EXPECT_FALSE(unit->CheckValue(0, 34, 1));
    ASSERT_TRUE(unit->SetValue(0, 2, 100));
    EXPECT_TRUE(unit->CheckValue(0, 34, 1));
    EXPECT_FALSE(unit->CheckValue(0, 34, 2));
}

TEST(KivVoltInUnit, VoltageScaleFollowsTheRange)
{
    auto unit = NewUnit<CKivVoltInUnit>();
    const struct {
        int range;
        double scale;
    } rows[] = {{1000, 0.1}, {5000, 0.5}, {10000, 1.0}, {20000, 2.0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.range);
        ASSERT_TRUE(unit->SetValue(6, 20, row.range));
        EXPECT_EQ(unit->GetScaleFactor(6), row.scale);
    }
}

} // namespace
