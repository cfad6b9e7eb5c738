#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

// What the two transport libraries need from the operating system's USB
// stack, kept small so that tests can put a scripted device behind it and
// end-to-end runs can carry the traffic to the control-unit emulator.
namespace usbio {

struct UsbId {
    uint16_t vendor = 0;
    uint16_t product = 0;
    bool operator==(const UsbId&) const = default;
};

enum class TransferStatus {
    Ok,        // the transfer ended; `transferred` may still be short
    Timeout,   // nothing more arrived within the time-out
    Failed,    // the stack refused the transfer
    NoDevice,  // the device is gone
};

struct TransferResult {
    TransferStatus status = TransferStatus::Failed;
    int transferred = 0;
};

// An opened device: its first bulk IN and bulk OUT endpoints. A device
// without such an endpoint moves 0 bytes in that direction.
class IUsbConnection {
public:
    virtual ~IUsbConnection() = default;
    // A time-out of 0 waits without limit.
    virtual TransferResult BulkIn(std::span<uint8_t> data, unsigned timeoutMs) = 0;
    virtual TransferResult BulkOut(std::span<const uint8_t> data, unsigned timeoutMs) = 0;
    // Standard descriptor of `type` (1 device, 2 configuration), index 0;
    // the byte count, or a negative value on failure.
    virtual int GetDescriptor(uint8_t type, std::span<uint8_t> data) = 0;
};

// The list of present devices, from one enumeration until destruction.
class IUsbBackend {
public:
    virtual ~IUsbBackend() = default;
    // Finds the present devices that carry one of `ids`, at most
    // `maxDevices`; returns how many were found.
    virtual int Enumerate(const std::vector<UsbId>& ids, int maxDevices) = 0;
    // Opens device `index` (0-based) of the enumeration; nullptr when it
    // cannot be opened (unplugged, no permission, claimed elsewhere).
    virtual std::unique_ptr<IUsbConnection> Open(int index) = 0;
};

using BackendFactory = std::function<std::unique_ptr<IUsbBackend>()>;

// Names the environment variable that switches the libraries to the
// loopback backend: "host:port[,host:port...]", one device per endpoint.
inline constexpr const char* kLoopbackVariable = "KIV_USB_LOOPBACK";

// The loopback backend when the variable is set, else libusb.
std::unique_ptr<IUsbBackend> CreateSystemBackend();

} // namespace usbio
