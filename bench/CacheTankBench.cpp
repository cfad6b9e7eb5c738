// A channel of 10^8 floats in a cache tank: writing it value by value as
// a recording does, and the cursor's maximum, minimum and average over all
// of it (a sine under noise that never repeats), against
// std::minmax_element over the same values in memory.
//
// The tank's file lives in KIV_BENCH_DIR (default: the system's temporary
// folder); it takes 400 MB there while the benchmark runs.

#include "common/cache/CacheClasses.h"
#include "common/cache/CacheTanks.h"
#include "common/tank/ZELDataPoter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kCount = 100'000'000;

// Noise that never repeats over the channel, so that no scan can profit
// from a short period: a hashed index, uniform in [-0.02, 0.02).
float NoiseAt(int i)
{
    uint64_t z = static_cast<uint64_t>(i) + 0x9e3779b97f4a7c15ull;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    z ^= z >> 31;
    return static_cast<float>(static_cast<double>(z >> 11) * 0x1.0p-53 * 0.04 - 0.02);
}

float SampleAt(int i)
{
    // A sine with noise, quantised as an A/D converter gives it.
    const float v = static_cast<float>(std::sin(i * 1e-5) * 5.0) + NoiseAt(i);
    return std::round(v * 6553.6f) / 6553.6f;
}

void UseBenchFolder()
{
    static const bool done = [] {
        if (const char* folder = std::getenv("KIV_BENCH_DIR"))
            SetCacheTankFolder(folder);
        return true;
    }();
    (void)done;
}

// The tank the scans read, written once.
CCacheFltDataTank& SharedTank()
{
    static std::unique_ptr<CCacheFltDataTank> tank = [] {
        UseBenchFolder();
        auto t = std::make_unique<CCacheFltDataTank>();
        t->CreateCacheFile();
        for (int i = 0; i < kCount; ++i)
            t->SetValue(i, SampleAt(i));
        t->CloseCacheFile();
        return t;
    }();
    return *tank;
}

void BM_CacheTankSequentialWrite(benchmark::State& state)
{
    UseBenchFolder();
    for (auto _ : state) {
        CCacheFltDataTank tank;
        tank.CreateCacheFile();
        for (int i = 0; i < kCount; ++i)
            tank.SetValue(i, SampleAt(i));
        tank.CloseCacheFile();
        benchmark::DoNotOptimize(tank.GetArraySize());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kCount));
}

void BM_CacheTankCursorMaxMinAverage(benchmark::State& state)
{
    CCacheFltDataTank& tank = SharedTank();
    for (auto _ : state) {
        double max = 0, min = 0;
        benchmark::DoNotOptimize(GetTankMaxMin(&tank, max, min, 0, -1));
        benchmark::DoNotOptimize(GetTankAverage(&tank, 0, -1));
        benchmark::DoNotOptimize(max + min);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kCount));
}

void BM_CacheTankCursorMaxMin(benchmark::State& state)
{
    CCacheFltDataTank& tank = SharedTank();
    for (auto _ : state) {
        double max = 0, min = 0;
        benchmark::DoNotOptimize(GetTankMaxMin(&tank, max, min, 0, -1));
        benchmark::DoNotOptimize(max + min);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kCount));
}

void BM_MinMaxElementInMemory(benchmark::State& state)
{
    std::vector<float> values(kCount);
    for (int i = 0; i < kCount; ++i)
        values[size_t(i)] = SampleAt(i);
    for (auto _ : state) {
        const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
        benchmark::DoNotOptimize(*lo + *hi);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kCount));
}

} // namespace

BENCHMARK(BM_CacheTankSequentialWrite)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MinMaxElementInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CacheTankCursorMaxMin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CacheTankCursorMaxMinAverage)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
