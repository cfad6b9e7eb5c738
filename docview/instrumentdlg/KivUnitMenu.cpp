#include "docview/instrumentdlg/KivUnitMenu.h"

#include "chart/model/GrText.h"
#include "docbase/controls/SysColors.h"
#include "docview/controls/ContextMenus.h"
#include "framework/core/DC.h"
#include "framework/core/MenuResource.h"
#include "framework/ui/QPainterSink.h"
#include "framework/ui/QtText.h"
#include "instrument/unit/EngUnitTable.h"

#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {

// Draws the unit menu's items with the menu's own owner-draw operations.
class UnitMenuStyle final : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element != CE_MenuItem || !item || item->menuItemType != QStyleOptionMenuItem::Normal) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        appctl::DrawItemInfo info;
        info.itemAction = appctl::ODA_DRAWENTIRE | appctl::ODA_SELECT;
        if (item->state & State_Selected)
            info.itemState |= appctl::ODS_SELECTED;
        if (!(item->state & State_Enabled))
            info.itemState |= appctl::ODS_GRAYED;
        info.rcItem = fw::FromQ(item->rect);
        painter->save();
        fw::QPainterSink sink(painter);
        fw::CDC dc(&sink);
        CKivUnitMenu::DrawItem(dc, fw::FromQ(item->text), info);
        painter->restore();
    }
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (type != CT_MenuItem || !item || item->menuItemType != QStyleOptionMenuItem::Normal)
            return QProxyStyle::sizeFromContents(type, option, size, widget);
        // Measured on the display's information context.
        QImage display(1, 1, QImage::Format_RGB32);
        fw::CImageDC dc(display);
        appctl::MeasureItemInfo info;
        CKivUnitMenu::MeasureItem(dc, fw::FromQ(item->text), info);
        return QSize(static_cast<int>(info.itemWidth) + 2 * appctl::GetSystemMetrics(appctl::SM_CXMENUCHECK),
                     static_cast<int>(info.itemHeight) + 4);
    }
};

} // namespace

CKivUnitMenu::CKivUnitMenu()
{
    CreatePopupMenu();
    if (QMenu* menu = Menu()) {
        auto* style = new UnitMenuStyle;
        style->setParent(menu);
        menu->setStyle(style);
    }
}

CKivUnitMenu::~CKivUnitMenu()
{
    DestroyMenu();
}

void CKivUnitMenu::LoadUnits(unsigned itemId)
{
    m_firstId = itemId + 1;
    for (int pos = GetMenuItemCount() - 1; pos >= 0; --pos)
        DeleteMenu(static_cast<unsigned>(pos), fw::MF_BYPOSITION);
    for (int i = 0; i < engunit::kCount; ++i) {
        fw::CString text = engunit::DisplayText(i);
        if (text.IsEmpty())
            text = " ";
        AppendMenu(fw::MF_OWNERDRAW, m_firstId + static_cast<unsigned>(i), text);
        // The item's data is its text, markers and all.
        if (QAction* action = FindAction(m_firstId + static_cast<unsigned>(i), fw::MF_BYCOMMAND))
            action->setText(fw::ToQ(text));
    }
}

void CKivUnitMenu::AttachToItem(fw::CMenu& parent, unsigned itemId)
{
    fw::CString text = parent.GetMenuString(itemId, fw::MF_BYCOMMAND);
    if (text.GetLength() > kMaxItemText) {
        // Cut before a character's continuation bytes, never inside it.
        int end = kMaxItemText;
        while (end > 0 && (static_cast<unsigned char>(text.str()[static_cast<size_t>(end)]) & 0xC0) == 0x80)
            --end;
        text = text.Left(end);
    }
    if (text.IsEmpty())
        return;
    LoadUnits(itemId);
    parent.ModifyMenu(itemId, fw::MF_BYCOMMAND | fw::MF_POPUP, reinterpret_cast<uintptr_t>(Menu()), text);
}

fw::CString CKivUnitMenu::GetUnitText(unsigned commandId) const
{
    if (commandId < m_firstId)
        return {};
    return engunit::DisplayText(static_cast<int>(commandId - m_firstId));
}

void CKivUnitMenu::MeasureItem(fw::CDC& dc, const fw::CString& text, appctl::MeasureItemInfo& info)
{
    const fw::CSize extent = dc.GetTextExtent(StripSuperMarkers(text));
    info.itemWidth = static_cast<unsigned>(extent.cx);
    info.itemHeight = static_cast<unsigned>(extent.cy);
}

void CKivUnitMenu::DrawItem(fw::CDC& dc, const fw::CString& text, const appctl::DrawItemInfo& info)
{
    using namespace appctl;
    if (!(info.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        return;
    const fw::COLORREF oldText = dc.SetTextColor(GetSysColor(COLOR_MENUTEXT));
    dc.SetBkColor(GetSysColor(COLOR_MENU));
    const int oldMode = dc.SetBkMode(fw::TRANSPARENT);
    const bool selected = (info.itemState & ODS_SELECTED) != 0;
    if (info.itemAction & ODA_SELECT) {
        if (selected) {
            dc.FillSolidRect(info.rcItem, GetSysColor(COLOR_HIGHLIGHT));
            dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            dc.FillSolidRect(info.rcItem, GetSysColor(COLOR_MENU));
        }
    }
    const int x = info.rcItem.left + GetSystemMetrics(SM_CXMENUCHECK);
    const int y = info.rcItem.top;
    if (info.itemState & ODS_GRAYED) {
        if (!selected) {
            const fw::COLORREF keep = dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
            GrTextOut(dc, x + 1, y + 1, text);
            dc.SetTextColor(keep);
        }
        dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    }
    GrTextOut(dc, x, y, text);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldText);
}

void EnsureUnitEditMenu()
{
    if (fw::FindMenuResource(151))
        return;
    using M = fw::MenuResource;
    fw::RegisterMenuResource(151, M::Popup("", {M::Popup("編集", {
                                                                 M::Item("元に戻す(&U)", 57643),
                                                                 M::Separator(),
                                                                 M::Item("切り取り(&T)", 57635),
                                                                 M::Item("コピー(&C)", 57634),
                                                                 M::Item("貼り付け(&P)", 57637),
                                                                 M::Item("消去(&D)", 57632),
                                                                 M::Separator(),
                                                                 M::Item("すべて選択\tCtrl+A", 57642),
                                                                 M::Separator(),
                                                                 M::Item("上付き", 57340),
                                                                 M::Item("標準", 57341),
                                                                 M::Separator(),
                                                                 M::Item("単位", CKivUnitMenu::kUnitItemId),
                                                             })}));
}

void TrackUnitEditMenu(fw::CWnd& editor, fw::CPoint requested)
{
    EnsureUnitEditMenu();
    CKivUnitMenu units;
    appctl::TrackControlMenu(151, editor, requested,
                             [&](fw::CMenu& popup) { units.AttachToItem(popup, CKivUnitMenu::kUnitItemId); });
}
