#include "common/formula/CalcFunctionTable.h"
#include "common/formula/FormulaText.h"

#include <gtest/gtest.h>

namespace {

struct NormalizeRow {
    const char* name;
    const char* source;
    const char* expected;
    bool changed;
};

TEST(FormulaText, NormalizeTable)
{
    const NormalizeRow rows[] = {
        {"already_normal", "=CH(1)*2", "=CH(1)*2", false},
        {"lower_case_blanks_no_equals", "ch(1) * 2", "=CH(1)*2", true},
        {"full_width_with_ideographic_space",
         "＝ＣＨ（１）＊２＋ｎｏ（３）　＾２", "=CH(1)*2+NO(3)^2", true},
        {"full_width_without_equals", "ｓｑｒｔ（ ４ ）", "=SQRT(4)", true},
        {"empty", "", "", false},
        {"no_single_byte_form_kept", "=漢", "=漢", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fw::CString out = "junk";
        EXPECT_EQ(NormalizeFormula(row.source, out), row.changed);
        EXPECT_EQ(out, fw::CString(row.expected));
    }
}

TEST(FormulaText, SyntaxPreCheckTable)
{
    const struct {
        const char* name;
        const char* text;
        int code;
    } rows[] = {
        {"plain", "=1+2", 0},
        {"no_equals", "1+2", 3},
        {"empty", "", 3},
        {"at_sign", "=A@1", 3},
        {"open_missing_close", "=(1", 3},
        {"wrong_order_passes", "=)1(", 0},
        {"unclosed_call_passes", "=)NAVE(NO1", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CheckFormulaSyntax(row.text), row.code);
    }
}

TEST(FormulaText, OperandScanning)
{
    const struct {
        const char* name;
        const char* text;
        int position;
        const char* left;
        const char* right;
    } rows[] = {
        {"register_times_number", "=@0*2", 3, "@0", "2"},
        {"signed_right", "=2*-3", 2, "2", "-3"},
        {"exponent_splits_at_sign", "=1E-5", 3, "1E", "5"},
        {"second_at_ends_right", "=1+@0@1", 2, "1", "@0"},
        {"left_stops_at_operator", "=2+3.5E2*4", 8, "3.5E2", "4"},
        {"nothing_left", "=-5", 1, "", "5"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ScanLeftOperand(row.text, row.position), fw::CString(row.left));
        EXPECT_EQ(ScanRightOperand(row.text, row.position + 1), fw::CString(row.right));
    }
}

TEST(FormulaText, ParenthesesAndGroups)
{
    int open = 0, close = 0;
    EXPECT_TRUE(FindMatchingParenthesis("=A((1)+(2))", 0, open, close));
    EXPECT_EQ(open, 2);
    EXPECT_EQ(close, 10);
    EXPECT_FALSE(FindMatchingParenthesis("=A((1)", 0, open, close));
    EXPECT_FALSE(FindMatchingParenthesis("=1", 0, open, close));

    fw::CString inner;
    EXPECT_TRUE(FindInnermostGroup("=(1+(2*3))", inner, open, close));
    EXPECT_EQ(inner, fw::CString("2*3"));
    EXPECT_EQ(open, 4);
    EXPECT_EQ(close, 8);
    EXPECT_TRUE(FindInnermostGroup("=)1(", inner, open, close));
    EXPECT_TRUE(inner.IsEmpty());
    EXPECT_EQ(open, 0);
    EXPECT_FALSE(FindInnermostGroup("=1", inner, open, close));
}

TEST(FormulaText, Arguments)
{
    EXPECT_EQ(CountFormulaArguments(""), 0);
    EXPECT_EQ(CountFormulaArguments("NO1"), 1);
    EXPECT_EQ(CountFormulaArguments("NO1,,NO2"), 3);
    fw::CString arg;
    EXPECT_EQ(GetFormulaArgument("NO1,25,X", 2, arg), 4);
    EXPECT_EQ(arg, fw::CString("25"));
    EXPECT_EQ(GetFormulaArgument("NO1,25,X", 3, arg), 7);
    EXPECT_EQ(arg, fw::CString("X"));
    EXPECT_EQ(GetFormulaArgument("NO1,25,X", 4, arg), -1);
}

TEST(FormulaText, KeywordLookupFollowsTableOrder)
{
    // ACOS comes before COS in the table, so it is found first although it
    // stands later in the text.
    int pos = 0, entry = 0, open = 0, close = 0;
    fw::CString args;
    ASSERT_TRUE(FindFunctionCall("=COS(1)+ACOS(1)", kCalcCategoryNumeric, pos, entry, open, close, args));
    EXPECT_EQ(entry, static_cast<int>(CalcRoutine::Acos));
    EXPECT_EQ(pos, 8);
    EXPECT_EQ(FindFunctionOfCategory("=SINX(1)", kCalcCategoryNumeric), -1);
    EXPECT_EQ(FindFunctionOfCategory("=2*NO(3)", kCalcCategoryCalculated), 3);
    // A keyword with "(" but no closing parenthesis cannot be delimited.
    pos = 0;
    EXPECT_FALSE(FindFunctionCall("=)NAVE(NO1", kCalcCategoryList, pos, entry, open, close, args));
}

TEST(FormulaText, KeywordCallFromAPosition)
{
    int pos = 3, open = 0, close = 0;
    fw::CString args;
    // The first occurrence from the start position counts.
    ASSERT_TRUE(FindKeywordCall("=NO(1)+NO(2,3)", "NO", pos, open, close, args));
    EXPECT_EQ(pos, 7);
    EXPECT_EQ(open, 9);
    EXPECT_EQ(close, 13);
    EXPECT_EQ(args, fw::CString("2,3"));
    // Only the first occurrence is looked at: "NO1" is not a call.
    pos = 0;
    EXPECT_FALSE(FindKeywordCall("=NAVE(NO1)+NO(2)", "NO", pos, open, close, args));
}

TEST(FormulaText, FunctionTable)
{
    tagCALCFUNC entry{};
    EXPECT_FALSE(GetCalcFunctionEntry(38, entry));
    EXPECT_FALSE(GetCalcFunctionEntry(-1, entry));
    int listed = 0;
    for (int i = 0; i < kCalcFunctionCount; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(GetCalcFunctionEntry(i, entry));
        EXPECT_EQ(static_cast<int>(entry.routine), i);
        listed += entry.picker;
        fw::CString help;
        ASSERT_TRUE(help.LoadString(kCalcFunctionHelpBaseId + static_cast<unsigned>(i)));
        EXPECT_GT(help.Find(','), 0);
    }
    EXPECT_EQ(listed, 37);
    ASSERT_TRUE(GetCalcFunctionEntry(24, entry));
    EXPECT_STREQ(entry.keyword, "CONST");
    EXPECT_EQ(entry.picker, 0);
    fw::CString nemax;
    ASSERT_TRUE(nemax.LoadString(kCalcFunctionHelpBaseId + 15));
    EXPECT_EQ(nemax.Left(nemax.Find(',')), fw::CString("■　特殊演算関数 (最大主応力)"));
}

struct ShiftRow {
    const char* name;
    const char* text;
    bool includeCH;
    int threshold;
    int offset;
    const char* expected;
    bool changed;
};

TEST(FormulaText, ShiftFormulaChannelsTable)
{
    const ShiftRow rows[] = {
        {"row_removed_moves_higher", "=NO(4)+NO(2)", false, 2, -1, "=NO(3)+NO(2)", true},
        {"removed_channel_becomes_err", "=NO(3)", false, 2, -1, "=NO(Err)", true},
        {"lower_channel_unchanged", "=NO(1)", false, 2, -1, "=NO(1)", false},
        {"copied_three_rows_down", "=CH(1)*2", true, -1, 3, "=CH(4)*2", true},
        {"ch_left_alone_without_flag", "=CH(1)*2", false, -1, 3, "=CH(1)*2", false},
        {"normalised_on_rewrite", "no(4) + no(5)", false, 2, -1, "=NO(3)+NO(4)", true},
        {"list_references_follow", "=NAVE(NO4,NO1)+NO(5)", false, 2, -1, "=NAVE(NO3,NO1)+NO(4)", true},
        {"list_ch_reference_needs_flag", "=NAVE(CH4,NO4)", false, 2, -1, "=NAVE(CH4,NO3)", true},
        {"step_count_is_no_reference", "=NDEVI(NO4,4)", false, 2, -1, "=NDEVI(NO3,4)", true},
        {"bad_argument_stops_keeping_earlier", "=NO(4)+NO(X)+NO(5)", false, 2, -1, "=NO(3)+NO(X)+NO(5)", true},
        {"wrong_argument_count_stops", "=NTR(NO4)", false, 2, -1, "=NTR(NO4)", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fw::CString text = row.text;
        EXPECT_EQ(ShiftFormulaChannels(text, row.includeCH, row.threshold, row.offset), row.changed);
        EXPECT_EQ(text, fw::CString(row.expected));
    }
}

} // namespace
