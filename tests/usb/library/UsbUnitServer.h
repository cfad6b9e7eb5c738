#pragma once

#include "tests/emulator/ControlUnit.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace usbtest {

// The USB side of an emulated control unit, reached by the libraries'
// loopback backend: command lines go to the unit as on the LAN, and every
// reply leaves padded with NUL bytes to whole 64-byte packets, as the unit
// sends it over USB. One connection at a time, like one plugged-in device.
class UsbUnitServer {
public:
    explicit UsbUnitServer(kivemu::ControlUnit& unit);
    ~UsbUnitServer();
    UsbUnitServer(const UsbUnitServer&) = delete;
    UsbUnitServer& operator=(const UsbUnitServer&) = delete;

    std::string Endpoint() const;
    // Closes the current connection, as pulling the cable does.
    void Unplug();

private:
    void Run();
    void Serve(int fd);

    kivemu::ControlUnit& m_unit;
    int m_listen = -1;
    int m_wake[2] = {-1, -1};
    uint16_t m_port = 0;
    std::atomic<int> m_conn{-1};
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

} // namespace usbtest
