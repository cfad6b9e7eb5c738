// A channel of 10^7 samples drawn as a line into 1,000 pixel columns,
// against a plain scan for the minimum and maximum of the same values.
// The line plot reads X and Y through the accessors and cursors it reads
// every series with, and thins each column to four points; the scan is
// the floor of what any drawing of these values must cost. The channel's
// values lie once in a plain array and once in a cache tank (its file in
// KIV_BENCH_DIR, default the system's temporary folder).

#include "chart/model/GrRecord.h"
#include "chart/model/LinearPlot.h"
#include "chart/model/OGPRecord.h"
#include "common/cache/CacheClasses.h"
#include "common/cache/CacheTanks.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/DC.h"
#include "framework/core/DrawSink.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kCount = 10'000'000;
constexpr int kColumns = 1000;

struct Channel {
    std::vector<float> xs, ys;
    Channel() : xs(kCount), ys(kCount)
    {
        for (int i = 0; i < kCount; ++i) {
            xs[size_t(i)] = static_cast<float>(i);
            ys[size_t(i)] = static_cast<float>(std::sin(i * 1e-4) * 5.0 + (i % 7) * 0.01);
        }
    }
};

const Channel& SharedChannel()
{
    static const Channel channel;
    return channel;
}

// The same Y values in a cache tank, written once.
CCacheFltDataTank& SharedTank()
{
    static std::unique_ptr<CCacheFltDataTank> tank = [] {
        if (const char* folder = std::getenv("KIV_BENCH_DIR"))
            SetCacheTankFolder(folder);
        const Channel& c = SharedChannel();
        auto t = std::make_unique<CCacheFltDataTank>();
        t->CreateCacheFile();
        for (int i = 0; i < kCount; ++i)
            t->SetValue(i, c.ys[size_t(i)]);
        t->CloseCacheFile();
        return t;
    }();
    return *tank;
}

// Takes the drawing and does nothing with it, so that the plot is measured.
class NullSink final : public fw::IDrawSink {
public:
    void Line(const fw::CDC&, fw::CPoint, fw::CPoint) override { ++calls; }
    void Polyline(const fw::CDC&, const std::vector<fw::CPoint>& p) override { calls += p.size(); }
    void Polygon(const fw::CDC&, const std::vector<fw::CPoint>&, int) override {}
    void Rectangle(const fw::CDC&, const fw::CRect&) override {}
    void Ellipse(const fw::CDC&, const fw::CRect&) override {}
    void FillRect(const fw::CDC&, const fw::CRect&, const fw::CBrush&) override {}
    void Text(const fw::CDC&, fw::CPoint, const fw::CString&, const fw::CRect*, const fw::CRect*) override {}
    void SetPixel(const fw::CDC&, fw::CPoint, fw::COLORREF) override {}
    fw::CSize TextExtent(const fw::CDC&, const fw::CString&) override { return {}; }
    fw::TEXTMETRIC TextMetrics(const fw::CDC&) override { return {}; }
    int DeviceCaps(int) const override { return 96; }
    size_t calls = 0;
};

void Draw(benchmark::State& state, CZELDataPoter* ys)
{
    const Channel& c = SharedChannel();
    CZELFltDataPoter xs;
    xs.Init(FW_RUNTIME_CLASS(CZELFloatPtr), const_cast<float*>(c.xs.data()), 0, kCount, nullptr);
    OGPRecord rec;
    GrInitRecord(&rec);
    GrSetPlotRect(0, 0, kColumns - 1, 600, &rec);
    GrSetXRange(0, kCount - 1, &rec);
    GrSetYRange(-6, 6, &rec);
    NullSink sink;
    fw::CDC dc(&sink);
    CLinearPlot plot;
    for (auto _ : state) {
        plot.DrawSeries(dc, &xs, ys, &rec, 1);
        benchmark::DoNotOptimize(sink.calls);
    }
    state.counters["vertices"] = static_cast<double>(sink.calls) / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_DrawLongChannel(benchmark::State& state)
{
    const Channel& c = SharedChannel();
    CZELFltDataPoter ys;
    ys.Init(FW_RUNTIME_CLASS(CZELFloatPtr), const_cast<float*>(c.ys.data()), 0, kCount, nullptr);
    Draw(state, &ys);
}
BENCHMARK(BM_DrawLongChannel)->Unit(benchmark::kMillisecond);

void BM_DrawLongCachedChannel(benchmark::State& state)
{
    std::unique_ptr<CZELDataPoter> ys(SharedTank().CreatePoter(0, kCount));
    Draw(state, ys.get());
}
BENCHMARK(BM_DrawLongCachedChannel)->Unit(benchmark::kMillisecond);

// The baseline: minimum and maximum of the X and the Y values.
void BM_MinMaxScanOfTheSameValues(benchmark::State& state)
{
    const Channel& c = SharedChannel();
    for (auto _ : state) {
        auto x = std::minmax_element(c.xs.begin(), c.xs.end());
        auto y = std::minmax_element(c.ys.begin(), c.ys.end());
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_MinMaxScanOfTheSameValues)->Unit(benchmark::kMillisecond);

// The baseline of the cached channel: X scanned in memory, Y through the
// tank's cursor, which loads the same windows the drawing loads.
void BM_MinMaxScanOfTheCachedValues(benchmark::State& state)
{
    const Channel& c = SharedChannel();
    CCacheFltDataTank& tank = SharedTank();
    for (auto _ : state) {
        auto x = std::minmax_element(c.xs.begin(), c.xs.end());
        double max = 0, min = 0;
        benchmark::DoNotOptimize(GetTankMaxMin(&tank, max, min, 0, kCount));
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(max + min);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_MinMaxScanOfTheCachedValues)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
