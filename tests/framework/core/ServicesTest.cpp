#include "framework/core/Services.h"

#include "framework/core/testing/ServiceScope.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace fw;

TEST(Services, WindowsNumbers)
{
    EXPECT_EQ(MB_OK, 0u);
    EXPECT_EQ(MB_OKCANCEL, 1u);
    EXPECT_EQ(MB_YESNOCANCEL, 3u);
    EXPECT_EQ(MB_YESNO, 4u);
    EXPECT_EQ(MB_ICONSTOP, 0x10u);
    EXPECT_EQ(MB_ICONQUESTION, 0x20u);
    EXPECT_EQ(MB_ICONEXCLAMATION, 0x30u);
    EXPECT_EQ(MB_ICONINFORMATION, 0x40u);
    EXPECT_EQ(MB_DEFBUTTON2, 0x100u);
    EXPECT_EQ(IDOK, 1);
    EXPECT_EQ(IDCANCEL, 2);
    EXPECT_EQ(IDYES, 6);
    EXPECT_EQ(IDNO, 7);
}

TEST(Services, DefaultButtonAnswer)
{
    struct Row { const char* name; unsigned flags; int answer; };
    const Row rows[] = {
        {"ok", MB_OK | MB_ICONSTOP, IDOK},
        {"okcancel", MB_OKCANCEL, IDOK},
        {"okcancel_second", MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {"yesno", MB_YESNO | MB_ICONQUESTION, IDYES},
        {"yesno_second", MB_YESNO | MB_DEFBUTTON2, IDNO},
        {"yesnocancel_third", MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {"default_beyond_buttons_is_first", MB_OK | MB_DEFBUTTON3, IDOK},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(DefaultButtonAnswer(r.flags), r.answer);
    }
}

TEST(Services, HeadlessDefaultsWhenNothingInstalled)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(AfxMessageBox(3011, MB_YESNO | MB_DEFBUTTON2), IDNO);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("測定器が確認できません。"), std::string::npos);
    Status().SetText("ignored");
    const int64_t before = Clock().SteadyMs();
    Clock().SleepMs(5);
    EXPECT_GE(Clock().SteadyMs() - before, 5);
}

TEST(ScriptedPrompt, AnswersInOrderAndRecords)
{
    test::ServiceScope services;
    services.prompt.Expect(3004, IDOK).ExpectText("続行", IDNO);
    EXPECT_EQ(AfxMessageBox(3004, MB_OK | MB_ICONSTOP), IDOK);
    EXPECT_EQ(AfxMessageBox(CString("エラー\n続行しますか？"), MB_YESNO), IDNO);
    EXPECT_EQ(services.prompt.Problems(), "");
    const auto prompts = services.prompt.Prompts();
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[0].msgId, 3004u);
    EXPECT_EQ(prompts[0].text, "測定器との交信中に異常が発生しました。\n測定器およびケーブルを確認してください。");
    EXPECT_EQ(prompts[0].flags, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(prompts[1].msgId, 0u);
}

TEST(ScriptedPrompt, ReportsUnexpectedAndUnmet)
{
    test::ServiceScope services;
    services.prompt.Expect(3007, IDYES);
    std::vector<unsigned> seen;
    services.prompt.SetUnexpectedHandler([&](const test::ScriptedPrompt::Record& r) { seen.push_back(r.msgId); });
    // Out of order: answered with its default button, recorded as unexpected.
    EXPECT_EQ(AfxMessageBox(3009, MB_YESNO | MB_DEFBUTTON2), IDNO);
    ASSERT_EQ(services.prompt.Unexpected().size(), 1u);
    EXPECT_EQ(services.prompt.Unexpected()[0].msgId, 3009u);
    EXPECT_EQ(seen, std::vector<unsigned>{3009u});
    EXPECT_EQ(services.prompt.PendingExpectations(), 1u);
    const std::string problems = services.prompt.Problems();
    EXPECT_NE(problems.find("unexpected prompt 3009"), std::string::npos);
    EXPECT_NE(problems.find("expected prompt not shown: id 3007"), std::string::npos);
}

TEST(ServiceScope, InstallsAndRestores)
{
    IPrompt* outerPrompt = &Prompt();
    IClock* outerClock = &Clock();
    {
        test::ServiceScope outer;
        {
            test::ServiceScope inner;
            EXPECT_EQ(&Prompt(), &inner.prompt);
            EXPECT_EQ(&Status(), &inner.status);
            EXPECT_EQ(&Clock(), &inner.clock);
        }
        EXPECT_EQ(&Prompt(), &outer.prompt);
        EXPECT_EQ(&WaitCursor(), &outer.cursor);
    }
    EXPECT_EQ(&Prompt(), outerPrompt);
    EXPECT_EQ(&Clock(), outerClock);
}

TEST(FakeClock, SleepAdvancesVirtualTimeAtOnce)
{
    test::ServiceScope services;
    const int64_t start = Clock().SteadyMs();
    const time_t wall = Clock().Now();
    const uint32_t tick = TickCount();
    int hooks = 0;
    services.clock.OnSleep([&](int64_t) { ++hooks; });
    // A 1500-second wait in 100 ms slices.
    while (Clock().SteadyMs() - start < 1500 * 1000)
        Clock().SleepMs(100);
    EXPECT_EQ(Clock().SteadyMs() - start, 1500 * 1000);
    EXPECT_EQ(Clock().Now() - wall, 1500);
    EXPECT_EQ(TickCount() - tick, 1500u * 1000u);
    EXPECT_EQ(services.clock.Sleeps(), 15000);
    EXPECT_EQ(hooks, 15000);
}

TEST(RecordingStatus, RecordsTextsClearsAndBeeps)
{
    test::ServiceScope services;
    Status().SetText("a を読み込み中");
    Status().SetText("b");
    Status().Beep();
    EXPECT_EQ(services.status.Current(), "b");
    Status().Clear();
    EXPECT_EQ(services.status.Current(), "");
    EXPECT_EQ(services.status.Texts(), (std::vector<CString>{"a を読み込み中", "b"}));
    EXPECT_EQ(services.status.Clears(), 1);
    EXPECT_EQ(services.status.Beeps(), 1);
}

TEST(CWaitCursor, BalancedAroundScopeAndRestore)
{
    test::ServiceScope services;
    {
        CWaitCursor wait;
        EXPECT_EQ(services.cursor.Depth(), 1);
        wait.Restore();
        EXPECT_EQ(services.cursor.Depth(), 1);
    }
    EXPECT_EQ(services.cursor.Depth(), 0);
    EXPECT_EQ(services.cursor.Begins(), 2);
}

} // namespace
