#include "tests/emulator/Emulator.h"

#include <stdexcept>

namespace kivemu {

Emulator::~Emulator()
{
    StopAll();
}

ControlUnit& Emulator::AddUnit(uint16_t port, const std::string& bindAddress)
{
    auto entry = std::make_unique<Entry>();
    entry->unit = std::make_unique<ControlUnit>();
    entry->server = std::make_unique<UnitServer>(*entry->unit);
    std::string error;
    if (!entry->server->Start(port, bindAddress, &error))
        throw std::runtime_error("emulated control unit on port " + std::to_string(port) + ": " + error);
    m_units.push_back(std::move(entry));
    return *m_units.back()->unit;
}

void Emulator::StopAll()
{
    for (auto& entry : m_units)
        entry->server->Stop();
}

} // namespace kivemu
