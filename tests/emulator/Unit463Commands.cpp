#include "tests/emulator/Unit463Commands.h"

#include "tests/emulator/StandardCommands.h"

#include <cstdio>
#include <cstdlib>

namespace kivemu {

namespace {

using DevicePtr = std::shared_ptr<Unit463Device>;

constexpr const char* kListWord = "DIR TOP/data_mem";
constexpr const char* kFetchWord = "DAT TOP/data_mem/";

bool ParsePort(const std::string& text, int& port)
{
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    port = std::stoi(text);
    return port >= 1 && port <= Unit463Device::kPorts;
}

// The GPS items the unit keeps in 32 bits.
bool IsWideItem(const std::string& name)
{
    for (const char* wide : {"lon_rela_dst", "lat_rela_dst", "lon_abso_deg", "lat_abso_deg", "road_rela_dst",
                             "gps_lon_abso_deg", "gps_lat_abso_deg"}) {
        if (name == wide)
            return true;
    }
    return false;
}

// A data slot of the port that a wide GPS item feeds sends 4 bytes per
// sample, every other slot 2.
void TakeSampleWidths(const std::string& file, int port, DeviceState& s)
{
    const int first = (port - 1) * DeviceState::kChannelsPerPort;
    for (int slot = 0; slot < DeviceState::kChannelsPerPort; ++slot)
        s.channelBytes[static_cast<size_t>(first + slot)] = 2;
    size_t pos = 0;
    while ((pos = file.find("[GPS_MONITOR", pos)) != std::string::npos) {
        const int slot = std::atoi(file.c_str() + pos + 12);
        const size_t close = file.find(']', pos);
        const size_t end = file.find_first_of("\r\n", pos);
        pos += 12;
        if (slot < 1 || slot > DeviceState::kChannelsPerPort || close == std::string::npos || close > end)
            continue;
        const size_t value = file.find_first_not_of(' ', close + 1);
        const std::string item = value < end ? file.substr(value, end - value) : std::string();
        s.channelBytes[static_cast<size_t>(first + slot - 1)] = IsWideItem(item) ? 4 : 2;
    }
}

} // namespace

std::string Unit463Device::FileName(int port)
{
    char name[32];
    std::snprintf(name, sizeof name, "KIV463_%02d.SET", port);
    return name;
}

void AddUnit463Commands(ControlUnit& unit, const DevicePtr& dev)
{
    unit.AddCommand("FTC", [dev](const Command& c, DeviceState&) {
        int port = 0;
        if (!ParsePort(c.text, port))
            return Reply::Error(kErrParameter);
        dev->receivingPort = port;
        dev->receiving.clear();
        return Reply::Silent();
    });
    // Every settings line starts with a bracket; outside a transfer such a
    // line is no command.
    unit.AddCommand("[", [dev](const Command& c, DeviceState&) {
        if (dev->receivingPort == 0)
            return Reply::Error(kErrCommand);
        dev->receiving += c.line + "\r\n";
        return Reply::Silent();
    });
    unit.AddCommand("[END]", [dev](const Command& c, DeviceState& s) {
        if (dev->receivingPort == 0)
            return Reply::Error(kErrCommand);
        dev->files[Unit463Device::FileName(dev->receivingPort)] = dev->receiving + c.line + "\r\n";
        TakeSampleWidths(dev->receiving, dev->receivingPort, s);
        dev->receivingPort = 0;
        dev->receiving.clear();
        return Reply::Line("OK");
    });
    unit.AddCommand(kListWord, [dev](const Command&, DeviceState&) {
        Reply reply;
        reply.lines = dev->extraListLines;
        for (const auto& [name, bytes] : dev->files) {
            const auto listed = dev->listedSizes.find(name);
            const int size = listed != dev->listedSizes.end() ? listed->second : static_cast<int>(bytes.size());
            reply.lines.push_back(name + "," + std::to_string(size));
        }
        reply.lines.push_back("END");
        return reply;
    });
    unit.AddCommand(kFetchWord, [dev](const Command& c, DeviceState&) {
        const auto file = dev->files.find(c.text);
        if (file == dev->files.end())
            return Reply::Error(kErrParameter);
        return Reply::Block(std::vector<uint8_t>(file->second.begin(), file->second.end()));
    });
}

Unit463Emulator::Unit463Emulator(ControlUnit& unit) : m_unit(unit), m_device(std::make_shared<Unit463Device>())
{
    AddUnit463Commands(unit, m_device);
}

} // namespace kivemu
