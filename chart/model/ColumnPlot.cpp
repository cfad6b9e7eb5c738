#include "chart/model/ColumnPlot.h"

#include "chart/model/GrDraw.h"
#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <memory>

void CColumnPlot::AdjustDevicePoint(double&, double& y, OGPRecord* rec)
{
    const fw::CRect& r = rec->m_plotRect;
    if (y < r.top)
        y = r.top;
    else if (y > r.bottom)
        y = r.bottom;
}

void CColumnPlot::DrawBars(fw::CDC& dc, int n, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec)
{
    if (!xs || !ys)
        return;
    DrawWithBarTools(dc, rec, [&] {
        const int half = Half();
        std::unique_ptr<CZELDataPtr> xc(xs->CreateCursor());
        std::unique_ptr<CZELDataPtr> yc(ys->CreateCursor());
        if (!xc || !yc)
            return;
        for (int i = 0; i < n; ++i) {
            double x = 0, y = 0;
            if (!boxplot::ReadPair(xc.get(), yc.get(), i, x, y) || !Within(x, rec->m_xMin, rec->m_xMax))
                continue;
            // The zero line first for upward columns, the value first
            // otherwise: the column's position comes from the first.
            int16_t px = 0, py0 = 0, ignored = 0, py1 = 0;
            if (y > 0) {
                MapDataPoint(x, 0.0, px, py0, rec);
                MapDataPoint(x, y, ignored, py1, rec);
            } else {
                MapDataPoint(x, y, px, py0, rec);
                MapDataPoint(x, 0.0, ignored, py1, rec);
            }
            dc.Rectangle(px - half, std::min(py0, py1), px + half, std::max(py0, py1));
        }
    });
}

void CColumnPlot::DrawFloatingBars(fw::CDC& dc, int n, CZELDataPoter* xs, CZELDataPoter* y1s, CZELDataPoter* y2s,
                                   OGPRecord* rec)
{
    if (!xs || !y1s || !y2s)
        return;
    DrawWithBarTools(dc, rec, [&] {
        const int half = Half();
        std::unique_ptr<CZELDataPtr> xc(xs->CreateCursor());
        std::unique_ptr<CZELDataPtr> ac(y1s->CreateCursor());
        std::unique_ptr<CZELDataPtr> bc(y2s->CreateCursor());
        if (!xc || !ac || !bc)
            return;
        for (int i = 0; i < n; ++i) {
            const double x = xc->GetAt(i);
            double y1 = 0, y2 = 0;
            if (!boxplot::ReadPair(ac.get(), bc.get(), i, y1, y2) || !std::isfinite(x) ||
                !Within(x, rec->m_xMin, rec->m_xMax))
                continue;
            int16_t px = 0, ya = 0, ignored = 0, yb = 0;
            MapDataPoint(x, y1, px, ya, rec);
            MapDataPoint(x, y2, ignored, yb, rec);
            dc.Rectangle(px - half, std::min(ya, yb), px + half, std::max(ya, yb) + 1);
        }
    });
}

void CColumnPlot::DrawLevelMark(fw::CDC& dc, OGPRecord* rec, double x, double y, int color, int penType)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !Within(x, rec->m_xMin, rec->m_xMax))
        return;
    BeginDraw(dc, rec);
    ComputeFactors(rec);
    std::exception_ptr pending;
    {
        fw::CPen pen;
        GrCreatePen(penType, 1, ColorRefOf(color), pen);
        fw::CPen* old = dc.SelectObject(&pen);
        try {
            if (!GrHasError(rec) && rec->m_xRangeSet && rec->m_yRangeSet) {
                int16_t px = 0, py = 0;
                MapDataPoint(x, y, px, py, rec);
                dc.MoveTo(px - Half(), py);
                dc.LineTo(px + Half(), py);
            }
        } catch (const fw::CException&) {
            if (GrHasError(rec))
                pending = std::current_exception();
        }
        dc.SelectObject(old);
    }
    EndDraw(dc);
    if (pending)
        std::rethrow_exception(pending);
}

void CColumnPlot::DrawBarArray(fw::CDC& dc, int count, const float* xs, const float* y1s, const float* y2s,
                               OGPRecord* rec)
{
    // Nothing to draw, and no first column to start from.
    if (count < 1 || !xs || !y1s || !y2s)
        return;
    BeginDraw(dc, rec);
    boxplot::RangeFromArrays(true, count, xs, nullptr, rec);
    boxplot::RangeFromArrays(false, count, y1s, y2s, rec);
    const int half = Half();
    auto column = [&](int16_t px, int16_t ya, int16_t yb) {
        dc.Rectangle(px - half, std::min(ya, yb), px + half, std::max(ya, yb));
    };
    int16_t px = 0, ya = 0, ignored = 0, yb = 0;
    DataToDeviceShort(xs[0], y1s[0], px, ya, rec);
    if (!GrHasError(rec))
        MapDataToDevice(xs[0], y2s[0], ignored, yb, rec);
    if (rec->m_errorCode == kGrErrCoord) {
        GrClearError(rec);
    } else if (GrHasError(rec)) {
        EndDraw(dc);
        return;
    } else {
        column(px, ya, yb);
    }
    for (int i = 1; i < count; ++i) {
        const bool failed =
            MapDataToDevice(xs[i], y1s[i], px, ya, rec) || MapDataToDevice(xs[i], y2s[i], ignored, yb, rec);
        if (!failed) {
            column(px, ya, yb);
        } else if (rec->m_errorCode == kGrErrCoord) {
            GrClearError(rec);
        } else {
            rec->m_errorIndex = i;
            break;
        }
    }
    EndDraw(dc);
}
