#include "frequency/graph/HistColumnPlot.h"

#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "common/base/ZelException.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr fw::COLORREF kCutFaceColor = 0xC0C0C0; // light grey

// The record's Y range replaced for the time of one drawing.
class CYRangeSwap {
public:
    CYRangeSwap(OGPRecord* rec, double ymin, double ymax)
        : m_rec(rec), m_min(rec->m_yMin), m_max(rec->m_yMax)
    {
        rec->m_yMin = ymin;
        rec->m_yMax = ymax;
    }
    ~CYRangeSwap()
    {
        m_rec->m_yMin = m_min;
        m_rec->m_yMax = m_max;
    }
    CYRangeSwap(const CYRangeSwap&) = delete;
    CYRangeSwap& operator=(const CYRangeSwap&) = delete;

private:
    OGPRecord* m_rec;
    double m_min;
    double m_max;
};

void RequireFinite(double v)
{
    if (!std::isfinite(v))
        throw CZelException(1, 0u);
}

} // namespace

int CHistColumnPlot::DeviceX(double x) const { return GrRound(m_sx * x + m_ox); }

int CHistColumnPlot::DeviceY(double y) const { return GrRound(m_oy - m_sy * y); }

bool CHistColumnPlot::ComputeScale(OGPRecord* rec)
{
    if (!GrCheckPlotRect(rec) || !rec->m_xRangeSet || !rec->m_yRangeSet)
        return false;
    if (GrCheckXRange(rec->m_xMin, rec->m_xMax, rec) || GrCheckYRange(rec->m_yMin, rec->m_yMax, rec))
        return false;
    const fw::CRect& r = rec->m_plotRect;
    const double width = r.right - r.left;
    const double height = r.bottom - r.top;
    if (!m_b3D) {
        m_sx = width / (rec->m_xMax - rec->m_xMin);
        m_ox = r.left - rec->m_xMin * m_sx;
        m_sy = height / (rec->m_yMax - rec->m_yMin);
        m_oy = rec->m_yMin * m_sy + r.bottom;
        return true;
    }
    const int w4 = (r.right - r.left) / 4;
    const int h3 = (r.bottom - r.top) / 3;
    m_sx = (width - w4) / (rec->m_xMax - rec->m_xMin);
    m_ox = r.left + w4 - rec->m_xMin * m_sx;
    m_sy = (r.bottom - h3 + 1 - r.top) / (rec->m_yMax - rec->m_yMin);
    m_oy = rec->m_yMin * m_sy + r.bottom - h3 + 1;
    const double depth = m_zMax - m_zMin;
    m_depthYFactor = depth != 0 ? (h3 - 1) / depth : 0.0;
    m_depthYOffset = m_zMax * m_depthYFactor;
    m_depthXFactor = depth != 0 ? w4 / depth : 0.0;
    m_depthXOffset = m_zMin * m_depthXFactor;
    return true;
}

int CHistColumnPlot::BaselineY(const OGPRecord* rec) const { return DeviceY(CountValue(0.0, rec)); }

fw::CPoint CHistColumnPlot::DepthOffset(double z) const
{
    RequireFinite(z);
    return {GrRound((z - m_zMax) * m_depthXFactor), GrRound(m_depthYOffset - z * m_depthYFactor)};
}

fw::CPoint CHistColumnPlot::MapPointAtDepth(double x, double y, int dx, int dy, const OGPRecord* rec) const
{
    const double value = CountValue(y, rec);
    RequireFinite(x);
    RequireFinite(value);
    return {DeviceX(x) + dx - 1, dy + DeviceY(value)};
}

void CHistColumnPlot::DrawColumns(fw::CDC& dc, int n, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec)
{
    if (!xs || !ys || n < 1)
        return;
    OGPRecord mapped = *rec;
    TransformYRange(&mapped);
    CYRangeSwap swap(rec, mapped.m_yMin, mapped.m_yMax);
    DrawWithBarTools(dc, rec, [&] {
        if (!ComputeScale(rec))
            return;
        std::unique_ptr<CZELDataPtr> xc(xs->CreateCursor());
        std::unique_ptr<CZELDataPtr> yc(ys->CreateCursor());
        if (!xc || !yc)
            return;
        std::vector<double> x(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            x[static_cast<size_t>(i)] = xc->GetAt(i);
        const int base = DeviceY(CountValue(0.0, rec));
        for (int i = 0; i < n; ++i) {
            const double xi = x[static_cast<size_t>(i)];
            const double count = yc->GetAt(i);
            if (!std::isfinite(xi) || !std::isfinite(count) || xi == 0)
                continue;
            double left = 0;
            double right = 0;
            if (xi < 0) {
                // A minus value is the lower edge of its slice.
                left = xi;
                const double next = i + 1 < n ? x[static_cast<size_t>(i + 1)] : 0.0;
                right = std::isfinite(next) && next < 0 ? next : 0.0;
            } else {
                // A plus value is the upper edge of its slice.
                const double previous = i > 0 ? x[static_cast<size_t>(i - 1)] : 0.0;
                left = std::isfinite(previous) && previous > 0 ? previous : 0.0;
                right = xi;
            }
            const int top = DeviceY(CountValue(count, rec));
            dc.Rectangle(DeviceX(left), std::min(base, top), DeviceX(right) + 1, std::max(base, top));
        }
    });
}

void CHistColumnPlot::DrawColumns3D(fw::CDC& dc, int n, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec)
{
    if (!xs || !ys || n < 1)
        return;
    OGPRecord mapped = *rec;
    TransformYRange(&mapped);
    CYRangeSwap swap(rec, mapped.m_yMin, mapped.m_yMax);
    DrawWithBarTools(dc, rec, [&] {
        if (!ComputeScale(rec))
            return;
        const fw::CPoint front = DepthOffset(m_depthFront);
        const fw::CPoint back = DepthOffset(m_depthBack);
        const fw::CPoint far = front.x > back.x ? front : back;
        const fw::CPoint near = front.x > back.x ? back : front;
        const fw::CSize depth(near.x - far.x, near.y - far.y);
        const fw::CRect& r = rec->m_plotRect;
        const int w4 = (r.right - r.left) / 4;
        const int h3 = (r.bottom - r.top) / 3;
        fw::CRect wall(r.left + w4, r.top, r.right, r.bottom + 1 - h3);
        wall.OffsetRect(far.x, far.y);
        fw::CRect floor(r.left, r.bottom - h3 + 1, r.right, r.bottom);
        if (rec->m_yMin > rec->m_yMax)
            floor.bottom = r.top - 1 + h3;
        const int baseline = MapPointAtDepth(0.0, 0.0, far.x, far.y, rec).y;
        std::unique_ptr<CZELDataPtr> xc(xs->CreateCursor());
        std::unique_ptr<CZELDataPtr> yc(ys->CreateCursor());
        if (!xc || !yc)
            return;
        std::vector<int> xpos(static_cast<size_t>(n) + 1, 0);
        std::vector<int> ypos(static_cast<size_t>(n), kSkipped);
        for (int i = 0; i < n; ++i) {
            const double count = yc->GetAt(i);
            try {
                const fw::CPoint p = MapPointAtDepth(xc->GetAt(i), count, far.x, far.y, rec);
                xpos[static_cast<size_t>(i)] = p.x;
                ypos[static_cast<size_t>(i)] = count == 0 ? kSkipped : p.y;
            } catch (const CZelException&) {
                ypos[static_cast<size_t>(i)] = kSkipped;
                if (GrHasError(rec))
                    return;
            }
        }
        // The last column is as wide as the one before it.
        xpos[static_cast<size_t>(n)] = n >= 2 ? 2 * xpos[static_cast<size_t>(n - 1)] - xpos[static_cast<size_t>(n - 2)]
                                              : xpos[0] + kSingleColumnWidth;
        const bool upward = rec->m_xMin <= rec->m_xMax;
        for (int k = 0; k < n; ++k) {
            const int i = upward ? k : n - 1 - k;
            if (ypos[static_cast<size_t>(i)] == kSkipped)
                continue;
            DrawColumnBox(dc,
                          fw::CRect(xpos[static_cast<size_t>(i)], baseline, xpos[static_cast<size_t>(i) + 1],
                                    ypos[static_cast<size_t>(i)]),
                          depth, wall, floor);
        }
    });
}

void CHistColumnPlot::DrawColumnBox(fw::CDC& dc, fw::CRect back, fw::CSize depth, const fw::CRect& wall,
                                    const fw::CRect& floor)
{
    back.NormalizeRect();
    const int wallCut = ClipToWall(back, wall);
    if (wallCut < 0)
        return;
    fw::CRect front = back;
    front.OffsetRect(depth.cx, depth.cy);
    const int floorCut = ClipToFloor(back, front, floor);
    if (floorCut < 0)
        return;
    fw::CBrush grey;
    grey.CreateSolidBrush(kCutFaceColor);
    auto face = [&](bool cut, const auto& draw) {
        fw::CBrush* old = cut ? dc.SelectObject(&grey) : nullptr;
        draw();
        if (old)
            dc.SelectObject(old);
    };
    const fw::CPoint top[] = {{back.left, back.top}, {back.right, back.top}, {front.right, front.top},
                              {front.left, front.top}, {back.left, back.top}};
    face(wallCut & kCutTop, [&] { dc.Polygon(top, 5); });
    const fw::CPoint right[] = {{back.right, back.bottom}, {back.right, back.top}, {front.right, front.top},
                                {front.right, front.bottom}, {back.right, back.bottom}};
    face(wallCut & kCutRight, [&] { dc.Polygon(right, 5); });
    const int grow = dc.IsPrinting() ? 0 : 1;
    face(floorCut & kCutBelow,
         [&] { dc.Rectangle(front.left, front.top, front.right + grow, front.bottom + grow); });
}

int CHistColumnPlot::ClipToWall(fw::CRect& rect, const fw::CRect& wall) const
{
    int flags = 0;
    if (rect.top < wall.top) {
        rect.top = wall.top;
        flags |= kCutTop;
    }
    if (rect.left < wall.left) {
        if (wall.left >= rect.right)
            return -1;
        rect.left = wall.left;
        flags |= kCutLeft;
    }
    if (rect.right > wall.right) {
        rect.right = wall.right;
        flags |= kCutRight;
        if (rect.right <= rect.left)
            return -1;
    }
    return flags;
}

int CHistColumnPlot::ClipToFloor(fw::CRect& back, fw::CRect& front, const fw::CRect& floor) const
{
    int flags = 0;
    if (back.bottom < floor.top) {
        if (front.bottom <= floor.top)
            return -1;
        flags |= kCutAbove;
    }
    if (back.bottom >= floor.bottom)
        return -1;
    if (front.bottom > floor.bottom)
        flags |= kCutBelow;
    if (flags & kCutAbove) {
        const int cut = front.bottom - floor.top;
        const int d = front.bottom - back.bottom;
        if (d == 0)
            return -1;
        const int shift = (back.left - front.left) * cut / d;
        back.left = front.left + shift;
        back.right = front.right + shift;
        back.bottom = floor.top;
        front.top -= cut;
    }
    if (flags & kCutBelow) {
        const int d = front.bottom - back.bottom;
        if (d == 0)
            return -1;
        const int g = floor.bottom - back.bottom;
        const int shift = (back.left - front.left) * g / d;
        front.left = back.left - shift;
        front.right = back.right - shift;
        front.bottom = floor.bottom;
        front.top -= g;
    }
    return flags;
}

// ---- logarithmic counts ------------------------------------------------------------------------

double CHistLogColumnPlot::CountValue(double count, const OGPRecord* rec) const
{
    // A count of 0 stands at the bottom of the axis (whose range is
    // already logarithmic while drawing).
    return count > 0 ? std::log10(count) : rec->m_yMin;
}

void CHistLogColumnPlot::TransformYRange(OGPRecord* rec) const
{
    rec->m_yMin = rec->m_yMin > 0 ? std::log10(rec->m_yMin) : rec->m_yMin;
    rec->m_yMax = rec->m_yMax > 0 ? std::log10(rec->m_yMax) : rec->m_yMax;
}
