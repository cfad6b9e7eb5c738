// The time-stamp tank and the GPS and CAN channel lists.

#include "tests/common/calc/CalcTestSupport.h"

#include "common/calc/CashTimeTank.h"
#include "common/calc/GpsCanTankLists.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"

#include <memory>
#include <string>

namespace calctest {
namespace {

struct UnitCase {
    const char* name;
    int unit;
    const char* unitName;
    double factor;
    int16_t format;
    double shown;      // value set
    uint32_t stored;   // raw value expected
    const char* text;  // formatted text of the value
};

const UnitCase kUnits[] = {
    {"Msec", 0, "msec", 1.0, 0, 2500.0, 2500, "2500"},
    {"Sec", 1, "sec", 1000.0, 3, 2.5, 2500, "2.500"},
    {"Min", 2, "min", 60000.0, kFormatGeneral18, 1.5, 90000, "1.5"},
    {"Hour", 3, "hour", 3600000.0, kFormatGeneral18, 0.5, 1800000, "0.5"},
    {"Samples", 4, "samples", 1.0, 0, 12.0, 12, "12"},
};

class TimeUnitTest : public CalcTest, public ::testing::WithParamInterface<UnitCase> {};

TEST_P(TimeUnitTest, StoresMillisecondsShowsTheUnit)
{
    const UnitCase& c = GetParam();
    CCashTimeTank tank;
    ASSERT_TRUE(tank.CreateCacheFile());
    tank.SetTimeUnit(c.unit);
    fw::CString name;
    tank.GetTimeUnitName(name);
    EXPECT_EQ(name, c.unitName);
    EXPECT_EQ(tank.GetTimeUnitFactor(), c.factor);
    EXPECT_EQ(tank.GetFormat(), c.format);
    ASSERT_TRUE(tank.SetValue(0, c.shown));
    uint32_t raw = 0;
    tank.GetAt(0, raw);
    EXPECT_EQ(raw, c.stored);
    EXPECT_EQ(tank.GetValue(0), c.shown);
    fw::CString text;
    tank.GetValueText(0, text, true);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(tank.GetMax(), c.shown);
    // Texts are stored units, without the factor.
    ASSERT_TRUE(tank.SetValueText(1, fw::Format("%u", c.stored)));
    EXPECT_EQ(tank.GetValue(1), c.shown);
    EXPECT_FALSE(tank.SetValueText(1, "abc"));
    EXPECT_EQ(tank.GetValue(1), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Units, TimeUnitTest, ::testing::ValuesIn(kUnits),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcTest, NonFiniteTimeIsNoValue)
{
    CCashTimeTank tank;
    ASSERT_TRUE(tank.CreateCacheFile());
    tank.SetTimeUnit(1);
    ASSERT_TRUE(tank.SetValue(0, HUGE_VAL));
    uint32_t raw = 0;
    tank.GetAt(0, raw);
    EXPECT_EQ(raw, 0xFFFFFFFFu);
    EXPECT_EQ(tank.GetValue(0), HUGE_VAL);
    EXPECT_EQ(tank.GetValue(5), HUGE_VAL);
    fw::CString text = "x";
    tank.GetValueText(0, text, true);
    EXPECT_EQ(text, "");
    tank.SetMax(HUGE_VAL);
    EXPECT_EQ(tank.GetMax(), HUGE_VAL);
    tank.UpdateMax(3.0);
    EXPECT_EQ(tank.GetMax(), 3.0);
}

TEST_F(CalcTest, TimeTankArchiveAppliesTheUnit)
{
    fw::CMemFile file;
    {
        CCashTimeTank tank;
        ASSERT_TRUE(tank.CreateCacheFile());
        tank.SetTimeUnit(3);
        tank.SetValue(0, 2.0);
        tank.SetFormat(0);  // the unit decides again on loading
        fw::CArchive ar(&file, fw::CArchive::store);
        tank.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CCashTimeTank loaded;
    fw::CArchive ar(&file, fw::CArchive::load);
    loaded.Serialize(ar);
    ar.Close();
    EXPECT_EQ(loaded.GetTimeUnit(), 3);
    EXPECT_EQ(loaded.GetTimeUnitFactor(), 3600000.0);
    EXPECT_EQ(loaded.GetFormat(), kFormatGeneral18);
    EXPECT_EQ(loaded.GetValue(0), 2.0);
}

TEST_F(CalcTest, TimeCursorAnswersInTheUnit)
{
    CCashTimeTank tank;
    ASSERT_TRUE(tank.CreateCacheFile());
    tank.SetTimeUnit(1);
    for (int i = 0; i < 5; ++i)
        tank.SetValue(i, i == 2 ? HUGE_VAL : 1.0 + i);
    std::unique_ptr<CZELDataPoter> poter(tank.CreatePoter(1, 10));
    ASSERT_NE(poter, nullptr);
    EXPECT_EQ(poter->GetCount(), 4);
    EXPECT_EQ(poter->GetFirstValue(), 1.0);
    EXPECT_EQ(poter->GetLastValue(), 4.0);
    std::unique_ptr<CZELDataPtr> cursor(poter->CreateCursor());
    ASSERT_NE(cursor, nullptr);
    double max = 0, min = 0;
    ASSERT_TRUE(cursor->MaxMin(1, 4, max, min));
    EXPECT_EQ(max, 5.0);
    EXPECT_EQ(min, 2.0);
    EXPECT_EQ(tank.CreatePoter(5, 1), nullptr);
}

TEST_F(CalcTest, GpsUnitsAppendSevenChannels)
{
    CGpsDataTankList list;
    list.AppendItemTanks(3);
    list.AppendItemTanks(3);
    ASSERT_EQ(list.GetSize(), 14);
    const int32_t kinds[] = {-2, 23, 23, 23, 23, 23, 23};
    const int16_t formats[] = {113, 4, 7, 7, 0, 1, 1};
    for (int i = 0; i < 14; ++i) {
        auto* tank = dynamic_cast<CCashCalcuDataTank*>(list.GetAt(i));
        ASSERT_NE(tank, nullptr) << i;
        EXPECT_EQ(tank->GetKind(), kinds[i % 7]) << i;
        EXPECT_EQ(tank->GetFormat(), formats[i % 7]) << i;
        EXPECT_EQ(tank->GetDataCount(), 3) << i;
        EXPECT_EQ(tank->GetRefCount(), 1) << i;
    }
    list.ResizeAll(8);
    EXPECT_EQ(list.GetAt(13)->GetDataCount(), 8);
}

TEST_F(CalcTest, CanListHoldsOneReferencePerSlotAfterLoading)
{
    fw::CMemFile file;
    {
        CCanDataTankList list;
        CCashCalcuDataTank* time = list.CreateSignalTank(3, 24, 2);
        ASSERT_NE(time, nullptr);
        time->SetValue(1, 7.0);
        list.SetSize(6);
        list.SetTankAt(4, time, true);
        list.SetTankAt(5, time, true);
        list.CreateSignalTank(0, -1, 2);
        fw::CArchive ar(&file, fw::CArchive::store);
        list.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CCanDataTankList list;
    fw::CArchive ar(&file, fw::CArchive::load);
    list.Serialize(ar);
    ar.Close();
    ASSERT_EQ(list.GetSize(), 6);
    CDataTankObject* time = list.GetAt(3);
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(list.GetAt(4), time);
    EXPECT_EQ(list.GetAt(5), time);
    EXPECT_EQ(time->GetRefCount(), 3);
    EXPECT_EQ(time->GetKind(), 24);
    // Storage mode 3: the values are not in the archive, only their count.
    EXPECT_EQ(time->GetDataCount(), 2);
    EXPECT_NE(time->GetValue(1), 7.0);
}

} // namespace
} // namespace calctest
