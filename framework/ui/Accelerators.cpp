#include "framework/ui/Accelerators.h"

#include "framework/core/AcceleratorResource.h"
#include "framework/core/CmdTarget.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/MDIFrameWnd.h"
#include "framework/ui/Menu.h"
#include "framework/ui/QtText.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace fw {

namespace {

bool MenuBinds(const QMenu* menu, const QKeySequence& keys)
{
    if (!menu)
        return false;
    for (const QAction* a : menu->actions()) {
        if (a->shortcut() == keys || (a->menu() && MenuBinds(a->menu(), keys)))
            return true;
    }
    return false;
}

// The command goes where a menu item's would, when its update allows it.
void RunIfEnabled(CFrameWnd& frame, unsigned command)
{
    CFrameWnd* target = frame.GetTopLevelFrame();
    if (!target)
        target = &frame;
    CCmdUI ui(command);
    target->Guard([&] { ui.DoUpdate(target, true); });
    if (ui.m_bEnabled)
        target->ExecuteCommand(command);
}

} // namespace

void InstallAccelerators(CFrameWnd& frame, unsigned tableId)
{
    const std::vector<Accelerator>* table = FindAccelerators(tableId);
    QWidget* window = frame.Widget();
    if (!table || !window)
        return;
    const QMenu* menu = frame.GetMenu() ? frame.GetMenu()->Menu() : nullptr;
    const bool child = dynamic_cast<CMDIChildWnd*>(&frame) != nullptr;
    for (const Accelerator& entry : *table) {
        const QKeySequence keys(ToQ(entry.keys), QKeySequence::PortableText);
        if (keys.isEmpty() || MenuBinds(menu, keys))
            continue;
        auto* action = new QAction(window);
        action->setShortcut(keys);
        action->setShortcutContext(child ? Qt::WidgetWithChildrenShortcut : Qt::WindowShortcut);
        action->setData(entry.command);
        const unsigned command = entry.command;
        QObject::connect(action, &QAction::triggered, window, [&frame, command] { RunIfEnabled(frame, command); });
        window->addAction(action);
    }
}

} // namespace fw
