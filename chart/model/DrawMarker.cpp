#include "chart/model/DrawMarker.h"

#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/Gdi.h"
#include "instrument/system/MarkerList.h"

FW_IMPLEMENT_SERIAL(CDrawMarker, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CDrawGPSMarker, CDrawMarker, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CDrawGraphMarker, CDrawMarker, fw::VERSIONABLE_SCHEMA | 1)

namespace {

constexpr fw::COLORREF kOutline = fw::RGB(0, 255, 0);
constexpr fw::COLORREF kVoiceFill = fw::RGB(255, 0, 0);
constexpr fw::COLORREF kPlainFill = fw::RGB(255, 255, 0);
constexpr fw::COLORREF kTracker = fw::RGB(0, 0, 0);

} // namespace

CDrawMarker::CDrawMarker(CMarkerObj* mark) : m_pMark(mark)
{
    m_bVoice = HasVoiceMark() ? 1 : 0;
}

bool CDrawMarker::HasVoiceMark() const
{
    return m_pMark && m_pMark->IsKindOf(FW_RUNTIME_CLASS(CVoiceMarkerObj));
}

void CDrawMarker::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_bVoice << static_cast<uint8_t>(m_bSelected ? 1 : 0);
        ar.WriteObject(m_pMark);
        return;
    }
    uint8_t selected = 0;
    ar >> m_bVoice >> selected;
    m_bSelected = selected;
    m_pMark = static_cast<CMarkerObj*>(ar.ReadObject(FW_RUNTIME_CLASS(CMarkerObj)));
}

void CDrawMarker::Draw(fw::CDC&, const fw::CRect&) {}

void CDrawMarker::SelectColours(fw::CDC& dc) const
{
    // The context keeps pointers to what it selects: the caller saves and
    // restores it around the drawing, so these stock-like objects live on.
    static fw::CPen outline(fw::PS_SOLID, 1, kOutline);
    static fw::CBrush voiceFill(kVoiceFill);
    static fw::CBrush plainFill(kPlainFill);
    dc.SelectObject(&outline);
    dc.SelectObject(m_bVoice ? &voiceFill : &plainFill);
}

void CDrawMarker::DrawSelection(fw::CDC& dc) const
{
    if (!m_bSelected || !IsPlaced())
        return;
    fw::CRect rect = m_hitRect;
    dc.LPtoDP(&rect);
    rect.NormalizeRect();
    static fw::CPen border(fw::PS_SOLID, 1, kTracker);
    static fw::CBrush hatch = [] {
        fw::CBrush brush;
        brush.CreateHatchBrush(fw::HS_BDIAGONAL, kTracker);
        return brush;
    }();
    const int saved = dc.SaveDC();
    dc.SetMapMode(fw::MM_TEXT);
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(0, 0);
    dc.SetBkMode(fw::TRANSPARENT);
    dc.SelectObject(&border);
    dc.SelectObject(&hatch);
    dc.Rectangle(rect);
    dc.RestoreDC(saved);
}

void CDrawMarker::SetPosition(int32_t x, int32_t y)
{
    m_x = x;
    m_y = y;
    UpdateHitRect();
}

bool CDrawMarker::Intersects(const fw::CRect& rect) const
{
    fw::CRect common;
    return common.IntersectRect(m_hitRect, rect);
}

void CDrawMarker::Activate()
{
    if (m_pMark)
        m_pMark->Play();
}

// ------------------------------------------------------------------- GPS

void CDrawGPSMarker::UpdateHitRect()
{
    if (IsPlaced())
        m_hitRect = fw::CRect(m_x - kHalfSize, m_y - kHalfSize, m_x + kHalfSize, m_y + kHalfSize);
    else
        ClearHitRect();
}

void CDrawGPSMarker::Draw(fw::CDC& dc, const fw::CRect&)
{
    if (!IsPlaced())
        return;
    const int saved = dc.SaveDC();
    SelectColours(dc);
    dc.Ellipse(m_hitRect);
    dc.RestoreDC(saved);
}

// ----------------------------------------------------------------- graphs

void CDrawGraphMarker::Draw(fw::CDC& dc, const fw::CRect& plot)
{
    // A hidden marker must not be hit where it stood before.
    if (m_x == kNotPlaced) {
        ClearHitRect();
        return;
    }
    m_hitRect = fw::CRect(m_x - kHalfSize, plot.top - kTriangleHeight, m_x + kHalfSize, plot.top);
    if (m_x < plot.left || m_x > plot.right)
        return;
    const int saved = dc.SaveDC();
    SelectColours(dc);
    if (m_y != kNotPlaced && m_y >= plot.top && m_y <= plot.bottom) {
        dc.MoveTo(m_x, m_y);
        dc.LineTo(m_x, plot.top);
    }
    const fw::CPoint triangle[3] = {
        {m_x, plot.top}, {m_x - kHalfSize, plot.top - kTriangleHeight}, {m_x + kHalfSize, plot.top - kTriangleHeight}};
    dc.Polygon(triangle, 3);
    dc.RestoreDC(saved);
}
