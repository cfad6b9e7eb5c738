// The spectrum of a channel of 10^6 and 10^7 samples held in a cache tank,
// end to end (read in blocks, mean removal, Hanning window, transform,
// spectrum written to its tank), and the transform alone against a plain
// radix-2 complex transform of the same length in the same run.
//
// Working memory is counted by this program's allocator: the end-to-end
// run reports the largest amount it held beyond what was allocated before
// it started (the tanks' windows included) per padded sample, and fails
// when that exceeds two doubles per sample plus the tanks' bounded windows.
//
// The tank files live in KIV_BENCH_DIR (default: the system's temporary
// folder): 4 and 40 MB.

#include "common/cache/CacheClasses.h"
#include "common/cache/CacheTanks.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "graphdoc/model/objects/ChannelFft.h"
#include "graphdoc/model/objects/FftMath.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <new>
#include <vector>

namespace {

std::atomic<int64_t> g_live{0};
std::atomic<int64_t> g_peak{0};

void Note(int64_t delta)
{
    const int64_t now = g_live.fetch_add(delta) + delta;
    int64_t peak = g_peak.load();
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
}

} // namespace

// Every allocation carries its size in front, so frees can be counted.
void* operator new(size_t size)
{
    void* p = std::malloc(size + 16);
    if (!p)
        throw std::bad_alloc();
    *static_cast<size_t*>(p) = size;
    Note(static_cast<int64_t>(size));
    return static_cast<char*>(p) + 16;
}
void* operator new[](size_t size)
{
    return operator new(size);
}
void operator delete(void* p) noexcept
{
    if (!p)
        return;
    char* base = static_cast<char*>(p) - 16;
    Note(-static_cast<int64_t>(*reinterpret_cast<size_t*>(base)));
    std::free(base);
}
void operator delete[](void* p) noexcept
{
    operator delete(p);
}
void operator delete(void* p, size_t) noexcept
{
    operator delete(p);
}
void operator delete[](void* p, size_t) noexcept
{
    operator delete(p);
}

namespace {

constexpr double kPi = 3.14159265358979323846;

double SampleAt(int i)
{
    return 3.0 * std::sin(2.0 * kPi * 50.0 * i / 1000.0) + 0.5 * std::sin(i * 0.37) + 1.0;
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

// A calculated float channel of n samples in its cache file, written once.
CCashCalcuDataTank& Channel(int n)
{
    static std::map<int, std::unique_ptr<CCashCalcuDataTank>> channels;
    auto& slot = channels[n];
    if (!slot) {
        UseBenchFolder();
        slot = std::make_unique<CCashCalcuDataTank>();
        slot->SetKind(-1);
        slot->CreateCacheFile();
        auto* result = dynamic_cast<CCacheFltDataTank*>(slot->GetResultTank());
        result->ResizeArray(n);
        result->SetDataCount(n);
        std::vector<float> block(65536);
        for (int done = 0; done < n; done += 65536) {
            const int count = std::min(65536, n - done);
            for (int i = 0; i < count; ++i)
                block[i] = static_cast<float>(SampleAt(done + i));
            result->WriteValues(done, count, block.data());
        }
        result->CloseCacheFile();
    }
    return *slot;
}

void BM_SpectrumEndToEnd(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    CCashCalcuDataTank& channel = Channel(n);
    CCacheFltDataTank spectrum;
    spectrum.CreateCacheFile();
    CTimeDataTank frequency;
    SpectrumChoices choices;
    choices.window = spectrum::windowHanning;
    const int length = SpectrumLength(n, choices.countMode);
    int32_t peak = -1;
    int64_t worst = 0;
    for (auto _ : state) {
        const int64_t before = g_live.load();
        g_peak.store(before);
        const SpectrumOutcome outcome =
            ComputeChannelSpectrum(SpectrumSource{&channel, 1.0, false}, choices, spectrum, frequency, peak);
        worst = std::max(worst, g_peak.load() - before);
        if (outcome != SpectrumOutcome::computed || std::abs(peak - 0.05 * length) > 1.0) {
            state.SkipWithError("wrong spectrum");
            return;
        }
    }
    const double doubles = static_cast<double>(worst) / sizeof(double) / length;
    state.counters["extra_doubles_per_sample"] = doubles;
    const int64_t windows = 2 * int64_t(CCacheDataTank<float>::kMaxWindowBytes);
    if (worst > 2 * int64_t(sizeof(double)) * length + windows)
        state.SkipWithError("working memory above two doubles per sample");
    state.SetItemsProcessed(state.iterations() * n);
}

// The signal the transforms take, padded to a power of two.
std::vector<double> Signal(int length)
{
    std::vector<double> v(length, 0.0);
    for (int i = 0; i < length; ++i)
        v[i] = SampleAt(i);
    return v;
}

void BM_TransformLibrary(benchmark::State& state)
{
    const int length = SpectrumLength(static_cast<int>(state.range(0)), spectrum::countZeroPad);
    const std::vector<double> signal = Signal(length);
    std::vector<double> v(length);
    for (auto _ : state) {
        std::copy(signal.begin(), signal.end(), v.begin());
        if (!PowerSpectrum(v.data(), length)) {
            state.SkipWithError("no memory");
            return;
        }
        benchmark::DoNotOptimize(v.data());
    }
    state.SetItemsProcessed(state.iterations() * length);
}

// The baseline: the textbook radix-2 transform over two arrays, then the
// same one-sided power.
void BM_TransformRadix2(benchmark::State& state)
{
    const int length = SpectrumLength(static_cast<int>(state.range(0)), spectrum::countZeroPad);
    const std::vector<double> signal = Signal(length);
    std::vector<double> re(length), im(length);
    for (auto _ : state) {
        std::copy(signal.begin(), signal.end(), re.begin());
        std::fill(im.begin(), im.end(), 0.0);
        ComplexFft(re.data(), im.data(), length, -1.0);
        re[0] = re[0] * re[0] + im[0] * im[0];
        for (int k = 1; k < length / 2; ++k)
            re[k] = 4.0 * (re[k] * re[k] + im[k] * im[k]);
        benchmark::DoNotOptimize(re.data());
    }
    state.SetItemsProcessed(state.iterations() * length);
}

} // namespace

BENCHMARK(BM_SpectrumEndToEnd)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransformLibrary)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransformRadix2)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
