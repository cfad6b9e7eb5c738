#pragma once

// One instrument on the shared link: its unit address, line delimiter and
// waits, and the exchanges every control-unit command is built from. A
// reply holding "ERR" becomes CZelException 0x10000 + the unit's
// three-digit error number, with string 3014 naming the command.

#include "framework/core/CString.h"
#include "framework/core/Object.h"
#include "instrument/MeterInterface.h"

#include <cstdint>

class CZELMeter : public fw::CObject {
    FW_DECLARE_SERIAL(CZELMeter)
public:
    static constexpr int16_t kDefaultAddress = 16;
    static constexpr int kLastCommandBytes = 253;  // the shared 254-byte buffer less its NUL
    static constexpr int kCommandBytes = 254;      // joined command texts
    static constexpr int kMaxShownMessage = 124;
    static constexpr int kErrUnitAbsent = 2;
    static constexpr unsigned kMsgUnitError = 3014;
    static constexpr unsigned kMsgUnitNotFound = 3002;

    CZELMeter();
    ~CZELMeter() override = default;

    void Serialize(fw::CArchive& ar) override;

    virtual void SetInterface(CMeterInterface* link) { m_link = link; }
    virtual CMeterInterface* GetInterface() const { return m_link; }
    virtual bool Open(bool raise);
    virtual void Identify() {}
    virtual void CheckVersion() {}
    virtual void Reserved() {}
    virtual void InitArrays() {}
    virtual int16_t GetReservedWord() const { return m_reservedWord; }
    virtual float GetNoValue() const;
    virtual void FillValues(float* values, int row, int count, float value);
    virtual int SetWaitMs(int ms);
    virtual int SetWait2(int value);
    virtual void Close();
    virtual void SetConnected() { m_connected = true; }
    virtual void Disconnect();
    virtual bool IsConnected() const { return m_connected; }
    virtual void SetAddress(int16_t address);
    virtual int16_t GetAddress() const { return m_address; }
    virtual void ResetLink();
    virtual void SelectLink();
    virtual void CheckPresent();
    virtual void ReadReplyText(fw::CString& text);
    virtual void ReadReply();
    virtual void SendToList2(const tagUNITLIST& list, const fw::CString& first, const fw::CString& second);
    virtual void SendToList(const tagUNITLIST& list, const fw::CString& command);
    virtual void Send(const fw::CString& command);
    virtual void CommandExpectCount(const fw::CString& command, int expectedCount);
    virtual void Query(const fw::CString& command, fw::CString& reply);
    virtual void Command(const fw::CString& command);
    virtual void ReleaseLink();
    // Raises 0x10000 + n when the link's reply line holds "ERR".
    virtual void CheckErr(const fw::CString& command);

    const fw::CString& GetDelimiter() const { return m_delimiter; }
    void SetDelimiter(const fw::CString& delimiter) { m_delimiter = delimiter; }
    void SetReservedWord(int16_t word) { m_reservedWord = word; }

    // The unit's error number in a reply line: the three characters that
    // start four characters after the E of the first "ERR"; -1 without "ERR".
    static int ParseErrorCode(const fw::CString& reply);
    // The command last sent by any instrument, as ReadReply names it.
    static fw::CString LastCommand();

protected:
    CMeterInterface& Link() const;
    // Opens the link as needed and identifies the unit, unless connected.
    void ConnectIfNeeded();
    static void RememberCommand(const fw::CString& command);

    int16_t m_reservedWord = 0;
    bool m_connected = false;
    int16_t m_address = kDefaultAddress;
    fw::CString m_delimiter = "CR LF";
    CMeterInterface* m_link = nullptr;  // not owned
    int m_waitMs = 0;
    int m_wait2 = 0;
};
