// Which channels the monitor settings list as shown and as available.

#include "common/cache/CacheDataTank.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/calc/KivSPTankData.h"
#include "common/tank/DataTankObject.h"
#include "measure/model/monitor/MonitorChannels.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class MonitorChannels : public ::testing::Test {
protected:
    void SetUp() override
    {
        CCacheDataTank<float>::SetTempFolder(temp.Path().c_str());
        CCacheDataTank<double>::SetTempFolder(temp.Path().c_str());
    }

    void Add(int index, const char* name, int32_t code = -1)
    {
        CCashCalcuDataTank* tank = tanks.CreateChannelTank(index, code, false);
        tank->SetName(name);
    }

    static std::vector<int32_t> ChannelsOf(const std::vector<MonitorListItem>& items)
    {
        return monitorlists::Channels(items);
    }

    kivtest::TempDir temp;
    CKivSPTankData tanks;
};

TEST_F(MonitorChannels, OnlyNamedNumericChannelsThatAreOnAreOffered)
{
    Add(0, "a");
    Add(1, "");                              // no name
    Add(2, "off", kTankKindChannelOff);      // switched off
    Add(3, "text", -10);                     // text values
    Add(4, "beyond the input channels");
    Add(500, "calc");
    Add(502, "calc3");
    const auto available = monitorlists::Available(tanks, 4, {});
    EXPECT_EQ(ChannelsOf(available), (std::vector<int32_t>{0, 500, 502}));
    ASSERT_EQ(available.size(), 3u);
    EXPECT_EQ(available[0].number, fw::CString("CH1"));
    EXPECT_EQ(available[2].number, fw::CString("NO3"));
    EXPECT_EQ(available[2].name, fw::CString("calc3"));
}

TEST_F(MonitorChannels, MonitoredKeepTheSettingsOrderAndDropChannelsThatWent)
{
    Add(0, "a");
    Add(1, "b");
    Add(2, "off", kTankKindChannelOff);
    Add(500, "calc");
    const auto monitored = monitorlists::Monitored(tanks, {500, 1, 2, 9, -1, 0});
    EXPECT_EQ(ChannelsOf(monitored), (std::vector<int32_t>{500, 1, 0}));
    EXPECT_EQ(ChannelsOf(monitorlists::Available(tanks, 2, monitored)), (std::vector<int32_t>{}));
}

struct MoveCase {
    const char* name;
    std::vector<bool> selected;
    int at;
    std::vector<int32_t> monitored;
    std::vector<int32_t> available;
};

TEST_F(MonitorChannels, MovingKeepsTheOrderOfTheChosenChannels)
{
    const MoveCase cases[] = {
        {"append two", {true, false, true}, -1, {10, 11, 0, 2}, {1}},
        {"insert before the first", {false, true, true}, 0, {1, 2, 10, 11}, {0}},
        {"insert in the middle", {true, true, true}, 1, {10, 0, 1, 2, 11}, {}},
        {"nothing chosen", {false, false, false}, -1, {10, 11}, {0, 1, 2}},
    };
    for (const MoveCase& c : cases) {
        std::vector<MonitorListItem> available = {{"", "", 0}, {"", "", 1}, {"", "", 2}};
        std::vector<MonitorListItem> monitored = {{"", "", 10}, {"", "", 11}};
        monitorlists::MoveToMonitored(available, c.selected, monitored, c.at);
        EXPECT_EQ(ChannelsOf(monitored), c.monitored) << c.name;
        EXPECT_EQ(ChannelsOf(available), c.available) << c.name;
    }
}

} // namespace
