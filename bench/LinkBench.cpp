// Round trips of one poll-sized exchange (a command line and its one-line
// reply) over loopback between the LAN link and the emulated control unit.

#include "instrument/MeterSocket.h"
#include "tests/emulator/Emulator.h"

#include <benchmark/benchmark.h>

namespace {

constexpr uint32_t kLoopback = 0x7F000001;

void LanPollExchange(benchmark::State& state)
{
    kivemu::Emulator emulator;
    kivemu::ControlUnit& unit = emulator.AddUnit();
    // A current-value reply of eight channels, the size a poll reads.
    unit.AddCommand("MON", [](const kivemu::Command&, kivemu::DeviceState&) {
        return kivemu::Reply::Line("+0.00012,-1.2345,+12.500,+0.0000,+3.1415,-0.0001,+99.999,+1.0000");
    });
    CMeterSocket link;
    link.SetSlot(0, kLoopback, emulator.Port(0));
    link.SetReplyTimeout(1);
    link.Open();
    for (auto _ : state) {
        link.SendAndRead(0, "MON", "CR LF");
        benchmark::DoNotOptimize(link.GetReply().c_str());
    }
    state.counters["round_trips_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
}
BENCHMARK(LanPollExchange)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
