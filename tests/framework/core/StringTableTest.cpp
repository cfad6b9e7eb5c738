#include "framework/core/StringTable.h"

#include "framework/core/Cp932.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(StringTable, MissingIdGivesFalseAndEmptyText)
{
    fw::CString s("stale");
    EXPECT_FALSE(fw::LoadString(1, s));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(fw::LoadStringText(65535), "");
}

TEST(StringTable, FormatStringReplacesNumberedPlaces)
{
    EXPECT_EQ(fw::FormatString(61714, "1", fw::CString("100")), "1 から 100 までの整数を入力してください。");
    EXPECT_EQ(fw::FormatString(61729, std::string("/tmp/a.kiv")),
              "/tmp/a.kiv\nファイル名またはパスが正しくありません。");
    fw::CString out;
    fw::AfxFormatString2(out, 61715, "-1.5", "2.5");
    EXPECT_EQ(out, "-1.5 から 2.5 までの数値を入力してください。");
    fw::AfxFormatString1(out, 264, "a.txt");
    EXPECT_EQ(out, "a.txtを作成できませんでした。");
    // A text without a place for the argument stays as it is.
    EXPECT_EQ(fw::FormatString(61475, "x"), "メモリが不足しています。");
}

TEST(StringTable, FormatMessageText)
{
    struct Row { const char* name; const char* pattern; const char* expected; };
    const Row rows[] = {
        {"order_swapped", "%2-%1", "b-a"},
        {"repeated", "%1%1", "aa"},
        {"missing_argument_empty", "<%3>", "<>"},
        {"printf_conversions_kept", "%s %d %u 100%", "%s %d %u 100%"},
        {"ninth", "%9", ""},
        {"zero_is_no_place", "%0", "%0"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(fw::FormatMessageText(r.pattern, {"a", "b"}), r.expected);
    }
}

TEST(StringTable, ParsesLinesCommentsAndEscapes)
{
    const auto entries = fw::detail::ParseStringTable(
        "# comment\n"
        "1\tplain\n"
        "\n"
        "2\ttab\\there\\nnewline \\\\n not an escape\r\n"
        "3\tunknown \\x stays\n"
        "bad line without tab\n"
        "x4\tbad id\n"
        "5\t\n"
        "6\tlast without newline");
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].id, 1u);
    EXPECT_EQ(entries[0].text, "plain");
    EXPECT_EQ(entries[1].text, "tab\there\nnewline \\n not an escape");
    EXPECT_EQ(entries[2].text, "unknown \\x stays");
    EXPECT_EQ(entries[3].id, 5u);
    EXPECT_EQ(entries[3].text, "");
    EXPECT_EQ(entries[4].text, "last without newline");
}

TEST(StringTable, EveryTextSurvivesCp932)
{
    // Characters such as U+301C or U+2212 would come back as other code points.
    for (const auto* table : {&fw::detail::FrameworkStringEntries()}) {
        ASSERT_FALSE(table->empty());
        std::set<unsigned> ids;
        for (const auto& e : *table) {
            SCOPED_TRACE(e.id);
            EXPECT_TRUE(ids.insert(e.id).second) << "duplicate id";
            const std::string bytes = fw::cp932::ToCp932(e.text.view());
            EXPECT_EQ(fw::cp932::FromCp932(bytes), e.text.str());
        }
    }
}

} // namespace
