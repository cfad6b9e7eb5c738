#include "framework/ui/View.h"

#include "framework/ui/FrameWnd.h"
#include "framework/ui/PreviewView.h"
#include "framework/ui/Print.h"
#include "framework/ui/QtText.h"
#include "framework/ui/ViewPaint.h"
#include "framework/ui/WndBridge.h"

#include <QPaintEvent>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CView, CWnd)

namespace {

class ViewWidget : public WndBridge<QWidget> {
public:
    ViewWidget(CView* owner, QWidget* parent) : WndBridge<QWidget>(owner, parent), m_view(owner)
    {
        setFocusPolicy(Qt::StrongFocus);
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* e) override { PaintViewEvent(m_view, this, e->rect()); }

private:
    CView* m_view;
};

} // namespace

CView::CView()
{
    SetAutoDelete(true);
}

CView::~CView()
{
    if (m_frame)
        m_frame->ForgetView(this);
    DestroyWidgetNow();
    if (CDocument* document = m_pDocument) {
        m_pDocument = nullptr;
        document->RemoveView(this);
        // The frames left renumber their titles.
        POSITION pos = document->GetFirstViewPosition();
        while (pos)
            document->GetNextViewLink(pos)->OnDocumentTitleChanged();
    }
}

QWidget* CView::CreateViewWidget(QWidget* parent)
{
    return new ViewWidget(this, parent);
}

bool CView::Create(QWidget* parent, CDocument* document)
{
    Attach(CreateViewWidget(parent));
    m_frame = GetParentFrame();
    if (m_frame)
        m_frame->AttachView(this);
    m_pDocument = document;
    if (document)
        document->AddView(this);
    return true;
}

QImage& CView::BackBuffer()
{
    QWidget* surface = PaintSurface();
    const QSize size = surface ? surface->size() : QSize(1, 1);
    if (m_backBuffer.size() != size) {
        m_backBuffer = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        m_backBuffer.fill(Qt::white);
        m_bufferFresh = true;
    }
    return m_backBuffer;
}

void CView::Invalidate(bool erase)
{
    if (QWidget* surface = PaintSurface())
        m_invalid += surface->rect();
    CWnd::Invalidate(erase);
    if (PaintSurface() && PaintSurface() != Widget())
        PaintSurface()->update();
}

void CView::InvalidateRect(const CRect* rect, bool erase)
{
    QWidget* surface = PaintSurface();
    if (!surface)
        return;
    const QRect area = rect ? ToQ(*rect) : surface->rect();
    m_invalid += area;
    surface->update(area);
    (void)erase;
}

void CView::Present(const QRect& area)
{
    if (QWidget* surface = PaintSurface())
        surface->update(area);
}

QRegion CView::TakeRedrawRegion(const QRect& area)
{
    BackBuffer();
    // The buffer keeps the last picture: uncovering or re-showing a window
    // only shows it again; OnPaint runs for what was invalidated.
    const QRegion redraw = m_bufferFresh ? QRegion(area) : (m_invalid & area);
    m_bufferFresh = false;
    m_invalid -= area;
    return redraw;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, intptr_t, CObject*)
{
    Invalidate();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnPrepareDC(CDC*, CPrintInfo* info)
{
    if (info && info->GetMaxPage() == CPrintInfo::kUnknownPages)
        info->m_bContinuePrinting = info->m_nCurPage == 1;
}

void CView::OnPrint(CDC* dc, CPrintInfo*)
{
    OnDraw(dc);
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    if (m_pDocument)
        info.m_strDocName = m_pDocument->GetTitle();
    PrintView(*this, info);
}

void CView::OnFilePrintDirect()
{
    CPrintInfo info;
    info.m_bDirect = true;
    if (m_pDocument)
        info.m_strDocName = m_pDocument->GetTitle();
    PrintView(*this, info);
}

void CView::OnFilePrintPreview()
{
    DoPrintPreview(this);
}

bool CView::OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info)
{
    if (CWnd::OnCmdMsg(id, code, ui, info))
        return true;
    return m_pDocument && m_pDocument->OnCmdMsg(id, code, ui, info);
}

void CView::OnDocumentUpdate(CView* sender, intptr_t hint, CObject* hintObject)
{
    OnUpdate(sender, hint, hintObject);
}

void CView::OnDocumentTitleChanged()
{
    if (m_frame)
        m_frame->OnUpdateFrameTitle(true);
}

void CView::OnDocumentClosing()
{
    // The document goes right after this; the view may outlive it briefly.
    m_pDocument = nullptr;
    if (m_frame)
        m_frame->DestroyWindow();  // takes this view with it
    else
        DestroyWindow();
}

void CView::OnDocumentActivate()
{
    if (m_frame)
        m_frame->ActivateFrame();
}

void CView::OnDestroyed()
{
    if (m_frame)
        m_frame->ForgetView(this);
}

} // namespace fw
