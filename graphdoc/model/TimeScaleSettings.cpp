#include "graphdoc/model/TimeScaleSettings.h"

#include "chart/model/GrScaleRec.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/KivGraphDraw.h"
#include "common/calc/CalcuDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "framework/core/DateTime.h"

namespace {

constexpr int16_t kTimeLineGraph = 10;

} // namespace

void TimeScaleSettings::SetReference(double date)
{
    fw::OleDateFields f;
    if (!fw::OleDateToFields(date, f)) {
        reference = Fields{};
        return;
    }
    reference = {f.year, f.month, f.day, f.hour, f.minute, f.second};
}

void TimeScaleSettings::Load(const CKivGraphDraw& draw)
{
    ScaleSettings::Load(draw);
    // The time axis has all four styles, without the scrolling window.
    autoScroll = 0;
    frequencyMode = 0;
    style = draw.Scale().m_scaleType - 1;
    if (const GrScaleRec::Axis* a = draw.ScaleAxis('X'))
        x.minimum = a->minimum;
    timeUnit = draw.GetTimeUnit() - 1;
    SetReference(draw.Scale().m_timeOrigin);
}

void TimeScaleSettings::Store(CKivGraphDraw& draw) const
{
    const int scaleType = style + 1;
    draw.SetGraphType(scaleType == GrScaleRec::kLinear ? kTimeLineGraph : static_cast<int16_t>(scaleType));
    draw.SetTimeUnit(timeUnit + 1);
    double origin = 0.0;
    if (fw::FieldsToOleDate(reference.year, reference.month, reference.day, reference.hour, reference.minute,
                            reference.second, origin))
        draw.Scale().m_timeOrigin = origin;
    ScaleSettings plain = *this;
    plain.autoScroll = 0;
    plain.frequencyMode = 0;
    plain.Store(draw);
}

bool TimeScaleSettings::TakeEarliestStart(const CKivGraphDraw& draw)
{
    double earliest = 0.0;
    for (int i = 0; i < draw.GetSeriesCount(); ++i) {
        const CGraphParamArray* series = draw.GetSeries(i);
        CDataTankObject* x = series ? series->GetItemTank(0) : nullptr;
        // A document's elapsed-time channel is a calculated channel whose
        // result is the time tank that knows the start.
        if (const auto* calc = dynamic_cast<const CCalcuDataTank*>(x))
            x = calc->GetResultTank();
        const auto* tank = dynamic_cast<const CTimeDataTank*>(x);
        const double start = tank ? tank->GetStartTime() : 0.0;
        if (start != 0.0 && (earliest == 0.0 || start < earliest))
            earliest = start;
    }
    if (earliest == 0.0)
        return false;
    SetReference(earliest);
    return true;
}
