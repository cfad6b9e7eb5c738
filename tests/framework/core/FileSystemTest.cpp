#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "tests/framework/core/FileTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <regex>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

using namespace fw;
namespace fsx = fw::fs;

namespace {

using filetest::ReadAll;
using filetest::Str;
using filetest::WriteAll;

TEST(FileSystemTest, WildcardMatching)
{
    struct Row { const char* pattern; const char* name; bool noCase; bool match; };
    const Row rows[] = {
        {"~WW*.tmp", "~WW12AB.tmp", true, true},   {"~WW*.tmp", "~ww12ab.TMP", true, true},
        {"~WW*.tmp", "~ww12ab.TMP", false, false}, {"~WW*.tmp", "x~WW1.tmp", true, false},
        {"~WW*.tmp", "~WW1.tmpx", true, false},    {"*.*", "noext", true, true},
        {"CH??.dat", "CH01.DAT", true, true},      {"CH??.dat", "CH1.dat", true, false},
        {"?.txt", "日.txt", true, true},            {"a*b*c", "aXbYbZc", true, true},
        {"*", "", true, true},                     {"a*", "", true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.pattern) + " / " + row.name);
        EXPECT_EQ(fsx::MatchWildcard(row.pattern, row.name, row.noCase), row.match);
    }
}

TEST(FileSystemTest, ListFolderIsSortedAndFiltered)
{
    kivtest::TempDir dir;
    for (const char* n : {"b.HED", "a.hed", "c.dat", "B.hed"})
        WriteAll(dir / n, "");
    EXPECT_EQ(fsx::ListFolder(Str(dir.Path()), "*.hed"), (std::vector<CString>{"B.hed", "a.hed", "b.HED"}));
    EXPECT_EQ(fsx::ListFolder(Str(dir.Path()), "*.hed", false), (std::vector<CString>{"B.hed", "a.hed"}));
    EXPECT_TRUE(fsx::ListFolder(Str(dir / "missing")).empty());
}

TEST(FileSystemTest, FindFileNoCasePrefersTheExactName)
{
    kivtest::TempDir dir;
    WriteAll(dir / "DATA.HED", "");
    WriteAll(dir / "data.hed", "");
    WriteAll(dir / "Only.Dat", "");
    EXPECT_EQ(fsx::FindFileNoCase(Str(dir.Path()), "data.hed"), Str(dir / "data.hed"));
    EXPECT_EQ(fsx::FindFileNoCase(Str(dir.Path()), "ONLY.DAT"), Str(dir / "Only.Dat"));
    EXPECT_EQ(fsx::FindFileNoCase(Str(dir.Path()), "none.dat"), CString());
}

TEST(FileSystemTest, RenameAndCopyNeverReplace)
{
    kivtest::TempDir dir;
    WriteAll(dir / "a", "A");
    WriteAll(dir / "b", "B");
    CFileException err;
    EXPECT_FALSE(fsx::RenameNoReplace(Str(dir / "a"), Str(dir / "b"), &err));
    EXPECT_EQ(err.m_errno, EEXIST);
    EXPECT_FALSE(fsx::CopyNoReplace(Str(dir / "a"), Str(dir / "b"), &err));
    EXPECT_EQ(err.m_errno, EEXIST);
    EXPECT_EQ(ReadAll(dir / "a"), "A");
    EXPECT_EQ(ReadAll(dir / "b"), "B");

    EXPECT_TRUE(fsx::CopyNoReplace(Str(dir / "a"), Str(dir / "c")));
    EXPECT_EQ(ReadAll(dir / "c"), "A");
    EXPECT_TRUE(fsx::RenameNoReplace(Str(dir / "a"), Str(dir / "d")));
    EXPECT_FALSE(std::filesystem::exists(dir / "a"));
    EXPECT_EQ(ReadAll(dir / "d"), "A");
}

TEST(FileSystemTest, AtomicReplaceWritesAndKeepsTheMode)
{
    kivtest::TempDir dir;
    auto path = dir / "doc.kiv";
    WriteAll(path, "old");
    chmod(path.c_str(), 0640);
    fsx::AtomicReplace(Str(path), [](CFile& f) { f.Write("new content", 11); });
    EXPECT_EQ(ReadAll(path), "new content");
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(fsx::ListFolder(Str(dir.Path())), (std::vector<CString>{"doc.kiv"}));
}

TEST(FileSystemTest, AtomicReplaceKeepsTheOldFileWhenTheWriterFails)
{
    kivtest::TempDir dir;
    auto path = dir / "doc.kiv";
    WriteAll(path, "old");
    EXPECT_THROW(fsx::AtomicReplace(Str(path),
                                    [](CFile& f) {
                                        f.Write("partial", 7);
                                        throw std::runtime_error("writer failed");
                                    }),
                 std::runtime_error);
    EXPECT_EQ(ReadAll(path), "old");
    EXPECT_EQ(fsx::ListFolder(Str(dir.Path())), (std::vector<CString>{"doc.kiv"}));
}

TEST(FileSystemTest, AtomicReplaceIntoAMissingFolderFails)
{
    kivtest::TempDir dir;
    EXPECT_THROW(fsx::AtomicReplace(Str(dir / "no" / "x"), [](CFile&) {}), CFileException);
}

// A process that ends (as if killed) in the middle of its writer.
void KilledWhileWriting(const std::function<void(const std::function<void(CFile&)>&)>& save)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        save([](CFile& f) {
            f.Write("half", 4);
            ::_exit(0);
        });
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

pid_t DeadPid()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

TEST(FileSystemTest, ASaveKilledMidWayLeavesNoFileBehind)
{
    kivtest::TempDir dir;
    WriteAll(dir / "doc.kiv", "old");
    KilledWhileWriting([&](const auto& writer) { fsx::AtomicReplace(Str(dir / "doc.kiv"), writer); });
    KilledWhileWriting([&](const auto& writer) { fsx::WriteNoReplace(Str(dir / "new.kiv"), writer); });
    // A file system without unnamed files leaves a named one, which the
    // next save into the folder removes.
    fsx::AtomicReplace(Str(dir / "other.kiv"), [](CFile& f) { f.Write("x", 1); });
    EXPECT_EQ(fsx::ListFolder(Str(dir.Path())), (std::vector<CString>{"doc.kiv", "other.kiv"}));
    EXPECT_EQ(ReadAll(dir / "doc.kiv"), "old");
}

TEST(FileSystemTest, OnlyTemporariesOfEndedProcessesAreRemoved)
{
    kivtest::TempDir dir;
    const std::string dead = std::to_string(DeadPid());
    const std::string alive = std::to_string(::getppid());
    const std::string own = std::to_string(::getpid());
    const std::vector<std::string> kept = {
        ".doc.kiv." + alive + "-3.new", ".doc.kiv." + own + "-0.new", ".doc.kiv.new", "doc.kiv." + dead + "-1.new",
        ".doc.kiv." + dead + "-1.old", ".doc.kiv." + dead + "-x.new", "doc.kiv",
    };
    for (const std::string& name : kept)
        WriteAll(dir / name, "k");
    WriteAll(dir / (".doc.kiv." + dead + "-1.new"), "stale");
    WriteAll(dir / (".profile.ini." + dead + "-27.new"), "stale");
    EXPECT_EQ(fsx::RemoveStaleTemporaries(Str(dir.Path())), 2);
    std::vector<CString> expected(kept.begin(), kept.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(fsx::ListFolder(Str(dir.Path())), expected);
}

TEST(FileSystemTest, WriteNoReplaceNeverTouchesATakenName)
{
    kivtest::TempDir dir;
    WriteAll(dir / "doc.kiv", "old");
    EXPECT_FALSE(fsx::WriteNoReplace(Str(dir / "doc.kiv"), [](CFile& f) { f.Write("new", 3); }));
    EXPECT_EQ(ReadAll(dir / "doc.kiv"), "old");
    EXPECT_TRUE(fsx::WriteNoReplace(Str(dir / "fresh.kiv"), [](CFile& f) { f.Write("new", 3); }));
    EXPECT_EQ(ReadAll(dir / "fresh.kiv"), "new");
    EXPECT_THROW(fsx::WriteNoReplace(Str(dir / "bad.kiv"), [](CFile&) { throw std::runtime_error("writer failed"); }),
                 std::runtime_error);
    EXPECT_EQ(fsx::ListFolder(Str(dir.Path())), (std::vector<CString>{"doc.kiv", "fresh.kiv"}));
}

TEST(FileSystemTest, TempFilesAreNamedLikeGetTempFileName)
{
    kivtest::TempDir dir;
    CString a, b;
    ASSERT_TRUE(fsx::CreateTempFile(Str(dir.Path()), "~WW", a));
    ASSERT_TRUE(fsx::CreateTempFile(Str(dir.Path()), "~WW", b));
    std::regex form(R"(~WW[0-9A-F]{4}\.tmp)");
    EXPECT_TRUE(std::regex_match(fsx::FileNameOf(a).str(), form)) << a;
    EXPECT_TRUE(std::regex_match(fsx::FileNameOf(b).str(), form)) << b;
    EXPECT_NE(a, b);
    EXPECT_NE(fsx::FileNameOf(a), CString("~WW0000.tmp"));
    struct stat st {};
    ASSERT_EQ(stat(a.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(st.st_size, 0);
}

TEST(FileSystemTest, TempFileNumbersSkipTakenOnesAndWrapPastZero)
{
    kivtest::TempDir dir;
    WriteAll(dir / "~WWFFFF.tmp", "taken");
    CString path;
    ASSERT_TRUE(fsx::detail::CreateTempFileFrom(Str(dir.Path()), "~WWX", 0xFFFE, path));
    EXPECT_EQ(fsx::FileNameOf(path), CString("~WWFFFE.tmp"));
    ASSERT_TRUE(fsx::detail::CreateTempFileFrom(Str(dir.Path()), "~WW", 0xFFFE, path));
    EXPECT_EQ(fsx::FileNameOf(path), CString("~WW0001.tmp"));
    ASSERT_TRUE(fsx::detail::CreateTempFileFrom(Str(dir.Path()), "~WW", 0x10000, path));
    EXPECT_EQ(fsx::FileNameOf(path), CString("~WW0002.tmp"));
    EXPECT_FALSE(fsx::detail::CreateTempFileFrom(Str(dir / "missing"), "~WW", 1, path));
}

TEST(FileSystemTest, DeleteMatchingRemovesTempFilesWithoutCase)
{
    kivtest::TempDir dir;
    for (const char* n : {"~WW12AB.tmp", "~ww0001.TMP", "x~WW0002.tmp", "~WW0003.txt", "keep.kiv"})
        WriteAll(dir / n, "");
    std::filesystem::create_directory(dir / "~WWDIR.tmp");
    EXPECT_EQ(fsx::DeleteMatching(Str(dir.Path()), "~WW*.tmp"), 2);
    EXPECT_EQ(fsx::ListFolder(Str(dir.Path())),
              (std::vector<CString>{"keep.kiv", "x~WW0002.tmp", "~WW0003.txt", "~WWDIR.tmp"}));
}

TEST(FileSystemTest, PathPieces)
{
    struct Row { const char* path; const char* name; const char* folder; };
    const Row rows[] = {
        {"/a/b/c.kiv", "c.kiv", "/a/b"},
        {"C:\\KIVDATA\\x.hed", "x.hed", "C:\\KIVDATA"},
        {"mixed/dir\\f", "f", "mixed/dir"},
        {"plain", "plain", ""},
        {"/root", "root", "/"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(fsx::FileNameOf(row.path), CString(row.name));
        EXPECT_EQ(fsx::FolderOf(row.path), CString(row.folder));
    }
    EXPECT_EQ(fsx::PathJoin("/a/", "b"), CString("/a/b"));
    EXPECT_EQ(fsx::PathJoin("/", "b"), CString("/b"));
    EXPECT_EQ(fsx::PathJoin("", "b"), CString("b"));
}

TEST(FileSystemTest, DiskFreeAnswersForAFolder)
{
    kivtest::TempDir dir;
    EXPECT_TRUE(fsx::DiskFree(Str(dir.Path())).has_value());
    EXPECT_FALSE(fsx::DiskFree(Str(dir / "missing")).has_value());
}

} // namespace
