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
#include <memory>

using unittest::Form;
using unittest::LoadForm;
using unittest::NewUnit;
using unittest::StoredForm;
using unittest::Text;

namespace {

constexpr int16_t kFirst = 17;

// The input unit's part of a form (after the CKivUnit head) for a unit
// whose every channel holds the same settings.
Form& InputPart(Form& f, int16_t mode, int16_t range, int16_t lowPass, int16_t kind, int16_t unit, float coefficient)
{
    return f.tag("<LPFCOND>").shortsN(8, kind)
        .shortsN(8, mode).shortsN(8, range).shortsN(8, lowPass)
        .bytesN(8, 0).longsN(8, 32768).bytesN(8, 0).shortsN(8, unit).floatsN(8, coefficient);
}

TEST(UnitArchive, BaseHeadIsFirstChannelAndOnOffBytes)
{
    CKivUnit unit;
    unit.InitChannels();
    unit.SetFirstChannel(kFirst);
    ASSERT_TRUE(unit.SetValue(1, 0, 1));
    const std::vector<uint8_t> expected = Form().i16(kFirst).bytes({0, 1, 0, 0, 0, 0, 0, 0}).b;
    EXPECT_EQ(StoredForm(unit), expected);
    CKivUnit loaded;
    LoadForm(loaded, expected);
    EXPECT_EQ(loaded.GetFirstChannel(), kFirst);
    EXPECT_EQ(Text(loaded, 1, 0), "SET");
    EXPECT_EQ(Text(loaded, 0, 0), "OFF");
}

TEST(UnitArchive, StrainUnitFormWithEverySetting)
{
    auto unit = NewUnit<CKiv4GUnit>();
    unit->SetFirstChannel(kFirst);
    ASSERT_TRUE(unit->SetValue(0, 0, 0));
    ASSERT_TRUE(unit->SetValue(1, 2, 100));
    ASSERT_TRUE(unit->SetValue(1, 34, 1));
    ASSERT_TRUE(unit->SetValue(2, 7, 146));
    ASSERT_TRUE(unit->SetValue(3, 20, 5000));
    ASSERT_TRUE(unit->SetValue(4, 11, 1));
    ASSERT_TRUE(unit->SetValue(4, 12, -100));
    ASSERT_TRUE(unit->SetValue(4, 13, 1));
    ASSERT_TRUE(unit->SetValue(5, 25, 17));
    ASSERT_TRUE(unit->SetValue(6, 24, 2.5));
    ASSERT_TRUE(unit->SetValue(6, 49, 20));
    ASSERT_TRUE(unit->SetValue(7, 50, 1));
    ASSERT_TRUE(unit->SetValue(7, 31, 5)); // not part of the form
    const std::vector<uint8_t> expected = Form()
        .i16(kFirst).bytes({0, 1, 1, 1, 1, 1, 1, 1})
        .tag("<LPFCOND>").shorts({0, 1, 0, 0, 0, 0, 0, 0})
        .shorts({16, 16, 146, 16, 16, 16, 16, 16})
        .shorts({20000, 20000, 20000, 5000, 20000, 20000, 20000, 20000})
        .shorts({0, 100, 0, 0, 0, 0, 0, 0})
        .bytes({0, 0, 0, 0, 1, 0, 0, 0})
        .longs({32768, 32768, 32768, 32768, -100, 32768, 32768, 32768})
        .bytes({0, 0, 0, 0, 'U', 0, 0, 0})
        .shorts({29, 29, 29, 29, 29, 17, 29, 29})
        .floats({1, 1, 1, 1, 1, 1, 2.5f, 1})
        .tag("<HPF>").shorts({0, 0, 0, 0, 0, 0, 20, 0})
        .tag("<MEASMODE>").bytes({0, 0, 0, 0, 0, 0, 0, 1})
        .b;
    EXPECT_EQ(StoredForm(*unit), expected);

    CKiv4GUnit loaded;
    LoadForm(loaded, expected);
    EXPECT_EQ(loaded.GetTypeCode(), 1);
    EXPECT_EQ(StoredForm(loaded), expected);
    EXPECT_EQ(Text(loaded, 4, 12), "-100");
    EXPECT_EQ(Text(loaded, 4, 13), "アッパー");
    EXPECT_EQ(Text(loaded, 5, 25), "mV");
    EXPECT_EQ(Text(loaded, 7, 50), "無効");
    // Capacity, rated output and decimals are not in the form.
    EXPECT_EQ(Text(loaded, 7, 31), "");
    EXPECT_EQ(loaded.GetValue(7, 32), HUGE_VAL);
    EXPECT_EQ(loaded.GetValue(7, 33), 0.0);
}

TEST(UnitArchive, StrainUnitFormWithoutLaterTagsLoads)
{
    Form old;
    old.i16(1).bytesN(8, 1)
        .shortsN(8, 33).shortsN(8, 10000).shortsN(8, 50)
        .bytesN(8, 1).longsN(8, 250).bytesN(8, 'L').shortsN(8, 18).floatsN(8, 0.5f);
    for (auto make : {+[]() -> CKivUnit* { return new CKiv4GUnit; }, +[]() -> CKivUnit* { return new CKiv464Unit; },
                      +[]() -> CKivUnit* { return new CKiv419Unit; }}) {
        std::unique_ptr<CKivUnit> unit(make());
        SCOPED_TRACE(unit->GetRuntimeClass()->name);
        LoadForm(*unit, old.b);
        for (int ch = 0; ch < 8; ++ch) {
            EXPECT_EQ(unit->GetValue(ch, 34), 0.0);
            EXPECT_EQ(Text(*unit, ch, 50), "有効");
            EXPECT_EQ(Text(*unit, ch, 7), "電圧");
            EXPECT_EQ(Text(*unit, ch, 20), "10000");
            EXPECT_EQ(Text(*unit, ch, 2), "50");
            EXPECT_EQ(Text(*unit, ch, 12), "250");
            EXPECT_EQ(Text(*unit, ch, 13), "ロワー");
            EXPECT_EQ(Text(*unit, ch, 25), "V");
            EXPECT_EQ(Text(*unit, ch, 24), "0.5");
        }
        EXPECT_EQ(unit->GetValue(0, 49), unit->IsAttrEditable(0, 49) ? 0.0 : HUGE_VAL);
    }
}

TEST(UnitArchive, ChargeUnitStoresAsTheStrainUnit)
{
    auto unit = NewUnit<CKiv473Unit>();
    Form f;
    f.i16(1).bytes({1, 1, 1, 1, 0, 0, 0, 0});
    InputPart(f, 33, 10000, 0, 0, 29, 1.0f).tag("<HPF>").shortsN(8, 0).tag("<MEASMODE>").bytesN(8, 0);
    EXPECT_EQ(StoredForm(*unit), f.b);
}

TEST(UnitArchive, VoltageInputUnitForm)
{
    auto unit = NewUnit<CKivVoltInUnit>();
    ASSERT_TRUE(unit->SetValue(3, 7, 22));
    ASSERT_TRUE(unit->SetValue(3, 29, 0));
    Form f;
    f.i16(1).bytesN(8, 1).tag("<LPFCOND>").shortsN(8, 0)
        .shorts({33, 33, 33, 22, 33, 33, 33, 33}).shortsN(8, 20000).shortsN(8, 0)
        .bytesN(8, 0).longsN(8, 32768).bytesN(8, 0).shortsN(8, 29).floatsN(8, 1.0f)
        .tag("<RJC>").shorts({1, 1, 1, 0, 1, 1, 1, 1});
    EXPECT_EQ(StoredForm(*unit), f.b);

    // Without the junction block every channel reads 0.
    Form old;
    old.i16(1).bytesN(8, 1);
    InputPart(old, 21, 600, 0, 0, 4, 1.0f);
    CKivVoltInUnit loaded;
    LoadForm(loaded, old.b);
    for (int ch = 0; ch < 8; ++ch)
        EXPECT_EQ(Text(loaded, ch, 29), "RJC OFF") << ch;
}

Form& OutputHead(Form& f)
{
    return f.i16(1).bytesN(8, 0).shortsN(8, 4).shorts({5, 0, 0, 0, 0, 0, 0, 0}).shortsN(8, 1000);
}

TEST(UnitArchive, VoltageOutputUnitForm)
{
    auto unit = NewUnit<CKivVoltOutUnit>();
    ASSERT_TRUE(unit->SetValue(0, 22, 4));
    ASSERT_TRUE(unit->SetValue(0, 23, 5));
    ASSERT_TRUE(unit->SetValue(0, 44, -7));
    ASSERT_TRUE(unit->SetValue(0, 46, 9));
    ASSERT_TRUE(unit->SetValue(0, 35, 250.5));
    ASSERT_TRUE(unit->SetValue(0, 21, 0.5));
    ASSERT_TRUE(unit->SetValue(0, 47, 2.5));
    ASSERT_TRUE(unit->SetValue(0, 48, 2500));
    Form f;
    OutputHead(f).tag("<CALF>").floats({250.5f, 1000, 1000, 1000, 1000, 1000, 1000, 1000})
        .shorts({500, 1000, 1000, 1000, 1000, 1000, 1000, 1000})
        .tag("<INCH>").shorts({-7, 0, 0, 0, 0, 0, 0, 0}).shortsN(8, 0).shorts({9, 0, 0, 0, 0, 0, 0, 0})
        .floats({2.5f, 1000, 1000, 1000, 1000, 1000, 1000, 1000})
        .longs({2500, 1000, 1000, 1000, 1000, 1000, 1000, 1000});
    EXPECT_EQ(StoredForm(*unit), f.b);

    CKivVoltOutUnit loaded;
    LoadForm(loaded, f.b);
    EXPECT_EQ(StoredForm(loaded), f.b);
    EXPECT_EQ(Text(loaded, 0, 23), "5");
    EXPECT_EQ(Text(loaded, 0, 44), "-7");
    EXPECT_EQ(Text(loaded, 0, 48), "2.5");
}

TEST(UnitArchive, VoltageOutputUnitOlderForms)
{
    struct Row {
        const char* name;
        Form form;
    };
    Form longCal, shortCal;
    OutputHead(longCal).tag("<CAL>").longsN(8, 300).shortsN(8, 1000);
    OutputHead(shortCal).shortsN(8, 300).shortsN(8, 1000);
    const Row rows[] = {{"32-bit calibration", longCal}, {"16-bit calibration", shortCal}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CKivVoltOutUnit unit;
        LoadForm(unit, row.form.b);
        for (int ch = 0; ch < 8; ++ch) {
            SCOPED_TRACE(ch);
            EXPECT_EQ(unit.GetValue(ch, 35), 300.0);
            EXPECT_EQ(Text(unit, ch, 47), "-1");
            EXPECT_EQ(unit.GetValue(ch, 48), 1.0);
            EXPECT_EQ(Text(unit, ch, 45), "OFF");
            EXPECT_EQ(Text(unit, ch, 22), "±10V");
        }
    }
}

Form& DigitalPart(Form& f)
{
    return f.shorts({100, 100, 100, 100, 101, 101, 101, 0, 0, 0, 0})
        .longs({100000, 100000, 100000, 100000, 30000, 30000, 30000})
        .shortsN(4, 3).shortsN(4, 1000).shortsN(4, -1000)
        .bytesN(8, 0).longsN(8, 32768).bytesN(8, 0).shortsN(8, 29).floatsN(8, 1.0f);
}

TEST(UnitArchive, DigitalUnitForm)
{
    auto unit = NewUnit<CKiv465Unit>();
    Form f;
    f.i16(1).bytesN(8, 1);
    DigitalPart(f).tag("<MEASMODE>").bytesN(8, 1);
    EXPECT_EQ(StoredForm(*unit), f.b);

    ASSERT_TRUE(unit->SetValue(2, 31, 4));
    ASSERT_TRUE(unit->SetValue(2, 33, 2));
    ASSERT_TRUE(unit->SetValue(2, 50, 0));
    ASSERT_TRUE(unit->SetText(7, 42, "04;00;00;01"));
    CKiv465Unit loaded;
    LoadForm(loaded, StoredForm(*unit));
    EXPECT_EQ(Text(loaded, 2, 50), "無効");
    EXPECT_EQ(Text(loaded, 7, 42), " 4;0;0;1");
    EXPECT_EQ(Text(loaded, 2, 31), "");
    EXPECT_EQ(Text(loaded, 2, 33), "0");

    Form old;
    old.i16(1).bytesN(8, 1);
    DigitalPart(old);
    CKiv465Unit oldUnit;
    LoadForm(oldUnit, old.b);
    for (int ch = 0; ch < 8; ++ch)
        EXPECT_EQ(Text(oldUnit, ch, 50), "有効") << ch;
}

class UnitObjects : public unittest::UnitClassesRegistered {};

TEST_F(UnitObjects, EveryClassComesBackByName)
{
    for (int code : {1, 2, 3, 4, 5, 7, 9, 10}) {
        std::unique_ptr<CKivUnit> unit = CreateUnitOfType(code);
        SCOPED_TRACE(unit->GetRuntimeClass()->name);
        unit->SetFirstChannel(9);
        unit->InitChannels();
        const std::vector<uint8_t> bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { ar << unit.get(); });
        // Tag FFFF, schema 1, then the class name.
        const std::string name = unit->GetRuntimeClass()->name;
        ASSERT_GE(bytes.size(), 6 + name.size());
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xFF);
        EXPECT_EQ(bytes[2], 1);
        EXPECT_EQ(std::string(bytes.begin() + 6, bytes.begin() + 6 + static_cast<long>(name.size())), name);
        CKivUnit* loaded = nullptr;
        kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { ar >> loaded; });
        std::unique_ptr<CKivUnit> owned(loaded);
        ASSERT_NE(owned, nullptr);
        EXPECT_EQ(owned->GetRuntimeClass(), unit->GetRuntimeClass());
        EXPECT_EQ(owned->GetTypeCode(), code);
        EXPECT_EQ(owned->GetFirstChannel(), 9);
        EXPECT_EQ(StoredForm(*owned), StoredForm(*unit));
    }
}

TEST(UnitArchive, ShortFormRaisesAnArchiveError)
{
    Form f;
    f.i16(1).bytesN(8, 1).tag("<LPFCOND>").shortsN(8, 0).count(8);
    CKiv4GUnit unit;
    EXPECT_THROW(LoadForm(unit, f.b), fw::CArchiveException);
}

} // namespace
