#include "instrument/Kiv406UsbInterface.h"

#include "common/base/SwapBytes.h"
#include "common/base/ZelException.h"
#include "framework/core/Cp932.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/SharedLibrary.h"
#include "framework/core/StringTable.h"
#include "usb/UsbTransport.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

FW_IMPLEMENT_DYNCREATE(CKiv406UsbInterface, CMeterInterface)

namespace {

// The library's functions, looked up by name in this order.
struct LibraryFunctions {
    Kiv406CountDevicesFn countDevices = nullptr;
    Kiv406CloseFn close = nullptr;
    Kiv406ReadAFn readA = nullptr;
    Kiv406ReadAsFn readAs = nullptr;
    Kiv406ReadBFn readB = nullptr;
    Kiv406WriteAFn writeA = nullptr;
    Kiv406WriteBFn writeB = nullptr;
    Kiv406SetReadTimeoutFn setReadTimeout = nullptr;
    Kiv406StatusFn status = nullptr;
};

// What every USB link of the program shares.
struct SharedUsbState {
    fw::SharedLibrary library;
    fw::CString file = CKiv406UsbInterface::kLibraryFile;
    int references = 0;
    LibraryFunctions fn;
    std::array<int, CKiv406UsbInterface::kMaxDevices + 1> serial{};  // entry 0 unused
    std::array<int16_t, CKiv406UsbInterface::kMaxDevices> device{};  // per link slot
    // Devices whose reader gave up: a reply may still be on its way.
    std::array<bool, CKiv406UsbInterface::kMaxDevices + 1> outOfStep{};  // entry 0 unused
    int lastLineAddress = -1;
};

SharedUsbState& Shared()
{
    static SharedUsbState state;
    return state;
}

template <class Fn> bool Resolve(const fw::SharedLibrary& library, Fn& fn, const char* name)
{
    fn = reinterpret_cast<Fn>(library.Symbol(name));
    return fn != nullptr;
}

bool ResolveAll(const fw::SharedLibrary& library, LibraryFunctions& fn)
{
    return Resolve(library, fn.countDevices, "Kiv406CountDevices") &&
           Resolve(library, fn.close, "Kiv406Close") && Resolve(library, fn.readA, "Kiv406ReadA") &&
           Resolve(library, fn.readAs, "Kiv406ReadAs") && Resolve(library, fn.readB, "Kiv406ReadB") &&
           Resolve(library, fn.writeA, "Kiv406WriteA") && Resolve(library, fn.writeB, "Kiv406WriteB") &&
           Resolve(library, fn.setReadTimeout, "Kiv406SetReadTimeout") &&
           Resolve(library, fn.status, "Kiv406Status");
}

// A link exception without a text of its own gets the communication
// failure text.
void EnsureMessage(CZelException& e)
{
    fw::CString text;
    if (!e.GetErrorMessage(text) || text.IsEmpty())
        e.SetMessageId(CMeterInterface::kMsgCommFailure);
}

[[noreturn]] void RaiseTransferFailure()
{
    throw CZelException(CMeterInterface::kErrTransfer, CMeterInterface::kMsgCommFailure);
}

[[noreturn]] void RaiseLibraryMissing()
{
    // The text names the library: "%s cannot be found or is not a supported version".
    const fw::CString pattern = fw::LoadStringText(CKiv406UsbInterface::kMsgLibraryMissing);
    const fw::CString text = pattern.IsEmpty() ? fw::CString(CKiv406UsbInterface::kLibraryTitle)
                                               : fw::Format(pattern.c_str(), CKiv406UsbInterface::kLibraryTitle);
    throw CZelException(CMeterInterface::statusLibraryMissing, text.c_str());
}

} // namespace

CKiv406UsbInterface::CKiv406UsbInterface()
{
    m_kind = kindUsb;
    m_linkFlag = false;
}

CKiv406UsbInterface::~CKiv406UsbInterface()
{
    ReleaseReference();
}

int CKiv406UsbInterface::SerialOfDevice(int device)
{
    return device >= 1 && device <= kMaxDevices ? Shared().serial[static_cast<size_t>(device)] : 0;
}

int CKiv406UsbInterface::LibraryReferences()
{
    return Shared().references;
}

bool CKiv406UsbInterface::IsLibraryLoaded()
{
    return Shared().library.IsLoaded();
}

void CKiv406UsbInterface::SetLibraryFile(const fw::CString& file)
{
    Shared().file = file;
}

int CKiv406UsbInterface::DeviceOf(int16_t address) const
{
    return address >= 0 && address < kMaxDevices ? Shared().device[static_cast<size_t>(address)] : 0;
}

void CKiv406UsbInterface::RequireLibrary() const
{
    if (!Shared().library.IsLoaded())
        RaiseLibraryMissing();
}

void CKiv406UsbInterface::TakeReference()
{
    if (m_holdsReference)
        return;
    m_holdsReference = true;
    ++Shared().references;
}

void CKiv406UsbInterface::ReleaseReference()
{
    if (!m_holdsReference)
        return;
    m_holdsReference = false;
    SharedUsbState& s = Shared();
    if (--s.references > 0)
        return;
    s.references = 0;
    if (s.fn.close != nullptr)
        s.fn.close();
    s.fn = {};
    s.library.Unload();
}

void CKiv406UsbInterface::Open()
{
    m_open = false;
    if (Shared().library.IsLoaded()) {
        TakeReference();
        // Another link loaded the library with its own time-out.
        Shared().fn.setReadTimeout(static_cast<int32_t>(m_replyTimeoutS));
        m_open = IsOk();
        return;
    }
    LoadAndMapDevices();
    m_open = IsOk();
}

void CKiv406UsbInterface::LoadAndMapDevices()
{
    SharedUsbState& s = Shared();
    m_status = statusOk;
    if (!s.library.Load(s.file)) {
        m_status = statusLibraryMissing;
    } else if (!ResolveAll(s.library, s.fn)) {
        // An incomplete library is never called; the next Open tries again.
        m_status = statusLibraryMissing;
        s.fn = {};
        s.library.Unload();
    } else {
        TakeReference();
        // A library loaded afresh (a reopen after a lost link) waits with its
        // own default; the time-out this link was given still holds.
        s.fn.setReadTimeout(static_cast<int32_t>(m_replyTimeoutS));
    }
    const int count = m_status == statusOk ? std::max(s.fn.countDevices(), 0) : 0;
    s.serial = {};
    s.device = {};
    s.outOfStep = {};
    if (m_status != statusOk)
        RaiseLibraryMissing();
    m_deviceCount = count;
    fw::Clock().SleepMs(kSettleMs);
    AskSerialNumbers(std::min(count, kMaxDevices));
    if (s.serial[1] == 0)
        throw CZelException(kErrSocket, kMsgNoInstrument);
}

void CKiv406UsbInterface::AskSerialNumbers(int devices)
{
    SharedUsbState& s = Shared();
    // A line read has no size argument: the buffer takes the longest line
    // the library delivers.
    std::vector<char> reply(kUsbTextReadLimit);
    for (int device = 1; device <= devices; ++device) {
        // LF before CR, as the control unit has always been asked.
        if (s.fn.writeA(device, "STA3\n\r", 6) <= 0)
            RaiseTransferFailure();
        const int32_t n = s.fn.readA(device, reply.data());
        m_transferCount = n;
        if (n <= 0 || strnlen(reply.data(), static_cast<size_t>(n)) < static_cast<size_t>(kSerialReplyMinChars))
            RaiseTransferFailure();
        SetReplyBytes(std::string_view(reply.data(), static_cast<size_t>(n)));
        const long serial = std::strtol(reply.data() + 3, nullptr, 10);
        s.serial[static_cast<size_t>(device)] = static_cast<int>(std::clamp<long>(serial, INT_MIN, INT_MAX));
        s.device[static_cast<size_t>(device - 1)] = static_cast<int16_t>(device);
    }
}

void CKiv406UsbInterface::MapSlot(int serialNumber, int slot)
{
    if (slot < 0 || slot >= kMaxDevices)
        return;
    SharedUsbState& s = Shared();
    int16_t device = 0;
    if (serialNumber == 0) {
        device = static_cast<int16_t>(slot + 1);
    } else {
        for (int i = 1; i <= kMaxDevices && device == 0; ++i) {
            if (s.serial[static_cast<size_t>(i)] == serialNumber)
                device = static_cast<int16_t>(i);
        }
    }
    s.device[static_cast<size_t>(slot)] = device;
}

void CKiv406UsbInterface::DiscardPending(int device)
{
    SharedUsbState& s = Shared();
    if (device < 1 || device > kMaxDevices)
        return;
    // After a failed read the late reply may still be coming; read as this
    // command's reply it would shift every reply after it. The libraries
    // wait at least a second (one takes 0 as no limit), so only a link out
    // of step pays for the wait.
    bool& outOfStep = s.outOfStep[static_cast<size_t>(device)];
    if (!outOfStep)
        return;
    s.fn.setReadTimeout(kOutOfStepQuietS);
    uint8_t packet[kPacketBytes];
    for (int n = 0; n < kDiscardPacketLimit && s.fn.readB(device, packet, kPacketBytes) == kPacketBytes; ++n) {
    }
    s.fn.setReadTimeout(static_cast<int32_t>(m_replyTimeoutS));
    outOfStep = false;
}

void CKiv406UsbInterface::MarkOutOfStep(int16_t address)
{
    const int device = DeviceOf(address);
    if (device >= 1 && device <= kMaxDevices)
        Shared().outOfStep[static_cast<size_t>(device)] = true;
}

void CKiv406UsbInterface::WriteCommand(int device, const std::string& line)
{
    if (Shared().fn.writeA(device, line.data(), static_cast<int32_t>(line.size())) <= 0)
        RaiseTransferFailure();
}

void CKiv406UsbInterface::SendAndRead(int16_t address, const fw::CString& command, const fw::CString& delimiter)
{
    Send(address, command, delimiter);
    ReadLine(address, delimiter);
}

bool CKiv406UsbInterface::SendChecked(int16_t address, const fw::CString& command, const fw::CString& delimiter)
{
    Send(address, command, delimiter);
    return true;
}

void CKiv406UsbInterface::Send(int16_t address, const fw::CString& command, const fw::CString&)
{
    RequireLibrary();
    ClearInput();
    DiscardPending(DeviceOf(address));
    if (m_waitMs > 0)
        fw::Clock().SleepMs(m_waitMs);
    // The library ends the line with CR LF itself.
    WriteCommand(DeviceOf(address), fw::cp932::ToCp932(command.view()));
}

void CKiv406UsbInterface::SendToList(const tagUNITLIST& list, const fw::CString& command, const fw::CString&)
{
    RequireLibrary();
    const std::string line = fw::cp932::ToCp932(command.view()) + "\r\n";
    // The line had to fit a 256-byte buffer; a longer one is refused whole.
    if (line.size() + 1 > static_cast<size_t>(kListLineBytes))
        throw CZelException(kErrTransfer, fw::Format(fw::LoadStringText(kMsgCommandTooLong).c_str(), command).c_str());
    ClearInput();
    const int count = std::clamp<int>(list.count, 0, tagUNITLIST::kMaxUnits);
    for (int i = 0; i < count; ++i) {
        DiscardPending(DeviceOf(list.address[i]));
        if (m_waitMs > 0)
            fw::Clock().SleepMs(m_waitMs);
        WriteCommand(DeviceOf(list.address[i]), line);
    }
}

void CKiv406UsbInterface::ReadPacket(int device)
{
    m_byteCount = 0;
    m_readPosition = 0;
    const int32_t n = Shared().fn.readB(device, m_packet, kPacketBytes);
    m_transferCount = n;
    if (n != kPacketBytes)
        RaiseTransferFailure();
    m_byteCount = kPacketBytes;
}

void CKiv406UsbInterface::ReadLine(int16_t address, const fw::CString&)
{
    SetReplyText({});
    try {
        RequireLibrary();
        SharedUsbState& s = Shared();
        if (address != s.lastLineAddress) {
            ClearInput();
            s.lastLineAddress = address;
        }
        const int device = DeviceOf(address);
        std::string raw;
        bool overlong = false;
        for (;;) {
            if (m_readPosition >= m_byteCount)
                ReadPacket(device);
            const uint8_t byte = m_packet[m_readPosition];
            if (byte == '\n') {
                ++m_readPosition;
                const bool packetDone = m_readPosition >= m_byteCount;
                // The control unit pads a packet with NUL bytes behind its line.
                const bool padding = !packetDone && m_packet[m_readPosition] == 0;
                if (padding)
                    m_readPosition = m_byteCount;
                if (!raw.empty() || packetDone || padding)
                    break;
                continue;
            }
            if (byte == '\r') {
                ++m_readPosition;
                continue;
            }
            ++m_readPosition;
            // The rest of a line longer than a reply is dropped up to its
            // end; read as the next reply it would answer the next command.
            if (raw.size() >= static_cast<size_t>(kReplyChars))
                overlong = true;
            if (!overlong)
                raw.push_back(static_cast<char>(byte));
        }
        SetReplyBytes(raw);
    } catch (CZelException& e) {
        m_status = statusLinkError;
        if (e.m_nErrorCode == kErrTransfer)
            MarkOutOfStep(address);
        EnsureMessage(e);
        throw;
    }
}

void CKiv406UsbInterface::ReadExactly(int device, uint8_t* data, int size)
{
    const int32_t n = Shared().fn.readB(device, data, size);
    m_transferCount = n;
    if (n != size)
        RaiseTransferFailure();
}

int CKiv406UsbInterface::ReadBlock(int16_t address, std::span<uint8_t> buffer, bool swap)
{
    if (buffer.size() > static_cast<size_t>(INT_MAX))
        throw std::length_error("CKiv406UsbInterface::ReadBlock: block too large");
    const int length = static_cast<int>(buffer.size());
    try {
        RequireLibrary();
        if (length > 0)
            buffer[0] = 0;
        if (m_waitMs > 0)
            fw::Clock().SleepMs(m_waitMs);
        const int device = DeviceOf(address);
        const int whole = length / kPacketBytes * kPacketBytes;
        for (int done = 0; done < whole;) {
            const int chunk = std::min(kChunkBytes, whole - done);
            ReadExactly(device, buffer.data() + done, chunk);
            done += chunk;
        }
        if (whole < length) {
            ReadExactly(device, m_packet, kPacketBytes);
            std::memcpy(buffer.data() + whole, m_packet, static_cast<size_t>(length - whole));
        }
        // The rest of the last packet is padding, not the start of a line.
        ClearInput();
        if (swap)
            SwapBytes16(buffer.data(), length);
        return length;
    } catch (CZelException& e) {
        m_status = statusLinkError;
        if (e.m_nErrorCode == kErrTransfer)
            MarkOutOfStep(address);
        EnsureMessage(e);
        throw;
    }
}

int CKiv406UsbInterface::IsUnitPresent(int16_t address)
{
    return DeviceOf(address);
}

void CKiv406UsbInterface::Reopen()
{
    m_status = statusOk;
    Close();
    Open();
}

void CKiv406UsbInterface::SetReplyTimeout(int seconds)
{
    m_replyTimeoutS = seconds;
    SharedUsbState& s = Shared();
    if (s.library.IsLoaded() && s.fn.setReadTimeout != nullptr)
        s.fn.setReadTimeout(seconds);
}

void CKiv406UsbInterface::Close()
{
    ReleaseReference();
    ClearInput();
    m_open = false;
}

void CKiv406UsbInterface::ClearInput()
{
    m_byteCount = 0;
    m_readPosition = 0;
}
