// A comparator whose channel value is not a number ends without a word and
// the panel goes on polling.

#include "tests/measure/poll/PanelFixture.h"

namespace {

using paneltest::PanelTest;

TEST_F(PanelTest, AComparatorEndedByANonFiniteValueKeepsThePanelPolling)
{
    Open(1);
    host.crossings = {-1, 0};
    panel->OnDataComparator();
    ASSERT_TRUE(panel->IsComparator());
    ASSERT_TRUE(PumpUntil([&] { return !panel->IsComparator(); }));
    ASSERT_TRUE(PumpPolls(3));
    EXPECT_TRUE(panel->HasWorker());
    EXPECT_FALSE(panel->IsAborted());
    EXPECT_EQ(host.comparatorEnabled, (std::vector<bool>{true, false}));
    panel->StopPolling();
}

} // namespace
