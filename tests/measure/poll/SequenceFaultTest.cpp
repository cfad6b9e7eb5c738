// Faults at each step of a measurement: the continue question, what a yes
// repeats and where a no leaves the panel; a control unit that goes away
// and comes back.

#include "tests/measure/poll/PanelFixture.h"

#include <functional>

namespace {

using paneltest::PanelTest;
using seqtest::Lines;


// A step that fails once.
struct StepFault {
    const char* name;
    const char* word;
    bool dataTrigger;
};

class SequenceFaultTest : public PanelTest, public ::testing::WithParamInterface<StepFault> {
protected:
    void OpenOnCard(int samples = 300)
    {
        Connect(1);
        Dev(0).With([&](kivemu::MeasureDevice& m, kivemu::MeterDevice&, kivemu::DeviceState&) {
            m.dataCount = samples;
            m.writesRecordings = true;
        });
        system.SetTankDisplayModes();
        Watch(0);
        panel = std::make_unique<CKeisokuPanel>(host);
        panel->SetMonitoring(true);
        ASSERT_TRUE(panel->InitPanelState());
        ClearLines();
    }

    void Begin(const StepFault& f)
    {
        host.dataTriggerAnswer = 1;
        if (f.dataTrigger)
            panel->OnDataTrigger();
        else
            panel->OnStart();
    }
};

TEST_P(SequenceFaultTest, ContinuedTheStepIsSentAgainAndTheRecordIsFetched)
{
    const StepFault& f = GetParam();
    OpenOnCard();
    question.answers = {true};
    FaultsOf(0).ErrorOn(f.word, 11);
    Begin(f);
    ASSERT_TRUE(PumpUntil([&] { return host.transferModes.size() == 1 && !panel->IsMeasuring(); }));
    panel->StopPolling();
    EXPECT_EQ(question.asked.size(), 1u);
    EXPECT_GE(CountOf(0, f.word), 2) << "the failed command is sent again";
    EXPECT_FALSE(panel->IsAborted());
}

TEST_P(SequenceFaultTest, DeclinedThePanelAbortsWithEveryModeOff)
{
    const StepFault& f = GetParam();
    OpenOnCard();
    question.answers = {false};
    FaultsOf(0).ErrorOn(f.word, 11);
    Begin(f);
    ASSERT_TRUE(PumpUntil([&] { return panel->IsAborted(); }));
    panel->StopPolling();
    EXPECT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(host.closes, 1);
    EXPECT_FALSE(panel->IsMeasuring());
    EXPECT_FALSE(panel->IsDataTrigger());
    EXPECT_TRUE(host.transferModes.empty());
}

INSTANTIATE_TEST_SUITE_P(Steps, SequenceFaultTest,
                         ::testing::Values(StepFault{"Trigger", "TRG", false}, StepFault{"StartTime", "TTM", false},
                                           StepFault{"RecordedCount", "EOC", false},
                                           StepFault{"FileList", "DIR", false},
                                           StepFault{"DataTrigger", "DTG", true},
                                           StepFault{"TriggerLetter", "CFM", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Answers the continue question through a function of the test.
class CallbackQuestion final : public IContinueQuestion {
public:
    bool Ask(const fw::CString& message, int seconds) override
    {
        asked.push_back(message.str());
        lastSeconds = seconds;
        return answer(static_cast<int>(asked.size()));
    }
    std::function<bool(int)> answer = [](int) { return false; };
    std::vector<std::string> asked;
    int lastSeconds = 0;
};

TEST_F(PanelTest, AKilledUnitGivesTheQuestionAndContinuingReconnectsOnceItIsBack)
{
    Open(1, 0);
    ASSERT_TRUE(PumpPolls(2));
    CallbackQuestion callback;
    InstallContinueQuestion(&callback);
    const uint16_t port = emu.Port(0);
    callback.answer = [&](int n) {
        // First question: the unit is still away, the reconnect fails and
        // asks again; by the second it is back.
        if (n == 2)
            emu.Server(0).Start(port);
        return true;
    };
    emu.Server(0).Stop();
    ASSERT_TRUE(PumpUntil([&] { return callback.asked.size() >= 2; }));
    const int redraws = host.redraws;
    ASSERT_TRUE(PumpUntil([&] { return host.redraws >= redraws + 2; }));
    panel->StopPolling();
    InstallContinueQuestion(&question);
    EXPECT_EQ(callback.lastSeconds, 15);
    EXPECT_EQ(callback.asked.size(), 2u);
    EXPECT_FALSE(panel->IsAborted());
}

} // namespace
