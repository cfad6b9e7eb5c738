#pragma once

#include <array>
#include <functional>

// The floating measurement panel of one project: the start button, the
// project name, the clock, the automatic-measurement menu, monitoring,
// monitor settings and peak reset along the top, the monitor grid below.
// It owns the panel's state and worker (CKeisokuPanel) and shows what the
// poll cycle finds.

#include "framework/ui/DialogBar.h"
#include "framework/ui/MiniFrameWnd.h"
#include "measure/model/poll/KeisokuPanel.h"
#include "measure/views/panel/MoniterGrid.h"
#include "measure/views/panel/ProjectPanelHost.h"

#include <memory>

class CKIV5980Doc;
class CArarmFrame;
class CMoniterFrame;

class CKeisokuPanelWnd : public fw::CMiniFrameWnd {
    FW_DECLARE_DYNAMIC(CKeisokuPanelWnd)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kIdsTitle = 445;
    static constexpr unsigned kBarId = 32914;
    static constexpr unsigned kTimerId = 197;
    static constexpr int kIdClock = 1192;
    static constexpr unsigned ID_START = 32900, ID_SHOW_PROJECT = 32897, ID_AUTO_MENU = 32915,
                              ID_MONITORING = 32901, ID_MONITOR_SETTINGS = 32902, ID_PEAK_RESET = 32934,
                              ID_DATA_TRIGGER = 32904, ID_INTERVAL = 32905, ID_COMPARATOR = 32906,
                              ID_CYCLE_TRIGGER = 32907, ID_FREE_RUN = 33155, ID_PROGRAM = 33197;
    // The card and unit operations between measurements.
    static constexpr unsigned ID_READ_CARD = 32913, ID_DELETE_CARD = 33157, ID_RECORD_DATA = 33190,
                              ID_BALANCE = 32899, ID_CAL_OUTPUT = 32818;

    CKeisokuPanelWnd(CKIV5980Doc& doc, CArarmFrame* alarms);
    ~CKeisokuPanelWnd() override;

    // Makes the window and joins what the units do; false when it could
    // not be made or the panel aborted at once.
    bool Open(fw::CWnd* owner);
    CKeisokuPanel& Panel() { return *m_panel; }
    CKIV5980Doc& Document() { return m_host.Document(); }
    CMoniterGrid& Grid() { return m_grid; }
    // The main frame's separate monitor panel, which shows this panel's
    // project while it is open (null: none).
    void SetMonitorFrame(CMoniterFrame* frame);
    // Shows the monitor grid for panel type 0 only and fits the window.
    void ApplyPanelType();

    void OnTimer(unsigned id) override;
    void OnClose() override;
    void UpdateStartButton();

    // The command handlers, also reached from the main frame.
    void OnStart() { m_panel->OnStart(); }
    void OnMonitoring() { m_panel->ToggleMonitoring(); }
    void OnPeakReset() { m_panel->ResetPeaks(); }
    // The monitor settings dialog; on OK the settings go to the project
    // and the application with the polling paused.
    void OnMonitorSettings();
    void OnDataTrigger() { m_panel->OnDataTrigger(); }
    void OnInterval() { m_panel->OnInterval(); }
    void OnComparator() { m_panel->OnDataComparator(); }
    void OnCycleTrigger() { m_panel->OnCycleTrigger(); }
    void OnFreeRun() { m_panel->OnFreeRun(); }
    void OnProgram() { m_panel->OnProgramMeasure(); }
    void OnShowProject();
    void OnAutoMenu();
    void OnUpdateAutoMenu(fw::CCmdUI* ui);
    void OnUpdateStart(fw::CCmdUI* ui);
    void OnUpdateMonitoring(fw::CCmdUI* ui);
    void OnUpdatePeakReset(fw::CCmdUI* ui);
    void OnUpdateDataTrigger(fw::CCmdUI* ui);
    void OnUpdateInterval(fw::CCmdUI* ui);
    void OnUpdateComparator(fw::CCmdUI* ui);
    void OnUpdateCycleTrigger(fw::CCmdUI* ui);
    void OnUpdateFreeRun(fw::CCmdUI* ui);
    void OnUpdateProgram(fw::CCmdUI* ui);
    void OnUpdateAlways(fw::CCmdUI* ui) { ui->Enable(true); }
    void OnReadCard();
    void OnDeleteCard();
    void OnRecordData();
    void OnBalance();
    void OnCalibrationOutput();
    // Enabled while no measurement runs.
    void OnUpdateBetweenMeasurements(fw::CCmdUI* ui);

private:
    void BuildBar(fw::DialogBuilder& b);
    bool Armed() const { return m_panel->GetFreeRun() == 1; }
    double MeasureSeconds();
    // Polling stopped around a card or unit operation; the panel aborts
    // when the operation answers false, as it cannot go on with the units.
    void BetweenPolls(const std::function<bool()>& operation);
    // The newest measurement, frequency and voice times as the card
    // dialogs show them.
    std::array<fw::CString, 3> LatestCaptions();

    CProjectPanelHost m_host;
    std::unique_ptr<CKeisokuPanel> m_panel;
    CArarmFrame* m_alarms;
    CMoniterFrame* m_monitor = nullptr;
    fw::CDialogBar m_bar;
    CMoniterGrid m_grid;
    bool m_closing = false;
};
