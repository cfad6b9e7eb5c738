#include "instrument/system/BoxPropaty.h"

#include "common/base/ArchiveTags.h"
#include "framework/core/Exceptions.h"
#include "instrument/system/DataPropaty.h"
#include "tests/instrument/system/FakeCanUnit.h"
#include "tests/instrument/unit/UnitTestSupport.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/link/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using systest::MeterWith;

class BoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { systest::RegisterClassesOnce(); }

    // Switches on exactly these control-unit channels.
    void OnlyOn(std::initializer_list<int> channels)
    {
        for (int i = 0; i < box.GetInputCount(); ++i) {
            const int ch = box.GetUnitChannel(i);
            Meter().SetValue(ch, 0, std::find(channels.begin(), channels.end(), ch) != channels.end() ? 1 : 0, true);
        }
    }

    // A box on a control unit with these unit types, every measuring
    // channel writing into a plain float tank.
    void Attach(std::initializer_list<int> codes)
    {
        box.AttachMeter(MeterWith(codes));
        tanks = std::make_unique<systest::Tanks>(box.GetInputCount());
        for (int i = 0; i < box.GetInputCount(); ++i)
            box.SetChannelTank(i, tanks->list[static_cast<size_t>(i)].get());
    }
    CKivMeter& Meter() { return *box.GetMeter(); }

    fw::test::ServiceScope services;
    CBoxPropaty box;
    std::unique_ptr<systest::Tanks> tanks;
};

TEST_F(BoxTest, MeasuringChannelsFirstThenOutputs)
{
    Attach({1, 3});
    ASSERT_EQ(box.GetMapSize(), 16);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(box.GetChannelRef(i).box, 0);
        EXPECT_EQ(box.GetChannelRef(i).ch, i);
        EXPECT_EQ(box.GetChannelRef(8 + i).box, 1);
        EXPECT_EQ(box.GetChannelRef(8 + i).ch, 8 + i);
    }
    EXPECT_EQ(box.FindBoxChannel(8), 7);
    EXPECT_EQ(box.FindBoxChannel(9), -1);  // an output channel
    EXPECT_THROW(box.GetChannelRef(16), fw::CInvalidArgException);
    EXPECT_THROW(box.GetDataPropaty(8), fw::CInvalidArgException);
    EXPECT_EQ(box.GetWorkMeter()->GetRuntimeClass(), box.GetMeter()->GetRuntimeClass());
    EXPECT_NE(box.GetWorkMeter(), box.GetMeter());
}

TEST_F(BoxTest, EmptyPortLeavesNoGapInBoxChannels)
{
    Attach({1, 0, 2});
    ASSERT_EQ(box.GetInputCount(), 16);
    EXPECT_EQ(box.GetChannelRef(8).box, 2);
    EXPECT_EQ(box.GetChannelRef(8).ch, 16);
    EXPECT_EQ(box.FindBoxChannel(17), 8);
}

TEST_F(BoxTest, RatedOutputAndCapacityGiveTheCoefficient)
{
    Attach({2});
    EXPECT_TRUE(box.SetChannelText(0, 1002, "2"));
    EXPECT_TRUE(box.SetChannelText(0, 1003, "1000"));
    EXPECT_EQ(box.GetChannelValue(0, 24), 500.0);
    EXPECT_EQ(box.GetChannelValue(0, 1003), 1000.0);

    ASSERT_TRUE(box.SetChannelValue(1, 7, 21));  // thermocouple: no transducer
    EXPECT_FALSE(box.SetChannelValue(1, 1002, 2.0));
    EXPECT_EQ(box.GetChannelValue(1, 1002), HUGE_VAL);
    fw::CString text;
    EXPECT_STREQ(box.GetChannelText(1, 1002, text), "");
}

TEST_F(BoxTest, TriggerLevelTextTakesTheValueBeforeTheBracket)
{
    Attach({2});
    EXPECT_TRUE(box.SetChannelText(0, 1006, "1.5 [15000]"));
    EXPECT_EQ(box.GetChannelValue(0, 1006), 1.5);
    EXPECT_FALSE(box.SetChannelText(0, 1006, "[15000]"));
    EXPECT_EQ(box.GetChannelValue(0, 1006), 1.5);
    fw::CString text;
    box.GetDisplayText(1006, 0, text);
    EXPECT_EQ(text.Left(4), "1.5 ");
    EXPECT_EQ(text.Find('['), 4);
}

TEST_F(BoxTest, AnalysisValuesSendTheirRawEquivalents)
{
    Attach({2});
    EXPECT_TRUE(box.SetChannelValue(0, 2003, 200.0));
    EXPECT_EQ(Meter().GetValue(0, 104), 200.0);
    EXPECT_EQ(box.GetChannelValue(0, 2004), 1.0);
    EXPECT_TRUE(box.SetChannelValue(0, 2005, 10.0));
    EXPECT_EQ(Meter().GetValue(0, 105), 20.0);
    EXPECT_FALSE(box.SetChannelValue(0, 2003, -1.0));
    EXPECT_FALSE(box.SetChannelValue(0, 2005, -1.0));
    EXPECT_EQ(box.GetChannelValue(0, 2003), 200.0);
}

TEST_F(BoxTest, AttachingTakesAnalysisValuesWithoutWritingThemBack)
{
    auto meter = MeterWith({2});
    ASSERT_TRUE(meter->SetValue(0, 104, 2000, true));
    ASSERT_TRUE(meter->SetValue(0, 105, 100, true));
    box.AttachMeter(std::move(meter));
    EXPECT_EQ(box.GetChannelValue(0, 2003), 2000.0);
    EXPECT_EQ(box.GetChannelValue(0, 2005), 5.0);  // percent of the full scale
    EXPECT_EQ(box.GetChannelValue(0, 2006), 1.0);
    EXPECT_EQ(Meter().GetValue(0, 104), 2000.0);
    EXPECT_EQ(Meter().GetValue(0, 105), 100.0);
}

TEST_F(BoxTest, CoefficientChangeRederivesAnalysesOfThatChannel)
{
    Attach({2});
    ASSERT_TRUE(box.SetChannelValue(3, 103, 2.0));  // analysis 3 counts unit channel 2 (box channel 1)
    ASSERT_TRUE(box.SetChannelValue(3, 2003, 1000.0));
    const double before = Meter().GetValue(3, 104);
    ASSERT_TRUE(box.SetChannelValue(1, 24, 2.0));
    EXPECT_EQ(box.GetChannelValue(3, 2003), 1000.0);
    EXPECT_EQ(Meter().GetValue(3, 104), before / 2.0);
}

TEST_F(BoxTest, OffsetRefusedOnChannelsWithoutIt)
{
    struct Row {
        const char* name;
        int unitType;
        int channel;
        bool taken;
    };
    const Row rows[] = {
        {"charge unit fifth channel", 9, 4, false},
        {"charge unit fourth channel", 9, 3, true},
        {"digital unit eighth channel", 7, 7, false},
        {"voltage unit eighth channel", 2, 7, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CBoxPropaty b;
        b.AttachMeter(MeterWith({r.unitType}));
        EXPECT_EQ(b.SetChannelValue(r.channel, 1001, 0.5), r.taken);
    }
}

TEST_F(BoxTest, SignedSourceShowsChannelNameOrNumber)
{
    Attach({3, 1});  // output unit in port 0, inputs from unit channel 9 on
    const int outputChannel = box.GetInputCount();
    ASSERT_TRUE(Meter().SetValue(box.GetUnitChannel(outputChannel), 44, -3, true));
    fw::CString text;
    box.GetDisplayText(44, outputChannel, text);
    EXPECT_EQ(text, "- ch3");
    tanks->list[1]->SetName("Torque");
    ASSERT_TRUE(Meter().SetValue(box.GetUnitChannel(outputChannel), 45, 10, true));
    box.GetDisplayText(45, outputChannel, text);
    EXPECT_EQ(text, "+ Torque");
}

TEST_F(BoxTest, DisplayTextsOfTheTables)
{
    Attach({1});
    ASSERT_TRUE(box.SetChannelText(1, 49, "0.2"));
    ASSERT_TRUE(box.SetChannelText(3, 1004, "0.000"));
    ASSERT_TRUE(box.SetChannelValue(0, 2003, 500.0));
    struct Row {
        const char* name;
        int attr;
        int ref;
        const char* text;
    };
    const Row rows[] = {
        {"low-pass off", 2, 0, "PASS(0)"},
        {"high-pass off", 49, 0, "PASS"},
        {"high-pass in hundredths", 49, 1, "0.2"},
        {"filter characteristic", 34, 0, "ベッセル2次"},
        {"display format", 1004, 3, "0.000"},
        {"decimals as format", 33, 3, "0.000"},
        {"no trigger level", 1006, 0, ""},
        {"alarm switch", 1008, 0, "OFF"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        fw::CString text;
        box.GetDisplayText(r.attr, r.ref, text);
        EXPECT_EQ(text, r.text);
    }
    fw::CString fullScale;
    box.GetDisplayText(2003, 0, fullScale);
    EXPECT_EQ(fullScale, "500 [500]");
    EXPECT_TRUE(box.SetChannelText(0, 2003, "700 [700]"));
    EXPECT_FALSE(box.SetChannelText(0, 2003, ""));
    EXPECT_EQ(box.GetChannelValue(0, 2003), 700.0);
    EXPECT_TRUE(box.SetChannelText(0, 49, "PASS"));
    EXPECT_FALSE(box.SetChannelText(0, 49, ""));
}

TEST_F(BoxTest, FileListsFollowTheirCurrentEntries)
{
    Attach({1});
    auto& list = box.FileList(CBoxPropaty::kWaveList);
    for (const char* name : {"A001", "A002", "A003"}) {
        CKiv406FileInfo info;
        info.m_name = name;
        list.push_back(info);
    }
    box.SelectLastFiles(CBoxPropaty::kWaveList | CBoxPropaty::kHistList);
    EXPECT_EQ(box.CurrentFile(CBoxPropaty::kWaveList).m_name, "A003");
    EXPECT_EQ(box.CurrentFile(CBoxPropaty::kHistList).m_name, "");

    box.CurrentFile(CBoxPropaty::kWaveList) = list[2];
    box.AdvanceCurrentFiles(CBoxPropaty::kWaveList);
    EXPECT_EQ(box.CurrentFile(CBoxPropaty::kWaveList).m_name, "A003");

    box.CurrentFile(CBoxPropaty::kWaveList) = list[1];
    box.DropCurrentFiles(CBoxPropaty::kWaveList);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].m_name, "A002");
    EXPECT_EQ(box.CurrentFile(CBoxPropaty::kWaveList).m_name, "A003");
}

// ------------------------------------------------------------------ samples

std::vector<uint8_t> Rows16(std::initializer_list<std::initializer_list<int16_t>> rows, int rowSize)
{
    std::vector<uint8_t> bytes;
    for (const auto& row : rows) {
        std::vector<uint8_t> r(static_cast<size_t>(rowSize), 0);
        size_t at = 0;
        for (int16_t v : row) {
            std::memcpy(r.data() + at, &v, 2);
            at += 2;
        }
        bytes.insert(bytes.end(), r.begin(), r.end());
    }
    return bytes;
}

TEST_F(BoxTest, SixteenBitSamplesBecomeEngineeringValues)
{
    Attach({2});
    OnlyOn({0, 2});
    ASSERT_TRUE(box.SetChannelValue(2, 24, 0.5));
    ASSERT_TRUE(box.SetChannelValue(2, 1001, 2.0));
    const double scale = Meter().GetScaleFactor(2);
    const auto rows = Rows16({{100, 32767}, {-32767, -32766}, {7, 4}}, 6);
    EXPECT_EQ(box.StoreSamples(1, 3, 6, rows), 3);
    auto& t0 = *tanks->list[0];
    auto& t2 = *tanks->list[2];
    EXPECT_EQ(t0.GetValue(1), static_cast<float>(100 * Meter().GetScaleFactor(0)));
    EXPECT_EQ(t2.GetValue(1), HUGE_VAL);
    EXPECT_EQ(t0.GetValue(2), HUGE_VAL);
    EXPECT_EQ(t2.GetValue(2), static_cast<float>((-32766 * scale + 2.0) * 0.5));
    EXPECT_EQ(t2.GetValue(3), static_cast<float>((4 * scale + 2.0) * 0.5));
    EXPECT_EQ(tanks->list[1]->GetValue(1), HUGE_VAL);  // off: untouched fill
}

TEST_F(BoxTest, SampleCountStopsAtTheTankEnd)
{
    Attach({2});
    OnlyOn({0});
    const auto rows = Rows16({{1}, {2}, {3}, {4}}, 2);
    EXPECT_EQ(box.StoreSamples(14, 4, 2, rows), 2);
    EXPECT_EQ(tanks->list[0]->GetValue(15), static_cast<float>(2 * Meter().GetScaleFactor(0)));
    EXPECT_EQ(box.StoreSamples(16, 4, 2, rows), 0);
}

TEST_F(BoxTest, RowsThatDoNotFitTheChannelsAreRefused)
{
    Attach({2});
    OnlyOn({0, 1, 2});
    const auto rows = Rows16({{1, 2, 3}, {4, 5, 6}}, 6);
    EXPECT_THROW(box.StoreSamples(0, 2, 4, rows), fw::CInvalidArgException);   // three channels, four bytes
    EXPECT_THROW(box.StoreSamples(0, 3, 6, rows), fw::CInvalidArgException);   // a row short
    EXPECT_EQ(tanks->list[0]->GetValue(0), HUGE_VAL);
    EXPECT_EQ(box.StoreSamples(0, 2, 6, rows), 2);
}

TEST_F(BoxTest, ThirtyTwoBitSamples)
{
    systest::FakeCanUnitScope can;
    Attach({8});
    OnlyOn({0, 1});
    std::vector<uint8_t> rows(16);
    const int32_t values[] = {2147483647, 123456789, -5, 2147483646};
    std::memcpy(rows.data(), values, sizeof values);
    EXPECT_EQ(box.StoreSamples(0, 2, 8, rows), 2);
    EXPECT_EQ(tanks->list[0]->GetValue(0), HUGE_VAL);
    EXPECT_EQ(tanks->list[1]->GetValue(0), static_cast<float>(123456789.0));
    EXPECT_EQ(tanks->list[0]->GetValue(1), -5.0f);
}

TEST_F(BoxTest, CanUnitChannelsAllowOnlyTheOffset)
{
    systest::FakeCanUnitScope can;
    Attach({8, 2});
    EXPECT_TRUE(box.IsAttrEditable(0, 1001));
    EXPECT_FALSE(box.IsAttrEditable(0, 1002));
    EXPECT_FALSE(box.IsAttrEditable(0, 1006));
    EXPECT_TRUE(box.IsAttrEditable(8, 1002));
}

// ------------------------------------------------------------------ archive

TEST_F(BoxTest, ArchiveFormAroundTheControlUnit)
{
    Attach({2});
    box.SetName("KIV-406(1)");
    ASSERT_TRUE(box.SetChannelValue(0, 2003, 300.0));
    ASSERT_TRUE(box.SetChannelValue(1, 1001, 0.5));
    // Loading re-derives each channel's trigger acceptance; start from there.
    for (int i = 0; i < 8; ++i)
        box.RecalcChannelTank(i);
    const auto bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { box.Serialize(ar); });

    unittest::Form head;
    head.u8(10).tag("KIV-406(1)").i16(-1).i16(1).i16(9).tag("CKivMeter");
    ASSERT_GT(bytes.size(), head.b.size());
    EXPECT_TRUE(std::equal(head.b.begin(), head.b.end(), bytes.begin()));

    unittest::Form tail;
    tail.tag("<HISTSET>");
    for (int code : {2003, 2005, 2007}) {
        tail.count(80);
        for (int u = 0; u < 80; ++u) {
            const FLG_VALUE& v = box.GetAnalysisEntry(code, u);
            tail.raw(&v, sizeof v);
        }
    }
    tail.tag("<CAL>");
    for (int i = 0; i < 8; ++i) {
        const auto one = kivtest::StoredBytes([&](fw::CArchive& ar) { box.GetDataPropaty(i)->Serialize(ar); });
        tail.raw(one.data(), one.size());
    }
    ASSERT_EQ(tail.b.size(), 9 + 3 * (2 + 80 * 16) + 5 + 8 * 70u);
    EXPECT_TRUE(std::equal(tail.b.rbegin(), tail.b.rend(), bytes.rbegin()));

    CBoxPropaty loaded;
    EXPECT_EQ(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), 0u);
    EXPECT_EQ(loaded.GetName(), "KIV-406(1)");
    EXPECT_EQ(loaded.GetChannelValue(0, 2003), 300.0);
    EXPECT_EQ(loaded.GetChannelValue(1, 1001), 0.5);
    const auto again = kivtest::StoredBytes([&](fw::CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(again, bytes);
}

TEST_F(BoxTest, OlderFormsWithoutHistsetOrCal)
{
    Attach({2, 3});
    Meter().SetValue(0, 104, 400, true);
    ASSERT_TRUE(box.SetChannelValue(0, 2003, 400.0));
    const auto bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { box.Serialize(ar); });
    const size_t props = 8 * CDataPropaty::kArchiveBytes;
    const size_t arrays = 3 * (2 + 80 * 16);
    const size_t histAt = bytes.size() - props - 5 - arrays - 9;

    // No "<HISTSET>" block: the values come from the control unit.
    std::vector<uint8_t> noHist(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(histAt));
    noHist.insert(noHist.end(), bytes.end() - static_cast<std::ptrdiff_t>(props + 5), bytes.end());
    CBoxPropaty a;
    EXPECT_EQ(kivtest::LoadBytes(noHist, [&](fw::CArchive& ar) { a.Serialize(ar); }), 0u);
    EXPECT_EQ(a.GetChannelValue(0, 2003), 400.0);

    // An old calibration block instead of "<CAL>": its values go to the outputs.
    unittest::Form calibration;
    calibration.count(2);
    for (double v : {1.25, 2.5}) {
        FLG_VALUE entry;
        entry.value = v;
        calibration.raw(&entry, sizeof entry);
    }
    std::vector<uint8_t> noCal(bytes.begin(), bytes.end() - static_cast<std::ptrdiff_t>(props + 5));
    noCal.insert(noCal.end(), calibration.b.begin(), calibration.b.end());
    noCal.insert(noCal.end(), bytes.end() - static_cast<std::ptrdiff_t>(props), bytes.end());
    CBoxPropaty b;
    EXPECT_EQ(kivtest::LoadBytes(noCal, [&](fw::CArchive& ar) { b.Serialize(ar); }), 0u);
    EXPECT_EQ(b.GetMeter()->GetValue(8, 5), 1.25);
    EXPECT_EQ(b.GetMeter()->GetValue(9, 5), 2.5);
}

TEST_F(BoxTest, WorkingCopyRoundTrip)
{
    Attach({2});
    ASSERT_TRUE(box.SetChannelValue(0, 24, 4.0));
    CKivMeter* original = box.GetMeter();
    box.CopyToWorkMeter();
    EXPECT_EQ(box.GetWorkMeter(), original);
    EXPECT_EQ(box.GetMeter()->GetValue(0, 24), 1.0);  // fresh units
    EXPECT_EQ(box.GetMeter()->GetUnitType(0), 2);
    box.ApplyWorkMeter();
    EXPECT_EQ(box.GetMeter()->GetValue(0, 24), 4.0);
    box.SwapWorkMeter();
    EXPECT_EQ(box.GetMeter(), original);
}

} // namespace
