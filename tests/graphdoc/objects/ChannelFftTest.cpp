#include "graphdoc/model/objects/ChannelFft.h"

#include "common/cache/CacheClasses.h"
#include "common/cache/CacheTanks.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

constexpr double kPi = 3.14159265358979323846;

class ChannelSpectrumTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterCacheClasses();
        SetCacheTankFolder(dir.Path().string());
        ASSERT_TRUE(result.CreateCacheFile());
    }
    void TearDown() override { SetCacheTankFolder(""); }

    // A calculated float channel in a cache file, as the documents hold them.
    void FillChannel(int n, const std::function<double(int)>& f)
    {
        channel.SetKind(-1);
        ASSERT_TRUE(channel.CreateCacheFile());
        if (n > 0) {
            ASSERT_TRUE(channel.SetSize(n, true));
        }
        for (int i = 0; i < n; ++i)
            channel.SetValue(i, f(i));
        channel.SetName("CH1");
        channel.SetUnit("V");
    }
    SpectrumOutcome Compute(const SpectrumChoices& choices, double clockMs = 1.0, bool external = false)
    {
        SpectrumSource source{&channel, clockMs, external};
        return ComputeChannelSpectrum(source, choices, result, frequency, peak);
    }

    kivtest::TempDir dir;
    fw::test::ServiceScope services;
    CCashCalcuDataTank channel;
    CCacheFltDataTank result;
    CTimeDataTank frequency;
    int32_t peak = 99;
};

TEST_F(ChannelSpectrumTest, LengthAndFrequencyStepFollowTheCountMode)
{
    FillChannel(1000, [](int i) { return std::sin(i * 0.1); });
    const struct {
        const char* name;
        int mode, points;
        double step;
    } rows[] = {
        {"zero-pad", spectrum::countZeroPad, 512, 0.9765625},
        {"truncate", spectrum::countTruncate, 256, 1.953125},
    };
    for (const auto& row : rows) {
        SpectrumChoices choices;
        choices.countMode = row.mode;
        EXPECT_EQ(Compute(choices), SpectrumOutcome::computed) << row.name;
        EXPECT_EQ(result.GetDataCount(), row.points) << row.name;
        EXPECT_EQ(frequency.GetDataCount(), row.points) << row.name;
        EXPECT_DOUBLE_EQ(frequency.GetInterval(), row.step) << row.name;
        EXPECT_DOUBLE_EQ(frequency.GetValue(10), 10 * row.step) << row.name;
    }
}

TEST_F(ChannelSpectrumTest, FourSamplesWithoutShift)
{
    FillChannel(4, [](int i) { return i + 1.0; });
    SpectrumChoices choices;
    choices.shift = spectrum::shiftNone;
    ASSERT_EQ(Compute(choices), SpectrumOutcome::computed);
    ASSERT_EQ(result.GetDataCount(), 2);
    EXPECT_NEAR(result.GetValue(0), 6.25, 1e-6);
    EXPECT_NEAR(result.GetValue(1), 2.0, 1e-6);
    EXPECT_EQ(peak, 0);
    EXPECT_NEAR(result.GetMax(), 6.25, 1e-6);
}

TEST_F(ChannelSpectrumTest, SineOnBinGivesValueUnitAndPeakByKind)
{
    FillChannel(1024, [](int i) { return 2.0 * std::sin(2.0 * kPi * 131 * i / 1024); });
    const struct {
        const char* name;
        int kind;
        double value;
        const char* unit;
    } rows[] = {
        {"power", spectrum::kindPower, 4.0, "(V)\\super2\\super"},
        {"dB", spectrum::kindPowerDb, 6.0206, "dB"},
        {"amplitude", spectrum::kindAmplitude, 2.0, "V"},
    };
    for (const auto& row : rows) {
        SpectrumChoices choices;
        choices.kind = row.kind;
        ASSERT_EQ(Compute(choices), SpectrumOutcome::computed) << row.name;
        EXPECT_NEAR(result.GetValue(131), row.value, 1e-4) << row.name;
        EXPECT_EQ(peak, 131) << row.name;
        EXPECT_EQ(result.GetUnit(), row.unit) << row.name;
        EXPECT_EQ(result.GetName(), "CH1") << row.name;
        EXPECT_NEAR(result.GetMax(), row.value, 1e-4) << row.name;
    }
}

TEST_F(ChannelSpectrumTest, NoSpectrumWithoutATimeBase)
{
    FillChannel(1024, [](int i) { return i % 7; });
    const struct {
        const char* name;
        double clock;
        bool external;
        SpectrumOutcome outcome;
    } rows[] = {
        {"external clock", 1.0, true, SpectrumOutcome::emptied},
        {"zero clock", 0.0, false, SpectrumOutcome::badClock},
        {"negative clock", -1.0, false, SpectrumOutcome::badClock},
        {"not a number", NAN, false, SpectrumOutcome::badClock},
    };
    for (const auto& row : rows) {
        ASSERT_EQ(Compute(SpectrumChoices{}), SpectrumOutcome::computed) << row.name;
        ASSERT_EQ(result.GetDataCount(), 512);
        EXPECT_EQ(Compute(SpectrumChoices{}, row.clock, row.external), row.outcome) << row.name;
        EXPECT_EQ(result.GetDataCount(), 0) << row.name;
        EXPECT_EQ(frequency.GetDataCount(), 0) << row.name;
        EXPECT_EQ(peak, -1) << row.name;
    }
}

TEST_F(ChannelSpectrumTest, TooFewSamplesGiveNothing)
{
    const struct {
        const char* name;
        int n, mode, points;
    } rows[] = {
        {"none", 0, spectrum::countZeroPad, 0},
        {"one truncated", 1, spectrum::countTruncate, 0},
        {"one padded", 1, spectrum::countZeroPad, 1},
    };
    for (const auto& row : rows) {
        channel.Clear();
        FillChannel(row.n, [](int) { return 3.0; });
        SpectrumChoices choices;
        choices.countMode = row.mode;
        choices.shift = spectrum::shiftNone;
        EXPECT_EQ(Compute(choices), SpectrumOutcome::computed) << row.name;
        EXPECT_EQ(result.GetDataCount(), row.points) << row.name;
        if (row.points == 0) {
            EXPECT_DOUBLE_EQ(frequency.GetInterval(), 1.0) << row.name;
            EXPECT_EQ(peak, -1) << row.name;
        } else {
            // One sample padded with a zero: the mean of the two, squared.
            EXPECT_NEAR(result.GetValue(0), 2.25, 1e-6) << row.name;
        }
    }
}

TEST_F(ChannelSpectrumTest, OnlyFloatChannelsHaveSpectra)
{
    CDblDataTank doubles;
    doubles.SetSize(16, true);
    SpectrumSource source{&doubles, 1.0, false};
    EXPECT_EQ(ComputeChannelSpectrum(source, SpectrumChoices{}, result, frequency, peak), SpectrumOutcome::emptied);
    EXPECT_EQ(result.GetDataCount(), 0);
    EXPECT_EQ(peak, -1);
}

} // namespace
