#include "framework/core/File.h"

#include "framework/core/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

int OpenFlagsToPosix(unsigned flags)
{
    int oflags = O_CLOEXEC;
    switch (flags & 3) {
    case CFile::modeWrite: oflags |= O_WRONLY; break;
    case CFile::modeReadWrite: oflags |= O_RDWR; break;
    default: oflags |= O_RDONLY; break;
    }
    if (flags & CFile::modeCreate) {
        oflags |= O_CREAT;
        if (!(flags & CFile::modeNoTruncate))
            oflags |= O_TRUNC;
    }
    return oflags;
}

bool FolderOfExists(const std::string& path)
{
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return true;
    std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

CFile::CFile(const CString& path, unsigned flags)
{
    CFileException err;
    if (!Open(path, flags, &err))
        throw err;
}

CFile::~CFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CFile::Open(const CString& path, unsigned flags, CFileException* err)
{
    if (m_fd >= 0)
        Abort();
    m_path = path;
    m_flags = flags;
    int fd = ::open(path.c_str(), OpenFlagsToPosix(flags), 0666);
    int e = fd < 0 ? errno : 0;
    if (fd >= 0) {
        // Windows refuses to open a folder as a file; so do we.
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd);
            fd = -1;
            e = EISDIR;
        }
    }
    if (fd < 0) {
        if (err) {
            *err = CFileException::FromErrno(e, path);
            // A missing folder is a bad path, as Windows reports it.
            if (e == ENOENT && !FolderOfExists(path.str())) {
                err->m_cause = CFileException::badPath;
                err->m_lOsError = 3;
            }
        }
        return false;
    }
    m_fd = fd;
    return true;
}

void CFile::ThrowErrno(int err) const
{
    ThrowFileErrno(err, m_path);
}

size_t CFile::ReadSome(void* buffer, size_t count)
{
    if (m_fd < 0)
        ThrowFileException(CFileException::invalidFile, 6, m_path);
    size_t done = 0;
    auto* p = static_cast<char*>(buffer);
    while (done < count) {
        ssize_t n = ::read(m_fd, p + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

size_t CFile::Read(void* buffer, size_t count)
{
    return ReadSome(buffer, count);
}

void CFile::WriteAll(const void* buffer, size_t count)
{
    if (m_fd < 0)
        ThrowFileException(CFileException::invalidFile, 6, m_path);
    auto* p = static_cast<const char*>(buffer);
    while (count > 0) {
        ssize_t n = ::write(m_fd, p, count);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(errno);
        }
        p += n;
        count -= static_cast<size_t>(n);
    }
}

void CFile::Write(const void* buffer, size_t count)
{
    WriteAll(buffer, count);
}

uint64_t CFile::Seek(int64_t offset, SeekPosition from)
{
    if (m_fd < 0)
        ThrowFileException(CFileException::invalidFile, 6, m_path);
    int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
    off_t r = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    if (r < 0)
        ThrowFileException(CFileException::badSeek, 25, m_path);
    return static_cast<uint64_t>(r);
}

uint64_t CFile::GetPosition() const
{
    if (m_fd < 0)
        ThrowFileException(CFileException::invalidFile, 6, m_path);
    off_t r = ::lseek(m_fd, 0, SEEK_CUR);
    if (r < 0)
        ThrowErrno(errno);
    return static_cast<uint64_t>(r);
}

uint64_t CFile::GetLength() const
{
    if (m_fd < 0)
        ThrowFileException(CFileException::invalidFile, 6, m_path);
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        ThrowErrno(errno);
    return static_cast<uint64_t>(st.st_size);
}

void CFile::SetLength(uint64_t length)
{
    if (m_fd < 0)
        ThrowFileException(CFileException::invalidFile, 6, m_path);
    if (::ftruncate(m_fd, static_cast<off_t>(length)) != 0)
        ThrowErrno(errno);
}

void CFile::Flush()
{
    if (m_fd < 0)
        return;
    if (::fdatasync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
        ThrowErrno(errno);
}

void CFile::Close()
{
    if (m_fd < 0)
        return;
    int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        ThrowErrno(errno);
}

void CFile::Abort()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void CFile::Attach(int fd, const CString& path)
{
    Abort();
    m_fd = fd;
    m_path = path;
}

int CFile::Detach()
{
    int fd = m_fd;
    m_fd = -1;
    return fd;
}

CString CFile::GetFileName() const
{
    const std::string& p = m_path.str();
    auto cut = p.find_last_of("/\\");
    return cut == std::string::npos ? m_path : CString(p.substr(cut + 1));
}

void CFile::Remove(const CString& path)
{
    if (::unlink(path.c_str()) != 0)
        ThrowFileErrno(errno, path);
}

void CFile::Rename(const CString& oldPath, const CString& newPath)
{
    if (::rename(oldPath.c_str(), newPath.c_str()) != 0)
        ThrowFileErrno(errno, oldPath);
}

} // namespace fw
