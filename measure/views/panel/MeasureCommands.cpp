#include "measure/views/panel/MeasureCommands.h"

#include "docview/instrumentdlg/UnitTypeTable.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "instrument/Kiv406ErrStr.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/SequenceSupport.h"
#include "measure/model/monitor/PanelPrf.h"
#include "measure/model/poll/UnitCheck.h"
#include "measure/views/dialogs/MeasureOptionDlgs.h"
#include "measure/views/dialogs/MeterAccessDlg.h"
#include "measure/views/monitor/MoniterFrame.h"
#include "measure/views/panel/ArarmFrame.h"
#include "measure/views/panel/KeisokuPanelWnd.h"
#include "measure/views/transfer/ReadUnitData.h"
#include "measure/views/panel/PanelShell.h"
#include "project/model/KIV5980Doc.h"
#include "docbase/doc/UpdateHints.h"

#include <algorithm>
#include <iterator>

namespace {

CMeasureCommands* g_commands = nullptr;

// Commands that the panel handles itself, with its update rules.
constexpr unsigned kForwarded[] = {32900, 32897, 32901, 32902, 32934, 32904, 32905, 32906, 32907, 33155, 33197,
                                   32913, 33157, 33190, 32899, 32818};

constexpr intptr_t kHintUnitSettings = 43;

// The four characters of a firmware word.
fw::CString VersionText(uint32_t word)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        if (const char c = static_cast<char>((word >> shift) & 0xFF))
            text += c;
    return fw::CString(text);
}

// One unit's version, or each numbered from 1 when there are several.
fw::CString VersionsOf(CBoxArray& system)
{
    if (system.GetBoxCount() == 1)
        return VersionText(system.GetBox(0)->GetMeter()->GetFirmwareVersion());
    fw::CString text;
    for (int b = 0; b < system.GetBoxCount(); ++b)
        text += fw::Format("(%d) %s   ", b + 1, VersionText(system.GetBox(b)->GetMeter()->GetFirmwareVersion()).c_str());
    return text;
}

} // namespace

CMeasureCommands* MeasureCommands()
{
    return g_commands;
}

void SetMeasureCommands(CMeasureCommands* commands)
{
    g_commands = commands;
}

FW_BEGIN_COMMANDS(CMeasureCommands, fw::CCmdTarget)
    FW_ON_COMMAND(CMeasureCommands::ID_KEISOKU_PANEL, &CMeasureCommands::OnKeisokuPanel)
    FW_ON_UPDATE(CMeasureCommands::ID_KEISOKU_PANEL, &CMeasureCommands::OnUpdateKeisokuPanel)
    FW_ON_COMMAND(CMeasureCommands::ID_ALARM_SHOW, &CMeasureCommands::OnAlarmShow)
    FW_ON_UPDATE(CMeasureCommands::ID_ALARM_SHOW, &CMeasureCommands::OnUpdateAlarmShow)
    FW_ON_COMMAND(CMeasureCommands::ID_READ_UNIT_DATA, &CMeasureCommands::OnReadUnitData)
    FW_ON_UPDATE(CMeasureCommands::ID_READ_UNIT_DATA, &CMeasureCommands::OnUpdateReadUnitData)
    FW_ON_COMMAND(CMeasureCommands::ID_AUTO_SAVE, &CMeasureCommands::OnAutoSave)
    FW_ON_UPDATE(CMeasureCommands::ID_AUTO_SAVE, &CMeasureCommands::OnUpdateAutoSave)
    FW_ON_COMMAND(CMeasureCommands::ID_CARD_AUTO_DELETE, &CMeasureCommands::OnCardAutoDelete)
    FW_ON_UPDATE(CMeasureCommands::ID_CARD_AUTO_DELETE, &CMeasureCommands::OnUpdateCardAutoDelete)
    FW_ON_COMMAND(CMeasureCommands::ID_METER_CHECK, &CMeasureCommands::OnMeterCheck)
    FW_ON_UPDATE(CMeasureCommands::ID_METER_CHECK, &CMeasureCommands::OnUpdateIdleCommand)
FW_END_COMMANDS

CMeasureCommands::CMeasureCommands() = default;

CMeasureCommands::~CMeasureCommands()
{
    if (g_commands == this)
        g_commands = nullptr;
}

bool CMeasureCommands::OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info)
{
    if (fw::CCmdTarget::OnCmdMsg(id, code, ui, info))
        return true;
    if (std::find(std::begin(kForwarded), std::end(kForwarded), id) == std::end(kForwarded))
        return false;
    if (m_panel)
        return m_panel->OnCmdMsg(id, code, ui, info);
    if (ui && !info) {
        ui->Enable(false);
        ui->SetCheck(0);
        return true;
    }
    return false;
}

CArarmFrame* CMeasureCommands::Alarms()
{
    if (!m_alarms) {
        auto* alarms = new CArarmFrame();
        if (!alarms->CreateFrame(owner ? owner() : nullptr)) {
            delete alarms;
            return nullptr;
        }
        alarms->SetAutoDelete(true);
        m_alarms = alarms;
    }
    return m_alarms;
}

CMoniterFrame* CMeasureCommands::MonitorFrame()
{
    if (!m_monitor) {
        auto* monitor = new CMoniterFrame();
        if (!monitor->CreateFrame(owner ? owner() : nullptr)) {
            delete monitor;
            return nullptr;
        }
        monitor->SetAutoDelete(true);
        monitor->commandTarget = this;
        monitor->onClose = [this] {
            PanelShell().AppPanelPrf().m_nType = CPanelPrf::kInPanel;
            SyncMonitorPanel();
            if (m_panel)
                m_panel->ApplyPanelType();
        };
        m_monitor = monitor;
    }
    return m_monitor;
}

void CMeasureCommands::SyncMonitorPanel()
{
    const bool show = m_panel && PanelShell().AppPanelPrf().m_nType == CPanelPrf::kMonitorPanel;
    if (!show && !m_monitor)
        return;
    if (CMoniterFrame* monitor = MonitorFrame())
        monitor->ShowWindow(show ? fw::SW_SHOWNOACTIVATE : fw::SW_HIDE);
}

bool CMeasureCommands::StopPanelPolling()
{
    m_wasOpen = m_panel != nullptr;
    return m_panel ? m_panel->Panel().StopPolling() : false;
}

void CMeasureCommands::RestartPanelPolling()
{
    if (!m_wasOpen || !m_panel)
        return;
    if (!m_panel->Panel().StartPolling()) {
        m_panel->Panel().System().CloseMeters();
        CloseKeisokuPanel();
    }
}

void CMeasureCommands::OnKeisokuPanelClosed()
{
    m_panel = nullptr;
    if (m_alarms)
        m_alarms->ShowWindow(fw::SW_HIDE);
    if (m_monitor)
        m_monitor->ShowWindow(fw::SW_HIDE);
}

void CMeasureCommands::CloseKeisokuPanel()
{
    if (m_panel)
        m_panel->OnClose();
}

void CMeasureCommands::OnKeisokuPanel()
{
    if (m_panel) {
        fw::PostMessage(m_panel->GetSafeHwnd(), fw::WM_CLOSE, 0, 0);
        return;
    }
    OpenKeisokuPanel();
}

void CMeasureCommands::OnUpdateKeisokuPanel(fw::CCmdUI* ui)
{
    ui->Enable(m_panel != nullptr || dynamic_cast<CKIV5980Doc*>(activeDocument ? activeDocument() : nullptr));
    ui->SetCheck(m_panel ? 1 : 0);
}

void CMeasureCommands::OnAlarmShow()
{
    CArarmFrame* alarms = Alarms();
    if (!alarms || !m_panel)
        return;
    StopPanelPolling();
    const bool show = !alarms->Widget() || !alarms->Widget()->isVisible();
    alarms->ShowWindow(show ? fw::SW_SHOW : fw::SW_HIDE);
    m_panel->Panel().SetAlarmWatch(show);
    RestartPanelPolling();
}

void CMeasureCommands::OnUpdateAlarmShow(fw::CCmdUI* ui)
{
    ui->Enable(m_panel != nullptr);
    ui->SetCheck(m_alarms && m_alarms->Widget() && m_alarms->Widget()->isVisible() ? 1 : 0);
}

void CMeasureCommands::OnUpdateIdleCommand(fw::CCmdUI* ui)
{
    ui->Enable(m_panel && !m_panel->Panel().IsTriggerMeasuring());
}

CKeisokuPanelWnd* CMeasureCommands::OpenKeisokuPanel()
{
    auto* doc = dynamic_cast<CKIV5980Doc*>(activeDocument ? activeDocument() : nullptr);
    if (!doc)
        return nullptr;
    if (m_panel)
        m_panel->OnClose();
    if (!PrepareMeasurement(*doc))
        return nullptr;
    auto* panel = new CKeisokuPanelWnd(*doc, Alarms());
    panel->SetAutoDelete(true);
    panel->SetMonitorFrame(MonitorFrame());
    m_panel = panel;
    if (!panel->Open(owner ? owner() : nullptr)) {
        // A panel whose window exists closes through its abort path.
        if (!panel->Widget()) {
            m_panel = nullptr;
            if (m_monitor)
                m_monitor->SetDocument(nullptr);
            delete panel;
        }
        return m_panel;
    }
    SyncMonitorPanel();
    CUpdateDataDoc opened(doc);
    doc->UpdateAllViews(nullptr, kHintPanelOpened, &opened);
    PanelShell().SendGraphHint(kHintPanelOpened, doc);
    return panel;
}

bool CMeasureCommands::PrepareMeasurement(CKIV5980Doc& doc)
{
    if (!doc.SaveForMeasurement())
        return false;
    if (PanelShell().DontSaveAutomatically() &&
        fw::AfxMessageBox(kMsgNoAutoSave, fw::MB_YESNO | fw::MB_DEFBUTTON2) != fw::IDYES)
        return false;
    if (!ConnectAndCheckUnits(doc)) {
        PanelShell().ReleaseLink();
        return false;
    }
    return true;
}

bool CMeasureCommands::ConnectAndCheckUnits(CKIV5980Doc& doc)
{
    CBoxArray& system = doc.GetBoxArray();
    CMeterInterface* link = PanelShell().CreateLink(system.GetProfile());
    if (!link)
        return false;
    if (!system.ConnectMeters(link)) {
        system.CloseMeters();
        return false;
    }
    for (;;) {
        try {
            system.CollectBoxStates();
            break;
        } catch (const std::exception& e) {
            CKiv406ErrStr texts;
            if (!system.AskContinue(texts.GetExceptionText(e).c_str(), nullptr)) {
                system.CloseMeters();
                return false;
            }
        }
    }
    if (!system.CheckDataCounts()) {
        system.CloseMeters();
        return false;
    }
    try {
        const auto mismatch = CheckUnitPorts(system);
        if (mismatch) {
            const fw::CString box = system.GetBox(mismatch->box)->GetName();
            fw::CString text;
            if (mismatch->messageId == kMsgOtherUnit) {
                CUnitTypeTable table;
                table.Load();
                fw::CString kind;
                try {
                    kind = table.GetTypeName(mismatch->pluggedCode);
                } catch (const std::exception&) {
                }
                text = fw::Format(fw::LoadStringText(mismatch->messageId), box.c_str(), mismatch->port, kind.c_str());
            } else {
                text = fw::Format(fw::LoadStringText(mismatch->messageId), box.c_str(), mismatch->port);
            }
            system.CloseMeters();
            fw::AfxMessageBox(text);
            return false;
        }
    } catch (const std::exception& e) {
        system.CloseMeters();
        CKiv406ErrStr texts;
        texts.ReportException(e);
        return false;
    }
    if (!AccessMeters(doc)) {
        system.CloseMeters();
        return false;
    }
    return true;
}

bool CMeasureCommands::AccessMeters(CKIV5980Doc& doc)
{
    CMeterAccessDlg::Host host;
    host.rebuildChannels = [&doc] { doc.RebuildChannels(); };
    host.saveProject = [&doc] { return doc.DoFileSave(); };
    host.setConnectedProject = [&doc] { PanelShell().SetConnectedProject(&doc); };
    host.refreshViews = [&doc] {
        doc.UpdateAllViews(nullptr, kHintTestTitleChanged);
        doc.UpdateAllViews(nullptr, kHintUnitSettings);
    };
    CMeterAccessDlg dialog(doc.GetBoxArray(), std::move(host), owner ? owner() : nullptr);
    dialog.m_strVersion = VersionsOf(doc.GetBoxArray());
    return dialog.DoModal() == fw::IDOK;
}

// "KIV-406データ読み込み...": recorded files copied to a PC folder come into
// the active project, with the panel's polling paused meanwhile.
void CMeasureCommands::OnReadUnitData()
{
    auto* doc = dynamic_cast<CKIV5980Doc*>(activeDocument ? activeDocument() : nullptr);
    if (!doc)
        return;
    const bool polling = StopPanelPolling();
    readunitdata::ReadUnitData(*doc, owner ? owner() : nullptr);
    if (polling)
        RestartPanelPolling();
}

void CMeasureCommands::OnUpdateReadUnitData(fw::CCmdUI* ui)
{
    auto* doc = dynamic_cast<CKIV5980Doc*>(activeDocument ? activeDocument() : nullptr);
    ui->Enable(doc && !(m_panel && m_panel->Panel().IsMeasuring()));
}

void CMeasureCommands::OnAutoSave()
{
    MeasureOptions options = PanelShell().GetMeasureOptions();
    CDontDataSaveDlg dialog(owner ? owner() : nullptr);
    dialog.m_nDontSave = options.dontSave;
    dialog.m_nRecordHistory = options.recordHistory;
    if (dialog.DoModal() != fw::IDOK)
        return;
    options.dontSave = dialog.m_nDontSave;
    options.recordHistory = dialog.m_nRecordHistory;
    PanelShell().SetMeasureOptions(options);
}

void CMeasureCommands::OnUpdateAutoSave(fw::CCmdUI* ui)
{
    ui->Enable(m_panel == nullptr);
    ui->SetCheck(PanelShell().GetMeasureOptions().dontSave == 0 ? 1 : 0);
}

void CMeasureCommands::OnCardAutoDelete()
{
    MeasureOptions options = PanelShell().GetMeasureOptions();
    CCfAutoDelDlg dialog(owner ? owner() : nullptr);
    dialog.m_nDelete = options.deleteCardFiles;
    if (dialog.DoModal() != fw::IDOK)
        return;
    options.deleteCardFiles = dialog.m_nDelete;
    PanelShell().SetMeasureOptions(options);
}

void CMeasureCommands::OnUpdateCardAutoDelete(fw::CCmdUI* ui)
{
    ui->Enable(true);
    ui->SetCheck(PanelShell().GetMeasureOptions().deleteCardFiles != 0 ? 1 : 0);
}
