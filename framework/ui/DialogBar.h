#pragma once

// A bar of dialog controls along a frame's edge (the measurement status
// bar of the main window). Its controls are found by id in the bar, tell
// the frame about clicks, and are updated from the frame's route (buttons
// without a handler are disabled; texts only change when a handler says so).

#include "framework/ui/ControlBar.h"
#include "framework/ui/ControlHost.h"

#include <functional>
#include <memory>

namespace fw {

class DialogBuilder;
class DialogBarForwarder;

class CDialogBar : public CControlBar, public ControlHost {
    FW_DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    ~CDialogBar() override;
    // Builds the controls with `build` and puts the bar at the top of `frame`.
    bool Create(CFrameWnd* frame, const std::function<void(DialogBuilder&)>& build, unsigned id = AFX_IDW_DIALOGBAR);
    void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) override;
    CWnd& HostWindow() override { return *this; }
    CCmdTarget* NotifyTarget() override;

private:
    std::unique_ptr<DialogBarForwarder> m_forwarder;
};

} // namespace fw
