// A document's elapsed time reaches a time list as a calculated channel
// holding the time axis: times become samples by the axis' clock.

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphTimeListObj.h"
#include "chart/model/ListGraphClasses.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CalculatedTimeAxis, TimesBecomeSamplesByTheClockOfTheResultAxis)
{
    kivtest::RegisterAllClasses();
    RegisterGraphClasses();
    RegisterListGraphClasses();
    constexpr int kSamples = 1000;
    constexpr double kClock = 0.01;
    CGraphTimeListObj list;
    list.AppendRow(list.CreateRow());
    auto* time = new CCashCalcuDataTank;
    time->SetKind(-12);
    auto* axis = dynamic_cast<CTimeDataTank*>(time->GetResultTank());
    ASSERT_NE(axis, nullptr);
    axis->SetInterval(kClock);
    time->SetDataCount(kSamples);
    auto* y = new CFltDataTank;
    for (int i = 0; i < kSamples; ++i)
        y->SetValue(i, static_cast<float>(i % 17));
    CGraphParamArray* series = list.GetRow(0)->AddSeries(true);
    series->AppendItem(0, 0, time);
    series->AppendItem(0, 1, y);
    ReleaseTank(time);
    ReleaseTank(y);
    series->SetDrawRange(0, kSamples - 1);
    list.Recalculate(true);

    EXPECT_DOUBLE_EQ(CGraphTimeListObj::SampleInterval(time), kClock);
    struct Case {
        const char* name;
        double time;
        int sample;
    };
    const Case cases[] = {
        {"first", 0.004, 0},
        {"inside", 1.234, 123},
        {"last", 9.995, kSamples - 1},
        {"beyond", 50.0, kSamples - 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list.TimeToSample(0, c.time), c.sample) << c.name;
        EXPECT_NEAR(list.SnapTime(0, c.time), c.sample * kClock, 1e-9) << c.name;
    }
    EXPECT_NEAR(list.SampleToTime(250), 2.5, 1e-9);
    // Every sample's own time names that sample again, though i * 0.01 / 0.01
    // falls below i for many i (29, 58, ...).
    int wrong = 0;
    for (int i = 0; i < kSamples; ++i)
        wrong += list.TimeToSample(0, list.SampleToTime(i)) != i;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(list.TimeToSample(0, 29 * kClock), 29);
    list.SetSelectionEdge(CGraphTimeListObj::kBothEdges, 4.567);
    int32_t a = 0;
    int32_t b = 0;
    list.GetSelection(a, b);
    EXPECT_EQ(a, 456);
    EXPECT_EQ(b, 456);
}

} // namespace
