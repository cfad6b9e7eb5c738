// The monitor's trend copy of the channels and the alarm window's rows.

#include "tests/measure/poll/PanelFixture.h"

#include "common/calc/CashCalcuDataTank.h"
#include "measure/model/poll/AlarmList.h"

#include <map>

namespace {

using paneltest::PanelTest;

TEST_F(PanelTest, TrendSamplesCarryTheirElapsedTimeFromTheFirstSample)
{
    Connect(1);
    system.SetTankDisplayModes();
    CMoniSPTankData& trend = host.trend;
    std::vector<int16_t> watched{0, 1};
    trend.StampTime();
    trend.StoreValues(system.GetTankList(), watched);
    services.clock.Advance(1500);
    trend.StampTime();
    trend.StoreValues(system.GetTankList(), watched);
    CDataTankObject* time = trend.GetTimeTank();
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(trend.GetDataCount(), 2);
    EXPECT_DOUBLE_EQ(time->GetValue(0), 0.0);
    EXPECT_DOUBLE_EQ(time->GetValue(1), 1.5);
    EXPECT_EQ(time->GetUnit(), fw::CString("sec"));
}

TEST_F(PanelTest, TrendPastItsLimitStartsOverEmpty)
{
    Connect(1);
    system.SetTankDisplayModes();
    CMoniSPTankData& trend = host.trend;
    std::vector<int16_t> watched{0};
    trend.StoreValues(system.GetTankList(), watched);
    ASSERT_EQ(trend.GetDataCount(), 1);
    trend.SetDataCount(CMoniSPTankData::kMaxSamples + 1, false);
    EXPECT_EQ(trend.GetDataCount(), 0);
    EXPECT_EQ(trend.GetObjectAt(0)->GetDataCount(), 0);
}

TEST_F(PanelTest, AlarmRowsNameChannelsAndStatesAndMapBackToTheirChannels)
{
    struct Case {
        int channel;
        int state;
        const char* first;
        const char* stateText;
    } cases[] = {{4, 1, "CH5", "Low"}, {502, 6, "NO3", "Upp/Over"}, {0, 7, "CH1", "Upp/Low/Over"}};
    CKivSPTankData tanks;
    std::map<CDataTankObject*, int> states;
    for (const Case& c : cases) {
        CCalcuDataTank* tank = tanks.GetOrCreateChannel(c.channel);
        ASSERT_NE(tank, nullptr);
        states[tank] = c.state;
    }
    CAlarmList list;
    const int highest = list.Rebuild(tanks, [&](CDataTankObject* t) { return states.count(t) ? states[t] : 0; });
    EXPECT_EQ(highest, 7);
    ASSERT_EQ(list.Rows().size(), 3u);
    for (const auto& row : list.Rows()) {
        const Case* c = nullptr;
        for (const Case& k : cases)
            if (k.channel == row.channel)
                c = &k;
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(CAlarmList::Field(row.text, 0), fw::CString(c->first)) << c->first;
        EXPECT_EQ(CAlarmList::Field(row.text, 3), fw::CString(c->stateText)) << c->first;
        EXPECT_EQ(CAlarmList::ChannelOfRow(row.text), c->channel) << c->first;
    }
    states.clear();
    EXPECT_EQ(list.Rebuild(tanks, [&](CDataTankObject*) { return 0; }), 0);
    EXPECT_TRUE(list.Rows().empty());
}

} // namespace
