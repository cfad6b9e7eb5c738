#include "docview/graphpage/GraphPageWidget.h"

#include "docview/graphpage/QtBitmap.h"
#include "docview/graphpage/ZELGraphView.h"

#include <QPaintEvent>
#include <QPainter>

GraphPageWidget::GraphPageWidget(CZELGraphView* view, QWidget* parent)
    : fw::WndBridge<QWidget>(view, parent), m_view(view)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphPageWidget::SetBand(const QRect& band)
{
    update(m_band.adjusted(-1, -1, 1, 1));
    m_band = band;
    update(m_band.adjusted(-1, -1, 1, 1));
}

void GraphPageWidget::paintEvent(QPaintEvent* e)
{
    QPainter painter(this);
    const fw::COLORREF gray = CZELGraphView::kOutsideColor;
    painter.fillRect(e->rect(), QColor(fw::GetRValue(gray), fw::GetGValue(gray), fw::GetBValue(gray)));
    m_view->Guard([&] {
        CPainterDC dc(&painter);
        m_view->OnPrepareDC(&dc);
        m_view->OnDraw(&dc);
    });
    if (!m_band.isEmpty()) {
        painter.resetTransform();
        painter.setClipping(false);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(m_band.adjusted(0, 0, -1, -1));
    }
}
