#include "tests/emulator/SimulatedUnit.h"

namespace kivemu {

namespace {

// What a unit without a firmware of its own reports in "STA4".
constexpr const char* kUnitFirmware = "1.2A";

} // namespace

void PowerUp(DeviceState& s)
{
    s.selection.clear();
    for (int port = 0; port < DeviceState::kPorts; ++port) {
        const auto p = static_cast<size_t>(port);
        if (s.unitTypes[p] == 0)
            continue;
        if (s.unitFirmware[p].empty())
            s.unitFirmware[p] = kUnitFirmware;
        for (int k = 1; k <= DeviceState::kChannelsPerPort; ++k)
            s.selection.push_back(port * DeviceState::kChannelsPerPort + k);
    }
}

SimulatedUnit::SimulatedUnit(ControlUnit& unit, int serial, const std::vector<int>& unitTypes,
                             const std::string& firmware)
    : m_unit(unit), m_measure(unit), m_settingsFiles(unit)
{
    m_measure.With([&](MeasureDevice& m, MeterDevice&, DeviceState& s) {
        m.writesRecordings = true;
        m.clockRuns = true;
        m.valueCycle = 200;
        if (!firmware.empty())
            s.firmware = firmware;
        s.unitAddress = serial;
        if (!unitTypes.empty()) {
            s.unitTypes.fill(0);
            for (size_t p = 0; p < unitTypes.size() && p < s.unitTypes.size(); ++p)
                s.unitTypes[p] = unitTypes[p];
        }
        PowerUp(s);
    });
}

} // namespace kivemu
