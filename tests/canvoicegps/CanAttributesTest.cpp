#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/CanNodeArray.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace canattr;

std::string Text(const C463CanMesNode& m, int code)
{
    fw::CString t;
    return m.GetText(code, t);
}

std::string Text(const C463CanMesSignal& s, int code)
{
    fw::CString t;
    return s.GetText(code, t);
}

TEST(CanMessageAttributes, IdentifierTextAndReservedStandardIds)
{
    C463CanMesNode m;
    ASSERT_TRUE(m.SetText(kIdentifier, "7F0"));
    EXPECT_EQ(Text(m, kIdentifier), "0x07F0");
    EXPECT_FALSE(m.IsAttributeValid(kIdentifier));
    EXPECT_FALSE(m.IsAttributeValid(kIdFormat));
    ASSERT_TRUE(m.SetText(kIdFormat, kExtendedText));
    EXPECT_EQ(Text(m, kIdentifier), "0x000007F0");
    EXPECT_TRUE(m.IsAttributeValid(kIdentifier));
    EXPECT_TRUE(m.IsAttributeValid(kIdFormat));
    ASSERT_TRUE(m.SetValue(kIdentifier, 0x7EF + 0.9)); // fraction cut
    EXPECT_EQ(m.GetIdentifier(), 0x7EFu);
    EXPECT_TRUE(m.SetValue(kIdentifier, 0x1FBFFFFF));
    EXPECT_FALSE(m.SetValue(kIdentifier, 0x1FC00000));
    EXPECT_FALSE(m.SetValue(kIdentifier, -1));
    EXPECT_FALSE(m.SetText(kIdFormat, "standard"));
}

TEST(CanMessageAttributes, LengthDependsOnDirection)
{
    C463CanMesNode receive;
    EXPECT_TRUE(receive.SetValue(kDataLength, 8));
    EXPECT_FALSE(receive.SetValue(kDataLength, 9));
    EXPECT_FALSE(receive.SetValue(kDataLength, 0));
    C463CanMesNode send;
    send.SetDirection(true);
    EXPECT_FALSE(send.SetValue(kDataLength, 4));
    EXPECT_TRUE(send.SetValue(kDataLength, 2));
}

TEST(CanMessageAttributes, Names)
{
    struct Row {
        const char* name;
        int code;
        const char* text;
        bool accepted;
        const char* stored;
    };
    const Row rows[] = {
        {"blanks removed", kMessageName, "ENG SPEED", true, "ENGSPEED"},
        {"full-width made single-byte", kMessageName, "ＥＮＧ１", true, "ENG1"},
        {"cut to sixteen", kMessageName, "ABCDEFGHIJKLMNOPQRS", true, "ABCDEFGHIJKLMNOP"},
        {"empty message name refused", kMessageName, "  ", false, ""},
        {"kanji refused", kMessageName, "速度", false, ""},
        {"empty node name allowed", kNodeName, "", true, ""},
        {"half-width katakana kept", kNodeName, "ｴﾝｼﾞﾝ", true, "ｴﾝｼﾞﾝ"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        C463CanMesNode m;
        EXPECT_EQ(m.SetText(r.code, r.text), r.accepted);
        EXPECT_EQ(Text(m, r.code), r.stored);
    }
}

TEST(CanMessageAttributes, RemoteFrame)
{
    C463CanMesNode m;
    EXPECT_EQ(Text(m, kRemoteFrame), "OFF");
    EXPECT_TRUE(m.SetText(kRemoteFrame, "ON"));
    EXPECT_EQ(m.GetValue(kRemoteFrame), 1.0);
    EXPECT_FALSE(m.SetText(kRemoteFrame, "on"));
    EXPECT_TRUE(m.SetValue(kRemoteFrame, 7));
    EXPECT_EQ(Text(m, kRemoteFrame), "OFF");
}

TEST(CanSignalAttributes, SettersRefuseOutOfRangeValues)
{
    struct Row {
        const char* name;
        int code;
        double value;
        bool accepted;
    };
    const Row rows[] = {
        {"start bit below frame", kStartBit, 15, true},
        {"start bit at frame end", kStartBit, 16, false},
        {"length whole frame", kLength, 16, true},
        {"length over frame", kLength, 17, false},
        {"length zero", kLength, 0, false},
        {"factor smallest", kFactor, 0.00001, true},
        {"factor too small", kFactor, 0.000009, false},
        {"factor too large", kFactor, 1000001, false},
        {"negative factor", kFactor, -2, true},
        {"offset limit", kOffset, -1000000, true},
        {"offset over", kOffset, 1000001, false},
        {"minimum unset", kMinimum, HUGE_VAL, false},
        {"decimals 7", kDecimals, 7, true},
        {"decimals 8", kDecimals, 8, false},
        {"source 80", kSource, 80, true},
        {"source 81", kSource, 81, false},
        {"sign 2", kSign, 2, false},
        {"byte order 2", kByteOrder, 2, false},
        {"unit by number", kUnit, 3, false},
        {"code outside", 230, 1, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        C463CanMesSignal s; // 16 frame bits
        EXPECT_EQ(s.SetValue(r.code, r.value), r.accepted);
    }
}

TEST(CanSignalAttributes, Texts)
{
    C463CanMesSignal s;
    EXPECT_EQ(Text(s, kSign), kSignedText);
    EXPECT_EQ(Text(s, kByteOrder), kIntelText);
    EXPECT_EQ(Text(s, kUnit), "");
    EXPECT_EQ(s.GetValue(kUnit), 29);
    ASSERT_TRUE(s.SetText(kSign, kUnsignedText));
    ASSERT_TRUE(s.SetText(kByteOrder, kMotorolaText));
    ASSERT_TRUE(s.SetText(kUnit, "℃"));
    EXPECT_EQ(s.GetUnit(), "C");
    EXPECT_EQ(Text(s, kUnit), "℃");
    EXPECT_FALSE(s.SetText(kUnit, "furlong"));
    EXPECT_TRUE(s.SetText(kUnit, ""));
    EXPECT_EQ(s.GetUnit(), " ");
    ASSERT_TRUE(s.SetText(kFactor, "1.25e-3"));
    EXPECT_EQ(Text(s, kFactor), "0.00125");
    EXPECT_FALSE(s.SetText(kFactor, "abc"));
    EXPECT_EQ(s.GetValue(kSignalName), HUGE_VAL);
}

TEST(CanSignalArray, CodesIndicesAndValidity)
{
    CCanSigArray a;
    a.SetBaseCode(300);
    a.SetFrameBits(16);
    auto* first = new C463CanMesSignal;
    auto* second = new C463CanMesSignal;
    auto* third = new C463CanMesSignal;
    a.AddSignal(first);
    a.AddSignal(second);
    EXPECT_EQ(first->GetCode(), 300);
    EXPECT_EQ(second->GetCode(), 301);
    // A removed signal's code is free again for the next one.
    ASSERT_EQ(a.RemoveSignal(first), first);
    delete first;
    a.AddSignal(third);
    EXPECT_EQ(third->GetCode(), 300);

    EXPECT_EQ(a.GetValue(5, kLength), HUGE_VAL);
    EXPECT_TRUE(a.IsValid(5, kSource));
    EXPECT_THROW(a.SetValue(5, kLength, 1), fw::CInvalidArgException);
    EXPECT_THROW(a.GetValue(-1, kLength), fw::CInvalidArgException);

    a.SetDirection(true);
    EXPECT_FALSE(a.IsValid(0, kSource)) << "a send signal without source";
    ASSERT_TRUE(a.SetValue(0, kSource, 12));
    EXPECT_TRUE(a.IsValid(0, kSource));
}

TEST(CanNodeArray, MessageLimitsAndEntries)
{
    CCanNodeArray db;
    for (int i = 0; i < CCanNodeArray::kMaxSendMessages; ++i)
        ASSERT_NE(db.AddMessage(CCanNodeArray::kSend), nullptr);
    EXPECT_EQ(db.AddMessage(CCanNodeArray::kSend), nullptr) << "the ninth send message";
    for (int i = CCanNodeArray::kMaxSendMessages; i < CCanNodeArray::kEntries; ++i)
        ASSERT_NE(db.AddMessage(CCanNodeArray::kReceive), nullptr);
    EXPECT_EQ(db.AddMessage(CCanNodeArray::kReceive), nullptr) << "all 64 used";
    EXPECT_EQ(db.GetAt(10)->Signals().GetBaseCode(), 1100);

    C463CanMesNode* m = db.GetAt(3);
    EXPECT_EQ(db.Detach(m), 3);
    EXPECT_EQ(db.GetAt(3), nullptr);
    delete m;
    // The freed entry is the only empty one.
    C463CanMesNode* again = db.AddMessage(CCanNodeArray::kSend);
    EXPECT_EQ(again, db.GetAt(3));

    EXPECT_EQ(db.GetValue(64, 206), HUGE_VAL);
    EXPECT_TRUE(db.IsAttributeValid(64, 204));
    EXPECT_THROW(db.SetValue(64, 206, 2), fw::CInvalidArgException);
    EXPECT_THROW(db.GetValue(-1, 206), fw::CInvalidArgException);
    db.RemoveDirection(CCanNodeArray::kSend);
    EXPECT_EQ(db.CountSendMessages(), 0);
    EXPECT_EQ(db.GetValue(0, 206), HUGE_VAL) << "an empty entry";
    EXPECT_FALSE(db.IsAttributeValid(0, 204));
}

TEST(CanNodeArray, DuplicateSendIdentifiers)
{
    CCanNodeArray db;
    C463CanMesNode* a = db.AddMessage(CCanNodeArray::kSend);
    C463CanMesNode* b = db.AddMessage(CCanNodeArray::kSend);
    C463CanMesNode* r = db.AddMessage(CCanNodeArray::kReceive);
    for (C463CanMesNode* m : {a, b, r})
        ASSERT_TRUE(m->SetValue(kIdentifier, 0x100));
    // As the measuring system does: clear, then mark for every send message.
    db.ClearDuplicateMarks();
    for (C463CanMesNode* m : {a, b})
        db.MarkDuplicateId(m);
    EXPECT_FALSE(a->IsAttributeValid(kIdentifier));
    EXPECT_FALSE(b->IsAttributeValid(kIdentifier));
    EXPECT_TRUE(r->IsAttributeValid(kIdentifier)) << "receive messages are never marked";
    db.ClearDuplicateMarks();
    EXPECT_TRUE(a->IsAttributeValid(kIdentifier));
}

TEST(CanNodeArray, CopyIsDeep)
{
    CCanNodeArray db;
    C463CanMesNode* m = db.AddMessage(CCanNodeArray::kReceive);
    ASSERT_TRUE(m->AddSignalFromText("a : 0|8@1+ (1,0) [0|0] \" \" 0 3"));
    CCanNodeArray copy;
    copy = db;
    ASSERT_NE(copy.GetAt(0), nullptr);
    EXPECT_NE(copy.GetAt(0), m);
    ASSERT_TRUE(copy.GetAt(0)->Signals().SetValue(0, kLength, 4));
    EXPECT_EQ(m->Signals().GetValue(0, kLength), 8);
    EXPECT_EQ(copy.FindSignalBySlot(3, CCanNodeArray::kReceive)->GetCode(), 100);
    EXPECT_EQ(copy.FindSignal(100), copy.GetAt(0)->Signals().GetAt(0));
}

} // namespace
