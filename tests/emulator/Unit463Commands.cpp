#include "tests/emulator/Unit463Commands.h"

#include "tests/emulator/StandardCommands.h"

#include <cstdio>

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
    unit.AddCommand("[END]", [dev](const Command& c, DeviceState&) {
        if (dev->receivingPort == 0)
            return Reply::Error(kErrCommand);
        dev->files[Unit463Device::FileName(dev->receivingPort)] = dev->receiving + c.line + "\r\n";
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
