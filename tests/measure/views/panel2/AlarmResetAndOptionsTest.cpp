// The alarm window's reset clears the project's latched alarms with the
// polling paused; the main frame's option commands edit the application's
// measurement options through their dialogs.

#include "tests/measure/views/transfer/TransferDialogFixture.h"

#include "framework/core/Message.h"
#include "framework/core/ServiceSlot.h"
#include "measure/views/dialogs/MeasureOptionDlgs.h"
#include "measure/views/panel/ArarmFrame.h"
#include "measure/views/panel/KeisokuPanelWnd.h"
#include "measure/views/panel/MeasureCommands.h"
#include "measure/views/panel/PanelShell.h"

namespace {

using appuitest::Click;

// Alarms stay latched until reset; the pauses of the polling counted.
class LatchingHost final : public transferdlgtest::TestProjectHost {
public:
    bool AlarmAutoReset() override { return false; }
    void StopPanelPolling() override { ++pauses; }
    int pauses = 0;
};

class AlarmResetTest : public transferdlgtest::TransferDialogTest {
protected:
    bool Pump(const std::function<bool()>& done)
    {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < limit) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            fw::PumpPosted();
            if (done())
                return true;
        }
        return false;
    }
};

TEST_F(AlarmResetTest, ResetClearsTheLatchedAlarmsOnceAndAnEmptyListDoesNothing)
{
    MakeProject(1);
    LatchingHost latching;
    latching.profile = projectHost.profile;
    fw::ScopedInstall<IProjectHost> installed(latching);
    CBoxArray& system = doc->GetBoxArray();
    ASSERT_TRUE(system.SetChannelValue(0, 1008, 1));
    ASSERT_TRUE(system.SetChannelValue(0, 1009, 1.0));
    doc->GetPanelMonitor().m_channels = {0};
    auto* alarms = new CArarmFrame();
    alarms->SetAutoDelete(true);
    ASSERT_TRUE(alarms->CreateFrame(nullptr));
    auto* wnd = new CKeisokuPanelWnd(*doc, alarms);
    wnd->SetAutoDelete(true);
    ASSERT_TRUE(wnd->Open(nullptr));
    wnd->Panel().StopPolling();
    wnd->Panel().SetAlarmWatch(true);
    ASSERT_TRUE(wnd->Panel().StartPolling());
    ASSERT_TRUE(Pump([&] { return !alarms->List().Rows().empty(); }));
    wnd->Panel().StopPolling();
    EXPECT_EQ(doc->GetAlarmLatch(0), 2);

    alarms->ResetAlarms();
    EXPECT_EQ(latching.pauses, 1);
    EXPECT_EQ(doc->GetAlarmLatch(0), 0);
    EXPECT_TRUE(alarms->List().Rows().empty());
    alarms->ResetAlarms();
    EXPECT_EQ(latching.pauses, 1);

    wnd->OnClose();
    alarms->DestroyWindow();
    QCoreApplication::processEvents();
}

// The application's options as the program keeps them.
class OptionsShell final : public IPanelShell {
public:
    MeasureOptions GetMeasureOptions() override { return options; }
    void SetMeasureOptions(const MeasureOptions& o) override { options = o; }
    MeasureOptions options;
};

class OptionCommandsTest : public appuitest::DialogFixture {
protected:
    fw::CCmdUI Update(unsigned id)
    {
        fw::CCmdUI ui(id);
        ui.DoUpdate(&commands);
        return ui;
    }
    void Run(unsigned id) { commands.OnCmdMsg(id, fw::CN_COMMAND, nullptr, nullptr); }

    OptionsShell shell;
    fw::ScopedInstall<IPanelShell> installed{shell};
    CMeasureCommands commands;
};

TEST_F(OptionCommandsTest, AutoSaveAndCardDeleteAreEditedAndShownChecked)
{
    shell.options.recordHistory = 1;
    EXPECT_TRUE(Update(CMeasureCommands::ID_AUTO_SAVE).m_bEnabled);
    EXPECT_EQ(Update(CMeasureCommands::ID_AUTO_SAVE).m_nCheck, 1);
    dialogs.On(CDontDataSaveDlg::kTemplateId, [](fw::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemAs<fw::CButton>(CDontDataSaveDlg::kIdRecordHistory)->GetCheck(), 1);
        Click(d, CDontDataSaveDlg::kIdDontSave);
        Click(d, fw::IDOK);
        return 0;
    });
    Run(CMeasureCommands::ID_AUTO_SAVE);
    EXPECT_EQ(shell.options.dontSave, 1);
    EXPECT_EQ(shell.options.recordHistory, 1);
    EXPECT_EQ(Update(CMeasureCommands::ID_AUTO_SAVE).m_nCheck, 0);

    dialogs.On(CCfAutoDelDlg::kTemplateId, [](fw::CDialog& d) {
        Click(d, CCfAutoDelDlg::kIdDelete);
        Click(d, fw::IDCANCEL);
        return 0;
    });
    Run(CMeasureCommands::ID_CARD_AUTO_DELETE);
    EXPECT_EQ(shell.options.deleteCardFiles, 0);
    dialogs.On(CCfAutoDelDlg::kTemplateId, [](fw::CDialog& d) {
        Click(d, CCfAutoDelDlg::kIdDelete);
        Click(d, fw::IDOK);
        return 0;
    });
    Run(CMeasureCommands::ID_CARD_AUTO_DELETE);
    EXPECT_EQ(shell.options.deleteCardFiles, 1);
    EXPECT_EQ(Update(CMeasureCommands::ID_CARD_AUTO_DELETE).m_nCheck, 1);
    EXPECT_EQ(shell.options.dontSave, 1);
}

} // namespace
