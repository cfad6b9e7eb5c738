#include "tests/usb/TcpPeer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace usbtest {

namespace {
constexpr int kWaitMs = 5000;
}

TcpPeer::TcpPeer()
{
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof addr;
    if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), size) != 0 ||
        ::listen(m_listen, 4) != 0 ||
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &size) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    m_port = ntohs(addr.sin_port);
}

TcpPeer::~TcpPeer()
{
    Close();
    if (m_listen >= 0)
        ::close(m_listen);
}

std::string TcpPeer::Endpoint() const
{
    return "127.0.0.1:" + std::to_string(m_port);
}

bool TcpPeer::WaitConnected()
{
    if (m_conn >= 0)
        return true;
    pollfd p{m_listen, POLLIN, 0};
    if (::poll(&p, 1, kWaitMs) != 1)
        return false;
    m_conn = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
    return m_conn >= 0;
}

void TcpPeer::Send(const std::string& bytes)
{
    if (!WaitConnected())
        return;
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(m_conn, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        sent += static_cast<size_t>(n);
    }
}

std::string TcpPeer::Receive(size_t count)
{
    std::string got;
    if (!WaitConnected())
        return got;
    while (got.size() < count) {
        pollfd p{m_conn, POLLIN, 0};
        if (::poll(&p, 1, kWaitMs) != 1)
            break;
        char chunk[4096];
        const ssize_t n = ::recv(m_conn, chunk, std::min(sizeof chunk, count - got.size()), 0);
        if (n <= 0)
            break;
        got.append(chunk, static_cast<size_t>(n));
    }
    return got;
}

bool TcpPeer::WaitClosedByPeer()
{
    if (!WaitConnected())
        return false;
    for (;;) {
        pollfd p{m_conn, POLLIN, 0};
        if (::poll(&p, 1, kWaitMs) != 1)
            return false;
        char chunk[256];
        const ssize_t n = ::recv(m_conn, chunk, sizeof chunk, 0);
        if (n <= 0)
            return true;
    }
}

void TcpPeer::Close()
{
    if (m_conn >= 0)
        ::close(m_conn);
    m_conn = -1;
}

} // namespace usbtest
