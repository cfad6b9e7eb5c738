#include "instrument/system/HistCount.h"

#include "framework/core/Exceptions.h"

#include <algorithm>

void CHistCountObj::CreateCountTank()
{
    m_counts.assign(static_cast<size_t>(GetWordCount()), 0);
}

int CHistCountObj::GetWordCount() const
{
    const int slices = std::max(0, static_cast<int>(m_plusSlices)) + std::max(0, static_cast<int>(m_minusSlices));
    return m_operation == 4 || m_operation == 6 ? slices : 2 * slices;
}

bool CHistCountObj::SetCounts(int first, const int32_t* words, int wordCount)
{
    if (first < 0 || wordCount < 0 || (wordCount > 0 && !words) ||
        static_cast<size_t>(first) + static_cast<size_t>(wordCount) > m_counts.size())
        return false;
    std::copy(words, words + wordCount, m_counts.begin() + first);
    return true;
}

void CHistCountObj::ReverseSides()
{
    std::reverse(m_counts.begin(), m_counts.end());
}

CHistCountArray::~CHistCountArray() { RemoveAll(); }

CHistCountObj* CHistCountArray::GetAt(int index) const
{
    if (index < 0 || index >= GetSize())
        fw::ThrowInvalidArgException();
    return m_entries[static_cast<size_t>(index)];
}

CHistCountObj*& CHistCountArray::ElementAt(int index)
{
    if (index < 0 || index >= GetSize())
        fw::ThrowInvalidArgException();
    return m_entries[static_cast<size_t>(index)];
}

void CHistCountArray::SetAt(int index, CHistCountObj* entry)
{
    CHistCountObj* old = GetAt(index);
    m_entries[static_cast<size_t>(index)] = entry;
    if (old != entry)
        ReleaseHistCount(old);
}

void CHistCountArray::RemoveAll()
{
    std::vector<CHistCountObj*> entries;
    entries.swap(m_entries);
    for (CHistCountObj* entry : entries)
        ReleaseHistCount(entry);
}

void ReleaseHistCount(CHistCountObj* entry)
{
    if (entry && entry->Release())
        delete entry;
}
