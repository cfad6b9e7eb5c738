#pragma once

// The main frame's measurement commands: opening and closing the
// measurement panel for the active project after its control units were
// connected and checked, the commands forwarded to the panel, the alarm
// window, and the pause of the panel's polling around every other command
// sequence to the instruments. The program routes the main frame's
// commands here after its own.

#include "framework/core/CmdTarget.h"

#include <functional>
#include <memory>

namespace fw {
class CDocument;
class CWnd;
}
class CArarmFrame;
class CMoniterFrame;
class CKIV5980Doc;
class CKeisokuPanelWnd;

class CMeasureCommands : public fw::CCmdTarget {
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned ID_KEISOKU_PANEL = 32779, ID_ALARM_SHOW = 32817, ID_METER_CHECK = 32898,
                              ID_READ_UNIT_DATA = 33106, ID_AUTO_SAVE = 32955, ID_CARD_AUTO_DELETE = 33156;
    static constexpr unsigned kMsgNoAutoSave = 517;

    CMeasureCommands();
    ~CMeasureCommands() override;

    // The window the panels float above and the document of its active
    // child.
    std::function<fw::CWnd*()> owner;
    std::function<fw::CDocument*()> activeDocument;

    CKeisokuPanelWnd* OpenKeisokuPanel();
    void CloseKeisokuPanel();
    CKeisokuPanelWnd* Panel() const { return m_panel; }
    CArarmFrame* Alarms();
    // The separate monitor panel, made on first use.
    CMoniterFrame* MonitorFrame();
    // The monitor panel shows while a measurement panel is open and the
    // application's panel type asks for it.
    void SyncMonitorPanel();
    // False when no panel was polling.
    bool StopPanelPolling();
    void RestartPanelPolling();
    // The panel window has gone.
    void OnKeisokuPanelClosed();

    bool PrepareMeasurement(CKIV5980Doc& doc);
    // Own commands first; the panel's commands go to the panel, and are
    // disabled while none is open.
    bool OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info = nullptr) override;
    bool ConnectAndCheckUnits(CKIV5980Doc& doc);
    // The user brings project and units into step (settings sent, or read
    // back); false when cancelled or when the access failed.
    bool AccessMeters(CKIV5980Doc& doc);

private:
    void OnKeisokuPanel();
    void OnUpdateKeisokuPanel(fw::CCmdUI* ui);
    void OnAlarmShow();
    void OnUpdateAlarmShow(fw::CCmdUI* ui);
    void OnUpdateIdleCommand(fw::CCmdUI* ui);
    void OnMeterCheck() {}
    void OnReadUnitData();
    void OnUpdateReadUnitData(fw::CCmdUI* ui);
    // The application's options: saving after a measurement (not while a
    // panel is open) and deleting fetched files from the card.
    void OnAutoSave();
    void OnUpdateAutoSave(fw::CCmdUI* ui);
    void OnCardAutoDelete();
    void OnUpdateCardAutoDelete(fw::CCmdUI* ui);

    CKeisokuPanelWnd* m_panel = nullptr;  // deletes itself with its window
    CArarmFrame* m_alarms = nullptr;  // deleted with its window
    CMoniterFrame* m_monitor = nullptr;  // deleted with its window
    bool m_wasOpen = false;
};

// The one instance the program routes to (null before registration).
CMeasureCommands* MeasureCommands();
void SetMeasureCommands(CMeasureCommands* commands);
