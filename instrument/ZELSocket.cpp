#include "instrument/ZELSocket.h"

#include "common/base/ZelException.h"
#include "framework/core/StringTable.h"
#include "instrument/MeterInterface.h"

#include <cerrno>

namespace {
constexpr unsigned kMsgUnitNotFoundAt = 3020;
}

CZELSocket::CZELSocket(uint32_t ipAddress, int port) : m_address(ipAddress), m_port(port) {}

fw::CString CZELSocket::AddressText(uint32_t ipAddress)
{
    return fw::Format("%d.%d.%d.%d", int(ipAddress >> 24), int((ipAddress >> 16) & 0xFF),
                      int((ipAddress >> 8) & 0xFF), int(ipAddress & 0xFF));
}

void CZELSocket::Connect(int timeoutMs)
{
    if (m_socket.IsOpen())
        return;
    if (m_port < 1 || m_port > 65535)
        throw CZelException(CMeterInterface::kErrSocket, fw::SocketErrorText(EINVAL).c_str());
    fw::SocketError error;
    if (m_socket.Connect(m_address, static_cast<uint16_t>(m_port), timeoutMs, error))
        return;
    if (error.code == ETIMEDOUT)
        throw CZelException(CMeterInterface::kErrSocket, fw::FormatString(kMsgUnitNotFoundAt, AddressText(m_address)).c_str());
    throw CZelException(CMeterInterface::kErrSocket, error.text.c_str());
}
