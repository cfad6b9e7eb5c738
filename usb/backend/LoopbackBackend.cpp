#include "usb/backend/LoopbackBackend.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace usbio {

namespace {

constexpr size_t kPacket = 64;
constexpr uint8_t kDescriptorDevice = 1;
constexpr uint8_t kDescriptorConfig = 2;

// Plausible descriptors of a full-speed vendor-class device with one bulk
// pair; tools that ask for them see well-formed bytes.
constexpr uint8_t kDeviceDescriptor[18] = {18, 1, 0x00, 0x02, 0xFF, 0, 0, 64, 0, 0,
                                           0,  0, 0x00, 0x01, 0,    0, 0, 1};
constexpr uint8_t kConfigDescriptor[9] = {9, 2, 32, 0, 1, 1, 0, 0x80, 50};

int RemainingMs(std::chrono::steady_clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

class LoopbackConnection : public IUsbConnection {
public:
    explicit LoopbackConnection(std::shared_ptr<LoopbackDevice> device)
        : m_device(std::move(device))
    {
    }
    TransferResult BulkIn(std::span<uint8_t> data, unsigned timeoutMs) override
    {
        return m_device->Receive(data, timeoutMs);
    }
    TransferResult BulkOut(std::span<const uint8_t> data, unsigned timeoutMs) override
    {
        return m_device->Send(data, timeoutMs);
    }
    int GetDescriptor(uint8_t type, std::span<uint8_t> data) override
    {
        std::span<const uint8_t> source;
        if (type == kDescriptorDevice)
            source = kDeviceDescriptor;
        else if (type == kDescriptorConfig)
            source = kConfigDescriptor;
        else
            return -1;
        const size_t n = std::min(source.size(), data.size());
        std::memcpy(data.data(), source.data(), n);
        return static_cast<int>(n);
    }

private:
    std::shared_ptr<LoopbackDevice> m_device;
};

} // namespace

int ConnectLoopbackEndpoint(const std::string& endpoint)
{
    const size_t colon = endpoint.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return -1;
    const std::string host = endpoint.substr(0, colon);
    const std::string port = endpoint.substr(colon + 1);
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0)
        return -1;
    int fd = -1;
    for (addrinfo* ai = found; ai != nullptr && fd < 0; ai = ai->ai_next) {
        fd = ::socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC, ai->ai_protocol);
        if (fd >= 0 && ::connect(fd, ai->ai_addr, ai->ai_addrlen) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(found);
    if (fd >= 0) {
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    return fd;
}

LoopbackDevice::LoopbackDevice(int fd) : m_fd(fd) {}

LoopbackDevice::~LoopbackDevice()
{
    ::close(m_fd);
}

bool LoopbackDevice::Present()
{
    std::lock_guard lock(m_mutex);
    if (!m_gone && m_pendingStart == m_pending.size())
        WaitAndFill(0);
    return !m_gone || m_pendingStart < m_pending.size();
}

LoopbackDevice::Fill LoopbackDevice::WaitAndFill(int waitMs)
{
    if (m_gone)
        return Fill::Gone;
    pollfd p{m_fd, POLLIN, 0};
    int rc;
    do {
        rc = ::poll(&p, 1, waitMs);
    } while (rc < 0 && errno == EINTR);
    if (rc == 0)
        return Fill::Idle;
    if (m_pendingStart == m_pending.size()) {
        m_pending.clear();
        m_pendingStart = 0;
    }
    uint8_t chunk[4096];
    const ssize_t got = ::recv(m_fd, chunk, sizeof chunk, MSG_DONTWAIT);
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return Fill::Idle;
    if (got <= 0) {
        m_gone = true;
        return Fill::Gone;
    }
    m_pending.insert(m_pending.end(), chunk, chunk + got);
    return Fill::Data;
}

TransferResult LoopbackDevice::Receive(std::span<uint8_t> data, unsigned timeoutMs)
{
    std::lock_guard lock(m_mutex);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    size_t delivered = 0;
    while (delivered < data.size()) {
        if (m_pendingStart == m_pending.size()) {
            // The first byte may take the whole time-out; after that the
            // device is sending, and a pause means its message is over.
            const int waitMs = delivered > 0 ? kIdleMs : timeoutMs == 0 ? -1 : RemainingMs(deadline);
            const Fill fill = WaitAndFill(waitMs);
            if (fill == Fill::Gone)
                return {TransferStatus::NoDevice, static_cast<int>(delivered)};
            if (fill == Fill::Idle) {
                if (delivered == 0) {
                    if (timeoutMs != 0 && RemainingMs(deadline) == 0)
                        return {TransferStatus::Timeout, 0};
                    continue;
                }
                const size_t packetEnd = std::min(data.size(), (delivered + kPacket - 1) / kPacket * kPacket);
                std::fill(data.begin() + static_cast<std::ptrdiff_t>(delivered),
                          data.begin() + static_cast<std::ptrdiff_t>(packetEnd), uint8_t{0});
                return {TransferStatus::Ok, static_cast<int>(packetEnd)};
            }
            continue;
        }
        const size_t take = std::min(data.size() - delivered, m_pending.size() - m_pendingStart);
        std::memcpy(data.data() + delivered, m_pending.data() + m_pendingStart, take);
        m_pendingStart += take;
        delivered += take;
    }
    return {TransferStatus::Ok, static_cast<int>(delivered)};
}

TransferResult LoopbackDevice::Send(std::span<const uint8_t> data, unsigned timeoutMs)
{
    std::lock_guard lock(m_mutex);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    size_t sent = 0;
    while (sent < data.size()) {
        if (m_gone)
            return {TransferStatus::NoDevice, static_cast<int>(sent)};
        pollfd p{m_fd, POLLOUT, 0};
        const int rc = ::poll(&p, 1, timeoutMs == 0 ? -1 : RemainingMs(deadline));
        if (rc < 0 && errno == EINTR)
            continue;
        if (rc == 0)
            return {TransferStatus::Timeout, static_cast<int>(sent)};
        const ssize_t n = ::send(m_fd, data.data() + sent, data.size() - sent,
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0) {
            m_gone = true;
            return {TransferStatus::NoDevice, static_cast<int>(sent)};
        }
        sent += static_cast<size_t>(n);
    }
    return {TransferStatus::Ok, static_cast<int>(sent)};
}

LoopbackBackend::LoopbackBackend(std::string endpoints) : m_endpoints(std::move(endpoints)) {}

int LoopbackBackend::Enumerate(const std::vector<UsbId>&, int maxDevices)
{
    m_devices.clear();
    size_t start = 0;
    while (start <= m_endpoints.size() && static_cast<int>(m_devices.size()) < maxDevices) {
        size_t comma = m_endpoints.find(',', start);
        if (comma == std::string::npos)
            comma = m_endpoints.size();
        const std::string endpoint = m_endpoints.substr(start, comma - start);
        start = comma + 1;
        if (endpoint.empty())
            continue;
        // An emulator that does not answer is a device that is not plugged in.
        const int fd = ConnectLoopbackEndpoint(endpoint);
        if (fd >= 0)
            m_devices.push_back(std::make_shared<LoopbackDevice>(fd));
    }
    return static_cast<int>(m_devices.size());
}

std::unique_ptr<IUsbConnection> LoopbackBackend::Open(int index)
{
    if (index < 0 || index >= static_cast<int>(m_devices.size()))
        return nullptr;
    const std::shared_ptr<LoopbackDevice>& device = m_devices[static_cast<size_t>(index)];
    if (!device->Present())
        return nullptr;
    return std::make_unique<LoopbackConnection>(device);
}

} // namespace usbio
