#pragma once

// The PC's own IPv4 interfaces (address and mask, first octet most
// significant), for offering the subnet mask of a control unit's network.

#include <cstdint>
#include <optional>
#include <vector>

struct LocalIPv4Entry {
    uint32_t address = 0;
    uint32_t mask = 0;
};

// Nothing when the table cannot be read.
std::optional<std::vector<LocalIPv4Entry>> LocalIPv4Table();

// Another source of the table than the system's (tests install one with
// fw::ScopedInstall<ILocalIPv4Source>).
struct ILocalIPv4Source {
    virtual ~ILocalIPv4Source() = default;
    virtual std::optional<std::vector<LocalIPv4Entry>> Table() = 0;
};
