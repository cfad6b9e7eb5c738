#include "tests/usb/library/TransportLibrary.h"
#include "usb/backend/UsbBackend.h"

#include <gtest/gtest.h>

#ifdef KIV_HAVE_EMULATOR

#include "tests/emulator/Emulator.h"
#include "tests/usb/library/UsbUnitServer.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using usbtest::TransportLibrary;
using usbtest::UsbUnitServer;

struct Library {
    const char* name;
    const char* file;
};

std::string PrintName(const ::testing::TestParamInfo<Library>& info)
{
    return info.param.name;
}

// The program's exchange through a loaded library, against emulated
// control units whose traffic the loopback backend carries.
class EndToEnd : public ::testing::TestWithParam<Library> {
protected:
    void TearDown() override { unsetenv(usbio::kLoopbackVariable); }

    // Loads the library with one device per endpoint and opens its list.
    std::unique_ptr<TransportLibrary> Open(const std::string& endpoints, int expectedDevices)
    {
        setenv(usbio::kLoopbackVariable, endpoints.c_str(), 1);
        auto lib = std::make_unique<TransportLibrary>(GetParam().file);
        EXPECT_TRUE(lib->Loaded());
        EXPECT_EQ(lib->CountDevices(), expectedDevices);
        return lib;
    }

    // One command and its reply line, as the program's link runs it.
    std::string Exchange(TransportLibrary& lib, int device, const std::string& command)
    {
        const int32_t sent = lib.WriteA(device, command.c_str(), static_cast<int32_t>(command.size()));
        EXPECT_EQ(sent, static_cast<int32_t>((command.size() + 2 + 63) / 64 * 64));
        // A line read has no size argument; the library's bound is the size.
        std::vector<char> reply(kUsbTextReadLimit);
        const int32_t n = lib.ReadA(device, reply.data());
        EXPECT_GT(n, 0) << command;
        return n > 0 ? std::string(reply.data(), static_cast<size_t>(n)) : std::string();
    }

    // Reads a block of `length` bytes as the program does: whole packets
    // first, then one packet of which only the front is used.
    std::vector<uint8_t> ReadBlock(TransportLibrary& lib, int device, size_t length)
    {
        std::vector<uint8_t> block(length);
        const size_t whole = length / 64 * 64;
        if (whole > 0) {
            EXPECT_EQ(lib.ReadB(device, block.data(), static_cast<int32_t>(whole)), static_cast<int32_t>(whole));
        }
        if (whole < length) {
            uint8_t packet[64];
            EXPECT_EQ(lib.ReadB(device, packet, 64), 64);
            std::memcpy(block.data() + whole, packet, length - whole);
        }
        return block;
    }

    static std::vector<uint8_t> Pattern(uint64_t from, size_t count)
    {
        std::vector<uint8_t> bytes(count);
        for (size_t i = 0; i < count; ++i)
            bytes[i] = kivemu::DeviceState::PatternByte(from + i);
        return bytes;
    }
};

TEST_P(EndToEnd, CommandsRepliesAndBlocksOverTheUsbFraming)
{
    kivemu::ControlUnit unit;
    UsbUnitServer server(unit);
    auto lib = Open(server.Endpoint(), 1);

    EXPECT_EQ(Exchange(*lib, 1, "VER"), "KIV-406 VER 2.2A\r\n");
    EXPECT_EQ(Exchange(*lib, 1, "RNG1000"), "OK\r\n");
    EXPECT_EQ(Exchange(*lib, 1, "RNG?"), "1000\r\n");
    ASSERT_EQ(lib->WriteA(1, "BDT50", 5), 64);
    EXPECT_EQ(ReadBlock(*lib, 1, 100), Pattern(0, 100));
    EXPECT_EQ(unit.GetTranscript().Lines(), (std::vector<std::string>{"VER", "RNG1000", "RNG?", "BDT50"}));
    EXPECT_EQ(lib->Close(), 0);
}

TEST_P(EndToEnd, ReplyReadEndsAtTheEndLine)
{
    kivemu::ControlUnit unit;
    unit.AddCommand("LST", [](const kivemu::Command&, kivemu::DeviceState&) {
        kivemu::Reply reply;
        reply.lines = {"A.DAT", std::string(70, 'B'), "END"};
        return reply;
    });
    UsbUnitServer server(unit);
    auto lib = Open(server.Endpoint(), 1);
    ASSERT_EQ(lib->WriteA(1, "LST", 3), 64);
    std::vector<char> reply(kUsbTextReadLimit);
    const std::string expected = "A.DAT\r\n" + std::string(70, 'B') + "\r\nEND\r\n";
    ASSERT_EQ(lib->ReadAs(1, reply.data()), static_cast<int32_t>(expected.size()));
    EXPECT_EQ(std::string(reply.data(), expected.size() + 1), expected + '\0');
    EXPECT_EQ(lib->Close(), 0);
}

TEST_P(EndToEnd, EachUnitIsItsOwnDevice)
{
    kivemu::ControlUnit first;
    kivemu::ControlUnit second;
    second.WithState([](kivemu::DeviceState& s) { s.unitAddress = 7; });
    UsbUnitServer a(first);
    UsbUnitServer b(second);
    auto lib = Open(a.Endpoint() + "," + b.Endpoint(), 2);
    EXPECT_EQ(Exchange(*lib, 2, "STA3"), "SN:0007\r\n");
    EXPECT_EQ(Exchange(*lib, 1, "STA3"), "SN:0001\r\n");
    EXPECT_EQ(lib->WriteA(3, "STA3", 4), kUsbErrNoDevice);
    EXPECT_EQ(lib->Close(), 0);
}

// The plain LAN-form server of the emulator sends unpadded replies; the
// loopback backend pads them as the unit's USB side would.
TEST_P(EndToEnd, PlainEmulatorServerWorksThroughTheLoopback)
{
    kivemu::Emulator emulator;
    emulator.AddUnit();
    auto lib = Open("127.0.0.1:" + std::to_string(emulator.Port(0)), 1);
    EXPECT_EQ(Exchange(*lib, 1, "STA1"), "1,0\r\n");
    ASSERT_EQ(lib->WriteA(1, "BDT50", 5), 64);
    EXPECT_EQ(ReadBlock(*lib, 1, 100), Pattern(0, 100));
    EXPECT_EQ(lib->Close(), 0);
}

TEST_P(EndToEnd, SilenceAndUnplugAreReportedNotReturnedAsData)
{
    kivemu::ControlUnit unit;
    unit.AddCommand("MUTE", [](const kivemu::Command&, kivemu::DeviceState&) { return kivemu::Reply::Silent(); });
    UsbUnitServer server(unit);
    auto lib = Open(server.Endpoint(), 1);
    EXPECT_EQ(lib->SetReadTimeout(1), 1);
    ASSERT_EQ(lib->WriteA(1, "MUTE", 4), 64);
    char reply[256];
    EXPECT_EQ(lib->ReadA(1, reply), kUsbErrShortPacket);
    uint8_t block[64];
    EXPECT_EQ(lib->ReadB(1, block, 64), kUsbErrShortRead);

    server.Unplug();
    EXPECT_LT(lib->ReadA(1, reply), 0);
    EXPECT_LT(lib->WriteA(1, "VER", 3), 0);
    EXPECT_EQ(lib->Close(), 0);
}

INSTANTIATE_TEST_SUITE_P(Libraries, EndToEnd,
                         ::testing::Values(Library{"kiv406", KIV_KIV406_FILE}, Library{"ZELUSB", KIV_ZELUSB_FILE}),
                         PrintName);

} // namespace

#else

TEST(EndToEnd, NeedsTheEmulator)
{
    GTEST_SKIP() << "the control-unit emulator (tests/emulator) is not part of this build";
}

#endif
