#include "canvoicegps/Kiv463Unit.h"
#include "framework/core/Exceptions.h"
#include "tests/canvoicegps/CanTestSupport.h"

#include <gtest/gtest.h>

namespace {

using cantest::Form;
using cantest::NewUnit;

class Kiv463Archive : public cantest::Registered {};

std::unique_ptr<CKiv463Unit> SampleUnit()
{
    auto u = NewUnit();
    u->SetFirstChannel(17);
    u->Voice().memoryBytes = 1000;
    u->Voice().levelTrigger = true;
    u->Voice().triggerLevel = 3;
    u->Gps().memoryBytes = 2000;
    u->Gps().bitRate = 9600;
    u->Gps().receiver = 1;
    u->Gps().speedCorrection = true;
    u->Gps().cycle = 2;
    u->Gps().lowerSpeedLimit = 12;
    u->Can().memoryBytes = 3000;
    u->Can().bitRate = 500000;
    u->Can().singleShot = false;
    u->Can().ackOutput = false;
    cantest::AddMessage(*u, false, "291 ENG 2 N", {"S : 0|16@1- (0.5,-40) [-40|100] \"C\" 1 0"});
    EXPECT_TRUE(u->SetSlotCode(6, 0));   // "vel"
    EXPECT_TRUE(u->SetSlotCode(100, 2)); // signal S
    EXPECT_TRUE(u->SetValue(1, 11, 1));
    EXPECT_TRUE(u->SetValue(1, 12, 100));
    EXPECT_TRUE(u->SetValue(1, 13, 1));
    return u;
}

// The unit's own form, laid out field by field.
std::vector<uint8_t> SampleForm()
{
    Form f;
    f.i16(17).u16(8).bytes({1, 0, 1, 0, 0, 0, 0, 0});                    // CKivUnit head
    f.u32(1000).u8(1).i16(3);                                              // voice
    f.u32(2000).u32(9600).i16(1).u8(1).i32(2);                             // GPS ...
    f.i16(6).i16(0).i16(0).i16(0).i16(0).i16(0).i16(0).i16(0).i16(12);     // ... monitor items, limit
    f.u32(3000).u32(500000).u8(0).u8(1).u8(0);                             // CAN
    f.u16(64).newClass("C463CanMesNode");                                  // entry 0
    f.u8(0).u32(291).str("ENG").i16(2).u8(1).str("N").u8(0);
    f.u16(1).newClass("C463CanMesSignal");
    f.str("S").i16(0).i16(16).i16(1).u8('-').f64(0.5).f64(-40).f64(-40).f64(100).str("C").i16(3).i16(1).i32(100);
    f.nulls(63);                                                           // entries 1..63
    f.u16(8).bytes({0, 1, 0, 0, 0, 0, 0, 0});                              // trigger flags
    f.u16(8).i32(32768).i32(100);
    for (int i = 0; i < 6; ++i)
        f.i32(32768);
    f.u16(8).bytes({0, 'U', 0, 0, 0, 0, 0, 0});                            // conditions
    return f.b;
}

TEST_F(Kiv463Archive, ExactForm)
{
    auto u = SampleUnit();
    EXPECT_EQ(kivtest::StoredBytes([&](fw::CArchive& ar) { u->Serialize(ar); }), SampleForm());
}

TEST_F(Kiv463Archive, LoadingRebuildsTheSlots)
{
    CKiv463Unit loaded; // as an archive creates it: no InitChannels
    EXPECT_EQ(kivtest::LoadBytes(SampleForm(), [&](fw::CArchive& ar) { loaded.Serialize(ar); }), 0u);
    EXPECT_EQ(cantest::SettingsText(loaded), cantest::SettingsText(*SampleUnit()));
    EXPECT_EQ(loaded.GetFirstChannel(), 17);
    EXPECT_EQ(loaded.GetSlotCode(0), 6);
    EXPECT_EQ(loaded.GetSlotCode(2), 100);
    EXPECT_EQ(loaded.GetValue(2, 200), 16);
    EXPECT_EQ(loaded.GetValue(1, 200), 0);
    EXPECT_EQ(loaded.GetValue(1, 12), 100);
    EXPECT_EQ(loaded.GetValue(1, 13), 1);
    EXPECT_EQ(loaded.Messages().GetAt(0)->Signals().GetBaseCode(), 100);
    EXPECT_EQ(loaded.Messages().GetAt(0)->Signals().GetFrameBits(), 16);
}

TEST_F(Kiv463Archive, ThroughTheObjectForm)
{
    auto u = SampleUnit();
    const std::vector<uint8_t> bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { ar.WriteObject(u.get()); });
    Form head;
    head.newClass("CKiv463Unit");
    ASSERT_GT(bytes.size(), head.b.size());
    EXPECT_TRUE(std::equal(head.b.begin(), head.b.end(), bytes.begin()));
    fw::CObject* object = nullptr;
    kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { object = ar.ReadObject(FW_RUNTIME_CLASS(CKivUnit)); });
    std::unique_ptr<fw::CObject> owner(object);
    auto* loaded = dynamic_cast<CKiv463Unit*>(object);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetTypeCode(), 8);
    EXPECT_EQ(cantest::SettingsText(*loaded), cantest::SettingsText(*u));
}

TEST_F(Kiv463Archive, DamagedFormsAreRefused)
{
    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> truncated = SampleForm();
    truncated.resize(truncated.size() - 5);
    std::vector<uint8_t> longMessage = SampleForm();
    // The message's length field: after head, voice, GPS, CAN fields, count,
    // class tag and the message's direction, identifier and name.
    const size_t lengthAt = 2 + 2 + 8 + 4 + 1 + 2 + 4 + 4 + 2 + 1 + 4 + 16 + 2 + 4 + 4 + 3 + 2 + 6 + 14 + 1 + 4 + 4;
    ASSERT_EQ(longMessage[lengthAt], 2);
    longMessage[lengthAt] = 9;
    std::vector<uint8_t> sevenChannels = SampleForm();
    sevenChannels[2] = 7;
    sevenChannels.erase(sevenChannels.begin() + 4 + 7);
    const Row rows[] = {{"truncated", truncated}, {"nine-byte message", longMessage}, {"seven channels", sevenChannels}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CKiv463Unit loaded;
        EXPECT_THROW(kivtest::LoadBytes(r.bytes, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), fw::CArchiveException);
    }
}

} // namespace
