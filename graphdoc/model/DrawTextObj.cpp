#include "graphdoc/model/DrawTextObj.h"

#include "docbase/graphpage/ZELGraphViewDoc.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"
#include "graphdoc/model/DisplayContext.h"
#include "graphdoc/model/GraphDocHooks.h"

#include <new>

FW_IMPLEMENT_SERIAL(CDrawTextObj, CDrawObj, 0)

namespace {

constexpr double kTextRelX = 0.1;
constexpr double kTextRelY = 0.01;
// Room beside the text along its run.
constexpr int kTextPadding = 10;

// The text's extent in the font; an empty text is as high as a line.
fw::CSize MeasureText(fw::CDC& dc, const fw::CString& text)
{
    fw::CSize extent = dc.GetTextExtent(text);
    if (text.IsEmpty() || extent.cy <= 0) {
        fw::TEXTMETRIC tm{};
        if (dc.GetTextMetrics(&tm))
            extent.cy = tm.tmHeight;
    }
    return extent;
}

} // namespace

CDrawTextObj::CDrawTextObj()
{
    InitDefaults();
}

CDrawTextObj::CDrawTextObj(const fw::CRect& position, const fw::CString& text) : CDrawObj(position), m_strText(text)
{
    InitDefaults();
}

void CDrawTextObj::InitDefaults()
{
    SetDefaultLogFont(&m_font, true, 0);
    m_relX = kTextRelX;
    m_relY = kTextRelY;
    m_textColor = 0;
    ResetSize();
}

void CDrawTextObj::Serialize(fw::CArchive& ar)
{
    CDrawObj::Serialize(ar);
    SerializeLogFont(ar, m_font);
    if (ar.IsStoring()) {
        ar << static_cast<uint32_t>(m_textColor) << m_strText;
    } else {
        uint32_t color = 0;
        ar >> color >> m_strText;
        m_textColor = color;
    }
}

void CDrawTextObj::SetVertical(bool vertical)
{
    m_font.lfEscapement = vertical ? kVertical : 0;
    m_font.lfOrientation = m_font.lfEscapement;
}

bool CDrawTextObj::SetText(const char* text)
{
    try {
        m_strText = text ? text : "";
        return true;
    } catch (const std::bad_alloc& e) {
        fw::ReportException(e);
        return false;
    }
}

void CDrawTextObj::ResetSize()
{
    Invalidate();
    CDisplayContext display;
    fw::CFont font;
    font.CreatePointFontIndirect(m_font);
    fw::CFont* old = display->SelectObject(&font);
    const fw::CSize extent = MeasureText(display.DC(), m_strText);
    display->SelectObject(old);

    m_position = GetFrameRect();
    fw::CRect& r = m_position;
    if (IsVertical()) {
        r.right = static_cast<int>(r.left + 1.5 * extent.cy);
        r.bottom = r.top + extent.cx + kTextPadding;
    } else {
        r.right = r.left + extent.cx + kTextPadding;
        r.bottom = static_cast<int>(r.top + 1.5 * extent.cy);
    }
    ApplyFrameMargins();
    Invalidate();
}

void CDrawTextObj::Draw(fw::CDC* dc)
{
    DrawFrame(dc, m_position);
    fw::CFont font;
    font.CreatePointFontIndirect(m_font);
    fw::CFont* oldFont = dc->SelectObject(&font);
    const fw::COLORREF oldColor = dc->SetTextColor(m_textColor);
    const int oldMode = dc->SetBkMode(fw::TRANSPARENT);

    const fw::CRect inner = GetFrameRect();
    const int cx = (inner.left + inner.right) / 2;
    const int cy = (inner.top + inner.bottom) / 2;
    const fw::CSize extent = dc->GetTextExtent(m_strText);
    // Turned text runs upward from the lower middle of the box.
    const fw::CPoint start = IsVertical() ? fw::CPoint(cx - extent.cy / 2, cy + extent.cx / 2)
                                          : fw::CPoint(cx - extent.cx / 2, cy - extent.cy / 2);
    dc->ExtTextOut(start.x, start.y, fw::ETO_CLIPPED, &inner, m_strText);

    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldColor);
    dc->SelectObject(oldFont);
    if (!dc->IsPrinting())
        DrawTrackerRect(dc);
}

void CDrawTextObj::OnEditProperties()
{
    fw::CString text = m_strText;
    bool vertical = IsVertical();
    if (!GraphDocDialogs().EditText(text, vertical, true))
        return;
    m_strText = text;
    SetVertical(vertical);
    ResetSize();
    NotifyChanged();
    MarkModified();
}

CDrawObj* CDrawTextObj::Clone(CZELGraphViewDoc* document)
{
    auto* copy = new CDrawTextObj(m_position, m_strText);
    copy->CopyFrom(*this);
    copy->m_font = m_font;
    copy->m_textColor = m_textColor;
    copy->m_strText = m_strText;
    if (document)
        document->AddObject(copy);
    return copy;
}
