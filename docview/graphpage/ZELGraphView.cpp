#include "docview/graphpage/ZELGraphView.h"

#include "docbase/graphpage/DrawOleObj.h"
#include "docbase/graphpage/DrawTool.h"
#include "docbase/graphpage/GraphPageClipboard.h"
#include "docbase/graphpage/ZELOffScreenBitmap.h"
#include "docview/graphpage/GraphPageWidget.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "framework/ui/FrameWnd.h"

#include <QCursor>

#include <algorithm>

FW_IMPLEMENT_DYNCREATE(CZELGraphView, fw::CView)

FW_BEGIN_COMMANDS(CZELGraphView, fw::CView)
    FW_ON_COMMAND(ID_EDIT_SELECT_ALL, &CZELGraphView::OnEditSelectAll)
    FW_ON_UPDATE(ID_EDIT_SELECT_ALL, &CZELGraphView::OnUpdateEditSelectAll)
    FW_ON_COMMAND(ID_EDIT_CLEAR, &CZELGraphView::OnEditClear)
    FW_ON_UPDATE(ID_EDIT_CLEAR, &CZELGraphView::OnUpdateEditClear)
    FW_ON_COMMAND(ID_EDIT_COPY, &CZELGraphView::OnEditCopy)
    FW_ON_UPDATE(ID_EDIT_COPY, &CZELGraphView::OnUpdateEditCopy)
    FW_ON_COMMAND(ID_EDIT_CUT, &CZELGraphView::OnEditCut)
    FW_ON_UPDATE(ID_EDIT_CUT, &CZELGraphView::OnUpdateEditCut)
    FW_ON_COMMAND(ID_EDIT_PASTE, &CZELGraphView::OnEditPaste)
    FW_ON_UPDATE(ID_EDIT_PASTE, &CZELGraphView::OnUpdateEditPaste)
    FW_ON_UPDATE(ID_WINDOW_NEW, &CZELGraphView::OnUpdateAlwaysDisabled)
    FW_ON_UPDATE(ID_OLE_INSERT_NEW, &CZELGraphView::OnUpdateAlwaysDisabled)
    FW_ON_COMMAND(fw::ID_FILE_PRINT, &fw::CView::OnFilePrint)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_DIRECT, &fw::CView::OnFilePrintDirect)
    FW_ON_COMMAND(fw::ID_FILE_PRINT_PREVIEW, &fw::CView::OnFilePrintPreview)
FW_END_COMMANDS

namespace {

// The "DISPLAY" information context: measures like the screen, draws
// nothing.
class DisplayInfoSink final : public fw::IDrawSink {
public:
    void Line(const fw::CDC&, fw::CPoint, fw::CPoint) override {}
    void Polyline(const fw::CDC&, const std::vector<fw::CPoint>&) override {}
    void Polygon(const fw::CDC&, const std::vector<fw::CPoint>&, int) override {}
    void Rectangle(const fw::CDC&, const fw::CRect&) override {}
    void Ellipse(const fw::CDC&, const fw::CRect&) override {}
    void FillRect(const fw::CDC&, const fw::CRect&, const fw::CBrush&) override {}
    void Text(const fw::CDC&, fw::CPoint, const fw::CString&, const fw::CRect*, const fw::CRect*) override {}
    void SetPixel(const fw::CDC&, fw::CPoint, fw::COLORREF) override {}
    fw::CSize TextExtent(const fw::CDC&, const fw::CString&) override { return {}; }
    fw::TEXTMETRIC TextMetrics(const fw::CDC&) override { return {}; }
    int DeviceCaps(int index) const override
    {
        switch (index) {
        case fw::LOGPIXELSX:
        case fw::LOGPIXELSY: return fw::kDisplayDpi;
        case fw::HORZRES: return fw::kDisplayWidthPx;
        case fw::VERTRES: return fw::kDisplayHeightPx;
        case fw::HORZSIZE: return fw::kDisplayWidthMm;
        case fw::VERTSIZE: return fw::kDisplayHeightMm;
        case fw::TECHNOLOGY: return fw::DT_RASDISPLAY;
        default: return 0;
        }
    }
};

int DeviceDpi(const fw::CDC* dc, int index)
{
    const int dpi = dc->GetDeviceCaps(index);
    return dpi > 0 ? dpi : fw::kDisplayDpi;
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const long long p = static_cast<long long>(a) * b;
    return static_cast<int>(p >= 0 ? (p + c / 2) / c : (p - c / 2) / c);
}

// Margins (left, top, right, bottom, device pixels) that leave 20 mm of
// the physical page free on every side.
std::array<int32_t, 4> PrintMargins(const fw::CDC* dc)
{
    const int dpiX = DeviceDpi(dc, fw::LOGPIXELSX);
    const int dpiY = DeviceDpi(dc, fw::LOGPIXELSY);
    const int borderX = MulDiv(2000, dpiX, 2540);
    const int borderY = MulDiv(2000, dpiY, 2540);
    const int offX = dc->GetDeviceCaps(fw::PHYSICALOFFSETX);
    const int offY = dc->GetDeviceCaps(fw::PHYSICALOFFSETY);
    int physW = dc->GetDeviceCaps(fw::PHYSICALWIDTH);
    int physH = dc->GetDeviceCaps(fw::PHYSICALHEIGHT);
    const int horz = dc->GetDeviceCaps(fw::HORZRES);
    const int vert = dc->GetDeviceCaps(fw::VERTRES);
    if (physW <= 0)
        physW = horz + 2 * offX;
    if (physH <= 0)
        physH = vert + 2 * offY;
    std::array<int32_t, 4> m{};
    m[0] = std::max(0, borderX - offX);
    m[1] = std::max(0, borderY - offY);
    m[2] = std::max(0, borderX - (physW - horz - offX));
    m[3] = std::max(0, borderY - (physH - vert - offY));
    return m;
}

bool Contains(const CDrawObjList& list, const CDrawObj* object)
{
    return std::find(list.begin(), list.end(), object) != list.end();
}

} // namespace

CZELGraphView::CZELGraphView() = default;

CZELGraphView::~CZELGraphView()
{
    DestroyWidgetNow();
}

CZELGraphViewDoc* CZELGraphView::GetDocument() const
{
    return dynamic_cast<CZELGraphViewDoc*>(m_pDocument);
}

void CZELGraphView::AttachDocument(CZELGraphViewDoc* document)
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
    m_pDocument = document;
    if (document)
        document->AddView(this);
}

QWidget* CZELGraphView::CreateViewWidget(QWidget* parent)
{
    return new GraphPageWidget(this, parent);
}

// --- frame placement -----------------------------------------------------------------

uint32_t CZELGraphView::FrameKey() const
{
    const void* frame = GetParentFrame();
    const auto key = reinterpret_cast<uintptr_t>(frame ? frame : static_cast<const void*>(this));
    return static_cast<uint32_t>(key ^ (key >> 32));
}

FramePlacement CZELGraphView::GetFramePlacement() const
{
    FramePlacement placement;
    fw::WINDOWPLACEMENT wp;
    if (const fw::CFrameWnd* frame = GetParentFrame(); frame && frame->GetWindowPlacement(&wp)) {
        placement.flags = wp.flags;
        placement.showCmd = wp.showCmd;
        placement.minPosition = wp.ptMinPosition;
        placement.maxPosition = wp.ptMaxPosition;
        placement.normalPosition = wp.rcNormalPosition;
    }
    return placement;
}

void CZELGraphView::SetFramePlacement(const FramePlacement& placement)
{
    fw::CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return;
    fw::WINDOWPLACEMENT wp;
    wp.flags = placement.flags;
    wp.showCmd = placement.showCmd;
    wp.ptMinPosition = placement.minPosition;
    wp.ptMaxPosition = placement.maxPosition;
    wp.rcNormalPosition = placement.normalPosition;
    frame->SetWindowPlacement(&wp);
}

// --- drawing -------------------------------------------------------------------------

void CZELGraphView::OnPrepareDC(fw::CDC* dc, fw::CPrintInfo* info)
{
    dc->SetMapMode(fw::MM_ANISOTROPIC);
    dc->SetWindowExt(fw::kDisplayDpi, fw::kDisplayDpi);
    dc->SetViewportExt(DeviceDpi(dc, fw::LOGPIXELSX), DeviceDpi(dc, fw::LOGPIXELSY));
    if (!dc->IsPrinting()) {
        dc->SetViewportOrg(-m_scrollPos.x, -m_scrollPos.y);
        return;
    }
    if (info) {
        info->m_bContinuePrinting = info->m_nCurPage <= info->GetToPage();
        if (!info->m_bContinuePrinting)
            return;
    }
    fw::CView::OnPrepareDC(dc, info);
}

fw::CRect CZELGraphView::GetVisibleClient() const
{
    const CZELGraphViewDoc* doc = GetDocument();
    fw::CRect client = Widget() ? GetClientRect() : (doc ? doc->GetPageRect() : fw::CRect());
    client.OffsetRect(m_scrollPos.x, m_scrollPos.y);
    return client;
}

void CZELGraphView::OnDraw(fw::CDC* dc)
{
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc)
        return;
    if (dc->IsPrinting()) {
        DrawObjects(dc);
        return;
    }
    fw::CRect visible;
    visible.IntersectRect(GetVisibleClient(), doc->GetPageRect());

    CZELOffScreenBitmap bitmap;
    fw::CDC* memDC = nullptr;
    if (!visible.IsRectEmpty() && bitmap.Create(dc, visible.Width(), visible.Height()))
        memDC = bitmap.BeginDraw(dc);
    if (memDC) {
        memDC->SetViewportOrg(-visible.left, -visible.top);
        memDC->FillSolidRect(visible, kWindowColor);
        DrawObjects(memDC);
        bitmap.EndDraw();
        if (bitmap.GetBitmap()->CopyTo(*dc, visible.TopLeft()))
            return;
    }
    // Without a bitmap (or a device that takes none) the page is drawn
    // straight into the window.
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(doc->GetPageRect());
    dc->FillSolidRect(doc->GetPageRect(), kWindowColor);
    DrawObjects(dc);
    dc->RestoreDC(saved);
}

void CZELGraphView::DrawObjects(fw::CDC* dc)
{
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc)
        return;
    const bool printing = dc->IsPrinting();
    for (CDrawObj* object : doc->GetObjects()) {
        if (m_bActive && !printing && IsSelected(object)) {
            object->m_bDrawSelected = true;
            object->Draw(dc);
            object->DrawTracker(dc, 1);
        } else {
            object->m_bDrawSelected = false;
            object->Draw(dc);
        }
    }
}

// --- coordinates and invalidation ---------------------------------------------------

void CZELGraphView::DocToClient(fw::CPoint& point) const
{
    DisplayInfoSink sink;
    fw::CDC dc(&sink);
    const_cast<CZELGraphView*>(this)->OnPrepareDC(&dc);
    dc.LPtoDP(&point);
}

void CZELGraphView::DocToClient(fw::CRect& rect) const
{
    DisplayInfoSink sink;
    fw::CDC dc(&sink);
    const_cast<CZELGraphView*>(this)->OnPrepareDC(&dc);
    dc.LPtoDP(&rect);
    rect.NormalizeRect();
}

void CZELGraphView::ClientToDoc(fw::CPoint& point) const
{
    DisplayInfoSink sink;
    fw::CDC dc(&sink);
    const_cast<CZELGraphView*>(this)->OnPrepareDC(&dc);
    dc.DPtoLP(&point);
}

void CZELGraphView::ClientToDoc(fw::CRect& rect) const
{
    DisplayInfoSink sink;
    fw::CDC dc(&sink);
    const_cast<CZELGraphView*>(this)->OnPrepareDC(&dc);
    dc.DPtoLP(&rect);
}

void CZELGraphView::InvalObj(CDrawObj* object)
{
    fw::CRect rect = object->m_position;
    DocToClient(rect);
    if (m_bActive && IsSelected(object)) {
        // Room for the handles.
        rect.left -= 4;
        rect.top -= 5;
        rect.right += 5;
        rect.bottom += 4;
    }
    rect.InflateRect(1, 1);
    InvalidateRect(&rect, false);
}

void CZELGraphView::InvalidateSelection()
{
    for (CDrawObj* object : m_selection)
        InvalObj(object);
}

// --- selection -------------------------------------------------------------------------

bool CZELGraphView::IsSelected(const CDrawObj* object) const
{
    return Contains(m_selection, object);
}

void CZELGraphView::Select(CDrawObj* object, bool add)
{
    if (!add) {
        InvalidateSelection();
        m_selection.clear();
    }
    if (object && !IsSelected(object)) {
        m_selection.push_back(object);
        InvalObj(object);
    }
}

void CZELGraphView::SelectWithinRect(fw::CRect rect, bool add)
{
    if (!add) {
        InvalidateSelection();
        m_selection.clear();
    }
    ClientToDoc(rect);
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc)
        return;
    for (CDrawObj* object : doc->GetObjects()) {
        if (object->Intersects(rect) && !IsSelected(object)) {
            m_selection.push_back(object);
            InvalObj(object);
        }
    }
}

void CZELGraphView::Deselect(CDrawObj* object)
{
    auto it = std::find(m_selection.begin(), m_selection.end(), object);
    if (it == m_selection.end())
        return;
    InvalObj(object);
    m_selection.erase(it);
}

void CZELGraphView::CloneSelection()
{
    const CDrawObjList selection = m_selection;
    for (CDrawObj* object : selection)
        object->Clone(object->m_pDocument);
}

// --- mouse -----------------------------------------------------------------------------

void CZELGraphView::SetCapture()
{
    m_bCapture = true;
    if (Widget())
        Widget()->grabMouse();
}

void CZELGraphView::ReleaseCapture()
{
    m_bCapture = false;
    if (Widget())
        Widget()->releaseMouse();
}

void CZELGraphView::SetCursor(GraphCursor cursor)
{
    QWidget* widget = Widget();
    if (!widget)
        return;
    switch (cursor) {
    case GraphCursor::arrow: widget->setCursor(Qt::ArrowCursor); break;
    case GraphCursor::sizeNWSE: widget->setCursor(Qt::SizeFDiagCursor); break;
    case GraphCursor::sizeNESW: widget->setCursor(Qt::SizeBDiagCursor); break;
    case GraphCursor::sizeNS: widget->setCursor(Qt::SizeVerCursor); break;
    case GraphCursor::sizeWE: widget->setCursor(Qt::SizeHorCursor); break;
    }
}

void CZELGraphView::DrawFocusRect(const fw::CRect& rect)
{
    // The band is an overlay: a second call with the same rectangle takes
    // it away, as drawing an inverted focus rectangle twice did.
    if (m_bandShown && rect == m_band)
        m_bandShown = false;
    else {
        m_band = rect;
        m_bandShown = true;
    }
    if (auto* widget = dynamic_cast<GraphPageWidget*>(Widget())) {
        widget->SetBand(m_bandShown ? QRect(m_band.left, m_band.top, m_band.Width() + 1, m_band.Height() + 1)
                                    : QRect());
    }
}

void CZELGraphView::UpdateOtherViews()
{
    if (CZELGraphViewDoc* doc = GetDocument())
        doc->UpdateAllViews(this, 0, nullptr);
}

void CZELGraphView::OnLButtonDown(unsigned flags, fw::CPoint point)
{
    if (!m_bActive)
        return;
    if (CDrawTool* tool = CDrawTool::CurrentTool())
        tool->OnLButtonDown(this, flags, point);
}

void CZELGraphView::OnLButtonUp(unsigned flags, fw::CPoint point)
{
    m_lastClick = point;
    if (!m_bActive)
        return;
    if (CDrawTool* tool = CDrawTool::CurrentTool())
        tool->OnLButtonUp(this, flags, point);
}

void CZELGraphView::OnLButtonDblClk(unsigned flags, fw::CPoint point)
{
    if (!m_bActive)
        return;
    if (CDrawTool* tool = CDrawTool::CurrentTool())
        tool->OnLButtonDblClk(this, flags, point);
}

void CZELGraphView::OnMouseMove(unsigned flags, fw::CPoint point)
{
    if (!m_bActive)
        return;
    if (const CZELGraphViewDoc* doc = GetDocument()) {
        const fw::CSize page = doc->GetPageSize();
        point.x = std::clamp(point.x, 0, std::max(0, page.cx));
        point.y = std::clamp(point.y, 0, std::max(0, page.cy));
    }
    if (CDrawTool* tool = CDrawTool::CurrentTool())
        tool->OnMouseMove(this, flags, point);
}

fw::CRect CZELGraphView::GetLastClickRect() const
{
    fw::CPoint p = m_lastClick;
    ClientToDoc(p);
    return fw::CRect(p.x, p.y, p.x, p.y);
}

// --- updates and layout -------------------------------------------------------------

void CZELGraphView::OnInitialUpdate()
{
    fw::CView::OnInitialUpdate();
    Select(nullptr);
    if (const CZELGraphViewDoc* doc = GetDocument())
        SetScrollSizes(doc->GetPageSize());
}

void CZELGraphView::SetScrollSizes(fw::CSize total)
{
    m_scrollSizes = total;
}

void CZELGraphView::OnActivateView(bool activate, fw::CView* activateView, fw::CView* deactiveView)
{
    fw::CView::OnActivateView(activate, activateView, deactiveView);
    if (m_bActive == activate)
        return;
    // Handles appear only on the active view: drawn after the state is on,
    // erased before it goes off.
    if (activate)
        m_bActive = true;
    InvalidateSelection();
    if (!activate)
        m_bActive = false;
}

void CZELGraphView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    const auto* listHint = dynamic_cast<const CDrawObjListHint*>(hintObject);
    switch (hint) {
    case kHintRedrawInvalid:
        UpdateWindow();
        return;
    case kHintRedrawObject:
        if (auto* object = dynamic_cast<CDrawObj*>(hintObject)) {
            InvalObj(object);
            UpdateWindow();
        }
        return;
    case kHintInvalidateObject:
        if (auto* object = dynamic_cast<CDrawObj*>(hintObject))
            InvalObj(object);
        return;
    case kHintInvalidateList: {
        const CDrawObjList list = listHint ? listHint->m_list : m_selection;
        for (CDrawObj* object : list)
            InvalObj(object);
        return;
    }
    case kHintDeletingList:
        if (listHint) {
            // A copy: the list may be this view's own selection.
            const CDrawObjList list = listHint->m_list;
            for (CDrawObj* object : list) {
                InvalObj(object);
                Deselect(object);
            }
        }
        return;
    case kHintInvalidateOle:
        if (CZELGraphViewDoc* doc = GetDocument()) {
            for (CDrawObj* object : doc->GetObjects()) {
                if (dynamic_cast<CDrawOleObj*>(object))
                    InvalObj(object);
            }
        }
        return;
    case kHintDropSelection:
        InvalidateSelection();
        m_selection.clear();
        return;
    case kHintScrollSizes:
        if (const CZELGraphViewDoc* doc = GetDocument())
            SetScrollSizes(doc->GetPageSize());
        return;
    default:
        fw::CView::OnUpdate(sender, hint, hintObject);
    }
}

void CZELGraphView::OnSize(unsigned type, int cx, int cy)
{
    fw::CView::OnSize(type, cx, cy);
    ResizePage(cx, cy);
}

void CZELGraphView::ResizePage(int cx, int cy)
{
    CZELGraphViewDoc* doc = GetDocument();
    if (!doc || doc->IsAreaLocked())
        return;
    const fw::CSize size(std::max(cx, 1), std::max(cy, 1));
    SetScrollSizes(size);
    doc->SetPageSize(size);
    LayoutObjects(fw::CRect(0, 0, size.cx, size.cy));
    Invalidate(true);
}

void CZELGraphView::LayoutObjects(const fw::CRect& area)
{
    if (CZELGraphViewDoc* doc = GetDocument()) {
        for (CDrawObj* object : doc->GetObjects())
            object->RecalcPosition(area);
    }
}

void CZELGraphView::NotifyViewInitialUpdate(CZELGraphView* view)
{
    if (CZELGraphViewDoc* doc = GetDocument()) {
        for (CDrawObj* object : doc->GetObjects())
            object->OnViewInitialUpdate(view);
    }
}

void CZELGraphView::NotifyPrinting(bool begin)
{
    if (CZELGraphViewDoc* doc = GetDocument()) {
        for (CDrawObj* object : doc->GetObjects()) {
            if (begin)
                object->OnBeginPrinting();
            else
                object->OnEndPrinting();
        }
    }
}

// --- printing ----------------------------------------------------------------------------

void CZELGraphView::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    SetRedraw(false);
    m_printMargins = PrintMargins(dc);
    m_printArea = fw::CRect(m_printMargins[0], m_printMargins[1],
                            dc->GetDeviceCaps(fw::HORZRES) - m_printMargins[2],
                            dc->GetDeviceCaps(fw::VERTRES) - m_printMargins[3]);
    const int saved = dc->SaveDC();
    OnPrepareDC(dc, nullptr);
    dc->DPtoLP(&m_printArea);
    NotifyPrinting(true);
    LayoutObjects(m_printArea);
    dc->RestoreDC(saved);
    if (info)
        info->SetMaxPage(1);
}

void CZELGraphView::OnPrint(fw::CDC* dc, fw::CPrintInfo* info)
{
    fw::CRect clip = m_printArea;
    dc->LPtoDP(&clip);
    clip.NormalizeRect();
    dc->SelectClipRgn(&clip);
    fw::CView::OnPrint(dc, info);
}

void CZELGraphView::OnEndPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    NotifyPrinting(false);
    if (const CZELGraphViewDoc* doc = GetDocument())
        LayoutObjects(doc->GetPageRect());
    SetRedraw(true);
    fw::CView::OnEndPrinting(dc, info);
}
