// Calculated tanks: result tanks by data code, the formula's adaptation,
// peaks and the archive form.

#include "tests/common/calc/CalcTestSupport.h"

#include "common/calc/CashTimeTank.h"
#include "common/tank/DateDataTank.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/LongDataTank.h"
#include "common/tank/StringDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "common/tank/UnLongDataTank.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "tests/support/ArchiveBytes.h"

#include <string>

namespace calctest {
namespace {

struct ResultTankCase {
    const char* name;
    int32_t code;
    const fw::CRuntimeClass* plain;
    const fw::CRuntimeClass* cached;
    bool cacheBacked;
};

const ResultTankCase kResultTanks[] = {
    {"Text", -10, FW_RUNTIME_CLASS(CStringDataTank), FW_RUNTIME_CLASS(CStringDataTank), false},
    {"Date", -2, FW_RUNTIME_CLASS(CDateDataTank), FW_RUNTIME_CLASS(CCacheDateDataTank), true},
    {"TimeAxis", -12, FW_RUNTIME_CLASS(CFltDataTank), FW_RUNTIME_CLASS(CTimeDataTank), false},
    {"Long", 20, FW_RUNTIME_CLASS(CFltDataTank), FW_RUNTIME_CLASS(CLongDataTank), false},
    {"UnLong", 21, FW_RUNTIME_CLASS(CFltDataTank), FW_RUNTIME_CLASS(CUnLongDataTank), false},
    {"Double22", 22, FW_RUNTIME_CLASS(CFltDataTank), FW_RUNTIME_CLASS(CCacheDblDataTank), true},
    {"Double23", 23, FW_RUNTIME_CLASS(CFltDataTank), FW_RUNTIME_CLASS(CCacheDblDataTank), true},
    {"TimeStamps", 24, FW_RUNTIME_CLASS(CFltDataTank), FW_RUNTIME_CLASS(CCashTimeTank), true},
    {"Float", -1, FW_RUNTIME_CLASS(CFltDataTank), FW_RUNTIME_CLASS(CCacheFltDataTank), true},
    {"Formula", 0, FW_RUNTIME_CLASS(CFltDataTank), FW_RUNTIME_CLASS(CCacheFltDataTank), true},
};

class ResultTankTest : public CalcTest, public ::testing::WithParamInterface<ResultTankCase> {};

TEST_P(ResultTankTest, ClassByDataCode)
{
    const ResultTankCase& c = GetParam();
    CCalcuDataTank plain;
    plain.SetKind(c.code);
    EXPECT_EQ(plain.GetResultTank()->GetRuntimeClass(), c.plain);
    EXPECT_EQ(plain.GetKind(), c.code);
    CCashCalcuDataTank cached;
    cached.SetKind(c.code);
    EXPECT_EQ(cached.GetResultTank()->GetRuntimeClass(), c.cached);
    EXPECT_EQ(cached.IsCacheBacked(), c.cacheBacked);
    // Without a cache the members answer their neutral values.
    if (!c.cacheBacked) {
        EXPECT_EQ(cached.LoadCacheWindow(5, 77, 0, true), 77);
        EXPECT_EQ(cached.GetCacheWindowBuffer(), nullptr);
        EXPECT_TRUE(cached.CreateCacheFile());
        EXPECT_EQ(cached.SetCacheWindowPlacement(1), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, ResultTankTest, ::testing::ValuesIn(kResultTanks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcTest, EmptyResultTankIsReplacedWithItsFormat)
{
    CCalcuDataTank tank;
    tank.SetKind(-2);
    EXPECT_EQ(tank.GetResultTank()->GetRuntimeClass(), FW_RUNTIME_CLASS(CDateDataTank));
    tank.SetName("T");
    tank.SetFormat(107);
    tank.SetKind(0);
    EXPECT_EQ(tank.GetResultTank()->GetRuntimeClass(), FW_RUNTIME_CLASS(CFltDataTank));
    EXPECT_EQ(tank.GetFormat(), kFormatNone);
    EXPECT_EQ(tank.GetName(), "T");
    tank.SetFormat(3);
    tank.SetKind(-2);
    EXPECT_EQ(tank.GetFormat(), 107);
    // A tank with values keeps them: only the code changes.
    tank.SetKind(0);
    tank.SetValue(0, 1.5);
    tank.SetKind(-10);
    EXPECT_EQ(tank.GetResultTank()->GetRuntimeClass(), FW_RUNTIME_CLASS(CFltDataTank));
    EXPECT_EQ(tank.GetKind(), -10);
    EXPECT_EQ(tank.GetValue(0), 1.5);
}

TEST_F(CalcTest, CachedTankTakesFloatOrDoubleStorageForTheCode)
{
    CCashCalcuDataTank tank;
    tank.SetKind(20);
    tank.SetSize(4, true);
    tank.SetName("N");
    tank.SetKind(22);
    EXPECT_EQ(tank.GetResultTank()->GetRuntimeClass(), FW_RUNTIME_CLASS(CCacheDblDataTank));
    EXPECT_EQ(tank.GetDataCount(), 4);
    EXPECT_EQ(tank.GetName(), "N");
    EXPECT_EQ(tank.GetValue(3), HUGE_VAL);
    tank.SetKind(-1);
    EXPECT_EQ(tank.GetResultTank()->GetRuntimeClass(), FW_RUNTIME_CLASS(CCacheFltDataTank));
}

TEST_F(CalcTest, FormulaNeedsFloatValues)
{
    CCalcuDataTank tank;
    EXPECT_EQ(tank.GetResult(), HUGE_VAL);
    EXPECT_TRUE(tank.CommitFormula());  // without an order
    tank.SetKind(-10);
    tank.SetValueText(0, "abc");
    tank.SetOrder(std::make_unique<CDataCalcuOrder>());
    ASSERT_EQ(tank.GetOrder()->Compile(500, "=1+2"), 0);
    EXPECT_FALSE(tank.CommitFormula());
    EXPECT_EQ(tank.GetOrder()->GetError(), 8);

    CCalcuDataTank fresh;
    fresh.SetKind(-2);
    fresh.SetOrder(std::make_unique<CDataCalcuOrder>());
    ASSERT_EQ(fresh.GetOrder()->Compile(500, "=1+2"), 0);
    EXPECT_TRUE(fresh.CommitFormula());
    EXPECT_EQ(fresh.GetKind(), 0);
    EXPECT_EQ(fresh.GetDataType(), kTankTypeFloat);
}

TEST_F(CalcTest, ResultTextByDataType)
{
    CCalcuDataTank tank;
    tank.SetKind(-1);
    tank.SetOrder(std::make_unique<CDataCalcuOrder>());
    fw::CString text = "untouched";
    tank.SetFormat(2);
    tank.GetOrder()->SetResult(1.234);
    tank.FormatResult(text, 0);
    EXPECT_EQ(text, "1.23");
    tank.SetDataType(kTankTypeLong);
    tank.SetFormat(0);
    tank.GetOrder()->SetResult(2147483647.0);
    tank.FormatResult(text, 0);
    EXPECT_EQ(text, "");
    tank.GetOrder()->SetResult(1e300);
    tank.FormatResult(text, 0);
    EXPECT_EQ(text, "");
    tank.GetOrder()->SetResult(-7.9);
    tank.FormatResult(text, 0);
    EXPECT_EQ(text, "-7");
}

TEST_F(CalcTest, PeaksFollowFiniteResults)
{
    CCashCalcuDataTank tank;
    tank.SetKind(-1);
    tank.SetFormat(1);
    tank.SetOrder(std::make_unique<CDataCalcuOrder>());
    tank.GetOrder()->SetResult(3.0);
    tank.ResetPeaks();
    for (double v : {HUGE_VAL, 5.0, 1.0}) {
        tank.GetOrder()->SetResult(v);
        tank.UpdatePeaks();
    }
    fw::CString max, min;
    tank.GetPeakText(max, 0);
    tank.GetPeakText(min, 1);
    EXPECT_EQ(max, "5.0");
    EXPECT_EQ(min, "1.0");
}

TEST_F(CalcTest, StoredInAListAsItsResultTankWithOneReference)
{
    fw::CMemFile file;
    {
        CDataTankList list;
        auto* tank = new CCalcuDataTank;
        tank->SetKind(-1);
        tank->SetName("A");
        tank->SetValue(2, 4.5);
        tank->SetOrder(std::make_unique<CDataCalcuOrder>());
        list.AddTank(tank, false);
        list.AddTank(tank, true);
        fw::CArchive ar(&file, fw::CArchive::store);
        list.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CDataTankList list;
    fw::CArchive ar(&file, fw::CArchive::load);
    list.Serialize(ar);
    ar.Close();
    ASSERT_EQ(list.GetSize(), 2);
    auto* tank = dynamic_cast<CCalcuDataTank*>(list.GetAt(0));
    ASSERT_NE(tank, nullptr);
    EXPECT_EQ(list.GetAt(1), tank);
    EXPECT_EQ(tank->GetRefCount(), 2);
    EXPECT_EQ(tank->GetName(), "A");
    EXPECT_EQ(tank->GetValue(2), 4.5);
    EXPECT_EQ(tank->GetOrder(), nullptr);
}

TEST_F(CalcTest, AResultTankNamedByAnotherSlotIsRefusedAsDamage)
{
    const kivtest::Bytes flt = kivtest::StoreBody(*std::make_unique<CFltDataTank>());
    struct Row { const char* name; kivtest::Bytes bytes; };
    // List bodies: the classes and objects number 1, 2, 3, 4 in order.
    const Row rows[] = {
        {"second slot names the first slot's result tank",
         kivtest::ByteBuilder().Count(2).NewClass("CCalcuDataTank").NewClass("CFltDataTank").Append(flt).U16(4)},
        {"result tank names the list's first tank",
         kivtest::ByteBuilder().Count(2).NewClass("CFltDataTank").Append(flt).NewClass("CCalcuDataTank").U16(2)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CDataTankList list;
        try {
            kivtest::LoadBody(list, row.bytes);
            ADD_FAILURE() << "loaded";
        } catch (const fw::CArchiveException& e) {
            EXPECT_EQ(e.m_cause, fw::CArchiveException::badIndex);
        }
        EXPECT_EQ(list.GetSize(), 0);
    }
}

TEST_F(CalcTest, CopyWithinItselfGoesThroughTheResultTank)
{
    CCalcuDataTank tank;
    tank.SetKind(-1);
    for (int i = 0; i < 4; ++i)
        tank.SetValue(i, i + 1.0);
    EXPECT_TRUE(tank.CopyRange(0, 2, &tank, 2));
    EXPECT_EQ(tank.GetValue(3), 2.0);
    CDataTankObject* empty = tank.CreateEmpty();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->GetKind(), -1);
    EXPECT_EQ(empty->GetDataCount(), 0);
    delete empty;
}

} // namespace
} // namespace calctest
