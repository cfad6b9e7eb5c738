// The unit settings form's contents: the tabs of a control unit, the data
// slot labels and captions, the speed-limit rule, the receiver's effects
// and the settings text of a port.

#include "canvoicegps/views/settings/GpsFormText.h"

#include "canvoicegps/GpsItems.h"
#include "canvoicegps/Kiv463Unit.h"
#include "tests/support/link/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class GpsFormTextTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        systest::RegisterClassesOnce();
        RegisterCanVoiceGpsClasses();
    }
    std::unique_ptr<CKivMeter> meter = systest::MeterWith({1, 8, 1, 1, 8});
    CKiv463Unit& UnitIn(int port) { return *dynamic_cast<CKiv463Unit*>(meter->GetUnit(port)); }
    static std::string Joined(const fw::CStringArray& lines)
    {
        std::string text;
        for (int i = 0; i < lines.GetSize(); ++i)
            text += lines[i].str() + "\n";
        return text;
    }
};

TEST_F(GpsFormTextTest, TabsAndSlotLabelsFollowThePorts)
{
    const std::vector<int> ports = gpsform::PortsWithUnits(*meter);
    ASSERT_EQ(ports, (std::vector<int>{1, 4}));
    EXPECT_EQ(gpsform::TabText(1).str(), "Port 2");
    EXPECT_EQ(gpsform::TabText(4).str(), "Port 5");
    EXPECT_EQ(gpsform::SlotLabel(4, 1).str(), "ch.33");
    EXPECT_EQ(gpsform::SlotLabel(4, 8).str(), "ch.40");
    EXPECT_TRUE(gpsform::PortsWithUnits(*systest::MeterWith({1, 2})).empty());
}

TEST_F(GpsFormTextTest, ATwoSlotItemBlocksTheNextSlot)
{
    CKiv463Unit& unit = UnitIn(4);
    unit.Gps().receiver = 1;
    unit.Gps().speedCorrection = true;
    ASSERT_TRUE(unit.SetSlotCode(static_cast<int16_t>(gpsitem::CodeOfName("lon_abso_deg")), 0));
    EXPECT_TRUE(gpsform::IsSlotBlocked(unit, 2));
    EXPECT_EQ(gpsform::SlotCaption(unit, 2).str(), "割り当てなし");
    EXPECT_FALSE(gpsform::IsSlotBlocked(unit, 3));
    EXPECT_EQ(gpsform::SlotCaption(unit, 1), gpsform::ItemCaption(gpsitem::CodeOfName("lon_abso_deg")));
}

TEST_F(GpsFormTextTest, SpeedLimitIsStoredInTenthsWithinRange)
{
    struct Case {
        const char* what;
        double typed;
        int stored;  // -1: refused
    } cases[] = {
        {"zero", 0.0, 0}, {"cut toward zero", 1.25, 12}, {"an exact tenth", 0.3, 3},
        {"the top", 3.6, 36}, {"above the top", 3.7, -1}, {"negative", -0.1, -1},
    };
    for (const Case& c : cases) {
        const std::optional<int16_t> tenths = gpsform::SpeedLimitTenths(c.typed);
        EXPECT_EQ(tenths ? *tenths : -1, c.stored) << c.what;
    }
}

TEST_F(GpsFormTextTest, TheSlowReceiverSetsItsRateAndCycles)
{
    CKiv463Unit& unit = UnitIn(1);
    unit.Gps().cycle = 0;
    gpsform::ApplyReceiver(unit, 2);
    EXPECT_EQ(unit.Gps().bitRate, 57600u);
    EXPECT_EQ(unit.Gps().cycle, 3) << "0.05 s becomes 0.25 s";
    EXPECT_EQ(gpsform::CycleCodes(2), (std::vector<int>{3, 4, 5}));
    EXPECT_STREQ(gpsform::CycleText(3), "0.25");
    gpsform::ApplyReceiver(unit, 1);
    EXPECT_EQ(unit.Gps().bitRate, 115200u);
    EXPECT_EQ(gpsform::CycleCodes(1).size(), 6u);
}

TEST_F(GpsFormTextTest, APortWritesItsSettingsAsCsvOrTabbedLines)
{
    CKiv463Unit& unit = UnitIn(4);
    unit.Voice().levelTrigger = true;
    unit.Voice().triggerLevel = 3;
    unit.Can().bitRate = 500000;
    unit.Can().ackOutput = false;
    unit.Can().memoryBytes = 3000000;
    fw::CStringArray lines;
    gpsform::WritePortLines(unit, 4, true, lines);
    const std::string golden = "Port 5\n"
                               "\n"
                               "メモリ配分\n"
                               "CAN,3000000\n"
                               "音声,2000000\n"
                               "GPS,2000000\n"
                               "合計<=6000000,7000000\n"
                               "\n"
                               "音声\n"
                               "音量トリガを使う,ON\n"
                               "録音開始レベル,大\n"
                               "\n"
                               "CAN\n"
                               "通信速度,500000 bps\n"
                               "バスエラーで再送信しない（シングルショット）,ON\n"
                               "バスオフが起こっても強制復帰する,ON\n"
                               "フレーム受信時にACKを出力,OFF\n"
                               "\n"
                               "GPS\n"
                               "GPS受信機,使用しない\n"
                               "通信速度,115200 bps\n"
                               "測位間隔,0.05 sec\n"
                               "補正、距離測定を行う,OFF\n"
                               "\n"
                               "入力CH用データ\n"
                               "ch.33,割り当てなし\n"
                               "ch.34,割り当てなし\n"
                               "ch.35,割り当てなし\n"
                               "ch.36,割り当てなし\n"
                               "ch.37,割り当てなし\n"
                               "ch.38,割り当てなし\n"
                               "ch.39,割り当てなし\n"
                               "ch.40,割り当てなし\n"
                               "\n";
    EXPECT_EQ(Joined(lines), golden);

    fw::CStringArray tabbed;
    gpsform::WritePortLines(unit, 4, false, tabbed);
    EXPECT_EQ(tabbed[3].str(), "CAN\t3000000");
}

} // namespace
