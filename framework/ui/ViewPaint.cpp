#include "framework/ui/ViewPaint.h"

#include "framework/ui/QPainterSink.h"
#include "framework/ui/QtText.h"
#include "framework/ui/View.h"

#include <QPainter>
#include <QWidget>

namespace fw {

namespace {

struct PaintScope {
    CWnd* wnd = nullptr;
    QPainter* painter = nullptr;
    QRect area;
};

PaintScope& CurrentPaint()
{
    static PaintScope scope;
    return scope;
}

// A sink that draws nothing, for a paint DC made outside painting.
class NullSink final : public IDrawSink {
public:
    void Line(const CDC&, CPoint, CPoint) override {}
    void Polyline(const CDC&, const std::vector<CPoint>&) override {}
    void Polygon(const CDC&, const std::vector<CPoint>&, int) override {}
    void Rectangle(const CDC&, const CRect&) override {}
    void Ellipse(const CDC&, const CRect&) override {}
    void FillRect(const CDC&, const CRect&, const CBrush&) override {}
    void Text(const CDC&, CPoint, const CString&, const CRect*, const CRect*) override {}
    void SetPixel(const CDC&, CPoint, COLORREF) override {}
    CSize TextExtent(const CDC&, const CString&) override { return {}; }
    TEXTMETRIC TextMetrics(const CDC&) override { return {}; }
    int DeviceCaps(int) const override { return 0; }
};

} // namespace

struct CPaintDC::Parts {
    explicit Parts(QPainter* painter) : sink(painter) {}
    QPainterSink sink;
    NullSink none;
    bool active = false;
};

CPaintDC::CPaintDC(CWnd* wnd) : CPaintDC(wnd, new Parts(CurrentPaint().wnd == wnd ? CurrentPaint().painter : nullptr))
{
}

CPaintDC::CPaintDC(CWnd* wnd, Parts* parts)
    : CDC(CurrentPaint().wnd == wnd && CurrentPaint().painter ? static_cast<IDrawSink*>(&parts->sink) : &parts->none),
      m_parts(parts)
{
    if (CurrentPaint().wnd == wnd)
        m_rcPaint = FromQ(CurrentPaint().area);
}

CPaintDC::~CPaintDC()
{
}

void PaintViewEvent(CView* view, QWidget* widget, const QRect& area)
{
    const QRegion redraw = view->TakeRedrawRegion(area);
    QImage& buffer = view->BackBuffer();
    if (!redraw.isEmpty()) {
        QPainter painter(&buffer);
        painter.setClipRegion(redraw);
        painter.fillRect(area, Qt::white);
        PaintScope& scope = CurrentPaint();
        const PaintScope saved = scope;
        scope = PaintScope{view, &painter, area};
        view->Guard([&] { view->OnPaint(); });
        scope = saved;
    }
    QPainter(widget).drawImage(area.topLeft(), buffer, area);
}

struct CClientDC::Parts {
    explicit Parts(CView* view) : view(view)
    {
        if (view && view->PaintSurface())
            painter.begin(&view->BackBuffer());
    }
    CView* view;
    QPainter painter;
    QPainterSink sink{&painter};
    NullSink none;
};

CClientDC::CClientDC(CWnd* wnd) : CClientDC(wnd, new Parts(dynamic_cast<CView*>(wnd)))
{
}

CClientDC::CClientDC(CWnd*, Parts* parts)
    : CDC(parts->painter.isActive() ? static_cast<IDrawSink*>(&parts->sink) : &parts->none), m_parts(parts)
{
}

CClientDC::~CClientDC()
{
    if (m_parts->painter.isActive()) {
        m_parts->painter.end();
        m_parts->view->Present(m_parts->view->PaintSurface()->rect());
    }
}

} // namespace fw
