// Whole recalculations of a data set's calculated channels over cache tanks,
// beside the floor of the same work: a plain loop that preads the source
// channels' files and pwrites each result file in blocks of 64 Ki values
// with the same arithmetic, and the same loop over arrays in memory.
// One formula "=CH(1)*2+CH(2)" over 10^7 steps, and 50 formulas over 10^6.
// Every run checks its answer against the in-memory loop, bit for bit.
//
// The tanks' files live in KIV_BENCH_DIR (default: the system's temporary
// folder).

#include "common/cache/CacheClasses.h"
#include "common/cache/CacheDataTank.h"
#include "common/calc/CalcClasses.h"
#include "common/calc/CalcuDataTank.h"
#include "common/calc/KivSPTankData.h"
#include "common/resources/ProgramStrings.h"
#include "framework/core/Object.h"
#include "framework/core/testing/ServiceScope.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kMeasured = 3;
constexpr int kPlainBlock = 0x10000;

class Folder {
public:
    Folder()
    {
        const char* base = std::getenv("KIV_BENCH_DIR");
        std::string pattern =
            ((base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) / "kiv-calcbench-XXXXXX")
                .string();
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

float Source(int channel, int step) { return static_cast<float>(std::sin(step * 1e-3 * (channel + 1))); }

// The shape of the work: NO(k) = CH(1)*k+CH(2) for the first half of the
// formulas (CH(1)*2+CH(2) for a single one), NO(k) = NO(k-h)*2-CH(3) for
// the second half.
struct Shape {
    int steps;
    int formulas;
    bool single;
    std::string Formula(int k) const
    {
        const int half = formulas / 2;
        if (single)
            return "=CH(1)*2+CH(2)";
        return k <= half ? "=CH(1)*" + std::to_string(k) + "+CH(2)" : "=NO(" + std::to_string(k - half) + ")*2-CH(3)";
    }
    // Results of one block of n steps into r[k-1], from the sources. A
    // formula reads another formula's result as computed, before it is
    // stored as a float.
    void Compute(const float* a, const float* b, const float* c, int n, std::vector<std::vector<float>>& r) const
    {
        const int half = formulas / 2;
        for (int k = 1; k <= formulas; ++k) {
            float* out = r[size_t(k - 1)].data();
            if (single) {
                for (int j = 0; j < n; ++j)
                    out[j] = static_cast<float>(double(a[j]) * 2.0 + double(b[j]));
            } else if (k <= half) {
                for (int j = 0; j < n; ++j)
                    out[j] = static_cast<float>(double(a[j]) * double(k) + double(b[j]));
            } else {
                const int m = k - half;
                for (int j = 0; j < n; ++j) {
                    const double s = double(a[j]) * double(m) + double(b[j]);
                    out[j] = static_cast<float>(s * 2.0 - double(c[j]));
                }
            }
        }
    }
};

struct Bench {
    fw::test::ServiceScope services;
    Folder folder;
    Shape shape;
    std::unique_ptr<CKivSPTankData> list;
    std::vector<std::vector<float>> sources;  // in memory, for the in-memory loop
    std::vector<std::vector<float>> expected; // the answer

    explicit Bench(Shape s) : shape(s)
    {
        RegisterCacheClasses();
        RegisterCalcClasses();
        InstallProgramStrings();
        list = std::make_unique<CKivSPTankData>();
        list->SetDataCount(shape.steps, false);
        list->SetChannelCount(kMeasured);
        list->UpdateAllChannels();
        sources.assign(kMeasured, std::vector<float>(size_t(shape.steps)));
        for (int c = 0; c < kMeasured; ++c) {
            for (int i = 0; i < shape.steps; ++i)
                sources[size_t(c)][size_t(i)] = Source(c, i);
            if (!CacheOf(*list, c).WriteValues(0, shape.steps, sources[size_t(c)].data()))
                std::abort();
        }
        for (int k = 1; k <= shape.formulas; ++k) {
            list->GetOrCreateChannel(499 + k);
            if (!list->CompileChannel(shape.Formula(k).c_str(), 499 + k, kMeasured, -1))
                std::abort();
        }
        list->OrderPasses();
        expected.assign(size_t(shape.formulas), std::vector<float>(size_t(shape.steps)));
        InMemoryLoop(expected);
    }

    void InMemoryLoop(std::vector<std::vector<float>>& out) const
    {
        std::vector<std::vector<float>> r(size_t(shape.formulas), std::vector<float>(kPlainBlock));
        for (int i = 0; i < shape.steps; i += kPlainBlock) {
            const int n = std::min(kPlainBlock, shape.steps - i);
            shape.Compute(sources[0].data() + i, sources[1].data() + i, sources[2].data() + i, n, r);
            for (int k = 0; k < shape.formulas; ++k)
                std::memcpy(out[size_t(k)].data() + i, r[size_t(k)].data(), size_t(n) * sizeof(float));
        }
    }

    // The floor over files: the same tank files, pread and pwrite.
    void PlainFileLoop()
    {
        std::vector<int> in;
        for (int c = 0; c < kMeasured; ++c)
            in.push_back(::open(CacheOf(*list, c).GetFilePath().c_str(), O_RDONLY));
        std::vector<int> out;
        for (int k = 1; k <= shape.formulas; ++k)
            out.push_back(::open(CacheOf(*list, 499 + k).GetFilePath().c_str(), O_RDWR));
        std::vector<std::vector<float>> src(kMeasured, std::vector<float>(kPlainBlock));
        std::vector<std::vector<float>> r(size_t(shape.formulas), std::vector<float>(kPlainBlock));
        const int reads = shape.single ? 2 : 3;
        for (int i = 0; i < shape.steps; i += kPlainBlock) {
            const int n = std::min(kPlainBlock, shape.steps - i);
            const size_t bytes = size_t(n) * sizeof(float);
            const off_t at = off_t(i) * off_t(sizeof(float));
            for (int c = 0; c < reads; ++c)
                if (::pread(in[size_t(c)], src[size_t(c)].data(), bytes, at) != ssize_t(bytes))
                    std::abort();
            shape.Compute(src[0].data(), src[1].data(), src[2].data(), n, r);
            for (int k = 0; k < shape.formulas; ++k)
                if (::pwrite(out[size_t(k)], r[size_t(k)].data(), bytes, at) != ssize_t(bytes))
                    std::abort();
        }
        for (int fd : in)
            ::close(fd);
        for (int fd : out)
            ::close(fd);
    }

    // The result files against the answer.
    bool Check()
    {
        std::vector<float> got(size_t(shape.steps));
        for (int k = 1; k <= shape.formulas; ++k) {
            if (!CacheOf(*list, 499 + k).ReadValues(0, shape.steps, got.data()))
                return false;
            if (std::memcmp(got.data(), expected[size_t(k - 1)].data(), got.size() * sizeof(float)) != 0)
                return false;
        }
        return true;
    }

    void Clear()
    {
        std::vector<float> zero(size_t(shape.steps), 0.0f);
        for (int k = 1; k <= shape.formulas; ++k)
            CacheOf(*list, 499 + k).WriteValues(0, shape.steps, zero.data());
    }
};

enum class Way { Recalculate, PlainFiles, InMemory };

void Run(benchmark::State& state, Shape shape, Way way)
{
    Bench bench(shape);
    std::vector<std::vector<float>> memory(size_t(shape.formulas), std::vector<float>(size_t(shape.steps)));
    if (way != Way::InMemory)
        bench.Clear();
    for (auto _ : state) {
        switch (way) {
        case Way::Recalculate:
            bench.list->RecalculateAll();
            break;
        case Way::PlainFiles:
            bench.PlainFileLoop();
            break;
        case Way::InMemory:
            bench.InMemoryLoop(memory);
            break;
        }
        benchmark::ClobberMemory();
    }
    const bool right = way == Way::InMemory ? memory == bench.expected : bench.Check();
    if (!right)
        state.SkipWithError("the results differ from the answer");
    if (!bench.services.prompt.Prompts().empty())
        state.SkipWithError("the recalculation told the user of a problem");
    state.SetItemsProcessed(int64_t(state.iterations()) * shape.steps * shape.formulas);
}

constexpr Shape kOne{10'000'000, 1, true};
constexpr Shape kFifty{1'000'000, 50, false};

void BM_OneFormula_InMemoryLoop(benchmark::State& s) { Run(s, kOne, Way::InMemory); }
void BM_OneFormula_PreadPwriteLoop(benchmark::State& s) { Run(s, kOne, Way::PlainFiles); }
void BM_OneFormula_Recalculate(benchmark::State& s) { Run(s, kOne, Way::Recalculate); }
void BM_FiftyFormulas_InMemoryLoop(benchmark::State& s) { Run(s, kFifty, Way::InMemory); }
void BM_FiftyFormulas_PreadPwriteLoop(benchmark::State& s) { Run(s, kFifty, Way::PlainFiles); }
void BM_FiftyFormulas_Recalculate(benchmark::State& s) { Run(s, kFifty, Way::Recalculate); }

BENCHMARK(BM_OneFormula_InMemoryLoop)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(BM_OneFormula_PreadPwriteLoop)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(BM_OneFormula_Recalculate)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(BM_FiftyFormulas_InMemoryLoop)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(BM_FiftyFormulas_PreadPwriteLoop)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();
BENCHMARK(BM_FiftyFormulas_Recalculate)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

} // namespace

BENCHMARK_MAIN();
