#include "instrument/unit/Kiv419Unit.h"
#include "instrument/unit/Kiv464Unit.h"
#include "instrument/unit/Kiv473Unit.h"
#include "instrument/unit/Kiv4GUnit.h"
#include "instrument/unit/EngUnitTable.h"

#include "tests/instrument/unit/UnitTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using unittest::CheckTextRows;
using unittest::CheckValueRows;
using unittest::NewUnit;
using unittest::Text;

namespace {

TEST(Kiv4GUnit, NewUnitShowsItsDefaults)
{
    auto unit = NewUnit<CKiv4GUnit>();
    for (int ch = 0; ch < 8; ++ch) {
        SCOPED_TRACE(ch);
        EXPECT_EQ(Text(*unit, ch, 0), "SET");
        EXPECT_EQ(Text(*unit, ch, 7), "4G 2.0V");
        EXPECT_EQ(Text(*unit, ch, 20), "20000");
        EXPECT_EQ(Text(*unit, ch, 2), "0");
        EXPECT_EQ(Text(*unit, ch, 25), "");
        EXPECT_EQ(Text(*unit, ch, 99), " ");
        EXPECT_EQ(Text(*unit, ch, 24), "1");
        EXPECT_EQ(Text(*unit, ch, 11), "OFF");
        EXPECT_EQ(Text(*unit, ch, 12), "");
        EXPECT_EQ(unit->GetValue(ch, 12), 32768.0);
        EXPECT_EQ(Text(*unit, ch, 13), "相対");
        EXPECT_EQ(Text(*unit, ch, 31), "");
        EXPECT_EQ(Text(*unit, ch, 33), "0");
        EXPECT_EQ(Text(*unit, ch, 34), "0");
        EXPECT_EQ(Text(*unit, ch, 49), "0");
        EXPECT_EQ(Text(*unit, ch, 50), "有効");
        EXPECT_EQ(unit->GetValue(ch, 200), 16.0);
        EXPECT_EQ(unit->GetValue(ch, 222), 0.0);
        EXPECT_EQ(unit->GetValue(ch, 201), 0.0);
        EXPECT_EQ(unit->GetValue(ch, 29), HUGE_VAL);
    }
    EXPECT_TRUE(unit->HasInputs());
    EXPECT_TRUE(unit->IsRecordable());
    EXPECT_FALSE(unit->IsOutput());
}

TEST(Kiv4GUnit, ValuesTakenAndRefused)
{
    CheckValueRows<CKiv4GUnit>({
        {"low-pass 0", 2, 0, true},
        {"low-pass 1000", 2, 1000, true},
        {"low-pass 1001", 2, 1001, false},
        {"low-pass negative", 2, -1, false},
        {"mode 0.5 V bridge", 7, 146, true},
        {"mode voltage", 7, 33, true},
        {"mode thermocouple", 7, 21, false},
        {"mode beyond 16 bits", 7, 65536 + 16, false},
        {"range 600", 20, 600, false},
        {"range 1300", 20, 1300, false},
        {"range 5000", 20, 5000, true},
        {"range beyond 16 bits", 20, 70000, false},
        {"range NaN", 20, NAN, false},
        {"trigger on", 11, 1, true},
        {"trigger 2", 11, 2, false},
        {"level unset", 12, HUGE_VAL, true},
        {"level 32767", 12, 32767, true},
        {"level -32767", 12, -32767, true},
        {"level 32768", 12, 32768, false},
        {"level -32768", 12, -32768, false},
        {"level -inf", 12, -HUGE_VAL, false},
        {"slope lower", 13, 2, true},
        {"slope 3", 13, 3, false},
        {"coefficient 0", 24, 0, false},
        {"coefficient 1e-6", 24, 1e-6, false},
        {"coefficient 200000", 24, 200000, false},
        {"coefficient 100000", 24, 100000, true},
        {"coefficient -1e-5", 24, -0.00001, true},
        {"coefficient inf", 24, HUGE_VAL, false},
        {"unit 40", 25, 40, true},
        {"unit 41", 25, 41, false},
        {"unit -1", 25, -1, false},
        {"capacity unset", 31, HUGE_VAL, true},
        {"capacity 0", 31, 0, false},
        {"capacity 1e-6", 31, 1e-6, false},
        {"rated output 2.5", 32, 2.5, true},
        {"rated output 1e6", 32, 1e6, false},
        {"decimals 5", 33, 5, true},
        {"decimals 6", 33, 6, false},
        {"decimals -1", 33, -1, false},
        {"filter kind 1 without low-pass", 34, 1, false},
        {"filter kind 2 without low-pass", 34, 2, true},
        {"filter kind beyond 16 bits", 34, 65537, false},
        {"high-pass 50", 49, 50, false},
        {"high-pass 20", 49, 20, true},
        {"high-pass 100", 49, 100, true},
        {"high-pass 0.2 Hz from a table", 49, 0.2 * 100, true},
        {"high-pass 19.5", 49, 19.5, false},
        {"DMC 1", 50, 1, true},
        {"DMC 2", 50, 2, false},
        {"ASCII unit is read only", 99, 1, false},
        {"bits per sample are read only", 200, 32, false},
        {"type code is read only", -2, 4, false},
    });
}

TEST(Kiv4GUnit, TextsTakenShownAndRefused)
{
    std::vector<std::string> units;
    for (int i = 0; i < engunit::kCount; ++i)
        units.push_back(engunit::kDisplayTexts[i]);
    CheckTextRows<CKiv4GUnit>({
        {"on/off", 0, {"OFF", "SET"}, {"ON", "set", ""}},
        {"low-pass", 2, {"1000", "0"}, {"abc", "1001", ""}},
        {"sensor mode", 7, {"4G 0.5V", "電圧", "4G 2.0V"}, {"熱電対　K", "熱電対 K", "4G"}},
        {"trigger", 11, {"ON", "OFF"}, {"SET", "on"}},
        {"trigger level", 12, {"100", "-32767", "32767", ""}, {"32768", "x"}},
        {"trigger slope", 13, {"アッパー", "ロワー", "相対"}, {"upper"}},
        {"range", 20, {"5000", "10000", "2500", "250", "1000", "20000"}, {"600", "1300", "300", "OFF", "ON"}},
        {"coefficient", 24, {"2.5", "1e-005", "-3", "100000"}, {"0", "abc", "", "1e-006"}},
        {"engineering unit", 25, units, {"ue", "uV", "μstrain", " "}},
        {"capacity", 31, {"10", "0.5", ""}, {"0", "abc"}},
        {"rated output", 32, {"2", ""}, {"-0"}},
        {"decimals", 33, {"5", "0"}, {"6", "-1"}},
        {"filter kind", 34, {"0", "2"}, {"1", "x"}},
        {"high-pass", 49, {"20", "100", "0"}, {"50", "PASS"}},
        {"DMC", 50, {"無効", "有効"}, {"ON", "1"}},
    });
}

TEST(Kiv4GUnit, ChecksJudgeTheCandidateOrTheStoredValue)
{
    auto unit = NewUnit<CKiv4GUnit>();
    const int stored = CKivUnit::kStoredValue;
    EXPECT_TRUE(unit->CheckValue(0, 20, stored));
    EXPECT_TRUE(unit->CheckValue(0, 20, 5000));
    EXPECT_FALSE(unit->CheckValue(0, 20, 1000));
    ASSERT_TRUE(unit->SetValue(0, 20, 1000));
    EXPECT_FALSE(unit->CheckValue(0, 20, stored));
    EXPECT_TRUE(unit->CheckValue(0, 7, 146));
    EXPECT_FALSE(unit->CheckValue(0, 7, 22));
    EXPECT_TRUE(unit->CheckValue(0, 7, stored));
    EXPECT_TRUE(unit->CheckValue(0, 33, 5));
    EXPECT_FALSE(unit->CheckValue(0, 33, 6));
    EXPECT_FALSE(unit->CheckValue(0, 33, -1));
    EXPECT_FALSE(unit->CheckValue(0, 24, 1));
    EXPECT_FALSE(unit->CheckValue(0, 31, 1));
    EXPECT_TRUE(unit->CheckValue(0, 34, 0));
    EXPECT_FALSE(unit->CheckValue(0, 34, 2));
    ASSERT_TRUE(unit->SetValue(0, 2, 100));
    EXPECT_TRUE(unit->CheckValue(0, 34, 2));
    EXPECT_TRUE(unit->CheckValue(0, 49, 20));
    EXPECT_TRUE(unit->CheckValue(0, 50, stored));
}

TEST(Kiv4GUnit, HalfVoltBridgeScalesByFour)
{
    auto unit = NewUnit<CKiv4GUnit>();
    EXPECT_EQ(unit->GetScaleFactor(3), 1.0);
    ASSERT_TRUE(unit->SetText(3, 7, "4G 0.5V"));
    EXPECT_EQ(unit->GetScaleFactor(3), 4.0);
    EXPECT_EQ(unit->GetScaleFactor(2), 1.0);
}

TEST(Kiv123GUnit, BehavesAsTheFourGaugeUnit)
{
    auto unit = NewUnit<CKiv123GUnit>();
    EXPECT_EQ(unit->GetTypeCode(), 4);
    EXPECT_EQ(Text(*unit, 0, 7), "4G 2.0V");
    EXPECT_FALSE(unit->SetValue(0, 20, 600));
    EXPECT_TRUE(unit->SetValue(0, 49, 20));
}

TEST(Kiv464Unit, HasNoHighPassAndTwoFilterKinds)
{
    auto unit = NewUnit<CKiv464Unit>();
    EXPECT_EQ(unit->GetTypeCode(), 5);
    for (int ch = 0; ch < 8; ++ch) {
        EXPECT_EQ(unit->GetValue(ch, 49), HUGE_VAL);
        EXPECT_EQ(Text(*unit, ch, 49), "");
        EXPECT_FALSE(unit->IsAttrEditable(ch, 49));
    }
    EXPECT_FALSE(unit->SetValue(0, 49, 20));
    EXPECT_FALSE(unit->CheckValue(0, 49, 0));
    EXPECT_TRUE(unit->CheckValue(0, 34, 0));
    EXPECT_FALSE(unit->CheckValue(0, 34, 1));
    ASSERT_TRUE(unit->SetValue(0, 2, 100));
    EXPECT_TRUE(unit->CheckValue(0, 34, 1));
    EXPECT_FALSE(unit->CheckValue(0, 34, 2));
    EXPECT_EQ(Text(*unit, 0, 50), "有効");
}

TEST(Kiv473Unit, OnlyFourChannelsExist)
{
    auto unit = NewUnit<CKiv473Unit>();
    EXPECT_EQ(unit->GetTypeCode(), 9);
    for (int ch = 0; ch < 8; ++ch) {
        SCOPED_TRACE(ch);
        const bool usable = ch < 4;
        EXPECT_EQ(unit->IsChannelOn(ch), usable);
        EXPECT_EQ(Text(*unit, ch, 0), usable ? "SET" : "OFF");
        EXPECT_EQ(Text(*unit, ch, 7), "");
        EXPECT_EQ(unit->GetValue(ch, 7), usable ? 33.0 : HUGE_VAL);
        EXPECT_EQ(Text(*unit, ch, 20), usable ? "10000" : "");
        EXPECT_EQ(Text(*unit, ch, 24), "1");
        EXPECT_EQ(unit->GetValue(ch, 24), 1.0);
        EXPECT_EQ(unit->GetValue(ch, -2), 9.0);
        EXPECT_EQ(unit->IsAttrEditable(ch, 20), usable);
        EXPECT_FALSE(unit->IsAttrEditable(ch, 7));
        EXPECT_FALSE(unit->IsAttrEditable(ch, 49));
        EXPECT_FALSE(unit->IsAttrEditable(ch, 50));
        EXPECT_EQ(unit->SetValue(ch, 2, 100), usable);
        EXPECT_EQ(unit->SetValue(ch, 0, 1), usable);
    }
    unit->SetAllOnOff(0);
    unit->SetAllOnOff(1);
    EXPECT_TRUE(unit->IsChannelOn(3));
    EXPECT_FALSE(unit->IsChannelOn(4));
}

TEST(Kiv473Unit, ModeIsAlwaysVoltageAndRangeSetsTheScale)
{
    auto unit = NewUnit<CKiv473Unit>();
    EXPECT_TRUE(unit->SetValue(1, 7, 16));
    EXPECT_EQ(unit->GetValue(1, 7), 33.0);
    EXPECT_FALSE(unit->CheckValue(1, 7, 33));
    EXPECT_EQ(unit->GetScaleFactor(1), 0.4);
    ASSERT_TRUE(unit->SetText(1, 20, "250"));
    EXPECT_EQ(unit->GetScaleFactor(1), 0.01);
    ASSERT_TRUE(unit->SetText(1, 20, "2500"));
    EXPECT_EQ(unit->GetScaleFactor(1), 0.1);
    ASSERT_TRUE(unit->SetText(1, 20, "5000"));
    EXPECT_EQ(unit->GetScaleFactor(1), 1.0);
    EXPECT_FALSE(unit->CheckValue(1, 20, CKivUnit::kStoredValue));
    EXPECT_TRUE(unit->CheckValue(1, 20, 2500));
    EXPECT_FALSE(unit->CheckValue(5, 20, 2500));
    EXPECT_TRUE(unit->CheckValue(1, 34, 0));
    EXPECT_FALSE(unit->CheckValue(1, 34, 1));
    ASSERT_TRUE(unit->SetValue(1, 2, 100));
    EXPECT_TRUE(unit->CheckValue(1, 34, 1));
    EXPECT_FALSE(unit->CheckValue(1, 34, 2));
}

TEST(Kiv419Unit, CarrierWaveRules)
{
    auto unit = NewUnit<CKiv419Unit>();
    EXPECT_EQ(unit->GetTypeCode(), 10);
    EXPECT_EQ(Text(*unit, 0, 34), "3");
    EXPECT_TRUE(unit->CheckValue(0, 34, CKivUnit::kStoredValue));
    EXPECT_FALSE(unit->CheckValue(0, 34, 2));
    EXPECT_FALSE(unit->CheckValue(0, 34, 1));
    EXPECT_FALSE(unit->SetValue(0, 7, 33));
    EXPECT_TRUE(unit->SetValue(0, 7, 146));
    EXPECT_TRUE(unit->CheckValue(0, 20, 20000));
    EXPECT_FALSE(unit->CheckValue(0, 20, 10000));
    EXPECT_FALSE(unit->SetValue(0, 2, 3));
    EXPECT_FALSE(unit->SetValue(0, 2, 1001));
    EXPECT_TRUE(unit->SetValue(0, 2, 5));
    EXPECT_TRUE(unit->CheckValue(0, 34, 2));
    EXPECT_FALSE(unit->CheckValue(0, 34, 0));
    EXPECT_TRUE(unit->SetValue(0, 2, 0));
}

} // namespace
