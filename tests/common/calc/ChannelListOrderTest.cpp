// Ordering formulas into passes and what each step then stores.

#include "tests/common/calc/CalcTestSupport.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace calctest {
namespace {

struct OrderCase {
    const char* name;
    std::map<int, const char*> formulas;  // NO number -> formula
    std::map<int, int16_t> passes;        // NO number -> expected pass
    // Expected value of each NO at step i, with CH(1) = i + 1 and CH(2) = 10 * (i + 1).
    std::map<int, std::function<double(double, double)>> values;
};

const OrderCase kOrderCases[] = {
    {"ChainInIndexOrder",
     {{1, "=CH(1)"}, {2, "=NO(1)*2"}},
     {{1, 2}, {2, 3}},
     {{1, [](double a, double) { return a; }}, {2, [](double a, double) { return 2 * a; }}}},
    {"ForwardReferenceIsDeferred",
     {{1, "=NO(2)*2"}, {2, "=CH(1)"}},
     {{1, 4}, {2, 2}},
     {{1, [](double a, double) { return 2 * a; }}, {2, [](double a, double) { return a; }}}},
    {"CycleCannotBeOrdered",
     {{1, "=NO(2)"}, {2, "=NO(1)"}},
     {{1, -2000}, {2, -2000}},
     {{1, [](double, double) { return HUGE_VAL; }}, {2, [](double, double) { return HUGE_VAL; }}}},
    {"MissingChannelCannotBeOrdered",
     {{1, "=NO(5)"}},
     {{1, -2000}},
     {{1, [](double, double) { return HUGE_VAL; }}}},
    {"ForwardReferenceBesideMeasured",
     {{1, "=NO(2)+CH(1)"}, {2, "=CH(2)"}},
     {{1, 4}, {2, 2}},
     {{1, [](double a, double b) { return a + b; }}, {2, [](double, double b) { return b; }}}},
    {"ReferencesOfDifferentDepth",
     {{1, "=CH(1)"}, {2, "=NO(1)+1"}, {3, "=NO(2)+NO(1)"}, {4, "=NO(3)*NO(1)"}},
     {{1, 2}, {2, 3}, {3, 3}, {4, 3}},
     {{3, [](double a, double) { return 2 * a + 1; }}, {4, [](double a, double) { return (2 * a + 1) * a; }}}},
    {"ListFunctionReadsEarlierPasses",
     {{1, "=CH(1)"}, {2, "=NSUM(NO1,NO3)"}, {3, "=NO(1)*3"}},
     {{1, 2}, {3, 3}},
     {{2, [](double a, double) { return 4 * a; }}}},
};

class OrderPassesTest : public CalcTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(OrderPassesTest, PassesAndStoredValuesOfBothRecalculations)
{
    const OrderCase& c = GetParam();
    for (const bool fromStep : {false, true}) {
        SCOPED_TRACE(fromStep ? "step by step" : "whole data");
        DataSet data(2, 5);
        data.Measure(1, [](int i) { return i + 1.0; });
        data.Measure(2, [](int i) { return 10.0 * (i + 1); });
        for (const auto& [no, text] : c.formulas)
            data.Formula(no, text);
        data.Compile();
        for (const auto& [no, pass] : c.passes)
            EXPECT_EQ(data.Pass(no), pass) << "NO(" << no << ")";
        if (fromStep) {
            for (int i = 0; i < 5; ++i)
                ASSERT_TRUE(data.list.CalculateStep(i));
        } else {
            data.list.RecalculateAll();
        }
        for (const auto& [no, f] : c.values)
            for (int i = 0; i < 5; ++i)
                EXPECT_DOUBLE_EQ(data.No(no, i), f(i + 1.0, 10.0 * (i + 1))) << "NO(" << no << ") step " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Formulas, OrderPassesTest, ::testing::ValuesIn(kOrderCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcTest, ConstantFormulaFillsOnlyEmptySteps)
{
    DataSet data(1, 4);
    data.Formula(1, "=3");
    data.Compile();
    EXPECT_EQ(data.Pass(1), 1);
    EXPECT_EQ(data.list.GetOrder(500)->GetResult(), 3.0);
    data.list.GetAt(500)->SetValue(1, 7.0);
    data.list.RecalculateAll();
    EXPECT_EQ(data.No(1, 0), 3.0);
    EXPECT_EQ(data.No(1, 1), 7.0);
    EXPECT_EQ(data.No(1, 3), 3.0);
}

TEST_F(CalcTest, FailedFormulaKeepsItsStoredValues)
{
    DataSet data(1, 3);
    data.list.GetOrCreateChannel(500)->SetValue(0, 5.0);
    data.Formula(1, "=CH(2)");  // beyond the CH limit
    data.Compile();
    EXPECT_EQ(data.Pass(1), 0);
    EXPECT_NE(data.list.GetOrder(500)->GetError(), 0);
    data.list.RecalculateAll();
    EXPECT_EQ(data.No(1, 0), 5.0);
}

TEST_F(CalcTest, ListReferenceToMissingChannelCannotBeOrdered)
{
    DataSet data(1, 2);
    data.Formula(1, "=NAVE(NO2)");
    data.Compile();
    EXPECT_EQ(data.Pass(1), -2000);
}

TEST_F(CalcTest, HistoryFormulasRunStepByStepWithTheSameResults)
{
    DataSet data(1, 300);
    data.Measure(1, [](int i) { return i % 7; });
    data.Formula(1, "=CH(1)*2");
    data.Formula(2, "=NFSUB(NO1)");
    data.Compile();
    data.list.RecalculateAll();
    for (int i = 1; i < 300; ++i)
        ASSERT_DOUBLE_EQ(data.No(2, i), 2.0 * (i % 7) - 2.0 * ((i - 1) % 7)) << i;
}

TEST_F(CalcTest, DependenciesAndReferencedChannels)
{
    DataSet data(3, 1);
    data.Formula(1, "=CH(1)+CH(2)");
    data.Formula(2, "=NO(1)*CH(3)");
    data.Formula(3, "=NSUM(NO1,NO2)");
    data.Compile();
    std::vector<int16_t> deps;
    data.list.CollectDependencies(502, deps);
    EXPECT_EQ(deps, (std::vector<int16_t>{502, 500, 501}));
    std::vector<std::pair<int16_t, int16_t>> refs;
    data.list.CollectReferencedChannels(501, refs);
    std::sort(refs.begin(), refs.end());
    EXPECT_EQ(refs, (std::vector<std::pair<int16_t, int16_t>>{{0, 500}, {1, 500}, {2, 501}}));
    double value = 0.0;
    EXPECT_EQ(data.list.FindRoutineValue(CalcRoutine::Ch, value, 500, -1), 500);
    EXPECT_EQ(value, 1.0);
    EXPECT_EQ(data.list.FindRoutineValue(CalcRoutine::Nave, value, 500, -1), -1);
}

TEST_F(CalcTest, LiveEvaluationFollowsChannelsInUse)
{
    DataSet data(1, 0);
    data.Formula(1, "=CH(1)+1");
    data.Formula(2, "=NO(1)*2");
    data.Compile();
    data.list.GetOrder(0)->SetResult(4.0);
    data.list.GetCalcTank(501)->AddUse();
    data.list.ApplyToChannels({501});
    EXPECT_EQ(data.list.GetOrder(501)->GetResult(), 10.0);
    auto* cash = dynamic_cast<CCashCalcuDataTank*>(data.list.GetCalcTank(501));
    ASSERT_NE(cash, nullptr);
    data.list.UpdatePeaks({501}, true);
    data.list.GetOrder(0)->SetResult(9.0);
    data.list.ApplyToChannels({501});
    data.list.UpdatePeaks({501}, false);
    EXPECT_EQ(cash->GetPeakMax(), 20.0);
    EXPECT_EQ(cash->GetPeakMin(), 10.0);
}

} // namespace
} // namespace calctest
