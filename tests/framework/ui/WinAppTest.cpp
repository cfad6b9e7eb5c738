#include "framework/core/Clipboard.h"
#include "framework/core/Message.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/QtServices.h"
#include "framework/ui/WinApp.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <clocale>
#include <csignal>
#include <functional>
#include <thread>
#include <string>

namespace {

using namespace fw;

struct StartApp : CWinApp {
    bool InitInstance() override
    {
        ran = true;
        decimalPoint = std::localeconv()->decimal_point;
        qtPrompt = dynamic_cast<QtPrompt*>(&Prompt()) != nullptr;
        return answer;
    }
    bool answer = false;
    bool ran = false;
    bool qtPrompt = false;
    std::string decimalPoint;
};

// Start installs the desktop services; the other tests must not meet them.
void RestoreHeadlessServices()
{
    InstallPrompt(nullptr);
    InstallStatus(nullptr);
    InstallWaitCursor(nullptr);
    InstallFileDialogs(nullptr);
    InstallClipboard(nullptr);
    SetQueueWaker(nullptr);
    SetRepaintHook(nullptr);
}

TEST(WinApp, StartPreparesTheProcessBeforeInitInstance)
{
    std::setlocale(LC_NUMERIC, "C.UTF-8");
    StartApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_FALSE(app.Start()) << "InitInstance refused";
    RestoreHeadlessServices();
    EXPECT_TRUE(app.ran);
    EXPECT_EQ(app.decimalPoint, ".");
    EXPECT_TRUE(app.qtPrompt);
}

TEST(WinApp, TheRecentFileListLivesInTheProfile)
{
    kivtest::TempDir dir;
    const auto ini = dir / "KIV-5400.ini";
    {
        StartApp app;
        app.SetProfilePath(ini);
        app.LoadStdProfileSettings(4);
        app.AddToRecentFileList("/data/a.kivp");
        app.AddToRecentFileList("/data/b.kivd");
        EXPECT_EQ(app.Finish(), 0);
    }
    StartApp again;
    again.SetProfilePath(ini);
    again.LoadStdProfileSettings(4);
    ASSERT_EQ(again.m_pDocManager->RecentFiles().GetCount(), 2);
    EXPECT_EQ(again.m_pDocManager->RecentFiles()[0], "/data/b.kivd");
    EXPECT_EQ(AfxGetApp(), &again);
}

struct EndingApp : StartApp {
    void OnEndRequest() override { ++endRequests; }
    int endRequests = 0;
};

bool WaitFor(const std::function<bool()>& done)
{
    for (int i = 0; i < 200 && !done(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

TEST(WinApp, TermAndInterruptSignalsAskTheProgramToEnd)
{
    struct sigaction before {};
    ::sigaction(SIGTERM, nullptr, &before);
    {
        EndingApp app;
        app.answer = true;
        ASSERT_TRUE(app.Start());
        RestoreHeadlessServices();
        ::raise(SIGTERM);
        EXPECT_TRUE(WaitFor([&] { return app.endRequests == 1; }));
        ::raise(SIGINT);
        EXPECT_TRUE(WaitFor([&] { return app.endRequests == 2; }));
        app.Finish();
    }
    // The handlers the program found are back once it finished.
    struct sigaction after {};
    ::sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

// A run with a main window that the user or the desktop ends.
struct LoopApp : CWinApp {
    bool InitInstance() override
    {
        auto* frame = new CFrameWnd;
        frame->Create("main");
        m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        QTimer::singleShot(0, [this] { end(*this); });
        // A watchdog: a loop that does not end fails the test instead of
        // hanging it.
        QTimer::singleShot(10000, [this] {
            hung = true;
            QCoreApplication::exit(1);
        });
        return true;
    }
    bool OnIdle(long count) override
    {
        if (IsMainWndGone())
            ++idleAfterEnd;
        return CWinApp::OnIdle(count);
    }
    int ExitInstance() override
    {
        exitedWithoutWindow = m_pMainWnd == nullptr;
        return 7;
    }
    std::function<void(LoopApp&)> end;
    bool hung = false;
    bool exitedWithoutWindow = false;
    int idleAfterEnd = 0;
};

struct EndCase {
    const char* name;
    std::function<void(LoopApp&)> end;
};

TEST(WinApp, TheRunEndsWhenTheMainWindowCloses)
{
    const EndCase cases[] = {
        {"title bar", [](LoopApp& app) { app.GetMainWnd()->Widget()->close(); }},
        {"exit command", [](LoopApp& app) { app.OnCmdMsg(ID_APP_EXIT, CN_COMMAND, nullptr); }},
        {"SIGTERM", [](LoopApp&) { ::raise(SIGTERM); }},
        {"SIGINT", [](LoopApp&) { ::raise(SIGINT); }},
    };
    char name[] = "test";
    char* argv[] = {name, nullptr};
    for (const EndCase& c : cases) {
        LoopApp app;
        app.end = c.end;
        const int code = app.Run(1, argv);
        RestoreHeadlessServices();
        EXPECT_FALSE(app.hung) << c.name;
        EXPECT_EQ(code, 7) << c.name << ": ExitInstance's code";
        EXPECT_TRUE(app.exitedWithoutWindow) << c.name;
        EXPECT_TRUE(app.IsMainWndGone()) << c.name;
        EXPECT_EQ(app.idleAfterEnd, 0) << c.name;
    }
}

TEST(WinApp, QtDialogsSpeakTheProgramsLanguage)
{
    StartApp app;
    app.SetUiLanguage("ja");
    EXPECT_FALSE(app.Start());
    RestoreHeadlessServices();
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Open"), QString::fromUtf8("開く(&O)"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QString::fromUtf8("印刷"));
}

} // namespace
