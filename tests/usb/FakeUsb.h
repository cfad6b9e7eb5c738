#pragma once

#include "usb/backend/UsbBackend.h"

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A scripted USB stack: devices whose IN transfers deliver prepared
// packets, time out or find the device unplugged, and whose OUT transfers
// are recorded.
namespace usbtest {

struct InEvent {
    enum class Kind { Data, Timeout, Unplug };
    Kind kind = Kind::Data;
    std::vector<uint8_t> bytes;
};

struct FakeDevice {
    std::deque<InEvent> in;
    std::vector<std::vector<uint8_t>> writes;
    std::vector<size_t> readSizes;
    std::vector<unsigned> readTimeouts;
    std::vector<unsigned> writeTimeouts;
    int shortenNextWriteBy = 0;
    bool unplugged = false;
    bool openFails = false;
    int opens = 0;
    int liveConnections = 0;

    // Queues `text` padded with NUL bytes to whole packets, as the control
    // unit sends a reply.
    FakeDevice& Reply(std::string_view text);
    // Queues exactly these bytes as one transfer.
    FakeDevice& Raw(std::string_view bytes);
    FakeDevice& Timeout();
    FakeDevice& Unplug();
    std::string Written(size_t index) const;
};

class FakeUsb {
public:
    FakeDevice& Add();
    FakeDevice& Device(size_t index) { return *m_devices.at(index); }
    usbio::BackendFactory Factory();

    int backendsAlive = 0;
    std::vector<usbio::UsbId> lastIds;

private:
    friend class FakeBackend;
    std::vector<std::shared_ptr<FakeDevice>> m_devices;
};

// `text` padded with NUL bytes to a multiple of 64 bytes.
std::vector<uint8_t> Padded(std::string_view text);

} // namespace usbtest
