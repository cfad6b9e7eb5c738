#include "docbase/graphpage/DrawOleObj.h"

#include "docbase/graphpage/ZELGraphViewDoc.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"

#include <memory>

FW_IMPLEMENT_SERIAL(CDrawItem, fw::CObject, 0)
FW_IMPLEMENT_SERIAL(CDrawOleObj, CDrawObj, 0)

namespace {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long q = p >= 0 ? (p + c / 2) / c : (p - c / 2) / c;
    return static_cast<int>(q);
}

} // namespace

CDrawItem::~CDrawItem()
{
    if (m_pDrawObj && m_pDrawObj->m_pClientItem == this)
        m_pDrawObj->m_pClientItem = nullptr;
}

void CDrawItem::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<uint32_t>(m_bytes.size());
        if (!m_bytes.empty())
            ar.Write(m_bytes.data(), m_bytes.size());
        return;
    }
    uint32_t length = 0;
    ar >> length;
    // The length comes from the file: never allocate beyond what is there.
    if (length > ar.BytesLeft())
        fw::ThrowArchiveException(fw::CArchiveException::genericException, ar.m_strFileName);
    fw::ReadElements(ar, m_bytes, length);
}

bool CDrawItem::GetCachedExtent(fw::CSize* extent) const
{
    if (m_cachedExtent.cx == 0 && m_cachedExtent.cy == 0)
        return false;
    *extent = m_cachedExtent;
    return true;
}

CDrawOleObj::~CDrawOleObj()
{
    delete m_pClientItem;
}

void CDrawOleObj::Serialize(fw::CArchive& ar)
{
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_extent.cx << m_extent.cy;
        ar.WriteObject(m_pClientItem);
        return;
    }
    int32_t extent[2];
    ar.ReadExact(extent, sizeof extent);
    m_extent = fw::CSize(extent[0], extent[1]);
    delete m_pClientItem;
    m_pClientItem = nullptr;
    m_pClientItem = static_cast<CDrawItem*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CDrawItem)));
    if (m_pClientItem) {
        m_pClientItem->m_pDrawObj = this;
        m_pClientItem->m_cachedExtent = m_extent;
    }
}

void CDrawOleObj::Draw(fw::CDC* dc)
{
    DrawFrame(dc, m_position);
    // The placeholder: the inner rectangle crossed out.
    const fw::CRect inner = GetFrameRect();
    const int saved = dc->SaveDC();
    dc->SelectStockObject(fw::BLACK_PEN);
    dc->SelectStockObject(fw::NULL_BRUSH);
    dc->Rectangle(inner);
    dc->MoveTo(inner.left, inner.top);
    dc->LineTo(inner.right, inner.bottom);
    dc->MoveTo(inner.left, inner.bottom);
    dc->LineTo(inner.right, inner.top);
    dc->RestoreDC(saved);
    if (!dc->IsPrinting() && m_bDrawSelected)
        DrawTrackerRect(dc);
}

CDrawObj* CDrawOleObj::Clone(CZELGraphViewDoc* document)
{
    auto clone = std::make_unique<CDrawOleObj>(m_position);
    if (m_pClientItem) {
        clone->m_pClientItem = new CDrawItem(clone.get());
        clone->m_pClientItem->m_bytes = m_pClientItem->m_bytes;
        clone->m_pClientItem->m_cachedExtent = m_pClientItem->m_cachedExtent;
    }
    clone->m_extent = m_extent;
    clone->CopyFrom(*this);
    CDrawOleObj* result = clone.release();
    if (document)
        document->AddObject(result);
    return result;
}

void CDrawOleObj::Remove()
{
    delete m_pClientItem;
    m_pClientItem = nullptr;
    CDrawObj::Remove();
}

void CDrawOleObj::ResetSize()
{
    Invalidate();
    m_extent = fw::CSize();
    UpdateExtent();
    Invalidate();
}

void CDrawOleObj::UpdateExtent()
{
    fw::CSize extent;
    if (!m_pClientItem || !m_pClientItem->GetCachedExtent(&extent) || extent == m_extent)
        return;
    Invalidate();
    fw::CRect& r = m_position;
    if (m_extent.cx != 0 && m_extent.cy != 0) {
        r.right = r.left + MulDiv(r.Width(), extent.cx, m_extent.cx);
        r.bottom = r.top + MulDiv(r.Height(), extent.cy, m_extent.cy);
    } else {
        r.right = r.left + extent.cx * kHimetricNum / kHimetricDen;
        r.bottom = r.top + extent.cy * kHimetricNum / kHimetricDen;
    }
    m_extent = extent;
    Invalidate();
}
