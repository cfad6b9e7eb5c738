#pragma once

// The status bar: text panes, pane 0 stretching. Panes with an indicator id
// are updated from the command route (their text by SetText).

#include "framework/ui/ControlBar.h"

#include <vector>

class QLabel;
class QStatusBar;

namespace fw {

inline constexpr unsigned ID_SEPARATOR = 0;
inline constexpr unsigned kIdsIdleMessage = 57345;  // the idle text of pane 0

class CStatusBar : public CControlBar {
    FW_DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    // Puts the bar at the bottom of `frame`.
    bool Create(CFrameWnd* frame, unsigned id = AFX_IDW_STATUS_BAR);
    bool SetIndicators(const unsigned* ids, int count);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    unsigned GetItemID(int index) const;
    int CommandToIndex(unsigned id) const;
    bool SetPaneText(int index, const CString& text, bool update = true);
    CString GetPaneText(int index) const;
    void OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler) override;
    QStatusBar* Bar() const;

private:
    struct Pane {
        unsigned id;
        QLabel* label;
    };
    std::vector<Pane> m_panes;
};

} // namespace fw
