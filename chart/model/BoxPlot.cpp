#include "chart/model/BoxPlot.h"

#include "chart/model/GrDraw.h"
#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/Exceptions.h"
#include "chart/model/SeriesStyle.h"

#include <algorithm>
#include <cmath>
#include <exception>

CBoxPlot::CBoxPlot() = default;

void CBoxPlot::ApplyAttributes(const tSeriesStyle& style)
{
    CPlotData::ApplyAttributes(style);
    SetBarWidth(static_cast<int16_t>(2 * style.symbolSize));
}

CBoxPlot::BarTools::BarTools(CBoxPlot& plot, fw::CDC& dc) : m_dc(dc)
{
    GrCreatePen(0, plot.m_lineWidth, plot.ColorRefOf(plot.m_outlineColor), m_pen);
    m_oldPen = dc.SelectObject(&m_pen);
    dc.SetBkMode(fw::OPAQUE);
    fw::LOGBRUSH lb = plot.m_fillBrush;
    lb.lbColor = plot.GetColorRef();
    m_brush.CreateBrushIndirect(lb);
    m_oldBrush = dc.SelectObject(&m_brush);
}

CBoxPlot::BarTools::~BarTools()
{
    m_dc.SelectObject(m_oldPen);
    m_dc.SelectObject(m_oldBrush);
}

void CBoxPlot::DrawWithBarTools(fw::CDC& dc, OGPRecord* rec, const std::function<void()>& body)
{
    BeginDraw(dc, rec);
    ComputeFactors(rec);
    std::exception_ptr pending;
    {
        BarTools tools(*this, dc);
        try {
            if (!GrHasError(rec) && rec->m_xRangeSet && rec->m_yRangeSet)
                body();
        } catch (const fw::CException&) {
            if (GrHasError(rec))
                pending = std::current_exception();
        }
    }
    EndDraw(dc);
    if (pending)
        std::rethrow_exception(pending);
}

namespace boxplot {

bool ReadPair(CZELDataPtr* a, CZELDataPtr* b, int i, double& va, double& vb)
{
    va = a->GetAt(i);
    vb = b->GetAt(i);
    return std::isfinite(va) && std::isfinite(vb);
}

void RangeFromArrays(bool xAxis, int count, const float* first, const float* second, OGPRecord* rec)
{
    uint8_t& set = xAxis ? rec->m_xRangeSet : rec->m_yRangeSet;
    double& lo = xAxis ? rec->m_xMin : rec->m_yMin;
    double& hi = xAxis ? rec->m_xMax : rec->m_yMax;
    if (set)
        return;
    auto fromData = xAxis ? GrSetXRangeFromData : GrSetYRangeFromData;
    fromData(count, first, rec);
    if (!second)
        return;
    const bool firstFound = set != 0;
    const double firstLo = lo, firstHi = hi;
    set = 0;
    fromData(count, second, rec);
    if (!firstFound)
        return;
    if (!set) {
        lo = firstLo;
        hi = firstHi;
        set = 1;
        return;
    }
    lo = std::min(lo, firstLo);
    hi = std::max(hi, firstHi);
}

} // namespace boxplot
