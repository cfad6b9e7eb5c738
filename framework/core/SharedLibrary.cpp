#include "framework/core/SharedLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <string>

namespace fw {

SharedLibrary::~SharedLibrary()
{
    Unload();
}

CString SharedLibrary::ProgramFolder()
{
    std::string path(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0)
        return CString();
    path.resize(static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? CString() : CString(path.substr(0, slash + 1));
}

bool SharedLibrary::Load(const CString& fileName)
{
    Unload();
    m_error = CString();
    const std::string name(fileName.view());
    if (name.find('/') == std::string::npos) {
        const CString folder = ProgramFolder();
        if (!folder.IsEmpty())
            m_handle = ::dlopen((std::string(folder.view()) + name).c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    if (m_handle == nullptr)
        m_handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle == nullptr) {
        const char* error = ::dlerror();
        m_error = CString(error != nullptr ? error : "");
        return false;
    }
    return true;
}

void* SharedLibrary::Symbol(const char* name) const
{
    return m_handle == nullptr || name == nullptr ? nullptr : ::dlsym(m_handle, name);
}

void SharedLibrary::Unload()
{
    if (m_handle != nullptr)
        ::dlclose(m_handle);
    m_handle = nullptr;
}

} // namespace fw
