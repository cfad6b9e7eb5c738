// The monitor settings dialog over a project, the separate monitor panel's
// table and frame, and the settings command of the measurement panel
// against emulated control units.

#include "tests/measure/views/transfer/TransferDialogFixture.h"

#include "chart/model/GrDraw.h"
#include "common/calc/CalcuDataTank.h"
#include "docview/controls/ColorPickers.h"
#include "framework/core/Message.h"
#include "framework/ui/Controls.h"
#include "measure/model/monitor/PanelPrf.h"
#include "measure/views/monitor/MonitorChannelList.h"
#include "measure/views/monitor/MoniterFrame.h"
#include "measure/views/monitor/MoniterSetDlg.h"
#include "measure/views/panel/KeisokuPanelWnd.h"
#include "measure/views/panel/MeasureCommands.h"
#include "measure/views/panel/PanelShell.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cstdlib>

namespace {

using appuitest::Click;
using appuitest::Enabled;

std::vector<int32_t> ChannelsOf(const std::vector<MonitorListItem>& items)
{
    std::vector<int32_t> out;
    for (const MonitorListItem& item : items)
        out.push_back(item.channel);
    return out;
}

class MonitorSettingsTest : public transferdlgtest::TransferDialogTest {
protected:
    // A project whose first `named` input channels carry names; the
    // others have none and are never offered.
    void MakeNamedProject(int named)
    {
        MakeProject(1);
        CDataTankList& tanks = *doc->GetChannelTankList();
        for (int ch = 0; ch < doc->GetChannelCount(); ++ch)
            if (CDataTankObject* tank = tanks.GetObjectAt(ch))
                tank->SetName(ch < named ? fw::Format("ch%d", ch) : fw::CString());
        for (int ch = CBoxArray::kFirstCalcChannel; ch < tanks.GetSize(); ++ch)
            if (CDataTankObject* tank = tanks.GetObjectAt(ch))
                tank->SetName(fw::CString());
    }

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

TEST_F(MonitorSettingsTest, TheListsMoveChannelsAndTheDialogGivesBackEverySetting)
{
    MakeNamedProject(4);
    CPanelMoniterPrf& prf = doc->GetPanelMonitor();
    // Channel 3 and a channel deleted since (77) were monitored.
    prf.m_channels = {3, 77};
    prf.m_crFore = 0x123456;  // not in the palette
    prf.m_crBack = GrGetColor(0);
    prf.m_font.lfHeight = 90;
    CMoniterSetDlg dlg(*doc);
    dlg.m_nPanelType = CPanelPrf::kInPanel;
    dialogs.On(CMoniterSetDlg::kTemplateId, [this](fw::CDialog& d) {
        auto& s = dynamic_cast<CMoniterSetDlg&>(d);
        EXPECT_EQ(ChannelsOf(s.Monitored().Items()), (std::vector<int32_t>{3}));
        EXPECT_EQ(ChannelsOf(s.Available().Items()), (std::vector<int32_t>{0, 1, 2}));
        EXPECT_EQ(s.Monitored().Items().front().number, fw::CString("CH4"));
        EXPECT_FALSE(Enabled(d, CMoniterSetDlg::kIdAppend));
        EXPECT_TRUE(Enabled(d, CMoniterSetDlg::kIdRemoveAll));
        EXPECT_LT(d.GetDlgItemAs<CColorCmbBox>(CMoniterSetDlg::kIdForeColor)->GetCurSel(), 0);
        EXPECT_GE(d.GetDlgItemAs<CColorCmbBox>(CMoniterSetDlg::kIdBackColor)->GetCurSel(), 0);
        EXPECT_EQ(d.GetDlgItemText(CMoniterSetDlg::kIdFontSize).str(), "9");

        // 1 and 2 go before the selected 3, then 0 to the end.
        s.Available().SelectRow(1, true);
        s.Available().SelectRow(2, true);
        EXPECT_TRUE(Enabled(d, CMoniterSetDlg::kIdInsert));
        s.Monitored().SelectRow(0, true);
        Click(d, CMoniterSetDlg::kIdInsert);
        EXPECT_EQ(ChannelsOf(s.Monitored().Items()), (std::vector<int32_t>{1, 2, 3}));
        EXPECT_EQ(ChannelsOf(s.Available().Items()), (std::vector<int32_t>{0}));
        s.Available().SelectRow(0, true);
        Click(d, CMoniterSetDlg::kIdAppend);
        EXPECT_EQ(ChannelsOf(s.Monitored().Items()), (std::vector<int32_t>{1, 2, 3, 0}));
        EXPECT_TRUE(s.Available().Items().empty());

        // Freed channels come back in channel order.
        s.Monitored().SelectRow(0, true);
        s.Monitored().SelectRow(2, true);
        Click(d, CMoniterSetDlg::kIdRemove);
        EXPECT_EQ(ChannelsOf(s.Monitored().Items()), (std::vector<int32_t>{2, 0}));
        EXPECT_EQ(ChannelsOf(s.Available().Items()), (std::vector<int32_t>{1, 3}));

        Click(d, CMoniterSetDlg::kIdMonitorPanel);
        d.SetDlgItemText(CMoniterSetDlg::kIdFontSize, "18");
        auto* fore = d.GetDlgItemAs<CColorCmbBox>(CMoniterSetDlg::kIdForeColor);
        fore->SetCurSel(3);
        Click(d, CMoniterSetDlg::kIdPeakShow);
        d.SetDlgItemText(CMoniterSetDlg::kIdPeakResetTime, "32001");
        services.prompt.Expect(61714, fw::IDOK);
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SetDlgItemText(CMoniterSetDlg::kIdPeakResetTime, "60");
        Click(d, fw::IDOK);
        return 0;
    });
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    const CPanelMoniterPrf& out = dlg.Settings();
    EXPECT_EQ(out.m_channels, (std::vector<int32_t>{2, 0}));
    EXPECT_EQ(dlg.m_nPanelType, CPanelPrf::kMonitorPanel);
    EXPECT_EQ(out.m_font.lfHeight, 180);
    EXPECT_EQ(out.m_bPeakMoni, 0);
    EXPECT_EQ(out.m_nPeakResTime, 60);
    EXPECT_EQ(out.m_crBack, GrGetColor(0));
    EXPECT_NE(out.m_crFore, 0x123456u);
    // The document keeps its settings until the caller stores them.
    EXPECT_EQ(doc->GetPanelMonitor().m_channels, (std::vector<int32_t>{3, 77}));
}

TEST_F(MonitorSettingsTest, RemovingAllMonitoredChannelsOffersEveryChannelAgain)
{
    MakeNamedProject(3);
    doc->GetPanelMonitor().m_channels = {2, 1};
    CMoniterSetDlg dlg(*doc);
    dialogs.On(CMoniterSetDlg::kTemplateId, [](fw::CDialog& d) {
        auto& s = dynamic_cast<CMoniterSetDlg&>(d);
        Click(d, CMoniterSetDlg::kIdRemoveAll);
        EXPECT_TRUE(s.Monitored().Items().empty());
        EXPECT_EQ(ChannelsOf(s.Available().Items()), (std::vector<int32_t>{0, 1, 2}));
        EXPECT_FALSE(Enabled(d, CMoniterSetDlg::kIdRemoveAll));
        Click(d, fw::IDOK);
        return 0;
    });
    ASSERT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_TRUE(dlg.Settings().m_channels.empty());
}

// ---- the monitor panel's table

struct LayoutCase {
    const char* name;
    std::vector<int32_t> channels;
    int rows;
};

TEST_F(MonitorSettingsTest, TheTableFollowsPeaksFontAndChannelCount)
{
    MakeNamedProject(4);
    CPanelMoniterPrf& prf = doc->GetPanelMonitor();
    prf.m_bPeakMoni = 1;
    prf.m_font.lfHeight = 90;
    auto* frame = new CMoniterFrame();
    frame->SetAutoDelete(true);
    ASSERT_TRUE(frame->CreateFrame(nullptr));
    CMoniterView& view = frame->View();
    CZELGridStyle& style = view.Style();
    const CZELPaneStyle& sheet = style.GetPane(kPaneSheet);

    // Without a document one empty row.
    EXPECT_EQ(sheet.m_nRows, 1);
    fw::CString text;
    EXPECT_FALSE(view.GetSheetText(text, 0, 0, 0));

    prf.m_channels = {0, 1};
    frame->SetDocument(doc);
    EXPECT_EQ(sheet.m_nCols, 5);
    EXPECT_EQ(sheet.m_nRows, 2);
    EXPECT_EQ(sheet.GetRowHeight(0), 18);
    EXPECT_TRUE(view.GetSheetText(text, 0, 1, 0));
    EXPECT_EQ(text, fw::CString("ch1"));
    EXPECT_EQ(sheet.m_format.crText, prf.m_crFore);

    // Peaks off and on: the new peak columns take the value column's width.
    prf.m_bPeakMoni = 0;
    frame->ApplySettings(false);
    EXPECT_EQ(sheet.m_nCols, 3);
    style.SetColumnWidths(2, 55, 1);
    prf.m_bPeakMoni = 1;
    frame->ApplySettings(false);
    ASSERT_EQ(sheet.m_nCols, 5);
    EXPECT_EQ(sheet.GetColumnWidth(3), 55);
    EXPECT_EQ(sheet.GetColumnWidth(4), 55);

    // 18 point after 9: rows 36 high, every column twice as wide.
    std::vector<int32_t> before;
    for (int c = 0; c < 5; ++c)
        before.push_back(sheet.GetColumnWidth(c));
    prf.m_font.lfHeight = 180;
    frame->ApplySettings(false);
    EXPECT_EQ(sheet.GetRowHeight(0), 36);
    EXPECT_EQ(sheet.GetRowHeight(1), 36);
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(sheet.GetColumnWidth(c), 2 * before[static_cast<size_t>(c)]) << "column " << c;

    // A font size of 0 keeps the widths.
    prf.m_font.lfHeight = 0;
    frame->ApplySettings(false);
    EXPECT_EQ(sheet.GetColumnWidth(0), 2 * before[0]);
    prf.m_font.lfHeight = 90;
    frame->ApplySettings(false);

    const LayoutCase cases[] = {{"none", {}, 1}, {"three", {0, 1, 2}, 3}, {"forty", std::vector<int32_t>(40, 0), 40}};
    for (const LayoutCase& c : cases) {
        prf.m_channels = c.channels;
        frame->ApplySettings(false);
        EXPECT_EQ(sheet.m_nRows, c.rows) << c.name;
        const int fitted = std::min(c.rows, CMoniterView::kMaxFittedRows);
        EXPECT_EQ(view.ContentSize().cy, 18 + fitted * 18) << c.name;
        frame->FitToView();
        EXPECT_GE(frame->Widget()->height(), view.ContentSize().cy) << c.name;
        EXPECT_LT(frame->Widget()->height(), view.ContentSize().cy + 100) << c.name;
    }
    frame->SetDocument(nullptr);
    frame->DestroyWindow();
    QCoreApplication::processEvents();
}

TEST_F(MonitorSettingsTest, ClosingTheMonitorPanelMovesTheMonitorIntoTheMeasurementPanel)
{
    CMeasureCommands commands;
    PanelShell().AppPanelPrf().m_nType = CPanelPrf::kMonitorPanel;
    CMoniterFrame* frame = commands.MonitorFrame();
    ASSERT_NE(frame, nullptr);
    // No measurement panel: the monitor panel stays hidden.
    commands.SyncMonitorPanel();
    EXPECT_FALSE(frame->Widget()->isVisible());
    frame->ShowWindow(fw::SW_SHOW);
    frame->OnClose();
    EXPECT_EQ(PanelShell().AppPanelPrf().m_nType, CPanelPrf::kInPanel);
    EXPECT_FALSE(frame->Widget()->isVisible());
    frame->DestroyWindow();
    QCoreApplication::processEvents();
}

TEST_F(MonitorSettingsTest, TheSettingsCommandStoresTheChoiceRewatchesAndMovesTheMonitor)
{
    MakeNamedProject(4);
    devices[0]->With([](kivemu::MeasureDevice& m, kivemu::MeterDevice&, kivemu::DeviceState&) {
        m.dataCount = 100000;
        m.samplesPerPoll = 10;
    });
    doc->GetPanelMonitor().m_channels = {0};
    PanelShell().AppPanelPrf().m_nType = CPanelPrf::kInPanel;
    auto* monitor = new CMoniterFrame();
    monitor->SetAutoDelete(true);
    ASSERT_TRUE(monitor->CreateFrame(nullptr));
    auto* wnd = new CKeisokuPanelWnd(*doc, nullptr);
    wnd->SetAutoDelete(true);
    wnd->SetMonitorFrame(monitor);
    ASSERT_TRUE(wnd->Open(nullptr));
    EXPECT_EQ(monitor->View().GetDocument(), doc);
    ASSERT_TRUE(Pump([&] { return wnd->Panel().GetWatchedChannels() == std::vector<int16_t>{0}; }));

    dialogs.On(CMoniterSetDlg::kTemplateId, [](fw::CDialog& d) {
        auto& s = dynamic_cast<CMoniterSetDlg&>(d);
        s.Available().SelectRow(1, true);  // channel 2
        Click(d, CMoniterSetDlg::kIdAppend);
        s.Monitored().SelectRow(0, true);  // channel 0
        Click(d, CMoniterSetDlg::kIdRemove);
        Click(d, CMoniterSetDlg::kIdMonitorPanel);
        Click(d, fw::IDOK);
        return 0;
    });
    wnd->OnMonitorSettings();
    EXPECT_EQ(doc->GetPanelMonitor().m_channels, (std::vector<int32_t>{2}));
    EXPECT_EQ(PanelShell().AppPanelPrf().m_nType, CPanelPrf::kMonitorPanel);
    EXPECT_EQ(PanelShell().AppMonitorPrf().m_bPeakMoni, doc->GetPanelMonitor().m_bPeakMoni);
    EXPECT_FALSE(wnd->Grid().Widget()->isVisible());
    EXPECT_TRUE(wnd->Panel().HasWorker());
    ASSERT_TRUE(Pump([&] { return wnd->Panel().GetWatchedChannels() == std::vector<int16_t>{2}; }));
    // One watcher each while shown, none left on the channel given up.
    auto useCount = [this](int ch) {
        return dynamic_cast<CCalcuDataTank*>(doc->GetChannelTankList()->GetObjectAt(ch))->GetUseCount();
    };
    EXPECT_EQ(useCount(0), 0);
    EXPECT_EQ(useCount(2), 1);
    EXPECT_EQ(monitor->View().Style().GetPane(kPaneSheet).m_nRows, 1);

    wnd->Panel().StopPolling();
    wnd->OnClose();
    EXPECT_EQ(monitor->View().GetDocument(), nullptr);
    PanelShell().AppPanelPrf().m_nType = CPanelPrf::kInPanel;
    monitor->DestroyWindow();
    QCoreApplication::processEvents();
}

// With KIV_MONITOR_SCREENSHOT set, the separate monitor panel during an
// emulated measurement is saved there as a PNG for the documentation.
TEST_F(MonitorSettingsTest, MonitorPanelPicture)
{
    const char* path = std::getenv("KIV_MONITOR_SCREENSHOT");
    if (!path)
        GTEST_SKIP() << "only makes the documentation's picture";
    MakeNamedProject(4);
    devices[0]->With([](kivemu::MeasureDevice& m, kivemu::MeterDevice&, kivemu::DeviceState&) {
        m.dataCount = 100000;
        m.samplesPerPoll = 10;
    });
    doc->GetPanelMonitor().m_channels = {0, 1, 2, 3};
    doc->GetPanelMonitor().m_bPeakMoni = 1;
    doc->GetPanelMonitor().m_bPeakRes = 0;
    PanelShell().AppPanelPrf().m_nType = CPanelPrf::kMonitorPanel;
    auto* monitor = new CMoniterFrame();
    monitor->SetAutoDelete(true);
    ASSERT_TRUE(monitor->CreateFrame(nullptr));
    auto* wnd = new CKeisokuPanelWnd(*doc, nullptr);
    wnd->SetAutoDelete(true);
    wnd->SetMonitorFrame(monitor);
    monitor->commandTarget = wnd;
    ASSERT_TRUE(wnd->Open(nullptr));
    fw::CString value;
    ASSERT_TRUE(Pump([&] { return monitor->View().GetSheetText(value, 4, 3, 0) && !value.IsEmpty(); }));
    ASSERT_TRUE(Pump([&] { return LinesWith(0, {"MDT"}).size() >= 20; }));
    monitor->ShowWindow(fw::SW_SHOW);
    QCoreApplication::processEvents();
    monitor->FitToView();
    QCoreApplication::processEvents();
    monitor->UpdateControlBars();
    QWidget* w = monitor->Widget();
    QImage image(w->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    w->render(&painter);
    painter.end();
    EXPECT_TRUE(image.save(path, "PNG"));
    wnd->Panel().StopPolling();
    wnd->OnClose();
    PanelShell().AppPanelPrf().m_nType = CPanelPrf::kInPanel;
    monitor->DestroyWindow();
    QCoreApplication::processEvents();
}

} // namespace
