#pragma once

// One CAN message of the unit's database: its identifier and format, data
// length, names, direction and its signals. Receive messages (1..8 bytes)
// describe frames the unit records; send messages (always 2 bytes) frames it
// transmits.

#include "canvoicegps/CanSigArray.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cstdint>

class CDataTankObject;

class C463CanMesNode : public fw::CObject {
    FW_DECLARE_SERIAL(C463CanMesNode)
public:
    static constexpr uint32_t kMaxIdentifier = 0x1FBFFFFF;
    // Above this a standard identifier is reserved on the bus.
    static constexpr uint32_t kMaxStandardIdentifier = 0x7EF;
    // Any 29-bit identifier still fits a frame; beyond that a text is damaged.
    static constexpr uint32_t kIdentifierBits = 0x1FFFFFFF;
    static constexpr int kSendLength = 2;
    static constexpr int kMaxLength = 8;

    C463CanMesNode();
    ~C463CanMesNode() override;
    C463CanMesNode(const C463CanMesNode&) = delete;
    // Direction, identifier, names, length, format, signals (deep) and the
    // remote-frame switch; not the time-stamp tank nor the duplicate mark.
    C463CanMesNode& operator=(const C463CanMesNode& other);

    void Serialize(fw::CArchive& ar) override;
    void Reset();

    // Attributes 203-208 (CanAttributes.h).
    double GetValue(int code) const;
    const char* GetText(int code, fw::CString& text) const;
    bool SetValue(int code, double value);
    bool SetText(int code, const char* text);
    // 204 false when marked duplicate, 204 and 205 false for a standard
    // identifier above 0x7EF, signal codes valid when any signal is.
    bool IsAttributeValid(int code) const;

    // Stores the time stamp, and decodes the frame when its byte count is
    // the message's length or a length the message may take (which then
    // becomes its length). False, with only the time stamp stored, for a
    // count the message cannot have.
    bool StoreFrame(uint64_t intel, uint64_t motorola, uint32_t timeStamp, int byteCount, int index);

    // The fields of a message line after its keyword:
    // "identifier name length node" (bit 31 of the identifier marks an
    // extended one). A field that is missing or not a number, or an
    // identifier beyond 29 bits, keeps its value. False, with the message
    // unchanged, for a data length the message cannot have.
    bool ParseBoLine(const char* text);
    fw::CString FormatBoLine() const;
    // A signal from the fields of a signal line, appended with the next free
    // code; false when the signal cannot be held (C463CanMesSignal::ParseSgLine).
    bool AddSignalFromText(const char* text);

    CCanSigArray& Signals() { return m_signals; }
    const CCanSigArray& Signals() const { return m_signals; }

    uint32_t GetIdentifier() const { return m_identifier; }
    const fw::CString& GetName() const { return m_name; }
    int16_t GetLength() const { return m_length; }
    bool IsStandard() const { return m_standard; }
    const fw::CString& GetNodeName() const { return m_nodeName; }
    bool IsSend() const { return m_send; }
    void SetDirection(bool send);
    bool IsDuplicate() const { return m_duplicate; }
    void SetDuplicate(bool duplicate) { m_duplicate = duplicate; }
    bool IsRemoteFrame() const { return m_remoteFrame; }
    void SetRemoteFrame(bool remote) { m_remoteFrame = remote; }

    // Referenced, not owned, as the signals' value tanks.
    void AttachTimeStampTank(CDataTankObject* tank);
    CDataTankObject* GetTimeStampTank() const { return m_timeStampTank; }

private:
    bool SetLength(int length);
    void ReleaseTimeStampTank();
    // After a load or store: frame size, bit usage and directions agree.
    void SyncSignals();

    uint32_t m_identifier = 0;
    fw::CString m_name;
    int16_t m_length = 2;
    bool m_standard = true;
    fw::CString m_nodeName;
    CCanSigArray m_signals;
    CDataTankObject* m_timeStampTank = nullptr;
    bool m_duplicate = false;
    bool m_send = false;
    bool m_remoteFrame = false;
};
