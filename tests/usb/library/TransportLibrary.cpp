#include "tests/usb/library/TransportLibrary.h"

#include <dlfcn.h>

namespace usbtest {

namespace {

template <class Fn> void Resolve(const TransportLibrary& lib, Fn& fn, const char* name)
{
    fn = reinterpret_cast<Fn>(lib.Symbol(name));
}

} // namespace

TransportLibrary::TransportLibrary(const std::string& file)
{
    m_handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle == nullptr)
        return;
    Resolve(*this, CountDevices, "Kiv406CountDevices");
    Resolve(*this, Close, "Kiv406Close");
    Resolve(*this, Status, "Kiv406Status");
    Resolve(*this, ReadA, "Kiv406ReadA");
    Resolve(*this, ReadAs, "Kiv406ReadAs");
    Resolve(*this, ReadB, "Kiv406ReadB");
    Resolve(*this, WriteA, "Kiv406WriteA");
    Resolve(*this, WriteB, "Kiv406WriteB");
    Resolve(*this, SetReadTimeout, "Kiv406SetReadTimeout");
}

TransportLibrary::~TransportLibrary()
{
    if (m_handle != nullptr)
        ::dlclose(m_handle);
}

void* TransportLibrary::Symbol(const char* name) const
{
    return m_handle == nullptr ? nullptr : ::dlsym(m_handle, name);
}

bool IsMapped(const std::string& file)
{
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        return false;
    ::dlclose(handle);
    return true;
}

} // namespace usbtest
