#include "graphdoc/model/objects/DrawPowLegObj.h"

#include "chart/model/GrText.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/GraphSetting.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "graphdoc/model/DisplayContext.h"
#include "graphdoc/model/GraphViewDoc.h"

#include <algorithm>

FW_IMPLEMENT_SERIAL(CDrawPowLegObj, CDrawLegObj, 0)

int CountTextLines(const fw::CString& text)
{
    // Texts are UTF-8 inside: a line feed byte is never part of a longer
    // character there, so every one counts.
    return static_cast<int>(std::count(text.str().begin(), text.str().end(), '\n'));
}

fw::CString TextLine(const fw::CString& text, int i)
{
    const std::string& s = text.str();
    size_t start = 0;
    for (int k = 0; k < i; ++k) {
        const size_t lf = s.find('\n', start);
        if (lf == std::string::npos)
            return fw::CString();
        start = lf + 1;
    }
    const size_t end = s.find('\n', start);
    return fw::CString(s.substr(start, end == std::string::npos ? std::string::npos : end - start));
}

void CDrawPowLegObj::Serialize(fw::CArchive& ar)
{
    CDrawLegObj::Serialize(ar);
    if (ar.IsStoring())
        ar << m_lineCount;
    else
        ar >> m_lineCount;
}

fw::CString CDrawPowLegObj::SourceText() const
{
    CGraphSetting* draw = GetSourceDraw();
    const CGraphParamArray* series = draw ? draw->GetSeries(0) : nullptr;
    return series ? series->GetName() : fw::CString();
}

void CDrawPowLegObj::ResetSize()
{
    Invalidate();
    CDisplayContext display;
    fw::CFont font;
    font.CreatePointFontIndirect(m_font);
    fw::CFont* old = display->SelectObject(&font);
    fw::CRect r = GetFrameRect();
    r.NormalizeRect();
    const fw::CString text = SourceText();
    m_lineCount = static_cast<int16_t>(std::min(CountTextLines(text), 0x7FFF));
    const fw::CString plain = StripSuperMarkers(text);
    r.right = r.left + 10;
    r.bottom = r.top + 10;
    for (int i = 0; i < m_lineCount; ++i) {
        const fw::CSize extent = display->GetTextExtent(TextLine(plain, i));
        if (IsVertical()) {
            r.right += extent.cy;
            r.bottom = std::max(r.bottom, r.top + extent.cx + 10);
        } else {
            r.right = std::max(r.right, r.left + extent.cx + 10);
            r.bottom += extent.cy;
        }
    }
    display->SelectObject(old);
    m_position = r;
    ApplyFrameMargins();
    Invalidate();
}

void CDrawPowLegObj::Draw(fw::CDC* dc)
{
    DrawFrame(dc, m_position);
    fw::CFont font;
    font.CreatePointFontIndirect(m_font);
    fw::CFont* oldFont = dc->SelectObject(&font);
    const fw::COLORREF oldColor = dc->SetTextColor(m_textColor);
    const int oldMode = dc->SetBkMode(fw::TRANSPARENT);
    const fw::CRect r = GetFrameRect();
    int x = r.left + 5;
    int y = r.top + 5;
    const fw::CString text = SourceText();
    for (int i = 0; i < m_lineCount; ++i) {
        const fw::CString line = TextLine(text, i);
        GrTextOut(*dc, x, y, line, IsVertical(), &r, fw::ETO_CLIPPED);
        const int cy = dc->GetTextExtent(StripSuperMarkers(line)).cy;
        if (IsVertical())
            x += cy;
        else
            y += cy;
    }
    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldColor);
    dc->SelectObject(oldFont);
    if (!dc->IsPrinting())
        DrawTrackerRect(dc);
}

void CDrawPowLegObj::OnEditProperties()
{
    if (auto* page = dynamic_cast<CGraphViewDoc*>(m_pDocument))
        page->OnGraphPlotData();
}

CDrawObj* CDrawPowLegObj::Clone(CZELGraphViewDoc* document)
{
    auto* copy = new CDrawPowLegObj(m_position);
    copy->CopyFrom(*this);
    copy->m_font = m_font;
    copy->m_textColor = m_textColor;
    copy->m_lineCount = m_lineCount;
    if (document)
        document->AddObject(copy);
    return copy;
}
