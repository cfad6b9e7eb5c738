// Value accessors and cursors: extremes and averages over runs of values,
// presets, the time cursor, and the range functions.

#include "common/tank/DateDataTank.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/LongDataTank.h"
#include "common/tank/ShortDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "common/tank/UnLongDataTank.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

struct Access {
    std::unique_ptr<CZELDataPoter> poter;
    std::unique_ptr<CZELDataPtr> cursor;

    Access(CDataTankObject& tank, int start, int count) : poter(tank.CreatePoter(start, count))
    {
        if (poter)
            cursor.reset(poter->CreateCursor());
    }
    ~Access() { cursor.reset(); }
};

void Fill(CDataTankObject& tank, std::initializer_list<double> values)
{
    int i = 0;
    for (double v : values)
        tank.SetValue(i++, v);
}

// A tank that records EndAccess calls.
class CountingTank : public CFltDataTank {
public:
    void EndAccess() override { ++ends; }
    int ends = 0;
};

} // namespace

TEST(Cursor, FloatExtremesAndAverageSkipEmptyValues)
{
    CFltDataTank tank;
    Fill(tank, {1, HUGE_VAL, 3, 2, HUGE_VAL});
    double max = 0, min = 0;
    EXPECT_TRUE(GetTankMaxMin(&tank, max, min, 0, 5));
    EXPECT_EQ(max, 3);
    EXPECT_EQ(min, 1);
    EXPECT_EQ(GetTankAverage(&tank, 0, 5), 2);
}

TEST(Cursor, EmptyMarkersOfEachValueTypeAreSkipped)
{
    struct Row {
        const char* name;
        std::function<CDataTankObject*()> make;
        std::vector<double> values; // NAN: leave the value empty (fill marker)
        double max, min, average;
    };
    const Row rows[] = {
        {"short", [] { return new CShortDataTank; }, {5, NAN, -7}, 5, -7, -1},
        {"long", [] { return new CLongDataTank; }, {NAN, 100000, 3}, 100000, 3, 50001.5},
        {"unsigned", [] { return new CUnLongDataTank; }, {4000000000.0, NAN, 0}, 4000000000.0, 0, 2000000000.0},
        {"double", [] { return new CDblDataTank; }, {-1e300, NAN, 1e300}, 1e300, -1e300, 0},
        {"date", [] { return new CDateDataTank; }, {45000, NAN, 45002}, 45002, 45000, 45001},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::unique_ptr<CDataTankObject> tank(r.make());
        tank->Grow(int(r.values.size()), true);
        for (size_t i = 0; i < r.values.size(); ++i) {
            if (!std::isnan(r.values[i])) {
                ASSERT_TRUE(tank->SetValue(int(i), r.values[i]));
            }
        }
        double max = 0, min = 0;
        EXPECT_TRUE(GetTankMaxMin(tank.get(), max, min, 0, -1));
        EXPECT_EQ(max, r.max);
        EXPECT_EQ(min, r.min);
        EXPECT_EQ(GetTankAverage(tank.get(), 0, -1), r.average);
    }
}

TEST(Cursor, AverageOfOnlyEmptyValuesIsHugeVal)
{
    CShortDataTank tank;
    tank.SetValue(0, -32768);
    EXPECT_EQ(GetTankAverage(&tank, 0, -1), HUGE_VAL);
    double max = 7, min = 7;
    EXPECT_FALSE(GetTankMaxMin(&tank, max, min, 0, -1));
}

TEST(Cursor, AverageIsRoundedToSevenDigits)
{
    CFltDataTank tank;
    Fill(tank, {1, 2, 2});
    EXPECT_EQ(GetTankAverage(&tank, 0, 3), 1.666667);
}

TEST(Cursor, StartBeforeTheFirstIndexIsRefused)
{
    CFltDataTank tank;
    Fill(tank, {1, 2, 3, 4});
    Access a(tank, 2, -1);
    ASSERT_TRUE(a.cursor);
    double max, min, average;
    EXPECT_FALSE(a.cursor->MaxMin(1, 2, max, min));
    EXPECT_FALSE(a.cursor->Average(0, 2, average));
    EXPECT_EQ(average, HUGE_VAL);
}

TEST(Cursor, ARangeOperationMovesTheCursorOn)
{
    CFltDataTank tank;
    Fill(tank, {1, 2, 3, 4, 5, 6});
    Access a(tank, 0, -1);
    double max, min;
    ASSERT_TRUE(a.cursor->MaxMin(1, 2, max, min)); // skips 1, reads 2 and 3
    EXPECT_EQ(max, 3);
    ASSERT_TRUE(a.cursor->MaxMin(0, 2, max, min)); // from where it stands: 4 and 5
    EXPECT_EQ(min, 4);
    EXPECT_EQ(max, 5);
}

TEST(Cursor, ReadingStopsAtTheEndOfTheAccessorsValues)
{
    CFltDataTank tank;
    Fill(tank, {1, 2, 3, 4});
    Access a(tank, 1, 2);
    double max, min;
    // Asked for more values than the accessor covers: only 2 and 3 count.
    EXPECT_TRUE(a.cursor->MaxMin(1, 100, max, min));
    EXPECT_EQ(max, 3);
    EXPECT_EQ(min, 2);
    double v;
    EXPECT_FALSE(a.cursor->ReadNext(v));
    EXPECT_FALSE(a.cursor->IsCurrentValid());
}

TEST(Cursor, ReadNextAndGetAtWalkForward)
{
    CShortDataTank tank;
    Fill(tank, {4, -32768, 6});
    Access a(tank, 0, -1);
    double v;
    EXPECT_EQ(a.cursor->GetAt(2), 6);
    EXPECT_TRUE(a.cursor->ReadNext(v));
    EXPECT_EQ(v, 4);
    EXPECT_FALSE(a.cursor->IsCurrentValid());
    EXPECT_FALSE(a.cursor->ReadNext(v));
    EXPECT_EQ(a.cursor->GetAt(0), 6);
    EXPECT_EQ(a.cursor->GetAt(1), HUGE_VAL);
}

TEST(Cursor, PresetIsAnsweredWithoutReading)
{
    CFltDataTank tank;
    Fill(tank, {50, -50});
    Access a(tank, 0, -1);
    a.poter->SetPreset(true, 10, 0);
    std::unique_ptr<CZELDataPtr> cursor(a.poter->CreateCursor());
    double max, min;
    EXPECT_TRUE(cursor->MaxMin(0, 2, max, min));
    EXPECT_EQ(max, 10);
    EXPECT_EQ(min, 0);

    a.poter->SetPreset(true, HUGE_VAL, 0);
    cursor.reset(a.poter->CreateCursor());
    EXPECT_FALSE(cursor->MaxMin(0, 2, max, min));
}

TEST(Cursor, MaxMinAboveCountsOnlyValuesAboveTheThreshold)
{
    CFltDataTank tank;
    Fill(tank, {1, 3, 5});
    {
        Access a(tank, 0, -1);
        double max = 0, min = 0;
        EXPECT_TRUE(a.cursor->MaxMinAbove(0, 3, max, min, 2));
        EXPECT_EQ(max, 5);
        EXPECT_EQ(min, 3);
    }
    struct Row {
        const char* name;
        double presetMax, presetMin, threshold;
        bool found;
        double max, min;
    };
    const Row rows[] = {
        // Below the preset minimum: the preset counts and values widen it.
        {"threshold below preset", 4, 2, 0, true, 5, 1},
        // Between: the first value found replaces the preset maximum.
        {"threshold inside preset", 10, 0, 2, true, 5, 3},
        {"threshold above preset", 4, 0, 4, false, -1, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Access a(tank, 0, -1);
        a.poter->SetPreset(true, r.presetMax, r.presetMin);
        std::unique_ptr<CZELDataPtr> cursor(a.poter->CreateCursor());
        double max = -1, min = -1;
        EXPECT_EQ(cursor->MaxMinAbove(0, 3, max, min, r.threshold), r.found);
        EXPECT_EQ(max, r.max);
        EXPECT_EQ(min, r.min);
    }
}

TEST(Accessor, RangeAndValuesOfAnArrayAccessor)
{
    CountingTank tank;
    Fill(tank, {1, 2, 3, 4, 5});
    EXPECT_EQ(tank.CreatePoter(-1, 2), nullptr);
    EXPECT_EQ(tank.CreatePoter(5, 2), nullptr);
    EXPECT_EQ(tank.CreatePoter(2, 0), nullptr);
    {
        std::unique_ptr<CZELDataPoter> p(tank.CreatePoter(1, 10));
        ASSERT_TRUE(p);
        EXPECT_EQ(p->GetStartIndex(), 1);
        EXPECT_EQ(p->GetCount(), 4);
        EXPECT_EQ(p->GetFirstValue(), 2);
        EXPECT_EQ(p->GetLastValue(), 5);
        EXPECT_EQ(p->GetTank(), &tank);
        EXPECT_EQ(p->GetFirstPointer(), tank.Values().data() + 1);
    }
    EXPECT_EQ(tank.ends, 1);
    std::unique_ptr<CZELDataPoter> p(tank.CreatePoter(1, 2));
    EXPECT_EQ(p->GetCount(), 2);
    EXPECT_EQ(p->GetLastValue(), 3);
}

TEST(Accessor, IntegerCursorsTakeTheTanksEmptyMarker)
{
    // A 32-bit cursor is made with the marker 0; the accessor gives it the
    // tank's, so 0 counts and -2147483648 (the filled gap) does not.
    CLongDataTank tank;
    tank.Grow(1, true);
    tank.SetValue(1, 0);
    tank.SetValue(2, 9);
    double max, min;
    EXPECT_TRUE(GetTankMaxMin(&tank, max, min, 0, -1));
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 9);
}

TEST(TimeCursor, ExtremesAreTheEndsOfTheRange)
{
    CTimeDataTank tank;
    tank.SetInterval(0.1);
    tank.SetDataCount(100);
    std::unique_ptr<CZELDataPoter> p(tank.CreatePoter(50, -1));
    ASSERT_TRUE(p);
    EXPECT_EQ(tank.GetAccessorStart(), 50);
    EXPECT_EQ(p->GetFirstValue(), 0.0); // the tank's first value, whatever the start
    EXPECT_EQ(p->GetLastValue(), tank.GetValue(49));
    std::unique_ptr<CZELDataPtr> c(p->CreateCursor());
    double max, min;
    EXPECT_TRUE(c->MaxMin(50, 10, max, min));
    EXPECT_DOUBLE_EQ(min, 5.0);
    EXPECT_DOUBLE_EQ(max, 5.9);
    EXPECT_TRUE(c->MaxMinAbove(50, 10, max, min, 7.0));
    EXPECT_EQ(max, 7.0);

    double v;
    c.reset(p->CreateCursor());
    EXPECT_TRUE(c->ReadNext(v));
    EXPECT_DOUBLE_EQ(v, 5.0);
    double average;
    EXPECT_TRUE(c->Average(50, 3, average)); // from where it stands: 5.1, 5.2, 5.3
    EXPECT_DOUBLE_EQ(average, 5.2);
}

TEST(RangeFunctions, FindLastIndexAtOrBelow)
{
    CTimeDataTank time;
    time.SetDataCount(10);
    EXPECT_EQ(FindLastIndexAtOrBelow(&time, 4.5, 9), 4);
    EXPECT_EQ(FindLastIndexAtOrBelow(&time, -1, 9), -1);
    EXPECT_EQ(FindLastIndexAtOrBelow(&time, 4.5, -3), -3);

    // Beyond its values an integer tank answers its (finite) empty marker;
    // the search starts at its last value instead.
    CShortDataTank shorts;
    Fill(shorts, {5, 1, 9});
    EXPECT_EQ(FindLastIndexAtOrBelow(&shorts, 2, 10), 1);
}

TEST(RangeFunctions, TanksWithoutAccessorGiveNoExtremes)
{
    CFltDataTank empty;
    double max = 1, min = 1;
    EXPECT_FALSE(GetTankMaxMin(&empty, max, min, 0, -1));
    EXPECT_EQ(GetTankAverage(&empty, 0, -1), HUGE_VAL);
    EXPECT_FALSE(GetTankMaxMin(nullptr, max, min, 0, -1));
}

TEST(CursorSpeed, FloatScanRunsNearMemorySpeed)
{
    // A long recording with gaps: the scan must stay within a small factor
    // of the library's own minmax (the gaps are what it must skip).
    const int n = 20'000'000;
    CFltDataTank tank;
    tank.Grow(n, false);
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> dist(-1000.0f, 1000.0f);
    auto values = tank.Values();
    for (int i = 0; i < n; ++i)
        values[size_t(i)] = (i % 1000 == 999) ? HUGE_VALF : dist(rng);

    using Clock = std::chrono::steady_clock;
    auto best = [](auto&& f) {
        auto fastest = Clock::duration::max();
        for (int k = 0; k < 3; ++k) {
            const auto t0 = Clock::now();
            f();
            fastest = std::min(fastest, Clock::now() - t0);
        }
        return fastest;
    };
    volatile float sink = 0;
    const auto reference = best([&] {
        auto [lo, hi] = std::minmax_element(values.begin(), values.end(), [](float a, float b) {
            return a < b;
        });
        sink = *lo + *hi;
    });
    double max = 0, min = 0;
    const auto scan = best([&] { GetTankMaxMin(&tank, max, min, 0, -1); });
    const float expectedMax = *std::max_element(values.begin(), values.end(),
                                                [](float a, float b) { return !std::isfinite(b) ? false : !std::isfinite(a) || a < b; });
    EXPECT_EQ(max, expectedMax);
    EXPECT_LT(scan.count(), 4 * reference.count())
        << "scan " << std::chrono::duration<double, std::milli>(scan).count() << " ms, minmax_element "
        << std::chrono::duration<double, std::milli>(reference).count() << " ms";
}
