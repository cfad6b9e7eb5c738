#include "chart/model/PlotFrame.h"

#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/SeriesStyle.h"

FW_IMPLEMENT_SERIAL(CPlotFrame, CPlotColorInfo, fw::VERSIONABLE_SCHEMA | 1)

void CPlotFrame::ApplyAttributes(const tSeriesStyle& style)
{
    m_frameWidth = style.lineWidth;
}

void CPlotFrame::Draw(fw::CDC& dc, OGPRecord* rec)
{
    GrClearError(rec);
    if (m_frameWidth <= 0)
        return;
    fw::CPen pen(fw::PS_INSIDEFRAME, m_frameWidth, GetColorRef());
    fw::CPen* oldPen = dc.SelectObject(&pen);
    fw::CGdiObject* oldBrush = dc.SelectStockObject(fw::NULL_BRUSH);
    fw::CRect r(rec->m_plotRect.left, rec->m_plotRect.top, rec->m_plotRect.right + 1, rec->m_plotRect.bottom + 1);
    r.InflateRect(m_frameWidth - 1, m_frameWidth - 1);
    dc.Rectangle(r);
    dc.SelectObject(static_cast<fw::CBrush*>(oldBrush));
    dc.SelectObject(oldPen);
}
