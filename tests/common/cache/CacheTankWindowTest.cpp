#include "tests/common/cache/CacheTestSupport.h"

#include "common/cache/CachePoters.h"
#include "common/tank/LongDataTank.h"
#include "framework/core/AllocLimit.h"
#include "framework/core/Exceptions.h"

#include <cstdint>
#include <cmath>
#include <memory>
#include <numeric>
#include <random>
#include <regex>

namespace {

using cachetest::CacheTankTest;
using cachetest::Fill;
using cachetest::ReadBytes;
using cachetest::RawBytes;
using cachetest::Values;

// --- where a window is laid ----------------------------------------------------------

struct PlacementCase {
    const char* name;
    int placement;
    int length;
    int index;
    int first;
    int last;
};

class CacheWindowPlacement : public CacheTankTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(CacheWindowPlacement, LoadsTheWindowAroundTheIndex)
{
    const PlacementCase& c = GetParam();
    CCacheFltDataTank tank;
    Fill(tank, 10000, [](int i) { return i; });
    tank.ReleaseWindow();
    tank.SetWindowPlacement(c.placement);
    tank.SetWindowLength(c.length);
    float v = 0;
    ASSERT_TRUE(tank.GetAt(c.index, v));
    EXPECT_EQ(v, static_cast<float>(c.index));
    EXPECT_EQ(tank.GetWindowStart(), c.first);
    EXPECT_EQ(tank.GetWindowEnd(), c.last);
    EXPECT_EQ(tank.GetWindowSize(), c.last - c.first + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CacheWindowPlacement,
    ::testing::Values(PlacementCase{"AroundMiddle", 1, 1000, 5000, 4500, 5499},
                      PlacementCase{"AroundNearStart", 1, 1000, 10, 0, 999},
                      // The length is cut at the end of the store before the
                      // window is placed: 510 values, not 1000.
                      PlacementCase{"AroundNearEnd", 1, 1000, 9990, 9490, 9999},
                      PlacementCase{"FromIndex", 0, 1000, 9500, 9500, 9999},
                      PlacementCase{"ToIndex", 2, 1000, 5000, 4001, 5000},
                      PlacementCase{"ToIndexNearStart", 2, 1000, 300, 0, 300},
                      // An unknown placement is taken as "from the index".
                      PlacementCase{"UnknownPlacement", 7, 100, 20, 20, 119}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CacheTankTest, WindowBeyondTheEndIsEmpty)
{
    CCacheFltDataTank tank;
    Fill(tank, 100, [](int i) { return i; });
    EXPECT_LT(tank.LoadWindow(150, 10, kWindowFromIndex, true), 1);
    EXPECT_EQ(tank.GetWindowSize(), 0);
    EXPECT_EQ(tank.GetWindowEnd(), -1);
    float v;
    EXPECT_THROW(tank.GetAt(100, v), fw::CInvalidArgException);
    EXPECT_THROW(tank.GetAt(-1, v), fw::CInvalidArgException);
}

TEST_F(CacheTankTest, WindowIsHalvedUntilItFits)
{
    CCacheFltDataTank tank;
    Fill(tank, 10000, [](int i) { return i; });
    tank.ReleaseWindow();
    {
        // 1000 floats do not fit under 2500 bytes, 500 do.
        fw::AllocLimit::Scope cap(2500);
        float v;
        ASSERT_TRUE(tank.GetAt(5000, v));
        EXPECT_EQ(v, 5000.0f);
        EXPECT_EQ(tank.GetWindowStart(), 4750);
        EXPECT_EQ(tank.GetWindowSize(), 500);
    }
    tank.ReleaseWindow();
    {
        fw::AllocLimit::Scope cap(3);
        services.prompt.Expect(fw::kIdpOutOfMemory, fw::IDOK);
        EXPECT_EQ(tank.LoadWindow(0, 1000, kWindowFromIndex, true), -1);
        EXPECT_EQ(tank.GetWindowSize(), 0);
    }
}

// --- the file ---------------------------------------------------------------------

TEST_F(CacheTankTest, FileIsNamedLikeTheSystemsTemporaryFiles)
{
    CCacheDblDataTank tank;
    ASSERT_TRUE(tank.CreateCacheFile());
    const std::filesystem::path path(tank.GetFilePath().str());
    EXPECT_EQ(path.parent_path(), dir.Path());
    EXPECT_TRUE(std::regex_match(path.filename().string(), std::regex("~WW[0-9A-F]{4}\\.tmp")));
    EXPECT_TRUE(tank.IsFileOpen());
}

TEST_F(CacheTankTest, FileHoldsTheRawValuesInIndexOrder)
{
    CCacheDblDataTank tank;
    ASSERT_TRUE(tank.CreateCacheFile());
    std::vector<double> expected;
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> dist(-1e6, 1e6);
    // Through SetValue, so that growing, filling and windows all take part.
    for (int i = 0; i < 3000; ++i) {
        expected.push_back(dist(gen));
        ASSERT_TRUE(tank.SetValue(i, expected.back()));
    }
    // Some values again, far apart, so that windows move back and forth.
    for (int i : {5, 2999, 1500, 7}) {
        expected[i] = -i;
        ASSERT_TRUE(tank.SetValue(i, expected[i]));
    }
    EXPECT_EQ(tank.GetDataCount(), 3000);
    ASSERT_TRUE(tank.CloseCacheFile());
    EXPECT_FALSE(tank.IsFileOpen());
    EXPECT_EQ(ReadBytes(tank.GetFilePath().str()), RawBytes(expected));
    EXPECT_EQ(Values(tank), expected);
}

TEST_F(CacheTankTest, AppendsKeepTheWindowBounded)
{
    CCacheFltDataTank tank;
    ASSERT_TRUE(tank.CreateCacheFile());
    ASSERT_TRUE(tank.CloseCacheFile());
    const int bound = std::max(tank.GetWindowLength(), CCacheFltDataTank::kAppendWindow);
    for (int i = 0; i < 200000; ++i) {
        ASSERT_TRUE(tank.SetValue(i, i * 0.5));
        ASSERT_LE(tank.GetWindowSize(), bound);
    }
    // A closed file stays closed between calls.
    EXPECT_FALSE(tank.IsFileOpen());
    EXPECT_EQ(tank.GetArraySize(), 200000);
    EXPECT_EQ(tank.GetMax(), 99999.5);
    ASSERT_TRUE(tank.FlushWindow());
    std::vector<float> expected(200000);
    for (int i = 0; i < 200000; ++i)
        expected[i] = i * 0.5f;
    EXPECT_EQ(ReadBytes(tank.GetFilePath().str()), RawBytes(expected));
}

TEST_F(CacheTankTest, ResizeKeepsValuesAndAddsZeros)
{
    CCacheLongDataTank tank;
    Fill(tank, 3000, [](int i) { return i + 1; });
    ASSERT_TRUE(tank.SetSize(1000, false));
    EXPECT_EQ(tank.GetArraySize(), 1000);
    ASSERT_TRUE(tank.SetSize(2500, false));
    std::vector<int32_t> expected(2500, 0);
    std::iota(expected.begin(), expected.begin() + 1000, 1);
    EXPECT_EQ(Values(tank), expected);
    ASSERT_TRUE(tank.CloseCacheFile());
    EXPECT_EQ(std::filesystem::file_size(tank.GetFilePath().str()), 2500u * 4);
}

TEST_F(CacheTankTest, ClearTruncatesTheFile)
{
    CCacheFltDataTank tank;
    Fill(tank, 500, [](int i) { return i; });
    tank.Clear();
    EXPECT_EQ(tank.GetArraySize(), 0);
    EXPECT_EQ(tank.GetDataCount(), 0);
    EXPECT_EQ(tank.GetWindowSize(), 0);
    EXPECT_EQ(std::filesystem::file_size(tank.GetFilePath().str()), 0u);
}

TEST_F(CacheTankTest, TankWithoutFileHoldsNothing)
{
    CCacheFltDataTank tank;
    EXPECT_FALSE(tank.SetValue(0, 1.0));
    EXPECT_EQ(tank.GetArraySize(), 0);
    EXPECT_EQ(tank.CreatePoter(0, -1), nullptr);
}

// --- ranges -----------------------------------------------------------------------

TEST_F(CacheTankTest, FillRangeFillsOnlyExistingValuesInAndBesideTheWindow)
{
    CCacheFltDataTank tank;
    Fill(tank, 5000, [](int i) { return i; });
    tank.ReleaseWindow();
    float v;
    tank.GetAt(2000, v); // window 1500..2499
    ASSERT_TRUE(tank.FillRange(1000, 2000));
    ASSERT_TRUE(tank.FillRange(4990, 100)); // cut at the end
    EXPECT_EQ(tank.GetArraySize(), 5000);
    std::vector<float> expected(5000);
    for (int i = 0; i < 5000; ++i)
        expected[i] = (i >= 1000 && i < 3000) || i >= 4990 ? HUGE_VALF : float(i);
    EXPECT_EQ(Values(tank), expected);
}

struct MoveCase {
    const char* name;
    int source;
    int count;
    int destination;
};

class CacheMoveRange : public CacheTankTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(CacheMoveRange, MovesLikeMemmoveInSmallChunks)
{
    const MoveCase& c = GetParam();
    CCacheLongDataTank tank;
    Fill(tank, 3000, [](int i) { return i; });
    std::vector<int32_t> expected = Values(tank);
    expected.resize(std::max<size_t>(expected.size(), size_t(c.destination + c.count)), 0x7FFFFFFF);
    std::vector<int32_t> moved(expected.begin() + c.source, expected.begin() + c.source + c.count);
    std::copy(moved.begin(), moved.end(), expected.begin() + c.destination);
    {
        // Chunks of a few hundred bytes, so that a move spans many of them.
        fw::AllocLimit::Scope cap(300);
        ASSERT_TRUE(tank.CopyRange(c.source, c.count, &tank, c.destination));
    }
    EXPECT_EQ(Values(tank), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CacheMoveRange,
                         ::testing::Values(MoveCase{"DownOverlapping", 0, 2000, 10},
                                           MoveCase{"UpOverlapping", 10, 2000, 0},
                                           MoveCase{"DownBeyondTheEnd", 1000, 2000, 2500},
                                           MoveCase{"Apart", 0, 500, 2000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CacheTankTest, CopyRangeFromAnArrayTankCopiesRawValues)
{
    CLongDataTank plain;
    for (int i = 0; i < 50; ++i)
        plain.SetValue(i, i * 3);
    CCacheLongDataTank tank;
    Fill(tank, 10, [](int i) { return -i; });
    ASSERT_TRUE(tank.CopyRange(0, 50, &plain, 5));
    EXPECT_EQ(tank.GetArraySize(), 55);
    int32_t v;
    tank.GetAt(4, v);
    EXPECT_EQ(v, -4);
    tank.GetAt(54, v);
    EXPECT_EQ(v, 49 * 3);
}

// --- accessors and cursors --------------------------------------------------------------

TEST_F(CacheTankTest, ShortAccessorPointsIntoTheWindowUntilDestroyed)
{
    CCacheFltDataTank tank;
    Fill(tank, 10000, [](int i) { return i; });
    std::unique_ptr<CZELDataPoter> poter(tank.CreatePoter(100, 50));
    ASSERT_NE(poter, nullptr);
    EXPECT_NE(dynamic_cast<CZELFltDataPoter*>(poter.get()), nullptr);
    EXPECT_EQ(dynamic_cast<CCacheFltDataPoter*>(poter.get()), nullptr);
    EXPECT_EQ(poter->GetFirstPointer(), tank.GetWindowBuffer());
    EXPECT_EQ(poter->GetFirstValue(), 100.0);
    EXPECT_EQ(poter->GetLastValue(), 149.0);

    // Values elsewhere are read and written around the window the accessor
    // points into, which stays where it is.
    EXPECT_EQ(tank.GetValue(5000), 5000.0);
    ASSERT_TRUE(tank.SetValue(6000, -1.0));
    EXPECT_EQ(tank.GetWindowStart(), 100);
    EXPECT_EQ(poter->GetFirstPointer(), tank.GetWindowBuffer());
    EXPECT_EQ(poter->GetLastValue(), 149.0);

    poter.reset();
    EXPECT_EQ(tank.GetWindowSize(), 0);
    EXPECT_EQ(tank.GetValue(6000), -1.0);
}

TEST_F(CacheTankTest, AccessorIsRefusedWhenItsWindowDoesNotFit)
{
    CCacheFltDataTank tank;
    Fill(tank, 10000, [](int i) { return i; });
    // 2500 floats fit, 5000 do not: a shorter accessor would be wrong.
    fw::AllocLimit::Scope cap(10000);
    services.prompt.Expect(fw::kIdpOutOfMemory, fw::IDOK);
    EXPECT_EQ(tank.CreatePoter(0, 5000), nullptr);
    EXPECT_EQ(tank.GetWindowSize(), 0);
    std::unique_ptr<CZELDataPoter> poter(tank.CreatePoter(0, 2000));
    EXPECT_NE(poter, nullptr);
}

class CacheTankLongRun : public CacheTankTest {
protected:
    static constexpr int kCount = CCacheFltDataTank::kMaxAccessWindow * 2 + 12345;

    void SetUp() override
    {
        CacheTankTest::SetUp();
        Fill(tank, kCount, [](int i) {
            if (i % 1000 == 7)
                return HUGE_VALF; // empty values are passed over
            return static_cast<float>((int64_t{i} * 7919) % 100003) - 50000.0f;
        });
        values = Values(tank);
        tank.ReleaseWindow();
    }

    // Over the values in memory, as the cursors should see them.
    void Expected(int start, int count, double& max, double& min, double& average) const
    {
        ASSERT_LE(start + count, kCount);
        max = -HUGE_VAL;
        min = HUGE_VAL;
        double sum = 0;
        int n = 0;
        for (int i = start; i < start + count; ++i) {
            if (!std::isfinite(values[i]))
                continue;
            max = std::max<double>(max, values[i]);
            min = std::min<double>(min, values[i]);
            sum += values[i];
            ++n;
        }
        average = sum / n;
    }

    CCacheFltDataTank tank;
    std::vector<float> values;
};

TEST_F(CacheTankLongRun, LongAccessorReadsThroughTheTank)
{
    std::unique_ptr<CZELDataPoter> poter(tank.CreatePoter(10, -1));
    ASSERT_NE(poter, nullptr);
    EXPECT_NE(dynamic_cast<CCacheFltDataPoter*>(poter.get()), nullptr);
    EXPECT_EQ(poter->GetCount(), kCount - 10);
    EXPECT_EQ(poter->GetFirstPointer(), nullptr);
    // The values at its own start and end, as the short accessors answer.
    EXPECT_EQ(poter->GetFirstValue(), double(values[10]));
    EXPECT_EQ(poter->GetLastValue(), double(values[kCount - 1]));
    tank.ReleaseWindow();
    std::unique_ptr<CZELDataPtr> cursor(poter->CreateCursor());
    ASSERT_NE(dynamic_cast<CCacheFloatPtr*>(cursor.get()), nullptr);
    EXPECT_LE(static_cast<CCacheFloatPtr*>(cursor.get())->GetCopyLength(), CCacheFltDataTank::kMaxAccessWindow);
    // The cursor keeps a copy of its own: the tank's window is free.
    EXPECT_EQ(tank.GetWindowSize(), 0);
    double v;
    for (int i = 10; i < kCount; ++i) {
        const bool valid = cursor->ReadNext(v);
        ASSERT_EQ(valid, std::isfinite(values[i])) << i;
        if (valid) {
            ASSERT_EQ(v, double(values[i])) << i;
        }
    }
    EXPECT_FALSE(cursor->ReadNext(v));
}

TEST_F(CacheTankLongRun, RangeFunctionsMatchTheValuesInMemory)
{
    struct Row {
        const char* name;
        int start;
        int count;
    };
    for (const Row& r : {Row{"All", 0, kCount}, Row{"FromTheMiddle", 1000001, kCount - 1000001},
                         Row{"AcrossOneCopyEnd", CCacheFltDataTank::kMaxAccessWindow - 5, 1060000}}) {
        SCOPED_TRACE(r.name);
        double max, min, average, emax, emin, eaverage;
        Expected(r.start, r.count, emax, emin, eaverage);
        ASSERT_TRUE(GetTankMaxMin(&tank, max, min, r.start, r.count));
        EXPECT_EQ(max, emax);
        EXPECT_EQ(min, emin);
        average = GetTankAverage(&tank, r.start, r.count);
        EXPECT_NEAR(average, eaverage, std::fabs(eaverage) * 1e-6 + 1e-9);
    }
}

TEST_F(CacheTankLongRun, CursorStartsItsRangeWhereAsked)
{
    std::unique_ptr<CZELDataPoter> poter(tank.CreatePoter(0, -1));
    std::unique_ptr<CZELDataPtr> cursor(poter->CreateCursor());
    double max, min, emax, emin, eaverage;
    // A start before the cursor's first index is refused.
    std::unique_ptr<CZELDataPoter> later(tank.CreatePoter(100, -1));
    std::unique_ptr<CZELDataPtr> laterCursor(later->CreateCursor());
    EXPECT_FALSE(laterCursor->MaxMin(50, 10, max, min));
    // A start far into the run skips the copies before it.
    const int start = CCacheFltDataTank::kMaxAccessWindow + 777;
    Expected(start, 5000, emax, emin, eaverage);
    ASSERT_TRUE(cursor->MaxMin(start, 5000, max, min));
    EXPECT_EQ(max, emax);
    EXPECT_EQ(min, emin);
}

// --- leaves ---------------------------------------------------------------------------

TEST_F(CacheTankTest, LeavesFixTheirHeaderAndMarkers)
{
    struct Row {
        const char* name;
        std::unique_ptr<CDataTankObject> tank;
        int16_t type;
        int16_t format;
        double marker;
    };
    Row rows[] = {
        {"Float", std::make_unique<CCacheFltDataTank>(), 2, -9999, HUGE_VAL},
        {"Double", std::make_unique<CCacheDblDataTank>(), 8, -10001, HUGE_VAL},
        {"Date", std::make_unique<CCacheDateDataTank>(), 2, -10001, HUGE_VAL},
        {"Long", std::make_unique<CCacheLongDataTank>(), 0, 0, 2147483647.0},
        {"UnLong", std::make_unique<CCacheUnLongDataTank>(), 0, 0, 4294967295.0},
    };
    for (Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.tank->GetDataType(), r.type);
        EXPECT_EQ(r.tank->GetFormat(), r.format);
        EXPECT_TRUE(r.tank->HasScale());
        EXPECT_EQ(r.tank->GetRuntimeClass()->schema, fw::VERSIONABLE_SCHEMA | 1);
        // An index beyond the values answers the empty marker.
        EXPECT_EQ(r.tank->GetValue(0), r.marker);
    }
}

TEST_F(CacheTankTest, UnformattedCodeBelongsToTheLeafOnly)
{
    CCacheLongDataTank cache;
    Fill(cache, 1, [](int) { return 1234567; });
    fw::CString text;
    cache.GetValueText(0, text, false);
    EXPECT_EQ(text, "1234567");
    // The array tank of the same value type keeps its own code.
    CLongDataTank plain;
    plain.SetValue(0, 1234567);
    plain.GetValueText(0, text, false);
    EXPECT_EQ(text, "1.23457e+006");
}

} // namespace

namespace {

// Long runs go through the cache cursor's own scan; these pin its rules.
template <class Tank> void ExpectLongScan(const std::vector<std::pair<int, double>>& set, double max, double min,
                                          bool maxNegative)
{
    using T = typename Tank::value_type;
    Tank tank;
    const int n = Tank::kMaxAccessWindow + 101;
    Fill(tank, n, [](int) { return std::numeric_limits<T>::infinity(); });
    for (const auto& [index, value] : set)
        tank.SetAt(index, static_cast<T>(value));
    double hi = 0, lo = 0;
    ASSERT_TRUE(GetTankMaxMin(&tank, hi, lo, 0, -1));
    EXPECT_EQ(hi, max);
    EXPECT_EQ(lo, min);
    EXPECT_EQ(std::signbit(hi), maxNegative);
}

TEST_F(CacheTankTest, LongScanSkipsEmptyValuesAndKeepsTheFirstZero)
{
    const double nan = std::nan("");
    {
        SCOPED_TRACE("float, -0 first");
        ExpectLongScan<CCacheFltDataTank>({{5, -0.0}, {6, 0.0}, {7, nan}, {8, -HUGE_VAL}}, 0.0, 0.0, true);
    }
    {
        SCOPED_TRACE("float, +0 first");
        ExpectLongScan<CCacheFltDataTank>({{5, 0.0}, {9, -0.0}}, 0.0, 0.0, false);
    }
    {
        SCOPED_TRACE("float, values in the tail and the last copy");
        const int last = CCacheFltDataTank::kMaxAccessWindow + 100;
        ExpectLongScan<CCacheFltDataTank>({{3, 2.5}, {last, -7.25}, {last - 1, 9.5}}, 9.5, -7.25, false);
    }
    {
        SCOPED_TRACE("double");
        ExpectLongScan<CCacheDblDataTank>({{1, 1e300}, {2, -1e300}, {3, nan}, {1000000, 4.0}}, 1e300, -1e300, false);
    }
    {
        SCOPED_TRACE("double, nothing valid");
        CCacheDblDataTank tank;
        Fill(tank, CCacheDblDataTank::kMaxAccessWindow + 5, [](int) { return HUGE_VAL; });
        double hi = 1, lo = 2;
        EXPECT_FALSE(GetTankMaxMin(&tank, hi, lo, 0, -1));
        EXPECT_EQ(hi, 1);
        EXPECT_EQ(lo, 2);
    }
}

} // namespace
