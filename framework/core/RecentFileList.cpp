#include "framework/core/RecentFileList.h"

#include "framework/core/Profile.h"

#include <algorithm>
#include <string>

namespace fw {

CRecentFileList::CRecentFileList(int size, const char* section, const char* entryFormat)
    : m_size(std::max(size, 0)), m_section(section), m_entryFormat(entryFormat)
{
}

CString CRecentFileList::KeyOf(int index) const
{
    // The format holds one %d (the slot from 1).
    CString key = m_entryFormat;
    key.Replace("%d", std::to_string(index + 1).c_str());
    return key;
}

void CRecentFileList::Add(const CString& path)
{
    if (path.IsEmpty() || m_size == 0)
        return;
    std::erase(m_files, path);
    m_files.insert(m_files.begin(), path);
    if (static_cast<int>(m_files.size()) > m_size)
        m_files.resize(static_cast<size_t>(m_size));
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetCount())
        m_files.erase(m_files.begin() + index);
}

void CRecentFileList::ReadList(CProfile& profile)
{
    m_files.clear();
    for (int i = 0; i < m_size; ++i) {
        const CString path = profile.GetProfileString(m_section.c_str(), KeyOf(i).c_str(), "");
        if (!path.IsEmpty() && std::find(m_files.begin(), m_files.end(), path) == m_files.end())
            m_files.push_back(path);
    }
}

void CRecentFileList::WriteList(CProfile& profile) const
{
    for (int i = 0; i < m_size; ++i) {
        const CString key = KeyOf(i);
        if (i < GetCount())
            profile.WriteProfileString(m_section.c_str(), key.c_str(), m_files[static_cast<size_t>(i)].c_str());
        else
            profile.WriteProfileString(m_section.c_str(), key.c_str(), nullptr);
    }
}

} // namespace fw
