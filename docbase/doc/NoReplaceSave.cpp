#include "docbase/doc/NoReplaceSave.h"

#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

[[noreturn]] void ThrowErrno(int error, const fw::CString& path)
{
    fw::CFileException e(fw::CFileException::genericException, -1, path);
    e.m_errno = error;
    throw e;
}

} // namespace

NoReplaceResult WriteFileNoReplace(const fw::CString& path, const std::function<void(fw::CFile&)>& writer)
{
    static std::atomic<unsigned> counter{0};
    const fw::CString folder = fw::fs::FolderOf(path);
    const fw::CString base = fw::fs::FileNameOf(path);
    fw::CString temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = fw::fs::PathJoin(folder, fw::Format(".%s.%d-%u.new", base, static_cast<int>(::getpid()), counter++));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            ThrowErrno(errno, path);
    }
    if (fd < 0)
        ThrowErrno(EEXIST, path);

    fw::CFile file;
    file.Attach(fd, temp);
    try {
        writer(file);
        if (::fsync(file.GetHandle()) != 0)
            ThrowErrno(errno, path);
        file.Close();
        fw::CFileException err;
        if (!fw::fs::RenameNoReplace(temp, path, &err)) {
            ::unlink(temp.c_str());
            if (err.m_errno == EEXIST)
                return NoReplaceResult::nameTaken;
            err.m_strFileName = path;
            throw err;
        }
    } catch (...) {
        file.Abort();
        ::unlink(temp.c_str());
        throw;
    }
    return NoReplaceResult::written;
}
