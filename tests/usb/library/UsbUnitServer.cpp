#include "tests/usb/library/UsbUnitServer.h"

#include "tests/emulator/LineSplitter.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace usbtest {

namespace {

constexpr size_t kPacket = 64;

bool SendAll(int fd, const std::vector<uint8_t>& bytes, size_t count)
{
    size_t sent = 0;
    while (sent < count) {
        const ssize_t n = ::send(fd, bytes.data() + sent, count - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

UsbUnitServer::UsbUnitServer(kivemu::ControlUnit& unit) : m_unit(unit)
{
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof addr;
    if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), size) != 0 ||
        ::listen(m_listen, 4) != 0 ||
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &size) != 0 ||
        ::pipe2(m_wake, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this] { Run(); });
}

UsbUnitServer::~UsbUnitServer()
{
    m_stopping = true;
    const char wake = 1;
    (void)!::write(m_wake[1], &wake, 1);
    Unplug();
    m_thread.join();
    ::close(m_listen);
    ::close(m_wake[0]);
    ::close(m_wake[1]);
}

std::string UsbUnitServer::Endpoint() const
{
    return "127.0.0.1:" + std::to_string(m_port);
}

void UsbUnitServer::Unplug()
{
    const int fd = m_conn.load();
    if (fd >= 0)
        ::shutdown(fd, SHUT_RDWR);
}

void UsbUnitServer::Run()
{
    while (!m_stopping) {
        pollfd p[2] = {{m_listen, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (::poll(p, 2, -1) <= 0 || (p[1].revents & POLLIN) != 0)
            continue;
        const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        m_conn = fd;
        Serve(fd);
        m_conn = -1;
        ::close(fd);
    }
}

void UsbUnitServer::Serve(int fd)
{
    kivemu::LineSplitter splitter;
    std::vector<std::string> lines;
    uint8_t buffer[4096];
    for (;;) {
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0)
            return;
        lines.clear();
        splitter.Feed(buffer, static_cast<size_t>(got), lines);
        for (const std::string& line : lines) {
            kivemu::ReplyPlan plan = m_unit.Handle(line);
            if (plan.bytes.empty())
                continue;
            if (plan.delayMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(plan.delayMs));
            plan.bytes.resize((plan.bytes.size() + kPacket - 1) / kPacket * kPacket, 0);
            if (plan.dropMidReply) {
                SendAll(fd, plan.bytes, plan.bytes.size() / 2);
                return;
            }
            if (!SendAll(fd, plan.bytes, plan.bytes.size()))
                return;
        }
    }
}

} // namespace usbtest
