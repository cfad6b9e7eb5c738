#include "chart/model/BarPlot.h"

#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"

#include <algorithm>
#include <memory>

void CBarPlot::AdjustDevicePoint(double& x, double&, OGPRecord* rec)
{
    const fw::CRect& r = rec->m_plotRect;
    if (x < r.left)
        x = r.left;
    else if (x > r.right)
        x = r.right;
}

void CBarPlot::DrawBars(fw::CDC& dc, int n, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec)
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
            if (!boxplot::ReadPair(xc.get(), yc.get(), i, x, y) || !Within(y, rec->m_yMin, rec->m_yMax))
                continue;
            // The bar's position comes from whichever end is mapped first.
            int16_t px0 = 0, py = 0, px1 = 0, ignored = 0;
            if (x > 0) {
                MapDataPoint(0.0, y, px0, py, rec);
                MapDataPoint(x, y, px1, ignored, rec);
            } else {
                MapDataPoint(x, y, px0, py, rec);
                MapDataPoint(0.0, y, px1, ignored, rec);
            }
            dc.Rectangle(px0, py - half, px1, py + half);
        }
    });
}

void CBarPlot::DrawBarArray(fw::CDC& dc, int count, const float* x1s, const float* x2s, const float* ys,
                            OGPRecord* rec)
{
    // Nothing to draw, and no first bar to start from.
    if (count < 1 || !x1s || !x2s || !ys)
        return;
    BeginDraw(dc, rec);
    boxplot::RangeFromArrays(true, count, x1s, x2s, rec);
    boxplot::RangeFromArrays(false, count, ys, nullptr, rec);
    const int half = Half();
    auto bar = [&](int16_t xa, int16_t xb, int16_t py) { dc.Rectangle(xa, py - half, xb, py + half); };
    int16_t xa = 0, py = 0, xb = 0, ignored = 0;
    DataToDeviceShort(x1s[0], ys[0], xa, py, rec);
    if (!GrHasError(rec))
        MapDataToDevice(x2s[0], ys[0], xb, ignored, rec);
    if (rec->m_errorCode == kGrErrCoord) {
        GrClearError(rec);
    } else if (GrHasError(rec)) {
        EndDraw(dc);
        return;
    } else {
        bar(xa, xb, py);
    }
    for (int i = 1; i < count; ++i) {
        const bool failed =
            MapDataToDevice(x1s[i], ys[i], xa, py, rec) || MapDataToDevice(x2s[i], ys[i], xb, ignored, rec);
        if (!failed) {
            bar(xa, xb, py);
        } else if (rec->m_errorCode == kGrErrCoord) {
            GrClearError(rec);
        } else {
            rec->m_errorIndex = i;
            break;
        }
    }
    EndDraw(dc);
}
