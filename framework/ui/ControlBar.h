#pragma once

// The base of tool bars, status bars and dialog bars: a window along a
// frame's edge whose items are updated from the command route while the
// program idles and after every command.

#include "framework/ui/Wnd.h"

namespace fw {

class CFrameWnd;

// Standard bar ids.
inline constexpr unsigned AFX_IDW_TOOLBAR = 0xE800;     // 59392
inline constexpr unsigned AFX_IDW_STATUS_BAR = 0xE801;  // 59393
inline constexpr unsigned AFX_IDW_DIALOGBAR = 0xE805;   // 59397
inline constexpr unsigned AFX_IDW_REBAR = 0xE804;

class CControlBar : public CWnd {
    FW_DECLARE_DYNAMIC(CControlBar)
public:
    ~CControlBar() override;
    virtual void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) = 0;
    CFrameWnd* GetOwnerFrame() const { return m_frame; }

protected:
    friend class CFrameWnd;
    CFrameWnd* m_frame = nullptr;
};

} // namespace fw
