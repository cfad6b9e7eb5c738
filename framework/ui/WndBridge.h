#pragma once

// Forwards a Qt widget's events to the handlers of its CWnd, catching what
// the handlers throw.

#include "framework/ui/Wnd.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

namespace fw {

unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
// The virtual-key code of a Qt key (0 when there is none).
unsigned VirtualKeyOf(int qtKey);

template <class Base> class WndBridge : public Base {
public:
    template <class... A> explicit WndBridge(CWnd* owner, A&&... args) : Base(std::forward<A>(args)...), m_owner(owner) {}
    // A widget on its way out is nobody's window any more (lookups during
    // the destruction of its children must not find the owner).
    ~WndBridge() override { this->setProperty("fwWnd", QVariant()); }
    CWnd* Owner() const { return m_owner; }
    // A frame lets Qt have the mouse too, after its handlers: the title
    // bar, the borders and the system menu of a sub-window are Qt's. Views
    // keep their events to themselves.
    void PassMouseToQt(bool on) { m_passMouse = on; }

protected:
    void closeEvent(QCloseEvent* e) override
    {
        // The owner decides, after this event: its OnClose destroys the
        // window or keeps it.
        e->ignore();
        CWnd* owner = m_owner;
        QMetaObject::invokeMethod(this, [owner] { owner->Guard([&] { owner->OnClose(); }); }, Qt::QueuedConnection);
    }
    void resizeEvent(QResizeEvent* e) override
    {
        Base::resizeEvent(e);
        m_owner->Guard([&] { m_owner->OnSize(0, e->size().width(), e->size().height()); });
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        const CPoint p(e->position().toPoint().x(), e->position().toPoint().y());
        const unsigned flags = MouseFlags(e->buttons(), e->modifiers());
        if (e->button() == Qt::LeftButton)
            m_owner->Guard([&] { m_owner->OnLButtonDown(flags, p); });
        else if (e->button() == Qt::RightButton)
            m_owner->Guard([&] { m_owner->OnRButtonDown(flags, p); });
        if (m_passMouse || (e->button() != Qt::LeftButton && e->button() != Qt::RightButton))
            Base::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const CPoint p(e->position().toPoint().x(), e->position().toPoint().y());
        const unsigned flags = MouseFlags(e->buttons(), e->modifiers());
        if (e->button() == Qt::LeftButton)
            m_owner->Guard([&] { m_owner->OnLButtonUp(flags, p); });
        else if (e->button() == Qt::RightButton)
            m_owner->Guard([&] { m_owner->OnRButtonUp(flags, p); });
        if (m_passMouse || (e->button() != Qt::LeftButton && e->button() != Qt::RightButton))
            Base::mouseReleaseEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        const CPoint p(e->position().toPoint().x(), e->position().toPoint().y());
        if (e->button() == Qt::LeftButton)
            m_owner->Guard([&] { m_owner->OnLButtonDblClk(MouseFlags(e->buttons(), e->modifiers()), p); });
        if (m_passMouse || e->button() != Qt::LeftButton)
            Base::mouseDoubleClickEvent(e);
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        const CPoint p(e->position().toPoint().x(), e->position().toPoint().y());
        m_owner->Guard([&] { m_owner->OnMouseMove(MouseFlags(e->buttons(), e->modifiers()), p); });
        if (m_passMouse)
            Base::mouseMoveEvent(e);
    }
    void wheelEvent(QWheelEvent* e) override
    {
        // Touch pads send small steps; whole notches of 120 reach the handler.
        m_wheel += e->angleDelta().y();
        const int notches = m_wheel / 120;
        if (notches == 0)
            return;
        m_wheel -= notches * 120;
        const CPoint p(e->position().toPoint().x(), e->position().toPoint().y());
        bool handled = false;
        m_owner->Guard([&] {
            handled = m_owner->OnMouseWheel(MouseFlags(e->buttons(), e->modifiers()),
                                            static_cast<short>(notches * 120), p);
        });
        if (!handled)
            Base::wheelEvent(e);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        const unsigned vk = VirtualKeyOf(e->key());
        if (vk)
            m_owner->Guard([&] { m_owner->OnKeyDown(vk, 1, e->isAutoRepeat() ? 0x4000u : 0u); });
        const QString text = e->text();
        if (!text.isEmpty() && text[0].isPrint())
            m_owner->Guard([&] { m_owner->OnChar(text[0].unicode(), 1, 0); });
        if (!vk && text.isEmpty())
            Base::keyPressEvent(e);
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        if (const unsigned vk = VirtualKeyOf(e->key()))
            m_owner->Guard([&] { m_owner->OnKeyUp(vk, 1, 0); });
        else
            Base::keyReleaseEvent(e);
    }
    void contextMenuEvent(QContextMenuEvent* e) override
    {
        const QPoint g = e->globalPos();
        m_owner->Guard([&] { m_owner->OnContextMenu(m_owner, CPoint(g.x(), g.y())); });
        if (m_passMouse)
            Base::contextMenuEvent(e);
    }
    void focusInEvent(QFocusEvent* e) override
    {
        Base::focusInEvent(e);
        m_owner->Guard([&] { m_owner->OnSetFocus(); });
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        Base::focusOutEvent(e);
        m_owner->Guard([&] { m_owner->OnKillFocus(); });
    }

private:
    CWnd* m_owner;
    int m_wheel = 0;
    bool m_passMouse = false;
};

} // namespace fw
