#include "graphdoc/model/objects/RangeSelect.h"

#include <gtest/gtest.h>

namespace {

TEST(RangeSelect, TimesBecomeSamplesWithinTheData)
{
    const struct {
        const char* name;
        double first, last, interval;
        int count, firstSample, lastSample;
        bool fitted;
    } rows[] = {
        {"whole interval at 10 ms", 0.14, 0.14, 0.01, 100, 15, 15, false},
        {"within the data", 10.0, 20.0, 0.5, 100, 21, 41, false},
        {"beyond the data", 10.0, 100.0, 0.5, 100, 21, 100, true},
        {"between two samples", 10.2, 20.0, 0.5, 100, 22, 41, false},
        {"before the start", -3.0, 1.0, 0.5, 100, 1, 3, true},
        {"last before first", 20.0, 10.0, 0.5, 100, 41, 41, true},
        {"no interval", 1.0, 2.0, 0.0, 100, 1, 100, true},
    };
    for (const auto& row : rows) {
        const SampleRange range = SamplesFromTimes(row.first, row.last, row.interval, row.count);
        EXPECT_EQ(range.first, row.firstSample) << row.name;
        EXPECT_EQ(range.last, row.lastSample) << row.name;
        EXPECT_EQ(range.fitted, row.fitted) << row.name;
    }
}

TEST(RangeSelect, SamplesBecomeTimes)
{
    EXPECT_DOUBLE_EQ(TimeOfSample(21, 0.5), 10.0);
    EXPECT_DOUBLE_EQ(TimeOfSample(1, 0.5), 0.0);
}

} // namespace
