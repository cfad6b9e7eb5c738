#include "tests/usb/FakeUsb.h"
#include "usb/UsbTransport.h"
#include "usb/zelusb/ZelUsbLibrary.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using usbtest::FakeDevice;
using usbtest::FakeUsb;
using zelusb::LineOptions;
using zelusb::ReplyOptions;
using zelusb::ZelUsbLibrary;

constexpr char kGuard = '#';
constexpr LineOptions kKeep{false, true};
constexpr LineOptions kCut{false, false};
constexpr LineOptions kLengthLine{true, true};
constexpr ReplyOptions kPlain{false, false};
constexpr ReplyOptions kLengthReply{true, true};

std::string Framed(const std::string& text)
{
    std::string block = text + "\r\n";
    block.resize((block.size() + 63) / 64 * 64, ' ');
    return block;
}

class ZelUsbTest : public ::testing::Test {
protected:
    FakeDevice& OpenOne()
    {
        FakeDevice& d = usb.Add();
        EXPECT_EQ(lib.CountDevices(), 1);
        return d;
    }

    FakeUsb usb;
    zelusb::Settings settings;
    ZelUsbLibrary lib{usb.Factory(), [this] { return settings; }};
};

TEST_F(ZelUsbTest, DeviceListOpensAndClosesOnce)
{
    EXPECT_EQ(lib.CountDevices(), kUsbErrNoDevice);
    EXPECT_EQ(lib.Status(), 0);
    EXPECT_EQ(usb.backendsAlive, 0);

    usb.Add();
    usb.Add();
    EXPECT_EQ(lib.CountDevices(), 2);
    EXPECT_EQ(lib.Status(), 1);
    EXPECT_EQ(lib.GetDeviceCounts(), 2);
    EXPECT_EQ(lib.CountDevices(), kUsbErrAlreadyOpen);
    EXPECT_EQ(lib.Close(), 0);
    EXPECT_EQ(lib.Status(), 0);
    EXPECT_EQ(lib.GetDeviceCounts(), 0);
    EXPECT_EQ(usb.backendsAlive, 0);
    EXPECT_EQ(lib.Close(), kUsbErrNotOpen);
    EXPECT_EQ(lib.CountDevices(), 2);
}

TEST_F(ZelUsbTest, CountsConfiguredIdsAndAtMost128Devices)
{
    settings.ids = {{0x1234, 0xABCD}};
    for (int i = 0; i < 130; ++i)
        usb.Add();
    EXPECT_EQ(lib.CountDevices(), 128);
    EXPECT_EQ(usb.lastIds, settings.ids);
    EXPECT_EQ(lib.InterfaceClass(), ZelUsbLibrary::kDefaultInterfaceClass);
}

// Every transfer of a device number outside 1..count is refused before any
// device is touched.
TEST_F(ZelUsbTest, BadDeviceNumbersAreRefused)
{
    FakeDevice& d = OpenOne();
    char buffer[256] = {};
    for (int32_t device : {0, 2, -1}) {
        SCOPED_TRACE(device);
        int32_t length = 77;
        EXPECT_EQ(lib.ZelReadLine(device, buffer, nullptr, kKeep), kUsbErrNoDevice);
        EXPECT_EQ(lib.ZelReadReply(device, buffer, nullptr, kPlain), kUsbErrNoDevice);
        EXPECT_EQ(lib.ZelReadPacket(device, buffer, &length, true), kUsbErrNoDevice);
        EXPECT_EQ(length, 77);
        EXPECT_EQ(lib.ReadB(device, buffer, 8), kUsbErrNoDevice);
        EXPECT_EQ(lib.WriteA(device, "STA", 3), kUsbErrNoDevice);
        EXPECT_EQ(lib.WriteB(device, "STA", 3), kUsbErrNoDevice);
        EXPECT_EQ(lib.ResetPipe(device, 0), kUsbErrBadPipeDevice);
        EXPECT_EQ(lib.GetDeviceDescriptor(device, reinterpret_cast<unsigned char*>(buffer)), 0);
    }
    EXPECT_EQ(lib.ResetPipe(1, 0), 0);
    EXPECT_EQ(d.opens, 0);
}

TEST_F(ZelUsbTest, ClosedListOrUnpluggedDeviceCannotBeOpened)
{
    FakeDevice& d = OpenOne();
    char buffer[64];
    d.unplugged = true;
    EXPECT_EQ(lib.ZelReadLine(1, buffer, nullptr, kKeep), kUsbErrCannotOpen);
    EXPECT_EQ(lib.WriteA(1, "STA", 3), kUsbErrCannotOpen);
    d.unplugged = false;
    ASSERT_EQ(lib.Close(), 0);
    EXPECT_EQ(lib.ReadB(1, buffer, 8), kUsbErrCannotOpen);
    EXPECT_EQ(lib.ZelReadReply(1, buffer, nullptr, kPlain), kUsbErrCannotOpen);
    EXPECT_EQ(lib.GetConfigDescriptor(1, reinterpret_cast<unsigned char*>(buffer)), 0);
}

TEST_F(ZelUsbTest, UnplugDuringALineReadFailsTheRead)
{
    FakeDevice& d = OpenOne();
    d.Raw(std::string(64, 'A')).Unplug();
    char buffer[256];
    EXPECT_EQ(lib.ZelReadLine(1, buffer, nullptr, kKeep), kUsbErrShortPacket);
    EXPECT_EQ(lib.ZelReadLine(1, buffer, nullptr, kKeep), kUsbErrCannotOpen);
    EXPECT_EQ(d.liveConnections, 0);
}

struct WriteRow {
    const char* name;
    int32_t length;
    int shortenBy;
    int32_t result;
    bool sends;
};

TEST_F(ZelUsbTest, WriteAFramesTheCommandInWholePackets)
{
    const std::string text(200, 'C');
    const WriteRow rows[] = {
        {"62 bytes fill one packet", 62, 0, 64, true},
        {"63 bytes need a second packet", 63, 0, 128, true},
        {"one byte", 1, 0, 64, true},
        {"zero length", 0, 0, kUsbErrBadLength, false},
        {"negative length", -5, 0, kUsbErrBadLength, false},
        {"short write", 10, 1, kUsbErrShortTextWrite, true},
    };
    FakeDevice& d = OpenOne();
    for (const WriteRow& row : rows) {
        SCOPED_TRACE(row.name);
        d.writes.clear();
        d.shortenNextWriteBy = row.shortenBy;
        EXPECT_EQ(lib.WriteA(1, text.c_str(), row.length), row.result);
        ASSERT_EQ(d.writes.size(), row.sends ? 1u : 0u);
        if (row.sends && row.shortenBy == 0) {
            EXPECT_EQ(d.Written(0), Framed(text.substr(0, static_cast<size_t>(row.length))));
        }
    }
    EXPECT_EQ(lib.WriteA(1, nullptr, 5), 0);
    EXPECT_EQ(d.liveConnections, 0);
}

TEST_F(ZelUsbTest, WriteBSendsTheBytesInOneTransfer)
{
    FakeDevice& d = OpenOne();
    const std::string data("\x01\x00\x02\xFF", 4);
    EXPECT_EQ(lib.WriteB(1, data.data(), 4), 4);
    ASSERT_EQ(d.writes.size(), 1u);
    EXPECT_EQ(d.Written(0), data);
    d.shortenNextWriteBy = 1;
    EXPECT_EQ(lib.WriteB(1, data.data(), 4), kUsbErrShortRawWrite);
    EXPECT_EQ(lib.WriteB(1, data.data(), 0), kUsbErrBadLength);
    EXPECT_EQ(lib.WriteB(1, nullptr, 4), 0);
}

TEST_F(ZelUsbTest, ReadBReportsOnlyTheWholeLength)
{
    FakeDevice& d = OpenOne();
    d.Raw("0123456789").Raw("01234").Timeout();
    char buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), kGuard);
    EXPECT_EQ(lib.ReadB(1, buffer, 10), 10);
    EXPECT_EQ(std::string(buffer, 11), "0123456789#");
    EXPECT_EQ(lib.ReadB(1, buffer, 10), kUsbErrShortRead);
    EXPECT_EQ(lib.ReadB(1, buffer, 10), kUsbErrShortRead);
    // The transfer never asks for more than the caller's length.
    EXPECT_EQ(d.readSizes, (std::vector<size_t>{10, 10, 10}));
    EXPECT_EQ(lib.ReadB(1, nullptr, 10), 0);
}

struct TextReadRow {
    const char* name;
    std::function<void(FakeDevice&)> script;
    std::function<int32_t(ZelUsbLibrary&, char*, int32_t*)> read;
    int32_t lengthIn;  // -1: the two-argument form
    int32_t result;
    int32_t lengthOut;
    std::string delivered;  // bytes written to the caller's buffer
};

void CheckTextRead(const TextReadRow& row)
{
    SCOPED_TRACE(row.name);
    FakeUsb usb;
    ZelUsbLibrary lib(usb.Factory(), [] { return zelusb::Settings{}; });
    FakeDevice& d = usb.Add();
    row.script(d);
    ASSERT_EQ(lib.CountDevices(), 1);
    std::vector<char> buffer(512, kGuard);
    int32_t length = row.lengthIn;
    const int32_t result = row.read(lib, buffer.data(), row.lengthIn < 0 ? nullptr : &length);
    EXPECT_EQ(result, row.result);
    if (row.lengthIn >= 0) {
        EXPECT_EQ(length, row.lengthOut);
    }
    EXPECT_EQ(std::string(buffer.data(), row.delivered.size()), row.delivered);
    EXPECT_EQ(buffer[row.delivered.size()], kGuard) << "wrote past the delivered bytes";
    EXPECT_EQ(d.opens, 1) << "one device connection per read";
    EXPECT_EQ(d.liveConnections, 0);
}

auto Line(LineOptions options)
{
    return [options](ZelUsbLibrary& lib, char* b, int32_t* n) { return lib.ZelReadLine(1, b, n, options); };
}
auto Reply(ReplyOptions options)
{
    return [options](ZelUsbLibrary& lib, char* b, int32_t* n) { return lib.ZelReadReply(1, b, n, options); };
}
auto Packet(bool nulToBlank)
{
    return [nulToBlank](ZelUsbLibrary& lib, char* b, int32_t* n) { return lib.ZelReadPacket(1, b, n, nulToBlank); };
}
auto Replies(std::vector<std::string> texts)
{
    return [texts](FakeDevice& d) {
        for (const std::string& t : texts)
            d.Reply(t);
    };
}
auto Raws(std::vector<std::string> packets)
{
    return [packets](FakeDevice& d) {
        for (const std::string& p : packets)
            d.Raw(p);
    };
}

std::string Padded64(const std::string& text)
{
    const std::vector<uint8_t> bytes = usbtest::Padded(text);
    return std::string(bytes.begin(), bytes.end());
}

std::string WithNul(const std::string& text)
{
    return text + std::string(1, '\0');
}

TEST(ZelUsbTextReads, LinesEndAtTheirTerminatorWithinTheCallersBound)
{
    const std::string a63(63, 'A');
    const TextReadRow rows[] = {
        {"kept CR LF", Replies({"ABCD\r\n"}), Line(kKeep), -1, 6, 0, WithNul("ABCD\r\n")},
        {"cut CR LF", Replies({"ABCD\r\n"}), Line(kCut), -1, 4, 0, WithNul("ABCD")},
        {"CR and LF in two packets", Raws({a63 + "\r", std::string("\n") + std::string(63, '\0')}),
         Line(kKeep), -1, 65, 0, WithNul(a63 + "\r\n")},
        {"short packet", Raws({"AB\r\n"}), Line(kKeep), -1, kUsbErrShortPacket, 0, ""},
        {"time-out", [](FakeDevice& d) { d.Timeout(); }, Line(kKeep), -1, kUsbErrShortPacket, 0, ""},
        {"three-byte terminator skips a bare CR LF", Replies({"AB\r\nCD\r\n"}), Line(kLengthLine), 100,
         1, 8, WithNul("AB\r\nCD\r\n")},
        {"bound reached without terminator", Raws({std::string(64, 'A')}), Line(kLengthLine), 64, 0,
         64, std::string(64, 'A')},
        {"terminator ending at the bound", Replies({"ABCDEFGHIJKL\r\n"}), Line(kLengthLine), 14, 1,
         14, "ABCDEFGHIJKL\r\n"},
        {"terminator beyond the bound", Replies({"ABCDEFGHIJKL\r\n"}), Line(kLengthLine), 10, 0, 10,
         "ABCDEFGHIJ"},
    };
    for (const TextReadRow& row : rows)
        CheckTextRead(row);
}

TEST(ZelUsbTextReads, RepliesEndAtTheLineOfTheirLastMarker)
{
    const TextReadRow rows[] = {
        {"two-letter line and END in one packet", Replies({"OK\r\nEND\r\n"}), Reply(kPlain), -1, 9,
         0, WithNul("OK\r\nEND\r\n")},
        {"ERR- before END: END counts", Replies({"ERR-1\r\nX\r\nEND\r\nZZ\r\n"}), Reply(kPlain), -1,
         15, 0, WithNul("ERR-1\r\nX\r\nEND\r\n")},
        {"END before ERR-: ERR- counts", Replies({"END?\r\nERR-5\r\nZZ\r\n"}), Reply(kPlain), -1, 13,
         0, WithNul("END?\r\nERR-5\r\n")},
        {"END split over two packets", Raws({std::string(62, 'x') + "EN", Padded64("D\r\n")}),
         Reply(kPlain), -1, 67, 0, WithNul(std::string(62, 'x') + "END\r\n")},
        {"padding of an earlier packet stays", Replies({"AB\r\n", "END\r\n"}), Reply(kPlain), -1, 69,
         0, WithNul("AB\r\n" + std::string(60, '\0') + "END\r\n")},
        {"line scanning drops the padding", Replies({"AB\r\n", "END\r\n"}), Reply(kLengthReply), 500,
         1, 9, WithNul("AB\r\nEND\r\n")},
        {"error reply with length", Replies({"ERR-022\r\n"}), Reply(kLengthReply), 500, 2, 9,
         WithNul("ERR-022\r\n")},
        {"complete reply beyond the bound", Replies({"OK\r\nEND\r\n"}), Reply(kLengthReply), 5, 0, 5,
         "OK\r\nE"},
        {"time-out", [](FakeDevice& d) { d.Reply("OK\r\n").Timeout(); }, Reply(kPlain), -1,
         kUsbErrShortPacket, 0, ""},
    };
    for (const TextReadRow& row : rows)
        CheckTextRead(row);
}

TEST(ZelUsbTextReads, PacketsAreDeliveredWhole)
{
    const std::string packet = "OK\r\n" + std::string(60, '\0');
    const TextReadRow rows[] = {
        {"two-argument packet", Replies({"OK\r\n"}), Packet(false), -1, 64, 0, packet},
        {"NULs to blanks", Replies({"OK\r\n"}), Packet(true), 64, 0, 64, "OK\r\n" + std::string(60, ' ')},
        {"bounded by the length", Replies({"OK\r\n"}), Packet(true), 3, 0, 3, "OK\r"},
        {"short packet", Raws({"OK\r\n"}), Packet(true), 64, kUsbErrShortPacket, kUsbErrShortPacket, ""},
    };
    for (const TextReadRow& row : rows)
        CheckTextRead(row);
}

// Without a length the library bounds a line by kUsbTextReadLimit and
// reports a longer one as failed instead of handing over an unterminated text.
TEST_F(ZelUsbTest, TwoArgumentLineLongerThanTheLimitFails)
{
    FakeDevice& d = OpenOne();
    for (int i = 0; i < kUsbTextReadLimit / 64; ++i)
        d.Raw(std::string(64, 'A'));
    d.Reply("\r\n");
    std::vector<char> buffer(kUsbTextReadLimit + 64, kGuard);
    EXPECT_EQ(lib.ZelReadLine(1, buffer.data(), nullptr, kKeep), kUsbErrShortPacket);
    EXPECT_EQ(buffer[0], kGuard);
    EXPECT_EQ(d.in.size(), 1u) << "reading stops at the limit";
}

TEST_F(ZelUsbTest, TimeOutsAreSetInSecondsAndBoundEachTransfer)
{
    EXPECT_EQ(lib.GetReadTimeout(), 1);
    EXPECT_EQ(lib.GetWriteTimeout(), 1);
    FakeDevice& d = OpenOne();
    d.Reply("OK\r\nEND\r\n");
    char buffer[128];
    EXPECT_EQ(lib.SetReadTimeout(5), 5);
    EXPECT_EQ(lib.GetReadTimeout(), 5);
    EXPECT_EQ(lib.SetWriteTimeout(7), 7);
    EXPECT_EQ(lib.ZelReadReply(1, buffer, nullptr, kPlain), 9);
    EXPECT_EQ(lib.WriteA(1, "STA3", 4), 64);
    EXPECT_EQ(d.readTimeouts, (std::vector<unsigned>{5000}));
    EXPECT_EQ(d.writeTimeouts, (std::vector<unsigned>{7000}));
}

TEST_F(ZelUsbTest, DescriptorsFillOnlyTheirOwnLength)
{
    OpenOne();
    unsigned char buffer[32];
    std::fill(std::begin(buffer), std::end(buffer), 0xEE);
    EXPECT_NE(lib.GetDeviceDescriptor(1, buffer), 0);
    EXPECT_EQ(buffer[0], 18);
    EXPECT_EQ(buffer[1], 1);
    EXPECT_EQ(buffer[18], 0xEE);
    EXPECT_NE(lib.GetConfigDescriptor(1, buffer), 0);
    EXPECT_EQ(buffer[0], 9);
    EXPECT_EQ(buffer[1], 2);
    EXPECT_EQ(lib.GetConfigDescriptor(1, nullptr), 0);
}

// The process's instance reads the settings file beside its own file; with
// no file there, no device ids are configured and libusb finds nothing.
TEST(ZelUsbSettings, WithoutSettingsFileNoDeviceIsFound)
{
    unsetenv(usbio::kLoopbackVariable);
    zelusb::ZelUsbLibrary& lib = zelusb::TheZelUsbLibrary();
    EXPECT_EQ(lib.CountDevices(), kUsbErrNoDevice);
    EXPECT_EQ(lib.InterfaceClass(), ZelUsbLibrary::kDefaultInterfaceClass);
}
