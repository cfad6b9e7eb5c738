#include "tests/emulator/Emulator.h"
#include "tests/emulator/LineSplitter.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// A bare client, so the emulator is checked without the program's link.
class RawClient {
public:
    explicit RawClient(uint16_t port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(port);
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(::connect(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    }
    ~RawClient() { ::close(m_fd); }

    void Send(const std::string& bytes) { ASSERT_EQ(::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size())); }

    // Reads until `count` bytes came, the peer closed, or `limit` passed.
    std::string Read(size_t count, std::chrono::milliseconds limit = 2000ms)
    {
        std::string out;
        const auto end = std::chrono::steady_clock::now() + limit;
        while (out.size() < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            pollfd p{m_fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                break;
            char buf[4096];
            const ssize_t got = ::recv(m_fd, buf, std::min(sizeof buf, count - out.size()), 0);
            if (got <= 0) {
                m_closed = true;
                break;
            }
            out.append(buf, static_cast<size_t>(got));
        }
        return out;
    }
    bool Closed() const { return m_closed; }

private:
    int m_fd = -1;
    bool m_closed = false;
};

std::vector<std::string> Split(const std::string& bytes, const std::vector<size_t>& cuts)
{
    kivemu::LineSplitter splitter;
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t cut : cuts) {
        splitter.Feed(reinterpret_cast<const uint8_t*>(bytes.data()) + from, cut - from, lines);
        from = cut;
    }
    splitter.Feed(reinterpret_cast<const uint8_t*>(bytes.data()) + from, bytes.size() - from, lines);
    return lines;
}

TEST(LineSplitter, FramesCommandsAsTheUnitsReceiverDoes)
{
    struct Row {
        const char* name;
        std::string bytes;
        std::vector<size_t> cuts;
        std::vector<std::string> lines;
    };
    const std::string padded = "RES\r\n" + std::string(59, ' ') + "SET1;4\r\n" + std::string(56, ' ');
    const std::vector<Row> rows = {
        {"crlf", "RES\r\nSET1;4\r\n", {}, {"RES", "SET1;4"}},
        {"cr_only", "RES\rSET1;4\r", {}, {"RES", "SET1;4"}},
        {"usb_blank_padding_to_64", padded, {}, {"RES", "SET1;4"}},
        {"split_inside_word_and_line_end", "VER\r\nSTA1\r\n", {2, 4, 7}, {"VER", "STA1"}},
        {"inner_blank_kept", "EQU CH3+CH4\r\n", {}, {"EQU CH3+CH4"}},
        {"blank_lines_ignored", "\r\n  \r\n\rVER\r", {}, {"VER"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Split(row.bytes, row.cuts), row.lines);
    }
}

TEST(LineSplitter, EndlessLineIsCutNotGrown)
{
    kivemu::LineSplitter splitter;
    std::vector<std::string> lines;
    const std::string junk(kivemu::LineSplitter::kMaxLineBytes * 3, 'x');
    splitter.Feed(reinterpret_cast<const uint8_t*>(junk.data()), junk.size(), lines);
    EXPECT_EQ(lines.size(), 3u);
    EXPECT_LT(splitter.Pending(), kivemu::LineSplitter::kMaxLineBytes);
}

TEST(CommandTable, LongestWordWinsAndTextIsTheRest)
{
    kivemu::CommandTable table;
    auto tag = [](const char* t) { return [t](const kivemu::Command&, kivemu::DeviceState&) { return kivemu::Reply::Line(t); }; };
    table.Add("STA1", tag("sta1"));
    table.Add("STA10", tag("sta10"));
    table.Add("MRY", tag("mry"));
    table.Add("MRY-", tag("mry-"));
    kivemu::Command c;
    ASSERT_NE(table.Find("STA10", c), nullptr);
    EXPECT_EQ(c.word, "STA10");
    ASSERT_NE(table.Find("MRY-5", c), nullptr);
    EXPECT_EQ(c.word, "MRY-");
    EXPECT_EQ(c.text, "5");
    ASSERT_NE(table.Find("MRY1001", c), nullptr);
    EXPECT_EQ(c.text, "1001");
    EXPECT_EQ(table.Find("XYZ", c), nullptr);
}

class EmulatorTcp : public ::testing::Test {
protected:
    kivemu::Emulator emu;
    kivemu::ControlUnit& unit = emu.AddUnit();
};

TEST_F(EmulatorTcp, AnswersOneLinePerCommandAndRecordsTheTranscript)
{
    RawClient client(emu.Port(0));
    client.Send("VER\r\nRES\rSET1;4\r\nRNG1000\r\nRNG?\r\nBOGUS\r\n");
    const std::string expected = "KIV-406 VER 2.2A\r\nOK\r\nOK\r\nOK\r\n1000\r\nERR 022\r\n";
    EXPECT_EQ(client.Read(expected.size()), expected);
    EXPECT_EQ(unit.GetTranscript().Lines(),
              (std::vector<std::string>{"VER", "RES", "SET1;4", "RNG1000", "RNG?", "BOGUS"}));
    EXPECT_EQ(unit.WithState([](kivemu::DeviceState& s) { return s.selection; }), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(EmulatorTcp, DataBlocksHaveTheAskedSizeAndContinueTheStream)
{
    RawClient client(emu.Port(0));
    client.Send("BDT3\r\n");
    const std::string first = client.Read(6);
    client.Send("BDT2\r\n");
    const std::string second = client.Read(4);
    ASSERT_EQ(first.size(), 6u);
    ASSERT_EQ(second.size(), 4u);
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(static_cast<uint8_t>((first + second)[i]), kivemu::DeviceState::PatternByte(i)) << i;
    EXPECT_EQ(client.Read(1, 100ms), "");  // nothing else: no reply line
}

TEST_F(EmulatorTcp, FaultSwitches)
{
    unit.GetFaults().ErrorOn("RNG", 25);
    unit.GetFaults().Garbage("STA1", {0xFF, 0x00, 'Z'});
    RawClient client(emu.Port(0));
    client.Send("RNG100\r\nSTA1\r\n");
    const std::string expected = std::string("ERR 025\r\n") + std::string("\xFF\0Z", 3) + "1,0\r\n";
    EXPECT_EQ(client.Read(expected.size()), expected);

    // The delay is well above the quiet read, so that a stalled test thread
    // does not find the delayed reply inside that read's limit.
    unit.GetFaults().DelayReply("VER", 1000);
    const auto start = std::chrono::steady_clock::now();
    client.Send("VER\r\n");
    EXPECT_EQ(client.Read(1, 150ms), "");
    EXPECT_EQ(client.Read(18), "KIV-406 VER 2.2A\r\n");
    EXPECT_GE(std::chrono::steady_clock::now() - start, 1000ms);

    unit.GetFaults().DropMidReply("VER");
    client.Send("VER\r\n");
    EXPECT_EQ(client.Read(100), "KIV-406 V");
    EXPECT_TRUE(client.Closed());
}

TEST_F(EmulatorTcp, ServesSeveralUnitsOnTheirOwnPorts)
{
    kivemu::ControlUnit& second = emu.AddUnit();
    second.WithState([](kivemu::DeviceState& s) { s.firmware = "1.4B"; });
    RawClient a(emu.Port(0));
    RawClient b(emu.Port(1));
    b.Send("VER\r\n");
    a.Send("VER\r\n");
    EXPECT_EQ(a.Read(18), "KIV-406 VER 2.2A\r\n");
    EXPECT_EQ(b.Read(18), "KIV-406 VER 1.4B\r\n");
    EXPECT_EQ(second.GetTranscript().Lines(), std::vector<std::string>{"VER"});
}

TEST_F(EmulatorTcp, StopEndsAWaitingReply)
{
    unit.GetFaults().DelayReply("", 60000);
    RawClient client(emu.Port(0));
    client.Send("VER\r\n");
    ASSERT_TRUE(unit.GetTranscript().WaitForCount(1, 2000ms));
    const auto start = std::chrono::steady_clock::now();
    emu.StopAll();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2000ms);
}

} // namespace
