#include "chart/model/PlotData.h"

#include "chart/model/GrClip.h"
#include "chart/model/GrDraw.h"
#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/SeriesStyle.h"
#include "common/base/ZelException.h"

#include <cmath>

namespace {

fw::LOGBRUSH SolidBlack()
{
    fw::LOGBRUSH lb;
    lb.lbStyle = fw::BS_SOLID;
    lb.lbColor = 0;
    lb.lbHatch = static_cast<uintptr_t>(fw::HS_DIAGCROSS);
    return lb;
}

} // namespace

CPlotData::CPlotData() : m_fillBrush(SolidBlack()), m_secondBrush(SolidBlack()) {}

CPlotData::~CPlotData() = default;

void CPlotData::ApplyAttributes(const tSeriesStyle& style)
{
    SetLineSize(style.lineWidth, style.lineHeight);
    SetFillStyle(style.fill);
}

void CPlotData::SetLineSize(int16_t width, int16_t height)
{
    m_lineWidth = width;
    m_lineHeight = height;
}

void CPlotData::GetLineSize(int16_t& width, int16_t& height) const
{
    width = m_lineWidth;
    height = m_lineHeight;
}

void CPlotData::SetBrushColor(int index)
{
    m_fillBrush.lbColor = ColorRefOf(index);
}

void CPlotData::SetFillStyle(int fill)
{
    GrGetFillBrush(fill, m_fillBrush);
}

bool CPlotData::SetUpForward(OGPRecord* rec, bool shortRect)
{
    if (!GrCheckPlotRect(rec))
        return false;
    if (!rec->m_xRangeSet || !rec->m_yRangeSet)
        return false;
    if (GrCheckXRange(rec->m_xMin, rec->m_xMax, rec) || GrCheckYRange(rec->m_yMin, rec->m_yMax, rec))
        return false;
    const fw::CRect& r = rec->m_plotRect;
    auto side = [shortRect](int32_t v) { return shortRect ? double(int16_t(v)) : double(v); };
    const double left = side(r.left), top = side(r.top), right = side(r.right), bottom = side(r.bottom);
    m_xScale = (right - left) / (rec->m_xMax - rec->m_xMin);
    m_yScale = (bottom - top) / (rec->m_yMax - rec->m_yMin);
    m_xOffset = left - rec->m_xMin * m_xScale;
    m_yOffset = rec->m_yMin * m_yScale + bottom;
    return true;
}

bool CPlotData::MapChecked(double x, double y, double& outX, double& outY, OGPRecord* rec)
{
    outX = m_xScale * x + m_xOffset;
    outY = m_yOffset - m_yScale * y;
    if (GrCheckCoord(outX, rec) || GrCheckCoord(outY, rec)) {
        rec->m_errorIndex = 1;
        return false;
    }
    return true;
}

void CPlotData::DataToDevice(double x, double y, int32_t& outX, int32_t& outY, OGPRecord* rec)
{
    if (!SetUpForward(rec, false))
        return;
    double dx = 0, dy = 0;
    if (!MapChecked(x, y, dx, dy, rec))
        return;
    outX = GrRound(dx);
    outY = GrRound(dy);
}

bool CPlotData::DataToDeviceShort(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec)
{
    if (SetUpForward(rec, true))
        MapDataToDevice(x, y, outX, outY, rec);
    return GrHasError(rec);
}

bool CPlotData::MapDataToDevice(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec)
{
    double dx = 0, dy = 0;
    if (MapChecked(x, y, dx, dy, rec)) {
        outX = static_cast<int16_t>(GrRound(dx));
        outY = static_cast<int16_t>(GrRound(dy));
    }
    return GrHasError(rec);
}

void CPlotData::ComputeFactors(OGPRecord* rec)
{
    SetUpForward(rec, true);
}

void CPlotData::PrepareMapping(OGPRecord* rec)
{
    int16_t x = 0, y = 0;
    DataToDeviceShort(0.0, 0.0, x, y, rec);
}

void CPlotData::DeviceToData(int32_t x, int32_t y, double& outX, double& outY, OGPRecord* rec)
{
    if (!GrCheckPlotRect(rec) || !rec->m_xRangeSet || !rec->m_yRangeSet)
        return;
    if (GrCheckXRange(rec->m_xMin, rec->m_xMax, rec) || GrCheckYRange(rec->m_yMin, rec->m_yMax, rec))
        return;
    const fw::CRect& r = rec->m_plotRect;
    const double w = r.right - r.left;
    const double h = r.bottom - r.top;
    m_xScale = (rec->m_xMax - rec->m_xMin) / w;
    m_xOffset = rec->m_xMin - (rec->m_xMax - rec->m_xMin) * r.left / w;
    m_yScale = (rec->m_yMin - rec->m_yMax) / h;
    m_yOffset = rec->m_yMin - (rec->m_yMin - rec->m_yMax) * r.bottom / h;
    outX = x * m_xScale + m_xOffset;
    outY = y * m_yScale + m_yOffset;
}

void CPlotData::MapDataPoint(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec)
{
    double dx = m_xScale * x + m_xOffset;
    double dy = m_yOffset - m_yScale * y;
    AdjustDevicePoint(dx, dy, rec);
    outX = static_cast<int16_t>(GrRound(dx));
    outY = static_cast<int16_t>(GrRound(dy));
}

void CPlotData::CheckDataPoint(double x, double y)
{
    if (!std::isfinite(x))
        ThrowZelException(1, 0);
    if (!std::isfinite(y))
        ThrowZelException(1, 0);
}

void CPlotData::BeginDraw(fw::CDC& dc, OGPRecord* rec)
{
    GrClearError(rec);
    m_savedState = dc.SaveDC();
    dc.SetROP2(fw::R2_COPYPEN);
    fw::CRect clip;
    if (clip.IntersectRect(rec->m_plotRect, rec->m_clipRect)) {
        GrSetClipRect(dc, clip, kGrClipAnd);
    } else {
        // Nothing of the plot is visible: nothing may be drawn either.
        const fw::CRect none;
        dc.SelectClipRgn(&none);
    }
    m_secondBrush.lbColor = GetColorRef();
    m_pen = std::make_unique<fw::CPen>();
    GrCreatePen(0, m_lineWidth, GetColorRef(), *m_pen);
    dc.SelectObject(m_pen.get());
    m_brush = std::make_unique<fw::CBrush>();
    m_brush->CreateBrushIndirect(m_fillBrush);
    dc.SelectObject(m_brush.get());
}

void CPlotData::EndDraw(fw::CDC& dc)
{
    dc.RestoreDC(m_savedState);
    m_pen.reset();
    m_brush.reset();
}
