#include "common/base/ArchiveTags.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <cstring>
#include <vector>

void WriteArchiveTag(fw::CArchive& ar, const char* tag)
{
    if (tag)
        ar.Write(tag, std::strlen(tag));
}

bool PeekArchiveTag(fw::CArchive& ar, const char* tag)
{
    if (!tag || !ar.IsLoading())
        return false;
    const size_t length = std::strlen(tag);
    if (length == 0)
        return false;
    // Flushing puts the file at the logical read position, so the position
    // taken here is the one to come back to.
    ar.Flush();
    const uint64_t start = ar.Tell();
    std::vector<char> bytes(length);
    bool present = false;
    try {
        const size_t got = ar.Read(bytes.data(), length);
        present = got == length && std::memcmp(bytes.data(), tag, length) == 0;
    } catch (const fw::CArchiveException&) {
        present = false;
    }
    if (!present) {
        ar.Flush();
        ar.Seek(start);
    }
    return present;
}
