#include "docbase/graphpage/DrawObj.h"

#include "docbase/graphpage/ZELGraphViewDoc.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"

#include <algorithm>

FW_IMPLEMENT_SERIAL(CDrawObj, fw::CObject, 0)

namespace {

// A handle is marked with a 7 x 7 square around its point; hits count in
// a 6 x 6 square (device units).
constexpr int kHandleMark = 3;
constexpr int kHandleHit = 3;
constexpr int kMinimumTopLeft = 3;

} // namespace

CDrawObj::CDrawObj() = default;

CDrawObj::CDrawObj(const fw::CRect& position) : m_position(position) {}

void CDrawObj::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_position.left << m_position.top << m_position.right << m_position.bottom;
        ar << m_relX << m_relY;
    } else {
        m_pDocument = dynamic_cast<CZELGraphViewDoc*>(ar.m_pDocument);
        int32_t block[4];
        ar.ReadExact(block, sizeof block);
        m_position = fw::CRect(block[0], block[1], block[2], block[3]);
        ar >> m_relX >> m_relY;
    }
    m_frame.Serialize(ar);
}

int CDrawObj::GetHandleCount()
{
    return 8;
}

fw::CPoint CDrawObj::GetHandle(int handle)
{
    const fw::CRect& r = m_position;
    const int cx = r.left + r.Width() / 2;
    const int cy = r.top + r.Height() / 2;
    switch (handle) {
    case 1: return {r.left, r.top};
    case 2: return {cx, r.top};
    case 3: return {r.right, r.top};
    case 4: return {r.right, cy};
    case 5: return {r.right, r.bottom};
    case 6: return {cx, r.bottom};
    case 7: return {r.left, r.bottom};
    case 8: return {r.left, cy};
    default: return {};
    }
}

GraphCursor CDrawObj::GetHandleCursor(int handle)
{
    switch (handle) {
    case 1:
    case 5: return GraphCursor::sizeNWSE;
    case 2:
    case 6: return GraphCursor::sizeNS;
    case 3:
    case 7: return GraphCursor::sizeNESW;
    case 4:
    case 8: return GraphCursor::sizeWE;
    default: return GraphCursor::arrow;
    }
}

fw::CRect CDrawObj::GetFrameRect() const
{
    fw::CRect r = m_position;
    r.NormalizeRect();
    const int w = m_frame.m_penWidth;
    if (m_frame.HasSide(CDrawObjPrf::kTop))
        r.top += w;
    if (m_frame.HasSide(CDrawObjPrf::kBottom))
        r.bottom -= w;
    if (m_frame.HasSide(CDrawObjPrf::kLeft))
        r.left += w;
    if (m_frame.HasSide(CDrawObjPrf::kRight))
        r.right -= w;
    if (!m_frame.m_transparent && m_frame.HasSide(CDrawObjPrf::kShadow)) {
        r.bottom -= w;
        r.right -= w;
    }
    r.top = std::min(r.top, r.bottom);
    r.left = std::min(r.left, r.right);
    return r;
}

void CDrawObj::ApplyFrameMargins()
{
    fw::CRect& r = m_position;
    const int w = m_frame.m_penWidth;
    if (m_frame.HasSide(CDrawObjPrf::kTop))
        r.top -= w;
    if (m_frame.HasSide(CDrawObjPrf::kBottom))
        r.bottom += w;
    if (m_frame.HasSide(CDrawObjPrf::kLeft))
        r.left -= w;
    if (m_frame.HasSide(CDrawObjPrf::kRight))
        r.right += w;
    if (!m_frame.m_transparent && m_frame.HasSide(CDrawObjPrf::kShadow)) {
        r.bottom += w;
        r.right += w;
    }
    if (r.top < kMinimumTopLeft)
        r.OffsetRect(0, kMinimumTopLeft - r.top);
    if (r.left < kMinimumTopLeft)
        r.OffsetRect(kMinimumTopLeft - r.left, 0);
}

void CDrawObj::SetFrameStyle(const CDrawObjPrf& style)
{
    Invalidate();
    const fw::CRect inner = GetFrameRect();
    if (&style != &m_frame)
        m_frame = style;
    m_position = inner;
    ApplyFrameMargins();
    Invalidate();
    MarkModified();
}

void CDrawObj::DrawFrame(fw::CDC* dc, fw::CRect rect)
{
    const CDrawObjPrf& f = m_frame;
    const int w = f.m_penWidth;
    fw::LOGBRUSH penBrush;
    penBrush.lbStyle = fw::BS_SOLID;
    penBrush.lbColor = f.m_penColor;
    fw::CPen pen;
    fw::CBrush fill;
    if (!pen.CreatePen(static_cast<uint32_t>(f.m_penStyle), w, penBrush) || !fill.CreateBrushIndirect(f.m_fill))
        return;

    const int saved = dc->SaveDC();
    rect.NormalizeRect();
    // Lines and fill stay inside the rectangle, right and bottom edge included.
    dc->IntersectClipRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    int right = rect.right;
    int bottom = rect.bottom;
    if (!f.m_transparent) {
        if (f.HasSide(CDrawObjPrf::kShadow)) {
            dc->SelectStockObject(fw::BLACK_BRUSH);
            dc->SelectStockObject(fw::BLACK_PEN);
            dc->Rectangle(rect.left + w, rect.top + w, rect.right, rect.bottom);
            right -= w;
            bottom -= w;
        }
        dc->SelectStockObject(fw::NULL_PEN);
        dc->SelectObject(&fill);
        dc->Rectangle(rect.left, rect.top, right, bottom);
    }
    dc->SelectObject(&pen);
    const int half = w / 2;
    if (f.HasSide(CDrawObjPrf::kTop)) {
        dc->MoveTo(rect.left, rect.top + half);
        dc->LineTo(right, rect.top + half);
    }
    if (f.HasSide(CDrawObjPrf::kBottom)) {
        dc->MoveTo(rect.left, bottom - half);
        dc->LineTo(right, bottom - half);
    }
    if (f.HasSide(CDrawObjPrf::kLeft)) {
        dc->MoveTo(rect.left + half, rect.top);
        dc->LineTo(rect.left + half, bottom);
    }
    if (f.HasSide(CDrawObjPrf::kRight)) {
        dc->MoveTo(right - half, rect.top);
        dc->LineTo(right - half, bottom);
    }
    dc->RestoreDC(saved);
}

void CDrawObj::DrawTracker(fw::CDC* dc, int state)
{
    if (state != 1 && state != 2)
        return;
    // Raster inversion is not available on every device: the handles are
    // marked with black squares of the same size instead.
    const int count = GetHandleCount();
    for (int n = 1; n <= count; ++n) {
        fw::CPoint p = GetHandle(n);
        dc->LPtoDP(&p);
        fw::CRect mark(p.x - kHandleMark, p.y - kHandleMark, p.x + kHandleMark + 1, p.y + kHandleMark + 1);
        dc->DPtoLP(&mark);
        dc->FillSolidRect(mark, fw::RGB(0, 0, 0));
    }
}

void CDrawObj::DrawTrackerRect(fw::CDC* dc)
{
    fw::CRect r = m_position;
    r.NormalizeRect();
    const int saved = dc->SaveDC();
    fw::CPen pen(m_bDrawSelected ? fw::PS_DOT : fw::PS_SOLID, 0, fw::RGB(0, 0, 0));
    dc->SelectObject(&pen);
    dc->SelectStockObject(fw::NULL_BRUSH);
    dc->Rectangle(r);
    dc->RestoreDC(saved);
}

void CDrawObj::MoveTo(const fw::CRect& rect, IGraphPageView* view)
{
    if (rect == m_position)
        return;
    if (view) {
        view->InvalObj(this);
        const CZELGraphViewDoc* doc = view->GetGraphDoc();
        SetRelativePosition(rect, doc ? doc->GetPageRect() : fw::CRect());
        view->InvalObj(this);
    } else {
        Invalidate();
        m_position = rect;
        Invalidate();
    }
    MarkModified();
}

int CDrawObj::HitTest(fw::CPoint point, IGraphPageView* view, bool selected)
{
    if (selected) {
        const int count = GetHandleCount();
        for (int n = 1; n <= count; ++n) {
            fw::CPoint p = GetHandle(n);
            fw::CRect square;
            if (view) {
                view->DocToClient(p);
                square = fw::CRect(p.x - kHandleHit, p.y - kHandleHit, p.x + kHandleHit, p.y + kHandleHit);
                view->ClientToDoc(square);
            } else {
                square = fw::CRect(p.x - kHandleHit, p.y - kHandleHit, p.x + kHandleHit, p.y + kHandleHit);
            }
            square.NormalizeRect();
            if (point.x >= square.left && point.x < square.right && point.y > square.top && point.y <= square.bottom)
                return n;
        }
        return 0;
    }
    const fw::CRect& r = m_position;
    return point.x >= r.left && point.x < r.right && point.y > r.top && point.y <= r.bottom ? 1 : 0;
}

bool CDrawObj::Intersects(const fw::CRect& rect)
{
    fw::CRect a = m_position;
    a.NormalizeRect();
    fw::CRect b = rect;
    b.NormalizeRect();
    fw::CRect both;
    return both.IntersectRect(a, b);
}

void CDrawObj::MoveHandleTo(int handle, fw::CPoint point, IGraphPageView* view)
{
    fw::CRect r = m_position;
    switch (handle) {
    case 1: r.left = point.x; r.top = point.y; break;
    case 2: r.top = point.y; break;
    case 3: r.right = point.x; r.top = point.y; break;
    case 4: r.right = point.x; break;
    case 5: r.right = point.x; r.bottom = point.y; break;
    case 6: r.bottom = point.y; break;
    case 7: r.left = point.x; r.bottom = point.y; break;
    case 8: r.left = point.x; break;
    default: return;
    }
    MoveTo(r, view);
}

CDrawObj* CDrawObj::Clone(CZELGraphViewDoc* document)
{
    auto* clone = new CDrawObj(m_position);
    clone->CopyFrom(*this);
    if (document)
        document->AddObject(clone);
    return clone;
}

void CDrawObj::CopyFrom(const CDrawObj& other)
{
    m_position = other.m_position;
    m_pDocument = other.m_pDocument;
    m_relX = other.m_relX;
    m_relY = other.m_relY;
    m_frame = other.m_frame;
}

void CDrawObj::Remove()
{
    delete this;
}

void CDrawObj::Invalidate()
{
    if (m_pDocument)
        m_pDocument->UpdateAllViews(nullptr, kHintInvalidateObject, this);
}

void CDrawObj::NotifyChanged()
{
    if (m_pDocument)
        m_pDocument->UpdateAllViews(nullptr, kHintRedrawObject, this);
}

void CDrawObj::RecalcPosition(const fw::CRect& area)
{
    const int left = area.left + static_cast<int>(static_cast<double>(area.right - area.left) * m_relX);
    const int top = area.top + static_cast<int>(static_cast<double>(area.bottom - area.top) * m_relY);
    m_position.OffsetRect(left - m_position.left, top - m_position.top);
}

void CDrawObj::SetRelativePosition(const fw::CRect& rect, const fw::CRect& area)
{
    m_position = rect;
    // A page without extent (not sized yet) cannot give fractions: the old
    // ones stay and the rectangle is taken as it is, rather than storing
    // infinities that would throw the object off every later page.
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width != 0) {
        m_relX = static_cast<double>(rect.left - area.left) / static_cast<double>(width);
        m_position.OffsetRect(area.left + static_cast<int>(width * m_relX) - m_position.left, 0);
    }
    if (height != 0) {
        m_relY = static_cast<double>(rect.top - area.top) / static_cast<double>(height);
        m_position.OffsetRect(0, area.top + static_cast<int>(height * m_relY) - m_position.top);
    }
}

void CDrawObj::MarkModified()
{
    if (m_pDocument)
        m_pDocument->SetModifiedFlag();
}
