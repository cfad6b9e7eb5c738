#include "common/cache/CacheFile.h"

#include "framework/core/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

struct CCacheFile::Pool {
    std::mutex lock;
    CCacheFile* newest = nullptr;
    CCacheFile* oldest = nullptr;
    int held = 0;

    static Pool& Get()
    {
        static Pool pool;
        return pool;
    }

    // Closes the least recently used idle descriptor; false when every
    // descriptor is in a read or write.
    bool CloseOldest()
    {
        for (CCacheFile* f = oldest; f; f = f->m_newer) {
            if (f->m_busy > 0)
                continue;
            ::close(f->m_fd);
            f->m_fd = -1;
            f->Unlink();
            return true;
        }
        return false;
    }

    void MakeRoom(int count)
    {
        const int limit = GetDescriptorLimit();
        while (held + count > limit && CloseOldest()) {
        }
    }

    // After the system refused a descriptor: half of the set goes.
    bool Shrink()
    {
        bool any = false;
        for (int n = std::max(held / 2, 1); n > 0 && CloseOldest(); --n)
            any = true;
        return any;
    }
};

// One read or write: the descriptor stays while it runs.
class CCacheFile::Use {
public:
    explicit Use(CCacheFile& file)
        : m_file(file)
    {
        Pool& pool = Pool::Get();
        std::lock_guard guard(pool.lock);
        file.Acquire();
        ++file.m_busy;
    }
    ~Use()
    {
        std::lock_guard guard(Pool::Get().lock);
        --m_file.m_busy;
    }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;
    int Fd() const { return m_file.m_fd; }

private:
    CCacheFile& m_file;
};

namespace {

bool OutOfDescriptors(int err) { return err == EMFILE || err == ENFILE; }

// The number after the last one made: a new name is found at once, where a
// search from a fresh start would try every name taken before it (thousands
// of channels made one search per channel grow with their count).
uint32_t g_nextNumber = 0;

uint32_t NumberOf(const fw::CString& path)
{
    const std::string name = fw::fs::FileNameOf(path).str();
    // "~WW" + four hexadecimal digits + ".tmp"
    return name.size() >= 11 ? static_cast<uint32_t>(std::strtoul(name.substr(3, 4).c_str(), nullptr, 16)) : 0;
}

bool MakeName(const fw::CString& folder, const char* prefix, fw::CString& path)
{
    static std::mutex lock;
    std::lock_guard guard(lock);
    const bool made = g_nextNumber == 0 ? fw::fs::CreateTempFile(folder, prefix, path)
                                        : fw::fs::detail::CreateTempFileFrom(folder, prefix, g_nextNumber, path);
    if (made)
        g_nextNumber = (NumberOf(path) & 0xFFFF) + 1;
    return made;
}

} // namespace

CCacheFile::~CCacheFile() { Drop(); }

int CCacheFile::GetDescriptorLimit()
{
    rlimit lim{};
    if (::getrlimit(RLIMIT_NOFILE, &lim) != 0 || lim.rlim_cur == RLIM_INFINITY)
        return kMaxDescriptors;
    const auto half = static_cast<int64_t>(lim.rlim_cur / 2);
    return static_cast<int>(std::clamp<int64_t>(half, kMinDescriptors, kMaxDescriptors));
}

int CCacheFile::GetDescriptorsHeld()
{
    Pool& pool = Pool::Get();
    std::lock_guard guard(pool.lock);
    return pool.held;
}

void CCacheFile::MakeRoom(int count)
{
    Pool& pool = Pool::Get();
    std::lock_guard guard(pool.lock);
    pool.MakeRoom(count);
}

void CCacheFile::Link()
{
    Pool& pool = Pool::Get();
    m_older = pool.newest;
    m_newer = nullptr;
    if (pool.newest)
        pool.newest->m_newer = this;
    pool.newest = this;
    if (!pool.oldest)
        pool.oldest = this;
    ++pool.held;
}

void CCacheFile::Unlink()
{
    Pool& pool = Pool::Get();
    if (m_newer)
        m_newer->m_older = m_older;
    else
        pool.newest = m_older;
    if (m_older)
        m_older->m_newer = m_newer;
    else
        pool.oldest = m_newer;
    m_newer = m_older = nullptr;
    --pool.held;
}

void CCacheFile::Acquire()
{
    Pool& pool = Pool::Get();
    if (m_fd >= 0) {
        if (pool.newest != this) {
            Unlink();
            Link();
        }
        return;
    }
    if (m_path.IsEmpty())
        fw::ThrowFileException(fw::CFileException::invalidFile, 6, m_path);
    pool.MakeRoom(1);
    int fd = ::open(m_path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && OutOfDescriptors(errno) && pool.Shrink())
        fd = ::open(m_path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        fw::ThrowFileErrno(errno, m_path);
    m_fd = fd;
    Link();
}

void CCacheFile::SetPath(const fw::CString& path)
{
    if (path == m_path)
        return;
    Drop();
    m_path = path;
}

bool CCacheFile::Open(fw::CFileException& err)
{
    try {
        Use use(*this);
        return true;
    } catch (const fw::CFileException& e) {
        err = e;
        return false;
    }
}

void CCacheFile::Drop()
{
    Pool& pool = Pool::Get();
    std::lock_guard guard(pool.lock);
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
    Unlink();
}

size_t CCacheFile::ReadAt(uint64_t offset, void* dest, size_t bytes)
{
    Use use(*this);
    auto* p = static_cast<char*>(dest);
    size_t done = 0;
    while (done < bytes) {
        const ssize_t got = ::pread(use.Fd(), p + done, bytes - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fw::ThrowFileErrno(errno, m_path);
        }
        if (got == 0)
            break;
        done += size_t(got);
    }
    return done;
}

void CCacheFile::WriteAt(uint64_t offset, const void* src, size_t bytes)
{
    Use use(*this);
    const auto* p = static_cast<const char*>(src);
    size_t done = 0;
    while (done < bytes) {
        const ssize_t put = ::pwrite(use.Fd(), p + done, bytes - done, static_cast<off_t>(offset + done));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            fw::ThrowFileErrno(errno, m_path);
        }
        if (put == 0)
            fw::ThrowFileErrno(ENOSPC, m_path);
        done += size_t(put);
    }
}

void CCacheFile::SetLength(uint64_t length)
{
    Use use(*this);
    while (::ftruncate(use.Fd(), static_cast<off_t>(length)) != 0) {
        if (errno != EINTR)
            fw::ThrowFileErrno(errno, m_path);
    }
}

uint64_t CCacheFile::GetLength()
{
    Use use(*this);
    struct stat st {};
    if (::fstat(use.Fd(), &st) != 0)
        fw::ThrowFileErrno(errno, m_path);
    return static_cast<uint64_t>(st.st_size);
}

bool CCacheFile::CreateUnique(const fw::CString& folder, const char* prefix, fw::CString& path,
                              fw::CFileException& err)
{
    MakeRoom(1);
    errno = 0;
    bool made = MakeName(folder, prefix, path);
    if (!made && OutOfDescriptors(errno)) {
        Pool& pool = Pool::Get();
        std::unique_lock guard(pool.lock);
        const bool freed = pool.Shrink();
        guard.unlock();
        if (freed)
            made = MakeName(folder, prefix, path);
    }
    if (!made) {
        // Every name taken leaves errno at EEXIST: the folder is full.
        err = fw::CFileException::FromErrno(errno != 0 ? errno : EEXIST, fw::fs::PathJoin(folder, prefix));
        return false;
    }
    return true;
}
