#include "canvoicegps/CanBitLayout.h"
#include "canvoicegps/CanMesNode.h"
#include "common/tank/DblDataTank.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

struct DecodeRow {
    const char* name;
    std::vector<uint8_t> frame;
    const char* signal; // fields of a signal line
    double value;
};

class CanDecode : public ::testing::TestWithParam<DecodeRow> {};

TEST_P(CanDecode, FrameGivesPhysicalValue)
{
    const DecodeRow& r = GetParam();
    C463CanMesNode message;
    ASSERT_TRUE(message.SetValue(206, static_cast<double>(r.frame.size())));
    ASSERT_TRUE(message.AddSignalFromText(r.signal));
    const canbits::FrameWords w = canbits::MakeFrameWords(r.frame.data(), static_cast<int>(r.frame.size()));
    EXPECT_DOUBLE_EQ(message.Signals().GetAt(0)->DecodeValue(w.intel, w.motorola), r.value);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CanDecode,
    ::testing::Values(
        DecodeRow{"UnsignedByteWithFactorAndOffset", {200}, "t : 0|8@1+ (0.5,-40) [0|0] \" \" 0 0", 60.0},
        DecodeRow{"SignedTwelveBitIntelAllOnes", {0xFF, 0x0F}, "s : 0|12@1- (1,0) [0|0] \" \" 0 0", -1.0},
        DecodeRow{"SignedTwelveBitIntelPositive", {0xFF, 0x07}, "s : 0|12@1- (1,0) [0|0] \" \" 0 0", 2047.0},
        DecodeRow{"IntelWordLittleEndian", {0x34, 0x12}, "w : 0|16@1+ (1,0) [0|0] \" \" 0 0", 0x1234},
        DecodeRow{"MotorolaWordBigEndian", {0x12, 0x34}, "w : 7|16@0+ (1,0) [0|0] \" \" 0 0", 0x1234},
        DecodeRow{"MotorolaInBytesTwoAndThree",
                  {0, 0, 0xAB, 0xCD, 0, 0, 0, 0}, "m : 23|16@0+ (1,0) [0|0] \" \" 0 0", 0xABCD},
        DecodeRow{"MotorolaSignedNegative", {0xFF, 0xFE}, "m : 7|16@0- (0.1,0) [0|0] \" \" 0 0", -0.2},
        DecodeRow{"IntelNibbleInTheMiddle", {0x00, 0xA0}, "n : 12|4@1+ (1,0) [0|0] \" \" 0 0", 10.0},
        DecodeRow{"MotorolaNibbleCrossingNothing", {0x0C}, "n : 3|4@0+ (2,1) [0|0] \" \" 0 0", 25.0},
        DecodeRow{"FullSignedSixtyFourBits",
                  {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "x : 0|64@1- (1,0) [0|0] \" \" 0 0", -2.0},
        DecodeRow{"SignedWithTopBitClearStaysPositive", {0x7F}, "b : 0|8@1- (1,0) [0|0] \" \" 0 0", 127.0}),
    [](const ::testing::TestParamInfo<DecodeRow>& info) { return std::string(info.param.name); });

TEST(CanDecodeEdges, SignalOutsideTheWordHasNoValue)
{
    // Bits 60..67 do not exist: no value rather than a shifted one.
    C463CanMesNode message;
    ASSERT_TRUE(message.SetValue(206, 8));
    ASSERT_TRUE(message.AddSignalFromText("x : 60|8@1+ (1,0) [0|0] \" \" 0 0"));
    EXPECT_EQ(message.Signals().GetAt(0)->DecodeValue(~0ull, ~0ull), HUGE_VAL);
    // A Motorola start bit beyond the frame's bytes.
    C463CanMesNode shortMessage;
    ASSERT_TRUE(shortMessage.SetValue(206, 1));
    ASSERT_TRUE(shortMessage.AddSignalFromText("y : 15|8@0+ (1,0) [0|0] \" \" 0 0"));
    EXPECT_EQ(shortMessage.Signals().GetAt(0)->DecodeValue(~0ull, ~0ull), HUGE_VAL);
}

TEST(CanDecodeEdges, StoreFrameFillsTanksAndFollowsTheFrameLength)
{
    C463CanMesNode message;
    ASSERT_TRUE(message.SetValue(206, 2));
    ASSERT_TRUE(message.AddSignalFromText("m : 7|16@0+ (1,0) [0|0] \" \" 0 0"));
    auto* values = new CDblDataTank;
    auto* stamps = new CDblDataTank;
    message.Signals().GetAt(0)->AttachValueTank(values);
    message.AttachTimeStampTank(stamps);
    ReleaseTank(values); // the signal and the message now hold the only references
    ReleaseTank(stamps);

    const uint8_t two[] = {0x01, 0x02};
    canbits::FrameWords w = canbits::MakeFrameWords(two, 2);
    ASSERT_TRUE(message.StoreFrame(w.intel, w.motorola, 1000, 2, 0));
    EXPECT_EQ(values->GetValue(0), 0x0102);
    EXPECT_EQ(stamps->GetValue(0), 1000);

    // A three-byte frame resizes the message; its top bytes stay where
    // byte 0 is.
    const uint8_t three[] = {0x01, 0x02, 0x03};
    w = canbits::MakeFrameWords(three, 3);
    ASSERT_TRUE(message.StoreFrame(w.intel, w.motorola, 1001, 3, 1));
    EXPECT_EQ(message.GetLength(), 3);
    EXPECT_EQ(values->GetValue(1), 0x0102);

    // Nine bytes cannot be: only the time stamp is stored.
    EXPECT_FALSE(message.StoreFrame(0, 0, 1002, 9, 2));
    EXPECT_EQ(message.GetLength(), 3);
    EXPECT_EQ(stamps->GetValue(2), 1002);
}

TEST(CanDecodeEdges, SendMessageTakesOnlyTwoBytes)
{
    C463CanMesNode message;
    message.SetDirection(true);
    EXPECT_FALSE(message.StoreFrame(0, 0, 0, 3, 0));
    EXPECT_TRUE(message.StoreFrame(0, 0, 0, 2, 0));
}

} // namespace
