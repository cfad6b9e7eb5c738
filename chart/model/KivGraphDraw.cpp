#include "chart/model/KivGraphDraw.h"

#include "chart/model/ChartArchiveTags.h"
#include "chart/model/GraphDocumentLookup.h"
#include "common/base/ArchiveTags.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/tank/ZELDataPoter.h"
#include "framework/core/Archive.h"

#include <algorithm>
#include <cmath>

FW_IMPLEMENT_SERIAL(CKivGraphDraw, CGraphDraw, fw::VERSIONABLE_SCHEMA | 1)

CKivGraphDraw::CKivGraphDraw() = default;
CKivGraphDraw::~CKivGraphDraw() = default;

void CKivGraphDraw::PrepareCachedTanks(bool storing)
{
    for (int i = 0; i < GetSeriesCount(); ++i) {
        CGraphParamArray& series = *GetSeries(i);
        if (!storing && m_dataMode == kDataLive)
            series.SetDrawRange(0, 0);
        for (int item = 0; item < series.GetItemCount(); ++item) {
            auto* cached = dynamic_cast<CCashCalcuDataTank*>(series.GetItemTank(item));
            if (!cached)
                continue;
            if (storing)
                cached->SetCacheCompressed(m_dataMode != kDataRecorded ? 2 : 0);
            else if (m_dataMode == kDataLive && cached->GetResultTank())
                cached->GetResultTank()->SetSize(0, true);
        }
    }
}

void CKivGraphDraw::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring())
        PrepareCachedTanks(true);
    CGraphDraw::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_dataMode << static_cast<uint8_t>(m_xTitleFromSeries ? 1 : 0)
           << static_cast<uint8_t>(m_yTitleFromSeries ? 1 : 0) << static_cast<uint8_t>(m_autoNames ? 1 : 0);
        WriteArchiveTag(ar, kAutoScrollTag);
        ar << m_autoScroll << m_autoScrollWidth;
        return;
    }
    ar >> m_dataMode >> m_xTitleFromSeries >> m_yTitleFromSeries >> m_autoNames;
    m_xTitleFromSeries = m_xTitleFromSeries ? 1 : 0;
    m_yTitleFromSeries = m_yTitleFromSeries ? 1 : 0;
    m_autoNames = m_autoNames ? 1 : 0;
    if (PeekArchiveTag(ar, kAutoScrollTag))
        ar >> m_autoScroll >> m_autoScrollWidth;
    PrepareCachedTanks(false);
}

bool CKivGraphDraw::GetSeriesAxisTitle(int axis, fw::CString& text, fw::CString& unit) const
{
    const CGraphParamArray* first = GetSeries(0);
    if (!first)
        return false;
    const bool swapped = m_info.m_graphType == 32 || m_info.m_graphType == 34;
    const int item = (axis == 'X') != swapped ? 0 : 1;
    CDataTankObject* tank = first->GetItemTank(item);
    if (!tank)
        return false;
    text = tank->GetName();
    const fw::CString tankUnit = tank->GetUnit();
    unit = fw::CString();
    if (!tankUnit.IsEmpty())
        unit.Format(" (%s)", tankUnit);
    return true;
}

bool CKivGraphDraw::RefreshSeriesNames()
{
    if (!m_autoNames)
        return false;
    for (int i = 0; i < GetSeriesCount(); ++i)
        GetSeries(i)->RebuildName();
    return true;
}

void CKivGraphDraw::UpdateAutoScaleModes()
{
    for (int i = 0; i < GetSeriesCount(); ++i) {
        const uint8_t mode = GetSeries(i)->GetSelectFlag() ? 2 : 1;
        if (m_scale.m_x.autoMode)
            m_scale.m_x.autoMode = mode;
        if (m_scale.m_y.autoMode)
            m_scale.m_y.autoMode = mode;
    }
}

bool CKivGraphDraw::AutoScaleCurrent(int axis, bool full, bool mode2)
{
    if (!m_page)
        return full;
    const int logKind = IsLogAxis(axis) ? 1 : 0;
    const double origin = axis == 'X' && IsTimeGraph() ? m_scale.m_timeOrigin : 0.0;
    double maximum = 0.0, minimum = 0.0;
    const bool found = m_page->GetCurrentRange(axis, origin, maximum, minimum, logKind, full);
    return ScaleAxisToData(axis, !full, found, maximum, minimum);
}

bool CKivGraphDraw::AutoScroll(int axis, double width, bool full)
{
    if (width == 0.0 || !m_page)
        return false;
    GrScaleRec::Axis* a = ScaleAxis(axis);
    if (!a)
        return false;
    const int logKind = IsLogAxis(axis) ? 1 : 0;
    const bool timeX = axis == 'X' && IsTimeGraph();
    const double origin = timeX ? m_scale.m_timeOrigin : 0.0;
    double hi = 0.0, lo = 0.0;
    const bool found = full ? m_page->GetDataRange(axis, origin, hi, lo, logKind, true, false)
                            : m_page->GetCurrentRange(axis, origin, hi, lo, logKind, false);
    if (!found) {
        if (timeX && m_scale.m_timeDivisor == 0)
            SetTimeUnit(kUnitMinutes);
        if (logKind)
            SetAxisRange(axis, 1, 10, 0.1, 5);
        return false;
    }
    if (timeX)
        ConvertTimeRange(hi, lo);
    const double s = a->step;
    // A step of 0 would put the window at infinity.
    if (!(s > 0.0) || !std::isfinite(s) || !std::isfinite(hi) || !std::isfinite(lo))
        return false;
    const double m = a->minimum;
    double v = lo;
    if (hi > a->maximum) {
        const double newMax = (std::floor(hi / s) + 1) * s;
        const double newMin = newMax - width;
        if (newMin >= m) {
            SetAxisRange(axis, newMin, newMax, s, a->subdivisions);
            return true;
        }
        v = newMin;
    }
    if (v >= m)
        return false;
    const double newMin = axis == 'Y' ? (std::floor(v / s) - 1) * s : std::floor(v / s) * s;
    SetAxisRange(axis, newMin, newMin + width, s, a->subdivisions);
    return true;
}

void CKivGraphDraw::AlignSeriesStart()
{
    const CGraphParamArray* first = GetSeries(0);
    CDataTankObject* xTank = first ? first->GetItemTank(0) : nullptr;
    if (!xTank)
        return;
    // The axis counts converted units on a time graph; the tank holds days.
    double limit = m_scale.m_x.minimum;
    if (IsTimeGraph() && m_scale.m_timeDivisor != 0)
        limit = m_scale.m_timeOrigin + limit / m_scale.m_timeDivisor;
    const int index = FindLastIndexAtOrBelow(xTank, limit, xTank->GetDataCount() - 1);
    for (int i = 0; i < GetSeriesCount(); ++i)
        GetSeries(i)->SetSampleIndex(0, std::max(index, 0));
}

bool CKivGraphDraw::ScrollOrScaleX(bool full)
{
    if (!m_scale.m_x.autoMode)
        return false;
    const bool mode2 = m_scale.m_x.autoMode == 2;
    if (m_autoScroll) {
        const bool moved = AutoScroll('X', m_autoScrollWidth, full);
        if (moved)
            AlignSeriesStart();
        return moved;
    }
    return full ? AutoScaleAxis('X', false, mode2) : AutoScaleCurrent('X', false, mode2);
}

bool CKivGraphDraw::AutoScale()
{
    bool changed = false;
    if (m_dataMode == kDataLiveCurrent) {
        if (m_scale.m_x.autoMode)
            changed = AutoScaleCurrent('X', true, m_scale.m_x.autoMode == 2) || changed;
        if (m_scale.m_y.autoMode)
            changed = AutoScaleCurrent('Y', true, m_scale.m_y.autoMode == 2) || changed;
    } else {
        changed = ScrollOrScaleX(true);
        if (m_scale.m_y.autoMode)
            changed = AutoScaleAxis('Y', false, m_scale.m_y.autoMode == 2) || changed;
    }
    if (!changed)
        return false;
    CreatePlot();
    return true;
}

bool CKivGraphDraw::AutoScaleExpand()
{
    if (!TestOption(0))
        return false;
    bool changed = ScrollOrScaleX(false);
    if (m_scale.m_y.autoMode)
        changed = AutoScaleCurrent('Y', false, m_scale.m_y.autoMode == 2) || changed;
    if (!changed)
        return false;
    CreatePlot();
    return true;
}

bool CKivGraphDraw::AutoScaleLive()
{
    if (!TestOption(0) || m_dataMode == kDataRecorded)
        return false;
    return AutoScaleExpand();
}

bool CKivGraphDraw::SetAxisTitle(int axis, const fw::CString& text, const fw::CString& unit)
{
    const bool x = axis == 'X' || axis == 'x';
    const bool fromSeries = x ? m_xTitleFromSeries : m_yTitleFromSeries;
    if (!fromSeries)
        return CGraphDraw::SetAxisTitle(axis, text, unit);
    fw::CString seriesText, seriesUnit;
    if (GetSeriesAxisTitle(x ? 'X' : 'Y', seriesText, seriesUnit))
        return CGraphDraw::SetAxisTitle(axis, seriesText, seriesUnit);
    if (!text.IsEmpty())
        return CGraphDraw::SetAxisTitle(axis, text, unit);
    return false;
}

void CKivGraphDraw::DeviceToData(int x, int y, double& outX, double& outY)
{
    outX = HUGE_VAL;
    outY = HUGE_VAL;
    if (m_seriesPlot)
        m_seriesPlot->DeviceToData(x, y, outX, outY, &m_record);
}

namespace {

bool MarksLineGraph(int type, int xAxisKind)
{
    return ((type >= 1 && type <= 5) || type == 10) && (xAxisKind == 0 || xAxisKind == GDataInfoRec::kTimeAxis);
}

} // namespace

void CKivGraphDraw::DrawCursorPoints(fw::CDC& dc, int index)
{
    if (!MarksLineGraph(m_info.m_graphType, m_info.m_xAxisKind))
        return;
    for (int i = 0; i < GetSeriesCount(); ++i) {
        const CGraphParamArray& series = *GetSeries(i);
        CDataTankObject* xt = series.GetItemTank(0);
        CDataTankObject* yt = series.GetItemTank(1);
        if (!xt || !yt)
            continue;
        index = std::max(0, std::min(index, series.GetSampleIndex(1)));
        const double x = AxisX(xt->GetValue(index));
        const double y = yt->GetValue(index);
        if (std::isfinite(x) && std::isfinite(y))
            DrawCurrentPoint(dc, x, y, series);
    }
}

void CKivGraphDraw::DrawCurrentPointsOf(fw::CDC& dc, const fw::CDocument* document, int index)
{
    if (!MarksLineGraph(m_info.m_graphType, m_info.m_xAxisKind))
        return;
    const bool time = IsTimeGraph();
    for (int i = 0; i < GetSeriesCount(); ++i) {
        CGraphParamArray& series = *GetSeries(i);
        CDataTankObject* xt = series.GetItemTank(0);
        CDataTankObject* yt = series.GetItemTank(1);
        if (!xt || !yt)
            continue;
        const bool own = document && FindGraphDocument(series.GetSourceDocument()) == document;
        if (time && !own)
            continue;
        int n = own ? (time ? 0 : index) : series.GetShorterLastIndex();
        n = std::max(0, std::min(n, series.GetSampleIndex(1)));
        const double x = AxisX(xt->GetValue(n));
        const double y = yt->GetValue(n);
        if (std::isfinite(x) && std::isfinite(y))
            DrawCurrentPoint(dc, x, y, series);
    }
}

bool CKivGraphDraw::DrawMarkedPoints(fw::CDC& dc)
{
    const int type = m_info.m_graphType;
    if (type < 31 || type > 34)
        return CGraphDraw::DrawMarkedPoints(dc);
    const bool swapped = type == 32 || type == 34;
    if (type == 33 || type == 34) {
        for (int i = 0; i < GetSeriesCount(); ++i)
            if (GetSeries(i)->GetRedrawFlag())
                DrawProfiles(dc, *GetSeries(i), 0);
    }
    for (int i = 0; i < GetSeriesCount(); ++i) {
        CGraphParamArray& series = *GetSeries(i);
        std::unique_ptr<CZELDataPoter> positions = series.MakePositionCursor();
        std::unique_ptr<CZELDataPoter> values = series.MakeComputedValueCursor();
        if (swapped)
            DrawSeriesCursors(dc, series, values.get(), positions.get(), true);
        else
            DrawSeriesCursors(dc, series, positions.get(), values.get(), true);
    }
    return true;
}
