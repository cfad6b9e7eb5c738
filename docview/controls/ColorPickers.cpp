#include "docview/controls/ColorPickers.h"

#include "chart/model/GrDraw.h"
#include "docview/controls/OwnerDrawHost.h"
#include "framework/core/DC.h"
#include "framework/ui/QPainterSink.h"
#include "framework/ui/QtText.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QImage>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QPainter>

FW_IMPLEMENT_DYNAMIC(COwnerDrawCombo, fw::CComboBox)
FW_IMPLEMENT_DYNAMIC(CColorCmbBox, COwnerDrawCombo)
FW_IMPLEMENT_DYNAMIC(CHatchBox, COwnerDrawCombo)
FW_IMPLEMENT_DYNAMIC(CLineCmbBox, COwnerDrawCombo)
FW_IMPLEMENT_DYNAMIC(CSymbolCmbbox, COwnerDrawCombo)

namespace appctl {

int ScreenCharHeight()
{
    QImage screen(1, 1, QImage::Format_RGB32);
    fw::CImageDC dc(screen);
    dc.SelectStockObject(fw::DEFAULT_GUI_FONT);
    fw::TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    return tm.tmHeight;
}

void FrameRect(fw::CDC& dc, const fw::CRect& r, fw::COLORREF color)
{
    dc.FillSolidRect(fw::CRect(r.left, r.top, r.right, r.top + 1), color);
    dc.FillSolidRect(fw::CRect(r.left, r.bottom - 1, r.right, r.bottom), color);
    dc.FillSolidRect(fw::CRect(r.left, r.top, r.left + 1, r.bottom), color);
    dc.FillSolidRect(fw::CRect(r.right - 1, r.top, r.right, r.bottom), color);
}

} // namespace appctl

using namespace appctl;

// --- COwnerDrawCombo -------------------------------------------------------------

COwnerDrawCombo::COwnerDrawCombo() : fw::CComboBox(Kind::dropList)
{
    QComboBox* combo = Combo();
    combo->setItemDelegate(new OwnerDrawDelegate(
        [this](fw::CDC& dc, const DrawItemInfo& info) {
            DrawItemInfo item = info;
            item.itemData = GetItemData(info.itemID);
            DrawItem(dc, item);
        },
        [this](MeasureItemInfo& info) {
            info.itemData = GetItemData(info.itemID);
            MeasureItem(info);
        },
        combo));
    // The closed box shows the current choice drawn the same way.
    PaintWith(combo, [this](fw::CDC& dc, QPainter& painter, QWidget* w) {
        auto* box = static_cast<QComboBox*>(w);
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = false;
        painter.save();
        box->style()->drawComplexControl(QStyle::CC_ComboBox, &option, &painter, box);
        painter.restore();
        const int current = box->currentIndex();
        if (current < 0)
            return;
        DrawItemInfo info;
        info.itemID = current;
        info.itemData = GetItemData(current);
        info.itemAction = ODA_DRAWENTIRE;
        info.rcItem = fw::FromQ(box->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                             QStyle::SC_ComboBoxEditField, box));
        DrawItem(dc, info);
    });
}

int COwnerDrawCombo::AddItemData(uintptr_t data)
{
    const int index = AddString("");
    SetItemData(index, data);
    return index;
}

void COwnerDrawCombo::DrawItem(fw::CDC& dc, const DrawItemInfo& info)
{
    if (info.itemAction & ODA_DRAWENTIRE)
        DrawSample(dc, info);
    if (info.itemState & ODS_SELECTED) {
        if (info.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))
            FrameRect(dc, info.rcItem, SelectedFrame(info));
        return;
    }
    if (info.itemAction & ODA_SELECT)
        FrameRect(dc, info.rcItem, UnselectedFrame(info));
}

// --- CColorCmbBox ----------------------------------------------------------------

int CColorCmbBox::CompareItem(fw::COLORREF c1, fw::COLORREF c2)
{
    if (c1 == c2)
        return 0;
    const int s1 = fw::GetRValue(c1) + fw::GetGValue(c1) + fw::GetBValue(c1);
    const int s2 = fw::GetRValue(c2) + fw::GetGValue(c2) + fw::GetBValue(c2);
    if (s1 != s2)
        return s1 < s2 ? -1 : 1;
    if (fw::GetBValue(c1) > fw::GetBValue(c2) || fw::GetGValue(c1) > fw::GetGValue(c2) ||
        fw::GetRValue(c1) > fw::GetRValue(c2))
        return -1;
    return 1;
}

int CColorCmbBox::AddColor(fw::COLORREF color)
{
    int at = GetCount();
    for (int i = 0; i < GetCount(); ++i) {
        if (CompareItem(color, static_cast<fw::COLORREF>(GetItemData(i))) < 0) {
            at = i;
            break;
        }
    }
    const int index = InsertString(at, " ");
    SetItemData(index, color);
    return index;
}

void CColorCmbBox::MeasureItem(MeasureItemInfo& info)
{
    info.itemHeight = static_cast<unsigned>(ScreenCharHeight());
}

void CColorCmbBox::DrawSample(fw::CDC& dc, const DrawItemInfo& info)
{
    dc.FillSolidRect(info.rcItem, static_cast<fw::COLORREF>(info.itemData));
}

fw::COLORREF CColorCmbBox::SelectedFrame(const DrawItemInfo& info) const
{
    const auto c = static_cast<fw::COLORREF>(info.itemData);
    return fw::RGB(static_cast<uint8_t>(255 - fw::GetRValue(c)), static_cast<uint8_t>(255 - fw::GetGValue(c)),
                   static_cast<uint8_t>(255 - fw::GetBValue(c)));
}

fw::COLORREF CColorCmbBox::UnselectedFrame(const DrawItemInfo& info) const
{
    return static_cast<fw::COLORREF>(info.itemData);
}

// --- CHatchBox -------------------------------------------------------------------

int CHatchBox::AddHatch(int16_t fill)
{
    return AddItemData(static_cast<uint16_t>(fill));
}

void CHatchBox::MeasureItem(MeasureItemInfo& info)
{
    info.itemHeight = static_cast<unsigned>(ScreenCharHeight() + 2);
}

void CHatchBox::DrawSample(fw::CDC& dc, const DrawItemInfo& info)
{
    fw::LOGBRUSH lb;
    GrGetFillBrush(static_cast<int16_t>(info.itemData & 0xFFFF), lb);
    fw::CBrush brush;
    brush.CreateBrushIndirect(lb);
    fw::CBrush* oldBrush = dc.SelectObject(&brush);
    fw::CGdiObject* oldPen = dc.SelectStockObject(fw::NULL_PEN);
    const int oldMode = dc.SetBkMode(fw::TRANSPARENT);
    dc.Rectangle(info.rcItem);
    dc.SetBkMode(oldMode);
    if (auto* pen = dynamic_cast<fw::CPen*>(oldPen))
        dc.SelectObject(pen);
    dc.SelectObject(oldBrush);
}

// --- CLineCmbBox -----------------------------------------------------------------

void CLineCmbBox::MeasureItem(MeasureItemInfo& info)
{
    info.itemHeight = kItemHeight;
}

void CLineCmbBox::DrawSample(fw::CDC& dc, const DrawItemInfo& info)
{
    fw::CPen pen;
    GrCreatePen(0, 1, fw::RGB(0, 0, 0), pen);
    fw::CPen* old = dc.SelectObject(&pen);
    const fw::CRect& r = info.rcItem;
    const int y = (r.top + r.bottom) / 2;
    GrDashLine(dc, r.left + 10, y, r.right - 10, y, static_cast<uint16_t>(info.itemData & 0xFFFF));
    dc.SelectObject(old);
}

// --- CSymbolCmbbox ---------------------------------------------------------------

void CSymbolCmbbox::MeasureItem(MeasureItemInfo& info)
{
    info.itemHeight = kItemHeight;
}

void CSymbolCmbbox::DrawSample(fw::CDC& dc, const DrawItemInfo& info)
{
    fw::CPen pen(fw::PS_SOLID, 1, fw::RGB(0, 0, 0));
    fw::CBrush brush(fw::RGB(0, 0, 0));
    fw::CPen* oldPen = dc.SelectObject(&pen);
    fw::CBrush* oldBrush = dc.SelectObject(&brush);
    const fw::CRect& r = info.rcItem;
    dc.MoveTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    GrDrawSymbol(dc, static_cast<int>(info.itemData), kSymbolSize, 0);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

