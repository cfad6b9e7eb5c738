#include "framework/core/Message.h"
#include "framework/ui/InstanceLock.h"
#include "framework/ui/QtClipboard.h"
#include "framework/ui/QtServices.h"
#include "framework/ui/Wnd.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace fw;

TEST(Clipboard, TextAndDataFormsTravelTogether)
{
    QtClipboard qt;
    MemoryClipboard memory;
    for (IClipboard* c : std::vector<IClipboard*>{&qt, &memory}) {
        SCOPED_TRACE(c == &qt ? "qt" : "memory");
        const std::vector<uint8_t> objects{0x01, 0x00, 0xFF, 0xFF, 0x00};
        c->Clear();
        EXPECT_FALSE(c->HasText());
        c->SetText("CH1\t1.5\r\nCH2\t-2e-005\r\n");
        c->SetData(kZelAppMime, objects);
        EXPECT_TRUE(c->HasText());
        EXPECT_EQ(c->GetText(), "CH1\t1.5\r\nCH2\t-2e-005\r\n");
        ASSERT_TRUE(c->HasFormat(kZelAppMime));
        EXPECT_EQ(*c->GetData(kZelAppMime), objects);
        EXPECT_FALSE(c->GetData("image/x-emf").has_value());
        c->Clear();
        EXPECT_FALSE(c->HasFormat(kZelAppMime));
    }
}

TEST(InstanceLockTest, ASecondHolderIsRefusedUntilTheFirstLetsGo)
{
    kivtest::TempDir dir;
    const CString path((dir / "KIV5980.lock").string());
    InstanceLock first, second;
    EXPECT_TRUE(first.Acquire(path));
    EXPECT_FALSE(second.Acquire(path));
    first.Release();
    EXPECT_TRUE(second.Acquire(path));
    EXPECT_FALSE(InstanceLock().Acquire(CString((dir / "missing" / "x.lock").string())));
}

TEST(QtPromptMapping, FlagsGiveButtonsIconAndDefault)
{
    struct Row {
        const char* name;
        unsigned flags;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton def;
    };
    const Row rows[] = {
        {"ok_stop", MB_OK | MB_ICONSTOP, QMessageBox::Ok, QMessageBox::Critical, QMessageBox::Ok},
        {"yesno_second", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::Question, QMessageBox::No},
        {"yesnocancel", MB_YESNOCANCEL | MB_ICONEXCLAMATION, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Warning, QMessageBox::Yes},
        {"okcancel_info_second", MB_OKCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON2,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Information, QMessageBox::Cancel},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(QtPrompt::ButtonsFor(r.flags), r.buttons);
        EXPECT_EQ(QtPrompt::IconFor(r.flags), r.icon);
        EXPECT_EQ(QtPrompt::DefaultFor(r.flags), r.def);
    }
    EXPECT_EQ(QtPrompt::AnswerFor(QMessageBox::Yes), IDYES);
    EXPECT_EQ(QtPrompt::AnswerFor(QMessageBox::No), IDNO);
    EXPECT_EQ(QtPrompt::AnswerFor(QMessageBox::Cancel), IDCANCEL);
}

struct Receiver : CWnd {
    intptr_t OnMessage(uint32_t message, uintptr_t w, intptr_t l) override
    {
        got.push_back(message);
        return CWnd::OnMessage(message, w, l);
    }
    void OnClose() override { closed = true; }
    std::vector<uint32_t> got;
    bool closed = false;
};

TEST(PostedMessages, TheQtLoopDeliversThemToTheWindow)
{
    InstallQtEventHooks();
    Receiver r;
    r.Attach(new QWidget);
    ASSERT_TRUE(r.PostMessage(WM_APP + 6, 1, 2));
    ASSERT_TRUE(r.PostMessage(WM_CLOSE));
    EXPECT_TRUE(r.got.empty()) << "posting never delivers at once";
    uitest::RunQueued();
    EXPECT_EQ(r.got, (std::vector<uint32_t>{WM_APP + 6, WM_CLOSE}));
    EXPECT_TRUE(r.closed);
    SetQueueWaker(nullptr);
    SetRepaintHook(nullptr);
}

TEST(PostedMessages, WaitPumpKeepsThemQueued)
{
    InstallQtEventHooks();
    Receiver r;
    r.Attach(new QWidget);
    r.PostMessage(WM_APP + 1);
    WaitPump(1);
    EXPECT_TRUE(r.got.empty()) << "no handler runs inside a wait";
    uitest::RunQueued();
    EXPECT_EQ(r.got, std::vector<uint32_t>{WM_APP + 1});
    SetQueueWaker(nullptr);
    SetRepaintHook(nullptr);
}

TEST(Timers, SetAndKillById)
{
    Receiver r;
    r.Attach(new QWidget);
    EXPECT_EQ(r.SetTimer(7, 1000), 7u);
    EXPECT_TRUE(r.HasTimer(7));
    EXPECT_TRUE(r.KillTimer(7));
    EXPECT_FALSE(r.KillTimer(7));
}

} // namespace
