#include "framework/core/File.h"

#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(size_t growBy) : m_growBy(growBy ? growBy : 1024) {}

CMemFile::CMemFile(std::span<const uint8_t> bytes) : m_growBy(1024), m_data(bytes.begin(), bytes.end()) {}

bool CMemFile::Open(const CString&, unsigned, CFileException*)
{
    ThrowNotSupportedException();
}

size_t CMemFile::Read(void* buffer, size_t count)
{
    if (m_pos >= m_data.size())
        return 0;
    size_t n = std::min<uint64_t>(count, m_data.size() - m_pos);
    std::memcpy(buffer, m_data.data() + m_pos, n);
    m_pos += n;
    return n;
}

void CMemFile::Write(const void* buffer, size_t count)
{
    if (count == 0)
        return;
    if (count > std::numeric_limits<size_t>::max() - m_pos)
        throw std::bad_alloc();
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    const size_t endPos = static_cast<size_t>(m_pos) + count;
    if (endPos > m_data.capacity())
        m_data.reserve(std::max(endPos + m_growBy, m_data.capacity() * 2));
    // A gap left by seeking past the end reads as zeros.
    if (m_pos > m_data.size())
        m_data.resize(static_cast<size_t>(m_pos));
    // Bytes past the end are appended, not zero-filled first and then
    // overwritten: saving a large document writes every byte once.
    const size_t inside = std::min(count, m_data.size() - static_cast<size_t>(m_pos));
    std::memcpy(m_data.data() + m_pos, bytes, inside);
    m_data.insert(m_data.end(), bytes + inside, bytes + count);
    m_pos = endPos;
}

uint64_t CMemFile::Seek(int64_t offset, SeekPosition from)
{
    int64_t base = from == current ? static_cast<int64_t>(m_pos)
                 : from == end     ? static_cast<int64_t>(m_data.size())
                                   : 0;
    int64_t target = base + offset;
    if (target < 0)
        ThrowFileException(CFileException::badSeek, 25, m_path);
    // Beyond the end is allowed; a later write fills the gap with zeros.
    m_pos = static_cast<uint64_t>(target);
    return m_pos;
}

void CMemFile::SetLength(uint64_t length)
{
    m_data.resize(static_cast<size_t>(length));
    if (m_pos > length)
        m_pos = length;
}

void CMemFile::Close()
{
    m_data.clear();
    m_data.shrink_to_fit();
    m_pos = 0;
}

void CMemFile::Attach(std::vector<uint8_t> bytes)
{
    m_data = std::move(bytes);
    m_pos = 0;
}

std::vector<uint8_t> CMemFile::Detach()
{
    std::vector<uint8_t> out = std::move(m_data);
    m_data.clear();
    m_pos = 0;
    return out;
}

} // namespace fw
