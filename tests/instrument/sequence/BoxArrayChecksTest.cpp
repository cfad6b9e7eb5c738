// The checks before writing and taking an A/D setting into the system.

#include "tests/support/link/SequenceFixture.h"

#include "common/tank/TimeDataTank.h"
#include "framework/core/StringTable.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/meter/MeterVersion.h"
#include "framework/core/ServiceSlot.h"
#include "instrument/unit/Unit463Services.h"
#include "instrument/unit/Kiv465Unit.h"
#include "tests/instrument/system/FakeCanUnit.h"

#include <cmath>

namespace {

using Measure = kivemu::MeasureDevice;
using Meter = kivemu::MeterDevice;
using State = kivemu::DeviceState;

class ChecksTest : public seqtest::SequenceTest {
protected:
    CKivMeter& MeterOf(int box) { return *system.GetBox(box)->GetMeter(); }

    void SwitchOff(int first, int last)
    {
        for (int i = first; i <= last; ++i)
            ASSERT_TRUE(system.SetChannelValue(i, 0, 0));
    }
};

struct DialogCall {
    bool preTrigger = false;
    int32_t count = 0;
    int calls = 0;
};
DialogCall g_dialog;

struct FakeAdDialog : IAdDialog {
    bool Run(CBoxArray&, bool preTrigger, int32_t count) override
    {
        g_dialog.preTrigger = preTrigger;
        g_dialog.count = count;
        ++g_dialog.calls;
        return true;
    }
};

TEST_F(ChecksTest, PreTriggerLimitFollowsTheWidestHighSpeedUnit)
{
    ConnectEach({{2, 2}, {2}});
    SwitchOff(10, 15);  // 10 channels on in box 0
    SwitchOff(19, 23);  // 3 in box 1
    ASSERT_TRUE(system.SetMeasuringChannelsValue(CKivMeter::kAttrInterval, 0.04));
    ASSERT_EQ(MeterOf(0).GetSpeedClass(), 2);
    ASSERT_EQ(MeterOf(1).GetSpeedClass(), 2);
    system.GetADSet().m_nPreNum = 10000000;

    services.prompt.ExpectText("トリガ前データ数は 4000000 以下", fw::IDNO);
    EXPECT_FALSE(system.CheckDataCounts());
    EXPECT_EQ(services.prompt.Problems(), "");

    g_dialog = {};
    FakeAdDialog adDialog;
    fw::ScopedInstall<IAdDialog> installed(adDialog);
    services.prompt.ExpectText("トリガ前データ数を4000000に変更しますか?", fw::IDYES);
    EXPECT_TRUE(system.CheckDataCounts());
    EXPECT_EQ(g_dialog.calls, 1);
    EXPECT_TRUE(g_dialog.preTrigger);
    EXPECT_EQ(g_dialog.count, 4000000);
}

TEST_F(ChecksTest, DataCountAboveTheMemoryOfAFastUnitIsRefused)
{
    Connect();
    ASSERT_TRUE(system.SetMeasuringChannelsValue(CKivMeter::kAttrInterval, 0.04));
    system.GetADSet().m_nNum = 9000000;  // 8 channels hold 8,000,000
    services.prompt.ExpectText("計測データ数は 8000000 以下", fw::IDNO);
    EXPECT_FALSE(system.CheckDataCounts());
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST_F(ChecksTest, FastClockNeedsFirmware22A)
{
    Connect();
    MeterOf(1).SetFirmwareVersion(meterversion::Pack("2.1A"));
    system.GetADSet().m_dClk = 1000.0 / 1024;
    services.prompt.Expect(859, fw::IDOK);
    EXPECT_FALSE(system.CheckFirmwareLimits());
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST_F(ChecksTest, ExternalClockNeedsASampleClockInput)
{
    Connect(1, {2, 7});
    system.GetADSet().m_nExtClk = 1;
    services.prompt.Expect(844, fw::IDOK);
    EXPECT_FALSE(system.CheckSettings());
    EXPECT_EQ(services.prompt.Problems(), "");

    CKivUnit* digital = MeterOf(0).GetUnit(1);
    ASSERT_NE(digital, nullptr);
    ASSERT_TRUE(digital->SetValue(8, CKiv465Unit::kFunctionEntry, 3));
    services.prompt.Reset();
    services.prompt.SetUnexpectedHandler(nullptr);
    system.CheckSettings();
    for (const auto& record : services.prompt.Prompts())
        EXPECT_NE(record.msgId, 844u);
}

TEST_F(ChecksTest, OldStrainUnitsAreOfferedLowerFilters)
{
    Connect(1, {1});
    Dev(0).With([](Measure&, Meter&, State& s) { s.unitFirmware[0] = "1.1B"; });
    ASSERT_TRUE(system.SetChannelValue(2, CBoxPropaty::kAttrHighPass, 20));

    services.prompt.ExpectText("\nポート 1 : KIV-417", fw::IDNO);
    EXPECT_FALSE(system.CheckFirmwareLimits());
    EXPECT_EQ(system.GetChannelValue(2, CBoxPropaty::kAttrHighPass), 20);

    services.prompt.ExpectText("PASSに設定して続行しますか", fw::IDYES);
    EXPECT_TRUE(system.CheckFirmwareLimits());
    EXPECT_EQ(services.prompt.Problems(), "");
    EXPECT_EQ(system.GetChannelValue(2, CBoxPropaty::kAttrHighPass), 0);
}

TEST_F(ChecksTest, ReadBackOfUnitsThatDisagreeOnTheClockIsReported)
{
    Connect();
    ASSERT_TRUE(system.WriteAllSettings());
    ASSERT_TRUE(system.CheckSameClock());
    EXPECT_EQ(system.GetADSet().m_dClk, MeterOf(0).GetInterval());

    ASSERT_TRUE(MeterOf(1).SetValue(0, CKivMeter::kAttrInterval, 2.0, true));
    ASSERT_TRUE(system.WriteAllSettings());
    services.prompt.Expect(CBoxArray::kMsgDifferentClock, fw::IDOK);
    EXPECT_FALSE(system.CheckSameClock());
    EXPECT_EQ(services.prompt.Problems(), "");
    // The setting of the first unit is taken all the same.
    EXPECT_EQ(system.GetADSet().m_dClk, 1.0);
}

TEST_F(ChecksTest, AdSettingReachesEveryChannelAndTheTimeAxis)
{
    Connect();
    CADSetPrf setting;
    setting.m_nNum = 2000;
    setting.m_nPreNum = 100;
    setting.m_dClk = 2.0;
    setting.m_nUnit = CADSetPrf::unitMs;
    ASSERT_TRUE(system.ApplyAdSetting(setting));
    EXPECT_EQ(MeterOf(1).GetInterval(), 2.0);
    EXPECT_EQ(MeterOf(1).GetValue(0, CKivMeter::kAttrDataCount), 2000);
    EXPECT_EQ(MeterOf(1).GetValue(0, CKivMeter::kAttrPreTrigger), 100);
    auto* time = dynamic_cast<CTimeDataTank*>(system.GetTankList().GetTimeTank());
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->GetInterval(), 2.0);
    EXPECT_EQ(time->GetName(), fw::LoadStringText(159));
    EXPECT_EQ(time->GetDataCount(), 2000);
    EXPECT_EQ(system.GetTankList().GetObjectAt(3)->GetDataCount(), 2000);

    setting.m_nExtClk = 1;
    ASSERT_TRUE(system.ApplyAdSetting(setting));
    EXPECT_EQ(time->GetName(), fw::LoadStringText(838));
    EXPECT_EQ(time->GetInterval(), 1.0);
    EXPECT_EQ(time->GetStartTime(), 1.0);
    EXPECT_EQ(time->GetUnitIndex(), CTimeDataTank::kUnitSamples);
}

int g_marked = 0;

TEST_F(ChecksTest, CanUnitSettingsAreCheckedByTheirOwnLayer)
{
    systest::FakeCanUnitScope canUnit;
    ConnectEach({{2, 8}});
    ASSERT_TRUE(system.CheckSettings());

    struct Services : IUnit463Services {
        bool SettingsAllowed(const CKivUnit&) override { return false; }
        void MarkDuplicateIds(CKivUnit&) override { ++g_marked; }
    } services463;
    fw::ScopedInstall<IUnit463Services> installed(services463);
    services.prompt.Expect(815, fw::IDOK);
    EXPECT_FALSE(system.CheckSettings());
    EXPECT_EQ(services.prompt.Problems(), "");
    g_marked = 0;
    system.MarkDuplicateCanIds();
    EXPECT_EQ(g_marked, 1);
}

} // namespace
