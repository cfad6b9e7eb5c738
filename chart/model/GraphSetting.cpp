#include "chart/model/GraphSetting.h"

#include "chart/model/GrRecord.h"
#include "chart/model/GrScale.h"
#include "framework/core/Archive.h"

#include <cmath>
#include <cstdlib>

FW_IMPLEMENT_SERIAL(CGraphSetting, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)

namespace {

struct TimeUnit {
    int unit;
    int32_t divisor;
    const char* text;
};
constexpr TimeUnit kTimeUnits[] = {
    {CGraphSetting::kUnitSeconds, 86400, "Sec."},
    {CGraphSetting::kUnitMinutes, 1440, "Min."},
    {CGraphSetting::kUnitHours, 24, "Hour"},
    {CGraphSetting::kUnitDays, 1, "Day"},
};

} // namespace

double GrPowInt(double x, int n)
{
    double result = 1.0;
    unsigned bits = static_cast<unsigned>(std::abs(n));
    while (bits) {
        if (bits & 1u)
            result *= x;
        x *= x;
        bits >>= 1;
    }
    return n < 0 ? 1.0 / result : result;
}

CGraphSetting::CGraphSetting() : m_page(std::make_unique<CGraphPageParam>())
{
    GrInitRecord(&m_record);
    SetDefaults();
}

CGraphSetting::~CGraphSetting() = default;

void CGraphSetting::SetDefaults()
{
    m_info = GDataInfoRec();
    m_scale = GrScaleRec();
    m_frame = GrFrameRec();
}

// --- axes and time ---------------------------------------------------------

const char* CGraphSetting::TimeUnitText(int unit)
{
    for (const auto& u : kTimeUnits)
        if (u.unit == unit)
            return u.text;
    return "";
}

int CGraphSetting::ChooseTimeUnit(double rangeDays)
{
    if (rangeDays <= 1.0 / 24.0)
        return kUnitSeconds;
    if (rangeDays <= 1.0)
        return kUnitMinutes;
    if (rangeDays <= 30.0)
        return kUnitHours;
    return kUnitDays;
}

void CGraphSetting::SetTimeUnit(int unit)
{
    if (unit == GetTimeUnit())
        return;
    for (const auto& u : kTimeUnits)
        if (u.unit == unit)
            m_scale.m_timeDivisor = u.divisor;
    OnTimeUnitText(TimeUnitText(unit));
}

int CGraphSetting::GetTimeUnit() const
{
    for (const auto& u : kTimeUnits)
        if (u.divisor == m_scale.m_timeDivisor)
            return u.unit;
    return 0;
}

void CGraphSetting::SetOption(int bit, bool on)
{
    const uint32_t mask = 1u << (static_cast<unsigned>(bit) % 32);
    if (on)
        m_scale.m_options |= mask;
    else
        m_scale.m_options &= ~mask;
}

bool CGraphSetting::TestOption(int bit) const
{
    return (m_scale.m_options >> (static_cast<unsigned>(bit) % 32)) & 1u;
}

bool CGraphSetting::IsLogAxis(int axis) const
{
    switch (m_scale.m_scaleType) {
    case GrScaleRec::kLogXY:
        return true;
    case GrScaleRec::kLogX:
        return axis == 'X';
    case GrScaleRec::kLogY:
        return axis == 'Y';
    default:
        return false;
    }
}

GrScaleRec::Axis* CGraphSetting::ScaleAxis(int axis)
{
    switch (axis) {
    case 'X':
        return &m_scale.m_x;
    case 'Y':
        return &m_scale.m_y;
    case 'Z':
        return &m_scale.m_z;
    default:
        return nullptr;
    }
}

const GrScaleRec::Axis* CGraphSetting::ScaleAxis(int axis) const
{
    return const_cast<CGraphSetting*>(this)->ScaleAxis(axis);
}

void CGraphSetting::DrawGraph(fw::CDC& dc, const fw::CRect& rect)
{
    DrawAxes(dc, rect);
    DrawAllSeries(dc, rect);
    DrawRegression(dc, rect);
}

void CGraphSetting::SetPlotRect(const fw::CRect& rect)
{
    GrSetPlotRect(rect.left, rect.top, rect.right, rect.bottom, &m_record);
}

void CGraphSetting::SetAxisRange(int axis, double minimum, double maximum, double step, int divisions)
{
    GrScaleRec::Axis* a = ScaleAxis(axis);
    if (!a)
        return;
    a->minimum = minimum;
    a->maximum = maximum;
    a->step = step;
    a->subdivisions = static_cast<int16_t>(divisions);
}

void CGraphSetting::SetAutoScale(int axis, int mode)
{
    m_info.m_showAxes = 1;
    if (axis == 'X' || axis == 'Y')
        ScaleAxis(axis)->autoMode = static_cast<uint8_t>(mode);
}

void CGraphSetting::SetLabelFormat(int axis, int every, int decimals)
{
    if (axis != 'X' && axis != 'Y')
        return;
    GrScaleRec::Axis* a = ScaleAxis(axis);
    a->labelEvery = static_cast<int16_t>(every);
    a->decimals = static_cast<int16_t>(decimals);
}

// --- series ----------------------------------------------------------------

CGraphParamArray* CGraphSetting::AddSeries(bool withLines)
{
    if (!m_page)
        return nullptr;
    CGraphParamArray* series = m_page->CreateSeries(m_info.m_graphType, withLines).release();
    m_page->AppendSeries(series);
    return series;
}

void CGraphSetting::AppendSeries(CGraphParamArray* series)
{
    if (m_page)
        m_page->AppendSeries(series);
}

int CGraphSetting::GetSeriesCount() const
{
    return m_page ? m_page->GetSeriesCount() : -1;
}

CGraphParamArray* CGraphSetting::GetSeries(int index) const
{
    return m_page ? m_page->GetSeries(index) : nullptr;
}

bool CGraphSetting::GetSeriesName(int index, fw::CString& out) const
{
    const CGraphParamArray* series = GetSeries(index);
    if (!series)
        return false;
    out = series->GetName();
    return true;
}

bool CGraphSetting::UpdateSeries(int kind, const fw::CObject* info)
{
    return m_page && m_page->ApplyUpdate(kind, info);
}

void CGraphSetting::ResetSeries()
{
    if (m_page)
        m_page->ResetAll();
    MarkRegressionDirty();
}

// --- auto-scaling ----------------------------------------------------------

void CGraphSetting::ConvertTimeRange(double& maximum, double& minimum)
{
    if (m_scale.m_timeDivisor == 0)
        SetTimeUnit(ChooseTimeUnit(maximum - minimum));
    // A new origin is the data minimum; the range is converted in either
    // case, so that the axis never holds days while it shows units.
    if (m_scale.m_timeOrigin == 0.0)
        m_scale.m_timeOrigin = minimum;
    const double divisor = m_scale.m_timeDivisor;
    maximum = divisor * (maximum - m_scale.m_timeOrigin);
    minimum = divisor * (minimum - m_scale.m_timeOrigin);
}

bool CGraphSetting::AutoScaleAxis(int axis, bool expandOnly, bool mode2)
{
    if (!m_page)
        return !expandOnly;
    const int logKind = IsLogAxis(axis) ? 1 : 0;
    const double origin = axis == 'X' && IsTimeGraph() ? m_scale.m_timeOrigin : 0.0;
    double maximum = 0.0, minimum = 0.0;
    const bool found = m_page->GetDataRange(axis, origin, maximum, minimum, logKind, expandOnly, mode2);
    return ScaleAxisToData(axis, expandOnly, found, maximum, minimum);
}

bool CGraphSetting::ScaleAxisToData(int axis, bool expandOnly, bool found, double maximum, double minimum)
{
    bool result = !expandOnly;
    const int logKind = IsLogAxis(axis) ? 1 : 0;
    const bool timeX = axis == 'X' && IsTimeGraph();
    if (!found) {
        if (timeX && m_scale.m_timeDivisor == 0)
            SetTimeUnit(kUnitMinutes);
        if (logKind)
            SetAxisRange(axis, 1, 10, 0.1, 5);
        return result;
    }
    if (timeX)
        ConvertTimeRange(maximum, minimum);
    if (expandOnly) {
        if (axis != 'X' && axis != 'Y')
            return false;
        const GrScaleRec::Axis* a = ScaleAxis(axis);
        if (a->minimum > minimum)
            result = true;
        else
            minimum = a->minimum;
        if (maximum > a->maximum)
            result = true;
        else
            maximum = a->maximum;
        if (!result)
            return false;
    }
    ApplyNiceRange(axis, logKind, maximum, minimum);
    return result;
}

void CGraphSetting::ApplyNiceRange(int axis, int logKind, double maximum, double minimum)
{
    if (minimum != maximum) {
        double low = 0.0, high = 0.0, step = 0.0;
        if (logKind == 1)
            GrLogAutoScale(minimum, maximum, 5, low, high, step);
        else
            GrAutoScale(minimum, maximum, 5, low, high, step);
        SetAxisRange(axis, low, high, step, 5);
        return;
    }
    if (minimum == 0.0)
        return;
    if (logKind == 1)
        SetAxisRange(axis, 1, 10, 0.1, 5);
    else
        SetAxisRange(axis, minimum, minimum + 10, 2, 5);
}

bool CGraphSetting::AutoScale()
{
    bool changed = false;
    if (m_scale.m_x.autoMode)
        changed = AutoScaleAxis('X', false, m_scale.m_x.autoMode == 2) || changed;
    if (m_scale.m_y.autoMode)
        changed = AutoScaleAxis('Y', false, m_scale.m_y.autoMode == 2) || changed;
    if (!changed)
        return false;
    CreatePlot();
    return true;
}

bool CGraphSetting::AutoScaleExpand()
{
    if (!TestOption(0))
        return false;
    bool changed = false;
    if (m_scale.m_x.autoMode)
        changed = AutoScaleAxis('X', true, m_scale.m_x.autoMode == 2) || changed;
    if (m_scale.m_y.autoMode)
        changed = AutoScaleAxis('Y', true, m_scale.m_y.autoMode == 2) || changed;
    if (!changed)
        return false;
    CreatePlot();
    return true;
}

// --- archive ---------------------------------------------------------------

namespace {

void StoreOptional(fw::CArchive& ar, const fw::CObject* object)
{
    ar << static_cast<uint8_t>(object ? 1 : 0);
    if (object)
        ar.WriteObject(object);
}

template <class T> void LoadOptional(fw::CArchive& ar, std::unique_ptr<T>& slot)
{
    slot.reset();
    uint8_t present = 0;
    ar >> present;
    if (present)
        slot.reset(static_cast<T*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(T))));
}

} // namespace

void CGraphSetting::Serialize(fw::CArchive& ar)
{
    m_record.Serialize(ar);
    if (ar.IsStoring()) {
        StoreOptional(ar, m_xTitle.get());
        StoreOptional(ar, m_yTitle.get());
    } else {
        LoadOptional(ar, m_xTitle);
        LoadOptional(ar, m_yTitle);
    }
    m_info.Serialize(ar);
    m_scale.Serialize(ar);
    m_frame.Serialize(ar);
    if (ar.IsStoring()) {
        StoreOptional(ar, m_xTickLabels.get());
        StoreOptional(ar, m_yTickLabels.get());
    } else {
        LoadOptional(ar, m_xTickLabels);
        LoadOptional(ar, m_yTickLabels);
    }
    if (!m_page)
        m_page = std::make_unique<CGraphPageParam>();
    m_page->Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_regression ? 1 : 0);
        if (m_regression)
            ar.Write(m_regression.get(), sizeof(tRegressionSettings));
        return;
    }
    // Shared tanks hold a reference per slot already (the tank lists count
    // every slot they load), so nothing is left to restore here.
    int32_t present = 0;
    ar >> present;
    if (present) {
        tRegressionSettings settings;
        ar.ReadExact(&settings, sizeof(settings));
        SetRegression(settings);
    } else {
        m_regression.reset();
    }
}
