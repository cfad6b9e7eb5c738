#include "canvoicegps/model/CanGraphTimeListObj.h"

#include "canvoicegps/model/SampleSearch.h"
#include "chart/model/GraphParamArray.h"
#include "common/tank/DataTankObject.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cmath>

FW_IMPLEMENT_SERIAL(CCanGraphTimeListObj, CGraphTimeListObj, 0)

CCanGraphTimeListObj::CCanGraphTimeListObj() = default;
CCanGraphTimeListObj::~CCanGraphTimeListObj() = default;

void CCanGraphTimeListObj::Serialize(fw::CArchive& ar)
{
    CGraphListObj::Serialize(ar);
}

void CCanGraphTimeListObj::ApplyScaleToSampleWindows()
{
    for (int r = 0; r < GetRowCount(); ++r) {
        CListGraphDraw* drawer = GetRow(r);
        CDataTankObject* times = drawer ? RowTimeTank(r) : nullptr;
        if (!times)
            continue;
        const int count = times->GetDataCount();
        const GrScaleRec::Axis& x = drawer->Scale().m_x;
        int first = 0;
        int last = count - 1;
        if (!x.autoMode && count > 0) {
            first = FindSampleAtOrBefore(times, x.minimum);
            if (times->GetValue(first) > x.minimum)
                --first;
            first = std::max(first, 0);
            last = FindSampleAtOrBefore(times, x.maximum);
            if (times->GetValue(last) < x.maximum)
                ++last;
            if (last >= count && first < count)
                last = count - 1;
        }
        CGraphParamArray* series = drawer->GetSeries(0);
        series->SetSampleRange(series->GetSourceDocument(), first, last);
    }
}

int CCanGraphTimeListObj::TimeToSample(int row, double time)
{
    CListGraphDraw* drawer = GetRow(row);
    CDataTankObject* times = drawer ? RowTimeTank(row) : nullptr;
    if (!times || time == HUGE_VAL)
        return -1;
    const int sample = FindSampleAtOrBefore(times, time);
    if (sample < 0)
        return -1;
    return std::clamp(sample, 0, times->GetDataCount() - 1);
}

double CCanGraphTimeListObj::SnapTime(int row, double time)
{
    const int sample = TimeToSample(row, time);
    if (sample == -1)
        return HUGE_VAL;
    return RowTimeTank(row)->GetValue(sample);
}

double CCanGraphTimeListObj::SampleToTime(int index)
{
    if (GetRowCount() == 0)
        fw::ThrowInvalidArgException();
    CDataTankObject* times = GetRow(0) ? RowTimeTank(0) : nullptr;
    if (!times || index == -1 || times->GetDataCount() <= 0)
        return HUGE_VAL;
    return times->GetValue(std::clamp(index, 0, times->GetDataCount() - 1));
}

int CCanGraphTimeListObj::HitTestSelection(int row, const fw::CPoint& /*point*/)
{
    GetRow(row);
    return TrackerHit::kNothing;
}

double CCanGraphTimeListObj::RowStampTime(int row, int32_t sample) const
{
    CDataTankObject* times = RowTimeTank(row);
    if (sample < 0 || !times || times->GetDataCount() <= 0)
        return HUGE_VAL;
    return times->GetValue(std::min(sample, times->GetDataCount() - 1));
}

void CCanGraphTimeListObj::DrawSelection(fw::CDC& dc, int row, bool cursorMarks)
{
    auto* drawer = dynamic_cast<CTimeListGraphDraw*>(GetRow(row));
    if (!drawer)
        return;
    int32_t start = -1;
    int32_t end = -1;
    GetSelection(start, end);
    if (!dc.IsPrinting())
        drawer->DrawTimeRange(dc, RowStampTime(row, start), RowStampTime(row, end));
    if (!cursorMarks)
        return;
    if (start >= 0)
        drawer->DrawCursorPoints(dc, start);
    if (end >= 0)
        drawer->DrawCursorPoints(dc, end);
}
