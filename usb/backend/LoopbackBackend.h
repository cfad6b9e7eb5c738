#pragma once

#include "usb/backend/UsbBackend.h"

#include <mutex>
#include <string>

namespace usbio {

// One emulated device: a TCP connection to a control-unit emulator that
// stays up from the enumeration to the release of the device list, as a
// plugged-in device does.
//
// OUT transfers go to the peer unchanged. An IN transfer of n bytes takes
// the next n bytes of the peer's stream; when the stream falls idle in the
// middle of a packet, the packet is filled with NUL bytes and the transfer
// ends, which is how the control unit pads its replies. A peer that pads
// its replies itself is relayed byte for byte.
class LoopbackDevice {
public:
    // Idle time after which the peer's reply is taken as complete.
    static constexpr int kIdleMs = 30;

    explicit LoopbackDevice(int fd);
    ~LoopbackDevice();
    LoopbackDevice(const LoopbackDevice&) = delete;
    LoopbackDevice& operator=(const LoopbackDevice&) = delete;

    bool Present();
    TransferResult Receive(std::span<uint8_t> data, unsigned timeoutMs);
    TransferResult Send(std::span<const uint8_t> data, unsigned timeoutMs);

private:
    enum class Fill { Data, Idle, Gone };
    // Waits up to `waitMs` (-1 without limit) for bytes from the peer.
    Fill WaitAndFill(int waitMs);

    std::mutex m_mutex;
    int m_fd;
    bool m_gone = false;
    std::vector<uint8_t> m_pending;
    size_t m_pendingStart = 0;
};

class LoopbackBackend : public IUsbBackend {
public:
    // `endpoints`: "host:port" entries separated by commas.
    explicit LoopbackBackend(std::string endpoints);

    // Connects every endpoint; ids do not apply to emulated devices.
    int Enumerate(const std::vector<UsbId>& ids, int maxDevices) override;
    std::unique_ptr<IUsbConnection> Open(int index) override;

private:
    std::string m_endpoints;
    std::vector<std::shared_ptr<LoopbackDevice>> m_devices;
};

// Connects to "host:port"; -1 when that fails.
int ConnectLoopbackEndpoint(const std::string& endpoint);

} // namespace usbio
