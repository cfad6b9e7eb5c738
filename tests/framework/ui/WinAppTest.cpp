#include "framework/core/Clipboard.h"
#include "framework/core/Message.h"
#include "framework/ui/QtServices.h"
#include "framework/ui/WinApp.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

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

} // namespace
