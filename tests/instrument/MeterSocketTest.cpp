#include "instrument/MeterSocket.h"

#include "framework/core/TcpSocket.h"
#include "tests/support/link/LinkFixture.h"
#include "tests/support/link/LinkTestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

using namespace std::chrono_literals;
using kivtest::MessageOf;
using kivtest::RaisedBy;
using kivtest::Text;

namespace {

using LinkTest = kivtest::LinkFixture;
using TwoUnitLinkTest = kivtest::TwoUnitLinkFixture;

kivemu::Handler ReplyLines(std::vector<std::string> lines)
{
    return [lines](const kivemu::Command&, kivemu::DeviceState&) {
        kivemu::Reply r;
        r.lines = lines;
        return r;
    };
}

kivemu::Handler RawBytes(std::string bytes)
{
    return [bytes](const kivemu::Command&, kivemu::DeviceState&) {
        return kivemu::Reply::Block(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    };
}

TEST_F(LinkTest, DelimiterCrLfOrCrEndsTheCommandLine)
{
    struct Row {
        const char* name;
        const char* delimiter;
        const char* wire;
    };
    const Row rows[] = {
        {"crlf", "CR LF", "RES\r\n"},
        {"cr", "CR", "RES\r"},
        {"empty_text_gives_cr", "", "RES\r"},
        {"other_text_gives_cr", "LF", "RES\r"},
    };
    size_t answered = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Unit().ClearReceivedBytes();
        link.SendAndRead(0, "RES", row.delimiter);
        WaitAnswered(++answered);
        EXPECT_EQ(Unit().ReceivedBytes(), row.wire);
        EXPECT_EQ(link.GetReply(), "OK");
    }
}

TEST_F(LinkTest, ExchangesGiveTheUnitsReplyInOrder)
{
    link.SendAndRead(0, "VER", "CR LF");
    EXPECT_EQ(link.GetReply(), "KIV-406 VER 2.2A");
    link.SendAndRead(0, "RES", "CR LF");
    link.SendAndRead(0, "SET1;4", "CR LF");
    link.SendAndRead(0, "RNG1000", "CR LF");
    link.SendAndRead(0, "RNG?", "CR LF");
    EXPECT_EQ(link.GetReply(), "1000");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"VER", "RES", "SET1;4", "RNG1000", "RNG?"}));
    EXPECT_TRUE(link.IsOk());
    EXPECT_TRUE(link.IsOpen());
}

TEST_F(LinkTest, ReplyLineFraming)
{
    struct Row {
        const char* name;
        std::string wire;        // what the unit sends for "Q"
        size_t splitAt;          // > 0: sent in two chunks
        std::vector<std::string> lines;  // successive ReadLine results
    };
    const std::vector<Row> rows = {
        {"line_end_in_second_chunk", "OK\r\n", 2, {"OK"}},
        {"empty_line_before_reply_skipped", "\r\nOK\r\n", 0, {"OK"}},
        {"lone_line_end_is_an_empty_reply", "\r\n", 0, {""}},
        {"lf_alone_ends_a_line", "A\nB\n", 0, {"A", "B"}},
        {"cr_inside_a_line_dropped", "A\rB\r\n", 0, {"AB"}},
        // The empty line's LF is consumed, so the next read finds the
        // following line instead of the same empty line forever.
        {"empty_reply_consumes_its_line_end", "\r\nNEXT\r\n", 2, {"", "NEXT"}},
    };
    // A pause between the chunks must not pass for a silent unit, however
    // late the emulator's thread gets to send the second one.
    link.SetReplyTimeout(10);
    size_t answered = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Unit().AddCommand("Q", RawBytes(row.wire));
        if (row.splitAt > 0)
            Unit().GetFaults().SplitReply("Q", row.splitAt, 200);
        link.Send(0, "Q", "CR LF");
        for (const std::string& expected : row.lines) {
            link.ReadLine(0, "CR LF");
            EXPECT_EQ(link.GetReply(), expected);
        }
        WaitAnswered(++answered);
    }
}

TEST_F(LinkTest, LongReplyIsCutAt2047AndTheRestReadNext)
{
    const std::string longLine(2047 + 10, 'x');
    Unit().AddCommand("LONG", ReplyLines({longLine}));
    link.SendAndRead(0, "LONG", "CR LF");
    EXPECT_EQ(link.GetReply().GetLength(), 2047);
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(link.GetReply(), std::string(10, 'x'));
}

TEST_F(LinkTest, SilentUnitTimesOutWith10001AndStatus4)
{
    Unit().AddCommand("MUTE", [](const kivemu::Command&, kivemu::DeviceState&) { return kivemu::Reply::Silent(); });
    const auto start = std::chrono::steady_clock::now();
    const CZelException e = RaisedBy([&] { link.SendAndRead(0, "MUTE", "CR LF"); });
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(e.m_nErrorCode, 10001);
    EXPECT_EQ(MessageOf(e), Text(3004));
    EXPECT_EQ(link.GetStatus(), 4);
    EXPECT_GE(took, 450ms);  // 0 s limit: half a second on the whole-second rule
    EXPECT_LT(took, 1500ms);
    EXPECT_EQ(link.GetReply(), "");
}

TEST_F(LinkTest, DefaultThirtySecondsRunOnTheLinksClock)
{
    // Each look at the clock moves it 10 s on, so the 30 s default passes
    // after a few polls instead of half a minute.
    int64_t now = 0;
    link.SetClock([&now] { return now += 10000; });
    link.SetReplyTimeout(30);
    Unit().AddCommand("MUTE", [](const kivemu::Command&, kivemu::DeviceState&) { return kivemu::Reply::Silent(); });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RaisedBy([&] { link.SendAndRead(0, "MUTE", "CR LF"); }).m_nErrorCode, 10001);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2000ms);
    EXPECT_GE(now, 40000);  // 30 s is not yet over the limit; 40 s is
    link.SetClock(nullptr);
}

TEST_F(LinkTest, LateReplyIsDrainedSoRepliesNeverShift)
{
    // Well behind the half-second time-out, so that the reply is late even
    // when the test thread is slow to notice the time-out.
    Unit().GetFaults().DelayReply("VER", 2000);
    EXPECT_EQ(RaisedBy([&] { link.SendAndRead(0, "VER", "CR LF"); }).m_nErrorCode, 10001);
    WaitAnswered(1);  // the late "KIV-406 ..." is on the wire now
    std::this_thread::sleep_for(50ms);
    link.ClearStatus();
    link.SendAndRead(0, "STA1", "CR LF");
    EXPECT_EQ(link.GetReply(), "1,0");
    link.SendAndRead(0, "RES", "CR LF");
    EXPECT_EQ(link.GetReply(), "OK");
}

TEST_F(LinkTest, AReplyLateAfterTheNextCommandWentOutNeverAnswersIt)
{
    // The late reply comes while the next command waits for its own.
    Unit().GetFaults().DelayReply("VER", 1500);
    EXPECT_EQ(RaisedBy([&] { link.SendAndRead(0, "VER", "CR LF"); }).m_nErrorCode, 10001);
    link.ClearStatus();
    link.SetReplyTimeout(3);
    link.SendAndRead(0, "STA1", "CR LF");
    EXPECT_EQ(link.GetReply(), "1,0");
    link.SendAndRead(0, "RES", "CR LF");
    EXPECT_EQ(link.GetReply(), "OK");
    // Only the command after the time-out needed a new connection.
    EXPECT_EQ(emu.Server(0).ConnectionsAccepted(), 2u);
}

TEST_F(LinkTest, ABlockCutByTheTimeOutLeavesNothingForTheNextCommand)
{
    Unit().AddCommand("HALF", RawBytes("0123"));
    Unit().GetFaults().DelayReply("HALF", 1500);
    link.Send(0, "HALF", "CR LF");
    std::vector<uint8_t> block(8);
    EXPECT_EQ(RaisedBy([&] { link.ReadBlock(0, block, false); }).m_nErrorCode, 10001);
    link.ClearStatus();
    link.SetReplyTimeout(3);
    link.SendAndRead(0, "STA1", "CR LF");
    EXPECT_EQ(link.GetReply(), "1,0");
}

TEST_F(LinkTest, UnitErrorReplyIsJustALineForTheLink)
{
    Unit().GetFaults().ErrorOn("RNG", 25);
    link.SendAndRead(0, "RNG100", "CR LF");
    EXPECT_EQ(link.GetReply(), "ERR 025");
    EXPECT_TRUE(link.IsOk());
}

TEST_F(LinkTest, GarbageBytesStayInTheirLineAndTheNextExchangeIsInStep)
{
    Unit().GetFaults().Garbage("STA1", {0xFF, 0x00, 'Z'});
    link.SendAndRead(0, "STA1", "CR LF");
    const std::string reply = link.GetReply().str();
    EXPECT_NE(reply.find("Z1,0"), std::string::npos);
    link.SendAndRead(0, "VER", "CR LF");
    EXPECT_EQ(link.GetReply(), "KIV-406 VER 2.2A");
}

TEST_F(LinkTest, DroppedConnectionIsCode13NotAHangAndOpenReconnects)
{
    // A long reply time-out, so that waiting it out stands apart from the
    // prompt end even on a loaded machine.
    link.SetReplyTimeout(10);
    Unit().GetFaults().DropMidReply("VER");
    const auto start = std::chrono::steady_clock::now();
    const CZelException e = RaisedBy([&] { link.SendAndRead(0, "VER", "CR LF"); });
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(e.m_nErrorCode, 13);
    EXPECT_EQ(MessageOf(e), fw::PeerClosedText().str());
    EXPECT_EQ(link.GetStatus(), 4);
    // Further commands fail at once until the link is opened again.
    EXPECT_EQ(RaisedBy([&] { link.Send(0, "VER", "CR LF"); }).m_nErrorCode, 13);
    link.Open();
    link.SendAndRead(0, "VER", "CR LF");
    EXPECT_EQ(link.GetReply(), "KIV-406 VER 2.2A");
    EXPECT_EQ(emu.Server(0).ConnectionsAccepted(), 2u);
}

TEST_F(LinkTest, RawBlocksHaveTheirExactBytes)
{
    Unit().WithState([](kivemu::DeviceState& s) { s.sampleBytes = 2; });
    std::vector<uint8_t> block(2 * 300);
    link.Send(0, "BDT300", "CR LF");
    EXPECT_EQ(link.ReadBlock(0, block, false), 600);
    for (size_t i = 0; i < block.size(); ++i)
        ASSERT_EQ(block[i], kivemu::DeviceState::PatternByte(i)) << i;

    std::vector<uint8_t> swapped(6);
    link.Send(0, "BDT3", "CR LF");
    EXPECT_EQ(link.ReadBlock(0, swapped, true), 6);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(swapped[i], kivemu::DeviceState::PatternByte(600 + (i ^ 1))) << i;
    EXPECT_EQ(Lines(), (std::vector<std::string>{"BDT300", "BDT3"}));
}

TEST_F(LinkTest, BlockBytesThatCameWithTheReplyLineAreKept)
{
    // A count line and its block leave together; the line reader takes
    // both off the socket, and the block must still get every byte.
    Unit().AddCommand("HDR", [](const kivemu::Command&, kivemu::DeviceState&) {
        kivemu::Reply r = kivemu::Reply::Line("4");
        r.raw = {1, 2, 3, 4};
        return r;
    });
    link.SendAndRead(0, "HDR", "CR LF");
    EXPECT_EQ(link.GetReply(), "4");
    std::vector<uint8_t> block(4);
    EXPECT_EQ(link.ReadBlock(0, block, false), 4);
    EXPECT_EQ(block, (std::vector<uint8_t>{1, 2, 3, 4}));
}

TEST_F(LinkTest, ShortBlockTimesOutAndDroppedBlockIsCode13)
{
    std::vector<uint8_t> block(10);
    link.Send(0, "BDT2", "CR LF");  // 4 bytes of 10
    EXPECT_EQ(RaisedBy([&] { link.ReadBlock(0, block, false); }).m_nErrorCode, 10001);
    EXPECT_EQ(link.GetStatus(), 4);

    link.ClearStatus();
    Unit().GetFaults().DropMidReply("BDT");
    link.Send(0, "BDT5", "CR LF");
    EXPECT_EQ(RaisedBy([&] { link.ReadBlock(0, block, false); }).m_nErrorCode, 13);
}

TEST_F(LinkTest, OverlongCommandIsRefusedNotCut)
{
    const std::string fits(253, 'A');  // with CR LF and NUL: 256 bytes
    const std::string tooLong(254, 'A');
    const CZelException e = RaisedBy([&] { link.Send(0, tooLong.c_str(), "CR LF"); });
    EXPECT_EQ(e.m_nErrorCode, 1);
    EXPECT_NE(MessageOf(e).find("送信するコマンドが長すぎます"), std::string::npos);
    link.Send(0, fits.c_str(), "CR LF");
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(link.GetReply(), "ERR 022");
    EXPECT_EQ(Lines(), std::vector<std::string>{fits});
    // With CR alone one more byte fits.
    link.Send(0, tooLong.c_str(), "CR");
    link.ReadLine(0, "CR");
    EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(LinkTest, CommandTextGoesOutAsCp932)
{
    Unit().ClearReceivedBytes();
    link.Send(0, "FIL測定", "CR LF");
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(Unit().ReceivedBytes(), "FIL\x91\xaa\x92\xe8\r\n");
}

TEST_F(LinkTest, EmptyOrUnknownSlotIsCode13)
{
    for (int16_t address : {int16_t(1), int16_t(15), int16_t(-1)}) {
        SCOPED_TRACE(address);
        EXPECT_EQ(RaisedBy([&] { link.SendAndRead(address, "VER", "CR LF"); }).m_nErrorCode, 13);
        EXPECT_EQ(link.IsUnitPresent(address), 0);
    }
    EXPECT_EQ(link.IsUnitPresent(0), 1);
}

TEST_F(LinkTest, WaitBeforeSendSleeps)
{
    link.SetWaitMs(150);
    const auto start = std::chrono::steady_clock::now();
    link.SendAndRead(0, "VER", "CR LF");
    EXPECT_GE(std::chrono::steady_clock::now() - start, 150ms);
}

TEST_F(LinkTest, HasDataAndWaitForDataKeepTheBytes)
{
    Unit().AddCommand("TWO", ReplyLines({"A", "B"}));
    link.Send(0, "TWO", "CR LF");
    EXPECT_GT(link.WaitForData(0, 1, true), 0);
    EXPECT_EQ(link.HasData(0), 1);
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(link.GetReply(), "A");
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(link.GetReply(), "B");
    EXPECT_EQ(link.HasData(0), 0);
    EXPECT_EQ(link.WaitForData(0, 0, false), 0);
    EXPECT_EQ(RaisedBy([&] { link.WaitForData(0, 0, true); }).m_nErrorCode, 10001);
}

TEST_F(TwoUnitLinkTest, ListCommandsGoToEachUnitAndRepliesAreReadPerConnection)
{
    Unit(1).WithState([](kivemu::DeviceState& s) { s.firmware = "1.4B"; });
    tagUNITLIST list;
    list.Add(1);
    list.Add(0);
    link.SendToList(list, "VER", "CR LF");
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(link.GetReply(), "KIV-406 VER 2.2A");
    link.ReadLine(1, "CR LF");
    EXPECT_EQ(link.GetReply(), "KIV-406 VER 1.4B");
    EXPECT_EQ(Lines(0), std::vector<std::string>{"VER"});
    EXPECT_EQ(Lines(1), std::vector<std::string>{"VER"});
}

TEST_F(TwoUnitLinkTest, ReadingAnotherSlotDropsWhatTheFirstLeft)
{
    Unit(0).AddCommand("TWO", ReplyLines({"A", "B"}));
    link.Send(0, "TWO", "CR LF");
    link.ReadLine(0, "CR LF");
    EXPECT_EQ(link.GetReply(), "A");
    link.Send(1, "VER", "CR LF");
    link.ReadLine(1, "CR LF");
    EXPECT_EQ(link.GetReply(), "KIV-406 VER 2.2A");
}

TEST_F(TwoUnitLinkTest, ReopenReconnectsEverySlot)
{
    link.SendAndRead(1, "VER", "CR LF");
    link.Reopen();
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(link.GetHighestSlot(), 1);
    link.SendAndRead(0, "STA1", "CR LF");
    link.SendAndRead(1, "STA1", "CR LF");
    EXPECT_EQ(emu.Server(0).ConnectionsAccepted(), 2u);
    EXPECT_EQ(emu.Server(1).ConnectionsAccepted(), 2u);
}

TEST(MeterSocketConnect, RefusedConnectIsCode13WithTheSystemText)
{
    uint16_t port;
    {
        kivemu::Emulator probe;
        probe.AddUnit();
        port = probe.Port(0);
    }
    CMeterSocket link;
    link.SetSlot(0, kivtest::kLoopbackIp, port);
    const CZelException e = RaisedBy([&] { link.Open(); });
    EXPECT_EQ(e.m_nErrorCode, 13);
    EXPECT_EQ(MessageOf(e), fw::SocketErrorText(ECONNREFUSED).str());
    EXPECT_FALSE(link.IsOpen());
}

TEST(MeterSocketConnect, SilentAddressIsCode13With3020)
{
    // A listener whose accept queue is full never completes a handshake.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(kivtest::kLoopbackIp);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::listen(listener, 0);
    socklen_t length = sizeof addr;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &length);
    std::vector<fw::TcpSocket> fillers(3);
    fw::SocketError ignored;
    for (auto& f : fillers)
        f.Connect(kivtest::kLoopbackIp, ntohs(addr.sin_port), 200, ignored);

    CMeterSocket link;
    link.SetConnectTimeoutMs(300);
    link.SetSlot(0, kivtest::kLoopbackIp, ntohs(addr.sin_port));
    try {
        link.Open();
        ::close(listener);
        GTEST_SKIP() << "this kernel completed the handshake despite the full queue";
    } catch (CZelException& e) {
        ::close(listener);
        EXPECT_EQ(e.m_nErrorCode, 13);
        EXPECT_EQ(MessageOf(e), fw::FormatString(3020, "127.0.0.1").str());
    }
}

} // namespace
