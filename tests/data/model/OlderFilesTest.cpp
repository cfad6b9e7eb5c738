#include "tests/data/model/DataFixture.h"

#include "project/model/DataHeaderReader.h"
#include "tests/support/ArchiveBytes.h"

#include <filesystem>

namespace datatest {
namespace {

namespace fs = std::filesystem;
using kivtest::ByteBuilder;

class OlderFilesTest : public DataFixture {
protected:
    // A saved document's folder and the bytes of its ".kivd".
    fs::path SaveFixture()
    {
        auto doc = MakeDocument();
        const fs::path path = FolderPath("OLD") / "OLD.kivd";
        EXPECT_TRUE(doc->OnSaveDocument(fw::CString(path.string())));
        return path;
    }
};

TEST_F(OlderFilesTest, FileWithoutCardNameLoadsWithAnEmptyOne)
{
    const fs::path path = SaveFixture();
    std::string bytes = ReadAll(path);
    ASSERT_EQ(bytes.substr(310, 8), "<CFNAME>");
    bytes.erase(310, 8 + 1 + 7);
    WriteAll(path, bytes);
    auto doc = Open(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetCardFileName(), "");
    EXPECT_EQ(doc->GetAdSet().m_nNum, 5);
    EXPECT_EQ(doc->GetBoxArray().GetTankList().GetObjectAt(1)->GetValue(2), 12.0);
}

TEST_F(OlderFilesTest, FileWithoutUnit463SectionGetsTheDefaultLayouts)
{
    const fs::path path = SaveFixture();
    std::string bytes = ReadAll(path);
    const size_t at = bytes.find("<KIV463>");
    ASSERT_NE(at, std::string::npos);
    WriteAll(path, bytes.substr(0, at));
    auto doc = Open(path);
    ASSERT_NE(doc, nullptr);
    for (int s = CKivDataDoc::kStyleGpsValues; s <= CKivDataDoc::kStyleVoice; ++s)
        EXPECT_NE(doc->GetStyle(CKivDataDoc::Style(s)), nullptr) << s;
    CZELGridStyle::SheetSize size;
    doc->GetStyle(CKivDataDoc::kStyleVoice)->GetSheetSize(size);
    EXPECT_EQ(size.cols, 3);
}

TEST_F(OlderFilesTest, VoiceCaptureValueIsReadAndNotWrittenAgain)
{
    const fs::path path = SaveFixture();
    std::string bytes = ReadAll(path);
    const size_t at = bytes.find("<KIV463>");
    ASSERT_NE(at, std::string::npos);
    const kivtest::Bytes extra = ByteBuilder().Text("<VdCptr>").F64(12.5);
    bytes.insert(at + 8, std::string(extra.begin(), extra.end()));
    WriteAll(path, bytes);
    auto doc = Open(path);
    ASSERT_NE(doc, nullptr);
    const fs::path again = FolderPath("AGAIN") / "AGAIN.kivd";
    ASSERT_TRUE(doc->OnSaveDocument(fw::CString(again.string())));
    EXPECT_EQ(ReadAll(again).find("<VdCptr>"), std::string::npos);
}

TEST_F(OlderFilesTest, ChannelListsWithoutKindsReadAsFloat)
{
    const kivtest::Bytes lists = ByteBuilder()
                                     .I32(2)
                                     .I32(0).Str("A").Str("V").U16(3).F64(1).F64(-1).F64(0)
                                     .I32(-1)
                                     .I32(1)
                                     .I32(500).Str("S").Str("").U16(0).F64(2).F64(0).F64(1);
    CKivDataBoxArray boxes;
    CMMAHeader header;
    const uint64_t left = kivtest::LoadBytes(lists, [&](fw::CArchive& ar) { boxes.ReadChannelLists(ar, &header); });
    EXPECT_EQ(left, 0u);
    ASSERT_EQ(header.channels.size(), 2u);
    EXPECT_EQ(header.channels[0].name, "A");
    EXPECT_EQ(header.channels[0].valueType, 'F');
    EXPECT_EQ(header.channels[0].format, 3);
    EXPECT_EQ(header.channels[1].number, 500);
    EXPECT_EQ(header.channels[1].max, 2.0);
}

TEST_F(OlderFilesTest, NotADataFileIsRefusedByName)
{
    const fs::path path = dir / "other.kivd";
    WriteAll(path, std::string(64, 'z'));
    services.prompt.ExpectText("の書類ではありません", fw::IDOK);
    EXPECT_EQ(Open(path), nullptr);
}

} // namespace
} // namespace datatest
