#include "grid/views/GridObject.h"

#include "framework/core/DC.h"
#include "framework/ui/QPainterSink.h"
#include "framework/ui/WndBridge.h"
#include "grid/model/GridColors.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

FW_IMPLEMENT_DYNAMIC(CZELGridObject, fw::CWnd)

namespace {

class GridObjectWidget final : public fw::WndBridge<QWidget> {
public:
    GridObjectWidget(CZELGridObject* owner, QWidget* parent) : WndBridge(owner, parent), m_grid(owner)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        if (owner->AcceptsInputMethod()) {
            setAttribute(Qt::WA_InputMethodEnabled);
            setFocusPolicy(Qt::StrongFocus);
        }
    }

protected:
    bool event(QEvent* event) override
    {
        // Tab steps between cells here, not between windows.
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                keyPressEvent(key);
                return true;
            }
        }
        return WndBridge::event(event);
    }
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        fw::QPainterSink sink(&painter);
        fw::CDC dc(&sink);
        const QRect r = event->rect();
        const fw::CRect area(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
        dc.IntersectClipRect(area);
        m_grid->Guard([&] { m_grid->PaintArea(dc, area); });
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        bool consumed = false;
        m_grid->Guard([&] { consumed = m_grid->PreTranslateKey(event); });
        if (!consumed)
            WndBridge::keyPressEvent(event);
    }
    void inputMethodEvent(QInputMethodEvent* event) override
    {
        m_grid->Guard([&] { m_grid->OnInputMethod(event); });
    }
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override
    {
        if (query == Qt::ImEnabled)
            return m_grid->AcceptsInputMethod();
        if (query == Qt::ImCursorRectangle) {
            const fw::CRect r = m_grid->InputMethodRect();
            return QRect(r.left, r.top, r.Width(), r.Height());
        }
        return QWidget::inputMethodQuery(query);
    }
    void moveEvent(QMoveEvent* event) override
    {
        QWidget::moveEvent(event);
        m_grid->SetPosition(fw::CPoint(pos().x(), pos().y()));
    }

private:
    CZELGridObject* m_grid;
};

} // namespace

int ScreenDpi()
{
    return kGridScreenDpi;
}

bool CZELGridObject::CreateChild(const fw::CRect& rect, fw::CWnd* parent, int id)
{
    QWidget* parentWidget = parent ? parent->Widget() : nullptr;
    auto* widget = new GridObjectWidget(this, parentWidget);
    widget->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    Attach(widget);
    SetDlgCtrlID(id);
    if (parent)
        parent->AddChild(id, this);
    m_ptPos = rect.TopLeft();
    if (m_bVisible)
        widget->show();
    return true;
}

void CZELGridObject::SetVisible(bool visible)
{
    m_bVisible = visible;
    if (QWidget* w = Widget())
        w->setVisible(visible);
}

void CZELGridObject::PreparePrinting(fw::CDC& dc, fw::CPoint origin)
{
    dc.SetMapMode(fw::MM_ANISOTROPIC);
    dc.SetWindowExt(ScreenDpi(), ScreenDpi());
    const int dpiX = dc.GetDeviceCaps(fw::LOGPIXELSX);
    const int dpiY = dc.GetDeviceCaps(fw::LOGPIXELSY);
    dc.SetViewportExt(dpiX > 0 ? dpiX : ScreenDpi(), dpiY > 0 ? dpiY : ScreenDpi());
    fw::CSize shift(origin.x, origin.y);
    dc.LPtoDP(&shift);
    m_ptSavedOrg = dc.OffsetViewportOrg(shift.cx, shift.cy);
}

void CZELGridObject::PrepareDC(fw::CDC& dc)
{
    if (dc.IsPrinting())
        PreparePrinting(dc, m_ptPos);
    m_rcPainted = GetClientRect();
    m_bPainted = true;
}

void CZELGridObject::RestoreDC(fw::CDC& dc)
{
    if (dc.IsPrinting())
        dc.SetViewportOrg(m_ptSavedOrg);
}
