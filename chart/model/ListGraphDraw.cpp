#include "chart/model/ListGraphDraw.h"

#include "chart/model/ChartArchiveTags.h"
#include "common/base/ArchiveTags.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/Gdi.h"

#include <algorithm>
#include <cmath>

FW_IMPLEMENT_SERIAL(CListGraphDraw, CKivGraphDraw, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CTimeListGraphDraw, CListGraphDraw, fw::VERSIONABLE_SCHEMA | 1)

CListGraphDraw::CListGraphDraw() = default;
CListGraphDraw::~CListGraphDraw() = default;

void CListGraphDraw::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteArchiveTag(ar, kListGraphExTag);
        CKivGraphDraw::Serialize(ar);
        return;
    }
    if (PeekArchiveTag(ar, kListGraphExTag))
        CKivGraphDraw::Serialize(ar);
    else
        CGraphDraw::Serialize(ar);
}

// --- tracker ------------------------------------------------------------------

void CRectTimeTracker::LimitHandles(int left, int right)
{
    const int l = m_rect.left;
    const int r = m_rect.right;
    const int middle = (l + r) / 2;
    auto outside = [left, right](int x) { return x < left || x > right + 1; };
    if (outside(l))
        m_handleMask &= ~(kTopLeftHandle | kBottomLeftHandle);
    if (outside(r))
        m_handleMask &= ~(kTopRightHandle | kBottomRightHandle);
    if (outside(middle))
        m_handleMask &= ~(kTopHandle | kBottomHandle);
}

namespace {

unsigned HandleBit(int hit)
{
    static constexpr unsigned kBits[8] = {
        CRectTimeTracker::kTopLeftHandle, CRectTimeTracker::kTopRightHandle,
        CRectTimeTracker::kBottomRightHandle, CRectTimeTracker::kBottomLeftHandle,
        CRectTimeTracker::kTopHandle, CRectTimeTracker::kRightHandle,
        CRectTimeTracker::kBottomHandle, CRectTimeTracker::kLeftHandle,
    };
    return hit >= 0 && hit < 8 ? kBits[hit] : 0;
}

} // namespace

bool CRectTimeTracker::GetHandleRect(int hit, fw::CRect& out) const
{
    if (!(m_handleMask & HandleBit(hit)))
        return false;
    fw::CRect r = m_rect;
    r.NormalizeRect();
    // Resize-outside handles lie just beyond the rectangle.
    const int size = m_handleSize;
    const int out0 = (m_style & kResizeOutside) ? size : size / 2;
    const int midX = (r.left + r.right - size) / 2;
    const int midY = (r.top + r.bottom - size) / 2;
    int x = 0;
    int y = 0;
    switch (hit) {
    case TrackerHit::kTopLeft: x = r.left - out0; y = r.top - out0; break;
    case TrackerHit::kTopRight: x = r.right + out0 - size; y = r.top - out0; break;
    case TrackerHit::kBottomRight: x = r.right + out0 - size; y = r.bottom + out0 - size; break;
    case TrackerHit::kBottomLeft: x = r.left - out0; y = r.bottom + out0 - size; break;
    case TrackerHit::kTop: x = midX; y = r.top - out0; break;
    case TrackerHit::kRight: x = r.right + out0 - size; y = midY; break;
    case TrackerHit::kBottom: x = midX; y = r.bottom + out0 - size; break;
    case TrackerHit::kLeft: x = r.left - out0; y = midY; break;
    default: return false;
    }
    out = fw::CRect(x, y, x + size, y + size);
    return true;
}

int CRectTimeTracker::HitTest(const fw::CPoint& point) const
{
    for (int hit = 0; hit < 8; ++hit) {
        fw::CRect handle;
        if (GetHandleRect(hit, handle) && handle.PtInRect(point))
            return hit;
    }
    fw::CRect r = m_rect;
    r.NormalizeRect();
    return r.PtInRect(point) ? TrackerHit::kInside : TrackerHit::kNothing;
}

void CRectTimeTracker::Draw(fw::CDC& dc) const
{
    fw::CRect r = m_rect;
    r.NormalizeRect();
    fw::CPen dotted(fw::PS_DOT, 0, fw::RGB(0, 0, 0));
    fw::CPen* oldPen = dc.SelectObject(&dotted);
    fw::CGdiObject* oldBrush = dc.SelectStockObject(fw::NULL_BRUSH);
    dc.Rectangle(r);
    dc.SelectObject(oldPen);
    dc.SelectObject(static_cast<fw::CBrush*>(oldBrush));
    for (int hit = 0; hit < 8; ++hit) {
        fw::CRect handle;
        if (GetHandleRect(hit, handle))
            dc.FillSolidRect(handle, fw::RGB(0, 0, 0));
    }
}

// --- time row ---------------------------------------------------------------------

CTimeListGraphDraw::CTimeListGraphDraw() = default;
CTimeListGraphDraw::~CTimeListGraphDraw() = default;

void CTimeListGraphDraw::CreateGridLines(int axis)
{
    CListGraphDraw::CreateGridLines(axis);
    if ((axis == 'X' || axis == 'x') && m_xGrid)
        m_xGrid->SetAlignToStep(m_alignTimeTicks != 0);
}

void CTimeListGraphDraw::CreateTickLabels(int axis)
{
    CListGraphDraw::CreateTickLabels(axis);
    if (axis == 'X' && m_xTickLabels)
        m_xTickLabels->SetAlignToStep(m_alignTimeTicks != 0);
}

CGraphParamArray* CTimeListGraphDraw::AddSeries(bool withLines)
{
    CGraphParamArray* series = CListGraphDraw::AddSeries(withLines);
    if (series)
        series->SetDrawType(series->GetStyle().drawType);
    return series;
}

void CTimeListGraphDraw::ApplyNiceRange(int axis, int logKind, double maximum, double minimum)
{
    if (minimum != maximum) {
        CListGraphDraw::ApplyNiceRange(axis, logKind, maximum, minimum);
        return;
    }
    if (logKind == 1)
        SetAxisRange(axis, 1, 10, 0.1, 5);
    else
        SetAxisRange(axis, minimum - 1, minimum + 1, 2, 5);
}

bool CTimeListGraphDraw::TimeRangeToRect(fw::CRect& out, double time1, double time2)
{
    if (time1 == HUGE_VAL || time2 == HUGE_VAL || !m_seriesPlot)
        return false;
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    m_seriesPlot->DataToDevice(time1, m_scale.m_y.maximum, x1, y1, &m_record);
    m_seriesPlot->DataToDevice(time2, m_scale.m_y.minimum, x2, y2, &m_record);
    out = fw::CRect(x1, y1, x2, y2);
    out.NormalizeRect();
    out.right += 1;
    out.bottom += 1;
    out.NormalizeRect();
    return true;
}

void CTimeListGraphDraw::DrawTimeRange(fw::CDC& dc, double time1, double time2)
{
    fw::CRect band;
    if (!TimeRangeToRect(band, time1, time2))
        return;
    const fw::CRect& plot = m_record.m_plotRect;
    fw::CRect limit(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    fw::CRect shown;
    if (shown.IntersectRect(band, limit)) {
        // The band is painted over the finished row, inverting what lies
        // beneath it.
        const int oldRop = dc.SetROP2(fw::R2_NOT);
        fw::CGdiObject* oldPen = dc.SelectStockObject(fw::NULL_PEN);
        fw::CGdiObject* oldBrush = dc.SelectStockObject(fw::BLACK_BRUSH);
        dc.Rectangle(shown);
        dc.SelectObject(static_cast<fw::CPen*>(oldPen));
        dc.SelectObject(static_cast<fw::CBrush*>(oldBrush));
        dc.SetROP2(oldRop);
    }
    fw::CRect device = band;
    dc.LPtoDP(&device);
    CRectTimeTracker tracker(device);
    fw::CRect devicePlot = plot;
    dc.LPtoDP(&devicePlot);
    auto outside = [&devicePlot](int x) { return x < devicePlot.left || x > devicePlot.right + 1; };
    if (outside(device.left))
        tracker.SetHandleMask(CRectTimeTracker::kTopRightHandle | CRectTimeTracker::kBottomRightHandle);
    if (outside(device.right))
        tracker.SetHandleMask(tracker.GetHandleMask() &
                              ~(CRectTimeTracker::kTopRightHandle | CRectTimeTracker::kBottomRightHandle));
    if (outside((device.left + device.right) / 2))
        tracker.SetHandleMask(tracker.GetHandleMask() &
                              ~(CRectTimeTracker::kTopHandle | CRectTimeTracker::kBottomHandle));
    // The tracker draws in device units.
    const int saved = dc.SaveDC();
    dc.SetMapMode(fw::MM_TEXT);
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(0, 0);
    tracker.Draw(dc);
    dc.RestoreDC(saved);
}

int CTimeListGraphDraw::HitTestTimeRange(const fw::CPoint& point, double time1, double time2)
{
    const fw::CRect& plot = m_record.m_plotRect;
    const bool inPlot = point.x >= plot.left && point.x <= plot.right && point.y >= plot.top &&
                        point.y <= plot.bottom;
    fw::CRect band;
    if (!TimeRangeToRect(band, time1, time2))
        return inPlot ? TrackerHit::kInside : TrackerHit::kNothing;
    CRectTimeTracker tracker(band);
    tracker.LimitHandles(plot.left, plot.right);
    const int hit = tracker.HitTest(point);
    if (hit != TrackerHit::kNothing)
        return hit;
    return inPlot ? TrackerHit::kInside : TrackerHit::kNothing;
}
