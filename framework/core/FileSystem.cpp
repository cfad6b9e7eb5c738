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
#include <csignal>
#include <string>
#include <string_view>
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

namespace {

std::atomic<unsigned> g_temporaryCounter{0};

// ".<name>.<pid>-<n>.new": the pid of the writer, or 0 when the name is
// not of this form.
pid_t WriterOfTemporary(const std::string& name)
{
    constexpr std::string_view kTail = ".new";
    if (name.size() < 8 || name[0] != '.' || name.compare(name.size() - kTail.size(), kTail.size(), kTail) != 0)
        return 0;
    const std::string stem = name.substr(0, name.size() - kTail.size());
    const size_t dot = stem.rfind('.');
    if (dot == 0 || dot == std::string::npos)
        return 0;
    const std::string tag = stem.substr(dot + 1);
    const size_t dash = tag.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == tag.size() || dash > 9)
        return 0;
    if (tag.find_first_not_of("0123456789-") != std::string::npos || tag.find('-', dash + 1) != std::string::npos)
        return 0;
    return static_cast<pid_t>(std::stol(tag.substr(0, dash)));
}

// A file being written for `target`: unnamed where the file system offers
// it, else under a temporary name.
struct PendingFile {
    int fd = -1;
    CString named;
};

PendingFile OpenPending(const CString& target)
{
    const CString folder = FolderOf(target);
    PendingFile pending;
    // Leftovers of writers killed mid-way (older versions, or file systems
    // without unnamed files) go before this folder gets a new file.
    RemoveStaleTemporaries(folder.IsEmpty() ? CString(".") : folder);
#ifdef O_TMPFILE
    pending.fd = ::open(folder.IsEmpty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (pending.fd >= 0)
        return pending;
#endif
    const CString base = FileNameOf(target);
    for (int attempt = 0; attempt < 100 && pending.fd < 0; ++attempt) {
        pending.named = PathJoin(folder, Format(".%s.%d-%u.new", base, static_cast<int>(::getpid()),
                                                g_temporaryCounter++));
        pending.fd = ::open(pending.named.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (pending.fd < 0 && errno != EEXIST)
            ThrowFileErrno(errno, target);
    }
    if (pending.fd < 0)
        ThrowFileErrno(EEXIST, target);
    return pending;
}

// Gives an unnamed file the name `to`; fails (errno set) when it is taken.
bool LinkUnnamed(int fd, const CString& to)
{
    if (::linkat(fd, "", AT_FDCWD, to.c_str(), AT_EMPTY_PATH) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    // Without the capability that AT_EMPTY_PATH asks for, through /proc.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// Writes and syncs; on any failure the pending file goes and the
// exception passes on.
void FillPending(CFile& file, PendingFile& pending, const CString& target,
                 const std::function<void(CFile&)>& writer, const struct stat* old)
{
    file.Attach(pending.fd, pending.named.IsEmpty() ? target : pending.named);
    try {
        writer(file);
        if (old)
            ::fchmod(file.GetHandle(), old->st_mode & 07777);
        if (::fsync(file.GetHandle()) != 0)
            ThrowFileErrno(errno, target);
    } catch (...) {
        file.Abort();
        if (!pending.named.IsEmpty())
            ::unlink(pending.named.c_str());
        throw;
    }
}

} // namespace

int RemoveStaleTemporaries(const CString& folder)
{
    int removed = 0;
    for (const CString& name : ListFolder(folder, ".*.new", false)) {
        const pid_t writer = WriterOfTemporary(name.str());
        // A process that still runs (or that this user may not ask about)
        // may still be writing.
        if (writer <= 0 || writer == ::getpid() || ::kill(writer, 0) == 0 || errno != ESRCH)
            continue;
        const CString full = PathJoin(folder, name);
        struct stat st {};
        if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(full.c_str()) == 0)
            ++removed;
    }
    return removed;
}

void AtomicReplace(const CString& path, const std::function<void(CFile&)>& writer)
{
    const CString folder = FolderOf(path);
    struct stat old {};
    const bool hadOld = ::stat(path.c_str(), &old) == 0;

    PendingFile pending = OpenPending(path);
    CFile file;
    FillPending(file, pending, path, writer, hadOld ? &old : nullptr);
    if (pending.named.IsEmpty()) {
        // An unnamed file cannot be renamed over the old one: it gets a
        // temporary name for the moment of the rename.
        for (int attempt = 0; attempt < 100 && pending.named.IsEmpty(); ++attempt) {
            const CString name = PathJoin(folder, Format(".%s.%d-%u.new", FileNameOf(path),
                                                         static_cast<int>(::getpid()), g_temporaryCounter++));
            if (LinkUnnamed(file.GetHandle(), name))
                pending.named = name;
            else if (errno != EEXIST) {
                const int error = errno;
                file.Abort();
                ThrowFileErrno(error, path);
            }
        }
        if (pending.named.IsEmpty()) {
            file.Abort();
            ThrowFileErrno(EEXIST, path);
        }
    }
    file.Close();
    if (::rename(pending.named.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(pending.named.c_str());
        ThrowFileErrno(error, path);
    }
    SyncFolder(folder);
}

bool WriteNoReplace(const CString& path, const std::function<void(CFile&)>& writer)
{
    PendingFile pending = OpenPending(path);
    CFile file;
    FillPending(file, pending, path, writer, nullptr);
    if (pending.named.IsEmpty()) {
        const bool linked = LinkUnnamed(file.GetHandle(), path);
        const int error = errno;
        file.Close();
        if (linked) {
            SyncFolder(FolderOf(path));
            return true;
        }
        if (error == EEXIST)
            return false;
        ThrowFileErrno(error, path);
    }
    file.Close();
    CFileException err;
    if (!RenameNoReplace(pending.named, path, &err)) {
        ::unlink(pending.named.c_str());
        if (err.m_errno == EEXIST)
            return false;
        err.m_strFileName = path;
        throw err;
    }
    SyncFolder(FolderOf(path));
    return true;
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
