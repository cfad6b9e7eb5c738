// The line plot's filled areas and its line through arrays. Areas are
// built as explicit polygons and filled without an outline; the array
// operations clip in software against the plot rectangle, since their
// points may lie beyond the range the platform clips in.

#include "chart/model/LinearPlot.h"

#include "chart/model/GrClip.h"
#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/PlotZones.h"
#include "common/tank/ZELDataPoter.h"
#include "framework/core/DrawSink.h"

#include <vector>

namespace {

// Takes the series line as the plot draws it and keeps its points in
// order, so that the area follows exactly the pixels of the line.
class OutlineSink final : public fw::IDrawSink {
public:
    explicit OutlineSink(std::vector<fw::CPoint>& points) : m_points(points) {}

    void Line(const fw::CDC&, fw::CPoint from, fw::CPoint to) override
    {
        Add(from);
        Add(to);
    }
    void Polyline(const fw::CDC&, const std::vector<fw::CPoint>& points) override
    {
        for (const fw::CPoint& p : points)
            Add(p);
    }
    void Polygon(const fw::CDC&, const std::vector<fw::CPoint>&, int) override {}
    void Rectangle(const fw::CDC&, const fw::CRect&) override {}
    void Ellipse(const fw::CDC&, const fw::CRect&) override {}
    void FillRect(const fw::CDC&, const fw::CRect&, const fw::CBrush&) override {}
    void Text(const fw::CDC&, fw::CPoint, const fw::CString&, const fw::CRect*, const fw::CRect*) override {}
    void SetPixel(const fw::CDC&, fw::CPoint point, fw::COLORREF) override { Add(point); }
    fw::CSize TextExtent(const fw::CDC&, const fw::CString&) override { return {}; }
    fw::TEXTMETRIC TextMetrics(const fw::CDC&) override { return {}; }
    int DeviceCaps(int) const override { return 0; }

private:
    // A piece that continues the last one starts where it ended.
    void Add(fw::CPoint p)
    {
        if (m_points.empty() || !(m_points.back() == p))
            m_points.push_back(p);
    }
    std::vector<fw::CPoint>& m_points;
};

// Move and line calls gathered into one outline: every move of the area
// outline goes to where the outline already stands.
class Outline {
public:
    void MoveTo(fw::CPoint p) { LineTo(p); }
    void LineTo(fw::CPoint p)
    {
        if (m_points.empty() || !(m_points.back() == p))
            m_points.push_back(p);
    }
    const std::vector<fw::CPoint>& Points() const { return m_points; }

private:
    std::vector<fw::CPoint> m_points;
};

// Fills `points` with the brush selected now and no outline.
void FillOutline(fw::CDC& dc, const std::vector<fw::CPoint>& points)
{
    if (points.size() < 3)
        return;
    const int saved = dc.SaveDC();
    dc.SelectStockObject(fw::NULL_PEN);
    dc.Polygon(points.data(), static_cast<int>(points.size()));
    dc.RestoreDC(saved);
}

} // namespace

void CLinearPlot::DrawFilledArea(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec)
{
    if (!xs || !ys)
        return;
    int16_t width = 0, height = 0;
    GetLineSize(width, height);
    const uint16_t pattern = m_linePattern;
    // The line drawn after the area continues its own dash phase.
    tPenState pen;
    GetPenState(pen);
    const uint8_t penUp = m_penUp;
    auto restore = [&] {
        SetLineSize(width, height);
        SetLinePattern(pattern);
        SetPenState(pen);
        m_penUp = penUp;
    };
    SetLineSize(1, 1);
    SetLinePattern(0xFFFF);

    std::vector<fw::CPoint> points;
    OutlineSink sink(points);
    fw::CDC outline(&sink);
    DrawSeries(outline, xs, ys, rec, 1);
    if (GrHasError(rec) || points.empty()) {
        restore();
        return;
    }
    const int bottom = rec->m_plotRect.bottom;
    // The ends map as the line mapped them, time axes included.
    auto axisX = [this](double x) { return m_xFactor > 0.0 ? (x - m_xOrigin) * m_xFactor : x; };
    int16_t lastX = 0, lastY = 0;
    if (DataToDeviceShort(axisX(xs->GetLastValue()), ys->GetLastValue(), lastX, lastY, rec)) {
        if (rec->m_errorCode != 8) {
            restore();
            return;
        }
        GrClearError(rec);
    } else {
        points.emplace_back(lastX, bottom);
    }
    int16_t firstX = 0, firstY = 0;
    if (MapDataToDevice(axisX(xs->GetFirstValue()), ys->GetFirstValue(), firstX, firstY, rec)) {
        restore();
        return;
    }
    points.emplace_back(firstX, bottom);
    points.emplace_back(firstX, firstY);

    fw::LOGBRUSH solid;
    solid.lbStyle = fw::BS_SOLID;
    solid.lbColor = GetColorRef();
    fw::CBrush brush;
    brush.CreateBrushIndirect(solid);
    // The clip of BeginDraw holds only while the area is filled.
    BeginDraw(dc, rec);
    dc.SelectObject(&brush);
    FillOutline(dc, points);
    EndDraw(dc);
    restore();
}

void CLinearPlot::DrawLineArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec)
{
    if (count < 1 || !xs || !ys)
        return;
    BeginDraw(dc, rec);
    const fw::CRect box = rec->m_plotRect;
    if (!rec->m_xRangeSet)
        GrSetXRangeFromData(count, xs, rec);
    if (!rec->m_yRangeSet)
        GrSetYRangeFromData(count, ys, rec);
    int16_t px = 0, py = 0;
    if (!DataToDeviceShort(xs[0], ys[0], px, py, rec)) {
        const fw::CSize shift(-(m_lineWidth / 2), -(m_lineHeight / 2));
        auto line = [&](fw::CPoint a, fw::CPoint b) {
            dc.MoveTo(a + shift);
            dc.LineTo(b + shift);
        };
        fw::CPoint p(px, py);
        for (int i = 1; i < count; ++i) {
            int16_t qx = 0, qy = 0;
            if (MapDataToDevice(xs[i], ys[i], qx, qy, rec)) {
                rec->m_errorIndex = i;
                break;
            }
            const fw::CPoint q(qx, qy);
            const bool pIn = PlotBoxHolds(box, p), qIn = PlotBoxHolds(box, q);
            fw::CPoint a, b;
            if (pIn && qIn) {
                line(p, q);
            } else if (!pIn && !qIn) {
                if (PlotZoneCrossing(box, PlotZoneOf(box, p), p, q, a) &&
                    PlotZoneCrossing(box, PlotZoneOf(box, q), p, q, b))
                    line(a, b);
            } else {
                const fw::CPoint in = pIn ? p : q, out = pIn ? q : p;
                if (PlotZoneCrossing(box, PlotZoneOf(box, out), p, q, a))
                    line(in, a);
            }
            p = q;
        }
    }
    EndDraw(dc);
}

void CLinearPlot::DrawFilledArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec)
{
    if (count < 1 || !xs || !ys)
        return;
    int16_t width = 0, height = 0;
    GetLineSize(width, height);
    const uint16_t pattern = m_linePattern;
    SetLineSize(1, 1);
    SetLinePattern(0xFFFF);
    BeginDraw(dc, rec);
    const fw::CRect box = rec->m_plotRect;
    const int bottom = box.bottom;
    if (!rec->m_xRangeSet)
        GrSetXRangeFromData(count, xs, rec);
    if (!rec->m_yRangeSet)
        GrSetYRangeFromData(count, ys, rec);
    Outline outline;
    bool complete = false;
    int16_t px = 0, py = 0;
    if (!DataToDeviceShort(xs[0], ys[0], px, py, rec)) {
        // A point on the rectangle's edge counts as inside: the crossing
        // search, which sees no outside end there, would leave it out.
        auto inside = [&box](fw::CPoint p) { return PlotZoneOf(box, p) == 0; };
        auto clamp = [&box](fw::CPoint p) { return PlotZoneClamp(box, PlotZoneOf(box, p), p); };
        fw::CPoint p(px, py);
        const fw::CPoint s = clamp(p);
        outline.MoveTo({s.x, bottom});
        outline.LineTo(s);
        fw::CPoint last = s;
        complete = true;
        for (int i = 1; i < count; ++i) {
            int16_t qx = 0, qy = 0;
            if (MapDataToDevice(xs[i], ys[i], qx, qy, rec)) {
                rec->m_errorIndex = i;
                complete = false;
                break;
            }
            const fw::CPoint q(qx, qy);
            const int pZone = PlotZoneOf(box, p), qZone = PlotZoneOf(box, q);
            fw::CPoint cross;
            if (inside(p) && inside(q)) {
                outline.LineTo(q);
                last = q;
            } else if (inside(p)) {
                if (PlotZoneCrossing(box, qZone, p, q, cross)) {
                    outline.MoveTo(p);
                    outline.LineTo(cross);
                    last = clamp(q);
                    outline.LineTo(last);
                }
            } else if (inside(q)) {
                if (PlotZoneCrossing(box, pZone, p, q, cross)) {
                    outline.MoveTo(last);
                    outline.LineTo(cross);
                    outline.LineTo(q);
                    last = q;
                }
            } else if (pZone == qZone) {
                last = clamp(q);
                outline.LineTo(last);
            }
            p = q;
        }
        if (complete) {
            outline.LineTo({last.x, bottom});
            outline.LineTo({s.x, bottom});
        }
    }
    EndDraw(dc);
    // The caller's brush, which EndDraw has put back.
    if (complete)
        FillOutline(dc, outline.Points());
    SetLineSize(width, height);
    SetLinePattern(pattern);
}
