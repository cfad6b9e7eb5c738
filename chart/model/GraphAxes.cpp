// The axis elements of a graph, built from its records, and the fitting of
// the plot rectangle into the graph rectangle.

#include "chart/model/GraphSetting.h"

#include "chart/model/GrClip.h"
#include "chart/model/GrDraw.h"
#include "chart/model/GrRecord.h"
#include "common/base/LogFont.h"
#include "framework/core/DC.h"

#include <algorithm>
#include <cstring>

namespace {

// A kept element of the wrong kind is replaced by one of the right kind.
template <class Base, class Linear, class Log> void EnsureKind(std::unique_ptr<Base>& slot, bool logarithmic)
{
    if (slot && slot->IsLogarithmic() == logarithmic)
        return;
    if (logarithmic)
        slot = std::make_unique<Log>();
    else
        slot = std::make_unique<Linear>();
}

} // namespace

void CGraphSetting::GetDefaultTextAttributes(tTextAttributes& out) const
{
    out = tTextAttributes();
    SetDefaultLogFont(&out.font, true, 0);
    out.bkMode = fw::OPAQUE;
    out.align = fw::TA_BOTTOM;
}

void CGraphSetting::SetDefaultAxisTitles()
{
    SetAxisTitle('X', "X-Axis", " ");
    SetAxisTitle('Y', "Y-Axis", " ");
}

bool CGraphSetting::SetAxisTitle(int axis, const fw::CString& text, const fw::CString& unit)
{
    std::unique_ptr<CPlotLabel>* slot = axis == 'X' || axis == 'x' ? &m_xTitle
                                        : axis == 'Y' || axis == 'y' ? &m_yTitle
                                                                     : nullptr;
    if (!slot)
        return false;
    if (!*slot) {
        if (slot == &m_xTitle)
            *slot = std::make_unique<CXPlotLabel>();
        else
            *slot = std::make_unique<CYPlotLabel>();
        (*slot)->CreateDefaultAttributes();
    }
    fw::CString oldText, oldUnit;
    tTextAttributes attributes;
    int16_t side = 0;
    int colour = 0;
    (*slot)->GetLabel(oldText, oldUnit, attributes, side, colour);
    bool changed = false;
    if (oldText != text) {
        (*slot)->SetTitle(text);
        changed = true;
    }
    if (oldUnit != unit) {
        (*slot)->SetUnit(unit);
        changed = true;
    }
    return changed;
}

void CGraphSetting::OnTimeUnitText(const fw::CString& unitText)
{
    if (!m_xTickLabels || !m_xTitle)
        return;
    tLabelFormat format;
    m_xTickLabels->GetLabelFormat(format);
    if (format.kind <= 2)
        m_xTitle->SetUnit(unitText);
}

void CGraphSetting::MeasureTickLabels(fw::CDC& dc)
{
    if (m_xTickLabels)
        m_xTickLabels->Measure(dc, &m_record);
    if (m_yTickLabels)
        m_yTickLabels->Measure(dc, &m_record);
}

void CGraphSetting::CreateFrame()
{
    if (!m_plotFrame)
        m_plotFrame = std::make_unique<CPlotFrame>();
    m_plotFrame->SetFrameWidth(m_frame.m_frameWidth);
    m_plotFrame->SetColor(m_frame.m_frameColor);
}

void CGraphSetting::CreateGridLines(int axis)
{
    const bool x = axis == 'X' || axis == 'x';
    if (!x && axis != 'Y' && axis != 'y')
        return;
    const bool log = IsLogAxis(x ? 'X' : 'Y');
    std::unique_ptr<CGridLine>& slot = x ? m_xGrid : m_yGrid;
    if (x)
        EnsureKind<CGridLine, CXGridLine, CXLogGridLine>(slot, log);
    else
        EnsureKind<CGridLine, CYGridLine, CYLogGridLine>(slot, log);
    const GrScaleRec::Axis& a = x ? m_scale.m_x : m_scale.m_y;
    if (log) {
        slot->SetLogRange(a.minimum, a.maximum);
    } else {
        slot->SetWalk(a.minimum, a.subdivisions > 0 ? a.step / a.subdivisions : a.step, a.maximum);
        slot->SetMajorLattice(a.minimum, a.step, a.maximum);
    }
    slot->SetMajorColour(m_frame.m_gridMajorColor);
    slot->SetMinorColour(m_frame.m_gridMinorColor);
    const int16_t major = x ? m_frame.m_xGridMajorWidth : m_frame.m_yGridMajorWidth;
    const int16_t minor = x ? m_frame.m_xGridMinorWidth : m_frame.m_yGridMinorWidth;
    slot->SetMajorStyle(major ? 0 : CGridLine::kNoLine);
    slot->SetMajorWidth(major);
    slot->SetMinorStyle(minor ? 1 : CGridLine::kNoLine);
    slot->SetMinorWidth(minor);
    slot->SetZeroLine(x ? 0 : 1);
}

void CGraphSetting::CreateTickMarks(int axis)
{
    const bool x = axis == 'X';
    if (!x && axis != 'Y')
        return;
    const bool log = IsLogAxis(axis);
    std::unique_ptr<CTickMark>& slot = x ? m_xTicks : m_yTicks;
    if (x)
        EnsureKind<CTickMark, CTickXMark, CLogTickXMark>(slot, log);
    else
        EnsureKind<CTickMark, CTickYMark, CLogTickYMark>(slot, log);
    const GrScaleRec::Axis& a = x ? m_scale.m_x : m_scale.m_y;
    if (log) {
        slot->SetLogRange(x ? m_record.m_xMin : m_record.m_yMin, x ? m_record.m_xMax : m_record.m_yMax);
    } else {
        slot->SetWalk(a.minimum, a.subdivisions > 0 ? a.step / a.subdivisions : a.step, a.maximum);
        slot->SetMajorLattice(a.minimum, a.step, a.maximum);
        slot->SetSide(x ? m_frame.m_xTickSide : m_frame.m_yTickSide);
    }
    const int16_t width = x ? m_frame.m_xTickWidth : m_frame.m_yTickWidth;
    slot->SetMajorWidth(width);
    slot->SetMinorWidth(width);
    slot->SetMajorColour(m_frame.m_tickColor);
    slot->SetMinorColour(m_frame.m_tickColor);
}

void CGraphSetting::SetTickLabelTextAttributes(int axis, const tTextAttributes& attributes)
{
    CTickLabel* labels = GetTickLabels(axis);
    if (labels)
        labels->SetTextAttributes(attributes);
}

void CGraphSetting::CreateTickLabels(int axis)
{
    const bool x = axis == 'X';
    if (!x && axis != 'Y')
        return;
    const bool log = IsLogAxis(axis);
    std::unique_ptr<CTickLabel>& slot = x ? m_xTickLabels : m_yTickLabels;
    tLabelFormat format;
    bool keep = false;
    if (slot) {
        slot->GetLabelFormat(format);
        keep = true;
    } else {
        format.kind = 1;
        GetDefaultTextAttributes(format.attributes);
    }
    if (!slot || slot->IsLogarithmic() != log) {
        if (x)
            slot = log ? std::unique_ptr<CTickLabel>(std::make_unique<CLogTickXLabel>())
                       : std::unique_ptr<CTickLabel>(std::make_unique<CTickXLabel>());
        else
            slot = log ? std::unique_ptr<CTickLabel>(std::make_unique<CLogTickYLabel>())
                       : std::unique_ptr<CTickLabel>(std::make_unique<CTickYLabel>());
        slot->SetFormatKind(format.kind);
        slot->SetTextAttributes(format.attributes);
    }
    (void)keep;
    GrScaleRec::Axis& a = x ? m_scale.m_x : m_scale.m_y;
    if (log)
        slot->SetLogRange(x ? m_record.m_xMin : m_record.m_yMin, x ? m_record.m_xMax : m_record.m_yMax);
    slot->SetRange(a.minimum, a.labelEvery * a.step, a.maximum);
    slot->SetSide(a.labelSide);
    slot->ComputeDecimals();
    a.decimals = slot->GetDecimals();
    if (x && IsTimeGraph())
        slot->SetTimeScale(m_scale.m_timeDivisor, m_scale.m_timeOrigin);
}

void CGraphSetting::GetPlotExtent(fw::CDC& dc, fw::CRect& out)
{
    MeasureTickLabels(dc);
    out = m_record.m_frameRect;
    if (m_xTitle) {
        out.top -= m_xTitle->SpaceAbove(dc);
        out.bottom += m_xTitle->SpaceBelow(dc);
    }
    if (m_yTitle) {
        out.left -= m_yTitle->SpaceLeft(dc);
        out.right += m_yTitle->SpaceRight(dc);
    }
    out.NormalizeRect();
}

void CGraphSetting::GetPlotExtentInGraph(fw::CDC& dc, fw::CRect& out)
{
    GetPlotExtent(dc, out);
    const fw::CRect& graph = m_info.m_graphRect;
    out = fw::CRect(out.left - graph.left, out.top - graph.top, out.right - graph.right, out.bottom - graph.bottom);
}

void CGraphSetting::FitPlotRect(fw::CDC& dc, const fw::CRect& rect)
{
    SetPlotRect(rect);
    fw::CRect extent;
    GetPlotExtent(dc, extent);
    const fw::CRect plot = m_record.m_plotRect;
    fw::CRect fitted = plot;
    fitted.left += static_cast<int16_t>(plot.left - extent.left);
    fitted.top += static_cast<int16_t>(plot.top - extent.top);
    fitted.right -= static_cast<int16_t>(extent.right - plot.right);
    fitted.bottom -= static_cast<int16_t>(extent.bottom - plot.bottom);
    fitted.NormalizeRect();
    SetPlotRect(fitted);
    GetPlotExtent(dc, extent);
    SetGraphRect(rect);
    OnAxesRebuilt();
}

void CGraphSetting::DrawCurrentPoint(fw::CDC& dc, double x, double y, const CGraphParamArray& series)
{
    const int saved = dc.SaveDC();
    fw::CRect inner = m_record.m_plotRect;
    inner.DeflateRect(1, 1);
    fw::CRect clip;
    if (!clip.IntersectRect(inner, m_record.m_clipRect))
        clip.SetRectEmpty();
    GrSetClipRect(dc, clip, kGrClipAnd);
    if (m_seriesPlot) {
        int16_t dx = 0, dy = 0;
        m_seriesPlot->PrepareMapping(&m_record);
        const bool failed = m_seriesPlot->MapDataToDevice(x, y, dx, dy, &m_record) || GrHasError(&m_record);
        if (failed) {
            GrClearError(&m_record);
        } else {
            const tSeriesStyle& style = series.GetStyle();
            const bool none = style.symbolType == 0;
            fw::CPen pen;
            GrCreatePen(0, none ? 1 : 3, GrGetColor(style.symbolColor), pen);
            fw::CBrush brush(GrGetColor(style.fillColor));
            fw::CPen* oldPen = dc.SelectObject(&pen);
            fw::CBrush* oldBrush = dc.SelectObject(&brush);
            dc.MoveTo(dx, dy);
            GrDrawSymbol(dc, none ? 14 : style.symbolType, style.symbolSize, 1);
            dc.SelectObject(oldPen);
            dc.SelectObject(oldBrush);
        }
    }
    dc.RestoreDC(saved);
}
