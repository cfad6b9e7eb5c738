// The program-table column tanks: their value rules, texts and the date and
// time part editing of the interval table.

#include "instrument/check/CompNoTank.h"
#include "instrument/check/ProgramTableTanks.h"

#include "common/tank/FltDataTank.h"
#include "framework/core/DateTime.h"
#include "framework/core/testing/ServiceScope.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

// The project document as the comparison column sees it.
class FakeDocument : public ICompNoOwner {
public:
    void Name(int channel, const char* name)
    {
        auto tank = std::make_unique<CFltDataTank>();
        tank->SetName(name);
        m_tanks[channel] = std::move(tank);
    }
    CDataTankObject* GetChannelTank(int channel, int list) override
    {
        EXPECT_EQ(list, 2);
        auto it = m_tanks.find(channel);
        return it == m_tanks.end() ? nullptr : it->second.get();
    }

private:
    std::map<int, std::unique_ptr<CFltDataTank>> m_tanks;
};

std::string Text(CDataTankObject& tank, int row)
{
    fw::CString out;
    tank.GetValueText(row, out, true);
    return out.str();
}

class CompNoTankTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.Name(4, "Load");
        doc.Name(500, "Sum");
        tank.SetOwner(&doc);
        tank.SetSize(2, true);
    }
    FakeDocument doc;
    CCompNoTank tank;
};

TEST_F(CompNoTankTest, ShowsTheChannelNameWithItsNumber)
{
    struct Row {
        const char* name;
        double value;
        const char* text;
    } rows[] = {{"measuring", 4, "Load (CH5)"}, {"calculated", 500, "Sum (NO1)"},
                {"unnamed", 1499, " (NO1000)"}, {"empty", -32768, ""}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(tank.SetValue(1, r.value));
        EXPECT_EQ(Text(tank, 1), r.text);
    }
    EXPECT_EQ(Text(tank, 7), "");
}

TEST_F(CompNoTankTest, TakesOnlyTheTextItWouldShow)
{
    struct Row {
        const char* name;
        const char* text;
        bool accepted;
        double value; // after the call
    } rows[] = {
        {"shown text", "Load (CH5)", true, 4},
        {"bracket only, lower case", "(ch5)", false, 4},
        {"bracket only", "(CH5)", false, 4},
        {"calculated", "Sum (NO1)", true, 500},
        {"other name", "Pressure (CH5)", false, 500},
        {"unnamed channel named by its number", "12 (CH12)", true, 11},
        {"no closing bracket", "Load (CH5", false, 11},
        {"nothing between brackets", "Load ()", false, 11},
        {"not a number", " (CHx)", false, 11},
        {"gap above the measuring channels", "321 (CH321)", false, 11},
        {"time channel", "0 (NO0)", false, 11},
        {"beyond the calculated channels", "1001 (NO1001)", false, 11},
        {"empty text empties", "", true, -32768},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(tank.SetValueText(0, r.text), r.accepted);
        EXPECT_EQ(tank.GetValue(0), r.value);
    }
}

TEST_F(CompNoTankTest, RefusesNumbersBetweenTheChannelRanges)
{
    fw::test::ServiceScope services;
    services.prompt.Expect(kIdpIntRange, fw::IDOK).Expect(kIdpIntRange, fw::IDOK);
    tank.SetReportRangeErrors(true);
    for (double v : {0.0, 319.0, 500.0, 1499.0})
        EXPECT_TRUE(tank.SetValue(0, v)) << v;
    for (double v : {320.0, 499.0})
        EXPECT_FALSE(tank.SetValue(0, v)) << v;
    EXPECT_EQ(tank.GetValue(0), 1499.0);
    EXPECT_EQ(services.prompt.Problems(), "");
    ASSERT_EQ(services.prompt.Prompts().size(), 2u);
    EXPECT_NE(services.prompt.Prompts()[0].text.Find("1000"), -1);
}

// A value rule of one column: which values it takes.
struct RuleRow {
    const char* name;
    double value;
    bool accepted;
};

void CheckRules(CDataTankObject& tank, std::initializer_list<RuleRow> rows)
{
    for (const RuleRow& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(tank.SetValue(0, r.value), r.accepted);
    }
}

TEST(ProgramTableTanks, ValueRules)
{
    fw::test::ServiceScope services;
    CCompValueTank change;
    CheckRules(change, {{"zero", 0.0, false}, {"negative", -1.0, false}, {"small", 1e-6, true},
                        {"float maximum", 3.4028235e38, true}, {"above", 3.5e38, false}, {"empty", HUGE_VAL, true}});
    CCycleTank start;
    CCycleTank step;
    step.SetMinimum(1);
    CheckRules(start, {{"start 0", 0.0, true}, {"start top", 999999999.0, true}, {"start above", 1e9, false}});
    CheckRules(step, {{"step 0", 0.0, false}, {"step 0.5", 0.5, false}, {"step 1", 1.0, true},
                      {"step empty", -2147483648.0, true}});
    CRepetTank repeat;
    CheckRules(repeat, {{"repeat 0 (empty)", 0.0, true}, {"repeat 1", 1.0, true}, {"repeat -1", -1.0, false},
                        {"repeat above", 1e9, false}});
    EXPECT_EQ(services.prompt.Prompts().size(), 0u) << "range switch off: no prompt";
}

TEST(ProgramTableTanks, RangePromptsNameTheColumnsBounds)
{
    fw::test::ServiceScope services;
    CCycleTank step;
    step.SetMinimum(1);
    step.SetReportRangeErrors(true);
    CCompValueTank change;
    change.SetReportRangeErrors(true);
    EXPECT_FALSE(step.SetValue(0, 0.0));
    EXPECT_FALSE(change.SetValue(0, -5.0));
    const auto prompts = services.prompt.Prompts();
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[0].msgId, kIdpIntRange);
    EXPECT_NE(prompts[0].text.Find("999999999"), -1);
    EXPECT_EQ(prompts[1].msgId, kIdpRealRange);
    EXPECT_NE(prompts[1].text.Find("3.40282e+038"), -1) << prompts[1].text.c_str();
}

TEST(ProgramTableTanks, ControlWordsByTheirExactTexts)
{
    CControlTank control;
    const char* texts[] = {"無限回", "繰り返し", "GOTO", ""};
    for (int v = 0; v <= 3; ++v) {
        SCOPED_TRACE(v);
        ASSERT_TRUE(control.SetValueText(0, texts[v]));
        EXPECT_EQ(control.GetValue(0), v);
        EXPECT_EQ(Text(control, 0), texts[v]);
    }
    ASSERT_TRUE(control.SetValueText(0, "GOTO"));
    EXPECT_FALSE(control.SetValueText(0, "GOTO "));
    EXPECT_FALSE(control.SetValueText(0, "goto"));
    EXPECT_EQ(control.GetValue(0), 2.0);
}

TEST(ProgramTableTanks, RepeatCountShowsZeroAsEmpty)
{
    CRepetTank repeat;
    repeat.SetSize(2, true);
    EXPECT_EQ(Text(repeat, 0), "");
    ASSERT_TRUE(repeat.SetValue(1, 12.0));
    EXPECT_EQ(Text(repeat, 1), "12");
    EXPECT_EQ(Text(repeat, 5), "");
}

class IntervalTest : public ::testing::Test {
protected:
    // The fake clock stands at 2024-01-01 00:00 local time.
    fw::test::ServiceScope services;
};

TEST_F(IntervalTest, DatePartsReplaceOneFieldAtMidnight)
{
    CIntevalTank date;
    EXPECT_FALSE(date.SetDatePart(0, 0, 2000));
    ASSERT_TRUE(date.SetDatePart(0, 0, 2005));
    EXPECT_EQ(date.GetValue(0), fw::COleDateTime(2005, 1, 1, 0, 0, 0).m_dt);

    ASSERT_TRUE(date.SetValue(1, fw::COleDateTime(2024, 3, 31, 15, 20, 0).m_dt));
    EXPECT_FALSE(date.SetDatePart(1, 1, 2)) << "31 February";
    EXPECT_FALSE(date.SetDatePart(1, 3, 1)) << "no fourth part";
    EXPECT_EQ(date.GetValue(1), fw::COleDateTime(2024, 3, 31, 15, 20, 0).m_dt);
    ASSERT_TRUE(date.SetDatePart(1, 2, 15));
    EXPECT_EQ(date.GetValue(1), fw::COleDateTime(2024, 3, 15, 0, 0, 0).m_dt);
}

TEST_F(IntervalTest, TimePartsKeepTheTimeOnTheZeroDay)
{
    CIntevalTimeTank time;
    ASSERT_TRUE(time.SetTimePart(0, 0, 8));
    EXPECT_EQ(time.GetValue(0), fw::COleDateTime(1899, 12, 30, 8, 0, 0).m_dt);
    ASSERT_TRUE(time.SetTimePart(0, 2, 30));
    EXPECT_EQ(time.GetValue(0), fw::COleDateTime(1899, 12, 30, 8, 0, 30).m_dt);
    EXPECT_FALSE(time.SetTimePart(0, 1, 60));
    EXPECT_FALSE(time.SetTimePart(0, 3, 0));
    EXPECT_EQ(time.GetValue(0), fw::COleDateTime(1899, 12, 30, 8, 0, 30).m_dt);
}

} // namespace
