#pragma once

// A shared library loaded at run time by file name, its functions looked up
// by name (LoadLibrary/GetProcAddress/FreeLibrary). A plain file name is
// looked for in the program's own folder first, then where the system looks;
// a name with a slash is taken as it is. Each object holds at most one
// load, released by Unload or the destructor.

#include "framework/core/CString.h"

namespace fw {

class SharedLibrary {
public:
    SharedLibrary() = default;
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Unloads what was loaded before. False with Error() set on failure.
    bool Load(const CString& fileName);
    bool IsLoaded() const { return m_handle != nullptr; }
    // nullptr when nothing is loaded or the library has no such symbol.
    void* Symbol(const char* name) const;
    void Unload();
    // The system's text of the last failed Load.
    CString Error() const { return m_error; }

    // The folder of the running program, with a trailing slash; empty when
    // it cannot be told.
    static CString ProgramFolder();

private:
    void* m_handle = nullptr;
    CString m_error;
};

} // namespace fw
