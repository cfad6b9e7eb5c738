#pragma once

// Menus as data: the program's menu resources are tables of these, found
// by resource id. The interface layer builds Qt menus from them; code that
// only reads a menu (the unit-type table) reads the data directly.

#include "framework/core/CString.h"

#include <vector>

namespace fw {

inline constexpr unsigned MF_STRING = 0x0;
inline constexpr unsigned MF_ENABLED = 0x0;
inline constexpr unsigned MF_UNCHECKED = 0x0;
inline constexpr unsigned MF_BYCOMMAND = 0x0;
inline constexpr unsigned MF_GRAYED = 0x1;
inline constexpr unsigned MF_DISABLED = 0x2;
inline constexpr unsigned MF_CHECKED = 0x8;
inline constexpr unsigned MF_POPUP = 0x10;
inline constexpr unsigned MF_OWNERDRAW = 0x100;
inline constexpr unsigned MF_BYPOSITION = 0x400;
inline constexpr unsigned MF_SEPARATOR = 0x800;

struct MenuResource {
    CString caption;         // "&Open...\tCtrl+O"; empty for a separator
    unsigned command = 0;    // 0 for popups and separators
    unsigned flags = 0;      // MF_GRAYED, MF_CHECKED, MF_SEPARATOR, MF_POPUP
    std::vector<MenuResource> children;

    bool IsSeparator() const { return (flags & MF_SEPARATOR) != 0; }
    bool IsPopup() const { return (flags & MF_POPUP) != 0 || !children.empty(); }

    static MenuResource Item(const CString& caption, unsigned command, unsigned flags = 0)
    {
        return MenuResource{caption, command, flags, {}};
    }
    static MenuResource Separator() { return MenuResource{CString(), 0, MF_SEPARATOR, {}}; }
    static MenuResource Popup(const CString& caption, std::vector<MenuResource> children)
    {
        return MenuResource{caption, 0, MF_POPUP, std::move(children)};
    }
};

// Registers (or replaces) the menu of resource `id`: its root's children
// are the top-level items (the popups of a menu bar).
void RegisterMenuResource(unsigned id, MenuResource root);
// The registered menu, or nullptr.
const MenuResource* FindMenuResource(unsigned id);

} // namespace fw
