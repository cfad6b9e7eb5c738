// Formulas of different data sets may be evaluated on one thread while
// formulas elsewhere are compiled on another: an edit anywhere makes every
// plan prepare itself again, and that must stay within the evaluating
// thread's own order (run under ThreadSanitizer in the sanitizer build).

#include "tests/common/formula/FakeChannelList.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using formulatest::CompileFor;
using formulatest::FakeChannelList;

namespace {

TEST(FormulaPlanThreads, EditsOfOtherOrdersLeaveAnEvaluationExact)
{
    constexpr int kSteps = 20000;
    std::atomic<bool> evaluating{true};
    std::atomic<int> edits{0};
    std::thread editor([&] {
        FakeChannelList list;
        list.Set(0, 1.0);
        list.Set(1, 2.0);
        const char* const texts[] = {"=CH(1)+CH(2)", "=SQRT(CH(2))*2", "=CH(2)/CH(1)-3"};
        CDataCalcuOrder order;
        for (int i = 0; evaluating.load() || i < 3; ++i) {
            if (CompileFor(order, texts[i % 3]) != 0)
                return;
            list.Wire(order);
            order.Evaluate(order.GetPass(), i + 1);
            edits.fetch_add(1);
        }
    });

    FakeChannelList list;
    list.Set(0, 0.0);
    list.Set(1, 0.0);
    CDataCalcuOrder order;
    ASSERT_EQ(CompileFor(order, "=CH(1)*2+CH(2)"), 0);
    list.Wire(order);
    int wrong = 0;
    for (int step = 1; step <= kSteps; ++step) {
        const double a = step * 0.5;
        const double b = 1.0 / step;
        list.Set(0, a);
        list.Set(1, b);
        order.Evaluate(order.GetPass(), step);
        wrong += order.GetResult() == a * 2 + b ? 0 : 1;
    }
    evaluating = false;
    editor.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_GE(edits.load(), 3);
}

} // namespace
