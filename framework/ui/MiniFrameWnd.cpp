#include "framework/ui/MiniFrameWnd.h"

#include "framework/ui/QtText.h"
#include "framework/ui/WndBridge.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CMiniFrameWnd, CFrameWnd)

QWidget* CMiniFrameWnd::CreateFrameWidget()
{
    QWidget* parent = m_owner ? m_owner->Widget() : nullptr;
    auto* window = new WndBridge<QMainWindow>(this, parent, Qt::Tool);
    SetMainWindow(window);
    return window;
}

bool CMiniFrameWnd::CreateMini(const CString& title, CWnd* owner, const CRect& rect, bool resizable)
{
    m_owner = owner;
    if (!Create(title))
        return false;
    Widget()->setGeometry(ToQ(rect));
    if (!resizable)
        Widget()->setFixedSize(Widget()->size());
    Widget()->hide();
    return true;
}

void CMiniFrameWnd::CenterWindow()
{
    QWidget* w = Widget();
    if (!w)
        return;
    QRect area;
    if (m_owner && m_owner->Widget())
        area = m_owner->Widget()->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    w->move(area.center() - w->rect().center());
}

} // namespace fw
