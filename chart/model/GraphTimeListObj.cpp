#include "chart/model/GraphTimeListObj.h"

#include "common/calc/CalcuDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <memory>

FW_IMPLEMENT_SERIAL(CGraphTimeListObj, CGraphListObj, 0)

CGraphTimeListObj::CGraphTimeListObj() = default;
CGraphTimeListObj::~CGraphTimeListObj() = default;

CListGraphDraw* CGraphTimeListObj::CreateRow()
{
    auto row = std::make_unique<CTimeListGraphDraw>();
    InitRow(*row);
    row->Scale().m_x.autoMode = 2;
    row->Scale().m_y.autoMode = 2;
    return row.release();
}

void CGraphTimeListObj::Recalculate(bool autoScale)
{
    ApplyFonts();
    RebuildAxes();
    ApplyScaleToSampleWindows();
    if (autoScale)
        AutoScaleAll();
}

CDataTankObject* CGraphTimeListObj::RowTimeTank(int row) const
{
    CListGraphDraw* drawer = GetRow(row);
    if (!drawer)
        return nullptr;
    CGraphParamArray* series = drawer->GetSeries(0);
    return series ? series->GetItemTank(0) : nullptr;
}

double CGraphTimeListObj::SampleInterval(CDataTankObject* tank)
{
    // A document's elapsed-time channel is a calculated channel whose
    // result is the time axis: its step is the clock, not 1 per sample.
    if (auto* calc = dynamic_cast<CCalcuDataTank*>(tank))
        tank = calc->GetResultTank();
    if (auto* time = dynamic_cast<CTimeDataTank*>(tank))
        return time->GetInterval();
    return 1.0;
}

void CGraphTimeListObj::ClearSelection()
{
    m_selStart = -1;
    m_selEnd = -1;
}

void CGraphTimeListObj::ApplyScaleToSampleWindows()
{
    for (int r = 0; r < GetRowCount(); ++r) {
        CListGraphDraw* drawer = m_rows[static_cast<size_t>(r)];
        CDataTankObject* tank = drawer ? RowTimeTank(r) : nullptr;
        if (!tank)
            continue;
        const double d = SampleInterval(tank);
        const int n = tank->GetDataCount();
        const GrScaleRec::Axis& x = drawer->Scale().m_x;
        int first = 0;
        int last = n - 1;
        if (!x.autoMode && d != 0.0) {
            first = static_cast<int>(x.minimum / d);
            if (d * first > x.minimum)
                --first;
            if (first < 0)
                first = 0;
            last = static_cast<int>(x.maximum / d);
            if (d * last < x.maximum)
                ++last;
            if (last >= n && first < n)
                last = n - 1;
        }
        CGraphParamArray* series = drawer->GetSeries(0);
        series->SetSampleRange(series->GetSourceDocument(), first, last);
    }
}

fw::CString CGraphTimeListObj::GetSampleText(int index)
{
    fw::CString text;
    if (m_rows.empty() || index == -1)
        return text;
    if (CDataTankObject* tank = RowTimeTank(0))
        tank->GetValueText(index, text, true);
    return text;
}

double CGraphTimeListObj::SampleToTime(int index)
{
    if (m_rows.empty() || index == -1)
        return HUGE_VAL;
    CDataTankObject* tank = RowTimeTank(0);
    if (!tank)
        return HUGE_VAL;
    return index * SampleInterval(tank);
}

int CGraphTimeListObj::TimeToSample(int row, double time)
{
    CListGraphDraw* drawer = GetRow(row);
    CDataTankObject* tank = drawer ? RowTimeTank(row) : nullptr;
    if (!tank || time == HUGE_VAL)
        return -1;
    const double d = SampleInterval(tank);
    const int n = tank->GetDataCount();
    if (n <= 0)
        return -1;
    double q = d != 0.0 ? time / d : 0.0;
    // A sample's own time (i * d) divided back may fall a hair below i;
    // it still names sample i, not the one before.
    if (const double whole = std::nearbyint(q); std::abs(q - whole) <= 1e-9 * std::max(1.0, std::abs(q)))
        q = whole;
    int i = 0;
    if (q >= n)
        i = n - 1;
    else if (q > 0)
        i = static_cast<int>(q);
    return std::max(0, std::min(i, n - 1));
}

double CGraphTimeListObj::SnapTime(int row, double time)
{
    const int i = TimeToSample(row, time);
    if (i == -1)
        return HUGE_VAL;
    return i * SampleInterval(RowTimeTank(row));
}

int CGraphTimeListObj::ClampSample(int index)
{
    if (m_rows.empty())
        fw::ThrowInvalidArgException();
    // An empty first row has no samples: the index stays as it is.
    CDataTankObject* tank = m_rows.front() ? RowTimeTank(0) : nullptr;
    if (index < 0)
        return 0;
    if (tank && index >= tank->GetDataCount())
        return std::max(0, tank->GetDataCount() - 1);
    return index;
}

double CGraphTimeListObj::TimeAtPoint(int row, int x, int y)
{
    CListGraphDraw* drawer = GetRow(row);
    if (!drawer)
        return HUGE_VAL;
    const fw::CRect& plot = drawer->Record().m_plotRect;
    x = std::max(static_cast<int>(plot.left), std::min(x, static_cast<int>(plot.right)));
    double dataX = HUGE_VAL;
    double dataY = HUGE_VAL;
    drawer->DeviceToData(x, y, dataX, dataY);
    return SnapTime(row, dataX);
}

int CGraphTimeListObj::SetSelectionEdge(int which, double time)
{
    if (time == HUGE_VAL) {
        ClearSelection();
        return 0;
    }
    const int32_t s = TimeToSample(0, time);
    switch (which) {
    case kBothEdges:
        m_selStart = m_selEnd = s;
        return -1;
    case kStartEdge:
        m_selStart = s;
        return 1;
    case kEndEdge:
        m_selEnd = s;
        return 2;
    default:
        break;
    }
    if (m_selStart == -1 || m_selEnd == -1) {
        m_selStart = m_selEnd = s;
        return -1;
    }
    if (s <= m_selStart || (s < m_selEnd && s < (m_selStart + m_selEnd) / 2)) {
        m_selStart = s;
        return 1;
    }
    m_selEnd = s;
    return 2;
}

void CGraphTimeListObj::SetSelection(int32_t start, int32_t end)
{
    m_selStart = start;
    m_selEnd = end;
}

void CGraphTimeListObj::NormalizeSelection()
{
    if (m_selStart != -1 && m_selEnd != -1 && m_selEnd < m_selStart)
        std::swap(m_selStart, m_selEnd);
}

double CGraphTimeListObj::RowSampleTime(int row, int32_t sample) const
{
    if (sample < 0)
        return HUGE_VAL;
    return sample * SampleInterval(RowTimeTank(row));
}

void CGraphTimeListObj::DrawSelection(fw::CDC& dc, int row, bool cursorMarks)
{
    auto* drawer = dynamic_cast<CTimeListGraphDraw*>(GetRow(row));
    if (!drawer)
        return;
    if (!dc.IsPrinting())
        drawer->DrawTimeRange(dc, RowSampleTime(row, m_selStart), RowSampleTime(row, m_selEnd));
    if (!cursorMarks)
        return;
    if (m_selStart >= 0)
        drawer->DrawCursorPoints(dc, m_selStart);
    if (m_selEnd >= 0)
        drawer->DrawCursorPoints(dc, m_selEnd);
}

int CGraphTimeListObj::HitTestSelection(int row, const fw::CPoint& point)
{
    auto* drawer = dynamic_cast<CTimeListGraphDraw*>(GetRow(row));
    if (!drawer)
        return TrackerHit::kNothing;
    return drawer->HitTestTimeRange(point, RowSampleTime(row, m_selStart), RowSampleTime(row, m_selEnd));
}
