// The measurement panel's poll cycle on loopback: four emulated control
// units of 80 channels, 20 calculated channels watched (each reading two
// input channels), the monitor trend started just below its limit so that
// the run wraps it. Each handled poll result is timed; the counters report
// polls per second, the 99th percentile of the handler, the deepest posted
// queue and the growth of the resident memory over the run. The baseline
// is the bare exchange of one poll (states, file counts, values) on the
// same links without the worker and the handler.
//
// The emulator keeps every command line and every byte it receives for the
// tests' transcripts: 16 lines a poll here, about 1 kB a poll with the
// slack of their buffers, which is where most of the memory of earlier runs
// went (2.7 MB over 3000 polls). The bench empties them as it goes and
// measures after a warm-up, so the growth it reports is the program's own.
//
// The trend's cache files live in KIV_BENCH_DIR (default: the system's
// temporary folder).

#include "common/cache/CacheClasses.h"
#include "common/cache/CacheTanks.h"
#include "common/calc/CalcClasses.h"
#include "common/calc/CalcuDataTank.h"
#include "common/resources/ProgramStrings.h"
#include "common/tank/TankClasses.h"
#include "docbase/settings/MoniterPrf.h"
#include "framework/core/Message.h"
#include "framework/core/Object.h"
#include "framework/core/testing/ServiceScope.h"
#include "instrument/ContinueQuestion.h"
#include "instrument/MeterSocket.h"
#include "instrument/meter/MeterClasses.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/SystemClasses.h"
#include "instrument/unit/UnitClasses.h"
#include "measure/model/poll/KeisokuPanel.h"
#include "measure/model/poll/MoniSPTankData.h"
#include "measure/model/poll/PanelHost.h"
#include "tests/emulator/Emulator.h"
#include "tests/emulator/MeasurementCommands.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kUnits = 4;
constexpr int kWatchedCalc = 20;
constexpr int kPollsPerRun = 3000;
constexpr int kWarmUpPolls = 300;
constexpr int kTranscriptPolls = 100;
constexpr uint32_t kLoopback = 0x7F000001;

class BenchHost final : public IPanelHost {
public:
    explicit BenchHost(CBoxArray& system) : m_system(system) {}
    CBoxArray& System() override { return m_system; }
    const CMoniterPrf& MonitorSettings() override { return monitor; }
    CMoniSPTankData* MonitorSet() override { return &trend; }
    int RunTransfer(CBoxArray::FileVectors&, int, bool) override { return 0; }
    void RedrawMonitor() override { ++handled; }
    CMoniterPrf monitor;
    CMoniSPTankData trend;
    long handled = 0;

private:
    CBoxArray& m_system;
};

class NoQuestion final : public IContinueQuestion {
public:
    bool Ask(const fw::CString&, int) override { return false; }
};

long ResidentKiB()
{
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * 4;
}

struct Rig {
    Rig()
    {
        static const bool registered = [] {
            fw::RegisterClasses();
            RegisterTankClasses();
            RegisterCacheClasses();
            RegisterCalcClasses();
            RegisterUnitClasses();
            RegisterMeterClasses();
            RegisterSystemClasses();
            InstallProgramStrings();
            if (const char* folder = std::getenv("KIV_BENCH_DIR"))
                SetCacheTankFolder(folder);
            return true;
        }();
        (void)registered;
        InstallContinueQuestion(&question);
        CMeterInterfacePrf profile;
        profile.SetCount(kUnits);
        for (int i = 0; i < kUnits; ++i) {
            emu.AddUnit();
            devices.push_back(std::make_unique<kivemu::MeasureEmulator>(emu.Unit(static_cast<size_t>(i))));
            devices.back()->With([](kivemu::MeasureDevice&, kivemu::MeterDevice&, kivemu::DeviceState& s) {
                s.unitTypes.fill(2);
            });
            const auto k = static_cast<size_t>(i);
            for (int p = 0; p < CKivUnitTypes::kPorts; ++p)
                profile.m_unitTypes[k].SetAt(p, 2);
            profile.m_ipAddress[k] = kLoopback;
            profile.m_port[k] = emu.Port(k);
            profile.m_serialNo[k] = static_cast<int16_t>(100 + i);
        }
        link.SetReplyTimeout(5);
        ok = system.BuildFromProfile(profile) && system.ConnectMeters(&link) && system.SelectOnChannels(false);
        if (!ok) {
            std::fprintf(stderr, "the emulated control units did not connect\n");
            return;
        }
        system.SetTankDisplayModes();
        CKivSPTankData& tanks = system.GetTankList();
        for (int r = 0; r < kWatchedCalc; ++r) {
            // Two input channels on two different control units each.
            const int a = (r * 16) % 320 + 1;
            const int b = (a + 80) % 320 + 1;
            const std::string formula = "=CH(" + std::to_string(a) + ")*2+CH(" + std::to_string(b) + ")";
            if (!tanks.GetOrCreateChannel(500 + r) || !tanks.CompileChannel(formula.c_str(), 500 + r, 320, -1)) {
                std::fprintf(stderr, "formula %s refused\n", formula.c_str());
                ok = false;
                return;
            }
            if (auto* calc = dynamic_cast<CCalcuDataTank*>(tanks.GetObjectAt(500 + r)))
                calc->AddUse();
        }
        tanks.OrderPasses();
        host.monitor.m_bPeakRes = 0;
        host.trend.SetDataCount(CMoniSPTankData::kMaxSamples - kWarmUpPolls - kPollsPerRun / 2, true);
    }

    fw::test::ServiceScope services;
    NoQuestion question;
    kivemu::Emulator emu;
    std::vector<std::unique_ptr<kivemu::MeasureEmulator>> devices;
    CMeterSocket link;
    CBoxArray system;
    BenchHost host{system};
    bool ok = false;
};

void BM_PollResultHandler(benchmark::State& state)
{
    Rig rig;
    if (!rig.ok) {
        state.SkipWithError("the emulated system could not be set up");
        return;
    }
    CKeisokuPanel panel(rig.host);
    panel.SetMonitoring(true);
    if (!panel.InitPanelState()) {
        state.SkipWithError("the panel did not open");
        return;
    }
    std::vector<double> handlerMs;
    handlerMs.reserve(kPollsPerRun + kWarmUpPolls);
    size_t deepestQueue = 0;
    long rssStart = 0;
    bool wrapped = false;
    double seconds = 0;
    long dropped = rig.host.handled;
    auto dropTranscripts = [&rig, &dropped](bool now) {
        if (!now && rig.host.handled - dropped < kTranscriptPolls)
            return;
        dropped = rig.host.handled;
        for (size_t i = 0; i < kUnits; ++i) {
            rig.emu.Unit(i).GetTranscript().Clear();
            rig.emu.Unit(i).ClearReceivedBytes();
        }
    };
    // Allocator pools, the links' buffers and the trend's windows settle.
    const long warmUpEnd = rig.host.handled + kWarmUpPolls;
    while (rig.host.handled < warmUpEnd && !panel.IsAborted()) {
        if (fw::PumpPosted() == 0)
            std::this_thread::yield();
        dropTranscripts(false);
    }
    for (auto _ : state) {
        handlerMs.clear();
        dropTranscripts(true);
        rssStart = ResidentKiB();
        const auto t0 = std::chrono::steady_clock::now();
        const long start = rig.host.handled;
        int lastCount = rig.host.trend.GetDataCount();
        while (rig.host.handled - start < kPollsPerRun && !panel.IsAborted()) {
            dropTranscripts(false);
            deepestQueue = std::max(deepestQueue, fw::PostedCount());
            const auto h0 = std::chrono::steady_clock::now();
            const int delivered = fw::PumpPosted();
            const auto h1 = std::chrono::steady_clock::now();
            if (delivered > 0) {
                handlerMs.push_back(std::chrono::duration<double, std::milli>(h1 - h0).count());
                if (rig.host.trend.GetDataCount() < lastCount)
                    wrapped = true;
                lastCount = rig.host.trend.GetDataCount();
            } else {
                std::this_thread::yield();
            }
        }
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    panel.StopPolling();
    if (panel.IsAborted() || handlerMs.empty()) {
        state.SkipWithError("polling failed");
        return;
    }
    std::sort(handlerMs.begin(), handlerMs.end());
    state.counters["polls_per_s"] = static_cast<double>(kPollsPerRun) / seconds;
    state.counters["handler_p99_ms"] = handlerMs[handlerMs.size() * 99 / 100];
    state.counters["deepest_queue"] = static_cast<double>(deepestQueue);
    state.counters["rss_growth_kib"] = static_cast<double>(ResidentKiB() - rssStart);
    state.counters["trend_wrapped"] = wrapped ? 1 : 0;
}
BENCHMARK(BM_PollResultHandler)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same links asked for one poll's states, file counts and values on
// this thread, without a worker or a handler.
void BM_BareLoopbackPoll(benchmark::State& state)
{
    Rig rig;
    if (!rig.ok) {
        state.SkipWithError("the emulated system could not be set up");
        return;
    }
    std::vector<int16_t> boxes{0, 1, 2, 3};
    for (auto _ : state) {
        rig.system.CollectBoxStates();
        rig.system.CheckMeters();
        rig.system.HasNewFiles();
        rig.system.ReadCurrentValues(boxes);
    }
    state.counters["polls_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BareLoopbackPoll)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
