#pragma once

// The separate monitor panel: a floating frame with the monitoring,
// monitor-settings and peak-reset buttons and a fit button above the
// monitor table. Its three measurement commands go to the target the main
// frame names (the measurement commands); closing it by its caption button
// only asks for the monitor to move into the measurement panel.

#include "framework/ui/DialogBar.h"
#include "framework/ui/MiniFrameWnd.h"
#include "measure/views/monitor/MoniterView.h"

#include <functional>

class CKIV5980Doc;

class CMoniterFrame : public fw::CMiniFrameWnd {
    FW_DECLARE_DYNAMIC(CMoniterFrame)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kIdsTitle = 448;
    static constexpr unsigned kBarId = 32901;
    static constexpr unsigned ID_MONITORING = 32901, ID_MONITOR_SETTINGS = 32902, ID_PEAK_RESET = 32934;
    static constexpr int kIdFit = 1213;
    // Room beyond the table, as the frame's border leaves it.
    static constexpr int kFitMargin = 5;
    static constexpr int kScrollBarSize = 17;

    CMoniterFrame();

    // Made hidden; its table takes its first layout.
    bool CreateFrame(fw::CWnd* owner);
    void SetDocument(CKIV5980Doc* doc) { m_view.SetDocument(doc); }
    void ApplySettings(bool redraw) { m_view.ApplySettings(redraw); }
    // Sizes the frame to the table's header, columns and at most 31 rows.
    void FitToView();
    CMoniterView& View() { return m_view; }

    // Where the monitoring, settings and peak-reset commands go.
    fw::CCmdTarget* commandTarget = nullptr;
    // The caption's close button (the frame is only hidden by its owner).
    std::function<void()> onClose;

    bool OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info = nullptr) override;
    void OnClose() override;

private:
    void OnFit() { FitToView(); }
    void OnUpdateFit(fw::CCmdUI* ui) { ui->Enable(true); }

    fw::CDialogBar m_bar;
    CMoniterView m_view;
};
