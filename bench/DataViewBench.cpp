// The row operations of the data views on 10^6 samples of 64 channels:
// deleting a block, keeping a block and thinning to every second sample,
// each beside moving the same float values in memory. Every iteration
// starts from freshly filled channels (not timed).

#include "common/base/CommonBaseClasses.h"
#include "common/cache/CacheClasses.h"
#include "common/cache/CacheDataTank.h"
#include "common/calc/CalcClasses.h"
#include "common/calc/KivSPTankData.h"
#include "common/resources/ProgramStrings.h"
#include "common/tank/TankClasses.h"
#include "data/model/DataClasses.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/Object.h"
#include "grid/model/GridClasses.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 1000000;
constexpr int kChannels = 64;
constexpr int kFirst = 250000;
constexpr int kLast = 749999;

fs::path BenchDir()
{
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("kiv-dataviewbench-" + std::to_string(::getpid()));
        fs::create_directories(d / "cache");
        return d;
    }();
    return dir;
}

struct Environment {
    Environment()
    {
        InstallProgramStrings();
        fw::RegisterClasses();
        RegisterCommonBaseClasses();
        RegisterTankClasses();
        RegisterCacheClasses();
        RegisterCalcClasses();
        RegisterGridClasses();
        RegisterDataClasses();
        CCacheDataTank<float>::SetTempFolder(fw::CString((BenchDir() / "cache").string()));
        CCacheDataTank<double>::SetTempFolder(fw::CString((BenchDir() / "cache").string()));
        InstallDataDocHost(&host);
    }
    ~Environment() { fs::remove_all(BenchDir()); }
    CKivDocManager manager;
    CDataDocHost host{&manager};
};

Environment& Env()
{
    static Environment env;
    return env;
}

std::unique_ptr<CKivDataDoc> FilledDocument()
{
    auto doc = std::make_unique<CKivDataDoc>();
    doc->CreateNewContents();
    CKivSPTankData& list = doc->GetBoxArray().GetTankList();
    list.SetDataCount(kRows, true);
    list.SetChannelCount(kChannels);
    std::vector<float> values(kRows);
    for (int ch = 0; ch < kChannels; ++ch) {
        CDataTankObject* tank = list.GetObjectAt(ch);
        for (int i = 0; i < kRows; ++i)
            tank->SetValue(i, ch + i * 0.001);
    }
    doc->GetAdSet().m_nNum = kRows;
    doc->GetAdSet().m_dClk = 1;
    return doc;
}

enum class Operation { remove, keep, thin };

void Check(benchmark::State& state, CKivDataDoc& doc, int expected)
{
    if (doc.GetSampleCount() != expected)
        state.SkipWithError("wrong sample count");
}

void RunDocument(benchmark::State& state, Operation op)
{
    Env();
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = FilledDocument();
        state.ResumeTiming();
        switch (op) {
        case Operation::remove:
            doc->DeleteRows(kFirst, kLast);
            break;
        case Operation::keep:
            doc->DeleteOutsideRows(kFirst, kLast);
            break;
        case Operation::thin:
            doc->Thin(1);
            break;
        }
        state.PauseTiming();
        Check(state, *doc, op == Operation::remove ? kRows - (kLast - kFirst + 1)
                           : op == Operation::keep ? kLast - kFirst + 1
                                                   : (kRows + 1) / 2);
        doc.reset();
        state.ResumeTiming();
    }
}

// The same values moved in memory: the floor of any row operation.
void RunMemory(benchmark::State& state, Operation op)
{
    std::vector<std::vector<float>> columns(kChannels, std::vector<float>(kRows));
    for (auto _ : state) {
        state.PauseTiming();
        for (auto& c : columns)
            c.assign(kRows, 1.0f);
        state.ResumeTiming();
        for (auto& c : columns) {
            switch (op) {
            case Operation::remove:
                std::memmove(c.data() + kFirst, c.data() + kLast + 1, (kRows - kLast - 1) * sizeof(float));
                c.resize(kRows - (kLast - kFirst + 1));
                break;
            case Operation::keep:
                std::memmove(c.data(), c.data() + kFirst, (kLast - kFirst + 1) * sizeof(float));
                c.resize(kLast - kFirst + 1);
                break;
            case Operation::thin:
                for (int i = 0, j = 0; i < kRows; i += 2, ++j)
                    c[static_cast<size_t>(j)] = c[static_cast<size_t>(i)];
                c.resize((kRows + 1) / 2);
                break;
            }
        }
        benchmark::DoNotOptimize(columns.data());
    }
}

void BM_DeleteRows(benchmark::State& state) { RunDocument(state, Operation::remove); }
void BM_DeleteRowsMemory(benchmark::State& state) { RunMemory(state, Operation::remove); }
void BM_KeepRows(benchmark::State& state) { RunDocument(state, Operation::keep); }
void BM_KeepRowsMemory(benchmark::State& state) { RunMemory(state, Operation::keep); }
void BM_Thin(benchmark::State& state) { RunDocument(state, Operation::thin); }
void BM_ThinMemory(benchmark::State& state) { RunMemory(state, Operation::thin); }

BENCHMARK(BM_DeleteRows)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_DeleteRowsMemory)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_KeepRows)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_KeepRowsMemory)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Thin)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ThinMemory)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
