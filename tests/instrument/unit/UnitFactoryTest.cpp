#include "instrument/KivUnitTypes.h"
#include "instrument/unit/Kiv419Unit.h"
#include "instrument/unit/Kiv464Unit.h"
#include "instrument/unit/Kiv465Unit.h"
#include "instrument/unit/Kiv473Unit.h"
#include "instrument/unit/Kiv4GUnit.h"
#include "instrument/unit/KivVoltInUnit.h"
#include "instrument/unit/KivVoltOutUnit.h"
#include "instrument/unit/UnitFactory.h"

#include "framework/core/Exceptions.h"
#include "tests/instrument/unit/UnitTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using unittest::Text;

namespace {

// Stands in for the CAN/voice/GPS unit, which lives in a higher layer.
class FakeCanUnit : public CKivUnit {
public:
    FakeCanUnit() : CKivUnit(8) {}
};

CKivUnit* CreateFakeCanUnit()
{
    return new FakeCanUnit;
}

TEST(UnitFactory, EachCodeCreatesItsClass)
{
    struct Row {
        int code;
        const fw::CRuntimeClass* cls;
    };
    const Row rows[] = {
        {1, FW_RUNTIME_CLASS(CKiv4GUnit)},     {2, FW_RUNTIME_CLASS(CKivVoltInUnit)},
        {3, FW_RUNTIME_CLASS(CKivVoltOutUnit)}, {4, FW_RUNTIME_CLASS(CKiv123GUnit)},
        {5, FW_RUNTIME_CLASS(CKiv464Unit)},    {7, FW_RUNTIME_CLASS(CKiv465Unit)},
        {9, FW_RUNTIME_CLASS(CKiv473Unit)},    {10, FW_RUNTIME_CLASS(CKiv419Unit)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.cls->name);
        auto unit = CreateUnitOfType(row.code);
        ASSERT_NE(unit, nullptr);
        EXPECT_EQ(unit->GetRuntimeClass(), row.cls);
        EXPECT_EQ(unit->GetTypeCode(), row.code);
        EXPECT_EQ(unit->GetChannelCount(), 8);
        unit->InitChannels();
        EXPECT_EQ(unit->GetValue(0, CKivUnit::kAttrTypeCode), row.code);
    }
    for (int code : {0, 6, 11, -1})
        EXPECT_EQ(CreateUnitOfType(code), nullptr) << code;
}

TEST(UnitFactory, CanUnitComesFromItsRegisteredCreator)
{
    EXPECT_EQ(CreateUnitOfType(8), nullptr);
    RegisterUnitCreator(8, &CreateFakeCanUnit);
    auto unit = CreateUnitOfType(8);
    RegisterUnitCreator(8, nullptr);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->GetTypeCode(), 8);
    EXPECT_EQ(CreateUnitOfType(8), nullptr);
    // Code 6 never becomes a unit, whatever is registered for it.
    RegisterUnitCreator(6, &CreateFakeCanUnit);
    EXPECT_EQ(CreateUnitOfType(6), nullptr);
}

TEST(UnitFactory, EmptyPortsStillTakeEightChannelNumbers)
{
    CKivUnitTypes types;
    for (int port = 0; port < 10; ++port)
        types.SetAt(port, 0);
    types.SetAt(0, 1);
    types.SetAt(2, 3);
    types.SetAt(4, 8); // no creator registered: the port stays empty
    types.SetAt(5, 7);
    UnitPorts ports = CreateUnitsForTypes(types);
    ASSERT_NE(ports[0], nullptr);
    EXPECT_EQ(ports[0]->GetFirstChannel(), 1);
    EXPECT_EQ(ports[1], nullptr);
    ASSERT_NE(ports[2], nullptr);
    EXPECT_EQ(ports[2]->GetFirstChannel(), 17);
    EXPECT_EQ(ports[4], nullptr);
    ASSERT_NE(ports[5], nullptr);
    EXPECT_EQ(ports[5]->GetFirstChannel(), 41);
    // Initialised: the input unit's channels are on, the output unit's off.
    EXPECT_EQ(Text(*ports[0], 7, 0), "SET");
    EXPECT_EQ(Text(*ports[2], 7, 0), "OFF");
}

TEST(KivUnitBase, OnOffAndFixedAnswers)
{
    CKivUnit unit;
    unit.InitChannels();
    for (int ch = 0; ch < 8; ++ch)
        EXPECT_EQ(Text(unit, ch, 0), "OFF") << ch;
    EXPECT_FALSE(unit.SetText(2, 0, "ON"));
    EXPECT_FALSE(unit.SetText(2, 0, "set"));
    EXPECT_TRUE(unit.SetText(2, 0, "SET"));
    EXPECT_EQ(Text(unit, 2, 0), "SET");
    EXPECT_EQ(unit.GetValue(2, 0), 1.0);
    EXPECT_TRUE(unit.SetValue(3, 0, -4.0));
    EXPECT_TRUE(unit.IsChannelOn(3));
    unit.SetAllOnOff(0);
    EXPECT_FALSE(unit.IsChannelOn(3));
    EXPECT_EQ(unit.GetValue(0, 200), 0.0);
    EXPECT_EQ(unit.GetValue(0, 201), 0.0);
    EXPECT_EQ(unit.GetValue(0, -2), 0.0); // an archive's unit has no type code
    EXPECT_EQ(unit.GetValue(0, 24), HUGE_VAL);
    EXPECT_TRUE(unit.CheckValue(0, 0, 1));
    EXPECT_FALSE(unit.CheckValue(0, 20, 1));
    EXPECT_FALSE(unit.SetValue(0, 20, 1));
    EXPECT_FALSE(unit.SetText(0, 20, "1"));
    EXPECT_EQ(Text(unit, 0, 20), "");
    EXPECT_FALSE(unit.HasInputs());
    EXPECT_FALSE(unit.IsRecordable());
    EXPECT_EQ(unit.GetRawMin(), -32767);
    EXPECT_EQ(unit.GetRawMax(), 32767);
}

TEST(KivUnitBase, ChannelOutsideTheArraysRaises)
{
    for (int code : {1, 2, 3, 7, 9}) {
        auto unit = CreateUnitOfType(code);
        SCOPED_TRACE(unit->GetRuntimeClass()->name);
        unit->InitChannels();
        fw::CString text;
        EXPECT_THROW(unit->GetValue(8, 0), fw::CInvalidArgException);
        EXPECT_THROW(unit->GetValue(-1, 0), fw::CInvalidArgException);
        EXPECT_THROW(unit->SetValue(8, 0, 1), fw::CInvalidArgException);
        EXPECT_THROW(unit->GetText(8, 0, text), fw::CInvalidArgException);
        const int attribute = unit->HasInputs() ? 24 : 21;
        EXPECT_THROW(unit->SetValue(8, attribute, 0.5), fw::CInvalidArgException);
    }
}

} // namespace
