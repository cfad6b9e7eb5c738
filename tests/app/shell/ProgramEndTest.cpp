// The end of the program's own run: the loop ends when the main window
// goes, the settings reach the profile and the lock is given up; also for
// the built program, ended by the desktop's signals.

#include "app/shell/DataFolder.h"
#include "app/shell/KIV5980App.h"
#include "app/shell/ProgramComposition.h"
#include "framework/core/Profile.h"
#include "framework/core/Clipboard.h"
#include "framework/core/FileDialogs.h"
#include "framework/core/Message.h"
#include "framework/core/Services.h"
#include "framework/core/StandardCommands.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/InstanceLock.h"
#include "framework/ui/QtServices.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The desktop's variables point into a test folder for the test's life.
class FreshDesktop {
public:
    explicit FreshDesktop(const fs::path& root) : m_config(Get("XDG_CONFIG_HOME")), m_data(Get("XDG_DATA_HOME"))
    {
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    }
    ~FreshDesktop()
    {
        Put("XDG_CONFIG_HOME", m_config);
        Put("XDG_DATA_HOME", m_data);
    }

private:
    static std::optional<std::string> Get(const char* name)
    {
        const char* v = std::getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    }
    static void Put(const char* name, const std::optional<std::string>& v)
    {
        if (v)
            setenv(name, v->c_str(), 1);
        else
            unsetenv(name);
    }
    std::optional<std::string> m_config;
    std::optional<std::string> m_data;
};

fs::path ProfileOf(const fs::path& root)
{
    return root / "config" / "ZEL" / "KIV-5400.ini";
}

fs::path LockOf(const fs::path& root)
{
    return root / "data" / "ZEL" / "KIVDATA" / kDataFolderLockName;
}

bool LockIsFree(const fs::path& lock)
{
    fw::InstanceLock probe;
    return probe.Acquire(lock.string());
}

// The services Run installed go; the other tests keep theirs.
void RestoreHeadlessServices()
{
    fw::InstallPrompt(nullptr);
    fw::InstallStatus(nullptr);
    fw::InstallWaitCursor(nullptr);
    fw::InstallFileDialogs(nullptr);
    fw::InstallClipboard(nullptr);
    fw::SetQueueWaker(nullptr);
    fw::SetRepaintHook(nullptr);
}

TEST(ProgramEnd, TheExitCommandEndsTheLoopAndWritesTheProfile)
{
    kivtest::TempDir dir;
    FreshDesktop desktop(dir.Path());
    fw::test::ServiceScope services;
    int code = -1;
    bool hung = false;
    {
        CKIV5980App app;
        app.SetCommandLine({"kiv5400", "--no-start-page"});
        // The user chooses アプリケーションの終了 once the window is up.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* frame = dynamic_cast<fw::CFrameWnd*>(app.GetMainWnd());
            if (!frame || !frame->IsWindowVisible())
                return;
            poll.stop();
            frame->ExecuteCommand(fw::ID_APP_EXIT);
        });
        poll.start(20);
        QTimer::singleShot(20000, [&] {
            hung = true;
            QCoreApplication::exit(1);
        });
        char name[] = "kiv5400";
        char* argv[] = {name, nullptr};
        code = app.Run(1, argv);
        RestoreHeadlessServices();
        EXPECT_EQ(app.GetMainWnd(), nullptr);
    }
    EXPECT_FALSE(hung);
    EXPECT_EQ(code, 0);
    ASSERT_TRUE(fs::exists(ProfileOf(dir.Path())));
    const fw::CProfile profile(ProfileOf(dir.Path()));
    EXPECT_FALSE(profile.Sections().empty()) << "settings saved";
    EXPECT_TRUE(LockIsFree(LockOf(dir.Path())));
}

// --- the built program --------------------------------------------------------------

struct Program {
    pid_t pid = -1;
};

Program StartProgram(const fs::path& root, const std::vector<std::string>& args)
{
    std::vector<std::string> env{"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + (root / "config").string(),
                                 "XDG_DATA_HOME=" + (root / "data").string(), "HOME=" + root.string()};
    for (char** e = environ; *e; ++e) {
        const std::string var(*e);
        if (var.rfind("XDG_", 0) != 0 && var.rfind("QT_QPA_PLATFORM=", 0) != 0 && var.rfind("HOME=", 0) != 0 &&
            var.rfind("DISPLAY=", 0) != 0)
            env.push_back(var);
    }
    std::vector<std::string> all{KIV_PROGRAM_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv, envp;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    Program p;
    if (posix_spawn(&p.pid, KIV_PROGRAM_PATH, nullptr, nullptr, argv.data(), envp.data()) != 0)
        p.pid = -1;
    return p;
}

// The exit status, or nothing when the program did not end in time.
std::optional<int> WaitForEnd(pid_t pid, std::chrono::seconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return std::nullopt;
}

bool WaitForLockTaken(const fs::path& lock, pid_t pid)
{
    for (int i = 0; i < 400; ++i) {
        if (fs::exists(lock) && !LockIsFree(lock))
            return true;
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

struct SignalCase {
    const char* name;
    int signal;
    std::vector<std::string> args;
};

TEST(ProgramEnd, TheDesktopsSignalsEndTheBuiltProgramCleanly)
{
    const SignalCase cases[] = {
        {"SIGTERM with a new project", SIGTERM, {"--no-start-page"}},
        {"SIGINT with a new project", SIGINT, {"--no-start-page"}},
        {"SIGTERM on the start page", SIGTERM, {}},
    };
    for (const SignalCase& c : cases) {
        kivtest::TempDir dir;
        const Program program = StartProgram(dir.Path(), c.args);
        ASSERT_GT(program.pid, 0) << c.name;
        ASSERT_TRUE(WaitForLockTaken(LockOf(dir.Path()), program.pid)) << c.name;
        // The window is up once the loop runs; a signal before that waits
        // in its pipe all the same.
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        kill(program.pid, c.signal);
        const std::optional<int> status = WaitForEnd(program.pid, std::chrono::seconds(20));
        ASSERT_TRUE(status.has_value()) << c.name << ": still running";
        EXPECT_TRUE(WIFEXITED(*status)) << c.name << ": ended by signal " << WTERMSIG(*status);
        EXPECT_EQ(WIFEXITED(*status) ? WEXITSTATUS(*status) : -1, 0) << c.name;
        EXPECT_TRUE(LockIsFree(LockOf(dir.Path()))) << c.name;
        EXPECT_TRUE(fs::exists(ProfileOf(dir.Path()))) << c.name << ": settings saved";
    }
}

} // namespace
