#include "framework/core/File.h"

#include "framework/core/Cp932.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {

bool IsAscii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

} // namespace

CStdioFile::CStdioFile(const CString& path, unsigned flags)
{
    CFileException err;
    if (!Open(path, flags, &err))
        throw err;
}

CStdioFile::~CStdioFile()
{
    try {
        FlushWrite();
    } catch (...) {
        // Lost here; Close() reports it.
    }
}

bool CStdioFile::Open(const CString& path, unsigned flags, CFileException* err)
{
    m_rpos = m_rend = m_wlen = 0;
    m_text = !(flags & typeBinary);
    if (m_buf.empty())
        m_buf.resize(kBufferSize);
    return CFile::Open(path, flags & ~(typeText | typeBinary), err);
}

void CStdioFile::FlushWrite()
{
    if (m_wlen == 0)
        return;
    size_t n = m_wlen;
    m_wlen = 0;
    WriteAll(m_buf.data(), n);
}

void CStdioFile::DropReadAhead()
{
    if (m_rpos != m_rend)
        CFile::Seek(-static_cast<int64_t>(m_rend - m_rpos), current);
    m_rpos = m_rend = 0;
}

bool CStdioFile::FillRead()
{
    FlushWrite();
    m_rpos = 0;
    m_rend = 0;
    m_rend = ReadSome(m_buf.data(), m_buf.size());
    return m_rend > 0;
}

void CStdioFile::PutBytes(const char* data, size_t count)
{
    if (m_rend != 0)
        DropReadAhead();
    if (m_wlen + count > m_buf.size()) {
        FlushWrite();
        if (count >= m_buf.size()) {
            WriteAll(data, count);
            return;
        }
    }
    std::memcpy(m_buf.data() + m_wlen, data, count);
    m_wlen += count;
}

size_t CStdioFile::Read(void* buffer, size_t count)
{
    FlushWrite();
    auto* p = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count) {
        if (m_rpos == m_rend) {
            if (count - done >= m_buf.size()) {
                done += ReadSome(p + done, count - done);
                break;
            }
            if (!FillRead())
                break;
        }
        size_t n = std::min(count - done, m_rend - m_rpos);
        std::memcpy(p + done, m_buf.data() + m_rpos, n);
        m_rpos += n;
        done += n;
    }
    return done;
}

void CStdioFile::Write(const void* buffer, size_t count)
{
    PutBytes(static_cast<const char*>(buffer), count);
}

uint64_t CStdioFile::Seek(int64_t offset, SeekPosition from)
{
    if (from == current) {
        int64_t target = static_cast<int64_t>(GetPosition()) + offset;
        if (target < 0)
            ThrowFileException(CFileException::badSeek, 25, m_path);
        offset = target;
        from = begin;
    }
    FlushWrite();
    m_rpos = m_rend = 0;
    return CFile::Seek(offset, from);
}

uint64_t CStdioFile::GetPosition() const
{
    uint64_t pos = CFile::GetPosition();
    return pos + m_wlen - (m_rend - m_rpos);
}

uint64_t CStdioFile::GetLength() const
{
    uint64_t length = CFile::GetLength();
    // Pending bytes may reach beyond the end the system knows.
    return std::max(length, GetPosition());
}

void CStdioFile::SetLength(uint64_t length)
{
    FlushWrite();
    DropReadAhead();
    CFile::SetLength(length);
}

void CStdioFile::Flush()
{
    FlushWrite();
    DropReadAhead();
}

void CStdioFile::Close()
{
    try {
        FlushWrite();
    } catch (...) {
        CFile::Abort();
        throw;
    }
    m_rpos = m_rend = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_rpos = m_rend = m_wlen = 0;
    CFile::Abort();
}

bool CStdioFile::ReadString(CString& line)
{
    std::string bytes;
    bool any = false;
    bool sawLineFeed = false;
    for (;;) {
        if (m_rpos == m_rend && !FillRead())
            break;
        any = true;
        const char* start = m_buf.data() + m_rpos;
        size_t avail = m_rend - m_rpos;
        const void* lf = std::memchr(start, '\n', avail);
        if (lf) {
            size_t n = static_cast<size_t>(static_cast<const char*>(lf) - start);
            bytes.append(start, n);
            m_rpos += n + 1;
            sawLineFeed = true;
            break;
        }
        bytes.append(start, avail);
        m_rpos = m_rend;
    }
    if (m_text && sawLineFeed && !bytes.empty() && bytes.back() == '\r')
        bytes.pop_back();
    if (IsAscii(bytes))
        line = CString(std::move(bytes));
    else
        line = CString(cp932::FromCp932(bytes));
    return any;
}

void CStdioFile::WriteString(const CString& text)
{
    std::string bytes = IsAscii(text.view()) ? text.str() : cp932::ToCp932(text.view());
    if (!m_text) {
        PutBytes(bytes.data(), bytes.size());
        return;
    }
    // CP932 trail bytes are never 0x0A, so the split is safe on the bytes.
    size_t from = 0;
    for (;;) {
        size_t lf = bytes.find('\n', from);
        if (lf == std::string::npos) {
            PutBytes(bytes.data() + from, bytes.size() - from);
            return;
        }
        PutBytes(bytes.data() + from, lf - from);
        PutBytes("\r\n", 2);
        from = lf + 1;
    }
}

} // namespace fw
