// Round trips of one poll-sized exchange (a command line and its one-line
// reply) over loopback between the LAN link and the emulated control unit,
// beside the floor of the same exchange: a minimal pair of sockets, one
// echoing a reply of the same size.

#include "instrument/MeterSocket.h"
#include "tests/emulator/Emulator.h"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>

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

// The floor: a command line out and a reply line of the poll's size back,
// over a plain loopback connection whose other end only answers.
void SocketEchoPair(benchmark::State& state)
{
    const std::string reply = "+0.00012,-1.2345,+12.500,+0.0000,+3.1415,-0.0001,+99.999,+1.0000\r\n";
    const std::string command = "MON\r\n";
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(kLoopback);
    socklen_t len = sizeof addr;
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listener, 1) != 0 || ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        state.SkipWithError("no loopback socket");
        return;
    }
    std::thread server([&] {
        const int peer = ::accept(listener, nullptr, nullptr);
        const int one = 1;
        ::setsockopt(peer, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        char buffer[256];
        size_t have = 0;
        for (;;) {
            const ssize_t got = ::recv(peer, buffer + have, sizeof buffer - have, 0);
            if (got <= 0)
                break;
            have += size_t(got);
            while (have >= command.size()) {
                ::send(peer, reply.data(), reply.size(), 0);
                have -= command.size();
            }
        }
        ::close(peer);
    });
    const int client = ::socket(AF_INET, SOCK_STREAM, 0);
    const int one = 1;
    ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (::connect(client, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        state.SkipWithError("no connection");
    char buffer[256];
    bool right = true;
    for (auto _ : state) {
        ::send(client, command.data(), command.size(), 0);
        size_t have = 0;
        while (have < reply.size()) {
            const ssize_t got = ::recv(client, buffer + have, sizeof buffer - have, 0);
            if (got <= 0)
                break;
            have += size_t(got);
        }
        right = right && have == reply.size() && std::memcmp(buffer, reply.data(), have) == 0;
    }
    ::shutdown(client, SHUT_RDWR);
    ::close(client);
    server.join();
    ::close(listener);
    if (!right)
        state.SkipWithError("the reply differs");
    state.counters["round_trips_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                             benchmark::Counter::kIsRate);
}
BENCHMARK(SocketEchoPair)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
