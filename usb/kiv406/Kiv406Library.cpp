#include "usb/kiv406/Kiv406Library.h"

#include "usb/UsbTransport.h"
#include "usb/backend/ByteSearch.h"
#include "usb/backend/CommandFraming.h"
#include "usb/backend/LibrarySettings.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <mutex>

namespace kiv406 {

namespace {

constexpr size_t kPacket = kUsbPacketBytes;
constexpr size_t kLimit = kUsbTextReadLimit;
// A reply packet is followed by three NUL bytes in the caller's buffer.
constexpr size_t kReplyNuls = 3;
// Markers split over two packets are found by searching the last packet
// together with the end of the one before.
constexpr size_t kReplyWindow = 73;

} // namespace

Kiv406Library::Kiv406Library(usbio::BackendFactory backends, IdSource ids)
    : m_backends(std::move(backends)), m_ids(std::move(ids))
{
}

int Kiv406Library::open_dev2()
{
    m_backend = m_backends ? m_backends() : nullptr;
    if (!m_backend)
        return 0;
    const std::vector<usbio::UsbId> ids = m_ids ? m_ids() : std::vector<usbio::UsbId>{};
    const int present = m_backend->Enumerate(ids, std::numeric_limits<int>::max());
    // A device that does not open is skipped; the table has room for 32.
    int count = 0;
    for (int index = 0; index < present && count < kMaxDevices; ++index) {
        std::unique_ptr<usbio::IUsbConnection> handle = m_backend->Open(index);
        if (!handle)
            continue;
        m_slots[static_cast<size_t>(count)] = Slot{index, std::move(handle)};
        ++count;
    }
    return count;
}

int32_t Kiv406Library::CountDevices()
{
    std::unique_lock lock(m_listLock);
    if (m_open != 0)
        return kUsbErrAlreadyOpen;
    m_count = 0;
    m_slots = {};
    m_count = open_dev2();
    if (m_count == 0) {
        m_backend.reset();
        return kUsbErrNoDevice;
    }
    m_open = 1;
    return m_count;
}

void Kiv406Library::KivCloseDeviceHandle(int32_t device)
{
    m_slots[static_cast<size_t>(device - 1)].handle.reset();
}

int32_t Kiv406Library::Close()
{
    std::unique_lock lock(m_listLock);
    if (m_open == 0)
        return kUsbErrNotOpen;
    for (int32_t device = 1; device <= m_count; ++device)
        KivCloseDeviceHandle(device);
    m_backend.reset();
    m_open = 0;
    return 0;
}

int32_t Kiv406Library::CloseDevice(int32_t device)
{
    std::unique_lock lock(m_listLock);
    if (!BadDevice(device))
        KivCloseDeviceHandle(device);
    return 0;
}

int32_t Kiv406Library::Status()
{
    std::shared_lock lock(m_listLock);
    return m_open;
}

int32_t Kiv406Library::ResetPipe(int32_t device, int32_t)
{
    std::shared_lock lock(m_listLock);
    return BadDevice(device) ? kUsbErrBadPipeDevice : 0;
}

int32_t Kiv406Library::SetReadTimeout(int32_t seconds)
{
    m_readTimeoutMs = usbio::SecondsToMs(seconds);
    return seconds;
}

int32_t Kiv406Library::SetWriteTimeout(int32_t seconds)
{
    m_writeTimeoutMs = usbio::SecondsToMs(seconds);
    return seconds;
}

bool Kiv406Library::open_file(int32_t device, Pipe& pipe)
{
    if (!m_backend)
        return false;
    Slot& slot = m_slots[static_cast<size_t>(device - 1)];
    if (slot.handle) {
        pipe.connection = slot.handle.get();
        return true;
    }
    pipe.owned = m_backend->Open(slot.backendIndex);
    pipe.connection = pipe.owned.get();
    return pipe.connection != nullptr;
}

int Kiv406Library::KivReadPipe(int32_t device, uint8_t* data, size_t size)
{
    Pipe pipe;
    if (!open_file(device, pipe))
        return -2;
    // The wait is bounded even at a time-out of 0, which asks for no wait.
    const unsigned timeoutMs = static_cast<unsigned>(std::max<int32_t>(m_readTimeoutMs, 1));
    const usbio::TransferResult r = pipe.connection->BulkIn({data, size}, timeoutMs);
    return r.status == usbio::TransferStatus::Ok ? r.transferred : -1;
}

int Kiv406Library::KivWritePipe(int32_t device, const uint8_t* data, size_t size)
{
    Pipe pipe;
    if (!open_file(device, pipe))
        return -2;
    const unsigned timeoutMs = static_cast<unsigned>(std::max<int32_t>(m_writeTimeoutMs, 1));
    const usbio::TransferResult r = pipe.connection->BulkOut({data, size}, timeoutMs);
    return r.status == usbio::TransferStatus::Ok ? r.transferred : -1;
}

int32_t Kiv406Library::ReadA(int32_t device, char* buffer)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device))
        return kUsbErrNoDevice;
    if (buffer == nullptr)
        return kUsbErrShortPacket;
    size_t length = 0;
    for (;;) {
        uint8_t packet[kPacket];
        const int got = KivReadPipe(device, packet, kPacket);
        if (got == -2)
            return kUsbErrCannotOpen;
        if (got != static_cast<int>(kPacket))
            return kUsbErrShortPacket;
        for (uint8_t byte : packet) {
            // Room for this byte and the NUL behind the line.
            if (length + 2 > kLimit)
                return kUsbErrShortPacket;
            buffer[length++] = static_cast<char>(byte);
            if (byte == '\n' && length >= 2 && buffer[length - 2] == '\r') {
                buffer[length] = '\0';
                return static_cast<int32_t>(length);
            }
        }
    }
}

int32_t Kiv406Library::ReadAs(int32_t device, char* buffer)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device))
        return kUsbErrNoDevice;
    if (buffer == nullptr)
        return kUsbErrShortPacket;
    buffer[0] = '\0';
    auto* text = reinterpret_cast<uint8_t*>(buffer);
    size_t received = 0;
    for (;;) {
        if (received + kPacket + kReplyNuls > kLimit)
            return kUsbErrReplyTimeout;
        const int got = KivReadPipe(device, text + received, kPacket);
        if (got == -2)
            return kUsbErrCannotOpen;
        if (got == -1)
            return kUsbErrReplyTimeout;
        if (got != static_cast<int>(kPacket))
            return kUsbErrShortPacket;
        std::memset(text + received + kPacket, 0, kReplyNuls);
        received += kPacket;
        const size_t start = received <= kPacket ? 0 : received - kReplyWindow;
        // "END" decides over "ERR" inside the window. Padding NULs of earlier
        // packets are skipped over, not taken as the end of the text.
        size_t marker = usbio::FindBytes(text, start, received, "END");
        if (marker == usbio::kNotFound)
            marker = usbio::FindBytes(text, start, received, "ERR");
        if (marker == usbio::kNotFound)
            continue;
        const size_t lineEnd = usbio::FindBytes(text, marker + 3, received, "\r\n");
        if (lineEnd == usbio::kNotFound)
            continue;
        text[lineEnd + 2] = 0;
        return static_cast<int32_t>(lineEnd + 2);
    }
}

int32_t Kiv406Library::ReadA0(int32_t device, char* buffer)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device))
        return kUsbErrNoDevice;
    if (buffer == nullptr)
        return kUsbErrShortPacket;
    const int got = KivReadPipe(device, reinterpret_cast<uint8_t*>(buffer), kPacket);
    if (got == -2)
        return kUsbErrCannotOpen;
    return got == static_cast<int>(kPacket) ? got : kUsbErrShortPacket;
}

int32_t Kiv406Library::ReadB(int32_t device, void* buffer, int32_t length)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device))
        return kUsbErrNoDevice;
    if (buffer == nullptr)
        return 0;
    if (length < 0)
        return kUsbErrShortRead;
    if (length == 0)
        return 0;
    const int got = KivReadPipe(device, static_cast<uint8_t*>(buffer), static_cast<size_t>(length));
    if (got == -2)
        return kUsbErrCannotOpen;
    // The count that arrived decides, not the count that was asked for.
    return got == length ? length : kUsbErrShortRead;
}

int32_t Kiv406Library::WriteA(int32_t device, const char* text, int32_t length)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device))
        return kUsbErrNoDevice;
    if (length < 0 || length > kMaxCommandBytes)
        return kUsbErrBadLength;
    if (text == nullptr && length > 0)
        return 0;
    const size_t textBytes = static_cast<size_t>(length);
    const size_t blockBytes = usbio::CommandBlockBytes(textBytes);
    uint8_t block[1100];
    usbio::FrameCommand(block, text, textBytes);
    const int sent = KivWritePipe(device, block, blockBytes);
    if (sent == -2)
        return kUsbErrCannotOpen;
    return sent == static_cast<int>(blockBytes) ? sent : kUsbErrShortTextWrite;
}

int32_t Kiv406Library::WriteB(int32_t device, const void* buffer, int32_t length)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device))
        return kUsbErrNoDevice;
    if (length <= 0)
        return kUsbErrBadLength;
    if (buffer == nullptr)
        return 0;
    const int sent = KivWritePipe(device, static_cast<const uint8_t*>(buffer), static_cast<size_t>(length));
    if (sent == -2)
        return kUsbErrCannotOpen;
    if (sent != length)
        return kUsbErrShortRawWrite;
    // The zero-length transfer tells the device that the data ends here.
    KivWritePipe(device, nullptr, 0);
    return length;
}

Kiv406Library& TheKiv406Library()
{
    static Kiv406Library library(usbio::CreateSystemBackend, [] {
        const std::string file = usbio::SettingsFileFor(
            usbio::LibraryFileOf(reinterpret_cast<const void*>(&TheKiv406Library)));
        return usbio::ParseUsbIds(
            usbio::ReadSetting(file, Kiv406Library::kSection, usbio::kUsbIdKey).value_or(""));
    });
    return library;
}

} // namespace kiv406
