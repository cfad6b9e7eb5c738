#pragma once

// The window of a graph-page view: paints the page with a painter that the
// view's off-screen bitmap can be copied to, shows the rubber band on top,
// fills the area outside the page with gray, and passes the mouse on.

#include "framework/ui/WndBridge.h"

#include <QWidget>

class CZELGraphView;

class GraphPageWidget final : public fw::WndBridge<QWidget> {
public:
    GraphPageWidget(CZELGraphView* view, QWidget* parent);

    // The rubber band in device units; an empty rectangle hides it.
    void SetBand(const QRect& band);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    CZELGraphView* m_view;
    QRect m_band;
};
