#include "framework/core/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

struct FormatCase {
    const char* name;
    fw::CString (*make)();
    const char* expected;
};

const FormatCase kCases[] = {
    // The original runtime's exponent: sign and at least three digits.
    {"g_plain", [] { return fw::Format("%g", 1250.0); }, "1250"},
    {"g_small_exponent", [] { return fw::Format("%g", 1.25e-5); }, "1.25e-005"},
    {"g_large_exponent", [] { return fw::Format("%g", 1.25e7); }, "1.25e+007"},
    {"g_three_digit_exponent_kept", [] { return fw::Format("%g", 1e300); }, "1e+300"},
    {"G_upper", [] { return fw::Format("%G", 1e-5); }, "1E-005"},
    {"e_precision", [] { return fw::Format("%.3e", 1250.0); }, "1.250e+003"},
    {"E_upper", [] { return fw::Format("%.2E", -0.00125); }, "-1.25E-003"},
    {"e_default", [] { return fw::Format("%e", 3.14159); }, "3.141590e+000"},
    {"g_precision_18", [] { return fw::Format("%.*g", 18, 3.14159); }, "3.14158999999999988"},
    {"e_width_counts_wide_exponent", [] { return fw::Format("%11.2e|", 1.5); }, "  1.50e+000|"},
    {"e_zero_pad_after_sign", [] { return fw::Format("%012.2e", -1.5); }, "-001.50e+000"},
    {"e_left_aligned", [] { return fw::Format("%-11.1e|", 2.0); }, "2.0e+000   |"},
    {"f_star_star", [] { return fw::Format("%*.*f|", 8, 2, 3.14159); }, "    3.14|"},
    {"f_negative_star_width_left", [] { return fw::Format("%*.1f|", -6, 2.25); }, "2.2   |"},
    {"f_negative_star_precision_is_default", [] { return fw::Format("%.*f", -1, 1.5); }, "1.500000"},
    {"f_zero_precision", [] { return fw::Format("%.0f", 2.4); }, "2"},
    {"f_inf_not_zero_padded", [] { return fw::Format("%06f", -std::numeric_limits<double>::infinity()); }, "  -inf"},
    {"f_float_argument", [] { return fw::Format("%.1f", 2.5f); }, "2.5"},
    {"f_plus", [] { return fw::Format("%+.1f", 2.0); }, "+2.0"},
    {"f_inf_glibc", [] { return fw::Format("%f", std::numeric_limits<double>::infinity()); }, "inf"},
    {"g_nan_not_widened", [] { return fw::Format("%g", std::nan("")); }, "nan"},
    {"d_int", [] { return fw::Format("%d", -42); }, "-42"},
    {"d_width_zero", [] { return fw::Format("%05d", 42); }, "00042"},
    {"ld_int32", [] { return fw::Format("%ld", int32_t{-7}); }, "-7"},
    {"hd_truncates_to_int16", [] { return fw::Format("%hd", 70000); }, "4464"},
    {"hd_negative_wrap", [] { return fw::Format("%hd", 40000); }, "-25536"},
    {"hu_truncates", [] { return fw::Format("%hu", 70000); }, "4464"},
    {"d_of_uint32_is_signed", [] { return fw::Format("%d", uint32_t{0xFFFFFFFF}); }, "-1"},
    {"u_of_int32_wraps", [] { return fw::Format("%u", -1); }, "4294967295"},
    {"x_of_int32", [] { return fw::Format("%x", -1); }, "ffffffff"},
    {"lX_precision_star", [] { return fw::Format("%.*lX", 8, uint32_t{0xBEEF}); }, "0000BEEF"},
    {"I64d_full", [] { return fw::Format("%I64d", int64_t{-9000000000}); }, "-9000000000"},
    {"lld_full", [] { return fw::Format("%lld", int64_t{9000000000}); }, "9000000000"},
    {"o_octal", [] { return fw::Format("%o", 8); }, "10"},
    {"c_char", [] { return fw::Format("[%c]", 'A'); }, "[A]"},
    {"s_const_char", [] { return fw::Format("%s!", "abc"); }, "abc!"},
    {"s_cstring_utf8", [] { return fw::Format("%s", fw::CString("測定")); }, "測定"},
    {"s_std_string", [] { return fw::Format("<%5s>", std::string("ab")); }, "<   ab>"},
    {"s_left_precision", [] { return fw::Format("<%-4.2s>", "abcdef"); }, "<ab  >"},
    {"s_null_pointer", [] { return fw::Format("%s", static_cast<const char*>(nullptr)); }, "(null)"},
    {"percent", [] { return fw::Format("100%%"); }, "100%"},
    {"mixed", [] { return fw::Format("%s=%d (%g)", "CH", 3, 0.5); }, "CH=3 (0.5)"},
};

TEST(Format, Table)
{
    for (const FormatCase& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.make().str(), c.expected);
    }
}

struct MismatchCase {
    const char* name;
    void (*call)();
};

const MismatchCase kMismatches[] = {
    {"double_for_d", [] { fw::Format("%d", 1.5); }},
    {"int_for_f", [] { fw::Format("%f", 1); }},
    {"int_for_s", [] { fw::Format("%s", 5); }},
    {"text_for_d", [] { fw::Format("%d", "5"); }},
    {"text_for_c", [] { fw::Format("%c", "x"); }},
    {"double_for_star", [] { fw::Format("%*d", 2.0, 5); }},
    {"too_few", [] { fw::Format("%d %d", 1); }},
    {"too_many", [] { fw::Format("%d", 1, 2); }},
    {"dangling_percent", [] { fw::Format("50%", 1); }},
    {"n_refused", [] { fw::Format("%n", 1); }},
    {"width_beyond_int", [] { fw::Format("%99999999999d", 1); }},
    {"precision_beyond_int", [] { fw::Format("%.99999999999f", 1.0); }},
};

TEST(Format, TypeMismatchThrows)
{
    for (const MismatchCase& c : kMismatches) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(c.call(), std::logic_error);
    }
}

TEST(Format, MembersFormatAndAppend)
{
    fw::CString s("old");
    s.Format("%d-%s", 7, "x");
    EXPECT_EQ(s, "7-x");
    s.AppendFormat("/%.2f", 0.126);
    EXPECT_EQ(s, "7-x/0.13");
    // Patterns that are texts themselves, as loaded from the string table.
    const fw::CString pattern("<%s:%d>");
    s.Format(pattern, "k", 1);
    EXPECT_EQ(s, "<k:1>");
    s.AppendFormat(pattern, "m", 2);
    EXPECT_EQ(s, "<k:1><m:2>");
    EXPECT_EQ(fw::Format(pattern, "n", 3), "<n:3>");
}

TEST(Format, CharacterBufferEndsAtNulOrAtItsEnd)
{
    char buf[8] = "ab";
    EXPECT_EQ(fw::Format("[%s]", buf), "[ab]");
    const char full[3] = {'x', 'y', 'z'};
    EXPECT_EQ(fw::Format("[%s]", full), "[xyz]");
}

TEST(Format, WidenExponent)
{
    EXPECT_EQ(fw::detail::WidenExponent("1e+05"), "1e+005");
    EXPECT_EQ(fw::detail::WidenExponent("-2.5E-10"), "-2.5E-010");
    EXPECT_EQ(fw::detail::WidenExponent("1e+123"), "1e+123");
    EXPECT_EQ(fw::detail::WidenExponent("125"), "125");
}

TEST(MulDiv, RoundsHalfAwayFromZero)
{
    struct Row { const char* name; int a, b, c, expected; };
    const Row rows[] = {
        {"exact", 10, 6, 3, 20},
        {"half_up", 5, 1, 2, 3},
        {"below_half", 4, 1, 3, 1},
        {"negative_half_away", -5, 1, 2, -3},
        {"negative_divisor", 5, 1, -2, -3},
        {"no_32bit_overflow_inside", 100000, 100000, 100000, 100000},
        {"zero_divisor", 1, 2, 0, -1},
        {"result_overflow", 2000000000, 2, 1, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(fw::MulDiv(r.a, r.b, r.c), r.expected);
    }
}

} // namespace
