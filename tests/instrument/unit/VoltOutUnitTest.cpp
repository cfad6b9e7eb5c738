#include "instrument/unit/KivVoltOutUnit.h"

#include "tests/instrument/unit/UnitTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using unittest::CheckTextRows;
using unittest::CheckValueRows;
using unittest::NewUnit;
using unittest::Text;

namespace {

TEST(KivVoltOutUnit, NewUnitShowsItsDefaults)
{
    auto unit = NewUnit<CKivVoltOutUnit>();
    EXPECT_EQ(unit->GetTypeCode(), 3);
    for (int ch = 0; ch < 8; ++ch) {
        SCOPED_TRACE(ch);
        EXPECT_EQ(Text(*unit, ch, 0), "OFF");
        EXPECT_EQ(Text(*unit, ch, 22), "±5V");
        EXPECT_EQ(Text(*unit, ch, 23), "OFF");
        EXPECT_EQ(Text(*unit, ch, 3), "1000");
        EXPECT_EQ(Text(*unit, ch, 21), "1");
        EXPECT_EQ(Text(*unit, ch, 44), "OFF");
        EXPECT_EQ(Text(*unit, ch, 45), "OFF");
        EXPECT_EQ(Text(*unit, ch, 46), "OFF");
        EXPECT_EQ(Text(*unit, ch, 47), "1000");
        EXPECT_EQ(Text(*unit, ch, 48), "1");
        EXPECT_EQ(Text(*unit, ch, 35), "1000");
        EXPECT_EQ(Text(*unit, ch, 5), "1000");
        EXPECT_EQ(Text(*unit, ch, 1), "");
        EXPECT_EQ(Text(*unit, ch, 4), "");
        EXPECT_EQ(Text(*unit, ch, 36), "");
        EXPECT_EQ(unit->GetValue(ch, 1), HUGE_VAL);
        EXPECT_EQ(unit->GetValue(ch, 4), 0.0);
        EXPECT_EQ(unit->GetValue(ch, 36), 3.0);
        EXPECT_EQ(unit->GetValue(ch, -2), 3.0);
        EXPECT_EQ(unit->GetValue(ch, 200), 0.0);
    }
    EXPECT_FALSE(unit->HasInputs());
    EXPECT_TRUE(unit->IsOutput());
    EXPECT_FALSE(unit->IsRecordable());
    EXPECT_EQ(unit->GetOutputLimit(), 999999);
}

TEST(KivVoltOutUnit, SensitivityInThousandths)
{
    auto unit = NewUnit<CKivVoltOutUnit>();
    EXPECT_TRUE(unit->SetText(0, 21, "0.3"));
    EXPECT_EQ(unit->GetValue(0, 21), 0.3);
    EXPECT_TRUE(unit->SetText(0, 21, "1.023"));
    EXPECT_EQ(Text(*unit, 0, 21), "1.023");
    EXPECT_FALSE(unit->SetText(0, 21, "0.299"));
    EXPECT_FALSE(unit->SetText(0, 21, "1.024"));
    EXPECT_FALSE(unit->SetValue(0, 21, NAN));
    EXPECT_EQ(Text(*unit, 0, 21), "1.023");
}

TEST(KivVoltOutUnit, OutputVoltageKeepsItsThousandths)
{
    auto unit = NewUnit<CKivVoltOutUnit>();
    ASSERT_TRUE(unit->SetText(1, 48, "2.5"));
    EXPECT_EQ(unit->GetOutputVoltageMilli(1), 2500);
    // Whole volts only would send 2000 and show "2", which reads back as 2 V.
    EXPECT_EQ(unit->GetValue(1, 48), 2.5);
    EXPECT_EQ(Text(*unit, 1, 48), "2.5");
    ASSERT_TRUE(unit->SetText(1, 48, "1.001"));
    EXPECT_EQ(unit->GetOutputVoltageMilli(1), 1001);
    EXPECT_TRUE(unit->SetValue(1, 48, 10000));
    EXPECT_FALSE(unit->SetValue(1, 48, 10001));
    EXPECT_FALSE(unit->SetValue(1, 48, 0));
    EXPECT_FALSE(unit->SetValue(1, 48, 0.4));
    EXPECT_FALSE(unit->SetText(1, 48, "10.5"));
    EXPECT_EQ(unit->GetOutputVoltageMilli(1), 10000);
}

TEST(KivVoltOutUnit, OneOutputModeForAllChannels)
{
    auto unit = NewUnit<CKivVoltOutUnit>();
    ASSERT_TRUE(unit->SetValue(3, 22, 4));
    for (int ch = 0; ch < 8; ++ch)
        EXPECT_EQ(Text(*unit, ch, 22), "±10V") << ch;
    EXPECT_FALSE(unit->SetValue(3, 22, 65536 + 13));
    EXPECT_EQ(Text(*unit, 0, 22), "±10V");
    ASSERT_TRUE(unit->SetValue(3, 22, 7));
    EXPECT_EQ(Text(*unit, 5, 22), "");
}

TEST(KivVoltOutUnit, NonPositiveCalibrationIsIgnoredWithoutRefusal)
{
    auto unit = NewUnit<CKivVoltOutUnit>();
    EXPECT_TRUE(unit->SetValue(0, 35, -5));
    EXPECT_TRUE(unit->SetValue(0, 35, 0));
    EXPECT_EQ(unit->GetValue(0, 35), 1000.0);
    EXPECT_TRUE(unit->SetValue(0, 6, 250));
    EXPECT_EQ(unit->GetValue(0, 5), 250.0);
    EXPECT_EQ(unit->GetValue(0, 35), 250.0);
    EXPECT_FALSE(unit->SetValue(0, 35, HUGE_VAL));
    EXPECT_FALSE(unit->SetValue(0, 35, 1e39));
    EXPECT_EQ(unit->GetValue(0, 35), 250.0);
}

TEST(KivVoltOutUnit, AddedChannelsNeedASource)
{
    auto unit = NewUnit<CKivVoltOutUnit>();
    EXPECT_FALSE(unit->CheckValue(2, 45, 12));
    EXPECT_TRUE(unit->CheckValue(2, 45, 0));
    EXPECT_TRUE(unit->CheckValue(2, 45, CKivUnit::kStoredValue));
    ASSERT_TRUE(unit->SetValue(2, 23, 5));
    EXPECT_TRUE(unit->CheckValue(2, 45, 12));
    ASSERT_TRUE(unit->SetValue(2, 45, -12));
    EXPECT_EQ(Text(*unit, 2, 45), "-12");
    ASSERT_TRUE(unit->SetValue(2, 44, 4));
    EXPECT_EQ(Text(*unit, 2, 44), "+4");
    ASSERT_TRUE(unit->SetValue(2, 23, 0));
    EXPECT_FALSE(unit->CheckValue(2, 45, CKivUnit::kStoredValue));
    EXPECT_FALSE(unit->CheckValue(2, 24, 1));
    EXPECT_FALSE(unit->CheckValue(2, 200, 1));
    EXPECT_TRUE(unit->CheckValue(2, 48, 1));
}

TEST(KivVoltOutUnit, ValuesTakenAndRefused)
{
    CheckValueRows<CKivVoltOutUnit>({
        {"source 80", 23, 80, true},
        {"source 81", 23, 81, false},
        {"source -1", 23, -1, false},
        {"added -80", 44, -80, true},
        {"added 81", 45, 81, false},
        {"added -81", 46, -81, false},
        {"physical input 0", 47, 0, false},
        {"physical input 0.5", 47, 0.5, true},
        {"physical input inf", 47, HUGE_VAL, false},
        {"low-pass beyond 16 bits", 3, 70000, false},
        {"low-pass 200", 3, 200, true},
        {"no value of attribute 1", 1, 0, false},
        {"calibration off is a command", 4, 0, false},
        {"calibration zero is a command", 36, 3, false},
        {"coefficient: none here", 24, 1, false},
        {"type code", -2, 3, false},
    });
}

TEST(KivVoltOutUnit, TextsTakenShownAndRefused)
{
    CheckTextRows<CKivVoltOutUnit>({
        {"on/off", 0, {"SET", "OFF"}, {"ON"}},
        {"low-pass", 3, {"10", "20", "50", "100", "200", "500", "2000", "5000", "1000"}, {"PASS", "30", "1e3"}},
        {"calibration value", 35, {"250", "0.5", "1000"}, {"abc"}},
        {"sensitivity", 21, {"0.3", "0.5", "1"}, {"0.2", "x"}},
        {"output mode", 22, {"±10V", "0 - +5V", "±5V"}, {"+-5V", "0 - 5V"}},
        {"source channel", 23, {"5", "80", "OFF"}, {"81", "off", "CH5"}},
        {"added channel", 44, {"+5", "-80", "OFF"}, {"+81"}},
        {"physical input", 47, {"2.5", "1e+006"}, {"0", "-1"}},
        {"output voltage", 48, {"2.5", "10", "0.001"}, {"10.001", "0"}},
    });
    auto unit = NewUnit<CKivVoltOutUnit>();
    EXPECT_TRUE(unit->SetText(0, 1, "OFF"));
    EXPECT_FALSE(unit->SetText(0, 1, "ON"));
    EXPECT_FALSE(unit->SetText(0, 36, "3"));
}

} // namespace
