// Step-by-step evaluation of formulas made only of channel reads and the
// four arithmetic operations, which run from a prepared plan: the values must
// be those of the written arithmetic, bit for bit, and every change to the
// operations after a first evaluation must show in the next one.

#include "tests/common/formula/FakeChannelList.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

using formulatest::CompileFor;
using formulatest::FakeChannelList;

namespace {

double Guarded(double v) { return std::fabs(v) <= FLT_MAX || v == HUGE_VAL ? v : HUGE_VAL; }
double Divide(double a, double b) { return b == 0.0 ? HUGE_VAL : a / b; }

void ExpectSameBits(double got, double expected)
{
    EXPECT_EQ(std::bit_cast<uint64_t>(got), std::bit_cast<uint64_t>(expected)) << got << " vs " << expected;
}

struct PlanRow {
    const char* name;
    const char* text;
    std::function<double(double, double)> written;
};

TEST(FormulaPlan, StepValuesAreThoseOfTheWrittenArithmetic)
{
    const PlanRow rows[] = {
        {"benchmark_formula", "=CH(1)*2+CH(2)", [](double a, double b) { return a * 2 + b; }},
        {"register_reused_by_later_reads", "=CH(1)-CH(2)*CH(1)/3",
         [](double a, double b) { return a - Divide(b * a, 3); }},
        {"two_groups", "=(CH(1)+1)*(CH(2)-1)", [](double a, double b) { return (a + 1) * (b - 1); }},
        {"constant_over_channel", "=2/CH(2)-CH(1)/3", [](double a, double b) { return Divide(2, b) - Divide(a, 3); }},
        {"channel_alone", "=CH(2)", [](double, double b) { return b; }},
        {"same_channel_twice", "=CH(1)-CH(1)", [](double a, double) { return a - a; }},
        {"renumbered_channel", "=NO(3)*CH(1)", [](double a, double b) { return b * a; }},
        {"operand_written_two_steps_before", "=CH(1)*2+CH(2)*3", [](double a, double b) { return a * 2 + b * 3; }},
        {"four_steps_take_the_general_loop", "=(CH(1)+1)*(CH(2)-1)/CH(1)",
         [](double a, double b) { return Divide((a + 1) * (b - 1), a); }},
        {"five_steps", "=CH(1)*CH(2)-CH(1)/CH(2)+CH(2)*2-1",
         [](double a, double b) { return a * b - Divide(a, b) + b * 2 - 1; }},
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double values[][2] = {{1.5, 4.0},  {-0.0, 0.0},   {HUGE_VAL, 2.0}, {3e38, 3e38}, {1e-310, -7.25},
                                {nan, 1.0},  {-1e300, 0.5}, {7.0, -0.0},     {0.1, 0.2}};
    for (const PlanRow& row : rows) {
        SCOPED_TRACE(row.name);
        FakeChannelList list;
        list.Set(0, 0.0);
        list.Set(1, 0.0);
        list.Set(502, 0.0);
        CDataCalcuOrder order;
        ASSERT_EQ(CompileFor(order, row.text), 0);
        list.Wire(order);
        int32_t invalid = 0;
        int32_t step = 0;
        for (const auto& v : values) {
            list.Set(0, v[0]);
            list.Set(1, v[1]);
            list.Set(502, v[1]);
            ASSERT_TRUE(order.Evaluate(order.GetPass(), ++step));
            const double raw = row.written(v[0], v[1]);
            if (Guarded(raw) != raw || std::isnan(raw))
                ++invalid;
            ExpectSameBits(order.GetResult(), Guarded(raw));
        }
        EXPECT_EQ(order.GetInvalidResultCount(), invalid);
    }
}

TEST(FormulaPlan, ChangesAfterAnEvaluationShowInTheNext)
{
    FakeChannelList list;
    list.Set(0, 3.0);
    list.Set(1, 5.0);
    CDataCalcuOrder other;
    other.SetResult(100.0);
    CDataCalcuOrder order;
    ASSERT_EQ(CompileFor(order, "=CH(1)*2+CH(2)"), 0);
    list.Wire(order);
    order.Evaluate(order.GetPass(), 1);
    EXPECT_EQ(order.GetResult(), 11.0);

    // Another channel wired to the first read.
    order.GetOperation(0)->SetOrderContext(&other);
    order.Evaluate(order.GetPass(), 2);
    const double first = order.GetOperation(0)->GetChannelIndex() == 0 ? 100.0 : 3.0;
    const double second = first == 100.0 ? 5.0 : 100.0;
    EXPECT_EQ(order.GetResult(), first * 2 + second);

    // No context: the read gives no value.
    order.GetOperation(0)->SetOrderContext(nullptr);
    order.Evaluate(order.GetPass(), 3);
    EXPECT_EQ(order.GetResult(), HUGE_VAL);

    // A new formula in the same order, one that needs the general way, then
    // an arithmetic one again.
    ASSERT_EQ(CompileFor(order, "=SQRT(CH(2))*2"), 0);
    list.Wire(order);
    order.Evaluate(order.GetPass(), 4);
    ExpectSameBits(order.GetResult(), std::sqrt(5.0) * 2);
    ASSERT_EQ(CompileFor(order, "=CH(2)/CH(1)"), 0);
    list.Wire(order);
    order.Evaluate(order.GetPass(), 5);
    ExpectSameBits(order.GetResult(), 5.0 / 3.0);

    // Reset leaves an empty order that gives no value.
    order.Reset();
    order.SetResult(1.0);
    EXPECT_TRUE(order.Evaluate(0, 6));
    EXPECT_EQ(order.GetResult(), HUGE_VAL);
}

} // namespace
