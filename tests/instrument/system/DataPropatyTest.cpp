#include "common/calc/CashCalcuDataTank.h"
#include "common/formula/DataCalcuOrder.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/Exceptions.h"
#include "instrument/system/DataPropaty.h"
#include "tests/instrument/unit/UnitTestSupport.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

class DataPropatyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tank.InitDefault(true);
        tank.SetSize(5, true);
        prop.SetTank(&tank);
    }
    CFltDataTank tank;
    CDataPropaty prop;
};

TEST_F(DataPropatyTest, NewObjectTexts)
{
    fw::CString text;
    EXPECT_STREQ(prop.GetText(1001, text), "0");
    EXPECT_STREQ(prop.GetText(1002, text), "");
    EXPECT_STREQ(prop.GetText(1008, text), "OFF");
    EXPECT_STREQ(prop.GetText(1007, text), "");
    EXPECT_EQ(prop.GetValue(1011), HUGE_VAL);
    EXPECT_EQ(prop.GetValue(999), HUGE_VAL);
}

struct SetCase {
    const char* name;
    std::function<bool(CDataPropaty&)> act;
    bool result;
    int id;
    double after;
};

TEST_F(DataPropatyTest, SettersRefuseAndClearAsTheTablesSay)
{
    const SetCase cases[] = {
        {"rated output 0 refused", [](CDataPropaty& p) { return p.SetValue(1002, 0.0); }, false, 1002, 5.0},
        {"rated output HUGE_VAL clears", [](CDataPropaty& p) { return p.SetValue(1002, HUGE_VAL); }, true, 1002, HUGE_VAL},
        {"capacity blank text clears", [](CDataPropaty& p) { return p.SetText(1003, "  "); }, true, 1003, HUGE_VAL},
        {"capacity non-number kept", [](CDataPropaty& p) { return p.SetText(1003, "abc"); }, true, 1003, 5.0},
        {"alarm lower-case on is off", [](CDataPropaty& p) { return p.SetText(1008, "on"); }, true, 1008, 0.0},
        {"alarm ON", [](CDataPropaty& p) { return p.SetText(1008, "ON"); }, true, 1008, 1.0},
        {"offset HUGE_VAL refused", [](CDataPropaty& p) { return p.SetValue(1001, HUGE_VAL); }, false, 1001, 5.0},
        {"offset empty text kept", [](CDataPropaty& p) { return p.SetText(1001, ""); }, true, 1001, 5.0},
        {"offset number", [](CDataPropaty& p) { return p.SetText(1001, "-2.5"); }, true, 1001, -2.5},
        {"trigger accepted nonzero", [](CDataPropaty& p) { return p.SetValue(1007, 3.0); }, true, 1007, 1.0},
        {"monitor stored as float", [](CDataPropaty& p) { return p.SetValue(1012, 0.1); }, true, 1012, static_cast<double>(0.1f)},
        {"unknown id refused", [](CDataPropaty& p) { return p.SetValue(1020, 1.0); }, false, 1020, HUGE_VAL},
        {"format not a number refused", [](CDataPropaty& p) { return p.SetValue(1004, HUGE_VAL); }, false, 1004, 2.0},
    };
    for (const SetCase& c : cases) {
        SCOPED_TRACE(c.name);
        CDataPropaty p;
        p.SetTank(&tank);
        tank.SetFormat(2);
        for (int id : {1001, 1002, 1003})
            ASSERT_TRUE(p.SetValue(id, 5.0));
        if (c.id == 1008)
            p.SetValue(1008, 1.0);
        EXPECT_EQ(c.act(p), c.result);
        EXPECT_EQ(p.GetValue(c.id), c.after);
    }
}

TEST_F(DataPropatyTest, TankKeepsNameFormatAndCount)
{
    EXPECT_TRUE(prop.SetText(1000, "Load"));
    EXPECT_TRUE(prop.SetText(1004, "0.00"));
    fw::CString text;
    EXPECT_EQ(tank.GetName(), "Load");
    EXPECT_EQ(tank.GetFormat(), 2);
    EXPECT_STREQ(prop.GetText(1004, text), "0.00");
    EXPECT_STREQ(prop.GetText(1005, text), "5");
    EXPECT_TRUE(prop.SetValue(1005, 99.0));
    EXPECT_EQ(tank.GetDataCount(), 5);
    EXPECT_TRUE(prop.SetText(1004, ""));
    EXPECT_EQ(tank.GetFormat(), -9999);
}

TEST_F(DataPropatyTest, CurrentValueGoesIntoTheChannelFormula)
{
    CCashCalcuDataTank calc;
    calc.SetOrder(std::make_unique<CDataCalcuOrder>());
    prop.SetTank(&calc);
    ASSERT_TRUE(prop.SetValue(1001, 2.0));
    EXPECT_EQ(prop.SetCurrentValue(3.0, 10.0), 50.0);
    EXPECT_EQ(calc.GetOrder()->GetResult(), 50.0);
    EXPECT_EQ(prop.SetCurrentValue(3.0, HUGE_VAL), HUGE_VAL);
    EXPECT_EQ(calc.GetOrder()->GetResult(), HUGE_VAL);
}

TEST_F(DataPropatyTest, AlarmBits)
{
    EXPECT_EQ(prop.CheckAlarm(1e9), 0);
    prop.SetValue(1008, 1.0);
    prop.SetValue(1009, 10.0);
    prop.SetValue(1010, -10.0);
    EXPECT_EQ(prop.CheckAlarm(11.0), 2);
    EXPECT_EQ(prop.CheckAlarm(-11.0), 1);
    EXPECT_EQ(prop.CheckAlarm(0.0), 0);
    EXPECT_EQ(prop.CheckAlarm(HUGE_VAL), 4);
}

TEST_F(DataPropatyTest, ArchiveFormIsSeventyBytesInFieldOrder)
{
    prop.SetValue(1001, 1.5);
    prop.SetValue(1002, 2.0);
    prop.SetValue(1003, 1000.0);
    prop.SetValue(1006, 0.25);
    prop.SetValue(1007, 1.0);
    prop.SetValue(1009, 7.0);
    prop.SetValue(1011, 3.0);
    unittest::Form expected;
    auto f64 = [&](double v) { expected.raw(&v, 8); };
    f64(1.0);
    f64(1.5);
    f64(2.0);
    f64(1000.0);
    f64(0.25);
    expected.u8(1).u8(0);
    f64(7.0);
    f64(HUGE_VAL);
    expected.f32(3.0f).f32(HUGE_VALF).f32(HUGE_VALF);
    const auto bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { prop.Serialize(ar); });
    ASSERT_EQ(bytes.size(), CDataPropaty::kArchiveBytes);
    EXPECT_EQ(bytes, expected.b);

    std::vector<uint8_t> flipped = bytes;
    flipped[40] = 7;  // any non-zero byte is true
    CDataPropaty loaded;
    EXPECT_EQ(kivtest::LoadBytes(flipped, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), 0u);
    EXPECT_EQ(loaded.GetValue(1007), 1.0);
    EXPECT_EQ(loaded.GetValue(1003), 1000.0);
    EXPECT_EQ(loaded.GetValue(1011), 3.0);

    std::vector<uint8_t> shortForm(bytes.begin(), bytes.end() - 1);
    CDataPropaty truncated;
    EXPECT_THROW(kivtest::LoadBytes(shortForm, [&](fw::CArchive& ar) { truncated.Serialize(ar); }),
                 fw::CArchiveException);
}

} // namespace
