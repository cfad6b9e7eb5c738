#pragma once

// The USB link: the same command lines and data blocks as the LAN link,
// moved through the USB transport library, which is loaded at run time
// (libkiv406.so, or ZELUSB installed under that name). Up to four control
// units are reached, one USB device each, numbered 1 to 4 by the library;
// the unit address a caller passes is the link slot 0-3, which MapSlot ties
// to a device by the serial number the device answered to "STA3".
//
// The library and the device tables are shared by every USB link of the
// program. The library is loaded by the first Open and unloaded when the
// last link that opened it closes.
//
// Where the original could lose data or misbehave, this link does not:
//   * each link holds at most one reference to the library, so repeated
//     Opens and a Close followed by the destructor unload it exactly once;
//   * a library that lacks a function is unloaded at once and never called;
//     the next Open tries to load it again;
//   * the "STA3" reply is read into a buffer as large as the library's read
//     bound, not into the 2048-byte reply line;
//   * an empty reply line consumes its LF, so it is not read again;
//   * after a block the packet buffer is empty, so the next line does not
//     start inside the block's last packet;
//   * using the link while the library is not loaded raises code 12 instead
//     of calling a missing function;
//   * what the link holds unread is discarded before each command, and
//     after a failed read the device's late reply too, before the next;
//   * the rest of a reply line longer than a reply is discarded to its end;
//   * a reply time-out given before Open reaches the library, also when
//     another link loaded it.

#include "instrument/MeterInterface.h"

#include <array>
#include <cstdint>

class CKiv406UsbInterface : public CMeterInterface {
    FW_DECLARE_DYNCREATE(CKiv406UsbInterface)
public:
    static constexpr int kPacketBytes = 64;
    static constexpr int kChunkBytes = kPacketBytes * 1024;
    static constexpr int kMaxDevices = 4;
    static constexpr double kDefaultReplyTimeoutS = 30.0;
    static constexpr int kSettleMs = 500;            // after counting, before "STA3"
    static constexpr int kSerialReplyMinChars = 7;
    static constexpr unsigned kMsgLibraryMissing = 3110;
    static constexpr unsigned kMsgNoInstrument = 3011;
    static constexpr unsigned kMsgCommandTooLong = 3990;
    static constexpr int kListLineBytes = 256;        // command, CR LF and NUL
    static constexpr const char* kLibraryFile = "libkiv406.so";
    static constexpr const char* kLibraryTitle = "kiv406";
    // After a failed read, the device must be quiet this long (seconds)
    // before the next command goes out; late replies come within it.
    static constexpr int32_t kOutOfStepQuietS = 3;
    // Packets discarded at most before a command: a device that keeps
    // sending cannot hold the link.
    static constexpr int kDiscardPacketLimit = 4096;

    CKiv406UsbInterface();
    ~CKiv406UsbInterface() override;

    void Open() override;
    void SendAndRead(int16_t address, const fw::CString& command, const fw::CString& delimiter) override;
    void SendToList(const tagUNITLIST& list, const fw::CString& command, const fw::CString& delimiter) override;
    void Send(int16_t address, const fw::CString& command, const fw::CString& delimiter) override;
    void ReadLine(int16_t address, const fw::CString& delimiter) override;
    int ReadBlock(int16_t address, std::span<uint8_t> buffer, bool swap) override;
    bool SendChecked(int16_t address, const fw::CString& command, const fw::CString& delimiter) override;
    int IsUnitPresent(int16_t address) override;
    void Reopen() override;
    void SetReplyTimeout(int seconds) override;
    void Close() override;
    void ClearInput() override;

    // Serial number 0 ties the slot to device slot + 1; any other number to
    // the device that reported it, or to none.
    void MapSlot(int serialNumber, int slot);

    double GetReplyTimeout() const { return m_replyTimeoutS; }
    int GetDeviceCount() const { return m_deviceCount; }

    // The serial number device 1-4 reported at the last loading open (0: none).
    static int SerialOfDevice(int device);
    static int LibraryReferences();
    static bool IsLibraryLoaded();
    // The library file to load; tests and installations with the library
    // elsewhere give a path.
    static void SetLibraryFile(const fw::CString& file);

private:
    int DeviceOf(int16_t address) const;
    void RequireLibrary() const;
    void TakeReference();
    void ReleaseReference();
    void LoadAndMapDevices();
    void AskSerialNumbers(int devices);
    void DiscardPending(int device);
    void MarkOutOfStep(int16_t address);
    void WriteCommand(int device, const std::string& line);
    void ReadPacket(int device);
    void ReadExactly(int device, uint8_t* data, int size);

    uint8_t m_packet[kPacketBytes] = {};
    double m_replyTimeoutS = kDefaultReplyTimeoutS;
    int m_byteCount = 0;
    int m_readPosition = 0;
    int m_deviceCount = 0;
    bool m_holdsReference = false;
};
