#include "framework/ui/CmdUI.h"

#include "framework/ui/Controls.h"
#include "framework/ui/Menu.h"
#include "framework/ui/QtText.h"

#include <QAction>
#include <QMenu>

namespace fw {

CActionCmdUI::CActionCmdUI(QAction* action, unsigned id, unsigned index) : CCmdUI(id), m_action(action)
{
    m_nIndex = index;
}

void CActionCmdUI::Enable(bool on)
{
    CCmdUI::Enable(on);
    m_action->setEnabled(on);
}

void CActionCmdUI::SetCheck(int check)
{
    CCmdUI::SetCheck(check);
    m_action->setCheckable(true);
    m_action->setChecked(check != 0);
}

void CActionCmdUI::SetText(const CString& text)
{
    CCmdUI::SetText(text);
    m_action->setText(CaptionText(text));
}

CWndCmdUI::CWndCmdUI(CWnd* control, unsigned id) : CCmdUI(id), m_control(control)
{
}

void CWndCmdUI::Enable(bool on)
{
    CCmdUI::Enable(on);
    m_control->EnableWindow(on);
}

void CWndCmdUI::SetCheck(int check)
{
    CCmdUI::SetCheck(check);
    if (auto* button = dynamic_cast<CButton*>(m_control))
        button->SetCheck(check);
}

void CWndCmdUI::SetText(const CString& text)
{
    CCmdUI::SetText(text);
    m_control->SetWindowText(text);
}

void UpdateMenuItems(CMenu* menu, CCmdTarget* target, bool autoDisable)
{
    if (!menu || !menu->Menu())
        return;
    const QList<QAction*> actions = menu->Menu()->actions();
    for (int i = 0; i < actions.size(); ++i) {
        QAction* a = actions[i];
        const unsigned id = CMenu::CommandOf(a);
        if (id == 0 || a->menu())
            continue;  // separators and popups keep their state
        CActionCmdUI ui(a, id, static_cast<unsigned>(i));
        ui.m_nIndexMax = static_cast<unsigned>(actions.size());
        ui.DoUpdate(target, autoDisable);
    }
}

} // namespace fw
