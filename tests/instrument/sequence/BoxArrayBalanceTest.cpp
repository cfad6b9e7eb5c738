// The initial balance against two emulated control units.

#include "tests/support/link/SequenceFixture.h"

#include "instrument/meter/KivMeter.h"

#include <cmath>
#include <set>

namespace {

using seqtest::Lines;
using Measure = kivemu::MeasureDevice;
using Meter = kivemu::MeterDevice;
using State = kivemu::DeviceState;

constexpr int kOffset = 1001;
constexpr double kPreset = 5.0;

class BalanceTest : public seqtest::SequenceTest {
protected:
    void SetUp() override
    {
        SequenceTest::SetUp();
        Connect(2, {1});
        // Map 1, 2 are channels 2, 3 of unit 0; map 9, 10 those of unit 1.
        Dev(0).With([](Measure& m, Meter&, State&) { m.balanceResults = {{3, "ERR-011"}}; });
        Dev(1).With([](Measure& m, Meter&, State&) { m.balanceResults = {{2, "ERR-012"}, {3, "END    "}}; });
        for (int index : kChosen)
            ASSERT_TRUE(system.SetChannelValue(index, kOffset, kPreset));
    }

    double Offset(int index) { return system.GetChannelValue(index, kOffset); }
    // The value unit u's channel ch (from 0) had after the balance.
    double Value(int box, int ch) { return system.GetBox(box)->GetMeter()->GetCurrentValue(ch); }
    std::vector<int> Selection(int unit)
    {
        return Dev(unit).With([](Measure&, Meter&, State& s) {
            const std::set<int> unique(s.selection.begin(), s.selection.end());
            return std::vector<int>(unique.begin(), unique.end());
        });
    }

    const std::vector<int16_t> kChosen{1, 2, 9, 10};
};

TEST_F(BalanceTest, OneCommandForBothUnitsAndEachReplyFromItsOwnConnection)
{
    ASSERT_TRUE(system.RunBalance(kChosen, false));
    const Lines want{"RES", "SET2;3", "BAL", "MDT", "RES", "SET1;8"};
    EXPECT_EQ(LinesOf(0), want);
    EXPECT_EQ(LinesOf(1), want);
}

TEST_F(BalanceTest, OffsetsFollowTheResultOfEachChannel)
{
    struct Row {
        const char* name;
        bool clear;
        double wantMap1;   // balanced
        bool map2Negated;  // "ERR-011" without a high-pass filter
        bool map9Negated;  // "ERR-012"
        double wantMap10;  // "END"
    };
    const Row rows[] = {
        {"offsets kept", false, kPreset, true, false, kPreset},
        {"offsets cleared", true, kPreset, true, true, 0.0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        for (int index : kChosen)
            ASSERT_TRUE(system.SetChannelValue(index, kOffset, kPreset));
        ASSERT_TRUE(system.RunBalance(kChosen, r.clear));
        EXPECT_EQ(Offset(1), r.wantMap1);
        const double v2 = Value(0, 2);
        const double v9 = Value(1, 1);
        ASSERT_TRUE(std::isfinite(v2));
        EXPECT_DOUBLE_EQ(Offset(2), r.map2Negated ? -v2 : kPreset);
        EXPECT_DOUBLE_EQ(Offset(9), r.map9Negated ? -v9 : kPreset);
        EXPECT_EQ(Offset(10), r.wantMap10);
    }
}

TEST_F(BalanceTest, HighPassFilterKeepsTheOffsetUnlessCleared)
{
    ASSERT_TRUE(system.SetChannelValue(2, CBoxPropaty::kAttrHighPass, 20));
    ASSERT_TRUE(system.RunBalance(kChosen, false));
    EXPECT_EQ(Offset(2), kPreset);
    ASSERT_TRUE(system.RunBalance(kChosen, true));
    EXPECT_EQ(Offset(2), 0.0);
}

TEST_F(BalanceTest, ChannelsThatWereOffAreOffAgainAfterwards)
{
    ASSERT_TRUE(system.SetChannelValue(5, 0, 0));
    ASSERT_TRUE(system.SelectOnChannels(true));
    ASSERT_TRUE(system.RunBalance(kChosen, false));
    EXPECT_EQ(system.GetChannelValue(5, 0), 0.0);
    EXPECT_EQ(system.GetChannelValue(1, 0), 1.0);
    EXPECT_EQ(Selection(0), (std::vector<int>{1, 2, 3, 4, 5, 7, 8}));
    EXPECT_EQ(Selection(1), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(BalanceTest, RefusedCurrentValuesFailTheRunAndChangeNoOffset)
{
    const std::string bad = "1,x\r\n";
    FaultsOf(1).Garbage("MDT", std::vector<uint8_t>(bad.begin(), bad.end()), true);
    services.prompt.ExpectText("", fw::IDOK);
    EXPECT_FALSE(system.RunBalance(kChosen, true));
    EXPECT_EQ(services.prompt.Problems(), "");
    for (int index : kChosen)
        EXPECT_EQ(Offset(index), kPreset) << index;
    // The selection of the channels that are on is back on both units.
    EXPECT_EQ(LinesOf(1).back(), "SET1;8");
    EXPECT_EQ(Selection(0).size(), 8u);
}

TEST_F(BalanceTest, BalanceRefusedByAUnitFailsTheRunAfterReadingBothReplies)
{
    FaultsOf(0).ErrorOn("BAL", 40);
    services.prompt.ExpectText("", fw::IDOK);
    EXPECT_FALSE(system.RunBalance(kChosen, true));
    EXPECT_EQ(services.prompt.Problems(), "");
    for (int index : kChosen)
        EXPECT_EQ(Offset(index), kPreset) << index;
    // Unit 1's reply was read: it went on in step.
    EXPECT_EQ(LinesOf(1), (Lines{"RES", "SET2;3", "BAL", "RES", "SET1;8"}));
    EXPECT_EQ(Selection(1).size(), 8u);
}

} // namespace
