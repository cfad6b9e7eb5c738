#pragma once

// The temporary file of a cache tank, read and written at offsets.
//
// Its descriptor is one of a bounded set shared by every cache file of the
// process: a file that is not being read or written at this moment may
// lose its descriptor to another one and opens its file again on its next
// use. A program of thousands of channels thus works under any descriptor
// limit. The set holds at most half of the soft descriptor limit (and at
// most kMaxDescriptors), so that links, documents and the toolkit keep the
// other half; the least recently used descriptor goes first.
//
// Values reach the file with plain writes at once: a descriptor that goes
// holds nothing unwritten, so closing it loses nothing.

#include "framework/core/CString.h"
#include "framework/core/Exceptions.h"

#include <cstddef>
#include <cstdint>

class CCacheFile {
public:
    static constexpr int kMinDescriptors = 8;
    static constexpr int kMaxDescriptors = 4096;

    CCacheFile() = default;
    ~CCacheFile();
    CCacheFile(const CCacheFile&) = delete;
    CCacheFile& operator=(const CCacheFile&) = delete;

    // The file the descriptor is for; a different path gives up the old
    // descriptor.
    void SetPath(const fw::CString& path);
    const fw::CString& GetPath() const { return m_path; }

    // Makes sure the file can be opened for reading and writing now; false
    // with the cause in err.
    bool Open(fw::CFileException& err);
    // Gives the descriptor back (the file stays).
    void Drop();
    bool HoldsDescriptor() const { return m_fd >= 0; }

    // The bytes read; fewer only at the end of the file.
    size_t ReadAt(uint64_t offset, void* dest, size_t bytes);
    // All of them, or CFileException.
    void WriteAt(uint64_t offset, const void* src, size_t bytes);
    void SetLength(uint64_t length);
    uint64_t GetLength();

    // A new empty file "<prefix>XXXX.tmp" in folder; false with the cause
    // in err. The name is made while a descriptor is free.
    static bool CreateUnique(const fw::CString& folder, const char* prefix, fw::CString& path,
                             fw::CFileException& err);
    // Frees descriptors of the set until `count` more can be opened under
    // its bound (for code that opens cache files by path, as the coder).
    static void MakeRoom(int count);

    // The bound of the set at the current soft limit, and the descriptors
    // it holds.
    static int GetDescriptorLimit();
    static int GetDescriptorsHeld();

private:
    class Use;
    friend class Use;
    struct Pool;

    // Opens the descriptor when it went; the caller holds the pool's lock.
    void Acquire();
    void Link();
    void Unlink();

    fw::CString m_path;
    int m_fd = -1;
    int m_busy = 0; // reads and writes running on the descriptor
    CCacheFile* m_newer = nullptr;
    CCacheFile* m_older = nullptr;
};
