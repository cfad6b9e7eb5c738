#include "graphdoc/model/objects/DrawLegObj.h"

#include "chart/model/GrDraw.h"
#include "chart/model/GrText.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/GraphSetting.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "graphdoc/model/DisplayContext.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/ObjectDialogs.h"

#include <algorithm>

FW_IMPLEMENT_SERIAL(CDrawLegObj, CDrawObj, 0)

namespace {

bool IsLineGraph(int type)
{
    switch (type) {
    case 1: case 2: case 3: case 4: case 5: case 10: case 31: case 32:
        return true;
    default:
        return false;
    }
}

bool IsBoxGraph(int type)
{
    return type == 6 || type == 8 || type == 33 || type == 34 || type == 60;
}

bool IsBarGraph(int type)
{
    return type == 8 || type == 34;
}

// A pen and brush selected for one entry, put back when it ends.
class EntryTools {
public:
    EntryTools(fw::CDC& dc, int penWidth, fw::COLORREF penColor, const fw::LOGBRUSH& brush)
        : m_dc(dc), m_pen(fw::PS_SOLID, penWidth, penColor)
    {
        m_brush.CreateBrushIndirect(brush);
        m_oldPen = dc.SelectObject(&m_pen);
        m_oldBrush = dc.SelectObject(&m_brush);
    }
    ~EntryTools()
    {
        m_dc.SelectObject(m_oldPen);
        m_dc.SelectObject(m_oldBrush);
    }
    EntryTools(const EntryTools&) = delete;
    EntryTools& operator=(const EntryTools&) = delete;

private:
    fw::CDC& m_dc;
    fw::CPen m_pen;
    fw::CBrush m_brush;
    fw::CPen* m_oldPen = nullptr;
    fw::CBrush* m_oldBrush = nullptr;
};

fw::LOGBRUSH SolidBrush(int colorIndex)
{
    fw::LOGBRUSH brush;
    brush.lbStyle = fw::BS_SOLID;
    brush.lbColor = GrGetColor(colorIndex);
    return brush;
}

} // namespace

CDrawLegObj::CDrawLegObj()
{
    SetDefaultLogFont(&m_font, true, kVertical);
    m_relX = 0.08;
    m_relY = 0.01;
}

CDrawLegObj::CDrawLegObj(const fw::CRect& pageArea) : CDrawObj(pageArea)
{
    SetDefaultLogFont(&m_font, true, 0);
    m_relX = 0.8;
    m_relY = 0.08;
    RecalcPosition(pageArea);
    m_frame.m_sides = CDrawObjPrf::kTop | CDrawObjPrf::kBottom | CDrawObjPrf::kLeft | CDrawObjPrf::kRight;
}

void CDrawLegObj::Serialize(fw::CArchive& ar)
{
    CDrawObj::Serialize(ar);
    SerializeLogFont(ar, m_font);
    if (ar.IsLoading())
        m_textColor = 0;
}

void CDrawLegObj::SetVertical(bool vertical)
{
    m_font.lfEscapement = m_font.lfOrientation = vertical ? kVertical : 0;
}

CGraphSetting* CDrawLegObj::GetSourceDraw() const
{
    auto* page = dynamic_cast<CGraphViewDoc*>(m_pDocument);
    return page ? page->GetMainGraphDraw() : nullptr;
}

int CDrawLegObj::GetEntryCount(const CGraphSetting& draw) const
{
    return draw.Info().m_xAxisKind == 3 ? 1 : draw.GetSeriesCount();
}

fw::CString CDrawLegObj::GetEntryText(const CGraphSetting& draw, int i) const
{
    const CGraphParamArray* series = draw.GetSeries(i);
    fw::CString text = series ? series->GetName() : fw::CString();
    return text.IsEmpty() ? fw::CString(" ") : text;
}

void CDrawLegObj::Draw(fw::CDC* dc)
{
    DrawFrame(dc, m_position);
    fw::CFont font;
    font.CreatePointFontIndirect(m_font);
    fw::CFont* oldFont = dc->SelectObject(&font);
    const fw::COLORREF oldColor = dc->SetTextColor(m_textColor);
    const int oldMode = dc->SetBkMode(fw::TRANSPARENT);
    if (CGraphSetting* draw = GetSourceDraw()) {
        const int type = draw->Info().m_graphType;
        if (IsLineGraph(type))
            DrawLineEntries(*dc);
        else if (IsBoxGraph(type))
            DrawBoxEntries(*dc);
    }
    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldColor);
    dc->SelectObject(oldFont);
    if (!dc->IsPrinting())
        DrawTrackerRect(dc);
}

void CDrawLegObj::DrawLineEntries(fw::CDC& dc)
{
    CGraphSetting* draw = GetSourceDraw();
    if (!draw)
        return;
    const fw::CRect r = GetFrameRect();
    const unsigned oldAlign = dc.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
    const bool vertical = IsVertical();
    int x = r.left + 5;
    int y = vertical ? r.bottom - 50 : r.top + 5;
    const int x0 = r.left + 50;
    for (int i = 0; i < draw->GetSeriesCount(); ++i) {
        const CGraphParamArray* series = draw->GetSeries(i);
        if (!series)
            continue;
        const tSeriesStyle& style = series->GetStyle();
        const fw::CString text = GetEntryText(*draw, i);
        const fw::CSize extent = dc.GetTextExtent(text);
        const int mid = extent.cy / 2;
        if (!vertical) {
            {
                EntryTools tools(dc, style.lineWidth, GrGetColor(style.lineColor), SolidBrush(style.fillColor));
                GrDashLine(dc, x0 - 45, y + mid, x0 - 5, y + mid, style.linePattern);
            }
            {
                EntryTools tools(dc, 1, GrGetColor(style.symbolColor), SolidBrush(style.fillColor));
                dc.MoveTo(x0 - 25, y + mid);
                GrDrawSymbol(dc, style.symbolType, style.symbolSize, 1);
            }
            GrTextOut(dc, x0, y, text, false);
            y += static_cast<int>(1.5 * extent.cy);
        } else {
            {
                EntryTools tools(dc, 1, GrGetColor(style.lineColor), SolidBrush(style.fillColor));
                GrDashLine(dc, x + mid, y + 45, x + mid, y + 5, style.linePattern);
                dc.MoveTo(x + mid, y + 25);
                GrDrawSymbol(dc, style.symbolType, style.symbolSize, 1);
            }
            GrTextOut(dc, x, y, text, true);
            x += static_cast<int>(1.5 * extent.cy);
        }
    }
    dc.SetTextAlign(oldAlign);
}

void CDrawLegObj::DrawBoxEntries(fw::CDC& dc)
{
    CGraphSetting* draw = GetSourceDraw();
    if (!draw)
        return;
    const int type = draw->Info().m_graphType;
    const fw::CRect r = GetFrameRect();
    const unsigned oldAlign = dc.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
    const bool vertical = IsVertical();
    int x = r.left + 5;
    int y = vertical ? r.bottom - 50 : r.top + 5;
    const int x0 = r.left + 50;
    for (int i = 0; i < draw->GetSeriesCount(); ++i) {
        const CGraphParamArray* series = draw->GetSeries(i);
        if (!series)
            continue;
        const tSeriesStyle& style = series->GetStyle();
        const fw::CString text = GetEntryText(*draw, i);
        const fw::CSize extent = dc.GetTextExtent(text);
        const int cy = extent.cy;
        const int s = 2 * style.symbolSize;
        fw::LOGBRUSH brush;
        GrGetFillBrush(style.fill, brush);
        brush.lbColor = GrGetColor(style.fillColor);
        fw::CRect box;
        if (!vertical) {
            box = IsBarGraph(type) ? fw::CRect(x0 - 40, y + (cy - s) / 2, x0 - 10, y + (cy - s) / 2 + s)
                                   : fw::CRect(x0 - 25 - s / 2, y, x0 - 25 - s / 2 + s, y + cy);
        } else {
            box = IsBarGraph(type) ? fw::CRect(x + (cy - s) / 2, y + 40, x + (cy - s) / 2 + s, y + 10)
                                   : fw::CRect(x, y + 25 + s / 2, x + cy, y + 25 + s / 2 - s);
        }
        {
            EntryTools tools(dc, style.lineWidth, GrGetColor(style.lineColor), brush);
            const int oldMode = dc.SetBkMode(fw::OPAQUE);
            dc.Rectangle(box);
            dc.SetBkMode(oldMode);
        }
        if (!vertical) {
            GrTextOut(dc, x0, y, text, false);
            y += static_cast<int>(1.5 * cy);
        } else {
            GrTextOut(dc, x, y, text, false);
            x += static_cast<int>(1.5 * cy);
        }
    }
    dc.SetTextAlign(oldAlign);
}

void CDrawLegObj::ResetSize()
{
    Invalidate();
    CDisplayContext display;
    fw::CFont font;
    font.CreatePointFontIndirect(m_font);
    fw::CFont* old = display->SelectObject(&font);
    const bool vertical = IsVertical();
    int w = vertical ? 5 : 50;
    int h = vertical ? 50 : 5;
    if (CGraphSetting* draw = GetSourceDraw()) {
        const int n = GetEntryCount(*draw);
        for (int i = 0; i < n; ++i) {
            const fw::CSize extent = display->GetTextExtent(GetEntryText(*draw, i));
            if (vertical) {
                h = std::max(h, extent.cx + 55);
                w += static_cast<int>(1.5 * extent.cy);
            } else {
                w = std::max(w, extent.cx + 55);
                h += static_cast<int>(1.5 * extent.cy);
            }
        }
    }
    display->SelectObject(old);
    fw::CRect r = GetFrameRect();
    r.NormalizeRect();
    m_position = fw::CRect(r.left, r.top, r.left + w, r.top + h);
    ApplyFrameMargins();
    Invalidate();
}

void CDrawLegObj::FitToPage()
{
    ResetSize();
    if (!m_pDocument)
        return;
    const int width = m_pDocument->GetPageSize().cx;
    if (m_position.right > width)
        m_position.OffsetRect(width - m_position.right, 0);
    if (m_position.left < 0)
        m_position.OffsetRect(-m_position.left, 0);
}

void CDrawLegObj::OnEditProperties()
{
    if (!GraphObjectDialogs().EditLegend(*this))
        return;
    ResetSize();
    NotifyChanged();
    MarkModified();
}

CDrawObj* CDrawLegObj::Clone(CZELGraphViewDoc* document)
{
    auto* copy = new CDrawLegObj(m_position);
    copy->CopyFrom(*this);
    copy->m_font = m_font;
    copy->m_textColor = m_textColor;
    if (document)
        document->AddObject(copy);
    return copy;
}
