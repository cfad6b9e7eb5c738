#pragma once

// One control unit as kivsim serves it: the settings, measurement and file
// commands, the CAN/voice/GPS units' settings files, recordings that leave
// their files behind, and the state of a unit just switched on. Tests that
// walk the program's own sequences use the same units.

#include "tests/emulator/ControlUnit.h"
#include "tests/emulator/MeasurementCommands.h"
#include "tests/emulator/Unit463Commands.h"

#include <string>
#include <vector>

namespace kivemu {

// The state after switching on: every channel of a plugged-in unit is
// selected (so reading the settings back finds them on) and every unit
// reports a firmware version.
void PowerUp(DeviceState& s);

class SimulatedUnit {
public:
    // `serial` is also the unit's USB address; `unitTypes` (up to ten codes
    // from port 0 on) replaces the default units when not empty; an empty
    // `firmware` keeps the default version.
    SimulatedUnit(ControlUnit& unit, int serial, const std::vector<int>& unitTypes = {},
                  const std::string& firmware = {});

    ControlUnit& Unit() { return m_unit; }
    MeasureEmulator& Measure() { return m_measure; }
    Unit463Emulator& SettingsFiles() { return m_settingsFiles; }
    // Starts and halts with `master`, as the synchronisation cable makes the
    // units after the first do.
    void Follow(SimulatedUnit& master) { m_measure.Follow(master.m_measure); }

private:
    ControlUnit& m_unit;
    MeasureEmulator m_measure;
    Unit463Emulator m_settingsFiles;
};

} // namespace kivemu
