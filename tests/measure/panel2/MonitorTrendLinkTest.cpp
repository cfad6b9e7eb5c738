// The monitor trend's tanks follow the project's channel tanks: they show
// the channel's name, unit and format, share its watchers and keep it
// alive while they point at it.

#include "common/cache/CacheDataTank.h"
#include "common/cache/CacheTanks.h"
#include "common/calc/KivSPTankData.h"
#include "measure/model/monitor/MoniCalcuDataTank.h"
#include "measure/model/poll/MoniSPTankData.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// The trend's cache files go to a folder of the test.
class MonitorTrendLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        CCacheDataTank<float>::SetTempFolder(temp.Path().c_str());
        CCacheDataTank<double>::SetTempFolder(temp.Path().c_str());
    }
    kivtest::TempDir temp;
};

CCalcuDataTank* Channel(CKivSPTankData& channels, int index, const char* name, const char* unit, int16_t format)
{
    CCalcuDataTank* tank = channels.GetOrCreateChannel(index);
    tank->SetName(name);
    tank->SetUnit(unit);
    tank->SetFormat(format);
    return tank;
}

TEST_F(MonitorTrendLink, ALinkedTankPresentsItsChannelAndAnUnlinkedOneItself)
{
    CKivSPTankData channels;
    Channel(channels, 3, "荷重", "kN", 12);
    CMoniSPTankData trend;
    CMoniCalcuDataTank* tank = trend.CreateItem(3, -1);
    ASSERT_NE(tank, nullptr);
    tank->SetName("own");
    EXPECT_EQ(tank->GetName(), fw::CString("own"));

    trend.LinkSources(channels);
    EXPECT_EQ(tank->GetSourceTank(), channels.GetObjectAt(3));
    EXPECT_EQ(tank->GetName(), fw::CString("荷重"));
    EXPECT_EQ(tank->GetUnit(), fw::CString("kN"));
    EXPECT_EQ(tank->GetFormat(), 12);

    tank->SetSourceTank(nullptr);
    EXPECT_EQ(tank->GetName(), fw::CString("own"));
}

TEST_F(MonitorTrendLink, WatchersGoToTheChannelAndMoveAlongWithANewLink)
{
    CKivSPTankData channels;
    CCalcuDataTank* first = Channel(channels, 0, "a", "V", 0);
    CMoniSPTankData trend;
    CMoniCalcuDataTank* tank = trend.CreateItem(0, -1);
    // Two displays watched the tank before it was linked.
    tank->AddUse();
    tank->AddUse();
    tank->SetSourceTank(first);
    EXPECT_EQ(first->GetUseCount(), 2);
    tank->AddUse();
    EXPECT_EQ(first->GetUseCount(), 3);
    EXPECT_EQ(tank->GetUseCount(), 3);

    CKivSPTankData rebuilt;
    CCalcuDataTank* second = Channel(rebuilt, 0, "b", "V", 0);
    second->AddUse();  // the channel's own display
    trend.LinkSources(rebuilt);
    EXPECT_EQ(second->GetUseCount(), 1 + 3);
    tank->RemoveUse();
    EXPECT_EQ(second->GetUseCount(), 3);
}

TEST_F(MonitorTrendLink, TheTrendKeepsAChannelTheProjectDroppedUntilItLetsGo)
{
    CKivSPTankData channels;
    CCalcuDataTank* source = Channel(channels, 1, "kept", "mm", 0);
    CMoniSPTankData trend;
    CMoniCalcuDataTank* tank = trend.CreateItem(1, -1);
    trend.LinkSources(channels);
    EXPECT_EQ(source->GetRefCount(), 2);

    channels.ReleaseTankAt(1);
    EXPECT_EQ(source->GetRefCount(), 1);
    EXPECT_EQ(tank->GetName(), fw::CString("kept"));

    // The channel is gone for good once the trend follows the list again.
    trend.LinkSources(channels);
    EXPECT_EQ(tank->GetSourceTank(), nullptr);
}

TEST_F(MonitorTrendLink, StoredValuesLinkTheTanksTheyCreateAndTheElapsedTimeStaysOwn)
{
    CKivSPTankData channels;
    Channel(channels, 2, "temp", "degC", 0);
    CMoniSPTankData trend;
    trend.StoreValues(channels, {2});
    auto* tank = dynamic_cast<CMoniCalcuDataTank*>(trend.GetObjectAt(2));
    ASSERT_NE(tank, nullptr);
    EXPECT_EQ(tank->GetSourceTank(), channels.GetObjectAt(2));
    EXPECT_EQ(tank->GetUnit(), fw::CString("degC"));

    trend.LinkSources(channels);
    auto* time = dynamic_cast<CMoniCalcuDataTank*>(trend.GetTimeTank());
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->GetSourceTank(), nullptr);
    EXPECT_EQ(time->GetUnit(), fw::CString("sec"));
}

TEST_F(MonitorTrendLink, EveryTankKeepsOnlyASmallWindowInMemoryAndTheRestInItsFile)
{
    CKivSPTankData channels;
    for (int ch = 0; ch < 3; ++ch)
        Channel(channels, ch, "v", "V", 0);
    CMoniSPTankData trend;
    constexpr int kSamples = 237;
    for (int i = 0; i < kSamples; ++i) {
        trend.StampTime();
        trend.StoreValues(channels, {0, 1, 2});
    }
    ASSERT_EQ(trend.GetDataCount(), kSamples);
    for (int ch : {0, 1, 2, CMoniSPTankData::kTimeIndex}) {
        auto* tank = dynamic_cast<CCalcuDataTank*>(trend.GetObjectAt(ch));
        ASSERT_NE(tank, nullptr) << ch;
        auto* cache = dynamic_cast<CCacheFltDataTank*>(tank->GetResultTank());
        ASSERT_NE(cache, nullptr) << ch;
        EXPECT_LE(cache->GetWindowSize(), CMoniSPTankData::kWindowValues) << ch;
        EXPECT_EQ(tank->GetDataCount(), kSamples) << ch;
    }
    // The elapsed times written back read again from the file.
    CDataTankObject* time = trend.GetTimeTank();
    EXPECT_EQ(time->GetValue(0), 0.0);
    for (int i : {1, 9, 10, 100, kSamples - 1}) {
        EXPECT_GE(time->GetValue(i), time->GetValue(i - 1)) << i;
        EXPECT_LT(time->GetValue(i), 60.0) << i;
    }
}

} // namespace
