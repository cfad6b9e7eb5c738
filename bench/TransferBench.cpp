// Recorded-data retrieval: rows stored from a memory buffer into the
// channel tanks (beside a memcpy of the same bytes), a whole unit-memory
// transfer from the emulated control unit over loopback, and the decoding
// of CAN frames into the tanks of their signals.
//
// The transfers over loopback report, beside the wall-time rate, the rate
// per second of processor time of the whole process (the emulator's threads
// included, the kernel's copies too): on a loaded machine the wall time says
// more about the neighbours than about the transfer.
//
// The tanks' files live in KIV_BENCH_DIR (default: the system's temporary
// folder).

#include "canvoicegps/CanMesNode.h"
#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/Kiv463Unit.h"
#include "common/cache/CacheClasses.h"
#include "common/cache/CacheTanks.h"
#include "common/calc/CalcClasses.h"
#include "common/calc/GpsCanTankLists.h"
#include "common/resources/ProgramStrings.h"
#include "common/tank/TankClasses.h"
#include "framework/core/Object.h"
#include "framework/core/testing/ServiceScope.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/MeterSocket.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/meter/MeterClasses.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/SystemClasses.h"
#include "instrument/unit/UnitClasses.h"
#include "measure/model/CFMeterUpdate.h"
#include "measure/model/CanDecode.h"
#include "measure/model/TransferHost.h"
#include "measure/model/TransferRun.h"
#include "tests/emulator/Emulator.h"
#include "tests/emulator/MeasurementCommands.h"
#include "tests/emulator/RecordedData.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kLoopback = 0x7F000001;
constexpr int kChannels = 80;
constexpr int kRowBytes = kChannels * 2;
constexpr int kStoreRows = 64 * 1024 / kRowBytes * 16;

double ProcessCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Bytes moved per second of the process's processor time, in MiB.
void ReportCpuRate(benchmark::State& state, int64_t bytes, double cpuSeconds)
{
    const double mib = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["cpu_MiB_per_s"] = cpuSeconds > 0.0 ? mib / cpuSeconds : 0.0;
}

void RegisterOnce()
{
    static const bool registered = [] {
        fw::RegisterClasses();
        InstallProgramStrings();
        RegisterTankClasses();
        RegisterCacheClasses();
        RegisterCalcClasses();
        RegisterUnitClasses();
        RegisterMeterClasses();
        RegisterSystemClasses();
        RegisterCanVoiceGpsClasses();
        if (const char* folder = std::getenv("KIV_BENCH_DIR"))
            SetCacheTankFolder(folder);
        return true;
    }();
    (void)registered;
}

// A project stand-in: the one measuring system, no questions.
class BenchHost final : public ITransferHost {
public:
    explicit BenchHost(CBoxArray& system) : m_system(system) {}
    CBoxArray& GetActiveBoxArray() override { return m_system; }
    CBoxArray& GetOwnBoxArray() override { return m_system; }
    bool BeginImportBoxArray(const CMeterInterfacePrf&, const CADSetPrf&) override { return false; }
    void RefreshChannelColumns() override {}
    bool AskContinue(const fw::CString&) override { return false; }
    void ShowMessage(const fw::CString&) override {}
    void ReportException(const std::exception&) override {}

private:
    CBoxArray& m_system;
};

CMeterInterfacePrf TenStrainUnits(uint16_t port)
{
    CMeterInterfacePrf profile;
    profile.SetCount(1);
    for (int p = 0; p < CKivUnitTypes::kPorts; ++p)
        profile.m_unitTypes[0].SetAt(p, 2);
    profile.m_ipAddress[0] = kLoopback;
    profile.m_port[0] = port;
    profile.m_serialNo[0] = 100;
    return profile;
}

void SwitchAllOn(CBoxArray& system, int rows)
{
    for (int ch = 0; ch < kChannels; ++ch)
        system.SetChannelValue(ch, 0, 1);
    system.SetTankDisplayModes();
    system.SetDataCount(rows, true);
}

// ---------------------------------------------------------------- storing

void BM_StoreRowsIntoTanks(benchmark::State& state)
{
    RegisterOnce();
    fw::test::ServiceScope services;
    CBoxArray system;
    if (!system.BuildFromProfile(TenStrainUnits(50000)))
        std::abort();
    system.GetBox(0)->GetMeter()->InitArrays();
    SwitchAllOn(system, kStoreRows);
    const std::vector<uint8_t> rows = kivemu::RecordedRows(std::vector<int>(kChannels, 2), 0, kStoreRows);
    for (auto _ : state)
        benchmark::DoNotOptimize(system.StoreSamples(0, 0, kStoreRows, kRowBytes, rows));
    state.counters["samples_per_s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kStoreRows * kChannels, benchmark::Counter::kIsRate);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(rows.size()));
}
BENCHMARK(BM_StoreRowsIntoTanks)->Unit(benchmark::kMillisecond);

// The same bytes copied: what a store can at best approach.
void BM_MemcpyOfTheSameRows(benchmark::State& state)
{
    const std::vector<uint8_t> rows = kivemu::RecordedRows(std::vector<int>(kChannels, 2), 0, kStoreRows);
    std::vector<uint8_t> target(rows.size());
    for (auto _ : state) {
        std::memcpy(target.data(), rows.data(), rows.size());
        benchmark::ClobberMemory();
    }
    state.counters["samples_per_s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kStoreRows * kChannels, benchmark::Counter::kIsRate);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(rows.size()));
}
BENCHMARK(BM_MemcpyOfTheSameRows)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------- end to end

void BM_MemoryTransferOverLoopback(benchmark::State& state)
{
    RegisterOnce();
    fw::test::ServiceScope services;
    const int rows = static_cast<int>(state.range(0));
    kivemu::Emulator emulator;
    kivemu::ControlUnit& unit = emulator.AddUnit();
    kivemu::MeasureEmulator device(unit);
    device.With([](kivemu::MeasureDevice&, kivemu::MeterDevice&, kivemu::DeviceState& s) { s.unitTypes.fill(2); });
    auto memory = std::make_shared<kivemu::MemoryRecording>();
    memory->widths.assign(kChannels, 2);
    memory->rows = static_cast<uint64_t>(rows);
    kivemu::AddMemoryReadout(unit, memory);
    CMeterSocket link;
    CBoxArray system;
    if (!system.BuildFromProfile(TenStrainUnits(emulator.Port(0))) || !system.ConnectMeters(&link) ||
        !system.SelectOnChannels(true))
        std::abort();
    SwitchAllOn(system, rows);
    BenchHost host(system);
    const double cpuStart = ProcessCpuSeconds();
    for (auto _ : state) {
        CCFMeterUpdate transfer(host);
        if (!transfer.Prepare())
            std::abort();
        CTransferRun run(host);
        if (run.RunThroughUnits(transfer) != CTransferRun::kCompleted)
            std::abort();
    }
    const int64_t bytes = state.iterations() * static_cast<int64_t>(rows) * kRowBytes;
    ReportCpuRate(state, bytes, ProcessCpuSeconds() - cpuStart);
    state.SetBytesProcessed(bytes);
    system.CloseMeters();
}
BENCHMARK(BM_MemoryTransferOverLoopback)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// The worker's half alone: "ADR" and "BDT" chunks over loopback into the
// temporary file, without the store into the tanks.
void BM_MemoryChunksOverLoopback(benchmark::State& state)
{
    RegisterOnce();
    fw::test::ServiceScope services;
    const int rows = static_cast<int>(state.range(0));
    kivemu::Emulator emulator;
    kivemu::ControlUnit& unit = emulator.AddUnit();
    kivemu::MeasureEmulator device(unit);
    device.With([](kivemu::MeasureDevice&, kivemu::MeterDevice&, kivemu::DeviceState& s) { s.unitTypes.fill(2); });
    auto memory = std::make_shared<kivemu::MemoryRecording>();
    memory->widths.assign(kChannels, 2);
    memory->rows = static_cast<uint64_t>(rows);
    kivemu::AddMemoryReadout(unit, memory);
    CMeterSocket link;
    CBoxArray system;
    if (!system.BuildFromProfile(TenStrainUnits(emulator.Port(0))) || !system.ConnectMeters(&link) ||
        !system.SelectOnChannels(true))
        std::abort();
    SwitchAllOn(system, rows);
    BenchHost host(system);
    const double cpuStart = ProcessCpuSeconds();
    for (auto _ : state) {
        CCFMeterUpdate transfer(host);
        if (!transfer.Prepare())
            std::abort();
        while (transfer.TransferChunk()) {
        }
        if (transfer.GetPosition() != static_cast<unsigned>(rows))
            std::abort();
    }
    const int64_t bytes = state.iterations() * static_cast<int64_t>(rows) * kRowBytes;
    ReportCpuRate(state, bytes, ProcessCpuSeconds() - cpuStart);
    state.SetBytesProcessed(bytes);
    system.CloseMeters();
}
BENCHMARK(BM_MemoryChunksOverLoopback)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// ------------------------------------------------------------- CAN frames

constexpr int kCanFrames = 1000000;

void BM_DecodeCanFrames(benchmark::State& state)
{
    RegisterOnce();
    fw::test::ServiceScope services;
    const std::string database =
        "[CAN_MESSAGE_RECEIVE]\r\n[CAN_SLOT_] 1 0\r\n[CAN_BO_] 291 ENGINE 8 ECU\r\n"
        "[CAN_SG_] A : 0|16@1+ (0.25,0) [0|16383] \"rpm\" 2 0\r\n"
        "[CAN_SG_] B : 16|16@1- (0.1,-40) [0|0] \"C\" 1 0\r\n"
        "[CAN_SG_] C : 39|16@0+ (0.01,0) [0|0] \"km/h\" 2 0\r\n"
        "[CAN_SG_] D : 48|8@1+ (1,0) [0|255] \"%\" 0 0\r\n[CAN_MESSAGE_END]\r\n";
    std::vector<uint8_t> bytes;
    std::vector<kivemu::CanFrame> frames;
    for (int k = 0; k < kCanFrames; ++k) {
        frames.push_back({static_cast<uint32_t>(k), 1,
                          {static_cast<uint8_t>(k), static_cast<uint8_t>(k >> 8), static_cast<uint8_t>(k >> 3), 1, 2,
                           3, static_cast<uint8_t>(k * 7), 0}});
        if (frames.size() == 200) {
            const std::vector<uint8_t> block = kivemu::CanBlock(frames);
            bytes.insert(bytes.end(), block.begin(), block.end());
            frames.clear();
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        CCanNodeArray messages;
        ReadCanDatabase(messages, database);
        CCanDataTankList list;
        BuildCanTanks(list, messages);
        CanFrameCounters counters{};
        int64_t damagedAt = 0;
        state.ResumeTiming();
        benchmark::DoNotOptimize(WalkCanBlocks(&messages, bytes, counters, damagedAt));
        state.PauseTiming();
        if (counters[0] != kCanFrames)
            std::abort();
        list.DeleteAll();
        state.ResumeTiming();
    }
    state.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kCanFrames, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeCanFrames)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
