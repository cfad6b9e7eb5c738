#include "tests/usb/FakeUsb.h"
#include "usb/UsbTransport.h"
#include "usb/kiv406/Kiv406Library.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kiv406::Kiv406Library;
using usbtest::FakeDevice;
using usbtest::FakeUsb;

constexpr char kGuard = '#';

class Kiv406Test : public ::testing::Test {
protected:
    FakeDevice& OpenOne()
    {
        FakeDevice& d = usb.Add();
        EXPECT_EQ(lib.CountDevices(), 1);
        return d;
    }

    // Reads with `read` into a guarded buffer; returns the result and keeps
    // the buffer for inspection.
    template <class Read> int32_t ReadInto(Read read)
    {
        buffer.assign(1024, kGuard);
        return read(buffer.data());
    }

    FakeUsb usb;
    std::vector<usbio::UsbId> ids;
    Kiv406Library lib{usb.Factory(), [this] { return ids; }};
    std::vector<char> buffer;
};

TEST_F(Kiv406Test, DeviceListOpensCloseAndOpensAgain)
{
    EXPECT_EQ(lib.CountDevices(), kUsbErrNoDevice);
    EXPECT_EQ(lib.Status(), 0);
    FakeDevice& d = usb.Add();
    EXPECT_EQ(lib.CountDevices(), 1);
    EXPECT_EQ(lib.CountDevices(), kUsbErrAlreadyOpen);
    EXPECT_EQ(lib.Status(), 1);
    EXPECT_EQ(d.liveConnections, 1) << "the device stays open between transfers";
    EXPECT_EQ(lib.Close(), 0);
    EXPECT_EQ(lib.Status(), 0);
    EXPECT_EQ(d.liveConnections, 0);
    EXPECT_EQ(usb.backendsAlive, 0);
    EXPECT_EQ(lib.Close(), kUsbErrNotOpen);
    EXPECT_EQ(lib.CountDevices(), 1);
}

TEST_F(Kiv406Test, DevicesThatDoNotOpenAreNotCountedAndAtMost32Are)
{
    usb.Add().openFails = true;
    FakeDevice& second = usb.Add();
    EXPECT_EQ(lib.CountDevices(), 1);
    second.Reply("OK\r\n");
    EXPECT_EQ(ReadInto([&](char* b) { return lib.ReadA(1, b); }), 4) << "device 1 is the second present";
    ASSERT_EQ(lib.Close(), 0);

    for (int i = 0; i < 40; ++i)
        usb.Add();
    EXPECT_EQ(lib.CountDevices(), 32);
}

TEST_F(Kiv406Test, ClosedDeviceStillMovesDataOnAConnectionOfItsOwn)
{
    FakeDevice& d = OpenOne();
    EXPECT_EQ(lib.CloseDevice(1), 0);
    EXPECT_EQ(lib.CloseDevice(0), 0);
    EXPECT_EQ(d.liveConnections, 0);
    d.Reply("OK\r\n");
    EXPECT_EQ(ReadInto([&](char* b) { return lib.ReadA(1, b); }), 4);
    EXPECT_EQ(d.opens, 2);
    EXPECT_EQ(d.liveConnections, 0);
    EXPECT_EQ(lib.Status(), 1);
}

TEST_F(Kiv406Test, TransfersFailCleanlyAfterCloseAndUnplug)
{
    FakeDevice& d = OpenOne();
    d.Unplug();
    EXPECT_EQ(ReadInto([&](char* b) { return lib.ReadA0(1, b); }), kUsbErrShortPacket);
    EXPECT_EQ(lib.WriteA(1, "STA3", 4), kUsbErrShortTextWrite);
    ASSERT_EQ(lib.Close(), 0);
    EXPECT_EQ(ReadInto([&](char* b) { return lib.ReadA(1, b); }), kUsbErrCannotOpen);
    EXPECT_EQ(buffer[0], kGuard);
    EXPECT_EQ(lib.ReadB(2, buffer.data(), 4), kUsbErrNoDevice);
    EXPECT_EQ(lib.ResetPipe(2, 0), kUsbErrBadPipeDevice);
}

struct WriteRow {
    const char* name;
    int32_t length;
    int32_t result;
};

TEST_F(Kiv406Test, WriteAFramesTheCommandInWholePackets)
{
    const std::string text(1100, 'C');
    const WriteRow rows[] = {
        {"empty command", 0, 64},
        {"62 bytes", 62, 64},
        {"63 bytes", 63, 128},
        {"longest command", Kiv406Library::kMaxCommandBytes, 1088},
        {"one byte too long", Kiv406Library::kMaxCommandBytes + 1, kUsbErrBadLength},
        {"negative length", -1, kUsbErrBadLength},
        {"the length -2", -2, kUsbErrBadLength},
    };
    FakeDevice& d = OpenOne();
    for (const WriteRow& row : rows) {
        SCOPED_TRACE(row.name);
        d.writes.clear();
        EXPECT_EQ(lib.WriteA(1, text.c_str(), row.length), row.result);
        if (row.result < 0) {
            EXPECT_TRUE(d.writes.empty());
            continue;
        }
        std::string expected = text.substr(0, static_cast<size_t>(row.length)) + "\r\n";
        expected.resize(static_cast<size_t>(row.result), ' ');
        ASSERT_EQ(d.writes.size(), 1u);
        EXPECT_EQ(d.Written(0), expected);
    }
    d.shortenNextWriteBy = 1;
    EXPECT_EQ(lib.WriteA(1, "STA3", 4), kUsbErrShortTextWrite);
}

TEST_F(Kiv406Test, WriteBEndsTheDataWithAZeroLengthTransfer)
{
    FakeDevice& d = OpenOne();
    EXPECT_EQ(lib.WriteB(1, "\x01\x02\x03", 3), 3);
    ASSERT_EQ(d.writes.size(), 2u);
    EXPECT_EQ(d.Written(0), "\x01\x02\x03");
    EXPECT_EQ(d.Written(1), "");
    EXPECT_EQ(lib.WriteB(1, "x", 0), kUsbErrBadLength);
    EXPECT_EQ(lib.WriteB(1, "x", -4), kUsbErrBadLength);
    d.shortenNextWriteBy = 1;
    EXPECT_EQ(lib.WriteB(1, "abc", 3), kUsbErrShortRawWrite);
}

struct ReadRow {
    const char* name;
    std::function<void(FakeDevice&)> script;
    bool reply;  // ReadAs, else ReadA
    int32_t result;
    std::string delivered;
};

TEST_F(Kiv406Test, LineAndReplyReads)
{
    const std::string x60(60, 'x');
    const ReadRow rows[] = {
        {"line in one packet", [](FakeDevice& d) { d.Reply("OK\r\n"); }, false, 4,
         std::string("OK\r\n\0", 5)},
        {"LF without CR does not end the line", [](FakeDevice& d) { d.Reply("\nA\nB\r\n"); }, false, 6,
         std::string("\nA\nB\r\n\0", 7)},
        {"CR and LF in two packets", [&](FakeDevice& d) { d.Raw(std::string(63, 'A') + "\r").Reply("\n"); },
         false, 65, std::string(63, 'A') + std::string("\r\n\0", 3)},
        {"short packet", [](FakeDevice& d) { d.Raw("OK\r\n"); }, false, kUsbErrShortPacket, ""},
        {"line time-out", [](FakeDevice& d) { d.Timeout(); }, false, kUsbErrShortPacket, ""},
        {"reply in one packet", [](FakeDevice& d) { d.Reply("OK\r\nEND\r\n"); }, true, 9,
         std::string("OK\r\nEND\r\n\0", 10)},
        {"END split over two packets", [&](FakeDevice& d) { d.Raw(x60 + "\r\nEN").Reply("D\r\n"); }, true,
         67, x60 + std::string("\r\nEND\r\n\0", 8)},
        {"END decides over ERR in the window", [](FakeDevice& d) { d.Reply("ERR1\r\nEND\r\n"); }, true,
         11, std::string("ERR1\r\nEND\r\n\0", 12)},
        {"ERR ends a reply without END", [](FakeDevice& d) { d.Reply("ERR 022\r\n"); }, true, 9,
         std::string("ERR 022\r\n\0", 10)},
        {"END behind an earlier padded packet", [](FakeDevice& d) { d.Reply("AB\r\n").Reply("END\r\n"); },
         true, 69, "AB\r\n" + std::string(60, '\0') + std::string("END\r\n\0", 6)},
        {"reply time-out", [](FakeDevice& d) { d.Reply("OK\r\n").Timeout(); }, true, kUsbErrReplyTimeout,
         ""},
    };
    for (const ReadRow& row : rows) {
        SCOPED_TRACE(row.name);
        FakeUsb local;
        Kiv406Library fresh(local.Factory(), [] { return std::vector<usbio::UsbId>{}; });
        FakeDevice& d = local.Add();
        row.script(d);
        ASSERT_EQ(fresh.CountDevices(), 1);
        const int32_t result = ReadInto([&](char* b) { return row.reply ? fresh.ReadAs(1, b) : fresh.ReadA(1, b); });
        EXPECT_EQ(result, row.result);
        if (result > 0) {
            EXPECT_EQ(std::string(buffer.data(), row.delivered.size()), row.delivered);
            if (!row.reply) {
                EXPECT_EQ(buffer[row.delivered.size()], kGuard) << "the rest of the packet is dropped";
            }
        }
    }
}

// A line read has no buffer size; a device that never ends its line must
// not write beyond kUsbTextReadLimit.
TEST_F(Kiv406Test, EndlessLineStopsAtTheLimit)
{
    FakeDevice& d = OpenOne();
    for (int i = 0; i <= kUsbTextReadLimit / 64; ++i)
        d.Raw(std::string(64, 'A'));
    std::vector<char> big(kUsbTextReadLimit + 256, kGuard);
    EXPECT_EQ(lib.ReadA(1, big.data()), kUsbErrShortPacket);
    EXPECT_EQ(big[kUsbTextReadLimit], kGuard);
    d.in.clear();
    for (int i = 0; i <= kUsbTextReadLimit / 64; ++i)
        d.Raw(std::string(64, 'B'));
    EXPECT_EQ(lib.ReadAs(1, big.data()), kUsbErrReplyTimeout);
    EXPECT_EQ(big[kUsbTextReadLimit], kGuard);
}

TEST_F(Kiv406Test, RawAndPacketReadsReportShortTransfers)
{
    FakeDevice& d = OpenOne();
    d.Raw("0123456789").Raw("0123").Timeout().Reply("OK\r\n").Raw("OK");
    char raw[16];
    EXPECT_EQ(lib.ReadB(1, raw, 10), 10);
    EXPECT_EQ(std::string(raw, 10), "0123456789");
    EXPECT_EQ(lib.ReadB(1, raw, 10), kUsbErrShortRead);
    EXPECT_EQ(lib.ReadB(1, raw, 10), kUsbErrShortRead);
    EXPECT_EQ(ReadInto([&](char* b) { return lib.ReadA0(1, b); }), 64);
    EXPECT_EQ(std::string(buffer.data(), 5), std::string("OK\r\n\0", 5));
    EXPECT_EQ(buffer[64], kGuard);
    EXPECT_EQ(ReadInto([&](char* b) { return lib.ReadA0(1, b); }), kUsbErrShortPacket);
}

TEST_F(Kiv406Test, TimeOutsDefaultTo300And10Seconds)
{
    EXPECT_EQ(lib.GetReadTimeout(), 300);
    EXPECT_EQ(lib.GetWriteTimeout(), 10);
    FakeDevice& d = OpenOne();
    d.Reply("OK\r\n").Reply("OK\r\n");
    EXPECT_EQ(ReadInto([&](char* b) { return lib.ReadA(1, b); }), 4);
    EXPECT_EQ(lib.SetReadTimeout(5), 5);
    EXPECT_EQ(lib.GetReadTimeout(), 5);
    EXPECT_EQ(ReadInto([&](char* b) { return lib.ReadA(1, b); }), 4);
    EXPECT_EQ(lib.WriteA(1, "X", 1), 64);
    EXPECT_EQ(d.readTimeouts, (std::vector<unsigned>{300000, 5000}));
    EXPECT_EQ(d.writeTimeouts, (std::vector<unsigned>{10000}));
}

} // namespace
