#include "graphdoc/model/ScaleSettings.h"

#include "chart/model/KivGraphDraw.h"
#include "chart/model/TickLabel.h"

namespace {

constexpr int16_t kFrequencyLine = 6;
constexpr int16_t kFrequencyLog = 60;

void LoadAxis(const CKivGraphDraw& draw, int axis, ScaleSettings::Axis& out)
{
    const GrScaleRec::Axis* a = draw.ScaleAxis(axis);
    if (!a)
        return;
    out.autoScale = a->autoMode != 0 ? 1 : 0;
    out.minimum = a->minimum;
    out.maximum = a->maximum;
    out.step = a->step;
    out.subdivisions = a->subdivisions;
    if (CTickLabel* labels = draw.GetTickLabels(axis)) {
        tLabelFormat format;
        labels->GetLabelFormat(format);
        out.labelFormat = format.kind;
        out.font = format.attributes.font;
    }
}

void StoreAxis(CKivGraphDraw& draw, int axis, const ScaleSettings::Axis& in, uint8_t autoValue)
{
    GrScaleRec::Axis* a = draw.ScaleAxis(axis);
    if (!a)
        return;
    a->autoMode = in.autoScale ? autoValue : 0;
    a->step = in.step;
    a->maximum = in.maximum;
    a->minimum = in.minimum;
    a->subdivisions = in.subdivisions;
    if (CTickLabel* labels = draw.GetTickLabels(axis)) {
        labels->SetFormatKind(static_cast<int16_t>(in.labelFormat));
        tTextAttributes attributes;
        labels->GetTextAttributes(attributes);
        attributes.font = in.font;
        labels->SetTextAttributes(attributes);
    }
}

} // namespace

void ScaleSettings::Load(const CKivGraphDraw& draw)
{
    graphType = draw.Info().m_graphType;
    autoScroll = draw.m_autoScroll;
    const int scaleType = draw.Scale().m_scaleType;
    if (TwoStyles())
        style = scaleType == GrScaleRec::kLinear ? 0 : 1;
    else
        style = scaleType - 1;
    LoadAxis(draw, 'X', x);
    LoadAxis(draw, 'Y', y);
    // The minimum field holds the width of the scrolling window.
    if (autoScroll)
        x.minimum = draw.m_autoScrollWidth;
}

int ScaleSettings::ScaleType() const
{
    const int type = style + 1;
    return TwoStyles() && type > 1 ? GrScaleRec::kLogY : type;
}

void ScaleSettings::Store(CKivGraphDraw& draw) const
{
    const int scaleType = ScaleType();
    draw.Scale().m_scaleType = static_cast<int16_t>(scaleType);
    const double oldMinimum = draw.Scale().m_x.minimum;
    StoreAxis(draw, 'X', x, frequencyMode ? 2 : 1);
    if (autoScroll) {
        GrScaleRec::Axis& a = draw.Scale().m_x;
        draw.m_autoScrollWidth = x.minimum;
        a.minimum = a.maximum - x.minimum;
        if (a.minimum < oldMinimum) {
            a.minimum = oldMinimum;
            a.maximum = oldMinimum + x.minimum;
        }
    }
    StoreAxis(draw, 'Y', y, 1);
    if (frequencyMode)
        draw.SetGraphType(scaleType == GrScaleRec::kLinear ? kFrequencyLine : kFrequencyLog);
    else if (draw.Info().m_xAxisKind == 0)
        draw.SetGraphType(static_cast<int16_t>(scaleType));
    draw.CreatePlot();
    draw.AutoScale();
}
