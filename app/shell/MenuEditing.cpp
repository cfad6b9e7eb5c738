#include "app/shell/MenuEditing.h"

#include "framework/ui/Menu.h"

namespace {

using fw::CMenu;
using fw::MenuResource;

constexpr unsigned kPopupItem = 0xFFFFFFFFu;

// The first popup of a menu resource: what the program's context and
// placeholder menus are made of.
const MenuResource* FirstPopupOf(unsigned menuResourceId)
{
    const MenuResource* root = fw::FindMenuResource(menuResourceId);
    if (!root)
        return nullptr;
    for (const MenuResource& item : root->children) {
        if (item.IsPopup())
            return &item;
    }
    return nullptr;
}

// A new popup holding a copy of `source`'s items; the caller hands it to a
// menu.
QMenu* NewPopupFrom(const MenuResource& source)
{
    CMenu popup;
    popup.CreatePopupMenu();
    CopyMenuItems(&popup, source);
    return popup.Detach();
}

QMenu* NewPopupFrom(CMenu& source)
{
    CMenu popup;
    popup.CreatePopupMenu();
    CopyMenuItems(&popup, &source);
    return popup.Detach();
}

void DeleteAllItems(CMenu* menu)
{
    for (int pos = menu->GetMenuItemCount() - 1; pos >= 0; --pos)
        menu->DeleteMenu(static_cast<unsigned>(pos), fw::MF_BYPOSITION);
}

int DeleteFrom(CMenu* menu, int pos, int count)
{
    if (pos < 0)
        return -1;
    for (int i = 0; i < count && pos < menu->GetMenuItemCount(); ++i)
        menu->DeleteMenu(static_cast<unsigned>(pos), fw::MF_BYPOSITION);
    return pos;
}

} // namespace

void CopyMenuItems(CMenu* target, CMenu* source)
{
    if (!target || !source)
        return;
    const int count = source->GetMenuItemCount();
    for (int pos = 0; pos < count; ++pos) {
        const unsigned id = source->GetMenuItemID(pos);
        const fw::CString caption = source->GetMenuString(static_cast<unsigned>(pos), fw::MF_BYPOSITION);
        if (id == kPopupItem) {
            CMenu* sub = source->GetSubMenu(pos);
            if (sub)
                target->AppendMenu(fw::MF_POPUP, reinterpret_cast<uintptr_t>(NewPopupFrom(*sub)), caption);
        } else if (id == 0) {
            target->AppendMenu(fw::MF_SEPARATOR);
        } else {
            target->AppendMenu(fw::MF_STRING, id, caption);
        }
    }
}

void CopyMenuItems(CMenu* target, const MenuResource& source)
{
    if (!target)
        return;
    for (const MenuResource& item : source.children) {
        if (item.IsSeparator())
            target->AppendMenu(fw::MF_SEPARATOR);
        else if (item.IsPopup())
            target->AppendMenu(fw::MF_POPUP, reinterpret_cast<uintptr_t>(NewPopupFrom(item)), item.caption);
        else
            target->AppendMenu(fw::MF_STRING, item.command, item.caption);
    }
}

void CopyMenuFromResource(unsigned menuResourceId, CMenu* target, bool clearFirst)
{
    const MenuResource* popup = FirstPopupOf(menuResourceId);
    if (!popup || !target)
        return;
    if (clearFirst)
        DeleteAllItems(target);
    CopyMenuItems(target, *popup);
}

bool ReplaceMenuItemByPopup(unsigned commandId, unsigned menuResourceId, CMenu* menu)
{
    if (!menu)
        return false;
    const int pos = menu->PositionOf(commandId);
    const MenuResource* popup = FirstPopupOf(menuResourceId);
    if (pos < 0 || !popup)
        return false;
    menu->InsertMenu(static_cast<unsigned>(pos + 1), fw::MF_BYPOSITION | fw::MF_POPUP,
                     reinterpret_cast<uintptr_t>(NewPopupFrom(*popup)), popup->caption);
    menu->DeleteMenu(static_cast<unsigned>(pos), fw::MF_BYPOSITION);
    return true;
}

bool ReplaceMenuItemByPopup(unsigned commandId, unsigned menuResourceId, MenuResource& menu)
{
    const MenuResource* popup = FirstPopupOf(menuResourceId);
    if (!popup)
        return false;
    for (auto it = menu.children.begin(); it != menu.children.end(); ++it) {
        if (!it->IsPopup() && !it->IsSeparator() && it->command == commandId) {
            *it = *popup;
            return true;
        }
    }
    return false;
}

int DeleteMenuItemById(CMenu* menu, unsigned commandId, int count)
{
    if (!menu)
        return -1;
    return DeleteFrom(menu, menu->PositionOf(commandId), count);
}

int DeleteMenuItemByText(CMenu* menu, const fw::CString& caption, int count)
{
    if (!menu)
        return -1;
    const int items = menu->GetMenuItemCount();
    for (int pos = 0; pos < items; ++pos) {
        if (menu->GetMenuString(static_cast<unsigned>(pos), fw::MF_BYPOSITION) == caption)
            return DeleteFrom(menu, pos, count);
    }
    return -1;
}
