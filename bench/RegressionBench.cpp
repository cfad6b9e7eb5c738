// The regression line of degree 9 over 10^6 points: the fit (sums, solve)
// and the correlation pass, against a baseline in the same binary that
// only accumulates the raw powers of x as an uncentred fit would.

#include "chart/model/Regress.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kPoints = 1'000'000;
constexpr int kDegree = 9;

struct Points {
    std::vector<double> x, y;
};

const Points& SharedPoints()
{
    static const Points points = [] {
        Points p;
        p.x.resize(kPoints);
        p.y.resize(kPoints);
        for (int i = 0; i < kPoints; ++i) {
            // Dates of one day in days, as time graphs give them.
            p.x[size_t(i)] = 45000.0 + i / double(kPoints);
            p.y[size_t(i)] = std::sin(i * 1e-4) * 5.0;
        }
        return p;
    }();
    return points;
}

// Baseline: the sums of x^k and y x^k of an uncentred fit, one pass.
void BM_RawPowerSums(benchmark::State& state)
{
    const Points& p = SharedPoints();
    for (auto _ : state) {
        double sums[2 * kDegree + 1] = {};
        double ySums[kDegree + 1] = {};
        for (int i = 0; i < kPoints; ++i) {
            double power = 1.0;
            for (int k = 0; k <= 2 * kDegree; ++k) {
                sums[k] += power;
                if (k <= kDegree)
                    ySums[k] += p.y[size_t(i)] * power;
                power *= p.x[size_t(i)];
            }
        }
        benchmark::DoNotOptimize(sums);
        benchmark::DoNotOptimize(ySums);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_RawPowerSums)->Unit(benchmark::kMillisecond);

// The fit alone: AddPoint for every point, then Solve.
void BM_RegressFit(benchmark::State& state)
{
    const Points& p = SharedPoints();
    for (auto _ : state) {
        CRegress reg;
        reg.SetDegree(kDegree);
        for (int i = 0; i < kPoints; ++i)
            reg.AddPoint(p.x[size_t(i)], p.y[size_t(i)]);
        double c[kDegree + 1];
        reg.Solve(c);
        benchmark::DoNotOptimize(c);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_RegressFit)->Unit(benchmark::kMillisecond);

// A whole regression line: fit, then the correlation pass.
void BM_RegressFitAndCorrelation(benchmark::State& state)
{
    const Points& p = SharedPoints();
    for (auto _ : state) {
        CRegress reg;
        reg.SetDegree(kDegree);
        for (int i = 0; i < kPoints; ++i)
            reg.AddPoint(p.x[size_t(i)], p.y[size_t(i)]);
        double c[kDegree + 1];
        reg.Solve(c);
        reg.ResetCorrelation();
        for (int i = 0; i < kPoints; ++i)
            reg.AddFitPair(p.x[size_t(i)], p.y[size_t(i)], c);
        double r = 0.0;
        reg.GetCorrelation(r);
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_RegressFitAndCorrelation)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
