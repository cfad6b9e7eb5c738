#include "tests/road/RoadRun.h"

#include "app/shell/RunProgram.h"
#include "tests/road/RoadDriver.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace road {

namespace {

void ExitThroughMenu()
{
    CloseLeftovers();
    if (!ChooseMenu({"ファイル", "アプリケーションの終了"}))
        return;
    // A document that changed asks whether to save it.
    for (int i = 0; i < 50 && !LoopEnded(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!LoopEnded() && !ModalTitle().isEmpty() && (ClickDialogButton("いいえ") || ClickDialogButton("No")))
            i = 0;
    }
}

} // namespace

void CloseLeftovers()
{
    for (int i = 0; i < 4 && (PopupShown() || !ModalTitle().isEmpty()); ++i)
        Key("Escape");
}

std::string ProfileFile()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return std::string(config ? config : "") + "/ZEL/KIV-5400.ini";
}

int RunRoad(const std::vector<std::string>& args, const std::function<void()>& drive)
{
    std::vector<std::string> words{"kiv5400"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    std::atomic<bool> ended{false};
    std::thread driver([&] {
        const bool up = WaitFor([] { return QCoreApplication::instance() != nullptr; }, 30, "the program to start") &&
                        WaitFor(MainWindowShown, 30, "the main window to show");
        if (up) {
            WatchLoop();
            drive();
            if (::testing::Test::HasFailure())
                Shot("after-failure");
            ExitThroughMenu();
        }
        for (int i = 0; i < 300 && !ended; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!ended) {
            ADD_FAILURE() << "the program did not end within 30 s after ファイル > アプリケーションの終了";
            Shot("did-not-end");
            std::fflush(stdout);
            std::_Exit(3);
        }
    });
    const int code = RunProgram(static_cast<int>(words.size()), argv.data());
    MarkLoopEnded();
    ended = true;
    driver.join();
    return code;
}

} // namespace road
