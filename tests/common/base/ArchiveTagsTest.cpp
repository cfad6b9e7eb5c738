#include "common/base/ArchiveTags.h"
#include "common/base/LogFont.h"
#include "common/base/RangeMessages.h"
#include "common/base/SwapBytes.h"
#include "framework/core/Archive.h"
#include "framework/core/Cp932.h"
#include "framework/core/File.h"
#include "framework/core/StringTable.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

template <class F> Bytes Stored(F&& write)
{
    return kivtest::StoredBytes(std::forward<F>(write));
}

Bytes Ascii(const char* text)
{
    return Bytes(text, text + std::strlen(text));
}

void AppendLE32(Bytes& b, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

// ----------------------------------------------------------------- tags

TEST(ArchiveTags, WriteAddsExactlyTheTagBytes)
{
    EXPECT_EQ(Stored([](fw::CArchive& ar) { WriteArchiveTag(ar, "<CAL>"); }), Ascii("<CAL>"));
}

struct PeekRow {
    const char* name;
    Bytes data;
    size_t skip; // bytes read before the peek
    const char* tag;
    bool present;
};

class PeekArchiveTagTable : public ::testing::TestWithParam<PeekRow> {};

TEST_P(PeekArchiveTagTable, AnswersAndLeavesThePosition)
{
    const PeekRow& row = GetParam();
    fw::CMemFile file(row.data);
    fw::CArchive ar(&file, fw::CArchive::load);
    Bytes skipped(row.skip);
    ar.ReadExact(skipped.data(), row.skip);

    EXPECT_EQ(PeekArchiveTag(ar, row.tag), row.present);

    const size_t expectedPosition = row.skip + (row.present ? std::strlen(row.tag) : 0);
    EXPECT_EQ(ar.Tell(), expectedPosition);
    Bytes rest(row.data.size() - expectedPosition + 1);
    EXPECT_EQ(ar.Read(rest.data(), rest.size()), rest.size() - 1);
    rest.pop_back();
    EXPECT_EQ(rest, Bytes(row.data.begin() + static_cast<long>(expectedPosition), row.data.end()));
}

Bytes Concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const PeekRow kPeekRows[] = {
    {"Present", Concat(Ascii("<CAL>"), {7, 0, 0, 0}), 0, "<CAL>", true},
    {"PresentAfterData", Concat({1, 2}, Ascii("<HIST>")), 2, "<HIST>", true},
    {"AtEndOfData", {1, 2}, 2, "<CAL>", false},
    {"LongerTagFollows", Concat(Ascii("<CALF>"), {9}), 0, "<CAL>", false},
    {"ShortTail", Ascii("<CA"), 0, "<CAL>", false},
    {"OtherTag", Concat({5}, Ascii("<VER>")), 1, "<CAL>", false},
    {"EmptyTag", Ascii("<CAL>"), 0, "", false},
};
INSTANTIATE_TEST_SUITE_P(Cases, PeekArchiveTagTable, ::testing::ValuesIn(kPeekRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ArchiveTags, PeekBeyondTheReadBufferInARealFile)
{
    kivtest::TempDir dir;
    const fw::CString path((dir / "tags.bin").string());
    const Bytes filler(5000, 0xAB);
    {
        fw::CFile file(path, fw::CFile::modeCreate | fw::CFile::modeWrite);
        fw::CArchive ar(&file, fw::CArchive::store);
        ar.Write(filler.data(), filler.size());
        WriteArchiveTag(ar, "<HISTSET>");
        ar << int32_t{42};
        ar.Close();
    }
    fw::CFile file(path, fw::CFile::modeRead);
    fw::CArchive ar(&file, fw::CArchive::load);
    Bytes head(4094);
    ar.ReadExact(head.data(), head.size()); // the tag straddles the first buffer's end
    Bytes more(filler.size() - head.size());
    ar.ReadExact(more.data(), more.size());
    EXPECT_FALSE(PeekArchiveTag(ar, "<HISTSETX>"));
    EXPECT_FALSE(PeekArchiveTag(ar, "<HIST>X"));
    EXPECT_TRUE(PeekArchiveTag(ar, "<HISTSET>"));
    int32_t value = 0;
    ar >> value;
    EXPECT_EQ(value, 42);
    EXPECT_FALSE(PeekArchiveTag(ar, "<CAL>"));
}

TEST(ArchiveTags, PeekOnAStoringArchiveAnswersFalse)
{
    const Bytes bytes = Stored([](fw::CArchive& ar) {
        EXPECT_FALSE(PeekArchiveTag(ar, "<CAL>"));
        WriteArchiveTag(ar, "<CAL>");
    });
    EXPECT_EQ(bytes, Ascii("<CAL>"));
}

// ------------------------------------------------------------- font record

Bytes Cp932(const char* utf8)
{
    const std::string s = fw::cp932::ToCp932(utf8);
    return Bytes(s.begin(), s.end());
}

TEST(LogFontArchive, DefaultFontHasTheDocumentedBytes)
{
    LOGFONT font;
    SetDefaultLogFont(&font, true, 900);
    Bytes expected;
    for (int32_t v : {90, 0, 900, 900, 0})
        AppendLE32(expected, v);
    for (uint8_t b : {0, 0, 0, 128, 3, 1, 1, 0x32})
        expected.push_back(b);
    const Bytes face = Cp932("ＭＳ Ｐゴシック");
    ASSERT_EQ(face.size(), 15u);
    expected.push_back(static_cast<uint8_t>(face.size()));
    expected.insert(expected.end(), face.begin(), face.end());
    EXPECT_EQ(Stored([&](fw::CArchive& ar) { SerializeLogFont(ar, font); }), expected);
}

TEST(LogFontArchive, FixedDefaultFont)
{
    LOGFONT font;
    font.lfWeight = 700;
    SetDefaultLogFont(&font, false, 0);
    EXPECT_EQ(font.lfWeight, 0);
    EXPECT_EQ(font.lfPitchAndFamily, 0x31);
    EXPECT_EQ(font.GetFaceName(), fw::CString("ＭＳ ゴシック"));
    EXPECT_EQ(font.lfHeight, 90);
    EXPECT_EQ(font.lfEscapement, 0);
}

TEST(LogFontArchive, StoredAndLoadedFontIsEqual)
{
    LOGFONT font;
    font.lfHeight = -120;
    font.lfWidth = 7;
    font.lfEscapement = 450;
    font.lfOrientation = 450;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfUnderline = 1;
    font.lfStrikeOut = 1;
    font.lfCharSet = 128;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 2;
    font.lfQuality = 4;
    font.lfPitchAndFamily = 0x22;
    SetLogFontFace(font, "ＭＳ 明朝");
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        SerializeLogFont(ar, font);
        ar.Close();
    }
    file.SeekToBegin();
    LOGFONT loaded;
    {
        fw::CArchive ar(&file, fw::CArchive::load);
        SerializeLogFont(ar, loaded);
    }
    EXPECT_TRUE(loaded == font);
    EXPECT_EQ(loaded.GetFaceName(), fw::CString("ＭＳ 明朝"));
}

TEST(LogFontArchive, LongFacesAreCutAtACharacterBoundary)
{
    struct Row { const char* name; std::string face; std::string expected; };
    std::string kanji20, kanji15, katakana40;
    for (int i = 0; i < 20; ++i)
        kanji20 += "明";
    for (int i = 0; i < 15; ++i)
        kanji15 += "明";
    for (int i = 0; i < 40; ++i)
        katakana40 += "ｱ";
    const Row rows[] = {
        {"double-byte", kanji20, kanji15},
        {"odd byte before double-byte", "a" + kanji20, "a" + kanji15},
        {"ASCII", std::string(33, 'F'), std::string(31, 'F')},
        {"half-width katakana", katakana40, katakana40.substr(0, 31 * 3)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // A file holding the long face, as another program might write it.
        LOGFONT numbers;
        Bytes stored = Stored([&](fw::CArchive& ar) {
            SerializeLogFont(ar, numbers); // numbers and an empty face
        });
        stored.pop_back();
        const Bytes face = Cp932(row.face.c_str());
        stored.push_back(static_cast<uint8_t>(face.size()));
        stored.insert(stored.end(), face.begin(), face.end());

        fw::CMemFile file(stored);
        fw::CArchive ar(&file, fw::CArchive::load);
        LOGFONT loaded;
        SerializeLogFont(ar, loaded);
        EXPECT_EQ(loaded.GetFaceName(), fw::CString(row.expected));
        EXPECT_LE(strnlen(loaded.lfFaceName, sizeof loaded.lfFaceName), 31u);

        // Stored again, the face takes its cut form.
        const Bytes again = Stored([&](fw::CArchive& out) { SerializeLogFont(out, loaded); });
        EXPECT_EQ(again[28], fw::cp932::ByteLength(row.expected));
    }
}

// ------------------------------------------------------------ small helpers

TEST(SmallUtilities, SwapBytes16LeavesAnOddLastByte)
{
    uint8_t bytes[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(SwapBytes16(bytes, 5), 0);
    EXPECT_EQ(Bytes(bytes, bytes + 5), (Bytes{2, 1, 4, 3, 5}));
    EXPECT_EQ(SwapBytes16(bytes, 1), 0);
    EXPECT_EQ(bytes[0], 2);
}

TEST(SmallUtilities, RangeMessagesInsertTheBounds)
{
    fw::test::ServiceScope services;
    services.prompt.Expect(61714, fw::IDOK).Expect(61714, fw::IDOK).Expect(61715, fw::IDOK);
    ShowIntRangeMessage(-100, 100, "%ld", 61714);
    ShowIntRangeMessage(0, -1, "%lu", 61714);
    ShowRealRangeMessage(0.001, 1e6, 3, 61715);
    ASSERT_EQ(services.prompt.Problems(), "");
    const auto prompts = services.prompt.Prompts();
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_EQ(prompts[0].text, fw::FormatString(61714, "-100", "100"));
    EXPECT_NE(prompts[0].text.Find("-100"), -1);
    EXPECT_EQ(prompts[0].flags, fw::MB_ICONEXCLAMATION);
    EXPECT_EQ(prompts[0].help, 61714u);
    EXPECT_EQ(prompts[1].text, fw::FormatString(61714, "0", "4294967295"));
    EXPECT_EQ(prompts[2].text, fw::FormatString(61715, "0.001", "1e+006"));
}

} // namespace
