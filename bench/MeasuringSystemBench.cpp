// The measuring system's share of a measurement: one poll's current values
// of a full system (four control units of 80 channels, 320 channels) into
// the channels' formulas, and a block of 64 KiB of recorded 16-bit rows of
// one control unit into its channel tanks.
//
// The tanks' files live in KIV_BENCH_DIR (default: the system's temporary
// folder).

#include "common/cache/CacheClasses.h"
#include "common/cache/CacheTanks.h"
#include "common/calc/CalcClasses.h"
#include "common/tank/TankClasses.h"
#include "framework/core/Object.h"
#include "framework/core/testing/ServiceScope.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/meter/MeterClasses.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/SystemClasses.h"
#include "instrument/unit/UnitClasses.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kBoxes = 4;
constexpr int kRowBytes = 80 * 2;
constexpr int kBlockBytes = 64 * 1024;
constexpr int kRows = kBlockBytes / kRowBytes;

// Four control units with ten 8-channel strain units each.
std::unique_ptr<CBoxArray> FullSystem(int dataCount)
{
    static const bool registered = [] {
        fw::RegisterClasses();
        RegisterTankClasses();
        RegisterCacheClasses();
        RegisterCalcClasses();
        RegisterUnitClasses();
        RegisterMeterClasses();
        RegisterSystemClasses();
        if (const char* folder = std::getenv("KIV_BENCH_DIR"))
            SetCacheTankFolder(folder);
        return true;
    }();
    (void)registered;
    CMeterInterfacePrf profile;
    profile.SetCount(kBoxes);
    for (auto& types : profile.m_unitTypes) {
        for (int p = 0; p < CKivUnitTypes::kPorts; ++p)
            types.SetAt(p, 1);
    }
    auto system = std::make_unique<CBoxArray>();
    if (!system->BuildFromProfile(profile))
        std::abort();
    for (int b = 0; b < kBoxes; ++b)
        system->GetBox(b)->GetMeter()->InitArrays();
    system->SetTankDisplayModes();
    system->SetDataCount(dataCount, true);
    return system;
}

void BM_StorePollOf320Channels(benchmark::State& state)
{
    fw::test::ServiceScope services;
    auto system = FullSystem(16);
    for (auto _ : state)
        system->StoreCurrentValues();
    state.SetItemsProcessed(state.iterations() * kBoxes * 80);
}
BENCHMARK(BM_StorePollOf320Channels);

void BM_Store64KiBOfRecordedRows(benchmark::State& state)
{
    fw::test::ServiceScope services;
    auto system = FullSystem(kRows);
    std::vector<uint8_t> rows(static_cast<size_t>(kRows) * kRowBytes);
    for (size_t i = 0; i < rows.size() / 2; ++i) {
        const int16_t v = static_cast<int16_t>((i * 37) % 60000 - 30000);
        std::memcpy(&rows[i * 2], &v, 2);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(system->StoreSamples(0, 0, kRows, kRowBytes, rows));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(rows.size()));
}
BENCHMARK(BM_Store64KiBOfRecordedRows);

} // namespace

BENCHMARK_MAIN();
