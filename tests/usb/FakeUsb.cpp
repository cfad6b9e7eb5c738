#include "tests/usb/FakeUsb.h"

#include <algorithm>
#include <cstring>

namespace usbtest {

namespace {

using usbio::TransferResult;
using usbio::TransferStatus;

class FakeConnection : public usbio::IUsbConnection {
public:
    explicit FakeConnection(std::shared_ptr<FakeDevice> device) : m_device(std::move(device))
    {
        ++m_device->opens;
        ++m_device->liveConnections;
    }
    ~FakeConnection() override { --m_device->liveConnections; }

    TransferResult BulkIn(std::span<uint8_t> data, unsigned timeoutMs) override
    {
        FakeDevice& d = *m_device;
        d.readSizes.push_back(data.size());
        d.readTimeouts.push_back(timeoutMs);
        if (d.unplugged)
            return {TransferStatus::NoDevice, 0};
        if (d.in.empty())
            return {TransferStatus::Timeout, 0};
        InEvent event = std::move(d.in.front());
        d.in.pop_front();
        switch (event.kind) {
        case InEvent::Kind::Timeout:
            return {TransferStatus::Timeout, 0};
        case InEvent::Kind::Unplug:
            d.unplugged = true;
            return {TransferStatus::NoDevice, 0};
        case InEvent::Kind::Data:
            break;
        }
        // A device that sends more than was asked for overflows the transfer.
        if (event.bytes.size() > data.size())
            return {TransferStatus::Failed, 0};
        std::copy(event.bytes.begin(), event.bytes.end(), data.begin());
        return {TransferStatus::Ok, static_cast<int>(event.bytes.size())};
    }

    TransferResult BulkOut(std::span<const uint8_t> data, unsigned timeoutMs) override
    {
        FakeDevice& d = *m_device;
        d.writeTimeouts.push_back(timeoutMs);
        if (d.unplugged)
            return {TransferStatus::NoDevice, 0};
        const size_t cut = std::min<size_t>(data.size(), static_cast<size_t>(d.shortenNextWriteBy));
        d.shortenNextWriteBy = 0;
        d.writes.emplace_back(data.begin(), data.end() - static_cast<std::ptrdiff_t>(cut));
        return {TransferStatus::Ok, static_cast<int>(data.size() - cut)};
    }

    int GetDescriptor(uint8_t type, std::span<uint8_t> data) override
    {
        if (m_device->unplugged || data.empty())
            return -1;
        std::fill(data.begin(), data.end(), uint8_t{0});
        data[0] = static_cast<uint8_t>(data.size());
        if (data.size() > 1)
            data[1] = type;
        return static_cast<int>(data.size());
    }

private:
    std::shared_ptr<FakeDevice> m_device;
};

} // namespace

class FakeBackend : public usbio::IUsbBackend {
public:
    explicit FakeBackend(FakeUsb& usb) : m_usb(usb) { ++m_usb.backendsAlive; }
    ~FakeBackend() override { --m_usb.backendsAlive; }

    int Enumerate(const std::vector<usbio::UsbId>& ids, int maxDevices) override
    {
        m_usb.lastIds = ids;
        m_devices = m_usb.m_devices;
        if (static_cast<int>(m_devices.size()) > maxDevices)
            m_devices.resize(static_cast<size_t>(maxDevices));
        return static_cast<int>(m_devices.size());
    }

    std::unique_ptr<usbio::IUsbConnection> Open(int index) override
    {
        if (index < 0 || index >= static_cast<int>(m_devices.size()))
            return nullptr;
        const std::shared_ptr<FakeDevice>& device = m_devices[static_cast<size_t>(index)];
        if (device->unplugged || device->openFails)
            return nullptr;
        return std::make_unique<FakeConnection>(device);
    }

private:
    FakeUsb& m_usb;
    std::vector<std::shared_ptr<FakeDevice>> m_devices;
};

std::vector<uint8_t> Padded(std::string_view text)
{
    const size_t size = std::max<size_t>(64, (text.size() + 63) / 64 * 64);
    std::vector<uint8_t> bytes(size, 0);
    std::memcpy(bytes.data(), text.data(), text.size());
    return bytes;
}

FakeDevice& FakeDevice::Reply(std::string_view text)
{
    const std::vector<uint8_t> bytes = Padded(text);
    for (size_t at = 0; at < bytes.size(); at += 64)
        in.push_back({InEvent::Kind::Data, {bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                            bytes.begin() + static_cast<std::ptrdiff_t>(at + 64)}});
    return *this;
}

FakeDevice& FakeDevice::Raw(std::string_view bytes)
{
    in.push_back({InEvent::Kind::Data, {bytes.begin(), bytes.end()}});
    return *this;
}

FakeDevice& FakeDevice::Timeout()
{
    in.push_back({InEvent::Kind::Timeout, {}});
    return *this;
}

FakeDevice& FakeDevice::Unplug()
{
    in.push_back({InEvent::Kind::Unplug, {}});
    return *this;
}

std::string FakeDevice::Written(size_t index) const
{
    const std::vector<uint8_t>& w = writes.at(index);
    return std::string(w.begin(), w.end());
}

FakeDevice& FakeUsb::Add()
{
    m_devices.push_back(std::make_shared<FakeDevice>());
    return *m_devices.back();
}

usbio::BackendFactory FakeUsb::Factory()
{
    return [this] { return std::make_unique<FakeBackend>(*this); };
}

} // namespace usbtest
