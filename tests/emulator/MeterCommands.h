#pragma once

// The control unit's side of channel settings, status, recorded files and
// the frequency and program settings: what a real unit keeps per channel and
// per analysis, and how it lists and hands out its recorded files.
//
// Install on a unit with AddMeterCommands; the handlers keep their state in
// a MeterDevice shared with the test, which reads and changes it under the
// unit's lock through MeterEmulator::With.

#include "tests/emulator/ControlUnit.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kivemu {

struct RecordedFile {
    std::string name;            // as listed, extension included ("A001.hed")
    std::vector<uint8_t> bytes;  // what "DAT" hands out
    int listedSize = -1;         // size in the "DIR" line; -1: the real size
};

struct Analysis {
    int input = 0;
    int fullScale = 1000;
    int hysteresis = 100;
    int operation = 1;
    int timeBase = 1;
    int offset = 0;
    int plusSlice = 50;
    int minusSlice = 50;
};

struct MeterDevice {
    static constexpr int kChannels = 80;

    // Last parameter text per setting word and channel (index 0 = CH1);
    // an empty text means the channel was never given one.
    std::map<std::string, std::array<std::string, kChannels>> channelSettings;

    std::vector<RecordedFile> files;
    int fileNumber = 0;

    std::array<Analysis, kChannels> analyses{};
    std::vector<int> analysisSelection;  // 1-based, from "VDT"
    std::string memory = "1,2";          // last "MEM" text
    std::string programStart = "**,**,**,**";
    std::array<int, 3> measureTime{0, 1, 0};
    std::array<int, 3> intervalTime{0, 1, 0};
    int cycles = 1;

    int unitTotals[2] = {0, 0};
    int programValue = -1;               // third "STA1" number; -1: none

    // Extra lines a list command sends before its "END" (tests of broken
    // lists); keyed by the command word.
    std::map<std::string, std::vector<std::string>> extraListLines;
};

void AddMeterCommands(ControlUnit& unit, const std::shared_ptr<MeterDevice>& device);

// A unit with the meter commands and the device the test looks into.
class MeterEmulator {
public:
    explicit MeterEmulator(ControlUnit& unit);

    template <class F> auto With(F&& f)
    {
        return m_unit.WithState([&](DeviceState& state) { return f(*m_device, state); });
    }

    // Adds a recorded file to the unit's memory.
    void AddFile(const std::string& name, const std::string& bytes, int listedSize = -1);

private:
    ControlUnit& m_unit;
    std::shared_ptr<MeterDevice> m_device;
};

} // namespace kivemu
