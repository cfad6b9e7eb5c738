// Appending one poll's samples to a live graph: the new samples are drawn
// onto a series that already shows 10^4 or 10^7 samples, and the live
// regression line takes them in. The cost must be that of the new samples,
// not of the record: the baseline in the same binary draws the same 100
// samples as a whole series of their own.

#include "chart/model/GraphClasses.h"
#include "chart/model/KivGraphDraw.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr int kPoll = 100;
const fw::CRect kRect(0, 0, 1000, 800);

// A graph with one series of `count` samples (plus one poll) over time.
std::unique_ptr<CKivGraphDraw> MakeGraph(int count)
{
    auto graph = std::make_unique<CKivGraphDraw>();
    CGraphParamArray* series = graph->AddSeries(true);
    auto* x = new CFltDataTank;
    auto* y = new CFltDataTank;
    x->SetSize(count, true);
    y->SetSize(count, true);
    for (int i = 0; i < count; ++i) {
        x->SetValue(i, static_cast<float>(i));
        y->SetValue(i, static_cast<float>(std::sin(i * 1e-3)));
    }
    series->AppendItem(0, 0, x);
    series->AppendItem(0, 1, y);
    ReleaseTank(x);
    ReleaseTank(y);
    series->SetDrawRange(0, count - 1);
    graph->SetAxisRange('X', 0, count, count / 5.0, 5);
    graph->SetAxisRange('Y', -1, 1, 0.5, 5);
    graph->CreatePlot();
    graph->SetPlotRect(kRect);
    return graph;
}

// The record is drawn once; each iteration draws the newest poll onto it.
void BM_AppendPoll(benchmark::State& state)
{
    const int drawn = static_cast<int>(state.range(0));
    auto graph = MakeGraph(drawn + kPoll);
    CGraphParamArray* series = graph->GetSeries(0);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    series->SetDrawRange(0, drawn - 1);
    graph->DrawAllSeries(dc, kRect);
    for (auto _ : state) {
        series->SetLastDrawnIndex(drawn - 1);
        series->SetSampleIndex(1, drawn + kPoll - 1);
        graph->DrawNewData(dc, kRect, false);
        sink.Clear();
    }
    state.SetItemsProcessed(state.iterations() * kPoll);
}
BENCHMARK(BM_AppendPoll)->Arg(10'000)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);

// The live regression line brought up to date with one poll.
void BM_AppendPollRegression(benchmark::State& state)
{
    const int drawn = static_cast<int>(state.range(0));
    auto graph = MakeGraph(drawn + kPoll);
    CGraphParamArray* series = graph->GetSeries(0);
    series->SetDrawRange(0, drawn - 1);
    tRegressionSettings settings;
    settings.degree = 3;
    graph->SetRegression(settings);
    graph->ComputeRegression();
    series->SetSampleIndex(1, drawn + kPoll - 1);
    for (auto _ : state) {
        series->SetLastFedIndex(drawn - 1);
        graph->UpdateRegression();
    }
    state.SetItemsProcessed(state.iterations() * kPoll);
}
BENCHMARK(BM_AppendPollRegression)->Arg(10'000)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);

// Baseline: the poll's samples drawn as a whole series of their own.
void BM_DrawPollAlone(benchmark::State& state)
{
    auto graph = MakeGraph(kPoll);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    for (auto _ : state) {
        graph->DrawAllSeries(dc, kRect);
        sink.Clear();
    }
    state.SetItemsProcessed(state.iterations() * kPoll);
}
BENCHMARK(BM_DrawPollAlone)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    RegisterGraphClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
