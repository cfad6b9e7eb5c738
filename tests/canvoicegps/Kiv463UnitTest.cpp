#include "canvoicegps/GpsItems.h"
#include "canvoicegps/Kiv463Unit.h"
#include "framework/core/Exceptions.h"
#include "instrument/unit/UnitFactory.h"
#include "tests/canvoicegps/CanTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using cantest::AddMessage;
using cantest::NewUnit;

std::string Text(const CKiv463Unit& u, int channel, int attribute)
{
    fw::CString t;
    return u.GetText(channel, attribute, t);
}

class Kiv463UnitTest : public cantest::Registered {};

// A unit with one receive message (signals 100 and 101) and one send message.
std::unique_ptr<CKiv463Unit> UnitWithSignals()
{
    auto u = NewUnit();
    AddMessage(*u, false, "256 ENG 8 ",
               {"RPM : 0|16@1+ (0.5,-40) [0|0] \"rpm\" 1 0", "TEMP : 16|8@1- (1,0) [0|0] \"C\" 0 0"});
    AddMessage(*u, true, "512 OUT 2 ", {"CH1 : 7|16@0- (1,0) [0|0] \" \" 0 1"});
    return u;
}

TEST_F(Kiv463UnitTest, NewUnitAfterInitChannels)
{
    auto u = NewUnit();
    EXPECT_EQ(u->GetTypeCode(), 8);
    EXPECT_EQ(u->GetValue(0, -2), 8);
    EXPECT_TRUE(u->HasInputs());
    EXPECT_FALSE(u->IsRecordable());
    for (int ch = 0; ch < 8; ++ch) {
        SCOPED_TRACE(ch);
        EXPECT_EQ(Text(*u, ch, 0), "OFF");
        EXPECT_EQ(u->GetValue(ch, 200), 16);
        EXPECT_EQ(u->GetValue(ch, 201), 0);
        EXPECT_EQ(u->GetValue(ch, 12), 32768);
        EXPECT_EQ(Text(*u, ch, 12), "");
        EXPECT_EQ(Text(*u, ch, 13), "相対");
        EXPECT_EQ(Text(*u, ch, 11), "OFF");
    }
    EXPECT_EQ(u->Messages().CountMessages(false), 0);
    EXPECT_EQ(u->Voice().memoryBytes, 2000000u);
    EXPECT_EQ(u->Gps().lowerSpeedLimit, 5);
    EXPECT_EQ(u->Can().bitRate, 125000u);
    EXPECT_TRUE(u->Can().singleShot);
}

TEST_F(Kiv463UnitTest, ControlUnitsCreateItForTypeCodeEight)
{
    std::unique_ptr<CKivUnit> unit = CreateUnitOfType(8);
    ASSERT_NE(unit, nullptr);
    EXPECT_TRUE(unit->IsKindOf(FW_RUNTIME_CLASS(CKiv463Unit)));
    EXPECT_EQ(fw::CRuntimeClass::FromName("CKiv463Unit"), FW_RUNTIME_CLASS(CKiv463Unit));
}

TEST_F(Kiv463UnitTest, TwoSlotGpsItem)
{
    auto u = NewUnit();
    ASSERT_TRUE(u->SetSlotCode(9, 1)); // an item in slot 2 that slot 1's item will displace
    ASSERT_TRUE(u->SetSlotCode(3, 0)); // "lon_abso_deg"
    EXPECT_EQ(Text(*u, 0, 0), "SET");
    EXPECT_EQ(u->GetValue(0, 200), 32);
    EXPECT_EQ(Text(*u, 1, 0), "OFF");
    EXPECT_EQ(u->GetValue(1, 200), 0);
    EXPECT_EQ(u->GetSlotCode(1), 0);
    EXPECT_DOUBLE_EQ(u->GetValue(0, 24), 1e-7);
    EXPECT_EQ(u->GetValue(0, 33), 7);
    EXPECT_EQ(Text(*u, 0, 25), "deg");
    EXPECT_EQ(u->Gps().monitorItems[0], 3);
    EXPECT_EQ(u->Gps().monitorItems[1], 0);
}

TEST_F(Kiv463UnitTest, TwoSlotItemHasNoPlaceInTheLastSlot)
{
    auto u = NewUnit();
    EXPECT_FALSE(u->SetSlotCode(1, 7));
    EXPECT_EQ(u->GetSlotCode(7), 0);
    EXPECT_EQ(Text(*u, 7, 0), "OFF");
    EXPECT_EQ(u->Gps().monitorItems[7], 0);
    EXPECT_TRUE(u->SetSlotCode(6, 7)) << "a one-slot item fits";
}

TEST_F(Kiv463UnitTest, CanSignalFeedsOneSlotAtATime)
{
    auto u = UnitWithSignals();
    C463CanMesSignal* rpm = u->Messages().FindSignal(100);
    C463CanMesSignal* temp = u->Messages().FindSignal(101);
    ASSERT_TRUE(u->SetSlotCode(100, 3));
    EXPECT_EQ(rpm->GetSource(), 4);
    EXPECT_EQ(Text(*u, 3, 0), "SET");
    EXPECT_EQ(u->GetValue(3, 200), 16);
    EXPECT_EQ(u->GetValue(3, 24), 0.5);
    EXPECT_EQ(u->GetValue(3, 33), 1);
    EXPECT_EQ(u->GetValue(3, 222), -80);
    EXPECT_EQ(Text(*u, 3, 25), "rpm");

    ASSERT_TRUE(u->SetSlotCode(101, 3));
    EXPECT_EQ(rpm->GetSource(), 0);
    EXPECT_EQ(temp->GetSource(), 4);
    EXPECT_EQ(Text(*u, 3, 25), "℃");

    // Moving a signal to another slot empties the one it left.
    ASSERT_TRUE(u->SetSlotCode(101, 5));
    EXPECT_EQ(u->GetSlotCode(3), 0);
    EXPECT_EQ(temp->GetSource(), 6);

    int16_t codes[8];
    u->GetSlotCodes(codes);
    EXPECT_EQ(codes[5], 101);
    EXPECT_EQ(codes[3], 0);

    // A send signal's source is a channel: it cannot feed a slot.
    EXPECT_FALSE(u->SetSlotCode(200, 2));
    EXPECT_EQ(u->Messages().FindSignal(200)->GetSource(), 1);
}

TEST_F(Kiv463UnitTest, NoSourceResetsTheFreeChannelScaling)
{
    for (int16_t code : {0, 4242}) {
        SCOPED_TRACE(code);
        auto u = NewUnit();
        ASSERT_TRUE(u->SetValue(2, 24, 2.5));
        ASSERT_TRUE(u->SetText(2, 25, "mm"));
        ASSERT_TRUE(u->SetValue(2, 33, 3));
        EXPECT_EQ(u->GetValue(2, 24), 2.5);
        EXPECT_EQ(Text(*u, 2, 25), "mm");
        EXPECT_EQ(u->GetValue(2, 33), 3);
        u->SetSlotCode(code, 2);
        EXPECT_EQ(u->GetSlotCode(2), 0);
        EXPECT_EQ(u->GetValue(2, 24), 1.0);
        EXPECT_EQ(Text(*u, 2, 25), "");
        EXPECT_EQ(u->GetValue(2, 33), 0);
    }
}

TEST_F(Kiv463UnitTest, ScalingOfASourceIsTheSources)
{
    auto u = NewUnit();
    ASSERT_TRUE(u->SetSlotCode(6, 0)); // "vel"
    EXPECT_TRUE(u->SetValue(0, 24, 3.0)) << "accepted";
    EXPECT_DOUBLE_EQ(u->GetValue(0, 24), 0.1) << "and ignored";
    EXPECT_TRUE(u->SetValue(0, 33, 4));
    EXPECT_EQ(u->GetValue(0, 33), 1);
    EXPECT_FALSE(u->SetValue(0, 24, 0.0));
    EXPECT_FALSE(u->SetValue(0, 25, 41));
}

TEST_F(Kiv463UnitTest, SlotValidityFollowsTheGpsSettings)
{
    struct Row {
        const char* name;
        int16_t receiver;
        bool correction;
        int16_t code; // put in slot 1 (index 0)
        bool valid;
    };
    const Row rows[] = {
        {"corrected item without correction", 1, false, 6, false},
        {"receiver item without correction", 1, false, 14, true},
        {"receiver item without receiver", 0, false, 14, false},
        {"CAN signal without correction", 1, false, 100, true},
        {"CAN signal with correction", 1, true, 100, false},
        {"corrected item with correction", 1, true, 6, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto u = UnitWithSignals();
        ASSERT_TRUE(u->SetSlotCode(r.code, 0));
        u->Gps().receiver = r.receiver;
        u->Gps().speedCorrection = r.correction;
        EXPECT_EQ(u->AreSlotCodesValid(), r.valid);
        u->ClearInvalidSlotCodes();
        EXPECT_EQ(u->GetSlotCode(0), r.valid ? r.code : 0);
        EXPECT_TRUE(u->AreSlotCodesValid());
    }
}

TEST_F(Kiv463UnitTest, MemorySplit)
{
    auto u = NewUnit();
    EXPECT_TRUE(u->CheckValue(0, 202, 0));
    u->Can().memoryBytes += 1;
    EXPECT_FALSE(u->CheckValue(0, 202, 0));
    EXPECT_TRUE(u->CheckValue(0, 200, 0));
    EXPECT_FALSE(u->CheckValue(0, 11, 0));
    u->Voice().memoryBytes = 0xFFFFFFFFu; // no wrap-around in the sum
    EXPECT_FALSE(u->IsMemorySplitValid());
}

TEST_F(Kiv463UnitTest, TriggerAttributes)
{
    auto u = NewUnit();
    EXPECT_TRUE(u->SetValue(1, 12, HUGE_VAL));
    EXPECT_EQ(u->GetValue(1, 12), 32768);
    EXPECT_FALSE(u->SetValue(1, 12, 40000));
    EXPECT_TRUE(u->SetValue(1, 12, -32767));
    EXPECT_EQ(Text(*u, 1, 12), "-32767");
    EXPECT_TRUE(u->SetValue(1, 13, 2));
    EXPECT_EQ(Text(*u, 1, 13), "ロワー");
    EXPECT_FALSE(u->SetValue(1, 13, 3));
    EXPECT_TRUE(u->SetValue(1, 11, 1));
    EXPECT_FALSE(u->SetValue(1, 11, 2));
    EXPECT_EQ(Text(*u, 1, 11), "ON");
}

TEST_F(Kiv463UnitTest, EditabilityAndBadChannels)
{
    auto u = NewUnit();
    EXPECT_FALSE(u->IsAttrEditable(0, 15));
    ASSERT_TRUE(u->SetSlotCode(9, 0)); // road_rela_dst: the distance can be zeroed
    EXPECT_TRUE(u->IsAttrEditable(0, 15));
    EXPECT_TRUE(u->IsAttrEditable(0, 200));
    EXPECT_FALSE(u->IsAttrEditable(0, 24));
    EXPECT_THROW(u->GetValue(8, 0), fw::CInvalidArgException);
    EXPECT_THROW(u->SetValue(-1, 11, 1), fw::CInvalidArgException);
    EXPECT_THROW(u->SetSlotCode(0, 8), fw::CInvalidArgException);
    EXPECT_EQ(u->GetValue(0, 99), HUGE_VAL);
    EXPECT_FALSE(u->SetValue(0, 15, 0));
}

TEST_F(Kiv463UnitTest, CopyTakesSettingsButNotPlacement)
{
    auto a = UnitWithSignals();
    a->SetFirstChannel(17);
    ASSERT_TRUE(a->SetSlotCode(100, 2));
    ASSERT_TRUE(a->SetSlotCode(14, 0));
    ASSERT_TRUE(a->SetValue(4, 12, 1234));
    a->Voice().levelTrigger = true;
    auto b = NewUnit();
    ASSERT_TRUE(b->SetValue(5, 24, 4.0));
    b->Copy(*a);
    EXPECT_EQ(b->GetFirstChannel(), 1);
    EXPECT_EQ(cantest::SettingsText(*b), cantest::SettingsText(*a));
    EXPECT_EQ(b->GetSlotCode(2), 100);
    EXPECT_EQ(b->GetValue(4, 12), 1234);
    EXPECT_EQ(b->GetValue(5, 24), 4.0) << "the free channel's coefficient stays";
    EXPECT_NE(b->Messages().GetAt(0), a->Messages().GetAt(0));
    b->Copy(*b);
    EXPECT_EQ(b->GetSlotCode(2), 100);
}

TEST(GpsItems, DecimalsAndNames)
{
    const int decimals[16] = {0, 2, 2, 7, 7, 0, 1, 2, 2, 2, 0, 7, 7, 0, 1, 1};
    for (int code = 0; code <= 15; ++code)
        EXPECT_EQ(GetGpsItemDecimals(code), decimals[code]) << code;
    EXPECT_EQ(GetGpsItemDecimals(100), 0);
    EXPECT_EQ(gpsitem::CodeOfName("gps_trk"), 15);
    EXPECT_EQ(gpsitem::CodeOfName("GPS_TRK"), 0);
    EXPECT_STREQ(gpsitem::Name(9), "road_rela_dst");
}

} // namespace
