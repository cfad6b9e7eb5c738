#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kivemu {

// What one emulated control unit remembers between commands. Handlers get
// it under the unit's lock; tests change it through ControlUnit::WithState.
struct DeviceState {
    static constexpr int kPorts = 10;
    static constexpr int kChannelsPerPort = 8;

    std::string model = "KIV-406";
    std::string firmware = "2.2A";          // four characters after "VER "
    int unitAddress = 1;                    // serial number answered to "STA3" (USB addressing)
    std::array<int, kPorts> unitTypes{1, 3, 0, 0, 0, 0, 0, 0, 0, 0};
    std::array<std::string, kPorts> unitFirmware{};  // "" = "----" in lists

    int state = 1;                          // first "STA1" value: 1 standby
    int cardStatus = 0;                     // second "STA1" value
    int analysisState = 1;                  // "STA10"; 99 = no frequency analysis

    // The firmware file found on the card ("PWE?"); empty: none, an error.
    std::string firmwareFile = "KIV406_2_2B.BIN";
    // The last address setting ("Z-IPPORT-SET"), as sent after the word.
    std::string ipPortSetting;
    // Bytes per sample of each channel (index 0 = CH1) in a data block: 2,
    // or 4 for the values a unit keeps in 32 bits.
    std::array<int, kPorts * kChannelsPerPort> channelBytes = FilledWith(2);

    // Channels picked by "RES"/"SET" runs, 1-based, in the order added.
    std::vector<int> selection;
    // Last text written per setting word ("RNG" -> "1000"), answered to "RNG?".
    std::map<std::string, std::string> settings;

    // Raw data blocks: bytes per sample when no channel is selected, and the
    // running stream position, so a dropped, doubled or reordered block
    // shows in a byte compare.
    int sampleBytes = 2;
    uint64_t streamPosition = 0;

    static std::array<int, kPorts * kChannelsPerPort> FilledWith(int value)
    {
        std::array<int, kPorts * kChannelsPerPort> a{};
        a.fill(value);
        return a;
    }

    // Deterministic, position-dependent data byte.
    static uint8_t PatternByte(uint64_t position)
    {
        return static_cast<uint8_t>((position * 31u + (position >> 8) * 7u + 5u) & 0xFFu);
    }
};

} // namespace kivemu
