#pragma once

// The LAN link: one TCP connection per slot, up to 15; the unit address is
// the slot index. Command lines end with CR LF (delimiter text "CR LF") or
// CR; reply lines end with LF (CR ignored, empty lines before a reply
// skipped). Time-outs count whole seconds since the last byte taken: a read
// gives up when the elapsed time, rounded to seconds, is greater than the
// limit (30 s lets about 30.5 s pass).
//
// Beyond the bare protocol, this link never loses or shifts data:
//   * bytes that arrived after their reader gave up are drained before the
//     next command is sent, so a late reply never answers the next command;
//   * a connection whose reader gave up is out of step: a reply may still be
//     on its way, so the next command goes out on a new connection;
//   * an empty reply line consumes its line end;
//   * a raw block first takes what the line reader had already buffered;
//   * a command too long for the 256-byte line is refused, not cut;
//   * a connection the unit closed is reported (code 13) and reconnected by
//     the next Open, instead of being polled until the time-out.

#include "instrument/MeterInterface.h"
#include "instrument/ZELSocket.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class CZelException;

class CMeterSocket : public CMeterInterface {
    FW_DECLARE_DYNCREATE(CMeterSocket)
public:
    static constexpr int kSlots = 15;
    static constexpr int kReceiveBytes = 5024;
    static constexpr int kLineBytes = 256;         // command, line end and NUL
    static constexpr int kDefaultPort = 50000;
    static constexpr double kDefaultReplyTimeoutS = 30.0;
    static constexpr int kPollSliceMs = 100;
    static constexpr unsigned kMsgCommandTooLong = 3990;

    CMeterSocket();
    ~CMeterSocket() override;

    void Open() override;
    void SendAndRead(int16_t address, const fw::CString& command, const fw::CString& delimiter) override;
    void SendToList(const tagUNITLIST& list, const fw::CString& command, const fw::CString& delimiter) override;
    void Send(int16_t address, const fw::CString& command, const fw::CString& delimiter) override;
    void ReadLine(int16_t address, const fw::CString& delimiter) override;
    int ReadBlock(int16_t address, std::span<uint8_t> buffer, bool swap) override;
    bool SendChecked(int16_t address, const fw::CString& command, const fw::CString& delimiter) override;
    int HasData(int16_t address) override;
    int IsUnitPresent(int16_t address) override;
    void Reopen() override;
    void SetReplyTimeout(int seconds) override { m_replyTimeoutS = seconds; }
    void Close() override;
    void ClearInput() override;

    // Receives what has arrived on the slot (at most kReceiveBytes) into the
    // line buffer; 0 when nothing is there.
    virtual int ReceiveRaw(int16_t address);
    // ReceiveRaw until bytes come or `seconds` passed; then 10001 with
    // `raise`, else 0. The bytes stay readable by ReadLine.
    virtual int WaitForData(int16_t address, int seconds, bool raise);
    // Replaces the slot's connection by an unconnected one to the address
    // (0: the slot becomes empty). Slots outside 0..14 are ignored.
    virtual void SetSlot(int slot, uint32_t ipAddress, int port);

    double GetReplyTimeout() const { return m_replyTimeoutS; }
    int GetHighestSlot() const { return m_highestSlot; }
    void SetConnectTimeoutMs(int ms) { m_connectTimeoutMs = ms; }
    // Steady milliseconds for the time-outs; tests may put in their own.
    void SetClock(std::function<int64_t()> steadyMs);

    // The whole-second rule: elapsed rounded to seconds exceeds the limit.
    static bool TimedOut(int64_t elapsedMs, double limitSeconds);

private:
    CZELSocket& Connection(int16_t address);
    [[noreturn]] void RaiseReadFailure(CZELSocket& connection, const fw::SocketError& error);
    // Waits up to one poll slice for bytes, raising 10001 once the reply
    // time-out since `since` has passed.
    void WaitOrTimeOut(CZELSocket& connection, int64_t since);
    // Notes a slot whose reply did not come in time (or came cut).
    void MarkOutOfStep(int16_t address, const CZelException& e);
    // Before a command: a slot out of step gets a new connection, the
    // others lose what arrived unasked.
    void BringInStep(int16_t address, CZELSocket& connection);

    std::array<std::unique_ptr<CZELSocket>, kSlots> m_connections;
    std::array<bool, kSlots> m_outOfStep{};
    std::array<uint8_t, kReceiveBytes> m_receive{};
    double m_replyTimeoutS = kDefaultReplyTimeoutS;
    int m_byteCount = 0;
    int m_readPosition = 0;
    int m_highestSlot = -1;
    int m_lastReadAddress = -1;  // slot whose bytes the line buffer holds
    int m_connectTimeoutMs = CZELSocket::kConnectTimeoutMs;
    std::function<int64_t()> m_clock;
};
