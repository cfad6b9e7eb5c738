#pragma once

// Painting a window: CPaintDC is valid inside the window's paint handler
// (OnPaint), as in the original; the view's default OnPaint runs
// OnPrepareDC and OnDraw with it.

#include "framework/core/DC.h"

#include <QRect>

#include <memory>

class QPainter;
class QWidget;

namespace fw {

class CView;
class CWnd;

class CPaintDC : public CDC {
public:
    // Only while `wnd` is being painted; otherwise it draws nowhere.
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    CRect m_rcPaint;  // the area to paint (device units)

private:
    struct Parts;
    CPaintDC(CWnd* wnd, Parts* parts);
    // Made before the base class, which draws through its sink.
    std::unique_ptr<Parts> m_parts;
};

// Draws on a view outside painting (into its back buffer, shown at once
// after); on other windows it draws nowhere.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    struct Parts;
    CClientDC(CWnd* wnd, Parts* parts);
    // Made before the base class, which draws through its sink.
    std::unique_ptr<Parts> m_parts;
};

// The paint event of a view's widget: the view's OnPaint draws into its
// back buffer (white first) with CPaintDC available, then the buffer is shown.
void PaintViewEvent(CView* view, QWidget* widget, const QRect& area);

} // namespace fw
