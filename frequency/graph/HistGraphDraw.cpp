#include "frequency/graph/HistGraphDraw.h"

#include "chart/model/GrRecord.h"
#include "chart/model/GrScale.h"
#include "chart/model/GraphPageParam.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/SeriesStyle.h"
#include "common/base/ArchiveTags.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <vector>

FW_IMPLEMENT_SERIAL(CHistGraphDraw, CKivGraphDraw, fw::VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kDivisions = 5;
constexpr double kLogFloor = 0.1;

} // namespace

CHistGraphDraw::CHistGraphDraw()
{
    m_info.m_graphType = kLinearType;
    m_info.m_xAxisKind = kFlatLayout;
    m_scale.m_x.autoMode = 2;
}

CHistGraphDraw::~CHistGraphDraw() = default;

void CHistGraphDraw::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        WriteArchiveTag(ar, kTag);
        CKivGraphDraw::Serialize(ar);
        return;
    }
    if (PeekArchiveTag(ar, kTag)) {
        CKivGraphDraw::Serialize(ar);
    } else {
        // The older record is the plain graph drawer's.
        CGraphDraw::Serialize(ar);
        if (m_scale.m_x.autoMode == 1)
            m_scale.m_x.autoMode = 2;
    }
    CreatePlot();
}

void CHistGraphDraw::CreatePlot()
{
    GrSetXRange(m_scale.m_x.minimum, m_scale.m_x.maximum, &m_record);
    GrSetYRange(m_scale.m_y.minimum, m_scale.m_y.maximum, &m_record);
    CKivGraphDraw::CreatePlot();
    CreateDepthElements();
    if (m_info.m_graphType == kLinearType)
        m_columns = std::make_unique<CHistColumnPlot>();
    else
        m_columns = std::make_unique<CHistLogColumnPlot>();
    m_columns->m_b3D = IsOblique() ? 1 : 0;
}

bool CHistGraphDraw::AutoScale()
{
    bool changed = false;
    if (m_scale.m_x.autoMode)
        changed = AutoScaleAxis('X', false, m_scale.m_x.autoMode == 2) || changed;
    if (m_scale.m_y.autoMode)
        changed = AutoScaleAxis('Y', false, m_scale.m_y.autoMode == 2) || changed;
    if (IsOblique() && m_scale.m_z.autoMode)
        changed = AutoScaleAxis('Z', false, true) || changed;
    if (!changed)
        return false;
    CreatePlot();
    return true;
}

bool CHistGraphDraw::AutoScaleExpand()
{
    // New current values rescale to the counts, never only outward.
    return TestOption(0) && AutoScale();
}

bool CHistGraphDraw::AutoScaleAxis(int axis, bool expandOnly, bool mode2)
{
    const int logKind = IsLogAxis(axis == 'Z' ? 'X' : axis) ? 1 : 0;
    double maximum = 0.0;
    double minimum = 0.0;
    const bool found = DataRange(axis == 'Y' ? 'Y' : 'X', logKind != 0, maximum, minimum);
    if (!found) {
        if (logKind)
            SetAxisRange(axis, kLogFloor, 10, kLogFloor, kDivisions);
        return !expandOnly;
    }
    if (axis == 'Y') {
        minimum = logKind ? kLogFloor : 0.0;
    } else {
        maximum += 1;
    }
    if (expandOnly) {
        const GrScaleRec::Axis* a = ScaleAxis(axis);
        const double low = a ? a->minimum : 0.0;
        const double high = a ? a->maximum : 0.0;
        const bool outside = axis == 'Y' ? minimum != low || maximum > high : minimum < low || maximum > high;
        if (!outside)
            return false;
    }
    ApplyNiceRange(axis, logKind, maximum, minimum);
    return true;
}

bool CHistGraphDraw::DataRange(int axis, bool positiveOnly, double& maximum, double& minimum) const
{
    bool found = false;
    for (int e = 0; e < GetSeriesCount(); ++e) {
        const CGraphParamArray* series = GetSeries(e);
        if (!series)
            continue;
        const int first = series->GetFirstUsableIndex();
        const int n = series->GetUsableCount();
        if (first < 0 || n < 1)
            continue;
        int16_t kind = 0;
        std::unique_ptr<CZELDataPoter> values =
            axis == 'X' ? series->MakeXCursor(kind, false, first, n) : series->MakeYCursor(kind, false, first, n);
        std::unique_ptr<CZELDataPtr> cursor(values ? values->CreateCursor() : nullptr);
        if (!cursor)
            continue;
        for (int i = 0; i < values->GetCount(); ++i) {
            const double v = cursor->GetAt(i);
            if (!std::isfinite(v) || (positiveOnly && v <= 0))
                continue;
            maximum = found ? std::max(maximum, v) : v;
            minimum = found ? std::min(minimum, v) : v;
            found = true;
        }
    }
    return found;
}

void CHistGraphDraw::ApplyNiceRange(int axis, int logKind, double maximum, double minimum)
{
    double low = 0.0;
    double high = 0.0;
    double step = 0.0;
    if (minimum == maximum) {
        if (minimum == 0.0)
            return;
        if (logKind) {
            low = kLogFloor;
            high = 10;
            step = kLogFloor;
        } else {
            low = minimum;
            high = minimum + 10;
            step = 2;
        }
    } else {
        const bool ok = logKind ? GrLogAutoScale(minimum, maximum, kDivisions, low, high, step)
                                : GrAutoScale(minimum, maximum, kDivisions, low, high, step);
        if (!ok)
            return;
    }
    SetAxisRange(axis, low, high, step, kDivisions);
}

void CHistGraphDraw::DrawAllSeries(fw::CDC& dc, const fw::CRect&)
{
    if (!m_page || !m_columns)
        return;
    const int count = GetSeriesCount();
    m_columns->m_zMin = ZMin();
    m_columns->m_zMax = ZMax();
    // Oblique rows are painted from the back wall toward the front face.
    const bool backward = IsOblique() && ZMin() > ZMax();
    for (int k = 0; k < count; ++k) {
        const int e = backward ? count - 1 - k : k;
        if (CGraphParamArray* series = GetSeries(e))
            DrawSeriesColumns(dc, *series, e);
    }
}

void CHistGraphDraw::DrawSeriesColumns(fw::CDC& dc, CGraphParamArray& series, int index)
{
    const int first = series.GetFirstUsableIndex();
    const int n = series.GetUsableCount();
    int16_t kind = 0;
    std::unique_ptr<CZELDataPoter> xs = series.MakeXCursor(kind, false, first, n);
    std::unique_ptr<CZELDataPoter> ys = series.MakeYCursor(kind, false, first, n);
    if (!xs || !ys)
        return;
    const int values = std::min(xs->GetCount(), ys->GetCount());
    m_columns->ApplyAttributes(series.GetStyle());
    m_columns->SetOutlineColor(series.GetStyle().lineColor);
    if (values < 1)
        return;
    try {
        if (!m_columns->m_b3D) {
            m_columns->DrawColumns(dc, values, xs.get(), ys.get(), &m_record);
            return;
        }
        // Series e stands between the slice edges e + 1 and e counted down
        // from the top of its own X values.
        std::unique_ptr<CZELDataPtr> xc(xs->CreateCursor());
        if (!xc)
            return;
        const int last = values - 1;
        if (index >= 1 && last - index >= 0) {
            m_columns->m_depthFront = xc->GetAt(last - index);
            m_columns->m_depthBack = xc->GetAt(last - index + 1 > last ? last : last - index + 1);
        } else {
            const double top = xc->GetAt(last);
            const double width = last >= 1 ? top - xc->GetAt(last - 1) : 1.0;
            m_columns->m_depthFront = top;
            m_columns->m_depthBack = top + width;
        }
        m_columns->DrawColumns3D(dc, values, xs.get(), ys.get(), &m_record);
    } catch (const fw::CException&) {
        // A series that cannot be mapped is left partly drawn.
    }
}
