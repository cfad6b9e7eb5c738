#include "framework/core/FileSystem.h"

#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>

namespace fw::fs {

namespace {

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

size_t Utf8Len(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

bool SameChar(char a, char b, bool noCase)
{
    return noCase ? FoldAscii(a) == FoldAscii(b) : a == b;
}

void SetErr(CFileException* err, int e, const CString& path)
{
    if (err)
        *err = CFileException::FromErrno(e, path);
}

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

void SyncFolder(const CString& folder)
{
    Fd dir(::open(folder.IsEmpty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get()); // best effort: some file systems refuse it
}

} // namespace

bool MatchWildcard(std::string_view pattern, std::string_view name, bool noCase)
{
    if (pattern == "*.*")
        pattern = "*";
    // Iterative matcher with one backtrack point per '*'.
    size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += Utf8Len(static_cast<unsigned char>(name[n]));
        } else if (p < pattern.size() && SameChar(pattern[p], name[n], noCase)) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP;
            starN += Utf8Len(static_cast<unsigned char>(name[starN]));
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size() && n == name.size();
}

std::vector<CString> ListFolder(const CString& folder, const CString& pattern, bool noCase)
{
    std::vector<CString> names;
    DIR* dir = ::opendir(folder.IsEmpty() ? "." : folder.c_str());
    if (!dir)
        return names;
    while (dirent* e = ::readdir(dir)) {
        std::string_view name(e->d_name);
        if (name == "." || name == "..")
            continue;
        if (MatchWildcard(pattern.view(), name, noCase))
            names.emplace_back(std::string(name));
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

CString FindFileNoCase(const CString& folder, const CString& name)
{
    CString exact = PathJoin(folder, name);
    struct stat st {};
    if (::stat(exact.c_str(), &st) == 0)
        return exact;
    for (const CString& entry : ListFolder(folder, "*", false))
        if (entry.CompareNoCase(name) == 0)
            return PathJoin(folder, entry);
    return {};
}

std::optional<uint64_t> DiskFree(const CString& path)
{
    struct statvfs vfs {};
    if (::statvfs(path.c_str(), &vfs) != 0)
        return std::nullopt;
    return static_cast<uint64_t>(vfs.f_bavail) * static_cast<uint64_t>(vfs.f_frsize);
}

bool CopyNoReplace(const CString& from, const CString& to, CFileException* err)
{
    Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0) {
        SetErr(err, errno, from);
        return false;
    }
    struct stat st {};
    ::fstat(in.get(), &st);
    Fd out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, (st.st_mode & 0777) | 0600));
    if (out.get() < 0) {
        SetErr(err, errno, to);
        return false;
    }
    std::vector<char> buf(256 * 1024);
    for (;;) {
        ssize_t n = ::read(in.get(), buf.data(), buf.size());
        if (n < 0 && errno == EINTR)
            continue;
        int e = errno;
        if (n < 0) {
            SetErr(err, e, from);
            ::unlink(to.c_str());
            return false;
        }
        if (n == 0)
            break;
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out.get(), buf.data() + done, static_cast<size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0) {
                SetErr(err, errno, to);
                ::unlink(to.c_str());
                return false;
            }
            done += w;
        }
    }
    if (::close(out.release()) != 0) {
        SetErr(err, errno, to);
        ::unlink(to.c_str());
        return false;
    }
    return true;
}

bool RenameNoReplace(const CString& from, const CString& to, CFileException* err)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    int e = errno;
    if (e != EINVAL && e != ENOSYS && e != ENOTSUP) {
        SetErr(err, e, e == EEXIST ? to : from);
        return false;
    }
    // No atomic form here: a hard link cannot replace either.
    if (::link(from.c_str(), to.c_str()) != 0) {
        e = errno;
        SetErr(err, e, e == EEXIST ? to : from);
        return false;
    }
    if (::unlink(from.c_str()) != 0) {
        e = errno;
        ::unlink(to.c_str());
        SetErr(err, e, from);
        return false;
    }
    return true;
}

void AtomicReplace(const CString& path, const std::function<void(CFile&)>& writer)
{
    static std::atomic<unsigned> counter{0};
    CString folder = FolderOf(path);
    CString base = FileNameOf(path);
    struct stat old {};
    bool hadOld = ::stat(path.c_str(), &old) == 0;

    CString temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = PathJoin(folder, Format(".%s.%d-%u.new", base, static_cast<int>(::getpid()), counter++));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            ThrowFileErrno(errno, path);
    }
    if (fd < 0)
        ThrowFileErrno(EEXIST, path);

    CFile file;
    file.Attach(fd, temp);
    try {
        writer(file);
        if (hadOld)
            ::fchmod(file.GetHandle(), old.st_mode & 07777);
        if (::fsync(file.GetHandle()) != 0)
            ThrowFileErrno(errno, path);
        file.Close();
        if (::rename(temp.c_str(), path.c_str()) != 0)
            ThrowFileErrno(errno, path);
    } catch (...) {
        file.Abort();
        ::unlink(temp.c_str());
        throw;
    }
    SyncFolder(folder);
}

CString PathJoin(const CString& folder, const CString& name)
{
    if (folder.IsEmpty())
        return name;
    std::string f = folder.str();
    while (f.size() > 1 && f.back() == '/')
        f.pop_back();
    if (f == "/")
        return CString(f + name.str());
    return CString(f + "/" + name.str());
}

CString FileNameOf(const CString& path)
{
    auto cut = path.str().find_last_of("/\\");
    return cut == std::string::npos ? path : CString(path.str().substr(cut + 1));
}

CString FolderOf(const CString& path)
{
    auto cut = path.str().find_last_of("/\\");
    if (cut == std::string::npos)
        return {};
    return cut == 0 ? CString("/") : CString(path.str().substr(0, cut));
}

CString ModuleFolder()
{
    std::string buf(4096, '\0');
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0)
        return {};
    buf.resize(static_cast<size_t>(n));
    return FolderOf(CString(buf));
}

namespace detail {

bool CreateTempFileFrom(const CString& folder, const CString& prefix, uint32_t first, CString& path)
{
    constexpr uint32_t kNumbers = 0xFFFF; // 1..FFFF; 0 is never used
    CString head = prefix.Left(3);
    uint32_t number = first & 0xFFFF;
    if (number == 0)
        number = 1;
    for (uint32_t tried = 0; tried < kNumbers; ++tried) {
        CString candidate = PathJoin(folder, head + Format("%04X.tmp", number));
        int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            path = candidate;
            return true;
        }
        if (errno != EEXIST)
            return false;
        number = number == 0xFFFF ? 1 : number + 1;
    }
    return false;
}

} // namespace detail

bool CreateTempFile(const CString& folder, const CString& prefix, CString& path)
{
    auto first = static_cast<uint32_t>(::getpid()) ^ static_cast<uint32_t>(Clock().SteadyMs());
    return detail::CreateTempFileFrom(folder, prefix, first, path);
}

int DeleteMatching(const CString& folder, const CString& pattern)
{
    int removed = 0;
    for (const CString& name : ListFolder(folder, pattern, true)) {
        CString full = PathJoin(folder, name);
        struct stat st {};
        if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(full.c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace fw::fs
