#include "tests/usb/TcpPeer.h"
#include "usb/backend/LoopbackBackend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using usbio::LoopbackBackend;
using usbio::TransferStatus;
using usbtest::TcpPeer;

constexpr unsigned kTimeoutMs = 2000;

std::string In(usbio::IUsbConnection& c, size_t size, TransferStatus expected = TransferStatus::Ok)
{
    std::vector<uint8_t> data(size, 0xEE);
    const usbio::TransferResult r = c.BulkIn(data, kTimeoutMs);
    EXPECT_EQ(r.status, expected);
    return std::string(data.begin(), data.begin() + r.transferred);
}

class LoopbackTest : public ::testing::Test {
protected:
    std::unique_ptr<usbio::IUsbConnection> OpenDevice()
    {
        EXPECT_EQ(backend.Enumerate({}, 128), 1);
        EXPECT_TRUE(peer.WaitConnected());
        return backend.Open(0);
    }

    TcpPeer peer;
    LoopbackBackend backend{peer.Endpoint()};
};

TEST(LoopbackBackend, EveryAnsweringEndpointIsADevice)
{
    TcpPeer a;
    TcpPeer b;
    std::string refused;
    {
        TcpPeer gone;
        refused = gone.Endpoint();
    }
    LoopbackBackend backend(a.Endpoint() + "," + refused + "," + b.Endpoint());
    EXPECT_EQ(backend.Enumerate({}, 128), 2);
    EXPECT_NE(backend.Open(1), nullptr);
    EXPECT_EQ(backend.Open(2), nullptr);
    EXPECT_EQ(backend.Enumerate({}, 1), 1) << "the device limit holds";
}

TEST_F(LoopbackTest, OutTransfersReachThePeerUnchanged)
{
    auto c = OpenDevice();
    ASSERT_NE(c, nullptr);
    const std::string block = "STA3\r\n" + std::string(58, ' ');
    const usbio::TransferResult r = c->BulkOut({reinterpret_cast<const uint8_t*>(block.data()), block.size()}, kTimeoutMs);
    EXPECT_EQ(r.status, TransferStatus::Ok);
    EXPECT_EQ(r.transferred, 64);
    EXPECT_EQ(peer.Receive(64), block);
}

// A peer that answers like the LAN protocol gets its reply padded to a
// whole packet; one that pads itself is relayed byte for byte.
TEST_F(LoopbackTest, RepliesArriveInWholePackets)
{
    auto c = OpenDevice();
    ASSERT_NE(c, nullptr);
    peer.Send("OK\r\n");
    EXPECT_EQ(In(*c, 64), "OK\r\n" + std::string(60, '\0'));

    const std::string padded = "AB\r\n" + std::string(60, '\0') + "END\r\n" + std::string(59, '\0');
    peer.Send(padded);
    const std::string first = In(*c, 64);
    EXPECT_EQ(first + In(*c, 64), padded);
}

TEST_F(LoopbackTest, BlockTailIsPaddedToAPacket)
{
    auto c = OpenDevice();
    ASSERT_NE(c, nullptr);
    std::string block;
    for (int i = 0; i < 100; ++i)
        block += static_cast<char>(i);
    peer.Send(block);
    EXPECT_EQ(In(*c, 64), block.substr(0, 64));
    EXPECT_EQ(In(*c, 64), block.substr(64) + std::string(28, '\0'));
}

TEST_F(LoopbackTest, SilenceTimesOutAndAClosedPeerIsAnUnpluggedDevice)
{
    auto c = OpenDevice();
    ASSERT_NE(c, nullptr);
    std::vector<uint8_t> data(64);
    const usbio::TransferResult r = c->BulkIn(data, 50);
    EXPECT_EQ(r.status, TransferStatus::Timeout);
    EXPECT_EQ(r.transferred, 0);

    peer.Send("LAST\r\n");
    peer.Close();
    EXPECT_EQ(In(*c, 64, TransferStatus::NoDevice), "LAST\r\n");
    EXPECT_EQ(In(*c, 64, TransferStatus::NoDevice), "");
    EXPECT_EQ(backend.Open(0), nullptr);
}

} // namespace
