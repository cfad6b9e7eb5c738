// The tank base and the typed tanks: header, scale record, references,
// text entry and display, range checks, copies and trimming.

#include "common/tank/BoolDataTank.h"
#include "common/tank/DateDataTank.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/LongDataTank.h"
#include "common/tank/ShortDataTank.h"
#include "common/tank/StringDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "common/tank/UnLongDataTank.h"
#include "framework/core/AllocLimit.h"
#include "framework/core/Exceptions.h"
#include "framework/core/testing/ServiceScope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

fw::CString TextAt(CDataTankObject& tank, int index, bool useFormat = true)
{
    fw::CString text("unchanged");
    tank.GetValueText(index, text, useFormat);
    return text;
}

} // namespace

// --- base --------------------------------------------------------------------

TEST(DataTankBase, ReleaseAnswersTrueWithTheLastReference)
{
    CFltDataTank tank;
    EXPECT_EQ(tank.GetRefCount(), 1);
    tank.AddRef();
    EXPECT_FALSE(tank.Release());
    EXPECT_TRUE(tank.Release());

    CFltDataTank fresh;
    EXPECT_TRUE(fresh.Release());
}

TEST(DataTankBase, InitWithoutScaleKeepsTheRecordAndItsUnit)
{
    CDblDataTank tank;
    tank.SetUnit("mm");
    tank.SetMax(5);
    tank.SetMin(1);
    tank.SetAverage(3);
    tank.SetValue(0, 2.0);
    tank.Init(8, 2, false);
    EXPECT_TRUE(tank.HasScale());
    EXPECT_EQ(tank.GetUnit(), "mm");
    EXPECT_EQ(tank.GetMax(), HUGE_VAL);
    EXPECT_EQ(tank.GetMin(), HUGE_VAL);
    EXPECT_EQ(tank.GetAverage(), HUGE_VAL);
    EXPECT_EQ(tank.GetDataCount(), 0);
    EXPECT_EQ(tank.GetArraySize(), 0);
    EXPECT_EQ(tank.GetFormat(), 2);
}

TEST(DataTankBase, WithoutHeaderOrScaleTheGettersAnswerDefaults)
{
    CDataTankObject bare;
    EXPECT_FALSE(bare.HasHeader());
    EXPECT_FALSE(bare.IsNamed());
    EXPECT_FALSE(bare.HasNameText());
    EXPECT_EQ(bare.GetMax(), HUGE_VAL);
    EXPECT_EQ(bare.GetUnit(), "");
    bare.SetName("ignored");
    EXPECT_EQ(bare.GetName(), "");
    EXPECT_FALSE(bare.Grow(3, true));
}

TEST(DataTankBase, HasValuesNeedsANameAndAValue)
{
    CFltDataTank tank;
    tank.SetValue(0, 1.0);
    EXPECT_FALSE(tank.HasValues());
    tank.SetName("CH");
    EXPECT_TRUE(tank.HasValues());
}

TEST(DataTankBase, MaximumIgnoresValuesBeyondTheFloatRangeMinimumDoesNot)
{
    CDblDataTank tank;
    tank.UpdateMax(1.0);
    tank.UpdateMax(1e300);
    EXPECT_EQ(tank.GetMax(), 1.0);
    tank.UpdateMin(1.0);
    tank.UpdateMin(-1e300);
    EXPECT_EQ(tank.GetMin(), -1e300);
    // A stored maximum beyond the float range counts as unset.
    tank.SetMax(1e300);
    tank.UpdateMax(2.0);
    EXPECT_EQ(tank.GetMax(), 2.0);
}

TEST(DataTankBase, CopyScaleWidensAndDoesNotOverwrite)
{
    CFltDataTank from, to;
    from.SetMax(5);
    from.SetMin(-1);
    from.SetAverage(2);
    from.SetUnit("V");
    to.SetMax(10);
    to.SetMin(0);
    EXPECT_TRUE(from.CopyScaleTo(&to));
    EXPECT_EQ(to.GetMax(), 10);
    EXPECT_EQ(to.GetMin(), -1);
    EXPECT_EQ(to.GetAverage(), 2);
    EXPECT_EQ(to.GetUnit(), "V");
}

TEST(DataTankBase, CopyHeaderGivesAHeaderlessTankOneWithoutTheKind)
{
    CShortDataTank from;
    from.SetName("N");
    from.SetKind(22);
    from.SetTag(4);
    from.SetValue(2, 1);
    CDataTankObject to;
    EXPECT_TRUE(from.CopyHeaderTo(&to));
    EXPECT_TRUE(to.HasScale());
    EXPECT_EQ(to.GetDataType(), 3);
    EXPECT_EQ(to.GetFormat(), 0);
    EXPECT_EQ(to.GetTag(), 4);
    EXPECT_EQ(to.GetName(), "N");
    EXPECT_EQ(to.GetDataCount(), 3);
    EXPECT_EQ(to.GetKind(), 0);
}

TEST(DataTankBase, CopyRangeIntoOnOffTankFromAnotherTypeIsRefused)
{
    CFltDataTank src;
    src.SetValue(0, 1.0);
    CBoolDataTank dst;
    EXPECT_FALSE(dst.CopyRange(0, 1, &src, 0));
}

TEST(DataTankBase, TrimSizeCutsToTheLastFilledValueOrToN)
{
    struct Row {
        const char* name;
        int lastFilled;
        int expected;
    };
    for (const Row& r : {Row{"filled below n", 4, 5}, Row{"filled beyond n", 15, 10}, Row{"all empty", -1, 0}}) {
        SCOPED_TRACE(r.name);
        CFltDataTank tank;
        tank.Grow(20, true);
        if (r.lastFilled >= 0)
            tank.SetValue(r.lastFilled, 1.0);
        EXPECT_EQ(tank.GetLastFilledIndex(), r.lastFilled);
        tank.TrimSize(10);
        EXPECT_EQ(tank.GetDataCount(), r.expected);
        EXPECT_EQ(tank.GetArraySize(), r.expected);
    }
}

TEST(DataTankBase, ClearRangeStopsAtTheValueCount)
{
    CShortDataTank tank;
    for (int i = 0; i < 4; ++i)
        tank.SetValue(i, i + 1);
    tank.ClearRange(2, 100);
    EXPECT_EQ(tank.GetDataCount(), 4);
    EXPECT_EQ(TextAt(tank, 1), "2");
    EXPECT_EQ(TextAt(tank, 2), "");
    EXPECT_EQ(TextAt(tank, 3), "");
    tank.ClearRange(7, 2); // beyond the values: nothing
    EXPECT_EQ(tank.GetDataCount(), 4);
}

// --- text entry --------------------------------------------------------------------

TEST(TypedTank, TextBeyondTheEndGrowsWithEmptyValues)
{
    CFltDataTank tank;
    EXPECT_TRUE(tank.SetValueText(3, "12.5"));
    ASSERT_EQ(tank.GetDataCount(), 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tank.GetValue(i), HUGE_VAL) << i;
        EXPECT_EQ(TextAt(tank, i), "") << i;
    }
    EXPECT_EQ(tank.GetValue(3), 12.5);
    EXPECT_EQ(tank.GetMax(), 12.5);
    EXPECT_EQ(tank.GetMin(), 12.5);
}

TEST(TypedTank, TextThatIsNoNumberGrowsButStoresNothing)
{
    CFltDataTank tank;
    EXPECT_TRUE(tank.SetValueText(3, "abc"));
    EXPECT_EQ(tank.GetDataCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(TextAt(tank, i), "") << i;
}

TEST(TypedTank, EmptyTextShortensAtTheEndAndEmptiesInside)
{
    CLongDataTank tank;
    for (int i = 0; i < 3; ++i)
        tank.SetValue(i, 10 + i);
    EXPECT_TRUE(tank.SetValueText(1, ""));
    EXPECT_EQ(tank.GetDataCount(), 3);
    EXPECT_EQ(tank.GetValue(1), -2147483648.0);
    EXPECT_TRUE(tank.SetValueText(2, ""));
    EXPECT_EQ(tank.GetDataCount(), 2);
}

TEST(TypedTank, WithoutHeaderNothingIsStored)
{
    CFltDataTank tank;
    tank.InitMembers();
    EXPECT_FALSE(tank.SetValueText(0, "1"));
    EXPECT_FALSE(tank.SetValue(0, 1));
}

struct RangeCase {
    const char* name;
    std::function<CDataTankObject*()> make;
    const char* text; // nullptr: the value is set as a number
    double value;
    unsigned messageId;
    const char* low;
    const char* high;
};

class TypedTankRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(TypedTankRange, RefusedEntryIsReportedOnlyWithTheSwitchOn)
{
    const RangeCase& c = GetParam();
    fw::test::ServiceScope services;
    std::unique_ptr<CDataTankObject> tank(c.make());

    auto enter = [&] { return c.text ? tank->SetValueText(0, c.text) : tank->SetValue(0, c.value); };

    EXPECT_FALSE(enter());
    EXPECT_TRUE(services.prompt.Prompts().empty());

    tank->SetReportRangeErrors(true);
    services.prompt.Expect(c.messageId, fw::IDOK);
    EXPECT_FALSE(enter());
    EXPECT_EQ(services.prompt.Problems(), "");
    const auto prompts = services.prompt.Prompts();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_NE(prompts[0].text.Find(c.low), -1) << prompts[0].text;
    EXPECT_NE(prompts[0].text.Find(c.high), -1) << prompts[0].text;
    // Refused, but the row was added (with the fill marker) before the check.
    EXPECT_EQ(tank->GetDataCount(), 1);
}

const RangeCase kRangeCases[] = {
    {"Short", [] { return new CShortDataTank; }, "40000", 0, 61714, "-32768", "32767"},
    {"Long", [] { return new CLongDataTank; }, "3e9", 0, 61714, "-2147483648", "2147483647"},
    {"UnLong", [] { return new CUnLongDataTank; }, "-1", 0, 61714, "0", "4294967295"},
    {"Bool", [] { return new CBoolDataTank; }, "2", 0, 61714, "0", "1"},
    {"Float", [] { return new CFltDataTank; }, "1e-39", 0, 61715, "1.17549e-038", "3.40282e+038"},
    {"FloatNaN", [] { return new CFltDataTank; }, nullptr, NAN, 61715, "1.17549e-038", "3.40282e+038"},
    // Text cannot carry a subnormal double (it does not parse); a value can.
    {"Double", [] { return new CDblDataTank; }, nullptr, -1e-310, 61715, "2.22507e-308", "1.79769e+308"},
};

INSTANTIATE_TEST_SUITE_P(Tanks, TypedTankRange, ::testing::ValuesIn(kRangeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TypedTank, DoubleTextBeyondItsRangeIsNoNumber)
{
    // "1e-310" does not parse (underflow), so it is not refused either.
    CDblDataTank tank;
    EXPECT_TRUE(tank.SetValueText(0, "1e-310"));
    EXPECT_EQ(tank.GetValue(0), HUGE_VAL);
}

TEST(TypedTank, SetValueTruncatesAndScalesWithTheUnconvertedValue)
{
    CLongDataTank tank;
    EXPECT_TRUE(tank.SetValue(0, 2.7));
    EXPECT_EQ(tank.GetValue(0), 2.0);
    EXPECT_EQ(tank.GetMax(), 2.7);

    CShortDataTank shorts;
    EXPECT_TRUE(shorts.SetValue(0, -3.9));
    EXPECT_EQ(shorts.GetValue(0), -3.0);

    CUnLongDataTank unsigneds;
    EXPECT_TRUE(unsigneds.SetValue(0, 4294967295.0));
    EXPECT_EQ(unsigneds.GetValue(0), 4294967295.0);
    EXPECT_FALSE(unsigneds.SetValue(1, -0.5));
}

TEST(TypedTank, ValueTextWithAndWithoutFormat)
{
    CLongDataTank tank;
    tank.SetValue(0, 1234567);
    EXPECT_EQ(TextAt(tank, 0, false), "1.23457e+006");
    EXPECT_EQ(TextAt(tank, 0, true), "1234567");
    EXPECT_EQ(TextAt(tank, 5, true), "");

    CDblDataTank dbl;
    dbl.SetValue(0, 0.1);
    EXPECT_EQ(TextAt(dbl, 0, false), "0.100000000000000006");
}

TEST(TypedTank, DateTankShowsZeroAsEmptyAndReadsItsFormat)
{
    CDateDataTank tank;
    EXPECT_TRUE(tank.SetValue(0, 0.0));
    EXPECT_EQ(TextAt(tank, 0), "");
    EXPECT_TRUE(tank.SetValueText(1, "2024/2/29 23:59:59"));
    EXPECT_EQ(TextAt(tank, 1), "2024/02/29 23:59:59");
    // The date's own format also when no format is asked for.
    EXPECT_EQ(TextAt(tank, 1, false), "2024/02/29 23:59:59");
}

TEST(TypedTank, OnOffTankShowsOffAsEmptyAndAddsRowsOn)
{
    CBoolDataTank tank;
    tank.Grow(2, true);
    EXPECT_EQ(TextAt(tank, 0), "1");
    EXPECT_TRUE(tank.SetValue(1, 0));
    EXPECT_EQ(TextAt(tank, 1), "");
    EXPECT_EQ(tank.CreatePoter(0, -1), nullptr);
}

TEST(TypedTank, ElementAccessOutsideTheArrayRaisesInvalidArgument)
{
    CFltDataTank tank;
    tank.SetValue(1, 1.0);
    float v;
    EXPECT_THROW(tank.GetAt(2, v), fw::CInvalidArgException);
    EXPECT_THROW(tank.SetAt(-1, 0.0f), fw::CInvalidArgException);
    EXPECT_THROW(tank.GetValue(-1), fw::CInvalidArgException);
    EXPECT_EQ(tank.GetValue(2), HUGE_VAL); // beyond the count: the empty marker
}

TEST(TypedTank, SetSizeOnEmptyTankAnswersFalseShrinkKeepsTheFront)
{
    CShortDataTank tank;
    EXPECT_FALSE(tank.SetSize(0, true));
    EXPECT_FALSE(tank.Grow(0, true));
    for (int i = 0; i < 5; ++i)
        tank.SetValue(i, i);
    EXPECT_TRUE(tank.SetSize(2, true));
    EXPECT_EQ(tank.GetDataCount(), 2);
    EXPECT_EQ(tank.GetValue(1), 1.0);
    EXPECT_TRUE(tank.SetSize(4, true));
    EXPECT_EQ(tank.GetValue(3), -32768.0);
    EXPECT_TRUE(tank.SetSize(5, false));
    EXPECT_EQ(tank.GetValue(4), 0.0); // grown without filling: 0
}

// --- copies ---------------------------------------------------------------------

TEST(TypedTank, CopyRangeBetweenLikeTanksCopiesRawValuesWithMarkers)
{
    CFltDataTank src, dst;
    src.SetValue(0, 1.0);
    src.SetValue(2, 3.0); // index 1 holds the fill marker
    EXPECT_TRUE(dst.CopyRange(0, 3, &src, 1));
    EXPECT_EQ(dst.GetDataCount(), 4);
    EXPECT_EQ(dst.GetValue(0), 0.0); // grown without filling
    EXPECT_EQ(dst.GetValue(1), 1.0);
    EXPECT_EQ(dst.GetValue(2), HUGE_VAL);
    EXPECT_EQ(dst.GetValue(3), 3.0);
    EXPECT_EQ(dst.GetMax(), HUGE_VAL); // a raw copy leaves the scale alone
}

TEST(TypedTank, CopyRangeAcrossValueTypesGoesThroughValues)
{
    CFltDataTank src;
    src.SetValue(0, 1.5);
    src.SetValue(1, 2.5);
    CDblDataTank dst;
    EXPECT_TRUE(dst.CopyRange(0, 2, &src, 0));
    EXPECT_EQ(dst.GetValue(0), 1.5);
    EXPECT_EQ(dst.GetValue(1), 2.5);
    EXPECT_EQ(dst.GetMax(), 2.5);

    CShortDataTank shorts;
    // Index 2 lies beyond src and arrives as its empty marker, which the
    // 16-bit tank refuses after growing with its fill marker.
    EXPECT_TRUE(shorts.CopyRange(0, 3, &src, 0));
    EXPECT_EQ(shorts.GetValue(0), 1.0);
    EXPECT_EQ(shorts.GetDataCount(), 3);
    EXPECT_EQ(shorts.GetValue(2), -32768.0);
}

TEST(TypedTank, DateAndDoubleTanksShareTheRawCopy)
{
    CDateDataTank src;
    src.SetValue(0, 45000.25);
    CDblDataTank dst;
    EXPECT_TRUE(dst.CopyRange(0, 1, &src, 0));
    EXPECT_EQ(dst.GetValue(0), 45000.25);
}

TEST(TypedTank, CopyRawRangeRefusesBadRanges)
{
    CFltDataTank src, dst;
    src.SetValue(0, 1.0);
    EXPECT_FALSE(dst.CopyRawRange(0, 0, &src, 0));
    EXPECT_FALSE(dst.CopyRawRange(1, 1, &src, 0));
    EXPECT_FALSE(dst.CopyRawRange(-1, 1, &src, 0));
    EXPECT_FALSE(dst.CopyRawRange(0, 1, nullptr, 0));
    CDblDataTank other;
    other.SetValue(0, 1.0);
    EXPECT_FALSE(dst.CopyRawRange(0, 1, &other, 0)); // another value type
}

// --- time tank -------------------------------------------------------------------

TEST(TimeTank, ValuesAndScaleFollowTheAxis)
{
    CTimeDataTank tank;
    EXPECT_EQ(tank.GetName(), "TIME");
    EXPECT_EQ(tank.GetUnit(), "SEC");
    tank.SetStartTime(10);
    tank.SetInterval(0.5);
    tank.SetDataCount(4);
    EXPECT_EQ(tank.GetValue(3), 11.5);
    EXPECT_EQ(tank.GetValue(4), HUGE_VAL);
    EXPECT_EQ(tank.GetMin(), 10);
    EXPECT_EQ(tank.GetMax(), 11.5);
    EXPECT_EQ(TextAt(tank, 3, false), "11.5");
    EXPECT_EQ(TextAt(tank, 4, false), "");
    tank.SetInterval(1.0);
    EXPECT_EQ(tank.GetMax(), 13.0);
}

TEST(TimeTank, UnitTextsAndRangeCopy)
{
    CTimeDataTank tank;
    const char* const units[] = {"msec", "sec", "min", "hour", "samples"};
    for (int i = 0; i < 5; ++i) {
        tank.SetUnitIndex(i);
        fw::CString text;
        tank.GetUnitText(text);
        EXPECT_EQ(text, units[i]);
    }

    CTimeDataTank src;
    src.SetDataCount(5);
    EXPECT_TRUE(tank.CopyRange(0, 3, &src, 2));
    EXPECT_EQ(tank.GetDataCount(), 5);
    EXPECT_FALSE(tank.CopyRange(5, 1, &src, 0));
    CFltDataTank flt;
    flt.SetValue(0, 1);
    EXPECT_FALSE(tank.CopyRange(0, 1, &flt, 0));
}

// --- text tank --------------------------------------------------------------------

TEST(StringTank, MovedOntoItselfTwoRowsDownKeepsEveryText)
{
    CStringDataTank tank;
    const char* const texts[] = {"a", "b", "c", "d"};
    for (int i = 0; i < 4; ++i)
        tank.SetValueText(i, texts[i]);
    EXPECT_TRUE(tank.CopyRange(0, 4, &tank, 2));
    ASSERT_EQ(tank.GetDataCount(), 6);
    const char* const expected[] = {"a", "b", "a", "b", "c", "d"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(TextAt(tank, i), expected[i]) << i;
    // And back up again, front to back.
    EXPECT_TRUE(tank.CopyRange(2, 4, &tank, 0));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(TextAt(tank, i), texts[i]) << i;
}

TEST(StringTank, ValuesAreStoredAsFormattedText)
{
    CStringDataTank tank;
    tank.SetFormat(2);
    EXPECT_TRUE(tank.SetValue(1, 3.14159));
    EXPECT_EQ(TextAt(tank, 1), "3.14");
    EXPECT_EQ(TextAt(tank, 0), "");
    EXPECT_TRUE(tank.SetValueText(1, ""));
    EXPECT_EQ(tank.GetDataCount(), 1);
    EXPECT_EQ(tank.CreatePoter(0, -1), nullptr);
}

TEST(StringTank, FillRangeMustLieWithinTheTexts)
{
    CStringDataTank tank;
    tank.SetFillText("-");
    tank.Grow(3, true);
    EXPECT_EQ(TextAt(tank, 2), "-");
    EXPECT_THROW(tank.FillRange(2, 2), fw::CInvalidArgException);
}

TEST(StringTank, TextsThatCannotGrowAreRefusedWithTheMemoryMessage)
{
    fw::test::ServiceScope services;
    services.prompt.Expect(fw::kIdpOutOfMemory, fw::IDOK);
    fw::AllocLimit::Scope cap(1024);
    CStringDataTank tank;
    EXPECT_FALSE(tank.SetValueText(100000, "x"));
    EXPECT_EQ(tank.GetDataCount(), 0);
    EXPECT_EQ(services.prompt.Problems(), "");
}

// --- construction and scale texts --------------------------------------------------

TEST(DataTankBase, CreateEmptyMakesATankOfTheSameClass)
{
    CDateDataTank date;
    date.SetValue(0, 45000);
    std::unique_ptr<CDataTankObject> empty(date.CreateEmpty());
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->GetRuntimeClass(), FW_RUNTIME_CLASS(CDateDataTank));
    EXPECT_EQ(empty->GetDataCount(), 0);
    EXPECT_EQ(empty->GetFormat(), 107);
}

TEST(DataTankBase, InitMembersResetsTheTimeTanksOwnMembers)
{
    CTimeDataTank tank;
    tank.SetInterval(0.25);
    tank.SetStartTime(3);
    tank.SetUnitIndex(4);
    tank.InitMembers();
    EXPECT_FALSE(tank.HasHeader());
    EXPECT_FALSE(tank.HasScale());
    EXPECT_EQ(tank.GetInterval(), 1.0);
    EXPECT_EQ(tank.GetStartTime(), 0.0);
    EXPECT_EQ(tank.GetUnitIndex(), 1);
    EXPECT_EQ(tank.GetRefCount(), 1);
}

TEST(DataTankBase, ScaleTextsUseTheFormatOrTheTypesUnformattedCode)
{
    struct Row {
        const char* name;
        std::function<CDataTankObject*()> make;
        const char* formatted;   // format code 1
        const char* unformatted;
    };
    const Row rows[] = {
        {"float", [] { return new CFltDataTank; }, "1234.6", "1234.56"},
        {"double", [] { return new CDblDataTank; }, "1234.6", "1234.55999999999995"},
        {"time", [] { return new CTimeDataTank; }, "1234.6", "1234.55999999999995"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::unique_ptr<CDataTankObject> tank(r.make());
        tank->SetFormat(1);
        tank->SetMax(1234.56);
        tank->SetMin(HUGE_VAL);
        fw::CString text;
        tank->GetMaxText(text, true);
        EXPECT_EQ(text, r.formatted);
        tank->GetMaxText(text, false);
        EXPECT_EQ(text, r.unformatted);
        tank->GetMinText(text, true);
        EXPECT_EQ(text, "");
    }
}

namespace {

// A tank that keeps its values itself and copies through the base's
// value-by-value path, as tanks outside this library may.
class ValueVectorTank : public CDataTankObject {
public:
    ValueVectorTank() { Init(kTankTypeFloat, kFormatNone, false); }
    bool SetValue(int index, double value) override
    {
        if (index >= int(values.size()))
            values.resize(size_t(index) + 1, HUGE_VAL);
        values[size_t(index)] = value;
        SetDataCount(int(values.size()));
        return true;
    }
    double GetValue(int index) override { return index < int(values.size()) ? values[size_t(index)] : HUGE_VAL; }
    std::vector<double> values;
};

} // namespace

TEST(DataTankBase, ValueCopyInsideOneTankReadsEveryValueBeforeOverwritingIt)
{
    ValueVectorTank tank;
    for (int i = 0; i < 4; ++i)
        tank.SetValue(i, i + 1);
    EXPECT_TRUE(tank.CopyRange(0, 4, &tank, 2)); // down: back to front
    EXPECT_EQ(tank.values, (std::vector<double>{1, 2, 1, 2, 3, 4}));
    EXPECT_TRUE(tank.CopyRange(2, 4, &tank, 0)); // up: front to back
    EXPECT_EQ(tank.values, (std::vector<double>{1, 2, 3, 4, 3, 4}));
    EXPECT_FALSE(tank.CopyRange(6, 1, &tank, 0));
    EXPECT_FALSE(tank.CopyRange(0, -1, &tank, 0));
}
