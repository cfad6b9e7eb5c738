#include "chart/model/GraphDraw.h"

#include "chart/model/BarPlot.h"
#include "chart/model/ColumnPlot.h"
#include "chart/model/DBPlot.h"
#include "chart/model/GrRecord.h"
#include "chart/model/LogLogPlot.h"
#include "common/tank/ZELDataPoter.h"
#include "framework/core/DC.h"
#include "framework/core/DateTime.h"

#include <algorithm>
#include <cmath>

FW_IMPLEMENT_SERIAL(CGraphDraw, CGraphSetting, fw::VERSIONABLE_SCHEMA | 1)

bool GrIsFinite(float value)
{
    return std::isfinite(static_cast<double>(value));
}

namespace {

// Now as a date in days, as time axes count.
double CurrentDate()
{
    return fw::COleDateTime::GetCurrentTime().m_dt;
}

// The plot of a bar graph type: columns (6, 33) or horizontal bars (8,
// 34). It keeps nothing between series, each of which sets it up afresh.
std::unique_ptr<CBoxPlot> MakeBarPlot(int type)
{
    if (type == 6 || type == 33)
        return std::make_unique<CColumnPlot>();
    if (type == 8 || type == 34)
        return std::make_unique<CBarPlot>();
    return nullptr;
}

} // namespace

CGraphDraw::CGraphDraw() = default;
CGraphDraw::~CGraphDraw() = default;

void CGraphDraw::DrawAxes(fw::CDC& dc, const fw::CRect& rect)
{
    DrawGrid(dc, rect);
    DrawLabels(dc, rect);
}

void CGraphDraw::CreatePlot()
{
    GrSetXRange(m_scale.m_x.minimum, m_scale.m_x.maximum, &m_record);
    GrSetYRange(m_scale.m_y.minimum, m_scale.m_y.maximum, &m_record);
    CreateFrame();
    CreateGridLines('X');
    CreateGridLines('Y');
    CreateTickMarks('X');
    CreateTickMarks('Y');
    CreateTickLabels('X');
    CreateTickLabels('Y');
    m_seriesPlot.reset();
    switch (m_info.m_graphType) {
    case 1:
    case 10:
    case 31:
    case 32:
        m_seriesPlot = std::make_unique<CLinearPlot>();
        break;
    case 2:
        m_seriesPlot = std::make_unique<CLogLogPlot>();
        break;
    case 3:
        m_seriesPlot = std::make_unique<CSemiLogXPlot>();
        break;
    case 4:
        m_seriesPlot = std::make_unique<CSemiLogYPlot>();
        break;
    case 5:
        m_seriesPlot = std::make_unique<CDBPlot>();
        break;
    default:
        break;
    }
    if (m_info.m_graphType == 10 && m_xTickLabels)
        m_xTickLabels->SetTimeScale(m_scale.m_timeDivisor, m_scale.m_timeOrigin);
    OnAxesRebuilt();
}

void CGraphDraw::DrawGrid(fw::CDC& dc, const fw::CRect& rect)
{
    m_record.m_clipRect = rect;
    if (m_info.m_showXGrid && m_xGrid)
        m_xGrid->Draw(dc, &m_record);
    if (m_info.m_showYGrid && m_yGrid)
        m_yGrid->Draw(dc, &m_record);
    if (m_info.m_showAxes) {
        if (m_xTicks)
            m_xTicks->Draw(dc, &m_record);
        if (m_yTicks)
            m_yTicks->Draw(dc, &m_record);
    }
    if (m_plotFrame && m_frame.m_frameWidth != 0)
        m_plotFrame->Draw(dc, &m_record);
}

void CGraphDraw::DrawLabels(fw::CDC& dc, const fw::CRect& rect)
{
    m_record.m_clipRect = rect;
    if (m_info.m_showAxes) {
        if (m_xTickLabels)
            m_xTickLabels->Draw(dc, &m_record);
        if (m_yTickLabels)
            m_yTickLabels->Draw(dc, &m_record);
    }
    if (m_xTitle)
        m_xTitle->Draw(dc, &m_record);
    if (m_yTitle)
        m_yTitle->Draw(dc, &m_record);
}

void CGraphDraw::BeginSeriesDraw(tPenState& state)
{
    if (m_seriesPlot)
        m_seriesPlot->SetPenState(state);
}

void CGraphDraw::EndSeriesDraw(tPenState& state)
{
    if (m_seriesPlot)
        m_seriesPlot->GetPenState(state);
}

void CGraphDraw::DrawSeriesData(fw::CDC& dc, const tSeriesStyle& style, CZELDataPoter* xCursor,
                                CZELDataPoter* yCursor, bool restart)
{
    const int type = m_info.m_graphType;
    if (std::unique_ptr<CBoxPlot> bars = MakeBarPlot(type)) {
        const int n = std::min(xCursor->GetCount(), yCursor->GetCount());
        bars->ApplyAttributes(style);
        bars->SetColor(style.fillColor);
        bars->SetOutlineColor(style.lineColor);
        if (n < 1)
            bars->PrepareMapping(&m_record);
        else
            bars->DrawBars(dc, n, xCursor, yCursor, &m_record);
        return;
    }
    const bool lineType = (type >= 1 && type <= 5) || type == 10 || type == 31 || type == 32;
    if (!lineType || !m_seriesPlot)
        return;
    CLinearPlot& plot = *m_seriesPlot;
    const int n = std::min(xCursor->GetCount(), yCursor->GetCount());
    plot.ApplyAttributes(style);
    if (n < 1) {
        plot.PrepareMapping(&m_record);
        return;
    }
    if (IsTimeGraph()) {
        if (m_scale.m_timeOrigin == 0.0) {
            const double first = xCursor->GetFirstValue();
            m_scale.m_timeOrigin = std::isfinite(first) ? first : CurrentDate();
        }
        if (m_xTickLabels)
            m_xTickLabels->SetTimeScale(m_scale.m_timeDivisor, m_scale.m_timeOrigin);
        plot.SetXTransform(m_scale.m_timeDivisor, m_scale.m_timeOrigin);
    }
    if (m_fill) {
        // Under the line and the symbols.
        plot.SetColor(style.fillColor);
        plot.DrawFilledArea(dc, xCursor, yCursor, &m_record);
    }
    if (style.linePattern != 0) {
        plot.SetColor(style.lineColor);
        plot.SetLinePattern(style.linePattern);
        plot.SetDrawType(style.drawType);
        plot.DrawSeries(dc, xCursor, yCursor, &m_record, restart ? 1 : 0);
    }
    if (style.symbolType != 0) {
        plot.SetColor(style.symbolColor);
        plot.SetBrushColor(style.fillColor);
        plot.SetLineSize(1, 1);
        plot.DrawSymbols(dc, xCursor, yCursor, &m_record);
    }
}

bool CGraphDraw::HasXYAxes() const
{
    return m_info.m_graphType != 33 && m_info.m_graphType != 34;
}

void CGraphDraw::SelectDocumentData(const fw::CDocument* document, int index)
{
    if (m_page)
        m_page->SelectDocumentData(document, index);
}

bool CGraphDraw::SetHighlight(fw::CDC& dc, int ignored, int mode, const fw::CDocument* document)
{
    m_highlight = static_cast<int16_t>(mode);
    switch (mode) {
    case 0:
        if (m_page)
            m_page->MarkDocument(nullptr);
        return true;
    case 1:
        if (m_page)
            m_page->MarkDocument(document);
        return true;
    case 2:
        return DrawMarkedPoints(dc);
    default:
        return false;
    }
}

void CGraphDraw::DrawSeriesCursors(fw::CDC& dc, CGraphParamArray& series, CZELDataPoter* xCursor,
                                   CZELDataPoter* yCursor, bool restart)
{
    if (!xCursor || !yCursor) {
        if (restart)
            series.SetRestart(1);
        return;
    }
    if (!restart) {
        BeginSeriesDraw(series.PenState());
        restart = series.GetRestart() != 0;
    }
    DrawSeriesData(dc, series.GetStyle(), xCursor, yCursor, restart);
    EndSeriesDraw(series.PenState());
    series.SetRestart(0);
}

void CGraphDraw::DrawProfiles(fw::CDC& dc, CGraphParamArray& series, int from)
{
    const int type = m_info.m_graphType;
    const bool swapped = type == 32 || type == 34;
    for (int p = std::max(from, 0); p <= series.GetLastSamplePosition(); ++p) {
        std::unique_ptr<CZELDataPoter> positions = series.MakePositionCursor();
        std::unique_ptr<CZELDataPoter> values = series.MakeValueCursor(p);
        if (swapped)
            DrawSeriesCursors(dc, series, values.get(), positions.get(), true);
        else
            DrawSeriesCursors(dc, series, positions.get(), values.get(), true);
    }
}

void CGraphDraw::DrawWholeSeries(fw::CDC& dc, CGraphParamArray& series)
{
    const int type = m_info.m_graphType;
    if (IsLineType(type)) {
        const int first = series.GetFirstUsableIndex();
        const int count = series.GetUsableCount();
        int16_t kind = 0;
        std::unique_ptr<CZELDataPoter> xs = series.MakeXCursor(kind, false, first, count);
        std::unique_ptr<CZELDataPoter> ys = series.MakeYCursor(kind, false, first, count);
        DrawSeriesCursors(dc, series, xs.get(), ys.get(), true);
        series.SetLastDrawnIndex(count > 0 ? std::max(first, 0) + count - 1 : -1);
        return;
    }
    if (type >= 31 && type <= 34)
        DrawProfiles(dc, series, 0);
}

void CGraphDraw::DrawAllSeries(fw::CDC& dc, const fw::CRect& rect)
{
    m_record.m_clipRect = rect;
    for (int i = 0; i < GetSeriesCount(); ++i)
        DrawWholeSeries(dc, *GetSeries(i));
}

void CGraphDraw::ClearPlotArea(fw::CDC& dc)
{
    const fw::CRect plot = m_record.m_plotRect;
    dc.ExtTextOut(plot.left, plot.top, fw::ETO_OPAQUE, &plot, fw::CString());
    DrawGrid(dc, m_record.m_clipRect);
}

void CGraphDraw::DrawNewData(fw::CDC& dc, const fw::CRect& clip, bool restart)
{
    m_record.m_clipRect = clip;
    const int type = m_info.m_graphType;
    if (IsLineType(type)) {
        for (int i = 0; i < GetSeriesCount(); ++i) {
            CGraphParamArray& series = *GetSeries(i);
            const int last = std::min(series.GetSampleIndex(1), series.GetShorterLastIndex());
            if (last < 0)
                continue;
            // From the last sample drawn (to join the line) to the newest;
            // without one, the last segment as a new line begins.
            const int drawn = series.GetLastDrawnIndex();
            int first = drawn >= 0 && drawn <= last ? drawn : last - std::min(2, series.GetUsableCount()) + 1;
            first = std::max(first, 0);
            if (drawn == last)
                continue;
            const int count = last - first + 1;
            int16_t kind = 0;
            std::unique_ptr<CZELDataPoter> xs = series.MakeXCursor(kind, false, first, count);
            std::unique_ptr<CZELDataPoter> ys = series.MakeYCursor(kind, false, first, count);
            DrawSeriesCursors(dc, series, xs.get(), ys.get(), restart);
            series.SetLastDrawnIndex(last);
        }
        return;
    }
    if (type == 31 && m_page && !m_page->NeedsFullRedraw()) {
        for (int i = 0; i < GetSeriesCount(); ++i) {
            CGraphParamArray& series = *GetSeries(i);
            if (series.IsInDocument())
                DrawProfiles(dc, series, series.GetLastSamplePosition());
        }
        return;
    }
    if (type >= 31 && type <= 34) {
        ClearPlotArea(dc);
        for (int i = 0; i < GetSeriesCount(); ++i)
            DrawWholeSeries(dc, *GetSeries(i));
    }
}
