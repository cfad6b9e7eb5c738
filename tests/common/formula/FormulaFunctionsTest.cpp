#include "tests/common/formula/FakeChannelList.h"

#include "common/formula/FormulaRoutines.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

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

void ExpectValues(const ValueRow* rows, size_t count, FakeChannelList& list)
{
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(rows[i].name);
        const double v = EvaluateFormula(rows[i].text, &list);
        ASSERT_FALSE(std::isnan(v)) << "did not compile: " << rows[i].text;
        if (std::isinf(rows[i].expected))
            EXPECT_EQ(v, rows[i].expected);
        else
            EXPECT_NEAR(v, rows[i].expected, 1e-9 * std::max(1.0, std::fabs(rows[i].expected)));
    }
}

// Channels NO(2) .. NO(9) at indices 501 .. 508.
TEST(FormulaFunctions, ListStatisticsTable)
{
    FakeChannelList list;
    list.Set(501, 1.0);
    list.Set(502, 5.0);
    list.Set(503, -2.0);
    list.Set(504, HUGE_VAL);
    list.Set(505, HUGE_VAL);
    list.Set(0, 10.0); // CH1
    const ValueRow rows[] = {
        {"nave", "=NAVE(NO2,NO3,NO4)", 4.0 / 3.0},
        {"nave_missing_counts_in_n", "=NAVE(NO2,NO3,NO9)", 2.0},
        {"nave_with_ch", "=NAVE(CH1,NO2)", 5.5},
        {"nsum", "=NSUM(NO2,NO3,NO4)", 4.0},
        {"nsum_all_no_value", "=NSUM(NO5,NO6)", HUGE_VAL},
        {"nsum_none_found", "=NSUM(NO9)", HUGE_VAL},
        {"nmax_skips_no_value", "=NMAX(NO5,NO2,NO3,NO4)", 5.0},
        {"nmax_all_no_value", "=NMAX(NO5,NO6)", HUGE_VAL},
        {"nmin", "=NMIN(NO2,NO3,NO5,NO4)", -2.0},
        {"nmin_all_no_value", "=NMIN(NO6)", HUGE_VAL},
    };
    ExpectValues(rows, std::size(rows), list);
}

TEST(FormulaFunctions, ReferencedChannelFunctionsTable)
{
    FakeChannelList list;
    auto set = [&](int16_t no, double v) { list.Set(static_cast<int16_t>(499 + no), v); };
    set(2, 100); set(3, 100); set(4, 100);  // equal strains
    set(5, 300); set(6, 0);                 // ex, ey for principal forms
    set(7, 1);   set(8, -1);
    set(10, -30); set(11, 725); set(12, 2); set(13, 1e300);
    set(14, 200); set(15, 0); set(16, HUGE_VAL);
    // E = 200000, nu = 0.3: E 1e-6 / (2 (1 - nu^2)) = 0.2 / 1.82.
    const double k = 0.2 / 1.82;
    const ValueRow rows[] = {
        {"nemax_equal_strains", "=NEMAX(NO2,NO3,NO4,200000,0.3)", k * 1.3 * 200},
        {"nemin_equal_strains", "=NEMIN(NO2,NO3,NO4,200000,0.3)", k * 1.3 * 200},
        {"nemax_nu_one", "=NEMAX(NO2,NO3,NO4,200000,1)", HUGE_VAL},
        {"nemin_nu_one", "=NEMIN(NO2,NO3,NO4,200000,1)", HUGE_VAL},
        {"nemax_nu_minus_one", "=NEMAX(NO2,NO3,NO4,200000,-1)", HUGE_VAL},
        {"nemax_general", "=NEMAX(NO5,NO6,NO4,200000,0.3)",
         k * (1.3 * 300 + 0.7 * std::sqrt(2 * 200.0 * 200 + 2 * 100.0 * 100))},
        {"ntemax_nu_minus_one", "=NTEMAX(NO5,NO6,NO4,200000,-1)", HUGE_VAL},
        {"nex_nu_minus_one", "=NEX(NO2,NO15,200000,-1)", HUGE_VAL},
        {"ntemax_equal_strains", "=NTEMAX(NO2,NO3,NO4,200000,0.3)", 0},
        {"ntemax_general", "=NTEMAX(NO5,NO6,NO4,200000,0.3)",
         0.2 / 2.6 * std::sqrt(2 * 200.0 * 200 + 2 * 100.0 * 100)},
        {"npdeg_all_equal", "=NPDEG(NO2,NO3,NO4)", HUGE_VAL},
        {"npdeg_x_greater", "=NPDEG(NO14,NO15,NO2)", 0},
        {"npdeg_x_less_sum_at_least_2z", "=NPDEG(NO15,NO14,NO2)", -90},
        {"npdeg_x_less_sum_below_2z", "=NPDEG(NO15,NO2,NO2)", 67.5},
        {"npdeg_x_equals_y_z_above", "=NPDEG(NO2,NO3,NO14)", 45},
        {"npdeg_x_equals_y_z_below", "=NPDEG(NO2,NO3,NO15)", -45},
        {"nex", "=NEX(NO2,NO15,200000,0.3)", 0.2 / 0.91 * 100},
        {"ney", "=NEY(NO2,NO15,200000,0.3)", 0.2 / 0.91 * 30},
        {"nex_nu_one", "=NEX(NO2,NO15,200000,1)", HUGE_VAL},
        {"ney_nu_one", "=NEY(NO2,NO15,200000,1)", HUGE_VAL},
        {"nsmax", "=NSMAX(NO5,NO2,NO2)", 200 + 100 * std::sqrt(2.0)},
        {"nsmin", "=NSMIN(NO5,NO2,NO2)", 200 - 100 * std::sqrt(2.0)},
        {"ntsmax", "=NTSMAX(NO5,NO2,NO2)", 200 * std::sqrt(2.0)},
        {"nsmax_missing_z_takes_x", "=NSMAX(NO5,NO2,NO20)", 200 + 100 * std::sqrt(2.0)},
        {"nsmax_no_value", "=NSMAX(NO16,NO2,NO2)", HUGE_VAL},
        {"nsmin_no_value", "=NSMIN(NO2,NO16,NO2)", HUGE_VAL},
        {"ntsmax_no_value", "=NTSMAX(NO2,NO2,NO16)", HUGE_VAL},
        {"npdeg_no_value", "=NPDEG(NO2,NO16,NO2)", HUGE_VAL},
        {"ntemax_no_value", "=NTEMAX(NO16,NO2,NO2,200000,0.3)", HUGE_VAL},
        {"nex_missing_channel", "=NEX(NO20,NO2,200000,0.3)", HUGE_VAL},
        {"natan_first_quadrant", "=NATAN(NO7,NO7)", kPi / 4},
        {"natan_third_quadrant", "=NATAN(NO8,NO8)", -3 * kPi / 4},
        {"natan_negative_x_axis", "=NATAN(NO8,NO6)", kPi},
        {"natan_negative_y_axis", "=NATAN(NO6,NO8)", -kPi / 2},
        {"natan_origin", "=NATAN(NO6,NO6)", 0},
        {"natan_beyond_float", "=NATAN(NO13,NO7)", HUGE_VAL},
        {"ntr_negative", "=NTR(NO10,360)", 330},
        {"ntr_above", "=NTR(NO11,360)", 5},
        {"ntr_negative_period", "=NTR(NO10,-360)", 330},
        {"ntr_zero_period", "=NTR(NO10,0)", -30},
        {"nfx5", "=NFX5(NO12,1,0,0,0,0,1)", 33},
        {"nfx5_all_terms", "=NFX5(NO12,1,2,3,4,5,6)", 32 + 32 + 24 + 16 + 10 + 6},
        {"nfx5_missing_channel", "=NFX5(NO20,1,0,0,0,0,1)", HUGE_VAL},
    };
    ExpectValues(rows, std::size(rows), list);
}

TEST(FormulaFunctions, NtrEndsForValuesFarOutsideThePeriod)
{
    // Stepping period by period would take about 3e27 steps here.
    const auto start = std::chrono::steady_clock::now();
    const double r = CalcNtrValue(1e30, 360.0);
    EXPECT_GE(r, 0.0);
    EXPECT_LT(r, 360.0);
    EXPECT_EQ(r, std::fmod(1e30, 360.0));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    // Not finite as single precision: left as it is.
    EXPECT_EQ(CalcNtrValue(1e300, 360.0), 1e300);
    EXPECT_EQ(CalcNtrValue(-1e-20, 360.0), 0.0);
}

struct HistoryRow {
    const char* name;
    const char* text;
    double expected[4];
};

// NO(2) (index 501) stores 10, 12, 15, 11; at each step its order's result
// is the value of that step.
TEST(FormulaFunctions, HistoryFunctionsTable)
{
    const std::vector<double> stored = {10, 12, 15, 11};
    const HistoryRow rows[] = {
        {"nfsub", "=NFSUB(NO2)", {0, 2, 3, -4}},
        {"nfadd", "=NFADD(NO2)", {10, 22, 27, 26}},
        {"naadd", "=NAADD(NO2)", {10, 22, 37, 48}},
        {"ndevi_first_step", "=NDEVI(NO2,1)", {0, 2, 5, 1}},
        {"ndevi_second_step", "=NDEVI(NO2,2)", {-2, 0, 3, -1}},
        {"nf3dt_cubic", "=NF3DT(NO2,1,1,0,0,0)", {0, 728, 2375, 331}},
        {"nf3dt_linear", "=NF3DT(NO2,1,0,0,2,7)", {0, 4, 10, 2}},
        {"nf4dt_linear", "=NF4DT(NO2,1,0,0,0,1,0)", {0, 2, 5, 1}},
        {"nf4dt_quartic", "=NF4DT(NO2,1,1,0,0,0,0)", {0, 10736, 40625, 4641}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeChannelList list;
        CDataCalcuOrder order;
        ASSERT_EQ(CompileFor(order, row.text), 0);
        EXPECT_EQ(order.GetPass(), 6);
        list.Wire(order);
        for (int s = 1; s <= 4; ++s) {
            list.Set(501, stored[static_cast<size_t>(s - 1)], stored);
            ASSERT_TRUE(order.Evaluate(6, s));
            EXPECT_NEAR(order.GetResult(), row.expected[s - 1], 1e-9) << "step " << s;
        }
    }
}

TEST(FormulaFunctions, HistoryWithoutTankOrContext)
{
    FakeChannelList list;
    list.Set(501, 7.0);
    list.RemoveTank(501);
    const ValueRow rows[] = {
        {"nfsub_no_tank", "=NFSUB(NO2)", 0},
        {"nfadd_no_tank", "=NFADD(NO2)", 7},
        {"naadd_no_tank", "=NAADD(NO2)", 7},
        {"ndevi_no_tank", "=NDEVI(NO2,1)", HUGE_VAL},
        {"nf3dt_no_tank", "=NF3DT(NO2,1,1,0,0,0)", HUGE_VAL},
    };
    ExpectValues(rows, std::size(rows), list);

    // Before the pass ordering gives the operation its list: no value.
    CDataCalcuOrder order;
    ASSERT_EQ(CompileFor(order, "=NFSUB(NO2)"), 0);
    order.Evaluate(6, 1);
    EXPECT_EQ(order.GetResult(), HUGE_VAL);
}

TEST(FormulaFunctions, RunningSumIsReusedOnlyForConsecutiveSteps)
{
    constexpr int kSteps = 2000;
    std::vector<double> stored(kSteps);
    for (int i = 0; i < kSteps; ++i)
        stored[static_cast<size_t>(i)] = (i % 7 == 3) ? HUGE_VAL : i * 0.5;
    FakeChannelList list;
    CDataCalcuOrder order;
    ASSERT_EQ(CompileFor(order, "=NAADD(NO2)"), 0);
    list.Wire(order);
    double expectedSum = 0.0;
    for (int s = 1; s <= kSteps; ++s) {
        list.Set(501, 1.0, stored);
        order.Evaluate(6, s);
        ASSERT_EQ(order.GetResult(), 1.0 + expectedSum) << "step " << s;
        if (std::isfinite(stored[static_cast<size_t>(s - 1)]))
            expectedSum += stored[static_cast<size_t>(s - 1)];
    }
    // One new stored value per step, not the whole history again.
    EXPECT_LT(list.storedReads, 2 * kSteps);

    // A jump back sums afresh.
    order.Evaluate(6, 4);
    EXPECT_EQ(order.GetResult(), 1.0 + 0.0 + 0.5 + 1.0);
}

} // namespace
