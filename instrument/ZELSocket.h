#pragma once

// One TCP connection of the LAN link, to one control unit.

#include "framework/core/CString.h"
#include "framework/core/TcpSocket.h"

#include <cstdint>

class CZELSocket {
public:
    static constexpr int kConnectTimeoutMs = 3000;

    // Unconnected; `ipAddress` has the first octet most significant.
    CZELSocket(uint32_t ipAddress, int port);
    virtual ~CZELSocket() = default;

    // Connects when not connected yet. Raises CZelException 13: string
    // 3020 with the address when the unit does not answer within
    // `timeoutMs`, the system's text for any other failure.
    virtual void Connect(int timeoutMs = kConnectTimeoutMs);
    bool IsConnected() const { return m_socket.IsOpen(); }
    // Forgets the connection; the next Connect makes a new one.
    void Disconnect() { m_socket.Close(); }

    uint32_t GetAddress() const { return m_address; }
    int GetPort() const { return m_port; }
    fw::TcpSocket& Socket() { return m_socket; }

    // "%d.%d.%d.%d", first octet first.
    static fw::CString AddressText(uint32_t ipAddress);

private:
    fw::CString m_text;  // kept with the connection record; unused
    uint32_t m_address;
    int m_port;
    fw::TcpSocket m_socket;
};
