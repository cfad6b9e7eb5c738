#include "tests/data/model/DataFixture.h"

#include "common/cache/CacheDataTank.h"
#include "framework/core/Cp932.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "project/model/DataHeaderReader.h"
#include "framework/core/testing/ScriptedFileDialogs.h"
#include "tests/support/ArchiveBytes.h"

#include <cmath>
#include <cstring>
#include <filesystem>

namespace datatest {
namespace {

namespace fs = std::filesystem;
using kivtest::ByteBuilder;

std::string AsString(const kivtest::Bytes& b)
{
    return std::string(b.begin(), b.end());
}

std::string Title256(const std::string& utf8)
{
    std::string t = fw::cp932::ToCp932(utf8);
    t.resize(256, '\0');
    return t;
}

class DataFileTest : public DataFixture {
protected:
    fs::path Save(CKivDataDoc& doc, const std::string& folder = "D240131120000")
    {
        const fs::path path = FolderPath(folder) / (folder + ".kivd");
        EXPECT_TRUE(doc.OnSaveDocument(fw::CString(path.string())));
        return path;
    }

    // The header as laid out for the fixture's document, channel lists too.
    static std::string ExpectedHeader(CKivDataDoc& doc)
    {
        ByteBuilder b;
        b.Text("KivDataDocmect").I32(7).Text("<KIVDATAHEAD2>").Text(Title256("振動試験"));
        b.I16(2).I32(0).F64(45322.5).F64(3).Text("<CFNAME>").Str("REC0001");
        b.I32(5).I32(0).F64(10).I32(1).Text("<EXT_CLK>").I32(0);
        b.I32(3).Text("<ADDKIND>");
        CKivSPTankData& list = doc.GetBoxArray().GetTankList();
        const char* names[] = {"CH-A", "CH-B", "CH-C"};
        for (int ch = 0; ch < 3; ++ch) {
            CDataTankObject* t = list.GetObjectAt(ch);
            b.I32(ch).Str(names[ch]).Str("V").U16(static_cast<uint16_t>(t->GetFormat()));
            b.F64(t->GetMax()).F64(t->GetMin()).F64(t->GetAverage()).U8('F');
        }
        CDataTankObject* sum = list.GetObjectAt(500);
        b.I32(1).I32(500).Str("SUM").Str("").U16(static_cast<uint16_t>(sum->GetFormat()));
        b.F64(sum->GetMax()).F64(sum->GetMin()).F64(sum->GetAverage());
        b.Text("<KIVDATAHEAD2>");
        return AsString(b.Get());
    }
};

TEST_F(DataFileTest, HeaderAndChannelListsHaveTheirExactBytes)
{
    auto doc = MakeDocument();
    const std::string expected = ExpectedHeader(*doc);
    const fs::path path = Save(*doc);
    const std::string bytes = ReadAll(path);
    ASSERT_GE(bytes.size(), expected.size());
    EXPECT_EQ(bytes.substr(0, expected.size()), expected);
    EXPECT_EQ(bytes.substr(32, 9), fw::cp932::ToCp932("振動試験") + std::string(1, '\0'));
    int16_t method = 0;
    std::memcpy(&method, bytes.data() + 288, 2);
    EXPECT_EQ(method, 2);
}

TEST_F(DataFileTest, EveryCachedChannelGetsItsOwnFileBesideTheDocument)
{
    auto doc = MakeDocument();
    const fs::path path = Save(*doc);
    const auto names = fw::fs::ListFolder(fw::CString(path.parent_path().string()));
    std::vector<std::string> got;
    for (const auto& n : names)
        got.push_back(n.str());
    EXPECT_EQ(got, (std::vector<std::string>{"CH1", "CH2", "CH3", "D240131120000.kivd", "NO1"}));

    ByteBuilder ch2;
    ch2.I32(2).I32(5);
    for (int i = 0; i < 5; ++i)
        ch2.F32(10.0f + float(i));
    EXPECT_EQ(ReadAll(path.parent_path() / "CH2"), AsString(ch2.Get()));
}

TEST_F(DataFileTest, ReopenedDocumentEqualsTheSavedOne)
{
    auto doc = MakeDocument();
    const fs::path path = Save(*doc);
    const std::string first = ReadAll(path);
    doc.reset();

    auto back = Open(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetTestTitle(), "振動試験");
    EXPECT_EQ(back->GetMeasureMethod(), 2);
    EXPECT_EQ(back->GetStartTime(), 45322.5);
    EXPECT_EQ(back->GetCycleCount(), 3);
    EXPECT_EQ(back->GetCardFileName(), "REC0001");
    EXPECT_EQ(back->GetAdSet().m_nNum, 5);
    EXPECT_EQ(back->GetChannelCount(), 3);
    CKivSPTankData& list = back->GetBoxArray().GetTankList();
    ASSERT_NE(list.GetObjectAt(2), nullptr);
    EXPECT_EQ(list.GetObjectAt(2)->GetName(), "CH-C");
    EXPECT_EQ(list.GetObjectAt(2)->GetValue(4), 24.0);
    ASSERT_NE(list.GetObjectAt(500), nullptr);
    EXPECT_EQ(list.GetObjectAt(500)->GetValue(3), 103.0);
    fw::CString text;
    back->GetBoxArray().GetChannelText(1, 1, text);
    EXPECT_EQ(text, "CH-B");
    EXPECT_EQ(back->GetUseTanks().GetSize(), 4);

    // Saved again into a fresh folder, the file is the same but for its
    // stored path.
    const fs::path again = Save(*back, "COPY");
    EXPECT_EQ(ReadAll(again).size() - again.string().size(), first.size() - path.string().size());
    const std::string second = ReadAll(again);
    size_t diff = 0;
    while (diff < 400 && second[diff] == first[diff])
        ++diff;
    EXPECT_EQ(diff, 400u) << "first difference at " << diff;
    EXPECT_EQ(ReadAll(again.parent_path() / "CH3"), ReadAll(path.parent_path() / "CH3"));
}

TEST_F(DataFileTest, ChannelFilesRawOrCompressedReopenWithTheirValues)
{
    constexpr int kRows = 20000;
    for (bool compress : {false, true}) {
        SCOPED_TRACE(compress);
        auto doc = MakeDocument(kRows);
        doc->GetBoxArray().SetCompressFiles(compress);
        const fs::path path = Save(*doc, compress ? "PACKED" : "RAW");
        const std::string ch2 = ReadAll(path.parent_path() / "CH2");
        ASSERT_GE(ch2.size(), 8u);
        int32_t mode = -1;
        std::memcpy(&mode, ch2.data(), 4);
        EXPECT_EQ(mode == kCacheStoreCompressed, compress);
        doc.reset();

        auto back = Open(path);
        ASSERT_NE(back, nullptr);
        CKivSPTankData& list = back->GetBoxArray().GetTankList();
        for (int ch : {0, 1, 2, 500}) {
            CDataTankObject* tank = list.GetObjectAt(ch);
            ASSERT_NE(tank, nullptr);
            ASSERT_EQ(tank->GetDataCount(), kRows);
            const double base = ch == 500 ? 100 : ch * 10;
            std::vector<int> wrong;
            for (int i = 0; i < kRows; ++i)
                if (tank->GetValue(i) != base + i)
                    wrong.push_back(i);
            EXPECT_TRUE(wrong.empty()) << "channel " << ch << ": " << wrong.size() << " wrong from " << wrong[0];
        }
    }
}

TEST_F(DataFileTest, TitleRewriteChangesOnlyTheTitleBytes)
{
    auto doc = MakeDocument();
    const fs::path path = Save(*doc);
    const std::string before = ReadAll(path);
    {
        fw::CFile file(fw::CString(path.string()), fw::CFile::modeReadWrite | fw::CFile::typeBinary);
        EXPECT_TRUE(CKivDataDoc::RewriteDataFileTitle(file, "新しい題名"));
    }
    const std::string after = ReadAll(path);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.substr(0, 32), before.substr(0, 32));
    EXPECT_EQ(after.substr(32, 256), Title256("新しい題名"));
    EXPECT_EQ(after.substr(288), before.substr(288));
}

TEST_F(DataFileTest, TitleRewriteLeavesForeignAndShortFilesAlone)
{
    struct Case {
        const char* name;
        std::string bytes;
        unsigned message;
    };
    const std::string v8 = AsString(ByteBuilder().Text("KivDataDocmect").I32(8).Fill(400, 0).Get());
    const Case cases[] = {
        {"foreign", std::string(400, 'x'), 521},
        {"short", "KivDataDocmect" + std::string(20, '\0'), 521},
        {"newer", v8, 175},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = dir / c.name;
        WriteAll(path, c.bytes);
        if (c.message == 521)
            services.prompt.ExpectText("の書類ではありません", fw::IDOK);
        else
            services.prompt.Expect(c.message, fw::IDOK);
        {
            fw::CFile file(fw::CString(path.string()), fw::CFile::modeReadWrite | fw::CFile::typeBinary);
            EXPECT_FALSE(CKivDataDoc::RewriteDataFileTitle(file, "X"));
        }
        EXPECT_EQ(ReadAll(path), c.bytes);
    }
}

TEST_F(DataFileTest, NewerVersionIsRefusedAndNothingLoaded)
{
    auto doc = MakeDocument();
    const fs::path path = Save(*doc);
    std::string bytes = ReadAll(path);
    bytes[14] = 8;
    WriteAll(path, bytes);
    services.prompt.Expect(175, fw::IDOK);
    EXPECT_EQ(Open(path), nullptr);
}

TEST_F(DataFileTest, HeaderReaderFillsTheRecordFromTheChannelLists)
{
    auto doc = MakeDocument();
    const fs::path path = Save(*doc);
    CKivDataDoc reader;
    CMMAHeader header;
    reader.SetHeaderRecord(&header);
    reader.SetHeaderOnly(true);
    fw::CFile file(fw::CString(path.string()), fw::CFile::modeRead | fw::CFile::typeBinary);
    fw::CArchive ar(&file, fw::CArchive::load);
    reader.Serialize(ar);
    EXPECT_EQ(header.title, "振動試験");
    EXPECT_EQ(header.cardFileName, "REC0001");
    ASSERT_EQ(header.channels.size(), 4u);
    EXPECT_EQ(header.channels[1].name, "CH-B");
    EXPECT_EQ(header.channels[1].valueType, 'F');
    EXPECT_EQ(header.channels[3].number, 500);
    EXPECT_EQ(header.channels[3].name, "SUM");
}

TEST_F(DataFileTest, FailedSaveLeavesNoStagedFilesAndTheOldDocumentWhole)
{
    auto doc = MakeDocument();
    const fs::path path = Save(*doc);
    const fs::path folder = path.parent_path();
    const std::string oldDoc = ReadAll(path);
    const std::string oldCh1 = ReadAll(folder / "CH1");
    // The second channel's staging name is taken by a folder: that file
    // cannot be written.
    fs::create_directory(folder / "CH2.part");
    CDataTankObject* tank = doc->GetBoxArray().GetTankList().GetObjectAt(0);
    tank->SetValue(0, 999);
    services.prompt.Expect(61732, fw::IDOK);
    EXPECT_FALSE(doc->OnSaveDocument(fw::CString(path.string())));
    EXPECT_FALSE(fs::exists(folder / "CH1.part"));
    EXPECT_EQ(ReadAll(path), oldDoc);
    EXPECT_EQ(ReadAll(folder / "CH1"), oldCh1);
    fs::remove(folder / "CH2.part");
    auto back = Open(path);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetBoxArray().GetTankList().GetObjectAt(0)->GetValue(0), 0.0);
}

TEST_F(DataFileTest, SaveTargetIsAFolderNamedLikeTheFile)
{
    auto doc = MakeDocument();
    const fs::path base = FolderPath("place");
    fw::CString path((base / "RUN.kivd").string());
    EXPECT_TRUE(doc->CheckSaveTarget(path, "RUN", ".kivd"));
    EXPECT_EQ(path.str(), (base / "RUN" / "RUN.kivd").string());
    EXPECT_TRUE(fs::is_directory(base / "RUN"));

    // A folder holding channel files of another document is refused.
    WriteAll(base / "RUN" / "CH1", "x");
    fw::CString again((base / "RUN.kivd").string());
    services.prompt.Expect(721, fw::IDOK);
    EXPECT_FALSE(doc->CheckSaveTarget(again, "RUN", ".kivd"));
    WriteAll(base / "RUN" / "RUN.kivd", "x");
    services.prompt.Expect(477, fw::IDOK);
    EXPECT_FALSE(doc->CheckSaveTarget(again, "RUN", ".kivd"));
}

} // namespace
} // namespace datatest

namespace datatest {
namespace {

class SaveAsTest : public DataFixture {
protected:
    fw::test::ScriptedFileDialogs dialogs;
};

TEST_F(SaveAsTest, SaveAsMakesAFolderAndNeverTakesAnotherDocumentsPlace)
{
    auto first = MakeDocument();
    const fs::path base = FolderPath("place");
    dialogs.AnswerSave(fw::CString((base / "RUN.kivd").string()));
    ASSERT_TRUE(first->DoSave(fw::CString(), true));
    EXPECT_TRUE(fs::exists(base / "RUN" / "RUN.kivd"));
    EXPECT_TRUE(fs::exists(base / "RUN" / "CH1"));
    EXPECT_EQ(first->GetPathName().str(), (base / "RUN" / "RUN.kivd").string());
    const std::string ch1 = ReadAll(base / "RUN" / "CH1");

    auto second = MakeDocument(3);
    dialogs.AnswerSave(fw::CString((base / "RUN.kivd").string()));
    dialogs.AnswerSave(fw::CString((base / "NEXT.kivd").string()));
    services.prompt.Expect(477, fw::IDOK);
    ASSERT_TRUE(second->DoSave(fw::CString(), true));
    EXPECT_TRUE(fs::exists(base / "NEXT" / "NEXT.kivd"));
    EXPECT_EQ(ReadAll(base / "RUN" / "CH1"), ch1);
}

} // namespace
} // namespace datatest
