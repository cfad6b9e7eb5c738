// kivsim: serves emulated KIV-406 control units so the program can be tried
// without hardware.
//
//   kivsim [--bind ADDRESS] [--firmware X.YZ] PORT[:T0,T1,...,T9] ...
//
// Each PORT is one control unit (0 takes a free port); the optional list
// gives the unit type codes of its ten ports. The program's connection
// profile then names 127.0.0.1 and these ports.

#include "tests/emulator/Emulator.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: kivsim [--bind ADDRESS] [--firmware X.YZ] PORT[:T0,...,T9] ...\n"
                 "  serves one emulated KIV-406 control unit per PORT (0 = any free port)\n");
    return 2;
}

struct UnitSpec {
    uint16_t port = 0;
    std::vector<int> types;
};

bool ParseUnit(const char* arg, UnitSpec& spec)
{
    char* end = nullptr;
    const long port = std::strtol(arg, &end, 10);
    if (end == arg || port < 0 || port > 65535)
        return false;
    spec.port = static_cast<uint16_t>(port);
    if (*end == '\0')
        return true;
    if (*end != ':')
        return false;
    const char* p = end + 1;
    while (*p) {
        const long type = std::strtol(p, &end, 10);
        if (end == p || type < 0 || spec.types.size() >= 10)
            return false;
        spec.types.push_back(static_cast<int>(type));
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
    std::vector<UnitSpec> specs;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--bind") && i + 1 < argc) {
            bind = argv[++i];
        } else if (!std::strcmp(argv[i], "--firmware") && i + 1 < argc) {
            firmware = argv[++i];
        } else {
            UnitSpec spec;
            if (!ParseUnit(argv[i], spec))
                return Usage();
            specs.push_back(spec);
        }
    }
    if (specs.empty())
        return Usage();

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);

    kivemu::Emulator emulator;
    try {
        for (size_t i = 0; i < specs.size(); ++i) {
            kivemu::ControlUnit& unit = emulator.AddUnit(specs[i].port, bind);
            unit.WithState([&](kivemu::DeviceState& s) {
                if (!firmware.empty())
                    s.firmware = firmware;
                s.unitAddress = static_cast<int>(i) + 1;
                if (!specs[i].types.empty()) {
                    s.unitTypes.fill(0);
                    for (size_t p = 0; p < specs[i].types.size(); ++p)
                        s.unitTypes[p] = specs[i].types[p];
                }
            });
            std::printf("control unit %zu listening on %s:%u\n", i + 1, bind.c_str(),
                        static_cast<unsigned>(emulator.Port(i)));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kivsim: %s\n", e.what());
        return 1;
    }
    std::fflush(stdout);
    while (!g_stop)
        ::pause();
    emulator.StopAll();
    return 0;
}
