#include "docview/controls/ColorBtn.h"

#include "docbase/controls/SysColors.h"
#include "docview/controls/OwnerDrawHost.h"
#include "framework/core/DC.h"
#include "framework/ui/ControlHost.h"
#include "framework/ui/QtText.h"

#include <QAbstractButton>
#include <QLayout>

#include <cstdlib>

FW_IMPLEMENT_DYNAMIC(CColorBtn, fw::CButton)

namespace {

void Edge(fw::CDC& dc, fw::COLORREF color, int x1, int y1, int x2, int y2)
{
    fw::CPen pen(fw::PS_SOLID, 1, color);
    fw::CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
    dc.SelectObject(old);
}

} // namespace

void DrawFocusFrame(fw::CDC& dc, const fw::CRect& rect)
{
    fw::CPen pen(fw::PS_DOT, 1, fw::RGB(0, 0, 0));
    fw::CPen* oldPen = dc.SelectObject(&pen);
    fw::CGdiObject* oldBrush = dc.SelectStockObject(fw::NULL_BRUSH);
    dc.Rectangle(rect);
    dc.SelectObject(oldPen);
    if (auto* brush = dynamic_cast<fw::CBrush*>(oldBrush))
        dc.SelectObject(brush);
}

CColorBtn::CColorBtn() : fw::CButton(Kind::push)
{
    appctl::PaintWith(Widget(), [this](fw::CDC& dc, QPainter&, QWidget* w) {
        auto* button = static_cast<QAbstractButton*>(w);
        appctl::DrawItemInfo info;
        info.itemAction = appctl::ODA_DRAWENTIRE;
        info.rcItem = fw::FromQ(w->rect());
        if (button->isDown())
            info.itemState |= appctl::ODS_SELECTED;
        if (w->hasFocus())
            info.itemState |= appctl::ODS_FOCUS;
        if (!w->isEnabled())
            info.itemState |= appctl::ODS_DISABLED;
        DrawItem(dc, info);
    });
}

bool CColorBtn::SubclassButton(int id, fw::CWnd* parent, fw::COLORREF face, fw::COLORREF text,
                               fw::COLORREF disabledText, int bevel)
{
    auto* old = parent ? parent->GetDlgItemAs<fw::CButton>(id) : nullptr;
    QWidget* oldWidget = old ? old->Widget() : nullptr;
    if (!oldWidget || old == this)
        return false;
    SetWindowText(old->GetWindowText());
    EnableWindow(old->IsWindowEnabled());
    if (QWidget* holder = oldWidget->parentWidget()) {
        Widget()->setParent(holder);
        if (QLayout* layout = holder->layout())
            delete layout->replaceWidget(oldWidget, Widget());  // the old widget's layout item
        Widget()->setGeometry(oldWidget->geometry());
        Widget()->setVisible(!oldWidget->isHidden());
    }
    oldWidget->hide();
    SetDlgCtrlID(id);
    parent->AddChild(id, this);
    if (auto* host = dynamic_cast<fw::ControlHost*>(parent))
        SetNotifyTarget(host->NotifyTarget());
    else
        SetNotifyTarget(parent);
    m_crFace = face;
    m_crText = text;
    m_crDisabledText = disabledText;
    m_nBevel = bevel;
    return true;
}

void CColorBtn::Repaint()
{
    if (QWidget* w = Widget())
        w->repaint();
}

void CColorBtn::SetDrawValue(uint8_t mode)
{
    m_bIndicator = mode;
    Repaint();
}

void CColorBtn::SetColor(fw::COLORREF face)
{
    m_crFace = face;
    Invalidate(true);
}

void CColorBtn::DrawBevel(fw::CDC& dc, const fw::CRect& rect, int depth)
{
    using namespace appctl;
    const int n = std::abs(depth);
    const bool sunken = depth < 0;
    for (int i = 0; i < n; ++i) {
        fw::COLORREF light, dark;
        if (n == 1) {
            light = GetSysColor(COLOR_BTNHIGHLIGHT);
            dark = GetSysColor(COLOR_BTNSHADOW);
        } else {
            const auto l = static_cast<uint8_t>(63 / (i + 1) + 192);
            const auto d = static_cast<uint8_t>(255 / (i + 2));
            light = fw::RGB(l, l, l);
            dark = fw::RGB(d, d, d);
        }
        const fw::COLORREF topLeft = sunken ? dark : light;
        fw::COLORREF bottomRight = sunken ? light : dark;
        if (sunken && n > 1 && i == n - 1)
            bottomRight = fw::RGB(1, 1, 1);
        const int l = rect.left + i, t = rect.top + i, r = rect.right - 1 - i, b = rect.bottom - 1 - i;
        Edge(dc, topLeft, l, t, r + 1, t);
        Edge(dc, topLeft, l, t, l, b + 1);
        Edge(dc, bottomRight, l, b, r + 1, b);
        Edge(dc, bottomRight, r, t, r, b + 1);
    }
}

void CColorBtn::DrawCaption(fw::CDC& dc, const fw::CRect& rect, fw::COLORREF color)
{
    fw::CString text = GetWindowText();
    if (text.GetLength() > kMaxCaption)
        text = text.Left(kMaxCaption);
    const fw::COLORREF oldColor = dc.SetTextColor(color);
    const int oldMode = dc.SetBkMode(fw::TRANSPARENT);
    fw::CRect area = rect;
    if (text.Find('\n') >= 0) {
        area.top += 4;
        area.bottom -= 4;
        dc.DrawText(text, &area, fw::DT_CENTER | fw::DT_WORDBREAK);
    } else {
        dc.DrawText(text, &area, fw::DT_CENTER | fw::DT_VCENTER | fw::DT_SINGLELINE);
    }
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldColor);
}

void CColorBtn::DrawItem(fw::CDC& dc, const appctl::DrawItemInfo& info)
{
    using namespace appctl;
    const fw::CRect& rect = info.rcItem;
    const fw::COLORREF face = m_bIndicator ? m_crIndicator : m_crFace;
    const fw::COLORREF text = m_bIndicator ? GetSysColor(COLOR_BTNTEXT) : m_crText;
    dc.FillSolidRect(rect, face);
    DrawBevel(dc, rect, m_nBevel);
    DrawCaption(dc, rect, text);
    fw::CRect focus = rect;
    focus.DeflateRect(4, 4);
    if (info.itemState & ODS_FOCUS) {
        DrawFocusFrame(dc, focus);
        if (info.itemState & ODS_SELECTED) {
            dc.FillSolidRect(rect, face);
            DrawBevel(dc, rect, -1);
            DrawCaption(dc, rect, text);
            DrawFocusFrame(dc, focus);
        }
    } else if (info.itemState & ODS_DISABLED) {
        DrawCaption(dc, rect, m_bIndicator ? GetSysColor(COLOR_GRAYTEXT) : m_crDisabledText);
    }
}
