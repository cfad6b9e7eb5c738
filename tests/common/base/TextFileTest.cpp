#include "common/base/TextFile.h"
#include "framework/core/StringTable.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace {

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(TextFile, MakeCsvField)
{
    struct Row { const char* name; const char* text; const char* expected; };
    const Row rows[] = {
        {"plain", "abc", "abc"},
        {"comma trimmed and quoted", " a,b ", "\"a,b\""},
        {"quote doubled", "say \"hi\"", "\"say \"\"hi\"\"\""},
        {"blanks without comma stay", " x ", " x "},
        {"empty", "", ""},
        {"japanese with comma", "温度,湿度", "\"温度,湿度\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CTextFile::MakeCsvField(row.text).str(), row.expected);
    }
}

TEST(TextFile, WriteLineDropsLineFeedsAndEndsLinesWithCrLf)
{
    kivtest::TempDir dir;
    const auto path = dir / "lines.txt";
    fw::test::ServiceScope services;
    {
        CTextFile file;
        ASSERT_TRUE(file.OpenFile(fw::CString(path.string()), fw::CFile::modeCreate | fw::CFile::modeWrite));
        file.WriteLine("a\nb", true);
        file.WriteLine("abc\n", true);
        file.WriteLine("", true);
        file.WriteLine("測定", false);
        file.WriteLine(",tail", false);
        file.Close();
    }
    EXPECT_EQ(FileBytes(path), "ab\r\nabc\r\n\r\n\x91\xaa\x92\xe8,tail");
    EXPECT_EQ(services.prompt.Problems(), "");

    CTextFile file;
    ASSERT_TRUE(file.OpenFile(fw::CString(path.string()), fw::CFile::modeRead));
    fw::CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "ab");
}

TEST(TextFile, OpenInAMissingFolderShowsTheInvalidPathPrompt)
{
    kivtest::TempDir dir;
    const fw::CString path((dir / "no such folder" / "out.csv").string());
    fw::test::ServiceScope services;
    services.prompt.Expect(fw::kIdpInvalidFileName, fw::IDOK);
    CTextFile file;
    EXPECT_FALSE(file.OpenFile(path, fw::CFile::modeCreate | fw::CFile::modeWrite));
    ASSERT_EQ(services.prompt.Problems(), "");
    const auto prompt = services.prompt.Prompts().at(0);
    EXPECT_EQ(prompt.text, fw::FormatString(fw::kIdpInvalidFileName, path));
    EXPECT_NE(prompt.text.Find(path), -1);
    EXPECT_EQ(prompt.flags, fw::MB_ICONEXCLAMATION);
    EXPECT_EQ(prompt.help, fw::kIdpInvalidFileName);
}

TEST(TextFile, FileErrorMessageIdByCause)
{
    using E = fw::CFileException;
    struct Row { const char* name; E error; bool writing; unsigned expected; };
    const Row rows[] = {
        {"not found", E(E::fileNotFound), false, 61729},
        {"bad path", E(E::badPath), true, 61729},
        {"too many open files", E(E::tooManyOpenFiles), false, 409},
        {"write protected", E(E::accessDenied, E::kOsErrorWriteProtect), false, 408},
        {"read-only file system", E::FromErrno(EROFS), true, 408},
        {"access denied reading", E(E::accessDenied, 5), false, 61731},
        {"access denied writing", E::FromErrno(EACCES), true, 61732},
        {"directory full", E(E::directoryFull), false, 410},
        {"sharing violation", E(E::sharingViolation), false, 411},
        {"disk full", E::FromErrno(ENOSPC), true, 61730},
        {"generic reading", E(E::genericException), false, 61733},
        {"hardware error writing", E(E::hardIO), true, 61734},
        {"lock violation", E(E::lockViolation), false, 61733},
        {"invalid file", E(E::invalidFile), true, 61734},
        {"bad seek", E(E::badSeek), false, 61733},
        {"no cause", E(E::none), false, 264},
        {"remove current folder", E(E::removeCurrentDir), false, 264},
        {"end of file", E(E::endOfFile), false, 264},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CTextFile::FileErrorMessageId(row.error, row.writing, kIdFileCreateFailed), row.expected);
    }
}

TEST(TextFile, ReportFileErrorShowsWriteProtectionWithThePath)
{
    fw::test::ServiceScope services;
    services.prompt.Expect(kIdFileWriteProtected, fw::IDOK);
    CTextFile::ReportFileError("/media/card/data.csv", fw::CFileException::FromErrno(EROFS), false,
                               kIdFileCreateFailed);
    ASSERT_EQ(services.prompt.Problems(), "");
    const fw::CString text = services.prompt.Prompts().at(0).text;
    EXPECT_EQ(text, fw::FormatString(kIdFileWriteProtected, "/media/card/data.csv"));
    EXPECT_NE(text.Find("書込み禁止"), -1);
}

TEST(TextFile, ReportFileErrorIgnoresOtherExceptions)
{
    fw::test::ServiceScope services;
    CTextFile::ReportFileError("x.csv", std::runtime_error("other"), false, kIdFileCreateFailed);
    CTextFile::ReportFileError("x.csv", fw::CArchiveException(fw::CArchiveException::endOfFile), false,
                               kIdFileCreateFailed);
    EXPECT_TRUE(services.prompt.Prompts().empty());
}

TEST(TextFile, SetFilePathNamesWithoutOpening)
{
    CTextFile file;
    file.SetFilePath("/tmp/export.txt");
    EXPECT_EQ(file.GetFilePath(), "/tmp/export.txt");
    EXPECT_FALSE(file.IsOpen());
    EXPECT_THROW(file.SetFilePath(static_cast<const char*>(nullptr)), fw::CInvalidArgException);
}

} // namespace
