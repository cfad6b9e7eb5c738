#include "graphdoc/model/objects/DrawRegressObj.h"

#include "chart/model/KivGraphDraw.h"
#include "common/base/ValueFormat.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/Format.h"

#include <algorithm>
#include "graphdoc/model/DisplayContext.h"
#include "graphdoc/model/DrawGraphObj.h"
#include "graphdoc/model/GraphDocHooks.h"

FW_IMPLEMENT_SERIAL(CDrawRegressObj, CDrawObj, 0)

namespace {

constexpr int16_t kStatisticFormat = 4;
constexpr int kTextPadding = 10;

} // namespace

CDrawRegressObj::CDrawRegressObj()
{
    SetDefaultLogFont(&m_font, true, kVertical);
    m_relX = 0.08;
    m_relY = 0.01;
}

CDrawRegressObj::CDrawRegressObj(const fw::CRect& pageArea) : CDrawObj(pageArea)
{
    SetDefaultLogFont(&m_font, true, 0);
    m_relX = 0.4;
    m_relY = 0.04;
    RecalcPosition(pageArea);
    m_frame.m_sides = CDrawObjPrf::kTop | CDrawObjPrf::kBottom | CDrawObjPrf::kLeft | CDrawObjPrf::kRight;
}

void CDrawRegressObj::Serialize(fw::CArchive& ar)
{
    CDrawObj::Serialize(ar);
    SerializeLogFont(ar, m_font);
    if (ar.IsStoring()) {
        ar << m_strYName << m_strXName << m_strText;
    } else {
        ar >> m_strYName >> m_strXName >> m_strText;
        m_textColor = 0;
    }
}

fw::CString CDrawRegressObj::FormatFormula(const tRegressionSettings& settings) const
{
    fw::CString t = " " + m_strYName;
    const char* r = settings.square ? "r2" : "r";
    if (settings.invalid) {
        t += " = *****  ";
        t += r;
        t += "= 0";
        return t;
    }
    t += "=";
    static const char kDigits[] = "1234567890";
    const int degree = std::clamp<int>(settings.degree, 0, 9);
    for (int i = degree; i >= 0; --i) {
        const double c = settings.coefficients[i];
        const fw::CString s = c == 0.0 ? fw::CString("0") : fw::Format("%g", c);
        if (c >= 0.0 && i != degree)
            t += "+";
        t += s;
        if (i > 0)
            t += m_strXName;
        if (i > 1) {
            t += "^";
            t += fw::CString(kDigits[i - 1]);
            t += " ";
        }
    }
    fw::CString statistic;
    FormatDataValue(settings.correlation, kStatisticFormat, statistic);
    t += "  : ";
    t += r;
    t += " = ";
    t += statistic;
    t += " ";
    return t;
}

void CDrawRegressObj::SetRegression(const tRegressionSettings& settings, bool resize)
{
    SetFormulaText(FormatFormula(settings), resize);
}

void CDrawRegressObj::SetFormulaText(const fw::CString& text, bool resize)
{
    m_strText = text;
    if (resize)
        ResetSize();
}

void CDrawRegressObj::ResetSize()
{
    Invalidate();
    CDisplayContext display;
    fw::CFont font;
    font.CreatePointFontIndirect(m_font);
    fw::CFont* old = display->SelectObject(&font);
    const fw::CSize extent = display->GetTextExtent(m_strText);
    display->SelectObject(old);

    fw::CRect r = GetFrameRect();
    r.NormalizeRect();
    if (IsVertical()) {
        r.right = r.left + static_cast<int>(1.5 * extent.cy);
        r.bottom = r.top + extent.cx + kTextPadding;
    } else {
        r.right = r.left + extent.cx + kTextPadding;
        r.bottom = r.top + static_cast<int>(1.5 * extent.cy);
    }
    m_position = r;
    ApplyFrameMargins();
    Invalidate();
}

void CDrawRegressObj::Draw(fw::CDC* dc)
{
    DrawFrame(dc, m_position);
    fw::CFont font;
    font.CreatePointFontIndirect(m_font);
    fw::CFont* oldFont = dc->SelectObject(&font);
    const fw::COLORREF oldColor = dc->SetTextColor(m_textColor);
    const int oldMode = dc->SetBkMode(fw::TRANSPARENT);

    const fw::CRect r = GetFrameRect();
    const int mx = (r.left + r.right) / 2;
    const int my = (r.top + r.bottom) / 2;
    const fw::CSize extent = dc->GetTextExtent(m_strText);
    const fw::CPoint start = IsVertical() ? fw::CPoint(mx - extent.cy / 2, my + extent.cx / 2)
                                          : fw::CPoint(mx - extent.cx / 2, my - extent.cy / 2);
    dc->ExtTextOut(start.x, start.y, fw::ETO_CLIPPED, &r, m_strText);

    dc->SetBkMode(oldMode);
    dc->SetTextColor(oldColor);
    dc->SelectObject(oldFont);
    if (!dc->IsPrinting())
        DrawTrackerRect(dc);
}

void CDrawRegressObj::OnEditProperties()
{
    auto* page = dynamic_cast<CGraphViewDoc*>(m_pDocument);
    if (!page)
        return;
    const bool accepted = GraphDocDialogs().EditRegression(*page);
    CGraphSetting* draw = page->GetMainGraphDraw();
    if (draw && draw->HasRegression()) {
        if (!accepted)
            return;
        draw->ComputeRegression();
        tRegressionSettings settings;
        if (!draw->GetRegression(settings))
            settings.invalid = 1;
        SetRegression(settings, true);
        page->DispatchUpdate(kHintRegression, nullptr);
        page->SetModifiedFlag(true);
        return;
    }
    // The dialog deleted the regression: the formula goes with it.
    page->UpdateAllViews(nullptr, kHintRegression, this);
    page->RemoveObject(this);
    page->DispatchUpdate(kHintRegression, nullptr);
    page->SetModifiedFlag(true);
    Remove();
}

CDrawObj* CDrawRegressObj::Clone(CZELGraphViewDoc* document)
{
    auto* copy = new CDrawRegressObj(m_position);
    copy->CopyFrom(*this);
    copy->m_strYName = m_strYName;
    copy->m_strXName = m_strXName;
    copy->m_font = m_font;
    copy->m_textColor = m_textColor;
    copy->m_strText = m_strText;
    if (document)
        document->AddObject(copy);
    return copy;
}
