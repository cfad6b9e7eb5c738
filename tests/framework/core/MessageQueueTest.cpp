#include "framework/core/Message.h"

#include "framework/core/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

using namespace fw;

struct Window : IMessageTarget {
    Window() : hwnd(RegisterWindow(this)) {}
    ~Window() override { UnregisterWindow(hwnd); }
    intptr_t OnMessage(uint32_t message, uintptr_t w, intptr_t l) override
    {
        got.push_back({hwnd, message, w, l});
        if (onMessage)
            onMessage(message);
        return 0;
    }
    HWND hwnd;
    std::vector<MSG> got;
    std::function<void(uint32_t)> onMessage;
};

class MessageQueue : public ::testing::Test {
protected:
    void SetUp() override { RemoveMessages(0, 0); }
    void TearDown() override
    {
        SetQueueWaker(nullptr);
        RemoveMessages(0, 0);
    }
};

TEST_F(MessageQueue, DeliversInPostingOrderAcrossWindows)
{
    Window a, b;
    ASSERT_TRUE(PostMessage(a.hwnd, WM_APP + 6, 1, -1));
    ASSERT_TRUE(PostMessage(b.hwnd, WM_USER + 1, 2, 0));
    ASSERT_TRUE(PostMessage(a.hwnd, WM_APP + 6, 3, 0));
    EXPECT_EQ(PumpPosted(), 3);
    ASSERT_EQ(a.got.size(), 2u);
    EXPECT_EQ(a.got[0].message, 0x8006u);
    EXPECT_EQ(a.got[0].lParam, -1);
    EXPECT_EQ(a.got[1].wParam, 3u);
    ASSERT_EQ(b.got.size(), 1u);
    EXPECT_EQ(b.got[0].message, 0x0401u);
}

TEST_F(MessageQueue, RemoveTakesAllCopiesOfOneMessageOnly)
{
    Window a;
    PostMessage(a.hwnd, WM_APP + 1, 1, 0);
    PostMessage(a.hwnd, WM_APP + 2, 2, 0);
    PostMessage(a.hwnd, WM_APP + 1, 3, 0);
    EXPECT_EQ(RemoveMessages(a.hwnd, WM_APP + 1), 2);
    PumpPosted();
    ASSERT_EQ(a.got.size(), 1u);
    EXPECT_EQ(a.got[0].message, WM_APP + 2);
}

TEST_F(MessageQueue, PeekTakesTheOldestOfAnIdOnlyWhenAsked)
{
    Window a;
    PostMessage(a.hwnd, WM_APP + 2, 9, 0);
    PostMessage(a.hwnd, WM_APP + 1, 1, 0);
    PostMessage(a.hwnd, WM_APP + 1, 2, 0);
    MSG m;
    ASSERT_TRUE(PeekMessage(m, a.hwnd, WM_APP + 1, false));
    EXPECT_EQ(m.wParam, 1u);
    ASSERT_TRUE(PeekMessage(m, a.hwnd, WM_APP + 1, true));
    EXPECT_EQ(m.wParam, 1u);
    ASSERT_TRUE(PeekMessage(m, a.hwnd, WM_APP + 1, true));
    EXPECT_EQ(m.wParam, 2u);
    EXPECT_FALSE(PeekMessage(m, a.hwnd, WM_APP + 1, true));
    EXPECT_EQ(PostedCount(), 1u);
}

TEST_F(MessageQueue, MessagesForAClosedWindowAreDropped)
{
    HWND gone;
    {
        Window a;
        gone = a.hwnd;
        PostMessage(a.hwnd, WM_APP, 0, 0);
    }
    EXPECT_EQ(PostedCount(), 0u);
    EXPECT_FALSE(PostMessage(gone, WM_APP, 0, 0));
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_EQ(PumpPosted(), 0);
}

TEST_F(MessageQueue, WakerRunsWhenTheQueueTurnsNonEmpty)
{
    Window a;
    int wakes = 0;
    SetQueueWaker([&] { ++wakes; });
    PostMessage(a.hwnd, WM_APP, 0, 0);
    PostMessage(a.hwnd, WM_APP, 0, 0);
    EXPECT_EQ(wakes, 1);
    PumpPosted();
    PostMessage(a.hwnd, WM_APP, 0, 0);
    EXPECT_EQ(wakes, 2);
}

TEST_F(MessageQueue, AHandlerThatPostsAgainDoesNotKeepThePumpRunning)
{
    Window a;
    int wakes = 0;
    SetQueueWaker([&] { ++wakes; });
    a.onMessage = [&](uint32_t) { PostMessage(a.hwnd, WM_APP, 0, 0); };
    PostMessage(a.hwnd, WM_APP, 0, 0);
    EXPECT_EQ(PumpPosted(), 1);
    EXPECT_EQ(PostedCount(), 1u);
    EXPECT_GE(wakes, 2) << "the loop is woken again for what is left";
}

TEST_F(MessageQueue, WorkersPostFromTheirThreads)
{
    Window a;
    CWorkerThread w1, w2;
    auto post = [&] {
        for (int i = 0; i < 500; ++i)
            PostMessage(a.hwnd, WM_APP + 6, static_cast<uintptr_t>(i), 0);
    };
    w1.Start(post);
    w2.Start(post);
    w1.Join();
    w2.Join();
    EXPECT_EQ(PumpPosted(), 1000);
}

TEST(ModalDepth, CountsNestedScopes)
{
    EXPECT_EQ(ModalDepth(), 0);
    {
        ModalScope outer;
        ModalScope inner;
        EXPECT_EQ(ModalDepth(), 2);
    }
    EXPECT_EQ(ModalDepth(), 0);
}

} // namespace
