#pragma once

// The PC's own IPv4 interfaces (address and mask, first octet most
// significant), for offering the subnet mask of a control unit's network.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct LocalIPv4Entry {
    uint32_t address = 0;
    uint32_t mask = 0;
};

// Nothing when the table cannot be read.
std::optional<std::vector<LocalIPv4Entry>> LocalIPv4Table();

// Tests put in their own table (an empty function restores the system's).
void SetLocalIPv4Source(std::function<std::optional<std::vector<LocalIPv4Entry>>()> source);
