#include "framework/ui/Wnd.h"

#include "framework/core/Exceptions.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/QtText.h"

#include <QTimer>
#include <QVariant>

#include <unordered_map>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

namespace {

constexpr const char* kWndProperty = "fwWnd";

std::unordered_map<HWND, CWnd*>& HandleMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

} // namespace

void ReportFromEventLoop(const std::exception& e)
{
    ReportException(e);
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    m_inDestructor = true;
    for (auto& [id, timer] : m_timers)
        delete timer;
    m_timers.clear();
    if (m_hwnd) {
        UnregisterWindow(m_hwnd);
        HandleMap().erase(m_hwnd);
    }
    if (m_widget) {
        QObject::disconnect(m_destroyedConnection);
        m_widget->setProperty(kWndProperty, QVariant());
        delete m_widget.data();
    }
}

void CWnd::DestroyWidgetNow()
{
    m_inDestructor = true;
    if (m_widget) {
        QObject::disconnect(m_destroyedConnection);
        m_widget->setProperty(kWndProperty, QVariant());
        delete m_widget.data();
    }
    m_widget.clear();
}

void CWnd::Attach(QWidget* widget)
{
    m_widget = widget;
    widget->setProperty(kWndProperty, QVariant::fromValue<qulonglong>(reinterpret_cast<uintptr_t>(this)));
    if (!m_hwnd) {
        m_hwnd = RegisterWindow(this);
        HandleMap()[m_hwnd] = this;
    }
    m_destroyedConnection = QObject::connect(widget, &QObject::destroyed, [this] { WidgetDestroyed(); });
}

QWidget* CWnd::Detach()
{
    QWidget* w = m_widget.data();
    if (w) {
        QObject::disconnect(m_destroyedConnection);
        w->setProperty(kWndProperty, QVariant());
    }
    m_widget.clear();
    return w;
}

void CWnd::WidgetDestroyed()
{
    m_widget.clear();
    for (auto& [id, timer] : m_timers)
        timer->deleteLater();
    m_timers.clear();
    OnDestroyed();
    if (m_autoDelete && !m_inDestructor)
        delete this;
}

CWnd* CWnd::FromWidget(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    const QVariant v = widget->property(kWndProperty);
    return v.isValid() ? reinterpret_cast<CWnd*>(static_cast<uintptr_t>(v.toULongLong())) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    const auto it = HandleMap().find(hwnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

void CWnd::DestroyWindow()
{
    if (m_widget)
        delete m_widget.data();  // WidgetDestroyed runs from the destroyed signal
}

void CWnd::AddChild(int id, CWnd* child)
{
    m_children[id] = child;
    if (child)
        child->m_id = id;
}

void CWnd::RemoveChild(int id)
{
    m_children.erase(id);
}

CWnd* CWnd::GetDlgItem(int id) const
{
    const auto it = m_children.find(id);
    return it == m_children.end() ? nullptr : it->second;
}

void CWnd::SetDlgItemText(int id, const CString& text)
{
    if (CWnd* w = GetDlgItem(id))
        w->SetWindowText(text);
}

CString CWnd::GetDlgItemText(int id) const
{
    CWnd* w = GetDlgItem(id);
    return w ? w->GetWindowText() : CString();
}

CWnd* CWnd::GetParent() const
{
    for (QWidget* w = m_widget ? m_widget->parentWidget() : nullptr; w; w = w->parentWidget()) {
        if (CWnd* wnd = FromWidget(w))
            return wnd;
    }
    return nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (CWnd* w = GetParent(); w; w = w->GetParent()) {
        if (auto* f = dynamic_cast<CFrameWnd*>(w))
            return f;
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* top = dynamic_cast<CFrameWnd*>(const_cast<CWnd*>(this));
    for (CFrameWnd* f = GetParentFrame(); f; f = f->GetParentFrame())
        top = f;
    return top;
}

void CWnd::SetWindowText(const CString& text)
{
    if (m_widget)
        m_widget->setWindowTitle(ToQ(text));
}

CString CWnd::GetWindowText() const
{
    return m_widget ? FromQ(m_widget->windowTitle()) : CString();
}

void CWnd::EnableWindow(bool enable)
{
    if (m_widget)
        m_widget->setEnabled(enable);
}

bool CWnd::IsWindowEnabled() const
{
    return m_widget && m_widget->isEnabled();
}

void CWnd::ShowWindow(int cmd)
{
    if (!m_widget)
        return;
    switch (cmd) {
    case SW_HIDE: m_widget->hide(); break;
    case SW_SHOWMAXIMIZED: m_widget->showMaximized(); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE: m_widget->showMinimized(); break;
    case SW_RESTORE:
    case SW_SHOWNORMAL: m_widget->showNormal(); break;
    default: m_widget->show(); break;
    }
}

bool CWnd::IsWindowVisible() const
{
    return m_widget && m_widget->isVisible();
}

void CWnd::MoveWindow(const CRect& rect, bool)
{
    if (m_widget)
        m_widget->setGeometry(ToQ(rect));
}

CRect CWnd::GetClientRect() const
{
    return m_widget ? CRect(0, 0, m_widget->width(), m_widget->height()) : CRect();
}

CRect CWnd::GetWindowRect() const
{
    if (!m_widget)
        return {};
    const QPoint p = m_widget->mapToGlobal(QPoint(0, 0));
    return CRect(p.x(), p.y(), p.x() + m_widget->width(), p.y() + m_widget->height());
}

void CWnd::Invalidate(bool)
{
    if (m_widget)
        m_widget->update();
}

void CWnd::InvalidateRect(const CRect* rect, bool)
{
    if (!m_widget)
        return;
    if (rect)
        m_widget->update(ToQ(*rect));
    else
        m_widget->update();
}

void CWnd::UpdateWindow()
{
    if (m_widget)
        m_widget->repaint();
}

void CWnd::SetFocus()
{
    if (m_widget)
        m_widget->setFocus();
}

bool CWnd::GetWindowPlacement(WINDOWPLACEMENT* wp) const
{
    if (!m_widget || !wp)
        return false;
    *wp = WINDOWPLACEMENT{};
    const QRect normal = m_widget->isMaximized() || m_widget->isMinimized() ? m_widget->normalGeometry()
                                                                            : m_widget->geometry();
    wp->rcNormalPosition = FromQ(normal.isValid() ? normal : m_widget->geometry());
    if (m_widget->isMinimized())
        wp->showCmd = static_cast<uint32_t>(SW_SHOWMINIMIZED);
    else if (m_widget->isMaximized())
        wp->showCmd = static_cast<uint32_t>(SW_SHOWMAXIMIZED);
    else if (!m_widget->isVisible())
        wp->showCmd = static_cast<uint32_t>(SW_HIDE);
    else
        wp->showCmd = static_cast<uint32_t>(SW_SHOWNORMAL);
    return true;
}

bool CWnd::SetWindowPlacement(const WINDOWPLACEMENT* wp)
{
    if (!m_widget || !wp)
        return false;
    const CRect r = wp->rcNormalPosition;
    if (!r.IsRectEmpty())
        m_widget->setGeometry(ToQ(r));
    ShowWindow(static_cast<int>(wp->showCmd));
    return true;
}

void CWnd::SetRedraw(bool redraw)
{
    if (m_widget)
        m_widget->setUpdatesEnabled(redraw);
}

intptr_t CWnd::SendMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return OnMessage(message, wParam, lParam);
}

bool CWnd::PostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return m_hwnd && fw::PostMessage(m_hwnd, message, wParam, lParam);
}

unsigned CWnd::SetTimer(unsigned id, unsigned ms)
{
    QTimer*& timer = m_timers[id];
    if (!timer) {
        timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [this, id] { Guard([&] { OnTimer(id); }); });
    }
    timer->start(static_cast<int>(ms));
    return id;
}

bool CWnd::KillTimer(unsigned id)
{
    const auto it = m_timers.find(id);
    if (it == m_timers.end())
        return false;
    delete it->second;
    m_timers.erase(it);
    return true;
}

intptr_t CWnd::OnMessage(uint32_t message, uintptr_t wParam, intptr_t)
{
    switch (message) {
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_COMMAND:
        OnCmdMsg(static_cast<unsigned>(wParam & 0xFFFF), static_cast<int>((wParam >> 16) & 0xFFFF), nullptr);
        return 0;
    default:
        return 0;
    }
}

} // namespace fw
