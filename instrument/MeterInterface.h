#pragma once

// The one link through which the program talks to its control units, over
// the LAN (CMeterSocket) or the USB library. A link serves several control
// units, each named by a 16-bit unit address. Traffic is synchronous on the
// calling thread: send a command line, then read its reply line (kept in
// the link) or a raw block. Failures are raised as CZelException:
//   13     socket failure, connection time-out, no USB device
//   10001  no reply within the reply time-out (string 3004)
//   1      short USB transfer (string 3004)
//   12     USB library or one of its functions missing (string 3110)
// A link has no lock: one thread at a time uses it.

#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cstdint>
#include <span>
#include <string_view>

// The units one command goes to at once.
struct tagUNITLIST {
    static constexpr int kMaxUnits = 20;

    int16_t count = 0;
    int16_t address[kMaxUnits] = {};

    void RemoveAll() { count = 0; }
    // The index of an address already listed; kMaxUnits when the list is
    // full; otherwise the address is appended and returned.
    int Add(int16_t unitAddress);
};

class CMeterInterface : public fw::CObject {
    FW_DECLARE_DYNCREATE(CMeterInterface)
public:
    static constexpr int kReplyChars = 2047;   // longest reply line kept

    enum Kind : int16_t { kindBase = 0, kindUsb = 2, kindLan = 3 };
    enum Status : int { statusOk = 0, statusLinkError = 4, statusLibraryMissing = 12 };

    // Exception codes of the links.
    static constexpr int kErrTransfer = 1;
    static constexpr int kErrSocket = 13;
    static constexpr int kErrNoReply = 10001;
    static constexpr unsigned kMsgCommFailure = 3004;

    CMeterInterface();
    ~CMeterInterface() override = default;

    virtual void Open() {}
    virtual void Reserved1() {}
    // Sends the command and reads one reply line.
    virtual void SendAndRead(int16_t address, const fw::CString& command, const fw::CString& delimiter) {}
    virtual void SendToList(const tagUNITLIST& list, const fw::CString& command, const fw::CString& delimiter) {}
    // Sends one command line; reads nothing.
    virtual void Send(int16_t address, const fw::CString& command, const fw::CString& delimiter) {}
    // Reads one reply line into the reply buffer (GetReply).
    virtual void ReadLine(int16_t address, const fw::CString& delimiter) {}
    // Fills the whole buffer with raw bytes (swapping the bytes of every
    // 16-bit word with `swap`); returns the bytes read.
    virtual int ReadBlock(int16_t address, std::span<uint8_t> buffer, bool swap) { return 0; }
    virtual bool SendChecked(int16_t address, const fw::CString& command, const fw::CString& delimiter) { return false; }
    virtual int HasData(int16_t address) { return 0; }
    virtual int IsUnitPresent(int16_t address) { return 0; }
    virtual void Reserved2(int16_t address) {}
    virtual bool IsOk() const { return m_status == statusOk; }
    virtual int GetStatus() const { return m_status; }
    virtual bool IsOpen() const { return m_open; }
    virtual void ClearStatus() { m_status = statusOk; }
    virtual void Reopen() { m_status = statusOk; }
    virtual void SetReplyTimeout(int seconds) {}
    virtual int16_t GetKind() const { return m_kind; }
    virtual bool GetLinkFlag() const { return m_linkFlag; }
    virtual void Reserved3(int word) {}
    virtual void Reserved4(int16_t address) {}
    // Milliseconds to sleep before each command line; returns the old value.
    virtual int SetWaitMs(int ms);
    virtual int SetWait2(int value);
    virtual void Close() {}
    // Drops every byte received and not yet read.
    virtual void ClearInput() {}
    virtual bool IsBusy() const { return false; }

    // The last reply line (UTF-8; the unit sends CP932).
    const fw::CString& GetReply() const { return m_reply; }
    int GetTransferCount() const { return m_transferCount; }
    int GetWaitMs() const { return m_waitMs; }

protected:
    // Keeps at most kReplyChars bytes of the raw line, then decodes it.
    void SetReplyBytes(std::string_view raw);
    void SetReplyText(const fw::CString& text) { m_reply = text; }

    fw::CString m_reply;
    int m_status = statusOk;
    int m_reserved = 0;
    int m_transferCount = 0;
    bool m_open = false;
    int16_t m_kind = kindBase;
    bool m_linkFlag = false;
    int m_waitMs = 0;
    int m_wait2 = 0;
};
