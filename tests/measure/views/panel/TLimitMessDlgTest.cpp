// The self-closing continue question on a fake clock.

#include "framework/core/Services.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "measure/views/panel/TLimitMessDlg.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TLimitMessDlgTest : public ::testing::Test {
protected:
    fw::test::ServiceScope services;
    fw::test::ScriptedDialogs dialogs;
};

TEST_F(TLimitMessDlgTest, UnansweredItCountsDownAndContinuesAtTheFirstTickRoundedPastTheLimit)
{
    std::vector<fw::CString> shown;
    int ticks = 0;
    dialogs.On(CTLimitMessDlg::kTemplateId, [&](fw::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(CTLimitMessDlg::kIdMessage), fw::CString("link lost\n続行しますか？"));
        EXPECT_EQ(d.GetDlgItemText(CTLimitMessDlg::kIdSeconds), fw::CString(""));
        while (!d.IsEnded() && ticks < 100) {
            services.clock.Advance(CTLimitMessDlg::kTimerMs);
            d.OnTimer(CTLimitMessDlg::kTimerId);
            ++ticks;
            if (!d.IsEnded())
                shown.push_back(d.GetDlgItemText(CTLimitMessDlg::kIdSeconds));
        }
        return d.GetResult();
    });
    EXPECT_TRUE(ShowTimeLimitDialog("link lost\n続行しますか？", 15));
    // 15.5 s rounds to 16, the first whole second past 15.
    EXPECT_EQ(ticks, 31);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), fw::CString("14"));
    EXPECT_EQ(shown.back(), fw::CString("0"));
}

TEST_F(TLimitMessDlgTest, AbortBeforeTheTimeRunsOutIsFalse)
{
    dialogs.On(CTLimitMessDlg::kTemplateId, [&](fw::CDialog& d) {
        services.clock.Advance(3000);
        d.OnTimer(CTLimitMessDlg::kTimerId);
        d.OnCancel();
        return d.GetResult();
    });
    EXPECT_FALSE(ShowTimeLimitDialog("x", 15));
}

TEST_F(TLimitMessDlgTest, WithoutCountdownItWaitsForTheUser)
{
    dialogs.On(CTLimitMessDlg::kTemplateId, [&](fw::CDialog& d) {
        services.clock.Advance(3600 * 1000);
        d.OnTimer(CTLimitMessDlg::kTimerId);
        EXPECT_FALSE(d.IsEnded());
        d.OnOK();
        return d.GetResult();
    });
    EXPECT_TRUE(ShowTimeLimitDialog("x", -1));
}

TEST_F(TLimitMessDlgTest, TheMeasuringSystemAsksThroughIt)
{
    CTimeLimitQuestion question;
    IContinueQuestion* previous = InstallContinueQuestion(&question);
    int seconds = 0;
    dialogs.On(CTLimitMessDlg::kTemplateId, [&](fw::CDialog& d) {
        services.clock.Advance(16000);
        d.OnTimer(CTLimitMessDlg::kTimerId);
        seconds = d.IsEnded() ? 16 : 0;
        return d.GetResult();
    });
    EXPECT_TRUE(ContinueQuestion().Ask("x", 15));
    EXPECT_EQ(seconds, 16);
    InstallContinueQuestion(previous);
}

} // namespace
