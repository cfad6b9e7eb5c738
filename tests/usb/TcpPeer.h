#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace usbtest {

// The far end of one loopback device: a listening socket on 127.0.0.1 that
// accepts one connection and lets the test send and collect bytes.
class TcpPeer {
public:
    TcpPeer();
    ~TcpPeer();
    TcpPeer(const TcpPeer&) = delete;
    TcpPeer& operator=(const TcpPeer&) = delete;

    std::string Endpoint() const;
    // Waits for the connection (up to 5 s); false when none came.
    bool WaitConnected();
    void Send(const std::string& bytes);
    // Collects what arrived until `count` bytes are there or 5 s passed.
    std::string Receive(size_t count);
    // True when the connection was closed by the other side within 5 s.
    bool WaitClosedByPeer();
    void Close();

private:
    int m_listen = -1;
    int m_conn = -1;
    uint16_t m_port = 0;
};

} // namespace usbtest
