#include "measure/views/panel/KeisokuPanelWnd.h"

#include "docbase/doc/UpdateHints.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/View.h"
#include "measure/views/dialogs/CardCommands.h"
#include "measure/model/monitor/PanelPrf.h"
#include "measure/views/monitor/MoniterFrame.h"
#include "measure/views/monitor/MoniterSetDlg.h"
#include "measure/views/panel/ArarmFrame.h"
#include "measure/views/panel/MeasureCommands.h"
#include "measure/views/panel/PanelShell.h"
#include "project/model/KIV5980Doc.h"

#include "framework/ui/Menu.h"

#include <QMainWindow>
#include <QPoint>
#include <QWidget>

#include <algorithm>
#include <utility>

FW_IMPLEMENT_DYNAMIC(CKeisokuPanelWnd, fw::CMiniFrameWnd)

FW_BEGIN_COMMANDS(CKeisokuPanelWnd, fw::CMiniFrameWnd)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_READ_CARD, &CKeisokuPanelWnd::OnReadCard)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_READ_CARD, &CKeisokuPanelWnd::OnUpdateBetweenMeasurements)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_DELETE_CARD, &CKeisokuPanelWnd::OnDeleteCard)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_DELETE_CARD, &CKeisokuPanelWnd::OnUpdateBetweenMeasurements)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_RECORD_DATA, &CKeisokuPanelWnd::OnRecordData)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_RECORD_DATA, &CKeisokuPanelWnd::OnUpdateBetweenMeasurements)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_BALANCE, &CKeisokuPanelWnd::OnBalance)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_BALANCE, &CKeisokuPanelWnd::OnUpdateBetweenMeasurements)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_CAL_OUTPUT, &CKeisokuPanelWnd::OnCalibrationOutput)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_CAL_OUTPUT, &CKeisokuPanelWnd::OnUpdateBetweenMeasurements)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_START, &CKeisokuPanelWnd::OnStart)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_START, &CKeisokuPanelWnd::OnUpdateStart)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_SHOW_PROJECT, &CKeisokuPanelWnd::OnShowProject)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_SHOW_PROJECT, &CKeisokuPanelWnd::OnUpdateAlways)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_AUTO_MENU, &CKeisokuPanelWnd::OnAutoMenu)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_AUTO_MENU, &CKeisokuPanelWnd::OnUpdateAutoMenu)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_MONITORING, &CKeisokuPanelWnd::OnMonitoring)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_MONITORING, &CKeisokuPanelWnd::OnUpdateMonitoring)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_MONITOR_SETTINGS, &CKeisokuPanelWnd::OnMonitorSettings)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_MONITOR_SETTINGS, &CKeisokuPanelWnd::OnUpdateAlways)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_PEAK_RESET, &CKeisokuPanelWnd::OnPeakReset)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_PEAK_RESET, &CKeisokuPanelWnd::OnUpdatePeakReset)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_DATA_TRIGGER, &CKeisokuPanelWnd::OnDataTrigger)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_DATA_TRIGGER, &CKeisokuPanelWnd::OnUpdateDataTrigger)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_INTERVAL, &CKeisokuPanelWnd::OnInterval)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_INTERVAL, &CKeisokuPanelWnd::OnUpdateInterval)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_COMPARATOR, &CKeisokuPanelWnd::OnComparator)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_COMPARATOR, &CKeisokuPanelWnd::OnUpdateComparator)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_CYCLE_TRIGGER, &CKeisokuPanelWnd::OnCycleTrigger)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_CYCLE_TRIGGER, &CKeisokuPanelWnd::OnUpdateCycleTrigger)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_FREE_RUN, &CKeisokuPanelWnd::OnFreeRun)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_FREE_RUN, &CKeisokuPanelWnd::OnUpdateFreeRun)
    FW_ON_COMMAND(CKeisokuPanelWnd::ID_PROGRAM, &CKeisokuPanelWnd::OnProgram)
    FW_ON_UPDATE(CKeisokuPanelWnd::ID_PROGRAM, &CKeisokuPanelWnd::OnUpdateProgram)
FW_END_COMMANDS

namespace {

constexpr unsigned kIdsHighSpeedTitle = 432;
constexpr int kHighSpeedClass = 2;
constexpr double kMinAutoSeconds = 10;
// The panel's height with the monitor grid inside.
constexpr int kPanelHeight = 260;

} // namespace

CKeisokuPanelWnd::CKeisokuPanelWnd(CKIV5980Doc& doc, CArarmFrame* alarms) : m_host(doc), m_alarms(alarms)
{
    m_panel = std::make_unique<CKeisokuPanel>(m_host);
    m_host.redrawMonitor = [this] {
        const int type = PanelShell().AppPanelPrf().m_nType;
        if (type == CPanelPrf::kInPanel && m_grid.Widget())
            m_grid.RedrawPanes();
        else if (type == CPanelPrf::kMonitorPanel && m_monitor && m_monitor->View().Widget())
            m_monitor->View().RedrawPanes();
    };
    m_host.refreshAlarms = [this](bool sound) {
        if (m_alarms)
            m_alarms->UpdateAlarms(sound);
    };
    m_host.closePanel = [this] {
        if (GetSafeHwnd())
            fw::PostMessage(GetSafeHwnd(), fw::WM_CLOSE, 0, 0);
    };
    m_host.cancelDialog = [] {
        if (fw::CDialog* dialog = fw::TopModalDialog())
            dialog->EndDialog(fw::IDCANCEL);
    };
    m_host.updateStartButton = [this] { UpdateStartButton(); };
    m_host.selectDeleteCardFiles = [this] {
        return cardcommands::SelectDeleteCardFiles(Document().GetBoxArray(), LatestCaptions(), this);
    };
    if (m_alarms)
        m_alarms->SetDocument(&doc);
}

CKeisokuPanelWnd::~CKeisokuPanelWnd()
{
    m_panel->StopPolling();
    m_grid.Attach(nullptr);
    // The monitor panel is let go in OnClose: at shut-down it may be gone
    // before this window.
}

void CKeisokuPanelWnd::SetMonitorFrame(CMoniterFrame* frame)
{
    if (m_monitor && m_monitor != frame)
        m_monitor->SetDocument(nullptr);
    m_monitor = frame;
    if (m_monitor)
        m_monitor->SetDocument(&Document());
}

void CKeisokuPanelWnd::ApplyPanelType()
{
    QWidget* grid = m_grid.Widget();
    QWidget* frame = Widget();
    if (!grid || !frame)
        return;
    const bool inPanel = PanelShell().AppPanelPrf().m_nType == CPanelPrf::kInPanel;
    if (grid->isVisibleTo(frame) == inPanel && frame->height() > 0)
        return;
    grid->setVisible(inPanel);
    if (inPanel)
        frame->resize(frame->width(), std::max(frame->height(), kPanelHeight));
    else
        frame->resize(frame->width(), frame->minimumSizeHint().height());
}

void CKeisokuPanelWnd::OnMonitorSettings()
{
    CMoniterSetDlg dialog(Document(), this);
    dialog.m_nPanelType = PanelShell().AppPanelPrf().m_nType;
    if (dialog.DoModal() != fw::IDOK || m_closing)
        return;
    const bool ran = m_panel->HasWorker();
    m_panel->StopPolling();
    // The grid is what watches the monitored channels, so the settings go
    // in without the document's own use counts, which would stand beside
    // the grid's and outlive the panel.
    m_grid.Attach(nullptr);
    Document().GetPanelMonitor() = dialog.Settings();
    Document().SetModifiedFlag(true);
    PanelShell().AppMonitorPrf() = static_cast<const CMoniterPrf&>(dialog.Settings());
    PanelShell().AppPanelPrf().m_nType = dialog.m_nPanelType;
    m_grid.Attach(&Document());
    if (m_monitor) {
        m_monitor->ApplySettings(true);
        m_monitor->FitToView();
    }
    ApplyPanelType();
    if (CMeasureCommands* commands = MeasureCommands())
        commands->SyncMonitorPanel();
    if (ran && !m_panel->StartPolling())
        m_panel->AbortPanel();
}

void CKeisokuPanelWnd::BuildBar(fw::DialogBuilder& b)
{
    b.Button(ID_START, m_panel->StartButtonText(), true);
    b.Button(ID_SHOW_PROJECT, Document().GetTitle());
    b.Static(kIdClock, "00:00:00");
    b.Button(ID_AUTO_MENU, "自動計測▼");
    b.Check(ID_MONITORING, "ﾓﾆﾀﾘﾝｸﾞ");
    b.Button(ID_MONITOR_SETTINGS, "ﾓﾆﾀ設定");
    b.Button(ID_PEAK_RESET, "P.R");
}

bool CKeisokuPanelWnd::Open(fw::CWnd* owner)
{
    if (!CreateMini(fw::LoadStringText(kIdsTitle), owner, fw::CRect(0, 0, 420, 260)))
        return false;
    if (!m_bar.Create(this, [this](fw::DialogBuilder& b) { BuildBar(b); }, kBarId))
        return false;
    if (!m_grid.Create(fw::CRect(0, 0, 400, 200), this, 1187))
        return false;
    if (MainWindow())
        MainWindow()->setCentralWidget(m_grid.Widget());
    m_grid.Attach(&Document());
    SetTimer(kTimerId, 500);
    OnTimer(kTimerId);
    if (m_panel->GetUnitSpeedClass() == kHighSpeedClass)
        SetWindowText(fw::LoadStringText(kIdsHighSpeedTitle));
    m_panel->SetMonitoring(!Document().GetPanelMonitor().m_channels.empty());
    if (!m_panel->InitPanelState())
        return false;
    if (m_panel->GetUnitSpeedClass() == kHighSpeedClass)
        SetWindowText(fw::LoadStringText(kIdsHighSpeedTitle));
    UpdateStartButton();
    ApplyPanelType();
    CenterWindow();
    ShowWindow(fw::SW_SHOW);
    return true;
}

void CKeisokuPanelWnd::OnTimer(unsigned id)
{
    if (id != kTimerId)
        return;
    if (fw::CWnd* clock = m_bar.GetDlgItem(kIdClock))
        clock->SetWindowText(fw::COleDateTime::GetCurrentTime().Format("%H:%M:%S"));
}

void CKeisokuPanelWnd::UpdateStartButton()
{
    if (fw::CWnd* button = m_bar.GetDlgItem(static_cast<int>(ID_START)))
        button->SetWindowText(m_panel->StartButtonText());
}

void CKeisokuPanelWnd::OnClose()
{
    if (m_closing)
        return;
    if (!m_panel->Close())
        return;
    m_closing = true;
    KillTimer(kTimerId);
    m_grid.Attach(nullptr);
    if (m_alarms)
        m_alarms->SetDocument(nullptr);
    if (m_monitor)
        m_monitor->SetDocument(nullptr);
    PanelShell().OnPanelClosed();
    CKIV5980Doc& doc = Document();
    doc.UpdateAllViews(nullptr, kHintPanelClosed);
    PanelShell().SendGraphHint(kHintPanelClosed, &doc);
    if (CMeasureCommands* commands = MeasureCommands())
        commands->OnKeisokuPanelClosed();
    DestroyWindow();
}

void CKeisokuPanelWnd::OnShowProject()
{
    fw::POSITION pos = Document().GetFirstViewPosition();
    fw::CView* view = pos ? Document().GetNextView(pos) : nullptr;
    if (!view)
        return;
    if (fw::CFrameWnd* frame = view->GetParentFrame())
        frame->ActivateFrame();
}

void CKeisokuPanelWnd::OnAutoMenu()
{
    fw::CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    // The interval, comparator and cycle-trigger modes are not offered in
    // any popup of the program; their commands stay for the main menu.
    const std::pair<unsigned, const char*> items[] = {
        {ID_FREE_RUN, "フリーラン..."}, {ID_DATA_TRIGGER, "ﾃﾞｰﾀﾄﾘｶﾞ..."}, {ID_PROGRAM, "プログラム計測"}};
    for (const auto& [id, text] : items)
        menu.AppendMenu(fw::MF_STRING, id, text);
    OnInitMenuPopup(&menu, 0, false);
    QPoint at;
    if (fw::CWnd* button = m_bar.GetDlgItem(static_cast<int>(ID_AUTO_MENU)); button && button->Widget())
        at = button->Widget()->mapToGlobal(QPoint(0, button->Widget()->height()));
    const unsigned chosen = menu.TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON | fw::TPM_RETURNCMD, at.x(),
                                                at.y(), this);
    if (chosen != 0)
        ExecuteCommand(chosen);
}

void CKeisokuPanelWnd::OnUpdateAutoMenu(fw::CCmdUI* ui)
{
    ui->Enable(!m_panel->IsMeasuring() && m_panel->GetProgram() != 1);
    ui->SetCheck(m_panel->IsAutoMeasuring() ? 1 : 0);
}

double CKeisokuPanelWnd::MeasureSeconds()
{
    return m_panel->System().GetADSet().GetMeasureTime(CADSetPrf::unitS);
}

void CKeisokuPanelWnd::OnUpdateStart(fw::CCmdUI* ui)
{
    ui->Enable(m_panel->IsMeasuring() || m_panel->GetProgram() != 0 || Armed() || m_panel->CanStart());
}

void CKeisokuPanelWnd::OnUpdateMonitoring(fw::CCmdUI* ui)
{
    ui->Enable(true);
    ui->SetCheck(m_panel->IsMonitoring() ? 1 : 0);
}

void CKeisokuPanelWnd::OnUpdatePeakReset(fw::CCmdUI* ui)
{
    ui->Enable(Document().GetPanelMonitor().m_bPeakMoni != 0);
}

void CKeisokuPanelWnd::OnUpdateDataTrigger(fw::CCmdUI* ui)
{
    CKeisokuPanel& p = *m_panel;
    ui->Enable(!Armed() && p.CanStart() && p.System().GetSaveMode() == 1 && p.GetProgram() != 1 && !p.IsMeasuring());
    ui->SetCheck(p.IsDataTrigger() ? 1 : 0);
}

void CKeisokuPanelWnd::OnUpdateInterval(fw::CCmdUI* ui)
{
    CKeisokuPanel& p = *m_panel;
    if (Armed() || (!p.CanStart() && p.System().GetSaveMode() == 2)) {
        ui->Enable(false);
        ui->SetCheck(0);
        return;
    }
    ui->Enable(!p.IsMeasuring());
    ui->SetCheck(p.IsInterval() ? 1 : 0);
}

void CKeisokuPanelWnd::OnUpdateComparator(fw::CCmdUI* ui)
{
    CKeisokuPanel& p = *m_panel;
    if (Armed()) {
        ui->Enable(false);
        ui->SetCheck(0);
        return;
    }
    ui->Enable(!(p.IsMeasuring() || (!p.CanStart() && p.System().GetSaveMode() == 2)));
    ui->SetCheck(p.IsComparator() ? 1 : 0);
}

// The measuring system offers no cycle trigger in any configuration.
void CKeisokuPanelWnd::OnUpdateCycleTrigger(fw::CCmdUI* ui)
{
    ui->Enable(false);
    ui->SetCheck(0);
}

void CKeisokuPanelWnd::OnUpdateFreeRun(fw::CCmdUI* ui)
{
    CKeisokuPanel& p = *m_panel;
    const bool startable = Armed() || (!p.IsMeasuring() && p.CanStart() && !p.IsAutoMeasuring());
    ui->Enable(p.GetUnitSpeedClass() != kHighSpeedClass && startable && p.GetUnitsMode() == 0 &&
               !p.HasStorageUnit() && MeasureSeconds() >= kMinAutoSeconds);
    ui->SetCheck(p.GetFreeRun() != 0 ? 1 : 0);
}

void CKeisokuPanelWnd::OnUpdateProgram(fw::CCmdUI* ui)
{
    CKeisokuPanel& p = *m_panel;
    const bool highSpeedOk = p.GetUnitSpeedClass() != kHighSpeedClass || p.System().GetSaveMode() == 1;
    ui->Enable(!p.IsMeasuring() && p.CanStart() && !p.IsAutoMeasuring() && p.GetUnitsMode() == 0 && !Armed() &&
               !p.HasStorageUnit() && MeasureSeconds() >= kMinAutoSeconds && highSpeedOk);
    ui->SetCheck(p.GetProgram() != 0 ? 1 : 0);
}

// ---- card and unit operations between measurements ---------------------------------------

void CKeisokuPanelWnd::BetweenPolls(const std::function<bool()>& operation)
{
    m_panel->StopPolling();
    if (!operation()) {
        m_panel->AbortPanel();
        return;
    }
    m_panel->StartPolling();
}

std::array<fw::CString, 3> CKeisokuPanelWnd::LatestCaptions()
{
    constexpr unsigned kIdsLastMeasured = 556;  // "最終計測日時　%s"
    constexpr unsigned kIdsLastRecorded = 818;  // "最終録音日時　%s"
    std::array<fw::CString, 3> captions;
    CKIV5980Doc& doc = Document();
    const int step = doc.GetHistory().GetLastIndex();
    if (step >= 0)
        captions[0] = fw::Format(fw::LoadStringText(kIdsLastMeasured),
                                 doc.GetHistory().GetStepTime(step).Format("%Y/%m/%d %H:%M:%S").c_str());
    CHistMMAObject& freq = doc.GetFreqHistory();
    if (freq.GetMaxIndex() >= 0)
        captions[1] = fw::Format(fw::LoadStringText(kIdsLastMeasured),
                                 freq.GetStartTime(freq.GetMaxIndex()).Format("%y/%m/%d %H:%M:%S").c_str());
    CVoiceListObj& voices = doc.GetVoiceList();
    if (voices.GetMaxIndex() >= 0)
        captions[2] =
            fw::Format(fw::LoadStringText(kIdsLastRecorded),
                       fw::COleDateTime(voices.GetRecordDate(voices.GetMaxIndex())).Format("%Y/%m/%d %H:%M:%S").c_str());
    return captions;
}

void CKeisokuPanelWnd::OnReadCard()
{
    BetweenPolls([this] { return cardcommands::ReadCardData(Document(), LatestCaptions(), this); });
}

void CKeisokuPanelWnd::OnDeleteCard()
{
    BetweenPolls(
        [this] { return cardcommands::SelectDeleteCardFiles(Document().GetBoxArray(), LatestCaptions(), this); });
}

void CKeisokuPanelWnd::OnRecordData()
{
    BetweenPolls([this] { return cardcommands::SetRecordData(Document().GetBoxArray(), this); });
}

void CKeisokuPanelWnd::OnBalance()
{
    BetweenPolls([this] { return cardcommands::Balance(Document(), this); });
}

void CKeisokuPanelWnd::OnCalibrationOutput()
{
    BetweenPolls([this] {
        cardcommands::CalibrationOutput(Document().GetBoxArray(), this);
        return true;
    });
}

void CKeisokuPanelWnd::OnUpdateBetweenMeasurements(fw::CCmdUI* ui) { ui->Enable(!m_panel->IsMeasuring()); }
