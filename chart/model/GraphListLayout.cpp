// The layout of a list graph as its dialogs edit it and as another list
// hands it over.

#include "chart/model/GraphListObj.h"

#include "chart/model/GraphParamArray.h"
#include "chart/model/ListGraphDialogs.h"
#include "chart/model/ListGraphTables.h"
#include "framework/core/ServiceSlot.h"

#include <algorithm>

bool CGraphListObj::EditLabels()
{
    IListGraphDialogs* dialogs = fw::Installed<IListGraphDialogs>();
    if (!dialogs || !dialogs->EditLabels(*this))
        return false;
    Recalculate(false);
    return true;
}

bool CGraphListObj::EditScales()
{
    IListGraphDialogs* dialogs = fw::Installed<IListGraphDialogs>();
    if (!dialogs || !dialogs->EditScales(*this))
        return false;
    Recalculate(true);
    return true;
}

bool CGraphListObj::EditDrawTypes()
{
    IListGraphDialogs* dialogs = fw::Installed<IListGraphDialogs>();
    if (!dialogs || !dialogs->EditDrawTypes(*this))
        return false;
    Recalculate(true);
    return true;
}

bool CGraphListObj::EditGridLines()
{
    IListGraphDialogs* dialogs = fw::Installed<IListGraphDialogs>();
    // The dialog works on a copy, so that a cancelled one changes nothing.
    GrFrameRec frame = m_frame;
    if (!dialogs || !dialogs->EditGridLines(frame))
        return false;
    m_frame = frame;
    for (CListGraphDraw* row : m_rows) {
        if (!row)
            continue;
        row->Frame() = m_frame;
        row->CreatePlot();
    }
    return true;
}

bool CGraphListObj::EditPlotLines()
{
    IListGraphDialogs* dialogs = fw::Installed<IListGraphDialogs>();
    tSeriesStyle style = m_style;
    if (!dialogs || !dialogs->EditPlotLines(style))
        return false;
    m_style = style;
    for (CListGraphDraw* row : m_rows)
        if (row && row->GetSeriesCount() > 0)
            row->GetSeries(0)->SetStyle(m_style);
    return true;
}

void CGraphListObj::CopyLayoutFrom(const CGraphListObj& other)
{
    m_xTickFont = other.m_xTickFont;
    m_yTickFont = other.m_yTickFont;
    CGraphListScaleTable scales;
    scales.SetAutoOnValue(1);
    scales.LoadScales(other);
    scales.ApplyScalesByChannel(*this);
    m_legendFont = other.m_legendFont;
    m_xTitleFont = other.m_xTitleFont;
    m_yTitleFont = other.m_yTitleFont;
    CGraphListLabelTable labels;
    labels.LoadLabels(other);
    labels.ApplyLabelsByChannel(*this);
    const int rows = std::min(GetRowCount(), other.GetRowCount());
    for (int r = 0; r < rows; ++r) {
        CListGraphDraw* mine = m_rows[static_cast<size_t>(r)];
        const CListGraphDraw* theirs = other.m_rows[static_cast<size_t>(r)];
        if (!mine || !theirs)
            continue;
        const int series = std::min(mine->GetSeriesCount(), theirs->GetSeriesCount());
        for (int i = 0; i < series; ++i)
            mine->GetSeries(i)->SetDrawType(theirs->GetSeries(i)->GetStyle().drawType);
    }
}
