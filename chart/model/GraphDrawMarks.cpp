// What the drawer puts over the series: the regression curve and the
// marks at current points.

#include "chart/model/GraphDraw.h"

#include "chart/model/AlphaTickLabel.h"
#include "chart/model/GrDraw.h"
#include "chart/model/GrRecord.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/DC.h"
#include "common/tank/ZELDataPoter.h"

#include <algorithm>
#include <cmath>
#include <memory>

double CGraphDraw::AxisX(double x) const
{
    if (!IsTimeGraph())
        return x;
    return m_scale.m_timeOrigin > 0.0 ? (x - m_scale.m_timeOrigin) * m_scale.m_timeDivisor : 0.0;
}

void CGraphDraw::DrawRegression(fw::CDC& dc, const fw::CRect& rect)
{
    const tRegressionSettings* r = m_regression.get();
    const int type = m_info.m_graphType;
    if (!r || r->invalid || r->curvePoints <= 0 || type < 1 || type > 4 || !m_seriesPlot)
        return;
    m_record.m_clipRect = rect;
    const double from = r->plotRange ? m_scale.m_x.minimum : r->xMin;
    const double to = r->plotRange ? m_scale.m_x.maximum : r->xMax;
    CLinearPlot& plot = *m_seriesPlot;
    plot.SetColor(r->color);
    plot.SetLineSize(r->lineWidth, r->lineHeight);
    plot.DrawPolynomial(dc, std::min<int16_t>(r->degree, 9), r->coefficients, static_cast<int16_t>(r->curvePoints), from, to, &m_record);
}

void CGraphDraw::DrawCurrentPoints(fw::CDC& dc)
{
    const int type = m_info.m_graphType;
    if (!((type >= 1 && type <= 5) || type == 10))
        return;
    for (int i = 0; i < GetSeriesCount(); ++i) {
        const CGraphParamArray& series = *GetSeries(i);
        CDataTankObject* xt = series.GetItemTank(0);
        CDataTankObject* yt = series.GetItemTank(1);
        if (!xt || !yt)
            continue;
        const int n = std::max(0, std::min(series.GetShorterLastIndex(), series.GetSampleIndex(1)));
        const double x = AxisX(xt->GetValue(n));
        const double y = yt->GetValue(n);
        if (std::isfinite(x) && std::isfinite(y))
            DrawCurrentPoint(dc, x, y, series);
    }
}

bool CGraphDraw::DrawMarkedPoints(fw::CDC& dc)
{
    const int type = m_info.m_graphType;
    if (!((type >= 1 && type <= 5) || type == 10))
        return false;
    for (int i = 0; i < GetSeriesCount(); ++i) {
        const CGraphParamArray& series = *GetSeries(i);
        if (!series.IsMarkedInDocument())
            continue;
        const double x = AxisX(series.GetXCurrent());
        const double y = series.GetYCurrent();
        if (std::isfinite(x) && std::isfinite(y))
            DrawCurrentPoint(dc, x, y, series);
    }
    return true;
}

void CGraphDraw::DrawLegendSample(fw::CDC& dc, const CGraphParamArray& series, const fw::CRect& clip,
                                  const fw::CRect& rect)
{
    if (!m_seriesPlot)
        return;
    // A record of its own, mapping the rectangle onto itself.
    OGPRecord rec;
    GrInitRecord(&rec);
    GrSetPlotRect(rect.left, rect.top, rect.right, rect.bottom, &rec);
    GrSetXRange(rect.left, rect.right, &rec);
    GrSetYRange(rect.top, rect.bottom, &rec);
    rec.m_clipRect = clip;
    const tSeriesStyle& style = series.GetStyle();
    const double middle = (rect.top + rect.bottom) / 2.0;
    CLinearPlot plot;
    plot.ApplyAttributes(style);
    if (style.linePattern != 0) {
        CFltDataTank xs, ys;
        xs.SetValue(0, rect.left);
        xs.SetValue(1, rect.right);
        ys.SetValue(0, middle);
        ys.SetValue(1, middle);
        std::unique_ptr<CZELDataPoter> px(xs.CreatePoter(0, -1));
        std::unique_ptr<CZELDataPoter> py(ys.CreatePoter(0, -1));
        plot.SetColor(style.lineColor);
        plot.SetLinePattern(style.linePattern);
        plot.DrawSeries(dc, px.get(), py.get(), &rec, 1);
    }
    if (style.symbolType != 0) {
        int16_t x = 0, y = 0;
        plot.PrepareMapping(&rec);
        if (!plot.MapDataToDevice((rect.left + rect.right) / 2.0, middle, x, y, &rec)) {
            fw::CPen pen;
            GrCreatePen(0, 1, GrGetColor(style.symbolColor), pen);
            fw::CBrush brush(GrGetColor(style.fillColor));
            fw::CPen* oldPen = dc.SelectObject(&pen);
            fw::CBrush* oldBrush = dc.SelectObject(&brush);
            dc.MoveTo(x, y);
            GrDrawSymbol(dc, style.symbolType, style.symbolSize, 1);
            dc.SelectObject(oldPen);
            dc.SelectObject(oldBrush);
        }
    }
}

void CGraphDraw::MeasureCategoryLabel(fw::CDC& dc, int16_t position, const fw::CString& text, int gap,
                                      fw::CRect& out)
{
    CAlphaXTickLabel label;
    label.SetGap(gap);
    const int x = label.MapX(position, &m_record);
    const fw::CSize size = dc.GetTextExtent(text);
    const int left = x - size.cx / 2;
    const int top = m_record.m_frameRect.bottom + size.cy + gap;
    out = fw::CRect(left, top, left + size.cx, top + size.cy);
}
