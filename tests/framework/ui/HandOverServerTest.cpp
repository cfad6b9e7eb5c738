// The hand-over between a later start and the running instance, over a
// real local socket: what arrives, what a dead instance's socket does, and
// who may not hand anything over.

#include "framework/ui/HandOverServer.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <future>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Names = std::vector<fw::CString>;

std::vector<std::string> Strings(const Names& names)
{
    std::vector<std::string> out;
    for (const fw::CString& n : names)
        out.push_back(n.str());
    return out;
}

// Runs the event loop until `done` holds or a few seconds pass.
template <class Done> bool PumpUntil(Done done, int ms = 8000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done() && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

// A socket file that nobody listens on any more, as a killed process
// leaves it.
void LeaveDeadSocket(const fs::path& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(::listen(fd, 1), 0);
    ::close(fd);
}

class HandOverTest : public ::testing::Test {
protected:
    // Hands `names` over from another thread while this one runs the loop;
    // answers what the sender was told.
    bool HandOver(const Names& names, int waitMs = 5000)
    {
        auto sent = std::async(std::launch::async,
                               [&] { return fw::HandOverToServer(socket.string(), names, waitMs); });
        PumpUntil([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, waitMs * 3);
        return sent.get();
    }
    bool Listen()
    {
        return server.Listen(socket.string(), [this](const Names& names) { received.push_back(Strings(names)); });
    }

    kivtest::TempDir dir;
    fs::path socket = dir / "app.sock";
    fw::HandOverServer server;
    std::vector<std::vector<std::string>> received;
};

TEST_F(HandOverTest, NamesArriveWholeAndInOrderAndTheSenderGetsItsReceipt)
{
    ASSERT_TRUE(Listen());
    const Names names{"/home/u/計測 1.kivp", "/tmp/with\nnewline.kivd", "/x/y.kivg"};
    EXPECT_TRUE(HandOver(names));
    ASSERT_TRUE(PumpUntil([&] { return !received.empty(); }));
    EXPECT_EQ(received[0], Strings(names));

    // The next sender is served just the same.
    EXPECT_TRUE(HandOver({"/b.kivh"}));
    ASSERT_TRUE(PumpUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received[1], std::vector<std::string>{"/b.kivh"});
}

TEST_F(HandOverTest, TheSocketIsTheUsersOwnAndGoesWithTheServer)
{
    ASSERT_TRUE(Listen());
    struct stat st {};
    ASSERT_EQ(::lstat(socket.c_str(), &st), 0);
    EXPECT_TRUE(S_ISSOCK(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    server.Close();
    EXPECT_FALSE(fs::exists(fs::symlink_status(socket)));
}

TEST_F(HandOverTest, ADeadInstancesSocketIsReplacedNotTrusted)
{
    LeaveDeadSocket(socket);
    // Nobody listens: the sender gives up after its wait, without a receipt.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(HandOver({"/a.kivp"}, 300));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));

    ASSERT_TRUE(Listen());
    EXPECT_TRUE(HandOver({"/a.kivp"}));
    ASSERT_TRUE(PumpUntil([&] { return !received.empty(); }));
    EXPECT_EQ(received[0], std::vector<std::string>{"/a.kivp"});
}

TEST_F(HandOverTest, ASenderWaitsForAnInstanceStillStarting)
{
    LeaveDeadSocket(socket);
    auto sent = std::async(std::launch::async, [&] { return fw::HandOverToServer(socket.string(), {"/late.kivd"}); });
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    ASSERT_TRUE(Listen());
    ASSERT_TRUE(PumpUntil([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    EXPECT_TRUE(sent.get());
    ASSERT_TRUE(PumpUntil([&] { return !received.empty(); }));
    EXPECT_EQ(received[0], std::vector<std::string>{"/late.kivd"});
}

TEST_F(HandOverTest, ACutOrOversizedSendingOpensNothingAndTheServerGoesOn)
{
    ASSERT_TRUE(Listen());
    auto rawSend = [&](const std::string& bytes) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strncpy(addr.sun_path, socket.c_str(), sizeof addr.sun_path - 1);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
            std::atomic<bool> done{false};
            std::thread writer([&] {
                size_t sent = 0;
                while (sent < bytes.size()) {
                    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
                    if (n <= 0)
                        break;
                    sent += static_cast<size_t>(n);
                }
                ::shutdown(fd, SHUT_WR);
                done = true;
            });
            // The server must read for the writer to finish.
            PumpUntil([&] { return done.load(); });
            writer.join();
        }
        ::close(fd);
    };
    rawSend("/no/terminator.kivp");
    // One name longer than a sender may send, with its terminator.
    std::string oversized(fw::HandOverServer::kMaxBytes + 11, 'x');
    oversized.back() = '\0';
    rawSend(oversized);
    PumpUntil([&] { return !received.empty(); }, 300);
    EXPECT_TRUE(received.empty());

    EXPECT_TRUE(HandOver({"/still.kivp"}));
    ASSERT_TRUE(PumpUntil([&] { return !received.empty(); }));
    EXPECT_EQ(received[0], std::vector<std::string>{"/still.kivp"});
}

// The forked child uses plain system calls only: the test process has
// threads, and nothing else is safe between fork and exit.
[[noreturn]] void ConnectAsNobody(const char* path)
{
    if (::setgid(65534) != 0 || ::setuid(65534) != 0)
        ::_exit(3);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path, sizeof addr.sun_path - 1);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
        ::_exit(4);
    static const char names[] = "/etc/shadow";
    ::send(fd, names, sizeof names, MSG_NOSIGNAL);
    ::shutdown(fd, SHUT_WR);
    char reply = 0;
    ::_exit(::recv(fd, &reply, 1, 0) == 1 ? 1 : 0);
}

TEST(HandOverUsers, AnotherUserCannotHandAnythingOver)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    // A folder every user reaches, and the socket opened to everyone, so
    // that only the check of the peer stands in the way.
    std::string folder = "/tmp/kivho-XXXXXX";
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    ::chmod(folder.c_str(), 0777);
    const std::string socket = folder + "/app.sock";
    std::vector<std::vector<std::string>> received;
    fw::HandOverServer server;
    ASSERT_TRUE(server.Listen(socket, [&](const Names& names) { received.push_back(Strings(names)); }));
    ::chmod(socket.c_str(), 0777);

    const pid_t child = ::fork();
    if (child == 0)
        ConnectAsNobody(socket.c_str());
    ASSERT_GT(child, 0);
    int status = -1;
    PumpUntil([&] { return ::waitpid(child, &status, WNOHANG) == child; });
    server.Close();
    fs::remove_all(folder);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the names were taken; 3: no switch of user; 4: no connection";
    EXPECT_TRUE(received.empty());
}

TEST_F(HandOverTest, ADataFolderDeeperThanASocketAddressHoldsStillWorks)
{
    // A socket address holds about a hundred bytes; home folders run longer.
    const fs::path deep = dir / std::string(90, 'd') / std::string(90, 'e');
    fs::create_directories(deep);
    socket = deep / "app.sock";
    ASSERT_GT(socket.string().size(), 108u);
    ASSERT_TRUE(Listen());
    EXPECT_TRUE(fs::exists(fs::symlink_status(socket)));
    EXPECT_TRUE(HandOver({"/deep.kivp"}));
    ASSERT_TRUE(PumpUntil([&] { return !received.empty(); }));
    EXPECT_EQ(received[0], std::vector<std::string>{"/deep.kivp"});
    server.Close();
    EXPECT_FALSE(fs::exists(fs::symlink_status(socket)));
}

TEST_F(HandOverTest, AMissingFolderFailsCleanlyOnBothEnds)
{
    socket = dir / "gone" / "app.sock";
    EXPECT_FALSE(Listen());
    EXPECT_FALSE(server.IsListening());
    EXPECT_FALSE(HandOver({"/a"}, 100));
}

} // namespace
