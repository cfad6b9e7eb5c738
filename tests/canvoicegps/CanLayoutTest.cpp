#include "canvoicegps/CanAttributes.h"
#include "canvoicegps/CanBitLayout.h"
#include "canvoicegps/CanMesNode.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace canattr;

// A receive message of `bytes` bytes with signals from their line fields.
std::unique_ptr<C463CanMesNode> Message(int bytes, std::initializer_list<const char*> signals)
{
    auto m = std::make_unique<C463CanMesNode>();
    EXPECT_TRUE(m->SetValue(kDataLength, bytes));
    for (const char* sg : signals)
        EXPECT_TRUE(m->AddSignalFromText(sg)) << sg;
    return m;
}

TEST(CanBitLayout, MotorolaLsbAndItsInverse)
{
    struct Row {
        const char* name;
        int start, length, lsb;
    };
    const Row rows[] = {
        {"one byte", 7, 8, 0},
        {"two bytes from byte 2", 23, 16, 24},
        {"byte 3 alone", 31, 8, 24},
        {"nibble inside a byte", 5, 4, 2},
        {"crossing two bytes", 3, 12, 8},
        {"crossing three bytes", 3, 14, 22},
        {"single bit", 12, 1, 12},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(canbits::MotorolaLsb(r.start, r.length), r.lsb);
        EXPECT_EQ(canbits::MotorolaStartFromLsb(r.lsb, r.length), r.start);
    }
    // Too few bits before the LSB: the start bit goes negative.
    EXPECT_LT(canbits::MotorolaStartFromLsb(4, 16), 0);
}

TEST(CanBitLayout, IntelAndMotorolaSignalsSideBySide)
{
    auto m = Message(8, {"a : 0|16@1+ (1,0) [0|0] \" \" 0 0", "b : 23|16@0+ (1,0) [0|0] \" \" 0 0"});
    CCanSigArray& s = m->Signals();
    EXPECT_EQ(s.GetValue(1, kLsbPosition), 24);
    EXPECT_TRUE(s.GetLayoutFlag(0));
    EXPECT_TRUE(s.GetLayoutFlag(1));
    // Bits 0-15 belong to a, bytes 2 and 3 to b, the rest is free.
    for (int bit = 0; bit < 64; ++bit) {
        SCOPED_TRACE(bit);
        EXPECT_EQ(s.GetBitUser(bit), bit < 16 ? 1 : bit < 32 ? 2 : 0);
    }
    // A shorter Motorola signal keeps its LSB and gives up its top byte.
    ASSERT_TRUE(s.SetValue(1, kLength, 8));
    EXPECT_EQ(s.GetValue(1, kLsbPosition), 24);
    EXPECT_EQ(s.GetValue(1, kStartBit), 31);
    EXPECT_EQ(s.GetBitUser(16), 0);
    EXPECT_EQ(s.GetBitUser(24), 2);
}

TEST(CanBitLayout, LayoutFlags)
{
    struct Row {
        const char* name;
        int bytes;
        std::vector<const char*> signals;
        std::vector<bool> flags;
    };
    const Row rows[] = {
        {"overlap at bit 3 spares the third signal",
         2,
         {"a : 0|4@1+ (1,0) [0|0] \" \" 0 0", "b : 3|2@1+ (1,0) [0|0] \" \" 0 0",
          "c : 8|8@1+ (1,0) [0|0] \" \" 0 0"},
         {false, false, true}},
        {"Intel signal running past the frame", 1, {"a : 4|8@1+ (1,0) [0|0] \" \" 0 0"}, {false}},
        {"longer than the frame", 1, {"a : 0|16@1+ (1,0) [0|0] \" \" 0 0"}, {false}},
        {"Motorola running past the last byte", 2, {"a : 9|8@0+ (1,0) [0|0] \" \" 0 0"}, {false}},
        {"Motorola start bit below zero", 2, {"a : -8|8@0+ (1,0) [0|0] \" \" 0 0"}, {false}},
        {"whole eight-byte frame", 8, {"a : 0|64@1- (1,0) [0|0] \" \" 0 0"}, {true}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto m = Message(r.bytes, {});
        for (const char* sg : r.signals)
            ASSERT_TRUE(m->AddSignalFromText(sg)) << sg;
        for (size_t i = 0; i < r.flags.size(); ++i)
            EXPECT_EQ(m->Signals().GetLayoutFlag(static_cast<int>(i)), r.flags[i]) << "signal " << i;
    }
}

TEST(CanBitLayout, MessageValidityFollowsItsSignals)
{
    auto m = Message(2, {"a : 0|4@1+ (1,0) [0|0] \" \" 0 0", "b : 3|2@1+ (1,0) [0|0] \" \" 0 0"});
    EXPECT_FALSE(m->IsAttributeValid(kStartBit));
    ASSERT_TRUE(m->AddSignalFromText("c : 8|8@1+ (1,0) [0|0] \" \" 0 0"));
    EXPECT_TRUE(m->IsAttributeValid(kStartBit));
    EXPECT_TRUE(m->IsAttributeValid(kLength));
    EXPECT_FALSE(Message(2, {})->IsAttributeValid(kStartBit)) << "a message without signals";
}

TEST(CanBitLayout, ShrinkingTheFrameInvalidatesWhatNoLongerFits)
{
    auto m = Message(4, {"a : 16|16@1+ (1,0) [0|0] \" \" 0 0"});
    EXPECT_TRUE(m->Signals().GetLayoutFlag(0));
    ASSERT_TRUE(m->SetValue(kDataLength, 2));
    EXPECT_EQ(m->Signals().GetAt(0)->GetFrameBits(), 16);
    EXPECT_FALSE(m->Signals().GetLayoutFlag(0));
}

} // namespace
