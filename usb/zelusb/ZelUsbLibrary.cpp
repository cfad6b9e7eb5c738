#include "usb/zelusb/ZelUsbLibrary.h"

#include "usb/UsbTransport.h"
#include "usb/backend/ByteSearch.h"
#include "usb/backend/CommandFraming.h"
#include "usb/backend/LibrarySettings.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>
#include <string_view>
#include <vector>

namespace zelusb {

namespace {

using usbio::IUsbConnection;

constexpr size_t kPacket = kUsbPacketBytes;
constexpr uint8_t kDeviceDescriptorType = 1;
constexpr uint8_t kConfigDescriptorType = 2;
constexpr size_t kDeviceDescriptorBytes = 18;
constexpr size_t kConfigDescriptorBytes = 9;

std::string_view Terminator(bool threeBytes)
{
    using namespace std::string_view_literals;
    return threeBytes ? "\r\n\0"sv : "\r\n"sv;
}

// The bound of a text read: the caller's length when given (never
// negative), else the library-wide limit.
size_t TextLimit(const int32_t* length)
{
    if (length == nullptr)
        return kUsbTextReadLimit;
    return static_cast<size_t>(std::max<int32_t>(*length, 0));
}

// Hands `n` bytes of `work` to the caller, with a NUL behind them only
// when that still fits below the limit.
void Deliver(char* buffer, const std::vector<uint8_t>& work, size_t n, size_t limit)
{
    std::memcpy(buffer, work.data(), n);
    if (n < limit)
        buffer[n] = '\0';
}

} // namespace

ZelUsbLibrary::ZelUsbLibrary(usbio::BackendFactory backends, SettingsSource settings)
    : m_backends(std::move(backends)), m_settingsSource(std::move(settings))
{
}

void ZelUsbLibrary::ZelLoadInterfaceGuid()
{
    m_settings = m_settingsSource ? m_settingsSource() : Settings{};
    if (m_settings.interfaceClass.empty())
        m_settings.interfaceClass = kDefaultInterfaceClass;
    if (m_settings.interfaceClass.size() > kInterfaceClassChars)
        m_settings.interfaceClass.resize(kInterfaceClassChars);
}

std::string ZelUsbLibrary::InterfaceClass() const
{
    std::shared_lock lock(m_listLock);
    return m_settings.interfaceClass;
}

int32_t ZelUsbLibrary::CountDevices()
{
    std::unique_lock lock(m_listLock);
    if (m_backend)
        return kUsbErrAlreadyOpen;
    ZelLoadInterfaceGuid();
    std::unique_ptr<usbio::IUsbBackend> backend = m_backends ? m_backends() : nullptr;
    const int found = backend ? backend->Enumerate(m_settings.ids, kMaxDevices) : 0;
    m_count = std::clamp(found, 0, kMaxDevices);
    if (m_count == 0)
        return kUsbErrNoDevice;
    m_backend = std::move(backend);
    return m_count;
}

int32_t ZelUsbLibrary::Close()
{
    std::unique_lock lock(m_listLock);
    if (!m_backend)
        return kUsbErrNotOpen;
    m_backend.reset();
    return 0;
}

int32_t ZelUsbLibrary::CloseDevice(int32_t)
{
    return 0;
}

int32_t ZelUsbLibrary::GetDeviceCounts()
{
    std::shared_lock lock(m_listLock);
    return m_backend ? m_count : 0;
}

int32_t ZelUsbLibrary::Status()
{
    std::shared_lock lock(m_listLock);
    return m_backend ? 1 : 0;
}

int32_t ZelUsbLibrary::ResetPipe(int32_t device, int32_t)
{
    std::shared_lock lock(m_listLock);
    return BadDevice(device) ? kUsbErrBadPipeDevice : 0;
}

int32_t ZelUsbLibrary::SetReadTimeout(int32_t seconds)
{
    m_readTimeoutMs = usbio::SecondsToMs(seconds);
    return seconds;
}

int32_t ZelUsbLibrary::SetWriteTimeout(int32_t seconds)
{
    m_writeTimeoutMs = usbio::SecondsToMs(seconds);
    return seconds;
}

std::unique_ptr<IUsbConnection> ZelUsbLibrary::ZelOpenDeviceFile(int32_t device)
{
    if (!m_backend)
        return nullptr;
    return m_backend->Open(device - 1);
}

int ZelUsbLibrary::ZelReadPipe(IUsbConnection& connection, uint8_t* data, size_t size)
{
    // A negative time-out counts as 0, which waits without limit.
    const unsigned timeoutMs = static_cast<unsigned>(std::max<int32_t>(m_readTimeoutMs, 0));
    const usbio::TransferResult r = connection.BulkIn({data, size}, timeoutMs);
    return r.status == usbio::TransferStatus::Ok ? r.transferred : -1;
}

int ZelUsbLibrary::ZelWritePipe(IUsbConnection& connection, const uint8_t* data, size_t size)
{
    // Writes honour the write time-out, so a device that stops taking data
    // cannot hold the caller for ever.
    const unsigned timeoutMs = static_cast<unsigned>(std::max<int32_t>(m_writeTimeoutMs, 0));
    const usbio::TransferResult r = connection.BulkOut({data, size}, timeoutMs);
    return r.status == usbio::TransferStatus::Ok ? r.transferred : -1;
}

int32_t ZelUsbLibrary::ReadB(int32_t device, void* buffer, int32_t length)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device))
        return kUsbErrNoDevice;
    if (buffer == nullptr)
        return 0;
    std::unique_ptr<IUsbConnection> connection = ZelOpenDeviceFile(device);
    if (!connection)
        return kUsbErrCannotOpen;
    if (length < 0)
        return kUsbErrShortRead;
    if (length == 0)
        return 0;
    const int got = ZelReadPipe(*connection, static_cast<uint8_t*>(buffer), static_cast<size_t>(length));
    return got == length ? length : kUsbErrShortRead;
}

int32_t ZelUsbLibrary::WriteA(int32_t device, const char* text, int32_t length)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device))
        return kUsbErrNoDevice;
    if (length <= 0)
        return kUsbErrBadLength;
    if (text == nullptr)
        return 0;
    std::unique_ptr<IUsbConnection> connection = ZelOpenDeviceFile(device);
    if (!connection)
        return kUsbErrCannotOpen;
    const size_t textBytes = static_cast<size_t>(length);
    const size_t blockBytes = usbio::CommandBlockBytes(textBytes);
    if (blockBytes > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return kUsbErrBadLength;
    std::vector<uint8_t> block;
    try {
        block.resize(blockBytes);
    } catch (const std::bad_alloc&) {
        return kUsbErrShortTextWrite;
    }
    usbio::FrameCommand(block.data(), text, textBytes);
    const int sent = ZelWritePipe(*connection, block.data(), block.size());
    return sent == static_cast<int>(blockBytes) ? sent : kUsbErrShortTextWrite;
}

int32_t ZelUsbLibrary::WriteB(int32_t device, const void* buffer, int32_t length)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device))
        return kUsbErrNoDevice;
    if (length <= 0)
        return kUsbErrBadLength;
    if (buffer == nullptr)
        return 0;
    std::unique_ptr<IUsbConnection> connection = ZelOpenDeviceFile(device);
    if (!connection)
        return kUsbErrCannotOpen;
    const int sent = ZelWritePipe(*connection, static_cast<const uint8_t*>(buffer),
                                  static_cast<size_t>(length));
    return sent == length ? length : kUsbErrShortRawWrite;
}

int32_t ZelUsbLibrary::ZelQueryDescriptor(int32_t device, unsigned char* buffer, uint8_t type,
                                          size_t size)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device) || buffer == nullptr)
        return 0;
    std::unique_ptr<IUsbConnection> connection = ZelOpenDeviceFile(device);
    if (!connection)
        return 0;
    return connection->GetDescriptor(type, {buffer, size}) > 0 ? 1 : 0;
}

int32_t ZelUsbLibrary::GetDeviceDescriptor(int32_t device, unsigned char* buffer)
{
    return ZelQueryDescriptor(device, buffer, kDeviceDescriptorType, kDeviceDescriptorBytes);
}

int32_t ZelUsbLibrary::GetConfigDescriptor(int32_t device, unsigned char* buffer)
{
    return ZelQueryDescriptor(device, buffer, kConfigDescriptorType, kConfigDescriptorBytes);
}

int32_t ZelUsbLibrary::ZelReadPacket(int32_t device, char* buffer, int32_t* length, bool nulToBlank)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device))
        return kUsbErrNoDevice;
    const auto fail = [length](int32_t code) {
        if (length != nullptr)
            *length = code;
        return code;
    };
    if (buffer == nullptr)
        return fail(kUsbErrShortPacket);
    std::unique_ptr<IUsbConnection> connection = ZelOpenDeviceFile(device);
    if (!connection)
        return fail(kUsbErrCannotOpen);
    uint8_t packet[kPacket];
    if (ZelReadPipe(*connection, packet, kPacket) != static_cast<int>(kPacket))
        return fail(kUsbErrShortPacket);
    if (nulToBlank)
        std::replace(std::begin(packet), std::end(packet), uint8_t{0}, uint8_t{' '});
    if (length == nullptr) {
        std::memcpy(buffer, packet, kPacket);
        return static_cast<int32_t>(kPacket);
    }
    const size_t n = std::min(kPacket, TextLimit(length));
    std::memcpy(buffer, packet, n);
    *length = static_cast<int32_t>(n);
    return 0;
}

int32_t ZelUsbLibrary::ZelReadLine(int32_t device, char* buffer, int32_t* length, LineOptions options)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device))
        return kUsbErrNoDevice;
    if (buffer == nullptr)
        return kUsbErrShortPacket;
    std::unique_ptr<IUsbConnection> connection = ZelOpenDeviceFile(device);
    if (!connection)
        return kUsbErrCannotOpen;

    const size_t limit = TextLimit(length);
    const std::string_view terminator = Terminator(options.threeByteTerminator);
    usbio::GrowingSearch search(terminator);
    std::vector<uint8_t> work;
    size_t received = 0;
    size_t end = usbio::kNotFound;
    while (received < limit) {
        // One byte more than the packets, for the NUL behind a text that
        // ends with the last byte received.
        work.resize(received + kPacket + 1);
        if (ZelReadPipe(*connection, work.data() + received, kPacket) != static_cast<int>(kPacket))
            return kUsbErrShortPacket;
        received += kPacket;
        const size_t p = search.Find(work.data(), 0, received);
        if (p != usbio::kNotFound) {
            end = options.keepCrLf ? p + 2 : p;
            work[end] = 0;
            break;
        }
    }
    // A line counts as found only when its end fits the caller's bound.
    const bool found = end != usbio::kNotFound && end <= limit;
    const size_t n = std::min(limit, end != usbio::kNotFound ? end : received);
    if (length == nullptr && !found)
        return kUsbErrShortPacket;
    Deliver(buffer, work, n, limit);
    if (length == nullptr)
        return static_cast<int32_t>(n);
    *length = static_cast<int32_t>(n);
    return found ? 1 : 0;
}

int32_t ZelUsbLibrary::ZelReadReply(int32_t device, char* buffer, int32_t* length,
                                    ReplyOptions options)
{
    std::shared_lock lock(m_listLock);
    if (BadDevice(device))
        return kUsbErrNoDevice;
    if (buffer == nullptr)
        return kUsbErrShortPacket;
    std::unique_ptr<IUsbConnection> connection = ZelOpenDeviceFile(device);
    if (!connection)
        return kUsbErrCannotOpen;

    const size_t limit = TextLimit(length);
    const std::string_view terminator = Terminator(options.threeByteTerminator);
    usbio::GrowingSearch endSearch("END");
    usbio::GrowingSearch errorSearch("ERR-");
    usbio::GrowingSearch lineSearch(terminator);
    std::vector<uint8_t> work;
    size_t received = 0;
    size_t scanStart = 0;
    int32_t kind = 0;
    bool complete = false;
    while (received < limit && !complete) {
        if (work.size() < received + kPacket + 1)
            work.resize(received + kPacket + 1);
        if (ZelReadPipe(*connection, work.data() + received, kPacket) != static_cast<int>(kPacket))
            return kUsbErrShortPacket;
        received += kPacket;
        const size_t endAt = endSearch.Find(work.data(), scanStart, received);
        const size_t errorAt = errorSearch.Find(work.data(), scanStart, received);
        // When both markers occur, the later one decides.
        size_t searchFrom = scanStart;
        kind = 0;
        if (endAt != usbio::kNotFound && (errorAt == usbio::kNotFound || endAt > errorAt)) {
            kind = 1;
            searchFrom = endAt;
        } else if (errorAt != usbio::kNotFound) {
            kind = 2;
            searchFrom = errorAt;
        }
        if (!options.lineScanning && kind == 0)
            continue;
        const size_t p = lineSearch.Find(work.data(), searchFrom, received);
        if (p == usbio::kNotFound)
            continue;
        received = p + 2;
        scanStart = received;
        if (kind != 0) {
            work[received] = 0;
            complete = true;
        }
    }
    complete = complete && received <= limit;
    const size_t n = std::min(limit, received);
    if (length == nullptr && !complete)
        return kUsbErrShortPacket;
    Deliver(buffer, work, n, limit);
    if (length == nullptr)
        return static_cast<int32_t>(n);
    *length = static_cast<int32_t>(n);
    return complete ? kind : 0;
}

ZelUsbLibrary& TheZelUsbLibrary()
{
    static ZelUsbLibrary library(usbio::CreateSystemBackend, [] {
        Settings settings;
        const std::string file = usbio::SettingsFileFor(
            usbio::LibraryFileOf(reinterpret_cast<const void*>(&TheZelUsbLibrary)));
        settings.interfaceClass =
            usbio::ReadSetting(file, ZelUsbLibrary::kSection, "GUID").value_or(ZelUsbLibrary::kDefaultInterfaceClass);
        settings.ids = usbio::ParseUsbIds(
            usbio::ReadSetting(file, ZelUsbLibrary::kSection, usbio::kUsbIdKey).value_or(""));
        return settings;
    });
    return library;
}

} // namespace zelusb
