#include "docview/controls/LineListBox.h"

#include "docbase/controls/SysColors.h"
#include "docview/controls/ColorBtn.h"
#include "docview/controls/ColorPickers.h"
#include "docview/controls/OwnerDrawHost.h"
#include "framework/core/DC.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"

#include <QListWidget>

FW_IMPLEMENT_DYNAMIC(CLineListBox, fw::CListBox)

CLineListBox::CLineListBox()
{
    List()->setItemDelegate(new appctl::OwnerDrawDelegate(
        [this](fw::CDC& dc, const appctl::DrawItemInfo& info) { DrawItem(dc, info); },
        [this](appctl::MeasureItemInfo& info) { MeasureItem(info); }, List()));
}

bool CLineListBox::HasKeyboardFocus() const
{
    return List() && List()->hasFocus();
}

int CLineListBox::GetCaretIndex() const
{
    return List() ? List()->currentRow() : -1;
}

void CLineListBox::MeasureItem(appctl::MeasureItemInfo& info)
{
    info.itemHeight = static_cast<unsigned>(appctl::ScreenCharHeight() + 2);
}

fw::CString CLineListBox::ItemText(int item) const
{
    if (!m_bNewLineFirst)
        return fw::Format(fw::LoadStringText(kMsgLineNo), item + 1);
    if (item == 0)
        return fw::LoadStringText(kMsgNewLine);
    return fw::Format(fw::LoadStringText(kMsgLineNo), item);
}

void CLineListBox::DrawItem(fw::CDC& dc, const appctl::DrawItemInfo& info)
{
    using namespace appctl;
    if (info.itemID < 0)
        return;
    dc.SaveDC();
    if (info.itemState & ODS_SELECTED) {
        dc.FillSolidRect(info.rcItem, GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        dc.FillSolidRect(info.rcItem, dc.GetBkColor());
    }
    dc.SetBkMode(fw::TRANSPARENT);
    dc.TextOut(info.rcItem.left, info.rcItem.top + 1, ItemText(info.itemID));
    const bool focusHere = HasKeyboardFocus() ? (info.itemState & ODS_FOCUS) != 0 : info.itemID == GetCaretIndex();
    if (focusHere)
        DrawFocusFrame(dc, info.rcItem);
    dc.RestoreDC(-1);
}
