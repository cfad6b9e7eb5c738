#include "framework/core/TcpSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace fw {

namespace {

int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

SocketError MakeError(int code)
{
    return SocketError{code, SocketErrorText(code)};
}

} // namespace

CString SocketErrorText(int code)
{
    switch (code) {
    case ECONNREFUSED:
        return "接続が拒否されました。";
    case ETIMEDOUT:
        return "接続がタイムアウトしました。";
    case ENETUNREACH:
        return "ネットワークに到達できません。";
    case EHOSTUNREACH:
        return "ホストに到達できません。";
    case ECONNRESET:
        return "接続が相手側からリセットされました。";
    case ECONNABORTED:
        return "接続が中止されました。";
    case EPIPE:
    case ENOTCONN:
        return "接続されていません。";
    case EADDRNOTAVAIL:
        return "指定されたアドレスは使用できません。";
    default:
        return CString(std::strerror(code));
    }
}

CString PeerClosedText()
{
    return "接続が相手側から閉じられました。";
}

TcpSocket::~TcpSocket()
{
    Close();
}

TcpSocket::TcpSocket(TcpSocket&& other) noexcept : m_fd(other.m_fd)
{
    other.m_fd = -1;
}

TcpSocket& TcpSocket::operator=(TcpSocket&& other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

void TcpSocket::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool TcpSocket::Connect(uint32_t ipv4Host, uint16_t port, int timeoutMs, SocketError& error)
{
    Close();
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = MakeError(errno);
        return false;
    }
    // Command lines are small and every one waits for its reply.
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(ipv4Host);
    int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
    if (result < 0 && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        do {
            result = ::poll(&p, 1, timeoutMs);
        } while (result < 0 && errno == EINTR);
        if (result == 0) {
            ::close(fd);
            error = MakeError(ETIMEDOUT);
            return false;
        }
        int soError = 0;
        socklen_t length = sizeof soError;
        if (result < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &length) < 0)
            soError = errno;
        if (soError != 0) {
            ::close(fd);
            error = MakeError(soError);
            return false;
        }
    } else if (result < 0) {
        error = MakeError(errno);
        ::close(fd);
        return false;
    }
    m_fd = fd;
    error = {};
    return true;
}

TcpSocket::Io TcpSocket::Send(std::span<const uint8_t> data, int timeoutMs, SocketError& error)
{
    if (m_fd < 0) {
        error = MakeError(ENOTCONN);
        return Io::Error;
    }
    const int64_t deadline = NowMs() + timeoutMs;
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t sent = ::send(m_fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (sent >= 0) {
            done += static_cast<size_t>(sent);
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            error = MakeError(errno);
            return Io::Error;
        }
        const int64_t left = deadline - NowMs();
        pollfd p{m_fd, POLLOUT, 0};
        if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) == 0) {
            error = MakeError(ETIMEDOUT);
            return Io::TimedOut;
        }
    }
    return Io::Ok;
}

int TcpSocket::WaitReadable(int timeoutMs) const
{
    if (m_fd < 0)
        return -1;
    pollfd p{m_fd, POLLIN, 0};
    int result;
    do {
        result = ::poll(&p, 1, timeoutMs);
    } while (result < 0 && errno == EINTR);
    if (result < 0)
        return -1;
    if (result == 0)
        return 0;
    // A reset or a hang-up still has to be read to learn what happened.
    return 1;
}

TcpSocket::Io TcpSocket::Receive(std::span<uint8_t> buffer, size_t& received, SocketError& error)
{
    received = 0;
    if (m_fd < 0) {
        error = MakeError(ENOTCONN);
        return Io::Error;
    }
    if (buffer.empty())
        return Io::WouldBlock;
    for (;;) {
        const ssize_t got = ::recv(m_fd, buffer.data(), buffer.size(), 0);
        if (got > 0) {
            received = static_cast<size_t>(got);
            return Io::Ok;
        }
        if (got == 0) {
            error = SocketError{0, PeerClosedText()};
            return Io::Closed;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return Io::WouldBlock;
        error = MakeError(errno);
        return Io::Error;
    }
}

size_t TcpSocket::DrainPending()
{
    size_t dropped = 0;
    uint8_t scratch[4096];
    while (m_fd >= 0) {
        const ssize_t got = ::recv(m_fd, scratch, sizeof scratch, 0);
        if (got > 0) {
            dropped += static_cast<size_t>(got);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        break;  // nothing more, or the peer closed: the next read tells
    }
    return dropped;
}

} // namespace fw
