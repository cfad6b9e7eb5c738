#include "framework/core/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using namespace fw::cp932;

TEST(Cp932, MicrosoftTableBytes)
{
    struct Row { const char* name; const char* utf8; std::string cp932; };
    const Row rows[] = {
        {"ascii_and_backslash", "A\\z", "A\\z"},
        {"degree_celsius", "℃", "\x81\x8E"},
        {"ohm", "Ω", "\x83\xB6"},
        {"plus_minus", "±", "\x81\x7D"},
        {"full_width_space", "　", "\x81\x40"},
        {"full_width_tilde", "～", "\x81\x60"},
        {"full_width_minus", "－", "\x81\x7C"},
        {"katakana", "ア", "\x83\x41"},
        {"half_width_katakana", "ｱｶﾞ", "\xB1\xB6\xDE"},
        {"kanji", "測定", "\x91\xAA\x92\xE8"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(ToCp932(r.utf8), r.cp932);
        EXPECT_EQ(FromCp932(r.cp932), r.utf8);
    }
}

TEST(Cp932, JapaneseTextRoundTrip)
{
    const std::string text = "熱電対　K 測定器からERRが返されました。\n温度 25.0℃ ±0.5 抵抗 10Ω ｶﾀｶﾅ";
    const std::string bytes = ToCp932(text);
    EXPECT_EQ(bytes.substr(0, 8), "\x94\x4D\x93\x64\x91\xCE\x81\x40");
    EXPECT_EQ(FromCp932(bytes), text);
}

TEST(Cp932, DuplicateRowsComeBackAsTheIbmCodes)
{
    // NEC-selected IBM extension 0xEEEF and IBM extension 0xFA40 are both U+2170.
    EXPECT_EQ(FromCp932("\xEE\xEF"), "ⅰ");
    EXPECT_EQ(ToCp932("ⅰ"), "\xFA\x40");
    // NEC row 13 0x8790 and JIS 0x81E0 are both U+2252; the JIS code wins.
    EXPECT_EQ(ToCp932(FromCp932("\x87\x90")), "\x81\xE0");
}

TEST(Cp932, UnencodableBecomesQuestionMark)
{
    EXPECT_EQ(ToCp932("a€b"), "a?b");
    EXPECT_EQ(ToCp932("x😀y"), "x?y");
    EXPECT_EQ(ToCp932("bad\xFFutf8"), "bad?utf8");
}

TEST(Cp932, UndecodableBecomesReplacementCharacter)
{
    // A lead byte followed by a byte that cannot trail it, and a lead byte at the end.
    EXPECT_EQ(FromCp932("\x81 A"), "\xEF\xBF\xBD A");
    EXPECT_EQ(FromCp932("ok\x88"), "ok\xEF\xBF\xBD");
}

TEST(Cp932, ByteLengthCountsCp932Bytes)
{
    EXPECT_EQ(ByteLength("abc"), 3u);
    EXPECT_EQ(ByteLength("ｱｲｳ"), 3u);
    EXPECT_EQ(ByteLength("アイウ"), 6u);
    EXPECT_EQ(ByteLength("a€"), 2u);
    EXPECT_EQ(ByteLength(""), 0u);
}

TEST(Cp932, TruncateNeverSplitsACharacter)
{
    struct Row { const char* name; const char* text; size_t max; const char* expected; };
    const Row rows[] = {
        {"fits_whole", "ab測定", 6, "ab測定"},
        {"lead_byte_at_limit_dropped", "ab測定", 3, "ab"},
        {"whole_double_byte_kept", "ab測定", 4, "ab測"},
        {"half_width_counts_one", "ｱｲｳ", 2, "ｱｲ"},
        {"zero", "abc", 0, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(Truncate(r.text, r.max), r.expected);
        EXPECT_TRUE(Fits(Truncate(r.text, r.max), r.max));
    }
    EXPECT_TRUE(Fits("測定", 4));
    EXPECT_FALSE(Fits("測定", 3));
}

TEST(Cp932, ConcurrentConversions)
{
    const std::string text = "測定器が確認できません。℃Ω±ｱ";
    const std::string bytes = ToCp932(text);
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i) {
                if (ToCp932(text) != bytes || FromCp932(bytes) != text)
                    ++failures[static_cast<size_t>(t)];
            }
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

} // namespace
