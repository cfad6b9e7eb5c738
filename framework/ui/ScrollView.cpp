#include "framework/ui/ScrollView.h"

#include "framework/core/DC.h"
#include "framework/ui/ViewPaint.h"
#include "framework/ui/WndBridge.h"

#include <QAbstractScrollArea>
#include <QPaintEvent>
#include <QScrollBar>

#include <cmath>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CScrollView, CView)

class ScrollViewWidget : public WndBridge<QAbstractScrollArea> {
public:
    ScrollViewWidget(CScrollView* owner, QWidget* parent) : WndBridge<QAbstractScrollArea>(owner, parent), m_view(owner)
    {
        setFocusPolicy(Qt::StrongFocus);
        viewport()->setMouseTracking(true);
        viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* e) override { PaintViewEvent(m_view, viewport(), e->rect()); }
    void resizeEvent(QResizeEvent* e) override
    {
        WndBridge<QAbstractScrollArea>::resizeEvent(e);
        m_view->UpdateBars();
    }
    void scrollContentsBy(int, int) override { m_view->Invalidate(); }

private:
    CScrollView* m_view;
};

CScrollView::CScrollView() = default;

QWidget* CScrollView::CreateViewWidget(QWidget* parent)
{
    return new ScrollViewWidget(this, parent);
}

QAbstractScrollArea* CScrollView::ScrollArea() const
{
    return static_cast<QAbstractScrollArea*>(Widget());
}

QWidget* CScrollView::PaintSurface() const
{
    return ScrollArea() ? ScrollArea()->viewport() : nullptr;
}

double CScrollView::UnitsPerPixel(bool) const
{
    // Logical units per device pixel of the mapping mode on the display.
    const double mm = 25.4 / kDisplayDpi;
    switch (m_nMapMode) {
    case MM_LOMETRIC: return mm * 10;
    case MM_HIMETRIC: return mm * 100;
    case MM_LOENGLISH: return 100.0 / kDisplayDpi;
    case MM_HIENGLISH: return 1000.0 / kDisplayDpi;
    case MM_TWIPS: return 1440.0 / kDisplayDpi;
    default: return 1.0;
    }
}

CSize CScrollView::ToDevice(CSize logical) const
{
    return CSize(static_cast<int32_t>(std::lround(std::abs(logical.cx) / UnitsPerPixel(false))),
                 static_cast<int32_t>(std::lround(std::abs(logical.cy) / UnitsPerPixel(true))));
}

void CScrollView::SetScrollSizes(int mapMode, CSize total, CSize page, CSize line)
{
    m_nMapMode = mapMode;
    m_totalLog = total;
    m_pageLog = (page.cx || page.cy) ? page : CSize(total.cx / 10, total.cy / 10);
    m_lineLog = (line.cx || line.cy) ? line : CSize(m_pageLog.cx / 10, m_pageLog.cy / 10);
    UpdateBars();
}

void CScrollView::UpdateBars()
{
    QAbstractScrollArea* area = ScrollArea();
    if (!area)
        return;
    const CSize total = ToDevice(m_totalLog);
    const CSize page = ToDevice(m_pageLog);
    const CSize line = ToDevice(m_lineLog);
    // A window not yet shown has no laid-out viewport; its largest one stands in.
    const QSize port = area->isVisible() ? area->viewport()->size() : area->maximumViewportSize();
    QScrollBar* h = area->horizontalScrollBar();
    QScrollBar* v = area->verticalScrollBar();
    h->setRange(0, std::max(0, total.cx - port.width()));
    v->setRange(0, std::max(0, total.cy - port.height()));
    h->setPageStep(std::max(1, page.cx));
    v->setPageStep(std::max(1, page.cy));
    h->setSingleStep(std::max(1, line.cx));
    v->setSingleStep(std::max(1, line.cy));
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    QAbstractScrollArea* area = ScrollArea();
    if (!area)
        return {};
    return CPoint(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value());
}

CPoint CScrollView::GetScrollPosition() const
{
    const CPoint d = GetDeviceScrollPosition();
    CPoint p(static_cast<int32_t>(std::lround(d.x * UnitsPerPixel(false))),
             static_cast<int32_t>(std::lround(d.y * UnitsPerPixel(true))));
    if (m_nMapMode != MM_TEXT)
        p.y = -p.y;  // the metric modes count y upwards
    return p;
}

void CScrollView::ScrollToPosition(CPoint logical)
{
    QAbstractScrollArea* area = ScrollArea();
    if (!area)
        return;
    if (m_nMapMode != MM_TEXT)
        logical.y = -logical.y;
    area->horizontalScrollBar()->setValue(static_cast<int>(std::lround(logical.x / UnitsPerPixel(false))));
    area->verticalScrollBar()->setValue(static_cast<int>(std::lround(logical.y / UnitsPerPixel(true))));
}

void CScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info)
{
    CView::OnPrepareDC(dc, info);
    dc->SetMapMode(m_nMapMode);
    if (!dc->IsPrinting()) {
        const CPoint d = GetDeviceScrollPosition();
        dc->SetViewportOrg(-d.x, -d.y);
    }
}

} // namespace fw
