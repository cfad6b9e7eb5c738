#include "framework/core/CString.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <unordered_set>

namespace {

using fw::CString;

TEST(CString, PiecesClampLikeTheMfcClass)
{
    const CString s("ABCDEF");
    EXPECT_EQ(s.Left(2), "AB");
    EXPECT_EQ(s.Left(99), "ABCDEF");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Mid(4), "EF");
    EXPECT_EQ(s.Mid(2, 3), "CDE");
    EXPECT_EQ(s.Mid(4, 99), "EF");
    EXPECT_EQ(s.Mid(99), "");
    EXPECT_EQ(s.Mid(-3, 2), "AB");
    EXPECT_EQ(s.Right(2), "EF");
    EXPECT_EQ(s.Right(99), "ABCDEF");
}

TEST(CString, LengthAndPositionsAreUtf8Bytes)
{
    const CString s("熱電対K");
    EXPECT_EQ(s.GetLength(), 10);
    EXPECT_EQ(s.Find('K'), 9);
    EXPECT_EQ(s.Find("電"), 3);
    EXPECT_EQ(s.Find("電", 4), -1);
}

TEST(CString, Search)
{
    const CString s("a,b;c,d");
    EXPECT_EQ(s.Find(','), 1);
    EXPECT_EQ(s.Find(',', 2), 5);
    EXPECT_EQ(s.Find(',', 99), -1);
    EXPECT_EQ(s.Find("c,"), 4);
    EXPECT_EQ(s.Find(""), 0);
    EXPECT_EQ(s.ReverseFind(','), 5);
    EXPECT_EQ(s.ReverseFind('x'), -1);
    EXPECT_EQ(s.FindOneOf(";,"), 1);
    EXPECT_EQ(s.FindOneOf("xyz"), -1);
}

TEST(CString, Editing)
{
    CString s("a-b-c");
    EXPECT_EQ(s.Replace("-", "--"), 2);
    EXPECT_EQ(s, "a--b--c");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace('-', '+'), 4);
    EXPECT_EQ(s.Remove('+'), 4);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(s.Insert(1, "XY"), 5);
    EXPECT_EQ(s.Insert(99, '!'), 6);
    EXPECT_EQ(s, "aXYbc!");
    EXPECT_EQ(s.Delete(1, 2), 4);
    EXPECT_EQ(s.Delete(3, 99), 3);
    EXPECT_EQ(s, "abc");
    s.SetAt(0, 'z');
    EXPECT_EQ(s.GetAt(0), 'z');
    EXPECT_EQ(s[2], 'c');
    EXPECT_THROW(s.GetAt(3), std::out_of_range);
    EXPECT_THROW(s.SetAt(-1, 'x'), std::out_of_range);
}

TEST(CString, TrimIsAsciiWhiteSpaceOnly)
{
    CString s(" \t\r\n x y \n");
    s.Trim();
    EXPECT_EQ(s, "x y");
    // The full-width space is text, as in the multibyte class.
    CString wide("　熱電対　K　");
    wide.Trim();
    EXPECT_EQ(wide, "　熱電対　K　");
    CString t("xxabcxx");
    t.TrimLeft('x');
    EXPECT_EQ(t, "abcxx");
    t.TrimRight("xc");
    EXPECT_EQ(t, "ab");
    CString blank("   ");
    blank.TrimRight();
    EXPECT_TRUE(blank.IsEmpty());
}

TEST(CString, CaseIsAsciiOnly)
{
    CString s("abcＡｂｃxyz");
    s.MakeUpper();
    EXPECT_EQ(s, "ABCＡｂｃXYZ");
    s.MakeLower();
    EXPECT_EQ(s, "abcＡｂｃxyz");
    EXPECT_EQ(CString("Volt").CompareNoCase("VOLT"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_NE(CString("ａ").CompareNoCase("Ａ"), 0);
}

TEST(CString, ComparisonIsByUnsignedBytes)
{
    // A multibyte lead byte sorts after every ASCII character.
    EXPECT_LT(CString("z"), CString("あ"));
    EXPECT_LT(CString("abc"), "abd");
    EXPECT_GT(CString("b"), "a");
    EXPECT_EQ(CString("x"), CString("x"));
    EXPECT_NE(CString("x"), "X");
    EXPECT_EQ(CString("x").Compare("y"), -1);
    EXPECT_EQ(CString("é").Compare("e"), 1);
}

TEST(CString, ConcatenationAndConstruction)
{
    CString s = CString("a") + "b" + 'c' + CString("d");
    s += "e";
    s += 'f';
    s += std::string("g");
    EXPECT_EQ(s, "abcdefg");
    EXPECT_EQ("x" + CString("y"), "xy");
    EXPECT_EQ(CString(static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(CString('-', 3), "---");
    EXPECT_EQ(CString("abcdef", 3), "abc");
    const std::string text = "std";
    const CString fromStd = text;
    EXPECT_EQ(fromStd.str(), "std");
    EXPECT_STREQ(fromStd.c_str(), "std");
    std::unordered_set<CString> set{CString("k")};
    EXPECT_EQ(set.count(CString("k")), 1u);
}

TEST(CString, ExtractSubString)
{
    const char* doc = "\nKIV\nKIV ファイル (*.kiv)\n.kiv";
    struct Row { const char* name; int index; bool found; const char* text; };
    const Row rows[] = {
        {"empty_first", 0, true, ""},
        {"second", 1, true, "KIV"},
        {"utf8_filter", 2, true, "KIV ファイル (*.kiv)"},
        {"last_without_separator", 3, true, ".kiv"},
        {"beyond", 4, false, ""},
        {"negative", -1, false, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CString out("stale");
        EXPECT_EQ(CString::ExtractSubString(out, doc, r.index), r.found);
        EXPECT_EQ(out, r.text);
    }
    CString out;
    EXPECT_TRUE(CString::ExtractSubString(out, "a|b", 1, '|'));
    EXPECT_EQ(out, "b");
}

TEST(CString, TokenizeAndSpans)
{
    const CString s("  a, b,,c ");
    int pos = 0;
    std::vector<std::string> tokens;
    for (CString t = s.Tokenize(", ", pos); pos >= 0; t = s.Tokenize(", ", pos))
        tokens.push_back(t.str());
    EXPECT_EQ(tokens, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(CString("123abc").SpanIncluding("0123456789"), "123");
    EXPECT_EQ(CString("abc;def").SpanExcluding(";"), "abc");
}

} // namespace
