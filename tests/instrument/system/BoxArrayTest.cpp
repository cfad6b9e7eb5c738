#include "instrument/system/BoxArray.h"

#include "common/base/ZelException.h"
#include "common/cache/CacheDataTank.h"
#include "common/tank/DblDataTank.h"
#include "framework/core/Document.h"
#include "framework/core/Exceptions.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/DataPropaty.h"
#include "instrument/system/HistCount.h"
#include "tests/instrument/system/FakeCanUnit.h"
#include "tests/instrument/unit/UnitTestSupport.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"
#include "tests/support/link/SystemTestSupport.h"
#include "framework/core/ServiceSlot.h"
#include "instrument/unit/Unit463Services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

using systest::Profile;
using systest::Types;

class SystemTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { systest::RegisterClassesOnce(); }

    void SetUp() override
    {
        CCacheDataTank<float>::SetTempFolder(temp.Path().c_str());
        CCacheDataTank<double>::SetTempFolder(temp.Path().c_str());
        services.prompt.SetUnexpectedHandler(
            [](const auto& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.c_str(); });
    }

    // Two control units: two strain units and an output unit, and one
    // voltage unit.
    void BuildTwo()
    {
        ASSERT_TRUE(system.BuildFromProfile(Profile({Types({1, 1, 3}), Types({2})})));
    }

    std::string Text(int index, int code)
    {
        fw::CString text;
        system.GetChannelText(index, code, text);
        return text.str();
    }

    kivtest::TempDir temp;
    fw::test::ServiceScope services;
    CBoxArray system;
};

TEST_F(SystemTest, MapRunsMeasuringChannelsBoxAfterBoxThenOutputs)
{
    BuildTwo();
    ASSERT_EQ(system.GetBoxCount(), 2);
    EXPECT_EQ(system.GetMeasuringCount(), 24);
    EXPECT_EQ(system.GetOutputCount(), 8);
    ASSERT_EQ(system.GetMapSize(), 32);
    struct Row {
        int first;
        int last;
        int box;
        int boxChannel;
    };
    for (const Row& r : {Row{0, 15, 0, 0}, Row{16, 23, 1, 0}, Row{24, 31, 0, 16}}) {
        for (int i = r.first; i <= r.last; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(system.GetMapEntry(i).box, r.box);
            EXPECT_EQ(system.GetMapEntry(i).ch, r.boxChannel + i - r.first);
        }
    }
    EXPECT_EQ(system.GetBox(0)->GetChannelTank(3), system.GetTankList().GetObjectAt(3));
    EXPECT_EQ(system.GetBox(1)->GetChannelTank(0), system.GetTankList().GetObjectAt(16));
    EXPECT_EQ(system.GetBox(0)->GetName(), "KIV-406(1)");
    EXPECT_EQ(system.GetBox(1)->GetName(), "KIV-406(2)");
    EXPECT_EQ(system.GetBox(1)->GetMeter()->GetAddress(), 1);
    EXPECT_EQ(system.GetHistCounts()->GetSize(), 160);
}

TEST_F(SystemTest, AttributeTextsOfANewSystem)
{
    BuildTwo();
    struct Row {
        int index;
        int code;
        const char* text;
    };
    const Row rows[] = {
        {0, 1000, "CH1"},   {15, 1000, "CH16"}, {16, 1000, "CH17"}, {23, 1000, "CH24"},
        {0, 1004, "0"},     {16, 1004, "0"},    {0, 1001, "0"},     {16, 1002, ""},
        {0, 1008, "OFF"},   {0, 101, "DN_1"},   {85, 101, "DN_86"}, {0, 1005, "0"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.index) + "/" + std::to_string(r.code));
        EXPECT_EQ(Text(r.index, r.code), r.text);
    }
    EXPECT_EQ(system.GetChannelValue(0, -2), 1.0);
    EXPECT_EQ(system.GetChannelValue(16, -2), 2.0);
    EXPECT_EQ(system.GetChannelValue(24, -2), 3.0);
    fw::CString shown;
    EXPECT_EQ(system.GetChannelDisplayText(101, 7, shown), 0);
    EXPECT_EQ(shown, "DN_8");
}

TEST_F(SystemTest, ChannelNameCodeNeedsNoBoxes)
{
    EXPECT_EQ(Text(0, 101), "DN_1");
    EXPECT_THROW(system.GetChannelValue(0, 24), fw::CInvalidArgException);
    system.DeleteBoxes();
    EXPECT_EQ(system.GetBoxCount(), 0);
}

TEST_F(SystemTest, ChangedSaveModeMarksTheProjectModified)
{
    fw::CDocument project;
    system.SetOwner(&project);
    system.SetSaveMode(1);
    EXPECT_FALSE(project.IsModified());
    system.SetSaveMode(2);
    EXPECT_TRUE(project.IsModified());
    EXPECT_EQ(system.GetSaveMode(), 2);
}

TEST_F(SystemTest, IndexesOutsideTheSystemAreRefused)
{
    BuildTwo();
    EXPECT_THROW(system.GetChannelValue(-1, 0), fw::CInvalidArgException);
    EXPECT_THROW(system.GetChannelValue(32, 0), fw::CInvalidArgException);
    EXPECT_THROW(system.GetChannelValue(160, 103), fw::CInvalidArgException);
    EXPECT_THROW(system.SetChannelValue(-80, 103, 1), fw::CInvalidArgException);
    EXPECT_NO_THROW(system.GetChannelValue(159, 103));
}

TEST_F(SystemTest, FrequencyNumberFindsItsInputInItsOwnBox)
{
    BuildTwo();
    ASSERT_TRUE(system.SetChannelValue(85, 103, 3));
    EXPECT_EQ(system.FindMapIndexOfChannel(85), 18);
    ASSERT_TRUE(system.SetChannelValue(5, 103, 3));
    EXPECT_EQ(system.FindMapIndexOfChannel(5), 2);
    EXPECT_EQ(system.FindMapIndexOfChannel(6), -1);
}

TEST_F(SystemTest, DataCountFromNumWhenNegative)
{
    BuildTwo();
    system.GetADSet().m_nNum = 50;
    ASSERT_TRUE(system.SetDataCount(-1, true));
    EXPECT_EQ(system.GetTankList().GetObjectAt(0)->GetDataCount(), 50);
    EXPECT_EQ(system.GetTankList().GetObjectAt(23)->GetDataCount(), 50);
    EXPECT_EQ(system.GetBox(1)->GetMeter()->GetLastSampleIndex(0), 0);  // arrays come with the connection
    ASSERT_TRUE(system.SetDataCount(20, false));
    EXPECT_EQ(system.GetTankList().GetObjectAt(0)->GetDataCount(), 50);
}

TEST_F(SystemTest, TankKindsFollowOnOffAndSampleWidth)
{
    BuildTwo();
    ASSERT_TRUE(system.SetChannelValue(1, 0, 0));
    system.SetTankDisplayModes();
    EXPECT_EQ(system.GetTankList().GetObjectAt(0)->GetKind(), -1);
    EXPECT_EQ(system.GetTankList().GetObjectAt(1)->GetKind(), -1000);
}

TEST_F(SystemTest, RecordedRowsReachTheCachedChannelTanks)
{
    systest::FakeCanUnitScope can;
    ASSERT_TRUE(system.BuildFromProfile(Profile({Types({2, 8})})));
    for (int i = 0; i < 16; ++i)
        ASSERT_TRUE(system.SetChannelValue(i, 0, i == 1 || i == 9 ? 1 : 0));
    system.SetTankDisplayModes();
    ASSERT_TRUE(system.SetDataCount(10, true));
    ASSERT_TRUE(system.SetChannelValue(1, 24, 2.0));
    // Rows of a 16-bit voltage channel and a 32-bit CAN channel.
    std::vector<uint8_t> rows;
    for (int r = 0; r < 3; ++r) {
        const int16_t narrow = static_cast<int16_t>(100 + r);
        const int32_t wide = 1000000 + r;
        rows.insert(rows.end(), reinterpret_cast<const uint8_t*>(&narrow), reinterpret_cast<const uint8_t*>(&narrow) + 2);
        rows.insert(rows.end(), reinterpret_cast<const uint8_t*>(&wide), reinterpret_cast<const uint8_t*>(&wide) + 4);
    }
    EXPECT_EQ(system.StoreSamples(0, 4, 3, 6, rows), 3);
    CDataTankObject* voltage = system.GetTankList().GetObjectAt(1);
    CDataTankObject* can16 = system.GetTankList().GetObjectAt(9);
    const double scale = system.GetBox(0)->GetMeter()->GetScaleFactor(1);
    EXPECT_EQ(voltage->GetDataType(), 2);
    EXPECT_EQ(can16->GetDataType(), 8);
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(voltage->GetValue(4 + r), static_cast<float>((100 + r) * scale * 2.0));
        EXPECT_EQ(can16->GetValue(4 + r), 1000000.0 + r);
    }
}

TEST_F(SystemTest, RebuildToFewerUnitsKeepsTheFirstBox)
{
    BuildTwo();
    ASSERT_TRUE(system.SetChannelValue(0, 24, 2.5));
    ASSERT_TRUE(system.SetChannelText(2, 1001, "0.75"));
    ASSERT_TRUE(system.SetChannelValue(5, 103, 3));
    ASSERT_TRUE(system.SetChannelValue(85, 103, 2));
    ASSERT_TRUE(system.SetChannelText(0, 1000, "Load"));
    ASSERT_TRUE(system.BuildFromProfile(Profile({Types({1, 1, 3})})));
    ASSERT_EQ(system.GetBoxCount(), 1);
    EXPECT_EQ(system.GetMeasuringCount(), 16);
    EXPECT_EQ(system.GetChannelValue(0, 24), 2.5);
    EXPECT_EQ(system.GetChannelValue(2, 1001), 0.75);
    EXPECT_EQ(system.GetChannelValue(5, 103), 3.0);
    EXPECT_EQ(Text(0, 1000), "Load");
    EXPECT_EQ(system.GetTankList().GetMeasuredCount(), 16);
    EXPECT_THROW(system.GetChannelValue(85, 103), fw::CInvalidArgException);
    EXPECT_EQ(system.GetHistCounts()->GetSize(), 80);
}

TEST_F(SystemTest, RebuildToMoreChannelsNamesOnlyTheNewOnes)
{
    ASSERT_TRUE(system.BuildFromProfile(Profile({Types({2})})));
    ASSERT_TRUE(system.SetChannelText(0, 1000, "Load"));
    ASSERT_TRUE(system.SetChannelText(1, 1004, "0.00"));
    ASSERT_TRUE(system.BuildFromProfile(Profile({Types({2, 2})})));
    EXPECT_EQ(system.GetMeasuringCount(), 16);
    EXPECT_EQ(Text(0, 1000), "Load");
    EXPECT_EQ(Text(1, 1004), "0.00");
    for (int k = 8; k < 16; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(Text(k, 1000), "CH" + std::to_string(k + 1));
        EXPECT_EQ(system.GetChannelValue(k, 1004), 0.0);
    }
}

struct ThrowingCopier : IUnit463Services {
    void CopyUnitSettings(CKivUnit&, const CKivUnit&) override { throw CZelException(-1, "copy failed"); }
};

struct SettingCopier : IUnit463Services {
    void CopyUnitSettings(CKivUnit& target, const CKivUnit& source) override
    {
        target.SetValue(0, systest::CKiv463Unit::kAttrSetting, source.GetValue(0, systest::CKiv463Unit::kAttrSetting));
    }
};

TEST_F(SystemTest, CanUnitSettingsAreCopiedOnRebuild)
{
    systest::FakeCanUnitScope can;
    SettingCopier copier;
    fw::ScopedInstall<IUnit463Services> installed(copier);
    ASSERT_TRUE(system.BuildFromProfile(Profile({Types({8})})));
    EXPECT_TRUE(system.HasCanUnit(0));
    system.GetBox(0)->GetMeter()->GetUnit(0)->SetValue(0, systest::CKiv463Unit::kAttrSetting, 42);
    ASSERT_TRUE(system.BuildFromProfile(Profile({Types({8, 2})})));
    EXPECT_EQ(system.GetBox(0)->GetMeter()->GetUnit(0)->GetValue(0, systest::CKiv463Unit::kAttrSetting), 42.0);
    // Its channels show the unit's decimals as their display format.
    EXPECT_EQ(system.GetChannelValue(0, 1004), 3.0);
}

TEST_F(SystemTest, FailedRebuildLeavesThePreviousSystem)
{
    systest::FakeCanUnitScope can;
    ASSERT_TRUE(system.BuildFromProfile(Profile({Types({8, 2})})));
    ASSERT_TRUE(system.SetChannelText(8, 1000, "Speed"));
    CBoxPropaty* box = system.GetBox(0);
    CDataTankObject* tank = system.GetBox(0)->GetChannelTank(8);
    {
        ThrowingCopier copier;
        fw::ScopedInstall<IUnit463Services> installed(copier);
        services.prompt.ExpectText("copy failed", fw::IDOK);
        EXPECT_FALSE(system.BuildFromProfile(Profile({Types({8}), Types({1, 1})})));
    }
    EXPECT_EQ(services.prompt.Problems(), "");
    ASSERT_EQ(system.GetBoxCount(), 1);
    EXPECT_EQ(system.GetBox(0), box);
    EXPECT_EQ(system.GetProfile().GetCount(), 1);
    EXPECT_EQ(system.GetMeasuringCount(), 16);
    EXPECT_EQ(system.GetMapSize(), 16);
    EXPECT_EQ(system.GetTankList().GetMeasuredCount(), 16);
    EXPECT_EQ(system.GetBox(0)->GetChannelTank(8), tank);
    EXPECT_EQ(Text(8, 1000), "Speed");
    EXPECT_EQ(system.GetHistCounts()->GetSize(), 80);
}

TEST_F(SystemTest, FrequencyEntriesFollowTheSettings)
{
    BuildTwo();
    CHistCountArray& counts = *system.GetHistCounts();
    for (int n = 0; n < 160; ++n)
        ASSERT_EQ(counts.GetAt(n), nullptr) << n;
    struct Row {
        const char* name;
        int timeBase;
        float sampleTime;
    };
    for (const Row& r : {Row{"100 ms", 2, 100.0f}, Row{"1000 ms", 1, 1000.0f}, Row{"no base", 0, 1.0f}}) {
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(system.SetChannelValue(83, 103, 4));
        system.GetBox(1)->GetMeter()->SetValue(3, 107, r.timeBase, true);
        system.UpdateHistCounts(83, 83);
        const CHistCountObj* entry = counts.GetAt(83);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->m_name, "DN_84");
        EXPECT_EQ(entry->m_inputChannel, 4);
        EXPECT_EQ(entry->m_sampleTime, r.sampleTime);
        ASSERT_NE(entry->GetCountTank(), nullptr);
        EXPECT_EQ(entry->GetTableSize(), entry->GetCountTank()->GetDataCount());
    }
    ASSERT_TRUE(system.SetChannelValue(83, 103, 0));
    system.UpdateHistCounts(83, 83);
    EXPECT_EQ(counts.GetAt(83), nullptr);
    EXPECT_THROW(system.UpdateHistCounts(159, 160), fw::CInvalidArgException);
}

// ------------------------------------------------------------------ archive

class SystemArchiveTest : public SystemTest {
protected:
    std::vector<uint8_t> Store(CBoxArray& s)
    {
        return kivtest::StoredBytes([&](fw::CArchive& ar) { s.Serialize(ar); });
    }
    static size_t Find(const std::vector<uint8_t>& bytes, const char* tag)
    {
        const auto at = std::search(bytes.begin(), bytes.end(), tag, tag + std::strlen(tag));
        return static_cast<size_t>(at - bytes.begin());
    }
    std::vector<uint8_t> Head()
    {
        CMeterInterfacePrf profile(system.GetProfile());
        unittest::Form head;
        const auto p = kivtest::StoredBytes([&](fw::CArchive& ar) { profile.Serialize(ar); });
        const auto a = kivtest::StoredBytes([&](fw::CArchive& ar) { system.GetADSet().Serialize(ar); });
        head.raw(p.data(), p.size()).raw(a.data(), a.size());
        head.count(static_cast<uint16_t>(system.GetBoxCount())).i16(-1).i16(1).i16(11).tag("CBoxPropaty");
        return head.b;
    }
};

TEST_F(SystemArchiveTest, RoundTripIsByteIdentical)
{
    BuildTwo();
    ASSERT_TRUE(system.SetChannelText(0, 1000, "Load"));
    ASSERT_TRUE(system.SetChannelText(17, 1006, "0.5"));
    system.SetSaveMode(3);
    const auto bytes = Store(system);

    const auto head = Head();
    ASSERT_GT(bytes.size(), head.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin()));
    const size_t tag = Find(bytes, "<SAVEMODE>");
    ASSERT_LT(tag, bytes.size());
    int32_t measuring = 0;
    int32_t mode = 0;
    std::memcpy(&measuring, &bytes[tag - 4], 4);
    std::memcpy(&mode, &bytes[tag + 10], 4);
    EXPECT_EQ(measuring, 24);
    EXPECT_EQ(mode, 3);

    // The project file holds the system as an object of its class.
    const auto asObject = kivtest::StoredBytes([&](fw::CArchive& ar) { ar.WriteObject(&system); });
    fw::CObject* object = nullptr;
    EXPECT_EQ(kivtest::LoadBytes(asObject, [&](fw::CArchive& ar) { object = ar.ReadObject(FW_RUNTIME_CLASS(CBoxArray)); }), 0u);
    std::unique_ptr<CBoxArray> viaClass(static_cast<CBoxArray*>(object));
    ASSERT_NE(viaClass, nullptr);
    EXPECT_EQ(viaClass->GetBoxCount(), 2);

    CBoxArray loaded;
    EXPECT_EQ(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), 0u);
    loaded.BuildChannelMap();
    EXPECT_EQ(loaded.GetSaveMode(), 3);
    EXPECT_EQ(loaded.GetMapSize(), 32);
    fw::CString name;
    loaded.GetChannelText(0, 1000, name);
    EXPECT_EQ(name, "Load");
    EXPECT_EQ(loaded.GetChannelValue(17, 1006), 0.5);
    EXPECT_EQ(Store(loaded), bytes);
}

TEST_F(SystemArchiveTest, FileWithoutSaveModeLoadsWithModeOne)
{
    BuildTwo();
    system.SetSaveMode(4);
    auto bytes = Store(system);
    const size_t tag = Find(bytes, "<SAVEMODE>");
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(tag), bytes.begin() + static_cast<std::ptrdiff_t>(tag + 14));
    CBoxArray loaded;
    EXPECT_EQ(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), 0u);
    EXPECT_EQ(loaded.GetSaveMode(), 1);
    EXPECT_EQ(loaded.GetTankList().GetMeasuredCount(), 24);
}

TEST_F(SystemArchiveTest, DamagedFilesAreRefused)
{
    BuildTwo();
    const auto bytes = Store(system);
    const size_t countAt = Head().size() - 19;  // count, class tag, schema, name length, name
    const size_t tag = Find(bytes, "<SAVEMODE>");
    struct Row {
        const char* name;
        size_t at;
        int32_t value;
        size_t width;
    };
    for (const Row& r : {Row{"five boxes", countAt, 5, 2}, Row{"measuring count beyond the units", tag - 4, 25, 4},
                         Row{"measuring count below the units", tag - 4, 16, 4}}) {
        SCOPED_TRACE(r.name);
        auto damaged = bytes;
        std::memcpy(&damaged[r.at], &r.value, r.width);
        CBoxArray loaded;
        try {
            kivtest::LoadBytes(damaged, [&](fw::CArchive& ar) { loaded.Serialize(ar); });
            ADD_FAILURE() << "loaded";
        } catch (const fw::CArchiveException& e) {
            EXPECT_EQ(e.m_cause, fw::CArchiveException::genericException);
            fw::CString text;
            EXPECT_TRUE(e.GetErrorMessage(text));
            EXPECT_FALSE(text.IsEmpty());
        }
    }
}

TEST_F(SystemArchiveTest, BoxStoredTwiceIsRefused)
{
    ASSERT_TRUE(system.BuildFromProfile(Profile({Types({2})})));
    auto bytes = Store(system);
    const size_t countAt = Head().size() - 19;
    const size_t boxesEnd = Find(bytes, "<SAVEMODE>") - 4;
    // A second box that refers back to the first: class 1, object 2.
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(boxesEnd), {0x02, 0x00});
    bytes[countAt] = 2;
    CBoxArray loaded;
    try {
        kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { loaded.Serialize(ar); });
        ADD_FAILURE() << "loaded";
    } catch (const fw::CArchiveException& e) {
        EXPECT_EQ(e.m_cause, fw::CArchiveException::badIndex);
    }
}

TEST_F(SystemArchiveTest, AControlUnitOrUnitNamedTwiceIsRefused)
{
    BuildTwo();
    const auto stored = Store(system);
    // Each box stores its control unit (which ends with its units' ports)
    // and then its own "<HISTSET>"; the control unit has one of its own.
    std::vector<size_t> hist;
    for (size_t at = Find(stored, "<HISTSET>"); at < stored.size();) {
        hist.push_back(at);
        const auto rest = std::vector<uint8_t>(stored.begin() + static_cast<std::ptrdiff_t>(at + 1), stored.end());
        at = at + 1 + Find(rest, "<HISTSET>");
    }
    ASSERT_EQ(hist.size(), 4u);
    // Numbered from 1: box class, box, control-unit class, control unit,
    // first unit's class, first unit.
    const size_t secondName = Find(std::vector<uint8_t>(stored.begin() + static_cast<std::ptrdiff_t>(hist[1]), stored.end()),
                                   system.GetBox(1)->GetName().c_str());
    ASSERT_LT(hist[1] + secondName, stored.size());
    const size_t secondMeter = hist[1] + secondName + system.GetBox(1)->GetName().GetLength();

    auto meterTwice = stored;
    meterTwice.erase(meterTwice.begin() + static_cast<std::ptrdiff_t>(secondMeter),
                     meterTwice.begin() + static_cast<std::ptrdiff_t>(hist[3]));
    meterTwice.insert(meterTwice.begin() + static_cast<std::ptrdiff_t>(secondMeter), {0x04, 0x00});

    auto unitTwice = stored;
    ASSERT_EQ(unitTwice[hist[1] - 2], 0);  // the last port of the first control unit is empty
    ASSERT_EQ(unitTwice[hist[1] - 1], 0);
    unitTwice[hist[1] - 2] = 0x06;

    struct Row { const char* name; std::vector<uint8_t> bytes; };
    for (const Row& row : {Row{"second box names the first box's control unit", meterTwice},
                           Row{"last port names the first port's unit", unitTwice}}) {
        SCOPED_TRACE(row.name);
        CBoxArray loaded;
        try {
            kivtest::LoadBytes(row.bytes, [&](fw::CArchive& ar) { loaded.Serialize(ar); });
            ADD_FAILURE() << "loaded";
        } catch (const fw::CArchiveException& e) {
            EXPECT_EQ(e.m_cause, fw::CArchiveException::badIndex);
        }
    }
}

} // namespace
