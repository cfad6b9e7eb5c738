#include "usb/backend/LibusbBackend.h"

#include <libusb.h>

#include <algorithm>

namespace usbio {

namespace {

// Bulk endpoints of interface 0, setting 0, and the interface's number.
struct BulkPipes {
    uint8_t in = 0;
    uint8_t out = 0;
    int interfaceNumber = 0;
};

bool FindBulkPipes(libusb_device* device, BulkPipes& pipes)
{
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS &&
        libusb_get_config_descriptor(device, 0, &config) != LIBUSB_SUCCESS)
        return false;
    if (config->bNumInterfaces > 0 && config->interface[0].num_altsetting > 0) {
        const libusb_interface_descriptor& setting = config->interface[0].altsetting[0];
        pipes.interfaceNumber = setting.bInterfaceNumber;
        for (int i = 0; i < setting.bNumEndpoints; ++i) {
            const libusb_endpoint_descriptor& ep = setting.endpoint[i];
            if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_BULK)
                continue;
            const bool isIn = (ep.bEndpointAddress & LIBUSB_ENDPOINT_IN) != 0;
            if (isIn && pipes.in == 0)
                pipes.in = ep.bEndpointAddress;
            else if (!isIn && pipes.out == 0)
                pipes.out = ep.bEndpointAddress;
        }
    }
    libusb_free_config_descriptor(config);
    return true;
}

TransferStatus StatusOf(int rc)
{
    switch (rc) {
    case LIBUSB_SUCCESS:
        return TransferStatus::Ok;
    case LIBUSB_ERROR_TIMEOUT:
        return TransferStatus::Timeout;
    case LIBUSB_ERROR_NO_DEVICE:
        return TransferStatus::NoDevice;
    default:
        return TransferStatus::Failed;
    }
}

class LibusbConnection : public IUsbConnection {
public:
    LibusbConnection(libusb_device_handle* handle, const BulkPipes& pipes)
        : m_handle(handle), m_pipes(pipes)
    {
    }
    ~LibusbConnection() override
    {
        libusb_release_interface(m_handle, m_pipes.interfaceNumber);
        libusb_close(m_handle);
    }
    LibusbConnection(const LibusbConnection&) = delete;
    LibusbConnection& operator=(const LibusbConnection&) = delete;

    TransferResult BulkIn(std::span<uint8_t> data, unsigned timeoutMs) override
    {
        return Transfer(m_pipes.in, data.data(), data.size(), timeoutMs);
    }

    TransferResult BulkOut(std::span<const uint8_t> data, unsigned timeoutMs) override
    {
        // libusb takes one pointer type for both directions; OUT transfers
        // only read the buffer.
        return Transfer(m_pipes.out, const_cast<uint8_t*>(data.data()), data.size(), timeoutMs);
    }

    int GetDescriptor(uint8_t type, std::span<uint8_t> data) override
    {
        const int length = static_cast<int>(std::min<size_t>(data.size(), 0xFFFF));
        return libusb_get_descriptor(m_handle, type, 0, data.data(), length);
    }

private:
    TransferResult Transfer(uint8_t endpoint, uint8_t* data, size_t size, unsigned timeoutMs)
    {
        if (endpoint == 0)
            return {TransferStatus::Ok, 0};
        int transferred = 0;
        const int length = static_cast<int>(std::min<size_t>(size, 0x7FFFFFFF));
        const int rc = libusb_bulk_transfer(m_handle, endpoint, data, length, &transferred,
                                            timeoutMs);
        return {StatusOf(rc), transferred};
    }

    libusb_device_handle* m_handle;
    BulkPipes m_pipes;
};

bool Matches(const libusb_device_descriptor& descriptor, const std::vector<UsbId>& ids)
{
    const UsbId id{descriptor.idVendor, descriptor.idProduct};
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

} // namespace

LibusbBackend::~LibusbBackend()
{
    Release();
}

void LibusbBackend::Release()
{
    for (libusb_device* device : m_devices)
        libusb_unref_device(device);
    m_devices.clear();
    if (m_context != nullptr)
        libusb_exit(m_context);
    m_context = nullptr;
}

int LibusbBackend::Enumerate(const std::vector<UsbId>& ids, int maxDevices)
{
    Release();
    // Without configured ids there is nothing this library may claim.
    if (ids.empty() || maxDevices <= 0)
        return 0;
    if (libusb_init(&m_context) != LIBUSB_SUCCESS) {
        m_context = nullptr;
        return 0;
    }
    libusb_device** list = nullptr;
    const ssize_t n = libusb_get_device_list(m_context, &list);
    for (ssize_t i = 0; i < n && static_cast<int>(m_devices.size()) < maxDevices; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) == LIBUSB_SUCCESS &&
            Matches(descriptor, ids))
            m_devices.push_back(libusb_ref_device(list[i]));
    }
    if (n >= 0)
        libusb_free_device_list(list, 1);
    return static_cast<int>(m_devices.size());
}

std::unique_ptr<IUsbConnection> LibusbBackend::Open(int index)
{
    if (index < 0 || index >= static_cast<int>(m_devices.size()))
        return nullptr;
    libusb_device* device = m_devices[static_cast<size_t>(index)];
    BulkPipes pipes;
    if (!FindBulkPipes(device, pipes))
        return nullptr;
    libusb_device_handle* handle = nullptr;
    if (libusb_open(device, &handle) != LIBUSB_SUCCESS)
        return nullptr;
    libusb_set_auto_detach_kernel_driver(handle, 1);
    if (libusb_claim_interface(handle, pipes.interfaceNumber) != LIBUSB_SUCCESS) {
        libusb_close(handle);
        return nullptr;
    }
    return std::make_unique<LibusbConnection>(handle, pipes);
}

} // namespace usbio
