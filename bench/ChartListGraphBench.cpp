// A strip-graph list of 320 rows during a measurement: each poll brings
// 100 new samples to every row, and only those are drawn onto the rows'
// pictures. The per-poll cost must not grow with the record (10^4 against
// 10^7 samples already shown); the baseline in the same binary draws the
// same 100 samples per row as whole series of their own.

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphTimeListObj.h"
#include "chart/model/ListGraphClasses.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr int kRows = 320;
constexpr int kPoll = 100;
const fw::CRect kRowRect(0, 0, 800, 60);

// 320 rows over one pair of tanks of `count` samples (the rows share the
// channel, so the record is held once), each drawn once in full.
std::unique_ptr<CGraphTimeListObj> MakeList(int count, int drawn)
{
    auto list = std::make_unique<CGraphTimeListObj>();
    auto* x = new CFltDataTank;
    auto* y = new CFltDataTank;
    x->SetSize(count, true);
    y->SetSize(count, true);
    for (int i = 0; i < count; ++i) {
        x->SetValue(i, static_cast<float>(i));
        y->SetValue(i, static_cast<float>(std::sin(i * 1e-3)));
    }
    for (int r = 0; r < kRows; ++r) {
        CListGraphDraw* row = list->CreateRow();
        list->AppendRow(row);
        CGraphParamArray* series = row->AddSeries(true);
        series->AppendItem(0, 0, x);
        series->AppendItem(0, 1, y);
        series->SetDrawRange(0, drawn - 1);
        row->SetAxisRange('X', 0, count, count / 5.0, 5);
        row->SetAxisRange('Y', -1, 1, 0.5, 5);
        row->CreatePlot();
    }
    ReleaseTank(x);
    ReleaseTank(y);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    for (int r = 0; r < kRows; ++r)
        list->DrawRowPart(dc, kRowRect, r, CGraphListObj::kFitAndDraw);
    return list;
}

// One poll: every row draws its 100 new samples onto what it shows.
void BM_ListGraphPoll(benchmark::State& state)
{
    const int drawn = static_cast<int>(state.range(0));
    auto list = MakeList(drawn + kPoll, drawn);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    for (auto _ : state) {
        for (int r = 0; r < kRows; ++r) {
            CGraphParamArray* series = list->GetRow(r)->GetSeries(0);
            series->SetLastDrawnIndex(drawn - 1);
            series->SetSampleIndex(1, drawn + kPoll - 1);
            list->DrawRowPart(dc, kRowRect, r, CGraphListObj::kSeriesOnly);
        }
        sink.Clear();
    }
    state.SetItemsProcessed(state.iterations() * kRows * kPoll);
}
BENCHMARK(BM_ListGraphPoll)->Arg(10'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// Baseline: the poll's samples of every row drawn as whole rows of their own.
void BM_ListGraphPollAlone(benchmark::State& state)
{
    auto list = MakeList(kPoll, kPoll);
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    for (auto _ : state) {
        for (int r = 0; r < kRows; ++r)
            list->GetRow(r)->DrawAllSeries(dc, kRowRect);
        sink.Clear();
    }
    state.SetItemsProcessed(state.iterations() * kRows * kPoll);
}
BENCHMARK(BM_ListGraphPollAlone)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    RegisterGraphClasses();
    RegisterListGraphClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
