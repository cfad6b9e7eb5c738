#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/framework/core/FileTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace fw;

namespace {

using filetest::ReadAll;
using filetest::Str;
using filetest::WriteAll;

// ------------------------------------------------------------ CFile

TEST(FileTest, WriteSeekReadAndLength)
{
    kivtest::TempDir dir;
    CFile f(Str(dir / "a.bin"), CFile::modeCreate | CFile::modeReadWrite);
    f.Write("hello world", 11);
    EXPECT_EQ(f.GetPosition(), 11u);
    EXPECT_EQ(f.GetLength(), 11u);
    EXPECT_EQ(f.Seek(-5, CFile::end), 6u);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, sizeof buf), 5u);
    EXPECT_EQ(std::string(buf, 5), "world");
    f.SetLength(5);
    EXPECT_EQ(f.GetLength(), 5u);
    EXPECT_EQ(f.GetFileName(), CString("a.bin"));
    f.Close();
    EXPECT_EQ(ReadAll(dir / "a.bin"), "hello");
}

TEST(FileTest, NoTruncateKeepsContent)
{
    kivtest::TempDir dir;
    WriteAll(dir / "k.txt", "keep");
    CFile f(Str(dir / "k.txt"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
    f.SeekToEnd();
    f.Write("!", 1);
    f.Close();
    EXPECT_EQ(ReadAll(dir / "k.txt"), "keep!");
}

TEST(FileTest, OpenFailuresGiveTheirCause)
{
    kivtest::TempDir dir;
    WriteAll(dir / "plain", "x");
    std::filesystem::create_directory(dir / "folder");
    struct Row { const char* name; std::filesystem::path path; unsigned flags; int cause; int osError; };
    const Row rows[] = {
        {"missing file", dir / "none.txt", CFile::modeRead, CFileException::fileNotFound, 2},
        {"missing folder", dir / "nofolder" / "a.txt", CFile::modeCreate | CFile::modeWrite,
         CFileException::badPath, 3},
        {"file used as folder", dir / "plain" / "a.txt", CFile::modeRead, CFileException::badPath, 3},
        {"folder opened as file", dir / "folder", CFile::modeRead, CFileException::accessDenied, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CFile f;
        CFileException err;
        EXPECT_FALSE(f.Open(Str(row.path), row.flags, &err));
        EXPECT_EQ(err.m_cause, row.cause);
        EXPECT_EQ(err.m_lOsError, row.osError);
        EXPECT_EQ(err.m_strFileName, Str(row.path));
        EXPECT_FALSE(f.IsOpen());
    }
}

TEST(FileTest, ThrowingConstructorCarriesTheCause)
{
    kivtest::TempDir dir;
    try {
        CFile f(Str(dir / "none.txt"), CFile::modeRead);
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e.m_errno, ENOENT);
    }
}

TEST(FileTest, ReadOnlyFileOpenedForWritingIsAccessDenied)
{
    kivtest::TempDir dir;
    auto path = dir / "ro.txt";
    WriteAll(path, "x");
    chmod(path.c_str(), 0444);
    chmod(dir.Path().c_str(), 0755);
    if (geteuid() != 0) {
        CFile f;
        CFileException err;
        EXPECT_FALSE(f.Open(Str(path), CFile::modeWrite, &err));
        EXPECT_EQ(err.m_cause, CFileException::accessDenied);
        return;
    }
    // Root ignores file modes: try it as an unprivileged user in a child.
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(100);
        CFile f;
        CFileException err;
        bool opened = f.Open(Str(path), CFile::modeWrite, &err);
        _exit(opened ? 101 : err.m_cause);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 100)
        GTEST_SKIP() << "cannot drop privileges here";
    EXPECT_EQ(WEXITSTATUS(status), CFileException::accessDenied);
}

TEST(FileTest, ErrnoMapping)
{
    struct Row { const char* name; int err; int cause; int osError; };
    const Row rows[] = {
        {"ENOENT", ENOENT, 2, 2},       {"ENOTDIR", ENOTDIR, 3, 3},   {"ENAMETOOLONG", ENAMETOOLONG, 3, 3},
        {"EMFILE", EMFILE, 4, 4},       {"ENFILE", ENFILE, 4, 4},     {"EACCES", EACCES, 5, 5},
        {"EPERM", EPERM, 5, 5},         {"EISDIR", EISDIR, 5, 5},     {"EROFS", EROFS, 5, 19},
        {"ESPIPE", ESPIPE, 9, 25},      {"EIO", EIO, 10, 1117},       {"EBUSY", EBUSY, 11, 32},
        {"ETXTBSY", ETXTBSY, 11, 32},   {"EWOULDBLOCK", EWOULDBLOCK, 11, 32},
        {"ENOSPC", ENOSPC, 13, 112},    {"EDQUOT", EDQUOT, 13, 112},  {"EFBIG", EFBIG, 13, 112},
        {"EXDEV", EXDEV, 1, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CFileException e = CFileException::FromErrno(row.err, "f");
        EXPECT_EQ(e.m_cause, row.cause);
        EXPECT_EQ(e.m_lOsError, row.osError);
        EXPECT_EQ(e.m_errno, row.err);
    }
}

TEST(FileTest, FileErrorPromptsNameTheFile)
{
    struct Row { const char* name; int cause; unsigned id; };
    const Row rows[] = {
        {"not found", CFileException::fileNotFound, 61729},
        {"bad path", CFileException::badPath, 61729},
        {"access denied", CFileException::accessDenied, 61731},
        {"disk full", CFileException::diskFull, 61730},
        {"hardware", CFileException::hardIO, 61733},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fw::test::ServiceScope services;
        services.prompt.Expect(row.id, IDOK);
        CFileException(row.cause, -1, "/data/x.kiv").ReportError();
        ASSERT_EQ(services.prompt.Problems(), "");
        EXPECT_EQ(services.prompt.Prompts().at(0).text.Find("/data/x.kiv"), 0);
    }
}

// ------------------------------------------------------------ CMemFile

TEST(FileTest, MemFileGrowsSeeksAndHandsOverItsBytes)
{
    CMemFile m;
    m.Write("abc", 3);
    m.Seek(5, CFile::begin);
    m.Write("z", 1);
    EXPECT_EQ(std::vector<uint8_t>(m.Data().begin(), m.Data().end()),
              (std::vector<uint8_t>{'a', 'b', 'c', 0, 0, 'z'}));
    // A write that straddles the end overwrites, then appends.
    m.Seek(4, CFile::begin);
    m.Write("xyw", 3);
    EXPECT_EQ(std::vector<uint8_t>(m.Data().begin(), m.Data().end()),
              (std::vector<uint8_t>{'a', 'b', 'c', 0, 'x', 'y', 'w'}));
    EXPECT_EQ(m.GetPosition(), 7u);
    m.SetLength(6);
    m.Seek(6, CFile::begin);
    m.Write("w", 1);
    try {
        m.Seek(-1, CFile::begin);
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::badSeek);
    }
    std::vector<uint8_t> out = m.Detach();
    EXPECT_EQ(out.size(), 7u);
    EXPECT_EQ(m.GetLength(), 0u);
    m.Attach({'q', 'r'});
    char buf[4] = {};
    EXPECT_EQ(m.Read(buf, 4), 2u);
    EXPECT_EQ(std::string(buf, 2), "qr");
    EXPECT_EQ(m.Read(buf, 4), 0u);
}

// ------------------------------------------------------------ CStdioFile

TEST(FileTest, StdioTextModeWritesCrLfAndCp932)
{
    kivtest::TempDir dir;
    auto path = dir / "t.txt";
    CStdioFile f(Str(path), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    f.WriteString("a,b\n日本\n");
    f.WriteString("end");
    f.Close();
    EXPECT_EQ(ReadAll(path), std::string("a,b\r\n\x93\xfa\x96\x7b\r\nend"));
}

TEST(FileTest, StdioBinaryModeKeepsLineFeeds)
{
    kivtest::TempDir dir;
    auto path = dir / "b.txt";
    CStdioFile f(Str(path), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    f.WriteString("x\ny");
    f.Close();
    EXPECT_EQ(ReadAll(path), "x\ny");
}

TEST(FileTest, StdioReadsLinesWithEitherLineEnd)
{
    kivtest::TempDir dir;
    auto path = dir / "r.txt";
    WriteAll(path, std::string("one\r\n\x93\xfa\x96\x7b\n\r\nmid\rdle\r\nlast"));
    CStdioFile f(Str(path), CFile::modeRead | CFile::typeText);
    std::vector<CString> lines;
    CString line;
    while (f.ReadString(line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<CString>{"one", "日本", "", "mid\rdle", "last"}));
}

TEST(FileTest, StdioLinesAcrossTheBufferBoundary)
{
    kivtest::TempDir dir;
    auto path = dir / "big.txt";
    std::vector<CString> written;
    {
        CStdioFile f(Str(path), CFile::modeCreate | CFile::modeWrite);
        for (int i = 0; i < 20000; ++i) {
            CString s = Format("%d,値%s", i, std::string(static_cast<size_t>(i % 37), 'x'));
            written.push_back(s);
            f.WriteString(s + "\n");
        }
        f.Close();
    }
    CStdioFile f(Str(path), CFile::modeRead);
    CString line;
    size_t n = 0;
    while (f.ReadString(line)) {
        ASSERT_LT(n, written.size());
        ASSERT_EQ(line, written[n]) << n;
        ++n;
    }
    EXPECT_EQ(n, written.size());
}

TEST(FileTest, StdioPositionFollowsBufferedBytes)
{
    kivtest::TempDir dir;
    auto path = dir / "p.txt";
    CStdioFile f(Str(path), CFile::modeCreate | CFile::modeReadWrite);
    f.WriteString("ab\ncd\n");
    EXPECT_EQ(f.GetPosition(), 8u);
    EXPECT_EQ(f.GetLength(), 8u);
    f.SeekToBegin();
    CString line;
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line, CString("ab"));
    EXPECT_EQ(f.GetPosition(), 4u);
    f.Seek(0, CFile::current);
    f.WriteString("X");
    f.Close();
    EXPECT_EQ(ReadAll(path), "ab\r\nXd\r\n");
}

} // namespace
