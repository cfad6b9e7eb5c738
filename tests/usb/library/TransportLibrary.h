#pragma once

#include "usb/UsbTransport.h"

#include <string>

namespace usbtest {

// A transport library loaded the way the program loads it: by file name at
// run time, its functions looked up by name.
class TransportLibrary {
public:
    explicit TransportLibrary(const std::string& file);
    ~TransportLibrary();
    TransportLibrary(const TransportLibrary&) = delete;
    TransportLibrary& operator=(const TransportLibrary&) = delete;

    bool Loaded() const { return m_handle != nullptr; }
    void* Symbol(const char* name) const;

    Kiv406CountDevicesFn CountDevices = nullptr;
    Kiv406CloseFn Close = nullptr;
    Kiv406StatusFn Status = nullptr;
    Kiv406ReadAFn ReadA = nullptr;
    Kiv406ReadAsFn ReadAs = nullptr;
    Kiv406ReadBFn ReadB = nullptr;
    Kiv406WriteAFn WriteA = nullptr;
    Kiv406WriteBFn WriteB = nullptr;
    Kiv406SetReadTimeoutFn SetReadTimeout = nullptr;

private:
    void* m_handle = nullptr;
};

// Whether the library file is mapped into the process at all.
bool IsMapped(const std::string& file);

} // namespace usbtest
