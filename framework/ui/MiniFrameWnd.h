#pragma once

// A small floating frame owned by the main window (the measurement,
// monitor and alarm panels): a tool window above its owner whose close
// button asks OnClose, which the panels override to hide or to close.

#include "framework/ui/FrameWnd.h"

namespace fw {

class CMiniFrameWnd : public CFrameWnd {
    FW_DECLARE_DYNAMIC(CMiniFrameWnd)
public:
    // Hidden at `rect` (screen), with a sizing border when `resizable`.
    bool CreateMini(const CString& title, CWnd* owner, const CRect& rect, bool resizable = true);
    // Centres the window over its owner (or the screen).
    void CenterWindow();

protected:
    QWidget* CreateFrameWidget() override;

private:
    CWnd* m_owner = nullptr;
};

} // namespace fw
