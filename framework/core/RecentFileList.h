#pragma once

// The most-recently-used file list of the File menu, kept in the profile
// section "Recent File List" under the keys File1..FileN.

#include "framework/core/CString.h"

#include <vector>

namespace fw {

class CProfile;

class CRecentFileList {
public:
    explicit CRecentFileList(int size = 4, const char* section = "Recent File List", const char* entryFormat = "File%d");

    int GetSize() const { return m_size; }
    int GetCount() const { return static_cast<int>(m_files.size()); }
    const CString& operator[](int index) const { return m_files.at(static_cast<size_t>(index)); }
    // Puts `path` first; an entry of the same path moves up, the last one
    // falls off when the list is full. An empty path is ignored.
    void Add(const CString& path);
    void Remove(int index);
    void Clear() { m_files.clear(); }

    void ReadList(CProfile& profile);
    // Writes every slot; empty slots lose their key.
    void WriteList(CProfile& profile) const;

private:
    CString KeyOf(int index) const;

    int m_size;
    CString m_section;
    CString m_entryFormat;
    std::vector<CString> m_files;
};

} // namespace fw
