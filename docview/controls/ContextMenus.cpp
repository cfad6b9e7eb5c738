#include "docview/controls/ContextMenus.h"

#include "framework/ui/Menu.h"
#include "framework/ui/Wnd.h"

#include <QContextMenuEvent>

namespace appctl {

namespace {

class ContextMenuFilter final : public QObject {
public:
    ContextMenuFilter(QWidget* widget, std::function<void(fw::CPoint)> show) : QObject(widget), m_show(std::move(show)) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::ContextMenu)
            return false;
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        const fw::CPoint at = menuEvent->reason() == QContextMenuEvent::Keyboard
                                  ? kKeyboardMenuPoint
                                  : fw::CPoint(menuEvent->globalPos().x(), menuEvent->globalPos().y());
        try {
            m_show(at);
        } catch (...) {
            // Nothing of a failed menu may reach Qt.
        }
        return true;
    }

private:
    std::function<void(fw::CPoint)> m_show;
};

} // namespace

void RouteContextMenu(QWidget* widget, std::function<void(fw::CPoint screen)> show)
{
    if (widget)
        widget->installEventFilter(new ContextMenuFilter(widget, std::move(show)));
}

fw::CPoint ContextMenuPoint(const fw::CWnd& control, fw::CPoint requested)
{
    if (requested.x != -1 || requested.y != -1)
        return requested;
    QPoint origin(0, 0);
    if (QWidget* w = control.Widget())
        origin = w->mapToGlobal(QPoint(0, 0));
    return fw::CPoint(origin.x() + 5, origin.y() + 5);
}

fw::CWnd* TopLevelOwner(const fw::CWnd& control)
{
    QWidget* w = control.Widget();
    for (QWidget* top = w ? w->window() : nullptr; top; top = top->parentWidget()) {
        if (fw::CWnd* wnd = fw::CWnd::FromWidget(top))
            return wnd;
    }
    return const_cast<fw::CWnd*>(&control);
}

bool TrackControlMenu(unsigned menuId, fw::CWnd& control, fw::CPoint requested,
                      const std::function<void(fw::CMenu& popup)>& prepare)
{
    const fw::CPoint at = ContextMenuPoint(control, requested);
    fw::CMenu menu;
    if (!menu.LoadMenu(menuId))
        return false;
    fw::CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return false;
    if (prepare)
        prepare(*popup);
    popup->TrackPopupMenu(fw::TPM_LEFTALIGN | fw::TPM_RIGHTBUTTON, at.x, at.y, TopLevelOwner(control));
    menu.DestroyMenu();
    return true;
}

} // namespace appctl
