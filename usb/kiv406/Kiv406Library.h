#pragma once

#include "usb/backend/UsbBackend.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <shared_mutex>

namespace kiv406 {

// The state and transfers of the kiv406 transport library. Counting the
// devices opens every present device and keeps it open until Close (or
// CloseDevice); each transfer uses that connection, or a connection of its
// own when the device was closed on its own.
class Kiv406Library {
public:
    static constexpr int kMaxDevices = 32;
    static constexpr int32_t kDefaultReadTimeoutMs = 300000;
    static constexpr int32_t kDefaultWriteTimeoutMs = 10000;
    // The command block holds 1100 bytes: the longest command that fits
    // with CR LF and padding to 64 bytes.
    static constexpr int32_t kMaxCommandBytes = 1086;
    static constexpr const char* kSection = "KIV406";

    using IdSource = std::function<std::vector<usbio::UsbId>()>;

    Kiv406Library(usbio::BackendFactory backends, IdSource ids);

    int32_t CountDevices();
    int32_t Close();
    int32_t CloseDevice(int32_t device);
    int32_t Status();
    int32_t ResetPipe(int32_t device, int32_t pipe);

    int32_t SetReadTimeout(int32_t seconds);
    int32_t SetWriteTimeout(int32_t seconds);
    int32_t GetReadTimeout() const { return m_readTimeoutMs / 1000; }
    int32_t GetWriteTimeout() const { return m_writeTimeoutMs / 1000; }

    int32_t ReadA(int32_t device, char* buffer);
    int32_t ReadAs(int32_t device, char* buffer);
    int32_t ReadA0(int32_t device, char* buffer);
    int32_t ReadB(int32_t device, void* buffer, int32_t length);
    int32_t WriteA(int32_t device, const char* text, int32_t length);
    int32_t WriteB(int32_t device, const void* buffer, int32_t length);

private:
    struct Slot {
        int backendIndex = -1;
        std::unique_ptr<usbio::IUsbConnection> handle;  // empty after CloseDevice
    };

    // The connection one transfer uses: the device's own, or one opened
    // for this transfer and released with it.
    class Pipe {
    public:
        usbio::IUsbConnection* connection = nullptr;
        std::unique_ptr<usbio::IUsbConnection> owned;
    };

    bool BadDevice(int32_t device) const { return device < 1 || device > m_count; }
    int open_dev2();
    bool open_file(int32_t device, Pipe& pipe);
    // Bytes read, -1 on time-out or failure, -2 when the pipe cannot be opened.
    int KivReadPipe(int32_t device, uint8_t* data, size_t size);
    int KivWritePipe(int32_t device, const uint8_t* data, size_t size);
    void KivCloseDeviceHandle(int32_t device);

    usbio::BackendFactory m_backends;
    IdSource m_ids;

    mutable std::shared_mutex m_listLock;
    std::unique_ptr<usbio::IUsbBackend> m_backend;
    std::array<Slot, kMaxDevices> m_slots;
    int32_t m_open = 0;
    int32_t m_count = 0;
    std::atomic<int32_t> m_readTimeoutMs{kDefaultReadTimeoutMs};
    std::atomic<int32_t> m_writeTimeoutMs{kDefaultWriteTimeoutMs};
};

// The process's instance behind the exported functions.
Kiv406Library& TheKiv406Library();

} // namespace kiv406
