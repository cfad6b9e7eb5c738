// Whole recalculations of a data set's calculated channels, against the same
// arithmetic written as a plain loop over the same cache tanks:
// one formula "=CH(1)*2+CH(2)" over 10^7 steps, and 50 formulas over 10^6.

#include "common/cache/CacheClasses.h"
#include "common/cache/CacheDataTank.h"
#include "common/calc/CalcClasses.h"
#include "common/calc/CalcuDataTank.h"
#include "common/calc/KivSPTankData.h"
#include "framework/core/Object.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kMeasured = 3;
constexpr int kBlock = 1024;

class Folder {
public:
    Folder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kiv-calcbench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_path = pattern;
        SetCacheTankFolder(m_path.string());
    }
    ~Folder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }

private:
    std::filesystem::path m_path;
};

CCacheDataTank<float>& CacheOf(CKivSPTankData& list, int index)
{
    auto* cache = dynamic_cast<CCacheDataTank<float>*>(list.GetCalcTank(index)->GetResultTank());
    if (!cache)
        std::abort();
    return *cache;
}

// A data set of `steps` steps with three measured channels and `formulas`
// calculated channels: NO(k) = CH(1)*k+CH(2) for the first half, NO(k) =
// NO(k-h)*2-CH(3) for the second.
std::unique_ptr<CKivSPTankData> MakeDataSet(int steps, int formulas, bool single)
{
    auto list = std::make_unique<CKivSPTankData>();
    list->SetDataCount(steps, false);
    list->SetChannelCount(kMeasured);
    list->UpdateAllChannels();
    for (int c = 0; c < kMeasured; ++c) {
        CCacheDataTank<float>& cache = CacheOf(*list, c);
        std::vector<float> values(static_cast<size_t>(kBlock));
        cache.OpenCacheFile();
        for (int i = 0; i < steps; i += kBlock) {
            const int n = std::min(kBlock, steps - i);
            cache.LoadWindow(i, n, kWindowFromIndex, false);
            float* w = cache.GetWindowBuffer();
            for (int j = 0; j < n; ++j)
                w[j] = static_cast<float>(std::sin((i + j) * 1e-3 * (c + 1)));
            cache.SetDirty(true);
        }
        cache.CloseCacheFile();
    }
    const int half = formulas / 2;
    for (int k = 1; k <= formulas; ++k) {
        list->GetOrCreateChannel(499 + k);
        std::string text = single ? "=CH(1)*2+CH(2)"
                         : k <= half ? "=CH(1)*" + std::to_string(k) + "+CH(2)"
                                     : "=NO(" + std::to_string(k - half) + ")*2-CH(3)";
        if (!list->CompileChannel(text.c_str(), 499 + k, kMeasured, -1))
            std::abort();
    }
    list->OrderPasses();
    return list;
}

// The same arithmetic as a plain loop: blocks of each channel's values read
// from its tank, computed, and written into the result tank's window.
void PlainLoop(CKivSPTankData& list, int steps, int formulas, bool single)
{
    const int half = formulas / 2;
    std::vector<float> a(kBlock), b(kBlock), c(kBlock);
    std::vector<std::vector<float>> results(static_cast<size_t>(formulas), std::vector<float>(kBlock));
    for (int k = 1; k <= formulas; ++k)
        CacheOf(list, 499 + k).SetWindowLength(10000);
    for (int i = 0; i < steps; i += kBlock) {
        const int n = std::min(kBlock, steps - i);
        CacheOf(list, 0).ReadValues(i, n, a.data());
        CacheOf(list, 1).ReadValues(i, n, b.data());
        if (!single)
            CacheOf(list, 2).ReadValues(i, n, c.data());
        for (int k = 1; k <= formulas; ++k) {
            float* r = results[size_t(k - 1)].data();
            if (single) {
                for (int j = 0; j < n; ++j)
                    r[j] = static_cast<float>(a[size_t(j)] * 2.0 + b[size_t(j)]);
            } else if (k <= half) {
                for (int j = 0; j < n; ++j)
                    r[j] = static_cast<float>(a[size_t(j)] * double(k) + b[size_t(j)]);
            } else {
                const float* s = results[size_t(k - half - 1)].data();
                for (int j = 0; j < n; ++j)
                    r[j] = static_cast<float>(s[j] * 2.0 - c[size_t(j)]);
            }
            CCacheDataTank<float>& out = CacheOf(list, 499 + k);
            if (i < out.GetWindowStart() || i + n - 1 > out.GetWindowEnd())
                out.LoadWindow(i, 10000, kWindowFromIndex, true);
            std::copy(r, r + n, out.GetWindowBuffer() + (i - out.GetWindowStart()));
            out.SetDirty(true);
        }
    }
    for (int k = 1; k <= formulas; ++k)
        CacheOf(list, 499 + k).ReleaseWindow();
}

void Run(benchmark::State& state, int steps, int formulas, bool single, bool plain)
{
    RegisterCacheClasses();
    RegisterCalcClasses();
    Folder folder;
    auto list = MakeDataSet(steps, formulas, single);
    for (auto _ : state) {
        if (plain)
            PlainLoop(*list, steps, formulas, single);
        else
            list->RecalculateAll();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * steps * formulas);
}

void BM_OneFormula_Recalculate(benchmark::State& s) { Run(s, 10'000'000, 1, true, false); }
void BM_OneFormula_PlainLoop(benchmark::State& s) { Run(s, 10'000'000, 1, true, true); }
void BM_FiftyFormulas_Recalculate(benchmark::State& s) { Run(s, 1'000'000, 50, false, false); }
void BM_FiftyFormulas_PlainLoop(benchmark::State& s) { Run(s, 1'000'000, 50, false, true); }

BENCHMARK(BM_OneFormula_PlainLoop)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OneFormula_Recalculate)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FiftyFormulas_PlainLoop)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FiftyFormulas_Recalculate)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
