// The editing commands of a simple graph: its plot data, its axes and its
// plot lines, each through the dialogs the program installs.

#include "chart/model/GraphParamArray.h"
#include "framework/core/Services.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/ObjectDialogs.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "project/model/ProjectHost.h"

#include <cstring>
#include <new>

namespace {

constexpr int kTimeAxis = 2;

bool IsBarGraph(int type)
{
    return type == 33 || type == 34;
}

bool HasPlotLineDialog(int type)
{
    return (type >= 1 && type <= 4) || type == 10 || type == 31 || type == 32;
}

} // namespace

void CSimpleGraphObj::OnEditProperties()
{
    CSimpleGraphPrfList list;
    if (!GetPrfList(list))
        return;
    const int xAxisKind = m_draw.Info().m_xAxisKind;
    if (!GraphObjectDialogs().EditPlotData(list, xAxisKind, m_draw.Info().m_graphType, m_draw.m_dataMode,
                                           m_creationKind > 2))
        return;
    CPollingPause pause;
    try {
        SetPrfList(list);
    } catch (const std::bad_alloc& e) {
        fw::ReportException(e);
        return;
    }
    if (auto* page = dynamic_cast<CGraphViewDoc*>(m_pDocument)) {
        if (CDrawObj* legend = page->FindLegObj())
            legend->ResetSize();
        page->UpdateRegression(this, false);
    }
    NotifyChanged();
    MarkModified();
}

bool CSimpleGraphObj::EditAxes()
{
    const int xAxisKind = m_draw.Info().m_xAxisKind;
    if (xAxisKind == 0 || xAxisKind == 1)
        return CDrawGraphObj::EditAxes();
    if (xAxisKind != kTimeAxis || !GraphObjectDialogs().EditTimeScales(m_draw))
        return false;
    if (m_draw.m_dataMode == 0)
        m_draw.UpdateAutoScaleModes();
    MarkRedraw();
    return true;
}

bool CSimpleGraphObj::EditPlotLines()
{
    CSimpleGraphPrfList list;
    if (!GetPrfList(list))
        return false;
    const int type = m_draw.Info().m_graphType;
    if (HasPlotLineDialog(type) || IsBarGraph(type)) {
        if (!GraphObjectDialogs().EditPlotLines(list, IsBarGraph(type), type != 31 && type != 32))
            return false;
        MarkRedraw();
    }
    for (int i = 1; i < list.GetSize(); ++i) {
        CGraphParamArray* series = m_draw.GetSeries(i - 1);
        if (!series)
            continue;
        int16_t block[CGraphPrf::kLineBlockValues];
        list.GetAt(i)->GetLineBlock(block);
        tSeriesStyle style;
        static_assert(sizeof block == sizeof style);
        std::memcpy(&style, block, sizeof style);
        series->SetStyle(style);
    }
    return true;
}
