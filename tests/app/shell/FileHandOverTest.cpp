// Files opened from the desktop while the program runs: the running
// program opens what a later start hands over and comes to the front; a
// later start hands its files over and ends.

#include "app/shell/MainFrame.h"
#include "framework/ui/HandOverServer.h"
#include "framework/ui/InstanceLock.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QCoreApplication>
#include <QMainWindow>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <chrono>
#include <cstring>
#include <future>
#include <thread>
#include <unistd.h>

namespace shelltest {
namespace {

namespace fs = std::filesystem;
using fw::CString;

template <class Done> bool PumpUntil(Done done, int ms = 8000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done() && std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

// A running instance reduced to its socket: takes one sender's names on a
// thread of its own and gives the receipt.
class FakeInstance {
public:
    // Waits `waitMs` for the sender.
    FakeInstance(const fs::path& socket, int waitMs)
    {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strncpy(addr.sun_path, socket.c_str(), sizeof addr.sun_path - 1);
        m_listening = ::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 && ::listen(m_fd, 4) == 0;
        m_names = std::async(std::launch::async, [this, waitMs] { return Serve(waitMs); });
    }
    ~FakeInstance() { ::close(m_fd); }
    bool Listening() const { return m_listening; }
    // The names of the one sender, or nothing when none came in time.
    std::optional<std::vector<std::string>> Names() { return m_names.get(); }

private:
    std::optional<std::vector<std::string>> Serve(int waitMs)
    {
        pollfd p{m_fd, POLLIN, 0};
        if (!m_listening || ::poll(&p, 1, waitMs) != 1)
            return std::nullopt;
        const int fd = ::accept(m_fd, nullptr, nullptr);
        std::string bytes;
        char buffer[1024];
        for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
            bytes.append(buffer, static_cast<size_t>(n));
        ::send(fd, "A", 1, MSG_NOSIGNAL);
        ::close(fd);
        std::vector<std::string> names;
        for (size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
            names.push_back(bytes.substr(start, end - start));
        return names;
    }

    int m_fd = -1;
    bool m_listening = false;
    std::future<std::optional<std::vector<std::string>>> m_names;
};

// The working folder of the process, for the length of a test.
class WorkingFolder {
public:
    explicit WorkingFolder(const fs::path& folder) : m_old(fs::current_path()) { fs::current_path(folder); }
    ~WorkingFolder() { fs::current_path(m_old); }

private:
    fs::path m_old;
};

TEST_F(ShellTest, HandedFilesOpenAsFileOpenDoesAndTheMinimisedWindowComesBackMaximised)
{
    const std::string first = WriteFile(dir / "work" / "first.kivp");
    const std::string second = WriteFile(dir / "work" / "second.kivp");
    ASSERT_TRUE(Start());
    const int before = OpenDocumentCount();
    auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    ASSERT_NE(frame, nullptr);
    frame->MainWindow()->setWindowState(frame->MainWindow()->windowState() | Qt::WindowMinimized);
    const fs::path socket = DataFolder() / "KIV5980.sock";
    ASSERT_TRUE(fs::exists(fs::symlink_status(socket))) << "the running program listens beside its lock";

    auto sent = std::async(std::launch::async, [&] {
        return fw::HandOverToServer(socket.string(), {CString(first), CString(second)});
    });
    ASSERT_TRUE(PumpUntil([&] { return OpenDocumentCount() == before + 2; }));
    EXPECT_TRUE(sent.get());

    EXPECT_EQ(app.m_pDocManager->RecentFiles()[0], CString(second));
    EXPECT_EQ(app.m_pDocManager->RecentFiles()[1], CString(first));
    const Qt::WindowStates state = frame->MainWindow()->windowState();
    EXPECT_FALSE(state & Qt::WindowMinimized);
    EXPECT_TRUE(state & Qt::WindowMaximized);
    EXPECT_TRUE(frame->MainWindow()->isVisible());

    Stop();
    EXPECT_FALSE(fs::exists(fs::symlink_status(socket))) << "the socket goes with the program";
}

TEST_F(ShellTest, EveryFileTheDesktopNamesOpensOnTheFirstStartToo)
{
    const std::string first = WriteFile(dir / "work" / "first.kivp");
    const std::string second = WriteFile(dir / "work" / "second.kivp");
    ASSERT_TRUE(Start({first, second}));
    EXPECT_TRUE(dialogs.Shown().empty()) << "no start page";
    EXPECT_EQ(OpenDocumentCount(), 2);
    EXPECT_EQ(app.m_pDocManager->RecentFiles()[0], CString(second));
}

TEST_F(ShellTest, ASecondStartHandsItsFilesOverAsFullPathsAndEnds)
{
    fs::create_directories(DataFolder());
    fw::InstanceLock running;
    ASSERT_TRUE(running.Acquire((DataFolder() / "KIV5980.lock").string()));
    FakeInstance instance(DataFolder() / "KIV5980.sock", 5000);
    ASSERT_TRUE(instance.Listening());
    fs::create_directories(dir / "work");
    {
        WorkingFolder here(dir / "work");
        EXPECT_FALSE(Start({"plan.kivp", "../data/./run.kivd", "/elsewhere/g.kivg"}));
    }
    EXPECT_EQ(app.GetMainWnd(), nullptr);
    EXPECT_EQ(instance.Names(), (std::vector<std::string>{(dir / "work" / "plan.kivp").string(),
                                                          (dir / "data" / "run.kivd").string(),
                                                          "/elsewhere/g.kivg"}));
    EXPECT_FALSE(fs::exists(ProfileFile())) << "the profile was touched";
}

TEST_F(ShellTest, ASecondStartWithoutFilesToOpenSendsNothing)
{
    struct Row {
        const char* name;
        std::vector<std::string> args;
    };
    const std::string file = WriteFile(dir / "work" / "plan.kivp");
    for (const Row& row : {Row{"no file", {"--no-start-page"}}, Row{"print request", {"/p", file}}}) {
        SCOPED_TRACE(row.name);
        fs::create_directories(DataFolder());
        fw::InstanceLock running;
        ASSERT_TRUE(running.Acquire((DataFolder() / "KIV5980.lock").string()));
        fs::remove(DataFolder() / "KIV5980.sock");
        FakeInstance instance(DataFolder() / "KIV5980.sock", 300);
        EXPECT_FALSE(Start(row.args));
        EXPECT_EQ(instance.Names(), std::nullopt);
    }
}

} // namespace
} // namespace shelltest
