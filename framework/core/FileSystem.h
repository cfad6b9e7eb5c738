#pragma once

// File-system services that the program's file handling builds on: sorted
// listings with wildcard patterns, saves that never destroy the previous
// file, moves that never overwrite, and the "~WW%04X.tmp" temporary files.

#include "framework/core/CString.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace fw {
class CFile;
class CFileException;
}

namespace fw::fs {

// '*' any run of characters, '?' one character; "*.*" matches every name,
// as on Windows. Letters compare without ASCII case when noCase is set.
bool MatchWildcard(std::string_view pattern, std::string_view name, bool noCase = true);

// Names (not paths) of the folder's entries matching pattern, sorted by
// their bytes; "." and ".." are left out. Empty when the folder cannot be read.
std::vector<CString> ListFolder(const CString& folder, const CString& pattern = "*", bool noCase = true);

// The path of `name` in `folder`: the exact name when it exists, else the
// first (sorted) entry equal to it without ASCII case; empty when none.
CString FindFileNoCase(const CString& folder, const CString& name);

// Bytes available to this user on the file system holding path.
std::optional<uint64_t> DiskFree(const CString& path);

// Copies a file; fails when `to` exists (the error then carries EEXIST).
bool CopyNoReplace(const CString& from, const CString& to, CFileException* err = nullptr);

// Renames; fails when `to` exists. Falls back to link + unlink on file
// systems without an atomic no-replace rename.
bool RenameNoReplace(const CString& from, const CString& to, CFileException* err = nullptr);

// Writes `path` through a temporary file in the same folder: the writer
// fills the file, which is then synced and renamed over `path`. When the
// writer or the sync throws, the temporary file is removed, the old file is
// untouched, and the exception passes on. The temporary file has no name
// while it is written where the file system allows (a process killed
// mid-way leaves nothing); elsewhere it is ".<name>.<pid>-<n>.new", and
// such files of processes that no longer run are removed first.
void AtomicReplace(const CString& path, const std::function<void(CFile&)>& writer);
// The same for a name that must not exist yet: false, with nothing
// written, when the name is taken (also when it was taken meanwhile).
bool WriteNoReplace(const CString& path, const std::function<void(CFile&)>& writer);
// Removes the temporary files of AtomicReplace and WriteNoReplace in
// `folder` whose process no longer runs; answers how many went.
int RemoveStaleTemporaries(const CString& folder);

// folder + '/' + name (no doubled separator; an empty folder gives name).
CString PathJoin(const CString& folder, const CString& name);
// The part after the last '/' or '\\'.
CString FileNameOf(const CString& path);
// The part before the last '/' or '\\' (empty when there is none).
CString FolderOf(const CString& path);
// The folder of the running executable.
CString ModuleFolder();

// Creates an empty file named prefix (first three characters) + "%04X" +
// ".tmp" with O_EXCL and mode 0600, as GetTempFileName did. The first number
// is (pid ^ steady milliseconds) & 0xFFFF, 0 is skipped, taken names count
// up with wrap-around. False after a full cycle or on any error other than
// an existing name.
bool CreateTempFile(const CString& folder, const CString& prefix, CString& path);
// Removes the regular files of folder matching pattern (without case);
// answers how many went.
int DeleteMatching(const CString& folder, const CString& pattern);

namespace detail {
// CreateTempFile from a given first number (tests).
bool CreateTempFileFrom(const CString& folder, const CString& prefix, uint32_t first, CString& path);
}

} // namespace fw::fs
