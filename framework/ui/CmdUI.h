#pragma once

// Update-UI targets of the interface: a menu item or tool-bar action, and a
// control of a dialog bar. Each applies the handler's calls at once.

#include "framework/core/CmdTarget.h"

class QAction;

namespace fw {

class CWnd;

class CActionCmdUI : public CCmdUI {
public:
    CActionCmdUI(QAction* action, unsigned id, unsigned index = 0);
    void Enable(bool on = true) override;
    void SetCheck(int check = 1) override;
    void SetText(const CString& text) override;

private:
    QAction* m_action;
};

class CWndCmdUI : public CCmdUI {
public:
    CWndCmdUI(CWnd* control, unsigned id);
    void Enable(bool on = true) override;
    void SetCheck(int check = 1) override;
    void SetText(const CString& text) override;

private:
    CWnd* m_control;
};

// Runs the update pass over one menu's items against `target`.
void UpdateMenuItems(class CMenu* menu, CCmdTarget* target, bool autoDisable);

} // namespace fw
