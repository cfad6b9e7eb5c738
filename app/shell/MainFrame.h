#pragma once

// The program's main window: the MDI frame with its tool bar, the
// measurement bar (trigger times, mode, count or elapsed time, card state)
// and the status bar. It edits every popup menu before it is shown and
// handles the bar and window commands.

#include "common/calc/DataFormat.h"
#include "framework/ui/DialogBar.h"
#include "framework/ui/MDIFrameWnd.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/ToolBar.h"

#include <functional>
#include <optional>
#include <vector>

class CBoxArray;
class CCfStatusBtn;

// The caption of a measurement mode (0..8) comes from the measurement
// panel's code (fw::Install<IMeasureModeNames>); without it the mode item
// stays empty.
struct IMeasureModeNames {
    virtual ~IMeasureModeNames() = default;
    virtual fw::CString Caption(int mode) = 0;
};

class CMainFrame : public fw::CMDIFrameWnd {
    FW_DECLARE_DYNAMIC(CMainFrame)
    FW_DECLARE_COMMANDS()
public:
    CMainFrame();
    ~CMainFrame() override;

    // The window, its menu and its bars; false when a bar cannot be made.
    bool LoadFrame(unsigned resourceId, fw::CWnd* parent = nullptr) override;

    void OnInitMenuPopup(fw::CMenu* popup, unsigned index, bool sysMenu) override;
    // The measurement commands go to the measurement subsystem's target
    // after the frame's own route (set at registration; not owned).
    bool OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info = nullptr) override;
    static void SetMeasureCommandTarget(fw::CCmdTarget* target) { s_pMeasureCommands = target; }
    // The number-format item (32840) and the engineering-unit item (33108)
    // of the shown menu become their popups, keeping their captions.
    void OnInitMenu(fw::CMenu* menu) override;
    // Files dropped on the window open as documents.
    void OnDropFiles(const std::vector<fw::CString>& paths);
    const CDataFormat& GetDataFormat() const { return m_dataFormat; }

    // --- the measurement bar -------------------------------------------------------
    void ResetDialogBar();
    void ShowWaitingText(bool on);
    void ShowRecordCount(long count, bool writing);
    // Times are OLE dates; mode is a measurement-mode code.
    void UpdateTriggerStatus(double start, double end, int mode);
    // Elapsed since `start` (now), or `span` (days) when given.
    void ShowElapsedTime(double start, std::optional<double> span, bool writing);
    void UpdateCfStatus(int statusCode, const CBoxArray* system);
    // Views tell the frame when their document's edit lock changes.
    void SetEditLockToolbar(bool locked);
    bool IsEditLockToolbar() const { return m_bEditLock; }


    fw::CToolBar& ToolBar() { return m_wndToolBar; }
    fw::CDialogBar& DialogBar() { return m_wndDlgBar; }
    fw::CStatusBar& StatusBar() { return m_wndStatusBar; }
    CCfStatusBtn* CfStatusButton() const { return m_pCfStatusBtn; }
    double GetPlannedEnd() const { return m_plannedEnd; }
    const fw::CString& GetPlannedDuration() const { return m_plannedDuration; }

private:
    bool CreateBars();
    void ToggleBar(fw::CControlBar& bar);
    void OnViewToolBar() { ToggleBar(m_wndToolBar); }
    void OnViewStatusBar() { ToggleBar(m_wndStatusBar); }
    void OnViewTriggerBar() { ToggleBar(m_wndDlgBar); }
    void OnUpdateViewToolBar(fw::CCmdUI* ui);
    void OnUpdateViewStatusBar(fw::CCmdUI* ui);
    void OnUpdateViewTriggerBar(fw::CCmdUI* ui);
    void OnUpdateCfStatus(fw::CCmdUI* ui);
    // Printer, paper and orientation for the rest of the session.
    void OnFilePrintSetup();
    // The last stop of printing: the active window's view prints nothing.
    void OnPrintUnavailable();
    void OnPreviewUnavailable();
    void OnUpdatePrintUnavailable(fw::CCmdUI* ui);
    // The firmware update of the active project's first control unit.
    void OnMeterVerup();
    void OnUpdateMeterVerup(fw::CCmdUI* ui);

    fw::CStatusBar m_wndStatusBar;
    fw::CToolBar m_wndToolBar;
    fw::CDialogBar m_wndDlgBar;
    CCfStatusBtn* m_pCfStatusBtn = nullptr;  // owned by the dialog bar
    bool m_bEditLock = false;
    double m_plannedEnd = 0.0;
    double m_plannedSpan = 0.0;
    fw::CString m_plannedDuration;
    bool m_bMultiUnit = false;
    CDataFormat m_dataFormat;
    static inline fw::CCmdTarget* s_pMeasureCommands = nullptr;
};

// The main window of the program, or null.
CMainFrame* GetMainFrame();
