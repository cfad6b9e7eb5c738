// A whole recalculation gives the same results in blocks of steps as step
// by step, bit for bit: values, scale extremes and averages.

#include "tests/common/calc/CalcTestSupport.h"

#include "common/tank/ZELDataPoter.h"

#include <cmath>
#include <cstring>

namespace calctest {
namespace {

// More steps than one block holds, so that blocks meet at a boundary.
constexpr int kSteps = 70000;

const char* const kFormulas[] = {
    "=CH(1)*2+CH(2)",
    "=NO(1)*0.5-CH(3)",
    "=CH(2)/CH(3)",      // the empty value where CH(3) is 0
    "=CH(1)*1E-45",      // below the float range: stored as empty
    "=3",                // a constant
    "=NO(2)+NO(1)*NO(3)",
};
constexpr int kCompared = static_cast<int>(std::size(kFormulas));

void Fill(DataSet& data, bool stepwise)
{
    data.Measure(1, [](int i) { return std::sin(i * 1e-3) * 1000.0; });
    data.Measure(2, [](int i) { return i % 97 == 0 ? HUGE_VAL : (i % 1013) * 0.25; });
    data.Measure(3, [](int i) { return double(i % 5); });
    for (int k = 0; k < kCompared; ++k)
        data.Formula(k + 1, kFormulas[k]);
    // A list function reads the other orders' current results: it makes
    // the whole recalculation run step by step.
    if (stepwise)
        data.Formula(kCompared + 1, "=NFADD(NO1)");
    data.Compile();
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_F(CalcTest, BlocksAndStepsGiveTheSameBits)
{
    DataSet blocks(3, kSteps);
    DataSet steps(3, kSteps);
    Fill(blocks, false);
    Fill(steps, true);
    blocks.list.RecalculateAll();
    steps.list.RecalculateAll();
    // Refused values are reported once per recalculation.
    services.prompt.Reset();
    for (int no = 1; no <= kCompared; ++no) {
        SCOPED_TRACE(kFormulas[no - 1]);
        int differ = 0;
        for (int i = 0; i < kSteps; ++i)
            differ += !SameBits(blocks.No(no, i), steps.No(no, i));
        EXPECT_EQ(differ, 0);
        CDataTankObject* b = blocks.list.GetAt(499 + no);
        CDataTankObject* s = steps.list.GetAt(499 + no);
        EXPECT_TRUE(SameBits(b->GetMax(), s->GetMax())) << b->GetMax() << " " << s->GetMax();
        EXPECT_TRUE(SameBits(b->GetMin(), s->GetMin())) << b->GetMin() << " " << s->GetMin();
        EXPECT_TRUE(SameBits(b->GetAverage(), s->GetAverage())) << b->GetAverage() << " " << s->GetAverage();
        // The average gathered while storing is the one a pass over the values finds.
        EXPECT_TRUE(SameBits(b->GetAverage(), GetTankAverage(b, 0, -1)));
    }
}

} // namespace
} // namespace calctest
