#pragma once

#include "usb/backend/UsbBackend.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <shared_mutex>
#include <string>

namespace zelusb {

// How a line read ends and what it hands back.
struct LineOptions {
    bool threeByteTerminator = false;  // CR LF NUL instead of CR LF
    bool keepCrLf = true;
};

struct ReplyOptions {
    bool threeByteTerminator = false;
    // Each finished line moves the write position to just after its CR LF,
    // so the next packet overwrites the padding behind it.
    bool lineScanning = false;
};

struct Settings {
    std::string interfaceClass;
    std::vector<usbio::UsbId> ids;
};

// The state and transfers of the ZELUSB transport library. Only the list
// of present devices lives between calls; every transfer opens the device,
// moves its data and releases it again, so an unplugged device merely
// fails its next transfers.
class ZelUsbLibrary {
public:
    static constexpr int kMaxDevices = 128;
    static constexpr int32_t kDefaultTimeoutMs = 1000;
    static constexpr const char* kSection = "ZELUSB";
    static constexpr const char* kDefaultInterfaceClass = "{AC3624C6-CCA3-4878-971E-451E280150AC}";
    static constexpr size_t kInterfaceClassChars = 40;

    using SettingsSource = std::function<Settings()>;

    ZelUsbLibrary(usbio::BackendFactory backends, SettingsSource settings);

    int32_t CountDevices();
    int32_t Close();
    int32_t CloseDevice(int32_t device);
    int32_t GetDeviceCounts();
    int32_t Status();
    int32_t ResetPipe(int32_t device, int32_t pipe);

    int32_t SetReadTimeout(int32_t seconds);
    int32_t SetWriteTimeout(int32_t seconds);
    int32_t GetReadTimeout() const { return m_readTimeoutMs / 1000; }
    int32_t GetWriteTimeout() const { return m_writeTimeoutMs / 1000; }

    int32_t ReadB(int32_t device, void* buffer, int32_t length);
    int32_t WriteA(int32_t device, const char* text, int32_t length);
    int32_t WriteB(int32_t device, const void* buffer, int32_t length);
    int32_t GetDeviceDescriptor(int32_t device, unsigned char* buffer);
    int32_t GetConfigDescriptor(int32_t device, unsigned char* buffer);

    // With `length`, its value in bounds the bytes delivered and its value
    // out tells how many were; without, the bound is kUsbTextReadLimit.
    int32_t ZelReadLine(int32_t device, char* buffer, int32_t* length, LineOptions options);
    int32_t ZelReadReply(int32_t device, char* buffer, int32_t* length, ReplyOptions options);
    int32_t ZelReadPacket(int32_t device, char* buffer, int32_t* length, bool nulToBlank);

    // The device interface class read by the last CountDevices; Linux finds
    // devices by id, so it is kept for the record only.
    std::string InterfaceClass() const;

private:
    bool BadDevice(int32_t device) const { return device < 1 || device > m_count; }
    void ZelLoadInterfaceGuid();
    std::unique_ptr<usbio::IUsbConnection> ZelOpenDeviceFile(int32_t device);
    int ZelReadPipe(usbio::IUsbConnection& connection, uint8_t* data, size_t size);
    int ZelWritePipe(usbio::IUsbConnection& connection, const uint8_t* data, size_t size);
    int32_t ZelQueryDescriptor(int32_t device, unsigned char* buffer, uint8_t type, size_t size);

    usbio::BackendFactory m_backends;
    SettingsSource m_settingsSource;

    // Transfers share the device list; counting and closing replace it.
    mutable std::shared_mutex m_listLock;
    std::unique_ptr<usbio::IUsbBackend> m_backend;  // set while the list is open
    int32_t m_count = 0;
    Settings m_settings;
    std::atomic<int32_t> m_readTimeoutMs{kDefaultTimeoutMs};
    std::atomic<int32_t> m_writeTimeoutMs{kDefaultTimeoutMs};
};

// The process's instance behind the exported functions; it reads its
// settings from the ".ini" beside the library file.
ZelUsbLibrary& TheZelUsbLibrary();

} // namespace zelusb
