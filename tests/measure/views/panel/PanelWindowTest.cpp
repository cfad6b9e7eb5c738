// The measurement panel window over a saved project whose control units
// are emulated: it polls, shows the monitored values, runs a manual
// measurement and fetches the record through the transfer dialog. With
// KIV_PANEL_SCREENSHOT set, the panel during the running measurement is
// saved there as a PNG.

#include "tests/measure/views/transfer/TransferDialogFixture.h"

#include "framework/core/Message.h"
#include "measure/views/panel/KeisokuPanelWnd.h"
#include "measure/views/panel/MoniterGrid.h"

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

} // namespace
