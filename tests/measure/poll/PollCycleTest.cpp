// The poll worker against emulated control units on real threads.

#include "tests/measure/poll/PanelFixture.h"

#include <chrono>

namespace {

using paneltest::PanelTest;
using seqtest::Lines;

TEST_F(PanelTest, EachPollAsksStatesFileCountAndValuesOfEveryUnitAndStoresTheValues)
{
    Open(2, 0);
    ASSERT_TRUE(PumpPolls(3));
    panel->StopPolling();
    for (int u = 0; u < 2; ++u) {
        const Lines lines = LinesOf(u);
        ASSERT_GE(lines.size(), 3u) << "unit " << u;
        EXPECT_EQ(lines[0], "STA1") << "unit " << u;
    }
    // Channel 0 lies on the first unit: only that unit is asked for values.
    EXPECT_GE(CountOf(0, "MDT"), 3);
    EXPECT_EQ(CountOf(1, "MDT"), 0);
    EXPECT_GE(CountOf(1, "STA1"), 3);
    EXPECT_GE(CountOf(0, "FLN"), 3);
    EXPECT_NE(Stored(0), 0.0);
    EXPECT_GE(host.trend.GetDataCount(), 3);
    EXPECT_FALSE(panel->HasWorker());
}

TEST_F(PanelTest, ValueRequestsGoToEveryPolledUnitBeforeAnyReplyIsRead)
{
    Open(2, -1, false);
    panel->StopPolling();
    Watch(0);
    Watch(system.GetBox(1)->GetInputCount() > 0 ? 8 : 0);
    panel->SetMonitoring(true);
    ASSERT_TRUE(panel->StartPolling());
    ASSERT_TRUE(PumpPolls(1));
    panel->StopPolling();
    ASSERT_EQ(panel->GetPolledBoxes().size(), 2u);
    // Each unit answers its values 400 ms late; asked in turn, a poll would
    // take 800 ms.
    FaultsOf(0).DelayReply("MDT", 400);
    FaultsOf(1).DelayReply("MDT", 400);
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(panel->StartPolling());
    ASSERT_TRUE(PumpPolls(1));
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0);
    panel->StopPolling();
    EXPECT_LT(ms.count(), 750);
}

TEST_F(PanelTest, AStopWhileAPollRunsWaitsForItAndItsResultIsNeverHandled)
{
    Open(1, 0);
    ASSERT_TRUE(PumpPolls(1));
    FaultsOf(0).DelayReply("MDT", 300);
    // Let the worker begin the slow poll, then stop.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const int redraws = host.redraws;
    panel->StopPolling();
    EXPECT_FALSE(panel->HasWorker());
    fw::PumpPosted();
    EXPECT_EQ(host.redraws, redraws);
    EXPECT_EQ(fw::PostedCount(), 0u);
}

TEST_F(PanelTest, WithNothingWatchedMonitoringSwitchesOffAndPollsReadStatesOnly)
{
    Open(1, -1);
    EXPECT_FALSE(panel->IsMonitoring());
    ASSERT_TRUE(PumpUntil([&] { return CountOf(0, "STA1") >= 4; }));
    panel->StopPolling();
    EXPECT_EQ(CountOf(0, "MDT"), 0);
}

TEST_F(PanelTest, AFailedPollAsksToContinueAndGoesOnPolling)
{
    Open(1, 0);
    ASSERT_TRUE(PumpPolls(1));
    question.answers = {true};
    FaultsOf(0).ErrorOn("MDT", 11);
    ASSERT_TRUE(PumpUntil([&] { return !question.asked.empty(); }));
    ASSERT_TRUE(PumpPolls(2));
    panel->StopPolling();
    EXPECT_EQ(host.closes, 0);
    EXPECT_FALSE(panel->IsAborted());
}

TEST_F(PanelTest, AFailedPollDeclinedAbortsThePanel)
{
    Open(1, 0);
    ASSERT_TRUE(PumpPolls(1));
    question.answers = {false};
    FaultsOf(0).ErrorOn("MDT", 11);
    ASSERT_TRUE(PumpUntil([&] { return panel->IsAborted(); }));
    EXPECT_EQ(host.closes, 1);
    EXPECT_FALSE(panel->IsMonitoring());
    EXPECT_FALSE(panel->IsMeasuring());
}

} // namespace
