#include "chart/model/GraphParamArray.h"
#include "chart/model/KivGraphDraw.h"
#include "common/calc/CalcuDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "framework/core/DateTime.h"
#include "graphdoc/model/TimeScaleSettings.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The best reference time comes from the series' time tanks, also when the
// X channel is the elapsed-time channel, a calculated channel over one.
TEST(TimeScaleStartTest, EarliestStartLooksThroughTheElapsedTimeChannel)
{
    double early = 0.0;
    double late = 0.0;
    ASSERT_TRUE(fw::FieldsToOleDate(2025, 3, 12, 14, 25, 30, early));
    ASSERT_TRUE(fw::FieldsToOleDate(2025, 3, 13, 8, 0, 0, late));

    // The series take the tanks over.
    auto* plain = new CTimeDataTank;
    plain->SetStartTime(late);
    auto* elapsed = new CCalcuDataTank;
    auto result = std::make_unique<CTimeDataTank>();
    result->SetStartTime(early);
    elapsed->SetResultTank(std::move(result));

    CKivGraphDraw draw;
    draw.AddSeries(true)->SetItem(0, 2, 0, plain, false);
    draw.AddSeries(true)->SetItem(0, 2, 499, elapsed, false);

    TimeScaleSettings s;
    ASSERT_TRUE(s.TakeEarliestStart(draw));
    EXPECT_EQ(s.reference.year, 2025);
    EXPECT_EQ(s.reference.month, 3);
    EXPECT_EQ(s.reference.day, 12);
    EXPECT_EQ(s.reference.hour, 14);
    EXPECT_EQ(s.reference.minute, 25);
    EXPECT_EQ(s.reference.second, 30);

    CKivGraphDraw none;
    none.AddSeries(true);
    TimeScaleSettings untouched;
    EXPECT_FALSE(untouched.TakeEarliestStart(none));
    EXPECT_EQ(untouched.reference.year, -1);
}

} // namespace
