// One formula, "=CH(1)*2+CH(2)", over 10^7 data steps: step by step as the
// channel list calculates a live step, in blocks as a whole recalculation
// can, and the same arithmetic as a plain loop for comparison.

#include "common/formula/DataCalcuOrder.h"
#include "common/formula/FormulaChannelList.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr int32_t kSteps = 10'000'000;

struct Data {
    std::vector<double> a;
    std::vector<double> b;
    std::vector<double> out;
    Data() : a(kSteps), b(kSteps), out(kSteps)
    {
        for (int32_t i = 0; i < kSteps; ++i) {
            a[static_cast<size_t>(i)] = std::sin(i * 1e-3);
            b[static_cast<size_t>(i)] = std::cos(i * 1e-3);
        }
    }
};

Data& Shared()
{
    static Data data;
    return data;
}

// Two measured channels held in memory, as the tanks hand them out.
class Channels : public IFormulaChannelList {
public:
    explicit Channels(Data& d) : m_d(d) {}
    CDataCalcuOrder* GetOrder(int16_t index) override { return index == 0 ? &ch1 : index == 1 ? &ch2 : nullptr; }
    bool HasChannelTank(int16_t index) override { return index == 0 || index == 1; }
    int32_t GetStoredCount(int16_t) override { return kSteps; }
    double GetStoredValue(int16_t index, int32_t i) override
    {
        return (index == 0 ? m_d.a : m_d.b)[static_cast<size_t>(i)];
    }
    bool ReadStoredValues(int16_t index, int32_t first, int32_t count, double* out) override
    {
        const std::vector<double>& v = index == 0 ? m_d.a : m_d.b;
        std::memcpy(out, v.data() + first, static_cast<size_t>(count) * sizeof(double));
        return true;
    }
    CDataCalcuOrder ch1;
    CDataCalcuOrder ch2;

private:
    Data& m_d;
};

void Compile(CDataCalcuOrder& order, Channels& channels)
{
    order.SetReferenceLimits(16, -1);
    if (order.Compile(500, "=CH(1)*2+CH(2)") != 0)
        std::abort();
    for (int i = 0; i < order.GetOperationCount(); ++i) {
        CDataCalcu* op = order.GetOperation(i);
        if (op->IsRoutine(CalcRoutine::Ch))
            op->SetOrderContext(channels.GetOrder(op->GetChannelIndex()));
    }
}

void BM_PlainLoop(benchmark::State& state)
{
    Data& d = Shared();
    for (auto _ : state) {
        for (size_t i = 0; i < kSteps; ++i)
            d.out[i] = d.a[i] * 2.0 + d.b[i];
        benchmark::DoNotOptimize(d.out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSteps);
}

void BM_FormulaPerStep(benchmark::State& state)
{
    Data& d = Shared();
    Channels channels(d);
    CDataCalcuOrder order;
    Compile(order, channels);
    for (auto _ : state) {
        for (int32_t i = 0; i < kSteps; ++i) {
            channels.ch1.SetResult(d.a[static_cast<size_t>(i)]);
            channels.ch2.SetResult(d.b[static_cast<size_t>(i)]);
            order.Evaluate(2, i + 1);
            d.out[static_cast<size_t>(i)] = order.GetResult();
        }
        benchmark::DoNotOptimize(d.out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSteps);
}

void BM_FormulaBlocks(benchmark::State& state)
{
    Data& d = Shared();
    Channels channels(d);
    CDataCalcuOrder order;
    Compile(order, channels);
    for (auto _ : state) {
        order.EvaluateBlock(channels, 0, kSteps, d.out.data());
        benchmark::DoNotOptimize(d.out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSteps);
}

} // namespace

BENCHMARK(BM_PlainLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormulaPerStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormulaBlocks)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
