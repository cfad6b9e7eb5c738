#pragma once

// The single-instance guard: an exclusive lock on a file in the data
// folder, held for the life of the process. A second process finds the
// lock taken and ends without a word.

#include "framework/core/CString.h"

namespace fw {

class InstanceLock {
public:
    InstanceLock() = default;
    // Releases the lock.
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process now holds the lock on `path` (created when
    // missing). False when another holder has it or the file cannot be
    // opened.
    bool Acquire(const CString& path);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace fw
