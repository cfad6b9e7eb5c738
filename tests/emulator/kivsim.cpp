// kivsim: serves emulated KIV-406 control units so the program can be tried
// without hardware.
//
//   kivsim [--bind ADDRESS] [--firmware X.YZ] [--log FILE] PORT[:T0,T1,...,T9] ...
//
// Each PORT is one control unit (0 takes a free port); the optional list
// gives the unit type codes of its ten ports. The program's connection
// profile then names 127.0.0.1 and these ports.
//
// Every unit starts as one just switched on (its units' channels selected,
// their firmware reported), answers the settings commands, runs
// measurements (a recording advances with the program's status polls, not
// the wall clock, and leaves its header and data files) and keeps the
// settings files of its CAN/voice/GPS units. Unit n has serial number n,
// for the USB loopback (KIV_USB_LOOPBACK). The units after the first start
// and halt with it, as the synchronisation cable makes them, since the
// program sends those commands to the first unit only. With --log every
// command line received is appended to FILE as "<unit> <line>".

#include "tests/emulator/Emulator.h"
#include "tests/emulator/SimulatedUnit.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>
#include <pthread.h>
#include <signal.h>

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: kivsim [--bind ADDRESS] [--firmware X.YZ] [--log FILE] PORT[:T0,...,T9] ...\n"
                 "  serves one emulated KIV-406 control unit per PORT (0 = any free port)\n");
    return 2;
}

struct UnitArg {
    uint16_t port = 0;
    std::vector<int> types;
};

bool ParseUnit(const char* text, UnitArg& arg)
{
    char* end = nullptr;
    const long port = std::strtol(text, &end, 10);
    if (end == text || port < 0 || port > 65535)
        return false;
    arg.port = static_cast<uint16_t>(port);
    if (*end == '\0')
        return true;
    if (*end != ':')
        return false;
    const char* p = end + 1;
    while (*p) {
        const long type = std::strtol(p, &end, 10);
        if (end == p || type < 0 || arg.types.size() >= 10)
            return false;
        arg.types.push_back(static_cast<int>(type));
        p = *end == ',' ? end + 1 : end;
        if (*end != ',' && *end != '\0')
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::string bind = "127.0.0.1";
    std::string firmware;
    std::string logPath;
    std::vector<UnitArg> units;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--bind") && i + 1 < argc) {
            bind = argv[++i];
        } else if (!std::strcmp(argv[i], "--log") && i + 1 < argc) {
            logPath = argv[++i];
        } else if (!std::strcmp(argv[i], "--firmware") && i + 1 < argc) {
            firmware = argv[++i];
        } else {
            UnitArg arg;
            if (!ParseUnit(argv[i], arg))
                return Usage();
            units.push_back(arg);
        }
    }
    if (units.empty())
        return Usage();

    // The serving threads inherit the blocked set, so the stop signals
    // reach the main thread's sigwait and nowhere else.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::FILE* log = nullptr;
    if (!logPath.empty() && !(log = std::fopen(logPath.c_str(), "a"))) {
        std::fprintf(stderr, "kivsim: cannot open %s\n", logPath.c_str());
        return 1;
    }
    std::mutex logMutex;
    kivemu::Emulator emulator;
    std::vector<std::unique_ptr<kivemu::SimulatedUnit>> simulated;
    try {
        for (size_t i = 0; i < units.size(); ++i) {
            kivemu::ControlUnit& unit = emulator.AddUnit(units[i].port, bind);
            unit.SetKeepRecords(false);
            if (log) {
                unit.SetLineLog([log, &logMutex, n = i + 1](const std::string& line) {
                    std::lock_guard lock(logMutex);
                    std::fprintf(log, "%zu %s\n", n, line.c_str());
                    std::fflush(log);
                });
            }
            simulated.push_back(
                std::make_unique<kivemu::SimulatedUnit>(unit, static_cast<int>(i) + 1, units[i].types, firmware));
            if (i > 0)
                simulated.back()->Follow(*simulated.front());
            std::printf("control unit %zu (serial %04zu) listening on %s:%u\n", i + 1, i + 1, bind.c_str(),
                        static_cast<unsigned>(emulator.Port(i)));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kivsim: %s\n", e.what());
        return 1;
    }
    std::fflush(stdout);
    int received = 0;
    sigwait(&stopSignals, &received);
    emulator.StopAll();
    return 0;
}
