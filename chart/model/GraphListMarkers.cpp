// The time marks on the rows of a list graph.

#include "chart/model/GraphListObj.h"

#include "chart/model/DrawMarkerList.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/LinearPlot.h"
#include "common/tank/DataTankObject.h"
#include "framework/core/DC.h"
#include "instrument/system/MarkerList.h"

#include <cmath>

namespace {

// The value of a tank at a sample, NaN where the tank has none.
double ValueAt(CDataTankObject* tank, int32_t sample)
{
    if (sample < 0 || sample >= tank->GetDataCount())
        return NAN;
    return tank->GetValue(sample);
}

} // namespace

void CGraphListObj::DrawMarkers(fw::CDC& dc, int row, CDrawMarkerList& markers)
{
    CListGraphDraw* drawer = GetRow(row);
    if (!drawer)
        return;
    CGraphParamArray* series = drawer->GetSeries(0);
    CDataTankObject* xTank = series ? series->GetItemTank(0) : nullptr;
    CDataTankObject* yTank = series ? series->GetItemTank(1) : nullptr;
    CLinearPlot* plot = drawer->GetSeriesPlot();
    if (!xTank || !yTank || !plot)
        return;
    OGPRecord& record = drawer->Record();
    const fw::CRect plotRect = record.m_plotRect;
    for (fw::POSITION pos = markers.GetHeadPosition(); pos;) {
        CDrawMarker* marker = markers.GetNext(pos);
        const int32_t sample = marker->GetMark() ? marker->GetMark()->GetSampleIndex() : -1;
        const double x = drawer->AxisX(ValueAt(xTank, sample));
        double y = ValueAt(yTank, sample);
        if (!std::isfinite(y))
            y = drawer->Scale().m_y.maximum;
        int32_t dx = CDrawMarker::kNotPlaced;
        int32_t dy = CDrawMarker::kNotPlaced;
        if (std::isfinite(x))
            plot->DataToDevice(x, y, dx, dy, &record);
        if (dx < plotRect.left || dx > plotRect.right)
            dx = dy = CDrawMarker::kNotPlaced;
        marker->SetPosition(dx, dy);
        marker->Draw(dc, plotRect);
    }
}
