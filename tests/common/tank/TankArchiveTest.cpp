// Archive forms of the tanks: the exact bytes the program's files hold.

#include "tests/support/ArchiveBytes.h"

#include "common/tank/BoolDataTank.h"
#include "common/tank/DateDataTank.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/LongDataTank.h"
#include "common/tank/ShortDataTank.h"
#include "common/tank/StringDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "common/tank/UnLongDataTank.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

using namespace kivtest;

namespace {

struct TypedCase {
    const char* className;
    std::function<CDataTankObject*()> make;
    int16_t dataType;
    int16_t format;
    // Fill marker then empty marker, in the tank's value type.
    std::function<void(ByteBuilder&)> markers;
    double values[3];
    std::function<void(ByteBuilder&, double)> element;
    double max;
    double min;
};

const TypedCase kTypedCases[] = {
    {"CFltDataTank", [] { return new CFltDataTank; }, 2, -9999,
     [](ByteBuilder& b) { b.F32(HUGE_VALF).F32(HUGE_VALF); }, {1.5, -2.0, 3.0},
     [](ByteBuilder& b, double v) { b.F32(float(v)); }, 3.0, -2.0},
    {"CDblDataTank", [] { return new CDblDataTank; }, 8, -10001,
     [](ByteBuilder& b) { b.F64(HUGE_VAL).F64(HUGE_VAL); }, {0.1, -1e-300, 2.5e200},
     [](ByteBuilder& b, double v) { b.F64(v); },
     // The maximum takes only values a float can hold; the minimum any double.
     0.1, -1e-300},
    {"CDateDataTank", [] { return new CDateDataTank; }, 8, 107,
     [](ByteBuilder& b) { b.F64(0.0).F64(0.0); }, {45000.5, 45001.25, 44999.0},
     [](ByteBuilder& b, double v) { b.F64(v); }, 45001.25, 44999.0},
    {"CShortDataTank", [] { return new CShortDataTank; }, 3, 0,
     [](ByteBuilder& b) { b.I16(-32768).I16(-32768); }, {7, -3, 12},
     [](ByteBuilder& b, double v) { b.I16(int16_t(v)); }, 12, -3},
    {"CLongDataTank", [] { return new CLongDataTank; }, 0, 0,
     [](ByteBuilder& b) { b.I32(INT32_MIN).I32(INT32_MIN); }, {100000, -5, 2147483647},
     [](ByteBuilder& b, double v) { b.I32(int32_t(v)); }, 2147483647, -5},
    {"CUnLongDataTank", [] { return new CUnLongDataTank; }, 1, 0,
     [](ByteBuilder& b) { b.U32(0xFFFFFFFFu).U32(0xFFFFFFFFu); }, {5, 4000000000.0, 0},
     [](ByteBuilder& b, double v) { b.U32(uint32_t(v)); }, 4000000000.0, 0},
    {"CBoolDataTank", [] { return new CBoolDataTank; }, 4, 0,
     [](ByteBuilder& b) { b.I32(1).I32(0); }, {1, 0, 1},
     [](ByteBuilder& b, double v) { b.I32(int32_t(v)); }, 1, 0},
};

class TypedTankArchive : public ::testing::TestWithParam<TypedCase> {};

// The base part of a tank with a scale record.
ByteBuilder& TankHeader(ByteBuilder& b, int16_t type, int16_t format, int16_t tag, const std::string& name,
                        int32_t kind, int32_t count, double max, double min, double average,
                        const std::string& unit)
{
    return b.I32(1).I16(type).I16(format).I16(tag).Str(name).I32(kind).I32(count).I32(1).F64(max).F64(min).F64(
        average).Str(unit);
}

} // namespace

TEST_P(TypedTankArchive, EmptyTankBytesAndRoundTrip)
{
    const TypedCase& c = GetParam();
    std::unique_ptr<CDataTankObject> tank(c.make());

    ByteBuilder expected;
    expected.NewClass(c.className);
    TankHeader(expected, c.dataType, c.format, 0, "", 0, 0, HUGE_VAL, HUGE_VAL, HUGE_VAL, "");
    c.markers(expected);
    expected.Count(0);

    const Bytes stored = StoreObject(tank.get());
    EXPECT_EQ(Hex(stored), Hex(expected.Get()));

    std::unique_ptr<fw::CObject> loaded(LoadObject(stored, FW_RUNTIME_CLASS(CDataTankObject)));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetRuntimeClass(), tank->GetRuntimeClass());
    EXPECT_EQ(Hex(StoreObject(loaded.get())), Hex(stored));
}

TEST_P(TypedTankArchive, ThreeValueTankBytesAndRoundTrip)
{
    const TypedCase& c = GetParam();
    std::unique_ptr<CDataTankObject> tank(c.make());
    tank->SetName("CH1");
    tank->SetKind(22);
    tank->SetTag(5);
    tank->SetUnit("V");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(tank->SetValue(i, c.values[i])) << i;

    ByteBuilder expected;
    expected.NewClass(c.className);
    TankHeader(expected, c.dataType, c.format, 5, "CH1", 22, 3, c.max, c.min, HUGE_VAL, "V");
    c.markers(expected);
    expected.Count(3);
    for (double v : c.values)
        c.element(expected, v);

    const Bytes stored = StoreObject(tank.get());
    EXPECT_EQ(Hex(stored), Hex(expected.Get()));

    std::unique_ptr<fw::CObject> loaded(LoadObject(stored, FW_RUNTIME_CLASS(CDataTankObject)));
    auto* back = dynamic_cast<CDataTankObject*>(loaded.get());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetRefCount(), 1);
    EXPECT_EQ(back->GetDataCount(), 3);
    EXPECT_EQ(back->GetName(), "CH1");
    EXPECT_EQ(back->GetKind(), 22);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(back->GetValue(i), tank->GetValue(i)) << i;
    EXPECT_EQ(Hex(StoreObject(back)), Hex(stored));
}

INSTANTIATE_TEST_SUITE_P(Classes, TypedTankArchive, ::testing::ValuesIn(kTypedCases),
                         [](const auto& info) { return std::string(info.param.className); });

TEST(TimeTankArchive, BytesAndRoundTrip)
{
    CTimeDataTank tank;
    tank.SetStartTime(2.0);
    tank.SetInterval(0.5);
    tank.SetDataCount(4);
    tank.SetUnitIndex(CTimeDataTank::kUnitMsec);

    ByteBuilder expected;
    expected.NewClass("CTimeDataTank");
    // The scale follows the axis: 2.0 to 2.0 + 3 * 0.5.
    TankHeader(expected, 7, -10001, 0, "TIME", 0, 4, 3.5, 2.0, HUGE_VAL, "SEC");
    expected.I32(0).F64(0.5).F64(2.0).I32(0);
    const Bytes stored = StoreObject(&tank);
    EXPECT_EQ(Hex(stored), Hex(expected.Get()));

    std::unique_ptr<fw::CObject> loaded(LoadObject(stored, FW_RUNTIME_CLASS(CDataTankObject)));
    auto* back = dynamic_cast<CTimeDataTank*>(loaded.get());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetValue(3), 3.5);
    EXPECT_EQ(back->GetUnitIndex(), 0);
    EXPECT_EQ(Hex(StoreObject(back)), Hex(stored));
}

TEST(StringTankArchive, BytesAndRoundTrip)
{
    CStringDataTank tank;
    tank.SetName("NAME");
    ASSERT_TRUE(tank.SetValueText(0, "a"));
    ASSERT_TRUE(tank.SetValueText(2, "bc"));

    ByteBuilder expected;
    expected.NewClass("CStringDataTank");
    TankHeader(expected, 5, -9999, 0, "NAME", 0, 3, HUGE_VAL, HUGE_VAL, HUGE_VAL, "");
    expected.Str("").Count(3).Str("a").Str("").Str("bc");
    const Bytes stored = StoreObject(&tank);
    EXPECT_EQ(Hex(stored), Hex(expected.Get()));

    std::unique_ptr<fw::CObject> loaded(LoadObject(stored, FW_RUNTIME_CLASS(CDataTankObject)));
    auto* back = dynamic_cast<CStringDataTank*>(loaded.get());
    ASSERT_TRUE(back);
    fw::CString text;
    back->GetValueText(2, text, true);
    EXPECT_EQ(text, "bc");
    EXPECT_EQ(Hex(StoreObject(back)), Hex(stored));
}

TEST(TankArchive, HeaderlessTankStoresOneZero)
{
    CDataTankObject bare;
    ByteBuilder expected;
    expected.I32(0);
    EXPECT_EQ(Hex(StoreBody(bare)), Hex(expected.Get()));
}

TEST(TankArchive, LoadingZeroHeaderKeepsTheTankAsItWas)
{
    CFltDataTank tank;
    tank.SetName("KEEP");
    tank.SetUnit("mm");
    ASSERT_TRUE(tank.SetValue(1, 4.0));

    // Base part "no header", then the float tank's markers and an empty array:
    // the header, scale and unit stay; the values are those of the file.
    ByteBuilder bytes;
    bytes.I32(0).F32(HUGE_VALF).F32(HUGE_VALF).Count(0);
    CDataTankObject& base = tank;
    LoadBody(base, {bytes.Get()});
    EXPECT_EQ(tank.GetName(), "KEEP");
    EXPECT_EQ(tank.GetUnit(), "mm");
    EXPECT_EQ(tank.GetMax(), 4.0);

    // The base part alone, as a tank of the base class reads it.
    CDataTankObject bare;
    bare.Init(2, 3, true);
    bare.SetName("BARE");
    LoadBody(bare, ByteBuilder().I32(0).Get());
    EXPECT_EQ(bare.GetName(), "BARE");
    EXPECT_EQ(bare.GetFormat(), 3);
}

TEST(TankArchive, HeaderCountFollowsTheStoredArray)
{
    // A damaged file whose header claims 5 values over an array of 2: the
    // tank takes the array, so no index below its count reaches past it.
    ByteBuilder bytes;
    TankHeader(bytes, 2, -9999, 0, "X", 0, 5, HUGE_VAL, HUGE_VAL, HUGE_VAL, "");
    bytes.F32(HUGE_VALF).F32(HUGE_VALF).Count(2).F32(1.0f).F32(2.0f);
    CFltDataTank tank;
    LoadBody(tank, bytes.Get());
    EXPECT_EQ(tank.GetDataCount(), 2);
    EXPECT_EQ(tank.GetValue(1), 2.0);
    EXPECT_EQ(tank.GetValue(4), HUGE_VAL);
}

TEST(TankArchive, TruncatedValuesRaiseTheArchiveException)
{
    CFltDataTank tank;
    for (int i = 0; i < 3; ++i)
        tank.SetValue(i, i);
    Bytes bytes = StoreBody(tank);
    bytes.resize(bytes.size() - 2);
    CFltDataTank other;
    EXPECT_THROW(LoadBody(other, bytes), fw::CArchiveException);
}
