// The programs of the automatic modes: their checks with the messages the
// user sees, and the due times, thresholds and counts they step through.

#include "tests/project/ProjectFixture.h"

#include "common/tank/DataTank.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/DataPropaty.h"
#include "project/model/ProjectStrings.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace prjtest;

namespace {

constexpr double kSecond = 1.0 / 86400.0;

class AutoModes : public ProjectFixture {
protected:
    void SetUp() override
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
    }

    CDataTankObject* Column(CKIV5980Doc::Program p, int c) { return doc->GetProgram(p)->GetObjectAt(c); }

    // control: 0 endless, 1 repeat, 2 goto; repeat 0 leaves the cell empty.
    void CycleRow(int row, double start, double step, int control, int repeat)
    {
        if (start >= 0) {
            ASSERT_TRUE(Column(CKIV5980Doc::kProgCycle, 0)->SetValue(row, start));
        }
        if (step > 0) {
            ASSERT_TRUE(Column(CKIV5980Doc::kProgCycle, 1)->SetValue(row, step));
        }
        ASSERT_TRUE(Column(CKIV5980Doc::kProgCycle, 2)->SetValue(row, control));
        if (repeat > 0) {
            ASSERT_TRUE(Column(CKIV5980Doc::kProgCycle, 3)->SetValue(row, repeat));
        }
    }

    void ComparatorRow(int row, int channel, double change, int control, int repeat)
    {
        ASSERT_TRUE(Column(CKIV5980Doc::kProgComparator, 0)->SetValue(row, channel));
        if (change > 0) {
            ASSERT_TRUE(Column(CKIV5980Doc::kProgComparator, 1)->SetValue(row, change));
        }
        ASSERT_TRUE(Column(CKIV5980Doc::kProgComparator, 2)->SetValue(row, control));
        if (repeat > 0) {
            ASSERT_TRUE(Column(CKIV5980Doc::kProgComparator, 3)->SetValue(row, repeat));
        }
    }

    void IntervalRow(int row, int h, int m, int s, int control, int repeat)
    {
        Column(CKIV5980Doc::kProgInterval, 2)->SetValue(row, h);
        Column(CKIV5980Doc::kProgInterval, 3)->SetValue(row, m);
        Column(CKIV5980Doc::kProgInterval, 4)->SetValue(row, s);
        ASSERT_TRUE(Column(CKIV5980Doc::kProgInterval, 5)->SetValue(row, control));
        if (repeat > 0) {
            ASSERT_TRUE(Column(CKIV5980Doc::kProgInterval, 6)->SetValue(row, repeat));
        }
    }

    // The channel's newest value, as a poll leaves it.
    void SetCurrent(int channel, double value)
    {
        const tagBOXCH at = doc->GetBoxArray().GetMapEntry(channel);
        doc->GetBoxArray().GetBox(at.box)->GetDataPropaty(at.ch)->SetCurrentValue(value, 1.0);
    }

    std::string MessageText(unsigned id, int row)
    {
        return fw::Format(fw::LoadStringText(id).c_str(), row).str();
    }

    CKIV5980Doc* doc = nullptr;
};

TEST_F(AutoModes, EmptyProgramsAreNotSet)
{
    services.prompt.Expect(prjstr::kMsgIntervalEmpty, fw::IDOK)
        .Expect(prjstr::kMsgCompEmpty, fw::IDOK)
        .Expect(prjstr::kMsgCycleEmpty, fw::IDOK);
    EXPECT_FALSE(doc->CheckIntervalProgram());
    EXPECT_FALSE(doc->StartComparator());
    EXPECT_FALSE(doc->StartCycleTrigger());
    EXPECT_TRUE(doc->IsIntervalTableEmpty());
    EXPECT_TRUE(doc->IsCycleTableEmpty());
}

TEST_F(AutoModes, GotoWalksEndInLoopsPastTheEndOrAtBadChains)
{
    struct Row {
        const char* name;
        std::vector<std::array<int, 3>> rows;  // step, control, repeat
        bool usable;
        unsigned message;
        int messageRow;
    };
    const Row table[] = {
        {"a goto back to row 1 is a loop", {{10, 1, 2}, {0, 2, 1}}, true, 0, 0},
        {"a goto past the end ends the walk", {{10, 1, 2}, {0, 2, 3}}, true, 0, 0},
        {"gotos pointing at each other", {{10, 1, 1}, {0, 2, 3}, {0, 2, 2}}, false, prjstr::kMsgCycleBadGoto, 2},
        {"repeat without count", {{10, 1, 0}}, false, prjstr::kMsgCycleNoRepeat, 1},
        {"no step cycle", {{10, 1, 2}, {0, 1, 2}}, false, prjstr::kMsgCycleNoStep, 2},
        {"control not set", {{10, 3, 2}}, false, prjstr::kMsgCycleNoControl, 1},
    };
    for (const Row& row : table) {
        doc->GetProgram(CKIV5980Doc::kProgCycle)->ClearBlock(0, 0, 3, 99);
        for (size_t r = 0; r < row.rows.size(); ++r)
            CycleRow(static_cast<int>(r), -1, row.rows[r][0], row.rows[r][1], row.rows[r][2]);
        if (row.message)
            services.prompt.Expect(row.message, fw::IDOK);
        EXPECT_EQ(doc->StartCycleTrigger(), row.usable) << row.name;
        if (row.message) {
            ASSERT_FALSE(services.prompt.Prompts().empty()) << row.name;
            EXPECT_EQ(services.prompt.Prompts().back().text.str(), MessageText(row.message, row.messageRow)) << row.name;
        }
        EXPECT_EQ(services.prompt.Problems(), "") << row.name;
        services.prompt.Reset();
    }
}

TEST_F(AutoModes, CycleDueCountsFromTheUnitCount)
{
    CycleRow(0, -1, 50, 1, 2);
    CycleRow(1, 5000, 100, 0, 0);
    ASSERT_TRUE(doc->StartCycleTrigger());
    ASSERT_TRUE(doc->ResetCycleTrigger(1000));
    EXPECT_EQ(doc->GetCycleDueCount(), 1050);
    // A jump past several due counts uses them up in one advance.
    ASSERT_TRUE(doc->AdvanceCycleTrigger(1120));
    EXPECT_EQ(doc->GetCycleDueCount(), 5000) << "two repeats used, then the next row's start";
    ASSERT_TRUE(doc->AdvanceCycleTrigger(5000));
    EXPECT_EQ(doc->GetCycleDueCount(), 5100);
    EXPECT_FALSE(doc->AdvanceCycleTrigger(-1));
}

TEST_F(AutoModes, ComparatorThresholdsInAbsoluteAndRelativeMode)
{
    ComparatorRow(0, 0, 10, 1, 1);
    ComparatorRow(1, 0, 10, 0, 0);
    ASSERT_TRUE(doc->StartComparator());
    ASSERT_TRUE(doc->ResetComparator(1));
    EXPECT_DOUBLE_EQ(doc->GetComparatorUpper(), 10);
    EXPECT_DOUBLE_EQ(doc->GetComparatorLower(), -10);
    SetCurrent(0, 25);
    EXPECT_EQ(doc->CheckComparatorLimits(), 1);
    ASSERT_TRUE(doc->AdvanceComparator()) << "the repeat row is used up: the next row";
    EXPECT_DOUBLE_EQ(doc->GetComparatorUpper(), 30);
    EXPECT_DOUBLE_EQ(doc->GetComparatorLower(), 10);

    SetCurrent(0, -25);
    ASSERT_TRUE(doc->ResetComparator(1));
    ASSERT_EQ(doc->CheckComparatorLimits(), 1);
    EXPECT_EQ(doc->GetComparatorCrossing(), 1);
    ASSERT_TRUE(doc->AdvanceComparator());
    EXPECT_DOUBLE_EQ(doc->GetComparatorUpper(), -10);
    EXPECT_DOUBLE_EQ(doc->GetComparatorLower(), -30);

    SetCurrent(0, 3);
    ASSERT_TRUE(doc->ResetComparator(0));
    EXPECT_DOUBLE_EQ(doc->GetComparatorUpper(), 13);
    EXPECT_DOUBLE_EQ(doc->GetComparatorLower(), -7);
    EXPECT_EQ(doc->CheckComparatorLimits(), -1);
}

TEST_F(AutoModes, ChangeAmountOfZeroIsRefusedRatherThanLooping)
{
    ComparatorRow(0, 0, 0, 0, 0);
    // The column refuses 0 when typed; a stored file may still hold it.
    auto* change = dynamic_cast<CDataTank<float>*>(Column(CKIV5980Doc::kProgComparator, 1));
    ASSERT_NE(change, nullptr);
    change->SetAt(0, 0.0f);
    services.prompt.Expect(prjstr::kMsgBadChangeAmount, fw::IDOK);
    EXPECT_FALSE(doc->StartComparator());
    EXPECT_EQ(services.prompt.Prompts().back().text.str(), MessageText(prjstr::kMsgBadChangeAmount, 1));
}

TEST_F(AutoModes, IntervalRepeatsThenEndsAndSkipsPastSteps)
{
    IntervalRow(0, 0, 0, 10, 1, 3);
    ASSERT_TRUE(doc->CheckIntervalProgram());
    const double t0 = 45000.5;
    services.clock.SetNow(static_cast<time_t>(0));
    fw::COleDateTime due(t0);
    ASSERT_TRUE(doc->StartInterval(due));
    EXPECT_NEAR(due.m_dt, t0 + 10 * kSecond, 1e-9);
    // The PC's clock stands before every due time here.
    fw::COleDateTime next = due;
    ASSERT_TRUE(doc->ScheduleNextInterval(next));
    EXPECT_NEAR(next.m_dt, t0 + 20 * kSecond, 1e-9);
    ASSERT_TRUE(doc->ScheduleNextInterval(next));
    EXPECT_NEAR(next.m_dt, t0 + 30 * kSecond, 1e-9);
    EXPECT_FALSE(doc->ScheduleNextInterval(next)) << "three measurements, then the program ends";

    services.prompt.Expect(prjstr::kMsgIntervalNoSpan, fw::IDOK);
    IntervalRow(0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(doc->CheckIntervalProgram());
}

TEST_F(AutoModes, StartTimeOnlyRowsStartTodayOrTomorrow)
{
    services.clock.SetNow(static_cast<time_t>(1700000000));
    const double now = fw::COleDateTime::GetCurrentTime().m_dt;
    const double today = std::floor(now);
    struct Row {
        const char* name;
        double startTime;  // fraction of a day
        double expected;
    };
    const double later = now - today + 2.0 / 24;
    const double earlier = now - today - 2.0 / 24;
    const Row rows[] = {
        {"later today", later, today + later},
        {"already passed: tomorrow", earlier, today + 1 + earlier},
    };
    for (const Row& row : rows) {
        doc->GetProgram(CKIV5980Doc::kProgInterval)->ClearBlock(0, 0, 6, 99);
        ASSERT_TRUE(Column(CKIV5980Doc::kProgInterval, 1)->SetValue(0, row.startTime)) << row.name;
        IntervalRow(0, 0, 1, 0, 0, 0);
        ASSERT_TRUE(doc->CheckIntervalProgram()) << row.name;
        EXPECT_FALSE(doc->IsIntervalTableEmpty());
        fw::COleDateTime due(now);
        ASSERT_TRUE(doc->StartInterval(due)) << row.name;
        EXPECT_NEAR(due.m_dt, row.expected, 1.5 * kSecond) << row.name;
    }
}

} // namespace
