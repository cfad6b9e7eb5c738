#pragma once

// The window of a graph page: its title names the page and whether its
// graph shows recorded data or monitor data.

#include "framework/ui/MDIFrameWnd.h"

class CGraphViewFrame : public fw::CMDIChildWnd {
    FW_DECLARE_DYNCREATE(CGraphViewFrame)
public:
    CGraphViewFrame() = default;
    void OnUpdateFrameTitle(bool addToTitle) override;

    // "title [データグラフ]" and "title [モニタグラフ]" by the data mode; the
    // plain title without a main graph (mode -1).
    static fw::CString PageTitle(const fw::CString& title, int dataMode);
};
