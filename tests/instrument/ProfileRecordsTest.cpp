#include "instrument/ADSetPrf.h"
#include "instrument/KivUnitTypes.h"
#include "instrument/MeterInterfacePrf.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Profile.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

using kivtest::LoadBytes;
using kivtest::StoredBytes;

namespace {

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Little-endian bytes of the archive primitives, to build expected forms.
struct Bytes {
    std::vector<uint8_t> b;
    Bytes& i16(int16_t v) { return raw(&v, 2); }
    Bytes& i32(int32_t v) { return raw(&v, 4); }
    Bytes& f64(double v) { return raw(&v, 8); }
    Bytes& text(const char* t) { return raw(t, std::strlen(t)); }
    Bytes& types(std::initializer_list<int16_t> codes)
    {
        int n = 0;
        for (int16_t c : codes) {
            i16(c);
            ++n;
        }
        for (; n < 10; ++n)
            i16(0);
        return *this;
    }
    Bytes& raw(const void* p, size_t n)
    {
        b.insert(b.end(), static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + n);
        return *this;
    }
};

TEST(KivUnitTypes, CodesAndCounts)
{
    CKivUnitTypes t;
    EXPECT_EQ(t.GetAt(0), 1);
    EXPECT_EQ(t.GetAt(1), 3);
    EXPECT_EQ(t.GetAt(2), 0);
    t.SetAt(2, 6);
    EXPECT_EQ(t.GetAt(2), 0);
    t.SetAt(2, 11);
    EXPECT_EQ(t.GetAt(2), 0);
    t.SetAt(2, 10);
    EXPECT_EQ(t.GetAt(2), 10);
    t.SetAt(10, 1);  // no such port: nothing happens
    EXPECT_EQ(t.GetAt(10), 0);

    CKivUnitTypes mix;
    const int codes[10] = {1, 3, 7, 8, 6, 0, 0, 0, 0, 0};
    for (int port = 0; port < 10; ++port)
        mix.SetAt(port, codes[port]);  // 6 is stored as 0
    EXPECT_EQ(mix.CountInputUnits(), 3);
    EXPECT_EQ(mix.CountOutputUnits(), 1);
    EXPECT_EQ(mix.CountOf(0), 6);
}

TEST(KivUnitTypes, ArchiveFormIsTenWords)
{
    CKivUnitTypes t;
    t.SetAt(9, 10);
    const auto bytes = StoredBytes([&](fw::CArchive& ar) { t.Serialize(ar); });
    EXPECT_EQ(bytes, Bytes().types({1, 3, 0, 0, 0, 0, 0, 0, 0, 10}).b);
    CKivUnitTypes back;
    back.SetAt(0, 0);
    LoadBytes(bytes, [&](fw::CArchive& ar) { back.Serialize(ar); });
    EXPECT_TRUE(back == t);

    // A stored 6, or a code no unit has, loads as an empty port.
    CKivUnitTypes odd;
    LoadBytes(Bytes().types({1, 6, 11, -1, 8}).b, [&](fw::CArchive& ar) { odd.Serialize(ar); });
    EXPECT_EQ(odd.GetAt(0), 1);
    EXPECT_EQ(odd.GetAt(1), 0);
    EXPECT_EQ(odd.GetAt(2), 0);
    EXPECT_EQ(odd.GetAt(3), 0);
    EXPECT_EQ(odd.GetAt(4), 8);
}

class MeterProfileTest : public ::testing::Test {
protected:
    kivtest::TempDir dir;
    std::filesystem::path path = dir / "KIV-5400.ini";
};

TEST_F(MeterProfileTest, OneLanUnitWritesExactlyItsKeys)
{
    {
        fw::CProfile profile(path);
        CMeterInterfacePrf prf;
        prf.WriteProfile(profile);
    }
    EXPECT_EQ(FileText(path),
              "[METER]\n406=1\nINTERFACE=0\nIPADDRESS=-1062731519\nPORT=50000\nSERLIALNO=1\n"
              "UNIT0=1,3,0,0,0,0,0,0,0,0\n\n");
}

TEST_F(MeterProfileTest, ThreeUnitsAddNumberedKeys)
{
    fw::CProfile profile(path);
    CMeterInterfacePrf prf;
    prf.SetCount(3);
    prf.WriteProfile(profile);
    EXPECT_EQ(profile.Keys("METER"),
              (std::vector<std::string>{"406", "INTERFACE", "IPADDRESS", "PORT", "SERLIALNO", "IPADDRESS1", "PORT1",
                                        "SERLIALNO1", "IPADDRESS2", "PORT2", "SERLIALNO2", "UNIT0", "UNIT1", "UNIT2"}));
}

TEST_F(MeterProfileTest, ReadBackAndUnitCodeRules)
{
    {
        std::ofstream out(path);
        out << "[METER]\n406=2\nINTERFACE=1\nIPADDRESS=-1062731263\nPORT=50001\nSERLIALNO=77\n"
               "IPADDRESS1=167772161\nSERLIALNO1=78\nUNIT0=0,0,0,0,0,0,0,0,0,0\nUNIT1=2,6,11,3\n";
    }
    fw::CProfile profile(path);
    CMeterInterfacePrf prf;
    prf.ReadProfile(profile);
    EXPECT_EQ(prf.GetCount(), 2);
    EXPECT_EQ(prf.m_interface, 1);
    EXPECT_EQ(prf.m_ipAddress[0], 0xC0A80201u);  // 192.168.2.1
    EXPECT_EQ(prf.m_port[0], 50001);
    EXPECT_EQ(prf.m_serialNo[0], 77);
    EXPECT_EQ(prf.m_ipAddress[1], 0x0A000001u);
    EXPECT_EQ(prf.m_port[1], 50000);  // missing: kept
    EXPECT_EQ(prf.m_serialNo[1], 78);
    // Ten zeros: port 0 gets the basic unit.
    EXPECT_EQ(prf.m_unitTypes[0].GetAt(0), 1);
    EXPECT_EQ(prf.m_unitTypes[0].CountOf(0), 9);
    // Codes 6 and 11 are no unit types; missing ones are 0.
    const int expected[10] = {2, 0, 0, 3, 0, 0, 0, 0, 0, 0};
    for (int port = 0; port < 10; ++port)
        EXPECT_EQ(prf.m_unitTypes[1].GetAt(port), expected[port]) << port;
}

TEST_F(MeterProfileTest, StoredCountAboveFourIsKeptToFour)
{
    {
        std::ofstream out(path);
        out << "[METER]\n406=9\n";
    }
    fw::CProfile profile(path);
    CMeterInterfacePrf prf;
    prf.ReadProfile(profile);
    EXPECT_EQ(prf.GetCount(), 4);
}

TEST_F(MeterProfileTest, EmptyProfileKeepsDefaults)
{
    fw::CProfile profile(path);
    CMeterInterfacePrf prf;
    prf.ReadProfile(profile);
    EXPECT_TRUE(prf.IsEqual(CMeterInterfacePrf()));
    EXPECT_EQ(prf.m_ipAddress[3], 0xC0A80104u);
    CADSetPrf ad;
    ad.ReadProfile(profile);
    EXPECT_TRUE(ad.IsEqual(CADSetPrf()));
}

TEST(MeterInterfacePrf, ArchiveFormByCount)
{
    CMeterInterfacePrf one;
    one.m_serialNo[0] = 42;
    const auto bytes = StoredBytes([&](fw::CArchive& ar) { one.Serialize(ar); });
    EXPECT_EQ(bytes, Bytes().i16(1).i16(0).i32(int32_t(0xC0A80101)).i32(50000).types({1, 3}).b);
    CMeterInterfacePrf back;
    back.m_serialNo[0] = 9;
    EXPECT_EQ(LoadBytes(bytes, [&](fw::CArchive& ar) { back.Serialize(ar); }), 0u);
    EXPECT_EQ(back.m_serialNo[0], 9);  // not in a one-unit form

    CMeterInterfacePrf two;
    two.SetCount(2);
    two.m_interface = 1;
    two.m_unitTypes[1].SetAt(0, 2);
    const auto twoBytes = StoredBytes([&](fw::CArchive& ar) { two.Serialize(ar); });
    EXPECT_EQ(twoBytes, Bytes()
                            .i16(2).i16(1)
                            .i32(int32_t(0xC0A80101)).i32(50000).i16(1)
                            .i32(int32_t(0xC0A80102)).i32(50000).i16(2)
                            .types({1, 3}).types({2, 3}).b);
    CMeterInterfacePrf twoBack;
    LoadBytes(twoBytes, [&](fw::CArchive& ar) { twoBack.Serialize(ar); });
    EXPECT_TRUE(twoBack.IsEqual(two));
}

TEST(MeterInterfacePrf, ArchiveCountBeyondFourIsRefused)
{
    const auto bytes = Bytes().i16(9).i16(0).b;
    CMeterInterfacePrf prf;
    EXPECT_THROW(LoadBytes(bytes, [&](fw::CArchive& ar) { prf.Serialize(ar); }), fw::CArchiveException);
    EXPECT_EQ(prf.GetCount(), 1);
}

TEST(MeterInterfacePrf, EqualityFollowsTheInterface)
{
    CMeterInterfacePrf a, b;
    a.m_interface = b.m_interface = CMeterInterfacePrf::kInterfaceUsb;
    b.m_ipAddress[0] = 1;
    EXPECT_TRUE(a.IsEqual(b));  // USB: addresses do not matter
    b.m_serialNo[0] = 99;
    EXPECT_FALSE(a.IsEqual(b));

    CMeterInterfacePrf c, d;
    d.m_serialNo[0] = 99;
    EXPECT_TRUE(c.IsEqual(d));  // LAN: serial numbers do not matter
    d.m_port[0] = 1;
    EXPECT_FALSE(c.IsEqual(d));

    CMeterInterfacePrf e, f;
    f.m_unitTypes[0].SetAt(5, 2);
    EXPECT_FALSE(e.IsEqual(f));
    f.m_ipAddress[3] = 5;  // beyond the count: ignored
    f.m_unitTypes[0].SetAt(5, 0);
    EXPECT_TRUE(e.IsEqual(f));
}

TEST(MeterInterfacePrf, AssignmentCopiesOnlyTheCountedEntries)
{
    CMeterInterfacePrf source;
    source.m_ipAddress[0] = 11;
    source.m_ipAddress[1] = 22;
    CMeterInterfacePrf target;
    target.SetCount(2);
    target.m_ipAddress[1] = 99;
    target = source;
    EXPECT_EQ(target.GetCount(), 1);
    EXPECT_EQ(target.m_ipAddress[0], 11u);
    EXPECT_EQ(target.m_ipAddress[1], 99u);
}

TEST(MeterInterfacePrf, TablesAndCanUnit)
{
    CMeterInterfacePrf prf;
    EXPECT_FALSE(prf.HasCanUnit());
    prf.m_unitTypes[1].SetAt(4, 8);
    EXPECT_FALSE(prf.HasCanUnit());  // entry 1 is beyond the count
    prf.SetCount(2);
    EXPECT_TRUE(prf.HasCanUnit());
    std::vector<int> types;
    EXPECT_EQ(prf.GetMeterTypes(types), 2);
    EXPECT_EQ(types, (std::vector<int>{1200, 1200}));
    EXPECT_EQ(CMeterInterfacePrf::GetModelName(1200), "KIV-406");
    EXPECT_EQ(CMeterInterfacePrf::GetModelName(7), "KIV-406");
    EXPECT_EQ(CMeterInterfacePrf::GetInterfaceName(1), "USB");
    EXPECT_EQ(CMeterInterfacePrf::GetInterfaceName(2), "");
    EXPECT_EQ(CMeterInterfacePrf::GetInterfaceKind("USB"), 1);
    EXPECT_EQ(CMeterInterfacePrf::GetInterfaceKind("RS232"), 0);

    const std::pair<int, int> memory[] = {{1, 10000000}, {4, 10000000}, {5, 8000000}, {16, 4000000},
                                          {17, 2000000}, {64, 1000000}, {65, 800000}};
    for (auto [channels, samples] : memory)
        EXPECT_EQ(GetMemorySamples(channels), samples) << channels;
}

TEST_F(MeterProfileTest, AdSettingsRoundTripThroughTheProfile)
{
    CADSetPrf ad;
    ad.m_nNum = 5000;
    ad.m_nPreNum = 100;
    ad.m_dClk = 0.00001;
    ad.m_nUnit = CADSetPrf::unitMin;
    ad.m_nExtClk = 1;
    {
        fw::CProfile profile(path);
        ad.WriteProfile(profile);
    }
    EXPECT_EQ(FileText(path), "[ADSET]\nNUM=5000\nPRENUM=100\nCLK=1e-005\nUNIT=2\nEXT_CLK=1\n\n");
    fw::CProfile profile(path);
    CADSetPrf back;
    back.ReadProfile(profile);
    EXPECT_TRUE(back.IsEqual(ad));

    profile.WriteProfileString("ADSET", "CLK", "");
    back.m_dClk = 2.5;
    back.ReadProfile(profile);
    EXPECT_EQ(back.m_dClk, 2.5);  // not a number: the current value stays
}

TEST_F(MeterProfileTest, ValuesOutsideTheirRangesKeepTheDefaults)
{
    struct Row { const char* name; const char* text; };
    const Row rows[] = {
        {"interface 2", "[METER]\nINTERFACE=2\n"},
        {"interface -1", "[METER]\nINTERFACE=-1\n"},
        {"port 0", "[METER]\nPORT=0\n"},
        {"port 65536", "[METER]\nPORT=65536\n"},
        {"second port negative", "[METER]\n406=2\nPORT1=-5\n"},
        {"serial beyond 16 bits", "[METER]\nSERLIALNO=70000\n"},
        {"serial negative", "[METER]\n406=2\nSERLIALNO1=-1\n"},
        {"no samples", "[ADSET]\nNUM=0\n"},
        {"more samples than a unit holds", "[ADSET]\nNUM=10000001\n"},
        {"pre-trigger beyond the samples", "[ADSET]\nPRENUM=1002\n"},
        {"negative pre-trigger", "[ADSET]\nPRENUM=-1\n"},
        {"clock zero", "[ADSET]\nCLK=0\n"},
        {"clock negative", "[ADSET]\nCLK=-1\n"},
        {"clock infinite", "[ADSET]\nCLK=1e999\n"},
        {"time unit 4", "[ADSET]\nUNIT=4\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::ofstream(path, std::ios::trunc) << row.text;
        fw::CProfile profile(path);
        CMeterInterfacePrf prf;
        prf.SetCount(2);
        prf.ReadProfile(profile);
        CMeterInterfacePrf expected;
        expected.SetCount(2);
        EXPECT_TRUE(prf.IsEqual(expected));
        EXPECT_EQ(prf.m_interface, expected.m_interface);
        EXPECT_EQ(prf.m_port, expected.m_port);
        EXPECT_EQ(prf.m_serialNo, expected.m_serialNo);
        CADSetPrf ad;
        ad.ReadProfile(profile);
        EXPECT_TRUE(ad.IsEqual(CADSetPrf()));
    }
    // The ends of the ranges are values like any other.
    std::ofstream(path, std::ios::trunc) << "[METER]\nINTERFACE=1\nPORT=65535\nSERLIALNO=0\n"
                                             "[ADSET]\nNUM=10000000\nPRENUM=10000000\nUNIT=3\n";
    fw::CProfile profile(path);
    CMeterInterfacePrf prf;
    prf.ReadProfile(profile);
    EXPECT_EQ(prf.m_interface, 1);
    EXPECT_EQ(prf.m_port[0], 65535);
    EXPECT_EQ(prf.m_serialNo[0], 0);
    CADSetPrf ad;
    ad.ReadProfile(profile);
    EXPECT_EQ(ad.m_nNum, 10000000);
    EXPECT_EQ(ad.m_nPreNum, 10000000);
    EXPECT_EQ(ad.m_nUnit, 3);
}

TEST(ADSetPrf, DurationsByUnitAndClock)
{
    CADSetPrf ad;
    EXPECT_DOUBLE_EQ(ad.GetMeasureTime(1), 1.0);
    EXPECT_DOUBLE_EQ(ad.GetMeasureTime(0), 1000.0);
    EXPECT_DOUBLE_EQ(ad.GetMeasureTime(-1), 1.0);  // UNIT (s)
    ad.m_nPreNum = 120;
    ad.m_dClk = 500.0;
    EXPECT_DOUBLE_EQ(ad.GetPreTriggerTime(2), 1.0);
    EXPECT_DOUBLE_EQ(ad.GetMeasureHours(), std::floor(1000 * 500.0) / 3600000.0);
    EXPECT_DOUBLE_EQ(ad.GetUnitFactor(3), 3600000.0);
    EXPECT_DOUBLE_EQ(ad.GetUnitFactor(7), 1.0);
    EXPECT_EQ(ad.GetUnitCaptionId(), 155u);
    ad.m_nExtClk = 1;
    EXPECT_DOUBLE_EQ(ad.GetMeasureTime(1), 1001.0);
    EXPECT_DOUBLE_EQ(ad.GetPreTriggerTime(1), 120.0);
    EXPECT_DOUBLE_EQ(ad.GetUnitFactor(3), 1.0);
    EXPECT_EQ(ad.GetUnitCaptionId(), 837u);
    ad.m_nExtClk = 0;
    ad.m_nUnit = 9;
    EXPECT_EQ(ad.GetUnitCaptionId(), 0u);
}

TEST(ADSetPrf, ArchiveFormWithAndWithoutTheExtClkTag)
{
    CADSetPrf ad;
    ad.m_nNum = 2001;
    ad.m_nPreNum = 10;
    ad.m_dClk = 0.5;
    ad.m_nUnit = 0;
    ad.m_nExtClk = 1;
    const auto bytes = StoredBytes([&](fw::CArchive& ar) { ad.Serialize(ar); });
    EXPECT_EQ(bytes, Bytes().i32(2001).i32(10).f64(0.5).i32(0).text("<EXT_CLK>").i32(1).b);
    CADSetPrf back;
    LoadBytes(bytes, [&](fw::CArchive& ar) { back.Serialize(ar); });
    EXPECT_TRUE(back.IsEqual(ad));

    // An older form ends after UNIT; what follows belongs to the next object.
    const auto old = Bytes().i32(2001).i32(10).f64(0.5).i32(0).i16(0x1234).b;
    CADSetPrf fromOld;
    fromOld.m_nExtClk = 5;
    EXPECT_EQ(LoadBytes(old, [&](fw::CArchive& ar) { fromOld.Serialize(ar); }), 2u);
    EXPECT_EQ(fromOld.m_nExtClk, 0);
    EXPECT_EQ(fromOld.m_nNum, 2001);
}

} // namespace
