#include "frequency/document/HistDoc.h"

#include "framework/core/Archive.h"
#include "framework/core/Cp932.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/testing/ServiceScope.h"
#include "frequency/document/HistFileAccess.h"
#include "frequency/model/HistMMAObject.h"
#include "grid/model/GridStyle.h"
#include "tests/frequency/document/HistDocFixture.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteAll(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Le32(int32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

std::string Time(std::initializer_list<int16_t> fields)
{
    std::string bytes;
    for (int16_t f : fields)
        bytes.append(reinterpret_cast<const char*>(&f), 2);
    return bytes;
}

// The bytes an array stores, to compare two arrays whole.
std::vector<uint8_t> Stored(CHistCountArray& a)
{
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        ar.WriteObject(&a);
        ar.Close();
    }
    return file.Detach();
}

class HistDocTest : public ::testing::Test {
protected:
    HistDocTest()
    {
        services.prompt.SetUnexpectedHandler(
            [](const fw::test::ScriptedPrompt::Record& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.str(); });
    }
    ~HistDocTest() override { EXPECT_EQ(services.prompt.Problems(), ""); }

    // A saved record; its path.
    std::string Save(const std::string& title = "試験1", const std::string& name = "")
    {
        CHistDoc doc;
        EXPECT_TRUE(doc.CreateNewContents());
        EXPECT_TRUE(doc.CreateFile(fw::CString(dir.Path().string()), fw::CString(name), fw::CString(title),
                                   histtest::FixtureRecord().release(), "HIST0001.DAT"));
        EXPECT_FALSE(doc.IsModified());
        return doc.GetPathName().str();
    }

    // Reads the file into `doc` as the document framework does.
    static void Load(CHistDoc& doc, const std::string& path)
    {
        fw::CFile file;
        ASSERT_TRUE(file.Open(fw::CString(path), fw::CFile::modeRead));
        fw::CArchive ar(&file, fw::CArchive::load);
        doc.Serialize(ar);
        doc.OnDocumentLoaded();
    }

    fw::test::ServiceScope services;
    kivtest::TempDir dir;
};

TEST_F(HistDocTest, FileBeginsWithTheHeaderOfTheRecord)
{
    const std::string bytes = ReadAll(Save());
    std::string title = fw::cp932::ToCp932("試験1");
    title.resize(256, '\0');
    const std::string head = std::string("KivHistDocmect") + Le32(3) + "<KIVDATAHEAD2>" + title + "\x0c" +
                             "HIST0001.DAT" + Time({9, 3, 4, 5, 6, 7}) + Time({9, 3, 5, 6, 8, 9}) +
                             "<KIVDATAHEAD2>" + "\xff\xff";
    ASSERT_GE(bytes.size(), head.size());
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    // The first layout follows as a new class record.
    const std::string name = "CZELGridStyle";
    EXPECT_EQ(bytes.substr(head.size() + 2, 2), std::string("\x0d\x00", 2));
    EXPECT_EQ(bytes.substr(head.size() + 4, name.size()), name);
}

TEST_F(HistDocTest, FilesAreNamedAfterTheRecordStart)
{
    const auto first = std::filesystem::path(Save()).filename().string();
    const auto second = std::filesystem::path(Save()).filename().string();
    const auto named = std::filesystem::path(Save("t", "REC")).filename().string();
    EXPECT_EQ(first, "H090304050607.kivh");
    EXPECT_EQ(second, "H090304050607_1.kivh");
    EXPECT_EQ(named, "REC.kivh");
}

TEST_F(HistDocTest, ReopenedFileHoldsTheSameAnalyses)
{
    const std::string path = Save();
    CHistDoc doc;
    Load(doc, path);
    auto original = histtest::FixtureRecord();
    ASSERT_NE(doc.GetHistCountArray(), nullptr);
    EXPECT_EQ(Stored(*doc.GetHistCountArray()), Stored(*original));
    EXPECT_EQ(doc.GetBoxArray().GetCount(), 4);
    EXPECT_EQ(doc.GetTestTitle().str(), "試験1");
    EXPECT_EQ(doc.GetCardFileName().str(), "HIST0001.DAT");
    EXPECT_EQ(doc.GetStartTime().Format("%Y-%m-%d %H:%M:%S").str(), "2009-03-04 05:06:07");
    EXPECT_EQ(doc.GetStopTime().Format("%Y-%m-%d %H:%M:%S").str(), "2009-03-05 06:08:09");
    // The scale follows the stored coefficient, as after an import.
    EXPECT_EQ(doc.GetHistCountArray()->GetAt(0)->m_scaleFactor, 0.5f);
    for (int i = 0; i < 2; ++i) {
        CZELGridStyle::SheetSize size;
        ASSERT_NE(doc.GetLayout(i), nullptr);
        doc.GetLayout(i)->GetSheetSize(size);
        EXPECT_EQ(size.rows, 4);
        EXPECT_EQ(size.cols, 13);
    }
}

TEST_F(HistDocTest, HeaderOnlyReadLeavesAnalysesAndLayoutsAlone)
{
    const std::string path = Save("見出し");
    CHistDoc doc;
    doc.GetHeader().m_headerOnly = 1;
    Load(doc, path);
    EXPECT_EQ(doc.GetTestTitle().str(), "見出し");
    EXPECT_EQ(doc.GetCardFileName().str(), "HIST0001.DAT");
    EXPECT_EQ(doc.GetStartTime().GetDay(), 4);
    EXPECT_EQ(doc.GetHistCountArray(), nullptr);
    EXPECT_EQ(doc.GetLayout(0), nullptr);

    CHistFileAccess access;
    HistFileHeader header;
    ASSERT_TRUE(access.ReadHeader(fw::CString(path), header));
    EXPECT_EQ(header.title.str(), "見出し");
    CHistMMAObject history;
    history.InitTanks();
    EXPECT_EQ(AddHistRecord(history, fw::CString(path), header), 0);
    EXPECT_EQ(history.GetPath(0).str(), (dir.Path() / "H090304050607").string());
    EXPECT_EQ(history.GetStopTime(0).GetHour(), 6);
    EXPECT_EQ(history.GetCFFileName(0).str(), "HIST0001.DAT");
}

TEST_F(HistDocTest, FilesOfOtherKindsAndNewerVersionsAreRefused)
{
    const std::string good = ReadAll(Save());
    struct Row {
        const char* name;
        std::string bytes;
        unsigned message;
    };
    std::string newer = good;
    newer.replace(14, 4, Le32(4));
    const Row rows[] = {
        {"project file", "KIVKIV5980Docmect" + std::string(400, '\0'), 521},
        {"newer version", newer, 175},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto path = dir / "other.kivh";
        WriteAll(path, row.bytes);
        services.prompt.Expect(row.message, fw::IDOK);
        CHistDoc doc;
        EXPECT_THROW(Load(doc, path.string()), fw::CUserException);

        // The title rewrite refuses them the same way and leaves them alone.
        services.prompt.Expect(row.message, fw::IDOK);
        fw::CFile file;
        ASSERT_TRUE(file.Open(fw::CString(path.string()), fw::CFile::modeReadWrite));
        EXPECT_THROW(CHistDoc::ReplaceTitleInFile(file, "new"), fw::CUserException);
        file.Close();
        EXPECT_EQ(ReadAll(path), row.bytes);
    }
    WriteAll(dir / "short.kivh", "KivHist");
    CHistDoc doc;
    EXPECT_THROW(Load(doc, (dir / "short.kivh").string()), fw::CArchiveException);
}

TEST_F(HistDocTest, OlderVersionsReadAsTheThird)
{
    std::string bytes = ReadAll(Save());
    for (int32_t version : {1, 2}) {
        bytes.replace(14, 4, Le32(version));
        WriteAll(dir / "old.kivh", bytes);
        CHistDoc doc;
        Load(doc, (dir / "old.kivh").string());
        ASSERT_NE(doc.GetHistCountArray(), nullptr);
        EXPECT_EQ(doc.GetHistCountArray()->GetSize(), 4);
    }
}

TEST_F(HistDocTest, TitleIsRewrittenInPlace)
{
    struct Row {
        const char* name;
        std::string title;
        std::string stored;
    };
    const std::string a255(255, 'a');
    const Row rows[] = {
        {"300 single bytes", std::string(300, 'b'), std::string(256, 'b')},
        {"double byte across the end", a255 + "あい", a255 + std::string(1, '\0')},
        {"short", "短い", fw::cp932::ToCp932("短い") + std::string(252, '\0')},
    };
    const std::string path = Save();
    const std::string before = ReadAll(path);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CHistFileAccess access;
        ASSERT_TRUE(access.ReplaceTitle(fw::CString(path), fw::CString(row.title)));
        const std::string after = ReadAll(path);
        ASSERT_EQ(after.size(), before.size());
        EXPECT_EQ(after.substr(32, 256), row.stored);
        EXPECT_EQ(after.substr(0, 32), before.substr(0, 32));
        EXPECT_EQ(after.substr(288), before.substr(288));
    }
}

TEST_F(HistDocTest, FolderThatCannotBeMade)
{
    WriteAll(dir / "plain", "x");
    CHistDoc doc;
    doc.CreateNewContents();
    EXPECT_FALSE(doc.CreateFile(fw::CString((dir / "plain").string()), {}, "t", histtest::FixtureRecord().release(),
                                "c"));
    EXPECT_FALSE(doc.IsModified());
    // Without a folder the document is filled and nothing is saved.
    CHistDoc unsaved;
    unsaved.CreateNewContents();
    EXPECT_TRUE(unsaved.CreateFile({}, {}, "t", histtest::FixtureRecord().release(), "c"));
    EXPECT_EQ(unsaved.GetBoxArray().GetCount(), 4);
    EXPECT_TRUE(unsaved.GetPathName().IsEmpty());
    // A folder that does not exist yet is made.
    CHistDoc nested;
    nested.CreateNewContents();
    EXPECT_TRUE(nested.CreateFile(fw::CString((dir / "a" / "b").string()), {}, "t",
                                  histtest::FixtureRecord().release(), "c"));
    EXPECT_TRUE(std::filesystem::exists(dir / "a" / "b" / "H090304050607.kivh"));
}

} // namespace
