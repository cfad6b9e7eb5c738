#include "tests/common/formula/FakeChannelList.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

using formulatest::CompileFor;
using formulatest::EvaluateFormula;
using formulatest::FakeChannelList;

namespace {

constexpr double kPi = 3.141592653589793;

struct ValueRow {
    const char* name;
    const char* text;
    double expected;
};

void ExpectValues(const ValueRow* rows, size_t count, FakeChannelList* list)
{
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(rows[i].name);
        const double v = EvaluateFormula(rows[i].text, list);
        ASSERT_FALSE(std::isnan(v)) << "did not compile: " << rows[i].text;
        if (std::isinf(rows[i].expected))
            EXPECT_EQ(v, rows[i].expected);
        else
            EXPECT_NEAR(v, rows[i].expected, 1e-9 * std::max(1.0, std::fabs(rows[i].expected)));
    }
}

TEST(FormulaEvaluate, PrecedenceTable)
{
    const ValueRow rows[] = {
        {"multiply_before_add", "=1+2*3", 7},
        {"group_first", "=(1+2)*3", 9},
        {"power_leftmost_first", "=2^3^2", 64},
        {"divide_multiply_leftmost_first", "=8/2*2", 8},
        {"subtract_leftmost_first", "=10-2-3", 5},
        {"unary_minus", "=-5", -5},
        {"unary_plus", "=+5", 5},
        {"minus_after_power", "=-2^2", -4},
        {"signed_right_operand", "=2*-3", -6},
        {"minus_minus", "=2--3", 5},
        {"negative_exponent_operand", "=2^-1", 0.5},
        {"nested_groups", "=2*(3+(4-1))^2", 72},
        {"redundant_groups", "=((2))", 2},
        {"exponent_number", "=1E5", 100000},
        {"decimal_exponent", "=1.5E2", 150},
        {"bare_number", "=5", 5},
        {"long_number_is_not_cut", "=123456789012345678901234567890123", 1.2345678901234568e32},
        {"division_by_zero", "=1/0", HUGE_VAL},
        {"inner_call_first", "=SIN(ASIN(0.5))", 0.5},
        {"inner_call_first_reversed", "=ASIN(SIN(1))", 1},
        {"acos_and_cos", "=COS(0)+ACOS(1)", 1},
        {"function_of_expression", "=SQRT((1+2)*3)", 3},
    };
    ExpectValues(rows, std::size(rows), nullptr);
}

TEST(FormulaEvaluate, NumericFunctionsTable)
{
    const ValueRow rows[] = {
        {"sqrt", "=SQRT(16)", 4},
        {"sqrt_negative", "=SQRT(-1)", HUGE_VAL},
        {"abs", "=ABS(-3)", 3},
        {"log10", "=LOG10(1000)", 3},
        {"ln", "=LN(1)", 0},
        {"pi", "=PI()", kPi},
        {"acos", "=ACOS(1)", 0},
        {"asin", "=ASIN(1)", kPi / 2},
        {"atan", "=ATAN(1)", kPi / 4},
        {"cos", "=COS(0)", 1},
        {"sin", "=SIN(PI()/2)", 1},
        {"tan", "=TAN(PI()/4)", 1},
        {"iround_negative_half", "=IROUND(-2.5)", -3},
        {"iround_positive_half", "=IROUND(2.5)", 3},
        {"iround_below_half", "=IROUND(2.4)", 2},
        {"sgn_negative", "=SGN(-7)", -1},
        {"sgn_zero", "=SGN(0)", 0},
        {"sgn_positive", "=SGN(3)", 1},
        {"sgn_of_no_value", "=SGN(1/0)", HUGE_VAL},
        {"iround_of_no_value", "=IROUND(1/0)", HUGE_VAL},
    };
    ExpectValues(rows, std::size(rows), nullptr);
}

TEST(FormulaEvaluate, ChannelReferences)
{
    FakeChannelList list;
    list.Set(0, 1.5);   // CH(1)
    list.Set(1, 4.0);   // CH(2)
    list.Set(502, 4.0); // NO(3)
    const ValueRow rows[] = {
        {"channel_times_two_plus_register_squared", "=CH(1)*2+NO(3)^2", 19},
        {"benchmark_formula", "=CH(1)*2+CH(2)", 7},
        {"same_channel_twice", "=SQRT(CH(2))+CH(2)", 6},
        {"missing_channel_context", "=CH(3)", HUGE_VAL},
    };
    ExpectValues(rows, std::size(rows), &list);
}

TEST(FormulaEvaluate, PassRules)
{
    CDataCalcuOrder order;
    ASSERT_EQ(CompileFor(order, "=2*3"), 0);
    EXPECT_TRUE(order.Evaluate(1, 0));
    EXPECT_EQ(order.GetResult(), 6);

    // Another pass changes nothing.
    order.SetResult(42);
    EXPECT_FALSE(order.Evaluate(2, 1));
    EXPECT_EQ(order.GetResult(), 42);

    // An order that cannot be ordered gives no value in every pass.
    order.SetPass(CDataCalcuOrder::kPassUnorderable);
    for (int16_t pass : {0, 2, 5}) {
        EXPECT_TRUE(order.Evaluate(pass, 7));
        EXPECT_EQ(order.GetResult(), HUGE_VAL);
    }

    CDataCalcuOrder empty;
    empty.SetResult(1);
    EXPECT_TRUE(empty.Evaluate(0, 1));
    EXPECT_EQ(empty.GetResult(), HUGE_VAL);
}

TEST(FormulaEvaluate, ResultsAFloatTankCannotHoldBecomeTheEmptyMarker)
{
    const ValueRow rows[] = {
        {"nan_from_domain_error", "=LOG10(-1)", HUGE_VAL},
        {"minus_infinity", "=LN(0)", HUGE_VAL},
        {"beyond_float_range", "=1E30*1E30", HUGE_VAL},
        {"negative_beyond_float_range", "=-1E39", HUGE_VAL},
        {"float_maximum_kept", "=3.4E38", 3.4e38},
    };
    ExpectValues(rows, std::size(rows), nullptr);

    // Counted per step, so the caller can report them once.
    CDataCalcuOrder order;
    ASSERT_EQ(CompileFor(order, "=ACOS(2)"), 0);
    for (int32_t step = 1; step <= 1000; ++step)
        order.Evaluate(1, step);
    EXPECT_EQ(order.GetResult(), HUGE_VAL);
    EXPECT_EQ(order.GetInvalidResultCount(), 1000);
    EXPECT_EQ(order.GetFirstInvalidStep(), 1);
    order.ClearInvalidResults();
    EXPECT_EQ(order.GetInvalidResultCount(), 0);

    // The no-value marker itself is no fault.
    ASSERT_EQ(CompileFor(order, "=1/0"), 0);
    order.Evaluate(1, 1);
    EXPECT_EQ(order.GetInvalidResultCount(), 0);
}

TEST(FormulaEvaluate, BlocksMatchStepByStep)
{
    // Per step the channel list puts each channel's stored value into its
    // order; the block form reads the stored values directly. Both must give
    // the same values, edge values included.
    constexpr int kSteps = 700; // more than two blocks, the last one partial
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> dist(-100.0, 100.0);
    std::vector<double> a(kSteps), b(kSteps);
    for (int i = 0; i < kSteps; ++i) {
        a[i] = dist(rng);
        b[i] = dist(rng);
    }
    a[3] = HUGE_VAL;
    b[4] = 0.0;
    b[5] = -0.0;
    a[6] = -1.0;

    const char* formulas[] = {"=CH(1)*2+CH(2)",          "=CH(1)/CH(2)",       "=(CH(1)-NO(3))^2",
                              "=SQRT(CH(1))+ABS(CH(2))", "=2/CH(2)-CH(1)/3",   "=LOG10(CH(1))",
                              "=5",                      "=-CH(2)^2+SIN(PI()/2)", "=CH(2)^CH(1)"};
    for (const char* text : formulas) {
        SCOPED_TRACE(text);
        FakeChannelList list;
        list.Set(0, 0.0, a);
        list.Set(1, 0.0, b);
        list.Set(502, 0.0, b);
        CDataCalcuOrder order;
        ASSERT_EQ(CompileFor(order, text), 0);
        list.Wire(order);
        ASSERT_TRUE(order.CanEvaluateBlocks());
        std::vector<double> block(kSteps);
        ASSERT_TRUE(order.EvaluateBlock(list, 0, kSteps, block.data()));
        const int32_t blockInvalid = order.GetInvalidResultCount();
        order.ClearInvalidResults();
        for (int i = 0; i < kSteps; ++i) {
            list.Set(0, a[i], a);
            list.Set(1, b[i], b);
            list.Set(502, b[i], b);
            order.Evaluate(order.GetPass(), i + 1);
            ASSERT_EQ(order.GetResult(), block[i]) << "step " << i + 1;
        }
        EXPECT_EQ(order.GetInvalidResultCount(), blockInvalid);
    }
}

TEST(FormulaEvaluate, BlocksRefuseListFunctions)
{
    FakeChannelList list;
    CDataCalcuOrder order;
    ASSERT_EQ(CompileFor(order, "=NAVE(NO2,NO3)"), 0);
    EXPECT_FALSE(order.CanEvaluateBlocks());
    double out = 0;
    EXPECT_FALSE(order.EvaluateBlock(list, 0, 1, &out));
}

TEST(FormulaEvaluate, MissingChannelInBlockGivesNoValue)
{
    FakeChannelList list;
    CDataCalcuOrder order;
    ASSERT_EQ(CompileFor(order, "=CH(1)+1"), 0);
    double out[3] = {0, 0, 0};
    ASSERT_TRUE(order.EvaluateBlock(list, 0, 3, out));
    for (double v : out)
        EXPECT_EQ(v, HUGE_VAL);
}

} // namespace
