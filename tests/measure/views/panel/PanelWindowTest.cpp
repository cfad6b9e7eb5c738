// The measurement panel window over a saved project whose control units
// are emulated: it polls, shows the monitored values, runs a manual
// measurement and fetches the record through the transfer dialog. With
// KIV_PANEL_SCREENSHOT set, the panel during the running measurement is
// saved there as a PNG.

#include "tests/measure/views/transfer/TransferDialogFixture.h"

#include "framework/core/Message.h"
#include "measure/views/panel/KeisokuPanelWnd.h"
#include "docbase/settings/PlayAlertSound.h"
#include "docbase/settings/SoundOutput.h"
#include "framework/core/ServiceSlot.h"
#include "measure/views/panel/ArarmFrame.h"
#include "measure/views/panel/MoniterGrid.h"
#include "measure/views/panel/PanelShell.h"

#include "framework/ui/Menu.h"

#include <QAction>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cstdlib>

namespace {

class PanelWindowTest : public transferdlgtest::TransferDialogTest {
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

TEST_F(PanelWindowTest, ThePanelPollsShowsTheMonitoredValuesAndFetchesAManualMeasurement)
{
    MakeProject(1);
    devices[0]->With([](kivemu::MeasureDevice& m, kivemu::MeterDevice&, kivemu::DeviceState&) {
        m.dataCount = 100000;
        m.samplesPerPoll = 10;
        m.writesRecordings = true;
    });
    doc->GetPanelMonitor().m_channels = {0, 1, 2, 3};
    doc->GetPanelMonitor().m_bPeakRes = 0;
    services.clock.SetNow(1765425600);  // 2025-12-11 13:00 JST
    auto* wnd = new CKeisokuPanelWnd(*doc, nullptr);
    wnd->SetAutoDelete(true);
    ASSERT_TRUE(wnd->Open(nullptr));
    EXPECT_TRUE(wnd->Panel().IsMonitoring());
    fw::CString value;
    ASSERT_TRUE(Pump([&] { return wnd->Grid().GetSheetText(value, 1, 0, 0) && !value.IsEmpty(); }));
    fw::CString name;
    EXPECT_TRUE(wnd->Grid().GetSheetText(name, 0, 0, 0));

    // The automatic-measurement menu: free run, data trigger and program
    // measurement; the interval, comparator and cycle modes not offered.
    int items = 0;
    bool intervalListed = true;
    bool programListed = false;
    fw::CMenu::SetTrackHook([&](fw::CMenu& menu) -> unsigned {
        items = menu.GetMenuItemCount();
        intervalListed = menu.FindAction(CKeisokuPanelWnd::ID_INTERVAL, fw::MF_BYCOMMAND) != nullptr;
        programListed = menu.FindAction(CKeisokuPanelWnd::ID_PROGRAM, fw::MF_BYCOMMAND) != nullptr;
        return 0;
    });
    wnd->OnAutoMenu();
    fw::CMenu::SetTrackHook({});
    EXPECT_EQ(items, 3);
    EXPECT_FALSE(intervalListed);
    EXPECT_TRUE(programListed);

    wnd->OnStart();
    EXPECT_TRUE(wnd->Panel().IsMeasuring());
    ASSERT_TRUE(Pump([&] { return LinesWith(0, {"EOC2"}).size() >= 3; }));
    if (const char* path = std::getenv("KIV_PANEL_SCREENSHOT")) {
        wnd->UpdateControlBars();
        wnd->OnTimer(CKeisokuPanelWnd::kTimerId);
        QWidget* w = wnd->Widget();
        w->resize(520, 240);
        QImage image(w->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        w->render(&painter);
        painter.end();
        image.save(path, "PNG");
    }
    int transfers = 0;
    dialogs.On(CCFUpdateDlg::kTemplateId, [&](fw::CDialog& d) {
        ++transfers;
        return RunLoop(d);
    });
    wnd->OnStart();
    EXPECT_FALSE(wnd->Panel().IsMeasuring());
    EXPECT_EQ(transfers, 1);
    EXPECT_EQ(doc->GetHistory().GetLastIndex(), 0);
    wnd->Panel().StopPolling();
    wnd->OnClose();
    QCoreApplication::processEvents();
}

// The sound output of the alarm: every call recorded.
class RecordingSound final : public ISoundOutput {
public:
    void PlayFileAsync(const fw::CString& path) override { calls.push_back("file " + path.str()); }
    void Purge() override { calls.push_back("purge"); }
    void Beep(unsigned kind) override { calls.push_back("beep " + std::to_string(kind)); }
    std::vector<std::string> calls;
};

// The program's alarm sound as the panel reaches it.
class SoundShell final : public IPanelShell {
public:
    void RaiseAlarmSound(int16_t level) override
    {
        raised.push_back(level);
        alert.Raise(level);
    }
    void ResetAlarmSound() override { alert.Reset(); }
    void PlayAlarmSound() override { alert.Play(output); }
    CPlayAlertSound alert;
    RecordingSound output;
    std::vector<int> raised;
};

TEST_F(PanelWindowTest, AChannelAboveItsUpperLimitIsListedInTheAlarmWindowAndSoundsTheAlarm)
{
    MakeProject(1);
    SoundShell shell;
    fw::ScopedInstall<IPanelShell> installed(shell);
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
    const fw::CString row = alarms->List().Rows().front().text;
    EXPECT_EQ(CAlarmList::Field(row, 0), fw::CString("CH1"));
    EXPECT_EQ(CAlarmList::Field(row, 3), fw::CString("Upp"));
    ASSERT_TRUE(Pump([&] { return !shell.output.calls.empty(); }));
    EXPECT_EQ(shell.raised.front(), 2);
    EXPECT_EQ(shell.output.calls.front(), "purge");
    EXPECT_EQ(shell.output.calls.at(1), "beep " + std::to_string(ISoundOutput::kBeepExclamation));
    wnd->Panel().StopPolling();
    wnd->OnClose();
    alarms->DestroyWindow();
    QCoreApplication::processEvents();
}

} // namespace
