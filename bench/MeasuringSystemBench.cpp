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
#include "common/resources/ProgramStrings.h"
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

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kBoxes = 4;
constexpr int kBlockBytes = 64 * 1024;

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
        InstallProgramStrings(); // the boxes are named from the string table
        if (const char* folder = std::getenv("KIV_BENCH_DIR"))
            SetCacheTankFolder(folder);
        return true;
    }();
    (void)registered;
    CMeterInterfacePrf profile;
    profile.SetCount(kBoxes);
    // Each control unit needs an address and a serial number of its own.
    for (int b = 0; b < kBoxes; ++b) {
        for (int p = 0; p < CKivUnitTypes::kPorts; ++p)
            profile.m_unitTypes[size_t(b)].SetAt(p, 1);
        profile.m_ipAddress[size_t(b)] = 0x7F000001;
        profile.m_port[size_t(b)] = 50000 + b;
        profile.m_serialNo[size_t(b)] = static_cast<int16_t>(100 + b);
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

// A block of 64 KiB of recorded rows of one control unit (80 channels of
// 16-bit or 32-bit samples) into its channel tanks; the answer of one
// channel is checked after the runs.
void StoreRecordedRows(benchmark::State& state, int bits)
{
    fw::test::ServiceScope services;
    const int width = bits / 8;
    const int rowBytes = 80 * width;
    const int rows = kBlockBytes / rowBytes;
    auto system = FullSystem(rows);
    CKivMeter* meter = system->GetBox(0)->GetMeter();
    for (int ch = 0; ch < 80; ++ch)
        meter->SetValue(ch, CKivMeter::kAttrBitsPerSample, bits, false);
    std::vector<uint8_t> block(static_cast<size_t>(rows) * rowBytes);
    for (size_t i = 0; i < block.size() / size_t(width); ++i) {
        const int32_t v = static_cast<int32_t>((i * 37) % 60000) - 30000;
        if (width == 2) {
            const int16_t s = static_cast<int16_t>(v);
            std::memcpy(&block[i * 2], &s, 2);
        } else {
            std::memcpy(&block[i * 4], &v, 4);
        }
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(system->StoreSamples(0, 0, rows, rowBytes, block));
    // Channel 0 of row 1 holds sample 80 of the block, converted.
    CDataTankObject* tank = system->GetBox(0)->GetChannelTank(0);
    if (!tank || !std::isfinite(tank->GetValue(1)) || !services.prompt.Prompts().empty())
        state.SkipWithError("the samples were not stored");
    state.SetItemsProcessed(state.iterations() * int64_t(rows) * 80);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(block.size()));
}

void BM_Store64KiBOf16BitRows(benchmark::State& state) { StoreRecordedRows(state, 16); }
void BM_Store64KiBOf32BitRows(benchmark::State& state) { StoreRecordedRows(state, 32); }
BENCHMARK(BM_Store64KiBOf16BitRows);
BENCHMARK(BM_Store64KiBOf32BitRows);

} // namespace

BENCHMARK_MAIN();
