#include "instrument/MeterSocket.h"

#include "common/base/SwapBytes.h"
#include "common/base/ZelException.h"
#include "framework/core/Cp932.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstring>
#include <stdexcept>

FW_IMPLEMENT_DYNCREATE(CMeterSocket, CMeterInterface)

namespace {

int64_t SteadyNowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// A link exception without a text of its own gets the communication
// failure text.
void EnsureMessage(CZelException& e)
{
    fw::CString text;
    if (!e.GetErrorMessage(text) || text.IsEmpty())
        e.SetMessageId(CMeterInterface::kMsgCommFailure);
}

} // namespace

CMeterSocket::CMeterSocket() : m_clock(SteadyNowMs)
{
    m_kind = kindLan;
    m_linkFlag = true;
}

CMeterSocket::~CMeterSocket()
{
    Close();
}

void CMeterSocket::SetClock(std::function<int64_t()> steadyMs)
{
    m_clock = steadyMs ? std::move(steadyMs) : std::function<int64_t()>(SteadyNowMs);
}

bool CMeterSocket::TimedOut(int64_t elapsedMs, double limitSeconds)
{
    // Whole seconds, half a second rounded away from zero.
    const double elapsedS = std::floor((static_cast<double>(elapsedMs) + 500.0) / 1000.0);
    return elapsedS > limitSeconds;
}

CZELSocket& CMeterSocket::Connection(int16_t address)
{
    if (address < 0 || address >= kSlots || !m_connections[address])
        throw CZelException(kErrSocket, fw::SocketErrorText(ENOTCONN).c_str());
    return *m_connections[address];
}

void CMeterSocket::Open()
{
    m_status = statusOk;
    m_open = false;
    for (int slot = 0; slot <= m_highestSlot; ++slot) {
        if (m_connections[slot])
            m_connections[slot]->Connect(m_connectTimeoutMs);
    }
    m_open = IsOk();
}

void CMeterSocket::SendAndRead(int16_t address, const fw::CString& command, const fw::CString& delimiter)
{
    Send(address, command, delimiter);
    ReadLine(address, delimiter);
}

void CMeterSocket::SendToList(const tagUNITLIST& list, const fw::CString& command, const fw::CString& delimiter)
{
    const int count = std::min<int>(list.count, tagUNITLIST::kMaxUnits);
    for (int i = 0; i < count; ++i)
        Send(list.address[i], command, delimiter);
}

bool CMeterSocket::SendChecked(int16_t address, const fw::CString& command, const fw::CString& delimiter)
{
    Send(address, command, delimiter);
    return true;
}

void CMeterSocket::Send(int16_t address, const fw::CString& command, const fw::CString& delimiter)
{
    std::string line = fw::cp932::ToCp932(command.view());
    line += delimiter == "CR LF" ? "\r\n" : "\r";
    // The line and its terminator must fit the 256-byte line of the
    // protocol; a longer command is refused whole rather than cut, since a
    // cut command would be a different command.
    if (line.size() + 1 > static_cast<size_t>(kLineBytes))
        throw CZelException(kErrTransfer, fw::Format(fw::LoadStringText(kMsgCommandTooLong).c_str(), command).c_str());
    CZELSocket& connection = Connection(address);
    ClearInput();
    BringInStep(address, connection);
    if (m_waitMs > 0)
        fw::Clock().SleepMs(m_waitMs);
    fw::SocketError error;
    const auto io = connection.Socket().Send(
        {reinterpret_cast<const uint8_t*>(line.data()), line.size()},
        static_cast<int>(m_replyTimeoutS * 1000.0 + 500.0), error);
    if (io == fw::TcpSocket::Io::Ok)
        return;
    m_status = statusLinkError;
    if (io == fw::TcpSocket::Io::TimedOut) {
        // Part of the line may have gone out: the unit's next reply is
        // nobody's.
        m_outOfStep[static_cast<size_t>(address)] = true;
        throw CZelException(kErrNoReply, kMsgCommFailure);
    }
    connection.Disconnect();
    throw CZelException(kErrSocket, error.text.c_str());
}

void CMeterSocket::BringInStep(int16_t address, CZELSocket& connection)
{
    bool& outOfStep = m_outOfStep[static_cast<size_t>(address)];
    if (outOfStep) {
        // The reply the last reader gave up on may come at any moment; on a
        // new connection it can never answer this command.
        connection.Disconnect();
        try {
            connection.Connect(m_connectTimeoutMs);
        } catch (CZelException&) {
            m_status = statusLinkError;
            throw;
        }
        outOfStep = false;
        return;
    }
    // A reply that came after its reader gave up would otherwise be taken
    // as the reply to this command.
    connection.Socket().DrainPending();
}

void CMeterSocket::MarkOutOfStep(int16_t address, const CZelException& e)
{
    if (e.m_nErrorCode == kErrNoReply && address >= 0 && address < kSlots)
        m_outOfStep[static_cast<size_t>(address)] = true;
}

void CMeterSocket::ClearInput()
{
    m_byteCount = 0;
    m_readPosition = 0;
}

void CMeterSocket::RaiseReadFailure(CZELSocket& connection, const fw::SocketError& error)
{
    // The connection is gone; dropping it lets the next Open connect anew.
    connection.Disconnect();
    throw CZelException(kErrSocket, error.text.c_str());
}

int CMeterSocket::ReceiveRaw(int16_t address)
{
    CZELSocket& connection = Connection(address);
    if (address != m_lastReadAddress) {
        ClearInput();
        m_lastReadAddress = address;
    }
    // Unread bytes move to the front so nothing received is lost.
    if (m_readPosition > 0) {
        std::memmove(m_receive.data(), m_receive.data() + m_readPosition, m_byteCount - m_readPosition);
        m_byteCount -= m_readPosition;
        m_readPosition = 0;
    }
    size_t got = 0;
    fw::SocketError error;
    const auto free = std::span<uint8_t>(m_receive).subspan(m_byteCount);
    switch (connection.Socket().Receive(free, got, error)) {
    case fw::TcpSocket::Io::Ok:
        m_byteCount += static_cast<int>(got);
        return static_cast<int>(got);
    case fw::TcpSocket::Io::WouldBlock:
        return 0;
    default:
        RaiseReadFailure(connection, error);
    }
}

void CMeterSocket::WaitOrTimeOut(CZELSocket& connection, int64_t since)
{
    if (TimedOut(m_clock() - since, m_replyTimeoutS))
        throw CZelException(kErrNoReply, kMsgCommFailure);
    connection.Socket().WaitReadable(kPollSliceMs);
}

void CMeterSocket::ReadLine(int16_t address, const fw::CString& delimiter)
{
    SetReplyText({});
    try {
        CZELSocket& connection = Connection(address);
        if (address != m_lastReadAddress) {
            ClearInput();
            m_lastReadAddress = address;
        }
        std::string raw;
        int64_t since = m_clock();
        for (;;) {
            if (m_readPosition >= m_byteCount) {
                ClearInput();
                if (ReceiveRaw(address) == 0) {
                    WaitOrTimeOut(connection, since);
                    continue;
                }
            }
            const uint8_t byte = m_receive[m_readPosition];
            since = m_clock();
            if (byte == '\n') {
                ++m_readPosition;
                // An empty line is a reply only when nothing follows it yet;
                // its LF is consumed either way, so the next read cannot
                // find the same empty line again.
                if (!raw.empty() || m_readPosition >= m_byteCount)
                    break;
                continue;
            }
            if (byte == '\r') {
                ++m_readPosition;
                continue;
            }
            if (raw.size() >= static_cast<size_t>(kReplyChars))
                break;  // the rest of the long line is the next read's
            raw.push_back(static_cast<char>(byte));
            ++m_readPosition;
        }
        SetReplyBytes(raw);
    } catch (CZelException& e) {
        m_status = statusLinkError;
        MarkOutOfStep(address, e);
        EnsureMessage(e);
        throw;
    }
}

int CMeterSocket::ReadBlock(int16_t address, std::span<uint8_t> buffer, bool swap)
{
    if (buffer.size() > static_cast<size_t>(INT_MAX))
        throw std::length_error("CMeterSocket::ReadBlock: block too large");
    try {
        CZELSocket& connection = Connection(address);
        size_t total = 0;
        // Bytes the line reader already took off the socket belong to this
        // block when they came from the same unit.
        if (address == m_lastReadAddress && m_readPosition < m_byteCount) {
            total = std::min<size_t>(buffer.size(), m_byteCount - m_readPosition);
            std::memcpy(buffer.data(), m_receive.data() + m_readPosition, total);
            m_readPosition += static_cast<int>(total);
        }
        if (m_readPosition >= m_byteCount)
            ClearInput();
        int64_t since = m_clock();
        while (total < buffer.size()) {
            size_t got = 0;
            fw::SocketError error;
            switch (connection.Socket().Receive(buffer.subspan(total), got, error)) {
            case fw::TcpSocket::Io::Ok:
                total += got;
                since = m_clock();
                break;
            case fw::TcpSocket::Io::WouldBlock:
                WaitOrTimeOut(connection, since);
                break;
            default:
                RaiseReadFailure(connection, error);
            }
        }
        if (swap)
            SwapBytes16(buffer.data(), static_cast<int>(total));
        return static_cast<int>(total);
    } catch (CZelException& e) {
        m_status = statusLinkError;
        MarkOutOfStep(address, e);
        if (e.m_nErrorCode == kErrNoReply)
            e.SetMessageId(kMsgCommFailure);
        EnsureMessage(e);
        throw;
    }
}

int CMeterSocket::WaitForData(int16_t address, int seconds, bool raise)
{
    if (address == m_lastReadAddress && m_readPosition < m_byteCount)
        return m_byteCount - m_readPosition;
    const int64_t start = m_clock();
    for (;;) {
        const int got = ReceiveRaw(address);
        if (got > 0)
            return got;
        if (TimedOut(m_clock() - start, seconds)) {
            if (raise) {
                m_outOfStep[static_cast<size_t>(address)] = true;
                throw CZelException(kErrNoReply, kMsgCommFailure);
            }
            return 0;
        }
        Connection(address).Socket().WaitReadable(kPollSliceMs);
    }
}

int CMeterSocket::HasData(int16_t address)
{
    if (address < 0 || address >= kSlots || !m_connections[address])
        return 0;
    if (address == m_lastReadAddress && m_readPosition < m_byteCount)
        return 1;
    return m_connections[address]->Socket().WaitReadable(0) > 0 ? 1 : 0;
}

int CMeterSocket::IsUnitPresent(int16_t address)
{
    return address >= 0 && address < kSlots && m_connections[address] ? 1 : 0;
}

void CMeterSocket::SetSlot(int slot, uint32_t ipAddress, int port)
{
    if (slot < 0 || slot >= kSlots)
        return;
    m_connections[slot].reset();
    m_outOfStep[static_cast<size_t>(slot)] = false;
    if (slot == m_lastReadAddress) {
        ClearInput();
        m_lastReadAddress = -1;
    }
    if (ipAddress != 0) {
        m_connections[slot] = std::make_unique<CZELSocket>(ipAddress, port);
        m_highestSlot = std::max(m_highestSlot, slot);
        return;
    }
    if (slot == m_highestSlot) {
        m_highestSlot = -1;
        for (int s = slot - 1; s >= 0; --s) {
            if (m_connections[s]) {
                m_highestSlot = s;
                break;
            }
        }
    }
}

void CMeterSocket::Close()
{
    for (int slot = m_highestSlot; slot >= 0; --slot)
        m_connections[slot].reset();
    m_highestSlot = -1;
    ClearInput();
    m_lastReadAddress = -1;
    // Nothing is connected any more; the next user must open it again.
    m_open = false;
}

void CMeterSocket::Reopen()
{
    struct Remembered {
        uint32_t address = 0;
        int port = 0;
    };
    std::array<Remembered, kSlots> remembered{};
    const int highest = m_highestSlot;
    for (int slot = 0; slot <= highest; ++slot) {
        if (m_connections[slot])
            remembered[slot] = {m_connections[slot]->GetAddress(), m_connections[slot]->GetPort()};
    }
    Close();
    for (int slot = 0; slot <= highest; ++slot) {
        if (remembered[slot].address != 0)
            SetSlot(slot, remembered[slot].address, remembered[slot].port);
    }
    Open();
}
