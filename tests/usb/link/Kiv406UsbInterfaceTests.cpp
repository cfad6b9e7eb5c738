#include "common/base/ZelException.h"
#include "framework/core/SharedLibrary.h"
#include "framework/core/StringTable.h"
#include "framework/core/testing/ServiceScope.h"
#include "instrument/Kiv406UsbInterface.h"
#include "tests/emulator/ControlUnit.h"
#include "tests/emulator/SimulatedUnit.h"
#include "tests/support/link/LinkTestSupport.h"
#include "tests/usb/library/UsbUnitServer.h"
#include "usb/backend/UsbBackend.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using usbtest::UsbUnitServer;

struct Library {
    const char* name;
    const char* file;
};

std::string PrintName(const ::testing::TestParamInfo<Library>& info)
{
    return info.param.name;
}

using kivtest::MessageOf;
using kivtest::RaisedBy;

bool IsMapped(const char* file)
{
    void* handle = ::dlopen(file, RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        return false;
    ::dlclose(handle);
    return true;
}

// A control unit that answers "STA3" with its serial number behind three
// characters, as the USB link reads it.
struct Unit {
    explicit Unit(int serial)
    {
        unit.AddCommand("STA3", [serial](const kivemu::Command&, kivemu::DeviceState&) {
            char text[16];
            std::snprintf(text, sizeof text, "SNO%05d", serial);
            return kivemu::Reply::Line(text);
        });
        unit.AddCommand("MUTE", [](const kivemu::Command&, kivemu::DeviceState&) { return kivemu::Reply::Silent(); });
        unit.AddCommand("TWO", [](const kivemu::Command&, kivemu::DeviceState&) {
            kivemu::Reply reply;
            reply.lines = {"A1", "B2"};
            return reply;
        });
        // An empty line alone in its packet, then "OK" in the next packet.
        unit.AddCommand("EMPTY", [](const kivemu::Command&, kivemu::DeviceState&) {
            std::vector<uint8_t> bytes(64, 0);
            bytes[0] = '\r';
            bytes[1] = '\n';
            for (char c : std::string("OK\r\n"))
                bytes.push_back(static_cast<uint8_t>(c));
            return kivemu::Reply::Block(bytes);
        });
        // A reply line longer than the link's reply, then "OK".
        unit.AddCommand("LONG", [](const kivemu::Command&, kivemu::DeviceState&) {
            kivemu::Reply reply;
            reply.lines = {std::string(2047 + 100, 'x'), "OK"};
            return reply;
        });
        server = std::make_unique<UsbUnitServer>(unit);
    }
    kivemu::ControlUnit unit;
    std::unique_ptr<UsbUnitServer> server;
};

class UsbLink : public ::testing::TestWithParam<Library> {
protected:
    void SetUp() override { CKiv406UsbInterface::SetLibraryFile(GetParam().file); }
    void TearDown() override
    {
        unsetenv(usbio::kLoopbackVariable);
        CKiv406UsbInterface::SetLibraryFile(CKiv406UsbInterface::kLibraryFile);
    }

    void Plug(std::initializer_list<Unit*> units)
    {
        std::string endpoints;
        for (Unit* u : units)
            endpoints += (endpoints.empty() ? "" : ",") + u->server->Endpoint();
        setenv(usbio::kLoopbackVariable, endpoints.c_str(), 1);
    }

    fw::test::ServiceScope services;
};

TEST_P(UsbLink, OpenAsksEveryDeviceForItsSerialAndSlotsFollowIt)
{
    Unit first(17);
    Unit second(42);
    Plug({&first, &second});
    CKiv406UsbInterface link;
    link.Open();
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(link.GetDeviceCount(), 2);
    EXPECT_EQ(CKiv406UsbInterface::SerialOfDevice(1), 17);
    EXPECT_EQ(CKiv406UsbInterface::SerialOfDevice(2), 42);
    EXPECT_EQ(first.unit.GetTranscript().Lines(), std::vector<std::string>{"STA3"});

    link.MapSlot(42, 0);
    link.MapSlot(0, 2);
    link.MapSlot(99, 1);
    EXPECT_EQ(link.IsUnitPresent(0), 2);
    EXPECT_EQ(link.IsUnitPresent(2), 3) << "serial 0 on slot 2 uses device 3";
    EXPECT_EQ(link.IsUnitPresent(1), 0);
    link.SendAndRead(0, "VER", "CR LF");
    EXPECT_EQ(link.GetReply(), "KIV-406 VER 2.2A");
    EXPECT_EQ(second.unit.GetTranscript().Lines(), (std::vector<std::string>{"STA3", "VER"}));
    link.Close();
}

TEST_P(UsbLink, LibraryIsLoadedOnceAndUnloadedWithTheLastReference)
{
    Unit unit(5);
    Plug({&unit});
    {
        CKiv406UsbInterface first;
        auto second = std::make_unique<CKiv406UsbInterface>();
        first.Open();
        first.Open();
        second->Open();
        EXPECT_EQ(CKiv406UsbInterface::LibraryReferences(), 2);
        first.Close();
        first.Close();
        EXPECT_TRUE(CKiv406UsbInterface::IsLibraryLoaded());
        EXPECT_EQ(CKiv406UsbInterface::LibraryReferences(), 1);
        second.reset();
        EXPECT_FALSE(CKiv406UsbInterface::IsLibraryLoaded());
        EXPECT_EQ(CKiv406UsbInterface::LibraryReferences(), 0);
    }
    EXPECT_FALSE(IsMapped(GetParam().file));
    EXPECT_EQ(CKiv406UsbInterface::LibraryReferences(), 0);
}

TEST_P(UsbLink, RepliesLinesAndBlocksCrossThePackets)
{
    Unit unit(5);
    Plug({&unit});
    CKiv406UsbInterface link;
    link.Open();
    link.MapSlot(0, 0);
    link.Send(0, "TWO", "CR LF");
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(link.GetReply(), "A1");
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(link.GetReply(), "B2");

    // An empty line is read once; its LF does not come back.
    link.Send(0, "EMPTY", "CR LF");
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(link.GetReply(), "");
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(link.GetReply(), "OK");

    link.Send(0, "BDT50", "CR LF");
    std::vector<uint8_t> block(100);
    EXPECT_EQ(link.ReadBlock(0, block, true), 100);
    for (size_t i = 0; i < block.size(); ++i)
        ASSERT_EQ(block[i], kivemu::DeviceState::PatternByte(i ^ 1)) << i;
    link.SendAndRead(0, "RNG?", "CR LF");
    EXPECT_EQ(link.GetReply(), "0");
    link.Close();
}

TEST_P(UsbLink, ShortReadRaisesTransferErrorAndSetsLinkError)
{
    Unit unit(5);
    Plug({&unit});
    CKiv406UsbInterface link;
    link.Open();
    link.MapSlot(0, 0);
    link.SetReplyTimeout(1);
    const CZelException e = RaisedBy([&] { link.SendAndRead(0, "MUTE", "CR LF"); });
    EXPECT_EQ(e.m_nErrorCode, CMeterInterface::kErrTransfer);
    EXPECT_EQ(MessageOf(e), fw::LoadStringText(CMeterInterface::kMsgCommFailure).view());
    EXPECT_EQ(link.GetStatus(), CMeterInterface::statusLinkError);
    link.Close();
}

TEST_P(UsbLink, ReopenedLibraryKeepsTheLinksReplyTimeout)
{
    Unit unit(5);
    Plug({&unit});
    CKiv406UsbInterface link;
    link.Open();
    link.MapSlot(0, 0);
    link.SetReplyTimeout(1);
    // The only reference goes, so the library is unloaded and loaded again.
    link.Reopen();
    ASSERT_TRUE(link.IsOpen());
    link.MapSlot(0, 0);
    const auto start = std::chrono::steady_clock::now();
    const CZelException e = RaisedBy([&] { link.SendAndRead(0, "MUTE", "CR LF"); });
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(e.m_nErrorCode, CMeterInterface::kErrTransfer);
    // The library's own default is 30 s.
    EXPECT_LT(waited, std::chrono::seconds(15));
    link.Close();
}

TEST_P(UsbLink, EachCommandGetsItsOwnReply)
{
    Unit unit(5);
    Plug({&unit});
    CKiv406UsbInterface link;
    link.Open();
    link.MapSlot(0, 0);

    // The rest of an overlong line goes with it; the next line is "OK".
    link.SendAndRead(0, "LONG", "CR LF");
    EXPECT_EQ(link.GetReply(), std::string(2047, 'x'));
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(link.GetReply(), "OK");

    // Lines nobody read are gone before the next command.
    link.Send(0, "TWO", "CR LF");
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(link.GetReply(), "A1");
    link.SendAndRead(0, "STA3", "CR LF");
    EXPECT_EQ(link.GetReply(), "SNO00005");

    // A reply that comes after its reader gave up, even after the next
    // command went out, answers nothing.
    link.SetReplyTimeout(1);
    unit.unit.GetFaults().DelayReply("TWO", 2500);
    EXPECT_EQ(RaisedBy([&] { link.SendAndRead(0, "TWO", "CR LF"); }).m_nErrorCode, CMeterInterface::kErrTransfer);
    link.ClearStatus();
    link.SetReplyTimeout(5);
    link.SendAndRead(0, "STA3", "CR LF");
    EXPECT_EQ(link.GetReply(), "SNO00005");
    link.Close();
}

TEST_P(UsbLink, ATimeOutGivenBeforeOpenReachesALoadedLibrary)
{
    Unit unit(5);
    Plug({&unit});
    CKiv406UsbInterface first;
    first.Open();  // loads the library with the 30 s default
    CKiv406UsbInterface link;
    link.SetReplyTimeout(1);
    link.Open();
    link.MapSlot(0, 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RaisedBy([&] { link.SendAndRead(0, "MUTE", "CR LF"); }).m_nErrorCode, CMeterInterface::kErrTransfer);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    link.Close();
    first.Close();
}

TEST_P(UsbLink, OpensOnTheUnitsKivsimServes)
{
    kivemu::ControlUnit first;
    kivemu::ControlUnit second;
    kivemu::SimulatedUnit a(first, 1);
    kivemu::SimulatedUnit b(second, 2);
    UsbUnitServer serveFirst(first);
    UsbUnitServer serveSecond(second);
    setenv(usbio::kLoopbackVariable, (serveFirst.Endpoint() + "," + serveSecond.Endpoint()).c_str(), 1);
    CKiv406UsbInterface link;
    link.Open();
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(CKiv406UsbInterface::SerialOfDevice(1), 1);
    EXPECT_EQ(CKiv406UsbInterface::SerialOfDevice(2), 2);
    link.MapSlot(2, 0);
    EXPECT_EQ(link.IsUnitPresent(0), 2);
    link.SendAndRead(0, "STA2", "CR LF");
    EXPECT_EQ(link.GetReply().Left(15), "KIV-417,KIV-437");
    link.Close();
}

TEST_P(UsbLink, NoDeviceRaisesInstrumentNotFound)
{
    setenv(usbio::kLoopbackVariable, "127.0.0.1:1", 1);
    CKiv406UsbInterface link;
    const CZelException e = RaisedBy([&] { link.Open(); });
    EXPECT_EQ(e.m_nErrorCode, CMeterInterface::kErrSocket);
    EXPECT_EQ(MessageOf(e), fw::LoadStringText(CKiv406UsbInterface::kMsgNoInstrument).view());
    EXPECT_FALSE(link.IsOpen());
    link.Close();
    EXPECT_FALSE(CKiv406UsbInterface::IsLibraryLoaded());
}

INSTANTIATE_TEST_SUITE_P(Libraries, UsbLink,
                         ::testing::Values(Library{"kiv406", KIV_KIV406_FILE}, Library{"ZELUSB", KIV_ZELUSB_FILE}),
                         PrintName);

// A library that cannot be found, or that lacks one of the functions, is
// reported with code 12 and never called.
TEST(UsbLinkLibrary, MissingLibraryOrFunctionIsCode12)
{
    fw::test::ServiceScope services;
    for (const char* file : {"/nonexistent/libkiv406.so", "libz.so.1"}) {
        SCOPED_TRACE(file);
        CKiv406UsbInterface::SetLibraryFile(file);
        CKiv406UsbInterface link;
        const CZelException e = RaisedBy([&] { link.Open(); });
        EXPECT_EQ(e.m_nErrorCode, CMeterInterface::statusLibraryMissing);
        EXPECT_NE(MessageOf(e).find("kiv406"), std::string::npos);
        EXPECT_EQ(link.GetStatus(), CMeterInterface::statusLibraryMissing);
        EXPECT_FALSE(link.IsOpen());
        EXPECT_FALSE(CKiv406UsbInterface::IsLibraryLoaded());
        EXPECT_EQ(RaisedBy([&] { link.Send(0, "VER", "CR LF"); }).m_nErrorCode,
                  CMeterInterface::statusLibraryMissing);
    }
    CKiv406UsbInterface::SetLibraryFile(CKiv406UsbInterface::kLibraryFile);
}

TEST(UsbLinkLibrary, NewLinkIsAClosedUsbLinkWithoutDevices)
{
    std::unique_ptr<fw::CObject> object(FW_RUNTIME_CLASS(CKiv406UsbInterface)->CreateObject());
    auto* link = dynamic_cast<CKiv406UsbInterface*>(object.get());
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->GetKind(), CMeterInterface::kindUsb);
    EXPECT_FALSE(link->GetLinkFlag());
    EXPECT_FALSE(link->IsOpen());
    EXPECT_EQ(link->GetStatus(), CMeterInterface::statusOk);
    EXPECT_EQ(link->GetReply(), "ini");
    EXPECT_EQ(link->GetReplyTimeout(), 30.0);
    EXPECT_EQ(CKiv406UsbInterface::LibraryReferences(), 0);
}

TEST(UsbLinkLibrary, SharedLibraryLooksInTheProgramFolderFirst)
{
    fw::SharedLibrary library;
    EXPECT_FALSE(library.Load("libkiv406-not-there.so"));
    EXPECT_FALSE(library.Error().IsEmpty());
    ASSERT_TRUE(library.Load(KIV_KIV406_FILE));
    EXPECT_NE(library.Symbol("Kiv406CountDevices"), nullptr);
    EXPECT_EQ(library.Symbol("Kiv406GetDeviceCounts"), nullptr);
    library.Unload();
    EXPECT_FALSE(IsMapped(KIV_KIV406_FILE));
    EXPECT_FALSE(fw::SharedLibrary::ProgramFolder().IsEmpty());
}

} // namespace
