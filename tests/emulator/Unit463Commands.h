#pragma once

// The control unit's side of the CAN/voice/GPS units' settings files in its
// data memory ("TOP/data_mem/KIV463_<port>.SET"):
//   "FTC<port>"          starts a settings file for port 1..10; no reply
//   "[..." lines         after it are stored as they come; no reply
//   "[END]"              closes the file (the line is kept in it); "OK";
//                        the port's data slots fed by a GPS item kept in
//                        32 bits then send 4 bytes per sample
//   "DIR TOP/data_mem"   lists the files as "<name>,<size>", then "END"
//   "DAT TOP/data_mem/<name>"  hands out a file as a raw block
// Install with AddUnit463Commands; tests read and preset the files through
// Unit463Emulator::With. The longer words leave the meter's own "DIR" and
// "DAT" for recorded files alone.

#include "tests/emulator/ControlUnit.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kivemu {

struct Unit463Device {
    static constexpr int kPorts = 10;

    // File name -> bytes, as stored ("KIV463_03.SET").
    std::map<std::string, std::string> files;
    // Size listed for a file instead of its real one (short-block tests).
    std::map<std::string, int> listedSizes;
    // Lines the listing sends before its files (foreign entries).
    std::vector<std::string> extraListLines;

    // The file being received: its port (0: none) and the lines so far.
    int receivingPort = 0;
    std::string receiving;

    static std::string FileName(int port);
};

void AddUnit463Commands(ControlUnit& unit, const std::shared_ptr<Unit463Device>& device);

class Unit463Emulator {
public:
    explicit Unit463Emulator(ControlUnit& unit);

    template <class F> auto With(F&& f)
    {
        return m_unit.WithState([&](DeviceState&) { return f(*m_device); });
    }

private:
    ControlUnit& m_unit;
    std::shared_ptr<Unit463Device> m_device;
};

} // namespace kivemu
