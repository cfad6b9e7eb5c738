#include "canvoicegps/model/GpsGraphDraw.h"

#include "chart/model/GrRecord.h"
#include "chart/model/GrScale.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/LinearPlot.h"
#include "chart/model/GridLine.h"
#include "chart/model/TickLabel.h"
#include "chart/model/TickMark.h"
#include "common/tank/DataTankObject.h"

#include <cfloat>
#include <cmath>
#include <memory>

FW_IMPLEMENT_SERIAL(CGpsGraphDraw, CKivGraphDraw, fw::VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kSubDivisions = 5;
constexpr double kConstantHalfSpan = 5.0;
constexpr double kConstantStep = 2.0;

} // namespace

CGpsGraphDraw::CGpsGraphDraw()
{
    m_frame.m_frameWidth = 1;
}

CGpsGraphDraw::~CGpsGraphDraw() = default;

void CGpsGraphDraw::CreatePlot()
{
    GrSetXRange(m_scale.m_x.minimum, m_scale.m_x.maximum, &m_record);
    GrSetYRange(m_scale.m_y.minimum, m_scale.m_y.maximum, &m_record);
    CreateFrame();
    m_xGrid.reset();
    m_yGrid.reset();
    m_xTicks.reset();
    m_yTicks.reset();
    m_xTickLabels.reset();
    m_yTickLabels.reset();
    m_seriesPlot.reset();
    const int type = m_info.m_graphType;
    if (type == 1 || type == 31 || type == 32)
        m_seriesPlot = std::make_unique<CLinearPlot>();
    CGraphSetting::CreatePlot();
}

bool CGpsGraphDraw::AutoScale()
{
    bool changed = false;
    if (m_scale.m_x.autoMode)
        changed = AutoScaleAxis('X', false, m_scale.m_x.autoMode == 2) || changed;
    if (m_scale.m_y.autoMode)
        changed = AutoScaleAxis('Y', false, m_scale.m_y.autoMode == 2) || changed;
    GrScaleRec::Axis& x = m_scale.m_x;
    GrScaleRec::Axis& y = m_scale.m_y;
    const double spanX = x.maximum - x.minimum;
    const double spanY = y.maximum - y.minimum;
    if (std::fabs(spanX - spanY) >= DBL_EPSILON) {
        GrScaleRec::Axis& narrow = spanX < spanY ? x : y;
        const GrScaleRec::Axis& wide = spanX < spanY ? y : x;
        const double half = std::fabs(spanX - spanY) / 2.0;
        narrow.minimum -= half;
        narrow.maximum += half;
        narrow.step = wide.step;
    }
    if (!changed)
        return false;
    CreatePlot();
    return true;
}

void CGpsGraphDraw::ApplyNiceRange(int axis, int logKind, double maximum, double minimum)
{
    if (minimum != maximum) {
        double low = 0.0;
        double high = 0.0;
        double step = 0.0;
        const bool found = logKind == 1 ? GrLogAutoScale(minimum, maximum, kNiceDivisions, low, high, step)
                                        : GrAutoScale(minimum, maximum, kNiceDivisions, low, high, step);
        if (found)
            SetAxisRange(axis, low, high, step, kSubDivisions);
        return;
    }
    if (logKind == 1) {
        if (minimum != 0.0)
            SetAxisRange(axis, 1, 10, 0.1, kSubDivisions);
        return;
    }
    SetAxisRange(axis, minimum - kConstantHalfSpan, minimum + kConstantHalfSpan, kConstantStep, kSubDivisions);
}

void CGpsGraphDraw::DrawSeries(fw::CDC& dc, const fw::CRect& plot, int index)
{
    m_record.m_plotRect = plot;
    CGraphParamArray* series = GetSeries(index);
    if (!series)
        return;
    const int type = m_info.m_graphType;
    if (IsLineType(type)) {
        const int first = series->GetFirstUsableIndex();
        const int count = series->GetUsableCount();
        int16_t kind = 0;
        std::unique_ptr<CZELDataPoter> xs = series->MakeXCursor(kind, false, first, count);
        std::unique_ptr<CZELDataPoter> ys = series->MakeYCursor(kind, false, first, count);
        DrawSeriesCursors(dc, *series, xs.get(), ys.get(), true);
        return;
    }
    if (type >= 31 && type <= 34)
        DrawProfiles(dc, *series, 0);
}
