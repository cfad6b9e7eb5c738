#pragma once

#include "usb/backend/UsbBackend.h"

struct libusb_context;
struct libusb_device;

namespace usbio {

// Devices found by vendor and product id through libusb-1.0. The context
// lives as long as the device list, so a library that closes its list
// leaves nothing of libusb behind.
class LibusbBackend : public IUsbBackend {
public:
    LibusbBackend() = default;
    ~LibusbBackend() override;
    LibusbBackend(const LibusbBackend&) = delete;
    LibusbBackend& operator=(const LibusbBackend&) = delete;

    int Enumerate(const std::vector<UsbId>& ids, int maxDevices) override;
    std::unique_ptr<IUsbConnection> Open(int index) override;

private:
    void Release();

    libusb_context* m_context = nullptr;
    std::vector<libusb_device*> m_devices;
};

} // namespace usbio
