#pragma once

// A plain IPv4 TCP client socket for the instrument links. It stays
// non-blocking for its whole life: the links measure their own time-outs
// and must never sit in a kernel call they cannot leave. POSIX sockets (not
// Qt's) because worker threads read the link too.

#include "framework/core/CString.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace fw {

struct SocketError {
    int code = 0;   // errno, or 0 when the peer closed the connection
    CString text;   // for the user
};

// The text for a socket errno: Japanese for the errors a user meets with an
// instrument on the LAN (refused, timed out, unreachable, reset), strerror
// otherwise.
CString SocketErrorText(int code);
// The text of a connection the peer closed.
CString PeerClosedText();

class TcpSocket {
public:
    enum class Io { Ok, WouldBlock, Closed, Error, TimedOut };

    TcpSocket() = default;
    ~TcpSocket();
    TcpSocket(TcpSocket&& other) noexcept;
    TcpSocket& operator=(TcpSocket&& other) noexcept;
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // Connects to `ipv4Host` (first octet most significant) within
    // `timeoutMs`. On failure the socket stays closed and `error` tells why
    // (ETIMEDOUT when the time ran out).
    bool Connect(uint32_t ipv4Host, uint16_t port, int timeoutMs, SocketError& error);
    bool IsOpen() const { return m_fd >= 0; }
    void Close();

    // Sends every byte, waiting for room in the socket at most `timeoutMs`
    // in all; a stalled send gives TimedOut. Never raises SIGPIPE.
    Io Send(std::span<const uint8_t> data, int timeoutMs, SocketError& error);
    // 1 when bytes (or the peer's close) wait to be read, 0 after the wait,
    // -1 on an error or a closed socket.
    int WaitReadable(int timeoutMs) const;
    // Takes what has arrived, without waiting: Ok with `received` > 0,
    // WouldBlock when nothing is there, Closed when the peer closed, Error.
    Io Receive(std::span<uint8_t> buffer, size_t& received, SocketError& error);
    // Throws away every byte that has already arrived (a reply that came
    // after its reader gave up) and returns how many.
    size_t DrainPending();

private:
    int m_fd = -1;
};

} // namespace fw
